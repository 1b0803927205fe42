// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPicture.h"
#include "base/TextCatalogue.h"
#include "world/FieldSvg.h"

#include <QDir>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QImageWriter>
#include <QPainter>
#include <QPen>
#include <QBuffer>
#include <QFileInfo>
#include "base/SafeFile.h"
#include <algorithm>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
// Learnt segments have their nodes from here on, in a byte each of their key.
constexpr int SegmentLo = -64;

}   // namespace

// The picture's default font: 8-point sans-serif at 96 dpi, drawn without smoothing so
// every text pixel is black or see-through white.
QFont FieldPicture::numberFont()
{
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    f.setStyleStrategy(QFont::NoAntialias);
    // Left to itself the toolkit drops hinting when the screen is scaled, which reshapes the
    // digits; the picture must not depend on the screen it was made on.
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

QList<QRect> FieldPicture::outlines(int fieldWidth, int fieldHeight)
{
    fieldWidth = std::clamp(fieldWidth, 0, int(RobotWorld::MaxX));
    fieldHeight = std::clamp(fieldHeight, 0, int(RobotWorld::MaxY));
    // Outlines follow the "right and bottom edge excluded" rule: an outline from (l, t)
    // to (r, b) covers pixels l..r-1 and t..b-1.
    auto box = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); };
    QList<QRect> r {box(1, 1, Width - 1, Height - 1)};
    for (int i = 1; i <= fieldWidth; ++i)
        for (int j = 1; j <= fieldHeight; ++j) r << box(20 * i, 20 * j, 20 * i + 19, 20 * j + 19);
    return r;
}

QList<FieldPicture::NodeNumber> FieldPicture::nodeNumbers(int fieldWidth, int fieldHeight)
{
    fieldWidth = std::clamp(fieldWidth, 0, int(RobotWorld::MaxX));
    fieldHeight = std::clamp(fieldHeight, 0, int(RobotWorld::MaxY));
    QList<NodeNumber> r;
    for (int k = 0; k <= fieldHeight; ++k) r << NodeNumber {QString::number(k), QPoint(3, 20 * k + 12)};
    for (int k = 0; k <= fieldWidth; ++k) r << NodeNumber {QString::number(k), QPoint(20 * k + 16, 3)};
    return r;
}

FieldPicture::FieldPicture() : m_image(Width, Height, QImage::Format_RGB32) { m_image.fill(White); }

void FieldPicture::changed(const QRect &r)
{
    if (m_changed) m_changed(r & m_image.rect());
}

void FieldPicture::drawEmptyField(int fieldWidth, int fieldHeight)
{
    m_vectors.drawEmptyField(fieldWidth, fieldHeight);

    m_image.fill(White);
    // Outlines never overlap, so on white each is just its border in black: written straight
    // into the rows, as a fill per box and per inside cost the painter more than the pixels.
    const QRect inside = m_image.rect();
    for (const QRect &box : outlines(fieldWidth, fieldHeight)) {
        const QRect r = box & inside;
        if (r.isEmpty()) continue;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            if (y == box.top() || y == box.bottom()) {
                std::fill(row + r.left(), row + r.right() + 1, kBlack);
            } else {
                if (r.left() == box.left()) row[r.left()] = kBlack;
                if (r.right() == box.right()) row[r.right()] = kBlack;
            }
        }
    }
    QPainter p(&m_image);

    // Numbers are placed by the top-left corner of their text box: their baseline lies the font's
    // ascent below it. A number is its digits' glyphs side by side, so they are set from the
    // font's own advances: shaping them as text cost more than drawing them, for the same pixels.
    p.setFont(numberFont());
    p.setPen(QColor::fromRgb(kBlack));
    const qreal ascent = QFontMetricsF(p.font()).ascent();
    const QRawFont digits = QRawFont::fromFont(p.font());
    for (const NodeNumber &n : nodeNumbers(fieldWidth, fieldHeight)) {
        const QList<quint32> glyphs = digits.glyphIndexesForString(n.text);
        QList<QPointF> positions;
        QPointF pen;
        for (const QPointF &advance : digits.advancesForGlyphIndexes(glyphs)) {
            positions << pen;
            pen += advance;
        }
        QGlyphRun run;
        run.setRawFont(digits);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        p.drawGlyphRun(QPointF(n.topLeft.x(), n.topLeft.y() + ascent), run);
    }
    p.end();

    changed(m_image.rect());
}

void FieldPicture::restore(const QImage &image, const QList<FieldVectors::Segment> &trace)
{
    if (image.size() != m_image.size() || image.format() != m_image.format()) return;
    m_image = image;
    m_vectors.setSegments(trace);
    changed(m_image.rect());
}

void FieldPicture::setPen(QRgb colour, int width)
{
    m_vectors.setPen(colour, width);
    m_penColour = 0xFF000000u | colour;
    m_penWidth = std::max(1, width);
}

void FieldPicture::paintSegment(QImage &image, QRgb colour, QPoint a, QPoint b) const
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor::fromRgb(colour), m_penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Aimed at pixel centres: this keeps the 5-pixel line and its round ends symmetric
    // about the node pixels.
    const QPointF half(0.5, 0.5);
    p.drawLine(QPointF(a) + half, QPointF(b) + half);
}

FieldPicture::Learnt *FieldPicture::learntSegment(int x0, int y0, int x1, int y1)
{
    // Only segments near the field are learnt; a stray one is painted as it comes.
    constexpr int Lo = SegmentLo, Span = 256;
    auto inRange = [](int v) { return v >= Lo && v < Lo + Span; };
    if (!inRange(x0) || !inRange(y0) || !inRange(x1) || !inRange(y1) || m_penWidth >= Span) return nullptr;
    const quint64 key = quint64(x0 - Lo) | quint64(y0 - Lo) << 8 | quint64(x1 - Lo) << 16 |
                        quint64(y1 - Lo) << 24 | quint64(m_penWidth) << 32;
    if (auto it = m_runs.find(key); it != m_runs.end()) return &*it;
    if (m_runs.size() >= 100000) return nullptr;

    // Painted black on white: the painter's aliased solid stroke covers the same pixels
    // whatever its colour and whatever lies beneath.
    if (m_scratch.isNull()) {
        m_scratch = QImage(Width, Height, QImage::Format_RGB32);
        m_scratch.fill(White);
    }
    const QPoint a = nodePixel(x0, y0), b = nodePixel(x1, y1);
    paintSegment(m_scratch, kBlack, a, b);
    const int m = m_penWidth + 4;
    const QRect box = QRect(a, b).normalized().adjusted(-m, -m, m, m) & m_scratch.rect();
    std::vector<Run> runs;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(m_scratch.scanLine(y));
        for (int x = box.left(); x <= box.right(); ++x) {
            if (row[x] == White) continue;
            const int start = x;
            while (x <= box.right() && row[x] != White) row[x++] = White;
            runs.push_back(Run {y, start, x});
        }
    }
    return &*m_runs.insert(key, Learnt {std::move(runs)});
}

void FieldPicture::drawSegment(int x0, int y0, int x1, int y1)
{
    m_vectors.drawSegment(x0, y0, x1, y1);
    const QPoint a = nodePixel(x0, y0), b = nodePixel(x1, y1);
    if (const Learnt *learnt = learntSegment(x0, y0, x1, y1)) {
        uchar *bits = m_image.bits();
        const qsizetype stride = m_image.bytesPerLine();
        for (const Run &r : learnt->runs) {
            QRgb *row = reinterpret_cast<QRgb *>(bits + r.y * stride);
            std::fill(row + r.x0, row + r.x1, m_penColour);
        }
    } else {
        paintSegment(m_image, m_penColour, a, b);
    }

    if (m_changed) {
        const int m = m_penWidth / 2 + 2;
        changed(QRect(a, b).normalized().adjusted(-m, -m, m, m));
    }
}

void FieldPicture::showSprite(int heading, bool wipe)
{
    m_vectors.showSprite(heading, wipe);
    if (m_sprites) m_sprites->showSprite(heading, wipe);
}

void FieldPicture::showArrow(int heading)
{
    m_vectors.showArrow(heading);
    if (m_sprites) m_sprites->showArrow(heading);
}

void FieldPicture::moveSprite(int x, int y)
{
    m_vectors.moveSprite(x, y);
    if (m_sprites) m_sprites->moveSprite(x, y);
}

void FieldPicture::setSpriteVisible(bool visible)
{
    m_vectors.setSpriteVisible(visible);
    if (m_sprites) m_sprites->setSpriteVisible(visible);
}

QStringList FieldPicture::losslessSuffixes()
{
    // Writers that store full 8-bit RGB as it is. The others lose something: JPEG its
    // colours, PBM, PGM and XBM all but black and white or grey, ICO and CUR shrink the
    // picture to an icon. SVG is our own writer, not the toolkit's.
    static const char *const kLossless[] = {"bmp", "png", "ppm", "xpm", "tif", "tiff"};
    const QList<QByteArray> writers = QImageWriter::supportedImageFormats();
    QStringList r;
    for (const char *f : kLossless)
        if (writers.contains(QByteArray(f))) r << QLatin1String(f);
    r << QStringLiteral("svg");
    return r;
}

QString FieldPicture::losslessSuffixList()
{
    QStringList dotted;
    for (const QString &s : losslessSuffixes()) dotted << QLatin1Char('.') + s;
    return dotted.join(QStringLiteral(", "));
}

QByteArray FieldPicture::pictureFormat(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) return QByteArrayLiteral("bmp");
    return losslessSuffixes().contains(suffix) ? suffix.toLatin1() : QByteArray();
}

bool FieldPicture::exportPicture(const QString &path, QString *error, Language lang,
                                 WriteOptions options) const
{
    auto fail = [&](const QString &reason) {
        if (error) *error = reason;
        return false;
    };
    if (path.isEmpty()) return fail(uiText("file.noName", lang).value_or(QString()));
    const QByteArray format = pictureFormat(path);
    if (format.isEmpty())
        return fail(uiText("file.unknownPictureFormat", lang)
                        .value_or(QString())
                        .arg(QFileInfo(path).suffix(), losslessSuffixList()));

    // Encoded in memory first, so a failing writer never touches the file.
    QByteArray data;
    if (format == "svg") {
        data = fieldSvg(m_vectors);
    } else {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        // See-through pixels are plain white in the picture, so the file shows them white.
        if (!writer.write(m_image.convertToFormat(QImage::Format_RGB888))) return fail(writer.errorString());
    }
    FileError failure;
    if (writeFileSafely(path, data, &failure, options)) return true;
    return fail(fileErrorReason(failure, lang));
}
