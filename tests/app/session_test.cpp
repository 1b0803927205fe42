// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "app/Commands.h"
#include "editor/AlgorithmEditor.h"
#include "world/widgets/FieldView.h"
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

// A pupil's whole session through the real window: files, picture, manual mode with
// recording, and a run, with the event loop turning in between as on a desktop.
TEST_F(MainWindowTest, APupilsSessionFromFilesToManualModeAndARun)
{
    open();
    window->show();
    QApplication::setActiveWindow(window.get());
    auto settle = [] {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    };
    window->action(Command::BeginEnd)->trigger();
    for (int i = 0; i < 3; ++i) window->action(Command::Step)->trigger();
    settle();
    prompts.savePaths.enqueue(path("session.tkm"));
    window->action(Command::Save)->trigger();
    window->action(Command::New)->trigger();
    settle();
    prompts.openPaths.enqueue(path("session.tkm"));
    window->action(Command::Open)->trigger();
    settle();
    prompts.savePaths.enqueue(path("session.bmp"));
    window->action(Command::SavePicture)->trigger();

    // Recorded commands go where the caret stands: inside the algorithm, after its begin.
    int beginLine = 0;
    while (beginLine < window->editor()->lineCount() &&
           window->editor()->line(beginLine) != QString::fromUtf8("НАЧАЛО АЛГОРИТМА"))
        ++beginLine;
    window->editor()->setCaret(beginLine + 1, 0);
    window->action(Command::ManualMode)->trigger();
    control<QCheckBox>(ObjectName::RecordingCheckBox)->setChecked(true);
    for (int i = 0; i < 40; ++i) {
        control<QPushButton>(i % 7 == 0 ? ObjectName::Rotate90Button
                                        : (i % 5 == 0 ? ObjectName::JumpButton : ObjectName::StepButton))
            ->click();
        settle();
    }
    EXPECT_FALSE(prompts.reports.isEmpty());   // the robot met the edge at least once
    window->action(Command::ManualMode)->trigger();
    settle();

    window->action(Command::Refresh)->trigger();
    const int reportsBefore = int(prompts.reports.size());
    window->action(Command::Check)->trigger();
    ASSERT_EQ(prompts.reports.size(), reportsBefore) << "the recorded program fails its check";
    window->action(Command::Run)->trigger();
    runToStop(100000);
    settle();
    EXPECT_FALSE(window->runController().isActive());
    // The recorded moves, replayed inside the algorithm, stay on the field to the end.
    EXPECT_EQ(prompts.reports.size(), reportsBefore);
    EXPECT_TRUE(QFileInfo::exists(path("session.bmp")));
    EXPECT_EQ(window->currentFile(), path("session.tkm"));
}
