// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Interpreter.h"
#include "world/FieldVectors.h"
#include "world/RobotWorld.h"

#include <QImage>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

class FieldPicture;

// A run as a timeline: what every tick executed and drew, and the means to put the world back
// as it was after any tick.
//
// The run is cut into chunks, each opening with a checkpoint (the world, the interpreter, the
// speed and the shown line, copied). Per tick a chunk keeps 4 bytes (the line executed and
// what changed) and 12 bytes per segment drawn. The whole stays under MemoryBound: past it
// the oldest chunks keep only their checkpoint and the last drawing of each segment, and
// their ticks are executed again on demand (the interpreter is deterministic); when the
// checkpoints alone pass half the bound, neighbouring chunks are merged, so chunks grow and a
// jump re-executes more ticks, but memory stays bounded however long the run.
class RunHistory : public DrawObserver {
public:
    static constexpr size_t MemoryBound = size_t(64) << 20;
    static constexpr qint64 FirstChunkTicks = 4096;
    // Segments between neighbouring nodes, numbered 0 .. SegmentCount-1.
    static constexpr int SegmentCount = (RobotWorld::MaxX + 1) * (RobotWorld::MaxY + 1) * 4;

    // What a tick changed, beside the line it executed.
    enum Change : unsigned {
        Moved = 1,
        Turned = 2,
        Drew = 4,
        Hidden = 8,
        Shown = 16,
        ColourChanged = 32
    };
    struct TickRecord {
        int line = -1;   // executed by the tick
        unsigned changes = 0;   // Change flags
    };
    struct Drawing {
        qint64 tick = 0;   // 1-based: the tick that drew it
        int line = -1;
        int segment = 0;
        QRgb colour = 0;
    };
    // The run as it stood after a tick.
    struct Moment {
        qint64 tick = 0;
        RobotWorld world;   // robot, trace map and sensors; no canvas, listener or observer
        Interpreter interpreter;
        int speed = 3;
        int shownLine = -1;
        bool stopped = false;   // the run stopped within its last tick
        std::vector<Drawing> picture;   // the last drawing of each segment, oldest first
    };

    RunHistory();
    ~RunHistory() override;

    static int segmentIndex(int x0, int y0, int x1, int y1);   // -1 for no neighbours
    static void segmentEnds(int segment, int &x0, int &y0, int &x1, int &y1);

    // Smaller chunks and bound, for tests; they take effect at the next begin().
    void setLimits(qint64 firstChunkTicks, size_t bound)
    {
        m_firstChunkTicks = std::max<qint64>(1, firstChunkTicks);
        m_bound = bound;
    }
    size_t bound() const { return m_bound; }

    void clear();
    bool isEmpty() const { return m_chunks.empty(); }
    // A run starts on `world` as it stands, with `interpreter` at its first line. `picture`,
    // when given, is the field picture at the start, with its trace; `speedAtStop` the speed
    // a stop puts back.
    // The text must stay unchanged while the history is kept.
    void begin(const ProgramText &text, Language language, const RobotWorld &world,
               const Interpreter &interpreter, int speed, int speedAtStop, const FieldPicture *picture);
    // Around every tick of the run. The history must be the world's draw observer.
    void beforeTick(const RobotWorld &world, const Interpreter &interpreter, int speed, int shownLine);
    void afterTick(const RobotState &after);
    // Forgets every tick after the first `ticks` (the run goes on from there).
    void truncate(qint64 ticks);

    qint64 ticks() const { return m_ticks; }
    size_t bytes() const { return m_fixedBytes + m_detailBytes; }
    const QImage &startPicture() const { return m_picture; }

    // 1 <= tick <= ticks().
    TickRecord tickRecord(qint64 tick) const;
    // 0 <= tick <= ticks().
    Moment momentAfter(qint64 tick) const;
    // The field picture after the moment: the start picture with the moment's drawings.
    QImage pictureOf(const Moment &moment) const;
    // Puts the picture and its trace back as they were after the moment; nothing without a
    // start picture.
    void showOn(const Moment &moment, FieldPicture &picture) const;
    // Every drawing of the run, in order.
    void forEachDrawing(const std::function<void(const Drawing &)> &visit) const;

    // DrawObserver
    void segmentDrawn(int x0, int y0, int x1, int y1, QRgb colour) override;

private:
    struct Chunk;
    struct Replay;
    const FieldPicture *paint(const Moment &moment) const;
    void openChunk(const RobotWorld &world, const Interpreter &interpreter, int speed, int shownLine);
    void closeChunk();
    void keepBound();
    void mergeChunks();
    size_t fixedBytesOf(const Chunk &c) const;
    int chunkOf(qint64 tick) const;   // the chunk whose ticks hold tick (1-based), or a moment tick
    // Executes chunk c again up to `upTo` ticks in all, its drawings and tick records to the
    // replay.
    void replay(int c, qint64 upTo, Replay &r) const;

    const ProgramText *m_text = nullptr;
    Language m_language = Language::Rus;
    int m_speedAtStop = 3;
    int m_fieldWidth = RobotWorld::MaxX, m_fieldHeight = RobotWorld::MaxY;
    QImage m_picture;
    QList<FieldVectors::Segment> m_trace;   // at the start
    std::vector<std::unique_ptr<Chunk>> m_chunks;
    qint64 m_ticks = 0;
    qint64 m_firstChunkTicks = FirstChunkTicks;
    size_t m_bound = MemoryBound;
    qint64 m_chunkTicks = FirstChunkTicks;
    size_t m_fixedBytes = 0, m_detailBytes = 0;
    RobotState m_before;
    int m_lineBefore = -1;
    bool m_drew = false;
    bool m_stopped = false;
};
