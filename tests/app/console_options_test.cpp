// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one reader of the options the command-line modes share.
#include "app/ConsoleOptions.h"
#include <QSize>
#include <gtest/gtest.h>

namespace {

struct Reader {
    ConsoleOptions options {QStringLiteral("test")};
    QCommandLineOption language = options.add("language", "", "L");
    QCommandLineOption field = options.add("field", "", "WxH");
    QCommandLineOption maxTicks = options.add("max-ticks", "", "N");
    QCommandLineOption output = options.add("o output", "", "OUT");

    explicit Reader(QStringList args)
    {
        args.prepend(QStringLiteral("trakmil"));
        EXPECT_TRUE(options.parse(args));
    }
};

}   // namespace

// A value the mode already holds (from the settings) stays unless the option is given.
TEST(ConsoleOptions, AnOptionNotGivenLeavesTheValueAndAGivenOneReplacesIt)
{
    {
        Reader r({});
        std::optional<Language> lang;
        int w = 7, h = 9;
        std::optional<qint64> ticks;
        QString out = QStringLiteral("kept?");
        EXPECT_TRUE(r.options.readLanguage(r.language, lang));
        EXPECT_TRUE(r.options.readFieldSize(r.field, w, h));
        EXPECT_TRUE(r.options.readMaxTicks(r.maxTicks, ticks));
        EXPECT_TRUE(r.options.readName(r.output, out, QStringLiteral("-o needs a file name.")));
        EXPECT_FALSE(lang.has_value());
        EXPECT_EQ(QSize(w, h), QSize(7, 9));
        EXPECT_FALSE(ticks.has_value());
        EXPECT_TRUE(out.isEmpty()) << "no name means standard output";
    }
    {
        Reader r({"--language", "rom", "--field", "3x4", "--max-ticks", "0", "-o", "x.tkm"});
        std::optional<Language> lang;
        int w = 7, h = 9;
        std::optional<qint64> ticks;
        QString out;
        EXPECT_TRUE(r.options.readLanguage(r.language, lang));
        EXPECT_TRUE(r.options.readFieldSize(r.field, w, h));
        EXPECT_TRUE(r.options.readMaxTicks(r.maxTicks, ticks));
        EXPECT_TRUE(r.options.readName(r.output, out, QString()));
        EXPECT_EQ(lang, Language::Rom);
        EXPECT_EQ(QSize(w, h), QSize(3, 4));
        EXPECT_EQ(ticks, qint64(0)) << "0 is no limit, not no option";
        EXPECT_EQ(out, QStringLiteral("x.tkm"));
    }
    {
        Reader r({"--language", "fr", "--field", "3by4", "--max-ticks", "-1", "--output="});
        std::optional<Language> lang;
        int w = 7, h = 9;
        std::optional<qint64> ticks;
        QString out;
        EXPECT_FALSE(r.options.readLanguage(r.language, lang));
        EXPECT_FALSE(r.options.readFieldSize(r.field, w, h));
        EXPECT_FALSE(r.options.readMaxTicks(r.maxTicks, ticks));
        EXPECT_FALSE(r.options.readName(r.output, out, QStringLiteral("-o needs a file name.")));
        EXPECT_FALSE(lang.has_value());
        EXPECT_FALSE(ticks.has_value());
    }
    EXPECT_FALSE(hasOption({QStringLiteral("--compare")}, QLatin1String("--compare")))
        << "the program's own name is no option";
    EXPECT_TRUE(hasOption({QStringLiteral("trakmil"), QStringLiteral("a"), QStringLiteral("--compare")},
                          QLatin1String("--compare")));
}
