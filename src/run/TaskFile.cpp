// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TaskFile.h"

#include "base/SafeFile.h"
#include "base/TextCatalogue.h"
#include "lang/Lexicon.h"
#include "world/RobotWorld.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace {

const char *const kConstructNames[TaskConstructCount] = {"loop", "while",   "condition", "procedure",
                                                         "jump", "destroy", "colour"};
const char *const kHeadings[8] = {"east", "south-east", "south", "south-west",
                                  "west", "north-west", "north", "north-east"};
const char kFormatName[] = "trakmil-task";
constexpr int kMaxStartLines = 10000;
constexpr int kMaxStartLineLength = 10000;
constexpr int kMaxModelTicks = 10'000'000;   // what a model may take at most

QString colourText(QRgb rgb) { return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')); }

std::optional<QRgb> colourFromText(const QJsonValue &v)
{
    const QString s = v.toString();
    if (s.size() != 7 || !s.startsWith(QLatin1Char('#'))) return std::nullopt;
    bool ok = false;
    const uint rgb = s.mid(1).toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    return QRgb(rgb);
}

QJsonArray constructList(const QList<TaskConstruct> &list)
{
    QJsonArray a;
    for (TaskConstruct c : list) a.append(taskConstructName(c));
    return a;
}

// Reads a JSON document whose every fault is named with its place, so that a refusal can
// tell a teacher where a hand edit went wrong.
class Reader {
public:
    explicit Reader(TaskFileError &error) : m_error(error) { }

    std::optional<Task> read(const QJsonObject &root)
    {
        if (root.value(QLatin1String("format")).toString() != QLatin1String(kFormatName))
            return refuse(TaskFileError::Kind::NotATask, QStringLiteral("format"));
        const QJsonValue version = root.value(QLatin1String("version"));
        if (!version.isDouble()) return refuse(TaskFileError::Kind::Missing, QStringLiteral("version"));
        const double number = version.toDouble();
        if (number != Task::Version)   // a version too large to name is named 0
            return refuse(TaskFileError::Kind::UnknownVersion, QStringLiteral("version"),
                          number >= 0 && number <= 1e9 ? qint64(number) : 0);

        Task task;
        if (!text(root, "title", task.title, true)) return std::nullopt;
        if (task.title.trimmed().isEmpty() || task.title.contains(QLatin1Char('\n')))
            return refuse(TaskFileError::Kind::BadValue, QStringLiteral("title"));
        if (root.contains(QLatin1String("text")) && !text(root, "text", task.text, false))
            return std::nullopt;
        if (root.contains(QLatin1String("language"))) {
            const Language lang = languageFromCode(root.value(QLatin1String("language")).toString());
            if (lang == Language::Unknown)
                return refuse(TaskFileError::Kind::BadValue, QStringLiteral("language"));
            task.language = lang;
        }
        if (!readFields(root.value(QLatin1String("fields")), task.fields)) return std::nullopt;
        if (root.contains(QLatin1String("rules")) &&
            !readRules(root.value(QLatin1String("rules")), task.rules))
            return std::nullopt;
        if (root.contains(QLatin1String("start"))) {
            StyledText start;
            if (!readStart(root.value(QLatin1String("start")), start)) return std::nullopt;
            task.start = start;
        }
        return task;
    }

private:
    bool fail(TaskFileError::Kind kind, const QString &where, qint64 number = 0)
    {
        m_error = {kind, where, number};
        return false;
    }
    std::nullopt_t refuse(TaskFileError::Kind kind, const QString &where, qint64 number = 0)
    {
        fail(kind, where, number);
        return std::nullopt;
    }

    bool text(const QJsonObject &o, const char *key, QString &out, bool required)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() && required) return fail(TaskFileError::Kind::Missing, QLatin1String(key));
        if (!v.isString()) return fail(TaskFileError::Kind::BadValue, QLatin1String(key));
        out = v.toString();
        return true;
    }

    // A whole number in [lo, hi]; anything else (a fraction, a string, a huge number) is refused.
    bool integer(const QJsonValue &v, int lo, int hi, int &out, const QString &where,
                 TaskFileError::Kind kind = TaskFileError::Kind::BadValue)
    {
        if (!v.isDouble()) return fail(v.isUndefined() ? TaskFileError::Kind::Missing : kind, where);
        const double d = v.toDouble();
        // The range first: converting a huge or fractional double to an integer is undefined.
        if (!(d >= lo && d <= hi) || d != std::floor(d))
            return fail(kind, where, d >= -1e15 && d <= 1e15 ? qint64(d) : 0);
        out = int(d);
        return true;
    }

    bool readFields(const QJsonValue &v, QList<TaskField> &fields)
    {
        const QString where = QStringLiteral("fields");
        if (v.isUndefined()) return fail(TaskFileError::Kind::Missing, where);
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.isEmpty() || a.size() > Task::MaxFields)
            return fail(TaskFileError::Kind::BadValue, where, v.isArray() ? a.size() : 0);
        for (qsizetype i = 0; i < a.size(); ++i) {
            TaskField field;
            if (!readField(a.at(i), field, QStringLiteral("fields[%1]").arg(i))) return false;
            fields.append(field);
        }
        return true;
    }

    bool readField(const QJsonValue &v, TaskField &field, const QString &where)
    {
        if (!v.isObject()) return fail(TaskFileError::Kind::BadValue, where);
        const QJsonObject o = v.toObject();
        const auto sizeKind = TaskFileError::Kind::FieldSizeOutOfRange;
        if (!integer(o.value(QLatin1String("width")), 2, RobotWorld::MaxX, field.width,
                     where + QLatin1String(".width"), sizeKind) ||
            !integer(o.value(QLatin1String("height")), 2, RobotWorld::MaxY, field.height,
                     where + QLatin1String(".height"), sizeKind))
            return false;

        const QJsonValue goal = o.value(QLatin1String("goal"));
        if (!goal.isArray())
            return fail(goal.isUndefined() ? TaskFileError::Kind::Missing : TaskFileError::Kind::BadValue,
                        where + QLatin1String(".goal"));
        // Through a recorder, so the goal comes out in the order and form a run's drawing has.
        TraceRecorder recorder;
        QSet<int> seen;
        const QJsonArray segments = goal.toArray();
        for (qsizetype i = 0; i < segments.size(); ++i) {
            const QString at = where + QStringLiteral(".goal[%1]").arg(i);
            const QJsonArray s = segments.at(i).toArray();
            if (!segments.at(i).isArray() || s.size() != 5) return fail(TaskFileError::Kind::BadValue, at);
            int x0, y0, x1, y1;
            const auto outside = TaskFileError::Kind::SegmentOutOfField;
            if (!integer(s.at(0), 0, field.width, x0, at, outside) ||
                !integer(s.at(1), 0, field.height, y0, at, outside) ||
                !integer(s.at(2), 0, field.width, x1, at, outside) ||
                !integer(s.at(3), 0, field.height, y1, at, outside))
                return false;
            if (qAbs(x1 - x0) > 1 || qAbs(y1 - y0) > 1 || (x0 == x1 && y0 == y1))
                return fail(TaskFileError::Kind::BadValue, at);
            const std::optional<QRgb> colour = colourFromText(s.at(4));
            // White is the field's own colour: a segment drawn in it is no segment at all.
            if (!colour || ColourTable::indexOf(*colour) < 0 || *colour == 0xFFFFFF)
                return fail(TaskFileError::Kind::ColourOutOfRange, at);
            const TraceSegment segment = TraceSegment::between(x0, y0, x1, y1);
            if (seen.contains(segment.key())) return fail(TaskFileError::Kind::BadValue, at);
            seen.insert(segment.key());
            recorder.setPen(*colour, 1);
            recorder.drawSegment(x0, y0, x1, y1);
        }
        field.goal = recorder.segments();

        const QJsonValue ticks = o.value(QLatin1String("modelTicks"));
        if (!ticks.isUndefined()) {
            int n = 0;
            if (!integer(ticks, 0, kMaxModelTicks, n, where + QLatin1String(".modelTicks"))) return false;
            field.modelTicks = n;
        }

        const QJsonValue end = o.value(QLatin1String("end"));
        if (!end.isUndefined()) {
            const QString at = where + QLatin1String(".end");
            if (!end.isObject()) return fail(TaskFileError::Kind::BadValue, at);
            const QJsonObject e = end.toObject();
            TaskGoalEnd goalEnd;
            if (!integer(e.value(QLatin1String("x")), 0, field.width, goalEnd.x, at + QLatin1String(".x"),
                         TaskFileError::Kind::SegmentOutOfField) ||
                !integer(e.value(QLatin1String("y")), 0, field.height, goalEnd.y, at + QLatin1String(".y"),
                         TaskFileError::Kind::SegmentOutOfField))
                return false;
            const QString heading = e.value(QLatin1String("heading")).toString();
            goalEnd.heading = -1;
            for (int h = 0; h < 8; ++h)
                if (heading == QLatin1String(kHeadings[h])) goalEnd.heading = h;
            if (goalEnd.heading < 0)
                return fail(TaskFileError::Kind::BadValue, at + QLatin1String(".heading"));
            field.end = goalEnd;
        }
        return true;
    }

    bool readConstructs(const QJsonObject &o, const char *key, QList<TaskConstruct> &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined()) return true;
        const QString where = QStringLiteral("rules.") + QLatin1String(key);
        if (!v.isArray()) return fail(TaskFileError::Kind::BadValue, where);
        for (const QJsonValue &name : v.toArray()) {
            const std::optional<TaskConstruct> c = taskConstructFromName(name.toString());
            if (!c) return fail(TaskFileError::Kind::BadValue, where);
            if (!out.contains(*c)) out.append(*c);
        }
        return true;
    }

    bool readRules(const QJsonValue &v, TaskRules &rules)
    {
        if (!v.isObject()) return fail(TaskFileError::Kind::BadValue, QStringLiteral("rules"));
        const QJsonObject o = v.toObject();
        const QJsonValue max = o.value(QLatin1String("maxLines"));
        if (!max.isUndefined()) {
            int n = 0;
            if (!integer(max, 1, 100000, n, QStringLiteral("rules.maxLines"))) return false;
            rules.maxStatementLines = n;
        }
        if (!readConstructs(o, "require", rules.required) || !readConstructs(o, "forbid", rules.forbidden))
            return false;
        for (TaskConstruct c : rules.required)
            if (rules.forbidden.contains(c))
                return fail(TaskFileError::Kind::BadValue, QStringLiteral("rules"));
        return true;
    }

    bool readStart(const QJsonValue &v, StyledText &start)
    {
        const QJsonArray lines = v.toArray();
        if (!v.isArray() || lines.size() > kMaxStartLines)
            return fail(TaskFileError::Kind::BadValue, QStringLiteral("start"));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString at = QStringLiteral("start[%1]").arg(i);
            const QJsonObject o = lines.at(i).toObject();
            StyledLine line;
            if (!lines.at(i).isObject() || !text(o, "text", line.text, true))
                return fail(TaskFileError::Kind::BadValue, at);
            if (line.text.size() > kMaxStartLineLength || line.text.contains(QLatin1Char('\n')) ||
                line.text.contains(QLatin1Char('\r')))
                return fail(TaskFileError::Kind::BadValue, at);
            qsizetype covered = 0;
            for (const QJsonValue &r : o.value(QLatin1String("runs")).toArray()) {
                const QJsonArray run = r.toArray();
                int length = 0;
                if (run.size() != 2 || !integer(run.at(0), 1, kMaxStartLineLength, length, at)) return false;
                const std::optional<QRgb> colour = colourFromText(run.at(1));
                if (!colour || ColourTable::indexOf(*colour) < 0)
                    return fail(TaskFileError::Kind::ColourOutOfRange, at);
                covered += length;
                line.runs.append({length, *colour});
            }
            if (!line.runs.isEmpty() && covered != line.text.size())
                return fail(TaskFileError::Kind::BadValue, at);
            start.append(line);
        }
        return true;
    }

    TaskFileError &m_error;
};

}   // namespace

QString taskConstructName(TaskConstruct c) { return QLatin1String(kConstructNames[int(c)]); }

std::optional<TaskConstruct> taskConstructFromName(const QString &name)
{
    for (int i = 0; i < TaskConstructCount; ++i)
        if (name == QLatin1String(kConstructNames[i])) return TaskConstruct(i);
    return std::nullopt;
}

QByteArray writeTask(const Task &task)
{
    QJsonObject root;
    root.insert(QLatin1String("format"), QLatin1String(kFormatName));
    root.insert(QLatin1String("version"), Task::Version);
    root.insert(QLatin1String("title"), task.title);
    if (!task.text.isEmpty()) root.insert(QLatin1String("text"), task.text);
    if (task.language) root.insert(QLatin1String("language"), languageCode(*task.language));

    QJsonArray fields;
    for (const TaskField &field : task.fields) {
        QJsonObject f;
        f.insert(QLatin1String("width"), field.width);
        f.insert(QLatin1String("height"), field.height);
        QJsonArray goal;
        for (const TraceRecorder::Drawn &d : field.goal)
            goal.append(
                QJsonArray {d.segment.x0, d.segment.y0, d.segment.x1, d.segment.y1, colourText(d.colour)});
        f.insert(QLatin1String("goal"), goal);
        if (field.modelTicks > 0) f.insert(QLatin1String("modelTicks"), field.modelTicks);
        if (field.end) {
            f.insert(QLatin1String("end"), QJsonObject {{QLatin1String("x"), field.end->x},
                                                        {QLatin1String("y"), field.end->y},
                                                        {QLatin1String("heading"),
                                                         QLatin1String(kHeadings[field.end->heading & 7])}});
        }
        fields.append(f);
    }
    root.insert(QLatin1String("fields"), fields);

    QJsonObject rules;
    if (task.rules.maxStatementLines) rules.insert(QLatin1String("maxLines"), *task.rules.maxStatementLines);
    if (!task.rules.required.isEmpty())
        rules.insert(QLatin1String("require"), constructList(task.rules.required));
    if (!task.rules.forbidden.isEmpty())
        rules.insert(QLatin1String("forbid"), constructList(task.rules.forbidden));
    if (!rules.isEmpty()) root.insert(QLatin1String("rules"), rules);

    if (task.start) {
        QJsonArray lines;
        for (const StyledLine &line : *task.start) {
            QJsonObject l {{QLatin1String("text"), line.text}};
            QJsonArray runs;
            for (const ColourRun &run : line.runs)
                if (run.length > 0) runs.append(QJsonArray {run.length, colourText(run.colour)});
            if (!runs.isEmpty()) l.insert(QLatin1String("runs"), runs);
            lines.append(l);
        }
        root.insert(QLatin1String("start"), lines);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Task> readTask(const QByteArray &bytes, TaskFileError &error)
{
    if (bytes.size() > Task::MaxFileBytes) {
        error = {TaskFileError::Kind::TooLarge, QString(), bytes.size()};
        return std::nullopt;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = {TaskFileError::Kind::NotJson, QString(), parse.offset};
        return std::nullopt;
    }
    if (!doc.isObject()) {
        error = {TaskFileError::Kind::NotATask, QString(), 0};
        return std::nullopt;
    }
    return Reader(error).read(doc.object());
}

QString taskFileErrorText(const TaskFileError &error, Language lang)
{
    using K = TaskFileError::Kind;
    const char *key = "task.error.badValue";
    switch (error.kind) {
    case K::TooLarge:
        key = "task.error.tooLarge";
        break;
    case K::NotJson:
        key = "task.error.damaged";
        break;
    case K::NotATask:
        key = "task.error.notATask";
        break;
    case K::UnknownVersion:
        key = "task.error.unknownVersion";
        break;
    case K::Missing:
        key = "task.error.missing";
        break;
    case K::BadValue:
        key = "task.error.badValue";
        break;
    case K::FieldSizeOutOfRange:
        key = "task.error.fieldSize";
        break;
    case K::ColourOutOfRange:
        key = "task.error.colour";
        break;
    case K::SegmentOutOfField:
        key = "task.error.outsideField";
        break;
    }
    const QString text = uiText(key, lang).value_or(QString());
    switch (error.kind) {
    case K::TooLarge:
        return text.arg(Task::MaxFileBytes);
    case K::NotJson:
    case K::UnknownVersion:
        return text.arg(error.number);
    case K::NotATask:
        return text;
    default:
        return text.arg(error.where);
    }
}

std::optional<Task> loadTaskFile(const QString &path, QString *error, Language lang)
{
    QByteArray bytes;
    FileError failure;
    if (!readRegularFile(path, Task::MaxFileBytes, bytes, &failure)) {
        if (error) *error = fileErrorReason(failure, lang);
        return std::nullopt;
    }
    TaskFileError refusal;
    std::optional<Task> task = readTask(bytes, refusal);
    if (!task && error) *error = taskFileErrorText(refusal, lang);
    return task;
}

bool saveTaskFile(const QString &path, const Task &task, QString *error, Language lang)
{
    FileError failure;
    if (writeFileSafely(path, writeTask(task), &failure)) return true;
    if (error) *error = fileErrorReason(failure, lang);
    return false;
}
