// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CodePages.h"

#include <QStringDecoder>
#include <mutex>

struct CodePageDecoder::Page {
    bool singleByte = true;
    std::array<char16_t, 256> table {};
    std::unique_ptr<QStringDecoder> decoder;   // multi-byte pages only
};

namespace {

QStringDecoder decoderFor(int codePage)
{
    switch (codePage) {
    case 10000:
        return QStringDecoder("macintosh");
    case 65001:
        return QStringDecoder(QStringDecoder::Utf8);
    default:
        break;
    }
    const QByteArray n = QByteArray::number(codePage);
    for (const char *prefix : {"windows-", "cp", "IBM"}) {
        QStringDecoder d((QByteArray(prefix) + n).constData());
        if (d.isValid()) return d;
    }
    return QStringDecoder("windows-1251");
}

bool isMultiByte(int codePage)
{
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 65001:
        return true;
    default:
        return false;
    }
}

// Only pages that text files really use; anything else (a typo, a hostile number) is
// read as Windows-1251, which also bounds how many decoders one file can make us build.
int knownCodePage(int codePage)
{
    switch (codePage) {
    case 437:
    case 737:
    case 775:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 1250:
    case 1251:
    case 1252:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
    case 10000:
    case 65001:
        return codePage;
    default:
        return 1251;
    }
}

}   // namespace

CodePageDecoder::CodePageDecoder() = default;
CodePageDecoder::~CodePageDecoder() = default;

CodePageDecoder::Page &CodePageDecoder::page(int codePage)
{
    codePage = knownCodePage(codePage);
    auto it = m_pages.find(codePage);
    if (it != m_pages.end()) return *it->second;
    auto p = std::make_unique<Page>();
    QStringDecoder d = decoderFor(codePage);
    if (isMultiByte(codePage) && d.isValid()) {
        p->singleByte = false;
        p->decoder = std::make_unique<QStringDecoder>(std::move(d));
    } else {
        // A table per single-byte page keeps decoding of large files cheap.
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            d.resetState();
            const QString s = d.decode(QByteArrayView(&byte, 1));
            p->table[b] = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
        }
    }
    return *m_pages.emplace(codePage, std::move(p)).first->second;
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString &out)
{
    Page &p = page(codePage);
    if (p.singleByte) {
        const qsizetype start = out.size();
        out.resize(start + bytes.size());
        char16_t *dst = reinterpret_cast<char16_t *>(out.data()) + start;
        for (qsizetype i = 0; i < bytes.size(); ++i) dst[i] = p.table[uchar(bytes[i])];
        return;
    }
    p.decoder->resetState();
    out += p.decoder->decode(bytes);
}

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

int windows1251Byte(char16_t c)
{
    if (c < 0x80) return c;
    static std::array<qint16, 0x2200> table;   // every character of the page lies below U+2200
    static std::once_flag once;
    std::call_once(once, [] {
        table.fill(-1);
        QStringDecoder d("windows-1251");
        for (int b = 0x80; b < 0x100; ++b) {
            const char byte = char(b);
            d.resetState();
            const QString s = d.decode(QByteArrayView(&byte, 1));
            if (s.size() == 1 && s.at(0).unicode() != 0xFFFD && s.at(0).unicode() < table.size())
                table[s.at(0).unicode()] = qint16(b);
        }
    });
    return c < table.size() ? table[c] : -1;
}

int windows1251Fallback(char16_t c)
{
    // A canonical decomposition starts with the base letter; so does a compatibility one
    // of a single character (a full-width or superscript form). Each step is shorter, so
    // a few steps reach the end.
    QChar ch(c);
    for (int step = 0; step < 4 && !ch.isSurrogate(); ++step) {
        const int b = windows1251Byte(ch.unicode());
        if (b >= 0x20 && b != 0x7F) return b;
        const QString d = ch.decomposition();
        if (d.isEmpty() || d.at(0).isSurrogate()) break;
        if (ch.decompositionTag() != QChar::Canonical && d.size() != 1) break;
        ch = d.at(0);
    }
    return '?';
}
