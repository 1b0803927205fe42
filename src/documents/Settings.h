// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QString>
#include <functional>

// The settings held in memory by the main window.
struct Settings {
    QString language = QStringLiteral("rus");
    int speed = 3;
    int fieldWidth = 16;
    int fieldHeight = 20;
    bool autoRefresh = false;
    bool showAdvancedToolBar = true;
    int interfaceSize = 100;   // per cent, one of kInterfaceSizes; takes effect at the next start
    bool lineNumbers = false;   // the editor's line-number gutter
    bool cleanFieldEachRun = false;   // every run from idle starts on a cleared field
    QString pupilName;   // who hands programs in; empty until asked
    QString handInFolder;   // where programs are handed in; empty until chosen
};

inline constexpr int kInterfaceSizes[] = {100, 125, 150, 200};

inline constexpr int kMinFieldWidth = 2, kMaxFieldWidth = 16;
inline constexpr int kMinFieldHeight = 2, kMaxFieldHeight = 20;
inline constexpr int kMinSpeed = 1, kMaxSpeed = 5;

// Answers whether a folder (or an existing file) can be written. The real probe tries
// it, because permission bits lie for root and for read-only mounts.
using WritableProbe = std::function<bool(const QString &path)>;
bool canWrite(const QString &path);

// True when the executable is installed as system software: its folder is the bin
// folder of a prefix that holds our desktop entry (/usr/bin beside /usr/share). Such a
// folder is never a place for settings, even where it can be written (by root).
bool isInstalledLayout(const QString &executableDir);

// Where the settings live. The file beside the executable is used when it can be
// written (or created) and the executable is not installed; otherwise a copy in the
// user's configuration folder. A file beside the executable that is not used for
// saving still seeds the first load there.
struct SettingsFiles {
    QString read;   // load from here
    QString write;   // save to here
};
SettingsFiles settingsFiles(const QString &executableDir, const WritableProbe &probe = canWrite);
// The file to save to (and, unless a read-only seed exists beside the executable, to load).
QString settingsFilePath(const QString &executableDir);

// Each key on its own with its default; out-of-range values made sound. A file that exists
// but cannot be taken as settings (too large, binary, unreadable) gives the defaults and
// the reason in *problem; a missing file is no problem. Text in any 8-bit encoding is read
// (a comment in Windows-1251 as Notepad writes it): the keys are ASCII. When there is no file at all (a
// first start), the language follows the locale.
Settings loadSettings(const QString &path, QString *problem = nullptr, Language lang = Language::Eng);
// rus, rom or eng for a locale name such as en_US.UTF-8 (Russian for any other language),
// and for the locale of the environment (LC_ALL, LC_MESSAGES, LANG).
QString languageForLocale(const QString &locale);
QString firstStartLanguage();
// Parses the text of an INI file; what loadSettings does after reading the bytes.
Settings parseSettings(const QByteArray &iniText);
// The file's new content: our keys first in [int], in the fixed order; any other
// lines of the previous content are kept byte for byte, and ours end as its first line does.
QByteArray composeSettings(const Settings &settings, const QByteArray &previous = {});
// Keys in the fixed order; false with the reason, worded in lang, in *error when the file
// can't be written.
// The old file stays intact on failure. The folder is created when missing. A file
// that is there but could not be read as settings is never replaced: it may be
// somebody's, and every line of it would be lost.
bool saveSettings(const QString &path, const Settings &settings, QString *error,
                  Language lang = Language::Eng);
