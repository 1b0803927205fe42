// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Icons.h"
#include "app/ArtDrawing.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <QStyleOption>
#include <utility>

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

// SVG art read when it is first drawn, not when the icon is made: the toolkit's own engine
// reads every file as the icon is made and again for each size drawn, which cost start-up
// more than the window's every other control. The pictures are drawn as that engine draws
// them: the art fitted into the size asked, transparent around it, and the style's
// disabled and selected variants made from the normal one.
class ArtEngine : public QIconEngine {
public:
    // keep: each size and mode drawn is kept, for the controls that draw it again and again.
    explicit ArtEngine(QString path, bool keep = true) : m_path(std::move(path)), m_keep(keep) { }

    QIconEngine *clone() const override { return new ArtEngine(m_path, m_keep); }
    QString key() const override { return QStringLiteral("TrakmilArt"); }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        QSize size = rect.size();
        if (painter->device()) size *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QPixmap pm = pixmap(size, mode, state);
        return pm.isNull() ? QSize() : pm.size();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        // The styled variants follow the palette, which a desktop may change while running.
        const bool fromNormal = mode != QIcon::Normal && mode != QIcon::Active;
        const Key wanted {size, mode, fromNormal ? QGuiApplication::palette().cacheKey() : 0};
        if (const auto it = m_drawn.constFind(wanted); it != m_drawn.constEnd()) return *it;
        QPixmap pm;
        if (!fromNormal)
            pm = draw(size);
        else if (const QPixmap normal = pixmap(size, QIcon::Normal, QIcon::Off); !normal.isNull())
            pm = styled(mode, normal);
        if (m_keep) m_drawn.insert(wanted, pm);
        return pm;
    }

private:
    struct Key {
        QSize size;
        QIcon::Mode mode;
        qint64 palette;
        bool operator==(const Key &other) const
        {
            return size == other.size && mode == other.mode && palette == other.palette;
        }
    };
    friend size_t qHash(const Key &k, size_t seed = 0)
    {
        return qHashMulti(seed, k.size.width(), k.size.height(), int(k.mode), k.palette);
    }

    QPixmap draw(const QSize &size) const
    {
        // The sizes the window shows as it starts were drawn by the build, with this drawing.
        if (size.width() == size.height()) {
            const QResource stored(drawnArtPath(m_path, size.width()));
            if (stored.isValid() && stored.compressionAlgorithm() == QResource::NoCompression) {
                const QImage img = readStoredArt(stored.data(), stored.size());
                if (!img.isNull()) return QPixmap::fromImage(img);
            }
        }
        const QImage img = drawArt(m_path, size);
        return img.isNull() ? QPixmap() : QPixmap::fromImage(img);
    }

    static QPixmap styled(QIcon::Mode mode, const QPixmap &normal)
    {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance())) return normal;
        QStyleOption option(0);
        option.palette = QGuiApplication::palette();
        const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, normal, &option);
        return generated.isNull() ? normal : generated;
    }

    QString m_path;
    bool m_keep;
    QHash<Key, QPixmap> m_drawn;   // each size and mode drawn once
};

QIcon artIcon(const QString &path, bool keep = true) { return QIcon(new ArtEngine(path, keep)); }

// The freedesktop fallback theme holds applications' own icons, not the standard actions'. A
// desktop that names no theme of its own (a bare window manager, a virtual display) leaves the
// toolkit on it, and asking it for a standard icon reads its whole index, thousands of lines,
// to find none: more than the rest of the window's start.
bool desktopHasIconTheme()
{
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QLatin1String("hicolor");
}

}   // namespace

bool hasIcon(Command command) { return commandRow(command).icon != nullptr; }

QPixmap iconPixmap(Command command, int size)
{
    const CommandRow &row = commandRow(command);
    if (!row.icon) return QPixmap();
    loadResources();
    return artIcon(artPath(row)).pixmap(size, size);
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
        const QIcon own = artIcon(artPath(row));
        ic = row.themeIcon && desktopHasIconTheme() ? QIcon::fromTheme(QLatin1String(row.themeIcon), own)
                                                    : own;
    }
    cache.insert(int(command), ic);
    return ic;
}

QIcon applicationIcon()
{
    // One icon for the application and its window. The window system copies it, at four sizes
    // up to 128 pixels, as the window is made: the pictures are not kept after that.
    static const QIcon app = [] {
        loadResources();
        return artIcon(QStringLiteral(":/app/trakmil.svg"), false);
    }();
    return app;
}

void initResources() { loadResources(); }

const char *iconName(Command command)
{
    const char *file = commandRow(command).icon;
    return file ? file : "";
}
