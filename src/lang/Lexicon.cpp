// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Lexicon.h"

namespace {

Lexicon make(const char *const w[24])
{
    auto s = [&](int i) { return QString::fromUtf8(w[i]); };
    return Lexicon {s(0),  s(1),  s(2),  s(3),  s(4),  s(5),  s(6),  s(7),  s(8),  s(9),  s(10), s(11),
                    s(12), s(13), s(14), s(15), s(16), s(17), s(18), s(19), s(20), s(21), s(22), s(23)};
}

const char *const kRus[24] = {"НАЧАЛО АЛГОРИТМА",
                              "КОНЕЦ АЛГОРИТМА",
                              "ШАГ",
                              "ПРЫЖОК",
                              "ПОВОРОТ 45",
                              "ПОВОРОТ 90",
                              "ЦВЕТ",
                              "УНИЧТОЖИТЬ",
                              "ВОССТАНОВИТЬ",
                              "ВЫПОЛНИТЬ",
                              "ПРОЦЕДУРА",
                              "КОНЕЦ ПРОЦЕДУРЫ",
                              "ЦИКЛ. ВЫПОЛНИТЬ",
                              "РАЗ",
                              "КОНЕЦ ЦИКЛА",
                              "КОНЕЦ УСЛОВИЯ",
                              "ЦИКЛ. ВЫПОЛНЯТЬ ПОКА",
                              "НЕ КРАЙ",
                              "КРАЙ",
                              "НЕ ЛИНИЯ",
                              "ЛИНИЯ",
                              "УСЛОВИЕ. ЕСЛИ",
                              "ТОГДА",
                              "ИНАЧЕ"};
const char *const kRom[24] = {"INCEPUT DE ALGORITM",
                              "SFIRSIT DE ALGORITM",
                              "PAS",
                              "SALT",
                              "ROTIRE 45",
                              "ROTIRE 90",
                              "CULOARE",
                              "ANULEAZA",
                              "RESTITUIE",
                              "EXECUTA",
                              "PROCEDURA",
                              "SFIRSIT PROCEDURA",
                              "CICLU. EXECUTA",
                              "ORI",
                              "SFIRSIT CICLU",
                              "SFIRSIT DACA",
                              "CICLU. EXECUTA PINA CIND",
                              "NU E MARGINE",
                              "MARGINE",
                              "NU E LINIE",
                              "LINIE",
                              "CONDITIA. DACA",
                              "ATUNCI",
                              "ALTFEL"};
const char *const kEng[24] = {"ALGORITHM BEGIN",
                              "ALGORITHM END",
                              "STEP",
                              "JUMP",
                              "ROTATE 45",
                              "ROTATE 90",
                              "COLOR",
                              "DESTROY",
                              "REBUILD",
                              "EXECUTE",
                              "PROCEDURE",
                              "END OF PROCEDURE",
                              "CYCLE. EXECUTE",
                              "TIMES",
                              "END OF CYCLE",
                              "END OF CONDITION",
                              "CYCLE. EXECUTE WHILE",
                              "NOT BORDER",
                              "BORDER",
                              "NOT LINE",
                              "LINE",
                              "CONDITION. IF",
                              "THEN",
                              "ELSE"};

struct ColourRow {
    QRgb rgb;
    const char *names[3];
};

const ColourRow kColours[ColourTable::Count] = {
    {0x000000, {"ЧЕРНЫЙ", "NEGRU", "BLACK"}},
    {0x800000, {"КОРИЧНЕВЫЙ", "BRUN", "MAROON"}},
    {0x008000, {"ТЕМНО-ЗЕЛЕНЫЙ", "VERDE INTUNECAT", "GREEN"}},
    {0x808000, {"БЕЖЕВЫЙ", "BEJ", "OLIVE"}},
    {0x000080, {"ТЕМНО-СИНИЙ", "ALBASTRU INTUNECAT", "NAVY"}},
    {0x800080, {"ФИОЛЕТОВЫЙ", "VIOLET", "PURPLE"}},
    {0x008080, {"БИРЮЗОВЫЙ", "TUROCOAZ", "TEAL"}},
    {0x808080, {"СЕРЫЙ", "GRI", "GRAY"}},
    {0xC0C0C0, {"СЕРЕБРЯНЫЙ", "ARGINTIU", "SILVER"}},
    {0xFF0000, {"КРАСНЫЙ", "ROSU", "RED"}},
    {0x00FF00, {"ЗЕЛЕНЫЙ", "VERDE", "LIME"}},
    {0xFFFF00, {"ЖЕЛТЫЙ", "GALBEN", "YELLOW"}},
    {0x0000FF, {"СИНИЙ", "ALBASTRU", "BLUE"}},
    {0xFF00FF, {"СИРЕНЕВЫЙ", "LILIACHIU", "FUCHSIA"}},
    {0x00FFFF, {"ГОЛУБОЙ", "LBASTRU-DESCHIS", "AQUA"}},
    {0xFFFFFF, {"ПРОЗРАЧНЫЙ", "STRAVEZIU", "TRANSPARENT"}},
};

}   // namespace

const Lexicon &Lexicon::forLanguage(Language lang)
{
    static const Lexicon sets[3] = {make(kRus), make(kRom), make(kEng)};
    return sets[languageIndex(lang)];
}

namespace ColourTable {

QRgb value(int index) { return (index >= 0 && index < Count) ? kColours[index].rgb : 0; }

QString name(int index, Language lang)
{
    if (index < 0 || index >= Count) return QString();
    return QString::fromUtf8(kColours[index].names[languageIndex(lang)]);
}

QStringList names(Language lang)
{
    QStringList r;
    for (int i = 0; i < Count; ++i) r << name(i, lang);
    return r;
}

int indexOf(QRgb rgb)
{
    rgb &= 0xFFFFFF;
    for (int i = 0; i < Count; ++i)
        if (kColours[i].rgb == rgb) return i;
    return -1;
}

int findByName(const QString &normalized, Language lang)
{
    for (int i = 0; i < Count; ++i)
        if (normalized == name(i, lang)) return i;
    return -1;
}

QRgb next(QRgb current)
{
    const int i = indexOf(current);
    return i < 0 ? current : kColours[(i + 1) % Count].rgb;
}

QRgb previous(QRgb current)
{
    const int i = indexOf(current);
    return i < 0 ? current : kColours[(i + Count - 1) % Count].rgb;
}

}   // namespace ColourTable
