// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Every test process gets a home of its own, so the suite leaves nothing in the settings, data
// or file-dialog history of the user who runs it. Child processes (the real binary) inherit it.
void useThrowawayHome(const QTemporaryDir &home)
{
    qputenv("TRAKMIL_TESTS_USER_HOME", qgetenv("HOME"));
    const QByteArray root = QFile::encodeName(home.path());
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/.config");
    qputenv("XDG_DATA_HOME", root + "/.local/share");
    qputenv("XDG_STATE_HOME", root + "/.local/state");
    qputenv("XDG_CACHE_HOME", root + "/.cache");
}

// A first start picks the interface Language from the locale; the suite expects the same
// Language whatever locale its runner has.
void usePlainLocale()
{
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", "C.UTF-8");
}
}   // namespace

// One runner for core and GUI tests; GUI tests need the application object and run
// on the offscreen platform.
int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/trakmil-test-home-XXXXXX"));
    if (home.isValid()) useThrowawayHome(home);
    usePlainLocale();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
