// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CompareMode.h"
#include "cli/ClassReport.h"
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include "cli/InOrder.h"
#include "run/Grading.h"
#include "run/TaskFile.h"
#include "run/TaskTexts.h"
#include "documents/ProgramFile.h"
#include "base/SafeFile.h"
#include "documents/Settings.h"
#include "lang/ProgramTranslator.h"
#include "world/FieldPng.h"
#include "world/TraceRecorder.h"

#include <QHash>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <algorithm>
#include <array>
#include <cstdio>

using namespace ConsoleText;

namespace {

bool readProgram(const QString &path, QStringList &lines, QStringList &problems, QString *reason = nullptr,
                 Language lang = Language::Eng)
{
    StyledText styled;
    QString error;
    if (!loadProgramFile(path, styled, &error, Language::Eng, &ProgramTranslator::plainTextCodePage)) {
        problems << QStringLiteral("trakmil: cannot read %1: %2").arg(path, error);
        // The report says why in its own Language; the console in English.
        if (reason && (lang == Language::Eng ||
                       loadProgramFile(path, styled, reason, lang, &ProgramTranslator::plainTextCodePage)))
            *reason = error;
        return false;
    }
    lines = plainLines(styled);
    return true;
}

struct Drawing {
    bool ended = false;
    QStringList failure;   // what --check or --run would report
    QStringList details;   // the same in the report's Language
    QString reason;   // why it did not end: the error and its line
    CompareMode::PupilGrade::Failure kind = CompareMode::PupilGrade::Failure::None;
    int line = 0;
    TraceRecorder trace;
    QPoint end;
    qint64 ticks = 0;
    Language language = Language::Rus;
};

// What --check or --run would report for a drawing that did not end.
QStringList failureLines(const QString &file, const FieldDrawing &drawn)
{
    QStringList failure;
    for (const ErrorReport &r : drawn.reports) failure << reportLines(file, r);
    if (!drawn.fatalText.isEmpty()) failure << fatalLines(file, drawn.fatalText);
    if (drawn.result == HeadlessRun::Result::TickLimit)
        failure << QStringLiteral("%1: the run did not end within %2 ticks").arg(file).arg(drawn.ticks);
    if (failure.isEmpty())   // every stop has its report; never let one pass silently
        failure << file + QStringLiteral(": ") + QLatin1String(HeadlessRun::resultName(drawn.result));
    return failure;
}

// The check's or the run's report for the class report, worded in its Language: why the run
// stopped, or the ticks it took, the report says in words of its own.
QStringList reportDetails(const QString &file, const FieldDrawing &drawn, Language keywords, Language lang)
{
    QStringList details;
    for (const ErrorReport &r : drawn.reports) details << reportLines(file, errorReportIn(r, keywords, lang));
    if (!drawn.fatalText.isEmpty()) details << fatalLines(file, drawn.fatalText);   // never translated
    return details;
}

CompareMode::RunFailure failureOf(HeadlessRun::Result result)
{
    using F = CompareMode::RunFailure;
    return result == HeadlessRun::Result::CheckFailed ? F::Check
           : result == HeadlessRun::Result::TickLimit ? F::TickLimit
                                                      : F::Run;
}

// Why a drawing did not end, for the verdict line: the result and its line.
QString failureReason(const FieldDrawing &drawn)
{
    QString reason = QLatin1String(HeadlessRun::resultName(drawn.result));
    if (drawn.line > 0) reason += QStringLiteral(" line=%1").arg(drawn.line);
    return reason;
}

void draw(const QString &file, const QStringList &lines, const CompareMode::Options &o, qint64 maxTicks,
          Drawing &d, QStringList &notes)
{
    const Language lang = o.language ? *o.language : ProgramTranslator::detectLanguage(lines, o.preferred);
    d.language = lang;
    if (lang != o.preferred && !o.language)
        notes << QStringLiteral("trakmil: %1 is read in %2 keywords (the settings say %3).")
                     .arg(file, languageCode(lang), languageCode(o.preferred));
    FieldDrawing drawn = drawOnField(lines, lang, QSize(o.fieldWidth, o.fieldHeight), maxTicks, o.speed);
    d.end = drawn.end;
    d.ticks = drawn.ticks;
    d.ended = drawn.ended();
    d.trace = std::move(drawn.trace);
    if (d.ended) return;
    d.failure = failureLines(file, drawn);
    d.details = reportDetails(file, drawn, lang, o.interfaceLanguage);
    d.reason = failureReason(drawn);
    d.line = drawn.line;
    d.kind = failureOf(drawn.result);
}

// What the verdict line says of a drawing that ended; `sameEnd` as the grading judges it.
QString differences(const TraceComparison &c, bool sameEnd)
{
    return QStringLiteral("segments-missing=%1 segments-extra=%2 colour-differs=%3 end-position=%4")
        .arg(c.missing.size())
        .arg(c.extra.size())
        .arg(c.colourDiffers.size())
        .arg(sameEnd ? QStringLiteral("same") : QStringLiteral("differs"));
}

// One picture name per pupil, also when two pupils' files share a name. Against a task the
// name is a stem that each failing field completes, so a pupil's fields stay apart.
QString pictureName(const QString &pupil, QSet<QString> &taken,
                    const QString &extension = QStringLiteral(".png"))
{
    const QString base = QFileInfo(pupil).completeBaseName();
    QString name = base + extension;
    for (int n = 2; taken.contains(name); ++n)
        name = QStringLiteral("%1-%2%3").arg(base, QString::number(n), extension);
    taken.insert(name);
    return name;
}

bool writeDiffPicture(const QString &path, const QByteArray &png, QStringList &problems)
{
    FileError failure;
    if (!png.isEmpty() && writeFileSafely(path, png, &failure)) return true;
    // The console speaks English.
    problems << QStringLiteral("trakmil: cannot write %1: %2")
                    .arg(path, png.isEmpty() ? QStringLiteral("the picture could not be encoded")
                                             : fileErrorReason(failure, Language::Eng));
    return false;
}

// The pictures of one drawing: the drawing, its differences for the report and for --diff.
struct Pictures {
    QByteArray drawn, diff, diffFile;
};

// A class draws the same few wrong drawings many times over: within one grading, each is
// pictured and encoded once, on whichever thread meets it first. Small, and started again
// when full, so that a long run never grows it.
class PictureCache {
public:
    // What the pictures of a drawing on field `field` are made of: the trace, where it ended
    // and whether the run ended.
    static QByteArray key(int field, const TraceRecorder &trace, QPoint end, bool ended)
    {
        const QList<TraceRecorder::Drawn> segments = trace.segments();
        QByteArray k;
        k.reserve(16 + segments.size() * 24);
        const auto add = [&k](qint64 n) { k += QByteArray::number(n) + ','; };
        add(field);
        add(end.x());
        add(end.y());
        add(ended ? 1 : 0);
        for (const TraceRecorder::Drawn &d : segments) {
            add(d.segment.key());
            add(d.colour);
        }
        return k;
    }

    template <typename Make> Pictures get(const QByteArray &key, const Make &make)
    {
        {
            const QMutexLocker lock(&m_mutex);
            if (const auto known = m_pictures.constFind(key); known != m_pictures.constEnd()) return *known;
        }
        const Pictures made = make();
        const QMutexLocker lock(&m_mutex);
        if (m_pictures.size() >= 256) m_pictures.clear();
        m_pictures.insert(key, made);
        return made;
    }

private:
    QMutex m_mutex;
    QHash<QByteArray, Pictures> m_pictures;
};

// What grading one pupil says, kept apart until it is told in the pupils' order.
struct Outcome {
    CompareMode::PupilGrade grade;
    QStringList lines, notes, problems;
    bool unreadable = false, differs = false;
    QList<int> diffFields;   // the fields pictured for --diff, from 1; 0 against a model
    QList<QByteArray> diffPngs;   // their pictures
    QByteArray row;   // of the class report
};

// The row of the report, written as soon as the pupil is graded; the pictures, the program
// and the error details are then dropped unless the caller keeps the pictures.
void reportRow(Outcome &out, const CompareMode::Options &o, const CompareMode::Grading &g,
               const QSet<QString> &sharedNames)
{
    if (o.reportPath.isEmpty()) return;
    out.row = classReportRow(out.grade, g, sharedNames, o.interfaceLanguage).toUtf8();
    if (o.pictures) return;
    // The row shows them now: a year of pupils keeps only what the page's head counts.
    out.grade.pupilPng.clear();
    out.grade.diffPng.clear();
    out.grade.program.clear();
    out.grade.details.clear();
    for (CompareMode::FieldGrade &f : out.grade.fields) {
        f.pupilPng.clear();
        f.diffPng.clear();
        f.details.clear();
    }
}

// Tells one pupil's outcome: the console lines, the --diff pictures and the report's row.
void tell(Outcome &&out, CompareMode::Grading &g, std::optional<ClassReportParts> &rows,
          QStringList &problems)
{
    g.lines << out.lines;
    g.notes << out.notes;
    problems << out.problems;
    if (rows) rows->add(classReportRank(out.grade), out.row);
    g.pupils << std::move(out.grade);
}

// The node a goal ends on, when the end matters.
std::optional<QPoint> goalEndNode(const TaskField &field)
{
    if (!field.end) return std::nullopt;
    return QPoint(field.end->x, field.end->y);
}

// A pupil's grade on one field of a task; the pictures are the caller's.
CompareMode::FieldGrade fieldGrade(const QString &file, const TaskField &field, const FieldVerdict &fv,
                                   Language keywords, Language lang)
{
    CompareMode::FieldGrade fg;
    fg.passed = fv.passed();
    fg.ticks = fv.drawing.ticks;
    fg.goalEnd = field.end;
    fg.end = TaskGoalEnd {fv.drawing.end.x(), fv.drawing.end.y(), fv.drawing.heading};
    if (!fv.drawing.ended()) {
        fg.failure = failureOf(fv.drawing.result);
        fg.line = fv.drawing.line;
        fg.details = reportDetails(file, fv.drawing, keywords, lang);
        return fg;
    }
    fg.missing = int(fv.comparison.missing.size());
    fg.extra = int(fv.comparison.extra.size());
    fg.colourDiffers = int(fv.comparison.colourDiffers.size());
    fg.endDiffers = fv.endMatters && (!fv.comparison.sameEnd() || fv.headingDiffers);
    return fg;
}

}   // namespace

namespace CompareMode {

Grading gradeAgainstModel(const Options &o)
{
    Grading g;
    QStringList lines;
    if (!readProgram(o.model, lines, g.problems)) {
        g.exitCode = 2;
        return g;
    }
    Drawing model;
    draw(o.model, lines, o, o.maxTicks.value_or(ModelTickLimit), model, g.notes);
    g.modelProgram = lines;
    g.modelLanguage = model.language;
    g.field = QSize(o.fieldWidth, o.fieldHeight);
    if (!model.ended) {
        g.lines << model.failure;
        g.problems
            << QStringLiteral("trakmil: the model %1 does not run to its end; nothing graded.").arg(o.model);
        g.exitCode = 2;
        return g;
    }
    const qint64 pupilTicks = o.maxTicks.value_or(pupilTickLimit(model.ticks));
    const bool pictures = o.pictures || !o.reportPath.isEmpty();
    if (pictures) g.modelPng = fieldPng(tracePicture(model.trace, model.end, o.fieldWidth, o.fieldHeight));
    const QSet<QString> sharedNames = sharedFileNames(o.pupils);
    PictureCache cache;

    const auto work = [&](qsizetype i) {
        Outcome out;
        PupilGrade &pg = out.grade;
        const QString &pupil = o.pupils[i];
        pg.file = pupil;
        QStringList program;
        if (!readProgram(pupil, program, out.problems, &pg.reason, o.interfaceLanguage)) {
            out.unreadable = true;
            pg.verdict = PupilGrade::Verdict::Unreadable;
            reportRow(out, o, g, sharedNames);
            return out;
        }
        pg.program = program;
        Drawing d;
        draw(pupil, program, o, pupilTicks, d, out.notes);
        pg.language = d.language;
        const TraceComparison c = compareTraces(model.trace, model.end, d.trace, d.end);
        pg.ticks = d.ticks;
        pg.missing = int(c.missing.size());
        pg.extra = int(c.extra.size());
        pg.colourDiffers = int(c.colourDiffers.size());
        pg.sameEnd = c.sameEnd();
        // A pupil who drew the same has the model's picture, which the report holds once.
        Pictures drawn;
        if ((pictures || !o.diffDir.isEmpty()) && !(d.ended && c.same()))
            drawn = cache.get(PictureCache::key(0, d.trace, d.end, d.ended), [&] {
                Pictures made;
                if (pictures) {
                    made.drawn = fieldPng(tracePicture(d.trace, d.end, o.fieldWidth, o.fieldHeight));
                    made.diff = fieldPng(
                        comparisonPicture(model.trace, c, o.fieldWidth, o.fieldHeight, o.interfaceLanguage));
                }
                if (!o.diffDir.isEmpty())
                    made.diffFile = fieldPng(comparisonPicture(model.trace, c, o.fieldWidth, o.fieldHeight));
                return made;
            });
        pg.pupilPng = drawn.drawn;
        pg.diffPng = drawn.diff;
        if (!d.ended) {
            // A check or run error is the pupil's mistake, graded like any other difference.
            out.differs = true;
            pg.verdict = PupilGrade::Verdict::Differs;
            pg.reason = d.reason;
            pg.details = d.details;
            pg.failure = d.kind;
            pg.line = d.line;
            out.lines << pupil + QStringLiteral(": differs ") + d.reason;
            out.lines << d.failure;
        } else if (c.same()) {
            out.lines << pupil + QStringLiteral(": same");
        } else {
            out.differs = true;
            pg.verdict = PupilGrade::Verdict::Differs;
            pg.reason = differences(c, c.sameEnd());
            out.lines << pupil + QStringLiteral(": differs ") + pg.reason;
        }
        // What a run that did not end drew until it stopped differs from the model as the
        // report shows it.
        if (out.differs && !o.diffDir.isEmpty()) {
            out.diffFields << 0;
            out.diffPngs << drawn.diffFile;
        }
        reportRow(out, o, g, sharedNames);
        return out;
    };

    bool allSame = true, fileError = false;
    QSet<QString> pictureNames;
    std::optional<ClassReportParts> rows;
    if (!o.reportPath.isEmpty()) rows.emplace(o.reportPath);
    const auto merge = [&](qsizetype, Outcome &&out) {
        fileError = fileError || out.unreadable;
        allSame = allSame && !out.differs;
        const QString pupil = out.grade.file;
        const QList<QByteArray> diffs = out.diffPngs;
        tell(std::move(out), g, rows, g.problems);
        for (const QByteArray &png : diffs)
            if (!writeDiffPicture(QDir(o.diffDir).filePath(pictureName(pupil, pictureNames)), png,
                                  g.problems))
                fileError = true;
    };
    inOrder<Outcome>(o.pupils.size(), work, merge);
    if (!o.reportPath.isEmpty()) {
        QString error;
        if (!writeClassReport(o.reportPath, o.model, g, *rows, o.interfaceLanguage, &error)) {
            g.problems << QStringLiteral("trakmil: cannot write %1: %2").arg(o.reportPath, error);
            fileError = true;
        }
    }
    g.exitCode = fileError ? 2 : (allSame ? 0 : 1);
    return g;
}

Grading gradeAgainstTask(const Options &o)
{
    Grading g;
    QString error;
    const std::optional<Task> task = loadTaskFile(o.model, &error, Language::Eng);
    if (!task) {
        g.problems << QStringLiteral("trakmil: cannot read %1: %2").arg(o.model, error);
        g.exitCode = 2;
        return g;
    }
    const bool pictures = o.pictures || !o.reportPath.isEmpty();
    QList<TraceRecorder> goals;
    TaskSummary summary {task->title, task->text, {}, {}};
    for (const TaskField &field : task->fields) {
        goals << goalTrace(field);
        summary.fields << QSize(field.width, field.height);
        if (pictures)
            summary.goalPngs << fieldPng(
                tracePicture(goals.constLast(), goalEndNode(field), field.width, field.height));
    }
    g.task = summary;
    const QSet<QString> sharedNames = sharedFileNames(o.pupils);
    PictureCache cache;

    const auto work = [&](qsizetype i) {
        Outcome out;
        PupilGrade &pg = out.grade;
        const QString &pupil = o.pupils[i];
        pg.file = pupil;
        QStringList lines;
        if (!readProgram(pupil, lines, out.problems, &pg.reason, o.interfaceLanguage)) {
            out.unreadable = true;
            pg.verdict = PupilGrade::Verdict::Unreadable;
            reportRow(out, o, g, sharedNames);
            return out;
        }
        pg.program = lines;
        std::optional<Language> lang = o.language ? o.language : task->language;
        if (!lang) lang = ProgramTranslator::detectLanguage(lines, o.preferred);
        pg.language = *lang;
        const TaskVerdict v = checkAgainstTask(*task, lines, *lang, o.speed);
        pg.rules = v.rules;
        for (int f = 0; f < v.fields.size(); ++f) {
            const TaskField &field = task->fields[f];
            const FieldVerdict &fv = v.fields[f];
            FieldGrade fg = fieldGrade(pupil, field, fv, *lang, o.interfaceLanguage);
            if ((pictures || !o.diffDir.isEmpty()) && !fg.passed) {
                const Pictures drawn = cache.get(
                    PictureCache::key(f, fv.drawing.trace, fv.drawing.end, fv.drawing.ended()), [&] {
                        // A run that did not end was not compared: what it drew until it
                        // stopped is, as the report and the --diff picture show it.
                        const TraceComparison c =
                            fv.drawing.ended()
                                ? fv.comparison
                                : compareTraces(goals[f], goalEndNode(field).value_or(fv.drawing.end),
                                                fv.drawing.trace, fv.drawing.end);
                        Pictures made;
                        if (pictures) {
                            made.drawn = fieldPng(
                                tracePicture(fv.drawing.trace, fv.drawing.end, field.width, field.height));
                            made.diff = fieldPng(comparisonPicture(goals[f], c, field.width, field.height,
                                                                   o.interfaceLanguage));
                        }
                        if (!o.diffDir.isEmpty())
                            made.diffFile =
                                fieldPng(comparisonPicture(goals[f], c, field.width, field.height));
                        return made;
                    });
                fg.pupilPng = drawn.drawn;
                fg.diffPng = drawn.diff;
                if (!o.diffDir.isEmpty() && !v.solved()) {
                    out.diffFields << f + 1;
                    out.diffPngs << drawn.diffFile;
                }
            }
            pg.fields << fg;
        }
        if (v.solved()) {
            out.lines << pupil + QStringLiteral(": solved");
            reportRow(out, o, g, sharedNames);
            return out;
        }
        out.differs = true;
        pg.verdict = PupilGrade::Verdict::Differs;
        out.lines << pupil + QStringLiteral(": not solved");
        for (int f = 0; f < v.fields.size(); ++f) {
            const FieldVerdict &fv = v.fields[f];
            const FieldGrade &fg = pg.fields[f];
            if (fg.passed) continue;
            const TaskField &field = task->fields[f];
            const QString head =
                QStringLiteral("  field %1 (%2x%3): ").arg(f + 1).arg(field.width).arg(field.height);
            if (!fv.drawing.ended())
                out.lines << head + failureReason(fv.drawing);
            else
                out.lines << head + differences(fv.comparison, !fg.endDiffers);
        }
        for (const RuleBreak &r : v.rules) {
            switch (r.kind) {
            case RuleBreak::Kind::TooManyLines:
                out.lines << QStringLiteral("  rule: %1 statement lines, at most %2 allowed")
                                 .arg(r.count)
                                 .arg(r.limit);
                break;
            case RuleBreak::Kind::Missing:
                out.lines << QStringLiteral("  rule: %1 is required").arg(taskConstructName(r.construct));
                break;
            case RuleBreak::Kind::Forbidden:
                out.lines << QStringLiteral("  rule: %1 is not allowed, line=%2")
                                 .arg(taskConstructName(r.construct))
                                 .arg(r.line);
                break;
            }
        }
        reportRow(out, o, g, sharedNames);
        return out;
    };

    bool allSolved = true, fileError = false;
    QSet<QString> pictureStems;
    std::optional<ClassReportParts> rows;
    if (!o.reportPath.isEmpty()) rows.emplace(o.reportPath);
    const auto merge = [&](qsizetype, Outcome &&out) {
        fileError = fileError || out.unreadable;
        allSolved = allSolved && !out.differs;
        const QString pupil = out.grade.file;
        const QList<int> fields = out.diffFields;
        const QList<QByteArray> diffs = out.diffPngs;
        tell(std::move(out), g, rows, g.problems);
        // The stem of the pupil's difference pictures is taken at the first.
        QString stem;
        for (qsizetype k = 0; k < diffs.size(); ++k) {
            if (stem.isEmpty()) stem = pictureName(pupil, pictureStems, QString());
            if (!writeDiffPicture(
                    QDir(o.diffDir).filePath(stem + QStringLiteral(".field%1.png").arg(fields[k])), diffs[k],
                    g.problems))
                fileError = true;
        }
    };
    inOrder<Outcome>(o.pupils.size(), work, merge);
    if (!o.reportPath.isEmpty() &&
        !writeClassReport(o.reportPath, o.model, g, *rows, o.interfaceLanguage, &error)) {
        g.problems << QStringLiteral("trakmil: cannot write %1: %2").arg(o.reportPath, error);
        fileError = true;
    }
    g.exitCode = fileError ? 2 : (allSolved ? 0 : 1);
    return g;
}

Grading grade(const Options &o)
{
    return o.model.endsWith(QLatin1String(".tkt"), Qt::CaseInsensitive) ? gradeAgainstTask(o)
                                                                        : gradeAgainstModel(o);
}

bool wanted(const QStringList &arguments) { return hasOption(arguments, QLatin1String("--compare")); }

int run(const QStringList &arguments)
{
    ConsoleOptions options(
        QStringLiteral("Trakmil: grades pupils' programs against a model by what they draw."));
    const QCommandLineOption help = options.add("h help", "Shows this help.");
    options.add("compare",
                "Runs MODEL and every PUPIL program and compares their drawings and end positions.");
    const QCommandLineOption field =
        options.add("field", "Field size in cells, e.g. 10x5 (default: the settings file).", "WxH");
    const QCommandLineOption diff =
        options.add("diff",
                    "Writes a PNG picture for every pupil that differs; against a task, one for every "
                    "field that differs, named NAME.fieldN.png.",
                    "DIR");
    const QCommandLineOption language =
        options.add("language",
                    QStringLiteral("Keyword language of all files: %1 (default: each file's own).")
                        .arg(ConsoleText::languageChoices())
                        .toLatin1()
                        .constData(),
                    "L");
    const QCommandLineOption maxTicks =
        options.add("max-ticks",
                    "Stops every run after N ticks; 0 for no limit (default: 10000000 for the model, and "
                    "for each pupil 10 times the model's ticks plus 100000).",
                    "N");
    const QCommandLineOption report =
        options.add("report",
                    "Writes the class report: one HTML file with every verdict, the pictures and the "
                    "programs, in the interface language (of the settings or --language); against a "
                    "task, a column for each field and one for the rules.",
                    "FILE");
    options.parser().addPositionalArgument(
        QStringLiteral("MODEL"),
        QStringLiteral("The teacher's program (.tkm), or a task (.tkt): then each pupil "
                       "is graded on every field and rule of the task."));
    options.parser().addPositionalArgument(
        QStringLiteral("PUPIL"), QStringLiteral("Pupils' programs (.tkm)."), QStringLiteral("PUPIL..."));

    if (!options.parse(arguments)) return 2;
    if (options.isSet(help))
        return options.printHelp(QStringLiteral(
            "Usage: trakmil --compare MODEL PUPIL... [--field WxH] [--diff DIR] [--report FILE]\n"
            "       trakmil --compare TASK.tkt PUPIL... [--diff DIR] [--report FILE]"));
    const QStringList files = options.files();
    if (files.size() < 2)
        return usageError(QStringLiteral("--compare needs a MODEL and at least one PUPIL file."));

    const ConsoleSettings settings = loadConsoleSettings();
    Options o;
    o.model = files.first();
    o.pupils = files.mid(1);
    o.preferred = settings.language;
    o.fieldWidth = settings.settings.fieldWidth;
    o.fieldHeight = settings.settings.fieldHeight;
    o.speed = settings.settings.speed;
    if (!options.readLanguage(language, o.language)) return 2;
    o.interfaceLanguage = o.language.value_or(o.preferred);
    if (!options.readFieldSize(field, o.fieldWidth, o.fieldHeight) ||
        !options.readMaxTicks(maxTicks, o.maxTicks) ||
        !options.readName(report, o.reportPath, QStringLiteral("--report needs a file name.")) ||
        !options.readName(diff, o.diffDir, QStringLiteral("--diff needs a folder.")))
        return 2;
    if (!o.diffDir.isEmpty() && !QDir().mkpath(o.diffDir)) {
        err(QStringLiteral("trakmil: cannot create the folder %1").arg(o.diffDir));
        return 2;
    }

    const Grading g = grade(o);
    for (const QString &line : g.lines) out(line);
    std::fflush(stdout);
    for (const QString &line : g.notes) err(line);
    for (const QString &line : g.problems) err(line);
    return g.exitCode;
}

}   // namespace CompareMode
