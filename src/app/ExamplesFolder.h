// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QString>

// The example programs: beside the executable (a portable copy), in the data folder of an
// installed one (../share/trakmil/examples or the system's data folders), or in the source
// tree above a build folder. Empty when there is none.
QString findExamplesFolder(const QString &applicationDir);
// The Language's own subfolder when it exists, else the folder itself; empty stays empty.
QString examplesFolderFor(const QString &examplesRoot, Language lang);
// The title of an example: its first comment line without the comment mark; the file's
// name when it has none.
QString exampleTitle(const QString &path);
