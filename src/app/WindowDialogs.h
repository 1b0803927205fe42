// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Commands.h"
#include <QTimer>
#include <functional>

class AboutWindow;
class AlgorithmEditor;
class CommandDialog;
class ExtendedSettingsDialog;
class HelpWindow;
class PreferencesDialog;
class PreferencesHost;
class Prompts;
class QWidget;
class RunStateWindow;

// The main window's dialogs and tool windows: each made on first use, a child of the owner
// (so a Language change reaches it), and kept from then on. None is made with the window: the
// about window's pictures and the dialogs' pages cost start-up time and memory most pupils
// never use.
class WindowDialogs {
public:
    struct Wiring {
        QWidget *owner = nullptr;
        PreferencesHost *host = nullptr;
        AlgorithmEditor *editor = nullptr;
        Prompts *prompts = nullptr;
        std::function<bool()> manualMode;   // the colour dialog offers a pen change only there
    };
    explicit WindowDialogs(Wiring wiring);

    PreferencesDialog &preferences();
    ExtendedSettingsDialog &extendedSettings();   // replaces the caret's line of the editor
    AboutWindow &about();
    // The insertion dialog a command opens; null for a command without one.
    CommandDialog *forCommand(Command command);
    HelpWindow &help();
    RunStateWindow &runState();
    RunStateWindow *runStateIfMade() const { return m_runState; }
    // The run-state window's own timer, "runStateTimer", slower than the ticks.
    QTimer &runStateTimer() { return m_runStateTimer; }

private:
    Wiring m_wiring;
    PreferencesDialog *m_preferences = nullptr;
    ExtendedSettingsDialog *m_extendedSettings = nullptr;
    AboutWindow *m_about = nullptr;
    CommandDialog *m_commandDialogs[commandCount] = {};
    HelpWindow *m_help = nullptr;
    RunStateWindow *m_runState = nullptr;
    QTimer m_runStateTimer;
};
