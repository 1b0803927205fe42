// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Lexicon.h"
#include <QRgb>
#include <QString>

// The whole-line colours of the algorithm editor, 0xRRGGBB.
namespace LineColour {
constexpr QRgb Black = 0x000000;
constexpr QRgb Navy = 0x000080;
constexpr QRgb Blue = 0x0000FF;
constexpr QRgb Maroon = 0x800000;
constexpr QRgb Green = 0x008000;
constexpr QRgb Teal = 0x008080;
constexpr QRgb Purple = 0x800080;
constexpr QRgb Fuchsia = 0xFF00FF;
constexpr QRgb Gray = 0x808080;
constexpr QRgb Silver = 0xC0C0C0;
}   // namespace LineColour

// What the change handler does with a line: paint it, or (a line starting "**")
// replace it by "*" and open the extended-settings dialog.
struct ChangeRule {
    enum Kind {
        Paint,
        OpenExtendedSettings
    } kind = Paint;
    QRgb colour = LineColour::Black;
    bool operator==(const ChangeRule &) const = default;
};

// The three routines judge the same normalised line by slightly different tables; the
// differences are deliberate (the key handler sees the line before the key lands).
ChangeRule classifyOnChange(const QString &n, const Lexicon &lex);
QRgb classifyOnKey(const QString &n, const Lexicon &lex);
QRgb classifyFull(const QString &n, const Lexicon &lex);

// The colour pasteCode gives a command it inserts between two lines.
QRgb pasteCodeColour(const QString &commandText, const Lexicon &lex);
