// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTextCharFormat>
#include <vector>

class QTextDocument;

// Reads and sets character formats straight in the document's own storage. A refresh of a
// long program sets thousands of ranges: through a cursor each one costs two cursor moves,
// a copy of the format and a search for tables, half again what setting the range costs.
// The toolkit's internal text classes are used here and nowhere else.

// A stretch of characters in one format: the format's place in QTextDocument::allFormats().
struct FormatRun {
    int length;
    int formatIndex;
};

// Every character of the document in order, line breaks and the final one included. Given a
// string, it is also set to the raw text (as QTextDocument::toRawText()), read in the same walk.
std::vector<FormatRun> formatRuns(const QTextDocument &document, QString *rawText = nullptr);

// Whether some character's format ties it to a text object (the edge of a frame or a table).
// A program's text holds none.
bool holdsTextObjects(const QTextDocument &document);

// Gives the characters from..from+length the format, as a cursor selecting them and setting
// it would: recorded for undo, inside the edit block that is open, laid out again. Keeping
// the characters' ties to text objects, as a cursor does, costs a copy of the format and of
// each old one: only a document that holdsTextObjects() needs it.
void setCharacterFormat(QTextDocument *document, int from, int length, const QTextCharFormat &format,
                        bool keepTextObjects);

// A range of characters and the format it takes.
struct FormatChange {
    int from;
    int length;
    const QTextCharFormat *format;
};

// Gives each range its format, as setCharacterFormat() given each in turn would. Where nothing
// is recorded for undo and no character is tied to a text object, in one pass over the
// document's storage: each format looked up once, the lines laid out again told once, where
// the toolkit's own call does both for every range, a third of a refresh's time. The ranges
// are in order and apart.
void setCharacterFormats(QTextDocument *document, const std::vector<FormatChange> &changes,
                         bool keepTextObjects);
