// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Highlight.h"
#include <QColor>
#include <QRgb>
#include <QString>
#include <QTextCharFormat>
#include <optional>

// One piece of text to insert (may hold '\n') and its colour; no colour means the colour
// standing at the caret. Pasted text and inserted commands both arrive as pieces.
struct InsertPiece {
    QString text;
    std::optional<QRgb> colour;
};

// A character without an explicit colour shows in the default black.
inline QRgb colourOf(const QTextCharFormat &f)
{
    if (!f.hasProperty(QTextFormat::ForegroundBrush)) return LineColour::Black;
    return f.foreground().color().rgb() & 0xFFFFFF;
}

inline QTextCharFormat withColour(QTextCharFormat f, QRgb colour)
{
    f.setForeground(QColor::fromRgb(colour));
    return f;
}
