// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "documents/ProgramFile.h"

class QTextCharFormat;
class QTextDocument;

// One StyledLine per text block; a character without a foreground brush is black.
StyledText styledFromDocument(const QTextDocument &document);

// Replaces the whole content in one edit block (one undo step). Each run is inserted with
// baseFormat and the run's colour as foreground. Line breaks inside a line's text would
// split blocks, so they become spaces and the lines keep their count.
void setDocumentFromStyled(QTextDocument &document, const StyledText &text,
                           const QTextCharFormat &baseFormat);
