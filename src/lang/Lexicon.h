// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QRgb>
#include <QString>
#include <QStringList>

// The 24 keyword slots of one Language, upper case, filled from its data file by slot name.
struct Lexicon {
    QString kwBegin, kwEnd, kwStep, kwJump, kwRotate45, kwRotate90, kwColour, kwDestroy, kwRebuild, kwExecute,
        kwProcedure, kwEndProcedure, kwCycleN, kwTimes, kwEndCycle, kwEndCondition, kwCycleWhile, kwNotBorder,
        kwBorder, kwNotLine, kwLine, kwIf, kwThen, kwElse;

    // A Language not in the list gives the first Language's set (Russian).
    static const Lexicon &forLanguage(Language lang);
};

// The sixteen trace colours; the order is also the +/- colour step cycle.
namespace ColourTable {
constexpr int Count = 16;
QRgb value(int index);
QString name(int index, Language lang);
QStringList names(Language lang);
int indexOf(QRgb rgb);   // -1 when not in the table
int findByName(const QString &normalized, Language lang);   // first match or -1
QRgb next(QRgb current);   // unchanged when not in the table
QRgb previous(QRgb current);
}   // namespace ColourTable
