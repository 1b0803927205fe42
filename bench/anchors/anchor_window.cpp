// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor for a start-up and an idle window: a bare main window with a menu bar,
// a status bar and a central widget, nothing of Trakmil's own. scripts/perf-compare.sh holds
// Trakmil's start-up and memory against it.
//   anchor_window [WIDTHxHEIGHT]   (the size of Trakmil's window, so both paint as much)
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Anchor window"));
    window.menuBar()
        ->addMenu(QStringLiteral("&File"))
        ->addAction(QStringLiteral("&Quit"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Help"));
    window.setCentralWidget(new QLabel(QStringLiteral("Anchor")));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    const QStringList size = app.arguments().value(1).split(QLatin1Char('x'));
    if (size.size() == 2 && size.at(0).toInt() > 0 && size.at(1).toInt() > 0)
        window.setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    window.show();
    return app.exec();
}
