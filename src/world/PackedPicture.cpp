// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/PackedPicture.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr qsizetype headerLength = 16;
constexpr int largest = 4096;

int bytesPerPixel(QImage::Format format) { return format == QImage::Format_Indexed8 ? 1 : 4; }

}   // namespace

QByteArray packPicture(const QImage &picture)
{
    const QImage img = picture.format() == QImage::Format_Indexed8
                           ? picture
                           : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QList<QRgb> colours = img.colorTable();
    const qsizetype row = qsizetype(img.width()) * bytesPerPixel(img.format());
    const qsizetype table = colours.size() * 4;
    QByteArray out(headerLength + table + row * img.height(), Qt::Uninitialized);
    uchar *p = reinterpret_cast<uchar *>(out.data());
    qToLittleEndian<quint32>(quint32(img.width()), p);
    qToLittleEndian<quint32>(quint32(img.height()), p + 4);
    qToLittleEndian<quint32>(quint32(img.format()), p + 8);
    qToLittleEndian<quint32>(quint32(colours.size()), p + 12);
    p += headerLength;
    for (QRgb c : colours) {
        qToLittleEndian<quint32>(c, p);
        p += 4;
    }
    for (int y = 0; y < img.height(); ++y, p += row) std::memcpy(p, img.constScanLine(y), size_t(row));
    return out;
}

QImage unpackPicture(const uchar *data, qsizetype length)
{
    if (!data || length < headerLength) return QImage();
    const quint32 width = qFromLittleEndian<quint32>(data);
    const quint32 height = qFromLittleEndian<quint32>(data + 4);
    const quint32 format = qFromLittleEndian<quint32>(data + 8);
    const quint32 colourCount = qFromLittleEndian<quint32>(data + 12);
    if (width == 0 || height == 0 || width > largest || height > largest) return QImage();
    if (format != QImage::Format_Indexed8 && format != QImage::Format_ARGB32_Premultiplied) return QImage();
    const auto f = QImage::Format(format);
    if (colourCount > (f == QImage::Format_Indexed8 ? 256u : 0u)) return QImage();
    const qsizetype row = qsizetype(width) * bytesPerPixel(f);
    const qsizetype table = qsizetype(colourCount) * 4;
    if (length != headerLength + table + row * qsizetype(height)) return QImage();
    QImage img(int(width), int(height), f);
    if (img.isNull()) return QImage();
    const uchar *p = data + headerLength;
    if (colourCount > 0) {
        QList<QRgb> colours(colourCount);
        for (QRgb &c : colours) {
            c = qFromLittleEndian<quint32>(p);
            p += 4;
        }
        img.setColorTable(colours);
    }
    for (int y = 0; y < img.height(); ++y, p += row) std::memcpy(img.scanLine(y), p, size_t(row));
    return img;
}
