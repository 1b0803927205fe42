// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QImage>

// A field picture as PNG data, for pages and folders of many pictures. The field holds a
// few colours, so it is written with a palette of exactly those colours at a fast level of
// compression: a quarter of the pixels' bytes to deflate, and every pixel read back as it
// was. A picture of more than 256 colours is written in full colour, one with a palette as it
// is. Empty on failure.
QByteArray fieldPng(const QImage &image);

// The picture with a palette of its own colours, in the order they first appear; a null
// image when it holds more than 256.
QImage paletteImage(const QImage &image);
