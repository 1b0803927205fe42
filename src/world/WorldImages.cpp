// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/WorldImages.h"

#include "world/FieldPicture.h"
#include "world/PackedPicture.h"
#include <QImage>
#include <QResource>
#include <QString>
#include <algorithm>
#include <array>

namespace {

// The pictures are packed by the build from the PNG files under resources/world (see
// world/PackedPicture.h): reading them decodes nothing. Null when missing or not packed.
QImage packed(const QString &path)
{
    const QResource resource(path);
    if (!resource.isValid()) return QImage();
    const QByteArray bytes = resource.uncompressedData();
    return unpackPicture(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
}

QImage load(const QString &path, QSize size, QImage::Format format, QRgb standIn)
{
    QImage img = packed(path);
    if (img.isNull() || img.size() != size) {
        img = QImage(size, format);
        img.fill(standIn);
        return img;
    }
    return img.convertToFormat(format);
}

// The background as the field shows it: a few dozen colours, kept as their indices, a quarter of
// the memory of the colours themselves.
QImage loadBackground(const QString &path)
{
    const QSize shown(FieldPicture::Width, FieldPicture::Height);
    constexpr QRgb standIn = 0xFFB4B4B4u;
    QImage img = packed(path);
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
    return sprite(pictures().robots[size_t(k)], QStringLiteral(":/world/robot%1.pixels").arg(k),
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
    return sprite(pictures().arrows[size_t(k)], QStringLiteral(":/world/arrow%1.pixels").arg(k),
                  QSize(ArrowWidth, ArrowHeight));
}

const QImage &background()
{
    QImage &fon = pictures().fon;
    if (fon.isNull()) fon = loadBackground(QStringLiteral(":/world/fon.pixels"));
    return fon;
}

}   // namespace WorldImages
