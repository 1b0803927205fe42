// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Commands.h"
#include <iterator>

namespace {

using C = Command;
using E = EnabledIn;

// In the order of Command, so a command finds its row by number.
// clang-format off
constexpr CommandRow kCommands[] = {
    // id, object name, caption, shortcut, icon, theme icon, button, own hint, button performs item,
    // enabled in
    {C::New, "mmNew", "menu.new", "Ctrl+N", "new", "document-new", "tbNew", nullptr, true, E::IdleOrRunning},
    {C::Open, "mmOpen", "menu.open", "Ctrl+O", "open", "document-open", "tbOpen", nullptr, true, E::IdleOrRunning},
    {C::Save, "mmSave", "menu.save", "Ctrl+S", "save", "document-save", "tbSave", nullptr, true, E::IdleOrRunning},
    {C::SaveAs, "mmSaveAs", "menu.saveAs", "", "save-as", "document-save-as", "tbSaveAs", nullptr, true, E::IdleOrRunning},
    {C::SavePicture, "N2", "menu.savePicture", "", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::Exit, "mmExit", "menu.exit", "Alt+X", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::Undo, "mmUndo", "menu.undo", "Ctrl+Z", "undo", "edit-undo", "ToolButton19", nullptr, true, E::IdleOrRunning},
    {C::Redo, "mmRedo", "menu.redo", "Ctrl+Y", "redo", "edit-redo", "ToolButton24", nullptr, true, E::IdleOrRunning},
    {C::Cut, "mmCut", "menu.cut", "Ctrl+X", "cut", "edit-cut", "ToolButton25", nullptr, true, E::IdleOrRunning},
    {C::Copy, "mmCopy", "menu.copy", "Ctrl+C", "copy", "edit-copy", "ToolButton26", nullptr, true, E::IdleOrRunning},
    {C::Paste, "mmPaste", "menu.paste", "Ctrl+V", "paste", "edit-paste", "ToolButton27", nullptr, true, E::IdleOrRunning},
    {C::ClearAlgorithm, "mmClearAlg", "menu.clearAlgorithm", "", "clear-algorithm", nullptr, "ToolButton29", nullptr, true, E::IdleOrRunning},
    {C::ClearField, "mmClearRobField", "menu.clearField", "", "clear-field", nullptr, "ToolButton30", nullptr, true, E::IdleOrRunning},
    {C::Refresh, "mmRefresh", "menu.refresh", "Alt+Q", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::SelectAll, "mmSelAll", "menu.selectAll", "Ctrl+A", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::BeginEnd, "mmCOMbegend", "menu.beginEnd", "", "begin-end", nullptr, "ToolButton16", nullptr, true, E::Always},
    {C::Step, "mmCOMstep", "menu.step", "Ctrl+F1", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::Jump, "mmCOMjump", "menu.jump", "Ctrl+F2", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::Rotate45, "mmCOMrot45", "menu.rotate45", "Ctrl+F3", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::Rotate90, "mmCOMrot90", "menu.rotate90", "Ctrl+F4", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::CreateProcedure, "mmCOMproccreate", "menu.createProcedure", "Ctrl+F5", "create-procedure", nullptr, "ToolButton22", nullptr, true, E::Always},
    {C::CallProcedure, "mmCOMprocexec", "menu.callProcedure", "Ctrl+F6", "call-procedure", nullptr, "ToolButton23", nullptr, true, E::Always},
    {C::CountedLoop, "mmCOMcyclun", "menu.countedLoop", "Ctrl+F7", "counted-loop", nullptr, "ToolButton20", nullptr, true, E::Always},
    {C::ConditionalLoop, "mmCOMcicluIF", "menu.conditionalLoop", "Ctrl+F8", "conditional-loop", nullptr, "ToolButton11", nullptr, true, E::Always},
    {C::Condition, "mmCOMcycluif2", "menu.condition", "Ctrl+F9", "condition", nullptr, "ToolButton12", nullptr, true, E::Always},
    {C::Colour, "mmCOMcolor", "menu.colour", "Ctrl+F10", "colour", nullptr, "ToolButton14", nullptr, true, E::Always},
    {C::Destroy, "mmCOMdestroy", "menu.destroy", "Ctrl+F11", "destroy", nullptr, "ToolButton17", nullptr, true, E::Always},
    {C::Rebuild, "mmCOMrebuild", "menu.rebuild", "Ctrl+F12", "rebuild", nullptr, "ToolButton18", nullptr, true, E::Always},
    {C::Run, "mmExecute", "menu.run", "F9", "run", "media-playback-start", "ToolButton1", "toolbar.run.hint", false, E::Idle},
    {C::Pause, "mmPause", "menu.pause", "", "pause", "media-playback-pause", "ToolButton3", "toolbar.pause.hint", false, E::Running},
    {C::Stop, "mmStop", "menu.stop", "Esc", "stop", "media-playback-stop", "ToolButton2", "toolbar.stop.hint", false, E::Running},
    {C::Check, "mmOrfo", "menu.checkSpelling", "F5", "check", "tools-check-spelling", "ToolButton5", "toolbar.checkSpelling.hint", true, E::Idle},
    {C::ManualMode, "mmManualRegim", "menu.manualMode", "", "manual-mode", nullptr, "ToolButton10", "toolbar.manualMode.hint", true, E::IdleOrManual},
    {C::Preferences, "mmPref", "menu.preferences", "", "preferences", "preferences-system", "ToolButton34", nullptr, true, E::Idle},
    {C::Help, "mmHelp", "menu.helpIndex", "F1", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::About, "mmAbout", "menu.about", "", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::TranslateProgram, "mmTranslate", "menu.translateProgram", "", nullptr, nullptr, "", nullptr, true, E::Idle},
    {C::StepLine, "mmStepLine", "menu.stepLine", "F8", nullptr, nullptr, "", nullptr, true, E::IdleOrRunning},
    {C::RunToCursor, "mmRunToCursor", "menu.runToCursor", "F4", nullptr, nullptr, "", nullptr, true, E::IdleOrRunning},
    {C::RunState, "mmRunState", "menu.runState", "", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::CheckTask, "mmCheckTask", "menu.checkTask", "Shift+F5", "check-task", nullptr, "tbCheckTask", "toolbar.checkTask.hint", true, E::Idle},
    {C::ShowGoal, "mmShowGoal", "menu.showGoal", "", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::MakeTask, "mmMakeTask", "menu.makeTask", "", nullptr, nullptr, "", nullptr, true, E::Idle},
    {C::Print, "mmPrint", "menu.print", "Ctrl+P", nullptr, nullptr, "", nullptr, true, E::IdleOrManual},
    {C::PrintPreview, "mmPrintPreview", "menu.printPreview", "", nullptr, nullptr, "", nullptr, true, E::IdleOrManual},
    {C::ExportWorksheet, "mmExportWorksheet", "menu.exportWorksheet", "", nullptr, nullptr, "", nullptr, true, E::IdleOrManual},
    {C::StepBack, "mmStepBack", "menu.stepBack", "Shift+F8", nullptr, nullptr, "", nullptr, true, E::IdleOrRunning},
    {C::StepForward, "mmStepForward", "menu.stepForward", "Ctrl+Shift+F8", nullptr, nullptr, "", nullptr, true, E::IdleOrRunning},
    {C::MarkLineSegments, "mmMarkLineSegments", "menu.markLineSegments", "", nullptr, nullptr, "", nullptr, true, E::Always},
    {C::HandIn, "mmHandIn", "menu.handIn", "", nullptr, nullptr, "", nullptr, true, E::Idle},
};

// In the order of MenuId.
constexpr MenuRow kMenus[] = {
    {MenuId::File, "N1", "menu.file", E::IdleOrManual},
    {MenuId::Edit, "N9", "menu.edit", E::IdleOrManual},
    {MenuId::View, "mmView", "menu.view", E::Always},
    {MenuId::Commands, "N10", "menu.commands", E::IdleOrManual},
    {MenuId::SystemCommands, "N54", "menu.commands.system", E::IdleOrRunning},
    {MenuId::SimpleCommands, "N15", "menu.commands.simple", E::Always},
    {MenuId::AdvancedCommands, "N16", "menu.commands.advanced", E::IdleOrRunning},
    {MenuId::SpecialCommands, "N22", "menu.commands.special", E::IdleOrRunning},
    {MenuId::Program, "N3", "menu.program", E::Always},
    {MenuId::Help, "N6", "menu.help", E::IdleOrManual},
    {MenuId::Examples, "mmExamples", "menu.examples", E::Always},
};

template <typename Row, std::size_t N, typename Id>
constexpr bool inOrder(const Row (&rows)[N], Id count)
{
    if (N != std::size_t(count)) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (rows[i].id != Id(i)) return false;
    return true;
}
static_assert(inOrder(kCommands, Command::Count_), "one row per Command, in its order");
static_assert(inOrder(kMenus, MenuId::Count_), "one row per MenuId, in its order");

constexpr MenuEntry top(MenuId m) { return {MenuEntry::Kind::Menu, m, C::Count_}; }
constexpr MenuEntry sub(MenuId m) { return {MenuEntry::Kind::Submenu, m, C::Count_}; }
constexpr MenuEntry item(Command c) { return {MenuEntry::Kind::Item, MenuId::Count_, c}; }
constexpr MenuEntry separator {MenuEntry::Kind::Separator, MenuId::Count_, C::Count_};

// The examples submenu is not here: it is filled from a folder at run time.
constexpr MenuEntry kMenuLayout[] = {
    top(MenuId::File),
    item(C::New), item(C::Open), separator, item(C::Save), item(C::SaveAs), item(C::SavePicture),
    separator, item(C::Print), item(C::PrintPreview), item(C::ExportWorksheet),
    separator, item(C::MakeTask), item(C::HandIn), separator, item(C::Exit),
    top(MenuId::Edit),
    item(C::Undo), item(C::Redo), separator, item(C::Cut), item(C::Copy), item(C::Paste), separator,
    item(C::ClearAlgorithm), item(C::ClearField), item(C::Refresh), separator, item(C::SelectAll),
    top(MenuId::View),
    item(C::ShowGoal),
    item(C::MarkLineSegments),
    top(MenuId::Commands),
    sub(MenuId::SystemCommands), item(C::BeginEnd),
    sub(MenuId::SimpleCommands), item(C::Step), item(C::Jump), item(C::Rotate45), item(C::Rotate90),
    sub(MenuId::AdvancedCommands), item(C::CreateProcedure), item(C::CallProcedure),
    item(C::CountedLoop), item(C::ConditionalLoop), item(C::Condition),
    sub(MenuId::SpecialCommands), item(C::Colour), item(C::Destroy), item(C::Rebuild),
    top(MenuId::Program),
    item(C::Run), item(C::Pause), item(C::Stop), item(C::StepLine), item(C::RunToCursor), separator,
    item(C::Check), item(C::CheckTask), item(C::ManualMode), item(C::RunState),
    item(C::StepBack), item(C::StepForward), separator, item(C::Preferences), separator,
    item(C::TranslateProgram),
    top(MenuId::Help),
    item(C::Help), item(C::About),
};

constexpr ToolBarEntry button(Command c) { return {false, c}; }
constexpr ToolBarEntry gap {true, C::Count_};

constexpr ToolBarEntry kFileToolBar[] = {
    button(C::New), button(C::Open), gap, button(C::Save), button(C::SaveAs), gap,
    button(C::Undo), button(C::Redo), gap, button(C::Cut), button(C::Copy), button(C::Paste), gap,
    button(C::ClearAlgorithm), button(C::ClearField), gap, button(C::Preferences),
};
constexpr ToolBarEntry kRunToolBar[] = {
    button(C::Run), button(C::Pause), button(C::Stop), gap, button(C::Check), button(C::CheckTask), button(C::ManualMode),
};
constexpr ToolBarEntry kCommandToolBar[] = {
    button(C::BeginEnd), gap, button(C::CreateProcedure), button(C::CallProcedure),
    button(C::CountedLoop), button(C::ConditionalLoop), button(C::Condition), gap,
    button(C::Colour), button(C::Destroy), button(C::Rebuild),
};
// clang-format on

// In the order of ToolBarId.
struct ToolBarRow {
    const char *objectName;
    std::span<const ToolBarEntry> entries;
    EnabledIn bar;   // the bar as a whole
    EnabledIn buttons;   // each button, on top of its command's modes
};
// The command bar's buttons insert into the editor, which is locked in a run and in manual mode,
// though their items stay for the menus to lock.
const ToolBarRow kToolBars[] = {{"ToolBar5", kFileToolBar, E::Idle, E::Always},
                                {"ToolBar1", kRunToolBar, E::Always, E::Always},
                                {"ToolBar2", kCommandToolBar, E::Always, E::Idle}};

}   // namespace

const CommandRow &commandRow(Command command) { return kCommands[int(command)]; }
const MenuRow &menuRow(MenuId menu) { return kMenus[int(menu)]; }
std::span<const MenuEntry> menuLayout() { return kMenuLayout; }

std::span<const ToolBarEntry> toolBarLayout(ToolBarId bar) { return kToolBars[int(bar)].entries; }
const char *objectName(ToolBarId bar) { return kToolBars[int(bar)].objectName; }
EnabledIn toolBarEnabledIn(ToolBarId bar) { return kToolBars[int(bar)].bar; }
EnabledIn toolBarButtonsEnabledIn(ToolBarId bar) { return kToolBars[int(bar)].buttons; }
