// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OverflowArrowsStyle.h"

#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {
QImage picture(const QIcon &icon, QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(16, 16), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}
}   // namespace

// The arrows read when first drawn are the style's own, in either direction of writing and in
// every mode; every other picture of the style is untouched.
TEST(OverflowArrowsStyle, DrawsTheStylesOwnPictures)
{
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
    OverflowArrowsStyle style(QStringLiteral("Fusion"));
    const QStyle &deferred = style;
    for (QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            QStyleOption option;
            option.direction = direction;
            const QIcon want = plain->standardIcon(which, &option);
            const QIcon got = deferred.standardIcon(which, &option);
            ASSERT_FALSE(want.isNull());
            EXPECT_FALSE(got.isNull());
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
                EXPECT_EQ(picture(got, mode), picture(want, mode)) << which << direction << mode;
            EXPECT_EQ(got.availableSizes(), want.availableSizes());
            // A copy of an icon not yet drawn draws the same.
            const QIcon copy = deferred.standardIcon(which, &option);
            const QIcon copied(copy);
            EXPECT_EQ(picture(copied), picture(want));
        }
        // The two directions' arrows differ, so a lost direction would show above.
        QStyleOption ltr, rtl;
        rtl.direction = Qt::RightToLeft;
        if (which == QStyle::SP_ToolBarHorizontalExtensionButton) {
            EXPECT_NE(picture(plain->standardIcon(which, &ltr)), picture(plain->standardIcon(which, &rtl)));
        }
    }
    EXPECT_EQ(picture(deferred.standardIcon(QStyle::SP_ArrowUp)),
              picture(plain->standardIcon(QStyle::SP_ArrowUp)));
}

// A bar too narrow for its contents shows its overflow button with the arrow, also when the
// bar turns.
TEST(OverflowArrowsStyle, ANarrowBarShowsItsArrow)
{
    OverflowArrowsStyle style(QStringLiteral("Fusion"));
    QMainWindow window;
    QToolBar *bar = window.addToolBar(QStringLiteral("bar"));
    for (int i = 0; i < 20; ++i) bar->addAction(QStringLiteral("command %1").arg(i));
    QToolButton *overflow = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
    ASSERT_NE(overflow, nullptr);
    // The button asks its own style for the arrow whenever the bar turns.
    overflow->setStyle(&style);
    for (Qt::Orientation turn : {Qt::Vertical, Qt::Horizontal}) bar->setOrientation(turn);
    window.resize(200, 120);
    window.show();
    EXPECT_TRUE(overflow->isVisible());
    QStyleOption option;
    option.initFrom(overflow);
    const QImage shown = picture(overflow->icon());
    EXPECT_EQ(shown,
              picture(style.baseStyle()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option)));
    EXPECT_GT(overflow->grab().toImage().size().width(), 0);
    bar->setOrientation(Qt::Vertical);
    EXPECT_EQ(picture(overflow->icon()),
              picture(style.baseStyle()->standardIcon(QStyle::SP_ToolBarVerticalExtensionButton, &option)));
    overflow->setStyle(nullptr);
}
