// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsoleOptions.h"
#include "cli/ConsoleText.h"
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

ConsoleOptions::ConsoleOptions(const QString &description)
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

QCommandLineOption ConsoleOptions::add(const char *names, const char *description, const char *valueName)
{
    const QCommandLineOption option(QString::fromLatin1(names).split(QLatin1Char(' ')),
                                    QString::fromLatin1(description),
                                    valueName ? QString::fromLatin1(valueName) : QString());
    m_parser.addOption(option);
    return option;
}

bool ConsoleOptions::parse(const QStringList &arguments)
{
    if (m_parser.parse(arguments)) return true;
    ConsoleText::usageError(m_parser.errorText());
    return false;
}

int ConsoleOptions::printHelp(const QString &usage) const
{
    ConsoleText::out(usage);
    const QString text = m_parser.helpText();
    ConsoleText::out(text.mid(text.indexOf(QLatin1Char('\n')) + 1).trimmed());
    std::fflush(stdout);
    return 0;
}

bool ConsoleOptions::readLanguage(const QCommandLineOption &option, std::optional<Language> &lang) const
{
    if (!isSet(option)) return true;
    Language given = Language::Unknown;
    if (!ConsoleText::readLanguage(m_parser.value(option), given)) return false;
    lang = given;
    return true;
}

bool ConsoleOptions::readFieldSize(const QCommandLineOption &option, int &width, int &height) const
{
    return !isSet(option) || ConsoleText::readFieldSize(m_parser.value(option), width, height);
}

bool ConsoleOptions::readMaxTicks(const QCommandLineOption &option, std::optional<qint64> &ticks) const
{
    if (!isSet(option)) return true;
    qint64 given = 0;
    if (!ConsoleText::readMaxTicks(m_parser.value(option), given)) return false;
    ticks = given;
    return true;
}

bool ConsoleOptions::readName(const QCommandLineOption &option, QString &name, const QString &whenEmpty) const
{
    name = m_parser.value(option);
    if (!isSet(option) || !name.isEmpty()) return true;
    ConsoleText::usageError(whenEmpty);
    return false;
}

bool hasOption(const QStringList &arguments, QLatin1String option)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments.at(i) == option) return true;
    return false;
}

ConsoleSettings loadConsoleSettings()
{
    ConsoleSettings s;
    const QString path = settingsFiles(QCoreApplication::applicationDirPath()).read;
    QString problem;
    s.settings = loadSettings(path, &problem);
    // A teacher whose settings are not taken hears it, as the window tells the pupil.
    if (!problem.isEmpty())
        ConsoleText::err(QStringLiteral("trakmil: the settings file %1 was not read (%2); "
                                        "default settings are used.")
                             .arg(QDir::toNativeSeparators(path), problem));
    s.language = languageFromCode(s.settings.language);
    if (s.language == Language::Unknown) s.language = Language::Rus;
    return s;
}
