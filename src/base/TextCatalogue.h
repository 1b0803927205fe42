// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QByteArrayView>
#include <QString>
#include <optional>

// Every text the interface shows, in the three Languages, found by one key such as
// "menu.new" or "message.heading.robotError". The keywords of the robot language are not here:
// they are the language itself (Lexicon).
//
// Nothing for a Language other than the three, so a control keeps what it shows; nothing
// for an unknown key either, which the catalogue test rules out for every key in use.
std::optional<QString> uiText(QByteArrayView key, Language lang);
