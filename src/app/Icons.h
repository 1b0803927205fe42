// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>
#include <QPixmap>

// The icons of menus and tool bars, one per action; the art is SVG under resources/icons.
enum class IconId {
    New,
    Open,
    Save,
    SaveAs,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    ClearAlgorithm,
    ClearField,
    Run,
    Pause,
    Stop,
    Check,
    ManualMode,
    Preferences,
    BeginEnd,
    CreateProcedure,
    CallProcedure,
    CountedLoop,
    ConditionalLoop,
    Condition,
    Colour,
    Destroy,
    Rebuild,
    Count_
};

constexpr int iconCount = int(IconId::Count_);

// The desktop theme's icon where a standard one fits, our own otherwise; cached.
QIcon icon(IconId id);
// Our own art at size × size pixels, whatever the theme.
QPixmap iconPixmap(IconId id, int size);
// The art's file name without folder or suffix, e.g. "save-as".
const char *iconName(IconId id);
// The application's own icon, the same art the desktop entry names.
QIcon applicationIcon();
// Makes the icon and about-window art reachable under ":/icons" and ":/about".
void initArtResources();
