// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/SyntaxChecker.h"
#include "lang/LineMarks.h"
#include "lang/StatementForms.h"

#include <QSet>

namespace {

ErrorReport report(const MessageCatalogue &msg, int line, QStringList texts)
{
    return ErrorReport {true, line, msg.msgHead04, std::move(texts)};
}

bool onlySpaces(const QString &r)
{
    if (r.isEmpty()) return false;
    for (QChar c : r)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

}   // namespace

ErrorReport checkProgram(ProgramText &text, const Lexicon &lex, const MessageCatalogue &msg)
{
    const int count = text.lineCount();
    using K = StatementKind;
    const QString &beginWord = Statements::keyword(K::Begin, lex),
                  &endWord = Statements::keyword(K::End, lex);
    const QString &procedureWord = Statements::keyword(K::ProcedureHeader, lex);
    const QString &endProcedureWord = Statements::keyword(K::EndProcedure, lex);
    const QString &callWord = Statements::keyword(K::Call, lex);
    std::vector<QString> n(size_t(count) + 1);
    for (int k = 0; k < count; ++k) n[k] = text.normalizedLine(k);
    // n[count] stays empty: the position one past the last line reads as an empty line.

    // 1. Exactly one begin and one end.
    int begins = 0, ends = 0, begin = -1, end = -1;
    for (int k = 0; k < count; ++k) {
        if (n[k] == beginWord) {
            ++begins;
            if (begin < 0) begin = k;
        }
        if (n[k] == endWord) {
            ++ends;
            if (end < 0) end = k;
        }
    }
    if (begins == 0 || ends == 0) return report(msg, -1, {msg.msgNoBeginEnd, msg.msgCheckBeginEnd});
    if (begins > 1 || ends > 1) return report(msg, -1, {msg.msgBeginEndTwice, msg.msgOnlyOneBeginEnd});

    // 2. Procedure blocks before the begin are closed; no stray end of procedure.
    std::vector<int> blockEnd(size_t(begin) + 1, -1);   // header line -> its closing line
    for (int i = 0; i < begin;) {
        if (n[i].startsWith(procedureWord)) {
            int j = i + 1;
            for (;; ++j) {
                if (n[j] == endProcedureWord) break;
                if (n[j] == beginWord || n[j].startsWith(procedureWord))
                    return report(msg, i, {msg.msgNoEndProc});
            }
            blockEnd[i] = j;
            i = j + 1;
        } else if (n[i] == endProcedureWord) {
            return report(msg, i, {msg.msgEndProcWithoutProc});
        } else {
            ++i;
        }
    }

    // 3. Nothing but procedures, comments and empty lines before the begin.
    for (int i = 0; i < begin;) {
        if (blockEnd[i] >= 0) {
            i = blockEnd[i] + 1;
            continue;
        }
        const QString &s = n[i];
        const bool ok =
            s.isEmpty() || s.at(0) == LineMark::Comment || s == beginWord || s == endProcedureWord;
        if (!ok) return report(msg, i, {msg.msgBeforeBegin, msg.msgEditCode});
        ++i;
    }

    // 4. After the end only first-column comments and blank lines.
    for (int k = end + 1; k < count; ++k) {
        const QString r = text.line(k);
        if (r.isEmpty() || r.at(0) == LineMark::Comment) continue;
        if (!onlySpaces(r)) return report(msg, k, {msg.msgAfterEnd, msg.msgEditCode});
    }

    // 5. Inside the algorithm: no end of procedure, every call declared before the begin.
    QSet<QString> headers;   // the lines above the begin, gathered at the first call
    bool headersRead = false;
    for (int k = begin + 1; k <= end; ++k) {
        if (n[k] == endProcedureWord) return report(msg, k, {msg.msgEndProcInAlgorithm});
        if (n[k].startsWith(callWord)) {
            if (!headersRead) {
                for (int i = 0; i < begin; ++i)
                    if (n[i].startsWith(procedureWord)) headers.insert(n[i]);
                headersRead = true;
            }
            const QString header = procedureWord + QLatin1Char(' ') + Forms::argumentAfter(n[k], callWord);
            if (!headers.contains(header)) return report(msg, k, {msg.msgProcNotFound});
        }
    }

    // 6. Counted loops: three spaces and a count of at least 1.
    for (int k = 0; k < count; ++k) {
        if (!Forms::isCountedLoop(n[k], lex)) continue;
        const bool spacesOk = n[k].count(QLatin1Char(' ')) == 3;
        const auto value = Forms::convertCount(Forms::countText(n[k], lex));
        if (!spacesOk || !value || *value < 1) return report(msg, k, {msg.msgCycleFormat});
    }

    // 7. Unknown commands; space-only lines are emptied on the way.
    for (int k = 0; k < count; ++k) {
        const QString r = text.line(k);
        if (onlySpaces(r)) {
            text.replaceLine(k, QString());
            continue;
        }
        const QString &s = n[k];
        if (!(s.isEmpty() || s.at(0) == LineMark::Comment || Statements::accepts(s, lex))) {
            const QString first = msg.msgErrorInLine + QLatin1Char(' ') + QString::number(k + 1) +
                                  QStringLiteral(" (\"") + r + QStringLiteral("\")");
            return report(msg, k, {first, msg.msgUnknownCommand});
        }
    }
    return ErrorReport {};
}
