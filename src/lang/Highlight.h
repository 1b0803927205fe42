// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Lexicon.h"
#include "lang/LineColour.h"
#include <QRgb>
#include <QString>

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
