// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "documents/ProgramFile.h"
#include <QHash>
#include <QTextCursor>
#include <QTextFormat>

class QTextDocument;

// One StyledLine per text block; a character without a foreground brush is black.
StyledText styledFromDocument(const QTextDocument &document);

// Replaces the whole content in one edit block (one undo step). Each run is inserted with
// baseFormat and the run's colour as foreground. Line breaks inside a line's text would
// split blocks, so they become spaces and the lines keep their count.
void setDocumentFromStyled(QTextDocument &document, const StyledText &text,
                           const QTextCharFormat &baseFormat);

// The same replacement in slices of lines, so a long text can be built while the window
// goes on answering. The document holds one open edit block until the last slice.
class DocumentFill {
public:
    DocumentFill(QTextDocument &document, const StyledText &text, const QTextCharFormat &baseFormat);
    ~DocumentFill();
    DocumentFill(const DocumentFill &) = delete;
    DocumentFill &operator=(const DocumentFill &) = delete;
    // Adds up to `lines` more lines; true once every line is in.
    bool fill(qsizetype lines);
    qsizetype linesDone() const { return m_next; }

private:
    const QTextCharFormat &formatFor(QRgb colour);

    QTextCursor m_cursor;
    const StyledText &m_text;
    QTextCharFormat m_base;
    QTextBlockFormat m_blockFormat;
    QHash<QRgb, QTextCharFormat> m_formats;
    const QTextCharFormat *m_lastFormat = nullptr;
    QRgb m_lastColour = 0;
    qsizetype m_next = 0;
    bool m_open = true;   // the edit block
};
