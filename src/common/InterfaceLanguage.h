// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <optional>

class QWidget;

// The Language a window's texts are shown in. The main window stores it and sends
// QEvent::LanguageChange through itself and everything it owns, dialogs and tool windows
// included; each of them re-reads its own catalogue rows in changeEvent, so a new dialog needs
// no edit in the main window.
namespace InterfaceLanguage {

// Stores lang on window, then sends it and each widget it owns a LanguageChange, at once.
void apply(QWidget *window, Language lang);
// What the nearest of w and the widgets that own it stores; nothing where none does (a
// window shown on its own keeps the Language it was given).
std::optional<Language> of(const QWidget *w);

}   // namespace InterfaceLanguage
