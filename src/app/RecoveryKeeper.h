// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "documents/RecoveryCopy.h"
#include <QDateTime>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

// Keeps a window's unsaved text against a crash: a copy written a moment after the first
// change of a burst, off the keystroke path, and dropped once the text is saved or given up.
class RecoveryKeeper {
public:
    // How long after a change its copy is written, at the latest.
    static constexpr int kDelayMs = 2000;

    // folder empty: recovery is off. The timer, "recoveryTimer", is a child of timerParent, and
    // writeDue is called when it runs out: the owner knows the text to keep.
    RecoveryKeeper(QObject *timerParent, const QString &folder, std::function<void()> writeDue);

    bool isOn() const { return m_slot != nullptr; }
    // The folder that could not be used, once; empty when there is nothing to say.
    QString takeFailedFolder() { return std::exchange(m_failedFolder, QString()); }

    // The text changed at the moment `when`: a copy is due within the delay.
    void changed(const QDateTime &when) { changed(when.toMSecsSinceEpoch()); }
    // The same, the moment in milliseconds since the epoch: a keystroke reads the clock
    // without the time zone.
    void changed(qint64 whenMs);
    QDateTime lastChange() const { return QDateTime::fromMSecsSinceEpoch(m_lastChangeMs); }
    // Writes the copy now; a failure (a full disk) is tried again at the next change.
    void write(const RecoveryContent &content);
    // Whether a copy of this window is on the disk.
    bool written() const { return m_written; }
    // The text is saved or given up: no copy is due and none is kept.
    void drop();

private:
    std::unique_ptr<RecoverySlot> m_slot;
    QString m_failedFolder;
    bool m_written = false;
    qint64 m_lastChangeMs = 0;   // since the epoch
    QTimer m_timer;
};
