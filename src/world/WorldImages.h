// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

// The pictures the field shows, each loaded from the resources when first asked for, and kept;
// for the window's thread only. A missing picture yields a plain stand-in rather than an empty
// image, so drawing never fails.
namespace WorldImages {

constexpr int SpriteSize = 42;   // RobotBox pictures
constexpr int ArrowWidth = 15, ArrowHeight = 14;
constexpr int RobotPictures = 9;   // RobotBox; the ninth is a spare

const QImage &robotPicture(int index);   // RobotBox[index], 0..8 (clamped)
const QImage &robotClean();   // blank, fully transparent
const QImage &arrowPicture(int heading);   // DirectionBox[heading & 7]
// Fon, the field's background at the field's size: the top left of the 582 x 582 picture, the
// part the field shows. Indexed8, its colours in its colour table.
const QImage &background();

}   // namespace WorldImages
