// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"

#include <QString>
#include <optional>

// Texts of the world's status panels (3 to 6) and of the field's context menu. Each
// returns nothing for a Language other than the three, so the caller keeps the old text.
namespace WorldTexts {

std::optional<QString> fieldSizePanel(Language lang, int fieldWidth, int fieldHeight);   // "Поле: 16 x 20"
std::optional<QString> positionPanel(Language lang, int x, int y);   // "Робот: x=0, y=0"
std::optional<QString> lineSensorPanel(Language lang, int value);   // "Линия [0]"
std::optional<QString> borderSensorPanel(Language lang, int value);   // "Край [0]"

std::optional<QString> clearFieldCaption(Language lang);   // context menu: clear
std::optional<QString> savePictureCaption(Language lang);   // context menu: export

// The export dialog's filters in "Description (*.ext)|*.ext|..." form: the bitmap one
// first, as it always was, then the SVG drawing in `lang`; and the default extension.
QString pictureFilter(Language lang);
QString pictureSuffix();

}   // namespace WorldTexts
