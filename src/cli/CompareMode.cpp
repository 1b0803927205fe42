// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CompareMode.h"
#include "cli/ClassReport.h"
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include "run/Grading.h"
#include "run/TaskFile.h"
#include "run/TaskTexts.h"
#include "documents/ProgramFile.h"
#include "base/SafeFile.h"
#include "documents/Settings.h"
#include "lang/ProgramTranslator.h"
#include "world/TraceRecorder.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
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

QByteArray pngData(const QImage &image)
{
    // A class draws the same few wrong drawings many times over: each is encoded once. The
    // cache is small and starts again when full, so a long run never grows it.
    static thread_local QHash<QByteArray, QByteArray> encoded;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()) + ' ' +
                 QByteArray::number(int(image.format())));
    const QByteArray key = hash.result();
    if (const auto known = encoded.constFind(key); known != encoded.constEnd()) return *known;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    // Field pictures are mostly white: light compression is nearly as small and much faster.
    if (!image.save(&buffer, "PNG", 70)) return QByteArray();
    if (encoded.size() >= 256) encoded.clear();
    encoded.insert(key, data);
    return data;
}

bool writePng(const QString &path, const QImage &image, QString *error)
{
    const QByteArray data = pngData(image);
    if (data.isEmpty()) {
        *error = QStringLiteral("the picture could not be encoded");
        return false;
    }
    FileError failure;
    if (writeFileSafely(path, data, &failure)) return true;
    *error = fileErrorReason(failure, Language::Eng);   // the console speaks English
    return false;
}

bool writeDiffPicture(const QString &path, const QImage &image, QStringList &problems)
{
    QString error;
    if (writePng(path, image, &error)) return true;
    problems << QStringLiteral("trakmil: cannot write %1: %2").arg(path, error);
    return false;
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

    bool allSame = true, fileError = false;
    QSet<QString> pictureNames;
    for (const QString &pupil : o.pupils) {
        PupilGrade pg;
        pg.file = pupil;
        if (!readProgram(pupil, lines, g.problems, &pg.reason, o.interfaceLanguage)) {
            fileError = true;
            pg.verdict = PupilGrade::Verdict::Unreadable;
            g.pupils << pg;
            continue;
        }
        pg.program = lines;
        Drawing d;
        draw(pupil, lines, o, pupilTicks, d, g.notes);
        pg.language = d.language;
        const TraceComparison c = compareTraces(model.trace, model.end, d.trace, d.end);
        pg.ticks = d.ticks;
        pg.missing = int(c.missing.size());
        pg.extra = int(c.extra.size());
        pg.colourDiffers = int(c.colourDiffers.size());
        pg.sameEnd = c.sameEnd();
        // A pupil who drew the same has the model's picture, which the report holds once.
        if (pictures && !(d.ended && c.same())) {
            pg.pupilPng = pngData(tracePicture(d.trace, d.end, o.fieldWidth, o.fieldHeight));
            if (!d.ended || !c.same())
                pg.diffPng = pngData(
                    comparisonPicture(model.trace, c, o.fieldWidth, o.fieldHeight, o.interfaceLanguage));
        }
        if (!d.ended) {
            // A check or run error is the pupil's mistake, graded like any other difference.
            allSame = false;
            pg.verdict = PupilGrade::Verdict::Differs;
            pg.reason = d.reason;
            pg.details = d.details;
            pg.failure = d.kind;
            pg.line = d.line;
            g.lines << pupil + QStringLiteral(": differs ") + d.reason;
            g.lines << d.failure;
            g.pupils << pg;
            // What it drew until it stopped differs from the model as the report shows it.
            if (!o.diffDir.isEmpty() &&
                !writeDiffPicture(QDir(o.diffDir).filePath(pictureName(pupil, pictureNames)),
                                  comparisonPicture(model.trace, c, o.fieldWidth, o.fieldHeight), g.problems))
                fileError = true;
            continue;
        }
        if (c.same()) {
            g.lines << pupil + QStringLiteral(": same");
            g.pupils << pg;
            continue;
        }
        pg.verdict = PupilGrade::Verdict::Differs;
        pg.reason = differences(c, c.sameEnd());
        g.lines << pupil + QStringLiteral(": differs ") + pg.reason;
        g.pupils << pg;
        allSame = false;
        if (o.diffDir.isEmpty()) continue;
        if (!writeDiffPicture(QDir(o.diffDir).filePath(pictureName(pupil, pictureNames)),
                              comparisonPicture(model.trace, c, o.fieldWidth, o.fieldHeight), g.problems))
            fileError = true;
    }
    if (pictures) g.modelPng = pngData(tracePicture(model.trace, model.end, o.fieldWidth, o.fieldHeight));
    if (!o.reportPath.isEmpty()) {
        QString error;
        if (!writeClassReport(o.reportPath, o.model, g, o.interfaceLanguage, &error)) {
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
            summary.goalPngs << pngData(
                tracePicture(goals.constLast(), goalEndNode(field), field.width, field.height));
    }
    g.task = summary;

    bool allSolved = true, fileError = false;
    QSet<QString> pictureStems;
    QStringList lines;
    for (const QString &pupil : o.pupils) {
        PupilGrade pg;
        pg.file = pupil;
        if (!readProgram(pupil, lines, g.problems, &pg.reason, o.interfaceLanguage)) {
            fileError = true;
            pg.verdict = PupilGrade::Verdict::Unreadable;
            g.pupils << pg;
            continue;
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
            if (pictures && !fg.passed) {
                // A run that did not end was not compared: what it drew until it stopped is.
                const TraceComparison c =
                    fv.drawing.ended() ? fv.comparison
                                       : compareTraces(goals[f], goalEndNode(field).value_or(fv.drawing.end),
                                                       fv.drawing.trace, fv.drawing.end);
                fg.pupilPng =
                    pngData(tracePicture(fv.drawing.trace, fv.drawing.end, field.width, field.height));
                fg.diffPng =
                    pngData(comparisonPicture(goals[f], c, field.width, field.height, o.interfaceLanguage));
            }
            pg.fields << fg;
        }
        if (v.solved()) {
            g.lines << pupil + QStringLiteral(": solved");
            g.pupils << pg;
            continue;
        }
        allSolved = false;
        pg.verdict = PupilGrade::Verdict::Differs;
        g.lines << pupil + QStringLiteral(": not solved");
        QString stem;   // of the pupil's difference pictures, taken at the first
        for (int f = 0; f < v.fields.size(); ++f) {
            const FieldVerdict &fv = v.fields[f];
            const FieldGrade &fg = pg.fields[f];
            if (fg.passed) continue;
            const TaskField &field = task->fields[f];
            const QString head =
                QStringLiteral("  field %1 (%2x%3): ").arg(f + 1).arg(field.width).arg(field.height);
            if (!fv.drawing.ended())
                g.lines << head + failureReason(fv.drawing);
            else
                g.lines << head + differences(fv.comparison, !fg.endDiffers);
            if (o.diffDir.isEmpty()) continue;
            if (stem.isEmpty()) stem = pictureName(pupil, pictureStems, QString());
            // A run that did not end is pictured as far as it drew, as the report shows it.
            const TraceComparison c =
                fv.drawing.ended() ? fv.comparison
                                   : compareTraces(goals[f], goalEndNode(field).value_or(fv.drawing.end),
                                                   fv.drawing.trace, fv.drawing.end);
            if (!writeDiffPicture(QDir(o.diffDir).filePath(stem + QStringLiteral(".field%1.png").arg(f + 1)),
                                  comparisonPicture(goals[f], c, field.width, field.height), g.problems))
                fileError = true;
        }
        for (const RuleBreak &r : v.rules) {
            switch (r.kind) {
            case RuleBreak::Kind::TooManyLines:
                g.lines << QStringLiteral("  rule: %1 statement lines, at most %2 allowed")
                               .arg(r.count)
                               .arg(r.limit);
                break;
            case RuleBreak::Kind::Missing:
                g.lines << QStringLiteral("  rule: %1 is required").arg(taskConstructName(r.construct));
                break;
            case RuleBreak::Kind::Forbidden:
                g.lines << QStringLiteral("  rule: %1 is not allowed, line=%2")
                               .arg(taskConstructName(r.construct))
                               .arg(r.line);
                break;
            }
        }
        g.pupils << pg;
    }
    if (!o.reportPath.isEmpty() && !writeClassReport(o.reportPath, o.model, g, o.interfaceLanguage, &error)) {
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
