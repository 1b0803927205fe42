// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPng.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>

namespace {

// Level 1 of deflate: field pictures are mostly white, and the stronger levels save little
// for many times the time.
constexpr int kFastQuality = 85;

}   // namespace

QImage paletteImage(const QImage &image)
{
    if (image.isNull()) return {};
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (indexed.isNull()) return {};
    const bool opaque = rgb.format() == QImage::Format_RGB32;
    QList<QRgb> table;
    QHash<QRgb, uchar> index;
    // Lines of one colour are long: most pixels are the one before.
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = opaque ? (in[x] | 0xFF000000u) : in[x];
            if (!any || pixel != last) {
                auto at = index.constFind(pixel);
                if (at == index.constEnd()) {
                    if (table.size() == 256) return {};
                    at = index.insert(pixel, uchar(table.size()));
                    table << pixel;
                }
                last = pixel;
                lastIndex = *at;
                any = true;
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

QByteArray fieldPng(const QImage &image)
{
    const QImage indexed = paletteImage(image);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kFastQuality);
    if (writer.write(indexed.isNull() ? image : indexed)) return data;
    return {};
}
