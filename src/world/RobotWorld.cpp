// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/RobotWorld.h"

#include <algorithm>
#include <cstring>

namespace {

struct Delta {
    int dx, dy;
};

// One step per heading, clockwise on screen because y grows downward.
constexpr Delta kStep[8] = {
    {+1, 0}, {+1, +1}, {0, +1}, {-1, +1}, {-1, 0}, {-1, -1}, {0, -1}, {+1, -1},
};

constexpr QRgb kBlack = 0x000000;

}   // namespace

RobotWorld::RobotWorld()
{
    m_fieldSize = [](int &px, int &py) {
        px = MaxX;
        py = MaxY;
    };
}

void RobotWorld::setFieldSizeSource(std::function<void(int &width, int &height)> source)
{
    if (source)
        m_fieldSize = std::move(source);
    else
        m_fieldSize = [](int &px, int &py) {
            px = MaxX;
            py = MaxY;
        };
}

void RobotWorld::readFieldSize(int &px, int &py) const
{
    px = MaxX;
    py = MaxY;
    m_fieldSize(px, py);
    // A hand-edited settings file must never push an index past the trace map.
    px = std::clamp(px, 2, int(MaxX));
    py = std::clamp(py, 2, int(MaxY));
}

int RobotWorld::fieldWidth() const
{
    int px, py;
    readFieldSize(px, py);
    return px;
}

int RobotWorld::fieldHeight() const
{
    int px, py;
    readFieldSize(px, py);
    return py;
}

void RobotWorld::setColour(QRgb colour) { m_state.colour = colour & 0xFFFFFFu; }

int RobotWorld::traceAt(int px, int py) const
{
    if (px < 1 || px > MapW || py < 1 || py > MapH) return 0;
    return m_trace[px][py];
}

bool RobotWorld::marked(int px, int py, int width, int height) const
{
    // Points beyond the current field read as unmarked even if an earlier, larger
    // field left marks there.
    if (px < 1 || px > 2 * width + 1 || py < 1 || py > 2 * height + 1) return false;
    return m_trace[px][py] == 1;
}

void RobotWorld::takeStateFrom(const RobotWorld &other)
{
    m_state = other.m_state;
    std::memcpy(m_trace, other.m_trace, sizeof m_trace);
    recomputeSensors();
}

void RobotWorld::recomputeSensors()
{
    int width, height;
    readFieldSize(width, height);
    recomputeSensors(width, height);
}

void RobotWorld::recomputeSensors(int width, int height)
{
    RobotState &s = m_state;
    const Delta d = kStep[s.heading & 7];

    bool line = false;
    if (d.dx != 0 && d.dy != 0 && marked(s.px + d.dx, s.py + d.dy, width, height))
        line = true;   // a diagonal also meets the crossing diagonal of the cell ahead
    else
        line = marked(s.px + 2 * d.dx, s.py + 2 * d.dy, width, height);
    s.lineSensor = line ? 1 : 0;
    if (m_listener) m_listener->lineSensorChanged(s.lineSensor);

    // Comparing with >= / <= rather than equality keeps "border ahead" true exactly
    // when the next move fails, even after the field has been shrunk under the robot.
    const int tx = s.x + d.dx, ty = s.y + d.dy;
    s.borderSensor = (tx < 0 || tx > width || ty < 0 || ty > height) ? 1 : 0;
    if (m_listener) m_listener->borderSensorChanged(s.borderSensor);
}

void RobotWorld::move(bool draw)
{
    int width, height;
    readFieldSize(width, height);
    RobotState &s = m_state;
    const Delta d = kStep[s.heading & 7];

    if (m_canvas) {
        if (draw) m_canvas->setPen(s.colour, 5);
        // The sprite is refreshed before the bounds test, so a failed move shows it too.
        m_canvas->showSprite(s.heading, false);
    }

    const int tx = s.x + d.dx, ty = s.y + d.dy;
    if (tx < 0 || tx > width || ty < 0 || ty > height) {
        if (m_listener) m_listener->outOfFieldAttempted();
        return;
    }

    const int ox = s.x, oy = s.y;
    if (draw) {
        m_trace[s.px][s.py] = 1;
        m_trace[s.px + d.dx][s.py + d.dy] = 1;
        m_trace[s.px + 2 * d.dx][s.py + 2 * d.dy] = 1;
    }

    s.x = tx;
    s.y = ty;
    s.px += 2 * d.dx;
    s.py += 2 * d.dy;
    if (m_canvas) m_canvas->moveSprite(s.x, s.y);

    recomputeSensors(width, height);

    if (draw && m_canvas) m_canvas->drawSegment(ox, oy, s.x, s.y);
    if (draw && m_drawObserver) m_drawObserver->segmentDrawn(ox, oy, s.x, s.y, s.colour);
}

void RobotWorld::step() { move(true); }

void RobotWorld::jump() { move(false); }

void RobotWorld::turn(int by)
{
    m_state.heading = (m_state.heading + by) & 7;
    if (m_canvas) {
        m_canvas->showSprite(m_state.heading, true);
        m_canvas->showArrow(m_state.heading);
    }
    recomputeSensors();
}

void RobotWorld::rotate45() { turn(1); }

void RobotWorld::rotate90() { turn(2); }

void RobotWorld::destroyRobot()
{
    m_state.visible = false;
    if (m_canvas) m_canvas->setSpriteVisible(false);
}

void RobotWorld::rebuildRobot()
{
    m_state.visible = true;
    if (m_canvas) m_canvas->setSpriteVisible(true);
}

void RobotWorld::resetField()
{
    int width, height;
    readFieldSize(width, height);
    RobotState &s = m_state;

    s.px = 1;
    s.py = 1;
    s.visible = true;
    s.colour = kBlack;
    if (m_canvas) {
        m_canvas->setSpriteVisible(true);
        m_canvas->setPen(kBlack, 1);
    }

    std::memset(m_trace, 0, sizeof m_trace);

    if (m_canvas) {
        m_canvas->drawEmptyField(width, height);
        m_canvas->showSprite(0, true);
        m_canvas->showArrow(0);
        m_canvas->moveSprite(0, 0);
    }

    s.heading = 0;
    s.x = 0;
    s.y = 0;

    s.lineSensor = 0;
    s.borderSensor = 0;
    if (m_listener) {
        m_listener->positionPanelChanged(0, 0);
        m_listener->lineSensorChanged(0);
        m_listener->borderSensorChanged(0);
    }
}
