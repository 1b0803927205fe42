// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "base/SafeFile.h"
#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <utility>

// The editor's content as lines with character colours: what a .tkm file holds.
struct ColourRun {
    int length = 0;
    QRgb colour = 0x000000;   // 0xRRGGBB
};
struct StyledLine {
    QString text;
    QList<ColourRun> runs;   // lengths add up to text.size(); may be empty (all black)
};
using StyledText = QList<StyledLine>;

// Named texts an RTF program file carries beside the program, such as the task the program was
// written for: key and value pairs in the order they were set. Keys are names of ASCII letters,
// digits, '_', '-' and '.'; values are any text. Other RTF readers never show them (see
// RtfWriter.cpp for the form); plain text has none.
struct ProgramNotes {
    QList<std::pair<QString, QString>> entries;

    // What a reader keeps at most: a group past either bound is dropped whole, so the writer
    // leaves out what would pass them. Characters are UTF-16 units; the total counts keys too.
    static constexpr qsizetype kMaxKey = 64;
    static constexpr qsizetype kMaxValue = 16 * 1024;
    static constexpr qsizetype kMaxTotal = 64 * 1024;
    static bool validKey(QStringView key);

    bool isEmpty() const { return entries.isEmpty(); }
    bool contains(QStringView key) const;
    QString value(QStringView key) const;   // empty when there is no such key
    void set(QStringView key, const QString &value);   // replaces the value, or appends
    void remove(QStringView key);
    bool operator==(const ProgramNotes &) const = default;
};
// The file name of the task a program was written for, as the window gave it.
inline constexpr QStringView kNoteTaskFile = u"taskFile";

// The most a program text may hold. A reader stops at the first line past either bound, so
// a file of millions of line breaks or one endless line is refused as soon as it shows.
struct ReadLimits {
    qsizetype lines = 0;
    qsizetype lineLength = 0;   // characters
};
// What an editor window takes in and goes on answering, and what the command line reads too:
// a program is a few hundred short lines, and drawing every segment of the largest field in
// its own colour takes some ten thousand.
inline constexpr ReadLimits kProgramReadLimits {100'000, 10'000};

// Plain text that is neither Unicode nor valid UTF-8 is 8-bit text of a Windows code page:
// Windows-1251, unless such a function, told the lines as Windows-1251 gives them, names
// another (Windows-1250 for Romanian keywords). What the lines say is known above this layer.
using PlainTextCodePage = int (*)(const QStringList &lines);

std::optional<StyledText> readRtf(const QByteArray &data);   // nothing when not RTF
// As readRtf within limits. A text past one comes back empty, with *over saying which bound
// it passed (kind TooLarge); *over is left alone otherwise.
std::optional<StyledText> readRtf(const QByteArray &data, const ReadLimits &limits, FileError *over);
// As above, with the file's notes put into *notes: none when it has none, or when its notes
// group is damaged, which loses only the notes. The text is the same either way.
std::optional<StyledText> readRtf(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                  ProgramNotes *notes);
StyledText readPlainText(const QByteArray &data, PlainTextCodePage codePageOf = nullptr);
StyledText readProgramData(const QByteArray &data, PlainTextCodePage codePageOf = nullptr);   // RTF first
// As readProgramData within limits: nothing for a text past one, and *over says which.
std::optional<StyledText> readProgramData(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                          PlainTextCodePage codePageOf = nullptr);
// As above with the notes of an RTF file; plain text leaves *notes empty.
std::optional<StyledText> readProgramData(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                          ProgramNotes *notes, PlainTextCodePage codePageOf = nullptr);
QByteArray writeRtf(const StyledText &text);
// With no notes the same bytes as writeRtf(text).
QByteArray writeRtf(const StyledText &text, const ProgramNotes &notes);
QStringList plainLines(const StyledText &text);
// The colour of every character of the line; black where the runs fall short.
QList<QRgb> characterColours(const StyledLine &line);
// Same lines with the same character colours, however the runs are cut.
bool sameContent(const StyledText &a, const StyledText &b);

// File level. On failure returns false and puts the reason, worded in lang, into *error; a
// file past the size bound (16 MiB) or past one of the limits is refused as too large.
bool loadProgramFile(const QString &path, const ReadLimits &limits, StyledText &out, QString *error,
                     Language lang = Language::Eng, PlainTextCodePage codePageOf = nullptr);
// Within the limits of a program.
bool loadProgramFile(const QString &path, StyledText &out, QString *error, Language lang = Language::Eng,
                     PlainTextCodePage codePageOf = nullptr);
// The same, with the file's notes (empty for plain text and for a file without them).
bool loadProgramFile(const QString &path, const ReadLimits &limits, StyledText &out, ProgramNotes &notes,
                     QString *error, Language lang = Language::Eng, PlainTextCodePage codePageOf = nullptr);
bool loadProgramFile(const QString &path, StyledText &out, ProgramNotes &notes, QString *error,
                     Language lang = Language::Eng, PlainTextCodePage codePageOf = nullptr);
// Writes through a temporary file that replaces the target only when complete. A read-only
// file is replaced only where the options say the user agreed.
bool saveProgramFile(const QString &path, const StyledText &text, QString *error,
                     Language lang = Language::Eng, WriteOptions options = {});
// The same with notes; no notes write the same file as above.
bool saveProgramFile(const QString &path, const StyledText &text, const ProgramNotes &notes, QString *error,
                     Language lang = Language::Eng, WriteOptions options = {});
