// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Field pictures as palette PNG data: every pixel read back exactly as drawn.
#include "lang/Lexicon.h"
#include "world/FieldPicture.h"
#include "world/FieldPng.h"
#include "world/TraceRecorder.h"
#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Every trace colour once, on a field with its grid and node numbers.
TraceRecorder everyColour()
{
    TraceRecorder t;
    for (int i = 0; i < ColourTable::Count; ++i) {
        t.setPen(ColourTable::value(i), 5);
        t.drawSegment(i % 8, i / 8 * 3, i % 8 + 1, i / 8 * 3 + 1 + i % 2);
    }
    return t;
}

QImage decoded(const QByteArray &png)
{
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    return reader.read();
}

// The pixels as the page shows them: opaque colour, whatever the stored format.
void expectSamePixels(const QImage &drawn, const QImage &read)
{
    ASSERT_FALSE(read.isNull());
    ASSERT_EQ(read.size(), drawn.size());
    const QImage a = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage b = read.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0);
}

}   // namespace

TEST(FieldPng, EveryPictureOfTheReportReadsBackPixelForPixelInAPalette)
{
    const TraceRecorder trace = everyColour();
    TraceRecorder shorter;
    shorter.setPen(ColourTable::value(3), 5);
    shorter.drawSegment(0, 0, 1, 0);
    const TraceComparison c = compareTraces(trace, QPoint(8, 4), shorter, QPoint(1, 0));
    ASSERT_FALSE(c.same());
    const QImage pictures[] = {
        tracePicture(trace, QPoint(8, 4), 16, 20),   // the antialiased end cross too
        tracePicture(trace, std::nullopt, 9, 7),
        comparisonPicture(trace, c, 16, 20, Language::Rus),   // with the legend's text
        comparisonPicture(trace, c, 30, 30, Language::Eng),
    };
    for (const QImage &drawn : pictures) {
        const QImage palette = paletteImage(drawn);
        ASSERT_FALSE(palette.isNull()) << "a field picture holds no more than 256 colours";
        EXPECT_EQ(palette.format(), QImage::Format_Indexed8);
        const QByteArray png = fieldPng(drawn);
        const QImage read = decoded(png);
        EXPECT_EQ(read.format(), QImage::Format_Indexed8) << "written with its palette";
        expectSamePixels(drawn, read);
    }
}

TEST(FieldPng, APictureOfMoreThan256ColoursIsWrittenInFullColourAndStillExact)
{
    // Runs of one colour longer than the longest match, rows repeating the one above, and
    // see-through colours.
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        QImage many(400, 30, format);
        for (int y = 0; y < many.height(); ++y)
            for (int x = 0; x < many.width(); ++x)
                many.setPixel(x, y,
                              x < 40        ? qRgba(x * 6, y * 8, (x * y) % 256, 255 - x)
                              : y % 7 == 3  ? qRgba(y * 8, 0, 0, 255)
                              : x % 97 == 0 ? qRgba(0, 0, 255, 128)
                                            : qRgba(0, 0, 0, 255));
        SCOPED_TRACE(int(format));
        EXPECT_TRUE(paletteImage(many).isNull());
        const QImage read = decoded(fieldPng(many));
        EXPECT_NE(read.format(), QImage::Format_Indexed8);
        expectSamePixels(many, read);
    }

    // Exactly 256 colours still fit; one pixel of see-through colour is kept as it was.
    QImage full(16, 16, QImage::Format_ARGB32);
    for (int i = 0; i < 256; ++i) full.setPixel(i % 16, i / 16, qRgba(i, 255 - i, i / 2, 255));
    full.setPixel(15, 15, qRgba(0, 0, 0, 0));
    ASSERT_FALSE(paletteImage(full).isNull());
    expectSamePixels(full, decoded(fieldPng(full)));
    EXPECT_TRUE(fieldPng(QImage()).isEmpty());
}

// The runs and rows the writer packs, at their edges: runs past the longest match (258),
// a row above one byte away or two, rows that repeat only in part, and a stray pixel.
TEST(FieldPng, RunsAndRepeatedRowsOfEveryLengthReadBackExactly)
{
    const QRgb ink = qRgb(200, 0, 0), paper = qRgb(255, 255, 255);
    for (const QSize size : {QSize(1, 700), QSize(2, 300), QSize(600, 3), QSize(259, 2), QSize(7, 1)}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(paper);
        // A diagonal, a column of ink, and a row that differs from the one above in a run.
        for (int y = 0; y < size.height(); ++y) {
            picture.setPixel((y * 3) % size.width(), y, ink);
            if (size.width() > 4 && y % 5 == 0)
                for (int x = 2; x < std::min(size.width(), 270); ++x) picture.setPixel(x, y, ink);
        }
        picture.setPixel(size.width() - 1, size.height() - 1, qRgb(0, 0, 255));
        SCOPED_TRACE(size.width());
        expectSamePixels(picture, decoded(fieldPng(picture)));
    }
}
