// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

// Rewrites program lines from the keywords of one Language into those of another.
// Only keywords, sensor test words and colour names change; procedure names, loop counts,
// the separator characters, the spaces around the line, comments and speed lines stay as
// written. Each keyword keeps the letter case it was written in when that is upper, lower,
// first letter capital or every word capitalised; any other mix is carried letter by letter,
// each of its words that is upper, lower or capitalised passing that on whole where the
// two have as many words.
// A line the checker accepts is translated so that it is checked and run alike in the
// target; one that cannot be, or a counted loop that ends in a word other than the times
// keyword (which the check reads in its place), is left as written.
class ProgramTranslator {
public:
    ProgramTranslator(Language from, Language to);

    Language from() const { return m_from; }
    Language to() const { return m_to; }

    // The line in the target Language; nothing when it is no statement in the source one.
    std::optional<QString> translateLine(const QString &raw) const;

    struct Result {
        QStringList lines;
        // Lines that hold something other than a comment and have no translation: no
        // statement of the source Language, or one of those below. They are copied unchanged.
        QList<int> leftAsWritten;
        // Of those, the statements of the source Language: the word that ends a counted
        // loop in place of the times keyword and is another one, so it has no counterpart in
        // the target; empty when the translation would mean something else there.
        QHash<int, QString> untranslated;
    };
    Result translate(const QStringList &lines) const;

    // Whether the line is a statement of the Language; blank lines, comments and speed
    // lines belong to every Language and are none.
    static bool isStatement(const QString &raw, Language lang);
    static int statementCount(const QStringList &lines, Language lang);
    // The Language under which the most lines are statements. A tie, or a text without
    // any statement, goes to `preferred` when it is among the best.
    static Language detectLanguage(const QStringList &lines, Language preferred);
    // The Windows code page of 8-bit plain text, given its lines as Windows-1251 gives them
    // (the keywords read alike in both): 1250, as a Romanian Windows writes, when more of its
    // lines are Romanian statements than Russian or English ones; 1251 otherwise.
    static int plainTextCodePage(const QStringList &lines);

private:
    struct LineResult {
        std::optional<QString> text;   // the translation
        bool statement = false;   // of the source Language
        QString unknownWord;
    };
    LineResult translateOne(const QString &raw) const;

    Language m_from, m_to;
};
