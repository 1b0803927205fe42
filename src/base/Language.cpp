// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Language.h"

Language languageFromCode(const QString &code)
{
    if (code == QLatin1String("rus")) return Language::Rus;
    if (code == QLatin1String("rom")) return Language::Rom;
    if (code == QLatin1String("eng")) return Language::Eng;
    return Language::Unknown;
}

QString languageCode(Language lang) { return perLanguage(lang, "rus", "rom", "eng", ""); }
