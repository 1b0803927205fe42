// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/QtPrompts.h"

#include "common/MessageWindow.h"
#include "base/TextCatalogue.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

QtPrompts::QtPrompts(QWidget *parent) : m_parent(parent) { }

QtPrompts::~QtPrompts()
{
    if (!m_parent) delete m_messageWindow.data();
}

MessageWindow *QtPrompts::messageWindow()
{
    // Made once, when first needed; one its parent has since destroyed is not made again.
    if (!std::exchange(m_messageWindowMade, true)) m_messageWindow = new MessageWindow(m_parent);
    return m_messageWindow;
}

QString QtPrompts::title() const
{
    return m_title.isEmpty() ? QGuiApplication::applicationDisplayName() : m_title;
}

void QtPrompts::messageWindow(const QString &heading, const QStringList &texts)
{
    if (MessageWindow *w = messageWindow()) w->showReport(heading, texts);
}

void QtPrompts::messageWindowWithHint(const QString &heading, const QStringList &texts,
                                      const QString &hintLabel, const QString &hint)
{
    if (MessageWindow *w = messageWindow()) w->showReport(heading, texts, hintLabel, hint);
}

namespace {
// The toolkit has no Romanian words for its buttons: the program gives its own.
void nameButtons(QMessageBox &box, Language lang)
{
    // A Language switch just before would otherwise put the toolkit's words back over ours.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    const std::pair<QMessageBox::StandardButton, const char *> names[] = {
        {QMessageBox::Ok, "button.ok"}, {QMessageBox::Yes, "button.yes"}, {QMessageBox::No, "button.no"}};
    for (const auto &[which, key] : names)
        if (QAbstractButton *b = box.button(which)) b->setText(uiText(key, lang).value_or(QString()));
}
}   // namespace

void QtPrompts::showMessage(int icon, const QString &text)
{
    QMessageBox box(QMessageBox::Icon(icon), title(), text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    nameButtons(box, m_language);
    box.exec();
}

void QtPrompts::message(const QString &text) { showMessage(QMessageBox::Warning, text); }
void QtPrompts::error(const QString &text) { showMessage(QMessageBox::Critical, text); }
void QtPrompts::information(const QString &text) { showMessage(QMessageBox::NoIcon, text); }

bool QtPrompts::question(const QString &text) { return ask(text, true); }
bool QtPrompts::confirmDiscard(const QString &text) { return ask(text, false); }

bool QtPrompts::ask(const QString &text, bool yesByDefault)
{
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    nameButtons(box, m_language);
    // The default button also takes the focus, so Space answers as Enter does.
    box.setDefaultButton(yesByDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Prompts::Choice QtPrompts::chooseOne(const QString &text, const QStringList &items)
{
    QDialog box(m_parent);
    box.setObjectName(QStringLiteral("choiceDialog"));
    box.setWindowTitle(title());
    auto *layout = new QVBoxLayout(&box);
    auto *label = new QLabel(text, &box);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);
    QListWidget *list = nullptr;
    if (items.size() > 1) {
        list = new QListWidget(&box);
        list->addItems(items);
        list->setCurrentRow(0);
        label->setBuddy(list);
        layout->addWidget(list);
    }
    auto *buttons = new QDialogButtonBox(&box);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    auto word = [&](const char *key) { return uiText(key, m_language).value_or(QString()); };
    QPushButton *yes = buttons->addButton(word("button.yes"), QDialogButtonBox::YesRole);
    QPushButton *no = buttons->addButton(word("button.no"), QDialogButtonBox::NoRole);
    // Putting it off is what Esc and the window's close do; the button says so for the mouse.
    QPushButton *later = buttons->addButton(word("button.later"), QDialogButtonBox::RejectRole);
    yes->setDefault(true);
    layout->addWidget(buttons);
    Choice::Answer answer = Choice::Neither;
    QObject::connect(yes, &QPushButton::clicked, &box, [&] {
        answer = Choice::Yes;
        box.accept();
    });
    QObject::connect(no, &QPushButton::clicked, &box, [&] {
        answer = Choice::No;
        box.accept();
    });
    QObject::connect(later, &QPushButton::clicked, &box, &QDialog::reject);
    if (list)
        QObject::connect(list, &QListWidget::itemActivated, &box, [&] {
            answer = Choice::Yes;
            box.accept();
        });
    if (box.exec() != QDialog::Accepted) return {};
    return {answer, list ? std::max(0, list->currentRow()) : 0};
}

namespace {
// Qt's own dialog: it behaves the same on every platform, and unlike some native ones it
// accepts a name that does not exist yet in an open dialog, leaving the error to the reader.
void prepare(QFileDialog &dlg, const QString &title, const QString &filter, const QString &dir)
{
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setSizeGripEnabled(true);
    if (!title.isEmpty()) dlg.setWindowTitle(title);
    if (!filter.isEmpty()) dlg.setNameFilters(filter.split(QStringLiteral(";;")));
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) dlg.setDirectory(dir);
}
}   // namespace

void QtPrompts::setOpenFolders(const QString &start, const QStringList &places)
{
    m_openStart = start;
    m_openPlaces = places;
}

QString QtPrompts::openFile(const QString &title, const QString &filter)
{
    QFileDialog dlg(m_parent);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::AnyFile);
    prepare(dlg, title, filter, m_lastDir.isEmpty() ? m_openStart : m_lastDir);
    QList<QUrl> sidebar = dlg.sidebarUrls();
    for (const QString &place : std::as_const(m_openPlaces)) {
        const QUrl url = QUrl::fromLocalFile(place);
        if (QFileInfo(place).isDir() && !sidebar.contains(url)) sidebar << url;
    }
    dlg.setSidebarUrls(sidebar);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    const QString path = dlg.selectedFiles().constFirst();
    m_lastDir = QFileInfo(path).absolutePath();
    return path;
}

QString QtPrompts::saveFile(const QString &title, const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dlg(m_parent);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // After opening an installed example the last folder is read-only: save into the
    // pupil's own documents instead of failing there.
    QString dir = m_lastDir;
    if (!dir.isEmpty() && !QFileInfo(dir).isWritable()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(dir).isDir()) dir = QDir::homePath();
    }
    prepare(dlg, title, filter, dir);
    dlg.setDefaultSuffix(defaultSuffix);
    // A name typed without a suffix takes the one of the chosen filter, so that choosing the
    // second of two filters does not write the first one's format.
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg, defaultSuffix](const QString &chosen) {
        static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
        const QRegularExpressionMatch m = onePattern.match(chosen);
        dlg.setDefaultSuffix(m.hasMatch() ? m.captured(1) : defaultSuffix);
    });
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    const QString path = dlg.selectedFiles().constFirst();
    m_lastDir = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> QtPrompts::textInput(const QString &title, const QString &label,
                                            const QString &initial)
{
    QInputDialog dlg(m_parent);
    dlg.setWindowTitle(title.isEmpty() ? this->title() : title);
    dlg.setLabelText(label);
    dlg.setTextValue(initial);
    dlg.setOkButtonText(uiText("button.ok", m_language).value_or(QStringLiteral("OK")));
    dlg.setCancelButtonText(uiText("preferences.cancel", m_language).value_or(QStringLiteral("Cancel")));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.textValue();
}

QString QtPrompts::chooseFolder(const QString &title, const QString &start)
{
    QFileDialog dlg(m_parent);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly, true);
    QString dir = start;
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    prepare(dlg, title, QString(), dir);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
    return dlg.selectedFiles().constFirst();
}
