// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one reader of the options the command-line modes share.
#include "cli/ConsoleOptions.h"
#include "cli/Headless.h"
#include <QSize>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Every reader over one command line, from values a mode holds already (the settings').
struct Read {
    bool ok[4] = {};   // language, field, max-ticks, output
    std::optional<Language> language;
    QSize field {7, 9};
    std::optional<qint64> maxTicks;
    QString output = QStringLiteral("before");
};

Read readAll(QStringList args)
{
    ConsoleOptions options {QStringLiteral("test")};
    const QCommandLineOption language = options.add("language", "", "L");
    const QCommandLineOption field = options.add("field", "", "WxH");
    const QCommandLineOption maxTicks = options.add("max-ticks", "", "N");
    const QCommandLineOption output = options.add("o output", "", "OUT");
    args.prepend(QStringLiteral("trakmil"));
    EXPECT_TRUE(options.parse(args));
    Read r;
    int w = r.field.width(), h = r.field.height();
    r.ok[0] = options.readLanguage(language, r.language);
    r.ok[1] = options.readFieldSize(field, w, h);
    r.ok[2] = options.readMaxTicks(maxTicks, r.maxTicks);
    r.ok[3] = options.readName(output, r.output, QStringLiteral("-o needs a file name."));
    r.field = QSize(w, h);
    return r;
}

}   // namespace

// A value the mode already holds stays unless the option is given; a bad value is refused.
TEST(ConsoleOptions, AnOptionNotGivenLeavesTheValueAndAGivenOneReplacesIt)
{
    const Read none = readAll({});
    EXPECT_EQ(std::count(std::begin(none.ok), std::end(none.ok), true), 4);
    EXPECT_FALSE(none.language.has_value());
    EXPECT_EQ(none.field, QSize(7, 9));
    EXPECT_FALSE(none.maxTicks.has_value());
    EXPECT_TRUE(none.output.isEmpty()) << "no name means standard output";

    const Read given = readAll({"--language", "rom", "--field", "3x4", "--max-ticks", "0", "-o", "x.tkm"});
    EXPECT_EQ(std::count(std::begin(given.ok), std::end(given.ok), true), 4);
    EXPECT_EQ(given.language, Language::Rom);
    EXPECT_EQ(given.field, QSize(3, 4));
    EXPECT_EQ(given.maxTicks, qint64(0)) << "0 is no limit, not no option";
    EXPECT_EQ(given.output, QStringLiteral("x.tkm"));

    const Read bad = readAll({"--language", "fr", "--field", "3by4", "--max-ticks", "-1", "--output="});
    EXPECT_EQ(std::count(std::begin(bad.ok), std::end(bad.ok), true), 0);
    EXPECT_FALSE(bad.language.has_value());
    EXPECT_FALSE(bad.maxTicks.has_value());

    EXPECT_FALSE(hasOption({QStringLiteral("--compare")}, QLatin1String("--compare")))
        << "the program's own name is no option";
    EXPECT_TRUE(hasOption({QStringLiteral("trakmil"), QStringLiteral("a"), QStringLiteral("--compare")},
                          QLatin1String("--compare")));
}

TEST(HeadlessCommandLine, OnlyOptionsOfOursOrUnknownOnesLeaveTheWindowOut)
{
    struct Case {
        std::vector<const char *> args;
        bool headless;
    };
    const Case cases[] = {
        {{}, false},
        {{"program.tkm"}, false},
        {{"program.tkm", "--check"}, false},
        {{"-platform", "xcb", "program.tkm"}, false},
        {{"--style=fusion"}, false},
        {{"--check", "a.tkm"}, true},
        {{"--run=a.tkm"}, true},
        {{"--language", "eng", "--check", "a.tkm"}, true},
        {{"-v"}, true},
        {{"--help"}, true},
        {{"--frobnicate"}, true},
    };
    for (const Case &c : cases) {
        std::vector<char *> argv {const_cast<char *>("trakmil")};
        for (const char *a : c.args) argv.push_back(const_cast<char *>(a));
        argv.push_back(nullptr);
        EXPECT_EQ(Headless::isCommandLineMode(int(argv.size() - 1), argv.data()), c.headless)
            << (c.args.empty() ? "(none)" : c.args.front());
    }
}
