// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SafeFile.h"
#include "lang/TextCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

QString notARegularFileText() { return uiText("file.notRegular"); }

bool readRegularFile(const QString &path, qint64 maxSize, QByteArray &out, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error) *error = reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return fail(notARegularFileText());
    if (info.exists() && info.size() > maxSize) return fail(uiText("file.tooLarge"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    // The size may have grown since it was looked at.
    QByteArray data = file.read(maxSize + 1);
    if (data.size() > maxSize) return fail(uiText("file.tooLarge"));
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
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

bool writeFileSafely(const QString &path, const QByteArray &data, QString *error, bool directWriteFallback)
{
    auto fail = [&](const QString &reason) {
        if (error) *error = reason;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return fail(notARegularFileText());
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
