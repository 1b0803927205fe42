#include "app/ExamplesFolder.h"
#include "app/Headless.h"
#include "app/MainWindow.h"
#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    // Both modes look for settings in the same configuration folder, named after this.
    QCoreApplication::setApplicationName(QStringLiteral("Trakmil"));
    if (Headless::isCommandLineMode(argc, argv)) return Headless::runCommandLine(argc, argv);

    QApplication app(argc, argv);
    // The settings folder is fixed before the title follows the Language.
    const SettingsFiles files = settingsFiles(QCoreApplication::applicationDirPath());
    MainWindow::Options options;
    options.settingsPath = files.write;
    options.settingsReadPath = files.read;
    options.examplesFolder = findExamplesFolder(QCoreApplication::applicationDirPath());
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) options.startupFile = args.at(1);
    MainWindow window(options);
    window.show();
    return app.exec();
}
