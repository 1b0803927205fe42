// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/WorldImages.h"

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

struct Pictures {
    std::array<QImage, WorldImages::RobotPictures> robots;
    std::array<QImage, 8> arrows;
    QImage clean;
    QImage fon;

    Pictures()
    {
        const QSize sprite(WorldImages::SpriteSize, WorldImages::SpriteSize);
        for (int k = 0; k < WorldImages::RobotPictures; ++k)
            robots[k] = load(QStringLiteral(":/world/robot%1.png").arg(k), sprite,
                             QImage::Format_ARGB32_Premultiplied, 0x00000000u);
        for (int k = 0; k < 8; ++k)
            arrows[k] = load(QStringLiteral(":/world/arrow%1.png").arg(k),
                             QSize(WorldImages::ArrowWidth, WorldImages::ArrowHeight),
                             QImage::Format_ARGB32_Premultiplied, 0x00000000u);
        clean = QImage(sprite, QImage::Format_ARGB32_Premultiplied);
        clean.fill(Qt::transparent);
        fon = load(QStringLiteral(":/world/fon.jpg"), QSize(582, 582), QImage::Format_RGB32, 0xFFB4B4B4u);
    }
};

const Pictures &pictures()
{
    static const Pictures p;
    return p;
}

}   // namespace

namespace WorldImages {

const QImage &robotPicture(int index) { return pictures().robots[std::clamp(index, 0, RobotPictures - 1)]; }

const QImage &robotClean() { return pictures().clean; }

const QImage &arrowPicture(int heading) { return pictures().arrows[heading & 7]; }

const QImage &background() { return pictures().fon; }

}   // namespace WorldImages
