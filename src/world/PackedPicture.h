// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>

// The field's pictures as the build packs them from their PNG files, so that the program reads
// them without decoding: width, height, the image format and the number of colours (32 bits each,
// little-endian), the colour table, then the rows packed as they lie in memory. Shared by the
// build's tool that packs them and by the reader, so a packed picture is the very one the PNG
// decodes to.

// A palette picture stays Indexed8 with its colour table; any other becomes premultiplied ARGB.
QByteArray packPicture(const QImage &picture);
// Null when the bytes are not a packed picture.
QImage unpackPicture(const uchar *data, qsizetype length);
