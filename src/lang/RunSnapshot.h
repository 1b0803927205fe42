// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/StatementForms.h"
#include "world/RobotWorld.h"
#include <QString>
#include <optional>
#include <vector>

// What a run looks like from outside at one moment: read-only, copied out, so a window can
// show it without reaching into the interpreter.
struct RunSnapshot {
    struct Loop {
        int headerLine = 0;
        bool counted = false;
        qint64 pass = 0;   // 1 for the first pass of a counted loop
        std::optional<qint32> count;   // a counted loop's N, when it converts
        QString test;   // a conditional loop's test text
        Forms::Test holdsNow = Forms::Test::Unrecognised;   // with the sensors as they are
    };
    struct Call {
        QString name;   // as written after the call keyword
        int callerLine = 0;   // where the end of the procedure returns to
    };

    bool active = false;
    bool paused = false;
    int shownLine = -1;   // the line last executed, as the editor selects it
    int nextLine = 0;
    std::vector<Loop> loops;   // innermost first
    std::vector<Call> calls;   // innermost first
    RobotState robot;
    qint64 ticks = 0;
    int speed = 0;
};
