#pragma once
#include "lang/Language.h"
#include <QString>
#include <optional>

// One user-visible text in the three Languages: a row of a text table.
struct TextRow {
    const char *key;
    const char *text[3];   // rus, rom, eng (UTF-8)
};

// The row's text for the Language; nothing for a Language other than the three, so
// that callers can keep what a control already shows.
template <size_t N>
std::optional<QString> lookupText(const TextRow (&table)[N], const char *key, Language lang)
{
    if (lang == Language::Unknown) return std::nullopt;
    for (const TextRow &row : table)
        if (qstrcmp(row.key, key) == 0) return QString::fromUtf8(row.text[int(lang)]);
    return std::nullopt;
}
