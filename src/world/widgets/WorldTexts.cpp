// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/widgets/WorldTexts.h"

#include "base/TextCatalogue.h"

namespace {

std::optional<QString> word(const char *key, Language lang)
{
    return uiText(QByteArray("world.") + key, lang);
}

std::optional<QString> sensorPanel(const char *key, Language lang, int value)
{
    auto w = word(key, lang);
    if (!w) return std::nullopt;
    return *w + QStringLiteral(" [") + QString::number(value) + QLatin1Char(']');
}

}   // namespace

namespace WorldTexts {

std::optional<QString> fieldSizePanel(Language lang, int fieldWidth, int fieldHeight)
{
    auto w = word("field", lang);
    if (!w) return std::nullopt;
    return *w + QLatin1Char(' ') + QString::number(fieldWidth) + QStringLiteral(" x ") +
           QString::number(fieldHeight);
}

std::optional<QString> positionPanel(Language lang, int x, int y)
{
    auto w = word("robot", lang);
    if (!w) return std::nullopt;
    return *w + QStringLiteral(" x=") + QString::number(x) + QStringLiteral(", y=") + QString::number(y);
}

std::optional<QString> lineSensorPanel(Language lang, int value) { return sensorPanel("line", lang, value); }

std::optional<QString> borderSensorPanel(Language lang, int value)
{
    return sensorPanel("border", lang, value);
}

std::optional<QString> clearFieldCaption(Language lang) { return word("clear", lang); }

std::optional<QString> savePictureCaption(Language lang) { return word("export", lang); }

QString pictureFilter(Language lang)
{
    const QString svg =
        word("svgFilter", lang).value_or(word("svgFilter", Language::Eng).value_or(QString()));
    return word("pictureFilter", Language::Rus).value_or(QString()) + QLatin1Char('|') + svg;
}

QString pictureSuffix() { return QStringLiteral("bmp"); }

}   // namespace WorldTexts
