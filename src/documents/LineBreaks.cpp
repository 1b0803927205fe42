// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/LineBreaks.h"

QString unifyLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text.at(i);
        if (!isLineBreak(c)) {
            out.append(c);
            continue;
        }
        out.append(u'\n');
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
    }
    return out;
}
