// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/widgets/WorldTexts.h"

#include <gtest/gtest.h>

TEST(WorldTexts, PanelsInEveryLanguage)
{
    struct Row {
        Language lang;
        const char *size, *pos, *line, *border, *clear, *save;
    } rows[] = {
        {Language::Rus, "Поле: 16 x 20", "Робот: x=3, y=12", "Линия [1]", "Край [0]", "Очистить поле",
         "Сохранить картинку..."},
        {Language::Rom, "Cimp: 16 x 20", "Robot: x=3, y=12", "Linie [1]", "Margine [0]", "Curata cimpul",
         "Salveaza imaginea..."},
        {Language::Eng, "Field: 16 x 20", "Robot: x=3, y=12", "Line [1]", "Border [0]", "Clear field",
         "Save picture..."},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(WorldTexts::fieldSizePanel(r.lang, 16, 20), QString::fromUtf8(r.size));
        EXPECT_EQ(WorldTexts::positionPanel(r.lang, 3, 12), QString::fromUtf8(r.pos));
        EXPECT_EQ(WorldTexts::lineSensorPanel(r.lang, 1), QString::fromUtf8(r.line));
        EXPECT_EQ(WorldTexts::borderSensorPanel(r.lang, 0), QString::fromUtf8(r.border));
        EXPECT_EQ(WorldTexts::clearFieldCaption(r.lang), QString::fromUtf8(r.clear));
        EXPECT_EQ(WorldTexts::savePictureCaption(r.lang), QString::fromUtf8(r.save));
    }
    // The separator is the Latin x, never the Cyrillic one of the design-time texts.
    EXPECT_FALSE(WorldTexts::fieldSizePanel(Language::Rus, 2, 5)->contains(QChar(0x0445)));
    EXPECT_FALSE(WorldTexts::positionPanel(Language::Rus, 0, 0)->contains(QChar(0x0445)));
}

TEST(WorldTexts, UnknownLanguageKeepsTheOldText)
{
    EXPECT_FALSE(WorldTexts::fieldSizePanel(Language::Unknown, 16, 20));
    EXPECT_FALSE(WorldTexts::positionPanel(Language::Unknown, 0, 0));
    EXPECT_FALSE(WorldTexts::lineSensorPanel(Language::Unknown, 0));
    EXPECT_FALSE(WorldTexts::borderSensorPanel(Language::Unknown, 0));
    EXPECT_FALSE(WorldTexts::clearFieldCaption(Language::Unknown));
    EXPECT_FALSE(WorldTexts::savePictureCaption(Language::Unknown));
}

TEST(WorldTexts, ExportFilter)
{
    // The bitmap's filter stays as it always was, first; the SVG one speaks the Language.
    EXPECT_EQ(WorldTexts::pictureFilter(Language::Eng),
              QString::fromUtf8("Файл изображения (*.bmp)|*.bmp|SVG drawing (*.svg)|*.svg"));
    EXPECT_EQ(WorldTexts::pictureFilter(Language::Rus),
              QString::fromUtf8("Файл изображения (*.bmp)|*.bmp|Рисунок SVG (*.svg)|*.svg"));
    EXPECT_EQ(WorldTexts::pictureFilter(Language::Unknown), WorldTexts::pictureFilter(Language::Eng));
    EXPECT_EQ(WorldTexts::pictureSuffix(), "bmp");
}
