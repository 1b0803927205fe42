// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes may arrive as a task file: reading must not crash, hang or blow up, and a task
// that is read must be written and read again to the same bytes.
#include "run/TaskFile.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TaskFileError error;
    const std::optional<Task> task = readTask(bytes, error);
    if (!task) return 0;
    const QByteArray written = writeTask(*task);
    const std::optional<Task> back = readTask(written, error);
    if (!back || writeTask(*back) != written) {
        std::fprintf(stderr, "a task read once changed when written and read again\n");
        std::abort();
    }
    return 0;
}
