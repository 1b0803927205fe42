// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutPictures.h"
#include "app/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

QPixmap render(const QString &name, int width, int height, const QColor &background)
{
    QPixmap pm(width, height);
    pm.fill(background);
    initResources();
    QSvgRenderer svg(QStringLiteral(":/about/%1.svg").arg(name));
    QPainter p(&pm);
    svg.render(&p);
    return pm;
}

}   // namespace

namespace AboutPictures {

QPixmap program(int size) { return render(QStringLiteral("program"), size, size, Qt::transparent); }
QPixmap envelope(int size) { return render(QStringLiteral("envelope"), size, size, Qt::transparent); }
QPixmap lifebuoy(int size) { return render(QStringLiteral("lifebuoy"), size, size, Qt::transparent); }

QPixmap photo(int index, int width, int height)
{
    if (index < 0 || index >= photoCount) {
        QPixmap blank(width, height);
        blank.fill(Qt::white);
        return blank;
    }
    return render(QStringLiteral("photo%1").arg(index + 1), width, height, Qt::white);
}

}   // namespace AboutPictures
