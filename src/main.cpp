// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInfo.h"
#include "app/ExamplesFolder.h"
#include "cli/Headless.h"
#include "app/Icons.h"
#include "app/MainWindow.h"
#include "app/OverflowArrowsStyle.h"
#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char **argv)
{
    // Both modes look for settings in the same configuration folder, named after this.
    // It is also the window class, so it never follows the Language.
    QCoreApplication::setApplicationName(QStringLiteral("Trakmil"));
    QCoreApplication::setApplicationVersion(QLatin1String(kAppVersion));
    if (Headless::isCommandLineMode(argc, argv)) return Headless::runCommandLine(argc, argv);

    // The interface size scales the whole window through the toolkit, which reads its scale
    // factor only before the application starts; a scale the user set himself wins.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        int size = 100;
        {
            const QCoreApplication probe(argc, argv);
            size = loadSettings(settingsFiles(QCoreApplication::applicationDirPath()).read).interfaceSize;
        }
        if (size != 100) qputenv("QT_SCALE_FACTOR", QByteArray::number(size / 100.0));
    }
    QApplication app(argc, argv);
    deferOverflowArrows();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QLatin1String(kAppId));
    QApplication::setWindowIcon(applicationIcon());
    // The settings folder is fixed before the title follows the Language.
    const SettingsFiles files = settingsFiles(QCoreApplication::applicationDirPath());
    MainWindow::Options options;
    options.settingsPath = files.write;
    options.settingsReadPath = files.read;
    options.examplesFolder = findExamplesFolder(QCoreApplication::applicationDirPath());
    if (const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        !data.isEmpty())
        options.recoveryFolder = data + QStringLiteral("/recovery");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) options.startupFile = args.at(1);
    MainWindow window(options);
    window.show();
    return app.exec();
}
