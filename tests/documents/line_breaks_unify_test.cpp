// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/LineBreaks.h"

#include <gtest/gtest.h>

TEST(LineBreaks, EverySeparatorBecomesOneNewline)
{
    const struct {
        QString in, out;
    } cases[] = {
        {QStringLiteral("a\r\nb"), QStringLiteral("a\nb")},
        {QStringLiteral("a\rb\nc"), QStringLiteral("a\nb\nc")},
        {QStringLiteral("a\n\rb"), QStringLiteral("a\n\nb")},   // LF CR is two breaks
        {QStringLiteral("a\r\r\nb"), QStringLiteral("a\n\nb")},
        {QStringLiteral("a\vb\fc"), QStringLiteral("a\nb\nc")},
        {QStringLiteral("a\u2028b\u2029c"), QStringLiteral("a\nb\nc")},
        {QStringLiteral("\u2029"), QStringLiteral("\n")},
        {QStringLiteral("a\tb\u0085c\u00a0"), QStringLiteral("a\tb\u0085c\u00a0")},   // not breaks
        {QString(), QString()},
    };
    for (const auto &c : cases) EXPECT_EQ(unifyLineBreaks(c.in), c.out) << c.in.toStdString();
    for (char16_t c : {u'\n', u'\r', u'\v', u'\f', u'\u2028', u'\u2029'}) EXPECT_TRUE(isLineBreak(QChar(c)));
    for (char16_t c : {u'\t', u' ', u'\0', u'\u0085', u'\u00a0', u'\u200b'})
        EXPECT_FALSE(isLineBreak(QChar(c)));
}
