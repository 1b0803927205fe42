// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/DialogCaptions.h"
#include "base/TextCatalogue.h"

namespace {
// Catalogue keys in the order of DialogCaptions::Index.
const char *const kKeys[DialogCaptions::Count] = {
    "dialogs.ProcCreateCaption",   "dialogs.ProcNameLabel",      "dialogs.Cancel",
    "dialogs.ProcExecuteCaption",  "dialogs.CycleCaption",       "dialogs.CycleNBefore",
    "dialogs.CycleNAfter",         "dialogs.CycleWhileBefore",   "dialogs.CancelLoopCondition",
    "dialogs.ConditionCaption",    "dialogs.ConditionIfLabel",   "dialogs.ThenLabel",
    "dialogs.ElseLabel",           "dialogs.CommandPlaceholder", "dialogs.Command1Placeholder",
    "dialogs.Command2Placeholder",
};
}   // namespace

std::optional<DialogCaptions> DialogCaptions::forLanguage(Language lang)
{
    if (lang == Language::Unknown) return std::nullopt;
    DialogCaptions c;
    for (int i = 0; i < Count; ++i) c.text[size_t(i)] = uiText(kKeys[i], lang).value_or(QString());
    return c;
}
