// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The three interface/keyword languages. Unknown is what a hand-edited settings
// file may carry; callers decide what it means (the lexicon falls back to Russian).
enum class Language {
    Rus = 0,
    Rom = 1,
    Eng = 2,
    Unknown = 3
};

Language languageFromCode(const QString &code);   // exact, lower case: "rus", "rom", "eng"
QString languageCode(Language lang);   // "" for Unknown
// Column index into the three-language tables; Unknown reads as Russian.
inline int languageIndex(Language lang) { return lang == Language::Unknown ? 0 : int(lang); }
// The word of the three that goes with lang, and `unknown` for Unknown.
inline QString perLanguage(Language lang, const char *rus, const char *rom, const char *eng,
                           const char *unknown)
{
    const char *const words[] = {rus, rom, eng, unknown};
    return QString::fromLatin1(words[int(lang)]);
}
