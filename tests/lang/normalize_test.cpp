// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/Normalize.h"
#include <gtest/gtest.h>

TEST(normalizeLine, StripsOnlySpacesAndUppercasesCodePageLetters)
{
    EXPECT_EQ(normalizeLine(QString::fromUtf8("  шаг  ")), QString::fromUtf8("ШАГ"));
    EXPECT_EQ(normalizeLine(QString::fromUtf8("\tШАГ")), QString::fromUtf8("\tШАГ"));
    EXPECT_EQ(normalizeLine(QString::fromUtf8("ёж µß abc")), QString::fromUtf8("ЁЖ µß ABC"));
    EXPECT_EQ(normalizeLine(QString::fromUtf8("ґїєі")), QString::fromUtf8("ҐЇЄІ"));
    EXPECT_EQ(normalizeLine(QStringLiteral("   ")), QString());
}
