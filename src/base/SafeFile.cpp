// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SafeFile.h"
#include "base/TextCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <cerrno>

namespace {
// Numbers grouped as the Language writes them: 100 000, 100.000, 100,000.
QString number(qint64 n, Language lang)
{
    static const QLocale locales[] = {QLocale(QLocale::Russian, QLocale::Russia),
                                      QLocale(QLocale::Romanian, QLocale::Romania),
                                      QLocale(QLocale::English, QLocale::UnitedStates)};
    return locales[languageIndex(lang)].toString(n);
}

QString sizeText(qint64 bytes, Language lang)
{
    constexpr qint64 KiB = 1024, MiB = 1024 * KiB;
    if (bytes % MiB == 0) return uiText("file.size.mebibytes", lang).value_or(QString()).arg(number(bytes / MiB, lang));
    if (bytes % KiB == 0) return uiText("file.size.kibibytes", lang).value_or(QString()).arg(number(bytes / KiB, lang));
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
    case FileError::Kind::NotRegular: return uiText("file.notRegular", lang).value_or(QString());
    case FileError::Kind::TooLarge: return tooLargeReason(error, lang);
    case FileError::Kind::System: return error.systemReason;
    case FileError::Kind::None: break;
    }
    return QString();
}

namespace {
// Fills *error, for the caller that wants to know; always false.
bool failWith(FileError *error, FileError::Kind kind, const QString &path, const QString &systemReason = {})
{
    if (error) *error = FileError {kind, path, systemReason};
    return false;
}
bool tooLarge(FileError *error, const QString &path, qint64 maxSize)
{
    if (error) *error = FileError {FileError::Kind::TooLarge, path, {}, FileError::Limit::Size, maxSize};
    return false;
}
}   // namespace

bool readRegularFile(const QString &path, qint64 maxSize, QByteArray &out, FileError *error)
{
    using Kind = FileError::Kind;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return failWith(error, Kind::NotRegular, path);
    if (info.exists() && info.size() > maxSize) return tooLarge(error, path, maxSize);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failWith(error, Kind::System, path, file.errorString());
    // The size may have grown since it was looked at.
    QByteArray data = file.read(maxSize + 1);
    if (data.size() > maxSize) return tooLarge(error, path, maxSize);
    if (file.error() != QFileDevice::NoError) return failWith(error, Kind::System, path, file.errorString());
    out = std::move(data);
    return true;
}

namespace {
// Why the last operation on `file` failed. A write the disk cut short comes back as a
// short count with no error of the file's own ("Unknown error"): the system's errno,
// taken right after the failing call, names the cause.
QString failureReason(const QFileDevice &file, int savedErrno)
{
    if (file.error() != QFileDevice::NoError) return file.errorString();
    return savedErrno != 0 ? qt_error_string(savedErrno) : file.errorString();
}
}   // namespace

bool writeFileSafely(const QString &path, const QByteArray &data, FileError *error, bool directWriteFallback)
{
    auto fail = [&](const QString &reason) { return failWith(error, FileError::Kind::System, path, reason); };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return failWith(error, FileError::Kind::NotRegular, path);
    QSaveFile file(path);
    file.setDirectWriteFallback(directWriteFallback);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    // A short write is tried again from where it stopped: the retry either goes on or
    // fails with the device's own reason.
    qint64 done = 0;
    errno = 0;
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0) break;
        done += n;
    }
    // The last block stays in Qt's buffer until flushed, and commit() does not report a
    // failed final write: flush and check first, or a full disk yields an empty file.
    if (done != data.size() || !file.flush()) {
        const QString reason = failureReason(file, errno);
        file.cancelWriting();
        return fail(reason);
    }
    errno = 0;
    if (!file.commit()) return fail(failureReason(file, errno));
    return true;
}
