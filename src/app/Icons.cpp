// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Icons.h"

#include <QHash>
#include <iterator>

// The art lives in a static library; the linker keeps it only when something names it.
// Q_INIT_RESOURCE must be used outside any namespace.
static void loadArt()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(art);
        return true;
    }();
    (void)loaded;
}

namespace {

struct IconArt {
    const char *file;   // resources/icons/<file>.svg
    const char *theme;   // freedesktop icon name, or none where no standard icon means the same
};

// In IconId order.
const IconArt kArt[] = {
    {"new", "document-new"},
    {"open", "document-open"},
    {"save", "document-save"},
    {"save-as", "document-save-as"},
    {"undo", "edit-undo"},
    {"redo", "edit-redo"},
    {"cut", "edit-cut"},
    {"copy", "edit-copy"},
    {"paste", "edit-paste"},
    {"clear-algorithm", nullptr},
    {"clear-field", nullptr},
    {"run", "media-playback-start"},
    {"pause", "media-playback-pause"},
    {"stop", "media-playback-stop"},
    {"check", "tools-check-spelling"},
    {"manual-mode", nullptr},
    {"preferences", "preferences-system"},
    {"begin-end", nullptr},
    {"create-procedure", nullptr},
    {"call-procedure", nullptr},
    {"counted-loop", nullptr},
    {"conditional-loop", nullptr},
    {"condition", nullptr},
    {"colour", nullptr},
    {"destroy", nullptr},
    {"rebuild", nullptr},
};
static_assert(std::size(kArt) == iconCount);

QString artPath(IconId id) { return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(iconName(id))); }

}   // namespace

QPixmap iconPixmap(IconId id, int size)
{
    if (id == IconId::Count_) return QPixmap();
    loadArt();
    return QIcon(artPath(id)).pixmap(size, size);
}

QIcon icon(IconId id)
{
    static QHash<int, QIcon> cache;
    auto it = cache.constFind(int(id));
    if (it != cache.constEnd()) return *it;
    QIcon ic;
    if (id != IconId::Count_) {
        loadArt();
        const QIcon own(artPath(id));
        const char *theme = kArt[int(id)].theme;
        ic = theme ? QIcon::fromTheme(QLatin1String(theme), own) : own;
    }
    cache.insert(int(id), ic);
    return ic;
}

QIcon applicationIcon()
{
    loadArt();
    return QIcon(QStringLiteral(":/app/trakmil.svg"));
}

void initArtResources() { loadArt(); }

const char *iconName(IconId id)
{
    const int i = int(id);
    return (i >= 0 && i < iconCount) ? kArt[i].file : "";
}
