// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

class FieldVectors;

// The field picture as an SVG drawing of the same size, made of what the picture drew:
// the white ground, the frame and cell outlines as one path, the node numbers as text,
// every trace segment as a line in its colour, width and round caps, in drawing order, and
// the robot when shown, where and as the window shows it, its picture's pixels as squares.
// Edges are drawn crisp, as the picture's are.
QByteArray fieldSvg(const FieldVectors &field);
