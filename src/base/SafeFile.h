// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QByteArray>
#include <QString>

// File access that loses nothing: a pupil's program, the settings and the exported picture
// all go through here.

// Why a file operation failed. The layers above word it in the Language they show.
struct FileError {
    enum class Kind { None, NotRegular, TooLarge, System };
    // The bound a file too large passed: its size, its number of lines or one line's length.
    enum class Limit { Size, Lines, LineLength };
    Kind kind = Kind::None;
    QString path;
    QString systemReason;   // the platform's own words, for Kind::System
    Limit limit = Limit::Size;   // for Kind::TooLarge
    qint64 bound = 0;   // bytes, lines or characters; 0 when not known
    qint64 line = 0;   // for Limit::LineLength: the first line past it, counted from 1
};

// The reason, without the path.
QString fileErrorReason(const FileError &error, Language lang);

// Reads a regular file of at most maxSize bytes. A pipe, a device or a folder is refused
// before it is opened (reading one could block or never end), and a file over the limit
// before it is read. *error gets the reason.
bool readRegularFile(const QString &path, qint64 maxSize, QByteArray &out, FileError *error);

// Replaces the file with data only once every byte has reached the disk: on a full disk
// or any other failure the previous file stays byte for byte and *error gets the
// platform's reason. A target that exists and is not a regular file
// (a device, a pipe, a folder) is refused. directWriteFallback writes in place when the
// folder cannot hold a temporary file but the file itself can be written.
bool writeFileSafely(const QString &path, const QByteArray &data, FileError *error,
                     bool directWriteFallback = false);
