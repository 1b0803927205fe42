// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the editor's lines as RTF the way a Windows rich-edit control would: Windows-1251
// text in \'xx escapes, anything beyond the code page as \uN, one paragraph per line.
#include "documents/CodePages.h"
#include "documents/ProgramFile.h"

#include <QHash>
#include <QSet>

namespace {

const char kHex[] = "0123456789abcdef";

void appendHexByte(QByteArray &out, int b)
{
    out += "\\'";
    out += kHex[(b >> 4) & 0xF];
    out += kHex[b & 0xF];
}

void appendChar(QByteArray &out, char16_t c)
{
    if (c == '\\' || c == '{' || c == '}') {
        out += '\\';
        out += char(c);
    } else if (c == '\t') {
        out += "\\tab ";
    } else if (c >= 0x20 && c < 0x7F) {
        out += char(c);
    } else if (const int b = windows1251Byte(c); b >= 0) {
        appendHexByte(out, b);   // control characters too, so that nothing is lost
    } else {
        // RTF numbers are signed 16-bit; each half of a surrogate pair goes on its own. The
        // one byte of fallback (\uc1) is an escape of a near letter, as LibreOffice writes
        // it: some readers take a bare "?" after \uN for more than the byte it is and lose
        // the next letters.
        out += "\\u";
        out += QByteArray::number(c > 0x7FFF ? int(c) - 0x10000 : int(c));
        appendHexByte(out, windows1251Fallback(c));
    }
}

// The notes go in one ignorable destination in the header, after the colour table:
//   {\*\trakmilnotes{\trakmilkey taskFile}{\trakmilvalue C:\\tasks\\square.tkt}...}
// a key group then its value group for every entry, in order. Readers that do not know the
// word skip the whole group, as "\*" asks, and see the text and colours they saw without it.
// In keys and values printable ASCII stands for itself, \ { and } are escaped, and every
// other character (line breaks too) is \uN? with N a signed 16-bit number: the text of the
// group comes back exactly, whatever code page the document declares.
void appendNoteText(QByteArray &out, const QString &s)
{
    for (const QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            out += "\\u";
            out += QByteArray::number(c > 0x7FFF ? int(c) - 0x10000 : int(c));
            out += '?';
        }
    }
}

QByteArray notesGroup(const ProgramNotes &notes)
{
    // Only what a reader keeps: an entry that would make it drop the group stays out.
    // A key that comes again is left out, as the reader keeps the first.
    QByteArray out;
    qsizetype total = 0;
    QSet<QString> written;
    for (const auto &[key, value] : notes.entries) {
        if (!ProgramNotes::validKey(key) || value.size() > ProgramNotes::kMaxValue ||
            total + key.size() + value.size() > ProgramNotes::kMaxTotal || written.contains(key))
            continue;
        written.insert(key);
        total += key.size() + value.size();
        out += "{\\trakmilkey ";
        appendNoteText(out, key);
        out += "}{\\trakmilvalue ";
        appendNoteText(out, value);
        out += '}';
    }
    if (out.isEmpty()) return out;
    return "{\\*\\trakmilnotes" + out + "}\r\n";
}

}   // namespace

QByteArray writeRtf(const StyledText &text) { return writeRtf(text, ProgramNotes {}); }

QByteArray writeRtf(const StyledText &text, const ProgramNotes &notes)
{
    // Black is the "auto" colour 0; every other colour gets an entry in order of use.
    QHash<QRgb, int> colourIndex;
    QByteArray table = "{\\colortbl ;";
    for (const StyledLine &line : text) {
        for (const ColourRun &run : line.runs) {
            const QRgb c = run.colour & 0xFFFFFF;
            if (c == 0 || run.length <= 0 || colourIndex.contains(c)) continue;
            colourIndex.insert(c, int(colourIndex.size()) + 1);
            table += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) +
                     "\\blue" + QByteArray::number(qBlue(c)) + ';';
        }
    }
    table += "}\r\n";

    QByteArray out;
    qsizetype estimate = 256 + table.size();
    for (const StyledLine &line : text) estimate += line.text.size() * 4 + line.runs.size() * 6 + 8;
    out.reserve(estimate);
    out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
           "{\\fonttbl{\\f0\\fnil\\fcharset204 Times New Roman;}}\r\n";
    out += table;
    out += notesGroup(notes);
    out += "\\viewkind4\\uc1\\pard\\f0\\fs24 ";

    int current = 0;
    for (const StyledLine &line : text) {
        const QString &s = line.text;
        const char16_t *chars = reinterpret_cast<const char16_t *>(s.constData());
        qsizetype pos = 0;
        auto writeSpan = [&](qsizetype length, QRgb colour) {
            length = std::min(length, s.size() - pos);
            if (length <= 0) return;
            const int index = colourIndex.value(colour & 0xFFFFFF, 0);
            if (index != current) {
                out += "\\cf" + QByteArray::number(index) + ' ';
                current = index;
            }
            for (qsizetype i = pos; i < pos + length; ++i) appendChar(out, chars[i]);
            pos += length;
        };
        for (const ColourRun &run : line.runs) writeSpan(run.length, run.colour);
        writeSpan(s.size() - pos, 0);   // runs that fall short leave the rest black
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}
