// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "documents/ProgramFile.h"
#include "base/Language.h"
#include <QStringList>

// trakmil --translate FILE --to L [--from L] [-o OUT]: the program rewritten
// into another keyword Language, as RTF the window would save, or as text on stdout.
namespace TranslateMode {

bool wanted(const QStringList &arguments);
// Returns the exit code: 0 every statement translated, 1 some line left as written (each
// named on stderr), 2 usage or file error.
int run(const QStringList &arguments);

// Every line in the colour the editor's full refresh gives it under the Language.
StyledText colouredProgram(const QStringList &lines, Language lang);

}   // namespace TranslateMode
