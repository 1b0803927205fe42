// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Lexicon.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"

namespace {

// Each field is filled from the Language data file's "keyword.<slot>" text, by name.
struct KeywordSlot {
    const char *name;
    QString Lexicon::*field;
};

const KeywordSlot kSlots[] = {
    {"begin", &Lexicon::kwBegin},
    {"end", &Lexicon::kwEnd},
    {"step", &Lexicon::kwStep},
    {"jump", &Lexicon::kwJump},
    {"rotate45", &Lexicon::kwRotate45},
    {"rotate90", &Lexicon::kwRotate90},
    {"colour", &Lexicon::kwColour},
    {"destroy", &Lexicon::kwDestroy},
    {"rebuild", &Lexicon::kwRebuild},
    {"execute", &Lexicon::kwExecute},
    {"procedure", &Lexicon::kwProcedure},
    {"endProcedure", &Lexicon::kwEndProcedure},
    {"cycleN", &Lexicon::kwCycleN},
    {"times", &Lexicon::kwTimes},
    {"endCycle", &Lexicon::kwEndCycle},
    {"endCondition", &Lexicon::kwEndCondition},
    {"cycleWhile", &Lexicon::kwCycleWhile},
    {"notBorder", &Lexicon::kwNotBorder},
    {"border", &Lexicon::kwBorder},
    {"notLine", &Lexicon::kwNotLine},
    {"line", &Lexicon::kwLine},
    {"if", &Lexicon::kwIf},
    {"then", &Lexicon::kwThen},
    {"else", &Lexicon::kwElse},
};
static_assert(sizeof(kSlots) / sizeof(kSlots[0]) == sizeof(Lexicon) / sizeof(QString),
              "every keyword slot is filled from the data");

// The colour's name key in the data files is "colourName.<key>".
struct ColourRow {
    QRgb rgb;
    const char *key;
};

const ColourRow kColours[ColourTable::Count] = {
    {0x000000, "black"},  {0x800000, "maroon"},  {0x008000, "green"}, {0x808000, "olive"},
    {0x000080, "navy"},   {0x800080, "purple"},  {0x008080, "teal"},  {0x808080, "gray"},
    {0xC0C0C0, "silver"}, {0xFF0000, "red"},     {0x00FF00, "lime"},  {0xFFFF00, "yellow"},
    {0x0000FF, "blue"},   {0xFF00FF, "fuchsia"}, {0x00FFFF, "aqua"},  {0xFFFFFF, "transparent"},
};

// What is built from one Language's data.
struct LanguageWords {
    Lexicon lexicon;
    QStringList colourNames;
};

LanguageWords build(Language lang)
{
    auto text = [lang](const QByteArray &key) { return uiText(key, lang).value_or(QString()); };
    LanguageWords w;
    for (const KeywordSlot &slot : kSlots) w.lexicon.*slot.field = text(QByteArray("keyword.") + slot.name);
    for (const ColourRow &row : kColours) w.colourNames << text(QByteArray("colourName.") + row.key);
    return w;
}

// A Language not in the list reads as the first.
const LanguageWords &wordsOf(Language lang) { return builtForLanguage<LanguageWords>(lang, build); }

}   // namespace

const Lexicon &Lexicon::forLanguage(Language lang) { return wordsOf(lang).lexicon; }

namespace ColourTable {

QRgb value(int index) { return (index >= 0 && index < Count) ? kColours[index].rgb : 0; }

QString name(int index, Language lang)
{
    if (index < 0 || index >= Count) return QString();
    return wordsOf(lang).colourNames.at(index);
}

QStringList names(Language lang) { return wordsOf(lang).colourNames; }

int indexOf(QRgb rgb)
{
    rgb &= 0xFFFFFF;
    for (int i = 0; i < Count; ++i)
        if (kColours[i].rgb == rgb) return i;
    return -1;
}

int findByName(const QString &normalized, Language lang)
{
    return int(wordsOf(lang).colourNames.indexOf(normalized));
}

QRgb next(QRgb current)
{
    const int i = indexOf(current);
    return i < 0 ? current : kColours[(i + 1) % Count].rgb;
}

QRgb previous(QRgb current)
{
    const int i = indexOf(current);
    return i < 0 ? current : kColours[(i + Count - 1) % Count].rgb;
}

}   // namespace ColourTable
