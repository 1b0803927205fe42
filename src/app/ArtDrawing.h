// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// How the art is drawn, shared by the icons and by the build's tool that draws the pictures the
// window shows as it starts, so that a stored picture is the very one the icon would draw.

// The SVG file fitted into size, keeping its shape, transparent around it; null when the file
// does not read or fits in no pixel.
QImage drawArt(const QString &svgPath, const QSize &size);

// The stored picture of an art file at one square size: its resource path and its bytes (width and
// height, then the premultiplied pixels, rows packed, as they lie in memory).
QString drawnArtPath(const QString &svgPath, int size);
QByteArray storedArt(const QImage &picture);
// Null when the bytes are not a stored picture.
QImage readStoredArt(const uchar *data, qsizetype length);
