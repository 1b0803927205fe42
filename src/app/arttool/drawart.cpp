// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Run by the build: draws each SVG file at the sizes the window shows as it starts, with the
// icons' own drawing, and writes the pictures the icons then read instead of drawing them.
// Usage: drawart OUTPUT_FOLDER SIZE[,SIZE...] SVG...
#include "app/ArtDrawing.h"

#include <QDir>
#include <QSaveFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Drawing into an image needs no display; the build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: drawart OUTPUT_FOLDER SIZE[,SIZE...] SVG...\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "drawart: cannot make %s\n", qPrintable(args[1]));
        return 1;
    }
    QList<int> sizes;
    for (const QString &s : args[2].split(QLatin1Char(','))) {
        bool ok = false;
        const int size = s.toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "drawart: not a size: %s\n", qPrintable(s));
            return 2;
        }
        sizes << size;
    }
    for (const QString &svg : args.mid(3)) {
        for (int size : sizes) {
            const QImage picture = drawArt(svg, QSize(size, size));
            if (picture.isNull()) {
                std::fprintf(stderr, "drawart: cannot draw %s\n", qPrintable(svg));
                return 1;
            }
            // The name the icons look for: the art's own, under the stored pictures' folder.
            const QString name = drawnArtPath(svg, size).section(QLatin1Char('/'), -1);
            QSaveFile file(out.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(storedArt(picture)) < 0 || !file.commit()) {
                std::fprintf(stderr, "drawart: cannot write %s\n", qPrintable(file.fileName()));
                return 1;
            }
        }
    }
    return 0;
}
