// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Commands.h"

namespace {

struct CommandNames {
    const char *item;
    const char *button;
};

const CommandNames kCommands[commandCount] = {
    {"mmNew", "tbNew"},   // New
    {"mmOpen", "tbOpen"},   // Open
    {"mmSave", "tbSave"},   // Save
    {"mmSaveAs", "tbSaveAs"},   // SaveAs
    {"N2", ""},   // SavePicture
    {"mmExit", ""},   // Exit
    {"mmUndo", "ToolButton19"},   // Undo
    {"mmRedo", "ToolButton24"},   // Redo
    {"mmCut", "ToolButton25"},   // Cut
    {"mmCopy", "ToolButton26"},   // Copy
    {"mmPaste", "ToolButton27"},   // Paste
    {"mmClearAlg", "ToolButton29"},   // ClearAlgorithm
    {"mmClearRobField", "ToolButton30"},   // ClearField
    {"mmRefresh", ""},   // Refresh
    {"mmSelAll", ""},   // SelectAll
    {"mmCOMbegend", "ToolButton16"},   // BeginEnd
    {"mmCOMstep", ""},   // Step
    {"mmCOMjump", ""},   // Jump
    {"mmCOMrot45", ""},   // Rotate45
    {"mmCOMrot90", ""},   // Rotate90
    {"mmCOMproccreate", "ToolButton22"},   // CreateProcedure
    {"mmCOMprocexec", "ToolButton23"},   // CallProcedure
    {"mmCOMcyclun", "ToolButton20"},   // CountedLoop
    {"mmCOMcicluIF", "ToolButton11"},   // ConditionalLoop
    {"mmCOMcycluif2", "ToolButton12"},   // Condition
    {"mmCOMcolor", "ToolButton14"},   // Colour
    {"mmCOMdestroy", "ToolButton17"},   // Destroy
    {"mmCOMrebuild", "ToolButton18"},   // Rebuild
    {"mmExecute", "ToolButton1"},   // Run
    {"mmPause", "ToolButton3"},   // Pause
    {"mmStop", "ToolButton2"},   // Stop
    {"mmOrfo", "ToolButton5"},   // Check
    {"mmManualRegim", "ToolButton10"},   // ManualMode
    {"mmPref", "ToolButton34"},   // Preferences
    {"mmHelp", ""},   // Help
    {"mmAbout", ""},   // About
    {"mmTranslate", ""},   // TranslateProgram
    {"mmStepLine", ""},   // StepLine
    {"mmRunToCursor", ""},   // RunToCursor
    {"mmRunState", ""},   // RunState
};

const char *const kMenus[] = {"N1", "N9", "N10", "N54", "N15", "N16", "N22", "N3", "N6", "mmExamples"};
const char *const kToolBars[] = {"ToolBar5", "ToolBar1", "ToolBar2"};

}   // namespace

const char *objectName(Command command) { return kCommands[int(command)].item; }
const char *buttonObjectName(Command command) { return kCommands[int(command)].button; }
const char *objectName(MenuId menu) { return kMenus[int(menu)]; }
const char *objectName(ToolBarId bar) { return kToolBars[int(bar)]; }
