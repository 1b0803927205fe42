// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/MessageCatalogue.h"
#include "base/TextCatalogue.h"

namespace {

MessageCatalogue fromCatalogue(Language lang)
{
    auto text = [lang](const char *field) {
        return uiText(QByteArray("message.") + field, lang).value_or(QString());
    };
    MessageCatalogue m;
    m.msgHead03 = text("msgHead03");
    m.msgOutOfField = text("msgOutOfField");
    m.msgEditCode = text("msgEditCode");
    m.msgHead04 = text("msgHead04");
    m.msgNoBeginEnd = text("msgNoBeginEnd");
    m.msgCheckBeginEnd = text("msgCheckBeginEnd");
    m.msgBeginEndTwice = text("msgBeginEndTwice");
    m.msgOnlyOneBeginEnd = text("msgOnlyOneBeginEnd");
    m.msgErrorInLine = text("msgErrorInLine");
    m.msgUnknownCommand = text("msgUnknownCommand");
    m.msgAfterEnd = text("msgAfterEnd");
    m.msgBeforeBegin = text("msgBeforeBegin");
    m.msgNoErrors = text("msgNoErrors");
    m.msgCycleFormat = text("msgCycleFormat");
    m.msgProcNotFound = text("msgProcNotFound");
    m.msgNoEndProc = text("msgNoEndProc");
    m.msgEndProcWithoutProc = text("msgEndProcWithoutProc");
    m.msgEndProcInAlgorithm = text("msgEndProcInAlgorithm");
    m.msgProcNameStart = text("msgProcNameStart");
    m.msgProcNameEmpty = text("msgProcNameEmpty");
    m.msgChooseProc = text("msgChooseProc");
    m.msgNestingTooDeep = text("msgNestingTooDeep");
    m.msgLoopWithoutEnd = text("msgLoopWithoutEnd");
    return m;
}

}   // namespace

const MessageCatalogue &MessageCatalogue::forLanguage(Language lang)
{
    static const MessageCatalogue sets[3] = {fromCatalogue(Language::Rus), fromCatalogue(Language::Rom),
                                             fromCatalogue(Language::Eng)};
    return sets[languageIndex(lang)];
}

QString fatalLoopErrorText()
{
    return QStringLiteral("FATAL ERROR!\ncycleN_done[cycleN_count]>strtoint(cycleN_temp)!\n"
                          "PLEASE, SEND YOUR PROGRAMM CODE TO THE DEVELOPER!\nProgram halted...");
}
