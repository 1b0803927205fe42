// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the text and character colours out of RTF, our own and other programs' alike.
// Everything else RTF can say (fonts, sizes, paragraphs, pictures) is read past.
#include "documents/CodePages.h"
#include "documents/LineBreaks.h"
#include "documents/ProgramFile.h"

#include <QHash>
#include <QList>
#include <algorithm>
#include <cctype>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

enum class Dest : quint8 {
    Text,
    FontTable,
    ColourTable,
    Skip
};

// Character properties that a group saves and restores.
struct GroupState {
    Dest dest = Dest::Text;
    int font = -1;   // -1: the default font
    int colour = 0;   // index into the colour table; 0 is "auto", black
    int uc = 1;   // bytes of fallback after \uN
    int definingFont = -1;   // inside the font table: the font the words describe
};

enum class Kw : quint8 {
    Par,
    Line,
    Tab,
    Cf,
    F,
    Plain,
    Uc,
    U,
    Bin,
    AnsiCpg,
    Deff,
    FCharset,
    Cpg,
    Red,
    Green,
    Blue,
    FontTbl,
    ColorTbl,
    SkipDest,
    Notes,
    Char,
    Cell,
    Row,
};

struct KwInfo {
    Kw kw;
    char16_t ch = 0;   // for Kw::Char
};

const std::unordered_map<std::string_view, KwInfo> &keywords()
{
    static const std::unordered_map<std::string_view, KwInfo> map = [] {
        std::unordered_map<std::string_view, KwInfo> m = {
            {"par", {Kw::Par}},
            {"line", {Kw::Line}},
            {"tab", {Kw::Tab}},
            {"cf", {Kw::Cf}},
            {"f", {Kw::F}},
            {"plain", {Kw::Plain}},
            {"uc", {Kw::Uc}},
            {"u", {Kw::U}},
            {"bin", {Kw::Bin}},
            {"ansicpg", {Kw::AnsiCpg}},
            {"deff", {Kw::Deff}},
            {"fcharset", {Kw::FCharset}},
            {"cpg", {Kw::Cpg}},
            {"red", {Kw::Red}},
            {"green", {Kw::Green}},
            {"blue", {Kw::Blue}},
            {"fonttbl", {Kw::FontTbl}},
            {"colortbl", {Kw::ColorTbl}},
            {"cell", {Kw::Cell}},
            {"row", {Kw::Row}},
            {"trakmilnotes", {Kw::Notes}},
            {"emdash", {Kw::Char, 0x2014}},
            {"endash", {Kw::Char, 0x2013}},
            {"bullet", {Kw::Char, 0x2022}},
            {"lquote", {Kw::Char, 0x2018}},
            {"rquote", {Kw::Char, 0x2019}},
            {"ldblquote", {Kw::Char, 0x201C}},
            {"rdblquote", {Kw::Char, 0x201D}},
            {"emspace", {Kw::Char, 0x2003}},
            {"enspace", {Kw::Char, 0x2002}},
            {"qmspace", {Kw::Char, 0x2005}},
        };
        // Groups whose content is not part of the text.
        for (const char *d : {"stylesheet",
                              "info",
                              "pict",
                              "header",
                              "headerl",
                              "headerr",
                              "headerf",
                              "footer",
                              "footerl",
                              "footerr",
                              "footerf",
                              "listtable",
                              "listoverridetable",
                              "rsidtbl",
                              "revtbl",
                              "filetbl",
                              "xmlnstbl",
                              "footnote",
                              "annotation",
                              "object",
                              "objdata",
                              "themedata",
                              "colorschememapping",
                              "datastore",
                              "latentstyles",
                              "generator",
                              "listtext",
                              "pntext",
                              "pntxta",
                              "pntxtb",
                              "fldinst",
                              "bkmkstart",
                              "bkmkend",
                              "nonshppict",
                              "template",
                              "docvar",
                              "shpinst",
                              "atnid",
                              "atnauthor",
                              "falt",
                              "panose",
                              "fontemb",
                              "fontfile"})
            m.emplace(d, KwInfo {Kw::SkipDest});
        return m;
    }();
    return map;
}

constexpr int kMaxDepth = 1024;   // deeper groups share their parent's state
constexpr int kMaxFonts = 4096;
constexpr int kMaxColours = 65536;
constexpr int kDefaultCodePage = 1251;   // a Cyrillic program when nothing is declared

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Past the one byte of fallback after \uN, as \uc1 says: a plain character or a \'xx
// escape. Null when there is none.
const char *pastFallback(const char *q, const char *end)
{
    while (q < end && (*q == '\r' || *q == '\n')) ++q;
    const QByteArrayView rest(q, end - q);
    if (!rest.isEmpty() && rest[0] >= 0x20 && rest[0] < 0x7F && rest[0] != '\\' && rest[0] != '{' &&
        rest[0] != '}')
        return q + 1;
    if (rest.startsWith("\\'") && rest.size() >= 4 && std::isxdigit(uchar(rest[2])) &&
        std::isxdigit(uchar(rest[3])))
        return q + 4;
    return nullptr;
}

// Reads our notes group (see RtfWriter.cpp) strictly: it holds only what our writer puts
// there, and anything else is damage. Starts just after \trakmilnotes.
class NotesReader {
public:
    NotesReader(const char *p, const char *end) : m_p(p), m_end(end) { }
    // The notes, with pos() just past the group; nothing when the group is damaged, with
    // pos() where the damage starts.
    std::optional<ProgramNotes> read();
    const char *pos() const { return m_p; }

private:
    void skipBlanks(bool spaces);
    bool word(std::string_view expected);   // a control word without parameter
    bool text(QString &out, qsizetype most);   // up to the closing brace of its group
    bool group(std::string_view keyword, QString &out, qsizetype most);

    const char *m_p;
    const char *m_end;
};

std::optional<ProgramNotes> NotesReader::read()
{
    ProgramNotes notes;
    qsizetype total = 0;
    for (;;) {
        skipBlanks(true);
        if (m_p >= m_end) return std::nullopt;
        if (*m_p == '}') {
            ++m_p;
            // A brace too many ends the group before its entries do.
            const char *next = m_p;
            while (next < m_end && (*next == '\r' || *next == '\n' || *next == ' ')) ++next;
            const std::string_view rest(next, size_t(std::min<ptrdiff_t>(m_end - next, 16)));
            if (rest.starts_with("{\\trakmilkey") || rest.starts_with("{\\trakmilvalue")) return std::nullopt;
            return notes;
        }
        QString key, value;
        if (!group("trakmilkey", key, ProgramNotes::kMaxKey) || !ProgramNotes::validKey(key))
            return std::nullopt;
        skipBlanks(true);
        if (!group("trakmilvalue", value, ProgramNotes::kMaxValue)) return std::nullopt;
        total += key.size() + value.size();
        if (total > ProgramNotes::kMaxTotal) return std::nullopt;
        if (!notes.contains(key)) notes.entries.append({std::move(key), std::move(value)});
    }
}

void NotesReader::skipBlanks(bool spaces)
{
    // Line ends in the file mean nothing in RTF; between the groups spaces mean nothing either.
    while (m_p < m_end && (*m_p == '\r' || *m_p == '\n' || (spaces && (*m_p == ' ' || *m_p == '\t')))) ++m_p;
}

bool NotesReader::word(std::string_view expected)
{
    if (m_p >= m_end || *m_p != '\\') return false;
    const char *start = m_p + 1;
    const char *q = start;
    while (q < m_end && isLetter(*q)) ++q;
    if (std::string_view(start, size_t(q - start)) != expected) return false;
    if (q < m_end && (*q == '-' || (*q >= '0' && *q <= '9'))) return false;
    if (q < m_end && *q == ' ') ++q;
    m_p = q;
    return true;
}

bool NotesReader::group(std::string_view keyword, QString &out, qsizetype most)
{
    if (m_p >= m_end || *m_p != '{') return false;
    ++m_p;
    skipBlanks(false);
    return word(keyword) && text(out, most);
}

bool NotesReader::text(QString &out, qsizetype most)
{
    while (m_p < m_end) {
        if (out.size() > most) return false;
        const char c = *m_p;
        if (c == '\r' || c == '\n') {
            ++m_p;
        } else if (c == '}') {
            ++m_p;
            return true;
        } else if (c >= 0x20 && c < 0x7F && c != '{' && c != '\\') {
            out.append(QLatin1Char(c));
            ++m_p;
        } else if (c != '\\' || m_p + 1 >= m_end) {
            return false;
        } else if (const char e = m_p[1]; e == '\\' || e == '{' || e == '}') {
            out.append(QLatin1Char(e));
            m_p += 2;
        } else if (e == 'u' && m_p + 2 < m_end && !isLetter(m_p[2])) {
            const char *q = m_p + 2;
            const bool negative = *q == '-';
            if (negative) ++q;
            int n = 0;
            int digits = 0;
            while (q < m_end && *q >= '0' && *q <= '9' && digits < 6) {
                n = n * 10 + (*q++ - '0');
                ++digits;
            }
            if (digits == 0 || (negative ? n > 0x8000 : n > 0xFFFF)) return false;
            if (q < m_end && *q == ' ') ++q;
            q = pastFallback(q, m_end);
            if (!q) return false;
            out.append(QChar(char16_t(negative ? 0x10000 - n : n)));
            m_p = q;
        } else {
            return false;
        }
    }
    return false;
}

// Whether the braces from p on close the document, with nothing after it: that is, whether
// they balance, taking level groups as open inside the document.
bool closesDocument(const char *p, const char *end, qsizetype level)
{
    while (p < end) {
        const char c = *p++;
        if (c == '{') {
            ++level;
        } else if (c == '}') {
            if (level-- > 0) continue;
            return std::all_of(
                p, end, [](char b) { return b == ' ' || b == '\r' || b == '\n' || b == '\t' || b == 0; });
        } else if (c == '\\' && p < end) {
            const char *start = p;
            while (p < end && isLetter(*p)) ++p;
            if (p == start) {
                ++p;   // \\, \{, \} and the rest: one character
                continue;
            }
            const bool bin = std::string_view(start, size_t(p - start)) == "bin";
            qint64 n = 0;
            while (p < end && *p >= '0' && *p <= '9') {
                if (n < 100000000000LL) n = n * 10 + (*p - '0');
                ++p;
            }
            if (p < end && *p == ' ') ++p;
            if (bin) p += std::min<qint64>(n, end - p);
        }
    }
    return false;
}

// Where the document goes on past a notes group that lost a closing brace: the first
// control word our writer never puts in one.
const char *pastNotes(const char *p, const char *end)
{
    while (p < end) {
        if (*p != '\\') {
            ++p;
            continue;
        }
        const char *start = p + 1;
        const char *q = start;
        while (q < end && isLetter(*q)) ++q;
        if (q == start) {
            p = std::min(p + 2, end);   // \\, \{, \} and the rest: one character
            continue;
        }
        const std::string_view word(start, size_t(q - start));
        if (word != "u" && word != "trakmilkey" && word != "trakmilvalue") return p;
        p = q;
    }
    return end;
}

class RtfReader {
public:
    RtfReader(QByteArrayView data, const ReadLimits &limits)
          : m_p(data.data()), m_end(data.data() + data.size()), m_limits(limits)
    {
        // A line ends at a paragraph mark, mostly: the list grows once instead of by doubling.
        m_out.reserve(std::min(limits.lines, data.count("\\par") + 1));
    }
    // Everything, or nothing once the text passes a limit; over() then says which.
    StyledText read();
    const FileError &over() const { return m_over; }
    ProgramNotes &notes() { return m_notes; }

private:
    struct FontInfo {
        int cpg = 0;
        int charsetCodePage = 0;
    };

    // Parsing
    void openGroup();
    bool closeGroup();   // false at the end of the document
    void controlWord();
    void controlSymbol();
    void textByte(uchar b);
    void handleWord(std::string_view word, bool hasParam, int param);
    void readNotes();

    // Output
    int currentCodePage();
    int findCodePage() const;
    QRgb currentColour() const;
    void appendByte(uchar b);
    void appendChar(char16_t c);
    void flushBytes();
    void addText(const QString &s, QRgb colour);
    void addRun(QStringView s, QRgb colour);
    void endLine(bool softBreak);
    void breakLine(bool softBreak);   // endLine without the pending bytes
    bool consumeFallback();   // true when the token just read was a skipped fallback
    void refuse(FileError::Limit limit, qint64 bound, qint64 line = 0);   // and stop reading

    const char *m_p;
    const char *m_end;
    ReadLimits m_limits;
    FileError m_over;
    GroupState m_st;
    QList<GroupState> m_saved;
    int m_excessDepth = 0;
    int m_skipFallback = 0;
    const char *m_afterStar = nullptr;   // where the last \* ended
    bool m_wordAfterStar = false;   // the word being handled comes right after \*
    bool m_notesTried = false;
    ProgramNotes m_notes;

    int m_ansiCpg = 0;
    bool m_codePageKnown = false;
    int m_codePageFont = -1;
    int m_codePage = 0;
    int m_defaultFont = -1;
    QHash<int, FontInfo> m_fonts;
    QList<QRgb> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;

    CodePageDecoder m_decoder;
    std::string m_pending;   // every byte of text passes through here: appending stays inline
    int m_pendingCodePage = 0;
    QRgb m_pendingColour = 0;

    StyledText m_out;
    StyledLine m_line;
    QString m_scratch;
    bool m_lastBreakSoft = false;
};

StyledText RtfReader::read()
{
    // The caller has checked for "{\rtf"; the first brace opens the document group.
    while (m_p < m_end && *m_p != '{') ++m_p;
    if (m_p < m_end) ++m_p;
    while (m_p < m_end) {
        const uchar c = uchar(*m_p);
        if (c == '{') {
            ++m_p;
            m_skipFallback = 0;
            openGroup();
        } else if (c == '}') {
            ++m_p;
            m_skipFallback = 0;
            if (!closeGroup()) break;
        } else if (c == '\\') {
            ++m_p;
            if (m_p >= m_end) break;
            if ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z'))
                controlWord();
            else
                controlSymbol();
        } else {
            ++m_p;
            if (c == '\r' || c == '\n') continue;   // line ends of the file itself mean nothing
            if (m_skipFallback > 0) {
                --m_skipFallback;
                continue;
            }
            textByte(c);
        }
    }
    flushBytes();
    // A last paragraph without its mark counts only when it holds something; after a
    // \line the empty remainder is a line of its own.
    if (!m_line.text.isEmpty() || m_lastBreakSoft) breakLine(m_lastBreakSoft);
    if (m_over.kind != FileError::Kind::None) return {};
    return std::move(m_out);
}

void RtfReader::refuse(FileError::Limit limit, qint64 bound, qint64 line)
{
    if (m_over.kind == FileError::Kind::None)
        m_over = {FileError::Kind::TooLarge, {}, {}, 0, limit, bound, line};
    m_p = m_end;
    m_pending.clear();
}

void RtfReader::openGroup()
{
    if (m_saved.size() >= kMaxDepth) {
        ++m_excessDepth;
        return;
    }
    m_saved.append(m_st);
}

bool RtfReader::closeGroup()
{
    if (m_excessDepth > 0) {
        --m_excessDepth;
        return true;
    }
    if (m_saved.isEmpty()) return false;
    m_st = m_saved.takeLast();
    return true;
}

void RtfReader::controlWord()
{
    const char *start = m_p;
    while (m_p < m_end && ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z'))) ++m_p;
    const std::string_view word(start, size_t(std::min<ptrdiff_t>(m_p - start, 32)));
    bool hasParam = false;
    bool negative = false;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && *(m_p + 1) >= '0' && *(m_p + 1) <= '9') {
        negative = true;
        ++m_p;
    }
    qint64 value = 0;
    while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
        hasParam = true;
        if (value < 100000000000LL) value = value * 10 + (*m_p - '0');   // saturate giant numbers
        ++m_p;
    }
    if (m_p < m_end && *m_p == ' ') ++m_p;   // the delimiting space belongs to the word
    value = std::min<qint64>(value, std::numeric_limits<int>::max());
    m_wordAfterStar = start - 1 == m_afterStar;
    handleWord(word, hasParam, int(negative ? -value : value));
}

bool RtfReader::consumeFallback()
{
    if (m_skipFallback <= 0) return false;
    --m_skipFallback;
    return true;
}

void RtfReader::controlSymbol()
{
    const uchar c = uchar(*m_p++);
    switch (c) {
    case '\'': {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_p < m_end) {
            const char h = *m_p;
            int v;
            if (h >= '0' && h <= '9')
                v = h - '0';
            else if (h >= 'a' && h <= 'f')
                v = h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                v = h - 'A' + 10;
            else
                break;
            value = value * 16 + v;
            ++digits;
            ++m_p;
        }
        if (digits < 2) return;   // a cut escape stands for no byte
        if (consumeFallback()) return;
        if (m_st.dest == Dest::Text) appendByte(uchar(value));
        return;
    }
    case '\\':
    case '{':
    case '}':
        if (consumeFallback()) return;
        textByte(c);
        return;
    case '~':
        if (consumeFallback()) return;
        if (m_st.dest == Dest::Text) appendChar(0x00A0);
        return;
    case '_':
        if (consumeFallback()) return;
        if (m_st.dest == Dest::Text) appendChar(0x2011);
        return;
    case '-':   // optional hyphen: shown only where a line wraps
        consumeFallback();
        return;
    case '*':
        m_skipFallback = 0;
        m_afterStar = m_p;
        if (!m_saved.isEmpty()) m_st.dest = Dest::Skip;
        return;
    case '\r':
    case '\n':
        m_skipFallback = 0;
        if (m_st.dest == Dest::Text) endLine(false);
        return;
    default:
        m_skipFallback = 0;
        return;
    }
}

void RtfReader::textByte(uchar b)
{
    switch (m_st.dest) {
    case Dest::Text:
        if (b == '\t')
            appendChar(u'\t');
        else if (b >= 0x20)
            appendByte(b);
        return;
    case Dest::ColourTable:
        if (b == ';') {
            if (m_colours.size() < kMaxColours) m_colours.append(qRgb(m_red, m_green, m_blue) & 0xFFFFFF);
            m_red = m_green = m_blue = 0;
        }
        return;
    case Dest::FontTable:
        if (b == ';') m_st.definingFont = -1;
        return;
    case Dest::Skip:
        return;
    }
}

void RtfReader::handleWord(std::string_view word, bool hasParam, int param)
{
    const auto &map = keywords();
    const auto it = map.find(word);
    if (it == map.end()) {
        m_skipFallback = 0;
        return;
    }
    const KwInfo info = it->second;

    if (info.kw == Kw::Bin) {
        // Raw binary data: never text, and possibly any bytes at all.
        const qint64 n = hasParam ? std::max(param, 0) : 0;
        m_p += std::min<qint64>(n, m_end - m_p);
        consumeFallback();
        return;
    }
    if (info.kw == Kw::Char) {
        if (consumeFallback()) return;
        if (m_st.dest == Dest::Text) appendChar(info.ch);
        return;
    }
    m_skipFallback = 0;

    if (info.kw == Kw::Notes) {
        // Only the first group counts, so that however many a file holds it is read once.
        if (m_st.dest == Dest::Skip && m_wordAfterStar && !m_notesTried) readNotes();
        return;
    }
    if (m_st.dest == Dest::Skip) return;

    if (m_st.dest == Dest::FontTable) {
        m_codePageKnown = false;
        switch (info.kw) {
        case Kw::F:
            m_st.definingFont = param;
            if (!m_fonts.contains(param) && m_fonts.size() < kMaxFonts) m_fonts.insert(param, {});
            return;
        case Kw::FCharset:
            if (m_st.definingFont >= 0 && m_fonts.contains(m_st.definingFont))
                m_fonts[m_st.definingFont].charsetCodePage = codePageForCharset(param);
            return;
        case Kw::Cpg:
            if (m_st.definingFont >= 0 && m_fonts.contains(m_st.definingFont))
                m_fonts[m_st.definingFont].cpg = std::max(param, 0);
            return;
        case Kw::SkipDest:
            m_st.dest = Dest::Skip;
            return;
        default:
            return;
        }
    }

    if (m_st.dest == Dest::ColourTable) {
        const int v = std::clamp(param, 0, 255);
        switch (info.kw) {
        case Kw::Red:
            m_red = v;
            return;
        case Kw::Green:
            m_green = v;
            return;
        case Kw::Blue:
            m_blue = v;
            return;
        default:
            return;
        }
    }

    // Destinations are honoured only in nested groups: a stray one at the top level
    // must not swallow the rest of the document.
    const bool nested = !m_saved.isEmpty();
    switch (info.kw) {
    case Kw::Par:
        endLine(false);
        return;
    case Kw::Line:
        endLine(true);
        return;
    case Kw::Row:
        endLine(false);
        return;
    case Kw::Tab:
    case Kw::Cell:
        appendChar(u'\t');
        return;
    case Kw::Cf:
        m_st.colour = hasParam ? param : 0;
        return;
    case Kw::F:
        m_st.font = hasParam ? param : -1;
        return;
    case Kw::Plain:
        m_st.font = -1;
        m_st.colour = 0;
        return;
    case Kw::Uc:
        m_st.uc = std::max(param, 0);
        return;
    case Kw::U: {
        int code = param;
        if (code < 0) code += 65536;
        appendChar(code >= 0 && code <= 0xFFFF ? char16_t(code) : char16_t(0xFFFD));
        m_skipFallback = m_st.uc;
        return;
    }
    case Kw::AnsiCpg:
        m_ansiCpg = std::max(param, 0);
        m_codePageKnown = false;
        return;
    case Kw::Deff:
        m_defaultFont = param;
        m_codePageKnown = false;
        return;
    case Kw::FontTbl:
        if (nested) {
            m_st.dest = Dest::FontTable;
            m_st.definingFont = -1;
        }
        return;
    case Kw::ColorTbl:
        if (nested) {
            flushBytes();
            m_st.dest = Dest::ColourTable;
            m_colours.clear();
            m_red = m_green = m_blue = 0;
        }
        return;
    case Kw::SkipDest:
        if (nested) m_st.dest = Dest::Skip;
        return;
    default:
        return;
    }
}

void RtfReader::readNotes()
{
    m_notesTried = true;
    NotesReader reader(m_p, m_end);
    if (std::optional<ProgramNotes> found = reader.read()) {
        m_notes = std::move(*found);
        m_p = reader.pos();
        closeGroup();
        return;
    }
    // Damaged notes are lost, and only they. A group whose braces balance is skipped as
    // every reader skips it; one that lost a closing brace (or has one too many) would
    // swallow the program after it, so it ends where something other than notes starts.
    if (!closesDocument(m_p, m_end, m_saved.size() + m_excessDepth)) {
        m_p = pastNotes(reader.pos(), m_end);
        closeGroup();
    }
}

int RtfReader::currentCodePage()
{
    // Asked for every byte of text: the answer stands until the font or its table changes.
    if (m_codePageKnown && m_codePageFont == m_st.font) return m_codePage;
    m_codePageKnown = true;
    m_codePageFont = m_st.font;
    m_codePage = findCodePage();
    return m_codePage;
}

int RtfReader::findCodePage() const
{
    const int font = m_st.font >= 0 ? m_st.font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd()) {
        if (it->cpg > 0) return it->cpg;
        if (it->charsetCodePage > 0) return it->charsetCodePage;
    }
    return m_ansiCpg > 0 ? m_ansiCpg : kDefaultCodePage;
}

QRgb RtfReader::currentColour() const
{
    // Index 0 is normally the "auto" entry, read as black; a table without it starts
    // with a real colour, which index 0 then means.
    return m_st.colour >= 0 && m_st.colour < m_colours.size() ? m_colours.at(m_st.colour) : QRgb(0);
}

void RtfReader::appendByte(uchar b)
{
    const int cp = currentCodePage();
    const QRgb colour = currentColour();
    if (!m_pending.empty() && (cp != m_pendingCodePage || colour != m_pendingColour)) flushBytes();
    m_pending.push_back(char(b));
    m_pendingCodePage = cp;
    m_pendingColour = colour;
}

void RtfReader::appendChar(char16_t c)
{
    flushBytes();
    m_scratch.resize(0);   // keeps its buffer: this runs for every run of text
    m_scratch.append(QChar(c));
    addText(m_scratch, currentColour());
}

void RtfReader::flushBytes()
{
    if (m_pending.empty()) return;
    m_scratch.resize(0);
    m_decoder.decode(m_pendingCodePage, QByteArrayView(m_pending.data(), qsizetype(m_pending.size())),
                     m_scratch);
    m_pending.clear();
    addText(m_scratch, m_pendingColour);
}

void RtfReader::addText(const QString &s, QRgb colour)
{
    // A separator in the text itself (a soft line break written as \u8232, a form feed)
    // ends the line as \line and \par do.
    const qsizetype n = s.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s.at(i);
        if (!isLineBreak(c)) continue;
        addRun(QStringView(s).mid(start, i - start), colour);
        if (c == u'\r' && i + 1 < n && s.at(i + 1) == u'\n') ++i;
        breakLine(c == QChar::LineSeparator);
        start = i + 1;
    }
    addRun(QStringView(s).mid(start), colour);
}

void RtfReader::addRun(QStringView s, QRgb colour)
{
    const int n = int(s.size());
    if (n <= 0 || m_over.kind != FileError::Kind::None) return;
    if (m_line.text.size() + n > m_limits.lineLength)
        return refuse(FileError::Limit::LineLength, m_limits.lineLength, m_out.size() + 1);
    m_line.text.append(s);
    if (!m_line.runs.isEmpty() && m_line.runs.last().colour == colour)
        m_line.runs.last().length += n;
    else
        m_line.runs.append(ColourRun {n, colour});
}

void RtfReader::endLine(bool softBreak)
{
    flushBytes();
    breakLine(softBreak);
}

void RtfReader::breakLine(bool softBreak)
{
    if (m_over.kind != FileError::Kind::None) return;
    if (m_out.size() >= m_limits.lines) return refuse(FileError::Limit::Lines, m_limits.lines);
    m_out.append(std::move(m_line));
    m_line = StyledLine();
    m_lastBreakSoft = softBreak;
}

}   // namespace

std::optional<StyledText> readRtf(const QByteArray &data, const ReadLimits &limits, FileError *over)
{
    return readRtf(data, limits, over, nullptr);
}

std::optional<StyledText> readRtf(const QByteArray &data, const ReadLimits &limits, FileError *over,
                                  ProgramNotes *notes)
{
    if (notes) *notes = {};
    QByteArrayView view(data);
    if (view.startsWith("\xEF\xBB\xBF")) view = view.sliced(3);
    qsizetype i = 0;
    while (i < view.size() && (view[i] == ' ' || view[i] == '\t' || view[i] == '\r' || view[i] == '\n')) ++i;
    if (!view.sliced(i).startsWith("{\\rtf")) return std::nullopt;
    RtfReader reader(view.sliced(i), limits);
    StyledText text = reader.read();
    if (reader.over().kind != FileError::Kind::None)
        *over = reader.over();
    else if (notes)
        *notes = std::move(reader.notes());
    return text;
}

std::optional<StyledText> readRtf(const QByteArray &data)
{
    constexpr qsizetype most = std::numeric_limits<qsizetype>::max();
    FileError unused;
    return readRtf(data, ReadLimits {most, most}, &unused);
}
