// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/Grading.h"

#include "lang/Lexicon.h"
#include "lang/StatementForms.h"

#include <algorithm>

namespace {

// The constructs a statement kind stands for; a procedure counts by its header or its call.
std::optional<TaskConstruct> constructOf(StatementKind kind)
{
    switch (kind) {
    case StatementKind::CountedLoop:
        return TaskConstruct::CountedLoop;
    case StatementKind::ConditionalLoop:
        return TaskConstruct::ConditionalLoop;
    case StatementKind::Condition:
        return TaskConstruct::Condition;
    case StatementKind::ProcedureHeader:
    case StatementKind::Call:
        return TaskConstruct::Procedure;
    case StatementKind::Jump:
        return TaskConstruct::Jump;
    case StatementKind::Destroy:
    case StatementKind::Rebuild:
        return TaskConstruct::DestroyRebuild;
    case StatementKind::Colour:
        return TaskConstruct::Colour;
    default:
        return std::nullopt;
    }
}

bool countsAsStatement(StatementKind kind)
{
    return kind != StatementKind::None && kind != StatementKind::Comment &&
           kind != StatementKind::SpeedDirective;
}

}   // namespace

FieldDrawing drawOnField(const QStringList &lines, Language lang, QSize field, qint64 maxTicks, int speed)
{
    FieldDrawing d;
    StringListProgramText text(lines);
    HeadlessRun run(text, lang);
    run.setCanvas(&d.trace);
    run.setSpeed(speed);
    run.setFieldSize(field.width(), field.height());
    d.result = run.checkAndRun(maxTicks);
    d.end = QPoint(run.world().state().x, run.world().state().y);
    d.heading = run.world().state().heading;
    d.ticks = run.ticks();
    d.reports = run.reports();
    d.reportsLanguage = lang;
    d.fatalText = run.fatalText();
    if (d.ended()) return d;
    // The line the check blames, or the one the run stopped on.
    int line = d.reports.isEmpty() ? -1 : d.reports.constLast().line;
    if (line < 0 && d.result != HeadlessRun::Result::CheckFailed &&
        d.result != HeadlessRun::Result::TickLimit)
        line = run.interpreter().currentLine();
    if (line >= 0 && line < lines.size()) d.line = line + 1;
    return d;
}

int statementLineCount(const QStringList &lines, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    return int(std::count_if(lines.begin(), lines.end(), [&](const QString &line) {
        return countsAsStatement(Forms::statementKind(line, lex));
    }));
}

QList<RuleBreak> brokenRules(const TaskRules &rules, const QStringList &lines, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    QList<RuleBreak> broken;
    int statements = 0;
    int firstUse[TaskConstructCount] = {};
    for (int i = 0; i < lines.size(); ++i) {
        const StatementKind kind = Forms::statementKind(lines[i], lex);
        if (countsAsStatement(kind)) ++statements;
        const std::optional<TaskConstruct> c = constructOf(kind);
        if (c && firstUse[int(*c)] == 0) firstUse[int(*c)] = i + 1;
    }
    if (rules.maxStatementLines && statements > *rules.maxStatementLines)
        broken.append({RuleBreak::Kind::TooManyLines, TaskConstruct::CountedLoop, statements,
                       *rules.maxStatementLines, 0});
    for (TaskConstruct c : rules.required)
        if (firstUse[int(c)] == 0) broken.append({RuleBreak::Kind::Missing, c, 0, 0, 0});
    for (TaskConstruct c : rules.forbidden)
        if (firstUse[int(c)] != 0) broken.append({RuleBreak::Kind::Forbidden, c, 0, 0, firstUse[int(c)]});
    return broken;
}

bool TaskVerdict::solved() const
{
    return !fields.isEmpty() && rules.isEmpty() &&
           std::all_of(fields.begin(), fields.end(), [](const FieldVerdict &f) { return f.passed(); });
}

TraceRecorder goalTrace(const TaskField &field)
{
    TraceRecorder goal;
    for (const TraceRecorder::Drawn &d : field.goal) {
        goal.setPen(d.colour, 1);
        goal.drawSegment(d.segment.x0, d.segment.y0, d.segment.x1, d.segment.y1);
    }
    return goal;
}

FieldVerdict judgeField(const TaskField &field, FieldDrawing drawing)
{
    FieldVerdict v;
    v.endMatters = field.end.has_value();
    if (drawing.ended()) {
        const QPoint goalEnd = field.end ? QPoint(field.end->x, field.end->y) : drawing.end;
        v.comparison = compareTraces(goalTrace(field), goalEnd, drawing.trace, drawing.end);
        v.headingDiffers = field.end && field.end->heading != drawing.heading;
    }
    v.drawing = std::move(drawing);
    return v;
}

TaskVerdict checkAgainstTask(const Task &task, const QStringList &lines, Language lang, int speed)
{
    TaskVerdict verdict;
    for (const TaskField &field : task.fields) {
        FieldDrawing drawing = drawOnField(lines, lang, QSize(field.width, field.height),
                                           pupilTickLimit(field.modelTicks), speed);
        verdict.fields.append(judgeField(field, std::move(drawing)));
    }
    verdict.rules = brokenRules(task.rules, lines, lang);
    return verdict;
}

std::optional<QList<TaskField>> goalsFromModel(const QStringList &model, Language lang,
                                               const QList<QSize> &fields, bool endMatters, int &failedField,
                                               FieldDrawing &failure, int speed)
{
    QList<TaskField> goals;
    for (int i = 0; i < fields.size(); ++i) {
        FieldDrawing d = drawOnField(model, lang, fields[i], ModelTickLimit, speed);
        if (!d.ended()) {
            failedField = i;
            failure = std::move(d);
            return std::nullopt;
        }
        TaskField field;
        field.width = fields[i].width();
        field.height = fields[i].height();
        field.goal = d.trace.segments();
        field.modelTicks = d.ticks;
        if (endMatters) field.end = TaskGoalEnd {d.end.x(), d.end.y(), d.heading};
        goals.append(field);
    }
    return goals;
}
