// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QString>
#include <QStringList>

// Every numbered error text of the robot language and the notices around the check.
// Multi-line texts hold '\n' between their lines.
struct MessageCatalogue {
    QString msgHead03, msgOutOfField, msgEditCode, msgHead04, msgNoBeginEnd, msgCheckBeginEnd,
        msgBeginEndTwice, msgOnlyOneBeginEnd, msgErrorInLine, msgUnknownCommand, msgAfterEnd, msgBeforeBegin,
        msgNoErrors, msgCycleFormat, msgProcNotFound, msgNoEndProc, msgEndProcWithoutProc,
        msgEndProcInAlgorithm,
        // command dialogs
        msgProcNameStart, msgProcNameEmpty, msgChooseProc,
        // run-time reports of ours: runaway nesting and a loop without its end
        msgNestingTooDeep, msgLoopWithoutEnd;

    // A Language not in the list gives the first Language's set (Russian).
    static const MessageCatalogue &forLanguage(Language lang);
};

// The interpreter's internal-error box; never localised.
QString fatalLoopErrorText();
