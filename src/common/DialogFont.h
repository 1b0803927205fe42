// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>

// The 8-point sans-serif dialog font of every window, menu and message box. Liberation Sans
// has the metrics the fixed sizes and places of the windows were made for.
QFont dialogFont();
