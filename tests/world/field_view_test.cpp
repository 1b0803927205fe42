// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPicture.h"
#include "world/RobotWorld.h"
#include "world/widgets/FieldView.h"
#include "world/WorldImages.h"

#include <gtest/gtest.h>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

// The field placed as the main window places it.
struct Window {
    QWidget host;
    FieldView *field;
    DirectionBevel *direction;
    RobotWorld world;

    Window()
    {
        host.resize(720, 505);
        field = new FieldView(&host);
        field->move(339, 40);
        direction = new DirectionBevel(&host);
        direction->move(675, 481);
        field->setDirectionWidget(direction);
        world.setCanvas(field->canvas());
        world.resetField();
    }
};

}   // namespace

TEST(FieldView, SpriteFollowsTheRobotOnTheHostWindow)
{
    Window w;
    RobotSprite *sprite = w.field->sprite();
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->parentWidget(), &w.host);
    EXPECT_EQ(sprite->size(), QSize(42, 42));
    EXPECT_EQ(sprite->pos(), QPoint(338, 37));

    w.world.rotate45();
    w.world.step();
    w.world.step();
    w.world.jump();
    EXPECT_EQ(sprite->pos(), QPoint(338 + 60, 37 + 60));
    EXPECT_EQ(sprite->picture(), 1);
    EXPECT_EQ(w.direction->heading(), 1);

    // The sprite centre is within a pixel of the node's pixel in the window.
    const QPoint node = w.field->pos() + FieldPicture::nodePixel(3, 3);
    const QPoint centre = sprite->pos() + QPoint(21, 21);
    EXPECT_LE(std::abs(centre.x() - node.x()), 1);
    EXPECT_LE(std::abs(centre.y() - node.y()), 1);

    // Moving the field carries the sprite along.
    w.host.show();
    w.field->move(100, 50);
    EXPECT_EQ(sprite->pos(), QPoint(100 - 1 + 60, 50 - 3 + 60));
}

TEST(FieldView, HideShowAndResetOfTheSprite)
{
    Window w;
    w.host.show();
    RobotSprite *sprite = w.field->sprite();
    w.world.destroyRobot();
    EXPECT_FALSE(sprite->isVisible());
    w.world.step();
    EXPECT_FALSE(sprite->isVisible());
    EXPECT_EQ(sprite->pos(), QPoint(358, 37));
    w.world.rebuildRobot();
    EXPECT_TRUE(sprite->isVisible());

    w.world.rotate90();
    w.world.destroyRobot();
    w.world.resetField();
    EXPECT_TRUE(sprite->isVisible());
    EXPECT_EQ(sprite->pos(), QPoint(338, 37));
    EXPECT_EQ(sprite->picture(), 0);
    EXPECT_EQ(w.direction->heading(), 0);
}

TEST(FieldView, FailedStepStillRefreshesTheSpritePicture)
{
    Window w;
    w.world.rotate90();
    w.world.rotate90();
    w.world.rotate90();   // north at (0, 0)
    w.field->showSprite(8, true);   // something else on the sprite
    w.world.step();
    EXPECT_EQ(w.field->sprite()->picture(), 6);
    EXPECT_EQ(w.field->sprite()->pos(), QPoint(338, 37));
}

TEST(FieldView, WhiteShowsTheBackgroundThrough)
{
    Window w;
    const QImage &fon = WorldImages::background();
    ASSERT_EQ(fon.size(), QSize(FieldPicture::Width, FieldPicture::Height));
    QSet<QRgb> shades;   // the texture, not the flat stand-in of a picture that did not load
    for (int x = 0; x < fon.width(); ++x) shades.insert(fon.pixel(x, fon.height() - 1));
    EXPECT_GT(shades.size(), 10);
    EXPECT_EQ(w.field->shownPixel(39, 39), fon.pixel(39, 39)) << "a node is see-through";
    EXPECT_EQ(w.field->shownPixel(20, 20), 0xFF000000u) << "a cell border is not";

    w.world.step();
    EXPECT_EQ(w.field->shownPixel(29, 19), 0xFF000000u);
    w.world.rotate90();
    w.world.rotate90();
    w.world.setColour(0xFFFFFF);
    w.world.step();
    EXPECT_EQ(w.field->shownPixel(29, 19), fon.pixel(29, 19)) << "white erases what it covers";
    EXPECT_EQ(w.field->shownPixel(29, 20), fon.pixel(29, 20)) << "including the cell border";
}

// Every pixel the field shows is the picture's, or where the picture is white what lies under
// it: the goal's ghost where it covers, the background elsewhere. Checked over the whole field,
// after a first paint and after a change of a part of it.
TEST(FieldView, EveryPixelShowsThePictureOrWhatLiesUnderIt)
{
    Window w;
    const QImage &fon = WorldImages::background();
    QImage ghost(FieldPicture::Width, FieldPicture::Height, QImage::Format_ARGB32_Premultiplied);
    ghost.fill(Qt::transparent);
    const QRect covered(50, 30, 101, 77);
    constexpr QRgb ghostColour = 0xFF3060C0u;
    for (int y = covered.top(); y <= covered.bottom(); ++y)
        for (int x = covered.left(); x <= covered.right(); ++x) ghost.setPixel(x, y, ghostColour);
    w.field->setGhost(ghost);
    const auto expectAllShown = [&](const char *when) {
        const QImage &pic = w.field->picture().image();
        int wrong = 0;
        for (int y = 0; y < FieldPicture::Height; ++y)
            for (int x = 0; x < FieldPicture::Width; ++x) {
                const QRgb drawn = pic.pixel(x, y) | 0xFF000000u;
                const QRgb under = covered.contains(x, y) ? ghostColour : fon.pixel(x, y);
                const QRgb expected = drawn == FieldPicture::White ? under : drawn;
                if (w.field->shownPixel(x, y) != expected && ++wrong < 5)
                    ADD_FAILURE() << when << ": pixel " << x << ", " << y;
            }
        EXPECT_EQ(wrong, 0) << when;
    };
    w.world.step();
    expectAllShown("first paint");
    w.world.rotate90();
    w.world.setColour(0xFF0000);
    w.world.step();
    w.world.step();
    expectAllShown("a part changed");
}

TEST(FieldView, MouseSignals)
{
    Window w;
    w.host.show();
    QSignalSpy dbl(w.field, &FieldView::doubleClicked);
    QSignalSpy menu(w.field, &FieldView::contextMenuRequested);

    QTest::mouseDClick(w.field, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(dbl.count(), 1);

    // Clicks on the sprite stay with the sprite, even over the field.
    QTest::mouseDClick(w.field->sprite(), Qt::LeftButton, {}, QPoint(21, 21));
    EXPECT_EQ(dbl.count(), 1);

    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(100, 120), w.field->mapToGlobal(QPoint(100, 120)));
    QCoreApplication::sendEvent(w.field, &ev);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(0).toPoint(), w.field->mapToGlobal(QPoint(100, 120)));

    QContextMenuEvent onSprite(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(0, 0));
    QCoreApplication::sendEvent(w.field->sprite(), &onSprite);
    EXPECT_EQ(menu.count(), 1);
}

TEST(FieldView, SpriteGoesWhenTheFieldGoes)
{
    QWidget host;
    QPointer<RobotSprite> sprite;
    {
        FieldView field(&host);
        sprite = field.sprite();
        ASSERT_TRUE(sprite);
    }
    EXPECT_TRUE(sprite.isNull());
}

TEST(FieldView, PicturesHaveTheirSizes)
{
    for (int k = 0; k < WorldImages::RobotPictures; ++k) {
        const QImage &img = WorldImages::robotPicture(k);
        EXPECT_EQ(img.size(), QSize(42, 42)) << k;
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << "transparent corner " << k;
        EXPECT_EQ(qAlpha(img.pixel(20, 22)), 255) << "solid on the node " << k;
    }
    for (int k = 0; k < 8; ++k) EXPECT_EQ(WorldImages::arrowPicture(k).size(), QSize(15, 14)) << k;
    // Each heading has a picture of its own.
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            EXPECT_NE(WorldImages::robotPicture(a), WorldImages::robotPicture(b)) << a << " " << b;
            EXPECT_NE(WorldImages::arrowPicture(a), WorldImages::arrowPicture(b)) << a << " " << b;
        }
}

// The window changes the field before it first paints it, and the field may be painted
// before anyone asks for a pixel: each paint shows the picture as it stands then.
TEST(FieldView, EachPaintShowsThePictureAsItStands)
{
    Window w;
    const QImage &fon = WorldImages::background();
    w.world.step();
    const QImage first = w.field->grab().toImage();
    EXPECT_EQ(first.pixel(39, 39), fon.pixel(39, 39));
    EXPECT_EQ(first.pixel(20, 20), 0xFF000000u);
    EXPECT_EQ(first.pixel(29, 19), 0xFF000000u);

    w.world.rotate90();
    w.world.rotate90();
    w.world.setColour(0xFFFFFF);
    w.world.step();
    const QImage second = w.field->grab().toImage();
    EXPECT_EQ(second.pixel(29, 19), fon.pixel(29, 19));
    EXPECT_EQ(w.field->shownPixel(29, 19), second.pixel(29, 19));
}
