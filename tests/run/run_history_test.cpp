// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/HeadlessRun.h"
#include "run/RunHistory.h"
#include "world/FieldPicture.h"
#include "common/Printers.h"
#include <gtest/gtest.h>

namespace {

// Hands every canvas call on to the picture and notes each segment with the pen it had.
struct TeeCanvas : WorldCanvas {
    FieldPicture picture;
    QRgb pen = 0;
    std::vector<RunHistory::Drawing> drawn;
    qint64 tick = 0;
    int line = -1;

    void drawEmptyField(int w, int h) override { picture.drawEmptyField(w, h); }
    void setPen(QRgb colour, int width) override
    {
        pen = colour & 0xFFFFFFu;
        picture.setPen(colour, width);
    }
    void drawSegment(int x0, int y0, int x1, int y1) override
    {
        drawn.push_back({tick, line, RunHistory::segmentIndex(x0, y0, x1, y1), pen});
        picture.drawSegment(x0, y0, x1, y1);
    }
    void showSprite(int heading, bool wipe) override { picture.showSprite(heading, wipe); }
    void showArrow(int heading) override { picture.showArrow(heading); }
    void moveSprite(int x, int y) override { picture.moveSprite(x, y); }
    void setSpriteVisible(bool visible) override { picture.setSpriteVisible(visible); }
};

// A fresh run of the program, ticked by hand and left standing after as many ticks as
// asked: what the timeline must give back.
struct Stepper : RunView, WorldListener {
    Stepper(ProgramText &text, Language lang, int width, int height) : run(world, *this)
    {
        world.setCanvas(&canvas);
        world.setListener(this);
        world.setFieldSizeSource([width, height](int &x, int &y) {
            x = width;
            y = height;
        });
        world.resetField();
        run.setProgram(&text);
        run.setLanguage(lang);
        run.start();
    }
    void ticks(qint64 n)
    {
        for (qint64 k = 0; k < n && run.isRunning(); ++k) {
            canvas.tick = run.ticks() + 1;
            canvas.line = run.interpreter().currentLine();
            run.tick();
        }
    }

    void lockForRun(bool) override { }
    void startTicks() override { }
    void stopTicks() override { }
    void setTickInterval(int) override { }
    void runStopped() override { }
    void selectRunLine(int line) override { shown = line; }
    int caretLine() const override { return run.interpreter().currentLine(); }
    void reportError(const ErrorReport &) override { }
    void fatalMessage(const QString &) override { }
    void positionPanel(int, int) override { }
    void endOfRunNotice() override { }
    void outOfFieldAttempted() override { run.leaveFieldAttempted(); }
    void positionPanelChanged(int, int) override { }
    void lineSensorChanged(int) override { }
    void borderSensorChanged(int) override { }

    TeeCanvas canvas;
    RobotWorld world;
    RunController run;
    int shown = -1;
};

QStringList randomProgram(quint32 &seed, Language lang)
{
    auto next = [&](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % quint32(n));
    };
    const Lexicon &lex = Lexicon::forLanguage(lang);
    const QString *const moves[] = {&lex.kwStep,     &lex.kwStep,    &lex.kwJump,   &lex.kwRotate45,
                                    &lex.kwRotate90, &lex.kwDestroy, &lex.kwRebuild};
    const QString *const tests[] = {&lex.kwBorder, &lex.kwNotBorder, &lex.kwLine, &lex.kwNotLine};
    auto colour = [&] {
        return lex.kwColour + QLatin1Char('=') + ColourTable::name(next(ColourTable::Count), lang);
    };
    QStringList procedure {lex.kwProcedure + QStringLiteral(" p")};
    for (int k = 1 + next(4); k > 0; --k) procedure << (next(4) ? *moves[next(7)] : colour());
    procedure << lex.kwEndProcedure;

    QStringList body;
    int open = 0;
    for (int k = 4 + next(14); k > 0; --k) {
        switch (next(9)) {
        case 0:
            body << colour();
            break;
        case 1:
            body << lex.kwCycleN + QStringLiteral(" %1 ").arg(1 + next(5)) + lex.kwTimes;
            ++open;
            break;
        case 2:
            body << lex.kwCycleWhile + QLatin1Char(' ') + lex.kwNotBorder;
            body << *moves[next(3)];
            ++open;
            break;
        case 3:
            if (open > 0) {
                body << lex.kwEndCycle;
                --open;
            }
            break;
        case 4:
            body << lex.kwIf + QLatin1Char(' ') + *tests[next(4)] << lex.kwThen << *moves[next(7)]
                 << lex.kwElse << *moves[next(7)] << lex.kwEndCondition;
            break;
        case 5:
            body << lex.kwExecute + QStringLiteral(" p");
            break;
        default:
            body << *moves[next(7)];
        }
    }
    while (open-- > 0) body << lex.kwEndCycle;
    return procedure + QStringList {lex.kwBegin} + body + QStringList {lex.kwEnd};
}

void expectSameWorld(const RobotWorld &a, const RobotWorld &b, const std::string &what)
{
    const RobotState &s = a.state(), &t = b.state();
    EXPECT_EQ(s.x, t.x) << what;
    EXPECT_EQ(s.y, t.y) << what;
    EXPECT_EQ(s.px, t.px) << what;
    EXPECT_EQ(s.py, t.py) << what;
    EXPECT_EQ(s.heading, t.heading) << what;
    EXPECT_EQ(s.colour, t.colour) << what;
    EXPECT_EQ(s.visible, t.visible) << what;
    EXPECT_EQ(s.lineSensor, t.lineSensor) << what;
    EXPECT_EQ(s.borderSensor, t.borderSensor) << what;
    int differ = 0;
    for (int px = 1; px <= RobotWorld::MapW; ++px)
        for (int py = 1; py <= RobotWorld::MapH; ++py) differ += a.traceAt(px, py) != b.traceAt(px, py);
    EXPECT_EQ(differ, 0) << what << ": trace map points";
}

// The trace a picture's vector record holds, segment by segment in drawing order.
QStringList traceOf(const FieldPicture &picture)
{
    QStringList r;
    for (const FieldVectors::Segment &s : picture.vectors().segments())
        r << QStringLiteral("%1,%2-%3,%4 #%5 w%6")
                 .arg(s.x0)
                 .arg(s.y0)
                 .arg(s.x1)
                 .arg(s.y1)
                 .arg(s.colour, 6, 16, QLatin1Char('0'))
                 .arg(s.width);
    return r;
}

struct Limits {
    qint64 chunk;
    size_t bound;
};

// A program run to its end (or 2,000 ticks) with a history; then for ticks along it, the
// history's moment and the controller moved there against a fresh run stopped after as many.
// *checked: the program passed its check.
void checkTimeline(const QStringList &lines, Language lang, int width, int height, Limits limits,
                   quint32 &seed, const std::string &what, bool *checked)
{
    StringListProgramText text(lines);
    HeadlessRun full(text, lang);
    full.setFieldSize(width, height);
    FieldPicture fullPicture;
    full.setCanvas(&fullPicture);
    full.controller().setKeepHistory(true);
    full.controller().setHistoryLimits(limits.chunk, limits.bound);
    const HeadlessRun::Result result = full.checkAndRun(2000);
    *checked = result != HeadlessRun::Result::CheckFailed;
    if (!*checked) return;
    const RunHistory &h = full.controller().history();
    const qint64 n = h.ticks();
    ASSERT_EQ(n, full.ticks()) << what;
    EXPECT_LE(h.bytes(), limits.bound) << what;

    // The segment-to-line map, drawing by drawing, against what each tick drew.
    Stepper whole(text, lang, width, height);
    whole.ticks(n);
    std::vector<RunHistory::Drawing> recorded;
    h.forEachDrawing([&](const RunHistory::Drawing &d) { recorded.push_back(d); });
    ASSERT_EQ(recorded.size(), whole.canvas.drawn.size()) << what;
    for (size_t i = 0; i < recorded.size(); ++i) {
        const RunHistory::Drawing &a = recorded[i], &b = whole.canvas.drawn[i];
        EXPECT_TRUE(a.tick == b.tick && a.line == b.line && a.segment == b.segment && a.colour == b.colour)
            << what << ": drawing " << i << " tick " << a.tick << "/" << b.tick << " line " << a.line << "/"
            << b.line << " segment " << a.segment << "/" << b.segment;
    }

    const QImage finalPicture = fullPicture.image();
    const QStringList finalTrace = traceOf(fullPicture);
    std::vector<qint64> ks {0, 1, n / 2, n};
    for (int i = 0; i < 4; ++i)
        ks.push_back(n > 0 ? qint64(seed = seed * 1664525u + 1013904223u) % (n + 1) : 0);
    for (qint64 k : ks) {
        const std::string at = what + " after tick " + std::to_string(k) + " of " + std::to_string(n);
        Stepper fresh(text, lang, width, height);
        fresh.ticks(k);
        const RunHistory::Moment m = h.momentAfter(k);
        expectSameWorld(m.world, fresh.world, at);
        EXPECT_EQ(m.shownLine, fresh.shown) << at;
        EXPECT_EQ(m.interpreter.currentLine(), fresh.run.interpreter().currentLine()) << at;
        EXPECT_EQ(m.interpreter.loopDepth(), fresh.run.interpreter().loopDepth()) << at;
        EXPECT_EQ(m.interpreter.callDepth(), fresh.run.interpreter().callDepth()) << at;
        EXPECT_EQ(m.speed, fresh.run.speed()) << at;
        EXPECT_TRUE(h.pictureOf(m) == fresh.canvas.picture.image()) << at << ": field picture";
        if (k > 0) {
            EXPECT_EQ(h.tickRecord(k).line, fresh.canvas.line) << at;
        }

        // The controller moved there shows the same, and back at the end the last picture.
        ASSERT_TRUE(full.controller().showTick(k)) << at;
        expectSameWorld(full.world(), fresh.world, at + " (moved)");
        EXPECT_TRUE(fullPicture.image() == fresh.canvas.picture.image()) << at << " (moved)";
        EXPECT_EQ(traceOf(fullPicture), traceOf(fresh.canvas.picture)) << at << " (moved): vector trace";
        EXPECT_EQ(fullPicture.vectors().robotNode(), fresh.canvas.picture.vectors().robotNode()) << at;
        EXPECT_EQ(fullPicture.vectors().robotHeading(), fresh.canvas.picture.vectors().robotHeading()) << at;
        EXPECT_EQ(fullPicture.vectors().robotVisible(), fresh.canvas.picture.vectors().robotVisible()) << at;
        ASSERT_TRUE(full.controller().showTick(n)) << at;
        EXPECT_TRUE(fullPicture.image() == finalPicture) << at << ": back at the end";
        EXPECT_EQ(traceOf(fullPicture), finalTrace) << at << ": back at the end";
        EXPECT_EQ(h.ticks(), n) << at << ": moving keeps the history";
    }
}

}   // namespace

TEST(RunHistory, TimelineGivesBackEveryTickOfRandomProgramsInAllLanguages)
{
    quint32 seed = 20261210;
    const Language langs[] = {Language::Rus, Language::Rom, Language::Eng};
    // The default chunks; small ones; and a bound so tight that old ticks are dropped and
    // chunks merged, so that they are executed again on demand.
    const Limits limits[] = {
        {RunHistory::FirstChunkTicks, RunHistory::MemoryBound}, {7, RunHistory::MemoryBound}, {5, 6000}};
    int programs = 0;
    for (int n = 0; n < 36; ++n) {
        const Language lang = langs[n % 3];
        const QStringList lines = randomProgram(seed, lang);
        const Limits l = limits[(n / 3) % 3];
        const bool small = n % 2;
        bool checked = false;
        checkTimeline(lines, lang, small ? 4 : 16, small ? 3 : 20, l, seed,
                      "program " + std::to_string(n) + " (" + languageCode(lang).toStdString() + ")",
                      &checked);
        programs += checked;
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(programs, 36) << "every program passes its check";
}

TEST(RunHistory, TickAfterStepBackGoesOnFromThereAndDropsTheRest)
{
    StringListProgramText text(
        QStringList {"ALGORITHM BEGIN", "STEP", "COLOR=RED", "STEP", "ROTATE 90", "STEP", "ALGORITHM END"});
    Stepper s(text, Language::Eng, 16, 20);
    s.run.setKeepHistory(true);
    s.run.stop();
    s.world.resetField();
    s.run.start();
    s.ticks(5);
    ASSERT_EQ(s.run.history().ticks(), 5);
    const QImage afterFive = s.canvas.picture.image();
    ASSERT_TRUE(s.run.showTick(2));
    EXPECT_EQ(s.run.shownLine(), 1) << "the line tick 2 executed";
    EXPECT_EQ(s.world.state().x, 1);
    EXPECT_EQ(s.world.state().colour, 0x000000u);
    EXPECT_EQ(s.run.history().ticks(), 5) << "moving alone forgets nothing";
    s.ticks(1);
    EXPECT_EQ(s.run.history().ticks(), 3) << "a tick from tick 2 drops ticks 3 to 5 and records its own";
    EXPECT_EQ(s.world.state().colour, 0xFF0000u);
    s.ticks(2);
    EXPECT_TRUE(s.canvas.picture.image() == afterFive);
    EXPECT_EQ(s.run.history().tickRecord(4).changes, unsigned(RunHistory::Moved | RunHistory::Drew));
    EXPECT_EQ(s.run.history().tickRecord(3).changes, unsigned(RunHistory::ColourChanged));
    EXPECT_FALSE(s.run.showTick(6));
}

TEST(RunHistory, SegmentsAreNumberedTheSameEitherWayAndOnlyBetweenNeighbours)
{
    int x0, y0, x1, y1;
    for (int s = 0; s < RunHistory::SegmentCount; ++s) {
        RunHistory::segmentEnds(s, x0, y0, x1, y1);
        if (x1 < 0 || x1 > RobotWorld::MaxX || y1 > RobotWorld::MaxY) continue;
        EXPECT_EQ(RunHistory::segmentIndex(x0, y0, x1, y1), s);
        EXPECT_EQ(RunHistory::segmentIndex(x1, y1, x0, y0), s);
    }
    EXPECT_EQ(RunHistory::segmentIndex(0, 0, 2, 0), -1);
    EXPECT_EQ(RunHistory::segmentIndex(3, 3, 3, 3), -1);
    EXPECT_EQ(RunHistory::segmentIndex(16, 20, 17, 20), -1);
}
