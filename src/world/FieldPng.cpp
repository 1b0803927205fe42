// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/FieldPng.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>
#include <zlib.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Level 1 of deflate, for a picture of many colours: the stronger levels save little for many
// times the time.
constexpr int kFastQuality = 85;

void chunk(QByteArray &png, const char type[4], QByteArrayView data)
{
    uchar length[4];
    qToBigEndian(quint32(data.size()), length);
    png.append(reinterpret_cast<const char *>(length), 4);
    const qsizetype start = png.size();
    png.append(type, 4);
    png.append(data);
    uchar crc[4];
    qToBigEndian(
        quint32(crc32(0, reinterpret_cast<const Bytef *>(png.constData() + start), uInt(png.size() - start))),
        crc);
    png.append(reinterpret_cast<const char *>(crc), 4);
}

// The codes of deflate's fixed Huffman table, bit-reversed to be written least significant
// bit first, and the length and distance codes' bases and extra bits.
struct FixedCodes {
    std::array<quint16, 288> literal {};
    std::array<quint8, 288> literalBits {};
    std::array<quint16, 259> lengthSymbol {};   // by match length, 3 to 258
    std::array<quint8, 29> lengthExtra {};
    std::array<quint16, 29> lengthBase {};

    static quint32 reversed(quint32 code, int bits)
    {
        quint32 r = 0;
        for (int i = 0; i < bits; ++i) r |= ((code >> i) & 1u) << (bits - 1 - i);
        return r;
    }
    FixedCodes()
    {
        for (int v = 0; v < 288; ++v) {
            const int bits = v < 144 ? 8 : v < 256 ? 9 : v < 280 ? 7 : 8;
            const quint32 code = v < 144   ? 0x30 + v
                                 : v < 256 ? 0x190 + (v - 144)
                                 : v < 280 ? v - 256
                                           : 0xC0 + (v - 280);
            literal[size_t(v)] = quint16(reversed(code, bits));
            literalBits[size_t(v)] = quint8(bits);
        }
        int base = 3;
        for (int c = 0; c < 28; ++c) {
            const int extra = c < 8 ? 0 : (c - 4) / 4;
            lengthBase[size_t(c)] = quint16(base);
            lengthExtra[size_t(c)] = quint8(extra);
            for (int n = 0; n < (1 << extra) && base + n <= 258; ++n)
                lengthSymbol[size_t(base + n)] = quint16(c);
            base += 1 << extra;
        }
        // 258 has a code of its own.
        lengthBase[28] = 258;
        lengthExtra[28] = 0;
        lengthSymbol[258] = 28;
    }
};

// Bits least significant first, as deflate reads them, into room reserved beforehand (with
// four bytes to spare: whole words are written as they fill).
class Bits {
public:
    explicit Bits(uchar *at) : m_at(at) { }
    void put(quint32 bits, int count)   // at most 32 bits
    {
        m_pending |= quint64(bits) << m_count;
        m_count += count;
        if (m_count >= 32) {
            qToLittleEndian(quint32(m_pending), m_at);
            m_at += 4;
            m_pending >>= 32;
            m_count -= 32;
        }
    }
    uchar *end()
    {
        for (; m_count > 0; m_count -= 8) {
            *m_at++ = uchar(m_pending);
            m_pending >>= 8;
        }
        m_pending = 0;
        m_count = 0;
        return m_at;
    }

private:
    uchar *m_at;
    quint64 m_pending = 0;
    int m_count = 0;
};

// Where each row first appeared: rows of a field repeat (the grid's, the cells' between them),
// not only the row above. A row is known by a hash of its bytes, then compared in full.
class RowsMet {
public:
    RowsMet(const uchar *in, qsizetype row, qsizetype rows)
          : m_in(in), m_row(row), m_slots(std::bit_ceil(size_t(rows) * 2 + 2), -1), m_hashes(size_t(rows))
    {
    }
    // The first row before `r` with the same bytes, or -1.
    qsizetype earlier(qsizetype r)
    {
        const size_t hash = qHashBits(m_in + r * m_row, size_t(m_row), 0x9E3779B97F4A7C15u);
        m_hashes[size_t(r)] = hash;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const qsizetype k = m_slots[i];
            if (k < 0) {
                m_slots[i] = r;
                return -1;
            }
            if (m_hashes[size_t(k)] == hash &&
                std::memcmp(m_in + k * m_row, m_in + r * m_row, size_t(m_row)) == 0)
                return k;
        }
    }

private:
    const uchar *m_in;
    qsizetype m_row;
    std::vector<qsizetype> m_slots;
    std::vector<size_t> m_hashes;
};

// The zlib check of the rows, from each row's own: a row like the one above (`sameAsAbove`) or
// like an earlier one costs no reading.
quint32 rowsCheck(const uchar *in, qsizetype n, qsizetype row, const std::vector<bool> &sameAsAbove)
{
    const uLong empty = adler32(0, nullptr, 0);
    const qsizetype rows = n / row;
    RowsMet met(in, row, rows);
    std::vector<uLong> checks(static_cast<size_t>(rows));
    uLong check = empty;
    for (qsizetype r = 0; r < rows; ++r) {
        qsizetype k = r;
        if (sameAsAbove[size_t(r)])
            k = r - 1;
        else if (const qsizetype e = met.earlier(r); e >= 0)
            k = e;
        checks[size_t(r)] = k == r ? adler32(empty, in + r * row, uInt(row)) : checks[size_t(k)];
        check = adler32_combine(check, checks[size_t(r)], z_off_t(row));
    }
    if (const qsizetype rest = n - rows * row; rest > 0)
        check = adler32_combine(check, adler32(empty, in + rows * row, uInt(rest)), z_off_t(rest));
    return quint32(check);
}

// The rows as a zlib stream, for pictures of long runs whose rows mostly repeat the row
// above: each byte is either a literal or the start of a match with the pixel before it (a
// run) or with the row above, whichever is longer, in one block of the fixed codes. It takes
// a small part of deflate's time for a little more room. `row` is the bytes of one row,
// `pixel` of one pixel (at most 4).
QByteArray runsAndRows(const QByteArray &data, qsizetype row, int pixel)
{
    static const FixedCodes codes;
    const auto *in = reinterpret_cast<const uchar *>(data.constData());
    const qsizetype n = data.size();
    // At most 9 bits a byte, the headers, the check and a word to spare.
    QByteArray out(n + n / 8 + 64, Qt::Uninitialized);
    auto *start = reinterpret_cast<uchar *>(out.data());
    start[0] = 0x78;   // deflate with a window of 32 KiB
    start[1] = 0x01;   // no dictionary, the fastest level; the header's check
    Bits bits(start + 2);
    bits.put(1, 1);   // the last block
    bits.put(1, 2);   // of the fixed codes
    const quint32 rowDistanceCode = [&] {
        quint32 code = 0;
        for (qsizetype base = 1, c = 0; c < 30; ++c) {
            const int extra = c < 4 ? 0 : int(c / 2 - 1);
            if (row >= base && row < base + (qsizetype(1) << extra)) code = quint32(c);
            base += qsizetype(1) << extra;
        }
        return code;
    }();
    const int rowDistanceExtra = rowDistanceCode < 4 ? 0 : int(rowDistanceCode / 2 - 1);
    const qsizetype rowDistanceBase = [&] {
        qsizetype base = 1;
        for (quint32 c = 0; c < rowDistanceCode; ++c) base += qsizetype(1) << (c < 4 ? 0 : c / 2 - 1);
        return base;
    }();
    // How far the bytes from `at` repeat those `distance` before them, counted on from
    // `length` bytes known to, up to deflate's longest match.
    const auto matchLength = [&](qsizetype at, qsizetype distance, qsizetype length = 0) {
        const qsizetype most = std::min<qsizetype>(258, n - at);
        // Many bytes at a time: most matches are a stretch of a run or of the row above, 258
        // bytes long.
#if defined(__SSE2__)
        for (; length + 16 <= most; length += 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + at + length));
            const __m128i there =
                _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + at + length - distance));
            const unsigned differ = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(here, there))) ^ 0xFFFFu;
            if (differ) return length + std::countr_zero(differ);
        }
#endif
        for (; length + 8 <= most; length += 8) {
            const quint64 differ = qFromLittleEndian<quint64>(in + at + length) ^
                                   qFromLittleEndian<quint64>(in + at + length - distance);
            if (differ) return length + std::countr_zero(differ) / 8;
        }
        while (length < most && in[at + length] == in[at + length - distance]) ++length;
        return length;
    };
    // Where each row's stretch of rows like the row above ends, in bytes: inside it, every
    // byte repeats the row above and needs no comparing. A row unlike the one above ends its
    // stretch where it starts.
    const qsizetype rows = n / row;
    std::vector<bool> sameAsAbove(size_t(rows) + 1, false);
    std::vector<qsizetype> stretchEnd(size_t(rows) + 1, rows * row);
    for (qsizetype r = rows - 1; r >= 0; --r) {
        sameAsAbove[size_t(r)] = r > 0 && std::memcmp(in + r * row, in + (r - 1) * row, size_t(row)) == 0;
        stretchEnd[size_t(r)] = sameAsAbove[size_t(r)] ? stretchEnd[size_t(r) + 1] : r * row;
    }
    // r is the row that holds `at`.
    const auto aboveLength = [&](qsizetype at, qsizetype r) {
        const qsizetype known = std::min({stretchEnd[size_t(r)] - at, qsizetype(258), n - at});
        return matchLength(at, row, std::max<qsizetype>(known, 0));
    };
    const quint32 rowDistanceBits = FixedCodes::reversed(rowDistanceCode, 5);
    const quint32 pixelDistanceBits = FixedCodes::reversed(quint32(pixel - 1), 5);
    // The row is followed as the bytes go, not divided out at every one.
    for (qsizetype at = 0, r = 0, rowEnd = row; at < n;) {
        while (at >= rowEnd) {
            ++r;
            rowEnd += row;
        }
        const qsizetype run = at >= pixel ? matchLength(at, pixel) : 0;
        const qsizetype above = at >= row ? aboveLength(at, r) : 0;
        const qsizetype length = std::max(run, above);
        if (length < 3) {
            bits.put(codes.literal[in[at]], codes.literalBits[in[at]]);
            ++at;
            continue;
        }
        const int c = codes.lengthSymbol[size_t(length)];
        bits.put(codes.literal[size_t(257 + c)], codes.literalBits[size_t(257 + c)]);
        bits.put(quint32(length - codes.lengthBase[size_t(c)]), codes.lengthExtra[size_t(c)]);
        if (run >= above) {
            bits.put(pixelDistanceBits, 5);   // distances 1 to 4 are codes 0 to 3, with no extra bits
        } else {
            bits.put(rowDistanceBits, 5);
            bits.put(quint32(row - rowDistanceBase), rowDistanceExtra);
        }
        at += length;
    }
    bits.put(codes.literal[256], codes.literalBits[256]);   // the end of the block
    uchar *end = bits.end();
    const quint32 check = rowsCheck(in, n, row, sameAsAbove);
    qToBigEndian(check, end);
    out.truncate(qsizetype(end + 4 - start));
    return out;
}

QByteArray pngOf(const QByteArray &head, const QByteArray &packed, const QByteArray &palette,
                 const QByteArray &alpha)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(8 + 25 + palette.size() + 12 + alpha.size() + 12 + packed.size() + 12 + 12);
    chunk(png, "IHDR", head);
    if (!palette.isEmpty()) chunk(png, "PLTE", palette);
    if (!alpha.isEmpty()) chunk(png, "tRNS", alpha);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", {});
    return png;
}

QByteArray pngHead(int width, int height, char colourType)
{
    QByteArray head(13, '\0');
    qToBigEndian(quint32(width), head.data());
    qToBigEndian(quint32(height), head.data() + 4);
    head[8] = 8;   // bits per sample
    head[9] = colourType;
    return head;
}

// An indexed picture as PNG, written here rather than by the image plugin, whose deflate
// searches for matches a field's pictures do not need (see runsAndRows). Empty when the
// picture is too wide for it.
QByteArray indexedPng(const QImage &indexed)
{
    const int width = indexed.width(), height = indexed.height();
    const QList<QRgb> colours = indexed.colorTable();
    // A row above must lie within deflate's window.
    if (width <= 0 || width >= 32768 || height <= 0 || colours.isEmpty() || colours.size() > 256) return {};
    QByteArray rows(qsizetype(width + 1) * height, Qt::Uninitialized);
    for (int y = 0; y < height; ++y) {
        char *row = rows.data() + qsizetype(width + 1) * y;
        row[0] = 0;   // no filter: a row like the one above is a match with it
        std::memcpy(row + 1, indexed.constScanLine(y), size_t(width));
    }
    QByteArray palette, alpha;
    for (const QRgb c : colours) {
        palette += char(qRed(c));
        palette += char(qGreen(c));
        palette += char(qBlue(c));
        alpha += char(qAlpha(c));
    }
    // Only the colours up to the last that is not opaque need an alpha.
    while (!alpha.isEmpty() && uchar(alpha.back()) == 255) alpha.chop(1);
    return pngOf(pngHead(width, height, 3), runsAndRows(rows, width + 1, 1), palette, alpha);
}

// A picture of more colours than a palette holds (smoothed marks over a legend's text), in
// red, green and blue, and alpha unless it is opaque: the same way as indexedPng.
QByteArray truecolourPng(const QImage &image)
{
    const bool opaque = image.format() == QImage::Format_RGB32;
    if (!opaque && image.format() != QImage::Format_ARGB32) return {};
    const int width = image.width(), height = image.height(), pixel = opaque ? 3 : 4;
    const qsizetype row = qsizetype(width) * pixel + 1;
    if (width <= 0 || row >= 32768 || height <= 0) return {};
    QByteArray rows(row * height, Qt::Uninitialized);
    for (int y = 0; y < height; ++y) {
        auto *out = reinterpret_cast<uchar *>(rows.data() + row * y);
        *out++ = 0;
        const QRgb *in = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            *out++ = uchar(qRed(in[x]));
            *out++ = uchar(qGreen(in[x]));
            *out++ = uchar(qBlue(in[x]));
            if (!opaque) *out++ = uchar(qAlpha(in[x]));
        }
    }
    return pngOf(pngHead(width, height, opaque ? 2 : 6), runsAndRows(rows, row, pixel), {}, {});
}

}   // namespace

QImage paletteImage(const QImage &image)
{
    if (image.isNull()) return {};
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_ARGB32);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (indexed.isNull()) return {};
    const bool opaque = rgb.format() == QImage::Format_RGB32;
    const int width = rgb.width(), height = rgb.height();
    QList<QRgb> table;
    table.reserve(256);
    // Where the colour changes, it is looked up in a small open table of the colours met:
    // a picture with a legend's smoothed text holds a few hundred.
    constexpr int kSlots = 1024;   // a power of two, well above 256
    std::array<QRgb, kSlots> keys {};
    std::array<short, kSlots> places;
    places.fill(-1);
    const auto indexOf = [&](QRgb pixel) -> int {
        for (quint32 at = (pixel * 0x9E3779B1u) >> 22;; at = (at + 1) & (kSlots - 1)) {
            if (places[at] >= 0 && keys[at] == pixel) return places[at];
            if (places[at] < 0) {
                if (table.size() == 256) return -1;
                keys[at] = pixel;
                places[at] = short(table.size());
                table << pixel;
                return places[at];
            }
        }
    };
    // Lines of one colour are long: most pixels are the one before.
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    for (int y = 0; y < height; ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        // Most rows of a field are the row above (the cells between the grid lines), and most
        // of the others differ from it only where a slanted line crosses: only the pixels from
        // the first to the last that differ are looked up. Those outside were met in the row
        // above, so the table's order is the same as a lookup of every pixel would make it.
        int from = 0, to = width;
        if (y > 0) {
            const QRgb *above = reinterpret_cast<const QRgb *>(rgb.constScanLine(y - 1));
            const uchar *aboveOut = indexed.constScanLine(y - 1);
            if (std::memcmp(in, above, size_t(width) * sizeof(QRgb)) == 0) {
                std::memcpy(out, aboveOut, size_t(width));
                continue;
            }

            while (in[from] == above[from]) ++from;
            while (in[to - 1] == above[to - 1]) --to;
            std::memcpy(out, aboveOut, size_t(from));
            std::memcpy(out + to, aboveOut + to, size_t(width - to));
        }
        for (int x = from; x < to; ++x) {
            const QRgb pixel = opaque ? (in[x] | 0xFF000000u) : in[x];
            if (!any || pixel != last) {
                const int at = indexOf(pixel);
                if (at < 0) return {};
                last = pixel;
                lastIndex = uchar(at);
                any = true;
            }
            out[x] = lastIndex;
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

QByteArray fieldPng(const QImage &image)
{
    const QImage indexed = image.format() == QImage::Format_Indexed8 ? image : paletteImage(image);
    if (QByteArray png = indexed.isNull() ? truecolourPng(image) : indexedPng(indexed); !png.isEmpty())
        return png;
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kFastQuality);
    if (writer.write(image)) return data;
    return {};
}
