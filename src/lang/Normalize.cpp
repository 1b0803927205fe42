// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Normalize.h"

QChar upperCase1251(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) {
        if (u >= 'a' && u <= 'z') return QChar(char16_t(u - 32));
        return c;
    }
    if (u >= 0x0430 && u <= 0x044F) return QChar(char16_t(u - 0x20));
    // ѐ (U+0450) and ѝ (U+045D) are not in the code page.
    if (u >= 0x0451 && u <= 0x045F && u != 0x045D) return QChar(char16_t(u - 0x50));
    if (u == 0x0491) return QChar(char16_t(0x0490));
    return c;
}

QString upperCase1251(const QString &s)
{
    QString r = s;
    QChar *d = r.data();
    for (qsizetype i = 0, n = r.size(); i < n; ++i) d[i] = upperCase1251(d[i]);
    return r;
}

QString normalizeLine(const QString &line)
{
    qsizetype b = 0, e = line.size();
    while (e > 0 && line.at(e - 1) == QLatin1Char(' ')) --e;
    while (b < e && line.at(b) == QLatin1Char(' ')) ++b;
    QString r(e - b, Qt::Uninitialized);
    const QChar *s = line.constData() + b;
    QChar *d = r.data();
    for (qsizetype i = 0; i < e - b; ++i) d[i] = upperCase1251(s[i]);
    return r;
}
