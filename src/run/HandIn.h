// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "documents/ProgramFile.h"
#include "run/Grading.h"
#include "run/TaskFile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// A pupil's hand-in: the program as a .tkm, so that every reader opens it, with a record in
// its notes of who handed it in, for which task, when, what Check task said then, and how the
// pupil worked. The teacher's class overview reads the record back.
struct HandInRecord {
    QString pupil;   // as the pupil typed it
    QString taskTitle;   // empty without a task
    QString taskId;   // taskIdentifier of the task; empty without one
    QDateTime handedIn;   // UTC, to the second
    // The verdict of Check task on the program handed in, when a task was open: per field,
    // and the broken rules in the words of ruleBreakCode.
    QList<bool> fieldsRight;
    QStringList brokenRules;
    bool checked = false;   // false: there is no verdict (no task, or none could be made)
    int runs = 0, checks = 0, taskChecks = 0;   // since the program was opened or created
    int minutes = 0;   // the window had the program open, since then

    bool solved() const;
    // Written out: the toolkit's list comparison hands two empty lists' null data to memcmp.
    bool operator==(const HandInRecord &other) const;
};

// The note keys, all under "handIn.".
void addHandInNotes(ProgramNotes &notes, const HandInRecord &record);
// Nothing when the notes hold no hand-in (no pupil); a value that is not what the writer
// writes is read as absent (a count as 0), never trusted.
std::optional<HandInRecord> handInFromNotes(const ProgramNotes &notes);

// Names a task by what it asks, not by its file: the fields, goals, ends and rules, so a
// renamed or copied task file is the same task. 16 hex digits.
QString taskIdentifier(const Task &task);

// "lines 14 10", "missing loop", "forbidden jump 7": a broken rule as the record keeps it,
// free of any Language, and back.
QString ruleBreakCode(const RuleBreak &rule);
std::optional<RuleBreak> ruleBreakFromCode(const QString &code);

// A part of a file name made from any text: letters of every script kept, the characters
// no file system takes (and control characters) made '_', spaces collapsed, no leading or
// trailing dot or space, no device name, at most maxChars characters; "_" for nothing.
QString safeFileNamePart(const QString &text, int maxChars);
// "Pupil - Task - 2026-12-10 10-42-05.tkm" (local time), safe on every file system.
QString handInFileName(const HandInRecord &record);

// Writes the hand-in into the folder under handInFileName, or with " (2)", " (3)" ... when
// such a file is there already: nothing is ever replaced, and nothing is written outside
// the folder. On failure nothing is left behind and *error says why, in lang. On success
// *written holds the file's path.
bool writeHandIn(const QString &folder, const StyledText &program, ProgramNotes notes,
                 const HandInRecord &record, QString *written, QString *error, Language lang);
