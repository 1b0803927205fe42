// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "common/ObjectNames.h"
#include "app/Commands.h"
#include "world/widgets/FieldView.h"
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
}   // namespace

TEST_F(MainWindowTest, ManualCommandsOnlyWriteOutsideManualMode)
{
    open();
    control<QPushButton>(ObjectName::StepButton)->click();
    EXPECT_EQ(window->editor()->toPlainText(), u("ШАГ"));
    EXPECT_EQ(window->robotWorld().state().x, 0);
}

TEST_F(MainWindowTest, ManualModeLocksEditingAndMovesTheRobot)
{
    open();
    window->toolButton(Command::ManualMode)->click();
    ASSERT_TRUE(window->action(Command::ManualMode)->isChecked());
    EXPECT_TRUE(window->toolButton(Command::ManualMode)->isChecked());
    EXPECT_TRUE(window->action(Command::ManualMode)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(ObjectName::RecordingCheckBox)->isVisibleTo(window.get()));
    for (const char *name :
         {ObjectName::NewItem, ObjectName::OpenItem, ObjectName::SaveItem, ObjectName::UndoItem,
          ObjectName::PasteItem, ObjectName::ClearAlgorithmItem, ObjectName::ClearFieldItem,
          ObjectName::RunItem, ObjectName::CheckItem, ObjectName::PreferencesItem,
          ObjectName::SystemCommandsMenu, ObjectName::AdvancedCommandsMenu, ObjectName::SpecialCommandsMenu,
          ObjectName::RunButton, ObjectName::CheckButton, ObjectName::BeginEndButton,
          ObjectName::RebuildButton})
        EXPECT_FALSE(enabled(name)) << name;
    for (const char *name : {ObjectName::SavePictureItem, ObjectName::ExitItem, ObjectName::RefreshItem,
                             ObjectName::SelectAllItem, ObjectName::SimpleCommandsMenu, ObjectName::StepItem,
                             ObjectName::HelpItem})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_TRUE(window->editor()->isReadOnly());

    window->action(Command::Step)->trigger();   // recording off
    EXPECT_EQ(window->robotWorld().state().x, 1);
    EXPECT_TRUE(window->editor()->toPlainText().isEmpty());
    EXPECT_EQ(panel(StatusPanel::Position), u("Робот: x=1, y=0"));

    control<QCheckBox>(ObjectName::RecordingCheckBox)->setChecked(true);
    control<QPushButton>(ObjectName::Rotate90Button)->click();
    EXPECT_EQ(window->robotWorld().state().heading, 2);
    EXPECT_EQ(window->editor()->toPlainText(), u("ПОВОРОТ 90"));

    window->action(Command::ManualMode)->trigger();
    EXPECT_FALSE(window->action(Command::ManualMode)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(ObjectName::RecordingCheckBox)->isVisibleTo(window.get()));
    EXPECT_FALSE(window->editor()->isReadOnly());
    for (const char *name : {ObjectName::NewItem, ObjectName::AdvancedCommandsMenu, ObjectName::RunButton,
                             ObjectName::BeginEndButton})
        EXPECT_TRUE(enabled(name)) << name;
    window->action(Command::ManualMode)->trigger();
    EXPECT_TRUE(control<QCheckBox>(ObjectName::RecordingCheckBox)->isChecked());
}

TEST_F(MainWindowTest, ManualStepOffTheFieldReportsAndStillRecords)
{
    open({}, "[int]\nlanguage=rom\n");
    window->action(Command::ManualMode)->trigger();
    control<QCheckBox>(ObjectName::RecordingCheckBox)->setChecked(true);
    control<QPushButton>(ObjectName::Rotate90Button)->click();
    control<QPushButton>(ObjectName::Rotate90Button)->click();
    control<QPushButton>(ObjectName::Rotate90Button)->click();   // facing north at (0, 0)
    control<QPushButton>(ObjectName::StepButton)->click();
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].heading, u("#03: Eroarea trakmilului "));
    EXPECT_TRUE(window->editor()->toPlainText().endsWith(u("PAS")));
    EXPECT_TRUE(window->action(Command::ManualMode)->isChecked());
    EXPECT_FALSE(enabled(ObjectName::RunItem));
    EXPECT_TRUE(window->editor()->isReadOnly());
    EXPECT_EQ(panel(StatusPanel::Position), u("Robot: x=0, y=0"));
}

TEST_F(MainWindowTest, FieldContextMenuClearDoesNothingInManualMode)
{
    open();
    window->action(Command::ManualMode)->trigger();
    window->action(Command::Step)->trigger();
    ASSERT_EQ(window->robotWorld().state().x, 1);
    window->findChild<QAction *>((ObjectName::FieldClearItem))->trigger();
    EXPECT_EQ(window->robotWorld().state().x, 1);
    emit window->field()->doubleClicked();
    EXPECT_EQ(window->robotWorld().state().x, 0);
}
