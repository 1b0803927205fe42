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
// again at any size (a printed sheet) without blur. It passes every call on to the canvas
// behind it (the field picture), so it can stand in front of the one the world draws on.
class FieldVectors : public WorldCanvas {
public:
    struct Segment {
        int x0, y0, x1, y1;
        QRgb colour;   // 0xRRGGBB
        int width;   // in picture pixels
        quint64 order = 0;   // when it was drawn last
    };

    void setNext(WorldCanvas *next) { m_next = next; }
    WorldCanvas *next() const { return m_next; }

    int fieldWidth() const { return m_fieldWidth; }
    int fieldHeight() const { return m_fieldHeight; }
    // Each segment as drawn last, in the order drawn: a later one covers the ends of earlier ones.
    QList<Segment> segments() const;
    QPoint robotNode() const { return QPoint(m_robotX, m_robotY); }
    int robotHeading() const { return m_heading; }
    bool robotVisible() const { return m_robotVisible; }

    // Draws the field picture (FieldPicture::Width x Height) into `target` with vectors and
    // text: frame, cells, node numbers, trace, and the robot when shown, as `robot` (a sprite
    // picture, 42 x 42, placed as the window places it) or, for a null image, as a disc with a
    // pointer towards the heading.
    void paint(QPainter &p, const QRectF &target, const QImage &robot = QImage()) const;

    // WorldCanvas
    void drawEmptyField(int width, int height) override;
    void setPen(QRgb colour, int width) override;
    void drawSegment(int x0, int y0, int x1, int y1) override;
    void showSprite(int heading, bool wipe) override;
    void showArrow(int heading) override;
    void moveSprite(int x, int y) override;
    void setSpriteVisible(bool visible) override;

private:
    WorldCanvas *m_next = nullptr;
    int m_fieldWidth = RobotWorld::MaxX, m_fieldHeight = RobotWorld::MaxY;
    QHash<quint64, Segment> m_segments;   // by ends and width
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
