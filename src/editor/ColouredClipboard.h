// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/TextColour.h"
#include <QList>

class QMimeData;
class QTextCursor;

// Colours travel through the clipboard by our own hand: a selection goes out as plain text,
// as HTML with a colour on every run and as RTF the way the program's files write it; a paste
// reads HTML first, then RTF, then plain text.

// Whether a paste can read anything from `source`.
bool canPasteFrom(const QMimeData *source);
// The selected text of `selection` in every format; empty data without a selection. The
// caller owns it.
QMimeData *copyOfSelection(const QTextCursor &selection);
// The pieces a paste inserts, flattened to plain lines (no tables, images, fonts or inner line
// separators, so that one block stays one program line); nothing when `source` holds no
// format we read.
std::optional<QList<InsertPiece>> pastedPieces(const QMimeData *source);
// Inserts the pieces at `c` with their colour only: fonts and styles from elsewhere stay out.
void insertPasted(QTextCursor &c, const QList<InsertPiece> &pieces);
