// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>

// The pictures of the about window; the art is SVG under resources/about.
namespace AboutPictures {
// The program picture: the robot on its field with a coloured trace.
QPixmap program(int size);
// The small pictures beside the feedback and support texts.
QPixmap envelope(int size);
QPixmap lifebuoy(int size);
// The carousel photos, index 0..3.
constexpr int photoCount = 4;
QPixmap photo(int index, int width, int height);
}   // namespace AboutPictures
