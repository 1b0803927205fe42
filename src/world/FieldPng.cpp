// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPng.h"

#include <QBuffer>
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
    const int width = rgb.width(), height = rgb.height();
    QList<QRgb> table;
    table.reserve(256);
    // Lines of one colour are long: most pixels are the one before. A field holds a few
    // colours, so the table itself is searched where the colour changes.
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    for (int y = 0; y < height; ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = opaque ? (in[x] | 0xFF000000u) : in[x];
            if (!any || pixel != last) {
                const qsizetype at = table.indexOf(pixel);
                if (at < 0) {
                    if (table.size() == 256) return {};
                    table << pixel;
                }
                last = pixel;
                lastIndex = uchar(at < 0 ? table.size() - 1 : at);
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
    const QImage indexed = image.format() == QImage::Format_Indexed8 ? image : paletteImage(image);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kFastQuality);
    if (writer.write(indexed.isNull() ? image : indexed)) return data;
    return {};
}
