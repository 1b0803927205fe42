// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "cli/CompareMode.h"
#include "run/HandIn.h"
#include "base/SafeFile.h"

#include <QDate>
#include <optional>

// trakmil --class FOLDER [--task TASK.tkt | --model MODEL.tkm] --report FILE [--csv FILE] [--all]:
// the teacher's overview of a folder of hand-ins. The latest hand-in of each pupil (for each
// task) is graded as --compare grades it; the page and the table say who solved it, who
// handed in the starting program unchanged and who handed in the same program as another.
namespace ClassMode {

struct Options {
    QString folder;
    QString task, model;   // at most one; with neither, only who handed in what
    QString reportPath, csvPath;
    bool all = false;   // every hand-in, not only each pupil's latest
    std::optional<Language> language;   // of every program; otherwise each one's own
    Language preferred = Language::Rus;
    Language interfaceLanguage = Language::Eng;
    int fieldWidth = 16, fieldHeight = 20, speed = 3;
    std::optional<qint64> maxTicks;
    QDate date;   // in the page's heading; today when not set
};

// One row: a hand-in, or a file that could not be read.
struct Row {
    QString file;   // the name in the folder
    QString pupil;   // the record's, or the file's base name without one
    std::optional<HandInRecord> record;
    QDateTime time;   // handed in: the record's, or the file's last change without one
    QString refused;   // why the file was not read, in the interface Language; empty when read
    QStringList program;
    std::optional<CompareMode::PupilGrade> grade;   // with a task or a model
    bool unchangedStart = false;
    QStringList sameProgramAs, sameDrawingAs;   // other pupils, the first few by name
    int sameProgramCount = 0, sameDrawingCount = 0;   // all of them
};

struct Overview {
    QString folder;
    QString taskTitle;   // empty without a task
    QDate date;
    QList<Row> rows;   // sorted by pupil, then time
    std::optional<CompareMode::TaskSummary> task;
    bool model = false;   // graded against a model program
    QByteArray modelPng;
    QSize field;   // of the drawings against the model
    bool hasStart = false;   // the task has a starting program
    int solved = 0, unchanged = 0, copies = 0, refused = 0, otherTask = 0;
    QStringList problems;   // for standard error
    bool failed = false;   // nothing could be graded: the task or the model is unusable
};

Overview build(const Options &options);
QString overviewHtml(const Overview &overview, Language lang);
QByteArray overviewPage(const Overview &overview, Language lang);   // the same page, in UTF-8
QString summaryText(const Overview &overview, Language lang);
// UTF-8 with a byte order mark, CRLF lines, every cell quoted.
QByteArray overviewCsv(const Overview &overview, Language lang);
// The page and the table written into a file a row at a time, as writeFileSafely would write
// them whole: the file's old content stays on any failure.
bool writeOverviewPage(const QString &path, const Overview &overview, Language lang, FileError *error);
bool writeOverviewCsv(const QString &path, const Overview &overview, Language lang, FileError *error);

bool wanted(const QStringList &arguments);
int run(const QStringList &arguments);

}   // namespace ClassMode
