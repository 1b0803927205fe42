// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>
#include <QString>
#include <QStringView>

// A program line ends at any of the separators other programs write between lines: CR, LF,
// vertical tab, form feed and the Unicode line and paragraph separators. A line that held
// one inside would show as two lines and be one for the checker and the file. Inline: a
// file being read asks it of every character.
inline bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'\n' && u <= u'\r') || u == QChar::LineSeparator || u == QChar::ParagraphSeparator;
}

// The text with every such separator, CR LF counting as one, turned into '\n'.
QString unifyLineBreaks(QStringView text);
