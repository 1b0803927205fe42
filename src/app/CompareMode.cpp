// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareMode.h"
#include "app/ConsoleText.h"
#include "app/HeadlessRun.h"
#include "documents/ProgramFile.h"
#include "documents/SafeFile.h"
#include "documents/Settings.h"
#include "lang/ProgramTranslator.h"
#include "world/TraceRecorder.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cstdio>

using namespace ConsoleText;

namespace {

bool readProgram(const QString &path, QStringList &lines, QStringList &problems)
{
    StyledText styled;
    QString error;
    if (!loadProgramFile(path, styled, &error)) {
        problems << QStringLiteral("trakmil: cannot read %1: %2").arg(path, error);
        return false;
    }
    lines = plainLines(styled);
    return true;
}

struct Drawing {
    bool ended = false;
    QStringList failure;   // what --check or --run would report
    TraceRecorder trace;
    QPoint end;
};

void draw(const QString &file, const QStringList &lines, const CompareMode::Options &o, Drawing &d)
{
    const Language lang = o.language ? *o.language : ProgramTranslator::detectLanguage(lines, o.preferred);
    StringListProgramText text(lines);
    HeadlessRun run(text, lang);
    run.setCanvas(&d.trace);
    run.setSpeed(o.speed);
    run.setFieldSize(o.poleX, o.poleY);
    const HeadlessRun::Result result = run.checkAndRun(o.maxTicks);
    d.end = QPoint(run.world().state().x, run.world().state().y);
    d.ended = result == HeadlessRun::Result::End;
    if (d.ended) return;
    for (const ErrorReport &r : run.reports()) d.failure << reportLines(file, r);
    if (!run.fatalText().isEmpty()) d.failure << fatalLines(file, run.fatalText());
    if (result == HeadlessRun::Result::TickLimit)
        d.failure << QStringLiteral("%1: the run did not end within %2 ticks").arg(file).arg(run.ticks());
    if (d.failure.isEmpty())   // every stop has its report; never let one pass silently
        d.failure << file + QStringLiteral(": ") + QLatin1String(HeadlessRun::resultName(result));
}

QString verdict(const QString &file, const TraceComparison &c)
{
    if (c.same()) return file + QStringLiteral(": same");
    return QStringLiteral(
               "%1: differs segments-missing=%2 segments-extra=%3 colour-differs=%4 end-position=%5")
        .arg(file)
        .arg(c.missing.size())
        .arg(c.extra.size())
        .arg(c.colourDiffers.size())
        .arg(c.sameEnd() ? QStringLiteral("same") : QStringLiteral("differs"));
}

// One picture name per pupil, also when two pupils' files share a name.
QString pictureName(const QString &pupil, QSet<QString> &taken)
{
    const QString base = QFileInfo(pupil).completeBaseName();
    QString name = base + QStringLiteral(".png");
    for (int n = 2; taken.contains(name); ++n) name = QStringLiteral("%1-%2.png").arg(base).arg(n);
    taken.insert(name);
    return name;
}

bool writePng(const QString &path, const QImage &image, QString *error)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        *error = QStringLiteral("the picture could not be encoded");
        return false;
    }
    return writeFileSafely(path, data, error);
}

}   // namespace

namespace CompareMode {

Grading grade(const Options &o)
{
    Grading g;
    QStringList lines;
    if (!readProgram(o.model, lines, g.problems)) {
        g.exitCode = 2;
        return g;
    }
    Drawing model;
    draw(o.model, lines, o, model);
    if (!model.ended) {
        g.lines << model.failure;
        g.problems
            << QStringLiteral("trakmil: the model %1 does not run to its end; nothing graded.").arg(o.model);
        g.exitCode = 2;
        return g;
    }

    bool allSame = true, fileError = false;
    QSet<QString> pictures;
    for (const QString &pupil : o.pupils) {
        if (!readProgram(pupil, lines, g.problems)) {
            fileError = true;
            continue;
        }
        Drawing d;
        draw(pupil, lines, o, d);
        if (!d.ended) {
            allSame = false;
            g.lines << d.failure;
            continue;
        }
        const TraceComparison c = compareTraces(model.trace, model.end, d.trace, d.end);
        g.lines << verdict(pupil, c);
        if (c.same()) continue;
        allSame = false;
        if (o.diffDir.isEmpty()) continue;
        const QString path = QDir(o.diffDir).filePath(pictureName(pupil, pictures));
        QString error;
        if (!writePng(path, comparisonPicture(model.trace, c, o.poleX, o.poleY), &error)) {
            g.problems << QStringLiteral("trakmil: cannot write %1: %2").arg(path, error);
            fileError = true;
        }
    }
    g.exitCode = fileError ? 2 : (allSame ? 0 : 1);
    return g;
}

bool wanted(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments.at(i) == QLatin1String("--compare")) return true;
    return false;
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Trakmil: grades pupils' programs against a model by what they draw."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList {QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption compare(QStringLiteral("compare"),
                                     QStringLiteral("Runs MODEL and every PUPIL program and compares "
                                                    "their drawings and end positions."));
    const QCommandLineOption field(QStringLiteral("field"),
                                   QStringLiteral("Field size in cells, e.g. 10x5 (default: the "
                                                  "settings file)."),
                                   QStringLiteral("WxH"));
    const QCommandLineOption diff(QStringLiteral("diff"),
                                  QStringLiteral("Writes a PNG picture for every pupil that differs."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Keyword language of all files: rus, rom or eng "
                                                     "(default: each file's own)."),
                                      QStringLiteral("L"));
    const QCommandLineOption maxTicks(QStringLiteral("max-ticks"),
                                      QStringLiteral("Stops a run after N ticks; 0 for no limit "
                                                     "(default 10000000)."),
                                      QStringLiteral("N"));
    for (const QCommandLineOption *opt : {&help, &compare, &field, &diff, &language, &maxTicks})
        parser.addOption(*opt);
    parser.addPositionalArgument(QStringLiteral("MODEL"), QStringLiteral("The teacher's program (.tkm)."));
    parser.addPositionalArgument(QStringLiteral("PUPIL"), QStringLiteral("Pupils' programs (.tkm)."),
                                 QStringLiteral("PUPIL..."));

    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(help)) {
        out(QStringLiteral("Usage: trakmil --compare MODEL PUPIL... [--field WxH] [--diff DIR]"));
        const QString text = parser.helpText();
        out(text.mid(text.indexOf(QLatin1Char('\n')) + 1).trimmed());
        std::fflush(stdout);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() < 2)
        return usageError(QStringLiteral("--compare needs a MODEL and at least one PUPIL file."));

    const Settings settings = loadSettings(settingsFiles(QCoreApplication::applicationDirPath()).read);
    Options o;
    o.model = files.first();
    o.pupils = files.mid(1);
    o.preferred = languageFromCode(settings.language);
    if (o.preferred == Language::Unknown) o.preferred = Language::Rus;
    o.poleX = settings.fieldWidth;
    o.poleY = settings.fieldHeight;
    o.speed = settings.speed;
    if (parser.isSet(language)) {
        Language lang = Language::Unknown;
        if (!readLanguage(parser.value(language), lang)) return 2;
        o.language = lang;
    }
    if (parser.isSet(field) && !readFieldSize(parser.value(field), o.poleX, o.poleY)) return 2;
    if (parser.isSet(maxTicks) && !readMaxTicks(parser.value(maxTicks), o.maxTicks)) return 2;
    if (parser.isSet(diff)) {
        o.diffDir = parser.value(diff);
        if (o.diffDir.isEmpty()) return usageError(QStringLiteral("--diff needs a folder."));
        if (!QDir().mkpath(o.diffDir)) {
            err(QStringLiteral("trakmil: cannot create the folder %1").arg(o.diffDir));
            return 2;
        }
    }

    const Grading g = grade(o);
    for (const QString &line : g.lines) out(line);
    std::fflush(stdout);
    for (const QString &line : g.problems) err(line);
    return g.exitCode;
}

}   // namespace CompareMode
