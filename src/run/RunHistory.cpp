// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/RunHistory.h"
#include "world/FieldPicture.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int kNodesX = RobotWorld::MaxX + 1;

// A chunk's own drawing: the tick as an offset into the chunk, 12 bytes.
struct ChunkDrawing {
    quint32 offset;   // 1-based tick within the chunk
    QRgb colour;
    quint16 segment;
};

struct LastDrawing {
    qint64 tick;
    QRgb colour;
    int segment;
};

constexpr quint32 kLineMask = 0xFFFFFFu;

}   // namespace

struct RunHistory::Chunk {
    qint64 start = 0;   // ticks done at the checkpoint
    qint64 end = 0;   // ticks done at the chunk's end
    RobotWorld world;
    Interpreter interpreter;
    int speed = 3;
    int shownLine = -1;
    bool detail = true;
    std::vector<quint32> ticks;   // line | changes << 24, one a tick
    std::vector<ChunkDrawing> drawings;
    std::vector<LastDrawing> last;   // of each segment within the chunk; filled when closed
    bool closed = false;
};

// A chunk executed again on a world of its own.
struct RunHistory::Replay : InterpreterHost, WorldListener, DrawObserver {
    RobotWorld w;
    Interpreter interp;
    int speed = 3;
    int speedAtStop = 3;
    int shownLine = -1;
    bool stopped = false;
    qint64 tick = 0;
    int line = -1;
    std::vector<Drawing> drawings;
    std::vector<TickRecord> records;

    RobotWorld &world() override { return w; }
    int xSpeed() const override { return speed; }
    void setXSpeed(int s) override { speed = s; }
    void setTickInterval(int) override { }
    void showRunLine(int l) override { shownLine = l; }
    void stopTimer() override { }
    // As the run controller's stop does.
    void stopRun() override
    {
        stopped = true;
        speed = speedAtStop;
        interp.clearStacks();
        w.setColour(0x000000);
    }
    void reportError(const ErrorReport &) override { }
    void fatalMessage(const QString &) override { }
    void positionPanel(int, int) override { }
    void endOfRunNotice() override { }
    void outOfFieldAttempted() override { stopRun(); }
    void positionPanelChanged(int, int) override { }
    void lineSensorChanged(int) override { }
    void borderSensorChanged(int) override { }
    void segmentDrawn(int x0, int y0, int x1, int y1, QRgb colour) override
    {
        drawings.push_back({tick, line, segmentIndex(x0, y0, x1, y1), colour});
    }
};

RunHistory::RunHistory() = default;
RunHistory::~RunHistory() = default;

int RunHistory::segmentIndex(int x0, int y0, int x1, int y1)
{
    if (y1 < y0 || (y1 == y0 && x1 < x0)) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int dx = x1 - x0, dy = y1 - y0;
    int dir;
    if (dy == 0 && dx == 1)
        dir = 0;
    else if (dy == 1 && dx == 1)
        dir = 1;
    else if (dy == 1 && dx == 0)
        dir = 2;
    else if (dy == 1 && dx == -1)
        dir = 3;
    else
        return -1;
    if (std::min(x0, x1) < 0 || std::max(x0, x1) > RobotWorld::MaxX || y0 < 0 || y1 > RobotWorld::MaxY)
        return -1;
    return (y0 * kNodesX + x0) * 4 + dir;
}

void RunHistory::segmentEnds(int segment, int &x0, int &y0, int &x1, int &y1)
{
    static constexpr int dx[4] = {1, 1, 0, -1}, dy[4] = {0, 1, 1, 1};
    const int node = segment / 4, dir = segment % 4;
    x0 = node % kNodesX;
    y0 = node / kNodesX;
    x1 = x0 + dx[dir];
    y1 = y0 + dy[dir];
}

void RunHistory::clear()
{
    m_chunks.clear();
    m_text = nullptr;
    m_picture = QImage();
    m_trace.clear();
    m_ticks = 0;
    m_chunkTicks = m_firstChunkTicks;
    m_fixedBytes = m_detailBytes = 0;
    m_stopped = false;
}

void RunHistory::begin(const ProgramText &text, Language language, const RobotWorld &world,
                       const Interpreter &interpreter, int speed, int speedAtStop,
                       const FieldPicture *picture)
{
    clear();
    m_text = &text;
    m_language = language;
    m_speedAtStop = speedAtStop;
    m_fieldWidth = world.fieldWidth();
    m_fieldHeight = world.fieldHeight();
    if (picture) {
        m_picture = picture->image();
        m_trace = picture->vectors().segments();
    }
    openChunk(world, interpreter, speed, -1);
}

void RunHistory::openChunk(const RobotWorld &world, const Interpreter &interpreter, int speed, int shownLine)
{
    auto c = std::make_unique<Chunk>();
    c->start = c->end = m_ticks;
    c->world = world;
    c->world.setCanvas(nullptr);
    c->world.setListener(nullptr);
    c->world.setDrawObserver(nullptr);
    const int w = m_fieldWidth, h = m_fieldHeight;
    c->world.setFieldSizeSource([w, h](int &x, int &y) {
        x = w;
        y = h;
    });
    c->interpreter = interpreter;
    c->speed = speed;
    c->shownLine = shownLine;
    c->ticks.reserve(size_t(std::min<qint64>(m_chunkTicks, FirstChunkTicks)));
    m_fixedBytes += fixedBytesOf(*c);
    m_chunks.push_back(std::move(c));
}

size_t RunHistory::fixedBytesOf(const Chunk &c) const
{
    return sizeof(Chunk) + sizeof(void *) + c.last.capacity() * sizeof(LastDrawing) +
           size_t(c.interpreter.loopDepth() + c.interpreter.callDepth()) * 8;
}

void RunHistory::closeChunk()
{
    Chunk &c = *m_chunks.back();
    if (c.closed) return;
    m_fixedBytes -= fixedBytesOf(c);
    if (c.detail) {
        std::vector<LastDrawing> bySegment(SegmentCount, {-1, 0, 0});
        for (const ChunkDrawing &d : c.drawings)
            bySegment[d.segment] = {c.start + d.offset, d.colour, d.segment};
        for (const LastDrawing &d : bySegment)
            if (d.tick >= 0) c.last.push_back(d);
    } else {
        Replay r;
        replay(int(m_chunks.size()) - 1, c.end, r);
        std::vector<LastDrawing> bySegment(SegmentCount, {-1, 0, 0});
        for (const Drawing &d : r.drawings) bySegment[d.segment] = {d.tick, d.colour, d.segment};
        for (const LastDrawing &d : bySegment)
            if (d.tick >= 0) c.last.push_back(d);
    }
    std::sort(c.last.begin(), c.last.end(),
              [](const LastDrawing &a, const LastDrawing &b) { return a.tick < b.tick; });
    c.last.shrink_to_fit();
    c.closed = true;
    m_fixedBytes += fixedBytesOf(c);
}

void RunHistory::beforeTick(const RobotWorld &world, const Interpreter &interpreter, int speed, int shownLine)
{
    if (m_chunks.empty()) return;
    if (m_ticks - m_chunks.back()->start >= m_chunkTicks) {
        closeChunk();
        openChunk(world, interpreter, speed, shownLine);
        keepBound();
    }
    m_before = world.state();
    m_lineBefore = interpreter.currentLine();
    m_drew = false;
}

void RunHistory::segmentDrawn(int x0, int y0, int x1, int y1, QRgb colour)
{
    if (m_chunks.empty()) return;
    m_drew = true;
    Chunk &c = *m_chunks.back();
    if (!c.detail) return;
    const int s = segmentIndex(x0, y0, x1, y1);
    if (s < 0) return;
    c.drawings.push_back({quint32(m_ticks + 1 - c.start), colour, quint16(s)});
    m_detailBytes += sizeof(ChunkDrawing);
}

void RunHistory::afterTick(const RobotState &after)
{
    if (m_chunks.empty()) return;
    ++m_ticks;
    Chunk &c = *m_chunks.back();
    c.end = m_ticks;
    if (!c.detail) return;
    unsigned changes = m_drew ? unsigned(Drew) : 0u;
    if (after.x != m_before.x || after.y != m_before.y) changes |= Moved;
    if (after.heading != m_before.heading) changes |= Turned;
    if (after.visible != m_before.visible) changes |= after.visible ? Shown : Hidden;
    if (after.colour != m_before.colour) changes |= ColourChanged;
    c.ticks.push_back((quint32(m_lineBefore) & kLineMask) | (changes << 24));
    m_detailBytes += sizeof(quint32);
    if (bytes() > m_bound) keepBound();
}

void RunHistory::keepBound()
{
    // Checkpoints first: past half the bound, chunks merge in pairs.
    while (m_fixedBytes > m_bound / 2 && m_chunks.size() > 2) mergeChunks();
    // Then the ticks of the oldest chunks, the current one last.
    for (auto &c : m_chunks) {
        if (bytes() <= m_bound) break;
        if (!c->detail) continue;
        m_detailBytes -= c->ticks.size() * sizeof(quint32) + c->drawings.size() * sizeof(ChunkDrawing);
        c->detail = false;
        std::vector<quint32>().swap(c->ticks);
        std::vector<ChunkDrawing>().swap(c->drawings);
    }
}

void RunHistory::mergeChunks()
{
    // Closed chunks pair up; the open one stays as it is.
    std::vector<std::unique_ptr<Chunk>> merged;
    const size_t closed = m_chunks.size() - 1;
    for (size_t i = 0; i < closed; i += 2) {
        std::unique_ptr<Chunk> a = std::move(m_chunks[i]);
        if (i + 1 < closed) {
            Chunk &b = *m_chunks[i + 1];
            m_detailBytes -= a->ticks.size() * sizeof(quint32) + a->drawings.size() * sizeof(ChunkDrawing);
            m_detailBytes -= b.ticks.size() * sizeof(quint32) + b.drawings.size() * sizeof(ChunkDrawing);
            a->detail = false;
            std::vector<quint32>().swap(a->ticks);
            std::vector<ChunkDrawing>().swap(a->drawings);
            // b's drawings are later: they win for the segments both drew.
            std::vector<LastDrawing> bySegment(SegmentCount, {-1, 0, 0});
            for (const LastDrawing &d : a->last) bySegment[d.segment] = d;
            for (const LastDrawing &d : b.last) bySegment[d.segment] = d;
            a->last.clear();
            for (const LastDrawing &d : bySegment)
                if (d.tick >= 0) a->last.push_back(d);
            std::sort(a->last.begin(), a->last.end(),
                      [](const LastDrawing &x, const LastDrawing &y) { return x.tick < y.tick; });
            a->last.shrink_to_fit();
            a->end = b.end;
        }
        merged.push_back(std::move(a));
    }
    merged.push_back(std::move(m_chunks.back()));
    m_chunks = std::move(merged);
    m_chunkTicks *= 2;
    m_fixedBytes = std::accumulate(
        m_chunks.begin(), m_chunks.end(), size_t(0),
        [this](size_t sum, const std::unique_ptr<Chunk> &c) { return sum + fixedBytesOf(*c); });
}

void RunHistory::truncate(qint64 ticks)
{
    if (m_chunks.empty() || ticks >= m_ticks) return;
    ticks = std::max<qint64>(ticks, 0);
    const int ci = chunkOf(ticks);
    // The chunk that holds the cut is recorded afresh up to it.
    Replay r;
    replay(ci, ticks, r);
    while (int(m_chunks.size()) > ci + 1) m_chunks.pop_back();
    Chunk &c = *m_chunks.back();
    c.ticks.clear();
    c.drawings.clear();
    c.last.clear();
    c.closed = false;
    c.detail = true;
    c.end = ticks;
    for (const TickRecord &t : r.records)
        c.ticks.push_back((quint32(t.line) & kLineMask) | (t.changes << 24));
    for (const Drawing &d : r.drawings)
        c.drawings.push_back({quint32(d.tick - c.start), d.colour, quint16(d.segment)});
    m_ticks = ticks;
    m_fixedBytes = m_detailBytes = 0;
    for (const auto &k : m_chunks) {
        m_fixedBytes += fixedBytesOf(*k);
        m_detailBytes += k->ticks.size() * sizeof(quint32) + k->drawings.size() * sizeof(ChunkDrawing);
    }
}

int RunHistory::chunkOf(qint64 tick) const
{
    // The last chunk starting before the tick (a moment after tick t is reached from the
    // chunk that holds tick t).
    const auto it = std::upper_bound(m_chunks.begin(), m_chunks.end(), tick,
                                     [](qint64 t, const std::unique_ptr<Chunk> &c) { return t <= c->start; });
    return std::max(0, int(it - m_chunks.begin()) - 1);
}

void RunHistory::replay(int ci, qint64 upTo, Replay &r) const
{
    const Chunk &c = *m_chunks[size_t(ci)];
    r.w = c.world;
    r.w.setListener(&r);
    r.w.setDrawObserver(&r);
    r.interp = c.interpreter;
    r.speed = c.speed;
    r.speedAtStop = m_speedAtStop;
    r.shownLine = c.shownLine;
    r.tick = c.start;
    r.stopped = false;
    for (qint64 t = c.start; t < upTo && !r.stopped && m_text; ++t) {
        const RobotState before = r.w.state();
        r.line = r.interp.currentLine();
        const size_t drawn = r.drawings.size();
        ++r.tick;
        r.interp.tick(*m_text, m_language, r);
        const RobotState &after = r.w.state();
        unsigned changes = r.drawings.size() > drawn ? unsigned(Drew) : 0u;
        if (after.x != before.x || after.y != before.y) changes |= Moved;
        if (after.heading != before.heading) changes |= Turned;
        if (after.visible != before.visible) changes |= after.visible ? Shown : Hidden;
        if (after.colour != before.colour) changes |= ColourChanged;
        r.records.push_back({r.line, changes});
    }
    r.w.setListener(nullptr);
    r.w.setDrawObserver(nullptr);
}

RunHistory::TickRecord RunHistory::tickRecord(qint64 tick) const
{
    if (m_chunks.empty() || tick < 1 || tick > m_ticks) return {};
    const int ci = chunkOf(tick);
    const Chunk &c = *m_chunks[size_t(ci)];
    if (c.detail) {
        const quint32 v = c.ticks[size_t(tick - c.start - 1)];
        const int line = int(v & kLineMask);
        return {line == int(kLineMask) ? -1 : line, v >> 24};
    }
    Replay r;
    replay(ci, tick, r);
    return r.records.empty() ? TickRecord {} : r.records.back();
}

RunHistory::Moment RunHistory::momentAfter(qint64 tick) const
{
    Moment m;
    if (m_chunks.empty()) return m;
    tick = std::clamp<qint64>(tick, 0, m_ticks);
    const int ci = chunkOf(tick);
    Replay r;
    replay(ci, tick, r);
    m.tick = tick;
    m.world = r.w;
    m.interpreter = r.interp;
    m.speed = r.speed;
    m.shownLine = r.shownLine;
    m.stopped = r.stopped;

    std::vector<LastDrawing> bySegment(SegmentCount, {-1, 0, 0});
    for (int i = 0; i < ci; ++i)
        for (const LastDrawing &d : m_chunks[size_t(i)]->last) bySegment[d.segment] = d;
    std::vector<int> lines(SegmentCount, -1);
    for (const Drawing &d : r.drawings) {
        bySegment[d.segment] = {d.tick, d.colour, d.segment};
        lines[d.segment] = d.line;
    }
    for (const LastDrawing &d : bySegment)
        if (d.tick >= 0) m.picture.push_back({d.tick, lines[d.segment], d.segment, d.colour});
    std::sort(m.picture.begin(), m.picture.end(),
              [](const Drawing &a, const Drawing &b) { return a.tick < b.tick; });
    return m;
}

QImage RunHistory::pictureOf(const Moment &moment) const
{
    const FieldPicture *painted = paint(moment);
    return painted ? painted->image() : QImage();
}

void RunHistory::showOn(const Moment &moment, FieldPicture &picture) const
{
    if (const FieldPicture *painted = paint(moment))
        picture.restore(painted->image(), painted->vectors().segments());
}

const FieldPicture *RunHistory::paint(const Moment &moment) const
{
    if (m_picture.isNull()) return nullptr;
    // Kept from call to call: it learns once which pixels each segment covers.
    thread_local FieldPicture canvas;
    canvas.restore(m_picture, m_trace);
    // Only the last drawing of a segment shows anywhere: every pixel keeps the colour of the
    // latest drawing over it, and that is always some segment's last.
    for (const Drawing &d : moment.picture) {
        int x0, y0, x1, y1;
        segmentEnds(d.segment, x0, y0, x1, y1);
        canvas.setPen(d.colour, 5);
        canvas.drawSegment(x0, y0, x1, y1);
    }
    return &canvas;
}

void RunHistory::forEachDrawing(const std::function<void(const Drawing &)> &visit) const
{
    for (int ci = 0; ci < int(m_chunks.size()); ++ci) {
        const Chunk &c = *m_chunks[size_t(ci)];
        if (c.detail) {
            for (const ChunkDrawing &d : c.drawings) {
                const int line = int(c.ticks[d.offset - 1] & kLineMask);
                visit({c.start + d.offset, line == int(kLineMask) ? -1 : line, d.segment, d.colour});
            }
        } else {
            Replay r;
            replay(ci, c.end, r);
            for (const Drawing &d : r.drawings) visit(d);
        }
    }
}
