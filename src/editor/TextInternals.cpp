// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TextInternals.h"
#include <QTextDocument>
#include <algorithm>
#include <QtGui/private/qtextdocument_p.h>

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
