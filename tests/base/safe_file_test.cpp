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
#include <csignal>
#include <functional>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    EXPECT_FALSE(writeFileSafely(path("x.ini"), QByteArray(200000, ';'), &failure,
                                 {.inPlaceWhereFolderIsLocked = true}));
    EXPECT_EQ(fileErrorReason(failure, Language::Eng), expected);
    EXPECT_EQ(fileErrorReason(failure, Language::Rus), QString::fromUtf8("На диске не осталось места"));
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

// A page written in pieces, more than the writer holds at once, onto a disk that takes only
// part of it: the disk fails part way, and the old page must stay with nothing beside it.
TEST_F(FullDisk, APageWrittenInPiecesThatDoesNotFitKeepsTheOldPage)
{
    const QString page = path("class.html");
    put(page, "old page");
    const QByteArray row(10000, 'r');
    const auto writeRows = [&](SafeFileWriter &w) {
        bool accepted = true;
        for (int i = 0; i < 300; ++i) accepted = w.write(row) && accepted;
        return accepted;
    };
    {
        SafeFileWriter w(page);
        EXPECT_FALSE(writeRows(w)) << "the disk's refusal is seen while the rows come";
        FileError failure;
        EXPECT_FALSE(w.commit(&failure));
        EXPECT_EQ(fileErrorReason(failure, Language::Eng), qt_error_string(ENOSPC));
    }
    EXPECT_EQ(contents(page), QByteArray("old page"));
    // Rows set aside first cannot be kept on the full disk either, and say so.
    SpillFile aside(mountPoint);
    bool kept = true;
    for (int i = 0; i < 300; ++i) kept = aside.append(row) && kept;
    EXPECT_FALSE(kept);
    {
        SafeFileWriter w(page);
        FileError failure;
        EXPECT_FALSE(aside.copyTo(w, &failure));
        EXPECT_EQ(fileErrorReason(failure, Language::Eng), qt_error_string(ENOSPC));
    }   // dropped uncommitted, as the report is
    EXPECT_EQ(contents(page), QByteArray("old page"));
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("class.html")}));
}

TEST(SafeFileWriter, PiecesAndPartsSetAsideMakeTheFileInOrderAndLeaveNothingBeside)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("report.html"));
    put(page, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(page).constData(), 0640), 0);
    // One part past what is held in memory, one small, one empty; the folder of the second
    // does not exist, so it is set aside in the system's temporary folder.
    SpillFile big(dir.path()), small(dir.filePath(QStringLiteral("gone"))), none(dir.path());
    QByteArray expected = "head\n", bigPart;
    for (int i = 0; bigPart.size() < 3 * 1024 * 1024; ++i) {
        const QByteArray row = "<tr>" + QByteArray::number(i) + "</tr>\n";
        ASSERT_TRUE(big.append(row));
        bigPart += row;
    }
    ASSERT_TRUE(small.append("small\n"));
    expected += bigPart + "small\n" + "tail\n";
    {
        SafeFileWriter dropped(page);
        dropped.write("never committed");
    }
    SafeFileWriter w(page);
    ASSERT_TRUE(w.write("head\n"));
    FileError failure;
    ASSERT_TRUE(big.copyTo(w, &failure));
    ASSERT_TRUE(none.copyTo(w, &failure));
    ASSERT_TRUE(small.copyTo(w, &failure));
    ASSERT_TRUE(w.write("tail\n"));
    EXPECT_EQ(contents(page), QByteArray("old")) << "nothing in place before the commit";
    ASSERT_TRUE(w.commit(&failure));
    EXPECT_TRUE(contents(page) == expected);
    struct stat st { };
    ASSERT_EQ(::stat(QFile::encodeName(page).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << "the replaced file keeps its mode";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("report.html")}));
    // What writeFileSafely refuses, the writer refuses with the same reason.
    SafeFileWriter folder(dir.path());
    EXPECT_FALSE(folder.write("x"));
    EXPECT_FALSE(folder.commit(&failure));
    EXPECT_EQ(failure.kind, FileError::Kind::NotRegular);
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

namespace {
constexpr uid_t kNobody = 65534;

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }

// Runs body in a child process that folder permissions bind (a superuser's child becomes
// nobody) and whose files the system keeps under maxFileSize bytes, as a disk with only that
// much room would; what body returns comes back through a pipe. Nothing when the child
// could not be set up so.
std::optional<QByteArray> inChild(rlim_t maxFileSize, const std::function<QByteArray()> &body)
{
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t pid = ::fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        ::close(fds[0]);
        // A lock another thread held at the fork would stall the child for good: it fails
        // the test instead.
        ::alarm(20);
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(3);
        ::signal(SIGXFSZ, SIG_IGN);   // a write past the limit fails instead of ending the process
        const rlimit limit {maxFileSize, maxFileSize};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        const QByteArray answer = body();
        const bool sent = ::write(fds[1], answer.constData(), size_t(answer.size())) == answer.size();
        ::_exit(sent ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray answer;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        answer.append(buffer, n);
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return answer;
}

// A folder that takes no new file, holding files that may be changed: a classroom's
// program folder with the settings file the pupils may write.
class LockedFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder;

    void SetUp() override
    {
        folder = dir.filePath(QStringLiteral("locked"));
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(::chmod(encoded(dir.path()).constData(), 0755), 0);   // the child must reach it
    }
    void TearDown() override { ::chmod(encoded(folder).constData(), 0755); }
    QString file(const char *name, const QByteArray &data)
    {
        const QString path = QDir(folder).filePath(QLatin1String(name));
        put(path, data);
        if (::geteuid() == 0) {
            EXPECT_EQ(::chown(encoded(path).constData(), kNobody, kNobody), 0);
        }
        return path;
    }
    void lock() { ASSERT_EQ(::chmod(encoded(folder).constData(), 0555), 0); }
};

}   // namespace

TEST_F(LockedFolder, ASettingsFileThatDoesNotFitStaysWholeAndOneThatFitsIsWrittenInPlace)
{
    // A teacher's section after ours: what a full disk used to cut in the middle of a line.
    QByteArray before = "[int]\nlanguage=rus\nx_speed=3\n[teacher]\n";
    for (int i = 0; before.size() < 8000; ++i)
        before += "pupil" + QByteArray::number(i) + "=row " + QByteArray::number(i % 7) + ", seat 3\n";
    const QString ini = file("trakmil.ini", before);
    const QString program = file("square.tkm", writeRtf(programOf(3)));
    const QString picture = file("field.bmp", "old picture");
    lock();
    Settings s;
    s.language = QStringLiteral("eng");
    s.lineNumbers = true;
    ASSERT_GT(composeSettings(s, before).size(), before.size());
    auto save = [&](rlim_t room) {
        return inChild(room, [&] {
            QString error;
            return saveSettings(ini, s, &error, Language::Rus) ? QByteArray("saved") : error.toUtf8();
        });
    };

    // Room for the old file, not for the new one.
    const std::optional<QByteArray> full = save(rlim_t(before.size()) + 10);
    ASSERT_TRUE(full.has_value()) << "the child could not be set up";
    EXPECT_EQ(contents(ini), before) << "the old settings must stay whole";
    EXPECT_TRUE(full->contains(encoded(QDir::toNativeSeparators(ini)))) << full->toStdString();
    EXPECT_TRUE(full->contains(QByteArray("больше, чем позволяет диск"))) << full->toStdString();

    // With room the same save goes in place, every line of the teacher's kept.
    EXPECT_EQ(save(1 << 20), QByteArray("saved"));
    EXPECT_EQ(contents(ini), composeSettings(s, before));
    EXPECT_EQ(parseSettings(contents(ini)).language, QStringLiteral("eng"));

    // A program or a picture is never written in place: in such a folder both are refused
    // and the old files kept.
    const QByteArray oldProgram = contents(program);
    const std::optional<QByteArray> refused = inChild(1 << 20, [&] {
        // The picture's bytes as the export writes them: encoding a picture in the child
        // would wait for the toolkit's worker threads, which a forked child does not have.
        QString programError;
        FileError pictureError;
        const bool savedProgram = saveProgramFile(program, programOf(9), &programError);
        const bool savedPicture = writeFileSafely(picture, "new picture", &pictureError);
        return savedProgram || savedPicture || programError.isEmpty() ||
                       pictureError.kind == FileError::Kind::None
                   ? QByteArray("written")
                   : QByteArray("refused");
    });
    EXPECT_EQ(refused, QByteArray("refused"));
    EXPECT_EQ(contents(program), oldProgram);
    EXPECT_EQ(contents(picture), QByteArray("old picture"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3)
        << "nothing left beside them";
}

TEST(FileErrors, WhatTheSystemAnswersIsSaidInTheWindowsLanguage)
{
    QTemporaryDir dir;
    const QString loop = dir.filePath(QStringLiteral("loop.tkm"));
    ASSERT_TRUE(QFile::link(loop, loop));
    put(dir.filePath(QStringLiteral("plain")), "x");
    const QString missing = QString::fromUtf8("Нет такого файла или папки");
    const QString linkLoop = QString::fromUtf8("Символические ссылки образуют петлю");
    struct Case {
        QString path;
        QString expected;
    };
    const Case writes[] = {
        {dir.filePath(QStringLiteral("no/such/a.tkm")), missing},
        {dir.filePath(QStringLiteral("plain/a.tkm")), QString::fromUtf8("Часть пути не является папкой")},
        {loop, linkLoop},
        {dir.filePath(QString(300, QLatin1Char('a'))), QString::fromUtf8("Слишком длинное имя файла")},
    };
    for (const Case &c : writes) {
        QString error;
        EXPECT_FALSE(saveProgramFile(c.path, programOf(1), &error, Language::Rus));
        EXPECT_EQ(error, c.expected) << c.path.toStdString();
    }
    for (const Case &c :
         {Case {loop, linkLoop}, Case {dir.filePath(QStringLiteral("absent.tkm")), missing}}) {
        StyledText text;
        QString error;
        EXPECT_FALSE(loadProgramFile(c.path, text, &error, Language::Rus));
        EXPECT_EQ(error, c.expected) << c.path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(loop).isSymLink()) << "the link stays a link";
}

TEST_F(FullDisk, AReadOnlyDiskIsNamedInTheWindowsLanguage)
{
    const QString program = path("square.tkm");
    ASSERT_TRUE(saveProgramFile(program, programOf(3), nullptr));
    ASSERT_EQ(::mount(nullptr, encoded(mountPoint).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    QString error;
    EXPECT_FALSE(saveProgramFile(path("new.tkm"), programOf(3), &error, Language::Rus));
    EXPECT_EQ(error, QString::fromUtf8("Диск доступен только для чтения"));
    EXPECT_FALSE(saveProgramFile(program, programOf(3), &error, Language::Rom));
    EXPECT_EQ(error, QString::fromUtf8("Discul este doar pentru citire"));
}
