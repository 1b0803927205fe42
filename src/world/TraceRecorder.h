// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "world/RobotWorld.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <map>
#include <optional>

// One node-to-node piece of trace, its ends in a fixed order so that a segment drawn
// either way is the same segment.
struct TraceSegment {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    static TraceSegment between(int ax, int ay, int bx, int by);
    int key() const { return ((x0 * 32 + y0) * 32 + x1) * 32 + y1; }
    bool operator==(const TraceSegment &) const = default;
};

// What a run drew, segment by segment with the colour that stays visible: a segment drawn
// again takes the later colour, and one drawn last in white (the see-through colour, the
// field's own) is gone. The robot's picture is no part of it.
class TraceRecorder : public WorldCanvas {
public:
    struct Drawn {
        TraceSegment segment;
        QRgb colour;
    };

    void clear() { m_segments.clear(); }
    QList<Drawn> segments() const;   // in a fixed order
    int size() const { return int(m_segments.size()); }
    // 0xRRGGBB, or -1 when the segment is not drawn.
    qint64 colourAt(const TraceSegment &s) const;

    // WorldCanvas
    void drawEmptyField(int, int) override { m_segments.clear(); }
    void setPen(QRgb colour, int) override { m_pen = colour & 0xFFFFFFu; }
    void drawSegment(int x0, int y0, int x1, int y1) override;
    void showSprite(int, bool) override { }
    void showArrow(int) override { }
    void moveSprite(int, int) override { }
    void setSpriteVisible(bool) override { }

private:
    std::map<int, Drawn> m_segments;
    QRgb m_pen = 0;
};

// A pupil's drawing against the model's.
struct TraceComparison {
    QList<TraceRecorder::Drawn> missing;   // in the model only (model colour)
    QList<TraceRecorder::Drawn> extra;   // in the pupil's drawing only (its colour)
    QList<TraceRecorder::Drawn> colourDiffers;   // in both, pupil's colour
    QPoint modelEnd, pupilEnd;

    bool sameEnd() const { return modelEnd == pupilEnd; }
    bool same() const { return missing.isEmpty() && extra.isEmpty() && colourDiffers.isEmpty() && sameEnd(); }
};

TraceComparison compareTraces(const TraceRecorder &model, QPoint modelEnd, const TraceRecorder &pupil,
                              QPoint pupilEnd);

// The field with the model's trace and every difference marked by its shape, so that no
// trace colour can be taken for a mark: missing segments in outlined dashes of the model's
// colour, extra ones outlined in the pupil's colour, a segment of another colour outlined in
// the pupil's colour with the model's in a disc at its middle; both end nodes marked and a
// legend below, in `lang`.
QImage comparisonPicture(const TraceRecorder &model, const TraceComparison &c, int fieldWidth,
                         int fieldHeight, Language lang = Language::Eng);
// Pictures laid over the field in the window (transparent where they draw nothing, never part
// of the field picture or its exports): the goal as a faint ghost under the trace, and the
// marks of comparisonPicture over the pupil's drawing, the goal's end ringed when it matters.
QImage goalGhostPicture(const QList<TraceRecorder::Drawn> &goal);
QImage differenceMarksPicture(const TraceRecorder &goal, const TraceComparison &c, bool markGoalEnd);
// What a run drew, on the empty field, with the robot's end node crossed (a goal whose end
// does not matter has none).
QImage tracePicture(const TraceRecorder &trace, std::optional<QPoint> end, int fieldWidth, int fieldHeight);
