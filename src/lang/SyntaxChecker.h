// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Lexicon.h"
#include "lang/MessageCatalogue.h"
#include "lang/ProgramText.h"

// What a check or a run-time error reports: heading, texts (each may hold several
// lines) and the line to select, or -1 for none.
struct ErrorReport {
    bool error = false;
    int line = -1;
    QString heading;
    QStringList texts;
};

// The seven structural checks in order, stopping at the first error. Its one edit of
// the text: lines of nothing but spaces are emptied by the last check as it passes them.
ErrorReport checkProgram(ProgramText &text, const Lexicon &lex, const MessageCatalogue &msg);
