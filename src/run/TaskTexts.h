// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "run/Grading.h"

#include <QString>
#include <QStringList>

// A Check task verdict in words a ten-year-old reads, in the interface Language: the window's
// result panel and the class report say the same thing the same way.

// Why a program did not draw to its end.
enum class RunFailure {
    None,
    Check,
    Run,
    TickLimit
};

// "Field 2 (10 × 8): right", counting fields from 1.
QString fieldVerdictHeading(int index, const TaskField &field, bool passed, Language lang);
// What differs on a failed field, one sentence each: the segments missing, extra and in
// another colour, the end position when it matters, or why the run did not end.
QStringList fieldVerdictDetails(const FieldVerdict &verdict, const TaskField &field, Language lang);
// Why a program did not run to its end on a field, as the run in the window would say it.
QString runFailureText(const FieldDrawing &drawing, Language lang);
// The same, as the class report says it beside the check's or the run's own report.
QString runStopText(RunFailure failure, int line, qint64 ticks, Language lang);
// A check's or a run's report, worded by the program's Language `keywords`, worded again in
// `lang`; the program text it quotes stays as the pupil wrote it.
ErrorReport errorReportIn(const ErrorReport &report, Language keywords, Language lang);
// The robot's heading (0 to 7, turning by 45 degrees) in words.
QString headingText(int heading, Language lang);
// What differs on a field that ended, one sentence each; `goalEnd` only when the end matters
// and the pupil's robot (at `end`) is not there.
QStringList differenceTexts(int missing, int extra, int colourDiffers, const TaskGoalEnd *goalEnd,
                            const TaskGoalEnd &end, Language lang);
// The construct in words of `lang`, naming a command by its keyword in `keywords`, the
// Language the program is written in.
QString taskConstructText(TaskConstruct construct, Language keywords, Language lang);
QString ruleBreakText(const RuleBreak &rule, Language keywords, Language lang);
