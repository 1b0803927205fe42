// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Interpreter.h"
#include "lang/LineMarks.h"
#include "lang/Normalize.h"
#include "lang/StatementForms.h"
#include "world/RobotWorld.h"

struct Interpreter::TickContext {
    const ProgramText &text;
    Language language;
    const Lexicon &lex;
    const MessageCatalogue &msg;
    InterpreterHost &host;
};

namespace {

int intervalForSpeed(int speed)
{
    switch (speed) {
    case 1:
        return 1000;
    case 2:
        return 400;
    case 3:
        return 150;
    case 4:
        return 70;
    case 5:
        return 1;
    default:
        return -1;
    }
}

// Whether the first characters of the raw line, upper-cased, spell the colour keyword:
// the cheap test that tells whether the colour forms need a closer look.
bool mayBeColourLine(const QString &raw, const QString &keyword)
{
    const qsizetype k = keyword.size();
    if (k == 0 || raw.size() < k) return false;
    for (qsizetype i = 0; i < k; ++i)
        if (upperCase1251(raw.at(i)) != keyword.at(i)) return false;
    return true;
}

using K = StatementKind;

const QString &word(StatementKind kind, const Lexicon &lex) { return Statements::keyword(kind, lex); }

using WorldAction = decltype(Statements::Statement::act);

// A command that is one call on the world, or nullptr.
WorldAction worldCommand(const QString &n, const Lexicon &lex)
{
    const Statements::Statement *s = Statements::find(n, lex);
    return s ? s->act : nullptr;
}

Forms::Test testOf(const QString &n, const QString &kw, const Lexicon &lex, const RobotState &s)
{
    return Forms::evaluateTest(Forms::argumentAfter(n, kw), lex, s.lineSensor, s.borderSensor);
}

}   // namespace

Interpreter::Interpreter()
{
    // A run never allocates on a push.
    m_loops.reserve(StackSize);
    m_returnLines.reserve(StackSize);
}

void Interpreter::startAt(int line)
{
    clearStacks();
    m_currentLine = line;
}

void Interpreter::clearStacks()
{
    m_loops.clear();
    m_returnLines.clear();
    m_headersText = nullptr;
}

int Interpreter::findBeginLine(const ProgramText &text, const Lexicon &lex)
{
    for (int i = 0, n = text.lineCount(); i < n; ++i)
        if (text.normalizedLine(i) == word(K::Begin, lex)) return i;
    return -1;
}

TickOutcome Interpreter::stopWithReport(TickContext &c, TickOutcome outcome, const QString &text, int line)
{
    // Stop first, so the selection made by the report is not undone by the caret restore.
    c.host.stopTimer();
    c.host.stopRun();
    ErrorReport r;
    r.error = true;
    r.line = line;
    r.heading = c.msg.msgHead04;
    r.texts = QStringList {text};
    c.host.reportError(r);
    return outcome;
}

bool Interpreter::pushLoop(TickContext &)
{
    if (loopDepth() >= StackSize) return false;
    m_loops.push_back(OpenLoop {m_currentLine, 0});
    return true;
}

// The first header above the begin line that names the called procedure, or -1. The whole
// name must match: a call of AB never enters ABC.
int Interpreter::findProcedure(TickContext &c, QStringView callText)
{
    const int count = c.text.lineCount();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_headersText != &c.text || m_headersLineCount != count || m_headersLanguage != c.language) {
            m_headers.clear();
            for (int i = 0; i < count; ++i) {
                const QString m = c.text.normalizedLine(i);
                if (m == word(K::Begin, c.lex)) break;
                if (m.startsWith(word(K::ProcedureHeader, c.lex)) && !m_headers.contains(m))
                    m_headers.insert(m, i);
            }
            m_headersText = &c.text;
            m_headersLineCount = count;
            m_headersLanguage = c.language;
        }
        QString key = word(K::ProcedureHeader, c.lex);
        key += callText;
        const int found = m_headers.value(key, -1);
        // The text is locked during a run; should it have changed all the same, learn it again.
        if (found < 0 || c.text.normalizedLine(found) == key) return found;
        m_headersText = nullptr;
    }
    return -1;
}

// Returns true when the procedure was found (the current line moved before its header); false
// when the run has been stopped, with the outcome set.
bool Interpreter::callProcedure(TickContext &c, const QString &n, TickOutcome &outcome)
{
    const QStringView callText = QStringView(n).mid(word(K::Call, c.lex).size());
    if (callDepth() >= StackSize) {
        outcome = stopWithReport(c, TickOutcome::NestingTooDeep, c.msg.msgNestingTooDeep, m_currentLine);
        return false;
    }
    const int found = findProcedure(c, callText);
    if (found < 0) {
        c.host.stopTimer();
        // The call's line, as every other run error names the line it stopped on: the
        // window selects it, the command line and the grading print it.
        ErrorReport r;
        r.error = true;
        r.line = m_currentLine;
        r.heading = c.msg.msgHead04;
        r.texts = QStringList {c.msg.msgProcNotFound};
        c.host.reportError(r);
        c.host.stopRun();
        outcome = TickOutcome::ProcedureNotFound;
        return false;
    }
    m_returnLines.push_back(m_currentLine);
    m_currentLine = found - 1;
    return true;
}

// Skips the body of a conditional loop whose test failed at entry. Returns true when the
// tick ends normally on the matching loop end; false when the run was stopped.
bool Interpreter::skipFailingLoop(TickContext &c, TickOutcome &outcome)
{
    const int depth = loopDepth();
    const int header = m_currentLine;
    const int count = c.text.lineCount();
    for (;;) {
        ++m_currentLine;
        if (m_currentLine >= count) {
            m_currentLine = header;
            outcome = stopWithReport(c, TickOutcome::LoopWithoutEnd, c.msg.msgLoopWithoutEnd, header);
            return false;
        }
        const QString m = c.text.normalizedLine(m_currentLine);
        if (m.startsWith(word(K::CountedLoop, c.lex)) || m.startsWith(word(K::ConditionalLoop, c.lex))) {
            if (!pushLoop(c)) {
                outcome =
                    stopWithReport(c, TickOutcome::NestingTooDeep, c.msg.msgNestingTooDeep, m_currentLine);
                return false;
            }
        } else if (m == word(K::EndLoop, c.lex)) {
            if (loopDepth() == depth) return true;
            m_loops.pop_back();
        }
    }
}

// Closes or repeats the innermost loop. Returns false when the run was stopped.
bool Interpreter::loopEnd(TickContext &c, bool &jumpedBack, TickOutcome &outcome)
{
    jumpedBack = false;
    if (m_loops.empty()) return true;   // an unbalanced end has no loop to close
    OpenLoop &loop = m_loops.back();
    const QString h = c.text.normalizedLine(loop.headerLine);
    if (Forms::isCountedLoop(h, c.lex)) {
        const std::optional<qint32> count = Forms::convertCount(Forms::countText(h, c.lex));
        const qint64 k = loop.passesDone;
        const qint64 last = count ? qint64(*count) - 1 : -1;
        if (count && last > k) {
            m_currentLine = loop.headerLine;
            loop.passesDone = int(k + 1);
            jumpedBack = true;
        } else if (count && last == k) {
            m_loops.pop_back();
        } else {
            c.host.stopRun();
            c.host.fatalMessage(fatalLoopErrorText());
            outcome = TickOutcome::LoopError;
            return false;
        }
        return true;
    }
    switch (testOf(h, word(K::ConditionalLoop, c.lex), c.lex, c.host.world().state())) {
    case Forms::Test::Holds:
        m_currentLine = loop.headerLine;
        jumpedBack = true;
        break;
    case Forms::Test::Fails:
        m_loops.pop_back();
        break;
    case Forms::Test::Unrecognised:
        break;
    }
    return true;
}

TickOutcome Interpreter::tick(const ProgramText &text, Language language, InterpreterHost &host)
{
    const Lexicon &lex = Lexicon::forLanguage(language);
    TickContext c {text, language, lex, MessageCatalogue::forLanguage(language), host};
    RobotWorld &world = host.world();
    TickOutcome outcome = TickOutcome::Continue;

    const int ms = intervalForSpeed(host.xSpeed());
    if (ms > 0) host.setTickInterval(ms);
    host.showRunLine(m_currentLine);

    QString n = text.normalizedLine(m_currentLine);
    bool called = false;

    // Commands.
    if (n.startsWith(LineMark::SpeedDirective)) {
        host.setXSpeed(1);
    } else if (const auto act = worldCommand(n, lex)) {
        (world.*act)();
    } else if (n.startsWith(word(K::Call, lex))) {
        if (!callProcedure(c, n, outcome)) return outcome;
        called = true;
    } else if (n == word(K::EndProcedure, lex)) {
        if (!m_returnLines.empty()) {
            m_currentLine = m_returnLines.back();
            m_returnLines.pop_back();
            n = text.normalizedLine(m_currentLine);
        }
    } else if (Forms::isConditionalLoop(n, lex)) {
        if (!pushLoop(c))
            return stopWithReport(c, TickOutcome::NestingTooDeep, c.msg.msgNestingTooDeep, m_currentLine);
        if (testOf(n, word(K::ConditionalLoop, lex), lex, world.state()) == Forms::Test::Fails) {
            skipFailingLoop(c, outcome);
            return outcome;
        }
    } else if (n.startsWith(word(K::CountedLoop, lex))) {
        if (!pushLoop(c))
            return stopWithReport(c, TickOutcome::NestingTooDeep, c.msg.msgNestingTooDeep, m_currentLine);
    }

    if (!called) {
        // Structure.
        bool conditionMarker = false;
        bool jumpedBack = false;
        if (n.startsWith(word(K::Condition, lex))) {
            conditionMarker = true;
            const Forms::Test t = testOf(n, word(K::Condition, lex), lex, world.state());
            if (t != Forms::Test::Unrecognised) {
                for (int j = m_currentLine, count = text.lineCount(); j < count; ++j) {
                    const QString m = text.normalizedLine(j);
                    const bool hit = t == Forms::Test::Holds
                                         ? m == word(K::Then, lex)
                                         : (m == word(K::Else, lex) || m == word(K::EndCondition, lex));
                    if (hit) {
                        m_currentLine = j + 1;
                        return outcome;
                    }
                }
            }
        } else if (n == word(K::Else, lex)) {
            conditionMarker = true;
            for (int j = m_currentLine, count = text.lineCount(); j < count; ++j) {
                if (text.normalizedLine(j) == word(K::EndCondition, lex)) {
                    m_currentLine = j + 1;
                    return outcome;
                }
            }
        } else if (n == word(K::EndLoop, lex)) {
            if (!loopEnd(c, jumpedBack, outcome)) return outcome;
        }

        // Colour, on the raw line: the keyword must stand in the first column.
        const QString raw = text.line(m_currentLine);
        if (mayBeColourLine(raw, word(K::Colour, lex))) {
            const Forms::ColourForm f = Forms::colourForm(raw, lex);
            if (f.set) {
                const int index = ColourTable::findByName(f.name, c.language);
                if (index >= 0) world.setColour(ColourTable::value(index));
            }
            if (f.step > 0)
                world.setColour(ColourTable::next(world.state().colour));
            else if (f.step < 0)
                world.setColour(ColourTable::previous(world.state().colour));
        }

        // The end of a condition never takes a tick of its own.
        if (!conditionMarker && !jumpedBack &&
            text.normalizedLine(m_currentLine + 1) == word(K::EndCondition, lex))
            ++m_currentLine;
    }

    host.positionPanel(world.state().x, world.state().y);

    if (text.normalizedLine(m_currentLine - 1) == word(K::End, lex)) {
        host.stopRun();
        host.endOfRunNotice();
        return TickOutcome::Ended;
    }
    ++m_currentLine;
    return outcome;
}

void Interpreter::fillSnapshot(RunSnapshot &s, const ProgramText &text, const Lexicon &lex,
                               const RobotState &robot) const
{
    s.nextLine = m_currentLine;
    s.loops.clear();
    for (auto open = m_loops.crbegin(); open != m_loops.crend(); ++open) {
        RunSnapshot::Loop l;
        l.headerLine = open->headerLine;
        const QString h = text.normalizedLine(l.headerLine);
        l.counted = Forms::isCountedLoop(h, lex);
        if (l.counted) {
            l.pass = qint64(open->passesDone) + 1;
            l.count = Forms::convertCount(Forms::countText(h, lex));
        } else {
            l.test = Forms::argumentAfter(h, word(K::ConditionalLoop, lex));
            l.holdsNow = testOf(h, word(K::ConditionalLoop, lex), lex, robot);
        }
        s.loops.push_back(l);
    }
    s.calls.clear();
    for (auto caller = m_returnLines.crbegin(); caller != m_returnLines.crend(); ++caller) {
        RunSnapshot::Call call;
        call.callerLine = *caller;
        call.name = text.normalizedLine(call.callerLine).mid(word(K::Call, lex).size()).trimmed();
        s.calls.push_back(call);
    }
}
