// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SafeFile.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"

#include <QDir>
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
bool writeAll(int fd, QByteArrayView data, off_t offset)
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

namespace {
// The new file beside the target that takes the content, before it takes the target's place.
struct NewFile {
    QByteArray target, folder, temp;
    Descriptor fd;
    bool exists = false;
    struct stat old { };
};

enum class Begun {
    Ready,
    Failed,
    FolderLocked   // the folder takes no new file, and the options allow writing in place
};

Begun begin(const QString &path, const WriteOptions &options, NewFile &f, FileError *error)
{
    if (path.isEmpty()) {
        failWithCode(error, path, ENOENT);
        return Begun::Failed;
    }
    int code = 0;
    if (!followLinks(QFile::encodeName(path), f.target, code)) {
        failWithCode(error, path, code);
        return Begun::Failed;
    }
    f.exists = ::stat(f.target.constData(), &f.old) == 0;
    if (!f.exists && errno != ENOENT) {
        failWithCode(error, path, errno);
        return Begun::Failed;
    }
    if (f.exists && !S_ISREG(f.old.st_mode)) {
        failWith(error, FileError::Kind::NotRegular, path);
        return Begun::Failed;
    }
    if (f.exists && !options.replaceReadOnly && readOnlyFor(f.old, f.target)) {
        failWith(error, FileError::Kind::ReadOnly, path);
        return Begun::Failed;
    }

    // The new content goes into a file beside the old one, which it replaces only once it
    // is complete on the disk. The name is kept short enough for any name the folder takes.
    f.folder = folderOf(f.target);
    const QByteArray base = f.target.mid(f.target.lastIndexOf('/') + 1).left(200);
    for (int attempt = 0; attempt < 100 && f.fd.get() < 0; ++attempt) {
        f.temp =
            f.folder + "/." + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // A new file gets the permissions any new file gets; a replaced one its own, below.
        f.fd.reset(
            ::open(f.temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, f.exists ? 0600 : 0666));
        if (f.fd.get() < 0 && errno != EEXIST) break;
    }
    if (f.fd.get() < 0) {
        const int failed = errno;
        f.temp.clear();
        if (f.exists && options.inPlaceWhereFolderIsLocked && (failed == EACCES || failed == EPERM))
            return Begun::FolderLocked;
        failWithCode(error, path, failed);
        return Begun::Failed;
    }
    if (f.exists) {
        // The owner first: changing it clears the set-id bits the mode then puts back.
        if (::fchown(f.fd.get(), f.old.st_uid, f.old.st_gid) != 0 &&
            ::fchown(f.fd.get(), uid_t(-1), f.old.st_gid) != 0) {
            // the group is not ours to give either: the new file keeps the default one
        }
        (void)::fchmod(f.fd.get(), f.old.st_mode & 07777);
    }
    return Begun::Ready;
}

// The new file is dropped, and the old one stays as it was.
bool abandon(const QString &path, NewFile &f, int code, FileError *error)
{
    if (f.fd.get() >= 0) f.fd.reset(-1);
    if (!f.temp.isEmpty()) ::unlink(f.temp.constData());
    f.temp.clear();
    return failWithCode(error, path, code);
}

// Once the whole content is written: to the disk, then in the old file's place.
bool finish(const QString &path, NewFile &f, FileError *error)
{
    if (::fsync(f.fd.get()) != 0) return abandon(path, f, errno, error);
    if (!f.fd.close()) return abandon(path, f, errno, error);
    if (::rename(f.temp.constData(), f.target.constData()) != 0) return abandon(path, f, errno, error);
    f.temp.clear();
    syncFolder(f.folder);
    return true;
}
}   // namespace

bool writeFileSafely(const QString &path, const QByteArray &data, FileError *error, WriteOptions options)
{
    NewFile f;
    switch (begin(path, options, f, error)) {
    case Begun::Failed:
        return false;
    case Begun::FolderLocked:
        return writeInPlace(path, f.target, data, error);
    case Begun::Ready:
        break;
    }
    if (!writeAll(f.fd.get(), data, 0)) return abandon(path, f, errno, error);
    return finish(path, f, error);
}

namespace {
// Pieces are gathered to about this size before they go to the disk.
constexpr qsizetype kWriteBuffer = 1024 * 1024;
}   // namespace

struct SafeFileWriter::Private {
    QString path;
    NewFile file;
    QByteArray buffer;
    off_t written = 0;
    FileError failure;
    bool failed = false, committed = false;

    bool flush()
    {
        if (failed || buffer.isEmpty()) return !failed;
        if (!writeAll(file.fd.get(), buffer, written)) return fail(errno);
        written += off_t(buffer.size());
        buffer.resize(0);
        return true;
    }
    bool fail(int code)
    {
        failed = true;
        buffer = QByteArray();
        return abandon(path, file, code, &failure);
    }
};

SafeFileWriter::SafeFileWriter(const QString &path, WriteOptions options) : d(std::make_unique<Private>())
{
    d->path = path;
    // Written in place, a file would be cut short by a failure part way.
    options.inPlaceWhereFolderIsLocked = false;
    d->failed = begin(path, options, d->file, &d->failure) != Begun::Ready;
}

SafeFileWriter::~SafeFileWriter()
{
    if (!d->committed && !d->failed) abandon(d->path, d->file, 0, nullptr);
}

bool SafeFileWriter::write(QByteArrayView data)
{
    if (d->failed) return false;
    if (data.size() >= kWriteBuffer) {
        // A large piece goes as it is, after what waits before it.
        if (!d->flush()) return false;
        if (!writeAll(d->file.fd.get(), data, d->written)) return d->fail(errno);
        d->written += off_t(data.size());
        return true;
    }
    if (d->buffer.capacity() < kWriteBuffer) d->buffer.reserve(kWriteBuffer + kWriteBuffer / 4);
    d->buffer.append(data);
    return d->buffer.size() < kWriteBuffer || d->flush();
}

bool SafeFileWriter::commit(FileError *error)
{
    if (!d->failed && !d->committed && d->flush()) {
        d->buffer = QByteArray();
        if (finish(d->path, d->file, &d->failure)) {
            d->committed = true;
            return true;
        }
        d->failed = true;
    }
    if (d->committed) return true;
    if (error) *error = d->failure;
    return false;
}

namespace {
// A file with no name in `folder`, which goes when it is closed; -1 with errno set.
int unnamedFile(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    // A file system without such files: a named one, its name gone at once.
    QByteArray name = folder + "/.trakmil-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0) ::unlink(name.constData());
    return named;
}
}   // namespace

struct SpillFile::Private {
    QString folder;
    QByteArray held;
    Descriptor fd;
    off_t size = 0;
    int code = 0;   // why the bytes could not be set aside
};

SpillFile::SpillFile(const QString &folder) : d(std::make_unique<Private>()) { d->folder = folder; }

SpillFile::~SpillFile() = default;

bool SpillFile::append(QByteArrayView data)
{
    if (d->code != 0) return false;
    if (d->held.capacity() < kWriteBuffer) d->held.reserve(kWriteBuffer + kWriteBuffer / 4);
    d->held.append(data);
    if (d->held.size() < kWriteBuffer) return true;
    if (d->fd.get() < 0) {
        d->fd.reset(unnamedFile(QFile::encodeName(d->folder.isEmpty() ? QStringLiteral(".") : d->folder)));
        if (d->fd.get() < 0) d->fd.reset(unnamedFile(QFile::encodeName(QDir::tempPath())));
        if (d->fd.get() < 0) d->code = errno;
    }
    if (d->code == 0 && !writeAll(d->fd.get(), d->held, d->size)) d->code = errno;
    if (d->code != 0) {
        d->held = QByteArray();
        return false;
    }
    d->size += off_t(d->held.size());
    d->held.resize(0);
    return true;
}

bool SpillFile::copyTo(SafeFileWriter &to, FileError *error)
{
    if (d->code != 0) return failWithCode(error, d->folder, d->code);
    QByteArray chunk(d->size > 0 ? kWriteBuffer : 0, Qt::Uninitialized);
    for (off_t at = 0; at < d->size;) {
        const ssize_t n =
            ::pread(d->fd.get(), chunk.data(), size_t(std::min<off_t>(chunk.size(), d->size - at)), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return failWithCode(error, d->folder, n < 0 ? errno : EIO);
        to.write(QByteArrayView(chunk.constData(), n));
        at += n;
    }
    to.write(d->held);
    return true;
}
