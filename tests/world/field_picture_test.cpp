// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPicture.h"
#include "world/RobotWorld.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr QRgb kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

QRgb at(const QImage &img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

// Black pixels inside a rectangle (inclusive coordinates).
int blackIn(const QImage &img, int l, int t, int r, int b)
{
    int n = 0;
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) n += at(img, x, y) == kBlack;
    return n;
}

struct Field {
    FieldPicture picture;
    RobotWorld world;
    int fieldWidth = 16, fieldHeight = 20;
    Field()
    {
        world.setCanvas(&picture);
        world.setFieldSizeSource([this](int &x, int &y) {
            x = fieldWidth;
            y = fieldHeight;
        });
        world.resetField();
    }
    const QImage &img() const { return picture.image(); }
};

}   // namespace

TEST(FieldPicture, FrameCellsAndGaps)
{
    Field f;
    const QImage &img = f.img();
    ASSERT_EQ(img.size(), QSize(358, 438));

    struct {
        int x, y;
        QRgb want;
        const char *what;
    } cases[] = {
        {1, 1, kBlack, "frame top-left"},
        {356, 1, kBlack, "frame top-right"},
        {1, 436, kBlack, "frame bottom-left"},
        {356, 436, kBlack, "frame bottom-right"},
        {200, 1, kBlack, "frame top"},
        {1, 300, kBlack, "frame left"},
        {0, 0, kWhite, "outside frame"},
        {357, 437, kWhite, "outside frame"},
        {357, 200, kWhite, "outside frame right"},
        {200, 437, kWhite, "outside frame bottom"},
        {2, 2, kWhite, "inside frame"},
        {355, 435, kWhite, "inside frame"},
        {20, 20, kBlack, "cell 1,1 corner"},
        {38, 20, kBlack, "cell 1,1 right edge"},
        {20, 38, kBlack, "cell 1,1 bottom edge"},
        {38, 38, kBlack, "cell 1,1 last pixel"},
        {21, 21, kWhite, "cell interior"},
        {37, 37, kWhite, "cell interior"},
        {39, 25, kWhite, "vertical gap"},
        {25, 39, kWhite, "horizontal gap"},
        {39, 39, kWhite, "node 1,1"},
        {40, 40, kBlack, "cell 2,2 corner"},
        {19, 19, kWhite, "node 0,0"},
        {19, 30, kWhite, "left of first column"},
        {320, 400, kBlack, "cell 16,20 corner"},
        {338, 418, kBlack, "cell 16,20 last pixel"},
        {339, 419, kWhite, "node 16,20"},
        {345, 300, kWhite, "right of last column"},
        {300, 425, kWhite, "below last row"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(at(img, c.x, c.y), c.want) << c.what << " (" << c.x << "," << c.y << ")";
}

TEST(FieldPicture, NodeNumbersSitInTheirBoxes)
{
    Field f;
    const QImage &img = f.img();
    // Each number is drawn from its top-left corner; something black must be in its
    // first rows, and nothing black between the text column and the first cells.
    for (int k = 0; k <= 20; ++k)
        EXPECT_GT(blackIn(img, 3, 20 * k + 12, 17, 20 * k + 12 + 10), 0) << "left " << k;
    for (int k = 0; k <= 16; ++k)
        EXPECT_GT(blackIn(img, 20 * k + 16, 3, 20 * k + 16 + 14, 3 + 10), 0) << "top " << k;
    EXPECT_EQ(blackIn(img, 2, 2, 355, 4), 0) << "no text above its top";
    EXPECT_EQ(blackIn(img, 2, 2, 2, 435), 0) << "no text left of its left";
}

// The numbers are exactly what the toolkit draws for each in its text box, top left aligned,
// at every field size (one digit and two).
TEST(FieldPicture, NodeNumbersAreTheToolkitsTextInTheirBoxes)
{
    for (const QSize size : {QSize(16, 20), QSize(3, 2)}) {
        FieldPicture picture;
        picture.drawEmptyField(size.width(), size.height());
        const QImage &img = picture.image();
        QImage boxes(img.size(), img.format());
        boxes.fill(kWhite);
        QPainter p(&boxes);
        p.setFont(FieldPicture::numberFont());
        p.setPen(QColor::fromRgb(kBlack));
        const QFontMetrics fm(p.font());
        QList<QRect> drawn;
        for (const FieldPicture::NodeNumber &n : FieldPicture::nodeNumbers(size.width(), size.height())) {
            drawn << QRect(n.topLeft, QSize(fm.horizontalAdvance(n.text) + 2, fm.height()));
            p.drawText(drawn.constLast(), Qt::AlignLeft | Qt::AlignTop, n.text);
        }
        p.end();
        ASSERT_GT(drawn.size(), 4);
        // A pixel round each box too: nothing of a number lies outside its box.
        int differing = 0;
        for (const QRect &box : drawn) {
            const QRect r = box.adjusted(-1, -1, 1, 1);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) differing += at(img, x, y) != at(boxes, x, y);
        }
        EXPECT_EQ(differing, 0) << size.width() << "x" << size.height();
    }
}

TEST(FieldPicture, SmallFieldLeavesTheRestWhite)
{
    Field f;
    f.fieldWidth = 2;
    f.fieldHeight = 2;
    f.world.resetField();
    const QImage &img = f.img();
    EXPECT_EQ(at(img, 20, 20), kBlack);
    EXPECT_EQ(at(img, 40, 40), kBlack);
    EXPECT_EQ(at(img, 58, 58), kBlack);
    EXPECT_EQ(at(img, 60, 20), kWhite);
    EXPECT_EQ(at(img, 20, 60), kWhite);
    // Numbers 0..2 only: nothing black in the place of 3 and beyond.
    EXPECT_GT(blackIn(img, 3, 52, 17, 62), 0);
    EXPECT_EQ(blackIn(img, 3, 72, 17, 435), 0);
    EXPECT_GT(blackIn(img, 56, 3, 70, 13), 0);
    EXPECT_EQ(blackIn(img, 76, 3, 355, 13), 0);
    // Everything below and right of the 2 x 2 cells is see-through.
    EXPECT_EQ(blackIn(img, 60, 14, 355, 435), 0);
    EXPECT_EQ(blackIn(img, 18, 60, 355, 435), 0);
}

TEST(FieldPicture, RedrawWipesTheTrace)
{
    Field f;
    f.world.setColour(0xFF0000);
    f.world.rotate45();
    f.world.step();
    EXPECT_EQ(at(f.img(), 20, 20), 0xFFFF0000u);
    EXPECT_EQ(at(f.img(), 29, 29), 0xFFFF0000u);
    f.world.resetField();
    EXPECT_EQ(at(f.img(), 20, 20), kBlack);   // cell 1,1 border is back underneath
    EXPECT_EQ(at(f.img(), 29, 29), kWhite);
    EXPECT_EQ(at(f.img(), 39, 39), kWhite);
}

TEST(FieldPicture, TraceIsFivePixelsWideWithExactColour)
{
    Field f;
    f.world.setColour(0x008080);
    f.world.step();   // (0,0) -> (1,0): pixels (19,19) -> (39,19)
    const QImage &img = f.img();
    const QRgb teal = 0xFF008080u;
    for (int y = 17; y <= 21; ++y) EXPECT_EQ(at(img, 29, y), teal) << "y=" << y;
    EXPECT_NE(at(img, 29, 16), teal);
    EXPECT_NE(at(img, 29, 22), teal);
    // Round ends reach two pixels past both nodes, narrower at their tips.
    EXPECT_EQ(at(img, 41, 19), teal);
    EXPECT_EQ(at(img, 17, 19), teal);
    EXPECT_NE(at(img, 42, 19), teal);
    EXPECT_NE(at(img, 16, 19), teal);
    EXPECT_NE(at(img, 41, 17), teal);
    EXPECT_NE(at(img, 17, 21), teal);
    // No blended colours anywhere near the segment.
    for (int y = 10; y <= 28; ++y)
        for (int x = 10; x <= 48; ++x) {
            const QRgb c = at(img, x, y);
            ASSERT_TRUE(c == teal || c == kWhite || c == kBlack) << x << "," << y;
        }
}

// Segments are filled from the pixels a painter covered once; a picture drawn that way
// must match the painter stroke for stroke, in every direction, at both pen widths, at the
// edges of the image and after a copy of the picture was taken.
TEST(FieldPicture, SegmentsMatchThePainterPixelForPixel)
{
    FieldPicture picture;
    picture.drawEmptyField(16, 20);
    QImage expected = picture.image().copy();
    auto paint = [&expected](QRgb colour, int width, int x0, int y0, int x1, int y1) {
        QPainter p(&expected);
        p.setPen(QPen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF half(0.5, 0.5);
        p.drawLine(QPointF(FieldPicture::nodePixel(x0, y0)) + half,
                   QPointF(FieldPicture::nodePixel(x1, y1)) + half);
    };
    QRandomGenerator rng(20261209);
    QImage held;
    for (int i = 0; i < 3000; ++i) {
        const int width = i % 7 == 0 ? 1 : (i % 11 == 0 ? 2 + int(rng.bounded(6)) : 5);
        const QRgb colour = 0xFF000000u | rng.bounded(0x1000000u);
        // Nodes one past the field too, so that strokes are clipped by the image.
        const int x0 = int(rng.bounded(-1, 19)), y0 = int(rng.bounded(-1, 23));
        const int x1 = x0 + int(rng.bounded(-1, 2)), y1 = y0 + int(rng.bounded(-1, 2));
        picture.setPen(colour, width);
        picture.drawSegment(x0, y0, x1, y1);
        paint(colour, width, x0, y0, x1, y1);
        if (i % 500 == 0) held = picture.image();   // a shared copy must not be drawn on
        ASSERT_EQ(picture.image(), expected) << "segment " << i << " width " << width;
    }
    EXPECT_NE(held, picture.image());
}

TEST(FieldPicture, FailedStepDrawsNothing)
{
    Field f;
    f.world.rotate90();
    f.world.rotate90();   // west at (0,0)
    const QImage before = f.img().copy();
    f.world.setColour(0xFF0000);
    f.world.step();
    EXPECT_EQ(f.img(), before);
}

TEST(FieldPicture, ExportWritesWhiteForSeeThroughTrace)
{
    Field f;
    f.world.rotate90();   // south, black down the left column
    f.world.step();
    f.world.step();
    f.world.rotate90();
    f.world.rotate90();   // back north in white over the black
    f.world.setColour(0xFFFFFF);
    f.world.step();
    f.world.rotate90();   // east in red
    f.world.setColour(0xFF0000);
    f.world.step();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("field.bmp");
    QString error;
    ASSERT_TRUE(f.picture.exportPicture(path, &error)) << error.toStdString();

    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.read(2), QByteArray("BM"));
    raw.close();

    QImage bmp(path, "BMP");
    ASSERT_EQ(bmp.size(), QSize(358, 438));
    EXPECT_EQ(at(bmp, 19, 49), kWhite) << "white segment over black is white";
    EXPECT_EQ(at(bmp, 20, 49), kWhite) << "cell border beside the gap was whitened too";
    EXPECT_EQ(at(bmp, 21, 49), kWhite) << "cell interior untouched";
    EXPECT_EQ(at(bmp, 19, 29), kBlack) << "black segment before it left alone";
    EXPECT_EQ(at(bmp, 20, 30), kBlack) << "cell border beside the black segment";
    EXPECT_EQ(at(bmp, 29, 39), 0xFFFF0000u) << "red trace";
    EXPECT_EQ(at(bmp, 1, 1), kBlack);
    EXPECT_EQ(at(bmp, 0, 0), kWhite);
    for (int y = 0; y < 438; y += 7)
        for (int x = 0; x < 358; x += 5) ASSERT_EQ(at(bmp, x, y), at(f.img(), x, y)) << x << "," << y;
}

TEST(FieldPicture, ExportFailuresAreReportedAndLeaveNothing)
{
    Field f;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString paths[] = {
        dir.filePath("missing/folder/field.bmp"),
        dir.path(),   // a folder, not a file
        QString(),
    };
    for (const QString &path : paths) {
        QString error;
        EXPECT_FALSE(f.picture.exportPicture(path, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/folder/field.bmp")));

    // An existing file survives intact when the new one cannot be written in its place.
    const QString kept = dir.filePath("kept.bmp");
    ASSERT_TRUE(f.picture.exportPicture(kept, nullptr));
    const qint64 size = QFileInfo(kept).size();
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString error;
    const bool ok = f.picture.exportPicture(kept, &error);
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!ok) {
        EXPECT_FALSE(error.isEmpty());   // root may write anyway
    }
    EXPECT_EQ(QFileInfo(kept).size(), size);
    EXPECT_EQ(QImage(kept).size(), QSize(358, 438));
}

// A picture saved from a window on a scaled screen has the same node numbers: the toolkit
// changes how it shapes letters when the screen is scaled, and the scale is fixed when the
// program starts, so the scaled picture is drawn by a second run of these tests.
TEST(FieldPicture, NumbersDoNotDependOnTheScreenScale)
{
    FieldPicture picture;
    picture.drawEmptyField(16, 20);
    QString error;
    const QString childOut = qEnvironmentVariable("TRAKMIL_SCALED_PICTURE");
    if (!childOut.isEmpty()) {
        ASSERT_TRUE(picture.exportPicture(childOut, &error)) << error.toStdString();
        return;
    }
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.bmp")),
                  scaled = dir.filePath(QStringLiteral("scaled.bmp"));
    ASSERT_TRUE(picture.exportPicture(ours, &error)) << error.toStdString();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TRAKMIL_SCALED_PICTURE"), scaled);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=FieldPicture.NumbersDoNotDependOnTheScreenScale")});
    ASSERT_TRUE(child.waitForFinished(120000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    const QImage a(ours), b(scaled);
    ASSERT_FALSE(a.isNull());
    ASSERT_EQ(a.size(), b.size());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    EXPECT_EQ(differing, 0);
}
