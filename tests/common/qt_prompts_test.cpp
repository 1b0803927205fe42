// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/QtPrompts.h"
#include "common/MessageWindow.h"
#include "common/ModalHelper.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QTest>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(QtPrompts, MessageHasApplicationTitleAndOneOkButton)
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Тракмил"));
    QWidget parent;
    QtPrompts prompts(&parent);
    QString title, text;
    int buttons = -1;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    prompts.message(QStringLiteral("<i>Выполнение</i> завершено!"));
    EXPECT_EQ(title, QStringLiteral("Тракмил"));
    EXPECT_EQ(text, QStringLiteral("<i>Выполнение</i> завершено!"));
    EXPECT_EQ(buttons, 1);
}

TEST(QtPrompts, OwnTitleComesBeforeTheDisplayName)
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Тракмил"));
    QWidget parent;
    QtPrompts prompts(&parent);
    EXPECT_EQ(prompts.title(), QStringLiteral("Тракмил"));
    prompts.setTitle(QStringLiteral("Trakmil"));
    QString messageTitle, questionTitle;
    whenModal([&](QWidget *w) {
        messageTitle = w->windowTitle();
        qobject_cast<QMessageBox *>(w)->button(QMessageBox::Ok)->click();
    });
    prompts.message(QStringLiteral("x"));
    whenModal([&](QWidget *w) {
        questionTitle = w->windowTitle();
        qobject_cast<QMessageBox *>(w)->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(prompts.question(QStringLiteral("y")));
    EXPECT_EQ(messageTitle, QStringLiteral("Trakmil"));
    EXPECT_EQ(questionTitle, QStringLiteral("Trakmil"));
    prompts.setTitle(QString());
    EXPECT_EQ(prompts.title(), QStringLiteral("Тракмил"));
}

TEST(QtPrompts, QuestionAnswersTrueOnlyForYes)
{
    QtPrompts prompts(nullptr);
    struct Row {
        QMessageBox::StandardButton press;
        bool expected;
    };
    for (const Row row : {Row {QMessageBox::Yes, true}, Row {QMessageBox::No, false}}) {
        whenModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->buttons().size(), 2);
            box->button(row.press)->click();
        });
        EXPECT_EQ(prompts.question(QStringLiteral("Очистить?")), row.expected);
    }
    // Closing the box without choosing is a No.
    whenModal([](QWidget *w) { w->close(); });
    EXPECT_FALSE(prompts.question(QStringLiteral("Очистить?")));
}

TEST(QtPrompts, MessageWindowGoesToTheReusableWindow)
{
    QWidget parent;
    QtPrompts prompts(&parent);
    ASSERT_NE(prompts.messageWindow(), nullptr);
    EXPECT_EQ(prompts.messageWindow()->parentWidget(), &parent);
    QString title;
    whenModal([&](QWidget *w) {
        title = w->windowTitle();
        static_cast<MessageWindow *>(w)->okButton->click();
    });
    prompts.messageWindow(QStringLiteral("Ошибка #03"), {QStringLiteral("text")});
    EXPECT_EQ(title, QStringLiteral("Ошибка #03"));
}

TEST(QtPrompts, OpenAcceptsANameThatDoesNotExist)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.tkm"));
    QtPrompts prompts(nullptr);
    QString title;
    QStringList filters;
    whenModal([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(dlg, nullptr);
        title = dlg->windowTitle();
        filters = dlg->nameFilters();
        dlg->selectFile(path);
        static_cast<QDialog *>(dlg)->accept();
    });
    const QString got =
        prompts.openFile(QStringLiteral("Открыть файл..."), QStringLiteral("Файлы тракмила (*.tkm)"));
    EXPECT_EQ(got, path);
    EXPECT_EQ(title, QStringLiteral("Открыть файл..."));
    EXPECT_EQ(filters, QStringList {"Файлы тракмила (*.tkm)"});
    EXPECT_EQ(prompts.lastDirectory(), dir.path());
}

TEST(QtPrompts, SaveAddsTheDefaultSuffixAndCancelGivesNothing)
{
    QTemporaryDir dir;
    QtPrompts prompts(nullptr);
    whenModal([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->acceptMode(), QFileDialog::AcceptSave);
        dlg->selectFile(dir.filePath(QStringLiteral("prog")));
        static_cast<QDialog *>(dlg)->accept();
    });
    EXPECT_EQ(prompts.saveFile(QString(), QStringLiteral("Файлы Тракмила (*.tkm)"), QStringLiteral("tkm")),
              dir.filePath(QStringLiteral("prog.tkm")));

    whenModal([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    EXPECT_TRUE(prompts.saveFile(QString(), QString(), QStringLiteral("bmp")).isEmpty());
}

TEST(QtPrompts, OpenStartsInTheGivenFolderUntilOneIsChosenAndOffersThePlaces)
{
    QTemporaryDir start, place, chosen;
    QtPrompts prompts(nullptr);
    prompts.setOpenFolders(start.path(), {place.path(), QStringLiteral("/no/such/folder")});
    QString shownDir;
    QList<QUrl> sidebar;
    whenModal([&](QWidget *w) {
        auto *dlg = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(dlg, nullptr);
        shownDir = dlg->directory().absolutePath();
        sidebar = dlg->sidebarUrls();
        dlg->selectFile(chosen.filePath(QStringLiteral("a.tkm")));
        static_cast<QDialog *>(dlg)->accept();
    });
    prompts.openFile(QString(), QString());
    EXPECT_EQ(shownDir, QDir(start.path()).absolutePath());
    EXPECT_TRUE(sidebar.contains(QUrl::fromLocalFile(place.path())));
    EXPECT_FALSE(sidebar.contains(QUrl::fromLocalFile(QStringLiteral("/no/such/folder"))));

    // The pupil's own choice wins over the start folder from then on.
    whenModal([&](QWidget *w) {
        shownDir = qobject_cast<QFileDialog *>(w)->directory().absolutePath();
        static_cast<QDialog *>(w)->reject();
    });
    prompts.openFile(QString(), QString());
    EXPECT_EQ(shownDir, QDir(chosen.path()).absolutePath());
}

TEST(QtPrompts, SaveAfterOpeningFromAReadOnlyFolderStartsInTheDocuments)
{
    QTemporaryDir readOnly;
    QtPrompts prompts(nullptr);
    whenModal([&](QWidget *w) {
        qobject_cast<QFileDialog *>(w)->selectFile(readOnly.filePath(QStringLiteral("example.tkm")));
        static_cast<QDialog *>(w)->accept();
    });
    prompts.openFile(QString(), QString());
    QFile::setPermissions(readOnly.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = QFileInfo(readOnly.path()).isWritable();
    QString shownDir;
    if (!writable)
        whenModal([&](QWidget *w) {
            shownDir = qobject_cast<QFileDialog *>(w)->directory().absolutePath();
            static_cast<QDialog *>(w)->reject();
        });
    if (!writable) prompts.saveFile(QString(), QString(), QStringLiteral("tkm"));
    QFile::setPermissions(readOnly.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable) GTEST_SKIP() << "folder permissions do not bind this user";
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(shownDir, QDir(QFileInfo(documents).isDir() ? documents : QDir::homePath()).absolutePath());
}

// The recovery question: Esc and closing put it off, which must never count as No.
TEST(QtPrompts, ChooseOneTellsPuttingOffFromNoAndGivesTheChosenItem)
{
    QtPrompts prompts(nullptr);
    prompts.setLanguage(Language::Rom);
    const QStringList three = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    enum class Act {
        Escape,
        Close,
        Later,
        No,
        YesOnThird,
        ActivateSecond
    };
    struct Row {
        Act act;
        QStringList items;
        Prompts::Choice::Answer answer;
        int item;
    };
    const Row rows[] = {{Act::Escape, three, Prompts::Choice::Neither, 0},
                        {Act::Close, {QStringLiteral("a")}, Prompts::Choice::Neither, 0},
                        {Act::Later, three, Prompts::Choice::Neither, 0},
                        {Act::No, {QStringLiteral("a")}, Prompts::Choice::No, 0},
                        {Act::YesOnThird, three, Prompts::Choice::Yes, 2},
                        {Act::ActivateSecond, three, Prompts::Choice::Yes, 1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(int(row.act));
        QStringList captions;
        int listRows = -1;
        whenModal([&](QWidget *w) {
            auto *list = w->findChild<QListWidget *>();
            listRows = list ? list->count() : 0;
            for (QPushButton *b : w->findChildren<QPushButton *>()) captions << b->text();
            auto press = [&](const QString &caption) {
                for (QPushButton *b : w->findChildren<QPushButton *>())
                    if (b->text() == caption) b->click();
            };
            switch (row.act) {
            case Act::Escape:
                QTest::keyClick(w, Qt::Key_Escape);
                break;
            case Act::Close:
                w->close();
                break;
            case Act::Later:
                press(QString::fromUtf8("Mai târziu"));
                break;
            case Act::No:
                press(QStringLiteral("Nu"));
                break;
            case Act::YesOnThird:
                list->setCurrentRow(2);
                press(QStringLiteral("Da"));
                break;
            case Act::ActivateSecond:
                list->setCurrentRow(1);
                QTest::keyClick(list, Qt::Key_Return);
                break;
            }
        });
        const Prompts::Choice c = prompts.chooseOne(QStringLiteral("?"), row.items);
        EXPECT_EQ(c.answer, row.answer);
        EXPECT_EQ(c.item, row.item);
        EXPECT_EQ(listRows, row.items.size() > 1 ? 3 : 0) << "a single item is named in the text, not listed";
        captions.sort();
        EXPECT_EQ(captions, (QStringList {QStringLiteral("Da"), QString::fromUtf8("Mai târziu"),
                                          QStringLiteral("Nu")}));
    }
}

// A question whose Yes throws work away has No as its default: Enter, Space and Esc all
// answer No. An ordinary question keeps Yes as its default. Both keep their two buttons.
TEST(QtPrompts, OnlyYesItselfThrowsWorkAway)
{
    QWidget parent;
    parent.show();
    QtPrompts prompts(&parent);
    enum class Ask {
        Discard,
        Question
    };
    struct Row {
        Ask ask;
        Qt::Key key;
        bool expected;
    };
    const Row rows[] = {{Ask::Discard, Qt::Key_Return, false}, {Ask::Discard, Qt::Key_Enter, false},
                        {Ask::Discard, Qt::Key_Space, false},  {Ask::Discard, Qt::Key_Escape, false},
                        {Ask::Question, Qt::Key_Return, true}, {Ask::Question, Qt::Key_Space, true},
                        {Ask::Question, Qt::Key_Escape, false}};
    for (const Row &row : rows) {
        SCOPED_TRACE(::testing::Message() << int(row.ask) << " key " << row.key);
        int buttons = -1;
        whenModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            buttons = box->buttons().size();
            // Space goes to the button with the focus, Enter and Esc to the box.
            QWidget *target = row.key == Qt::Key_Space ? box->focusWidget() : box;
            ASSERT_NE(target, nullptr);
            QTest::keyClick(target, row.key);
        });
        const QString text = QStringLiteral("Файл не сохранен! Продолжить?");
        EXPECT_EQ(row.ask == Ask::Discard ? prompts.confirmDiscard(text) : prompts.question(text),
                  row.expected);
        EXPECT_EQ(buttons, 2);
    }
}
