// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing a pupil types is lost, and no sequence of commands corrupts the editor.
#include "MainWindowFixture.h"
#include "base/TextCatalogue.h"
#include "documents/ProgramFile.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include "common/ModalHelper.h"
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

// With the real dialogs: Enter, Space or Esc on the unsaved-changes question of New, Open, an
// example, the close box or Alt+X keeps the program and the window; only Yes lets them go.
TEST_F(MainWindowTest, EnterSpaceOrEscOnTheUnsavedQuestionKeepTheProgram)
{
    const QString examples = path("examples");
    ASSERT_TRUE(QDir().mkpath(examples + QStringLiteral("/rus")));
    QFile example(examples + QStringLiteral("/rus/01.tkm"));
    ASSERT_TRUE(example.open(QIODevice::WriteOnly));
    example.write("STEP\r\n");
    example.close();
    MainWindow::Options o;
    o.settingsPath = iniPath();
    o.examplesFolder = examples;   // and no scripted prompts: the real boxes
    window = std::make_unique<MainWindow>(o);
    window->show();
    QApplication::setActiveWindow(window.get());
    const QString program = u("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->editor()->setPlainText(program);
    // A file dialog means the question let the program go; it is closed so nothing hangs.
    bool fileDialogShown = false;
    QTimer fileDialogs;
    QObject::connect(&fileDialogs, &QTimer::timeout, [&] {
        if (auto *d = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            fileDialogShown = true;
            d->reject();
        }
    });
    fileDialogs.start(20);
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"New", [&] { window->action(Command::New)->trigger(); }},
        {"Open", [&] { window->action(Command::Open)->trigger(); }},
        {"example", [&] { window->examplesMenu()->actions().value(0)->trigger(); }},
        {"close box", [&] { window->close(); }},
        {"Alt+X", [&] { window->action(Command::Exit)->trigger(); }},
    };
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
        for (const auto &[name, way] : ways) {
            SCOPED_TRACE(::testing::Message() << name << ", key " << key);
            QString asked;
            whenModal([&, key = key](QWidget *w) {
                auto *box = qobject_cast<QMessageBox *>(w);
                ASSERT_NE(box, nullptr);
                asked = box->text();
                QWidget *target = key == Qt::Key_Space ? box->focusWidget() : box;
                ASSERT_NE(target, nullptr);
                QTest::keyClick(target, key);
            });
            way();
            EXPECT_EQ(asked, u(kUnsaved));
            EXPECT_EQ(window->editor()->toPlainText(), program);
            EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Changed);
            EXPECT_TRUE(window->isVisible());
            EXPECT_FALSE(fileDialogShown);
        }
    }
    whenModal([](QWidget *w) { qobject_cast<QMessageBox *>(w)->button(QMessageBox::Yes)->click(); });
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

// Another program (a teacher's copy over the network, a second window) changed the file
// after this window read or wrote it: Save asks before replacing that version.
TEST_F(MainWindowTest, SaveOverAFileChangedOnDiskAsksFirstAndNoOffersAnotherName)
{
    const QString file = path("prog.tkm");
    auto changeOnDisk = [&](const char *line, int secondsAhead) {
        ASSERT_TRUE(saveProgramFile(file, {StyledLine {u(line), {}}}, nullptr));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(secondsAhead),
                                  QFileDevice::FileModificationTime));
    };
    auto onDisk = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        const std::optional<StyledText> text = readRtf(f.readAll());
        return text ? plainLines(*text) : QStringList();
    };
    changeOnDisk("STEP", 0);
    open({}, "[int]\nlanguage=eng\n");
    window->show();
    prompts.openPaths.enqueue(file);
    window->action(Command::Open)->trigger();
    setProgram("STEP\nJUMP");
    window->action(Command::Save)->trigger();
    EXPECT_TRUE(prompts.questions.isEmpty()) << "its own file, unchanged since it was read";
    EXPECT_EQ(onDisk(), (QStringList {u("STEP"), u("JUMP")}));

    changeOnDisk("TEACHER", 3600);
    setProgram("STEP\nSTEP");
    prompts.answers.enqueue(false);   // No: another name, and that dialog cancelled
    window->action(Command::Save)->trigger();
    const QString asked =
        uiText("window.changedOnDisk", Language::Eng).value_or(QString()).arg(QDir::toNativeSeparators(file));
    EXPECT_EQ(prompts.questions, QStringList {asked}) << "in the interface Language";
    EXPECT_EQ(prompts.saveTitles.size(), 1);
    EXPECT_EQ(onDisk(), QStringList {u("TEACHER")});
    EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Changed);

    prompts.answers.enqueue(true);
    window->action(Command::Save)->trigger();
    EXPECT_EQ(prompts.questions.size(), 2);
    EXPECT_EQ(onDisk(), (QStringList {u("STEP"), u("STEP")}));
    setProgram("JUMP");
    window->action(Command::Save)->trigger();
    EXPECT_EQ(prompts.questions.size(), 2) << "saved here last: no question";
    EXPECT_EQ(onDisk(), QStringList {u("JUMP")});
    EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Saved);
}
