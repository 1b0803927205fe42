// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every command of the main window: a menu item, and the tool button that performs it if any.
enum class Command {
    New,
    Open,
    Save,
    SaveAs,
    SavePicture,
    Exit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    ClearAlgorithm,
    ClearField,
    Refresh,
    SelectAll,
    BeginEnd,
    Step,
    Jump,
    Rotate45,
    Rotate90,
    CreateProcedure,
    CallProcedure,
    CountedLoop,
    ConditionalLoop,
    Condition,
    Colour,
    Destroy,
    Rebuild,
    Run,
    Pause,
    Stop,
    Check,
    ManualMode,
    Preferences,
    Help,
    About,
    TranslateProgram,
    StepLine,
    RunToCursor,
    RunState,
    Count_
};
constexpr int commandCount = int(Command::Count_);

enum class MenuId {
    File,
    Edit,
    Commands,
    SystemCommands,
    SimpleCommands,
    AdvancedCommands,
    SpecialCommands,
    Program,
    Help,
    Examples,
    Count_
};

enum class ToolBarId {
    File,
    Run,
    Commands
};

// The object names the menus and tool bars are built with (data, kept for tests and styles).
const char *objectName(Command command);
const char *buttonObjectName(Command command);   // "" without a button
const char *objectName(MenuId menu);
const char *objectName(ToolBarId bar);
