// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Headless.h"
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include "AppInfo.h"
#include "cli/ClassMode.h"
#include "cli/CompareMode.h"
#include "cli/MakeTaskMode.h"
#include "run/HeadlessRun.h"
#include "cli/TranslateMode.h"
#include "documents/ProgramFile.h"
#include "lang/ProgramTranslator.h"
#include "lang/SyntaxChecker.h"
#include "run/Worksheet.h"
#include "world/FieldPicture.h"

#include <algorithm>
#include <QDate>
#include <QFileInfo>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <optional>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

using ConsoleText::err;
using ConsoleText::out;
using ConsoleText::readProgram;
using ConsoleText::usageError;

constexpr int ExitOk = 0, ExitFailure = 1, ExitUsage = 2, ExitTickLimit = 3;
constexpr qint64 DefaultMaxTicks = 10'000'000;

const char *const kOurOptions[] = {"--check",     "--run",      "--language",  "--field",   "--export",
                                   "--max-ticks", "--help",     "-h",          "--version", "-v",
                                   "-?",          "--help-all", "--translate", "--to",      "--from",
                                   "--compare",   "--diff",     "--make-task", "--class"};

// Options the toolkit takes for itself; a window run may start with them.
const char *const kToolkitOptions[] = {
    "-platform",   "-platformpluginpath", "-platformtheme", "-plugin",  "-qmljsdebugger", "-qwindowgeometry",
    "-geometry",   "-qwindowicon",        "-qwindowtitle",  "-reverse", "-session",       "-style",
    "-stylesheet", "-widgetcount",        "-display",       "-nograb",  "-dograb",        "-sync"};

void printReport(const QString &file, const ErrorReport &r)
{
    for (const QString &line : ConsoleText::reportLines(file, r)) out(line);
}

void printFatal(const QString &file, const QString &text)
{
    for (const QString &line : ConsoleText::fatalLines(file, text)) out(line);
}

// The keyword Language a file is read in: the one given, or else the one it is written in,
// named on stderr when it is not the settings' one.
Language fileLanguage(const QString &file, const QStringList &lines, std::optional<Language> given,
                      Language settings)
{
    if (given) return *given;
    const Language lang = ProgramTranslator::detectLanguage(lines, settings);
    if (lang != settings)
        err(QStringLiteral("trakmil: %1 is read in %2 keywords (the settings say %3).")
                .arg(file, languageCode(lang), languageCode(settings)));
    return lang;
}

int runCheck(const QStringList &files, std::optional<Language> given, Language settingsLang)
{
    bool anyError = false, anyUnreadable = false;
    for (const QString &file : files) {
        QStringList lines;
        if (!readProgram(file, lines)) {
            anyUnreadable = true;
            continue;
        }
        const Language lang = fileLanguage(file, lines, given, settingsLang);
        const Lexicon &lex = Lexicon::forLanguage(lang);
        const MessageCatalogue &msg = MessageCatalogue::forLanguage(lang);
        StringListProgramText text(lines);
        const ErrorReport r = checkProgram(text, lex, msg);
        if (r.error) {
            anyError = true;
            printReport(file, r);
        } else {
            out(file + QStringLiteral(": ") + msg.msgNoErrors);
        }
    }
    std::fflush(stdout);
    if (anyUnreadable) return ExitUsage;
    return anyError ? ExitFailure : ExitOk;
}

struct RunOptions {
    QString file;
    std::optional<Language> lang;   // otherwise the file's own
    Language settingsLang = Language::Rus;
    int speed = 3;
    int fieldX = 16, fieldY = 20;
    QString exportPath;
    std::optional<qint64> maxTicks;
    QString worksheetPath;
    QString pupil;
    QPageSize::PageSizeId pageSize = QPageSize::A4;
};

// The program with its colours, as the editor would show it; the plain lines when the file
// has none to give.
StyledText styledProgram(const QString &file, const QStringList &lines)
{
    StyledText styled;
    QString ignored;
    if (loadProgramFile(file, styled, &ignored)) return styled;
    styled.clear();
    for (const QString &line : lines) styled.append(StyledLine {line, {}});
    return styled;
}

int runProgram(const RunOptions &o)
{
    QStringList lines;
    if (!readProgram(o.file, lines)) return ExitUsage;
    StringListProgramText text(lines);

    FieldPicture picture;
    const Language lang = fileLanguage(o.file, lines, o.lang, o.settingsLang);
    HeadlessRun run(text, lang);
    run.setCanvas(&picture);
    run.setSpeed(o.speed);
    run.setFieldSize(o.fieldX, o.fieldY);

    const HeadlessRun::Result result = run.checkAndRun(o.maxTicks.value_or(DefaultMaxTicks));

    for (const ErrorReport &r : run.reports()) printReport(o.file, r);
    if (!run.fatalText().isEmpty()) printFatal(o.file, run.fatalText());

    const RobotState &s = run.world().state();
    out(QStringLiteral("result=%1 ticks=%2 x=%3 y=%4 heading=%5 visible=%6 line=%7 border=%8")
            .arg(QLatin1String(HeadlessRun::resultName(result)))
            .arg(run.ticks())
            .arg(s.x)
            .arg(s.y)
            .arg(s.heading)
            .arg(s.visible ? 1 : 0)
            .arg(s.lineSensor)
            .arg(s.borderSensor));

    int code = ExitFailure;
    if (result == HeadlessRun::Result::End)
        code = ExitOk;
    else if (result == HeadlessRun::Result::TickLimit)
        code = ExitTickLimit;

    if (!o.exportPath.isEmpty()) {
        QString error;
        if (!picture.exportPicture(o.exportPath, &error)) {
            err(QStringLiteral("trakmil: cannot write %1: %2").arg(o.exportPath, error));
            code = ExitUsage;
        }
    }
    if (!o.worksheetPath.isEmpty()) {
        Worksheet sheet;
        sheet.pupil = o.pupil;
        sheet.file = QFileInfo(o.file).fileName();
        sheet.date = QDate::currentDate();
        sheet.program = styledProgram(o.file, lines);
        sheet.field = &picture.vectors();
        sheet.lang = lang;   // as the messages are
        QString error;
        if (!writeWorksheetPdf(o.worksheetPath, sheet, o.pageSize, &error)) {
            err(QStringLiteral("trakmil: cannot write %1: %2").arg(o.worksheetPath, error));
            code = ExitUsage;
        }
    }
    std::fflush(stdout);
    return code;
}

int parseAndRun(const QStringList &arguments)
{
    if (TranslateMode::wanted(arguments)) return TranslateMode::run(arguments);
    if (MakeTaskMode::wanted(arguments)) return MakeTaskMode::run(arguments);
    if (ClassMode::wanted(arguments)) return ClassMode::run(arguments);
    if (CompareMode::wanted(arguments)) return CompareMode::run(arguments);
    ConsoleOptions options(QStringLiteral(
        "Trakmil: a drawing robot to learn programming with.\n\n"
        "  trakmil [FILE]           opens the window, with FILE in the editor\n"
        "  trakmil --check FILE...  checks programs without the window\n"
        "  trakmil --run FILE       checks a program and runs it without the window\n"
        "  trakmil --translate FILE --to L [-o OUT]\n"
        "                           rewrites a program in another keyword language\n"
        "  trakmil --compare MODEL PUPIL...\n"
        "                           grades pupils' drawings against a model's\n"
        "  trakmil --make-task MODEL -o TASK --title TEXT\n"
        "                           makes a task (.tkt) from a model program\n"
        "  trakmil --compare TASK PUPIL...\n"
        "                           grades pupils against a task's fields and rules\n"
        "  trakmil --class FOLDER [--task TASK | --model MODEL] --report FILE\n"
        "                           the class overview of a folder of hand-ins\n"
        "  (trakmil --translate --help, --compare --help, --make-task --help and\n"
        "  --class --help tell more.)\n\n"
        "Exit codes of --check and --run: 0 no error, 1 an error in a program or its run,\n"
        "2 wrong options or a file that cannot be read or written, 3 the tick limit reached."));
    QCommandLineParser &parser = options.parser();
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption check = options.add("check", "Checks each FILE as the spelling command does.");
    const QCommandLineOption run = options.add("run", "Checks FILE and runs it to its end.");
    const QCommandLineOption language = options.add(
        "language",
        QStringLiteral("Keyword language of every FILE: %1 (default: the one each file is written in).")
            .arg(ConsoleText::languageChoices())
            .toLatin1()
            .constData(),
        "L");
    const QCommandLineOption field = options.add("field", "Field size in cells, e.g. 10x5 (--run).", "WxH");
    const QCommandLineOption exportOpt =
        options.add("export",
                    "Writes the field picture after the run, as its suffix says: .bmp, .png, .ppm or .xpm, "
                    "the formats that keep every pixel, or .svg, a vector drawing of it (--run).",
                    "PICTURE");
    const QCommandLineOption worksheet = options.add(
        "worksheet",
        "Writes a worksheet after the run as PDF: the program with its line numbers and the field "
        "(--run).",
        "PDF");
    const QCommandLineOption name =
        options.add("name", "The pupil's name in the worksheet's header (--worksheet).", "TEXT");
    const QCommandLineOption pageSize =
        options.add("page-size", "The worksheet's paper: a4 or letter (--worksheet, default a4).", "SIZE");
    const QCommandLineOption maxTicks = options.add(
        "max-ticks", "Stops the run after N ticks; 0 for no limit (--run, default 10000000).", "N");
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Program files (.tkm)."),
                                 QStringLiteral("FILE..."));

    if (!options.parse(arguments)) return ExitUsage;
    if (parser.isSet(QStringLiteral("help-all"))) {
        // Only the parser knows the toolkit's options; it prints them and exits.
        std::fflush(stdout);
        parser.process(QStringList {QStringLiteral("trakmil"), QStringLiteral("--help-all")});
    }
    // The usage line names the program, not the path it was started by, and shows the
    // window mode too.
    if (options.isSet(help))
        return options.printHelp(QStringLiteral(
            "Usage: trakmil [FILE]\n"
            "       trakmil --check [options] FILE...\n"
            "       trakmil --run [options] FILE [--worksheet PDF [--name TEXT] [--page-size a4|letter]]\n"
            "       trakmil --translate FILE --to L [-o OUT]\n"
            "       trakmil --compare MODEL PUPIL... [--field WxH] [--diff DIR] [--report FILE]\n"
            "       trakmil --class FOLDER [--task TASK | --model MODEL] --report FILE [--csv FILE]\n"));
    if (options.isSet(version)) {
        out(QStringLiteral("trakmil ") + QLatin1String(kAppVersion));
        std::fflush(stdout);
        return ExitOk;
    }
    if (options.isSet(check) == options.isSet(run))
        return usageError(QStringLiteral("give exactly one of --check and --run."));
    const QStringList files = options.files();

    const ConsoleSettings settings = loadConsoleSettings();
    std::optional<Language> lang;
    if (!options.readLanguage(language, lang)) return ExitUsage;

    if (options.isSet(check)) {
        for (const QCommandLineOption *opt : {&field, &exportOpt, &maxTicks, &worksheet, &name, &pageSize})
            if (options.isSet(*opt))
                return usageError(QStringLiteral("--%1 goes with --run only.").arg(opt->names().first()));
        if (files.isEmpty()) return usageError(QStringLiteral("--check needs at least one FILE."));
        return runCheck(files, lang, settings.language);
    }

    if (files.size() != 1) return usageError(QStringLiteral("--run needs exactly one FILE."));
    RunOptions o;
    o.file = files.first();
    o.lang = lang;
    o.settingsLang = settings.language;
    o.speed = settings.settings.speed;
    o.fieldX = settings.settings.fieldWidth;
    o.fieldY = settings.settings.fieldHeight;
    if (!options.readFieldSize(field, o.fieldX, o.fieldY) ||
        !options.readName(exportOpt, o.exportPath, QStringLiteral("--export needs a file name.")))
        return ExitUsage;
    if (!o.exportPath.isEmpty() && FieldPicture::pictureFormat(o.exportPath).isEmpty())
        return usageError(QStringLiteral("--export keeps every pixel only in %1 pictures, not \"%2\".")
                              .arg(FieldPicture::losslessSuffixList(), QFileInfo(o.exportPath).suffix()));
    if (!options.readMaxTicks(maxTicks, o.maxTicks)) return ExitUsage;
    if (!options.readName(worksheet, o.worksheetPath, QStringLiteral("--worksheet needs a file name.")))
        return ExitUsage;
    for (const QCommandLineOption *opt : {&name, &pageSize})
        if (options.isSet(*opt) && o.worksheetPath.isEmpty())
            return usageError(QStringLiteral("--%1 goes with --worksheet only.").arg(opt->names().first()));
    o.pupil = parser.value(name);
    if (options.isSet(pageSize)) {
        const QString size = parser.value(pageSize).toLower();
        if (size == QLatin1String("letter"))
            o.pageSize = QPageSize::Letter;
        else if (size != QLatin1String("a4"))
            return usageError(
                QStringLiteral("--page-size is a4 or letter, not \"%1\".").arg(parser.value(pageSize)));
    }
    return runProgram(o);
}

bool startsWithOption(const QString &arg, const char *option)
{
    const QLatin1String opt(option);
    return arg == opt || arg.startsWith(opt + QLatin1Char('='));
}

QtMessageHandler s_previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    if (s_previousHandler) s_previousHandler(type, context, text);
}

}   // namespace

namespace Headless {

bool isCommandLineMode(int argc, char **argv)
{
    if (argc < 2 || !argv[1]) return false;
    QString first = QString::fromLocal8Bit(argv[1]);
    if (!first.startsWith(QLatin1Char('-')) || first == QLatin1String("-")) return false;
    for (const char *opt : kOurOptions)
        if (startsWithOption(first, opt)) return true;
    // The toolkit takes its options with one dash or two.
    if (first.startsWith(QLatin1String("--"))) first.remove(0, 1);
    for (const char *opt : kToolkitOptions)
        if (startsWithOption(first, opt)) return false;
    return true;   // an unknown option: the command line reports it
}

int runCommandLine(int argc, char **argv)
{
#if defined(__GLIBC__)
    // A class's report draws and packs hundreds of pictures of half a megabyte each: left to
    // itself, the allocator hands each back to the system and faults its pages in afresh for
    // the next, a tenth of the report's time. A command-line run is short: it keeps up to
    // 32 MiB of freed memory an arena for reuse.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
#endif
    // Picture export draws text, which needs a platform; none needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep stderr for what the user must read: the offscreen platform complains about a
    // missing runtime folder it does not need.
    s_previousHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QLatin1String(kAppVersion));
    return parseAndRun(QCoreApplication::arguments());
}

}   // namespace Headless
