// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ClampingSpinBox.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Types into a box holding `start` and confirms with Enter.
int typed(ClampingSpinBox &box, int start, const char *keys)
{
    box.setValue(start);
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClicks(&box, keys);
    QTest::keyClick(&box, Qt::Key_Return);
    return box.value();
}

}   // namespace

TEST(ClampingSpinBox, TypedNumbersAreBroughtIntoTheRange)
{
    ClampingSpinBox box;
    box.setRange(2, 16);
    const struct {
        const char *keys;
        int value;
    } cases[] = {{"99", 16}, {"17", 16}, {"16", 16}, {"2", 2},  {"1", 2},   {"0", 2},
                 {"-7", 2},  {"", 2},    {"-", 2},   {"+9", 9}, {"007", 7}, {"999999999", 16}};
    for (const auto &c : cases) EXPECT_EQ(typed(box, 5, c.keys), c.value) << c.keys;
    EXPECT_EQ(box.text(), QStringLiteral("16"));   // the box shows the value it took
}

TEST(ClampingSpinBox, LettersAndOverlongNumbersAreRefusedKeystrokeByKeystroke)
{
    ClampingSpinBox box;
    box.setRange(1, 9999);
    box.setMaxTextLength(4);
    box.setValue(1);
    box.selectAll();
    QTest::keyClicks(&box, "1a2b34567");
    EXPECT_EQ(box.text(), QStringLiteral("1234"));
    // A number too long for any range stops at nine digits when no length is set.
    ClampingSpinBox wide;
    wide.setRange(-5, 5);
    wide.selectAll();
    QTest::keyClicks(&wide, "-12345678901");
    EXPECT_EQ(wide.text(), QStringLiteral("-123456789"));
    QTest::keyClick(&wide, Qt::Key_Return);
    EXPECT_EQ(wide.value(), -5);
}

TEST(ClampingSpinBox, ValueFollowsTheTypingAndEndsInRange)
{
    ClampingSpinBox box;
    box.setRange(2, 20);
    box.setValue(16);
    QSignalSpy changed(&box, &QSpinBox::valueChanged);
    box.selectAll();
    QTest::keyClicks(&box, "25");   // "2" is in range on the way
    box.interpretText();
    EXPECT_EQ(box.value(), 20);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().at(0).toInt(), 20);
}
