// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRgb>
#include <functional>

// What the world draws. The field picture implements it; tests may record calls.
class WorldCanvas {
public:
    virtual ~WorldCanvas() = default;
    virtual void drawEmptyField(int width, int height) = 0;   // frame, cells, node numbers
    virtual void setPen(QRgb colour, int width) = 0;
    virtual void drawSegment(int x0, int y0, int x1, int y1) = 0;   // node to node, current pen
    virtual void showSprite(int heading, bool wipe) = 0;   // robot picture for heading
    virtual void showArrow(int heading) = 0;   // heading arrow (wiped first)
    virtual void moveSprite(int x, int y) = 0;   // sprite onto node (x, y)
    virtual void setSpriteVisible(bool visible) = 0;
};

// What the world needs from its owner: the out-of-field reaction and the status panels.
class WorldListener {
public:
    virtual ~WorldListener() = default;
    virtual void outOfFieldAttempted() = 0;
    virtual void positionPanelChanged(int x, int y) = 0;   // panel 4
    virtual void lineSensorChanged(int value) = 0;   // panel 5
    virtual void borderSensorChanged(int value) = 0;   // panel 6
};

// Told of every segment the robot draws, with its trace colour (e.g. a run's history).
class DrawObserver {
public:
    virtual ~DrawObserver() = default;
    virtual void segmentDrawn(int x0, int y0, int x1, int y1, QRgb colour) = 0;
};

struct RobotState {
    int x = 0, y = 0;   // node
    int px = 1, py = 1;   // point coordinates into the trace map: 2x+1, 2y+1
    int heading = 0;   // 0 east .. 7 north-east, clockwise on screen
    QRgb colour = 0x000000;   // trace colour, 0xRRGGBB
    bool visible = true;
    int lineSensor = 0;
    int borderSensor = 0;
};

// The field, the robot on its nodes, the trace record and the two sensors.
class RobotWorld {
public:
    static constexpr int MaxX = 16, MaxY = 20;
    static constexpr int MapW = 2 * MaxX + 1, MapH = 2 * MaxY + 1;   // 33 x 41

    RobotWorld();

    void setCanvas(WorldCanvas *canvas) { m_canvas = canvas; }
    WorldCanvas *canvas() const { return m_canvas; }
    void setListener(WorldListener *listener) { m_listener = listener; }
    void setDrawObserver(DrawObserver *observer) { m_drawObserver = observer; }
    // Field size, read afresh on every operation (defaults 16 x 20).
    void setFieldSizeSource(std::function<void(int &width, int &height)> source);
    int fieldWidth() const;
    int fieldHeight() const;

    void step();
    void jump();
    void rotate45();
    void rotate90();
    void destroyRobot();
    void rebuildRobot();
    void resetField();

    const RobotState &state() const { return m_state; }
    void setColour(QRgb colour);   // colour commands and stop
    // The robot and the trace map of another world, e.g. one a run without a window left,
    // whose drawing went to this world's canvas; the field size stays this world's.
    void takeStateFrom(const RobotWorld &other);
    // Trace map entry at point (px, py), 1-based; 0 outside the map.
    int traceAt(int px, int py) const;

private:
    void readFieldSize(int &width, int &height) const;   // clamped to 2..MaxX x 2..MaxY
    bool marked(int px, int py, int width, int height) const;
    void move(bool draw);
    void turn(int by);
    void recomputeSensors();
    void recomputeSensors(int width, int height);

    RobotState m_state;
    unsigned char m_trace[MapW + 1][MapH + 1] = {};
    WorldCanvas *m_canvas = nullptr;
    WorldListener *m_listener = nullptr;
    DrawObserver *m_drawObserver = nullptr;
    std::function<void(int &, int &)> m_fieldSize;
};
