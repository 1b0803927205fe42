// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPng.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <array>
#include <cstring>
#include <zlib.h>

namespace {

// Level 1 of deflate: field pictures are mostly white, and the stronger levels save little
// for many times the time.
constexpr int kFastLevel = 1;
constexpr int kFastQuality = 85;   // the image plugin's words for it

void chunk(QByteArray &png, const char type[4], QByteArrayView data)
{
    uchar length[4];
    qToBigEndian(quint32(data.size()), length);
    png.append(reinterpret_cast<const char *>(length), 4);
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    uchar crc[4];
    qToBigEndian(
        quint32(crc32(0, reinterpret_cast<const Bytef *>(png.constData() + start), uInt(png.size() - start))),
        crc);
    png.append(reinterpret_cast<const char *>(crc), 4);
}

// An indexed picture as PNG, written here rather than by the image plugin, which costs more
// than the deflate itself. Most rows of a field are the row above (the cells between the grid
// lines): each such row is filtered against the one above into zeros.
QByteArray indexedPng(const QImage &indexed)
{
    const int width = indexed.width(), height = indexed.height();
    const QList<QRgb> colours = indexed.colorTable();
    if (width <= 0 || height <= 0 || colours.isEmpty() || colours.size() > 256) return {};
    QByteArray rows(qsizetype(width + 1) * height, Qt::Uninitialized);
    for (int y = 0; y < height; ++y) {
        char *row = rows.data() + qsizetype(width + 1) * y;
        const uchar *line = indexed.constScanLine(y);
        if (y > 0 && std::memcmp(line, indexed.constScanLine(y - 1), size_t(width)) == 0) {
            row[0] = 2;   // "up": each byte less the one above
            std::memset(row + 1, 0, size_t(width));
        } else {
            row[0] = 0;
            std::memcpy(row + 1, line, size_t(width));
        }
    }
    z_stream z {};
    if (deflateInit2(&z, kFastLevel, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
    QByteArray packed(qsizetype(deflateBound(&z, uLong(rows.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(rows.data());
    z.avail_in = uInt(rows.size());
    z.next_out = reinterpret_cast<Bytef *>(packed.data());
    z.avail_out = uInt(packed.size());
    const int done = deflate(&z, Z_FINISH);
    packed.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    if (done != Z_STREAM_END) return {};

    QByteArray head(13, '\0');
    qToBigEndian(quint32(width), head.data());
    qToBigEndian(quint32(height), head.data() + 4);
    head[8] = 8;   // bits per index
    head[9] = 3;   // a palette
    QByteArray palette, alpha;
    for (const QRgb c : colours) {
        palette += char(qRed(c));
        palette += char(qGreen(c));
        palette += char(qBlue(c));
        alpha += char(qAlpha(c));
    }
    // Only the colours up to the last that is not opaque need an alpha.
    while (!alpha.isEmpty() && uchar(alpha.back()) == 255) alpha.chop(1);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(8 + 25 + palette.size() + 12 + alpha.size() + 12 + packed.size() + 12 + 12);
    chunk(png, "IHDR", head);
    chunk(png, "PLTE", palette);
    if (!alpha.isEmpty()) chunk(png, "tRNS", alpha);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", {});
    return png;
}

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
    // Where the colour changes, it is looked up in a small open table of the colours met:
    // a picture with a legend's smoothed text holds a few hundred.
    constexpr int kSlots = 1024;   // a power of two, well above 256
    std::array<QRgb, kSlots> keys {};
    std::array<short, kSlots> places;
    places.fill(-1);
    const auto indexOf = [&](QRgb pixel) -> int {
        for (quint32 at = (pixel * 0x9E3779B1u) >> 22;; at = (at + 1) & (kSlots - 1)) {
            if (places[at] >= 0 && keys[at] == pixel) return places[at];
            if (places[at] < 0) {
                if (table.size() == 256) return -1;
                keys[at] = pixel;
                places[at] = short(table.size());
                table << pixel;
                return places[at];
            }
        }
    };
    // Lines of one colour are long: most pixels are the one before.
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    for (int y = 0; y < height; ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        // Most rows of a field are the row above: the cells between the grid lines.
        if (y > 0 && std::memcmp(in, rgb.constScanLine(y - 1), size_t(width) * sizeof(QRgb)) == 0) {
            std::memcpy(out, indexed.constScanLine(y - 1), size_t(width));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = opaque ? (in[x] | 0xFF000000u) : in[x];
            if (!any || pixel != last) {
                const int at = indexOf(pixel);
                if (at < 0) return {};
                last = pixel;
                lastIndex = uchar(at);
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
    if (!indexed.isNull()) return indexedPng(indexed);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kFastQuality);
    if (writer.write(image)) return data;
    return {};
}
