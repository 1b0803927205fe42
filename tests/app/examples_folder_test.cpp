// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the open dialog finds the example programs.
#include "MainWindowFixture.h"
#include "app/ExamplesFolder.h"
#include <QDir>

namespace {
bool makeDir(const QString &path) { return QDir().mkpath(path); }
}   // namespace

TEST(ExamplesFolder, BesideTheExecutableBeforeTheInstalledDataFolder)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(makeDir(bin));
    ASSERT_TRUE(makeDir(root.filePath(QStringLiteral("share/trakmil/examples/eng"))));
    EXPECT_EQ(findExamplesFolder(bin),
              QDir::cleanPath(root.filePath(QStringLiteral("share/trakmil/examples"))));
    ASSERT_TRUE(makeDir(root.filePath(QStringLiteral("bin/examples"))));
    EXPECT_EQ(findExamplesFolder(bin), QDir::cleanPath(root.filePath(QStringLiteral("bin/examples"))));
}

TEST(ExamplesFolder, TheLanguagesOwnSubfolderWhenThereIsOne)
{
    QTemporaryDir root;
    ASSERT_TRUE(makeDir(root.filePath(QStringLiteral("rom"))));
    EXPECT_EQ(examplesFolderFor(root.path(), Language::Rom), root.filePath(QStringLiteral("rom")));
    EXPECT_EQ(examplesFolderFor(root.path(), Language::Eng), root.path());
    EXPECT_EQ(examplesFolderFor(QString(), Language::Eng), QString());
}

TEST_F(MainWindowTest, OpenStartsInTheExamplesUntilAFileIsOpen)
{
    examplesFolder = dir.filePath(QStringLiteral("examples"));
    ASSERT_TRUE(makeDir(examplesFolder + QStringLiteral("/eng")));
    ASSERT_TRUE(makeDir(examplesFolder + QStringLiteral("/rus")));
    open(QString(), "[int]\r\nlanguage=eng\r\n");
    window->action(Command::Open)->trigger();
    EXPECT_EQ(prompts.openStart, examplesFolder + QStringLiteral("/eng"));
    EXPECT_EQ(prompts.openPlaces, QStringList {examplesFolder});

    // A file from elsewhere: the pupil goes on from its folder, the examples stay offered.
    const QString mine = dir.filePath(QStringLiteral("mine"));
    ASSERT_TRUE(makeDir(mine));
    QFile f(mine + QStringLiteral("/a.tkm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("ALGORITHM BEGIN\r\nALGORITHM END\r\n");
    f.close();
    prompts.openPaths.enqueue(f.fileName());
    window->action(Command::Open)->trigger();
    ASSERT_EQ(window->currentFile(), f.fileName());
    window->action(Command::Open)->trigger();
    EXPECT_EQ(prompts.openStart, mine);
    EXPECT_EQ(prompts.openPlaces, QStringList {examplesFolder});
}

TEST_F(MainWindowTest, OpenWithoutExamplesOffersNoPlace)
{
    open();
    window->action(Command::Open)->trigger();
    EXPECT_TRUE(prompts.openStart.isEmpty());
    EXPECT_TRUE(prompts.openPlaces.isEmpty());
}
