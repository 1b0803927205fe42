// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "base/SafeFile.h"
#include "documents/ProgramFile.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QString>

class FieldVectors;
class QPagedPaintDevice;

// A printed sheet of a pupil's work: a header on every page, the program with its colours and
// line numbers, the field as it is now, and "page k of n" at the foot, in the interface
// Language. It paints on any paged device: a printer, a print preview or a PDF writer.
struct Worksheet {
    QString pupil;   // the hand-in name; no line when empty
    QString task;   // the open task's title; no line when empty
    QString file;   // the program's file name; "unnamed" when empty
    QDate date;
    StyledText program;
    const FieldVectors *field = nullptr;   // no field when null
    Language lang = Language::Eng;
};

// Where each piece goes, in device pixels: known before any page is painted, so that every
// footer can say how many pages there are.
struct WorksheetLayout {
    struct Piece {
        int line = 0;   // index into the program
        int firstRow = 0, endRow = 0;   // its wrapped rows on this page, [first, end)
    };
    struct Page {
        QList<Piece> pieces;
        bool field = false;
        double fieldTop = 0;
    };
    QList<Page> pages;
    QList<QStringList> rows;   // every program line cut into the rows it is printed in
};

// Cuts the lines and fills the pages for the device as it is set up (page size, margins).
WorksheetLayout layOutWorksheet(QPagedPaintDevice &device, const Worksheet &sheet);
// Lays out and paints every page; false when the device cannot be painted on.
bool paintWorksheet(QPagedPaintDevice &device, const Worksheet &sheet);
// Writes the worksheet as a PDF on pages of the given size, replacing the file only once it is
// complete. On failure *error gets the reason, worded in the sheet's Language.
bool writeWorksheetPdf(const QString &path, const Worksheet &sheet, QPageSize::PageSizeId size,
                       QString *error, WriteOptions options = {});
