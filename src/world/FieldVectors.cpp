// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldVectors.h"
#include "world/FieldPicture.h"
#include "world/WorldImages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <array>

void FieldVectors::drawEmptyField(int width, int height)
{
    m_fieldWidth = std::clamp(width, 0, int(RobotWorld::MaxX));
    m_fieldHeight = std::clamp(height, 0, int(RobotWorld::MaxY));
    m_cleared = true;
    m_segments.clear();
    if (m_next) m_next->drawEmptyField(width, height);
}

void FieldVectors::setPen(QRgb colour, int width)
{
    m_pen = colour & 0xFFFFFFu;
    m_penWidth = std::max(1, width);
    if (m_next) m_next->setPen(colour, width);
}

void FieldVectors::drawSegment(int x0, int y0, int x1, int y1)
{
    // A run goes over the same few segments again and again: only the latest drawing of a
    // segment shows, so it replaces the earlier one and the record stays as small as the field.
    if (m_next) m_next->drawSegment(x0, y0, x1, y1);
    if (x1 < x0 || (x1 == x0 && y1 < y0)) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    m_segments.insert(Key {x0, y0, x1, y1, m_penWidth},
                      Segment {x0, y0, x1, y1, m_pen, m_penWidth, ++m_drawn});
}

QList<FieldVectors::Segment> FieldVectors::segments() const
{
    QList<Segment> r(m_segments.cbegin(), m_segments.cend());
    std::sort(r.begin(), r.end(), [](const Segment &a, const Segment &b) { return a.order < b.order; });
    return r;
}

void FieldVectors::setSegments(const QList<Segment> &segments)
{
    m_segments.clear();
    m_drawn = 0;
    for (Segment s : segments) {
        if (s.x1 < s.x0 || (s.x1 == s.x0 && s.y1 < s.y0)) {
            std::swap(s.x0, s.x1);
            std::swap(s.y0, s.y1);
        }
        s.colour &= 0xFFFFFFu;
        s.order = ++m_drawn;
        m_segments.insert(Key {s.x0, s.y0, s.x1, s.y1, s.width}, s);
    }
}

void FieldVectors::showSprite(int heading, bool wipe)
{
    m_heading = heading & 7;
    if (m_next) m_next->showSprite(heading, wipe);
}

void FieldVectors::showArrow(int heading)
{
    if (m_next) m_next->showArrow(heading);
}

void FieldVectors::moveSprite(int x, int y)
{
    m_robotX = x;
    m_robotY = y;
    if (m_next) m_next->moveSprite(x, y);
}

void FieldVectors::setSpriteVisible(bool visible)
{
    m_robotVisible = visible;
    if (m_next) m_next->setSpriteVisible(visible);
}

const QList<FieldVectors::SpriteArea> &FieldVectors::spriteAreas(int heading)
{
    static const std::array<QList<SpriteArea>, 8> areas = [] {
        std::array<QList<SpriteArea>, 8> r;
        for (int h = 0; h < 8; ++h) {
            const QImage sprite = WorldImages::robotPicture(h).convertToFormat(QImage::Format_ARGB32);
            QHash<QRgb, qsizetype> index;   // colour -> its area, areas in the order first met
            for (int y = 0; y < sprite.height(); ++y) {
                const QRgb *row = reinterpret_cast<const QRgb *>(sprite.constScanLine(y));
                for (int x = 0; x < sprite.width();) {
                    const QRgb c = row[x];
                    int end = x + 1;
                    while (end < sprite.width() && row[end] == c) ++end;
                    if (qAlpha(c) > 0) {
                        auto it = index.find(c);
                        if (it == index.end()) {
                            it = index.insert(c, r[size_t(h)].size());
                            r[size_t(h)].append(SpriteArea {c, {}});
                        }
                        r[size_t(h)][*it].rows.append(QRect(x, y, end - x, 1));
                    }
                    x = end;
                }
            }
        }
        return r;
    }();
    return areas[size_t(heading & 7)];
}

QPoint FieldVectors::spriteCorner(QPoint node)
{
    return FieldPicture::nodePixel(node.x(), node.y()) - QPoint(20, 22);
}

void FieldVectors::paint(QPainter &p, const QRectF &target) const
{
    constexpr double W = FieldPicture::Width, H = FieldPicture::Height;
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / W, target.height() / H);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(QRectF(0, 0, W, H));

    // The picture's outlines cover pixels l..r-1: their middles lie half a pixel inside.
    const QPen thin(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, W - 3, H - 3));
    for (int i = 1; i <= m_fieldWidth; ++i)
        for (int j = 1; j <= m_fieldHeight; ++j) p.drawRect(QRectF(20 * i + 0.5, 20 * j + 0.5, 18, 18));

    QFont numbers(QStringLiteral("DejaVu Sans"));
    numbers.setStyleHint(QFont::SansSerif);
    numbers.setPixelSize(10);
    p.setFont(numbers);
    const QFontMetricsF fm(numbers);
    auto number = [&](int k, double left, double top) {
        p.drawText(QPointF(left, top + fm.ascent()), QString::number(k));
    };
    for (int k = 0; k <= m_fieldHeight; ++k) number(k, 3, 20 * k + 12);
    for (int k = 0; k <= m_fieldWidth; ++k) number(k, 20 * k + 16, 3);

    for (const Segment &s : segments()) {
        const QPointF a = QPointF(FieldPicture::nodePixel(s.x0, s.y0)) + QPointF(0.5, 0.5);
        const QPointF b = QPointF(FieldPicture::nodePixel(s.x1, s.y1)) + QPointF(0.5, 0.5);
        p.setPen(QPen(QColor::fromRgb(s.colour), s.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(a, b);
    }

    if (m_robotVisible) {
        // Each colour one filled path, so that the rows of an area never show seams between
        // them on a printed page.
        p.setPen(Qt::NoPen);
        p.translate(spriteCorner(robotNode()));
        for (const SpriteArea &area : spriteAreas(m_heading)) {
            QPainterPath path;
            for (const QRect &r : area.rows) path.addRect(r);
            p.fillPath(path, QColor::fromRgba(area.colour));
        }
    }
    p.restore();
}

FieldPicture *fieldPictureOf(WorldCanvas *canvas)
{
    while (auto *vectors = dynamic_cast<FieldVectors *>(canvas)) canvas = vectors->next();
    return dynamic_cast<FieldPicture *>(canvas);
}
