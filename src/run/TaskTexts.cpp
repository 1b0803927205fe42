// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TaskTexts.h"
#include "base/TextCatalogue.h"
#include "lang/Lexicon.h"
#include "lang/Statements.h"

namespace {

QString text(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }

QString headingText(int heading, Language lang)
{
    return text(QByteArray("access.heading").append(char('0' + (heading & 7))).constData(), lang);
}

}   // namespace

QString runFailureText(const FieldDrawing &d, Language lang)
{
    if (d.result == HeadlessRun::Result::TickLimit) return text("task.result.tickLimit", lang).arg(d.ticks);
    QString words = d.fatalText;
    if (words.isEmpty() && !d.reports.isEmpty()) words = d.reports.constLast().texts.join(QLatin1Char(' '));
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
    QStringList lines;
    const TraceComparison &c = verdict.comparison;
    if (!c.missing.isEmpty()) lines << text("task.result.missing", lang).arg(c.missing.size());
    if (!c.extra.isEmpty()) lines << text("task.result.extra", lang).arg(c.extra.size());
    if (!c.colourDiffers.isEmpty()) lines << text("task.result.colour", lang).arg(c.colourDiffers.size());
    if (verdict.endMatters && field.end && (!c.sameEnd() || verdict.headingDiffers))
        lines << text("task.result.end", lang)
                     .arg(field.end->x)
                     .arg(field.end->y)
                     .arg(headingText(field.end->heading, lang))
                     .arg(c.pupilEnd.x())
                     .arg(c.pupilEnd.y())
                     .arg(headingText(verdict.drawing.heading, lang));
    return lines;
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
