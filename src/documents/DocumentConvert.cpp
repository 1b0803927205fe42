// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocumentConvert.h"
#include "documents/LineBreaks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
            const QRgb color = brush.style() == Qt::NoBrush ? 0 : (brush.color().rgb() & 0xFFFFFF);
            line.text += text;
            if (!line.runs.isEmpty() && line.runs.last().color == color)
                line.runs.last().length += int(text.size());
            else
                line.runs.append(ColorRun {int(text.size()), color});
        }
        out.append(std::move(line));
    }
    return out;
}

namespace {

QString blockSafe(QStringView text)
{
    QString s = text.toString();
    for (QChar &c : s) {
        if (isLineBreak(c) || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1) c = u' ';
    }
    return s;
}

}   // namespace

void setDocumentFromStyled(QTextDocument &document, const StyledText &text, const QTextCharFormat &baseFormat)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockCharFormat(baseFormat);
    cursor.setCharFormat(baseFormat);
    QTextCharFormat format = baseFormat;
    const QTextBlockFormat blockFormat = cursor.blockFormat();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const StyledLine &line = text.at(i);
        if (i > 0) cursor.insertBlock(blockFormat, baseFormat);
        qsizetype pos = 0;
        auto insertSpan = [&](qsizetype length, QRgb color) {
            length = std::min(length, line.text.size() - pos);
            if (length <= 0) return;
            format.setForeground(QColor::fromRgb(color & 0xFFFFFF));
            cursor.insertText(blockSafe(QStringView(line.text).mid(pos, length)), format);
            pos += length;
        };
        for (const ColorRun &run : line.runs) insertSpan(run.length, run.color);
        insertSpan(line.text.size() - pos, 0);
    }
    cursor.endEditBlock();
}
