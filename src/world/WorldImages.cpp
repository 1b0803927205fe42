// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/WorldImages.h"

#include "world/FieldPicture.h"
#include <QImage>
#include <QString>
#include <algorithm>
#include <array>

static void initWorldResources()
{
    // The resources live in a static library; make sure the linker keeps them.
    Q_INIT_RESOURCE(world);
}

namespace {

QImage load(const QString &path, QSize size, QImage::Format format, QRgb standIn)
{
    initWorldResources();
    QImage img(path);
    if (img.isNull() || img.size() != size) {
        img = QImage(size, format);
        img.fill(standIn);
        return img;
    }
    return img.convertToFormat(format);
}

// The background as the field shows it: a few dozen colours, kept as their indices and read
// from a PNG, a quarter of the memory of the colours themselves and no JPEG decoder to load.
// The PNG's rows are stored unfiltered and uncompressed: they read at a third of the cost of
// the smallest file, and the resource compiler leaves PNG files as they are.
QImage loadBackground(const QString &path)
{
    initWorldResources();
    const QSize shown(FieldPicture::Width, FieldPicture::Height);
    constexpr QRgb standIn = 0xFFB4B4B4u;
    QImage img(path);
    if (img.size() != shown || img.format() != QImage::Format_Indexed8) {
        img = QImage(shown, QImage::Format_Indexed8);
        img.setColorTable({standIn});
        img.fill(0);
    }
    // Every index a byte can hold has a colour, whatever the file says.
    QList<QRgb> colours = img.colorTable();
    colours.resize(256, standIn);
    img.setColorTable(colours);
    return img;
}

// Each picture is read when it is first shown: the robot shows one of nine pictures and one
// of eight arrows at a time. Only the window's thread draws them.
struct Pictures {
    std::array<QImage, WorldImages::RobotPictures> robots;
    std::array<QImage, 8> arrows;
    QImage clean;
    QImage fon;
};

Pictures &pictures()
{
    static Pictures p;
    return p;
}

// A sprite's picture, read into its slot when first shown; transparent where the file is
// missing or not of its size.
const QImage &sprite(QImage &slot, const QString &path, QSize size)
{
    if (slot.isNull()) slot = load(path, size, QImage::Format_ARGB32_Premultiplied, 0x00000000u);
    return slot;
}

}   // namespace

namespace WorldImages {

const QImage &robotPicture(int index)
{
    const int k = std::clamp(index, 0, RobotPictures - 1);
    return sprite(pictures().robots[size_t(k)], QStringLiteral(":/world/robot%1.png").arg(k),
                  QSize(SpriteSize, SpriteSize));
}

const QImage &robotClean()
{
    QImage &clean = pictures().clean;
    if (clean.isNull()) {
        clean = QImage(SpriteSize, SpriteSize, QImage::Format_ARGB32_Premultiplied);
        clean.fill(Qt::transparent);
    }
    return clean;
}

const QImage &arrowPicture(int heading)
{
    const int k = heading & 7;
    return sprite(pictures().arrows[size_t(k)], QStringLiteral(":/world/arrow%1.png").arg(k),
                  QSize(ArrowWidth, ArrowHeight));
}

const QImage &background()
{
    QImage &fon = pictures().fon;
    if (fon.isNull()) fon = loadBackground(QStringLiteral(":/world/fon.png"));
    return fon;
}

}   // namespace WorldImages
