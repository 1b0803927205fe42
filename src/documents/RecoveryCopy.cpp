// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryCopy.h"
#include "base/SafeFile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <limits>

namespace {

const QByteArray kMagic = "TRAKMIL RECOVERY 1";
const QString kSuffix = QStringLiteral(".tkr");
// RTF of a program is a few times its text; a copy over this is not one of ours.
constexpr qint64 kMaxCopySize = 64LL * 1024 * 1024;

QString lockPathFor(const QString &copyPath)
{
    return copyPath.left(copyPath.size() - kSuffix.size()) + QStringLiteral(".lock");
}

// Never considered stale by age: only a holder that is no longer running gives a lock up.
std::unique_ptr<QLockFile> takeLock(const QString &lockPath)
{
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

QByteArray stampText(const DiskStamp &stamp)
{
    return stamp.modified.toUTC().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
           QByteArray::number(stamp.size);
}

std::optional<DiskStamp> parseStamp(const QByteArray &text)
{
    const QList<QByteArray> parts = text.split(' ');
    if (parts.size() != 2) return std::nullopt;
    DiskStamp stamp;
    stamp.modified = QDateTime::fromString(QString::fromLatin1(parts.at(0)), Qt::ISODateWithMs);
    bool ok = false;
    stamp.size = parts.at(1).toLongLong(&ok);
    if (!stamp.modified.isValid() || !ok || stamp.size < -1) return std::nullopt;
    return stamp;
}

}   // namespace

std::optional<DiskStamp> diskStamp(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;
    return DiskStamp {info.lastModified().toUTC(), info.size()};
}

QByteArray composeRecovery(const RecoveryContent &content)
{
    QByteArray out = kMagic + '\n';
    out += "file: " + QUrl::toPercentEncoding(content.file) + '\n';
    out += "changed: " + content.changed.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    if (content.base) out += "base: " + stampText(*content.base) + '\n';
    out += '\n';
    out += writeRtf(content.text, content.notes);
    return out;
}

std::optional<RecoveryContent> parseRecovery(const QByteArray &data)
{
    const qsizetype end = data.indexOf("\n\n");
    if (end < 0) return std::nullopt;
    const QList<QByteArray> header = data.left(end).split('\n');
    // The base line came later: a copy without it is read as before.
    if (header.size() < 3 || header.size() > 4 || header.at(0) != kMagic ||
        !header.at(1).startsWith("file: ") || !header.at(2).startsWith("changed: "))
        return std::nullopt;
    RecoveryContent c;
    if (header.size() == 4) {
        if (!header.at(3).startsWith("base: ")) return std::nullopt;
        c.base = parseStamp(header.at(3).mid(6));
        if (!c.base) return std::nullopt;
    }
    c.file = QUrl::fromPercentEncoding(header.at(1).mid(6));
    c.changed = QDateTime::fromString(QString::fromLatin1(header.at(2).mid(9)), Qt::ISODateWithMs);
    if (!c.changed.isValid()) return std::nullopt;
    constexpr qsizetype most = std::numeric_limits<qsizetype>::max();
    FileError unused;
    std::optional<StyledText> text = readRtf(data.mid(end + 2), ReadLimits {most, most}, &unused, &c.notes);
    if (!text) return std::nullopt;
    c.text = std::move(*text);
    return c;
}

// ---- this window's copy ------------------------------------------------------------

RecoverySlot::RecoverySlot(QString path, std::unique_ptr<QLockFile> lock)
      : m_path(std::move(path)), m_lock(std::move(lock))
{
}

RecoverySlot::~RecoverySlot() = default;   // the copy stays; the lock goes with the window

std::unique_ptr<RecoverySlot> RecoverySlot::open(const QString &folder, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error) *error = reason;
        return nullptr;
    };
    if (!QDir().mkpath(folder)) return fail(QStringLiteral("cannot create the folder"));
    const QString file = QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + kSuffix);
    auto lock = takeLock(lockPathFor(file));
    if (!lock) return fail(QStringLiteral("cannot create a lock file"));
    return std::unique_ptr<RecoverySlot>(new RecoverySlot(file, std::move(lock)));
}

bool RecoverySlot::write(const RecoveryContent &content, QString *error)
{
    FileError failure;
    if (writeFileSafely(m_path, composeRecovery(content), &failure)) return true;
    if (error) *error = fileErrorReason(failure, Language::Eng);
    return false;
}

void RecoverySlot::discard() { QFile::remove(m_path); }

// ---- copies left behind ------------------------------------------------------------

LeftCopy::LeftCopy(QString path, std::unique_ptr<QLockFile> lock)
      : m_path(std::move(path)), m_lock(std::move(lock))
{
}

LeftCopy::~LeftCopy() = default;

namespace {

// The files in `dir` whose names end in `suffix`, in any case, as "*" + suffix would pick them.
// The folder is looked at with every start, and the toolkit's name filters compile a regular
// expression for it, its engine and all.
QFileInfoList filesEndingIn(const QDir &dir, const QString &suffix, QDir::SortFlags sort = QDir::NoSort)
{
    QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden, sort);
    files.removeIf([&](const QFileInfo &f) { return !f.fileName().endsWith(suffix, Qt::CaseInsensitive); });
    return files;
}

}   // namespace

std::vector<std::unique_ptr<LeftCopy>> LeftCopy::find(const QString &folder)
{
    std::vector<std::unique_ptr<LeftCopy>> found;
    const QDir dir(folder);
    for (const QFileInfo &f : filesEndingIn(dir, kSuffix, QDir::Time)) {
        auto lock = takeLock(lockPathFor(f.filePath()));
        if (lock) found.push_back(std::unique_ptr<LeftCopy>(new LeftCopy(f.filePath(), std::move(lock))));
    }
    // A window killed before it had anything to keep leaves only its lock; taking and
    // releasing it removes the file.
    for (const QFileInfo &f : filesEndingIn(dir, QStringLiteral(".lock"))) {
        const QString copy = f.filePath().chopped(5) + kSuffix;
        if (!QFileInfo::exists(copy)) takeLock(f.filePath());
    }
    return found;
}

std::optional<RecoveryContent> LeftCopy::read(QString *error) const
{
    QByteArray data;
    FileError failure;
    if (!readRegularFile(m_path, kMaxCopySize, data, &failure)) {
        if (error) *error = fileErrorReason(failure, Language::Eng);
        return std::nullopt;
    }
    return parseRecovery(data);
}

void LeftCopy::remove() { QFile::remove(m_path); }

QString LeftCopy::discardedFolder(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("discarded"));
}

bool LeftCopy::discard()
{
    const QFileInfo copy(m_path);
    const QDir aside(discardedFolder(copy.absolutePath()));
    if (!aside.mkpath(QStringLiteral("."))) return false;
    QString target = aside.filePath(copy.fileName());
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = aside.filePath(copy.completeBaseName() + QStringLiteral("-%1").arg(n) + kSuffix);
    if (!QFile::rename(m_path, target)) return false;
    m_path = target;
    // The days it is kept count from now, however old the copy is.
    QFile moved(target);
    if (moved.open(QIODevice::ReadWrite))
        moved.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    return true;
}

void LeftCopy::pruneDiscarded(const QString &folder, const QDateTime &now)
{
    const QDateTime limit = now.addDays(-kDiscardedKeepDays);
    const QDir aside(discardedFolder(folder));
    for (const QFileInfo &f : filesEndingIn(aside, kSuffix))
        if (f.lastModified() < limit) QFile::remove(f.filePath());
}

QString LeftCopy::setAside()
{
    QString aside = m_path + QStringLiteral(".unreadable");
    for (int n = 2; QFileInfo::exists(aside); ++n) aside = m_path + QStringLiteral(".unreadable-%1").arg(n);
    return QFile::rename(m_path, aside) ? aside : m_path;
}
