// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QTranslator>
#include <memory>

// Qt's own texts (standard buttons, the file dialogs, the overwrite question) in the
// interface Language where Qt has a translation for it, and in Qt's English otherwise.
class ToolkitTranslation {
public:
    ToolkitTranslation();
    ~ToolkitTranslation();
    // A Language other than the three keeps what is installed, as the interface keeps its texts.
    void apply(Language lang);
    // The translation file for a Language: "qtbase_ru.qm"; empty for English.
    static QString fileName(Language lang);
    // The program's own translation of the toolkit's texts, for a Language Qt lacks; empty
    // for the others.
    static QString builtInFile(Language lang);

private:
    std::unique_ptr<QTranslator> m_translator;
};
