#include "app/Icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

// Every icon is drawn on a 16-unit grid; outlines sit on half units so that they fall on
// whole pixels at 16 × 16. Shapes are flat fills with an outline of the same hue, a
// little darker, so the set reads as one family.

namespace {

const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperLine(0x6e, 0x76, 0x80);
const QColor kTextLine(0xa8, 0xb2, 0xbe);
const QColor kBlue(0x3b, 0x7d, 0xd8);
const QColor kGreen(0x34, 0xa8, 0x53);
const QColor kRed(0xdd, 0x44, 0x3a);
const QColor kYellow(0xf4, 0xc4, 0x30);
const QColor kOrange(0xf0, 0x8a, 0x24);
const QColor kPurple(0x8e, 0x5c, 0xc9);
const QColor kGrey(0x8e, 0x96, 0xa0);
const QColor kBrown(0xb7, 0x7b, 0x45);
const QColor kPink(0xf2, 0x9c, 0xb0);

QColor edge(const QColor &fill) { return fill.darker(165); }

QPen pen(const QColor &c, qreal w = 1.0)
{
    QPen p(c, w);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void shape(QPainter &p, const QPainterPath &path, const QColor &fill)
{
    p.setPen(pen(edge(fill)));
    p.setBrush(fill);
    p.drawPath(path);
}

void box(QPainter &p, const QRectF &r, const QColor &fill, qreal radius = 1.5)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    shape(p, path, fill);
}

// A sheet of paper with a folded corner; lines of text when asked.
void sheet(QPainter &p, const QRectF &r, int textLines = 0)
{
    const qreal f = 3.0;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - f, r.top());
    path.lineTo(r.right(), r.top() + f);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(pen(kPaperLine));
    p.setBrush(kPaper);
    p.drawPath(path);
    QPainterPath fold;
    fold.moveTo(r.right() - f, r.top());
    fold.lineTo(r.right() - f, r.top() + f);
    fold.lineTo(r.right(), r.top() + f);
    p.setBrush(QColor(0xdd, 0xe3, 0xea));
    p.drawPath(fold);
    p.setPen(pen(kTextLine));
    for (int i = 0; i < textLines; ++i) {
        const qreal y = r.top() + 3.5 + 2 * i;
        if (y > r.bottom() - 1.5) break;
        const qreal right = (i == 0) ? r.right() - f - 1 : r.right() - 2 - (i % 2) * 2;
        p.drawLine(QPointF(r.left() + 2, y), QPointF(right, y));
    }
}

// A thick arrow along a path, with a filled head at its end pointing along angleDeg.
void arrowHead(QPainter &p, QPointF tip, qreal angleDeg, const QColor &c, qreal size = 3.5)
{
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF dir(qCos(a), qSin(a));
    const QPointF normal(-dir.y(), dir.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - dir * size + normal * size * 0.85);
    head.lineTo(tip - dir * size - normal * size * 0.85);
    head.closeSubpath();
    p.setPen(pen(edge(c), 0.8));
    p.setBrush(c);
    p.drawPath(head);
}

void band(QPainter &p, const QPainterPath &path, const QColor &c, qreal width = 2.2)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(edge(c), width + 1.2));
    p.drawPath(path);
    p.setPen(pen(c, width));
    p.drawPath(path);
}

void floppy(QPainter &p, const QRectF &r)
{
    QPainterPath body;
    const qreal c = r.width() * 0.2;
    body.moveTo(r.left(), r.top());
    body.lineTo(r.right() - c, r.top());
    body.lineTo(r.right(), r.top() + c);
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.left(), r.bottom());
    body.closeSubpath();
    shape(p, body, kBlue);
    // shutter at the top, label at the bottom
    const qreal w = r.width();
    p.setPen(pen(edge(kGrey), 0.8));
    p.setBrush(QColor(0xd5, 0xdb, 0xe2));
    p.drawRect(QRectF(r.left() + w * 0.25, r.top(), w * 0.45, r.height() * 0.32));
    p.setPen(Qt::NoPen);
    p.setBrush(edge(kBlue));
    p.drawRect(QRectF(r.left() + w * 0.5, r.top() + r.height() * 0.06, w * 0.12, r.height() * 0.2));
    p.setPen(pen(edge(kBlue), 0.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(r.left() + w * 0.15, r.top() + r.height() * 0.52, w * 0.7, r.height() * 0.48));
    p.setPen(pen(kTextLine, 0.8));
    p.drawLine(QPointF(r.left() + w * 0.28, r.top() + r.height() * 0.68),
               QPointF(r.right() - w * 0.28, r.top() + r.height() * 0.68));
}

void pencil(QPainter &p, QPointF tip, qreal len)
{
    // pointing down-left at 45°
    p.save();
    p.translate(tip);
    p.rotate(-45);
    QPainterPath body;
    body.addRect(QRectF(2.5, -1.4, len - 4.5, 2.8));
    shape(p, body, kOrange);
    QPainterPath rubber;
    rubber.addRect(QRectF(len - 2, -1.4, 2, 2.8));
    shape(p, rubber, kPink);
    QPainterPath point;
    point.moveTo(0, 0);
    point.lineTo(2.5, -1.4);
    point.lineTo(2.5, 1.4);
    point.closeSubpath();
    shape(p, point, QColor(0xf3, 0xd9, 0xa6));
    p.restore();
}

void eraser(QPainter &p, QPointF at)
{
    p.save();
    p.translate(at);
    p.rotate(-40);
    QPainterPath a;
    a.addRoundedRect(QRectF(-4.5, -2.2, 4.5, 4.4), 0.8, 0.8);
    shape(p, a, kPink);
    QPainterPath b;
    b.addRoundedRect(QRectF(0, -2.2, 4.5, 4.4), 0.8, 0.8);
    shape(p, b, kBlue);
    p.restore();
}

void badgePlus(QPainter &p, QPointF c, const QColor &col)
{
    QPainterPath circle;
    circle.addEllipse(c, 3.2, 3.2);
    shape(p, circle, col);
    p.setPen(pen(Qt::white, 1.3));
    p.drawLine(c - QPointF(1.6, 0), c + QPointF(1.6, 0));
    p.drawLine(c - QPointF(0, 1.6), c + QPointF(0, 1.6));
}

void badgeCross(QPainter &p, QPointF c)
{
    QPainterPath circle;
    circle.addEllipse(c, 3.2, 3.2);
    shape(p, circle, kRed);
    p.setPen(pen(Qt::white, 1.3));
    p.drawLine(c - QPointF(1.3, 1.3), c + QPointF(1.3, 1.3));
    p.drawLine(c + QPointF(-1.3, 1.3), c + QPointF(1.3, -1.3));
}

void robot(QPainter &p, const QRectF &r, bool ghost = false)
{
    p.save();
    if (ghost) p.setOpacity(0.45);
    const qreal w = r.width(), h = r.height();
    // antenna
    p.setPen(pen(edge(kGrey)));
    p.drawLine(QPointF(r.center().x(), r.top() + h * 0.08), QPointF(r.center().x(), r.top() + h * 0.3));
    QPainterPath ball;
    ball.addEllipse(QPointF(r.center().x(), r.top() + h * 0.08), 1.3, 1.3);
    shape(p, ball, kRed);
    // head
    QRectF head(r.left() + w * 0.1, r.top() + h * 0.28, w * 0.8, h * 0.62);
    box(p, head, QColor(0x9f, 0xc1, 0xe6), 2.0);
    // eyes
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    const qreal ey = head.top() + head.height() * 0.4;
    p.drawEllipse(QPointF(head.left() + head.width() * 0.3, ey), 1.6, 1.6);
    p.drawEllipse(QPointF(head.right() - head.width() * 0.3, ey), 1.6, 1.6);
    p.setBrush(QColor(0x22, 0x2a, 0x35));
    p.drawEllipse(QPointF(head.left() + head.width() * 0.3 + 0.3, ey), 0.8, 0.8);
    p.drawEllipse(QPointF(head.right() - head.width() * 0.3 + 0.3, ey), 0.8, 0.8);
    // mouth
    p.setPen(pen(edge(QColor(0x9f, 0xc1, 0xe6)), 0.9));
    const qreal my = head.top() + head.height() * 0.78;
    p.drawLine(QPointF(head.left() + head.width() * 0.32, my), QPointF(head.right() - head.width() * 0.32, my));
    p.restore();
}

// An arc of a band with a head at its end, following the direction of travel.
void arcArrow(QPainter &p, const QRectF &r, qreal startDeg, qreal sweepDeg, const QColor &c,
              qreal width = 1.8, qreal head = 3.4)
{
    QPainterPath arc;
    arc.arcMoveTo(r, startDeg);
    arc.arcTo(r, startDeg, sweepDeg);
    band(p, arc, c, width);
    const qreal e = qDegreesToRadians(startDeg + sweepDeg);
    const QPointF end(r.center().x() + r.width() / 2 * qCos(e), r.center().y() - r.height() / 2 * qSin(e));
    QPointF dir(-qSin(e), -qCos(e));
    if (sweepDeg < 0) dir = -dir;
    arrowHead(p, end + dir * (head * 0.8), qRadiansToDegrees(qAtan2(dir.y(), dir.x())), c, head);
}

// A loop arrow around a centre, open on the right.
void loopArrow(QPainter &p, const QColor &c)
{
    arcArrow(p, QRectF(2, 2.5, 11, 11), 50, 265, c);
}

void glyph(QPainter &p, const QRectF &r, const QString &text, const QColor &c, qreal px, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qRound(px * p.transform().m11()));
    f.setBold(bold);
    p.save();
    const qreal s = p.transform().m11();
    p.resetTransform();
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(r.left() * s, r.top() * s, r.width() * s, r.height() * s), Qt::AlignCenter, text);
    p.restore();
}

void drawIcon(QPainter &p, IconId id)
{
    switch (id) {
    case IconId::New: {
        sheet(p, QRectF(2.5, 1.5, 10, 13), 0);
        // sparkle: something new
        QPainterPath star;
        const QPointF c(12, 4);
        for (int i = 0; i < 8; ++i) {
            const qreal rr = (i % 2) ? 1.2 : 3.6;
            const qreal a = qDegreesToRadians(45.0 * i - 90);
            const QPointF pt = c + QPointF(qCos(a), qSin(a)) * rr;
            if (i == 0) star.moveTo(pt); else star.lineTo(pt);
        }
        star.closeSubpath();
        shape(p, star, kYellow);
        break;
    }
    case IconId::Open: {
        QPainterPath back;
        back.moveTo(1.5, 3.5);
        back.lineTo(5.5, 3.5);
        back.lineTo(7, 5);
        back.lineTo(13.5, 5);
        back.lineTo(13.5, 13.5);
        back.lineTo(1.5, 13.5);
        back.closeSubpath();
        shape(p, back, QColor(0xd9, 0xa4, 0x2a));
        sheet(p, QRectF(3.5, 6.5, 8, 5), 0);
        QPainterPath front;
        front.moveTo(1.5, 13.5);
        front.lineTo(3.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(13.5, 13.5);
        front.closeSubpath();
        shape(p, front, kYellow);
        break;
    }
    case IconId::Save:
        floppy(p, QRectF(1.5, 1.5, 13, 13));
        break;
    case IconId::SaveAs:
        floppy(p, QRectF(0.5, 0.5, 11.5, 11.5));
        pencil(p, QPointF(7.2, 14.8), 11);
        break;
    case IconId::SavePicture: {
        box(p, QRectF(0.5, 1.5, 13, 10.5), kPaper, 1.0);
        QPainterPath sky;
        sky.addRect(QRectF(2, 3, 10, 7.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xbf, 0xe0, 0xfa));
        p.drawPath(sky);
        QPainterPath hill;
        hill.moveTo(2, 10.5);
        hill.lineTo(5.5, 6);
        hill.lineTo(8, 8.5);
        hill.lineTo(9.5, 7);
        hill.lineTo(12, 10.5);
        hill.closeSubpath();
        p.setBrush(kGreen);
        p.drawPath(hill);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(10, 4.8), 1.2, 1.2);
        floppy(p, QRectF(8.5, 8.5, 7, 7));
        break;
    }
    case IconId::Exit: {
        // door frame, open door, arrow leaving
        box(p, QRectF(1.5, 1.5, 8, 13), QColor(0xcf, 0xd6, 0xde), 0.5);
        QPainterPath door;
        door.moveTo(1.5, 1.5);
        door.lineTo(6.5, 3);
        door.lineTo(6.5, 15.5);
        door.lineTo(1.5, 14.5);
        door.closeSubpath();
        shape(p, door, kBrown);
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(5.3, 9), 0.7, 0.7);
        QPainterPath shaft;
        shaft.moveTo(8.5, 8);
        shaft.lineTo(12.5, 8);
        band(p, shaft, kRed, 1.8);
        arrowHead(p, QPointF(15.3, 8), 0, kRed, 3.2);
        break;
    }
    case IconId::Undo:
    case IconId::Redo: {
        p.save();
        if (id == IconId::Redo) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        QPainterPath path;
        path.moveTo(4, 6);
        path.lineTo(9.5, 6);
        path.cubicTo(13.5, 6, 13.5, 13, 9.5, 13);
        path.lineTo(6, 13);
        band(p, path, kBlue, 2.0);
        arrowHead(p, QPointF(0.8, 6), 180, kBlue, 3.8);
        p.restore();
        break;
    }
    case IconId::Cut: {
        // blades
        p.setPen(pen(edge(kGrey), 2.2));
        p.drawLine(QPointF(5.5, 9.5), QPointF(11, 1.5));
        p.drawLine(QPointF(10.5, 9.5), QPointF(5, 1.5));
        p.setPen(pen(QColor(0xd9, 0xde, 0xe4), 1.0));
        p.drawLine(QPointF(5.5, 9.5), QPointF(11, 1.5));
        p.drawLine(QPointF(10.5, 9.5), QPointF(5, 1.5));
        // handles
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(edge(kRed), 2.6));
        p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
        p.setPen(pen(kRed, 1.4));
        p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
        p.setPen(Qt::NoPen);
        p.setBrush(edge(kGrey));
        p.drawEllipse(QPointF(8, 5.6), 0.8, 0.8);
        break;
    }
    case IconId::Copy:
        sheet(p, QRectF(1.5, 1.5, 8, 10), 3);
        sheet(p, QRectF(6.5, 4.5, 8, 10), 4);
        break;
    case IconId::Paste: {
        box(p, QRectF(1.5, 2.5, 10, 12.5), kBrown, 1.2);
        box(p, QRectF(4, 1, 5, 3), kGrey, 0.8);
        sheet(p, QRectF(6.5, 5.5, 8, 10), 4);
        break;
    }
    case IconId::ClearAlgorithm:
        sheet(p, QRectF(1.5, 1.5, 10, 13), 5);
        eraser(p, QPointF(11.2, 11.5));
        break;
    case IconId::ClearField: {
        box(p, QRectF(1.5, 1.5, 12, 12), QColor(0xf4, 0xf7, 0xfa), 0.5);
        p.setPen(pen(QColor(0xb9, 0xc3, 0xce), 0.7));
        for (int i = 1; i < 4; ++i) {
            p.drawLine(QPointF(1.5 + 3 * i, 1.5), QPointF(1.5 + 3 * i, 13.5));
            p.drawLine(QPointF(1.5, 1.5 + 3 * i), QPointF(13.5, 1.5 + 3 * i));
        }
        QPainterPath trace;
        trace.moveTo(4.5, 10.5);
        trace.lineTo(4.5, 4.5);
        trace.lineTo(10.5, 4.5);
        p.setPen(pen(kRed, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(trace);
        eraser(p, QPointF(11.2, 11.5));
        break;
    }
    case IconId::Refresh:
        arcArrow(p, QRectF(2.5, 2.5, 10, 10), 110, 120, kGreen, 1.8, 3.6);
        arcArrow(p, QRectF(2.5, 2.5, 10, 10), 290, 120, kGreen, 1.8, 3.6);
        break;
    case IconId::SelectAll: {
        sheet(p, QRectF(2.5, 1.5, 11, 13), 0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3b, 0x7d, 0xd8, 150));
        p.drawRect(QRectF(4, 4, 8, 9));
        p.setPen(pen(kPaper, 1.0));
        for (int i = 0; i < 4; ++i) p.drawLine(QPointF(5, 5.5 + 2 * i), QPointF(11 - (i % 2) * 2, 5.5 + 2 * i));
        break;
    }
    case IconId::Run: {
        QPainterPath tri;
        tri.moveTo(3.5, 1.5);
        tri.lineTo(14, 8);
        tri.lineTo(3.5, 14.5);
        tri.closeSubpath();
        shape(p, tri, kGreen);
        break;
    }
    case IconId::Pause:
        box(p, QRectF(3.5, 2.5, 3.5, 11), kBlue, 1.0);
        box(p, QRectF(9, 2.5, 3.5, 11), kBlue, 1.0);
        break;
    case IconId::Stop:
        box(p, QRectF(2.5, 2.5, 11, 11), kRed, 2.0);
        break;
    case IconId::Check:
        sheet(p, QRectF(1.5, 1.5, 10, 13), 5);
        {
            QPainterPath c;
            c.addEllipse(QPointF(11.2, 11.2), 4.2, 4.2);
            shape(p, c, kGreen);
            p.setPen(pen(Qt::white, 1.5));
            p.setBrush(Qt::NoBrush);
            QPainterPath m;
            m.moveTo(9.0, 11.2);
            m.lineTo(10.6, 12.8);
            m.lineTo(13.4, 9.6);
            p.drawPath(m);
        }
        break;
    case IconId::ManualMode: {
        // a direction pad
        QPainterPath pad;
        pad.addRoundedRect(QRectF(5.5, 1.5, 5, 13), 1.2, 1.2);
        pad.addRoundedRect(QRectF(1.5, 5.5, 13, 5), 1.2, 1.2);
        pad.setFillRule(Qt::WindingFill);
        shape(p, pad.simplified(), QColor(0x55, 0x60, 0x6e));
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow);
        auto tri = [&](QPointF a, QPointF b, QPointF c) {
            QPainterPath t;
            t.moveTo(a);
            t.lineTo(b);
            t.lineTo(c);
            t.closeSubpath();
            p.drawPath(t);
        };
        tri({8, 2.8}, {6.6, 4.6}, {9.4, 4.6});
        tri({8, 13.2}, {6.6, 11.4}, {9.4, 11.4});
        tri({2.8, 8}, {4.6, 6.6}, {4.6, 9.4});
        tri({13.2, 8}, {11.4, 6.6}, {11.4, 9.4});
        p.setBrush(QColor(0x8a, 0x95, 0xa3));
        p.drawEllipse(QPointF(8, 8), 1.3, 1.3);
        break;
    }
    case IconId::Preferences: {
        QPainterPath gear;
        const QPointF c(8, 8);
        const int teeth = 8;
        for (int i = 0; i < teeth * 4; ++i) {
            const qreal a = qDegreesToRadians(360.0 * i / (teeth * 4) - 90 + 360.0 / teeth / 8);
            const qreal r = (i % 4 < 2) ? 7.0 : 5.0;
            const QPointF pt = c + QPointF(qCos(a), qSin(a)) * r;
            if (i == 0) gear.moveTo(pt); else gear.lineTo(pt);
        }
        gear.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(c, 2.2, 2.2);
        shape(p, gear.subtracted(hole), kGrey);
        break;
    }
    case IconId::BeginEnd: {
        sheet(p, QRectF(2.5, 1.5, 11, 13), 0);
        p.setPen(pen(kGreen, 2.0));
        p.drawLine(QPointF(4.5, 4), QPointF(9, 4));
        p.setPen(pen(kTextLine));
        p.drawLine(QPointF(6, 6.5), QPointF(11, 6.5));
        p.drawLine(QPointF(6, 8.5), QPointF(10, 8.5));
        p.drawLine(QPointF(6, 10.5), QPointF(11, 10.5));
        p.setPen(pen(kRed, 2.0));
        p.drawLine(QPointF(4.5, 12.8), QPointF(9, 12.8));
        break;
    }
    case IconId::CreateProcedure:
    case IconId::CallProcedure: {
        const bool call = id == IconId::CallProcedure;
        const QRectF r = call ? QRectF(5.5, 2.5, 9, 11) : QRectF(1.5, 1.5, 10, 11);
        box(p, r, kPurple, 1.5);
        p.setPen(pen(QColor(0xe9, 0xdf, 0xf7), 1.0));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(r.left() + 2, r.top() + 3 + 2.5 * i),
                       QPointF(r.right() - 2 - (i == 1 ? 2 : 0), r.top() + 3 + 2.5 * i));
        if (call) {
            QPainterPath shaft;
            shaft.moveTo(0.8, 8);
            shaft.lineTo(4.5, 8);
            band(p, shaft, kOrange, 1.8);
            arrowHead(p, QPointF(8.8, 8), 0, kOrange, 3.6);
        } else {
            badgePlus(p, QPointF(11.8, 11.8), kGreen);
        }
        break;
    }
    case IconId::CountedLoop:
        loopArrow(p, kBlue);
        glyph(p, QRectF(3, 3, 10, 10), QStringLiteral("3"), edge(kBlue), 7.5);
        break;
    case IconId::ConditionalLoop:
        loopArrow(p, kBlue);
        glyph(p, QRectF(3, 3, 10, 10), QStringLiteral("?"), kOrange.darker(130), 8);
        break;
    case IconId::Condition: {
        QPainterPath d;
        d.moveTo(8, 1.5);
        d.lineTo(14.5, 8);
        d.lineTo(8, 14.5);
        d.lineTo(1.5, 8);
        d.closeSubpath();
        shape(p, d, kYellow);
        glyph(p, QRectF(3, 3.2, 10, 10), QStringLiteral("?"), edge(kOrange), 8);
        break;
    }
    case IconId::Colour: {
        QPainterPath pal;
        pal.addEllipse(QRectF(1.5, 2.5, 13, 11));
        QPainterPath thumb;
        thumb.addEllipse(QPointF(9.8, 10.3), 1.6, 1.6);
        shape(p, pal.subtracted(thumb), QColor(0xf1, 0xdc, 0xb4));
        const QColor dots[] = {kRed, kYellow, kGreen, kBlue};
        const QPointF at[] = {{4.5, 8.5}, {5.5, 5.3}, {8.8, 4.6}, {11.8, 6.6}};
        for (int i = 0; i < 4; ++i) {
            QPainterPath d;
            d.addEllipse(at[i], 1.5, 1.5);
            shape(p, d, dots[i]);
        }
        break;
    }
    case IconId::Destroy:
        robot(p, QRectF(0.5, 0.5, 12, 13), true);
        badgeCross(p, QPointF(11.8, 11.8));
        break;
    case IconId::Rebuild:
        robot(p, QRectF(0.5, 0.5, 12, 13));
        badgePlus(p, QPointF(11.8, 11.8), kGreen);
        break;
    case IconId::Help:
    case IconId::About: {
        QPainterPath c;
        c.addEllipse(QPointF(8, 8), 6.5, 6.5);
        shape(p, c, kBlue);
        if (id == IconId::Help) {
            glyph(p, QRectF(2, 2.2, 12, 12), QStringLiteral("?"), kPaper, 10);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
            p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6), 0.6, 0.6);
        }
        break;
    }
    case IconId::Count_:
        break;
    }
}

} // namespace

QPixmap iconPixmap(IconId id, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 16.0, size / 16.0);
    drawIcon(p, id);
    return pm;
}

QIcon icon(IconId id)
{
    static QHash<int, QIcon> cache;
    auto it = cache.constFind(int(id));
    if (it != cache.constEnd()) return *it;
    QIcon ic;
    if (id != IconId::Count_) {
        ic.addPixmap(iconPixmap(id, 16));
        ic.addPixmap(iconPixmap(id, 32));
    }
    cache.insert(int(id), ic);
    return ic;
}

const char *iconName(IconId id)
{
    static const char *const names[] = {
        "new", "open", "save", "save as", "save picture", "exit",
        "undo", "redo", "cut", "copy", "paste", "clear algorithm", "clear field", "refresh",
        "select all", "run", "pause", "stop", "check", "manual mode", "preferences",
        "begin/end", "create procedure", "call procedure", "counted loop", "conditional loop",
        "condition", "colour", "destroy", "rebuild", "help", "about"};
    static_assert(sizeof(names) / sizeof(names[0]) == iconCount);
    const int i = int(id);
    return (i >= 0 && i < iconCount) ? names[i] : "";
}
