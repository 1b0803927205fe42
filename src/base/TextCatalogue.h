// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Every text the interface shows, in every Language, found by one key such as
// "menu.new" or "message.heading.robotError". The texts live in the Language data files
// (base/LanguageRegistry.h), beside each Language's keywords ("keyword.step") and colour
// names ("colourName.red").
//
// Nothing for Unknown or a Language not in the list, so a control keeps what it shows;
// nothing for an unknown key either, which the catalogue test rules out for every key in use.
std::optional<QString> uiText(QByteArrayView key, Language lang);
// Every key, sorted: each Language has a text for each.
QByteArrayList catalogueKeys();
