// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "documents/ProgramFile.h"
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

// What a file on disk looked like when a window last read or wrote it: another program's
// change since then shows as another time or size.
struct DiskStamp {
    QDateTime modified;
    qint64 size = -1;   // -1: not known, which no file on disk matches
    bool operator==(const DiskStamp &) const = default;
};
// Nothing when there is no such file.
std::optional<DiskStamp> diskStamp(const QString &path);

// What a window keeps of its unsaved text, so that a crash, a kill or a power cut loses at
// most the last few seconds of typing.
struct RecoveryContent {
    StyledText text;
    QString file;   // the program file the text belongs to; empty for an unnamed one
    QDateTime changed;   // when the text was last changed
    // The program file as the window last read or wrote it; nothing for an unnamed text,
    // a file that did not exist, or a copy written before this was kept.
    std::optional<DiskStamp> base;
    ProgramNotes notes {};   // the program file's notes, kept in the copy's RTF
};

// The file's bytes: a short header naming the program file and the time, then the text
// as RTF, with its colours and notes.
QByteArray composeRecovery(const RecoveryContent &content);
std::optional<RecoveryContent> parseRecovery(const QByteArray &data);

// One running window's copy in the recovery folder, and the lock that tells every other
// window it is still alive. A copy whose lock nobody holds is left by a window that is no
// longer running.
class RecoverySlot {
public:
    // Takes a fresh name in the folder (made when missing) and locks it. Null, with the
    // reason in *error, when the folder cannot be written.
    static std::unique_ptr<RecoverySlot> open(const QString &folder, QString *error);
    ~RecoverySlot();

    bool write(const RecoveryContent &content, QString *error);
    void discard();   // the text is saved or given up: nothing to recover
    QString path() const { return m_path; }

private:
    RecoverySlot(QString path, std::unique_ptr<QLockFile> lock);
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// A copy left by a window that is no longer running, locked while it is being offered so
// that no other starting window offers it too.
class LeftCopy {
public:
    // Every left copy in the folder, newest first; the ones another window holds, or that
    // are being offered elsewhere, are not among them.
    static std::vector<std::unique_ptr<LeftCopy>> find(const QString &folder);
    ~LeftCopy();

    QString path() const { return m_path; }
    // The content; nothing when the file cannot be read as a copy.
    std::optional<RecoveryContent> read(QString *error) const;
    void remove();
    // Moves the copy into the discarded copies (see discardedFolder); false, with the copy
    // left where it is, when that cannot be done.
    bool discard();
    // Renames the copy aside so it is neither offered again nor lost; returns the new path.
    QString setAside();

    // Where copies the user turned down stay for a while, in case it was somebody else's
    // work: a folder inside the recovery folder, pruned by pruneDiscarded.
    static QString discardedFolder(const QString &folder);
    static constexpr int kDiscardedKeepDays = 14;
    // Removes the discarded copies put there more than kDiscardedKeepDays before now.
    static void pruneDiscarded(const QString &folder, const QDateTime &now);

private:
    LeftCopy(QString path, std::unique_ptr<QLockFile> lock);
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
