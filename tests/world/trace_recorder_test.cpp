// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Lexicon.h"
#include "world/FieldPicture.h"
#include "world/TraceRecorder.h"
#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

void segment(TraceRecorder &t, QRgb colour, int x0, int y0, int x1, int y1)
{
    t.setPen(colour, 5);
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
    EXPECT_EQ(t.colourAt(TraceSegment::between(0, 0, 1, 1)), qint64(kBlue));
    EXPECT_EQ(t.colourAt(TraceSegment::between(2, 3, 3, 2)), qint64(kRed));
    EXPECT_EQ(t.colourAt(TraceSegment::between(0, 0, 1, 0)), -1);
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
    world.setColour(kRed);
    world.step();
    world.jump();
    world.rotate45();
    world.step();
    world.rotate90();
    world.rotate45();   // west
    world.setColour(kBlue);
    world.step();
    const QList<TraceRecorder::Drawn> d = t.segments();
    ASSERT_EQ(d.size(), 3);
    EXPECT_EQ(t.colourAt(TraceSegment::between(0, 0, 1, 0)), qint64(kRed));
    EXPECT_EQ(t.colourAt(TraceSegment::between(2, 0, 3, 1)), qint64(kRed));
    EXPECT_EQ(t.colourAt(TraceSegment::between(3, 1, 2, 1)), qint64(kBlue));
    EXPECT_EQ(t.colourAt(TraceSegment::between(1, 0, 2, 0)), -1);   // the jump
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
    EXPECT_EQ(c.colourDiffers[0].colour, kRed);   // the pupil's colour
    EXPECT_TRUE(c.sameEnd());
    EXPECT_FALSE(c.same());

    EXPECT_TRUE(compareTraces(model, QPoint(2, 1), model, QPoint(2, 1)).same());
    const TraceComparison moved = compareTraces(model, QPoint(2, 1), model, QPoint(2, 2));
    EXPECT_FALSE(moved.sameEnd());
    EXPECT_FALSE(moved.same());
    EXPECT_TRUE(moved.missing.isEmpty() && moved.extra.isEmpty() && moved.colourDiffers.isEmpty());
}

TEST(TraceComparison, PictureMarksEachKindByShapeInTheTraceColoursThemselves)
{
    // Every drawable trace colour as missing (model), extra and recoloured (pupil), one row
    // each: a mark must never be a colour a trace could have.
    TraceRecorder model, pupil;
    const int colours = ColourTable::Count - 1;   // white rubs out, it is never drawn
    for (int i = 0; i < colours; ++i) {
        const QRgb c = ColourTable::value(i), other = ColourTable::value((i + 1) % colours);
        segment(model, c, 0, i, 1, i);   // missing
        segment(pupil, c, 3, i, 4, i);   // extra
        segment(model, other, 6, i, 7, i);   // recoloured: the pupil's is c
        segment(pupil, c, 6, i, 7, i);
        segment(model, c, 9, i, 10, i);   // matched
        segment(pupil, c, 9, i, 10, i);
    }
    const TraceComparison c = compareTraces(model, QPoint(0, 0), pupil, QPoint(0, 0));
    const QImage img = comparisonPicture(model, c, 16, 20);
    EXPECT_EQ(img.width(), FieldPicture::Width);
    EXPECT_GT(img.height(), FieldPicture::Height);   // room for the legend
    auto at = [&](QPoint p, int dy = 0) { return img.pixel(p.x(), p.y() + dy) & 0xFFFFFF; };
    for (int i = 0; i < colours; ++i) {
        const QRgb col = ColourTable::value(i), other = ColourTable::value((i + 1) % colours);
        const std::string what = "colour " + std::to_string(i);
        // Extra: the pupil's colour with a white gap and a black rim.
        const QPoint extra = middle(3, i, 4, i);
        EXPECT_EQ(at(extra), col) << what;
        EXPECT_EQ(at(extra, 2), kWhite) << what;
        EXPECT_EQ(at(extra, 4), 0u) << what;
        // Recoloured: the pupil's colour along it, the model's in the disc at its middle.
        const QPoint quarter = (FieldPicture::nodePixel(6, i) * 3 + FieldPicture::nodePixel(7, i)) / 4;
        EXPECT_EQ(at(quarter), col) << what;
        EXPECT_EQ(at(quarter, 4), 0u) << what;
        EXPECT_EQ(at(middle(6, i, 7, i)), other) << what;
        // Missing: the model's colour in dashes, with the field between them.
        const QPoint a = FieldPicture::nodePixel(0, i), b = FieldPicture::nodePixel(1, i);
        int coloured = 0, gaps = 0;
        for (int x = a.x() + 2; x <= b.x() - 2; ++x) {
            const QRgb p = img.pixel(x, a.y()) & 0xFFFFFF;
            coloured += p == col ? 1 : 0;
            gaps += p == kWhite ? 1 : 0;
        }
        EXPECT_GT(coloured, 3) << what;
        EXPECT_GT(gaps, 3) << what;
        // Matched: plain, in its own colour, without a rim.
        const QPoint same = middle(9, i, 10, i);
        EXPECT_EQ(at(same), col) << what;
        EXPECT_NE(at(same, 4), 0u) << what;
    }
    // Away from any trace the field is the program's own empty field.
    FieldPicture empty;
    empty.drawEmptyField(16, 20);
    EXPECT_EQ(img.pixel(middle(12, 15, 13, 15)), empty.image().pixel(middle(12, 15, 13, 15)));
}
