// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// The program's lines, numbered from 0, read afresh at every use. The editor is one
// implementation; tests and the headless modes use a plain list of lines.
class ProgramText {
public:
    virtual ~ProgramText() = default;
    virtual int lineCount() const = 0;
    virtual QString line(int k) const = 0;   // "" outside the text
    virtual void replaceLine(int k, const QString &text) = 0;
    virtual QString normalizedLine(int k) const;   // NormalizeLine(line(k))
};

// Lines held in memory; caches the normalised form since the text only changes
// through replaceLine.
class StringListProgramText : public ProgramText {
public:
    StringListProgramText() = default;
    explicit StringListProgramText(QStringList lines);
    int lineCount() const override { return int(m_lines.size()); }
    QString line(int k) const override;
    void replaceLine(int k, const QString &text) override;
    QString normalizedLine(int k) const override;
    const QStringList &lines() const { return m_lines; }

private:
    QStringList m_lines;
    mutable std::vector<QString> m_norm;
    mutable std::vector<bool> m_normValid;
};

// Splits plain text at CR LF, LF or a lone CR into lines.
QStringList splitLines(const QString &text);
