// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "base/SafeFile.h"
#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <optional>

// The editor's content as lines with character colours: what a .tkm file holds.
struct ColorRun {
    int length = 0;
    QRgb color = 0x000000;   // 0xRRGGBB
};
struct StyledLine {
    QString text;
    QList<ColorRun> runs;   // lengths add up to text.size(); may be empty (all black)
};
using StyledText = QList<StyledLine>;

std::optional<StyledText> readRtf(const QByteArray &data);   // nothing when not RTF
StyledText readPlainText(const QByteArray &data);   // Windows-1251, or UTF-8 after a BOM
StyledText readProgramData(const QByteArray &data);   // RTF first, then plain text
QByteArray writeRtf(const StyledText &text);
QStringList plainLines(const StyledText &text);
// The colour of every character of the line; black where the runs fall short.
QList<QRgb> characterColors(const StyledLine &line);
// Same lines with the same character colours, however the runs are cut.
bool sameContent(const StyledText &a, const StyledText &b);

// File level. On failure returns false and puts the reason, worded in lang, into *error.
bool loadProgramFile(const QString &path, StyledText &out, QString *error, Language lang = Language::Eng);
// As loadProgramFile, refusing as too large a text of more than maxLines lines or with a
// line longer than maxLineLength characters: what an editor window can take in at once.
bool loadProgramFile(const QString &path, StyledText &out, QString *error, qsizetype maxLines,
                     qsizetype maxLineLength, Language lang = Language::Eng);
// Writes through a temporary file that replaces the target only when complete. A read-only
// file is replaced only where the options say the user agreed.
bool saveProgramFile(const QString &path, const StyledText &text, QString *error,
                     Language lang = Language::Eng, WriteOptions options = {});
