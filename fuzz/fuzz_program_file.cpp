// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes may arrive as a program file (a hand-in among them): reading must not crash, hang
// or blow up, and whatever was read, notes and hand-in record included, must come back
// unchanged through our own writer and reader.
#include "documents/ProgramFile.h"
#include "run/HandIn.h"

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
    // A hand-in record is read only as far as it is what the writer writes, so what was read
    // is written and read back the same.
    if (const std::optional<HandInRecord> record = handInFromNotes(notes)) {
        ProgramNotes rewritten;
        addHandInNotes(rewritten, *record);
        if (handInFromNotes(rewritten) != record) {
            std::fprintf(stderr, "a hand-in record changed on its way back\n");
            std::abort();
        }
    }
    return 0;
}
