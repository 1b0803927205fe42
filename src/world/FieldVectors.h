// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "world/RobotWorld.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QRectF>

class QPainter;

// What the field shows, kept as drawing calls rather than pixels, so that it can be drawn
// again at any size (a printed sheet, an SVG file) without blur. The field picture keeps one
// and feeds it every call it gets; standing in front of another canvas, it passes every call
// on to that one.
class FieldVectors : public WorldCanvas {
public:
    struct Segment {
        int x0, y0, x1, y1;   // nodes, the first one leftmost (topmost when level)
        QRgb colour;   // 0xRRGGBB
        int width;   // in picture pixels
        quint64 order = 0;   // when it was drawn last
    };

    void setNext(WorldCanvas *next) { m_next = next; }
    WorldCanvas *next() const { return m_next; }

    int fieldWidth() const { return m_fieldWidth; }
    int fieldHeight() const { return m_fieldHeight; }
    // False until the field is first cleared: nothing to draw but white.
    bool isCleared() const { return m_cleared; }
    // The trace as it shows: every distinct segment once (either way round, at one width), as
    // it was drawn last, in the order of those drawings, so that each lies over the ones it
    // covers. White ones are kept: they whiten what lies under them, the cell outlines too.
    QList<Segment> segments() const;
    // Puts back a trace taken earlier with segments() (or made as it), e.g. a run's at some
    // tick; later drawings lie over these.
    void setSegments(const QList<Segment> &segments);
    QPoint robotNode() const { return QPoint(m_robotX, m_robotY); }
    int robotHeading() const { return m_heading; }
    bool robotVisible() const { return m_robotVisible; }

    // Draws the field picture (FieldPicture::Width x Height) into `target` with vectors and
    // text: frame, cells, node numbers, trace, and the robot when shown.
    void paint(QPainter &p, const QRectF &target) const;

    // The robot as the window shows it, drawn as vectors: its sprite picture for a heading,
    // pixel for pixel, as areas of one colour (non-premultiplied, with its alpha) each, in
    // picture pixels from the sprite's top-left corner. The window puts that corner 20 px
    // left of and 22 px above the robot's node pixel.
    struct SpriteArea {
        QRgb colour;
        QList<QRect> rows;   // one pixel high each
    };
    static const QList<SpriteArea> &spriteAreas(int heading);
    static QPoint spriteCorner(QPoint node);

    // WorldCanvas
    void drawEmptyField(int width, int height) override;
    void setPen(QRgb colour, int width) override;
    void drawSegment(int x0, int y0, int x1, int y1) override;
    void showSprite(int heading, bool wipe) override;
    void showArrow(int heading) override;
    void moveSprite(int x, int y) override;
    void setSpriteVisible(bool visible) override;

private:
    struct Key {
        int x0, y0, x1, y1, width;
        bool operator==(const Key &) const = default;
        friend size_t qHash(const Key &k, size_t seed = 0)
        {
            return qHashMulti(seed, k.x0, k.y0, k.x1, k.y1, k.width);
        }
    };
    WorldCanvas *m_next = nullptr;
    int m_fieldWidth = RobotWorld::MaxX, m_fieldHeight = RobotWorld::MaxY;
    bool m_cleared = false;
    QHash<Key, Segment> m_segments;
    quint64 m_drawn = 0;
    QRgb m_pen = 0;
    int m_penWidth = 1;
    int m_robotX = 0, m_robotY = 0, m_heading = 0;
    bool m_robotVisible = true;
};

// The field picture a world draws on, through any vector record in front of it; null when
// it draws elsewhere (a recorder, a test's canvas).
class FieldPicture;
FieldPicture *fieldPictureOf(WorldCanvas *canvas);
