// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "run/TickPacer.h"
#include <QTimer>
#include <functional>

// The run timer and what a run faster than the screen's frames shows: its ticks go through a
// TickPacer, and the run line and the status panels they would have shown are held until the
// frame is due, then shown once.
class HeldFrame {
public:
    // What showing means in the window.
    struct Screen {
        std::function<void()> tick;   // one line of the run
        std::function<bool()> running;
        std::function<void(bool)> holdField;   // the field keeps or drops its updates
        std::function<void(int)> showRunLine;   // the line about to be executed
        std::function<void()> showPanels;   // the position and sensor panels as the world is now
        std::function<void()> showField;   // what the field held
    };
    // The timer, "runTimer", is a child of timerParent; clockNs as for TickPacer.
    HeldFrame(QObject *timerParent, Screen screen, std::function<qint64()> clockNs);

    QTimer &timer() { return m_timer; }
    TickPacer &pacer() { return m_pacer; }

    // A run line to show: true when it is held for the frame instead.
    bool holdRunLine(int line);
    // The panels changed: true when they are held for the frame instead.
    bool holdPanels();
    // The held run line, where the caret is about to be; -1 for none.
    int heldRunLine() const { return m_runLine; }

private:
    void show();   // what was held, now

    Screen m_screen;
    QTimer m_timer;
    TickPacer m_pacer;
    bool m_panels = false;
    int m_runLine = -1;
};
