// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldSvg.h"
#include "world/FieldPicture.h"
#include "world/FieldVectors.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QXmlStreamWriter>
#include <numeric>

namespace {

QString number(double v) { return QString::number(v, 'g', 10); }

QString colourName(QRgb c) { return QStringLiteral("#%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0')); }

}   // namespace

QByteArray fieldSvg(const FieldVectors &field)
{
    QByteArray data;
    QXmlStreamWriter w(&data);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("svg"));
    w.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    w.writeAttribute(QStringLiteral("width"), QString::number(FieldPicture::Width));
    w.writeAttribute(QStringLiteral("height"), QString::number(FieldPicture::Height));
    w.writeAttribute(QStringLiteral("viewBox"),
                     QStringLiteral("0 0 %1 %2").arg(FieldPicture::Width).arg(FieldPicture::Height));

    // The see-through white is written white, as in the raster files.
    w.writeEmptyElement(QStringLiteral("rect"));
    w.writeAttribute(QStringLiteral("width"), QString::number(FieldPicture::Width));
    w.writeAttribute(QStringLiteral("height"), QString::number(FieldPicture::Height));
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ffffff"));

    // A picture never cleared is all white.
    if (!field.isCleared()) {
        w.writeEndElement();
        w.writeEndDocument();
        return data;
    }
    // A one-pixel outline drawn along the middle of its pixels covers exactly them.
    QString outline;
    for (const QRect &r : FieldPicture::outlines(field.fieldWidth(), field.fieldHeight())) {
        if (!outline.isEmpty()) outline += QLatin1Char(' ');
        outline += QStringLiteral("M%1,%2h%3v%4h-%3z")
                       .arg(number(r.left() + 0.5), number(r.top() + 0.5), QString::number(r.width() - 1),
                            QString::number(r.height() - 1));
    }
    w.writeEmptyElement(QStringLiteral("path"));
    w.writeAttribute(QStringLiteral("d"), outline);
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    w.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#000000"));
    w.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("shape-rendering"), QStringLiteral("crispEdges"));

    // The family the picture's font resolves to here, so a renderer on this machine picks
    // the same letters; the picture puts a number's text box, not its baseline, in place.
    const QFont font = FieldPicture::numberFont();
    const QFontMetrics fm(font);
    w.writeStartElement(QStringLiteral("g"));
    w.writeAttribute(
        QStringLiteral("font-family"),
        QStringLiteral("'%1', sans-serif").arg(QFontInfo(font).family().remove(QLatin1Char('\''))));
    w.writeAttribute(QStringLiteral("font-size"), QString::number(font.pixelSize()));
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("#000000"));
    w.writeAttribute(QStringLiteral("text-rendering"), QStringLiteral("optimizeSpeed"));
    for (const FieldPicture::NodeNumber &n :
         FieldPicture::nodeNumbers(field.fieldWidth(), field.fieldHeight())) {
        w.writeStartElement(QStringLiteral("text"));
        w.writeAttribute(QStringLiteral("x"), QString::number(n.topLeft.x()));
        w.writeAttribute(QStringLiteral("y"), QString::number(n.topLeft.y() + fm.ascent()));
        w.writeCharacters(n.text);
        w.writeEndElement();
    }
    w.writeEndElement();

    // The picture aims each stroke at the middle of its node pixels.
    w.writeStartElement(QStringLiteral("g"));
    w.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    w.writeAttribute(QStringLiteral("stroke-linecap"), QStringLiteral("round"));
    w.writeAttribute(QStringLiteral("stroke-linejoin"), QStringLiteral("round"));
    w.writeAttribute(QStringLiteral("shape-rendering"), QStringLiteral("crispEdges"));
    for (const FieldVectors::Segment &s : field.segments()) {
        const QPoint a = FieldPicture::nodePixel(s.x0, s.y0), b = FieldPicture::nodePixel(s.x1, s.y1);
        w.writeEmptyElement(QStringLiteral("line"));
        w.writeAttribute(QStringLiteral("x1"), number(a.x() + 0.5));
        w.writeAttribute(QStringLiteral("y1"), number(a.y() + 0.5));
        w.writeAttribute(QStringLiteral("x2"), number(b.x() + 0.5));
        w.writeAttribute(QStringLiteral("y2"), number(b.y() + 0.5));
        w.writeAttribute(QStringLiteral("stroke"), colourName(s.colour));
        w.writeAttribute(QStringLiteral("stroke-width"), QString::number(s.width));
    }
    w.writeEndElement();

    // The sprite is a picture of shaded, smoothed pixels: drawn as squares of their colours
    // it looks as on screen, and stays crisp however large it is shown.
    if (field.robotVisible()) {
        const QPoint corner = FieldVectors::spriteCorner(field.robotNode());
        w.writeStartElement(QStringLiteral("g"));
        w.writeAttribute(QStringLiteral("id"), QStringLiteral("robot"));
        w.writeAttribute(QStringLiteral("transform"),
                         QStringLiteral("translate(%1,%2)").arg(corner.x()).arg(corner.y()));
        w.writeAttribute(QStringLiteral("shape-rendering"), QStringLiteral("crispEdges"));
        for (const FieldVectors::SpriteArea &area : FieldVectors::spriteAreas(field.robotHeading())) {
            const QString d = std::accumulate(
                area.rows.cbegin(), area.rows.cend(), QString(), [](QString path, const QRect &r) {
                    return path + QStringLiteral("M%1,%2h%3v1h-%3z").arg(r.x()).arg(r.y()).arg(r.width());
                });
            w.writeEmptyElement(QStringLiteral("path"));
            w.writeAttribute(QStringLiteral("d"), d);
            w.writeAttribute(QStringLiteral("fill"), colourName(area.colour));
            if (qAlpha(area.colour) < 255)
                w.writeAttribute(QStringLiteral("fill-opacity"), number(qAlpha(area.colour) / 255.0));
        }
        w.writeEndElement();
    }

    w.writeEndElement();
    w.writeEndDocument();
    return data;
}
