// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/ProgramFile.h"
#include "documents/LineBreaks.h"
#include "base/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <limits>

namespace {

// A program is a few kilobytes; far larger files are refused before they are read. Sixteen
// megabytes is some 500,000 lines, more than the editor is pleasant with.
constexpr qint64 kMaxFileSize = 16LL * 1024 * 1024;

constexpr ReadLimits kNoLimits {std::numeric_limits<qsizetype>::max(), std::numeric_limits<qsizetype>::max()};

// Lines end with any line break (CR LF counting as one); a final one does not start
// another line. Stops at the first line past a limit, which *over then names.
std::optional<StyledText> splitLines(QStringView all, const ReadLimits &limits, FileError *over)
{
    StyledText out;
    out.reserve(std::min(limits.lines, qsizetype(std::count_if(all.begin(), all.end(), isLineBreak)) + 1));
    const qsizetype n = all.size();
    qsizetype start = 0;
    auto take = [&](qsizetype end) {
        if (out.size() >= limits.lines) {
            *over = {FileError::Kind::TooLarge, {}, {}, 0, FileError::Limit::Lines, limits.lines};
            return false;
        }
        if (end - start > limits.lineLength) {
            *over = {FileError::Kind::TooLarge,
                     {},
                     {},
                     0,
                     FileError::Limit::LineLength,
                     limits.lineLength,
                     out.size() + 1};
            return false;
        }
        out.append(StyledLine {all.sliced(start, end - start).toString(), {}});
        return true;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = all[i];
        if (!isLineBreak(c)) continue;
        if (!take(i)) return std::nullopt;
        if (c == u'\r' && i + 1 < n && all[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n && !take(n)) return std::nullopt;
    return out;
}

QString decodePlainText(const QByteArray &data, const ReadLimits &limits, PlainTextCodePage codePageOf)
{
    QByteArrayView view(data);
    if (view.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(view.sliced(3));
    if (view.startsWith("\xFF\xFE")) return QStringDecoder(QStringDecoder::Utf16LE).decode(view.sliced(2));
    if (view.startsWith("\xFE\xFF")) return QStringDecoder(QStringDecoder::Utf16BE).decode(view.sliced(2));
    // Linux editors save UTF-8 without a mark. Windows-1251 text with letters beyond ASCII is
    // almost never valid UTF-8, so valid UTF-8 that is not plain ASCII is taken as UTF-8.
    const bool ascii = std::all_of(view.begin(), view.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(view);
        if (!utf8.hasError()) return text;
    }
    // Below 0x80 Windows-1251 is ASCII, as Latin-1 is, whose decoding costs next to nothing.
    if (ascii) return QString::fromLatin1(view);
    const QString text = QStringDecoder("windows-1251").decode(view);
    if (!codePageOf) return text;
    // The keywords are ASCII in both pages, so the lines as Windows-1251 gives them tell the
    // Language; only comments and names read otherwise. A text past the limits is refused
    // whatever its page.
    FileError over;
    const std::optional<StyledText> lines = splitLines(text, limits, &over);
    if (!lines) return text;
    const int codePage = codePageOf(plainLines(*lines));
    if (codePage == 1251) return text;
    const QByteArray name = "windows-" + QByteArray::number(codePage);
    QStringDecoder other(name.constData());
    if (!other.isValid()) return text;
    const QString decoded = other.decode(view);
    // A byte the page leaves undefined would be lost: such a file stays in Windows-1251.
    return other.hasError() || decoded.contains(QChar::ReplacementCharacter) ? text : decoded;
}

std::optional<StyledText> readPlainText(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                        PlainTextCodePage codePageOf)
{
    return splitLines(decodePlainText(data, limits, codePageOf), limits, over);
}

}   // namespace

bool ProgramNotes::validKey(QStringView key)
{
    if (key.isEmpty() || key.size() > kMaxKey) return false;
    return std::all_of(key.begin(), key.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               c == u'_' || c == u'-' || c == u'.';
    });
}

bool ProgramNotes::contains(QStringView key) const
{
    return std::any_of(entries.begin(), entries.end(), [&](const auto &e) { return e.first == key; });
}

QString ProgramNotes::value(QStringView key) const
{
    for (const auto &[k, v] : entries) {
        if (k == key) return v;
    }
    return {};
}

void ProgramNotes::set(QStringView key, const QString &value)
{
    for (auto &[k, v] : entries) {
        if (k == key) {
            v = value;
            return;
        }
    }
    entries.append({key.toString(), value});
}

void ProgramNotes::remove(QStringView key)
{
    entries.removeIf([&](const auto &e) { return e.first == key; });
}

StyledText readPlainText(const QByteArray &data, PlainTextCodePage codePageOf)
{
    FileError unused;
    return *readPlainText(data, kNoLimits, &unused, codePageOf);
}

StyledText readProgramData(const QByteArray &data, PlainTextCodePage codePageOf)
{
    if (std::optional<StyledText> rtf = readRtf(data)) return std::move(*rtf);
    return readPlainText(data, codePageOf);
}

std::optional<StyledText> readProgramData(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                          PlainTextCodePage codePageOf)
{
    return readProgramData(data, limits, over, nullptr, codePageOf);
}

std::optional<StyledText> readProgramData(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                          ProgramNotes *notes, PlainTextCodePage codePageOf)
{
    FileError passed;
    std::optional<StyledText> text = readRtf(data, limits, &passed, notes);
    if (!text) {
        if (notes) *notes = {};
        text = readPlainText(data, limits, &passed, codePageOf);
    }
    if (passed.kind == FileError::Kind::None) return text;
    *over = passed;
    return std::nullopt;
}

QStringList plainLines(const StyledText &text)
{
    QStringList lines;
    lines.reserve(text.size());
    for (const StyledLine &line : text) lines.append(line.text);
    return lines;
}

QList<QRgb> characterColours(const StyledLine &line)
{
    QList<QRgb> colours;
    colours.reserve(line.text.size());
    for (const ColourRun &run : line.runs) {
        for (int i = 0; i < run.length && colours.size() < line.text.size(); ++i)
            colours.append(run.colour & 0xFFFFFF);
    }
    while (colours.size() < line.text.size()) colours.append(0);
    return colours;
}

bool sameContent(const StyledText &a, const StyledText &b)
{
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || characterColours(a[i]) != characterColours(b[i])) return false;
    }
    return true;
}

namespace {
bool readProgramBytes(const QString &path, QByteArray &data, QString *error, Language lang)
{
    FileError failure;
    if (readRegularFile(path, kMaxFileSize, data, &failure)) return true;
    if (error) *error = fileErrorReason(failure, lang);
    return false;
}
}   // namespace

namespace {
bool loadProgram(const QString &path, const ReadLimits &limits, StyledText &out, ProgramNotes *notes,
                 QString *error, Language lang, PlainTextCodePage codePageOf)
{
    QByteArray data;
    if (!readProgramBytes(path, data, error, lang)) return false;
    FileError over;
    ProgramNotes read;
    std::optional<StyledText> text =
        readProgramData(data, limits, &over, notes ? &read : nullptr, codePageOf);
    if (!text) {
        over.path = path;
        if (error) *error = fileErrorReason(over, lang);
        return false;
    }
    out = std::move(*text);
    if (notes) *notes = std::move(read);
    return true;
}
}   // namespace

bool loadProgramFile(const QString &path, const ReadLimits &limits, StyledText &out, QString *error,
                     Language lang, PlainTextCodePage codePageOf)
{
    return loadProgram(path, limits, out, nullptr, error, lang, codePageOf);
}

bool loadProgramFile(const QString &path, const ReadLimits &limits, StyledText &out, ProgramNotes &notes,
                     QString *error, Language lang, PlainTextCodePage codePageOf)
{
    return loadProgram(path, limits, out, &notes, error, lang, codePageOf);
}

bool loadProgramFile(const QString &path, StyledText &out, ProgramNotes &notes, QString *error, Language lang,
                     PlainTextCodePage codePageOf)
{
    return loadProgram(path, kProgramReadLimits, out, &notes, error, lang, codePageOf);
}

bool loadProgramFile(const QString &path, StyledText &out, QString *error, Language lang,
                     PlainTextCodePage codePageOf)
{
    return loadProgramFile(path, kProgramReadLimits, out, error, lang, codePageOf);
}

bool saveProgramFile(const QString &path, const StyledText &text, QString *error, Language lang,
                     WriteOptions options)
{
    return saveProgramFile(path, text, ProgramNotes {}, error, lang, options);
}

bool saveProgramFile(const QString &path, const StyledText &text, const ProgramNotes &notes, QString *error,
                     Language lang, WriteOptions options)
{
    FileError failure;
    if (writeFileSafely(path, writeRtf(text, notes), &failure, options)) return true;
    if (error) *error = fileErrorReason(failure, lang);
    return false;
}
