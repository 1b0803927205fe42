// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MakeTaskMode.h"
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include "base/SafeFile.h"
#include "documents/ProgramFile.h"
#include "lang/ProgramTranslator.h"
#include "run/Grading.h"

#include <QSize>

using namespace ConsoleText;

namespace {

bool readProgramFile(const QString &path, StyledText &styled)
{
    QString error;
    if (loadProgramFile(path, styled, &error, Language::Eng, &ProgramTranslator::plainTextCodePage))
        return true;
    err(QStringLiteral("trakmil: cannot read %1: %2").arg(path, error));
    return false;
}

bool readFields(const QString &text, QList<QSize> &fields)
{
    const QStringList sizes = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    fields.clear();
    if (sizes.isEmpty() || sizes.size() > Task::MaxFields) {
        usageError(QStringLiteral("--fields wants 1 to %1 sizes WxH, e.g. 10x8,16x12.").arg(Task::MaxFields));
        return false;
    }
    for (const QString &size : sizes) {
        int width = 0, height = 0;
        if (!readFieldSize(size.trimmed(), width, height)) return false;
        fields << QSize(width, height);
    }
    return true;
}

bool readConstructs(const QString &text, const char *option, QList<TaskConstruct> &out)
{
    for (const QString &name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<TaskConstruct> c = taskConstructFromName(name.trimmed());
        if (!c) {
            QStringList known;
            for (int i = 0; i < TaskConstructCount; ++i) known << taskConstructName(TaskConstruct(i));
            usageError(QStringLiteral("--%1 knows %2, not \"%3\".")
                           .arg(QLatin1String(option), known.join(QLatin1Char(',')), name));
            return false;
        }
        if (!out.contains(*c)) out << *c;
    }
    return true;
}

}   // namespace

namespace MakeTaskMode {

bool wanted(const QStringList &arguments) { return hasOption(arguments, QLatin1String("--make-task")); }

int run(const QStringList &arguments)
{
    ConsoleOptions options(
        QStringLiteral("Trakmil: makes a task from a model program: what the model draws on "
                       "each field becomes the goal a pupil's Check task compares with."));
    const QCommandLineOption help = options.add("h help", "Shows this help.");
    options.add("make-task", "Runs MODEL on every field and writes the task.");
    const QCommandLineOption output = options.add("o output", "The task file to write (.tkt).", "TASK");
    const QCommandLineOption title = options.add("title", "The task's title, one line.", "TEXT");
    const QCommandLineOption textFile = options.add("text-file", "The task's text, UTF-8.", "FILE");
    const QCommandLineOption fields = options.add(
        "fields", "1 to 4 check fields, e.g. 10x8,16x12 (default: the settings' field).", "WxH,...");
    const QCommandLineOption endPosition =
        options.add("end-position", "The robot's final node and heading must match the model's.");
    const QCommandLineOption maxLines =
        options.add("max-lines", "At most N statement lines (comments and empty lines do not count).", "N");
    const QCommandLineOption require =
        options.add("require",
                    "Statement kinds that must appear: loop, while, condition, procedure, jump, "
                    "destroy, colour.",
                    "KINDS");
    const QCommandLineOption forbid = options.add("forbid", "Statement kinds that must not appear.", "KINDS");
    const QCommandLineOption language = options.add(
        "language",
        QStringLiteral(
            "The keywords the pupil must write in: %1 (default: any; the model is read in its own).")
            .arg(ConsoleText::languageChoices())
            .toLatin1()
            .constData(),
        "L");
    const QCommandLineOption start =
        options.add("start", "The program the pupil starts from (.tkm).", "FILE");
    options.parser().addPositionalArgument(QStringLiteral("MODEL"),
                                           QStringLiteral("The teacher's program (.tkm)."));

    if (!options.parse(arguments)) return 2;
    if (options.isSet(help))
        return options.printHelp(QStringLiteral(
            "Usage: trakmil --make-task MODEL -o TASK --title TEXT [--text-file FILE] [--fields WxH,...]\n"
            "       [--end-position] [--max-lines N] [--require KINDS] [--forbid KINDS] [--language L]\n"
            "       [--start FILE]"));
    if (options.files().size() != 1) return usageError(QStringLiteral("--make-task needs one MODEL file."));
    QString target;
    if (!options.readName(output, target, QStringLiteral("-o needs a file name."))) return 2;
    if (target.isEmpty()) return usageError(QStringLiteral("--make-task needs -o TASK."));

    Task task;
    task.title = options.parser().value(title).trimmed();
    if (task.title.isEmpty() || task.title.contains(QLatin1Char('\n')))
        return usageError(QStringLiteral("--make-task needs a --title of one line."));
    std::optional<Language> lang;
    if (!options.readLanguage(language, lang)) return 2;
    task.language = lang;

    const ConsoleSettings settings = loadConsoleSettings();
    QList<QSize> sizes {QSize(settings.settings.fieldWidth, settings.settings.fieldHeight)};
    if (options.isSet(fields) && !readFields(options.parser().value(fields), sizes)) return 2;
    if (options.isSet(maxLines)) {
        bool ok = false;
        const int n = options.parser().value(maxLines).toInt(&ok);
        if (!ok || n < 1 || n > 100000)
            return usageError(QStringLiteral("--max-lines wants a number from 1 to 100000."));
        task.rules.maxStatementLines = n;
    }
    if (!readConstructs(options.parser().value(require), "require", task.rules.required) ||
        !readConstructs(options.parser().value(forbid), "forbid", task.rules.forbidden))
        return 2;
    for (TaskConstruct c : task.rules.required)
        if (task.rules.forbidden.contains(c))
            return usageError(
                QStringLiteral("%1 cannot be both required and forbidden.").arg(taskConstructName(c)));

    if (options.isSet(textFile)) {
        QByteArray bytes;
        FileError failure;
        const QString path = options.parser().value(textFile);
        if (!readRegularFile(path, Task::MaxFileBytes / 2, bytes, &failure)) {
            err(QStringLiteral("trakmil: cannot read %1: %2")
                    .arg(path, fileErrorReason(failure, Language::Eng)));
            return 2;
        }
        task.text = QString::fromUtf8(bytes).replace(QLatin1String("\r\n"), QLatin1String("\n")).trimmed();
    }
    if (options.isSet(start)) {
        StyledText styled;
        if (!readProgramFile(options.parser().value(start), styled)) return 2;
        task.start = styled;
    }

    const QString modelPath = options.files().first();
    StyledText model;
    if (!readProgramFile(modelPath, model)) return 2;
    const QStringList lines = plainLines(model);
    const Language modelLanguage = lang ? *lang : ProgramTranslator::detectLanguage(lines, settings.language);
    int failedField = -1;
    FieldDrawing failure;
    const std::optional<QList<TaskField>> goals =
        goalsFromModel(lines, modelLanguage, sizes, options.isSet(endPosition), failedField, failure,
                       settings.settings.speed);
    if (!goals) {
        for (const ErrorReport &r : failure.reports)
            for (const QString &l : reportLines(modelPath, r)) err(l);
        if (!failure.fatalText.isEmpty())
            for (const QString &l : fatalLines(modelPath, failure.fatalText)) err(l);
        err(QStringLiteral(
                "trakmil: the model does not run to its end on field %1 (%2x%3): %4%5; no task written.")
                .arg(failedField + 1)
                .arg(sizes[failedField].width())
                .arg(sizes[failedField].height())
                .arg(QLatin1String(HeadlessRun::resultName(failure.result)))
                .arg(failure.line > 0 ? QStringLiteral(" at line %1").arg(failure.line) : QString()));
        return 1;
    }
    task.fields = *goals;
    QString error;
    if (!saveTaskFile(target, task, &error, Language::Eng)) {
        err(QStringLiteral("trakmil: cannot write %1: %2").arg(target, error));
        return 2;
    }
    for (int i = 0; i < task.fields.size(); ++i)
        out(QStringLiteral("field %1 (%2x%3): %4 segments")
                .arg(i + 1)
                .arg(task.fields[i].width)
                .arg(task.fields[i].height)
                .arg(task.fields[i].goal.size()));
    return 0;
}

}   // namespace MakeTaskMode
