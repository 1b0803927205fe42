// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "lang/Highlight.h"
#include "editor/TextColour.h"
#include "lang/Lexicon.h"
#include "lang/Normalize.h"
#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <unordered_map>
#include <vector>

// Colours whole lines in one pass. A long pass meets the same few formats again and
// again: what each one's colour is, and what it becomes with a new colour merged in, is
// worked out once.
class LinePainter {
public:
    explicit LinePainter(QTextDocument *d) : m_cursor(d) { }
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
        m_fragments.clear();
        QString text;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            m_fragments.append(f);
            text += f.text();
        }
        return paintFragments(pos, len, colourFor(text));
    }

    // A walk over every line in order, that knows each line's place and text already
    // (from the document's raw text), reads only the line's formats.
    bool paint(const QTextBlock &b, int pos, QRgb colour)
    {
        const int len = b.length() - 1;
        if (len <= 0) return false;
        m_fragments.clear();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid()) m_fragments.append(f);
        }
        return paintFragments(pos, len, colour);
    }

    // Lines next to each other that end in the same format are set in one go, the line
    // breaks between them with them: a break takes the colour of the line it ends, as
    // one typed there does.
    void flush()
    {
        if (m_runEnd < 0) return;
        m_cursor.setPosition(m_runStart);
        m_cursor.setPosition(m_runEnd, QTextCursor::KeepAnchor);
        m_cursor.setCharFormat(*m_runFormat);
        m_runEnd = -1;
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
    bool paintFragments(int pos, int len, QRgb colour)
    {
        bool uniform = true;
        for (const QTextFragment &f : std::as_const(m_fragments))
            if (colourOf(f) != colour) uniform = false;
        if (uniform) return false;
        if (m_fragments.size() == 1) {
            // The same format as merging would give, without merging it fragment by fragment.
            paintRange(pos, pos + len, painted(m_fragments.front(), colour));
        } else {
            flush();
            m_cursor.setPosition(pos);
            m_cursor.setPosition(pos + len, QTextCursor::KeepAnchor);
            QTextCharFormat f;
            f.setForeground(QColor::fromRgb(colour));
            m_cursor.mergeCharFormat(f);
        }
        return true;
    }

    void paintRange(int from, int to, const QTextCharFormat *format)
    {
        if (m_runEnd >= 0 && m_runEnd + 1 == from && m_runFormat == format) {
            m_runEnd = to;
            return;
        }
        flush();
        m_runStart = from;
        m_runEnd = to;
        m_runFormat = format;
    }

    QRgb colourOf(const QTextFragment &f)
    {
        const int index = f.charFormatIndex();
        if (index < 0) return ::colourOf(f.charFormat());
        if (size_t(index) >= m_colours.size()) m_colours.resize(index + 1, -1);
        if (m_colours[index] < 0) m_colours[index] = ::colourOf(f.charFormat());
        return QRgb(m_colours[index]);
    }

    // One format object for each format and colour, so runs compare by address.
    const QTextCharFormat *painted(const QTextFragment &f, QRgb colour)
    {
        const quint64 key = (quint64(quint32(f.charFormatIndex())) << 32) | colour;
        auto it = m_painted.find(key);
        if (it == m_painted.end()) it = m_painted.emplace(key, withColour(f.charFormat(), colour)).first;
        return &it->second;
    }

    QTextCursor m_cursor;
    QList<QTextFragment> m_fragments;
    std::vector<qint64> m_colours;   // by format index; -1 not yet known
    std::unordered_map<quint64, QTextCharFormat> m_painted;   // its values never move
    QHash<QString, QRgb> m_classified;
    int m_runStart = 0;
    int m_runEnd = -1;   // none waiting
    const QTextCharFormat *m_runFormat = nullptr;
};
