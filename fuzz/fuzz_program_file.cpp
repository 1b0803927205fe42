// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes may arrive as a program file: reading must not crash, hang or blow up, and
// whatever was read, notes included, must come back unchanged through our own writer and
// reader.
#include "documents/ProgramFile.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    constexpr qsizetype most = std::numeric_limits<qsizetype>::max();
    FileError over;
    ProgramNotes notes;
    const StyledText text = *readProgramData(bytes, ReadLimits {most, most}, &over, &notes);
    ProgramNotes notesBack;
    const std::optional<StyledText> back =
        readRtf(writeRtf(text, notes), ReadLimits {most, most}, &over, &notesBack);
    if (!back || !sameContent(*back, text)) {
        std::fprintf(stderr, "round trip changed the text: %lld lines in, %lld lines out\n",
                     (long long)text.size(), back ? (long long)back->size() : -1LL);
        std::abort();
    }
    if (notesBack != notes) {
        std::fprintf(stderr, "round trip changed the notes: %lld entries in, %lld out\n",
                     (long long)notes.entries.size(), (long long)notesBack.entries.size());
        std::abort();
    }
    return 0;
}
