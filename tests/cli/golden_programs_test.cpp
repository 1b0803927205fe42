// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole programs through the real command line, against outcomes reviewed once and kept.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QString kProgramsDir = QStringLiteral(TRAKMIL_TEST_DATA "/programs");

std::vector<std::string> programNames()
{
    std::vector<std::string> names;
    const QStringList files =
        QDir(kProgramsDir).entryList({QStringLiteral("*.tkm")}, QDir::Files, QDir::Name);
    for (const QString &f : files) names.push_back(f.chopped(4).toStdString());
    return names;
}

// The transcript format of the .expected files: a "$ mode" line, stdout, "[exit N]".
QString transcript(const QString &mode, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(kProgramsDir);
    p.start(QStringLiteral(TRAKMIL_BINARY), args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return QStringLiteral("$ %1\n[timed out]\n").arg(mode);
    }
    QString out = QStringLiteral("$ %1\n").arg(mode) + QString::fromUtf8(p.readAllStandardOutput());
    if (!out.endsWith(QLatin1Char('\n'))) out += QLatin1Char('\n');
    const int code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return out + QStringLiteral("[exit %1]\n").arg(code);
}

class GoldenProgram : public ::testing::TestWithParam<std::string> { };

TEST_P(GoldenProgram, CheckAndRunGiveTheKeptOutcome)
{
    const QString name = QString::fromStdString(GetParam());
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    const QString file = name + QStringLiteral(".tkm");
    QFile expectedFile(kProgramsDir + QLatin1Char('/') + name + QStringLiteral(".expected"));
    ASSERT_TRUE(expectedFile.open(QIODevice::ReadOnly)) << "no .expected beside " << GetParam();
    const QString expected = QString::fromUtf8(expectedFile.readAll());

    const QString actual =
        transcript(QStringLiteral("--check"),
                   {QStringLiteral("--check"), file, QStringLiteral("--language"), language}) +
        transcript(QStringLiteral("--run"), {QStringLiteral("--run"), file, QStringLiteral("--language"),
                                             language, QStringLiteral("--field"), QStringLiteral("16x20")});
    EXPECT_EQ(actual.toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Programs, GoldenProgram, ::testing::ValuesIn(programNames()),
                         [](const auto &p) { return p.param; });

TEST(GoldenPrograms, TheCorpusIsThere) { EXPECT_GE(programNames().size(), 10u); }

}   // namespace
