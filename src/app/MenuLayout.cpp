// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MenuLayout.h"
#include <iterator>

namespace {

const MenuRow kMenu[] = {
    {"N1", 'M', ""},
    {"mmNew", 'I', "Ctrl+N"},
    {"mmOpen", 'I', "Ctrl+O"},
    {"-", '-', ""},
    {"mmSave", 'I', "Ctrl+S"},
    {"mmSaveAs", 'I', ""},
    {"N2", 'I', ""},
    {"-", '-', ""},
    {"mmExit", 'I', "Alt+X"},
    {"N9", 'M', ""},
    {"mmUndo", 'I', "Ctrl+Z"},
    {"mmRedo", 'I', "Ctrl+Y"},
    {"-", '-', ""},
    {"mmCut", 'I', "Ctrl+X"},
    {"mmCopy", 'I', "Ctrl+C"},
    {"mmPaste", 'I', "Ctrl+V"},
    {"-", '-', ""},
    {"mmClearAlg", 'I', ""},
    {"mmClearRobField", 'I', ""},
    {"mmRefresh", 'I', "Alt+Q"},
    {"-", '-', ""},
    {"mmSelAll", 'I', "Ctrl+A"},
    {"N10", 'M', ""},
    {"N54", 'S', ""},
    {"mmCOMbegend", 'I', ""},
    {"N15", 'S', ""},
    {"mmCOMstep", 'I', "Ctrl+F1"},
    {"mmCOMjump", 'I', "Ctrl+F2"},
    {"mmCOMrot45", 'I', "Ctrl+F3"},
    {"mmCOMrot90", 'I', "Ctrl+F4"},
    {"N16", 'S', ""},
    {"mmCOMproccreate", 'I', "Ctrl+F5"},
    {"mmCOMprocexec", 'I', "Ctrl+F6"},
    {"mmCOMcyclun", 'I', "Ctrl+F7"},
    {"mmCOMcicluIF", 'I', "Ctrl+F8"},
    {"mmCOMcycluif2", 'I', "Ctrl+F9"},
    {"N22", 'S', ""},
    {"mmCOMcolor", 'I', "Ctrl+F10"},
    {"mmCOMdestroy", 'I', "Ctrl+F11"},
    {"mmCOMrebuild", 'I', "Ctrl+F12"},
    {"N3", 'M', ""},
    {"mmExecute", 'I', "F9"},
    {"mmPause", 'I', ""},
    {"mmStop", 'I', "Esc"},
    {"mmStepLine", 'I', "F8"},
    {"mmRunToCursor", 'I', "F4"},
    {"-", '-', ""},
    {"mmOrfo", 'I', "F5"},
    {"mmManualRegim", 'I', ""},
    {"mmRunState", 'I', ""},
    {"-", '-', ""},
    {"mmPref", 'I', ""},
    {"-", '-', ""},
    {"mmTranslate", 'I', ""},
    {"N6", 'M', ""},
    {"mmHelp", 'I', "F1"},
    {"mmAbout", 'I', ""},
};

}   // namespace

const MenuRow *menuRows(int *count)
{
    *count = int(std::size(kMenu));
    return kMenu;
}
