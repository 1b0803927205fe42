// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/ProgramTranslator.h"
#include "lang/LineMarks.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include "lang/StatementForms.h"
#include "lang/Statements.h"
#include "base/LanguageRegistry.h"

#include <algorithm>

namespace {

using Slot = QString Lexicon::*;

// One part of a statement line: text kept as written, a keyword, or a colour name; or the
// word that ends a counted loop where the times keyword belongs and that is another one.
struct Piece {
    QString written;
    Slot keyword = nullptr;
    int colour = -1;
    bool unknownWord = false;
};
using Pieces = QList<Piece>;

enum class LetterCase {
    Upper,
    Lower,
    Capitalised,
    EveryWord,
    Mixed
};

LetterCase caseOf(const QString &written)
{
    bool lower = false, upper = false;
    for (QChar c : written) {
        lower = lower || c.isLower();
        upper = upper || c.isUpper();
    }
    if (!lower) return LetterCase::Upper;
    if (!upper) return LetterCase::Lower;
    bool capitalised = true, everyWord = true, first = true, wordStart = true;
    for (QChar c : written) {
        if (!c.isLetter()) {
            wordStart = true;
            continue;
        }
        capitalised = capitalised && c.isUpper() == first;
        everyWord = everyWord && c.isUpper() == wordStart;
        first = wordStart = false;
    }
    if (capitalised) return LetterCase::Capitalised;
    return everyWord ? LetterCase::EveryWord : LetterCase::Mixed;
}

// The runs of letters of a text: its words, as the case patterns count them.
QList<QStringView> lettersRuns(QStringView s)
{
    QList<QStringView> runs;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= s.size(); ++i) {
        const bool letter = i < s.size() && s.at(i).isLetter();
        if (letter && start < 0) start = i;
        if (!letter && start >= 0) {
            runs.append(s.mid(start, i - start));
            start = -1;
        }
    }
    return runs;
}

// The pattern of one word when it has one: all capitals, all small, or only the first
// letter capital. A mix within the word gives nothing.
std::optional<LetterCase> wordCase(QStringView word)
{
    bool lower = false, upper = false, restLower = true;
    for (qsizetype i = 0; i < word.size(); ++i) {
        lower = lower || word.at(i).isLower();
        upper = upper || word.at(i).isUpper();
        if (i > 0) restLower = restLower && !word.at(i).isUpper();
    }
    if (!lower) return LetterCase::Upper;
    if (!upper) return LetterCase::Lower;
    if (word.at(0).isUpper() && restLower) return LetterCase::Capitalised;
    return std::nullopt;
}

// `word` is upper case, as the lexicon and the colour table hold it. A mix that fits no
// pattern is carried letter by letter: each letter takes the case of the written letter at
// the middle of the same share of the word, which gives the written mix back whenever the
// word it went through has at least as many letters. Where both have as many words, a word
// of the mix that has a pattern of its own then passes it on whole to the word in its place
// ("NoT line" gives "Не линия", never "Не Линия"): letters do not leak into the next word.
QString inCaseOf(const QString &word, const QString &written)
{
    const LetterCase lc = caseOf(written);
    if (lc == LetterCase::Upper) return word;
    if (lc == LetterCase::Lower) return word.toLower();
    QString r = word;
    if (lc == LetterCase::Mixed) {
        QList<bool> upper;
        for (QChar c : written)
            if (c.isLetter()) upper.append(c.isUpper());
        qsizetype letters = 0;
        for (QChar c : r) letters += c.isLetter() ? 1 : 0;
        qsizetype i = 0;
        for (QChar &c : r) {
            if (!c.isLetter()) continue;
            const qsizetype from = ((2 * i + 1) * upper.size()) / (2 * letters);
            if (!upper.at(from)) c = c.toLower();
            ++i;
        }
        const QList<QStringView> writtenWords = lettersRuns(written), wordsOut = lettersRuns(word);
        const qsizetype w = writtenWords.size(), t = wordsOut.size();
        for (qsizetype j = 0; j < t && w == t; ++j) {
            const std::optional<LetterCase> own = wordCase(writtenWords.at(j));
            if (!own) continue;
            const qsizetype at = wordsOut.at(j).data() - word.constData();
            for (qsizetype k = 0; k < wordsOut.at(j).size(); ++k) {
                const QChar c = word.at(at + k);
                const bool capital = *own == LetterCase::Upper || (*own == LetterCase::Capitalised && k == 0);
                r[at + k] = capital ? c : c.toLower();
            }
        }
        return r;
    }
    bool first = true, wordStart = true;
    for (QChar &c : r) {
        if (!c.isLetter()) {
            wordStart = true;
            continue;
        }
        const bool keep = lc == LetterCase::Capitalised ? first : wordStart;
        if (!keep) c = c.toLower();
        first = wordStart = false;
    }
    return r;
}

Slot testSlot(const QString &n, const Lexicon &lex)
{
    for (const Statements::Test &t : Statements::tests())
        if (n == lex.*t.word) return t.word;
    return nullptr;
}

// `body` is the line without its surrounding spaces, `n` its upper-case form.
bool parseBody(const QString &body, const QString &n, Language lang, Pieces &p)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    auto keyword = [&](Slot slot, qsizetype from, qsizetype length) {
        p.append(Piece {body.mid(from, length), slot, -1});
    };
    auto asWritten = [&](qsizetype from, qsizetype length) {
        if (from < body.size() && length != 0) p.append(Piece {body.mid(from, length), nullptr, -1});
    };
    // Keyword, one separator character, and a sensor test that is recognised.
    auto withTest = [&](Slot slot) {
        const qsizetype k = (lex.*slot).size();
        const Slot test = n.size() > k + 1 ? testSlot(n.mid(k + 1), lex) : nullptr;
        if (!test) return false;
        keyword(slot, 0, k);
        asWritten(k, 1);
        keyword(test, k + 1, -1);
        return true;
    };

    // The checker takes the heads below followed by anything: what follows a test that is
    // not recognised is carried over as written.
    auto headThenRest = [&](Slot slot) {
        const qsizetype k = (lex.*slot).size();
        keyword(slot, 0, k);
        asWritten(k, -1);
        return true;
    };
    // Everything between the two keywords, the count and its separators, is carried over
    // as written. The word that ends the line must be the tail keyword: the check reads
    // any word of its length there, but another word has no counterpart, and cutting the
    // keyword out of it ("2 TITIMES") would splice two words.
    auto countThenTail = [&](const Statements::Statement &s) {
        const qsizetype c = (lex.*s.keyword).size();
        qsizetype t = n.size();
        while (t > c && n.at(t - 1).isLetter()) --t;
        keyword(s.keyword, 0, c);
        if (t == n.size()) {   // no word at the end: a count alone, or nothing
            asWritten(c, -1);
            return true;
        }
        asWritten(c, t - c);
        if (n.mid(t) == lex.*s.tail)
            keyword(s.tail, t, -1);
        else
            p.append(Piece {body.mid(t), nullptr, -1, true});
        return true;
    };
    auto colourThenName = [&](Slot slot) {
        const qsizetype k = (lex.*slot).size();
        keyword(slot, 0, k);
        // Steps ("+", "-") and a bare keyword carry no name.
        const QString rest = n.mid(k + 1);
        qsizetype spaces = 0;
        while (spaces < rest.size() && rest.at(spaces) == QLatin1Char(' ')) ++spaces;
        if (spaces == rest.size()) {
            asWritten(k, -1);
            return true;
        }
        const int colour = ColourTable::findByName(rest.mid(spaces), lang);
        if (colour < 0) {   // a step ("+1"), or a name the run ignores
            asWritten(k, -1);
            return true;
        }
        asWritten(k, 1 + spaces);
        p.append(Piece {body.mid(k + 1 + spaces), nullptr, colour});
        return true;
    };

    // Where one loop keyword begins the other, the table holds the longer one first.
    for (const Statements::Statement &s : Statements::all()) {
        const QString &kw = lex.*s.keyword;
        if (s.match == Statements::Match::WholeLine && n == kw) {
            keyword(s.keyword, 0, -1);
            return true;
        }
        if (s.accepted != Statements::Match::Prefix || !n.startsWith(kw)) continue;
        switch (s.argument) {
        case Statements::Argument::None:   // a marker the check lets through with anything after it
        case Statements::Argument::Name:
            return headThenRest(s.keyword);
        case Statements::Argument::Test:
            return withTest(s.keyword) || headThenRest(s.keyword);
        case Statements::Argument::Count:
            return countThenTail(s);
        case Statements::Argument::Colour:
            return colourThenName(s.keyword);
        }
    }
    return false;
}

std::optional<Pieces> parse(const QString &raw, Language lang)
{
    qsizetype b = 0, e = raw.size();
    while (e > 0 && raw.at(e - 1) == QLatin1Char(' ')) --e;
    while (b < e && raw.at(b) == QLatin1Char(' ')) ++b;
    const QString body = raw.mid(b, e - b);
    const QString n = upperCase1251(body);
    if (n.isEmpty() || n.at(0) == LineMark::Comment) return std::nullopt;
    Pieces p;
    if (b > 0) p.append(Piece {raw.left(b), nullptr, -1});
    if (!parseBody(body, n, lang, p)) return std::nullopt;
    if (e < raw.size()) p.append(Piece {raw.mid(e), nullptr, -1});
    return p;
}

QString render(const Pieces &pieces, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    QString r;
    for (const Piece &p : pieces) {
        if (p.keyword)
            r += inCaseOf(lex.*p.keyword, p.written);
        else if (p.colour >= 0)
            r += inCaseOf(ColourTable::name(p.colour, lang), p.written);
        else
            r += p.written;
    }
    return r;
}

bool sameShape(const Pieces &a, const Pieces &b)
{
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].keyword != b[i].keyword || a[i].colour != b[i].colour) return false;
        if (!a[i].keyword && a[i].colour < 0 && a[i].written != b[i].written) return false;
    }
    return true;
}

// Everything the checker and the run read from a line, in words that do not depend on the
// Language: two lines with the same meaning are checked and run alike.
QString meaningOf(const QString &raw, Language lang)
{
    using K = StatementKind;
    const Lexicon &lex = Lexicon::forLanguage(lang);
    const QString n = normalizeLine(raw);
    const K kind = Forms::statementKind(raw, lex);
    QString m = QString::number(int(kind));
    auto test = [&](const QString &kw) {
        const QString t = Forms::argumentAfter(n, kw);
        const auto tests = Statements::tests();
        for (size_t i = 0; i < tests.size(); ++i)
            if (t == lex.*tests[i].word) return QString::number(i);
        return QStringLiteral("?");
    };
    switch (kind) {
    case K::None:
        // Lines the checker lets through although they do nothing.
        if (Statements::accepts(n, lex)) m += QStringLiteral("|marker");
        break;
    case K::Call:
        m += QLatin1Char('|') + n.mid(Statements::keyword(StatementKind::Call, lex).size());
        break;
    case K::ProcedureHeader:
        m += QLatin1Char('|') + n.mid(Statements::keyword(StatementKind::ProcedureHeader, lex).size());
        break;
    case K::CountedLoop: {
        const std::optional<qint32> count = Forms::convertCount(Forms::countText(n, lex));
        m += QStringLiteral("|%1|%2")
                 .arg(n.count(QLatin1Char(' ')))
                 .arg(count ? QString::number(*count) : QStringLiteral("?"));
        break;
    }
    case K::ConditionalLoop:
        m += QLatin1Char('|') + test(Statements::keyword(StatementKind::ConditionalLoop, lex));
        break;
    case K::Condition:
        m += QLatin1Char('|') + test(Statements::keyword(StatementKind::Condition, lex));
        break;
    default:
        break;
    }
    // The run sets a colour only when the keyword stands in the first column.
    const QString &colourWord = Statements::keyword(StatementKind::Colour, lex);
    if (upperCase1251(raw.left(colourWord.size())) == colourWord) {
        const Forms::ColourForm f = Forms::colourForm(raw, lex);
        m += QStringLiteral("|colour %1 %2")
                 .arg(f.set ? ColourTable::findByName(f.name, lang) : -2)
                 .arg(f.step);
    }
    return m;
}

bool holdsSomething(const QString &raw)
{
    const QString n = normalizeLine(raw);
    return !n.isEmpty() && n.at(0) != LineMark::Comment;
}

}   // namespace

ProgramTranslator::ProgramTranslator(Language from, Language to)
      : m_from(knownOrFirst(from)), m_to(knownOrFirst(to))
{
}

ProgramTranslator::LineResult ProgramTranslator::translateOne(const QString &raw) const
{
    LineResult r;
    const std::optional<Pieces> source = parse(raw, m_from);
    if (!source) return r;
    r.statement = true;
    if (m_from == m_to) {
        r.text = raw;
        return r;
    }
    for (const Piece &piece : *source) {
        if (!piece.unknownWord) continue;
        r.unknownWord = piece.written.trimmed();
        return r;
    }
    const QString result = render(*source, m_to);
    // Text carried over could make the new line read as another statement (a count
    // that starts with the target's loop keyword, say): such a line is not touched.
    const std::optional<Pieces> target = parse(result, m_to);
    if (target && sameShape(*source, *target) && meaningOf(raw, m_from) == meaningOf(result, m_to))
        r.text = result;
    return r;
}

std::optional<QString> ProgramTranslator::translateLine(const QString &raw) const
{
    return translateOne(raw).text;
}

ProgramTranslator::Result ProgramTranslator::translate(const QStringList &lines) const
{
    Result r;
    r.lines.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const LineResult t = translateOne(lines.at(i));
        if (t.text) {
            r.lines.append(*t.text);
            continue;
        }
        r.lines.append(lines.at(i));
        if (!holdsSomething(lines.at(i))) continue;
        r.leftAsWritten.append(int(i));
        if (t.statement) r.untranslated.insert(int(i), t.unknownWord);
    }
    return r;
}

bool ProgramTranslator::isStatement(const QString &raw, Language lang)
{
    return parse(raw, knownOrFirst(lang)).has_value();
}

int ProgramTranslator::statementCount(const QStringList &lines, Language lang)
{
    int count = 0;
    for (const QString &l : lines)
        if (isStatement(l, lang)) ++count;
    return count;
}

Language ProgramTranslator::detectLanguage(const QStringList &lines, Language preferred)
{
    const QList<Language> all = registeredLanguages();
    QList<int> counts;
    for (Language l : all) counts << statementCount(lines, l);
    const int best = *std::max_element(counts.begin(), counts.end());
    const qsizetype preferredAt = all.indexOf(preferred);
    if (preferredAt >= 0 && counts[preferredAt] == best) return preferred;
    return all[counts.indexOf(best)];
}

int ProgramTranslator::plainTextCodePage(const QStringList &lines)
{
    // The first lines tell; a huge file is not read three times over for it.
    // The code page of the Language with the most statements; on a tie, or with none, the first
    // Language's.
    const QStringList head = lines.mid(0, 5000);
    const QList<Language> all = registeredLanguages();
    Language most = all.first();
    int best = 0;
    bool tie = false;
    for (Language l : all) {
        const int count = statementCount(head, l);
        if (count > best) {
            most = l;
            best = count;
            tie = false;
        } else if (count == best && best > 0) {
            tie = true;
        }
    }
    return languageInfo(tie ? all.first() : most)->codePage;
}
