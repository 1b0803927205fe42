// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "documents/Settings.h"
#include <QCommandLineParser>
#include <optional>

// The command line of one of the teachers' modes, set up and read as every mode reads it:
// options with one dash or two, the usage error for a command line the parser refuses, the
// help under the mode's own usage line, and the options the modes share. Each reader leaves
// its value alone when the option is not given, and returns false after saying on stderr
// what is wrong with the value given, so the caller only has to end with the usage exit code.
class ConsoleOptions {
public:
    explicit ConsoleOptions(const QString &description);

    // names: "field", or "h help" for a short and a long name; a value name for an option
    // that takes a value.
    QCommandLineOption add(const char *names, const char *description, const char *valueName = nullptr);
    QCommandLineParser &parser() { return m_parser; }

    bool parse(const QStringList &arguments);
    bool isSet(const QCommandLineOption &option) const { return m_parser.isSet(option); }
    QStringList files() const { return m_parser.positionalArguments(); }
    // The usage, then the parser's help below its own usage line; returns the exit code 0.
    int printHelp(const QString &usage) const;

    bool readLanguage(const QCommandLineOption &option, std::optional<Language> &lang) const;
    bool readFieldSize(const QCommandLineOption &option, int &width, int &height) const;
    bool readMaxTicks(const QCommandLineOption &option, std::optional<qint64> &ticks) const;
    // A file or folder name, which must not be empty when the option is given.
    bool readName(const QCommandLineOption &option, QString &name, const QString &whenEmpty) const;

private:
    QCommandLineParser m_parser;
};

// Whether a mode's own option stands anywhere after the program's name.
bool hasOption(const QStringList &arguments, QLatin1String option);

// The settings the window would start with, and their Language.
struct ConsoleSettings {
    Settings settings;
    Language language = Language::Rus;   // Russian when the file names none
};
ConsoleSettings loadConsoleSettings();
