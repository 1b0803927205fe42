// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/Highlight.h"
#include <QColor>
#include <QRgb>
#include <QString>
#include <QTextCharFormat>
#include <optional>

// One piece of text to insert (may hold '\n') and its colour; no colour means the colour
// standing at the caret. Pasted text and inserted commands both arrive as pieces.
struct InsertPiece {
    QString text;
    std::optional<QRgb> color;
};

// A character without an explicit colour shows in the default black.
inline QRgb colorOf(const QTextCharFormat &f)
{
    if (!f.hasProperty(QTextFormat::ForegroundBrush)) return LineColor::Black;
    return f.foreground().color().rgb() & 0xFFFFFF;
}

inline QTextCharFormat withColor(QTextCharFormat f, QRgb color)
{
    f.setForeground(QColor::fromRgb(color));
    return f;
}
