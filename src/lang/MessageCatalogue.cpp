// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/MessageCatalogue.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"

namespace {

MessageCatalogue fromCatalogue(Language lang)
{
    auto text = [lang](const char *field) {
        return uiText(QByteArray("message.") + field, lang).value_or(QString());
    };
    MessageCatalogue m;
    m.msgHead03 = text("heading.robotError");
    m.msgOutOfField = text("outOfField");
    m.msgEditCode = text("editCode");
    m.msgHead04 = text("heading.structureError");
    m.msgNoBeginEnd = text("noBeginEnd");
    m.msgCheckBeginEnd = text("checkBeginEnd");
    m.msgBeginEndTwice = text("beginEndTwice");
    m.msgOnlyOneBeginEnd = text("onlyOneBeginEnd");
    m.msgErrorInLine = text("errorInLine");
    m.msgUnknownCommand = text("unknownCommand");
    m.msgAfterEnd = text("afterEnd");
    m.msgBeforeBegin = text("beforeBegin");
    m.msgNoErrors = text("noErrors");
    m.msgCycleFormat = text("cycleFormat");
    m.msgProcNotFound = text("procNotFound");
    m.msgNoEndProc = text("noEndProc");
    m.msgEndProcWithoutProc = text("endProcWithoutProc");
    m.msgEndProcInAlgorithm = text("endProcInAlgorithm");
    m.msgProcNameStart = text("procNameStart");
    m.msgProcNameEmpty = text("procNameEmpty");
    m.msgChooseProc = text("chooseProc");
    m.msgNestingTooDeep = text("nestingTooDeep");
    m.msgLoopWithoutEnd = text("loopWithoutEnd");
    return m;
}

}   // namespace

const MessageCatalogue &MessageCatalogue::forLanguage(Language lang)
{
    return builtForLanguage<MessageCatalogue>(lang, fromCatalogue);
}

QString fatalLoopErrorText()
{
    return QStringLiteral("FATAL ERROR!\ncycleN_done[cycleN_count]>strtoint(cycleN_temp)!\n"
                          "PLEASE, SEND YOUR PROGRAMM CODE TO THE DEVELOPER!\nProgram halted...");
}
