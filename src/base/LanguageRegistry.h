// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QByteArrayList>
#include <QByteArrayView>
#include <QMutex>
#include <QStringList>
#include <map>
#include <optional>

// The Language list. Each Language is one flat UTF-8 JSON file of "key": "text" pairs: its
// own facts under "language.", its keywords under "keyword.", its colour names under
// "colourName." and every interface text under its catalogue key. The built-in files are
// resources under :/languages/, listed in order by :/languages/languages.json; texts that
// are the same in every Language are in :/languages/common.json.
struct LanguageInfo {
    Language id = Language::Unknown;
    QString code;   // "rus": settings files, the command line, the examples and help folders
    QString name;   // its own name for itself, shown where the interface has no name for it
    QString locale;   // "ru_RU": how numbers are written
    QStringList systemLanguages;   // the system locale prefixes that pick it on a first start
    QString script;   // "Cyrillic" or "Latin": the letters its keywords are written in
    int codePage = 1251;   // of a plain-text program written in its keywords
    QString examplesFolder;
    QString toolkitTranslation;   // Qt's own translation file name, "" for none
    QString builtInToolkitTranslation;   // ours, when the system has no toolkitTranslation
    QString file;   // the data file it was read from; ":/languages/..." for those built in
};

// The Languages of the program's own list, without those added by registerLanguageFile.
QList<Language> builtInLanguages();

// nullptr for Unknown and any number no Language has.
const LanguageInfo *languageInfo(Language lang);
const LanguageInfo &firstLanguageInfo();

// The text under key in lang; nothing for a Language not in the list or a key it lacks.
std::optional<QString> languageText(Language lang, QByteArrayView key);
// Every key the first Language has: the keys every Language must have.
QByteArrayList languageTextKeys();

// Adds a Language from one data file (tests, a translator trying a new file). Called from
// the main thread before the Language is used. An error names what is wrong with the file;
// a code already in the list is an error.
std::optional<Language> registerLanguageFile(const QString &path, QString *error = nullptr);
// Back to the program's own list; nothing may hold an added Language any more.
void removeAddedLanguages();

// How many times the Language list has changed since start: what was built for a Language
// number before a change may belong to another Language after it.
int languageListChanges();

// What build(lang) makes of one Language's data (its lexicon, its messages), built once per
// Language code and kept where it is: callers hold references. Safe from any thread. Asked for
// on every statement read, so each thread keeps its last answer and skips the lock.
template <typename T, typename Build> const T &builtForLanguage(Language lang, const Build &build)
{
    thread_local Language lastAsked = Language::Unknown;
    thread_local int lastChanges = -1;
    thread_local const T *last = nullptr;
    const int changes = languageListChanges();
    if (last && lang == lastAsked && changes == lastChanges) return *last;
    const Language known = knownOrFirst(lang);
    static QMutex mutex;
    static std::map<QString, T> built;
    const QMutexLocker lock(&mutex);
    const QString code = languageCode(known);
    auto it = built.find(code);
    if (it == built.end()) it = built.emplace(code, build(known)).first;
    lastAsked = lang;
    lastChanges = changes;
    last = &it->second;
    return it->second;
}
