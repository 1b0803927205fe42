// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/TraceRecorder.h"
#include "world/FieldPicture.h"
#include "base/TextCatalogue.h"

#include <QFont>
#include <QMutex>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

TraceSegment TraceSegment::between(int ax, int ay, int bx, int by)
{
    if (ax < bx || (ax == bx && ay <= by)) return TraceSegment {ax, ay, bx, by};
    return TraceSegment {bx, by, ax, ay};
}

void TraceRecorder::drawSegment(int x0, int y0, int x1, int y1)
{
    const TraceSegment s = TraceSegment::between(x0, y0, x1, y1);
    if (m_pen == 0xFFFFFFu)
        m_segments.erase(s.key());
    else
        m_segments[s.key()] = Drawn {s, m_pen};
}

QList<TraceRecorder::Drawn> TraceRecorder::segments() const
{
    QList<Drawn> r;
    r.reserve(qsizetype(m_segments.size()));
    for (const auto &[key, drawn] : m_segments) r.append(drawn);
    return r;
}

qint64 TraceRecorder::colourAt(const TraceSegment &s) const
{
    const auto it = m_segments.find(s.key());
    return it == m_segments.end() ? -1 : qint64(it->second.colour);
}

TraceComparison compareTraces(const TraceRecorder &model, QPoint modelEnd, const TraceRecorder &pupil,
                              QPoint pupilEnd)
{
    TraceComparison c;
    c.modelEnd = modelEnd;
    c.pupilEnd = pupilEnd;
    for (const TraceRecorder::Drawn &d : model.segments()) {
        const qint64 other = pupil.colourAt(d.segment);
        if (other < 0)
            c.missing.append(d);
        else if (QRgb(other) != d.colour)
            c.colourDiffers.append(TraceRecorder::Drawn {d.segment, QRgb(other)});
    }
    for (const TraceRecorder::Drawn &d : pupil.segments())
        if (model.colourAt(d.segment) < 0) c.extra.append(d);
    return c;
}

namespace {

constexpr int kLegendHeight = 46;

QPointF nodeCentre(int x, int y) { return QPointF(FieldPicture::nodePixel(x, y)) + QPointF(0.5, 0.5); }

QPen pen(const QColor &colour, int width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void drawLine(QPainter &p, QPointF a, QPointF b, const QColor &colour, int width)
{
    p.setPen(pen(colour, width));
    p.drawLine(a, b);
}

// A difference is told by its shape, never by a colour, since a trace may have any of the
// sixteen: a black rim with a white gap round the segment's own colour.
void drawOutlined(QPainter &p, QPointF a, QPointF b, const QColor &colour)
{
    drawLine(p, a, b, Qt::black, 9);
    drawLine(p, a, b, Qt::white, 5);
    drawLine(p, a, b, colour, 3);
}

// Missing: the model's colour in outlined dashes, the field showing between them.
void drawDashed(QPainter &p, QPointF a, QPointF b, const QColor &colour)
{
    constexpr double dash = 5, gap = 4;
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0) return;
    for (double t = 0; t < length; t += dash + gap) {
        const QPointF from = a + d * (t / length), to = a + d * (std::min(t + dash, length) / length);
        drawOutlined(p, from, to, colour);
    }
}

// Another colour: the pupil's colour outlined, and the model's in a disc at the middle.
void drawRecoloured(QPainter &p, QPointF a, QPointF b, const QColor &pupil, const QColor &model)
{
    drawOutlined(p, a, b, pupil);
    p.setPen(pen(Qt::black, 1));
    p.setBrush(model);
    p.drawEllipse((a + b) / 2, 4.0, 4.0);
    p.setBrush(Qt::NoBrush);
}

void drawRing(QPainter &p, QPointF at, const QColor &colour)
{
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, 7.0, 7.0);
}

void drawCross(QPainter &p, QPointF at, const QColor &colour)
{
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at + QPointF(-5, -5), at + QPointF(5, 5));
    p.drawLine(at + QPointF(-5, 5), at + QPointF(5, -5));
}

QPointF endOf(const TraceSegment &s, bool second)
{
    return second ? nodeCentre(s.x1, s.y1) : nodeCentre(s.x0, s.y0);
}

// A class is graded on one field size: the empty field is drawn once for all its pictures,
// whichever thread draws them (a class's threads come and go a batch at a time).
QImage emptyField(int fieldWidth, int fieldHeight)
{
    static QMutex mutex;
    static QImage image;
    static QSize size;
    const QMutexLocker lock(&mutex);
    if (image.isNull() || size != QSize(fieldWidth, fieldHeight)) {
        FieldPicture field;
        field.drawEmptyField(fieldWidth, fieldHeight);
        image = field.image().convertToFormat(QImage::Format_RGB32);
        size = QSize(fieldWidth, fieldHeight);
    }
    return image;
}

QString legendText(const char *key, Language lang)
{
    return uiText(QByteArray("world.") + key, lang).value_or(QString());
}

const QColor kEndRingColour(0x40, 0x40, 0x40);

// The marks of every difference; `rubOut` clears a missing segment's model line first, so
// its dashes have gaps where the model is drawn under them.
void drawDifferences(QPainter &p, const TraceRecorder &model, const TraceComparison &c, bool rubOut,
                     bool markModelEnd = true)
{
    for (const TraceRecorder::Drawn &d : c.colourDiffers)
        drawRecoloured(p, endOf(d.segment, false), endOf(d.segment, true), QColor::fromRgb(d.colour),
                       QColor::fromRgb(QRgb(model.colourAt(d.segment))));
    for (const TraceRecorder::Drawn &d : c.missing) {
        if (rubOut) drawLine(p, endOf(d.segment, false), endOf(d.segment, true), Qt::white, 3);
        drawDashed(p, endOf(d.segment, false), endOf(d.segment, true), QColor::fromRgb(d.colour));
    }
    for (const TraceRecorder::Drawn &d : c.extra)
        drawOutlined(p, endOf(d.segment, false), endOf(d.segment, true), QColor::fromRgb(d.colour));
    p.setRenderHint(QPainter::Antialiasing, true);
    if (markModelEnd) drawRing(p, nodeCentre(c.modelEnd.x(), c.modelEnd.y()), kEndRingColour);
    drawCross(p, nodeCentre(c.pupilEnd.x(), c.pupilEnd.y()), Qt::black);
}

QImage transparentField()
{
    QImage image(FieldPicture::Width, FieldPicture::Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The legend under a comparison picture, on the white the picture has there, drawn once for
// each Language; only its rows below the field are used.
const QImage &legendPicture(Language lang)
{
    static QMutex mutex;
    static std::map<Language, QImage> drawn;
    const QMutexLocker lock(&mutex);
    QImage &image = drawn[lang];
    if (!image.isNull()) return image;
    image = QImage(FieldPicture::Width, FieldPicture::Height + kLegendHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // The picture must explain itself to whoever opens it from a folder.
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    p.setFont(font);
    const int top = FieldPicture::Height + 2;
    const QColor keyColour(0x80, 0x80, 0x80);
    const QPointF y(0, top + 10);
    drawDashed(p, QPointF(10, 0) + y, QPointF(30, 0) + y, keyColour);
    drawOutlined(p, QPointF(124, 0) + y, QPointF(144, 0) + y, keyColour);
    drawRecoloured(p, QPointF(236, 0) + y, QPointF(256, 0) + y, keyColour, Qt::white);
    const char *const keys[] = {"diffMissing", "diffExtra", "diffColour"};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::black);
        p.drawText(QRect(36 + 113 * i, top + 2, 84, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   legendText(keys[i], lang));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    drawRing(p, QPointF(19, top + 30), kEndRingColour);
    p.setPen(Qt::black);
    p.drawText(QRect(34, top + 22, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
               legendText("diffModelEnd", lang));
    drawCross(p, QPointF(141, top + 30), Qt::black);
    p.setPen(Qt::black);
    p.drawText(QRect(156, top + 22, 190, 16), Qt::AlignLeft | Qt::AlignVCenter,
               legendText("diffPupilEnd", lang));
    p.end();
    return image;
}

}   // namespace

QImage goalGhostPicture(const QList<TraceRecorder::Drawn> &goal)
{
    QImage solid = transparentField();
    QPainter p(&solid);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const TraceRecorder::Drawn &d : goal) {
        p.setPen(QPen(QColor::fromRgb(d.colour), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(endOf(d.segment, false), endOf(d.segment, true));
    }
    p.end();
    // Faded as a whole, so the joints are no darker than the lines, and faint enough that
    // the pupil's own trace over it is never mistaken for it.
    QImage ghost = transparentField();
    QPainter fade(&ghost);
    fade.setOpacity(0.45);
    fade.drawImage(0, 0, solid);
    fade.end();
    return ghost;
}

QImage differenceMarksPicture(const TraceRecorder &goal, const TraceComparison &c, bool markGoalEnd)
{
    QImage image = transparentField();
    QPainter p(&image);
    drawDifferences(p, goal, c, false, markGoalEnd);
    p.end();
    return image;
}

QImage tracePicture(const TraceRecorder &trace, std::optional<QPoint> end, int fieldWidth, int fieldHeight)
{
    QImage image = emptyField(fieldWidth, fieldHeight);
    QPainter p(&image);
    for (const TraceRecorder::Drawn &d : trace.segments())
        drawLine(p, endOf(d.segment, false), endOf(d.segment, true), QColor::fromRgb(d.colour), 3);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (end) drawCross(p, nodeCentre(end->x(), end->y()), Qt::black);
    p.end();
    return image;
}

QImage comparisonPicture(const TraceRecorder &model, const TraceComparison &c, int fieldWidth,
                         int fieldHeight, Language lang)
{
    QImage image(FieldPicture::Width, FieldPicture::Height + kLegendHeight, QImage::Format_RGB32);
    // The field covers all of it above the legend.
    const QImage field = emptyField(fieldWidth, fieldHeight);
    const int rows = std::min(field.height(), image.height()),
              columns = std::min(field.width(), image.width());
    // The legend's rows are copied in below.
    for (int y = 0; y < FieldPicture::Height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int from = y < rows ? columns : 0;
        if (from > 0) std::memcpy(line, field.constScanLine(y), size_t(from) * sizeof(QRgb));
        std::fill(line + from, line + image.width(), QRgb(0xFFFFFFFF));
    }

    QPainter p(&image);
    // Without smoothing every mark keeps the exact colours it is drawn in.
    for (const TraceRecorder::Drawn &d : model.segments())
        drawLine(p, endOf(d.segment, false), endOf(d.segment, true), QColor::fromRgb(d.colour), 3);
    drawDifferences(p, model, c, true);
    p.end();
    // The legend's rows are the same in every picture: nothing else reaches below the field.
    const QImage &legend = legendPicture(lang);
    for (int y = FieldPicture::Height; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), legend.constScanLine(y), size_t(image.bytesPerLine()));
    return image;
}
