// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandControls.h"
#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

void CommandControls::add(QAction *item) { m_actions.insert(item->objectName(), item); }
void CommandControls::add(QMenu *menu) { m_menus.insert(menu->objectName(), menu); }
void CommandControls::add(QToolButton *button) { m_buttons.insert(button->objectName(), button); }

QAction *CommandControls::action(Command command) const
{
    return m_actions.value(QString::fromLatin1(objectName(command)));
}

QToolButton *CommandControls::toolButton(Command command) const
{
    return m_buttons.value(QString::fromLatin1(buttonObjectName(command)));
}

QMenu *CommandControls::menu(MenuId id) const { return m_menus.value(QString::fromLatin1(objectName(id))); }

void CommandControls::applyMode(WindowMode mode) const
{
    for (int i = 0; i < commandCount; ++i)
        action(Command(i))->setEnabled(enabledIn(commandRow(Command(i)).enabled, mode));
    for (int i = 0; i < int(MenuId::Count_); ++i)
        menu(MenuId(i))->menuAction()->setEnabled(enabledIn(menuRow(MenuId(i)).enabled, mode));
    for (ToolBarId bar : toolBarIds) {
        toolBar(bar)->setEnabled(enabledIn(toolBarEnabledIn(bar), mode));
        const bool buttonsOn = enabledIn(toolBarButtonsEnabledIn(bar), mode);
        for (const ToolBarEntry &entry : toolBarLayout(bar))
            if (!entry.separator)
                toolButton(entry.command)
                    ->setEnabled(buttonsOn && enabledIn(commandRow(entry.command).enabled, mode));
    }
}
