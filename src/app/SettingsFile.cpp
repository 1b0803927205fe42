// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsFile.h"
#include "base/TextCatalogue.h"
#include <QDir>

SettingsFile::SettingsFile(QString path, QString readPath)
      : m_path(std::move(path)), m_readPath(std::move(readPath))
{
}

Settings SettingsFile::read()
{
    const QString path = m_readPath.isEmpty() ? m_path : m_readPath;
    m_problem.clear();
    // A file that is not read leaves the defaults, whose Language the reason is given in.
    const Language reasonLanguage = languageFromCode(Settings().language);
    const Settings settings = path.isEmpty() ? Settings() : loadSettings(path, &m_problem, reasonLanguage);
    if (m_problem.isEmpty()) return settings;
    m_problemPath = path;
    if (path == m_path) m_keepFile = true;
    return settings;
}

void SettingsFile::wordProblem(Language lang)
{
    const QString problem = std::exchange(m_problem, QString());
    if (problem.isEmpty() || m_noticeGiven) return;
    m_noticeGiven = true;
    m_notice = uiText("file.settingsIgnored", lang)
                   .value_or(QString())
                   .arg(QDir::toNativeSeparators(m_problemPath), problem);
}

bool SettingsFile::write(const Settings &settings, QString *error, Language lang) const
{
    // The pupil was told at start-up that this file stays as it is.
    if (m_path.isEmpty() || m_keepFile) return true;
    return saveSettings(m_path, settings, error, lang);
}
