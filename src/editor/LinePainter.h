// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Highlight.h"
#include "editor/TextColour.h"
#include "editor/TextInternals.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>
#include <vector>

// Colours whole lines in one pass. A long pass meets the same few formats again and
// again: what each one's colour is, and what it becomes with a new colour merged in, is
// worked out once.
class LinePainter {
public:
    explicit LinePainter(QTextDocument *d)
          : m_document(d), m_cursor(d), m_keepTextObjects(holdsTextObjects(*d))
    {
    }
    QTextCursor &cursor() { return m_cursor; }

    bool paint(const QTextBlock &b, QRgb colour)
    {
        return paint(b, [colour](const QString &) { return colour; });
    }

    // The colour comes from the line's text, read in the same walk over the line.
    template <typename ColourFor> bool paint(const QTextBlock &b, ColourFor &&colourFor)
    {
        const int len = b.length() - 1;
        if (len <= 0) return false;
        const int pos = b.position();
        m_line.clear();
        QString text;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            m_line.push_back({f.length(), f.charFormatIndex()});
            text += f.text();
        }
        return paintLine(pos, colourFor(text));
    }

    // Every line in one walk over the document's characters and formats, the text of each
    // line taken from the document's raw text. False, with nothing painted, when the two do
    // not tell the same lines, as a text with frames would not.
    template <typename ColourFor> bool paintEveryLine(ColourFor &&colourFor)
    {
        QString raw;
        const std::vector<FormatRun> runs = formatRuns(*m_document, &raw);
        // Every line's end is found before anything is painted: a frame's edge would end a
        // line of the raw text and no block.
        m_lineEnds.clear();
        for (qsizetype from = 0;;) {
            const qsizetype end = raw.indexOf(QChar::ParagraphSeparator, from);
            if (end < 0) break;
            m_lineEnds.push_back(int(end));
            from = end + 1;
        }
        m_lineEnds.push_back(int(raw.size()));
        if (qsizetype(m_lineEnds.size()) != m_document->blockCount()) return false;
        auto run = runs.begin();
        int runLeft = run->length;
        // Takes the next n characters' formats into the line (the line break's are left out).
        auto take = [&](int n, bool keep) {
            while (n > 0) {
                if (runLeft == 0) runLeft = (++run)->length;
                const int k = std::min(n, runLeft);
                if (keep) {
                    if (!m_line.empty() && m_line.back().formatIndex == run->formatIndex)
                        m_line.back().length += k;
                    else
                        m_line.push_back({k, run->formatIndex});
                }
                runLeft -= k;
                n -= k;
            }
        };
        int pos = 0;
        for (const int end : m_lineEnds) {
            m_line.clear();
            take(end - pos, true);
            if (end > pos) paintLine(pos, colourFor(QString::fromRawData(raw.constData() + pos, end - pos)));
            take(1, false);
            pos = end + 1;
        }
        return true;
    }

    // Sets what was painted. The lines are read before any is set, each once: what is set is
    // gathered and set in one go.
    void flush()
    {
        closeRun();
        setCharacterFormats(m_document, m_changes, m_keepTextObjects);
        m_changes.clear();
    }

    // The colour a line of this text takes, worked out once for every text met again.
    QRgb classified(const QString &text, const Lexicon &lex)
    {
        auto it = m_classified.constFind(text);
        // The text may borrow another string's characters: the key kept owns its own.
        if (it == m_classified.constEnd())
            it = m_classified.insert(QString(text.constData(), text.size()),
                                     classifyFull(normalizeLine(text), lex));
        return *it;
    }

private:
    // The line starting at pos, whose formats are in m_line.
    bool paintLine(int pos, QRgb colour)
    {
        bool uniform = true;
        for (const FormatRun &r : m_line)
            if (colourOf(r.formatIndex) != colour) uniform = false;
        if (uniform) return false;
        if (m_line.size() == 1) {
            paintRange(pos, pos + m_line.front().length, painted(m_line.front().formatIndex, colour));
            return true;
        }
        // Each part keeps the rest of its format: the colour is merged into it, as into the
        // parts already of that colour, so that the whole line holds the colour as its own.
        closeRun();
        for (const FormatRun &r : m_line) {
            m_changes.push_back({pos, r.length, painted(r.formatIndex, colour)});
            pos += r.length;
        }
        return true;
    }

    // Lines next to each other that end in the same format are set in one go, the line
    // breaks between them with them: a break takes the colour of the line it ends, as
    // one typed there does.
    void closeRun()
    {
        if (m_runEnd < 0) return;
        m_changes.push_back({m_runStart, m_runEnd - m_runStart, m_runFormat});
        m_runEnd = -1;
    }

    void paintRange(int from, int to, const QTextCharFormat *format)
    {
        if (m_runEnd >= 0 && m_runEnd + 1 == from && m_runFormat == format) {
            m_runEnd = to;
            return;
        }
        closeRun();
        m_runStart = from;
        m_runEnd = to;
        m_runFormat = format;
    }

    QTextCharFormat charFormat(int index)
    {
        // Painting adds formats as it goes: a format newer than the list read is read again.
        if (index >= m_formats.size()) m_formats = m_document->allFormats();
        return index >= 0 && index < m_formats.size() ? m_formats.at(index).toCharFormat()
                                                      : QTextCharFormat();
    }

    QRgb colourOf(int index)
    {
        if (index < 0) return ::colourOf(QTextCharFormat());
        if (size_t(index) >= m_colours.size()) m_colours.resize(index + 1, -1);
        if (m_colours[index] < 0) m_colours[index] = ::colourOf(charFormat(index));
        return QRgb(m_colours[index]);
    }

    // One format object for each format and colour, so runs compare by address.
    const QTextCharFormat *painted(int index, QRgb colour)
    {
        const size_t slot = size_t(index) + 1;   // no format (-1) takes the first
        if (slot >= m_painted.size()) m_painted.resize(slot + 1);
        for (const auto &[c, format] : m_painted[slot])
            if (c == colour) return format.get();
        m_painted[slot].emplace_back(
            colour, std::make_unique<QTextCharFormat>(withColour(charFormat(index), colour)));
        return m_painted[slot].back().second.get();
    }

    QTextDocument *m_document;
    QTextCursor m_cursor;
    bool m_keepTextObjects;
    std::vector<FormatRun> m_line;   // the formats of the line being painted, in order
    QList<QTextFormat> m_formats;   // the document's formats, by index
    std::vector<qint64> m_colours;   // by format index; -1 not yet known
    // by format index + 1 (no format first): the formats made from it, one for each colour
    std::vector<std::vector<std::pair<QRgb, std::unique_ptr<QTextCharFormat>>>> m_painted;
    std::vector<int> m_lineEnds;
    std::vector<FormatChange> m_changes;   // painted and not yet set, in order
    QHash<QString, QRgb> m_classified;
    int m_runStart = 0;
    int m_runEnd = -1;   // none waiting
    const QTextCharFormat *m_runFormat = nullptr;
};
