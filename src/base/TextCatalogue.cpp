// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextCatalogue.h"
#include "base/LanguageRegistry.h"

std::optional<QString> uiText(QByteArrayView key, Language lang) { return languageText(lang, key); }

QByteArrayList catalogueKeys() { return languageTextKeys(); }
