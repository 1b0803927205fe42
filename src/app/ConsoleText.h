// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/SyntaxChecker.h"
#include <QString>
#include <QStringList>

// Output and small argument helpers of the teachers' command-line modes.
namespace ConsoleText {

void out(const QString &line);   // one UTF-8 line to stdout
void err(const QString &line);   // one UTF-8 line to stderr, stdout flushed first
int usageError(const QString &why);   // the reason and the hint to --help; returns 2
// FILE:LINE: HEADING (FILE: HEADING without a line), then every text line indented: what
// --check prints.
QStringList reportLines(const QString &file, const ErrorReport &r);
// A fatal run-time box: its first line after FILE:, the rest indented.
QStringList fatalLines(const QString &file, const QString &text);
// The program's lines; on failure says why on stderr and returns false.
bool readProgram(const QString &path, QStringList &lines);
// "16x20" and the like; the values as written, not yet kept to the field's limits.
bool parseFieldSize(const QString &text, int &x, int &y);

}   // namespace ConsoleText
