// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Language.h"
#include <QStringList>
#include <optional>

// trakmil --compare MODEL PUPIL... [--field WxH] [--diff DIR]: runs every program without
// the window and grades what each pupil drew against the model, segment by segment with
// the colours, and where the robot ended.
namespace CompareMode {

struct Options {
    QString model;
    QStringList pupils;
    std::optional<Language> language;   // for every file; otherwise each file's own
    Language preferred = Language::Rus;   // settles a tie in telling a file's Language
    int poleX = 16, poleY = 20;
    int speed = 3;
    QString diffDir;   // a PNG per differing pupil, when set
    qint64 maxTicks = 10'000'000;   // 0: no limit
};

struct Grading {
    QStringList lines;   // standard output: one verdict (or report) per pupil
    QStringList problems;   // standard error: files that could not be read or written
    int exitCode = 0;   // 0 all same, 1 some differ or fail, 2 a file or usage error
};

Grading grade(const Options &options);

bool wanted(const QStringList &arguments);
int run(const QStringList &arguments);

}   // namespace CompareMode
