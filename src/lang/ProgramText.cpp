// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/ProgramText.h"
#include "lang/Normalize.h"

QString ProgramText::normalizedLine(int k) const { return normalizeLine(line(k)); }

StringListProgramText::StringListProgramText(QStringList lines) : m_lines(std::move(lines)) { }

QString StringListProgramText::line(int k) const
{
    return (k >= 0 && k < m_lines.size()) ? m_lines.at(k) : QString();
}

void StringListProgramText::replaceLine(int k, const QString &text)
{
    if (k < 0 || k >= m_lines.size()) return;
    m_lines[k] = text;
    if (size_t(k) < m_normValid.size()) m_normValid[k] = false;
}

QString StringListProgramText::normalizedLine(int k) const
{
    if (k < 0 || k >= m_lines.size()) return QString();
    if (m_norm.size() != size_t(m_lines.size())) {
        m_norm.assign(m_lines.size(), QString());
        m_normValid.assign(m_lines.size(), false);
    }
    if (!m_normValid[k]) {
        m_norm[k] = normalizeLine(m_lines.at(k));
        m_normValid[k] = true;
    }
    return m_norm[k];
}

QStringList splitLines(const QString &text)
{
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            out << text.mid(start, i - start);
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
            start = i + 1;
        }
    }
    if (start < n) out << text.mid(start);
    return out;
}
