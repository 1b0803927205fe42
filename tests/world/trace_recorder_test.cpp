// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPicture.h"
#include "world/TraceRecorder.h"
#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

void segment(TraceRecorder &t, QRgb color, int x0, int y0, int x1, int y1)
{
    t.setPen(color, 5);
    t.drawSegment(x0, y0, x1, y1);
}

QPoint middle(int x0, int y0, int x1, int y1)
{
    return (FieldPicture::nodePixel(x0, y0) + FieldPicture::nodePixel(x1, y1)) / 2;
}

}   // namespace

TEST(TraceRecorder, ASegmentIsTheSameWhicheverWayItWasDrawnAndKeepsItsLastColour)
{
    TraceRecorder t;
    segment(t, kRed, 0, 0, 1, 1);
    segment(t, kBlue, 1, 1, 0, 0);
    segment(t, kRed, 3, 2, 2, 3);   // the other diagonal of a cell
    segment(t, kRed, 2, 2, 3, 3);
    ASSERT_EQ(t.size(), 3);
    EXPECT_EQ(t.colorAt(TraceSegment::between(0, 0, 1, 1)), qint64(kBlue));
    EXPECT_EQ(t.colorAt(TraceSegment::between(2, 3, 3, 2)), qint64(kRed));
    EXPECT_EQ(t.colorAt(TraceSegment::between(0, 0, 1, 0)), -1);
    // Distinct segments never share a key, whatever their ends.
    EXPECT_NE(TraceSegment::between(16, 0, 0, 20).key(), TraceSegment::between(0, 20, 16, 1).key());
}

TEST(TraceRecorder, WhiteTakesASegmentAwayAndANewFieldClearsAll)
{
    TraceRecorder t;
    segment(t, kRed, 0, 0, 1, 0);
    segment(t, kRed, 1, 0, 2, 0);
    segment(t, kWhite, 1, 0, 0, 0);
    segment(t, kWhite, 5, 5, 5, 6);   // white on nothing draws nothing
    ASSERT_EQ(t.size(), 1);
    EXPECT_EQ(t.segments().first().segment, TraceSegment::between(1, 0, 2, 0));
    t.drawEmptyField(16, 20);
    EXPECT_EQ(t.size(), 0);
}

TEST(TraceRecorder, RecordsWhatTheWorldDrawsButNotAJump)
{
    RobotWorld world;
    TraceRecorder t;
    world.setCanvas(&t);
    world.resetField();
    world.setColor(kRed);
    world.step();
    world.jump();
    world.rotate45();
    world.step();
    world.rotate90();
    world.rotate45();   // west
    world.setColor(kBlue);
    world.step();
    const QList<TraceRecorder::Drawn> d = t.segments();
    ASSERT_EQ(d.size(), 3);
    EXPECT_EQ(t.colorAt(TraceSegment::between(0, 0, 1, 0)), qint64(kRed));
    EXPECT_EQ(t.colorAt(TraceSegment::between(2, 0, 3, 1)), qint64(kRed));
    EXPECT_EQ(t.colorAt(TraceSegment::between(3, 1, 2, 1)), qint64(kBlue));
    EXPECT_EQ(t.colorAt(TraceSegment::between(1, 0, 2, 0)), -1);   // the jump
}

TEST(TraceComparison, CountsMissingExtraAndRecolouredSegmentsAndTheEnd)
{
    TraceRecorder model, pupil;
    segment(model, kRed, 0, 0, 1, 0);
    segment(model, kRed, 1, 0, 2, 0);
    segment(model, kBlue, 2, 0, 2, 1);
    segment(pupil, kRed, 1, 0, 0, 0);   // same, drawn the other way
    segment(pupil, kRed, 2, 0, 2, 1);   // wrong colour
    segment(pupil, kBlue, 0, 0, 0, 1);   // extra
    segment(pupil, kBlue, 0, 1, 0, 2);   // extra

    TraceComparison c = compareTraces(model, QPoint(2, 1), pupil, QPoint(2, 1));
    ASSERT_EQ(c.missing.size(), 1);
    EXPECT_EQ(c.missing[0].segment, TraceSegment::between(1, 0, 2, 0));
    EXPECT_EQ(c.extra.size(), 2);
    ASSERT_EQ(c.colourDiffers.size(), 1);
    EXPECT_EQ(c.colourDiffers[0].color, kRed);   // the pupil's colour
    EXPECT_TRUE(c.sameEnd());
    EXPECT_FALSE(c.same());

    EXPECT_TRUE(compareTraces(model, QPoint(2, 1), model, QPoint(2, 1)).same());
    const TraceComparison moved = compareTraces(model, QPoint(2, 1), model, QPoint(2, 2));
    EXPECT_FALSE(moved.sameEnd());
    EXPECT_FALSE(moved.same());
    EXPECT_TRUE(moved.missing.isEmpty() && moved.extra.isEmpty() && moved.colourDiffers.isEmpty());
}

TEST(TraceComparison, PictureMarksEachKindInItsOwnColourOverTheFaintModel)
{
    TraceRecorder model, pupil;
    segment(model, 0x000000, 0, 0, 1, 0);   // matched
    segment(model, 0x000000, 3, 3, 4, 3);   // missing
    segment(model, 0x000000, 5, 5, 5, 6);   // other colour
    segment(pupil, 0x000000, 0, 0, 1, 0);
    segment(pupil, kRed, 5, 5, 5, 6);
    segment(pupil, 0x000000, 8, 8, 9, 9);   // extra
    const TraceComparison c = compareTraces(model, QPoint(1, 0), pupil, QPoint(9, 9));
    const QImage img = comparisonPicture(model, c, 16, 20);

    EXPECT_EQ(img.width(), FieldPicture::Width);
    EXPECT_GT(img.height(), FieldPicture::Height);   // room for the legend
    const QRgb matched = img.pixel(middle(0, 0, 1, 0)) & 0xFFFFFF;
    EXPECT_NE(matched, 0x000000u);   // faint, not the model's black
    EXPECT_NE(matched, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(middle(3, 3, 4, 3)) & 0xFFFFFF, DiffColor::Missing);
    EXPECT_EQ(img.pixel(middle(8, 8, 9, 9)) & 0xFFFFFF, DiffColor::Extra);
    EXPECT_EQ(img.pixel(middle(5, 5, 5, 6)) & 0xFFFFFF, DiffColor::ColourDiffers);
    // Away from any trace the field is the program's own empty field.
    FieldPicture empty;
    empty.drawEmptyField(16, 20);
    EXPECT_EQ(img.pixel(middle(12, 15, 13, 15)), empty.image().pixel(middle(12, 15, 13, 15)));
}
