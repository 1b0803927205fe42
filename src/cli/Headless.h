// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The teachers' command-line modes: --check FILE... and --run FILE, with --help and
// --version. They need no display.
namespace Headless {

// Looks at the arguments before any application object exists. False when the window
// is wanted: no arguments, a first argument that is not an option (the program file to
// open), or one of the toolkit's own options.
bool isCommandLineMode(int argc, char **argv);

// Runs the mode on its own offscreen application object and returns the exit code:
// 0 all clean / end, 1 check failure or run-time error, 2 usage or file error,
// 3 tick limit reached.
int runCommandLine(int argc, char **argv);

}   // namespace Headless
