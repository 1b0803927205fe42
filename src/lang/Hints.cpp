// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Hints.h"
#include "lang/LineMarks.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include "lang/StatementForms.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include <algorithm>
#include <vector>

namespace {

using K = StatementKind;

const QString &word(StatementKind kind, const Lexicon &lex) { return Statements::keyword(kind, lex); }

// Latin and Cyrillic letters that look the same, pairwise.
const char16_t kLatin[] = u"ABCEHKMOPTXYacekopxy";
const char16_t kCyrillic[] = u"АВСЕНКМОРТХУасекорху";

bool isCyrillic(QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; }
bool isLatin(QChar c) { return c.unicode() < 0x80 && c.isLetter(); }

QString t(const char *key, Language lang)
{
    return uiText(QByteArray("hint.") + key, lang).value_or(QString());
}

// Every Language but lang, in the order of the list.
QList<Language> otherLanguages(Language lang)
{
    QList<Language> others = registeredLanguages();
    others.removeAll(lang);
    return others;
}

// The name of a Language in the interface Language ("hint.langRom" for "rom"), or else its
// own name.
QString languageName(Language lang, Language interface)
{
    const QString code = languageCode(lang);
    const QByteArray key = "hint.lang" + code.left(1).toUpper().toLatin1() + code.mid(1).toLatin1();
    return uiText(key, interface).value_or(languageInfo(lang)->name);
}

// The look-alike letters that stand among the keyword Language's script, swapped for it;
// *meant is the line with them swapped.
QString lookAlikeHint(const QString &raw, Language keywords, Language interface, QString *meant)
{
    const bool toCyrillic = languageInfo(keywords)->script == QLatin1String("Cyrillic");
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
    if (letters.isEmpty() || !Hints::isStatement(normalizeLine(fixed), keywords)) return QString();
    *meant = normalizeLine(fixed);
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

// The optimal string alignment distance: a letter put in, left out or changed, or two
// neighbouring letters swapped, each counts as one edit.
int editDistance(QStringView a, QStringView b)
{
    const qsizetype la = a.size(), lb = b.size();
    // Names and colours are short; a pasted page is near nothing, and is not measured.
    if (la > 200 || lb > 200) return int(std::max(la, lb));
    std::vector<int> d(size_t((la + 1) * (lb + 1)));
    auto at = [&d, lb](qsizetype i, qsizetype j) -> int & { return d[size_t(i * (lb + 1) + j)]; };
    for (qsizetype i = 0; i <= la; ++i) at(i, 0) = int(i);
    for (qsizetype j = 0; j <= lb; ++j) at(0, j) = int(j);
    for (qsizetype i = 1; i <= la; ++i) {
        for (qsizetype j = 1; j <= lb; ++j) {
            int v = std::min(
                {at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                v = std::min(v, at(i - 2, j - 2) + 1);
            at(i, j) = v;
        }
    }
    return at(la, lb);
}

bool oneEditApart(QStringView a, QStringView b)
{
    const qsizetype la = a.size(), lb = b.size();
    if (la > lb + 1 || lb > la + 1) return false;
    return editDistance(a, b) == 1;
}

// The statement a line one letter away from a keyword probably meant; empty for none.
QString nearestStatement(const QString &n, const Lexicon &lex)
{
    for (const Statements::Statement &s : Statements::all())
        if (s.match == Statements::Match::WholeLine && oneEditApart(n, lex.*s.keyword)) return lex.*s.keyword;
    // A keyword that begins a longer line: the rest after it stays as written.
    for (const Statements::Statement &s : Statements::all()) {
        if (s.match != Statements::Match::Prefix) continue;
        const QString &kw = lex.*s.keyword;
        for (qsizetype len = kw.size() - 1; len <= kw.size() + 1; ++len) {
            if (len <= 1 || len >= n.size()) continue;
            const QChar after = n.at(len);
            if (after != QLatin1Char(' ') && after != QLatin1Char('=')) continue;
            if (oneEditApart(QStringView(n).left(len), kw)) return kw + n.mid(len);
        }
    }
    return QString();
}

struct LineHint {
    QString text;
    QString meant;   // the normalised statement the line probably meant, when known
};

LineHint lineHint(const QString &raw, Language keywords, Language interface)
{
    keywords = knownOrFirst(keywords);
    interface = knownOrFirst(interface);
    const QString n = normalizeLine(raw);
    if (n.isEmpty() || n.startsWith(LineMark::Comment) || Hints::isStatement(n, keywords)) return {};

    LineHint h;
    h.text = lookAlikeHint(raw, keywords, interface, &h.meant);
    if (!h.text.isEmpty()) return h;

    const QString plain = withoutDiacritics(raw);
    if (plain != raw && Hints::isStatement(normalizeLine(plain), Language::Rom))
        return {t("diacritics", interface).arg(plain.trimmed()), normalizeLine(plain)};

    for (Language other : otherLanguages(keywords)) {
        if (!Hints::isStatement(n, other)) continue;
        const QString item = uiText("menu.translateProgram", interface).value_or(QString());
        const QString menu = uiText("menu.program", interface).value_or(QString());
        return {t("otherLanguage", interface).arg(languageName(other, interface), item, menu), QString()};
    }

    const QString near = nearestStatement(n, Lexicon::forLanguage(keywords));
    if (!near.isEmpty()) return {t("oneLetter", interface).arg(near), near};
    return {};
}

// Spaces (code 32 only) stripped at both ends, as the normalised line has them.
QString withoutEndSpaces(const QString &raw)
{
    qsizetype b = 0, e = raw.size();
    while (b < e && raw.at(b) == QLatin1Char(' ')) ++b;
    while (e > b && raw.at(e - 1) == QLatin1Char(' ')) --e;
    return raw.mid(b, e - b);
}

// A normalised name with the Romanian letters that normalising leaves alone made alike:
// small ones capital, and the cedilla forms of ş and ţ the comma forms.
QString romanianLettersAlike(QString name)
{
    for (QChar &c : name) {
        switch (c.unicode()) {
        case u'ă':
            c = QChar(u'Ă');
            break;
        case u'â':
            c = QChar(u'Â');
            break;
        case u'î':
            c = QChar(u'Î');
            break;
        case u'ș':
        case u'ş':
        case u'Ş':
            c = QChar(u'Ș');
            break;
        case u'ț':
        case u'ţ':
        case u'Ţ':
            c = QChar(u'Ț');
            break;
        default:
            break;
        }
    }
    return name;
}

int findBegin(const ProgramText &text, const Lexicon &lex)
{
    for (int k = 0, count = text.lineCount(); k < count; ++k)
        if (text.normalizedLine(k) == word(K::Begin, lex)) return k;
    return -1;
}

// A call, after the begin line, whose procedure has no header before it, as the check
// finds it: the name, and the header most like it.
QString missingProcedureHint(const ProgramText &text, int callLine, Language keywords, Language interface)
{
    const Lexicon &lex = Lexicon::forLanguage(keywords);
    const QString &callWord = word(K::Call, lex), &procedureWord = word(K::ProcedureHeader, lex);
    const QString n = text.normalizedLine(callLine);
    const int begin = findBegin(text, lex);
    if (!n.startsWith(callWord) || begin < 0 || callLine <= begin) return QString();
    const QString name = n.mid(callWord.size() + 1);
    const QString typed = withoutEndSpaces(text.line(callLine)).mid(callWord.size() + 1);
    struct Header {
        int line;
        QString name, alike;
    };
    std::vector<Header> before, after;
    for (int k = 0, count = text.lineCount(); k < count; ++k) {
        const QString h = text.normalizedLine(k);
        if (k == callLine || !h.startsWith(procedureWord) || h.size() == procedureWord.size()) continue;
        if (k < begin && h == procedureWord + QLatin1Char(' ') + name) return QString();   // it is there
        const qsizetype from =
            procedureWord.size() + (h.at(procedureWord.size()) == QLatin1Char(' ') ? 1 : 0);
        (k < begin ? before : after).push_back({k, h.mid(from), romanianLettersAlike(h.mid(from))});
    }
    const QString alike = romanianLettersAlike(name);
    auto header = [&text](int k) { return withoutEndSpaces(text.line(k)); };
    for (const Header &h : before)
        if (h.alike == alike && h.name != name)
            return t("procedureLetters", interface).arg(typed, header(h.line)).arg(h.line + 1);
    for (const Header &h : after)
        if (h.alike == alike)
            return t("procedureAfterBegin", interface).arg(typed).arg(h.line + 1).arg(word(K::Begin, lex));
    if (before.empty()) return t("procedureNone", interface).arg(typed);
    const Header *nearest = &before.front();
    int best = editDistance(nearest->alike, alike);
    for (const Header &h : before) {
        const int d = editDistance(h.alike, alike);
        if (d < best) {
            best = d;
            nearest = &h;
        }
    }
    return t("procedureNearest", interface).arg(typed, header(nearest->line)).arg(nearest->line + 1);
}

// A program whose statements are mostly those of another keyword Language, begin or end
// line included: the Translate command rewrites it.
QString programLanguageHint(const ProgramText &text, Language keywords, Language interface)
{
    const QList<Language> others = otherLanguages(keywords);
    int own = 0;
    std::vector<int> other(size_t(others.size()), 0);
    std::vector<bool> frame(size_t(others.size()), false);
    for (int k = 0, count = text.lineCount(); k < count; ++k) {
        const QString n = text.normalizedLine(k);
        if (n.isEmpty() || n.startsWith(LineMark::Comment)) continue;
        if (Hints::isStatement(n, keywords)) ++own;
        for (size_t i = 0; i < other.size(); ++i) {
            if (!Hints::isStatement(n, others[qsizetype(i)])) continue;
            ++other[i];
            const Lexicon &lex = Lexicon::forLanguage(others[qsizetype(i)]);
            frame[i] = frame[i] || n == word(K::Begin, lex) || n == word(K::End, lex);
        }
    }
    // The first of the others with the most statements.
    const size_t i = size_t(std::max_element(other.begin(), other.end()) - other.begin());
    if (!frame[i] || other[i] <= own) return QString();
    const QString item = uiText("menu.translateProgram", interface).value_or(QString());
    const QString menu = uiText("menu.program", interface).value_or(QString());
    return t("programInOtherLanguage", interface)
        .arg(languageName(others[qsizetype(i)], interface), item, menu);
}

// No begin or no end line: the first line whose hint says it meant the missing one.
QString beginEndHint(const ProgramText &text, Language keywords, Language interface)
{
    const Lexicon &lex = Lexicon::forLanguage(keywords);
    int begins = 0, ends = 0;
    for (int k = 0, count = text.lineCount(); k < count; ++k) {
        const QString n = text.normalizedLine(k);
        begins += n == word(K::Begin, lex);
        ends += n == word(K::End, lex);
    }
    if (begins > 0 && ends > 0) return QString();
    for (int k = 0, count = text.lineCount(); k < count; ++k) {
        const LineHint h = lineHint(text.line(k), keywords, interface);
        if (h.text.isEmpty()) continue;
        if ((begins == 0 && h.meant == word(K::Begin, lex)) || (ends == 0 && h.meant == word(K::End, lex)))
            return t("atLine", interface).arg(k + 1).arg(h.text);
    }
    return QString();
}

// The colour name of a line the run reads as setting a colour but that names none of
// the Language's colours: the run leaves the colour as it is.
QString unknownColourHint(const QString &raw, int line, Language keywords, Language interface)
{
    const Lexicon &lex = Lexicon::forLanguage(keywords);
    const Forms::ColourForm f = Forms::colourForm(raw, lex);
    if (!f.set || f.step != 0 || f.name.isEmpty() || ColourTable::findByName(f.name, keywords) >= 0)
        return QString();
    const QString typed = withoutEndSpaces(raw.mid(word(K::Colour, lex).size() + 1));
    const QString plain = upperCase1251(withoutDiacritics(f.name));
    QString meant;
    const QStringList names = ColourTable::names(keywords);
    if (names.contains(plain)) meant = plain;
    for (Language other : otherLanguages(keywords)) {
        const int index = ColourTable::findByName(plain, other);
        if (meant.isEmpty() && index >= 0) meant = ColourTable::name(index, keywords);
    }
    if (meant.isEmpty()) {
        // One edit away, or two in a long name.
        int best = 3;
        for (const QString &name : names) {
            const int d = editDistance(plain, name);
            if (d < best && d <= (name.size() >= 6 ? 2 : 1)) {
                best = d;
                meant = name;
            }
        }
    }
    if (meant.isEmpty()) return t("unknownColourNoMatch", interface).arg(line + 1).arg(typed);
    return t("unknownColour", interface).arg(line + 1).arg(typed, meant);
}

}   // namespace

namespace Hints {

bool isStatement(const QString &n, Language keywords)
{
    if (n.isEmpty()) return false;
    return Statements::accepts(n, Lexicon::forLanguage(keywords));
}

QString forLine(const QString &raw, Language keywords, Language interface)
{
    return lineHint(raw, keywords, interface).text;
}

QString forReport(const ProgramText &text, int reportLine, Language keywords, Language interface)
{
    keywords = knownOrFirst(keywords);
    interface = knownOrFirst(interface);
    if (reportLine >= 0) {
        const QString missing = missingProcedureHint(text, reportLine, keywords, interface);
        return missing.isEmpty() ? forLine(text.line(reportLine), keywords, interface) : missing;
    }
    const QString other = programLanguageHint(text, keywords, interface);
    return other.isEmpty() ? beginEndHint(text, keywords, interface) : other;
}

QStringList structureWarnings(const ProgramText &text, Language keywords, Language interface)
{
    keywords = knownOrFirst(keywords);
    interface = knownOrFirst(interface);
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
        for (int line : loops) out << t("loopWithoutEnd", interface).arg(line + 1).arg(word(K::EndLoop, lex));
        for (const OpenCondition &c : conditions)
            if (!c.then) out << t("conditionWithoutThen", interface).arg(c.line + 1).arg(word(K::Then, lex));
        loops.clear();
        conditions.clear();
    };
    for (int k = 0, count = text.lineCount(); k < count; ++k) {
        const QString n = text.normalizedLine(k);
        if (n.startsWith(word(K::Colour, lex))) {
            const QString colour = unknownColourHint(text.line(k), k, keywords, interface);
            if (!colour.isEmpty()) out << colour;
        }
        if (n.startsWith(word(K::ProcedureHeader, lex)) || n == word(K::Begin, lex)) {
            closeBlock();
        } else if (n == word(K::EndProcedure, lex) || n == word(K::End, lex)) {
            closeBlock();
        } else if (n.startsWith(word(K::CountedLoop, lex)) || n.startsWith(word(K::ConditionalLoop, lex))) {
            loops.push_back(k);
        } else if (n == word(K::EndLoop, lex)) {
            if (loops.empty())
                out << t("endWithoutLoop", interface).arg(k + 1).arg(word(K::EndLoop, lex));
            else
                loops.pop_back();
        } else if (n.startsWith(word(K::Condition, lex))) {
            conditions.push_back({k, false});
        } else if (n == word(K::Then, lex)) {
            if (!conditions.empty()) conditions.back().then = true;
        } else if (n == word(K::EndCondition, lex)) {
            if (conditions.empty()) {
                out << t("endWithoutCondition", interface).arg(k + 1).arg(word(K::EndCondition, lex));
            } else {
                if (!conditions.back().then)
                    out << t("conditionWithoutThen", interface)
                               .arg(conditions.back().line + 1)
                               .arg(word(K::Then, lex));
                conditions.pop_back();
            }
        }
    }
    closeBlock();
    return out;
}

}   // namespace Hints
