// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
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
// Option values shared by the modes. Each says what is wrong on stderr and returns false on
// a bad value, so the caller only has to end with the usage exit code.
bool readLanguage(const QString &code, Language &lang);   // a code of languageChoices()
// The built-in Languages' codes as the usage texts name them, "rus, rom or eng"; joined by
// `separator` alone when one is given ("rus|rom|eng").
QString languageChoices(const QString &separator = QString());
// "16x20" and the like, kept to the field's limits; a size outside them is changed with a warning.
bool readFieldSize(const QString &text, int &x, int &y);
bool readMaxTicks(const QString &text, qint64 &ticks);   // 0 or more

}   // namespace ConsoleText
