// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/DialogCaptions.h"
#include "base/TextCatalogue.h"

namespace {
// Catalogue keys in the order of DialogCaptions::Index.
const char *const kKeys[DialogCaptions::Count] = {
    "dialogs.createProcedure.title",
    "dialogs.createProcedure.name",
    "dialogs.cancel",
    "dialogs.callProcedure.title",
    "dialogs.loop.title",
    "dialogs.countedLoop.before",
    "dialogs.countedLoop.after",
    "dialogs.conditionalLoop.before",
    "dialogs.conditionalLoop.cancel",
    "dialogs.condition.title",
    "dialogs.condition.if",
    "dialogs.condition.then",
    "dialogs.condition.else",
    "dialogs.placeholder.command",
    "dialogs.placeholder.command1",
    "dialogs.placeholder.command2",
};
}   // namespace

std::optional<DialogCaptions> DialogCaptions::forLanguage(Language lang)
{
    if (languageCode(lang).isEmpty()) return std::nullopt;
    DialogCaptions c;
    for (int i = 0; i < Count; ++i) c.text[size_t(i)] = uiText(kKeys[i], lang).value_or(QString());
    return c;
}
