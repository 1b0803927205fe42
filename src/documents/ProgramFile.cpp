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

namespace {

// A program is a few kilobytes; far larger files are refused before they are read. Sixteen
// megabytes is some 500,000 lines, more than the editor is pleasant with.
constexpr qint64 kMaxFileSize = 16LL * 1024 * 1024;

// Lines end with any line break (CR LF counting as one); a final one does not start
// another line.
StyledText splitLines(const QString &text)
{
    const QString all = unifyLineBreaks(text);
    StyledText out;
    const qsizetype n = all.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (all.at(i) != u'\n') continue;
        out.append(StyledLine {all.mid(start, i - start), {}});
        start = i + 1;
    }
    if (start < n) out.append(StyledLine {all.mid(start), {}});
    return out;
}

}   // namespace

StyledText readPlainText(const QByteArray &data)
{
    QByteArrayView view(data);
    if (view.startsWith("\xEF\xBB\xBF")) return splitLines(QString::fromUtf8(view.sliced(3)));
    if (view.startsWith("\xFF\xFE"))
        return splitLines(QStringDecoder(QStringDecoder::Utf16LE).decode(view.sliced(2)));
    if (view.startsWith("\xFE\xFF"))
        return splitLines(QStringDecoder(QStringDecoder::Utf16BE).decode(view.sliced(2)));
    // Linux editors save UTF-8 without a mark. Windows-1251 text with letters beyond ASCII is
    // almost never valid UTF-8, so valid UTF-8 that is not plain ASCII is taken as UTF-8.
    const bool ascii = std::all_of(view.begin(), view.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(view);
        if (!utf8.hasError()) return splitLines(text);
    }
    return splitLines(QStringDecoder("windows-1251").decode(view));
}

StyledText readProgramData(const QByteArray &data)
{
    if (std::optional<StyledText> rtf = readRtf(data)) return std::move(*rtf);
    return readPlainText(data);
}

QStringList plainLines(const StyledText &text)
{
    QStringList lines;
    lines.reserve(text.size());
    for (const StyledLine &line : text) lines.append(line.text);
    return lines;
}

QList<QRgb> characterColors(const StyledLine &line)
{
    QList<QRgb> colors;
    colors.reserve(line.text.size());
    for (const ColorRun &run : line.runs) {
        for (int i = 0; i < run.length && colors.size() < line.text.size(); ++i)
            colors.append(run.color & 0xFFFFFF);
    }
    while (colors.size() < line.text.size()) colors.append(0);
    return colors;
}

bool sameContent(const StyledText &a, const StyledText &b)
{
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || characterColors(a[i]) != characterColors(b[i])) return false;
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

bool loadProgramFile(const QString &path, StyledText &out, QString *error, Language lang)
{
    QByteArray data;
    if (!readProgramBytes(path, data, error, lang)) return false;
    out = readProgramData(data);
    return true;
}

bool loadProgramFile(const QString &path, StyledText &out, QString *error, qsizetype maxLines,
                     qsizetype maxLineLength, Language lang)
{
    QByteArray data;
    if (!readProgramBytes(path, data, error, lang)) return false;
    auto tooLarge = [&path, error, lang] {
        if (error) *error = fileErrorReason({FileError::Kind::TooLarge, path, {}}, lang);
        return false;
    };
    // Plain text has at least as many lines as it has CR or LF bytes: a file of bare line
    // breaks is refused before millions of empty lines are built. (RTF is told by its
    // group; a file that holds one anywhere, or UTF-16, is only judged once it is read.)
    const bool utf16 = data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF");
    if (!utf16 && !data.contains("{\\rtf") && std::max(data.count('\n'), data.count('\r')) > maxLines)
        return tooLarge();
    StyledText text = readProgramData(data);
    data = QByteArray();
    if (text.size() > maxLines) return tooLarge();
    for (const StyledLine &line : text)
        if (line.text.size() > maxLineLength) return tooLarge();
    out = std::move(text);
    return true;
}

bool saveProgramFile(const QString &path, const StyledText &text, QString *error, Language lang,
                     WriteOptions options)
{
    FileError failure;
    if (writeFileSafely(path, writeRtf(text), &failure, options)) return true;
    if (error) *error = fileErrorReason(failure, lang);
    return false;
}
