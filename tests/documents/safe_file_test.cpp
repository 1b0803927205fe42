// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and reading where disks fill up and names point at things that are not files.
#include "documents/ProgramFile.h"
#include "base/SafeFile.h"
#include "documents/Settings.h"
#include "world/FieldPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

StyledText programOf(int lines)
{
    StyledText t;
    for (int i = 0; i < lines; ++i) t.append(StyledLine {QStringLiteral("STEP %1").arg(i), {}});
    return t;
}

// A real file system of 64 KiB, filled to the last block but the one a save needs.
class FullDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString mountPoint;
    bool mounted = false;

    void SetUp() override
    {
        mountPoint = dir.filePath(QStringLiteral("small"));
        QDir().mkpath(mountPoint);
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "a small file system cannot be mounted here";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted) ::umount(QFile::encodeName(mountPoint).constData());
    }
    QString path(const char *name) const { return mountPoint + QLatin1Char('/') + QLatin1String(name); }
    void fillUp()
    {
        QFile filler(path("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
    }
};

}   // namespace

TEST_F(FullDisk, ASaveThatDoesNotFitKeepsTheOldProgramAndSaysWhy)
{
    const QString program = path("square.tkm");
    ASSERT_TRUE(saveProgramFile(program, programOf(3), nullptr));
    const QByteArray before = contents(program);
    fillUp();
    QString error;
    EXPECT_FALSE(saveProgramFile(program, programOf(2000), &error));
    EXPECT_EQ(contents(program), before) << "the old program must stay byte for byte";
    EXPECT_TRUE(error.contains(QLatin1String("space"), Qt::CaseInsensitive)) << error.toStdString();
    EXPECT_FALSE(error.contains(program)) << "the caller shows the path";
    // A small program sits in the write buffer until the very end: still no empty file.
    EXPECT_FALSE(saveProgramFile(program, programOf(5), &error));
    EXPECT_EQ(contents(program), before);
    // Save as onto a new name leaves nothing behind.
    EXPECT_FALSE(saveProgramFile(path("new.tkm"), programOf(2000), nullptr));
    EXPECT_FALSE(QFileInfo::exists(path("new.tkm")));
}

// The disk takes the first part of a big write and then nothing: the count comes back
// short with no error of the file's own, and the reason must still be the disk's.
TEST_F(FullDisk, AWriteCutShortPartWayNamesTheFullDisk)
{
    const QString expected = qt_error_string(ENOSPC);
    QString error;
    EXPECT_FALSE(saveProgramFile(path("big.tkm"), programOf(20000), &error));
    EXPECT_EQ(error, expected);
    FieldPicture picture;
    picture.drawEmptyField(16, 20);
    EXPECT_FALSE(picture.exportPicture(path("field.bmp"), &error));
    EXPECT_EQ(error, expected);
    FileError failure;
    EXPECT_FALSE(writeFileSafely(path("x.ini"), QByteArray(200000, ';'), &failure, true));
    EXPECT_EQ(fileErrorReason(failure, Language::Rus), expected);
}

TEST_F(FullDisk, SettingsAndPicturesKeepTheirOldFilesToo)
{
    const QString ini = path("trakmil.ini");
    put(ini, "[int]\nlanguage=eng\nx_speed=2\n[mine]\nkey=value\n");
    const QString bmp = path("field.bmp");
    put(bmp, "old picture");
    fillUp();
    Settings s;
    s.language = QStringLiteral("rom");
    QString error;
    // The picture is far bigger than what is left.
    FieldPicture picture;
    picture.drawEmptyField(16, 20);
    EXPECT_FALSE(picture.exportPicture(bmp, &error));
    EXPECT_EQ(contents(bmp), QByteArray("old picture"));
    // The settings file is small: make sure even it cannot fit.
    QFile more(path("more"));
    more.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    while (more.write(QByteArray(512, 'x')) == 512) { }
    while (more.write(QByteArray(1, 'x')) == 1) { }
    more.close();
    EXPECT_FALSE(saveSettings(ini, s, &error));
    EXPECT_EQ(contents(ini), QByteArray("[int]\nlanguage=eng\nx_speed=2\n[mine]\nkey=value\n"));
}

TEST(SpecialFiles, TargetsThatAreNotRegularFilesAreRefusedAndLeftAlone)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.tkm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString error;
    EXPECT_FALSE(saveProgramFile(fifo, programOf(1), &error));
    const QString notRegular = fileErrorReason({FileError::Kind::NotRegular, fifo, {}}, Language::Eng);
    EXPECT_EQ(error, notRegular);
    FileError folder;
    EXPECT_FALSE(writeFileSafely(dir.path(), "x", &folder)) << "a folder";
    EXPECT_EQ(folder.kind, FileError::Kind::NotRegular);
    FieldPicture picture;
    EXPECT_FALSE(picture.exportPicture(QStringLiteral("/dev/null"), &error));
    EXPECT_EQ(error, notRegular);
    struct stat st { };
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "/dev/null must stay a device";
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(SpecialFiles, SettingsFromAPipeADeviceOrAHugeFileGiveTheDefaults)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("trakmil.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opening a pipe with no writer would block for ever; the reader must not open it.
    const Settings fromPipe = loadSettings(fifo);
    EXPECT_EQ(fromPipe.language, Settings().language);

    const QString zero = dir.filePath(QStringLiteral("zero.ini"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    EXPECT_EQ(loadSettings(zero).speed, Settings().speed);

    const QString big = dir.filePath(QStringLiteral("big.ini"));
    put(big, "[int]\nlanguage=eng\n" + QByteArray(70 * 1024, ';'));
    EXPECT_EQ(loadSettings(big).language, QStringLiteral("rus")) << "over 64 KiB is not a settings file";
    put(big, "[int]\nlanguage=eng\n");
    EXPECT_EQ(loadSettings(big).language, QStringLiteral("eng"));
}

TEST(SpecialFiles, AnOversizedProgramIsRefusedBeforeItIsRead)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath(QStringLiteral("huge.tkm"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(300LL * 1024 * 1024));   // sparse: no disk used
    }
    StyledText text;
    QString error;
    EXPECT_FALSE(loadProgramFile(huge, text, &error));
    EXPECT_EQ(error, QStringLiteral("File too large: more than 16 MiB"));
    EXPECT_TRUE(text.isEmpty());
}

TEST(SpecialFiles, AFolderNamedLikeTheSettingsFileSendsThemToTheUsersFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("trakmil.ini")));
    const SettingsFiles files = settingsFiles(dir.path(), [](const QString &) { return true; });
    EXPECT_NE(files.write, dir.filePath(QStringLiteral("trakmil.ini")));
    EXPECT_NE(files.read, dir.filePath(QStringLiteral("trakmil.ini")));
    EXPECT_TRUE(files.write.endsWith(QLatin1String("trakmil.ini")));
}

TEST(PlainText, Utf8WithoutAMarkIsReadAsUtf8AndWindows1251StaysWindows1251)
{
    EXPECT_EQ(plainLines(readPlainText(QString::fromUtf8("ШАГ\nПРЫЖОК").toUtf8())),
              (QStringList {QString::fromUtf8("ШАГ"), QString::fromUtf8("ПРЫЖОК")}));
    const QByteArray cp1251("\xD8\xC0\xC3");   // ШАГ in Windows-1251
    EXPECT_EQ(plainLines(readPlainText(cp1251)), QStringList {QString::fromUtf8("ШАГ")});
    EXPECT_EQ(plainLines(readPlainText("STEP")), QStringList {QStringLiteral("STEP")});
}
