// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldVectors.h"
#include "world/FieldPicture.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(FieldVectors, PassesEveryCallOnAndKeepsEachSegmentAsLastDrawn)
{
    FieldPicture behind, alone;
    FieldVectors vectors;
    vectors.setNext(&behind);
    RobotWorld world, twin;
    world.setCanvas(&vectors);
    twin.setCanvas(&alone);
    for (RobotWorld *w : {&world, &twin}) {
        w->setFieldSizeSource([](int &x, int &y) {
            x = 6;
            y = 5;
        });
        w->resetField();
        w->setColour(0xFF0000);
        w->step();   // (0,0)-(1,0) red
        w->rotate90();
        w->rotate90();   // west
        w->setColour(0x0000FF);
        w->step();   // (1,0)-(0,0) blue, over the red one
        w->rotate90();   // north
        w->step();   // out of the field: nothing drawn
        w->rotate90();
        w->rotate90();   // south
        w->step();   // (0,0)-(0,1) blue
        w->destroyRobot();
    }
    // The picture behind gets every call as the world made it.
    EXPECT_EQ(behind.image(), alone.image());

    EXPECT_EQ(vectors.fieldWidth(), 6);
    EXPECT_EQ(vectors.fieldHeight(), 5);
    const QList<FieldVectors::Segment> s = vectors.segments();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(QList<int>({s[0].x0, s[0].y0, s[0].x1, s[0].y1}), QList<int>({0, 0, 1, 0}));
    EXPECT_EQ(s[0].colour, 0x0000FFu) << "the later drawing covers the earlier";
    EXPECT_EQ(QList<int>({s[1].x0, s[1].y0, s[1].x1, s[1].y1}), QList<int>({0, 0, 0, 1}));
    EXPECT_EQ(s[1].width, 5);
    EXPECT_EQ(vectors.robotNode(), QPoint(0, 1));
    EXPECT_FALSE(vectors.robotVisible());

    // Drawn at the picture's own size, the trace lies where the picture has it.
    QImage drawn(FieldPicture::Width, FieldPicture::Height, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter p(&drawn);
    vectors.paint(p, QRectF(0, 0, FieldPicture::Width, FieldPicture::Height));
    p.end();
    for (QPoint at : {(FieldPicture::nodePixel(0, 0) + FieldPicture::nodePixel(1, 0)) / 2,
                      (FieldPicture::nodePixel(0, 0) + FieldPicture::nodePixel(0, 1)) / 2})
        EXPECT_EQ(drawn.pixel(at), behind.image().pixel(at)) << at.x() << ',' << at.y();

    world.resetField();
    EXPECT_TRUE(vectors.segments().isEmpty());
    EXPECT_TRUE(vectors.robotVisible());
}
