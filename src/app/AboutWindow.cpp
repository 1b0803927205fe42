// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"
#include "base/TextCatalogue.h"

#include "AppInfo.h"
#include "app/AboutPictures.h"
#include "common/MessageWindow.h"
#include "common/Prompts.h"

#include <QDate>
#include <QFrame>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

// The about window speaks Russian whatever the interface Language.
QString aboutText(const QByteArray &key) { return uiText("about." + key, Language::Rus).value_or(QString()); }

// The click counts at which the picture speaks; the texts are "about.click<N>" in the catalogue.
// The picture grows tired of being clicked; the texts stay friendly.
const int kJokeCounts[] = {1,  4,  7,  10, 15,  20,  25,  30,  40,  50, 60,
                           70, 80, 90, 95, 100, 120, 150, 160, 200, 220};

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    return l;
}

}   // namespace

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

AboutWindow::AboutWindow(Prompts &prompts, QWidget *parent)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint),
        m_prompts(prompts)
{
    setObjectName(QStringLiteral("Aboutme"));
    setWindowTitle(aboutText("title"));
    setFixedSize(357, 349);
    setSizeGripEnabled(false);

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->setGeometry(2, 4, 353, 305);

    // Version page
    versionPage = new QWidget;
    versionPage->setObjectName(QStringLiteral("TabSheet1"));
    pages->addTab(versionPage, aboutText("versionTab"));

    versionFrame = new QFrame(versionPage);
    versionFrame->setObjectName(QStringLiteral("Panel1"));
    versionFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    versionFrame->setLineWidth(1);
    versionFrame->setGeometry(0, 0, 345, 272);

    programPicture = new ClickableLabel(versionFrame);
    programPicture->setObjectName(QStringLiteral("Image1"));
    programPicture->setGeometry(12, 12, 96, 96);
    programPicture->setPixmap(AboutPictures::program(96));
    connect(programPicture, &ClickableLabel::clicked, this, &AboutWindow::imageClicked);

    productName = label(versionFrame, aboutText("product"), QRect(124, 14, 200, 36), "productName");
    QFont big = productName->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    productName->setFont(big);
    productName->setStyleSheet(QStringLiteral("color: #2f5f9e;"));

    label(versionFrame, aboutText("tagline"), QRect(124, 50, 210, 30), "subtitle");
    versionLabel = label(versionFrame, aboutText("versionLabel"), QRect(124, 88, 50, 16), "versionLabel");
    versionText = label(versionFrame, QString(), QRect(176, 88, 150, 16), "vers");
    QFont bold = versionText->font();
    bold.setBold(true);
    versionText->setFont(bold);

    auto *rule = new QFrame(versionFrame);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(12, 120, 321, 2);

    feedbackPicture = label(versionFrame, QString(), QRect(16, 136, 32, 32), "feedbackPicture");
    feedbackPicture->setPixmap(AboutPictures::envelope(32));
    feedback = label(versionFrame, aboutText("feedback"), QRect(60, 130, 275, 48), "feedback");
    supportPicture = label(versionFrame, QString(), QRect(16, 196, 32, 32), "supportPicture");
    supportPicture->setPixmap(AboutPictures::lifebuoy(32));
    support = label(versionFrame, aboutText("support"), QRect(60, 190, 275, 48), "support");

    // Photo page
    photoPage = new QWidget;
    photoPage->setObjectName(QStringLiteral("TabSheet2"));
    pages->addTab(photoPage, aboutText("photoTab"));
    for (int i = 0; i < AboutPictures::photoCount; ++i) {
        photos[i] = label(photoPage, QString(), QRect(6, 6, 331, 186), "");
        photos[i]->setObjectName(QStringLiteral("f%1").arg(i + 1));
        photos[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        photos[i]->setPixmap(AboutPictures::photo(i, 331, 186));
        photos[i]->setVisible(i == 0);
    }
    photoCaption = new QPlainTextEdit(photoPage);
    photoCaption->setObjectName(QStringLiteral("Memo1"));
    photoCaption->setGeometry(6, 198, 331, 40);
    photoCaption->setReadOnly(true);
    photoCaption->setFocusPolicy(Qt::NoFocus);
    photoCaption->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    nextPhotoButton = new QPushButton(aboutText("next"), photoPage);
    nextPhotoButton->setObjectName(QStringLiteral("Button3"));
    nextPhotoButton->setGeometry(254, 244, 83, 25);
    connect(nextPhotoButton, &QPushButton::clicked, this, &AboutWindow::nextPhoto);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setGeometry(141, 316, 75, 25);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    // Creation: the version, the captions, the first page.
    versionText->setText(versionLine(QLatin1String(kAppVersion), QLatin1String(kAppReleaseDate)));
    for (int i = 1; i <= AboutPictures::photoCount; ++i)
        m_captions << aboutText(QByteArray("photo") + QByteArray::number(i));
    pages->setCurrentIndex(0);
}

void AboutWindow::showAbout()
{
    if (isVisible()) return;
    exec();
}

QString AboutWindow::clickText(int count)
{
    for (int joke : kJokeCounts)
        if (joke == count) return aboutText(QByteArray("click") + QByteArray::number(count));
    return QString();
}

QString AboutWindow::versionLine(const QString &version, const QString &isoDate)
{
    const QDate date = QDate::fromString(isoDate, Qt::ISODate);
    if (!date.isValid()) return version;
    return version + QStringLiteral(" от ") + date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString AboutWindow::osFamilyText(bool ntFamily)
{
    return ntFamily ? QStringLiteral("Windows NT/2000/XP") : QStringLiteral("Windows 95/98");
}

int AboutWindow::visiblePhoto() const
{
    for (int i = 0; i < AboutPictures::photoCount; ++i)
        if (!photos[i]->isHidden()) return i;
    return -1;
}

void AboutWindow::showPhoto(int index)
{
    for (int i = 0; i < AboutPictures::photoCount; ++i) photos[i]->setVisible(i == index);
    photoCaption->clear();
    photoCaption->setPlainText(m_captions.value(index));
}

void AboutWindow::nextPhoto()
{
    const int current = visiblePhoto();
    showPhoto(current < 0 ? 0 : (current + 1) % AboutPictures::photoCount);
}

void AboutWindow::imageClicked()
{
    // Counting stops at the last threshold so the counter cannot wrap however long
    // someone keeps clicking.
    if (m_clicks > kJokeCounts[std::size(kJokeCounts) - 1]) return;
    ++m_clicks;
    const QString text = clickText(m_clicks);
    if (!text.isEmpty()) m_prompts.information(text);
}

void AboutWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_clicks = 0;
        versionFrame->resize(345, versionFrame->height());
        showPhoto(0);   // the page stays the one last shown: only creation picks the first
        centreOnParent(this);
    }
    QDialog::showEvent(event);
}

void AboutWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the window's own free area answers; double-clicks on controls are theirs.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        event->accept();
        m_prompts.information(osFamilyText(isNtFamily()));
        return;
    }
    QDialog::mouseDoubleClickEvent(event);
}
