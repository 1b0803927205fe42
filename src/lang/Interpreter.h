// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Lexicon.h"
#include "lang/MessageCatalogue.h"
#include "lang/ProgramText.h"
#include "lang/RunSnapshot.h"
#include "lang/SyntaxChecker.h"

#include <QHash>
#include <vector>

class RobotWorld;

// What one tick needs from its owner (the main window, or the headless runner).
class InterpreterHost {
public:
    virtual ~InterpreterHost() = default;
    virtual RobotWorld &world() = 0;
    virtual int xSpeed() const = 0;
    virtual void setXSpeed(int speed) = 0;
    virtual void setTickInterval(int ms) = 0;   // the run timer's interval
    virtual void showRunLine(int line) = 0;   // select the line, focus the editor
    virtual void stopTimer() = 0;   // the run timer off
    virtual void stopRun() = 0;
    // Sets m_errorFound, selects report.line when >= 0, shows the message window modally.
    virtual void reportError(const ErrorReport &report) = 0;
    virtual void fatalMessage(const QString &text) = 0;   // plain message box
    virtual void positionPanel(int x, int y) = 0;   // status panel 4
    virtual void endOfRunNotice() = 0;   // the end-of-run notice, for a second
};

enum class TickOutcome {
    Continue,   // the run goes on
    Ended,   // the end test stopped the run
    ProcedureNotFound,   // run stopped after the report
    LoopError,   // the fatal loop box
    NestingTooDeep,   // more than 1000 open loops or calls
    LoopWithoutEnd,   // a failing conditional loop with no loop end below it
};

// Executes a checked program one line per tick, straight on the program's lines. What it
// holds is its own: outside it is read through fillSnapshot and the three counters below.
class Interpreter {
public:
    static constexpr int StackSize = 1000;   // open loops, and likewise calls, at the most

    Interpreter();
    // Empty stacks, and line the next to execute.
    void startAt(int line);
    void clearStacks();
    int currentLine() const { return m_currentLine; }   // the line the next tick executes
    int loopDepth() const { return int(m_loops.size()); }
    int callDepth() const { return int(m_returnLines.size()); }
    // Index of the line whose normalised text is the begin keyword, or -1.
    static int findBeginLine(const ProgramText &text, const Lexicon &lex);
    // One line of the program, with the keywords and messages of the given Language.
    TickOutcome tick(const ProgramText &text, Language language, InterpreterHost &host);
    // The open loops and calls and the next line, read from the stacks; sensors from robot.
    void fillSnapshot(RunSnapshot &s, const ProgramText &text, const Lexicon &lex,
                      const RobotState &robot) const;

private:
    struct TickContext;
    bool pushLoop(TickContext &c);
    bool callProcedure(TickContext &c, const QString &n, TickOutcome &outcome);
    bool skipFailingLoop(TickContext &c, TickOutcome &outcome);
    bool loopEnd(TickContext &c, bool &jumpedBack, TickOutcome &outcome);
    TickOutcome stopWithReport(TickContext &c, TickOutcome outcome, const QString &text, int line);
    int findProcedure(TickContext &c, QStringView callText);

    struct OpenLoop {
        int headerLine;
        int passesDone;   // of a counted loop
    };
    int m_currentLine = 0;
    std::vector<OpenLoop> m_loops;   // innermost last
    std::vector<int> m_returnLines;   // of the open calls, innermost last

    // Procedure headers above the first begin line: normalised header -> its first line.
    // Learnt at the first call of a run, so a call costs the same in a long program.
    QHash<QString, int> m_headers;
    const ProgramText *m_headersText = nullptr;
    int m_headersLineCount = -1;
    Language m_headersLanguage = Language::Unknown;
};
