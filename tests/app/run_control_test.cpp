// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "common/ObjectNames.h"
#include "app/Commands.h"
#include "world/widgets/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include "base/TextCatalogue.h"
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QElapsedTimer>
#include <QThread>
#include <QApplication>

namespace {
const char *kSquare = "НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nШАГ\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА";
}

TEST_F(MainWindowTest, SpellingCommandShowsTheNoticeForOneTimerInterval)
{
    open();
    setProgram(kSquare);
    window->action(Command::Check)->trigger();
    EXPECT_TRUE(prompts.reports.isEmpty());
    EXPECT_TRUE(control<QLabel>(ObjectName::NoErrorsNotice)->isVisibleTo(window.get()));
    EXPECT_EQ(control<QLabel>(ObjectName::NoErrorsNotice)->geometry(), QRect(256, 184, 193, 41));
    EXPECT_FALSE(window->editor()->textCursor().hasSelection());
    EXPECT_TRUE(timer(ObjectName::NoticeTimer)->isActive());
    timeout(ObjectName::NoticeTimer);
    EXPECT_FALSE(control<QLabel>(ObjectName::NoErrorsNotice)->isVisibleTo(window.get()));
    EXPECT_FALSE(timer(ObjectName::NoticeTimer)->isActive());
}

TEST_F(MainWindowTest, CheckErrorLocksNothingAndSelectsTheLine)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАК\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].heading, QString::fromUtf8("#04: Ошибка в структуре программы"));
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_TRUE(enabled(ObjectName::RunItem));
    EXPECT_FALSE(timer(ObjectName::RunTimer)->isActive());
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("ШАК"));
    // The check behind the refusal found the error: Check alone finds it too, without the notice.
    window->action(Command::Check)->trigger();
    EXPECT_EQ(prompts.reports.size(), 2);
    EXPECT_FALSE(control<QLabel>(ObjectName::NoErrorsNotice)->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, RunLocksTheInterfaceAndStopRestoresIt)
{
    open();
    setProgram(kSquare);
    window->editor()->setCaret(2, 1);
    window->toolButton(Command::Run)->click();
    ASSERT_TRUE(window->runController().isActive());
    for (const char *name :
         {ObjectName::RunItem, ObjectName::CheckItem, ObjectName::ManualModeItem, ObjectName::PreferencesItem,
          ObjectName::FileMenu, ObjectName::EditMenu, ObjectName::CommandsMenu, ObjectName::HelpMenu,
          ObjectName::RunButton, ObjectName::CheckButton, ObjectName::ManualModeButton,
          ObjectName::BeginEndButton, ObjectName::ColourButton, ObjectName::PrintItem,
          ObjectName::PrintPreviewItem, ObjectName::ExportWorksheetItem})
        EXPECT_FALSE(enabled(name)) << name;
    for (const char *name : {ObjectName::PauseItem, ObjectName::StopItem, ObjectName::PauseButton,
                             ObjectName::StopButton, ObjectName::ClearFieldItem})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_FALSE(window->toolBar(ToolBarId::File)->isEnabled());
    EXPECT_FALSE(control<QPushButton>(ObjectName::StepButton)->isEnabled());
    EXPECT_TRUE(window->editor()->isReadOnly());
    EXPECT_TRUE(window->runController().isRunning());

    window->runController().tick();
    window->runController().tick();
    window->toolButton(Command::Pause)->click();   // pause
    EXPECT_FALSE(window->runController().isRunning());
    EXPECT_FALSE(timer(ObjectName::RunTimer)->isActive());
    window->toolButton(Command::Stop)->click();   // stop while paused
    EXPECT_FALSE(window->runController().isActive());
    for (const char *name : {ObjectName::RunItem, ObjectName::CheckItem, ObjectName::FileMenu,
                             ObjectName::EditMenu, ObjectName::RunButton, ObjectName::BeginEndButton})
        EXPECT_TRUE(enabled(name)) << name;
    for (const char *name :
         {ObjectName::PauseItem, ObjectName::StopItem, ObjectName::PauseButton, ObjectName::StopButton})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_FALSE(window->editor()->isReadOnly());
    EXPECT_EQ(window->editor()->caretLineColumn(), (LineColumn {2, 1}));
    EXPECT_FALSE(window->editor()->textCursor().hasSelection());
    EXPECT_FALSE(control<QLabel>(ObjectName::EndOfRunNotice)->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, NormalEndRestoresSpeedColourAndShowsTheNotice)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\n*$S=250\nЦВЕТ=КРАСНЫЙ\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->settings().speed = 4;
    window->action(Command::Run)->trigger();
    runToStop();
    EXPECT_EQ(window->settings().speed, 4);
    EXPECT_EQ(window->robotWorld().state().colour, 0x000000u);
    EXPECT_EQ(window->robotWorld().state().x, 1);
    EXPECT_TRUE(control<QLabel>(ObjectName::EndOfRunNotice)->isVisibleTo(window.get()));
    EXPECT_EQ(control<QLabel>(ObjectName::EndOfRunNotice)->geometry(), QRect(256, 184, 185, 41));
    EXPECT_EQ(panel(StatusPanel::Position), QString::fromUtf8("Робот: x=1, y=0"));
    timeout(ObjectName::NoticeTimer);
    EXPECT_FALSE(control<QLabel>(ObjectName::EndOfRunNotice)->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, PauseTwiceContinuesWithTheNextLine)
{
    open();
    setProgram(kSquare);
    window->action(Command::Run)->trigger();
    window->runController().tick();
    const int line = window->interpreter().currentLine();
    window->action(Command::Pause)->trigger();
    window->action(Command::Pause)->trigger();
    EXPECT_TRUE(window->runController().isRunning());
    EXPECT_TRUE(timer(ObjectName::RunTimer)->isActive());
    EXPECT_EQ(window->interpreter().currentLine(), line);
}

TEST_F(MainWindowTest, LeavingTheFieldStopsTheRunAndReportsTheLine)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nПОВОРОТ 90\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    runToStop();
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].heading, QString::fromUtf8("#03: Ошибка тракмила"));
    EXPECT_EQ(prompts.reports[0].texts,
              QStringList({QString::fromUtf8("Тракмил не может выходить за пределы поля!"),
                           QString::fromUtf8("Отредактируйте код алгоритма.")}));
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("ШАГ"));
    EXPECT_FALSE(control<QLabel>(ObjectName::EndOfRunNotice)->isVisibleTo(window.get()));
    EXPECT_TRUE(enabled(ObjectName::RunItem));
}

TEST_F(MainWindowTest, ARunOffTheFieldFromWhereTheLastOneEndedSaysHowToClearTheField)
{
    open();
    const char *tenSteps = "НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 10 РАЗ\nШАГ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА";
    setProgram(tenSteps);
    window->action(Command::Run)->trigger();
    runToStop();
    ASSERT_TRUE(prompts.reports.isEmpty());
    // Runs draw on one field until it is cleared: the second one goes on from node 10.
    window->action(Command::Run)->trigger();
    runToStop();
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].heading, QString::fromUtf8("#03: Ошибка тракмила"));
    EXPECT_EQ(window->robotWorld().state().x, 16);
    EXPECT_EQ(prompts.reports[0].hint, uiText("hint.robotNotAtStart", Language::Rus).value());
    // The hint names the menu items as the window shows them.
    for (const char *code : {"rus", "rom"}) {
        window->settings().language = QString::fromLatin1(code);
        window->applyLanguage();
        const QString path = plainCaption(window->menu(MenuId::Edit)->title()) + QString::fromUtf8(" → ") +
                             plainCaption(window->action(Command::ClearField)->text());
        EXPECT_TRUE(
            uiText("hint.robotNotAtStart", languageFromCode(QString::fromLatin1(code)))->contains(path))
            << path.toStdString();
    }
    window->settings().language = QStringLiteral("rus");
    window->applyLanguage();

    // From a cleared field, or by a manual step, leaving the field needs no such hint.
    prompts.reports.clear();
    window->action(Command::ClearField)->trigger();
    setProgram("НАЧАЛО АЛГОРИТМА\nПОВОРОТ 90\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    runToStop();
    window->action(Command::ManualMode)->trigger();
    window->findChild<QPushButton *>(QLatin1String(ObjectName::StepButton))->click();
    ASSERT_EQ(prompts.reports.size(), 2);
    EXPECT_TRUE(prompts.reports[0].hint.isEmpty());
    EXPECT_TRUE(prompts.reports[1].hint.isEmpty());
}

TEST_F(MainWindowTest, TheCleanFieldPreferenceStartsEveryRunFromIdleOnAClearedField)
{
    open(QString(), "[int]\ncleanfield=1\n");
    ASSERT_TRUE(window->settings().cleanFieldEachRun);
    setProgram("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 10 РАЗ\nШАГ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    for (int run = 0; run < 2; ++run) {   // F9
        window->action(Command::Run)->trigger();
        runToStop();
        EXPECT_TRUE(prompts.reports.isEmpty());
        EXPECT_EQ(window->robotWorld().state().x, 10);
    }
    // F8 from idle clears; F8 while paused goes on where it is.
    window->action(Command::StepLine)->trigger();
    EXPECT_EQ(window->robotWorld().state().x, 0);
    EXPECT_EQ(window->robotWorld().traceAt(3, 1), 0);
    for (int i = 0; i < 5; ++i) window->action(Command::StepLine)->trigger();
    const int steppedTo = window->robotWorld().state().x;
    EXPECT_GT(steppedTo, 0);
    window->action(Command::Stop)->trigger();
    // A check error clears nothing.
    setProgram("НАЧАЛО АЛГОРИТМА\nШАК\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    EXPECT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(window->robotWorld().state().x, steppedTo);
    // F4 from idle: ten steps from the start, paused on the end line.
    setProgram("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 10 РАЗ\nШАГ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    window->editor()->setCaret(4, 0);
    window->action(Command::RunToCursor)->trigger();
    for (int i = 0; i < 1000 && window->runController().isRunning(); ++i) timeout(ObjectName::RunTimer);
    EXPECT_EQ(window->runController().state(), RunController::State::Paused);
    EXPECT_EQ(window->robotWorld().state().x, 10);
    EXPECT_EQ(prompts.reports.size(), 1);
}

TEST_F(MainWindowTest, DoubleClickClearsTheFieldOnlyWhenNothingAdvances)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nШАГ\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    for (int i = 0; i < 3; ++i) window->runController().tick();
    ASSERT_EQ(window->robotWorld().state().x, 2);
    emit window->field()->doubleClicked();
    EXPECT_EQ(window->robotWorld().state().x, 2);
    window->action(Command::Pause)->trigger();
    emit window->field()->doubleClicked();
    EXPECT_EQ(window->robotWorld().state().x, 0);
    EXPECT_EQ(window->robotWorld().traceAt(3, 1), 0);
}

TEST_F(MainWindowTest, ShortcutsOfALockedMenuDoNothing)
{
    open();
    window->show();
    setProgram(kSquare);
    window->action(Command::Run)->trigger();
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);   // New
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_FALSE(window->editor()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, EscapeStopsARunawayLoopAtFullSpeed)
{
    open();
    window->show();
    QApplication::setActiveWindow(window.get());
    setProgram("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ ЛИНИЯ\nПОВОРОТ 90\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    window->settings().speed = 5;
    window->action(Command::Run)->trigger();
    ASSERT_TRUE(window->runController().isActive());
    // Let the loop spin through the event loop (however slow the machine), then pause and
    // stop it from the keyboard.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->interpreter().loopDepth() > 0; }, 10000));
    window->toolButton(Command::Pause)->click();
    const int heading = window->robotWorld().state().heading;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(window->robotWorld().state().heading, heading);   // paused: nothing moves
    window->toolButton(Command::Pause)->click();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_FALSE(timer(ObjectName::RunTimer)->isActive());
    EXPECT_TRUE(prompts.reports.isEmpty());
}

TEST_F(MainWindowTest, EveryKindOfStopUnlocksTheInterface)
{
    struct Case {
        const char *name;
        const char *program;
        bool userStop;
        bool notice;
    };
    const Case cases[] = {
        {"normal end", "НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА", false, true},
        {"user stop", "НАЧАЛО АЛГОРИТМА\nШАГ\nШАГ\nКОНЕЦ АЛГОРИТМА", true, false},
        {"out of field", "НАЧАЛО АЛГОРИТМА\nПОВОРОТ 90\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА", false, false},
        {"unknown procedure at run time",
         "ПРОЦЕДУРА А\nВЫПОЛНИТЬ Б\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nВЫПОЛНИТЬ А\nКОНЕЦ АЛГОРИТМА", false,
         false},
        {"runaway recursion",
         "ПРОЦЕДУРА А\nВЫПОЛНИТЬ А\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nВЫПОЛНИТЬ А\nКОНЕЦ АЛГОРИТМА", false,
         false},
    };
    for (const Case &c : cases) {
        open();
        setProgram(c.program);
        window->settings().speed = 2;
        window->action(Command::Run)->trigger();
        ASSERT_TRUE(window->runController().isActive()) << c.name;
        if (c.userStop) {
            window->runController().tick();
            window->action(Command::Stop)->trigger();
        } else {
            runToStop(5000);
        }
        EXPECT_FALSE(window->runController().isActive()) << c.name;
        EXPECT_FALSE(window->runController().isRunning()) << c.name;
        EXPECT_EQ(window->settings().speed, 2) << c.name;
        EXPECT_EQ(window->robotWorld().state().colour, 0x000000u) << c.name;
        EXPECT_EQ(window->interpreter().loopDepth() + window->interpreter().callDepth(), 0) << c.name;
        for (const char *name :
             {ObjectName::RunItem, ObjectName::CheckItem, ObjectName::ManualModeItem,
              ObjectName::PreferencesItem, ObjectName::FileMenu, ObjectName::EditMenu,
              ObjectName::CommandsMenu, ObjectName::HelpMenu, ObjectName::RunButton, ObjectName::CheckButton,
              ObjectName::ManualModeButton, ObjectName::CountedLoopButton})
            EXPECT_TRUE(enabled(name)) << c.name << ' ' << name;
        for (const char *name :
             {ObjectName::PauseItem, ObjectName::StopItem, ObjectName::PauseButton, ObjectName::StopButton})
            EXPECT_FALSE(enabled(name)) << c.name << ' ' << name;
        EXPECT_FALSE(window->editor()->isReadOnly()) << c.name;
        EXPECT_TRUE(control<QPushButton>(ObjectName::Rotate45Button)->isEnabled()) << c.name;
        EXPECT_EQ(control<QLabel>(ObjectName::EndOfRunNotice)->isVisibleTo(window.get()), c.notice) << c.name;
    }
}

TEST_F(MainWindowTest, ALateTimerCatchesUpOneTickAtATime)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nПОВОРОТ 90\nПОВОРОТ 90\nПОВОРОТ 90\nПОВОРОТ 90\nПОВОРОТ 90\nПОВОРОТ 90\n"
               "КОНЕЦ АЛГОРИТМА");
    window->settings().speed = 5;
    window->action(Command::Run)->trigger();
    timeout(ObjectName::RunTimer);   // the begin line; the 1 ms schedule starts here
    ASSERT_EQ(timer(ObjectName::RunTimer)->interval(), 1);
    const int line = window->interpreter().currentLine();
    QThread::msleep(6);   // the timer comes several periods late
    timeout(ObjectName::RunTimer);
    EXPECT_EQ(window->interpreter().currentLine(), line + 2);   // one owed tick, never a burst
    EXPECT_EQ(window->robotWorld().state().heading, 4);
}

TEST_F(MainWindowTest, FieldContextMenuWorksWhileRunningAndWhilePaused)
{
    open();
    window->show();
    setProgram("НАЧАЛО АЛГОРИТМА\nЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ\nШАГ\nКОНЕЦ ЦИКЛА\nКОНЕЦ АЛГОРИТМА");
    auto *menu = window->findChild<QMenu *>(QStringLiteral("PopupMenu2"));
    auto *clear = window->findChild<QAction *>(QStringLiteral("PopupClearField"));
    auto *save = window->findChild<QAction *>(QStringLiteral("PopupSavePicture"));
    ASSERT_TRUE(menu && clear && save);
    auto requestMenu = [this] {
        const QPoint at(100, 120);
        QContextMenuEvent ev(QContextMenuEvent::Mouse, at, window->field()->mapToGlobal(at));
        QCoreApplication::sendEvent(window->field(), &ev);
    };

    window->action(Command::Run)->trigger();
    ASSERT_TRUE(window->runController().isRunning());
    for (int paused = 0; paused < 2; ++paused) {
        SCOPED_TRACE(paused ? "paused" : "running");
        for (int i = 0; i < 10 && window->robotWorld().state().x == 0; ++i) window->runController().tick();
        ASSERT_GT(window->robotWorld().state().x, 0);
        if (paused) window->action(Command::Pause)->trigger();
        ASSERT_TRUE(window->runController().isActive());
        requestMenu();
        EXPECT_TRUE(menu->isVisible());
        menu->hide();

        // Clearing resets the world under the program, which goes on.
        const int x = window->robotWorld().state().x;
        clear->trigger();
        EXPECT_EQ(window->robotWorld().state().x, 0) << "was at " << x;
        EXPECT_TRUE(window->runController().isActive());
        EXPECT_EQ(window->runController().isRunning(), !paused);

        const QString picture = path(paused ? "paused.bmp" : "running.bmp");
        prompts.savePaths.enqueue(picture);
        save->trigger();
        EXPECT_TRUE(QFileInfo(picture).isFile());
        EXPECT_TRUE(prompts.messages.isEmpty());
        EXPECT_TRUE(window->runController().isActive());
    }
    // The program runs on from the cleared field to its end.
    window->action(Command::Pause)->trigger();
    ASSERT_TRUE(window->runController().isRunning());
    runToStop();
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_TRUE(prompts.reports.isEmpty());
}

// At top speed the run line, the panels and the field are shown once a frame; a pause must
// show the last tick at once, whatever the frame clock says, and a slower speed every tick.
TEST_F(MainWindowTest, APauseAtTopSpeedShowsTheLastTickAndSlowerSpeedsShowEveryTick)
{
    // A clock that stands still: however slow the machine, no tick is owed and no frame is due.
    runClockNs = [] { return qint64(0); };
    open();
    window->show();
    setProgram("НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙ\nШАГ\nШАГ\nШАГ\nПОВОРОТ 90\nШАГ\nПОВОРОТ 45\nКОНЕЦ АЛГОРИТМА");
    window->settings().speed = 5;
    window->action(Command::Run)->trigger();
    for (int i = 0; i < 7; ++i) timeout(ObjectName::RunTimer);   // through the step after the turn
    ASSERT_EQ(window->robotWorld().state().y, 1);
    window->action(Command::Pause)->trigger();
    EXPECT_EQ(window->editor()->textCursor().blockNumber(), 6);
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("ШАГ"));
    EXPECT_EQ(panel(StatusPanel::Position), *WorldTexts::positionPanel(window->language(), 3, 1));
    EXPECT_EQ(window->field()->shownPixel(79, 29) | 0xFF000000u, 0xFFFF0000u);   // the last segment
    EXPECT_EQ(window->field()->sprite()->pos(), window->field()->pos() + QPoint(-1 + 60, -3 + 20));
    EXPECT_EQ(window->field()->sprite()->picture(), 2);   // south

    window->runController().setSpeed(4);
    window->action(Command::Pause)->trigger();   // on again, now at 70 ms a tick
    timeout(ObjectName::RunTimer);
    EXPECT_EQ(window->editor()->textCursor().blockNumber(), 7);
    EXPECT_EQ(window->robotWorld().state().heading, 3);
    EXPECT_EQ(window->field()->sprite()->picture(), 3);   // south-east
    timeout(ObjectName::RunTimer);
    EXPECT_EQ(window->editor()->textCursor().blockNumber(), 8);
    window->action(Command::Stop)->trigger();
}

// The step off the field is reported on its own line, even when the frame that would have
// selected it was not yet due.
TEST_F(MainWindowTest, AStepOffTheFieldAtTopSpeedReportsItsLine)
{
    open();
    window->show();
    setProgram("НАЧАЛО АЛГОРИТМА\nПОВОРОТ 90\nПОВОРОТ 90\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->settings().speed = 5;
    window->action(Command::Run)->trigger();
    for (int i = 0; i < 6 && window->runController().isActive(); ++i) timeout(ObjectName::RunTimer);
    ASSERT_FALSE(window->runController().isActive());
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(window->editor()->textCursor().blockNumber(), 3);
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("ШАГ"));
}
