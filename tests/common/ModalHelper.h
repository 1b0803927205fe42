// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Runs `act` on the next modal window once it is up (polling from the event loop), so a
// test can inspect and close a dialog that the code under test opens with exec().
// If `act` leaves that window open (a failed assertion, say), it is closed after the
// timeout so a failing test cannot hang.
inline void whenModal(std::function<void(QWidget *)> act, int timeoutMs = 3000)
{
    auto *poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock, act, timeoutMs]() {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            poll->stop();
            poll->deleteLater();
            QPointer<QWidget> guard(w);
            act(w);
            if (guard && guard->isVisible())
                QTimer::singleShot(timeoutMs, guard, [guard]() {
                    if (guard) guard->close();
                });
        } else if (clock->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(5);
}
