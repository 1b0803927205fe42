// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>

// File access that loses nothing: a pupil's program, the settings and the exported picture
// all go through here.

// Why a file operation failed. The layers above word it in the Language they show.
struct FileError {
    enum class Kind {
        None,
        NotRegular,
        TooLarge,
        System,
        ReadOnly
    };
    // The bound a file too large passed: its size, its number of lines or one line's length.
    enum class Limit {
        Size,
        Lines,
        LineLength
    };
    Kind kind = Kind::None;
    QString path;
    QString systemReason;   // the platform's own words, for Kind::System
    int code = 0;   // the system's error number behind Kind::System; 0 when not known
    Limit limit = Limit::Size;   // for Kind::TooLarge
    qint64 bound = 0;   // bytes, lines or characters; 0 when not known
    qint64 line = 0;   // for Limit::LineLength: the first line past it, counted from 1
};

// The reason, without the path. A system error the catalogue knows is worded in lang;
// any other keeps the platform's words.
QString fileErrorReason(const FileError &error, Language lang);

// Reads a regular file of at most maxSize bytes. A pipe, a device or a folder is refused
// before it is opened (reading one could block or never end), and a file over the limit
// before it is read. *error gets the reason.
bool readRegularFile(const QString &path, qint64 maxSize, QByteArray &out, FileError *error);

// A regular file (through any links) that this process is not meant to change: no write
// permission for it, or none at all for the superuser, who could write it anyway.
bool isReadOnlyFile(const QString &path);

struct WriteOptions {
    // When the folder takes no new file but the file itself may be written (a program
    // folder the pupils may not change, with a settings file they may): write in place,
    // once the room for the whole new content is reserved.
    bool inPlaceWhereFolderIsLocked = false;
    // The user has agreed to replace a file marked read-only; the new one stays read-only.
    bool replaceReadOnly = false;
};

// Replaces the file with data only once every byte has reached the disk: on a full disk
// or any other failure the previous file stays byte for byte and *error gets the reason.
// The target is the file a symbolic link points to; a loop of links is refused, and so is
// a target that exists and is not a regular file (a device, a pipe, a folder) and, unless
// the options say so, a read-only file. A replaced file keeps its permission bits and,
// where the process may set them, its owner and group.
bool writeFileSafely(const QString &path, const QByteArray &data, FileError *error,
                     WriteOptions options = {});

// A file written in pieces, with the guarantees of writeFileSafely: the pieces go into a new
// file beside the old one, which commit() puts in its place once every byte has reached the
// disk. On any failure, a full disk included, the old file stays byte for byte and nothing
// is left behind, also when the writer goes without commit(). Only a buffer is held, so a
// page of any size costs the memory of its largest piece. A folder that takes no new file
// is refused: a file written in place needs its whole content first.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString &path, WriteOptions options = {});
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    // False once anything has failed: what follows is dropped and commit() says why.
    bool write(QByteArrayView data);
    bool commit(FileError *error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Bytes set aside to be written later, in order (a part of a page whose head can only be
// written at the end): held in memory up to a bound, past it in a file of their own that has
// no name and goes when they go, in `folder` or else in the system's temporary folder.
class SpillFile {
public:
    explicit SpillFile(const QString &folder);
    ~SpillFile();
    SpillFile(const SpillFile &) = delete;
    SpillFile &operator=(const SpillFile &) = delete;

    // False once the bytes could not be set aside; copyTo() then says why.
    bool append(QByteArrayView data);
    // Writes every byte set aside into `to`; false with *error set when they could not be
    // kept or read back. A failure of `to` itself is told by its commit().
    bool copyTo(SafeFileWriter &to, FileError *error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
