// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocumentConvert.h"
#include "documents/LineBreaks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <optional>

StyledText styledFromDocument(const QTextDocument &document)
{
    StyledText out;
    out.reserve(document.blockCount());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        StyledLine line;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            const QString text = fragment.text();
            if (text.isEmpty()) continue;
            const QBrush brush = fragment.charFormat().foreground();
            const QRgb colour = brush.style() == Qt::NoBrush ? 0 : (brush.color().rgb() & 0xFFFFFF);
            line.text += text;
            if (!line.runs.isEmpty() && line.runs.last().colour == colour)
                line.runs.last().length += int(text.size());
            else
                line.runs.append(ColourRun {int(text.size()), colour});
        }
        out.append(std::move(line));
    }
    return out;
}

namespace {

bool unsafeInBlock(QChar c) { return isLineBreak(c) || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1; }

// The line's own string when nothing in it needs replacing: no copy.
QString blockSafe(const QString &line, qsizetype pos, qsizetype length)
{
    const QStringView part = QStringView(line).mid(pos, length);
    if (std::none_of(part.begin(), part.end(), unsafeInBlock))
        return pos == 0 && length == line.size() ? line : part.toString();
    QString s = part.toString();
    for (QChar &c : s) {
        if (unsafeInBlock(c)) c = u' ';
    }
    return s;
}

}   // namespace

DocumentFill::DocumentFill(QTextDocument &document, const StyledText &text, const QTextCharFormat &baseFormat)
      : m_cursor(&document), m_text(text), m_base(baseFormat)
{
    m_cursor.beginEditBlock();
    m_cursor.select(QTextCursor::Document);
    m_cursor.removeSelectedText();
    m_cursor.setBlockCharFormat(baseFormat);
    m_cursor.setCharFormat(baseFormat);
    m_blockFormat = m_cursor.blockFormat();
}

DocumentFill::~DocumentFill()
{
    if (m_open) m_cursor.endEditBlock();
}

const QTextCharFormat &DocumentFill::formatFor(QRgb colour)
{
    colour &= 0xFFFFFF;
    // A format used again keeps its hash, so the document finds it without building one.
    if (m_lastFormat && m_lastColour == colour) return *m_lastFormat;
    auto it = m_formats.find(colour);
    if (it == m_formats.end()) {
        QTextCharFormat f = m_base;
        f.setForeground(QColor::fromRgb(colour));
        it = m_formats.insert(colour, f);
    }
    m_lastColour = colour;
    m_lastFormat = &it.value();
    return *m_lastFormat;
}

namespace {

// The one colour of a line that is not empty and has one colour throughout.
std::optional<QRgb> uniformColour(const StyledLine &line)
{
    const qsizetype size = line.text.size();
    if (size == 0) return std::nullopt;
    std::optional<QRgb> colour;
    qsizetype pos = 0;
    for (const ColourRun &run : line.runs) {
        const qsizetype length = std::min<qsizetype>(run.length, size - pos);
        if (length <= 0) continue;
        if (colour && *colour != (run.colour & 0xFFFFFF)) return std::nullopt;
        colour = run.colour & 0xFFFFFF;
        pos += length;
    }
    if (pos < size) {
        if (colour && *colour != 0) return std::nullopt;
        colour = 0;
    }
    return colour;
}

}   // namespace

bool DocumentFill::fill(qsizetype lines)
{
    const qsizetype end = std::min(m_text.size(), m_next + std::max<qsizetype>(lines, 1));
    auto colourAt = [&](qsizetype k) { return k < end ? uniformColour(m_text.at(k)) : std::nullopt; };
    std::optional<QRgb> colour = colourAt(m_next);
    while (m_next < end) {
        const StyledLine &line = m_text.at(m_next);
        if (m_next > 0) m_cursor.insertBlock(m_blockFormat, m_base);
        // Following lines of the same one colour go in with one insertion, as a plain text
        // would: the toolkit's per-call work is the larger part of a short line's cost. The
        // breaks between them are never where the caret takes its format from (that is the
        // character before it, and none of these lines is empty), so only the breaks before
        // the other lines keep the base format.
        if (colour) {
            qsizetype last = m_next + 1;
            qsizetype length = line.text.size();
            std::optional<QRgb> following = colourAt(last);
            while (following == colour) {
                length += 1 + m_text.at(last++).text.size();
                following = colourAt(last);
            }
            if (last == m_next + 1) {
                m_cursor.insertText(blockSafe(line.text, 0, line.text.size()), formatFor(*colour));
            } else {
                QString joined;
                joined.reserve(length);
                for (qsizetype k = m_next; k < last; ++k) {
                    if (k > m_next) joined += QChar::ParagraphSeparator;
                    joined += blockSafe(m_text.at(k).text, 0, m_text.at(k).text.size());
                }
                m_cursor.insertText(joined, formatFor(*colour));
            }
            m_next = last;
            colour = following;
            continue;
        }
        qsizetype pos = 0;
        auto insertSpan = [&](qsizetype length, QRgb runColour) {
            length = std::min(length, line.text.size() - pos);
            if (length <= 0) return;
            m_cursor.insertText(blockSafe(line.text, pos, length), formatFor(runColour));
            pos += length;
        };
        for (const ColourRun &run : line.runs) insertSpan(run.length, run.colour);
        insertSpan(line.text.size() - pos, 0);
        colour = colourAt(++m_next);
    }
    if (m_next < m_text.size()) return false;
    if (m_open) m_cursor.endEditBlock();
    m_open = false;
    return true;
}

void setDocumentFromStyled(QTextDocument &document, const StyledText &text, const QTextCharFormat &baseFormat)
{
    DocumentFill(document, text, baseFormat).fill(text.size());
}
