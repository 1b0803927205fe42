// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <span>

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
    CheckTask,
    ShowGoal,
    MakeTask,
    Print,
    PrintPreview,
    ExportWorksheet,
    StepBack,
    StepForward,
    MarkLineSegments,
    HandIn,
    Count_
};
constexpr int commandCount = int(Command::Count_);

enum class MenuId {
    File,
    Edit,
    View,
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

// What the window is doing, as far as its commands care. A pause keeps the locks of its run, so
// running and paused are one mode here; manual mode is only entered from idle.
enum class WindowMode : unsigned char {
    Idle = 1,
    Running = 2,
    Manual = 4
};
// The modes a command, a menu or a tool bar is enabled in (the table's column).
enum class EnabledIn : unsigned char {
    Idle = 1,
    Running = 2,
    Manual = 4,
    IdleOrRunning = 3,
    IdleOrManual = 5,
    Always = 7
};
constexpr bool enabledIn(EnabledIn when, WindowMode mode) { return (unsigned(when) & unsigned(mode)) != 0; }

// One row per command (the table is in Commands.cpp): all the window needs to make its menu
// item and tool button. Adding a command means its row, its captions in the text catalogue, its
// place in the menu or tool-bar lists beside the table, and its handler.
struct CommandRow {
    Command id;
    const char *objectName;   // the menu item's, e.g. "mmNew" (kept for tests and styles)
    const char *caption;   // catalogue key of the item's caption
    const char *shortcut;   // QKeySequence text, "" for none
    const char *icon;   // resources/icons/<icon>.svg; nullptr without a picture
    const char *themeIcon;   // freedesktop name where a standard icon means the same, else nullptr
    const char *button;   // the tool button's object name, "" without a button
    // Hint rule: nullptr, the button's hint is the item's caption in every Language; otherwise
    // the catalogue key of a hint of its own, which a Language other than the three leaves as is.
    const char *hint;
    bool buttonPerformsItem;   // false: the button has a handler of its own (run control)
    // The modes its item and its tool button are enabled in; Undo and Redo also need a step
    // to take, and a tool bar may narrow its buttons further (toolBarButtonsEnabledIn).
    EnabledIn enabled;
};

struct MenuRow {
    MenuId id;
    const char *objectName;
    const char *caption;   // catalogue key
    EnabledIn enabled;   // the menu as a whole: a disabled menu also silences its items' shortcuts
};

// The main menu in order: top menus, their submenus, items and separators.
struct MenuEntry {
    enum class Kind : char {
        Menu,
        Submenu,
        Item,
        Separator
    };
    Kind kind;
    MenuId menu;   // Menu and Submenu
    Command command;   // Item
};

// A tool bar's buttons in order, with separators between groups.
struct ToolBarEntry {
    bool separator;
    Command command;
};

const CommandRow &commandRow(Command command);
const MenuRow &menuRow(MenuId menu);
std::span<const MenuEntry> menuLayout();
std::span<const ToolBarEntry> toolBarLayout(ToolBarId bar);

inline const char *objectName(Command command) { return commandRow(command).objectName; }
inline const char *buttonObjectName(Command command) { return commandRow(command).button; }
inline const char *objectName(MenuId menu) { return menuRow(menu).objectName; }
const char *objectName(ToolBarId bar);
EnabledIn toolBarEnabledIn(ToolBarId bar);   // the bar as a whole
EnabledIn toolBarButtonsEnabledIn(ToolBarId bar);   // on top of each button's own command
constexpr ToolBarId toolBarIds[] = {ToolBarId::File, ToolBarId::Run, ToolBarId::Commands};
