// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Commands.h"
#include <QIcon>
#include <QPixmap>

// The pictures of the commands, on their menu items and tool buttons alike; the art is SVG
// under resources/icons, named in the command table. Commands without a picture (Exit, the simple robot commands…) get none.
bool hasIcon(Command command);
// The desktop theme's icon where a standard one fits, our own otherwise; cached. Null without art.
QIcon icon(Command command);
// Our own art at size × size pixels, whatever the theme.
QPixmap iconPixmap(Command command, int size);
// The art's file name without folder or suffix, e.g. "save-as"; "" without art.
const char *iconName(Command command);
// The application's own icon, the same art the desktop entry names.
QIcon applicationIcon();
// Makes the icon and about-window art reachable under ":/icons" and ":/about", and the help
// pages under ":/help".
void initResources();
