// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The field picture as an SVG drawing: what it holds, and what another renderer makes of it.
#include "common/Printers.h"
#include "world/FieldPicture.h"
#include "world/FieldSvg.h"
#include "world/RobotWorld.h"
#include "world/WorldImages.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <cmath>

namespace {

struct Field {
    FieldPicture picture;
    RobotWorld world;
    Field(int width = 16, int height = 20)
    {
        world.setCanvas(&picture);
        world.setFieldSizeSource([width, height](int &x, int &y) {
            x = width;
            y = height;
        });
        world.resetField();
    }
    void face(int heading)
    {
        while (world.state().heading != heading) world.rotate45();
    }
    // To node (x, y) in a straight or slanted line, drawing or jumping.
    void lineTo(int x, int y, bool draw = true)
    {
        const int dx = x - world.state().x, dy = y - world.state().y;
        static const int heading[3][3] = {{5, 4, 3}, {6, 0, 2}, {7, 0, 1}};
        face(heading[(dx > 0) - (dx < 0) + 1][(dy > 0) - (dy < 0) + 1]);
        for (int i = std::max(std::abs(dx), std::abs(dy)); i > 0; --i) draw ? world.step() : world.jump();
    }
    void jumpTo(int x, int y)
    {
        lineTo(x, world.state().y, false);
        lineTo(x, y, false);
    }
};

struct Svg {
    QString error;
    QXmlStreamAttributes root;
    QStringList texts;
    struct Line {
        QPointF a, b;
        QString stroke;
    };
    QList<Line> lines;
};

Svg parse(const QByteArray &data)
{
    Svg svg;
    QXmlStreamReader r(data);
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = r.attributes();
        if (r.name() == QLatin1String("svg")) svg.root = a;
        if (r.name() == QLatin1String("line"))
            svg.lines.append({QPointF(a.value("x1").toDouble(), a.value("y1").toDouble()),
                              QPointF(a.value("x2").toDouble(), a.value("y2").toDouble()),
                              a.value("stroke").toString()});
        if (r.name() == QLatin1String("text")) svg.texts << r.readElementText();
    }
    if (r.hasError()) svg.error = r.errorString();
    return svg;
}

// The line a segment between two nodes is drawn as, either way round.
bool joins(const Svg::Line &l, QPoint a, QPoint b)
{
    const QPointF pa = QPointF(FieldPicture::nodePixel(a.x(), a.y())) + QPointF(0.5, 0.5),
                  pb = QPointF(FieldPicture::nodePixel(b.x(), b.y())) + QPointF(0.5, 0.5);
    return (l.a == pa && l.b == pb) || (l.a == pb && l.b == pa);
}

struct Difference {
    double farShare = 0;   // pixels with a channel more than 64 off, of all pixels
    double meanAbs = 0;   // mean absolute difference per channel, 0..255
    int farInField = 0;   // such pixels right of and below the numbers
    int blended = 0;   // rendered pixels of a colour the bitmap has nowhere
};

// The rendering against the bitmap enlarged as many times, pixel by pixel.
Difference difference(const QImage &rendered, const QImage &bitmap, int zoom)
{
    const QImage big = bitmap.scaled(bitmap.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QSet<QRgb> palette;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) palette.insert(bitmap.pixel(x, y));
    Difference d;
    qint64 far = 0, sum = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            const QRgb p = big.pixel(x, y), q = rendered.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q)), dg = std::abs(qGreen(p) - qGreen(q)),
                      db = std::abs(qBlue(p) - qBlue(q));
            sum += dr + dg + db;
            const bool isFar = std::max({dr, dg, db}) > 64;
            far += isFar ? 1 : 0;
            d.farInField += isFar && x >= 17 * zoom && y >= 17 * zoom ? 1 : 0;
            d.blended += palette.contains(q) ? 0 : 1;
        }
    const double pixels = double(big.width()) * big.height();
    d.farShare = far / pixels;
    d.meanAbs = sum / (3 * pixels);
    return d;
}

}   // namespace

// Drawn over and over, a segment is one line in the colour it was drawn last, lying over
// the lines it was drawn after; a white one stays, as it whitens the cell outlines beneath.
TEST(FieldSvg, OneLinePerDistinctSegmentInItsLastColourAndOrder)
{
    Field f;
    f.world.setColour(0xFF0000);
    f.lineTo(2, 0);
    f.world.setColour(0x0000FF);
    f.lineTo(1, 0);   // back over the second one
    f.world.setColour(0x008000);
    f.lineTo(2, 1);
    f.world.setColour(0xFFFFFF);
    f.lineTo(1, 2);
    f.lineTo(0, 3, false);
    f.world.setColour(0x800080);
    f.lineTo(0, 0);
    f.world.step();   // off the field: nothing
    f.world.setColour(0x00FF00);
    f.lineTo(1, 0);   // the first one again

    const Svg svg = parse(fieldSvg(f.picture.vectors()));
    ASSERT_TRUE(svg.error.isEmpty()) << svg.error.toStdString();
    EXPECT_EQ(svg.root.value("width"), QLatin1String("358"));
    EXPECT_EQ(svg.root.value("height"), QLatin1String("438"));
    EXPECT_EQ(svg.root.value("viewBox"), QLatin1String("0 0 358 438"));

    const struct {
        QPoint a, b;
        const char *stroke;
    } want[] = {
        {{1, 0}, {2, 0}, "#0000ff"}, {{1, 0}, {2, 1}, "#008000"}, {{2, 1}, {1, 2}, "#ffffff"},
        {{0, 3}, {0, 2}, "#800080"}, {{0, 2}, {0, 1}, "#800080"}, {{0, 1}, {0, 0}, "#800080"},
        {{0, 0}, {1, 0}, "#00ff00"},
    };
    ASSERT_EQ(svg.lines.size(), qsizetype(std::size(want)));
    for (size_t i = 0; i < std::size(want); ++i) {
        EXPECT_TRUE(joins(svg.lines[i], want[i].a, want[i].b)) << "line " << i;
        EXPECT_EQ(svg.lines[i].stroke, QLatin1String(want[i].stroke)) << "line " << i;
    }

    // The node numbers are text, down the side and then along the top.
    QStringList numbers;
    for (int k = 0; k <= 20; ++k) numbers << QString::number(k);
    for (int k = 0; k <= 16; ++k) numbers << QString::number(k);
    EXPECT_EQ(svg.texts, numbers);

    // Cleared again, the field has its numbers and no line; never cleared, it is blank.
    f.world.resetField();
    EXPECT_TRUE(parse(fieldSvg(f.picture.vectors())).lines.isEmpty());
    const Svg blank = parse(fieldSvg(FieldPicture().vectors()));
    EXPECT_TRUE(blank.error.isEmpty() && blank.lines.isEmpty() && blank.texts.isEmpty());
}

// rsvg-convert draws the SVG at its own size and three times as large, against the bitmap
// enlarged as many times. The measures: the share of pixels whose colour is more than 64 off
// in a channel (at most 0.27 % at 1:1 and 0.94 % at 3:1 here, all of it in the digits,
// whose shapes the two renderers hint apart, and at 3:1 the smooth edges of the slanted
// strokes and round ends that the bitmap has in steps), the mean difference per channel
// (0.68 and 1.85 of 255), the same right of and below the numbers, where the lines and the
// robot are (no pixel at 1:1), and the rendered pixels of a colour the bitmap has nowhere,
// which blurred edges would make (none without the robot; with it, at most 104 at 1:1 and 936
// at 3:1, the sprite's half see-through pixels, which the two renderers blend a level apart).
// The bitmap has the robot put over it as the window shows it.
TEST(FieldSvg, RenderedByAnotherRendererItMatchesTheBitmap)
{
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (rsvg.isEmpty()) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    static const QRgb colours[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                   0x800080, 0x008080, 0x808080, 0xC0C0C0, 0xFF0000,
                                   0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF};
    struct Drawing {
        const char *name;
        int width, height;
        std::function<void(Field &)> draw;
    };
    std::vector<Drawing> drawings {
        {"empty", 5, 4, [](Field &) {}},
        // Eight spokes from the middle: every slant.
        {"star", 16, 20,
         [](Field &f) {
             f.jumpTo(8, 10);
             for (int d = 0; d < 8; ++d) {
                 f.world.setColour(colours[d + 7]);
                 f.face(d);
                 for (int i = 0; i < 3; ++i) f.world.step();
                 f.jumpTo(8, 10);
             }
         }},
        // Zigzags in every colour, a white diagonal erasing across them and the outlines,
        // and red drawn again over part of what it erased.
        {"colours", 16, 20,
         [](Field &f) {
             int n = 0;
             for (int row = 0; row < 6; ++row) {
                 const int y = 3 * row + 1;
                 f.jumpTo(0, y);
                 for (int i = 0; i < 16; ++i) {
                     f.world.setColour(colours[n++ % 15]);
                     f.lineTo(i + 1, y + (i % 2 == 0 ? 1 : 0));
                 }
             }
             f.jumpTo(0, 0);
             f.world.setColour(0xFFFFFF);
             f.lineTo(16, 16);
             f.world.setColour(0xFF0000);
             f.lineTo(16, 20);
             f.jumpTo(6, 6);
             f.lineTo(2, 2);
         }},
        // The robot ends facing each way, in the middle and along the edges, where the
        // picture cuts its sprite off; and hidden.
        {"robot", 16, 20,
         [](Field &f) {
             f.world.setColour(0x0000FF);
             f.lineTo(3, 4);
             f.jumpTo(8, 10);
             f.face(3);
         }},
        {"robot at the far corner", 4, 3,
         [](Field &f) {
             f.lineTo(4, 3);
             f.face(6);
         }},
        {"robot at the right edge", 16, 20,
         [](Field &f) {
             f.jumpTo(16, 12);
             f.face(5);
         }},
        {"robot hidden", 16, 20,
         [](Field &f) {
             f.lineTo(5, 5);
             f.world.destroyRobot();
         }},
    };
    for (int heading : {0, 1, 2, 4, 7})
        drawings.push_back({"robot turned", 16, 20, [heading](Field &f) {
                                f.jumpTo(2 + 2 * heading, 1 + heading);
                                f.face(heading);
                            }});
    for (const Drawing &d : drawings) {
        SCOPED_TRACE(std::string(d.name) + " " + std::to_string(&d - drawings.data()));
        Field f(d.width, d.height);
        d.draw(f);
        const QString bmp = dir.filePath(QStringLiteral("%1.bmp").arg(QLatin1String(d.name))),
                      svg = dir.filePath(QStringLiteral("%1.svg").arg(QLatin1String(d.name)));
        QString error;
        ASSERT_TRUE(f.picture.exportPicture(bmp, &error)) << error.toStdString();
        ASSERT_TRUE(f.picture.exportPicture(svg, &error)) << error.toStdString();
        // The file has no robot: the window shows it over the picture, its sprite's corner
        // one pixel left of and three above the node's 20-pixel square.
        QImage bitmap = QImage(bmp).convertToFormat(QImage::Format_RGB32);
        const RobotState robot = f.world.state();
        if (robot.visible) {
            QPainter p(&bitmap);
            p.drawImage(QPoint(20 * robot.x - 1, 20 * robot.y - 3), WorldImages::robotPicture(robot.heading));
        }
        for (int zoom : {1, 3}) {
            const QString png =
                dir.filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(d.name)).arg(zoom));
            QProcess p;
            p.start(rsvg, {QStringLiteral("--zoom=%1").arg(zoom), QStringLiteral("--background-color=white"),
                           QStringLiteral("-o"), png, svg});
            ASSERT_TRUE(p.waitForFinished(60000));
            ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
            const QImage rendered = QImage(png).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(rendered.size(), bitmap.size() * zoom);
            const Difference diff = difference(rendered, bitmap, zoom);
            const double pixels = double(rendered.width()) * rendered.height();
            if (zoom == 1) {
                EXPECT_LE(diff.farShare, 0.004);
                EXPECT_LE(diff.meanAbs, 1.0);
                EXPECT_LE(diff.farInField, 16);
            } else {
                EXPECT_LE(diff.farShare, 0.015);
                EXPECT_LE(diff.meanAbs, 2.5);
            }
            EXPECT_LE(diff.blended, pixels / 1000) << "x" << zoom;
        }
    }
}
