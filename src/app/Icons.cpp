// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Icons.h"

#include <QHash>

// The art and the help pages live in static libraries; the linker keeps them only when
// something names them. Q_INIT_RESOURCE must be used outside any namespace.
static void loadResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(art);
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)loaded;
}

namespace {

QString artPath(const CommandRow &row)
{
    return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row.icon));
}

}   // namespace

bool hasIcon(Command command) { return commandRow(command).icon != nullptr; }

QPixmap iconPixmap(Command command, int size)
{
    const CommandRow &row = commandRow(command);
    if (!row.icon) return QPixmap();
    loadResources();
    return QIcon(artPath(row)).pixmap(size, size);
}

QIcon icon(Command command)
{
    static QHash<int, QIcon> cache;
    auto it = cache.constFind(int(command));
    if (it != cache.constEnd()) return *it;
    QIcon ic;
    const CommandRow &row = commandRow(command);
    if (row.icon) {
        loadResources();
        const QIcon own(artPath(row));
        ic = row.themeIcon ? QIcon::fromTheme(QLatin1String(row.themeIcon), own) : own;
    }
    cache.insert(int(command), ic);
    return ic;
}

QIcon applicationIcon()
{
    loadResources();
    return QIcon(QStringLiteral(":/app/trakmil.svg"));
}

void initResources() { loadResources(); }

const char *iconName(Command command)
{
    const char *file = commandRow(command).icon;
    return file ? file : "";
}
