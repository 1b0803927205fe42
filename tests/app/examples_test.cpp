// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The example programs shipped with the program: each checks clean and runs to its end on
// the default field, run by the real executable as a teacher would.
#include "documents/ProgramFile.h"
#include "common/RunTrakmil.h"
#include "documents/Settings.h"
#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QStringList kLanguages = {QStringLiteral("rus"), QStringLiteral("rom"), QStringLiteral("eng")};

QStringList examplesOf(const QString &lang)
{
    return QDir(QStringLiteral(TRAKMIL_EXAMPLES "/") + lang)
        .entryList({QStringLiteral("*.tkm")}, QDir::Files, QDir::Name);
}

using Outcome = ProcessOutcome;
const auto trakmil = runTrakmil;

}   // namespace

TEST(Examples, ADozenInEachLanguageUnderTheSameNames)
{
    const QStringList eng = examplesOf(QStringLiteral("eng"));
    EXPECT_GE(eng.size(), 12);
    for (const QString &lang : kLanguages) EXPECT_EQ(examplesOf(lang), eng) << lang.toStdString();
}

TEST(Examples, EachIsAProgramFileWithItsLinesColoured)
{
    for (const QString &lang : kLanguages)
        for (const QString &name : examplesOf(lang)) {
            const QString path = QStringLiteral(TRAKMIL_EXAMPLES "/%1/%2").arg(lang, name);
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
            const std::optional<StyledText> text = readRtf(f.readAll());
            ASSERT_TRUE(text.has_value()) << path.toStdString();
            bool coloured = false;
            for (const StyledLine &line : *text)
                for (QRgb c : characterColours(line)) coloured = coloured || c != 0;
            EXPECT_TRUE(coloured) << path.toStdString();
        }
}

TEST(Examples, EachPassesTheCheckAndRunsToItsEndOnTheDefaultField)
{
    const Settings defaults;
    const QString field = QStringLiteral("%1x%2").arg(defaults.fieldWidth).arg(defaults.fieldHeight);
    int ran = 0;
    for (const QString &lang : kLanguages) {
        const QStringList names = examplesOf(lang);
        QStringList paths;
        for (const QString &name : names) paths << QStringLiteral(TRAKMIL_EXAMPLES "/%1/%2").arg(lang, name);
        const Outcome check =
            trakmil(QStringList {QStringLiteral("--check"), QStringLiteral("--language"), lang} + paths);
        EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
        for (const QString &path : paths) {
            const Outcome run = trakmil({QStringLiteral("--run"), QStringLiteral("--language"), lang,
                                         QStringLiteral("--field"), field, path});
            EXPECT_EQ(run.exitCode, 0) << path.toStdString() << "\n" << run.out.toStdString();
            EXPECT_TRUE(run.out.contains(QLatin1String("result=end "))) << path.toStdString();
            ++ran;
        }
    }
    EXPECT_GE(ran, 36);
}
