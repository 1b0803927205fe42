// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTimer;
class RunController;

// Running to the cursor: the run goes at the top speed until the aimed line is about to be
// executed, then pauses there. The run timer runs flat out meanwhile; the interval the speed
// asks for is kept and put back when it ends.
class RunToCursor {
public:
    explicit RunToCursor(QTimer &runTimer) : m_timer(runTimer) { }

    bool isActive() const { return m_line >= 0; }
    int line() const { return m_line; }
    // From now on to line. leaveFirst: the run stands on that line and the pupil asks for its
    // next visit, not for no move at all.
    void aim(int line, bool leaveFirst);
    // Back to the speed's interval; nothing when not running to the cursor.
    void end();
    // The interval the speed asks for: taken at once unless running to the cursor.
    void setSpeedInterval(int ms);
    // As many ticks as fit in a short slice, so the window stays live however long the way;
    // true when the run paused on the line. lineAfterEnd: the aimed line follows the
    // program's end, where the tick only ends the run and never executes it.
    bool ticks(RunController &run, bool lineAfterEnd);

private:
    QTimer &m_timer;
    int m_line = -1;   // -1 for none
    bool m_leaveFirst = false;
    int m_speedInterval = 100;
};
