// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Commands.h"
#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

// The window's menu items, menus, tool bars and tool buttons made from the command table,
// found by their ids, and enabled after the table's enabled-in columns.
class CommandControls {
public:
    void add(QAction *item);   // under its object name
    void add(QMenu *menu);
    void add(QToolButton *button);
    void setToolBar(ToolBarId id, QToolBar *bar) { m_toolBars[int(id)] = bar; }

    QAction *action(Command command) const;
    QToolButton *toolButton(Command command) const;   // null for a command without a button
    QMenu *menu(MenuId id) const;
    QToolBar *toolBar(ToolBarId id) const { return m_toolBars[int(id)]; }
    QList<QToolButton *> toolButtons() const { return m_buttons.values(); }

    // Every item, menu, tool bar and button as the mode enables it. Undo and Redo also need a
    // step to take: their owner narrows them after this.
    void applyMode(WindowMode mode) const;

private:
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QToolButton *> m_buttons;
    QToolBar *m_toolBars[std::size(toolBarIds)] = {};
};
