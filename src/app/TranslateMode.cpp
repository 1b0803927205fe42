// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TranslateMode.h"
#include "app/ConsoleText.h"
#include "documents/Settings.h"
#include "editor/Highlight.h"
#include "lang/Normalize.h"
#include "lang/ProgramTranslator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

using namespace ConsoleText;

namespace TranslateMode {

bool wanted(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments.at(i) == QLatin1String("--translate")) return true;
    return false;
}

StyledText colouredProgram(const QStringList &lines, Language lang)
{
    const Lexicon &lex = Lexicon::forLanguage(lang);
    StyledText text;
    text.reserve(lines.size());
    for (const QString &l : lines) {
        StyledLine line;
        line.text = l;
        if (!l.isEmpty()) line.runs.append(ColorRun {int(l.size()), ClassifyFull(NormalizeLine(l), lex)});
        text.append(line);
    }
    return text;
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Trakmil: rewrites a program into the keywords of another language."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList {QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption translate(QStringLiteral("translate"),
                                       QStringLiteral("Translates FILE into the language of --to."));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("Target language: rus, rom or eng."),
                                QStringLiteral("L"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("Language FILE is written in (default: the one "
                                                 "most of its lines are commands of)."),
                                  QStringLiteral("L"));
    const QCommandLineOption output(QStringList {QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Writes the program there as the window saves "
                                                   "it (default: text on standard output)."),
                                    QStringLiteral("OUT"));
    for (const QCommandLineOption *opt : {&help, &translate, &to, &from, &output}) parser.addOption(*opt);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Program file (.tkm)."));

    if (!parser.parse(arguments)) return usageError(parser.errorText());
    if (parser.isSet(help)) {
        out(QStringLiteral("Usage: trakmil --translate FILE --to rus|rom|eng [--from L] [-o OUT]"));
        const QString text = parser.helpText();
        out(text.mid(text.indexOf(QLatin1Char('\n')) + 1).trimmed());
        std::fflush(stdout);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) return usageError(QStringLiteral("--translate needs exactly one FILE."));
    if (!parser.isSet(to)) return usageError(QStringLiteral("--translate needs --to rus, rom or eng."));
    Language target = Language::Unknown, source = Language::Unknown;
    if (!readLanguage(parser.value(to), target)) return 2;
    if (parser.isSet(from) && !readLanguage(parser.value(from), source)) return 2;
    const QString outPath = parser.value(output);
    if (parser.isSet(output) && outPath.isEmpty()) return usageError(QStringLiteral("-o needs a file name."));

    const QString file = files.first();
    QStringList lines;
    if (!readProgram(file, lines)) return 2;

    if (source == Language::Unknown) {
        const Settings settings = loadSettings(settingsFiles(QCoreApplication::applicationDirPath()).read);
        source = ProgramTranslator::detectLanguage(lines, languageFromCode(settings.language));
        if (ProgramTranslator::statementCount(lines, source) == 0)
            err(QStringLiteral("trakmil: %1 holds no command of any language; it is copied as it is.")
                    .arg(file));
    }
    const ProgramTranslator translator(source, target);
    const ProgramTranslator::Result result = translator.translate(lines);
    for (int k : result.leftAsWritten)
        err(QStringLiteral("trakmil: %1:%2: no %3 command, left as written: %4")
                .arg(file)
                .arg(k + 1)
                .arg(languageCode(source), lines.at(k)));

    // A line left as written is an unknown command in the target: the caller must hear of it.
    const int done = result.leftAsWritten.isEmpty() ? 0 : 1;
    if (outPath.isEmpty()) {
        for (const QString &l : result.lines) out(l);
        std::fflush(stdout);
        return done;
    }
    QString error;
    if (!saveProgramFile(outPath, colouredProgram(result.lines, target), &error)) {
        err(QStringLiteral("trakmil: cannot write %1: %2").arg(outPath, error));
        return 2;
    }
    return done;
}

}   // namespace TranslateMode
