// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ArtDrawing.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstring>

QImage drawArt(const QString &svgPath, const QSize &size)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) return QImage();
    QSize fitted = renderer.defaultSize();
    if (!fitted.isNull()) fitted.scale(size, Qt::KeepAspectRatio);
    if (fitted.isEmpty()) return QImage();
    QImage img(fitted, QImage::Format_ARGB32_Premultiplied);
    img.fill(0x00000000);
    QPainter p(&img);
    renderer.render(&p);
    p.end();
    return img;
}

QString drawnArtPath(const QString &svgPath, int size)
{
    return QStringLiteral(":/drawn/%1-%2.argb").arg(QFileInfo(svgPath).completeBaseName()).arg(size);
}

namespace {
constexpr qsizetype headerLength = 8;   // width and height, 32 bits each, little-endian
}

QByteArray storedArt(const QImage &picture)
{
    const QImage img = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const qsizetype row = qsizetype(img.width()) * 4;
    QByteArray out(headerLength + row * img.height(), Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(img.width()), out.data());
    qToLittleEndian<quint32>(quint32(img.height()), out.data() + 4);
    for (int y = 0; y < img.height(); ++y)
        std::memcpy(out.data() + headerLength + row * y, img.constScanLine(y), size_t(row));
    return out;
}

QImage readStoredArt(const uchar *data, qsizetype length)
{
    if (!data || length < headerLength) return QImage();
    const quint32 width = qFromLittleEndian<quint32>(data);
    const quint32 height = qFromLittleEndian<quint32>(data + 4);
    if (width == 0 || height == 0 || width > 4096 || height > 4096) return QImage();
    const qsizetype row = qsizetype(width) * 4;
    if (length != headerLength + row * qsizetype(height)) return QImage();
    QImage img(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (img.isNull()) return QImage();
    for (int y = 0; y < img.height(); ++y)
        std::memcpy(img.scanLine(y), data + headerLength + row * y, size_t(row));
    return img;
}
