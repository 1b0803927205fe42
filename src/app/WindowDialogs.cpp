// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowDialogs.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/RunStateWindow.h"
#include "documents/widgets/ExtendedSettingsDialog.h"
#include "documents/widgets/PreferencesDialog.h"
#include "editor/AlgorithmEditor.h"
#include "editor/CallProcedureDialog.h"
#include "editor/ColourDialog.h"
#include "editor/ConditionDialog.h"
#include "editor/ConditionalLoopDialog.h"
#include "editor/CountedLoopDialog.h"
#include "editor/CreateProcedureDialog.h"
#include <QCoreApplication>
#include <QEvent>
#include <utility>

namespace {

// A dialog made after start-up has missed the Language changes sent through the window: it
// takes the current one as it is made, as if it had been there from the start. (The help and
// run-state windows are given their Language by the window as they are shown.)
template <class W> W *made(W *window)
{
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(window, &change);
    return window;
}

}   // namespace

WindowDialogs::WindowDialogs(Wiring wiring) : m_wiring(std::move(wiring))
{
    m_runStateTimer.setParent(m_wiring.owner);
    m_runStateTimer.setObjectName(QStringLiteral("runStateTimer"));
    m_runStateTimer.setInterval(100);
}

PreferencesDialog &WindowDialogs::preferences()
{
    if (!m_preferences) m_preferences = made(new PreferencesDialog(*m_wiring.host, m_wiring.owner));
    return *m_preferences;
}

ExtendedSettingsDialog &WindowDialogs::extendedSettings()
{
    if (!m_extendedSettings) {
        m_extendedSettings = made(new ExtendedSettingsDialog(m_wiring.owner));
        AlgorithmEditor *editor = m_wiring.editor;
        m_extendedSettings->setLineReplacer(
            [editor](const QString &line) { editor->replaceCaretLine(line); });
    }
    return *m_extendedSettings;
}

AboutWindow &WindowDialogs::about()
{
    if (!m_about) m_about = made(new AboutWindow(*m_wiring.prompts, m_wiring.owner));
    return *m_about;
}

CommandDialog *WindowDialogs::forCommand(Command command)
{
    CommandDialog *&slot = m_commandDialogs[int(command)];
    if (slot) return slot;
    AlgorithmEditor &e = *m_wiring.editor;
    Prompts &p = *m_wiring.prompts;
    QWidget *owner = m_wiring.owner;
    switch (command) {
    case Command::CreateProcedure:
        slot = new CreateProcedureDialog(e, p, owner);
        break;
    case Command::CallProcedure:
        slot = new CallProcedureDialog(e, p, owner);
        break;
    case Command::CountedLoop:
        slot = new CountedLoopDialog(e, p, owner);
        break;
    case Command::ConditionalLoop:
        slot = new ConditionalLoopDialog(e, p, owner);
        break;
    case Command::Condition:
        slot = new ConditionDialog(e, p, owner);
        break;
    case Command::Colour: {
        auto *colour = new ColourDialog(e, p, owner);
        colour->manualMode = m_wiring.manualMode;
        slot = colour;
        break;
    }
    default:
        return nullptr;
    }
    return made(slot);
}

HelpWindow &WindowDialogs::help()
{
    if (!m_help) m_help = new HelpWindow(m_wiring.owner);
    return *m_help;
}

RunStateWindow &WindowDialogs::runState()
{
    if (!m_runState) m_runState = new RunStateWindow(m_wiring.owner);
    return *m_runState;
}
