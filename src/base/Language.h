// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>

// A keyword and interface Language: a small value naming one entry of the Language list
// (base/LanguageRegistry.h), which is read from the Language data files. The three the
// file formats know have names here; a Language added by a data file takes the next number.
// Unknown is what a hand-edited settings file may carry; callers decide what it means (the
// lexicon falls back to the first Language, Russian).
enum class Language : int {
    Unknown = -1,
    Rus = 0,
    Rom = 1,
    Eng = 2
};

Language languageFromCode(const QString &code);   // exact, lower case: "rus", "rom", "eng", ...
QString languageCode(Language lang);   // "" for Unknown and a number no Language has
// Every Language, in the order of the Language list (the Preferences' order).
QList<Language> registeredLanguages();
// lang when it is in the list, else the first Language of the list.
Language knownOrFirst(Language lang);
