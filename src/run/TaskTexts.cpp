// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TaskTexts.h"
#include "base/TextCatalogue.h"
#include "lang/Lexicon.h"
#include "lang/MessageCatalogue.h"
#include "lang/Statements.h"

#include <algorithm>
#include <iterator>

namespace {

QString text(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }

QString reportText(const char *key, Language lang)
{
    return uiText(QByteArray("report.") + key, lang).value_or(QString());
}

// Every text of a check's or a run's report.
constexpr QString MessageCatalogue::*kMessages[] = {
    &MessageCatalogue::msgHead03,
    &MessageCatalogue::msgOutOfField,
    &MessageCatalogue::msgEditCode,
    &MessageCatalogue::msgHead04,
    &MessageCatalogue::msgNoBeginEnd,
    &MessageCatalogue::msgCheckBeginEnd,
    &MessageCatalogue::msgBeginEndTwice,
    &MessageCatalogue::msgOnlyOneBeginEnd,
    &MessageCatalogue::msgUnknownCommand,
    &MessageCatalogue::msgAfterEnd,
    &MessageCatalogue::msgBeforeBegin,
    &MessageCatalogue::msgCycleFormat,
    &MessageCatalogue::msgProcNotFound,
    &MessageCatalogue::msgNoEndProc,
    &MessageCatalogue::msgEndProcWithoutProc,
    &MessageCatalogue::msgEndProcInAlgorithm,
    &MessageCatalogue::msgNestingTooDeep,
    &MessageCatalogue::msgLoopWithoutEnd,
};

QString messageIn(const QString &said, const MessageCatalogue &from, const MessageCatalogue &to)
{
    const auto *known = std::find_if(std::begin(kMessages), std::end(kMessages),
                                     [&](QString MessageCatalogue::*m) { return said == from.*m; });
    if (known != std::end(kMessages)) return to.**known;
    // "Error in line: 4 ("STPE")": the line and the pupil's own text follow the words.
    if (!from.msgErrorInLine.isEmpty() && said.startsWith(from.msgErrorInLine))
        return to.msgErrorInLine + said.mid(from.msgErrorInLine.size());
    return said;
}

}   // namespace

QString headingText(int heading, Language lang)
{
    return text(QByteArray("access.heading").append(char('0' + (heading & 7))).constData(), lang);
}

QString runStopText(RunFailure failure, int line, qint64 ticks, Language lang)
{
    switch (failure) {
    case RunFailure::Check:
        return line > 0 ? reportText("checkError", lang).arg(line) : reportText("checkErrorNoLine", lang);
    case RunFailure::Run:
        return reportText("runError", lang).arg(line);
    case RunFailure::TickLimit:
        return reportText("tickLimit", lang).arg(ticks);
    case RunFailure::None:
        break;
    }
    return QString();
}

ErrorReport errorReportIn(const ErrorReport &report, Language keywords, Language lang)
{
    if (knownOrFirst(keywords) == knownOrFirst(lang)) return report;
    const MessageCatalogue &from = MessageCatalogue::forLanguage(keywords);
    const MessageCatalogue &to = MessageCatalogue::forLanguage(lang);
    ErrorReport r = report;
    r.heading = messageIn(r.heading, from, to);
    std::transform(r.texts.begin(), r.texts.end(), r.texts.begin(),
                   [&](const QString &t) { return messageIn(t, from, to); });
    return r;
}

QStringList differenceTexts(int missing, int extra, int colourDiffers, const TaskGoalEnd *goalEnd,
                            const TaskGoalEnd &end, Language lang)
{
    QStringList lines;
    if (missing > 0) lines << text("task.result.missing", lang).arg(missing);
    if (extra > 0) lines << text("task.result.extra", lang).arg(extra);
    if (colourDiffers > 0) lines << text("task.result.colour", lang).arg(colourDiffers);
    if (goalEnd)
        lines << text("task.result.end", lang)
                     .arg(QString::number(goalEnd->x), QString::number(goalEnd->y),
                          headingText(goalEnd->heading, lang), QString::number(end.x), QString::number(end.y),
                          headingText(end.heading, lang));
    return lines;
}

QString runFailureText(const FieldDrawing &d, Language lang)
{
    if (d.result == HeadlessRun::Result::TickLimit) return text("task.result.tickLimit", lang).arg(d.ticks);
    QString words = d.fatalText;
    // The run's report speaks the program's keywords; the verdict, the reader's Language.
    if (words.isEmpty() && !d.reports.isEmpty())
        words = errorReportIn(d.reports.constLast(), d.reportsLanguage, lang).texts.join(QLatin1Char(' '));
    words = words.simplified();
    return d.line > 0 ? text("task.result.runError", lang).arg(QString::number(d.line), words) : words;
}

QString fieldVerdictHeading(int index, const TaskField &field, bool passed, Language lang)
{
    return text(passed ? "task.result.fieldRight" : "task.result.fieldWrong", lang)
        .arg(index + 1)
        .arg(field.width)
        .arg(field.height);
}

QStringList fieldVerdictDetails(const FieldVerdict &verdict, const TaskField &field, Language lang)
{
    if (!verdict.drawing.ended()) return {runFailureText(verdict.drawing, lang)};
    const TraceComparison &c = verdict.comparison;
    const bool endWrong = verdict.endMatters && field.end && (!c.sameEnd() || verdict.headingDiffers);
    return differenceTexts(int(c.missing.size()), int(c.extra.size()), int(c.colourDiffers.size()),
                           endWrong ? &*field.end : nullptr,
                           TaskGoalEnd {c.pupilEnd.x(), c.pupilEnd.y(), verdict.drawing.heading}, lang);
}

QString taskConstructText(TaskConstruct construct, Language keywords, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(keywords);
    switch (construct) {
    case TaskConstruct::CountedLoop:
        return text("task.construct.loop", lang);
    case TaskConstruct::ConditionalLoop:
        return text("task.construct.while", lang);
    case TaskConstruct::Condition:
        return text("task.construct.condition", lang);
    case TaskConstruct::Procedure:
        return text("task.construct.procedure", lang);
    case TaskConstruct::Jump:
        return text("task.construct.jump", lang).arg(Statements::keyword(StatementKind::Jump, lex));
    case TaskConstruct::DestroyRebuild:
        return text("task.construct.destroy", lang)
            .arg(Statements::keyword(StatementKind::Destroy, lex),
                 Statements::keyword(StatementKind::Rebuild, lex));
    case TaskConstruct::Colour:
        return text("task.construct.colour", lang).arg(Statements::keyword(StatementKind::Colour, lex));
    }
    return QString();
}

QString ruleBreakText(const RuleBreak &rule, Language keywords, Language lang)
{
    switch (rule.kind) {
    case RuleBreak::Kind::TooManyLines:
        return text("task.rule.tooMany", lang).arg(rule.count).arg(rule.limit);
    case RuleBreak::Kind::Missing:
        return text("task.rule.missing", lang).arg(taskConstructText(rule.construct, keywords, lang));
    case RuleBreak::Kind::Forbidden:
        return text("task.rule.forbidden", lang)
            .arg(taskConstructText(rule.construct, keywords, lang), QString::number(rule.line));
    }
    return QString();
}
