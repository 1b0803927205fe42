// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutWindow.h"

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

struct Joke {
    int count;
    const char *text;
};

// The picture grows tired of being clicked; the texts stay friendly.
const Joke kJokes[] = {
    {1, "Привет! Это робот Тракмила."},
    {4, "Да-да, это я. Можно не нажимать так часто."},
    {7, "Ты очень любопытный! Это хорошо."},
    {10, "Десять нажатий. Может, лучше напишем алгоритм?"},
    {15, "Робот начинает немного волноваться."},
    {20, "Двадцать! Робот уже считает вместе с тобой."},
    {25, "Пожалуйста, помедленнее: у робота кружится голова."},
    {30, "Мышке тоже нужен отдых."},
    {40, "Сорок нажатий... Робот тяжело вздыхает."},
    {50, "Полсотни! Ты упорный, а упорство пригодится в программировании."},
    {60, "Робот вежливо просит: хватит, пожалуйста."},
    {70, "Будь это цикл, он бы уже давно закончился."},
    {80, "Робот делает вид, что ничего не замечает."},
    {90, "Девяносто! Кажется, учитель смотрит в твою сторону."},
    {95, "Почти сто. Ты уверен, что это нужно?"},
    {100, "Сто нажатий! Рекорд класса. А теперь — за работу!"},
    {120, "Робот обиделся и отвернулся к стене."},
    {150, "Сто пятьдесят. Кнопка мыши просит пощады."},
    {160, "Всё, робот уходит рисовать без тебя."},
    {200, "Двести?! Вот это терпение. Направь его на алгоритм!"},
    {220, "Робот больше не разговаривает. Закрой окно и пиши программу!"},
};

const char *const kCaptions[AboutPictures::photoCount] = {
    "Робот рисует узор на клетчатом поле: каждый шаг оставляет цветной след.",
    "Кабинет информатики. На доске — первый алгоритм класса.",
    "Вечер над школой. Завтра — новые задачи для робота.",
    "Робот отдыхает после долгого пути по полю.",
};

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
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(357, 349);
    setSizeGripEnabled(false);

    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->setGeometry(2, 4, 353, 305);

    // Version page
    versionPage = new QWidget;
    versionPage->setObjectName(QStringLiteral("TabSheet1"));
    pages->addTab(versionPage, QStringLiteral("Версия"));

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

    productName = label(versionFrame, QStringLiteral("Тракмил"), QRect(124, 14, 200, 36), "productName");
    QFont big = productName->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    productName->setFont(big);
    productName->setStyleSheet(QStringLiteral("color: #2f5f9e;"));

    label(versionFrame, QStringLiteral("Учебная среда для юных\nпрограммистов"), QRect(124, 50, 210, 30),
          "subtitle");
    versionLabel = label(versionFrame, QStringLiteral("Версия"), QRect(124, 88, 50, 16), "versionLabel");
    versionText = label(versionFrame, QString(), QRect(176, 88, 150, 16), "vers");
    QFont bold = versionText->font();
    bold.setBold(true);
    versionText->setFont(bold);

    auto *rule = new QFrame(versionFrame);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(12, 120, 321, 2);

    feedbackPicture = label(versionFrame, QString(), QRect(16, 136, 32, 32), "feedbackPicture");
    feedbackPicture->setPixmap(AboutPictures::envelope(32));
    feedback = label(versionFrame,
                     QStringLiteral("Отзывы и предложения:\nрасскажите о них учителю информатики\n"
                                    "или запишите в журнал кабинета."),
                     QRect(60, 130, 275, 48), "feedback");
    supportPicture = label(versionFrame, QString(), QRect(16, 196, 32, 32), "supportPicture");
    supportPicture->setPixmap(AboutPictures::lifebuoy(32));
    support = label(versionFrame,
                    QStringLiteral("Поддержка:\nзагляните в справку (F1) или спросите\n"
                                   "учителя на уроке."),
                    QRect(60, 190, 275, 48), "support");

    // Photo page
    photoPage = new QWidget;
    photoPage->setObjectName(QStringLiteral("TabSheet2"));
    pages->addTab(photoPage, QStringLiteral("Фото"));
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
    nextPhotoButton = new QPushButton(QStringLiteral("Далее >"), photoPage);
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
    for (const char *c : kCaptions) m_captions << QString::fromUtf8(c);
    pages->setCurrentIndex(0);
}

void AboutWindow::showAbout()
{
    if (isVisible()) return;
    exec();
}

QString AboutWindow::clickText(int count)
{
    for (const Joke &j : kJokes)
        if (j.count == count) return QString::fromUtf8(j.text);
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
    if (m_clicks > kJokes[std::size(kJokes) - 1].count) return;
    ++m_clicks;
    const QString text = clickText(m_clicks);
    if (!text.isEmpty()) m_prompts.message(text);
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
        m_prompts.message(osFamilyText(isNtFamily()));
        return;
    }
    QDialog::mouseDoubleClickEvent(event);
}
