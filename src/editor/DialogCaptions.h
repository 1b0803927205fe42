// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QString>
#include <array>
#include <optional>

// The sixteen captions of the command dialogs in one Language, by index.
struct DialogCaptions {
    enum Index {
        ProcCreateCaption = 0,
        ProcNameLabel = 1,
        Cancel = 2,
        ProcExecuteCaption = 3,
        CycleCaption = 4,
        CycleNBefore = 5,
        CycleNAfter = 6,
        CycleWhileBefore = 7,
        CancelLoopCondition = 8,
        ConditionCaption = 9,
        ConditionIfLabel = 10,
        ThenLabel = 11,
        ElseLabel = 12,
        CommandPlaceholder = 13,
        Command1Placeholder = 14,
        Command2Placeholder = 15,
        Count = 16
    };
    std::array<QString, Count> text;

    const QString &operator[](int i) const { return text[size_t(i)]; }
    // Nothing for a Language other than the three: the dialogs keep their captions.
    static std::optional<DialogCaptions> forLanguage(Language lang);
};
