// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "run/Grading.h"
#include "run/TaskTexts.h"
#include <QByteArray>
#include <QList>
#include <QSize>
#include <QStringList>
#include <optional>

// trakmil --compare MODEL PUPIL... [--field WxH] [--diff DIR] [--report FILE]: runs every
// program without the window and grades what each pupil drew against the model, segment by
// segment with the colours, and where the robot ended. MODEL may be a task (.tkt): then each
// pupil is graded on every field and rule of the task.
namespace CompareMode {

struct Options {
    QString model;
    QStringList pupils;
    std::optional<Language> language;   // for every file; otherwise each file's own
    Language preferred = Language::Rus;   // settles a tie in telling a file's Language
    int fieldWidth = 16, fieldHeight = 20;
    int speed = 3;
    QString diffDir;   // a PNG per differing pupil (against a task, per failing field), when set
    QString reportPath;   // the class report (HTML), when set
    bool pictures = false;   // the report's pictures in the grading, with no report written
    Language interfaceLanguage = Language::Eng;   // of the class report
    // 0: no limit. Without it the model may take 10,000,000 ticks and each pupil ten times
    // the model's ticks and 100,000 more, so one endless pupil costs no more than the class.
    std::optional<qint64> maxTicks;
};

using ::ModelTickLimit;
using ::pupilTickLimit;

using ::RunFailure;

// A pupil's drawing on one field of a task, for the class report.
struct FieldGrade {
    bool passed = false;
    RunFailure failure = RunFailure::None;
    int line = 0;   // of the error, from 1; 0 when it names none
    qint64 ticks = 0;
    QStringList details;   // the report as --check or --run prints it, for an error
    int missing = 0, extra = 0, colourDiffers = 0;
    std::optional<TaskGoalEnd> goalEnd;   // only when the end matters
    TaskGoalEnd end;   // where the pupil's robot ended
    bool endDiffers = false;   // only when the end matters: the node or the heading
    QByteArray pupilPng, diffPng;   // empty for a passed field: the goal stands for it
};

// One pupil's grade, for the verdict line and the class report.
struct PupilGrade {
    enum class Verdict {
        Same,   // against a task: solved
        Differs,   // a different drawing, or a check or run error (a pupil's mistake)
        Unreadable
    };
    QString file;
    Verdict verdict = Verdict::Same;
    QString reason;   // why it differs: the counts, or the error and its line
    using Failure = RunFailure;
    Failure failure = Failure::None;
    int line = 0;   // of the error, from 1; 0 when it names none
    qint64 ticks = 0;
    int missing = 0, extra = 0, colourDiffers = 0;
    bool sameEnd = true;
    QStringList details;   // the report as --check or --run prints it, for an error
    // With a report written and the pictures not kept (Options::pictures), the program and
    // the details are dropped once the pupil's row is written, as the pictures are.
    QStringList program;
    Language language = Language::Rus;
    // For the class report only; empty when there is none, or when it is the model's.
    QByteArray pupilPng, diffPng;
    // Against a task: each field in the task's order, and the rules broken (the construct
    // keywords in `language`).
    QList<FieldGrade> fields;
    QList<RuleBreak> rules;
};

// The task a class was graded against, for the class report.
struct TaskSummary {
    QString title, text;
    QList<QSize> fields;
    QList<QByteArray> goalPngs;   // a picture per field
};

struct Grading {
    QStringList lines;   // standard output: one verdict (or report) per pupil
    QStringList problems;   // standard error: files that could not be read or written
    QStringList notes;   // standard error: files read in a Language other than the settings'
    int exitCode = 0;   // 0 all same, 1 some differ or fail, 2 a file or usage error
    QList<PupilGrade> pupils;
    QStringList modelProgram;
    Language modelLanguage = Language::Rus;
    QByteArray modelPng;   // for the class report only
    QSize field;   // of the drawings against a model
    std::optional<TaskSummary> task;   // when graded against a task
};

// Against the model program, or against a task when the model is a task file (.tkt).
Grading grade(const Options &options);

bool wanted(const QStringList &arguments);
int run(const QStringList &arguments);

}   // namespace CompareMode
