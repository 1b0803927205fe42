// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SafeFile.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
struct SystemText {
    int code;
    const char *key;
};
// The errors reading or writing a user's file can meet, each worded in the catalogue: the
// platform's words come in the language of the process, not in the window's.
const SystemText kSystemTexts[] = {
    {EACCES, "file.error.permissionDenied"},
    {EPERM, "file.error.notPermitted"},
    {EROFS, "file.error.readOnlyFileSystem"},
    {ENOSPC, "file.error.diskFull"},
    {EDQUOT, "file.error.quotaExceeded"},
    {ENOENT, "file.error.noSuchFile"},
    {ENOTDIR, "file.error.notAFolder"},
    {EISDIR, "file.error.isAFolder"},
    {ELOOP, "file.error.linkLoop"},
    {ENAMETOOLONG, "file.error.nameTooLong"},
    {EMFILE, "file.error.tooManyOpenFiles"},
    {ENFILE, "file.error.tooManyOpenFilesInSystem"},
    {EIO, "file.error.inputOutput"},
    {EFBIG, "file.error.tooLargeForDisk"},
    {EEXIST, "file.error.exists"},
    {EBUSY, "file.error.busy"},
    {ETXTBSY, "file.error.programRunning"},
    {EXDEV, "file.error.otherDisk"},
    {ENODEV, "file.error.noDevice"},
    {ENXIO, "file.error.noDeviceOrAddress"},
    {ESTALE, "file.error.stale"},
    {ETIMEDOUT, "file.error.timedOut"},
    {EAGAIN, "file.error.tryAgain"},
    {ENOMEM, "file.error.outOfMemory"},
    {EINVAL, "file.error.invalid"},
    {EOPNOTSUPP, "file.error.notSupported"},
};
}   // namespace

namespace {
// Numbers grouped as the Language writes them: 100 000, 100.000, 100,000.
QString number(qint64 n, Language lang)
{
    return QLocale(languageInfo(knownOrFirst(lang))->locale).toString(n);
}

QString sizeText(qint64 bytes, Language lang)
{
    constexpr qint64 KiB = 1024, MiB = 1024 * KiB;
    if (bytes % MiB == 0)
        return uiText("file.size.mebibytes", lang).value_or(QString()).arg(number(bytes / MiB, lang));
    if (bytes % KiB == 0)
        return uiText("file.size.kibibytes", lang).value_or(QString()).arg(number(bytes / KiB, lang));
    return uiText("file.size.bytes", lang).value_or(QString()).arg(number(bytes, lang));
}

// "File too large" and the bound the file passed.
QString tooLargeReason(const FileError &error, Language lang)
{
    if (error.bound <= 0) return uiText("file.tooLarge", lang).value_or(QString());
    switch (error.limit) {
    case FileError::Limit::Size:
        return uiText("file.tooLarge.size", lang).value_or(QString()).arg(sizeText(error.bound, lang));
    case FileError::Limit::Lines:
        return uiText("file.tooLarge.lines", lang).value_or(QString()).arg(number(error.bound, lang));
    case FileError::Limit::LineLength:
        return uiText("file.tooLarge.lineLength", lang)
            .value_or(QString())
            .arg(number(error.line, lang), number(error.bound, lang));
    }
    return QString();
}
}   // namespace

QString fileErrorReason(const FileError &error, Language lang)
{
    switch (error.kind) {
    case FileError::Kind::NotRegular:
        return uiText("file.notRegular", lang).value_or(QString());
    case FileError::Kind::TooLarge:
        return tooLargeReason(error, lang);
    case FileError::Kind::ReadOnly:
        return uiText("file.readOnly", lang).value_or(QString());
    case FileError::Kind::System:
        for (const SystemText &t : kSystemTexts)
            if (t.code == error.code)
                if (const auto text = uiText(t.key, lang)) return *text;
        if (error.systemReason.isEmpty() && error.code != 0) return qt_error_string(error.code);
        return error.systemReason;
    case FileError::Kind::None:
        break;
    }
    return QString();
}

namespace {
// Fills *error, for the caller that wants to know; always false.
bool failWith(FileError *error, FileError::Kind kind, const QString &path, const QString &systemReason = {},
              int code = 0)
{
    if (error) *error = FileError {kind, path, systemReason, code};
    return false;
}
bool tooLarge(FileError *error, const QString &path, qint64 maxSize)
{
    if (error) *error = FileError {FileError::Kind::TooLarge, path, {}, 0, FileError::Limit::Size, maxSize};
    return false;
}

bool failWithCode(FileError *error, const QString &path, int code)
{
    return failWith(error, FileError::Kind::System, path, qt_error_string(code), code);
}

// A failed call of the file's own: the system's error number still holds its cause.
bool failWithFile(FileError *error, const QString &path, const QFileDevice &file, int savedErrno)
{
    if (savedErrno != 0) return failWithCode(error, path, savedErrno);
    return failWith(error, FileError::Kind::System, path, file.errorString());
}
}   // namespace

bool readRegularFile(const QString &path, qint64 maxSize, QByteArray &out, FileError *error)
{
    using Kind = FileError::Kind;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return failWith(error, Kind::NotRegular, path);
    if (info.exists() && info.size() > maxSize) return tooLarge(error, path, maxSize);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) return failWithFile(error, path, file, errno);
    // Room for the size it has, not for the limit: a buffer of the limit for every small file
    // costs more than reading it. The size may have grown since it was looked at.
    errno = 0;
    QByteArray data = file.read(std::min(maxSize + 1, std::max<qint64>(file.size(), 0) + 1));
    if (data.size() <= maxSize && !file.atEnd() && file.error() == QFileDevice::NoError)
        data += file.read(maxSize + 1 - data.size());
    if (data.size() > maxSize) return tooLarge(error, path, maxSize);
    if (file.error() != QFileDevice::NoError) return failWithFile(error, path, file, errno);
    out = std::move(data);
    return true;
}

namespace {
// Closes what it holds when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }
    // The close's own answer: a network disk may report a lost write only here.
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The name a chain of symbolic links ends at (the name itself when it is no link), which
// need not exist yet. A loop fails with ELOOP rather than putting a file in place of a link.
bool followLinks(const QByteArray &name, QByteArray &target, int &code)
{
    constexpr int kMaxLinks = 40;   // as the system follows them
    QByteArray current = name;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat st { };
        if (::lstat(current.constData(), &st) != 0) {
            if (errno != ENOENT) {
                code = errno;
                return false;
            }
            target = current;   // a new file, or a link to one: created there
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = current;
            return true;
        }
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), link.data(), size_t(link.size()));
        if (n < 0) {
            code = errno;
            return false;
        }
        link.truncate(n);
        if (!link.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            if (slash >= 0) link.prepend(current.left(slash + 1));
        }
        current = link;
    }
    code = ELOOP;
    return false;
}

// Whether the file's permissions say it is not to be changed by this process.
bool readOnlyFor(const struct stat &st, const QByteArray &name)
{
    // The superuser may write anything; a file nobody may write is still meant as read-only.
    if (::geteuid() == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// Every byte from `offset` on; false with errno set when the disk takes no more.
bool writeAll(int fd, const QByteArray &data, off_t offset)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.constData() + done, size_t(data.size() - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : name.left(slash);
}

// A rename is only durable once the folder that holds the name has reached the disk too.
void syncFolder(const QByteArray &folder)
{
    const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

// The folder takes no new file, so the file itself is rewritten. Nothing of it is touched
// before the room for the whole new content is reserved: a full disk or a quota leaves the
// old file as it was. Only a failure of the disk itself while writing can cut it short, and
// then the old content is written back where it can be.
bool writeInPlace(const QString &path, const QByteArray &target, const QByteArray &data, FileError *error)
{
    Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    bool canRestore = true;
    if (fd.get() < 0 && errno == EACCES) {
        fd.reset(::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
        canRestore = false;   // a file that may be written but not read
    }
    if (fd.get() < 0) return failWithCode(error, path, errno);
    struct stat st { };
    if (::fstat(fd.get(), &st) != 0) return failWithCode(error, path, errno);
    if (!S_ISREG(st.st_mode)) return failWith(error, FileError::Kind::NotRegular, path);

    constexpr off_t kMaxKept = 64 * 1024 * 1024;
    QByteArray before;
    if (canRestore && st.st_size <= kMaxKept) {
        before.resize(qsizetype(st.st_size));
        qsizetype got = 0;
        while (got < before.size()) {
            const ssize_t n = ::pread(fd.get(), before.data() + got, size_t(before.size() - got), got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += n;
        }
        canRestore = got == before.size();
    } else {
        canRestore = false;
    }

    if (!data.isEmpty()) {
        const int reserved = ::posix_fallocate(fd.get(), 0, off_t(data.size()));
        // A disk that cannot reserve still has room for a content no longer than the old one.
        const bool fitsAnyway = (reserved == EOPNOTSUPP || reserved == EINVAL) && data.size() <= st.st_size;
        if (reserved != 0 && !fitsAnyway) {
            struct stat now { };
            if (::fstat(fd.get(), &now) == 0 && now.st_size != st.st_size)
                if (::ftruncate(fd.get(), st.st_size) != 0) { }   // a partial reservation grew it
            return failWithCode(error, path, reserved);
        }
    }
    if (!writeAll(fd.get(), data, 0) || ::ftruncate(fd.get(), off_t(data.size())) != 0 ||
        ::fdatasync(fd.get()) != 0) {
        const int code = errno;
        if (canRestore && writeAll(fd.get(), before, 0) && ::ftruncate(fd.get(), st.st_size) == 0)
            (void)::fdatasync(fd.get());
        return failWithCode(error, path, code);
    }
    if (!fd.close()) return failWithCode(error, path, errno);
    return true;
}
}   // namespace

bool isReadOnlyFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st { };
    return ::stat(name.constData(), &st) == 0 && S_ISREG(st.st_mode) && readOnlyFor(st, name);
}

bool writeFileSafely(const QString &path, const QByteArray &data, FileError *error, WriteOptions options)
{
    if (path.isEmpty()) return failWithCode(error, path, ENOENT);
    QByteArray target;
    int code = 0;
    if (!followLinks(QFile::encodeName(path), target, code)) return failWithCode(error, path, code);
    struct stat old { };
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT) return failWithCode(error, path, errno);
    if (exists && !S_ISREG(old.st_mode)) return failWith(error, FileError::Kind::NotRegular, path);
    if (exists && !options.replaceReadOnly && readOnlyFor(old, target))
        return failWith(error, FileError::Kind::ReadOnly, path);

    // The new content goes into a file beside the old one, which it replaces only once it
    // is complete on the disk. The name is kept short enough for any name the folder takes.
    const QByteArray folder = folderOf(target);
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1).left(200);
    QByteArray temp;
    Descriptor fd;
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temp = folder + "/." + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // A new file gets the permissions any new file gets; a replaced one its own, below.
        fd.reset(::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666));
        if (fd.get() < 0 && errno != EEXIST) break;
    }
    if (fd.get() < 0) {
        const int failed = errno;
        if (exists && options.inPlaceWhereFolderIsLocked && (failed == EACCES || failed == EPERM))
            return writeInPlace(path, target, data, error);
        return failWithCode(error, path, failed);
    }
    auto failAndRemove = [&](int failed) {
        ::unlink(temp.constData());
        return failWithCode(error, path, failed);
    };
    if (exists) {
        // The owner first: changing it clears the set-id bits the mode then puts back.
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0 &&
            ::fchown(fd.get(), uid_t(-1), old.st_gid) != 0) {
            // the group is not ours to give either: the new file keeps the default one
        }
        (void)::fchmod(fd.get(), old.st_mode & 07777);
    }
    if (!writeAll(fd.get(), data, 0) || ::fsync(fd.get()) != 0) return failAndRemove(errno);
    if (!fd.close()) return failAndRemove(errno);
    if (::rename(temp.constData(), target.constData()) != 0) return failAndRemove(errno);
    syncFolder(folder);
    return true;
}
