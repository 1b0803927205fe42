// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Icons.h"

#include <QHash>

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
    Command command;
    const char *file;   // resources/icons/<file>.svg
    const char *theme;   // freedesktop icon name, or none where no standard icon means the same
};

const IconArt kArt[] = {
    {Command::New, "new", "document-new"},
    {Command::Open, "open", "document-open"},
    {Command::Save, "save", "document-save"},
    {Command::SaveAs, "save-as", "document-save-as"},
    {Command::Undo, "undo", "edit-undo"},
    {Command::Redo, "redo", "edit-redo"},
    {Command::Cut, "cut", "edit-cut"},
    {Command::Copy, "copy", "edit-copy"},
    {Command::Paste, "paste", "edit-paste"},
    {Command::ClearAlgorithm, "clear-algorithm", nullptr},
    {Command::ClearField, "clear-field", nullptr},
    {Command::Run, "run", "media-playback-start"},
    {Command::Pause, "pause", "media-playback-pause"},
    {Command::Stop, "stop", "media-playback-stop"},
    {Command::Check, "check", "tools-check-spelling"},
    {Command::ManualMode, "manual-mode", nullptr},
    {Command::Preferences, "preferences", "preferences-system"},
    {Command::BeginEnd, "begin-end", nullptr},
    {Command::CreateProcedure, "create-procedure", nullptr},
    {Command::CallProcedure, "call-procedure", nullptr},
    {Command::CountedLoop, "counted-loop", nullptr},
    {Command::ConditionalLoop, "conditional-loop", nullptr},
    {Command::Condition, "condition", nullptr},
    {Command::Colour, "colour", nullptr},
    {Command::Destroy, "destroy", nullptr},
    {Command::Rebuild, "rebuild", nullptr},
};

const IconArt *artOf(Command command)
{
    for (const IconArt &art : kArt)
        if (art.command == command) return &art;
    return nullptr;
}

QString artPath(const IconArt &art) { return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(art.file)); }

}   // namespace

bool hasIcon(Command command) { return artOf(command) != nullptr; }

QPixmap iconPixmap(Command command, int size)
{
    const IconArt *art = artOf(command);
    if (!art) return QPixmap();
    loadArt();
    return QIcon(artPath(*art)).pixmap(size, size);
}

QIcon icon(Command command)
{
    static QHash<int, QIcon> cache;
    auto it = cache.constFind(int(command));
    if (it != cache.constEnd()) return *it;
    QIcon ic;
    if (const IconArt *art = artOf(command)) {
        loadArt();
        const QIcon own(artPath(*art));
        ic = art->theme ? QIcon::fromTheme(QLatin1String(art->theme), own) : own;
    }
    cache.insert(int(command), ic);
    return ic;
}

QIcon applicationIcon()
{
    loadArt();
    return QIcon(QStringLiteral(":/app/trakmil.svg"));
}

void initArtResources() { loadArt(); }

const char *iconName(Command command)
{
    const IconArt *art = artOf(command);
    return art ? art->file : "";
}
