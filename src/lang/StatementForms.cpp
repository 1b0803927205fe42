// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/StatementForms.h"
#include "lang/LineMarks.h"
#include "lang/Normalize.h"

namespace Forms {

std::optional<qint32> convertCount(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' ')) ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    bool hex = false;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        hex = true;
        ++i;
    } else if (i < n && (text.at(i) == QLatin1Char('x') || text.at(i) == QLatin1Char('X'))) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0') &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        hex = true;
        i += 2;
    }
    if (i >= n) return std::nullopt;
    quint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * (hex ? 16 : 10) + quint64(d);
        if (hex ? value > 0xFFFFFFFFull : value > 0x7FFFFFFFull) return std::nullopt;
    }
    qint32 r = hex ? qint32(quint32(value)) : qint32(value);
    // Negating the 32-bit pattern wraps like the original arithmetic does.
    return negative ? qint32(0u - quint32(r)) : r;
}

QString countText(const QString &n, const Lexicon &lex)
{
    const qsizetype head = Statements::keyword(StatementKind::CountedLoop, lex).size();
    const qsizetype start = head + 1;
    const qsizetype len = n.size() - head - Statements::tail(StatementKind::CountedLoop, lex).size() - 2;
    if (len <= 0 || start >= n.size()) return QString();
    return n.mid(start, len);
}

bool isConditionalLoop(const QString &n, const Lexicon &lex)
{
    return n.startsWith(Statements::keyword(StatementKind::ConditionalLoop, lex));
}

bool isCountedLoop(const QString &n, const Lexicon &lex)
{
    return n.startsWith(Statements::keyword(StatementKind::CountedLoop, lex)) && !isConditionalLoop(n, lex);
}

QString argumentAfter(const QString &n, const QString &kw) { return n.mid(kw.size() + 1); }

Test evaluateTest(const QString &t, const Lexicon &lex, int lineSensor, int borderSensor)
{
    for (const Statements::Test &test : Statements::tests()) {
        if (t != lex.*test.word) continue;
        const int sensor = test.lineSensor ? lineSensor : borderSensor;
        return sensor == test.holdsWhen ? Test::Holds : Test::Fails;
    }
    return Test::Unrecognised;
}

ColourForm colourForm(const QString &raw, const Lexicon &lex)
{
    const QString &keyword = Statements::keyword(StatementKind::Colour, lex);
    const qsizetype k = keyword.size();
    ColourForm f;
    if (normalizeLine(raw.left(k)) == keyword) {
        f.set = true;
        f.name = normalizeLine(raw.mid(k + 1));
    }
    const QString head = normalizeLine(raw.left(k + 1));
    if (head == keyword + QLatin1Char('+'))
        f.step = 1;
    else if (head == keyword + QLatin1Char('-'))
        f.step = -1;
    return f;
}

StatementKind statementKind(const QString &raw, const Lexicon &lex)
{
    using K = StatementKind;
    const QString n = normalizeLine(raw);
    if (n.isEmpty()) return K::None;
    if (n.startsWith(LineMark::SpeedDirective)) return K::SpeedDirective;
    if (n.startsWith(LineMark::Comment)) return K::Comment;
    const Statements::Statement *s = Statements::find(n, lex);
    return s ? s->kind : K::None;
}

}   // namespace Forms
