// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/TextCatalogue.h"

// One row of the main menu: its object name, kind and shortcut; its caption is "menu." + name
// in the text catalogue.
struct MenuRow {
    const char *name;   // object name, e.g. "mmNew"; "-" for a separator
    char kind;   // 'M' top menu, 'S' submenu, 'I' item, '-' separator
    const char *shortcut;   // QKeySequence text, "" for none
};

const MenuRow *menuRows(int *count);
