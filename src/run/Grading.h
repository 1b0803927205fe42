// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/SyntaxChecker.h"
#include "run/HeadlessRun.h"
#include "run/TaskFile.h"
#include "world/TraceRecorder.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QStringList>

// Grading, one engine for the window's Check task and the teachers' command line: a program
// runs without a window on a field with a tick limit, and its drawing is compared with a goal.

// A model may take this many ticks; a pupil ten times the model's and 100,000 more, so that
// an endless pupil costs no more than a class of right ones.
constexpr qint64 ModelTickLimit = 10'000'000;
inline qint64 pupilTickLimit(qint64 modelTicks) { return 10 * modelTicks + 100'000; }

// What a program drew on one field, or why it did not end.
struct FieldDrawing {
    HeadlessRun::Result result = HeadlessRun::Result::End;
    TraceRecorder trace;
    QPoint end;
    int heading = 0;
    qint64 ticks = 0;
    int line = 0;   // of the error or where the run stopped, from 1; 0 when it names none
    QList<ErrorReport> reports;   // the check's or the run's, as --check and --run print them
    Language reportsLanguage = Language::Rus;   // the program's keywords, which the reports speak
    QString fatalText;

    bool ended() const { return result == HeadlessRun::Result::End; }
};

FieldDrawing drawOnField(const QStringList &lines, Language lang, QSize field, qint64 maxTicks,
                         int speed = 3);

// A broken rule of a task.
struct RuleBreak {
    enum class Kind {
        TooManyLines,   // count: the program's statement lines, limit: the task's
        Missing,   // construct: a kind the task asks for
        Forbidden   // construct: a kind the task does not allow; line: its first use, from 1
    };
    Kind kind = Kind::TooManyLines;
    TaskConstruct construct = TaskConstruct::CountedLoop;
    int count = 0, limit = 0, line = 0;
    bool operator==(const RuleBreak &) const = default;
};

// Statement lines: comments, directives and empty lines do not count.
int statementLineCount(const QStringList &lines, Language lang);
QList<RuleBreak> brokenRules(const TaskRules &rules, const QStringList &lines, Language lang);

struct FieldVerdict {
    FieldDrawing drawing;
    TraceComparison comparison;   // against the goal; empty when the program did not end
    bool endMatters = false;
    bool headingDiffers = false;

    bool passed() const
    {
        return drawing.ended() && comparison.missing.isEmpty() && comparison.extra.isEmpty() &&
               comparison.colourDiffers.isEmpty() &&
               (!endMatters || (comparison.sameEnd() && !headingDiffers));
    }
};

struct TaskVerdict {
    QList<FieldVerdict> fields;
    QList<RuleBreak> rules;
    bool solved() const;
};

// The goal as a recorder holds it, for comparisons and pictures.
TraceRecorder goalTrace(const TaskField &field);
FieldVerdict judgeField(const TaskField &field, FieldDrawing drawing);
// Runs the program on every field of the task with a pupil's tick limit and keeps every rule.
TaskVerdict checkAgainstTask(const Task &task, const QStringList &lines, Language lang, int speed = 3);

// Makes the goal of a task from a model program; nothing when the model does not run to its
// end on some field (the check fails, it leaves the field, an error or the tick limit):
// `failedField` names that field (from 0) and `failure` what happened there.
std::optional<QList<TaskField>> goalsFromModel(const QStringList &model, Language lang,
                                               const QList<QSize> &fields, bool endMatters, int &failedField,
                                               FieldDrawing &failure, int speed = 3);
