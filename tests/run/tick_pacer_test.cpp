// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/TickPacer.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {

// A pacer on a clock the test moves, recording what it asks of the window in order.
struct Paced {
    qint64 nowMs = 0;
    int interval = 1;
    bool running = true;
    int ticks = 0;
    std::function<void()> onTick;   // what the run does on a tick, after counting it
    std::vector<std::string> log;
    TickPacer pacer {{[this] { tick(); }, [this] { return running; }, [this] { return interval; },
                      [this](bool on) { log.push_back(on ? "hold" : "unhold"); },
                      [this] { log.push_back("show"); }},
                     [this] { return nowMs * 1000000; }};

    void tick()
    {
        ++ticks;
        log.push_back(pacer.holding() ? "held tick" : "tick");
        if (onTick) onTick();
    }
    // One timeout at the given moment; the ticks it made.
    int timeoutAt(qint64 ms)
    {
        nowMs = ms;
        const int before = ticks;
        pacer.timeout();
        return ticks - before;
    }
};

}   // namespace

TEST(TickPacer, ALateTimerIsCaughtUpOneTickATimeoutNeverInABurst)
{
    Paced p;
    EXPECT_EQ(p.timeoutAt(0), 1);   // the schedule starts here
    for (int ms = 1; ms <= 5; ++ms) EXPECT_EQ(p.timeoutAt(ms), 1) << ms;
    EXPECT_EQ(p.timeoutAt(15), 2);   // nine periods owed: one extra, not nine
    for (int ms = 16; ms <= 23; ++ms) EXPECT_EQ(p.timeoutAt(ms), 2) << "catching up at " << ms;
    EXPECT_EQ(p.timeoutAt(24), 1);   // the clock is met
    EXPECT_EQ(p.ticks, 25);   // a tick for every millisecond from 0 to 24

    // A resumed pause and a changed speed start a new schedule: what the clock says has
    // passed meanwhile is not owed.
    p.pacer.restart();
    EXPECT_EQ(p.timeoutAt(5000), 1);
    EXPECT_EQ(p.timeoutAt(5001), 1);
    p.interval = 70;
    EXPECT_EQ(p.timeoutAt(9000), 1);
    EXPECT_EQ(p.timeoutAt(9070), 1);
    EXPECT_EQ(p.timeoutAt(9250), 2);   // at speed 4 too a late timer is caught up
    // The last tick stopping the run gets no extra one, however late the timer.
    p.onTick = [&p] { p.running = false; };
    EXPECT_EQ(p.timeoutAt(20000), 1);
}

TEST(TickPacer, FastTicksShowOnceAFrameSpeedsOneToFourShowEveryTick)
{
    Paced fast;
    for (int ms = 0; ms <= 48; ++ms) fast.timeoutAt(ms);
    EXPECT_EQ(fast.ticks, 49);
    const std::vector<std::string> &log = fast.log;
    EXPECT_EQ(log.front(), "hold");
    EXPECT_EQ(std::count(log.begin(), log.end(), "show"), 3);   // at 16, 32 and 48 ms
    EXPECT_EQ(std::count(log.begin(), log.end(), "tick"), 0);

    for (int interval : {1000, 400, 150, 70}) {
        Paced slow;
        slow.interval = interval;
        for (int period : {0, 1, 2, 5, 6}) slow.timeoutAt(period * interval);   // late once
        EXPECT_EQ(slow.ticks, 7) << interval;   // one for each period from 0 to 6
        EXPECT_EQ(slow.log, std::vector<std::string>(7, "tick")) << interval;
    }

    // A speed directive that slows the run down: its own tick is shown at once, the next
    // ones unheld.
    Paced directive;
    directive.timeoutAt(0);
    directive.onTick = [&directive] { directive.interval = 150; };
    directive.timeoutAt(1);
    directive.onTick = nullptr;
    directive.timeoutAt(151);
    EXPECT_EQ(directive.log,
              (std::vector<std::string> {"hold", "held tick", "held tick", "unhold", "show", "tick"}));
}

TEST(TickPacer, APauseOrAStopShowsTheStateAsItIsAtOnce)
{
    // The window's stop releases the pacer from inside the tick that ends the run.
    for (bool flatOut : {false, true}) {
        Paced p;
        p.timeoutAt(0);
        p.timeoutAt(1);
        p.onTick = [&p] {
            p.running = false;
            p.pacer.release();
        };
        p.nowMs = 40;   // a frame is long due
        if (flatOut)
            p.pacer.timeoutFlatOut([&p] { p.tick(); });
        else
            p.pacer.timeout();
        EXPECT_FALSE(p.pacer.holding()) << flatOut;
        EXPECT_EQ(p.ticks, 3) << flatOut;
        // The last tick, then exactly one frame: nothing stays held, nothing shows twice.
        const std::vector<std::string> tail(p.log.end() - 3, p.log.end());
        EXPECT_EQ(tail, (std::vector<std::string> {"held tick", "unhold", "show"})) << flatOut;
        EXPECT_EQ(std::count(p.log.begin(), p.log.end(), "show"), 1) << flatOut;
    }

    // Running to the cursor holds the screen and shows a frame once one is due.
    Paced cursor;
    cursor.pacer.timeoutFlatOut([&cursor] { cursor.nowMs += 25; });
    EXPECT_TRUE(cursor.pacer.holding());
    EXPECT_EQ(cursor.log, (std::vector<std::string> {"hold", "show"}));
    cursor.pacer.timeoutFlatOut([&cursor] { cursor.nowMs += 5; });
    EXPECT_EQ(cursor.log.size(), 2u);
}
