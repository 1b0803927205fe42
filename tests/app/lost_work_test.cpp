// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing a pupil types is lost, and no sequence of commands corrupts the editor.
#include "MainWindowFixture.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include "common/TypeKeys.h"

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }

const char *const kUnsaved = "Файл не сохранен! Продолжить?";
}   // namespace

// Typing, New, typing again, Open and a recorded manual session once wrote into freed
// memory (a change handler ran inside the document's clear); run under ASan it must be clean.
TEST_F(MainWindowTest, TypeNewTypeOpenAndRecordKeepsTheEditorSound)
{
    QFile f(path("two.tkm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xCD\xC0\xD7\xC0\xCB\xCE \xC0\xCB\xC3\xCE\xD0\xC8\xD2\xCC\xC0\r\n\xD8\xC0\xC3\r\n"
            "\xCA\xCE\xCD\xC5\xD6 \xC0\xCB\xC3\xCE\xD0\xC8\xD2\xCC\xC0\r\n");
    f.close();
    open();
    window->show();
    QApplication::setActiveWindow(window.get());
    AlgorithmEditor *editor = window->editor();
    editor->setFocus();
    typeKeys(editor, u("ШАГ"));
    QTest::keyClick(editor, Qt::Key_Return);
    window->action(Command::New)->trigger();   // answered Yes
    EXPECT_EQ(editor->toPlainText(), QString());
    typeKeys(editor, u("ПРЫЖОК"));
    QTest::keyClick(editor, Qt::Key_Return);
    typeKeys(editor, u("ШАГ"));
    prompts.openPaths.enqueue(path("two.tkm"));
    window->action(Command::Open)->trigger();   // answered Yes again
    ASSERT_EQ(editor->lineCount(), 3);
    EXPECT_EQ(editor->caretLineColumn(), (LineColumn {0, 0})) << "an opened program shows its top";
    editor->setCaret(1, 0);
    window->action(Command::ManualMode)->trigger();
    control<QCheckBox>(ObjectName::RecordingCheckBox)->setChecked(true);
    const char *const manualButtons[] = {ObjectName::StepButton, ObjectName::JumpButton,
                                         ObjectName::Rotate45Button, ObjectName::Rotate90Button};
    for (int i = 0; i < 6; ++i) control<QPushButton>(manualButtons[i % 4])->click();
    window->action(Command::ManualMode)->trigger();
    typeKeys(editor, u("ПОВОРОТ 90"));
    window->action(Command::Undo)->trigger();
    EXPECT_EQ(editor->line(0), u("НАЧАЛО АЛГОРИТМА"));
    EXPECT_EQ(editor->line(editor->lineCount() - 1), u("КОНЕЦ АЛГОРИТМА"));
    EXPECT_EQ(prompts.questions, (QStringList {u(kUnsaved), u(kUnsaved)}));
}

TEST_F(MainWindowTest, ClosingOrOpeningOverUnsavedChangesAsksAndNoKeepsEverything)
{
    QFile f(path("other.tkm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("STEP\r\n");
    f.close();
    open();
    window->show();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА");
    ASSERT_EQ(window->documentState(), MainWindow::DocumentState::Changed);

    prompts.answers.enqueue(false);
    prompts.openPaths.enqueue(path("other.tkm"));
    window->action(Command::Open)->trigger();
    EXPECT_EQ(prompts.questions, QStringList {u(kUnsaved)});
    EXPECT_EQ(prompts.openTitles.size(), 0) << "No: the file dialog does not even open";
    EXPECT_EQ(window->editor()->line(1), u("ШАГ"));

    prompts.answers.enqueue(false);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    prompts.answers.enqueue(false);
    window->action(Command::Exit)->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompts.questions.size(), 3);

    prompts.answers.enqueue(true);
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, UnchangedTextClosesWithoutAQuestion)
{
    open();
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(MainWindowTest, ClosingDuringARunKeepsTheSpeedTheUserChose)
{
    open({}, "[int]\nx_speed=4\n");
    window->show();
    setProgram("НАЧАЛО АЛГОРИТМА\n*$S=5\nШАГ\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    ASSERT_TRUE(window->runController().isActive());
    for (int i = 0; i < 3; ++i) window->runController().tick();
    ASSERT_EQ(window->runController().speed(), 1) << "the directive slows the run";
    EXPECT_EQ(window->settings().speed, 4) << "and never the setting";
    prompts.answers.enqueue(true);
    ASSERT_TRUE(window->close());
    EXPECT_FALSE(window->runController().isActive());
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("x_speed=4\n"));
}

// A settings file the program cannot read may be somebody's own: it runs on defaults, says
// so once, and neither closing, nor the preferences, nor a save of the settings replace it.
TEST_F(MainWindowTest, ASettingsFileItCannotReadIsNeverOverwritten)
{
    const QByteArray bad[] = {
        "[int]\nlanguage=eng\n" + QByteArray(70 * 1024, ';'),   // over the limit
        QByteArray("[int]\nlanguage=eng\n\0\x01\x02", 23),   // not text
        QByteArray("\xff\xfe[\0i\0n\0t\0]\0", 12),   // UTF-16, as Notepad's "Unicode"
    };
    for (const QByteArray &ini : bad) {
        SCOPED_TRACE(ini.size());
        prompts.messages.clear();
        open({}, ini);
        window->show();
        QApplication::processEvents();
        EXPECT_EQ(window->settings().language, QStringLiteral("rus")) << "defaults";
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages.first().contains(QDir::toNativeSeparators(iniPath())));
        window->settings().fieldWidth = 5;
        EXPECT_TRUE(window->writeSettings()) << "the session keeps its settings without a complaint";
        window->action(Command::New)->trigger();
        window->hide();
        window->show();
        QApplication::processEvents();
        EXPECT_EQ(prompts.messages.size(), 1) << "said once";
        EXPECT_TRUE(window->close());
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), ini);
        QString error;
        EXPECT_FALSE(saveSettings(iniPath(), Settings(), &error)) << "nor by a direct save";
        window.reset();
    }
}
