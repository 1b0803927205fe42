// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Hints.h"
#include "lang/LineMarks.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include "base/TextCatalogue.h"
#include <vector>

namespace {

// Latin and Cyrillic letters that look the same, pairwise.
const char16_t kLatin[] = u"ABCEHKMOPTXYacekopxy";
const char16_t kCyrillic[] = u"АВСЕНКМОРТХУасекорху";

bool isCyrillic(QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; }
bool isLatin(QChar c) { return c.unicode() < 0x80 && c.isLetter(); }

QString t(const char *key, Language lang)
{
    return uiText(QByteArray("hint.") + key, lang).value_or(QString());
}

const Language otherLanguages[3][2] = {
    {Language::Rom, Language::Eng}, {Language::Rus, Language::Eng}, {Language::Rus, Language::Rom}};

int languageSlot(Language lang) { return lang == Language::Rom ? 1 : lang == Language::Eng ? 2 : 0; }

const char *languageName(Language lang)
{
    return lang == Language::Rom ? "langRom" : lang == Language::Eng ? "langEng" : "langRus";
}

// The look-alike letters that stand among the keyword Language's script, swapped for it.
QString lookAlikeHint(const QString &raw, Language keywords, Language interface)
{
    const bool toCyrillic = keywords == Language::Rus;
    const char16_t *from = toCyrillic ? kLatin : kCyrillic;
    const char16_t *to = toCyrillic ? kCyrillic : kLatin;
    auto own = [toCyrillic](QChar c) { return toCyrillic ? isCyrillic(c) : isLatin(c); };
    auto swapOf = [from, to](QChar c) -> int {
        for (int i = 0; from[i]; ++i)
            if (from[i] == c.unicode()) return int(to[i]);
        return -1;
    };
    QString fixed = raw;
    QStringList letters;
    // Word by word: a word is swapped when it holds the keyword script, or is made of
    // look-alikes only (a Latin "TO" typed for the Russian then-marker).
    for (qsizetype b = 0; b < raw.size();) {
        if (!raw.at(b).isLetter()) {
            ++b;
            continue;
        }
        qsizetype e = b;
        bool hasOwn = false, allLookAlike = true;
        while (e < raw.size() && raw.at(e).isLetter()) {
            hasOwn = hasOwn || own(raw.at(e));
            allLookAlike = allLookAlike && swapOf(raw.at(e)) >= 0;
            ++e;
        }
        if (hasOwn || allLookAlike) {
            for (qsizetype i = b; i < e; ++i) {
                const int s = swapOf(raw.at(i));
                if (s < 0) continue;
                fixed[i] = QChar(char16_t(s));
                letters << t("letterAt", interface).arg(raw.at(i)).arg(i + 1);
            }
        }
        b = e;
    }
    if (letters.isEmpty() || !Hints::isStatement(NormalizeLine(fixed), keywords)) return QString();
    return t(toCyrillic ? "latinLetters" : "cyrillicLetters", interface)
        .arg(letters.join(QStringLiteral(", ")), fixed.trimmed());
}

QString withoutDiacritics(const QString &raw)
{
    QString r = raw;
    for (QChar &c : r) {
        switch (c.unicode()) {
        case u'Â':
        case u'Ă':
            c = QLatin1Char('A');
            break;
        case u'â':
        case u'ă':
            c = QLatin1Char('a');
            break;
        case u'Î':
            c = QLatin1Char('I');
            break;
        case u'î':
            c = QLatin1Char('i');
            break;
        case u'Ș':
        case u'Ş':
            c = QLatin1Char('S');
            break;
        case u'ș':
        case u'ş':
            c = QLatin1Char('s');
            break;
        case u'Ț':
        case u'Ţ':
            c = QLatin1Char('T');
            break;
        case u'ț':
        case u'ţ':
            c = QLatin1Char('t');
            break;
        default:
            break;
        }
    }
    return r;
}

// Levenshtein distance of at most one.
bool oneEditApart(QStringView a, QStringView b)
{
    if (a == b) return false;
    const qsizetype la = a.size(), lb = b.size();
    if (la > lb + 1 || lb > la + 1) return false;
    qsizetype i = 0;
    while (i < la && i < lb && a[i] == b[i]) ++i;
    if (la == lb) return a.mid(i + 1) == b.mid(i + 1);
    if (la > lb) return a.mid(i + 1) == b.mid(i);
    return a.mid(i) == b.mid(i + 1);
}

// The statement a line one letter away from a keyword probably meant; empty for none.
QString nearestStatement(const QString &n, const Lexicon &lex)
{
    const QString *const exact[] = {&lex.kwBegin,        &lex.kwEnd,      &lex.kwStep,         &lex.kwJump,
                                    &lex.kwRotate45,     &lex.kwRotate90, &lex.kwDestroy,      &lex.kwRebuild,
                                    &lex.kwEndProcedure, &lex.kwEndCycle, &lex.kwEndCondition, &lex.kwThen,
                                    &lex.kwElse};
    for (const QString *kw : exact)
        if (oneEditApart(n, *kw)) return *kw;
    // A keyword that begins a longer line: the rest after it stays as written.
    const QString *const prefixes[] = {&lex.kwCycleWhile, &lex.kwCycleN, &lex.kwExecute,
                                       &lex.kwProcedure,  &lex.kwIf,     &lex.kwColor};
    for (const QString *kw : prefixes) {
        for (qsizetype len = kw->size() - 1; len <= kw->size() + 1; ++len) {
            if (len <= 1 || len >= n.size()) continue;
            const QChar after = n.at(len);
            if (after != QLatin1Char(' ') && after != QLatin1Char('=')) continue;
            if (oneEditApart(QStringView(n).left(len), *kw)) return *kw + n.mid(len);
        }
    }
    return QString();
}

}   // namespace

namespace Hints {

bool isStatement(const QString &n, Language keywords)
{
    if (n.isEmpty()) return false;
    const Lexicon &lex = Lexicon::forLanguage(keywords);
    const QString *const exact[] = {&lex.kwBegin,        &lex.kwEnd,      &lex.kwStep,        &lex.kwJump,
                                    &lex.kwRotate45,     &lex.kwRotate90, &lex.kwDestroy,     &lex.kwRebuild,
                                    &lex.kwEndProcedure, &lex.kwEndCycle, &lex.kwEndCondition};
    const QString *const prefixes[] = {&lex.kwExecute,    &lex.kwProcedure, &lex.kwCycleN, &lex.kwIf,
                                       &lex.kwCycleWhile, &lex.kwThen,      &lex.kwElse,   &lex.kwColor};
    for (const QString *kw : exact)
        if (n == *kw) return true;
    for (const QString *kw : prefixes)
        if (n.startsWith(*kw)) return true;
    return false;
}

QString forLine(const QString &raw, Language keywords, Language interface)
{
    if (keywords == Language::Unknown) keywords = Language::Rus;
    if (interface == Language::Unknown) interface = Language::Rus;
    const QString n = NormalizeLine(raw);
    if (n.isEmpty() || n.startsWith(LineMark::Comment) || isStatement(n, keywords)) return QString();

    const QString lookAlike = lookAlikeHint(raw, keywords, interface);
    if (!lookAlike.isEmpty()) return lookAlike;

    const QString plain = withoutDiacritics(raw);
    if (plain != raw && isStatement(NormalizeLine(plain), Language::Rom))
        return t("diacritics", interface).arg(plain.trimmed());

    for (Language other : otherLanguages[languageSlot(keywords)]) {
        if (!isStatement(n, other)) continue;
        const QString item = uiText("menu.translateProgram", interface).value_or(QString());
        const QString menu = uiText("menu.program", interface).value_or(QString());
        return t("otherLanguage", interface).arg(t(languageName(other), interface), item, menu);
    }

    const QString near = nearestStatement(n, Lexicon::forLanguage(keywords));
    if (!near.isEmpty()) return t("oneLetter", interface).arg(near);
    return QString();
}

QStringList structureWarnings(const ProgramText &text, Language keywords, Language interface)
{
    if (interface == Language::Unknown) interface = Language::Rus;
    const Lexicon &lex = Lexicon::forLanguage(keywords);
    QStringList out;
    std::vector<int> loops;
    struct OpenCondition {
        int line;
        bool then;
    };
    std::vector<OpenCondition> conditions;
    // Whatever is still open when its block ends.
    auto closeBlock = [&] {
        for (int line : loops) out << t("loopWithoutEnd", interface).arg(line + 1).arg(lex.kwEndCycle);
        for (const OpenCondition &c : conditions)
            if (!c.then) out << t("conditionWithoutThen", interface).arg(c.line + 1).arg(lex.kwThen);
        loops.clear();
        conditions.clear();
    };
    for (int k = 0, count = text.lineCount(); k < count; ++k) {
        const QString n = text.normalizedLine(k);
        if (n.startsWith(lex.kwProcedure) || n == lex.kwBegin) {
            closeBlock();
        } else if (n == lex.kwEndProcedure || n == lex.kwEnd) {
            closeBlock();
        } else if (n.startsWith(lex.kwCycleN) || n.startsWith(lex.kwCycleWhile)) {
            loops.push_back(k);
        } else if (n == lex.kwEndCycle) {
            if (loops.empty())
                out << t("endWithoutLoop", interface).arg(k + 1).arg(lex.kwEndCycle);
            else
                loops.pop_back();
        } else if (n.startsWith(lex.kwIf)) {
            conditions.push_back({k, false});
        } else if (n == lex.kwThen) {
            if (!conditions.empty()) conditions.back().then = true;
        } else if (n == lex.kwEndCondition) {
            if (conditions.empty()) {
                out << t("endWithoutCondition", interface).arg(k + 1).arg(lex.kwEndCondition);
            } else {
                if (!conditions.back().then)
                    out << t("conditionWithoutThen", interface)
                               .arg(conditions.back().line + 1)
                               .arg(lex.kwThen);
                conditions.pop_back();
            }
        }
    }
    closeBlock();
    return out;
}

}   // namespace Hints
