#pragma once
#include "lang/TextTable.h"

// One row of the main menu: its object name, kind, captions and shortcut.
struct MenuRow {
    const char *name;     // object name, e.g. "mmNew"; "-" for a separator
    char kind;            // 'M' top menu, 'S' submenu, 'I' item, '-' separator
    const char *text[3];  // rus, rom, eng
    const char *shortcut; // QKeySequence text, "" for none
};

const MenuRow *menuRows(int *count);
// Captions of every other control of the main window, by object name or key.
std::optional<QString> uiText(const char *key, Language lang);
