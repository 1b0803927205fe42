// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's parts that stand without a window: the recovery keeper, the held frame,
// running to the cursor, the settings file and the dialogs' owner.
#include "app/HeldFrame.h"
#include "app/HelpWindow.h"
#include "app/RecoveryKeeper.h"
#include "app/RunStateWindow.h"
#include "app/RunToCursor.h"
#include "app/SettingsFile.h"
#include "app/WindowDialogs.h"
#include "common/ScriptedPrompts.h"
#include "documents/widgets/PreferencesDialog.h"
#include "editor/AlgorithmEditor.h"
#include "editor/ColourDialog.h"
#include "run/RunController.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tkr")}, QDir::Files);
}

class SilentView : public RunView {
public:
    void lockForRun(bool) override { }
    void startTicks() override { }
    void stopTicks() override { }
    void setTickInterval(int) override { }
    void runStopped() override { }
    void selectRunLine(int) override { }
    int caretLine() const override { return 0; }
    void reportError(const ErrorReport &) override { }
    void fatalMessage(const QString &) override { }
    void positionPanel(int, int) override { }
    void endOfRunNotice() override { }
};

class FixedHost : public PreferencesHost {
public:
    Settings values;
    Settings &settings() override { return values; }
    bool writeSettings() override { return true; }
    void resetField() override { }
    void setAdvancedToolBarVisible(bool) override { }
    void applyLanguage() override { }
};

}   // namespace

TEST(RecoveryKeeper, ACopyIsDueAfterAChangeCarriesTheLastChangeAndGoesOnlyOnceWritten)
{
    QTemporaryDir dir;
    QObject window;
    int due = 0;
    RecoveryKeeper keeper(&window, dir.path(), [&] { ++due; });
    ASSERT_TRUE(keeper.isOn());
    auto *timer = window.findChild<QTimer *>(QStringLiteral("recoveryTimer"), Qt::FindDirectChildrenOnly);
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive()) << "nothing changed yet";
    keeper.drop();   // nothing written: nothing to discard
    EXPECT_TRUE(copiesIn(dir.path()).isEmpty());

    const QDateTime first = QDateTime::fromMSecsSinceEpoch(1'700'000'000'000);
    keeper.changed(first);
    keeper.changed(first.addSecs(1));
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), RecoveryKeeper::kDelayMs);
    EXPECT_EQ(keeper.lastChange(), first.addSecs(1));
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);   // as the clock would
    EXPECT_EQ(due, 1) << "the owner writes the text it knows";

    keeper.write({StyledText {}, QString(), keeper.lastChange(), std::nullopt});
    EXPECT_TRUE(keeper.written());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(copiesIn(dir.path()).size(), 1);
    keeper.changed(first.addSecs(2));
    keeper.drop();
    EXPECT_FALSE(keeper.written());
    EXPECT_FALSE(timer->isActive()) << "a save leaves no copy due";
    EXPECT_TRUE(copiesIn(dir.path()).isEmpty());
}

TEST(RecoveryKeeper, AFolderThatCannotBeMadeTurnsItOffAndIsNamedOnce)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = dir.filePath(QStringLiteral("file/recovery"));
    QObject window;
    int due = 0;
    RecoveryKeeper keeper(&window, folder, [&] { ++due; });
    EXPECT_FALSE(keeper.isOn());
    EXPECT_EQ(keeper.takeFailedFolder(), QDir::toNativeSeparators(folder));
    EXPECT_TRUE(keeper.takeFailedFolder().isEmpty());
    keeper.changed(QDateTime::currentDateTime());
    EXPECT_FALSE(window.findChild<QTimer *>(QStringLiteral("recoveryTimer"))->isActive());

    RecoveryKeeper off(&window, QString(), [] {});
    EXPECT_FALSE(off.isOn());
    EXPECT_TRUE(off.takeFailedFolder().isEmpty()) << "off by choice is nothing to tell";
}

TEST(HeldFrame, TicksFasterThanAFrameShowTheirLastLineAndPanelsOnceAFrame)
{
    qint64 nowNs = 0;
    QObject window;
    QList<int> shownLines;
    int panels = 0, fields = 0, line = 0;
    QList<bool> holds;
    HeldFrame *frame = nullptr;
    // What a run line does to the window: the line and the panels it changed.
    auto oneLine = [&] {
        ++line;
        if (!frame->holdRunLine(line)) shownLines << line;
        if (!frame->holdPanels()) ++panels;
    };
    HeldFrame held(&window,
                   {.tick = oneLine,
                    .running = [] { return true; },
                    .holdField = [&](bool on) { holds << on; },
                    .showRunLine = [&](int l) { shownLines << l; },
                    .showPanels = [&] { ++panels; },
                    .showField = [&] { ++fields; }},
                   [&] { return nowNs; });
    frame = &held;
    EXPECT_EQ(window.findChild<QTimer *>(QStringLiteral("runTimer")), &held.timer());

    // Running to the cursor: flat out, two lines a timeout.
    auto flatOut = [&](int ms) {
        nowNs = ms * 1'000'000LL;
        held.pacer().timeoutFlatOut([&] {
            oneLine();
            oneLine();
        });
    };
    for (int ms = 0; ms < 15; ms += 3) flatOut(ms);
    EXPECT_TRUE(shownLines.isEmpty());
    EXPECT_EQ(panels, 0);
    EXPECT_EQ(held.heldRunLine(), line) << "the caret is about to be on the last line";
    flatOut(17);
    EXPECT_EQ(shownLines, QList<int> {line}) << "one line a frame, the last one";
    EXPECT_EQ(panels, 1);
    EXPECT_EQ(fields, 1);
    EXPECT_EQ(held.heldRunLine(), -1);

    // A pause shows at once, and from then on nothing is held.
    held.pacer().release();
    EXPECT_EQ(holds, (QList<bool> {true, false}));
    held.timer().setInterval(100);
    held.pacer().timeout();
    EXPECT_EQ(shownLines.last(), line);
    EXPECT_EQ(panels, 2);
}

TEST(RunToCursor, PausesBeforeTheAimedLineAndPutsBackTheSpeedsInterval)
{
    StringListProgramText text({"ALGORITHM BEGIN", "STEP", "STEP", "STEP", "STEP", "ALGORITHM END"});
    RobotWorld world;
    SilentView view;
    RunController run(world, view);
    run.setProgram(&text);
    run.setLanguage(Language::Eng);
    QTimer timer;
    RunToCursor toCursor(timer);
    toCursor.setSpeedInterval(200);
    EXPECT_EQ(timer.interval(), 200);

    toCursor.aim(3, false);
    EXPECT_EQ(timer.interval(), 0) << "flat out on the way";
    toCursor.setSpeedInterval(300);   // a speed directive on the way
    EXPECT_EQ(timer.interval(), 0);
    run.start();
    EXPECT_TRUE(toCursor.ticks(run, false));
    EXPECT_EQ(run.state(), RunController::State::Paused);
    EXPECT_EQ(run.interpreter().currentLine(), 3);
    EXPECT_EQ(world.state().x, 2) << "the aimed line is not executed";
    EXPECT_FALSE(toCursor.isActive());
    EXPECT_EQ(timer.interval(), 300);

    // Standing on the line, the pupil asks for its next visit: the line is executed first.
    toCursor.aim(3, true);
    run.togglePause();
    EXPECT_FALSE(toCursor.ticks(run, false));
    EXPECT_EQ(world.state().x, 4) << "no later visit: the run goes to its end";
}

TEST(SettingsFile, AnUnreadableFileIsToldOnceAndNeverWrittenOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trakmil.ini"));
    const QByteArray damaged("[int]\nx_speed=2\n\x00\x00", 18);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged);
    f.close();

    SettingsFile file(path, QString());
    const Settings read = file.read();
    EXPECT_EQ(read.speed, Settings().speed) << "the defaults, not half a file";
    EXPECT_TRUE(file.takeNotice().isEmpty()) << "worded by the caller's Language first";
    file.wordProblem(Language::Eng);
    const QString notice = file.takeNotice();
    EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(file.takeNotice().isEmpty());
    file.read();
    file.wordProblem(Language::Eng);
    EXPECT_TRUE(file.takeNotice().isEmpty()) << "told once a session";

    QString error;
    Settings changed = read;
    changed.speed = 5;
    EXPECT_TRUE(file.write(changed, &error, Language::Eng));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), damaged);
    f.close();

    // Read from elsewhere: the file written is another, and it is written.
    const QString written = dir.filePath(QStringLiteral("written.ini"));
    SettingsFile elsewhere(written, path);
    elsewhere.read();
    EXPECT_TRUE(elsewhere.write(changed, &error, Language::Eng));
    EXPECT_TRUE(QFileInfo::exists(written));
}

TEST(WindowDialogs, EachIsMadeOnFirstUseForItsCommandAndKept)
{
    QWidget owner;
    AlgorithmEditor editor;
    ScriptedPrompts prompts;
    FixedHost host;
    bool manual = false;
    WindowDialogs dialogs({&owner, &host, &editor, &prompts, [&] { return manual; }});
    EXPECT_TRUE(owner.findChildren<QDialog *>().isEmpty());
    EXPECT_EQ(dialogs.runStateIfMade(), nullptr);

    const std::pair<Command, const char *> expected[] = {{Command::CreateProcedure, "Procedure_create"},
                                                         {Command::CallProcedure, "Procedure_execute"},
                                                         {Command::CountedLoop, "CycleN"},
                                                         {Command::ConditionalLoop, "CycleWhile"},
                                                         {Command::Condition, "ConditionIf"},
                                                         {Command::Colour, "FormColor"}};
    for (const auto &[command, name] : expected) {
        CommandDialog *dialog = dialogs.forCommand(command);
        ASSERT_NE(dialog, nullptr) << name;
        EXPECT_EQ(dialog->objectName(), QLatin1String(name));
        EXPECT_EQ(dialog->parentWidget(), &owner);
        EXPECT_EQ(dialogs.forCommand(command), dialog);
    }
    EXPECT_EQ(dialogs.forCommand(Command::Run), nullptr);
    auto *colour = qobject_cast<ColourDialog *>(dialogs.forCommand(Command::Colour));
    ASSERT_NE(colour, nullptr);
    manual = true;
    EXPECT_TRUE(colour->manualMode()) << "the colour dialog asks the window's mode as it is now";

    EXPECT_EQ(&dialogs.preferences(), &dialogs.preferences());
    EXPECT_EQ(&dialogs.extendedSettings(), &dialogs.extendedSettings());
    EXPECT_EQ(&dialogs.about(), &dialogs.about());
    EXPECT_EQ(&dialogs.help(), &dialogs.help());
    RunStateWindow *runState = &dialogs.runState();
    EXPECT_EQ(dialogs.runStateIfMade(), runState);
    EXPECT_EQ(owner.findChildren<QDialog *>(Qt::FindDirectChildrenOnly).size(), 9);
    EXPECT_EQ(owner.findChildren<HelpWindow *>().size(), 1);
    EXPECT_EQ(owner.findChild<QTimer *>(QStringLiteral("runStateTimer")), &dialogs.runStateTimer());
}
