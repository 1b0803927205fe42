// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ColouredClipboard.h"
#include "documents/LineBreaks.h"
#include "documents/ProgramFile.h"
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

// Rich text in the format the program's files use, for word processors that read no HTML.
const QString kRtfMime = QStringLiteral("text/rtf");

// Flattens foreign or own rich text into coloured runs of plain lines: no tables,
// images, fonts or inner line separators, so that one block stays one program line.
QList<InsertPiece> runsFromHtml(const QString &html)
{
    QTextDocument tmp;
    tmp.setHtml(html);
    QList<InsertPiece> runs;
    for (QTextBlock b = tmp.begin(); b.isValid(); b = b.next()) {
        if (b != tmp.begin()) runs.append({QStringLiteral("\n"), std::nullopt});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            QString t = f.text();
            t.remove(QChar::ObjectReplacementCharacter);
            t = unifyLineBreaks(t);
            t.replace(QChar::Nbsp, QLatin1Char(' '));
            if (t.isEmpty()) continue;
            const QTextCharFormat cf = f.charFormat();
            std::optional<QRgb> c;
            if (cf.hasProperty(QTextFormat::ForegroundBrush)) c = colourOf(cf);
            runs.append({t, c});
        }
    }
    return runs;
}

QList<InsertPiece> runsFromStyled(const StyledText &text)
{
    QList<InsertPiece> runs;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0) runs.append({QStringLiteral("\n"), std::nullopt});
        const StyledLine &line = text.at(i);
        qsizetype pos = 0;
        for (const ColourRun &r : line.runs) {
            const qsizetype n = std::min<qsizetype>(r.length, line.text.size() - pos);
            if (n <= 0) continue;
            runs.append({line.text.mid(pos, n), r.colour & 0xFFFFFF});
            pos += n;
        }
        if (pos < line.text.size()) runs.append({line.text.mid(pos), LineColour::Black});
    }
    return runs;
}

// The selected characters line by line, each run with the colour it has, if any.
QList<QList<InsertPiece>> selectedLines(const QTextDocument &d, int from, int to)
{
    QList<QList<InsertPiece>> lines;
    for (QTextBlock b = d.findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        QList<InsertPiece> &line = lines.emplaceBack();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            const int start = std::max(from, f.position());
            const int end = std::min(to, f.position() + f.length());
            if (start >= end) continue;
            const QTextCharFormat cf = f.charFormat();
            std::optional<QRgb> c;
            if (cf.hasProperty(QTextFormat::ForegroundBrush)) c = colourOf(cf);
            line.append({f.text().mid(start - f.position(), end - start), c});
        }
    }
    return lines;
}

// One block kept whole by <br> and white-space:pre, so that empty lines and runs of
// spaces survive any reader, ours included.
QString htmlFromLines(const QList<QList<InsertPiece>> &lines)
{
    QString h = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                               "<div style=\"white-space:pre; font-family:'Times New Roman'\">");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) h += QLatin1String("<br>");
        for (const InsertPiece &r : lines.at(i)) {
            if (r.colour)
                h += QStringLiteral("<span style=\"color:#%1\">%2</span>")
                         .arg(*r.colour, 6, 16, QLatin1Char('0'))
                         .arg(r.text.toHtmlEscaped());
            else
                h += r.text.toHtmlEscaped();
        }
    }
    h += QLatin1String("</div></body></html>");
    return h;
}

StyledText styledFromLines(const QList<QList<InsertPiece>> &lines)
{
    StyledText out;
    for (const QList<InsertPiece> &runs : lines) {
        StyledLine &line = out.emplaceBack();
        for (const InsertPiece &r : runs) {
            line.text += r.text;
            line.runs.append({int(r.text.size()), r.colour.value_or(LineColour::Black)});
        }
    }
    return out;
}

}   // namespace

bool canPasteFrom(const QMimeData *source)
{
    return source && (source->hasText() || source->hasHtml() || source->hasFormat(kRtfMime));
}

QMimeData *copyOfSelection(const QTextCursor &selection)
{
    auto *md = new QMimeData;
    if (!selection.hasSelection()) return md;
    const QList<QList<InsertPiece>> lines =
        selectedLines(*selection.document(), selection.selectionStart(), selection.selectionEnd());
    QStringList plain;
    for (const QList<InsertPiece> &runs : lines) {
        QString &s = plain.emplaceBack();
        for (const InsertPiece &r : runs) s += r.text;
    }
    md->setText(plain.join(QLatin1Char('\n')));
    md->setHtml(htmlFromLines(lines));
    md->setData(kRtfMime, writeRtf(styledFromLines(lines)));
    return md;
}

std::optional<QList<InsertPiece>> pastedPieces(const QMimeData *source)
{
    if (!source) return std::nullopt;
    std::optional<StyledText> rtf;
    if (source->hasHtml()) return runsFromHtml(source->html());
    if (source->hasFormat(kRtfMime) && (rtf = readRtf(source->data(kRtfMime)))) return runsFromStyled(*rtf);
    if (source->hasText()) return QList<InsertPiece> {{unifyLineBreaks(source->text()), std::nullopt}};
    return std::nullopt;
}

void insertPasted(QTextCursor &c, const QList<InsertPiece> &pieces)
{
    const QTextCharFormat atCaret = c.charFormat();
    for (const InsertPiece &r : pieces) {
        QTextCharFormat f;   // colour only: fonts and styles from elsewhere stay out
        if (r.colour)
            f.setForeground(QColor::fromRgb(*r.colour));
        else if (atCaret.hasProperty(QTextFormat::ForegroundBrush))
            f.setForeground(atCaret.foreground());
        c.insertText(r.text, f);
    }
}
