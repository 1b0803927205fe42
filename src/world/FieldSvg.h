// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

class FieldPicture;

// The field picture as an SVG drawing of the same size, made of what the picture drew:
// the white ground, the frame and cell outlines as one path, the node numbers as text and
// every trace stroke as a line in its colour, width and round caps, in drawing order.
// Like the raster picture it has no robot. Edges are drawn crisp, as the picture's are.
QByteArray fieldSvg(const FieldPicture &picture);
