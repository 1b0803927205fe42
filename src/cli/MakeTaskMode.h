// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>

// trakmil --make-task MODEL -o TASK --title TEXT [--text-file FILE] [--fields WxH,...]
// [--end-position] [--max-lines N] [--require KINDS] [--forbid KINDS] [--language L]
// [--start FILE]: the model's drawing on each field becomes the goal of a task file; the model
// itself is not stored.
namespace MakeTaskMode {

bool wanted(const QStringList &arguments);
// Returns the exit code: 0 the task is written, 1 the model fails on a field (named on
// stderr), 2 usage or file error.
int run(const QStringList &arguments);

}   // namespace MakeTaskMode
