// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolkitTranslation.h"
#include "base/LanguageRegistry.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

ToolkitTranslation::ToolkitTranslation() = default;

ToolkitTranslation::~ToolkitTranslation()
{
    if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
}

QString ToolkitTranslation::fileName(Language lang)
{
    const LanguageInfo *info = languageInfo(lang);
    return info ? info->toolkitTranslation : QString();
}

QString ToolkitTranslation::builtInFile(Language lang)
{
    const LanguageInfo *info = languageInfo(lang);
    return info ? info->builtInToolkitTranslation : QString();
}

void ToolkitTranslation::apply(Language lang)
{
    if (!languageInfo(lang)) return;
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    const QString name = fileName(lang);
    if (name.isEmpty()) return;
    // Checked first: the loader would otherwise fall back to a file for another language.
    QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QLatin1Char('/') + name;
    // Qt has no Romanian of its own; the program carries the words its dialogs show.
    if (!QFileInfo(path).isFile()) path = builtInFile(lang);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path)) return;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
}
