// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "cli/CompareMode.h"
#include "base/SafeFile.h"

#include <QSet>
#include <array>
#include <memory>

// The class report: one HTML file a teacher opens in any browser, with nothing to fetch and
// no script to run. The pictures are embedded PNG data and the programs unfold on demand.
// Against a task (Grading::task), each pupil has a column per field (the verdict, what
// differs, the goal, the pupil's drawing and the differences) and one for the rules.
QString classReportHtml(const QString &modelFile, const CompareMode::Grading &g, Language lang);

// The report a row at a time, so that a class is written as it is graded and neither a
// pupil's pictures nor the page are kept: each row as soon as its pupil is graded (with the
// names more than one pupil's file has, from sharedFileNames), into the part of its rank,
// set aside beside the report; at the end the head of the whole grading (g.pupils, pictures
// no longer needed) and then the parts in order are written into the file.
QSet<QString> sharedFileNames(const QStringList &files);
QString classReportRow(const CompareMode::PupilGrade &p, const CompareMode::Grading &g,
                       const QSet<QString> &sharedNames, Language lang);
int classReportRank(const CompareMode::PupilGrade &p);   // 0 to 2: what needs the teacher's eye first
struct ClassReportParts {
    explicit ClassReportParts(const QString &reportPath);
    void add(int rank, QByteArrayView row);
    std::array<std::unique_ptr<SpillFile>, 3> parts;
};
bool writeClassReport(const QString &path, const QString &modelFile, const CompareMode::Grading &g,
                      ClassReportParts &rows, Language lang, QString *error);

// The pieces of the report the class overview builds its page from too.
namespace ReportParts {
// HTML text, with no control character left in it.
QString escaped(const QString &s);
QString t(const char *key, Language lang);   // a "report." text
QString htmlLanguage(Language lang);
QString dataUri(const QByteArray &png);
QString picture(const QByteArray &png, const QString &alt, const char *cls);
QString modelPicture(const QString &alt);   // the model drawing the page embeds once
QString programHtml(const QStringList &lines, Language lang);
QString reasonText(const CompareMode::PupilGrade &p, Language lang);
void detailList(QString &h, const QStringList &details);
// The cell of one field; with zoom, a click on the pictures shows them larger.
QString fieldCell(const CompareMode::FieldGrade &f, int n, Language lang, bool zoom);
QString rulesCell(const CompareMode::PupilGrade &p, Language lang);
// The style that sizes the pictures of a field of `field` cells: within `scope` (may be empty),
// `goal` selects its goal (or model), a picture shown as a background, `pupil` and `diff` its
// images. On screen each shows the field's part of the picture in a box of 179 x 219 pixels,
// at a whole factor where that is larger (crisp pixels), else shrunk to fit; within
// `zoomScope` (when set) twice as large. In print at most `printWidth` pixels wide.
struct PictureSelectors {
    QString scope, goal, pupil, diff;
};
QString pictureStyle(const PictureSelectors &at, QSize field, const QString &zoomScope, int printWidth);
// The width a field's pictures may take in print when `columns` field columns share the page.
int printPictureWidth(qsizetype columns);
extern const char kStyle[];
extern const char kTaskStyle[];
}   // namespace ReportParts
