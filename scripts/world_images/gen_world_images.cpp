// Draws the robot world's pictures: the nine robot sprites, the blank sprite, the eight
// heading arrows and the grey background texture. The results are committed under
// resources/world; rerun only to change the artwork:
//
//   g++ -std=c++20 -fPIC scripts/world_images/gen_world_images.cpp \
//       $(pkg-config --cflags --libs Qt6Gui) -o /tmp/gen_world_images
//   QT_QPA_PLATFORM=offscreen /tmp/gen_world_images resources/world
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSprite = 42;
// The node falls on sprite pixel (20, 22): the sprite sits 1 px left of and 3 px above the
// field corner, and nodes lie on pixel 19 of every 20.
constexpr double kCx = 20.5, kCy = 22.5;

// The robot seen from above, facing +x, centred on the origin. `awake` false draws the
// spare grey picture that is never shown.
void drawRobot(QPainter &p, bool awake)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 55));
    p.drawEllipse(QPointF(1.2, 1.4), 13.5, 15.0);   // soft shadow

    // Tracks on both sides.
    for (int side : {-1, 1}) {
        QRectF track(-9.5, side > 0 ? 10.0 : -16.0, 19.0, 6.0);
        p.setPen(QPen(QColor(20, 20, 24), 1.0));
        p.setBrush(QColor(60, 62, 70));
        p.drawRoundedRect(track, 2.2, 2.2);
        p.setPen(QPen(QColor(120, 124, 135), 0.9));
        for (double x = -7.0; x <= 7.5; x += 3.5)
            p.drawLine(QPointF(x, track.top() + 1.2), QPointF(x, track.bottom() - 1.2));
    }

    // Direction nose: a bright wedge ahead of the body.
    QPainterPath nose;
    nose.moveTo(18.0, 0.0);
    nose.lineTo(9.0, -6.0);
    nose.lineTo(9.0, 6.0);
    nose.closeSubpath();
    p.setPen(QPen(QColor(120, 50, 0), 1.0));
    p.setBrush(awake ? QColor(255, 150, 20) : QColor(170, 170, 170));
    p.drawPath(nose);

    // Body.
    QRadialGradient body(QPointF(-3.0, -4.0), 15.0);
    body.setColorAt(0.0, awake ? QColor(190, 225, 255) : QColor(225, 225, 225));
    body.setColorAt(0.6, awake ? QColor(70, 140, 220) : QColor(160, 160, 160));
    body.setColorAt(1.0, awake ? QColor(30, 80, 160) : QColor(110, 110, 110));
    p.setPen(QPen(QColor(15, 35, 80), 1.3));
    p.setBrush(body);
    p.drawEllipse(QPointF(0.0, 0.0), 11.5, 11.5);

    // Head dome, shifted forward.
    QRadialGradient dome(QPointF(1.5, -2.5), 7.0);
    dome.setColorAt(0.0, QColor(255, 255, 255));
    dome.setColorAt(1.0, awake ? QColor(150, 190, 230) : QColor(190, 190, 190));
    p.setPen(QPen(QColor(40, 70, 120), 0.9));
    p.setBrush(dome);
    p.drawEllipse(QPointF(3.0, 0.0), 6.0, 6.5);

    // Eyes looking forward.
    for (int side : {-1, 1}) {
        p.setPen(QPen(QColor(20, 20, 20), 0.7));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.2, side * 3.2), 2.5, 2.3);
        p.setPen(Qt::NoPen);
        p.setBrush(awake ? QColor(10, 10, 10) : QColor(120, 120, 120));
        p.drawEllipse(QPointF(7.2, side * 3.2), 1.2, 1.2);
    }

    // Antenna knob at the back.
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.drawLine(QPointF(-4.0, 0.0), QPointF(-8.0, 0.0));
    p.setPen(QPen(QColor(110, 0, 0), 0.8));
    p.setBrush(awake ? QColor(230, 30, 30) : QColor(140, 140, 140));
    p.drawEllipse(QPointF(-8.2, 0.0), 2.2, 2.2);
}

QImage robotPicture(int heading, bool awake)
{
    // Drawn four times larger and scaled down for clean edges.
    const int s = 4;
    QImage big(kSprite * s, kSprite * s, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.translate(kCx, kCy);
    p.rotate(45.0 * heading);   // y grows downward, so this turns clockwise on screen
    drawRobot(p, awake);
    p.end();
    return big.scaled(kSprite, kSprite, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage arrowPicture(int heading)
{
    const int s = 4;
    QImage big(15 * s, 14 * s, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.translate(7.5, 7.0);
    p.rotate(45.0 * heading);
    QPainterPath arrow;
    arrow.moveTo(6.6, 0.0);
    arrow.lineTo(1.2, -4.6);
    arrow.lineTo(1.2, -1.6);
    arrow.lineTo(-6.0, -1.6);
    arrow.lineTo(-6.0, 1.6);
    arrow.lineTo(1.2, 1.6);
    arrow.lineTo(1.2, 4.6);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 90), 0.6));
    p.setBrush(QColor(0, 60, 200));
    p.drawPath(arrow);
    p.end();
    return big.scaled(15, 14, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// Smooth value noise over a lattice of the given cell size.
std::vector<float> valueNoise(int size, int cell, QRandomGenerator &rng)
{
    const int n = size / cell + 2;
    std::vector<float> lattice(n * n);
    for (float &v : lattice) v = float(rng.generateDouble());
    std::vector<float> out(size * size);
    auto fade = [](float t) { return t * t * (3.0f - 2.0f * t); };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int gx = x / cell, gy = y / cell;
            const float tx = fade(float(x % cell) / cell), ty = fade(float(y % cell) / cell);
            auto at = [&](int i, int j) { return lattice[j * n + i]; };
            const float top = at(gx, gy) * (1 - tx) + at(gx + 1, gy) * tx;
            const float bottom = at(gx, gy + 1) * (1 - tx) + at(gx + 1, gy + 1) * tx;
            out[y * size + x] = top * (1 - ty) + bottom * ty;
        }
    return out;
}

QImage backgroundTexture()
{
    const int size = 582;
    QRandomGenerator rng(20240611);
    const auto coarse = valueNoise(size, 97, rng);
    const auto medium = valueNoise(size, 23, rng);
    const auto fine = valueNoise(size, 5, rng);
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int i = y * size + x;
            const float n = 0.5f * coarse[i] + 0.3f * medium[i] + 0.2f * fine[i];
            const float grain = float(rng.bounded(9)) - 4.0f;
            const int v = qBound(0, int(172.0f + 42.0f * (n - 0.5f) + grain), 255);
            img.setPixel(x, y, qRgb(v, v, qMin(255, v + 4)));   // a faintly cool grey
        }
    return img;
}

bool save(const QImage &img, const QString &path, const char *format, int quality = -1)
{
    if (img.save(path, format, quality)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = true;
    for (int k = 0; k < 8; ++k)
        ok &= save(robotPicture(k, true), QStringLiteral("%1/robot%2.png").arg(dir).arg(k), "PNG");
    ok &= save(robotPicture(0, false), dir + QStringLiteral("/robot8.png"), "PNG");
    QImage clean(kSprite, kSprite, QImage::Format_ARGB32);
    clean.fill(Qt::transparent);
    ok &= save(clean, dir + QStringLiteral("/robotclean.png"), "PNG");
    for (int k = 0; k < 8; ++k)
        ok &= save(arrowPicture(k), QStringLiteral("%1/arrow%2.png").arg(dir).arg(k), "PNG");
    ok &= save(backgroundTexture(), dir + QStringLiteral("/fon.jpg"), "JPEG", 88);
    return ok ? 0 : 1;
}
