// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInfo.h"
#include "app/AboutWindow.h"
#include "common/ModalHelper.h"
#include "common/ScriptedPrompts.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const int kThresholds[] = {1,  4,  7,  10, 15,  20,  25,  30,  40,  50, 60,
                           70, 80, 90, 95, 100, 120, 150, 160, 200, 220};

void clickImage(AboutWindow &about) { QTest::mouseClick(about.programPicture, Qt::LeftButton); }

}   // namespace

TEST(AboutWindow, CreatedWithVersionAndFixedSize)
{
    ScriptedPrompts prompts;
    AboutWindow about(prompts);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
    // The version and its date come from the build.
    EXPECT_EQ(about.versionText->text(),
              AboutWindow::versionLine(QLatin1String(kAppVersion), QLatin1String(kAppReleaseDate)));
    EXPECT_TRUE(about.versionText->text().startsWith(QLatin1String(kAppVersion) + QStringLiteral(" от ")));
    EXPECT_EQ(about.size(), QSize(357, 349));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.pages->tabText(0), QStringLiteral("Версия"));
    EXPECT_EQ(about.pages->tabText(1), QStringLiteral("Фото"));
    EXPECT_EQ(about.photoCaptions().size(), 4);
    EXPECT_EQ(about.photoCaptions().removeDuplicates(), 0);
}

TEST(AboutWindow, VersionLineWritesTheDateDayFirst)
{
    EXPECT_EQ(AboutWindow::versionLine("1.10", "2007-01-10"), QStringLiteral("1.10 от 10.01.2007"));
    EXPECT_EQ(AboutWindow::versionLine("2.0.3", "2024-12-05"), QStringLiteral("2.0.3 от 05.12.2024"));
    // A date that cannot be read leaves the version alone rather than a dangling "от".
    for (const char *bad : {"", "10.01.2007", "2007-13-01", "yesterday"})
        EXPECT_EQ(AboutWindow::versionLine("1.10", QString::fromLatin1(bad)), QStringLiteral("1.10")) << bad;
}

TEST(AboutWindow, EveryShowStartsFromTheFirstPictureAndAFreshCounterOnThePageLeftOpen)
{
    ScriptedPrompts prompts;
    QWidget parent;
    parent.setGeometry(50, 50, 704, 544);
    AboutWindow about(prompts, &parent);
    for (int round = 0; round < 2; ++round) {
        int photo = -1, page = -1, clicks = -1, panelWidth = -1;
        QString memo;
        whenModal([&](QWidget *) {
            photo = about.visiblePhoto();
            page = about.pages->currentIndex();
            clicks = about.clickCount();
            panelWidth = about.versionFrame->width();
            memo = about.photoCaption->toPlainText();
            // leave the window in a different state for the next show
            for (int i = 0; i < 5; ++i) clickImage(about);
            about.pages->setCurrentIndex(1);
            about.nextPhotoButton->click();
            about.nextPhotoButton->click();
            about.versionFrame->resize(200, about.versionFrame->height());
            about.okButton->click();
        });
        about.showAbout();
        SCOPED_TRACE(round);
        EXPECT_FALSE(about.isVisible());
        EXPECT_EQ(photo, 0);
        // The first page is chosen when the window is made; later it opens where it was left.
        EXPECT_EQ(page, round == 0 ? 0 : 1);
        EXPECT_EQ(clicks, 0);
        EXPECT_EQ(panelWidth, 345);
        EXPECT_EQ(memo, about.photoCaptions().at(0));
    }
}

TEST(AboutWindow, NextCyclesThroughTheFourPictures)
{
    ScriptedPrompts prompts;
    AboutWindow about(prompts);
    about.show();
    const int expected[] = {1, 2, 3, 0, 1};
    for (int press = 0; press < 5; ++press) {
        QTest::mouseClick(about.nextPhotoButton, Qt::LeftButton);
        SCOPED_TRACE(press + 1);
        EXPECT_EQ(about.visiblePhoto(), expected[press]);
        int shown = 0;
        for (QLabel *f : about.photos) shown += f->isHidden() ? 0 : 1;
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(about.photoCaption->toPlainText(), about.photoCaptions().at(expected[press]));
    }
}

TEST(AboutWindow, PictureClicksSpeakOnlyAtTheThresholds)
{
    ScriptedPrompts prompts;
    AboutWindow about(prompts);
    about.show();
    QStringList expected;
    for (int n = 1; n <= 300; ++n) {
        clickImage(about);
        if (std::find(std::begin(kThresholds), std::end(kThresholds), n) != std::end(kThresholds))
            expected << AboutWindow::clickText(n);
        ASSERT_EQ(prompts.messages, expected) << "after click " << n;
    }
    EXPECT_EQ(expected.size(), 21);
    EXPECT_EQ(expected.removeDuplicates(), 0);
    for (const QString &t : expected) EXPECT_FALSE(t.trimmed().isEmpty());
    EXPECT_TRUE(AboutWindow::clickText(221).isEmpty());
    EXPECT_TRUE(AboutWindow::clickText(0).isEmpty());
}

TEST(AboutWindow, DoubleClickOnTheFreeAreaNamesTheSystemFamily)
{
    ScriptedPrompts prompts;
    AboutWindow about(prompts);
    about.show();
    // below the pages, left of the OK button
    QTest::mouseDClick(&about, Qt::LeftButton, {}, QPoint(20, 330));
    EXPECT_EQ(prompts.messages, QStringList {"Windows NT/2000/XP"});

    // on a control it is not the window's double-click
    prompts.messages.clear();
    QTest::mouseDClick(about.pages->currentWidget(), Qt::LeftButton, {}, QPoint(300, 260));
    QTest::mouseDClick(about.okButton, Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.isEmpty());

    EXPECT_EQ(AboutWindow::osFamilyText(false), QStringLiteral("Windows 95/98"));
}
