// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/Worksheet.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "world/FieldVectors.h"
#include "world/FieldPicture.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

QString text(const char *key, Language lang) { return uiText(key, lang).value_or(QString()); }

// The fonts the package depends on, which hold Cyrillic and Romanian letters.
QFont sheetFont(bool mono, double points, bool bold = false)
{
    QFont f(mono ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    f.setStyleHint(mono ? QFont::Monospace : QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Sizes in device pixels, worked out once per device.
struct Metrics {
    explicit Metrics(QPagedPaintDevice &device)
          : titleFont(sheetFont(false, 12, true)), headerFont(sheetFont(false, 9.5)),
            codeFont(sheetFont(true, 9.5)), title(titleFont, &device), header(headerFont, &device),
            code(codeFont, &device)
    {
        mm = device.logicalDpiY() / 25.4;
        width = device.width();
        height = device.height();
        gutter = code.horizontalAdvance(QStringLiteral("00000")) + 2 * mm;
        codeWidth = std::max(width - gutter, code.horizontalAdvance(QLatin1Char('M')) * 8);
        lineHeight = code.lineSpacing();
        footerHeight = header.lineSpacing() + 3 * mm;
    }
    double headerHeight(const Worksheet &sheet) const
    {
        int lines = 0;
        if (!sheet.pupil.isEmpty()) ++lines;
        if (!sheet.task.isEmpty()) ++lines;
        return title.lineSpacing() + lines * header.lineSpacing() + 5 * mm;
    }

    QFont titleFont, headerFont, codeFont;
    QFontMetricsF title, header, code;
    double mm = 1, width = 0, height = 0, gutter = 0, codeWidth = 0, lineHeight = 1, footerHeight = 0;
};

// A line's rows: broken after the last space that lets a row fit, or anywhere in a word
// longer than a row. An empty line is one empty row.
QStringList wrap(const QString &line, const QFontMetricsF &fm, double width)
{
    QStringList rows;
    int start = 0;
    while (start < line.size()) {
        double used = 0;
        int end = start, lastSpace = -1;
        while (end < line.size()) {
            const double w = fm.horizontalAdvance(line.at(end));
            if (end > start && used + w > width) break;
            used += w;
            if (line.at(end) == QLatin1Char(' ')) lastSpace = end;
            ++end;
        }
        if (end < line.size() && lastSpace > start) end = lastSpace + 1;
        rows << line.mid(start, end - start);
        start = end;
    }
    if (rows.isEmpty()) rows << QString();
    return rows;
}

QString fileTitle(const Worksheet &sheet)
{
    return sheet.file.isEmpty() ? text("worksheet.unnamed", sheet.lang) : sheet.file;
}

QString dateText(const Worksheet &sheet)
{
    const LanguageInfo *info = languageInfo(sheet.lang);
    const QLocale locale(info ? info->locale : QStringLiteral("en_GB"));
    return locale.toString(sheet.date, QLocale::ShortFormat);
}

void paintHeader(QPainter &p, const Metrics &m, const Worksheet &sheet)
{
    double y = 0;
    p.setPen(Qt::black);
    p.setFont(m.titleFont);
    const QString date = dateText(sheet);
    const double dateWidth = m.title.horizontalAdvance(date);
    p.drawText(QPointF(m.width - dateWidth, m.title.ascent()), date);
    p.drawText(QPointF(0, m.title.ascent()),
               m.title.elidedText(text("worksheet.program", sheet.lang).arg(fileTitle(sheet)),
                                  Qt::ElideMiddle, m.width - dateWidth - 4 * m.mm));
    y += m.title.lineSpacing();
    p.setFont(m.headerFont);
    auto line = [&](const char *key, const QString &value) {
        if (value.isEmpty()) return;
        p.drawText(QPointF(0, y + m.header.ascent()),
                   m.header.elidedText(text(key, sheet.lang).arg(value), Qt::ElideRight, m.width));
        y += m.header.lineSpacing();
    };
    line("worksheet.pupil", sheet.pupil);
    line("worksheet.task", sheet.task);
    y += 2 * m.mm;
    p.setPen(QPen(Qt::black, 0.3 * m.mm));
    p.drawLine(QPointF(0, y), QPointF(m.width, y));
}

void paintFooter(QPainter &p, const Metrics &m, const Worksheet &sheet, int page, int pages)
{
    p.setPen(Qt::black);
    p.setFont(m.headerFont);
    const QString s = text("worksheet.page", sheet.lang).arg(page).arg(pages);
    p.drawText(QPointF((m.width - m.header.horizontalAdvance(s)) / 2, m.height - m.header.descent()), s);
}

// One printed row in the line's own colours, run by run.
void paintRow(QPainter &p, const Metrics &m, const QString &row, const QList<QRgb> &colours, int from,
              double y)
{
    double x = m.gutter;
    int i = 0;
    while (i < row.size()) {
        const QRgb colour = from + i < colours.size() ? colours.at(from + i) : 0;
        int j = i + 1;
        while (j < row.size() && (from + j < colours.size() ? colours.at(from + j) : 0) == colour) ++j;
        const QString piece = row.mid(i, j - i);
        p.setPen(QColor::fromRgb(colour));
        p.drawText(QPointF(x, y + m.code.ascent()), piece);
        x += m.code.horizontalAdvance(piece);
        i = j;
    }
}

QSizeF fieldSize(const Metrics &m)
{
    // As wide as the page allows, but no wider than 14 cm and no taller than a page's body.
    constexpr double ratio = double(FieldPicture::Height) / FieldPicture::Width;
    double w = std::min(m.width, 140 * m.mm);
    const double room = m.height * 0.98;
    if (w * ratio > room) w = room / ratio;
    return QSizeF(w, w * ratio);
}

}   // namespace

WorksheetLayout layOutWorksheet(QPagedPaintDevice &device, const Worksheet &sheet)
{
    const Metrics m(device);
    WorksheetLayout layout;
    const double top = m.headerHeight(sheet), bottom = m.height - m.footerHeight;
    const int rowsPerPage = std::max(1, int((bottom - top) / m.lineHeight));

    layout.pages.append(WorksheetLayout::Page {});
    int used = 0;   // rows on the current page
    for (int i = 0; i < sheet.program.size(); ++i) {
        const QStringList rows = wrap(sheet.program.at(i).text, m.code, m.codeWidth);
        layout.rows.append(rows);
        // A line goes to the next page whole; only a line longer than a page is cut.
        if (used > 0 && used + rows.size() > rowsPerPage) {
            layout.pages.append(WorksheetLayout::Page {});
            used = 0;
        }
        for (int first = 0; first < rows.size();) {
            if (used == rowsPerPage) {
                layout.pages.append(WorksheetLayout::Page {});
                used = 0;
            }
            const int end = std::min<int>(rows.size(), first + rowsPerPage - used);
            layout.pages.last().pieces.append({i, first, end});
            used += end - first;
            first = end;
        }
    }

    if (sheet.field) {
        const double gap = 6 * m.mm;
        const double below = top + used * m.lineHeight + (used > 0 ? gap : 0);
        if (below + fieldSize(m).height() > bottom && used > 0) {
            layout.pages.append(WorksheetLayout::Page {});
            layout.pages.last().fieldTop = top;
        } else {
            layout.pages.last().fieldTop = below;
        }
        // A page too short for the field still shows it, scaled down to the room there is.
        layout.pages.last().field = true;
    }
    return layout;
}

bool paintWorksheet(QPagedPaintDevice &device, const Worksheet &sheet)
{
    const WorksheetLayout layout = layOutWorksheet(device, sheet);
    const Metrics m(device);
    QPainter p;
    if (!p.begin(&device)) return false;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const double top = m.headerHeight(sheet), bottom = m.height - m.footerHeight;
    const int pages = int(layout.pages.size());
    for (int k = 0; k < pages; ++k) {
        if (k > 0 && !device.newPage()) return false;
        const WorksheetLayout::Page &page = layout.pages.at(k);
        paintHeader(p, m, sheet);
        double y = top;
        for (const WorksheetLayout::Piece &piece : page.pieces) {
            const QList<QRgb> colours = characterColours(sheet.program.at(piece.line));
            const QStringList &rows = layout.rows.at(piece.line);
            int from = 0;
            for (int r = 0; r < piece.firstRow; ++r) from += int(rows.at(r).size());
            for (int r = piece.firstRow; r < piece.endRow; ++r) {
                if (r == 0) {
                    p.setPen(QColor(0x60, 0x60, 0x60));
                    p.setFont(m.codeFont);
                    const QString number = QString::number(piece.line + 1);
                    p.drawText(
                        QPointF(m.gutter - 2 * m.mm - m.code.horizontalAdvance(number), y + m.code.ascent()),
                        number);
                }
                p.setFont(m.codeFont);
                paintRow(p, m, rows.at(r), colours, from, y);
                from += int(rows.at(r).size());
                y += m.lineHeight;
            }
        }
        if (page.field) {
            QSizeF size = fieldSize(m);
            const double room = bottom - page.fieldTop;
            if (size.height() > room) size *= std::max(0.1, room / size.height());
            const QRectF target(QPointF((m.width - size.width()) / 2, page.fieldTop), size);
            sheet.field->paint(p, target);
        }
        paintFooter(p, m, sheet, k + 1, pages);
    }
    return p.end();
}

bool writeWorksheetPdf(const QString &path, const Worksheet &sheet, QPageSize::PageSizeId size,
                       QString *error, WriteOptions options)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                                         QPageLayout::Millimeter));
        writer.setTitle(fileTitle(sheet));
        writer.setCreator(QStringLiteral("Trakmil"));
        if (!paintWorksheet(writer, sheet)) {
            if (error) *error = text("worksheet.cannotPaint", sheet.lang);
            return false;
        }
    }
    FileError failure;
    if (!writeFileSafely(path, buffer.data(), &failure, options)) {
        if (error) *error = fileErrorReason(failure, sheet.lang);
        return false;
    }
    return true;
}
