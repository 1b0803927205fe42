#include "app/AboutPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

namespace {

void begin(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// The robot in a friendly style; asleep closes its eyes. Drawn in a 100 × 100 box.
void robot(QPainter &p, const QRectF &r, bool asleep = false)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 100.0, r.height() / 100.0);
    const QColor body(0x9f, 0xc1, 0xe6), line(0x3d, 0x5a, 0x80);
    p.setPen(QPen(line, 3));
    p.drawLine(QPointF(50, 8), QPointF(50, 24));
    p.setBrush(QColor(0xdd, 0x44, 0x3a));
    p.drawEllipse(QPointF(50, 8), 6, 6);
    // ears
    p.setBrush(QColor(0x7a, 0x9c, 0xc4));
    p.drawRoundedRect(QRectF(6, 42, 10, 22), 4, 4);
    p.drawRoundedRect(QRectF(84, 42, 10, 22), 4, 4);
    // head
    p.setBrush(body);
    p.drawRoundedRect(QRectF(14, 24, 72, 62), 14, 14);
    // face plate
    p.setBrush(QColor(0xe8, 0xf1, 0xfb));
    p.drawRoundedRect(QRectF(24, 36, 52, 38), 10, 10);
    p.setPen(QPen(QColor(0x22, 0x2a, 0x35), 3.5, Qt::SolidLine, Qt::RoundCap));
    if (asleep) {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(32, 46, 12, 8), 200 * 16, 140 * 16);
        p.drawArc(QRectF(56, 46, 12, 8), 200 * 16, 140 * 16);
    } else {
        p.setBrush(QColor(0x22, 0x2a, 0x35));
        p.drawEllipse(QPointF(38, 51), 4.5, 4.5);
        p.drawEllipse(QPointF(62, 51), 4.5, 4.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(39.5, 49.5), 1.5, 1.5);
        p.drawEllipse(QPointF(63.5, 49.5), 1.5, 1.5);
        p.setPen(QPen(QColor(0x22, 0x2a, 0x35), 3.5, Qt::SolidLine, Qt::RoundCap));
    }
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(40, 56, 20, 10), 200 * 16, 140 * 16);
    // cheeks
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0x9c, 0xb0, 160));
    p.drawEllipse(QPointF(30, 64), 4, 3);
    p.drawEllipse(QPointF(70, 64), 4, 3);
    p.restore();
}

void grid(QPainter &p, const QRectF &r, int cells, const QColor &bg, const QColor &line)
{
    p.fillRect(r, bg);
    p.setPen(QPen(line, 1));
    const qreal sx = r.width() / cells, sy = r.height() / cells;
    for (int i = 0; i <= cells; ++i) {
        p.drawLine(QPointF(r.left() + i * sx, r.top()), QPointF(r.left() + i * sx, r.bottom()));
        p.drawLine(QPointF(r.left(), r.top() + i * sy), QPointF(r.right(), r.top() + i * sy));
    }
}

void photoField(QPainter &p, int w, int h)
{
    p.fillRect(0, 0, w, h, QColor(0xe7, 0xee, 0xf5));
    const int cells = 10;
    const qreal side = h - 20.0;
    const QRectF field(14, 10, side, side);
    grid(p, field, cells, Qt::white, QColor(0xc9, 0xd4, 0xe0));
    const qreal s = side / cells;
    // a square spiral, one colour per turn
    const QColor colours[] = {QColor(0xdd, 0x44, 0x3a), QColor(0xf0, 0x8a, 0x24),
                              QColor(0xf4, 0xc4, 0x30), QColor(0x34, 0xa8, 0x53),
                              QColor(0x3b, 0x7d, 0xd8), QColor(0x8e, 0x5c, 0xc9)};
    QPoint at(5, 5);
    const QPoint dirs[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    int len = 1, d = 0;
    for (int seg = 0; seg < 15; ++seg) {
        const QPoint next = at + dirs[d] * (len > 4 ? 4 : len);
        const QPoint clamped(qBound(1, next.x(), 9), qBound(1, next.y(), 9));
        p.setPen(QPen(colours[seg % 6], 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(field.topLeft() + QPointF(at.x() * s, at.y() * s),
                   field.topLeft() + QPointF(clamped.x() * s, clamped.y() * s));
        at = clamped;
        d = (d + 1) % 4;
        if (seg % 2) ++len;
    }
    robot(p, QRectF(field.left() + at.x() * s - 18, field.top() + at.y() * s - 22, 36, 36));
    // a second, smaller field with a star
    const QRectF star(field.right() + 20, 22, w - field.right() - 36, h - 44);
    grid(p, star, 6, Qt::white, QColor(0xc9, 0xd4, 0xe0));
    QPainterPath path;
    const QPointF c = star.center();
    const qreal rad = star.width() * 0.38;
    for (int i = 0; i <= 5; ++i) {
        const qreal a = qDegreesToRadians(-90.0 + 144.0 * i);
        const QPointF pt = c + QPointF(qCos(a), qSin(a)) * rad;
        if (i == 0) path.moveTo(pt); else path.lineTo(pt);
    }
    p.setPen(QPen(QColor(0x8e, 0x5c, 0xc9), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void photoClassroom(QPainter &p, int w, int h)
{
    p.fillRect(0, 0, w, h, QColor(0xf3, 0xe6, 0xc8));
    p.fillRect(QRectF(0, h * 0.78, w, h * 0.22), QColor(0xb7, 0x8a, 0x5c));
    // window
    const QRectF win(w * 0.74, 18, w * 0.2, h * 0.42);
    QLinearGradient sky(win.topLeft(), win.bottomLeft());
    sky.setColorAt(0, QColor(0x8e, 0xc8, 0xf4));
    sky.setColorAt(1, QColor(0xd6, 0xee, 0xff));
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(sky);
    p.drawRect(win);
    p.drawLine(QPointF(win.center().x(), win.top()), QPointF(win.center().x(), win.bottom()));
    p.drawLine(QPointF(win.left(), win.center().y()), QPointF(win.right(), win.center().y()));
    // blackboard with an algorithm in chalk
    const QRectF board(20, 16, w * 0.6, h * 0.5);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x2e), 5));
    p.setBrush(QColor(0x2f, 0x5d, 0x46));
    p.drawRect(board);
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(qMax(8, int(h * 0.065)));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0xf4, 0xf4, 0xee));
    const char *lines[] = {"НАЧАЛО", "  ШАГ", "  ПОВОРОТ 90", "  ШАГ", "КОНЕЦ"};
    qreal y = board.top() + f.pixelSize() + 6;
    for (const char *l : lines) {
        p.drawText(QPointF(board.left() + 12, y), QString::fromUtf8(l));
        y += f.pixelSize() * 1.25;
    }
    // a small chalk drawing of the result
    p.setPen(QPen(QColor(0xf4, 0xe0, 0x6a), 2));
    const QPointF o(board.right() - 40, board.bottom() - 18);
    p.drawLine(o, o + QPointF(0, -30));
    p.drawLine(o + QPointF(0, -30), o + QPointF(24, -30));
    // desks with pupils' screens
    for (int i = 0; i < 3; ++i) {
        const qreal x = 24 + i * (w - 48) / 3.0;
        const QRectF desk(x, h * 0.72, (w - 48) / 3.0 - 14, 10);
        p.setPen(QPen(QColor(0x6b, 0x47, 0x24), 1));
        p.setBrush(QColor(0x9c, 0x6a, 0x3b));
        p.drawRect(desk);
        const QRectF screen(desk.center().x() - 20, desk.top() - 30, 40, 27);
        p.setBrush(QColor(0x3a, 0x40, 0x48));
        p.drawRoundedRect(screen, 3, 3);
        p.fillRect(screen.adjusted(3, 3, -3, -3), QColor(0xe8, 0xf1, 0xfb));
        p.setPen(QPen(QColor(0xdd, 0x44, 0x3a), 1.5));
        p.drawLine(screen.center() + QPointF(-8, 5), screen.center() + QPointF(-8, -5));
        p.drawLine(screen.center() + QPointF(-8, -5), screen.center() + QPointF(6, -5));
    }
}

void photoSunset(QPainter &p, int w, int h)
{
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x4a, 0x3b, 0x8c));
    sky.setColorAt(0.5, QColor(0xe8, 0x6f, 0x5a));
    sky.setColorAt(0.8, QColor(0xf9, 0xc8, 0x6b));
    p.fillRect(0, 0, w, h, sky);
    QRadialGradient glow(QPointF(w * 0.3, h * 0.62), h * 0.4);
    glow.setColorAt(0, QColor(0xff, 0xee, 0xaa, 200));
    glow.setColorAt(1, QColor(0xff, 0xee, 0xaa, 0));
    p.fillRect(0, 0, w, h, glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0x7a));
    p.drawEllipse(QPointF(w * 0.3, h * 0.62), h * 0.12, h * 0.12);
    // hills
    QPainterPath far;
    far.moveTo(0, h * 0.7);
    far.cubicTo(w * 0.25, h * 0.55, w * 0.5, h * 0.75, w, h * 0.6);
    far.lineTo(w, h);
    far.lineTo(0, h);
    p.setBrush(QColor(0x6b, 0x4c, 0x7a));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, h * 0.85);
    near.cubicTo(w * 0.3, h * 0.75, w * 0.6, h * 0.9, w, h * 0.8);
    near.lineTo(w, h);
    near.lineTo(0, h);
    p.setBrush(QColor(0x3c, 0x2e, 0x52));
    p.drawPath(near);
    // the school, windows lit
    const QRectF school(w * 0.55, h * 0.5, w * 0.34, h * 0.32);
    p.setBrush(QColor(0x2a, 0x21, 0x3b));
    p.drawRect(school);
    p.drawRect(QRectF(school.center().x() - 12, school.top() - 16, 24, 16));
    p.setBrush(QColor(0x2a, 0x21, 0x3b));
    p.drawRect(QRectF(school.center().x() - 1, school.top() - 30, 2, 14));
    p.setBrush(QColor(0xf4, 0xc4, 0x30));
    p.drawPolygon(QPolygonF({school.center() + QPointF(1, -school.height() / 2 - 30),
                             school.center() + QPointF(13, -school.height() / 2 - 26),
                             school.center() + QPointF(1, -school.height() / 2 - 22)}));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 5; ++col) {
            const bool lit = (row * 5 + col) % 3 != 1;
            p.setBrush(lit ? QColor(0xff, 0xd8, 0x6b) : QColor(0x45, 0x3a, 0x5a));
            p.drawRect(QRectF(school.left() + 8 + col * (school.width() - 16) / 5.0,
                              school.top() + 10 + row * school.height() * 0.42, 9, 11));
        }
    // birds
    p.setPen(QPen(QColor(0x2a, 0x21, 0x3b), 1.5));
    p.setBrush(Qt::NoBrush);
    for (const QPointF b : {QPointF(w * 0.15, h * 0.25), QPointF(w * 0.22, h * 0.2), QPointF(w * 0.45, h * 0.3)}) {
        p.drawArc(QRectF(b, QSizeF(8, 6)), 0, 180 * 16);
        p.drawArc(QRectF(b + QPointF(8, 0), QSizeF(8, 6)), 0, 180 * 16);
    }
}

void photoNight(QPainter &p, int w, int h)
{
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x0d, 0x1b, 0x3d));
    sky.setColorAt(1, QColor(0x2a, 0x4a, 0x7c));
    p.fillRect(0, 0, w, h, sky);
    QRandomGenerator stars(2007);   // same sky on every show
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        const QPointF s(stars.bounded(w), stars.bounded(h * 0.7));
        p.setBrush(QColor(255, 255, 230, 120 + stars.bounded(135)));
        p.drawEllipse(s, 0.8 + stars.bounded(10) / 10.0, 0.8 + stars.bounded(10) / 10.0);
    }
    // moon
    QPainterPath moon;
    moon.addEllipse(QPointF(w * 0.8, h * 0.25), 22, 22);
    QPainterPath bite;
    bite.addEllipse(QPointF(w * 0.8 + 10, h * 0.25 - 6), 20, 20);
    p.setBrush(QColor(0xfb, 0xf0, 0xc0));
    p.drawPath(moon.subtracted(bite));
    // ground with a grid field, the robot asleep on it
    p.setBrush(QColor(0x1c, 0x3a, 0x2c));
    p.drawRect(QRectF(0, h * 0.78, w, h * 0.22));
    robot(p, QRectF(w * 0.3, h * 0.36, h * 0.5, h * 0.5), true);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    p.setPen(QColor(0xe8, 0xf1, 0xfb));
    const int sizes[] = {18, 14, 11};
    for (int i = 0; i < 3; ++i) {
        f.setPixelSize(sizes[i]);
        p.setFont(f);
        p.drawText(QPointF(w * 0.3 + h * 0.45 + i * 16, h * 0.38 - i * 14), i == 0 ? QStringLiteral("Z")
                                                                                   : QStringLiteral("z"));
    }
}

} // namespace

namespace AboutPictures {

QPixmap program(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    begin(p);
    const QRectF field(2, size * 0.3, size - 4, size * 0.68);
    p.setPen(QPen(QColor(0x6e, 0x76, 0x80), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(field, 3, 3);
    p.save();
    p.setClipRect(field.adjusted(1, 1, -1, -1));
    grid(p, field, 6, Qt::white, QColor(0xc9, 0xd4, 0xe0));
    p.restore();
    const qreal sx = field.width() / 6, sy = field.height() / 6;
    auto node = [&](int x, int y) { return field.topLeft() + QPointF(x * sx, y * sy); };
    const QColor colours[] = {QColor(0xdd, 0x44, 0x3a), QColor(0xf0, 0x8a, 0x24),
                              QColor(0x34, 0xa8, 0x53), QColor(0x3b, 0x7d, 0xd8)};
    const QPoint path[] = {{1, 5}, {1, 2}, {3, 2}, {3, 4}, {5, 4}};
    for (int i = 0; i + 1 < 5; ++i) {
        p.setPen(QPen(colours[i], qMax(2.0, size / 28.0), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(node(path[i].x(), path[i].y()), node(path[i + 1].x(), path[i + 1].y()));
    }
    robot(p, QRectF(size * 0.5, 0, size * 0.5, size * 0.5));
    return pm;
}

QPixmap envelope(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    begin(p);
    p.scale(size / 32.0, size / 32.0);
    const QColor edge(0x8a, 0x6d, 0x2e);
    p.setPen(QPen(edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xfb, 0xf3, 0xdc));
    p.drawRoundedRect(QRectF(2.5, 7.5, 27, 18), 2, 2);
    p.setBrush(QColor(0xf1, 0xe2, 0xb8));
    p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(16, 18), QPointF(29, 8)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdd, 0x44, 0x3a));
    QPainterPath heart;
    heart.moveTo(16, 24);
    heart.cubicTo(10, 20, 12, 15.5, 16, 18);
    heart.cubicTo(20, 15.5, 22, 20, 16, 24);
    p.drawPath(heart);
    return pm;
}

QPixmap lifebuoy(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    begin(p);
    p.scale(size / 32.0, size / 32.0);
    const QPointF c(16, 16);
    QPainterPath ring;
    ring.addEllipse(c, 13, 13);
    QPainterPath hole;
    hole.addEllipse(c, 6.5, 6.5);
    ring = ring.subtracted(hole);
    p.setPen(QPen(QColor(0x8c, 0x2a, 0x24), 1.2));
    p.setBrush(Qt::white);
    p.drawPath(ring);
    p.setClipPath(ring);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdd, 0x44, 0x3a));
    for (int i = 0; i < 4; ++i) p.drawPie(QRectF(2, 2, 28, 28), (i * 90 + 20) * 16, 50 * 16);
    return pm;
}

QPixmap photo(int index, int width, int height)
{
    QPixmap pm(width, height);
    pm.fill(Qt::white);
    QPainter p(&pm);
    begin(p);
    switch (index) {
    case 0: photoField(p, width, height); break;
    case 1: photoClassroom(p, width, height); break;
    case 2: photoSunset(p, width, height); break;
    case 3: photoNight(p, width, height); break;
    default: break;
    }
    return pm;
}

} // namespace AboutPictures
