// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Upper-cases exactly the letters of the Windows-1251 code page: Latin a-z and the
// Cyrillic small letters (ё and the other Slavic ones included). Everything else,
// µ and ß among them, stays as it is; QString::toUpper would not.
QChar upperCase1251(QChar c);
QString upperCase1251(const QString &s);

// Spaces (code 32 only) stripped at both ends, letters upper-cased.
QString normalizeLine(const QString &line);

inline bool beginsWith(const QString &n, const QString &kw) { return n.startsWith(kw); }
