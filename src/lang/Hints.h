// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "lang/ProgramText.h"
#include <QString>
#include <QStringList>

// Beginner mistakes the check reports without saying why: a hint for a rejected line, and
// the structure the check lets through but the run treats in surprising ways.
namespace Hints {

// Whether the normalised line is a statement of the keyword Language, as the check's last
// rule reads it.
bool isStatement(const QString &n, Language keywords);

// At most one hint for the raw line the check reported, in the interface Language; empty
// when the line matches none of the known mistakes.
QString forLine(const QString &raw, Language keywords, Language interface);

// At most one hint for a report of the check, in the interface Language: the line's own
// hint, or for a call of a missing procedure its name and the nearest header; for a report
// that names no line (no begin or end found), the line that probably meant the begin or
// the end, or the other keyword Language the whole program is written in.
QString forReport(const ProgramText &text, int reportLine, Language keywords, Language interface);

// Warnings, one per finding, for a program the check found clean: loops without their
// end, ends of loops or conditions with nothing open, conditions without the then-marker,
// colour names the run does not know.
QStringList structureWarnings(const ProgramText &text, Language keywords, Language interface);

}   // namespace Hints
