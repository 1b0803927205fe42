// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Run by the build: decodes each of the field's PNG pictures and writes it packed, so that the
// program reads its pictures without a PNG decoder. The PNG files stay the pictures' source.
// Usage: packpictures OUTPUT_FOLDER PNG...
#include "world/PackedPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: packpictures OUTPUT_FOLDER PNG...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "packpictures: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const QString png = QString::fromLocal8Bit(argv[i]);
        const QImage picture(png);
        if (picture.isNull()) {
            std::fprintf(stderr, "packpictures: cannot read %s\n", argv[i]);
            return 1;
        }
        QSaveFile file(out.filePath(QFileInfo(png).completeBaseName() + QStringLiteral(".pixels")));
        if (!file.open(QIODevice::WriteOnly) || file.write(packPicture(picture)) < 0 || !file.commit()) {
            std::fprintf(stderr, "packpictures: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
