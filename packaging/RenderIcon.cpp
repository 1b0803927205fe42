// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time helper: renders the application's SVG icon as the PNG sizes of the
// hicolor theme, SIZExSIZE/apps/NAME.png under the output folder.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s ICON.svg OUTPUT_DIR NAME SIZE...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a valid SVG picture\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "bad size \"%s\"\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        // A picture that drew nothing would still make a valid, invisible PNG.
        if (image.pixelColor(size / 2, size / 2).alpha() == 0) {
            std::fprintf(stderr, "%s: nothing drawn at %dx%d\n", argv[1], size, size);
            return 1;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!out.mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
