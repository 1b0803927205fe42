// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes may arrive as a program file: reading must not crash, hang or blow up, and
// whatever was read must come back unchanged through our own writer and reader.
#include "documents/ProgramFile.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const StyledText text = readProgramData(bytes);
    const std::optional<StyledText> back = readRtf(writeRtf(text));
    if (!back || !sameContent(*back, text)) {
        std::fprintf(stderr, "round trip changed the text: %lld lines in, %lld lines out\n",
                     (long long)text.size(), back ? (long long)back->size() : -1LL);
        std::abort();
    }
    return 0;
}
