// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/TraceRecorder.h"
#include "world/FieldPicture.h"

#include <QFont>
#include <QPainter>
#include <QPen>

TraceSegment TraceSegment::between(int ax, int ay, int bx, int by)
{
    if (ax < bx || (ax == bx && ay <= by)) return TraceSegment {ax, ay, bx, by};
    return TraceSegment {bx, by, ax, ay};
}

void TraceRecorder::drawSegment(int x0, int y0, int x1, int y1)
{
    const TraceSegment s = TraceSegment::between(x0, y0, x1, y1);
    if (m_pen == 0xFFFFFFu)
        m_segments.erase(s.key());
    else
        m_segments[s.key()] = Drawn {s, m_pen};
}

QList<TraceRecorder::Drawn> TraceRecorder::segments() const
{
    QList<Drawn> r;
    r.reserve(qsizetype(m_segments.size()));
    for (const auto &[key, drawn] : m_segments) r.append(drawn);
    return r;
}

qint64 TraceRecorder::colorAt(const TraceSegment &s) const
{
    const auto it = m_segments.find(s.key());
    return it == m_segments.end() ? -1 : qint64(it->second.color);
}

TraceComparison compareTraces(const TraceRecorder &model, QPoint modelEnd, const TraceRecorder &pupil,
                              QPoint pupilEnd)
{
    TraceComparison c;
    c.modelEnd = modelEnd;
    c.pupilEnd = pupilEnd;
    for (const TraceRecorder::Drawn &d : model.segments()) {
        const qint64 other = pupil.colorAt(d.segment);
        if (other < 0)
            c.missing.append(d);
        else if (QRgb(other) != d.color)
            c.colourDiffers.append(TraceRecorder::Drawn {d.segment, QRgb(other)});
    }
    for (const TraceRecorder::Drawn &d : pupil.segments())
        if (model.colorAt(d.segment) < 0) c.extra.append(d);
    return c;
}

namespace {

constexpr int kLegendHeight = 46;

QColor faint(QRgb rgb)
{
    auto f = [](int v) { return 255 - (255 - v) * 3 / 10; };
    return QColor(f(qRed(rgb)), f(qGreen(rgb)), f(qBlue(rgb)));
}

QPointF nodeCentre(int x, int y) { return QPointF(FieldPicture::nodePixel(x, y)) + QPointF(0.5, 0.5); }

void drawSegment(QPainter &p, const TraceSegment &s, const QColor &color, int width)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(nodeCentre(s.x0, s.y0), nodeCentre(s.x1, s.y1));
}

void drawRing(QPainter &p, QPointF at, const QColor &color)
{
    p.setPen(QPen(color, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, 7.0, 7.0);
}

void drawCross(QPainter &p, QPointF at, const QColor &color)
{
    p.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at + QPointF(-5, -5), at + QPointF(5, 5));
    p.drawLine(at + QPointF(-5, 5), at + QPointF(5, -5));
}

}   // namespace

QImage comparisonPicture(const TraceRecorder &model, const TraceComparison &c, int poleX, int poleY)
{
    FieldPicture field;
    field.drawEmptyField(poleX, poleY);
    QImage image(FieldPicture::Width, FieldPicture::Height + kLegendHeight, QImage::Format_RGB32);
    image.fill(Qt::white);

    QPainter p(&image);
    p.drawImage(0, 0, field.image());
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const TraceRecorder::Drawn &d : model.segments()) drawSegment(p, d.segment, faint(d.color), 5);
    for (const TraceRecorder::Drawn &d : c.colourDiffers)
        drawSegment(p, d.segment, QColor::fromRgb(DiffColor::ColourDiffers), 3);
    for (const TraceRecorder::Drawn &d : c.missing)
        drawSegment(p, d.segment, QColor::fromRgb(DiffColor::Missing), 3);
    for (const TraceRecorder::Drawn &d : c.extra)
        drawSegment(p, d.segment, QColor::fromRgb(DiffColor::Extra), 3);
    const QColor endColor(0x40, 0x40, 0x40);
    drawRing(p, nodeCentre(c.modelEnd.x(), c.modelEnd.y()), endColor);
    drawCross(p, nodeCentre(c.pupilEnd.x(), c.pupilEnd.y()), QColor::fromRgb(DiffColor::Extra));

    // The legend: the picture must explain itself to whoever opens it from a folder.
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    p.setFont(font);
    const int top = FieldPicture::Height + 2;
    struct Key {
        QRgb color;
        const char *label;
    };
    const Key keys[] = {{DiffColor::Missing, "missing"},
                        {DiffColor::Extra, "extra"},
                        {DiffColor::ColourDiffers, "other colour"}};
    int x = 10;
    for (const Key &k : keys) {
        p.setPen(QPen(QColor::fromRgb(k.color), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, top + 10), QPointF(x + 18, top + 10));
        p.setPen(Qt::black);
        p.drawText(QRect(x + 24, top + 2, 90, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(k.label));
        x += 112;
    }
    drawRing(p, QPointF(19, top + 30), endColor);
    p.setPen(Qt::black);
    p.drawText(QRect(34, top + 22, 120, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("model's end"));
    drawCross(p, QPointF(141, top + 30), QColor::fromRgb(DiffColor::Extra));
    p.setPen(Qt::black);
    p.drawText(QRect(156, top + 22, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("pupil's end"));
    p.end();
    return image;
}
