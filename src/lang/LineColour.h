// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRgb>

// The whole-line colours of the algorithm editor, 0xRRGGBB. They are saved with the
// program's text, so they belong to the language, not to the editor's theme.
namespace LineColour {
constexpr QRgb Black = 0x000000;
constexpr QRgb Navy = 0x000080;
constexpr QRgb Blue = 0x0000FF;
constexpr QRgb Maroon = 0x800000;
constexpr QRgb Green = 0x008000;
constexpr QRgb Teal = 0x008080;
constexpr QRgb Purple = 0x800080;
constexpr QRgb Fuchsia = 0xFF00FF;
constexpr QRgb Gray = 0x808080;
constexpr QRgb Silver = 0xC0C0C0;
}   // namespace LineColour
