// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TextInternals.h"
#include <QTextDocument>
#include <algorithm>
#include <QTextLayout>
#include <QtGui/private/qtextdocument_p.h>
#include <QtGui/private/qtextengine_p.h>
#include <unordered_map>

std::vector<FormatRun> formatRuns(const QTextDocument &document, QString *rawText)
{
    const QTextDocumentPrivate *d = QTextDocumentPrivate::get(&document);
    const auto &fragments = d->fragmentMap();
    const QString buffer = d->buffer();
    QChar *out = nullptr;
    if (rawText) {
        rawText->resize(d->length());
        out = rawText->data();
    }
    std::vector<FormatRun> runs;
    runs.reserve(fragments.numNodes());
    // In order from the first fragment: the successor step is cheap, a position is not.
    for (auto it = fragments.begin(); !it.atEnd(); ++it) {
        const int format = it.value()->format;
        const int length = it.size();
        if (out) {
            std::copy_n(buffer.constData() + it.value()->stringPosition, length, out);
            out += length;
        }
        if (!runs.empty() && runs.back().formatIndex == format)
            runs.back().length += length;
        else
            runs.push_back({length, format});
    }
    if (rawText) rawText->chop(1);   // the document's final line break
    return runs;
}

bool holdsTextObjects(const QTextDocument &document)
{
    const QList<QTextFormat> formats = document.allFormats();
    return std::any_of(formats.begin(), formats.end(),
                       [](const QTextFormat &f) { return f.isCharFormat() && f.objectIndex() != -1; });
}

void setCharacterFormat(QTextDocument *document, int from, int length, const QTextCharFormat &format,
                        bool keepTextObjects)
{
    if (length <= 0) return;
    QTextDocumentPrivate::get(document)->setCharFormat(
        from, length, format,
        keepTextObjects ? QTextDocumentPrivate::SetFormatAndPreserveObjectIndices
                        : QTextDocumentPrivate::SetFormat);
}

namespace {

using Fragments = QFragmentMap<QTextFragmentData>;

bool isBlockSeparator(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QTextBeginningOfFrame || c == QTextEndOfFrame;
}

// The fragment holding pos is cut in two there, the toolkit's way.
void splitAt(Fragments &fragments, int pos)
{
    const uint x = fragments.findNode(pos);
    if (!x) return;
    const int start = int(fragments.position(x));
    if (start == pos) return;
    const int oldSize = int(fragments.fragment(x)->size_array[0]);
    fragments.setSize(x, pos - start);
    const uint n = fragments.insert_single(pos, oldSize - (pos - start));
    const QTextFragmentData *before = fragments.fragment(x);   // the insertion may move them
    QTextFragmentData *after = fragments.fragment(n);
    after->stringPosition = before->stringPosition + pos - start;
    after->format = before->format;
}

// Fragment f and the next become one where they can, the toolkit's way: the same format, text
// that follows on in the buffer, and neither a block's edge.
void uniteWithNext(Fragments &fragments, const QString &buffer, uint f)
{
    const uint n = fragments.next(f);
    if (!n) return;
    const QTextFragmentData *first = fragments.fragment(f), *second = fragments.fragment(n);
    if (second->format != first->format ||
        first->stringPosition + int(first->size_array[0]) != second->stringPosition)
        return;
    if (isBlockSeparator(buffer.at(first->stringPosition)) ||
        isBlockSeparator(buffer.at(second->stringPosition)))
        return;
    fragments.setSize(f, int(first->size_array[0] + second->size_array[0]));
    fragments.erase_single(n);
}

}   // namespace

void setCharacterFormats(QTextDocument *document, const std::vector<FormatChange> &changes,
                         bool keepTextObjects)
{
    if (keepTextObjects || document->isUndoRedoEnabled()) {
        for (const FormatChange &c : changes)
            setCharacterFormat(document, c.from, c.length, *c.format, keepTextObjects);
        return;
    }
    QTextDocumentPrivate *d = QTextDocumentPrivate::get(document);
    Fragments &fragments = d->fragmentMap();
    const QString buffer = d->buffer();
    std::unordered_map<const QTextCharFormat *, int> indexes;
    const int length = d->length();
    int first = -1, last = -1;
    d->beginEditBlock();
    for (const FormatChange &c : changes) {
        if (c.length <= 0 || c.from < 0 || c.from + c.length > length) continue;
        auto known = indexes.find(c.format);
        if (known == indexes.end())
            known = indexes.emplace(c.format, d->formatCollection()->indexForFormat(*c.format)).first;
        const int end = c.from + c.length;
        splitAt(fragments, c.from);
        splitAt(fragments, end);
        for (int pos = c.from; pos < end;) {
            const uint n = fragments.findNode(pos);
            if (!n) break;
            QTextFragmentData *f = fragments.fragment(n);
            f->format = known->second;
            pos += std::min(end - pos, int(fragments.position(n) + f->size_array[0]) - pos);
        }
        if (const uint n = fragments.findNode(c.from - 1)) uniteWithNext(fragments, buffer, n);
        if (const uint n = fragments.findNode(end)) uniteWithNext(fragments, buffer, n);
        if (first < 0) first = c.from;
        last = end;
    }
    if (first >= 0) {
        // Every line from the first range to the last is laid out again, as the toolkit's
        // change of each range would have had it.
        const auto &blocks = d->blockMap();
        const uint lastBlock = blocks.findNode(last);
        for (uint b = blocks.findNode(first); b; b = blocks.next(b)) {
            if (QTextLayout *layout = blocks.fragment(b)->layout) layout->engine()->invalidate();
            if (b == lastBlock) break;
        }
        d->documentChange(first, last - first);
    }
    d->endEditBlock();
}
