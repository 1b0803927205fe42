// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/widgets/ExtendedSettingsDialog.h"
#include "common/ObjectNames.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

TEST(ExtendedSettingsDialog, WritesTheSpeedDirectiveAndKeepsTheNumber)
{
    QWidget mainWindow;
    ExtendedSettingsDialog dlg(&mainWindow);
    QStringList lines;
    dlg.setLineReplacer([&](const QString &line) { lines << line; });
    EXPECT_EQ(dlg.objectName(), ObjectName::ExtendedSettingsDialog);
    EXPECT_EQ(dlg.size(), QSize(160, 95));
    EXPECT_EQ(dlg.windowTitle(), "Расширенные настрйки");

    auto *spin = dlg.findChild<QSpinBox *>(ObjectName::SpeedSpinBox);
    auto *button = dlg.findChild<QPushButton *>(ObjectName::ApplySpeedButton);
    ASSERT_TRUE(spin && button);
    EXPECT_EQ(button->text(), QString::fromUtf8("\xD0\x9E\xD0\x9A"));   // Cyrillic "ОК"
    EXPECT_EQ(spin->value(), 1);
    EXPECT_EQ(spin->minimum(), 1);
    EXPECT_EQ(spin->maximum(), 5000);

    dlg.show();
    spin->selectAll();
    QTest::keyClicks(spin, "250");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(lines, QStringList {"*$S=250"});
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    // Opened again, it still offers 250; a typed 0 becomes the smallest speed.
    dlg.show();
    EXPECT_EQ(spin->value(), 250);
    spin->selectAll();
    QTest::keyClicks(spin, "0");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(lines.last(), "*$S=1");

    // Over the largest speed: the largest, not the first digits typed.
    dlg.show();
    spin->selectAll();
    QTest::keyClicks(spin, "6000");
    EXPECT_EQ(spin->text(), "6000");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(lines.last(), "*$S=5000");

    const QString shots = qEnvironmentVariable("TRAKMIL_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        dlg.show();
        dlg.grab().save(QDir(shots).filePath("sysn.png"));
    }
}
