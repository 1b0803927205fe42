// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// File access that loses nothing: a pupil's program, the settings and the exported picture
// all go through here.

// Reads a regular file of at most maxSize bytes. A pipe, a device or a folder is refused
// before it is opened (reading one could block or never end), and a file over the limit
// before it is read. *error gets the reason, without the path.
bool readRegularFile(const QString &path, qint64 maxSize, QByteArray &out, QString *error);

// Replaces the file with data only once every byte has reached the disk: on a full disk
// or any other failure the previous file stays byte for byte and *error gets the
// platform's reason, without the path. A target that exists and is not a regular file
// (a device, a pipe, a folder) is refused. directWriteFallback writes in place when the
// folder cannot hold a temporary file but the file itself can be written.
bool writeFileSafely(const QString &path, const QByteArray &data, QString *error,
                     bool directWriteFallback = false);

// The reason given for a target that is not a regular file.
QString notARegularFileText();
