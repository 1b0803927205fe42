// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/PackedPicture.h"
#include "world/WorldImages.h"

#include <gtest/gtest.h>
#include <QByteArray>
#include <QImage>
#include <QString>

namespace {

QImage sourcePng(const QString &name)
{
    return QImage(QStringLiteral(TRAKMIL_TEST_DATA "/../../resources/world/") + name +
                  QStringLiteral(".png"));
}

QImage unpack(const QByteArray &bytes)
{
    return unpackPicture(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

}   // namespace

// The program reads the pictures the build packed; they must be the PNG files' pixels exactly, so
// a packing that went stale or wrong shows here.
TEST(PackedPicture, TheFieldShowsThePngFilesPixels)
{
    const QImage png = sourcePng(QStringLiteral("fon"));
    ASSERT_EQ(png.format(), QImage::Format_Indexed8);
    const QImage &fon = WorldImages::background();
    ASSERT_EQ(fon.size(), png.size());
    ASSERT_EQ(fon.format(), QImage::Format_Indexed8);
    EXPECT_EQ(fon.colorTable().mid(0, png.colorCount()), png.colorTable());
    for (int y = 0; y < png.height(); ++y)
        ASSERT_EQ(QByteArrayView(fon.constScanLine(y), fon.width()),
                  QByteArrayView(png.constScanLine(y), png.width()))
            << "row " << y;

    for (int k = 0; k < WorldImages::RobotPictures; ++k)
        EXPECT_EQ(
            WorldImages::robotPicture(k),
            sourcePng(QStringLiteral("robot%1").arg(k)).convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << k;
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(
            WorldImages::arrowPicture(k),
            sourcePng(QStringLiteral("arrow%1").arg(k)).convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << k;
}

TEST(PackedPicture, RoundTripsAndRefusesWhatItDidNotPack)
{
    // Odd widths: rows are packed without the padding an image keeps in memory.
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({0xFF102030u, 0xFFA0B0C0u, 0x80FFFFFFu});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) indexed.setPixel(x, y, uint((x + y) % 3));
    const QImage back = unpack(packPicture(indexed));
    EXPECT_EQ(back.format(), QImage::Format_Indexed8);
    EXPECT_EQ(back.colorTable(), indexed.colorTable());
    EXPECT_EQ(back, indexed);

    QImage argb(3, 2, QImage::Format_ARGB32);
    argb.fill(0x80FF0000u);
    argb.setPixel(1, 1, 0xFF00FF00u);
    EXPECT_EQ(unpack(packPicture(argb)), argb.convertToFormat(QImage::Format_ARGB32_Premultiplied));

    const QByteArray packed = packPicture(indexed);
    EXPECT_TRUE(unpack(packed.left(packed.size() - 1)).isNull()) << "a row short";
    EXPECT_TRUE(unpack(packed + '\0').isNull()) << "a byte over";
    EXPECT_TRUE(unpack(packed.left(15)).isNull()) << "no whole header";
    EXPECT_TRUE(unpackPicture(nullptr, 0).isNull());
    QByteArray wrongFormat = packed;
    wrongFormat[8] = char(QImage::Format_RGB888);
    EXPECT_TRUE(unpack(wrongFormat).isNull());
    QByteArray tabled = packPicture(argb);
    tabled[12] = 1;   // a colour table on a picture of colours
    tabled.insert(16, QByteArray(4, '\xFF'));
    EXPECT_TRUE(unpack(tabled).isNull());
}
