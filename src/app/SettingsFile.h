// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "documents/Settings.h"
#include <QString>
#include <utility>

// The window's settings file: where it is read and written, and what happens when it cannot
// be read. The pupil is told once, and from then on the file is left as it is: it may be
// somebody's, and the settings hold for the session.
class SettingsFile {
public:
    // path: trakmil.ini to write, and to read unless readPath is given; empty: none.
    SettingsFile(QString path, QString readPath);

    // The file's settings, or the defaults.
    Settings read();
    // A problem the last read met, worded in lang, unless one was worded before.
    void wordProblem(Language lang);
    // The worded problem, once; empty when there is nothing to say.
    QString takeNotice() { return std::exchange(m_notice, QString()); }
    // True when written, or when nothing is to be written; otherwise false with *error.
    bool write(const Settings &settings, QString *error, Language lang) const;

private:
    QString m_path, m_readPath;
    QString m_problem;   // of the last read, until worded
    QString m_problemPath;
    bool m_noticeGiven = false;
    bool m_keepFile = false;   // it could not be read: nothing is saved over it
    QString m_notice;
};
