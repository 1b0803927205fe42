// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Highlight.h"
#include "lang/Normalize.h"
#include <gtest/gtest.h>

using namespace LineColour;

namespace {
constexpr QRgb Dialog = 0xFFFFFFFF;   // the change handler's "**" row

struct Row {
    Language lang;
    const char *line;   // raw; normalised before classifying
    QRgb onChange, onKey, full;
};

const Row kRows[] = {
    {Language::Rus, "**", Dialog, Gray, Gray},
    {Language::Rus, "  **x", Dialog, Gray, Gray},
    {Language::Rus, "*$S=250", Silver, Gray, Gray},
    {Language::Rus, "*$s=250", Silver, Gray, Gray},
    {Language::Rus, "* квадрат", Gray, Gray, Gray},
    {Language::Rus, "УСЛОВИЕ. ЕСЛИ ЛИНИЯ", Teal, Teal, Teal},
    {Language::Rus, "ЦИКЛ. ВЫПОЛНЯТЬ ПОКА НЕ КРАЙ", Green, Green, Green},
    {Language::Rus, "ВЫПОЛНИТЬ КВАДРАТ", Maroon, Maroon, Maroon},
    {Language::Rus, "процедура квадрат", Maroon, Maroon, Maroon},
    {Language::Rus, "ЦВЕТ=КРАСНЫЙ", Purple, Purple, Purple},
    {Language::Rus, "цвет+", Purple, Purple, Purple},
    {Language::Rus, "УНИЧТОЖИТЬ", Fuchsia, Teal, Fuchsia},
    {Language::Rus, "ВОССТАНОВИТЬ", Fuchsia, Teal, Fuchsia},
    {Language::Rus, "УНИЧТОЖИТЬ 2", Black, Black, Black},
    {Language::Rus, "КОНЕЦ ПРОЦЕДУРЫ", Maroon, Maroon, Maroon},
    {Language::Rus, "ИНАЧЕ", Teal, Teal, Teal},
    {Language::Rus, "ИНАЧЕ ШАГ", Black, Teal, Black},
    {Language::Rus, "ТОГДА", Teal, Teal, Teal},
    {Language::Rus, "ТОГДАШНИЙ", Black, Teal, Black},
    {Language::Rus, "ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ", Green, Green, Green},
    {Language::Rus, "ЦИКЛ. ВЫПОЛНИТЬ 4", Black, Black, Black},
    {Language::Rus, "КОНЕЦ ЦИКЛА", Green, Green, Green},
    {Language::Rus, "КОНЕЦ УСЛОВИЯ", Teal, Black, Teal},
    {Language::Rus, "НАЧАЛО АЛГОРИТМА", Blue, Blue, Blue},
    {Language::Rus, " конец алгоритма ", Blue, Blue, Blue},
    {Language::Rus, "ШАГ", Navy, Navy, Navy},
    {Language::Rus, "ПРЫЖОК", Navy, Navy, Navy},
    {Language::Rus, "ПОВОРОТ 45", Navy, Navy, Navy},
    {Language::Rus, "ПОВОРОТ  45", Black, Black, Black},
    {Language::Rus, "ПОВОРОТ 90", Navy, Navy, Navy},
    {Language::Rus, "ШАГ 1", Black, Black, Black},
    {Language::Rus, "\tШАГ", Black, Black, Black},
    {Language::Rus, "", Black, Black, Black},
    {Language::Rus, "STEP", Black, Black, Black},
    {Language::Eng, "EXECUTE SQUARE", Maroon, Maroon, Maroon},
    {Language::Eng, "CYCLE. EXECUTE 2 TIMES", Green, Green, Green},
    {Language::Eng, "CYCLE. EXECUTE WHILE NOT BORDER", Green, Green, Green},
    {Language::Eng, "END OF CONDITION", Teal, Black, Teal},
    {Language::Eng, "ELSEWHERE", Black, Teal, Black},
    {Language::Rom, "SFIRSIT PROCEDURA", Maroon, Maroon, Maroon},
    {Language::Rom, "SFIRSIT CICLU", Green, Green, Green},
    {Language::Rom, "SFIRSIT DACA", Teal, Black, Teal},
    {Language::Rom, "SFIRSIT DE ALGORITM", Blue, Blue, Blue},
    {Language::Rom, "CICLU. EXECUTA PINA CIND LINIE", Green, Green, Green},
};
}   // namespace

TEST(Highlight, ThreeTablesWithTheirOwnRowOrders)
{
    for (const Row &r : kRows) {
        const Lexicon &lex = Lexicon::forLanguage(r.lang);
        const QString n = normalizeLine(QString::fromUtf8(r.line));
        const ChangeRule ch = classifyOnChange(n, lex);
        if (r.onChange == Dialog) {
            EXPECT_EQ(ch.kind, ChangeRule::OpenExtendedSettings) << r.line;
        } else {
            EXPECT_EQ(ch.kind, ChangeRule::Paint) << r.line;
            EXPECT_EQ(ch.colour, r.onChange) << r.line;
        }
        EXPECT_EQ(classifyOnKey(n, lex), r.onKey) << r.line;
        EXPECT_EQ(classifyFull(n, lex), r.full) << r.line;
    }
}

TEST(Highlight, PasteCodeColours)
{
    const Lexicon &lex = Lexicon::forLanguage(Language::Eng);
    EXPECT_EQ(pasteCodeColour(QStringLiteral("DESTROY"), lex), Fuchsia);
    EXPECT_EQ(pasteCodeColour(QStringLiteral("REBUILD"), lex), Fuchsia);
    EXPECT_EQ(pasteCodeColour(QStringLiteral("COLOR=RED"), lex), Purple);
    EXPECT_EQ(pasteCodeColour(QStringLiteral("COLOR+"), lex), Purple);
    EXPECT_EQ(pasteCodeColour(QStringLiteral("STEP"), lex), Navy);
    EXPECT_EQ(pasteCodeColour(QStringLiteral("ROTATE 45"), lex), Navy);
}
