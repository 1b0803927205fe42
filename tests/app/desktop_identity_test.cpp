// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop sees of the running program: a name that never changes, the icon, and
// message boxes titled with the product name of the current Language.
#include "MainWindowFixture.h"
#include <QTest>
#include "app/Icons.h"
#include "common/ModalHelper.h"

#include <QCoreApplication>
#include <QMessageBox>

TEST_F(MainWindowTest, ApplicationNameStaysTheSameInEveryLanguage)
{
    // The desktop entry is matched by this name (the window class) and the settings
    // folder is named after it; a Language switch must not touch it.
    const QString before = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Trakmil"));
    open({}, "[int]\nlanguage=rus\n");
    for (const char *code : {"rus", "rom", "eng", "xyz", "rus"}) {
        window->settings().language = QString::fromLatin1(code);
        window->applyLanguage();
        EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Trakmil")) << code;
    }
    QCoreApplication::setApplicationName(before);
}

TEST_F(MainWindowTest, WindowShowsTheApplicationIcon)
{
    open();
    const QIcon icon = window->windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 48, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        // The art fills its middle; an empty or missing picture would be transparent.
        EXPECT_EQ(image.pixelColor(size / 2, size / 2).alpha(), 255) << size;
    }
    EXPECT_EQ(applicationIcon().pixmap(64).toImage(), icon.pixmap(64).toImage());
}

// A start-up file that cannot be read makes the window say so in a message box.
class MessageTitleTest : public MainWindowTest {
protected:
    QString messageTitle(const QByteArray &ini)
    {
        QFile f(iniPath());
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        MainWindow::Options o;
        o.settingsPath = iniPath();
        o.startupFile = path("missing.tkm");
        QString title;
        bool shown = false;
        whenModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            shown = true;
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        window = std::make_unique<MainWindow>(o);   // real dialogs
        window->show();   // the box waits for the window
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown; }, 3000));
        return title;
    }
};

TEST_F(MessageTitleTest, MessageBoxesAreTitledWithTheProductNameOfTheLanguage)
{
    EXPECT_EQ(messageTitle("[int]\nlanguage=eng\n"), QStringLiteral("Trakmil"));
    EXPECT_EQ(messageTitle("[int]\nlanguage=rus\n"), QString::fromUtf8("Тракмил"));
    EXPECT_EQ(messageTitle("[int]\nlanguage=rom\n"), QStringLiteral("Trakmil"));
}
