// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TranslateMode.h"
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include "lang/Highlight.h"
#include "lang/Normalize.h"
#include "lang/ProgramTranslator.h"
#include "lang/Statements.h"

#include <cstdio>

using namespace ConsoleText;

namespace TranslateMode {

bool wanted(const QStringList &arguments) { return hasOption(arguments, QLatin1String("--translate")); }

StyledText colouredProgram(const QStringList &lines, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    StyledText text;
    text.reserve(lines.size());
    for (const QString &l : lines) {
        StyledLine line;
        line.text = l;
        if (!l.isEmpty()) line.runs.append(ColourRun {int(l.size()), classifyFull(normalizeLine(l), lex)});
        text.append(line);
    }
    return text;
}

int run(const QStringList &arguments)
{
    ConsoleOptions options(
        QStringLiteral("Trakmil: rewrites a program into the keywords of another language."));
    const QCommandLineOption help = options.add("h help", "Shows this help.");
    options.add("translate", "Translates FILE into the language of --to.");
    const QCommandLineOption to = options.add(
        "to",
        QStringLiteral("Target language: %1.").arg(ConsoleText::languageChoices()).toLatin1().constData(),
        "L");
    const QCommandLineOption from = options.add(
        "from", "Language FILE is written in (default: the one most of its lines are commands of).", "L");
    const QCommandLineOption output = options.add(
        "o output", "Writes the program there as the window saves it (default: text on standard output).",
        "OUT");
    options.parser().addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Program file (.tkm)."));

    if (!options.parse(arguments)) return 2;
    if (options.isSet(help))
        return options.printHelp(QStringLiteral("Usage: trakmil --translate FILE --to %1 [--from L] [-o OUT]")
                                     .arg(ConsoleText::languageChoices(QStringLiteral("|"))));
    const QStringList files = options.files();
    if (files.size() != 1) return usageError(QStringLiteral("--translate needs exactly one FILE."));
    if (!options.isSet(to))
        return usageError(QStringLiteral("--translate needs --to %1.").arg(ConsoleText::languageChoices()));
    std::optional<Language> target, source;
    QString outPath;
    if (!options.readLanguage(to, target) || !options.readLanguage(from, source) ||
        !options.readName(output, outPath, QStringLiteral("-o needs a file name.")))
        return 2;

    const QString file = files.first();
    QStringList lines;
    if (!readProgram(file, lines)) return 2;

    if (!source) {
        source = ProgramTranslator::detectLanguage(lines, loadConsoleSettings().language);
        if (ProgramTranslator::statementCount(lines, *source) == 0)
            err(QStringLiteral("trakmil: %1 holds no command of any language; it is copied as it is.")
                    .arg(file));
    }
    const ProgramTranslator translator(*source, *target);
    const ProgramTranslator::Result result = translator.translate(lines);
    for (int k : result.leftAsWritten) {
        const auto untranslated = result.untranslated.constFind(k);
        QString why;
        if (untranslated == result.untranslated.constEnd())
            why = QStringLiteral("no %1 command").arg(languageCode(*source));
        else if (untranslated->isEmpty())
            why =
                QStringLiteral("its translation would mean something else in %1").arg(languageCode(*target));
        else
            why = QStringLiteral("the loop ends in \"%1\", not in \"%2\"")
                      .arg(*untranslated,
                           Statements::tail(StatementKind::CountedLoop, Lexicon::forLanguage(*source)));
        err(QStringLiteral("trakmil: %1:%2: %3, left as written: %4")
                .arg(file)
                .arg(k + 1)
                .arg(why, lines.at(k)));
    }

    // A line left as written is an unknown command in the target: the caller must hear of it.
    const int done = result.leftAsWritten.isEmpty() ? 0 : 1;
    if (outPath.isEmpty()) {
        for (const QString &l : result.lines) out(l);
        std::fflush(stdout);
        return done;
    }
    QString error;
    if (!saveProgramFile(outPath, colouredProgram(result.lines, *target), &error)) {
        err(QStringLiteral("trakmil: cannot write %1: %2").arg(outPath, error));
        return 2;
    }
    return done;
}

}   // namespace TranslateMode
