// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

void MainWindow::makeTaskCommand() { }
