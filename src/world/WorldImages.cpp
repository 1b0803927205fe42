// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/WorldImages.h"

#include "world/FieldPicture.h"
#include <QImageReader>
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

// The field shows only the top left of the background: only that part is decoded and kept,
// which takes a fraction of the time and memory of the whole and gives the same pixels.
QImage loadShownPart(const QString &path, QSize size)
{
    initWorldResources();
    const QRect shown(0, 0, FieldPicture::Width, FieldPicture::Height);
    QImageReader reader(path);
    QImage img;
    if (reader.size() == size) {
        reader.setClipRect(shown);
        img = reader.read();
    }
    if (img.size() != shown.size()) {
        img = QImage(shown.size(), QImage::Format_RGB32);
        img.fill(0xFFB4B4B4u);
        return img;
    }
    return img.convertToFormat(QImage::Format_RGB32);
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

}   // namespace

namespace WorldImages {

const QImage &robotPicture(int index)
{
    const int k = std::clamp(index, 0, RobotPictures - 1);
    QImage &picture = pictures().robots[size_t(k)];
    if (picture.isNull())
        picture = load(QStringLiteral(":/world/robot%1.png").arg(k), QSize(SpriteSize, SpriteSize),
                       QImage::Format_ARGB32_Premultiplied, 0x00000000u);
    return picture;
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
    QImage &picture = pictures().arrows[size_t(k)];
    if (picture.isNull())
        picture = load(QStringLiteral(":/world/arrow%1.png").arg(k), QSize(ArrowWidth, ArrowHeight),
                       QImage::Format_ARGB32_Premultiplied, 0x00000000u);
    return picture;
}

const QImage &background()
{
    QImage &fon = pictures().fon;
    if (fon.isNull()) fon = loadShownPart(QStringLiteral(":/world/fon.jpg"), QSize(582, 582));
    return fon;
}

}   // namespace WorldImages
