// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>

// Decodes 8-bit text in Windows code pages, as RTF files declare them by number.
class CodePageDecoder {
public:
    CodePageDecoder();
    ~CodePageDecoder();
    // Appends the decoded bytes to out. Unknown code pages decode as Windows-1251.
    void decode(int codePage, QByteArrayView bytes, QString &out);

private:
    struct Page;
    Page &page(int codePage);
    std::unordered_map<int, std::unique_ptr<Page>> m_pages;
};

// The code page an RTF \fcharsetN stands for; 0 when the charset names none (default,
// symbol, unknown), so the document's code page applies.
int codePageForCharset(int charset);

// Windows-1251 byte of a character, or -1 when the code page has none.
int windows1251Byte(char16_t c);
// The Windows-1251 byte that best stands in for a character the page lacks, for readers
// that know no Unicode: its letter without the accent (ă, â -> a; ș, ş -> s; ѝ -> и), or
// "?" when nothing in the page is near.
int windows1251Fallback(char16_t c);
