// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "documents/ProgramFile.h"
#include "world/TraceRecorder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A task a teacher sets: what the model program draws on each check field, and the rules
// the pupil's program must keep. The model program itself is never stored, so a pupil who
// opens the file finds the drawing, not the solution.

// The statement kinds a rule can ask for or forbid, by the names the file and the command
// line use.
enum class TaskConstruct {
    CountedLoop,   // "loop"
    ConditionalLoop,   // "while"
    Condition,   // "condition"
    Procedure,   // "procedure": a procedure and its call
    Jump,   // "jump"
    DestroyRebuild,   // "destroy"
    Colour,   // "colour"
};
constexpr int TaskConstructCount = 7;
QString taskConstructName(TaskConstruct c);
std::optional<TaskConstruct> taskConstructFromName(const QString &name);

struct TaskGoalEnd {
    int x = 0, y = 0;
    int heading = 0;   // 0 east .. 7 north-east, clockwise on screen, as the robot's
    bool operator==(const TaskGoalEnd &) const = default;
};

struct TaskField {
    int width = 16, height = 20;
    QList<TraceRecorder::Drawn> goal;   // in TraceRecorder's fixed order
    std::optional<TaskGoalEnd> end;   // only when the end position matters
    qint64 modelTicks = 0;   // what the model took here: the pupil's tick limit grows with it
};

struct TaskRules {
    std::optional<int> maxStatementLines;   // comments and empty lines do not count
    QList<TaskConstruct> required, forbidden;
};

struct Task {
    static constexpr int Version = 1;
    static constexpr int MaxFields = 4;
    static constexpr qint64 MaxFileBytes = 1 << 20;

    QString title;   // one line
    QString text;   // paragraphs separated by empty lines
    std::optional<Language> language;   // the keywords the pupil must write in; none: any
    QList<TaskField> fields;   // 1 to MaxFields
    TaskRules rules;
    std::optional<StyledText> start;   // the program the pupil starts from
};

// Why a task file was refused; `where` names the place in the file ("fields[2].goal[5]"),
// `number` the value that was out of range (a version, a size, a byte count, an offset).
struct TaskFileError {
    enum class Kind {
        TooLarge,
        NotJson,   // number: the byte offset of the fault
        NotATask,
        UnknownVersion,
        Missing,
        BadValue,
        FieldSizeOutOfRange,
        ColourOutOfRange,
        SegmentOutOfField,
    };
    Kind kind = Kind::BadValue;
    QString where;
    qint64 number = 0;
};

// A task file is known by its name: a program file may hold anything.
inline bool isTaskFileName(const QString &path)
{
    return path.endsWith(QLatin1String(".tkt"), Qt::CaseInsensitive);
}

QByteArray writeTask(const Task &task);
// Reads what writeTask wrote; anything else is refused whole, never half-read.
std::optional<Task> readTask(const QByteArray &bytes, TaskFileError &error);

// The refusal in the Language's words, naming the place in the file.
QString taskFileErrorText(const TaskFileError &error, Language lang);
// Reads a task file from disk, at most Task::MaxFileBytes; on failure *error says why, in lang.
std::optional<Task> loadTaskFile(const QString &path, QString *error, Language lang);
// Writes it whole or not at all; on failure *error says why, in lang.
bool saveTaskFile(const QString &path, const Task &task, QString *error, Language lang);
