// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecoveryKeeper.h"
#include <QDir>

RecoveryKeeper::RecoveryKeeper(QObject *timerParent, const QString &folder, std::function<void()> writeDue)
{
    // Found by name like the window's other timers.
    m_timer.setParent(timerParent);
    m_timer.setObjectName(QStringLiteral("recoveryTimer"));
    // One write a little after the first of a burst of changes, so a steady typist is never
    // more than the delay behind.
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    QObject::connect(&m_timer, &QTimer::timeout, timerParent, std::move(writeDue));
    if (folder.isEmpty()) return;
    m_slot = RecoverySlot::open(folder, nullptr);
    if (!m_slot) m_failedFolder = QDir::toNativeSeparators(folder);
}

void RecoveryKeeper::changed(qint64 whenMs)
{
    if (!m_slot) return;
    m_lastChangeMs = whenMs;
    if (!m_timer.isActive()) m_timer.start();
}

void RecoveryKeeper::write(const RecoveryContent &content)
{
    if (!m_slot) return;
    m_timer.stop();
    if (m_slot->write(content, nullptr)) m_written = true;
}

void RecoveryKeeper::drop()
{
    m_timer.stop();
    if (!m_slot || !m_written) return;
    m_slot->discard();
    m_written = false;
}
