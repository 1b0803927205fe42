// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command table's rows fit together: what a new command's row and places must give.
#include "app/Commands.h"
#include <QKeySequence>
#include <QSet>
#include <QString>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {
constexpr WindowMode kModes[] = {WindowMode::Idle, WindowMode::Running, WindowMode::Manual};

// The menus an item sits in, outermost first, by the menu layout.
std::map<Command, std::vector<MenuId>> menusOfItems()
{
    std::map<Command, std::vector<MenuId>> menus;
    std::vector<MenuId> path;
    for (const MenuEntry &e : menuLayout()) {
        if (e.kind == MenuEntry::Kind::Menu) path = {e.menu};
        if (e.kind == MenuEntry::Kind::Submenu) path = {path.front(), e.menu};
        if (e.kind == MenuEntry::Kind::Item) {
            EXPECT_FALSE(menus.count(e.command)) << objectName(e.command) << " placed twice";
            menus[e.command] = path;
        }
    }
    return menus;
}
}   // namespace

TEST(CommandTable, EveryCommandHasAMenuPlaceAndAModeThatReachesIt)
{
    const auto menus = menusOfItems();
    for (int i = 0; i < commandCount; ++i) {
        const Command c = Command(i);
        SCOPED_TRACE(objectName(c));
        ASSERT_TRUE(menus.count(c)) << "no place in the menus";
        bool reachable = false;
        for (WindowMode mode : kModes) {
            bool open = enabledIn(commandRow(c).enabled, mode);
            for (MenuId m : menus.at(c)) open = open && enabledIn(menuRow(m).enabled, mode);
            reachable = reachable || open;
        }
        EXPECT_TRUE(reachable) << "locked in every mode";
    }
    // Idle, nothing but the run's own controls is locked.
    for (int i = 0; i < commandCount; ++i) {
        if (Command(i) == Command::Pause || Command(i) == Command::Stop) continue;
        EXPECT_TRUE(enabledIn(commandRow(Command(i)).enabled, WindowMode::Idle)) << objectName(Command(i));
    }
}

TEST(CommandTable, NamesShortcutsAndButtonsAreEachOnesOwn)
{
    QSet<QString> names, shortcuts, buttons;
    for (int i = 0; i < commandCount; ++i) {
        const CommandRow &row = commandRow(Command(i));
        SCOPED_TRACE(row.objectName);
        EXPECT_FALSE(names.contains(QLatin1String(row.objectName)));
        names << QLatin1String(row.objectName);
        if (*row.shortcut) {
            EXPECT_FALSE(QKeySequence(QLatin1String(row.shortcut)).isEmpty());
            EXPECT_FALSE(shortcuts.contains(QLatin1String(row.shortcut)));
            shortcuts << QLatin1String(row.shortcut);
        }
        if (*row.button) {
            EXPECT_FALSE(buttons.contains(QLatin1String(row.button)));
            buttons << QLatin1String(row.button);
        }
    }
    // A command on a tool bar names its button, and each button is on one bar once.
    int placed = 0;
    for (ToolBarId bar : toolBarIds)
        for (const ToolBarEntry &entry : toolBarLayout(bar))
            if (!entry.separator) {
                EXPECT_TRUE(*buttonObjectName(entry.command)) << objectName(entry.command);
                ++placed;
            }
    EXPECT_EQ(placed, buttons.size()) << "a button on no bar, or on two";
}
