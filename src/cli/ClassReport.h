// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "cli/CompareMode.h"

// The class report: one HTML file a teacher opens in any browser, with nothing to fetch and
// no script to run. The pictures are embedded PNG data and the programs unfold on demand.
// Against a task (Grading::task), each pupil has a column per field (the verdict, what
// differs, the goal, the pupil's drawing and the differences) and one for the rules.
QString classReportHtml(const QString &modelFile, const CompareMode::Grading &g, Language lang);
bool writeClassReport(const QString &path, const QString &modelFile, const CompareMode::Grading &g,
                      Language lang, QString *error);
