// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SafeFile.h"
#include "lang/TextCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    // The last block stays in Qt's buffer until flushed, and commit() does not report a
    // failed final write: flush and check first, or a full disk yields an empty file.
    if (file.write(data) != data.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}
