// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "run/Grading.h"

#include <QString>
#include <QStringList>

// A Check task verdict in words a ten-year-old reads, in the interface Language: the window's
// result panel and the class report say the same thing the same way.

// "Field 2 (10 × 8): right", counting fields from 1.
QString fieldVerdictHeading(int index, const TaskField &field, bool passed, Language lang);
// What differs on a failed field, one sentence each: the segments missing, extra and in
// another colour, the end position when it matters, or why the run did not end.
QStringList fieldVerdictDetails(const FieldVerdict &verdict, const TaskField &field, Language lang);
// Why a program did not run to its end on a field, as the run in the window would say it.
QString runFailureText(const FieldDrawing &drawing, Language lang);
// The construct in words of `lang`, naming a command by its keyword in `keywords`, the
// Language the program is written in.
QString taskConstructText(TaskConstruct construct, Language keywords, Language lang);
QString ruleBreakText(const RuleBreak &rule, Language keywords, Language lang);
