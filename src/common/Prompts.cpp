// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Prompts.h"

QString toolkitFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        // The description already names the patterns; otherwise append them.
        if (!desc.contains(parts[i + 1])) desc += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        out << desc;
    }
    return out.join(QStringLiteral(";;"));
}
