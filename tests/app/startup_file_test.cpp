// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A program file named on the command line that cannot be read.
#include "MainWindowFixture.h"
#include "common/ModalHelper.h"
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

TEST_F(MainWindowTest, UnreadableStartupFileIsReportedOnceTheWindowShowsWithItsPathOnce)
{
    for (const QString &file : {QStringLiteral("/dev/zero"), path("missing.tkm"), dir.path()}) {
        SCOPED_TRACE(file.toStdString());
        prompts.messages.clear();
        open(file);
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts.messages.isEmpty(); }, 2000));
        ASSERT_EQ(prompts.messages.size(), 1);
        const QString text = prompts.messages.first();
        EXPECT_EQ(text.count(QDir::toNativeSeparators(file)), 1) << text.toStdString();
        EXPECT_TRUE(text.startsWith(QDir::toNativeSeparators(file) + QLatin1Char('\n')));
        EXPECT_GT(text.size(), file.size() + 1);   // the platform's reason follows
        EXPECT_TRUE(window->currentFile().isEmpty());
        EXPECT_EQ(panel(StatusPanel::Document), QStringLiteral("Пустой"));
        QCoreApplication::processEvents();
        EXPECT_EQ(prompts.messages.size(), 1);   // and only once
        window.reset();
    }
}

TEST_F(MainWindowTest, UnreadableStartupFileBoxIsCentredOnTheShownWindow)
{
    MainWindow::Options o;
    o.settingsPath = iniPath();
    o.startupFile = path("missing.tkm");
    bool seen = false, windowShown = false;
    QPoint boxCentre, windowCentre;
    whenModal([&](QWidget *w) {
        seen = true;
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        windowShown = box->parentWidget() && box->parentWidget()->window()->isVisible();
        boxCentre = box->frameGeometry().center();
        if (box->parentWidget()) windowCentre = box->parentWidget()->window()->frameGeometry().center();
        box->button(QMessageBox::Ok)->click();
    });
    MainWindow w(o);   // the real message box
    w.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 3000));
    ASSERT_TRUE(seen);
    EXPECT_TRUE(windowShown);
    EXPECT_LE((boxCentre - windowCentre).manhattanLength(), 4)
        << boxCentre.x() << "," << boxCentre.y() << " vs " << windowCentre.x() << "," << windowCentre.y();
}
