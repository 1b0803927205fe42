#include "common/QtPrompts.h"
#include "common/MessageWindow.h"
#include "common/ModalHelper.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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
    struct Row { QMessageBox::StandardButton press; bool expected; };
    for (const Row row : {Row{QMessageBox::Yes, true}, Row{QMessageBox::No, false}}) {
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
    const QString got = prompts.openFile(QStringLiteral("Открыть файл..."),
                                         QStringLiteral("Файлы тракмила (*.tkm)"));
    EXPECT_EQ(got, path);
    EXPECT_EQ(title, QStringLiteral("Открыть файл..."));
    EXPECT_EQ(filters, QStringList{"Файлы тракмила (*.tkm)"});
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
