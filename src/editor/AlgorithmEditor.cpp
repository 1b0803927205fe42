// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/AlgorithmEditor.h"
#include "common/Prompts.h"
#include "common/ShownHorizontalBar.h"
#include "documents/LineBreaks.h"
#include "editor/ColouredClipboard.h"
#include "editor/CommandInsertion.h"
#include "lang/Highlight.h"
#include "editor/LinePainter.h"
#include "lang/LineMarks.h"
#include "lang/Normalize.h"
#include "base/TextCatalogue.h"
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

namespace {

bool blockHasColour(const QTextBlock &b, QRgb colour)
{
    for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().isValid() && colourOf(it.fragment().charFormat()) != colour) return false;
    return true;
}

// Keys that produce a character in the text: the ones the key handler sees.
bool isCharacterKey(const QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
        return true;
    default:
        break;
    }
    const Qt::KeyboardModifiers m = e->modifiers();
    if ((m & Qt::ControlModifier) && !(m & Qt::AltModifier)) return false;
    const QString t = e->text();
    return !t.isEmpty() && (t.at(0).isPrint() || t.at(0) == QLatin1Char('\t'));
}

// A key that types a printable character with no Ctrl, Alt or Meta held is none of the
// standard keys the editor handles itself: every binding of those holds one of them or is
// a key that types nothing. Asking the platform's bindings costs more than the typing.
bool typesPlainly(const QKeyEvent *e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString t = e->text();
    return !t.isEmpty() && t.at(0).isPrint();
}

// Backspace with nothing held is no standard key's binding either.
bool erasesPlainly(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Backspace && e->modifiers() == Qt::NoModifier;
}

// The toolkit's plain-text layout reads a change as reaching as far as the characters
// removed and added together. A key typed into a line that is then coloured counts every
// character of the line once removed and once added, and so looks like a change of the
// lines below as well: they are laid out again and the whole view repainted, and the typed
// line is laid out twice. A change whose new characters stay within one line, with the
// number of lines unchanged, changed that line alone, as the layout is told here.
class LineLayout : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

protected:
    void documentChanged(int from, int removed, int added) override
    {
        const QTextDocument *d = document();
        const int blocks = d->blockCount();
        if (removed > 0 && added > 0 && blocks == m_blocks) {
            const QTextBlock b = d->findBlock(from);
            if (b.isValid() && from + added < b.position() + b.length()) removed = 0;
        }
        m_blocks = blocks;
        QPlainTextDocumentLayout::documentChanged(from, removed, added);
    }

private:
    int m_blocks = -1;
};

// Paints through the editor, which knows where each line lies.
class LineNumberGutter : public QWidget {
public:
    explicit LineNumberGutter(AlgorithmEditor *editor) : QWidget(editor), m_editor(editor)
    {
        setObjectName(QStringLiteral("lineNumbers"));
    }

protected:
    void paintEvent(QPaintEvent *e) override { m_editor->paintGutter(e); }

private:
    AlgorithmEditor *m_editor;
};

// The editor's font is "Times New Roman". Where it is missing (most Linux machines) the toolkit
// searches its fallbacks once for every writing system in the text, each search a sort of every
// installed font; the face it settles on is asked for once here and named from then on, so the
// text looks the same and no search runs again, at start or when zooming. Asked at the size
// first shown, the face the answer loads is the one the editor then uses.
QString editorFamily(int pixelSize)
{
    // Where the face is installed the answer is its own name; asking the font database first
    // whether it is would cost a font match of its own.
    static const QString family = [pixelSize] {
        const QString wanted = QStringLiteral("Times New Roman");
        QFont probe(wanted);
        probe.setPixelSize(pixelSize);
        const QString found = QFontInfo(probe).family();
        return found.isEmpty() ? wanted : found;
    }();
    return family;
}

}   // namespace

AlgorithmEditor::AlgorithmEditor(QWidget *parent, Language lang)
      : QPlainTextEdit(parent), m_language(lang), m_lexicon(&Lexicon::forLanguage(lang)), m_captions([lang] {
            auto c = DialogCaptions::forLanguage(lang);
            return c ? *c : *DialogCaptions::forLanguage(Language::Rus);
        }())
{
    setObjectName(QStringLiteral("doc"));
    {
        auto *d = new QTextDocument(this);
        d->setDocumentLayout(new LineLayout(d));
        setDocument(d);
    }
    setZoomPoints(DefaultZoom);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // Both bars are always on show; the horizontal one is our own (see ShownHorizontalBar).
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_hbar = std::make_unique<ShownHorizontalBar>(this);
    layoutHorizontalBar();
    // The line being executed must stay marked while the focus is elsewhere.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText,
               p.color(QPalette::Active, QPalette::HighlightedText));
    // The statement colours are saved in the pupil's files and made for white paper: under
    // a dark theme they would stand on a dark ground. The editor keeps its own paper.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, Qt::white);
        p.setColor(g, QPalette::Text, Qt::black);
        p.setColor(g, QPalette::PlaceholderText, Qt::darkGray);
    }
    setPalette(p);
    // contentsChange tells that text really changed; contentsChanged comes once at the end
    // of the outermost edit, when the caret is where the edit leaves it.
    watchDocument(document());
    setLanguage(lang);
}

AlgorithmEditor::~AlgorithmEditor() = default;

QScrollBar *AlgorithmEditor::shownHorizontalScrollBar() const { return m_hbar->bar(); }

void AlgorithmEditor::watchDocument(QTextDocument *d)
{
    connect(d, &QTextDocument::contentsChange, this, [this](int, int, int) {
        if (!m_painting && m_holdChange == 0) m_pendingChange = true;
    });
    connect(d, &QTextDocument::contentsChanged, this, &AlgorithmEditor::onContentsChanged);
}

AlgorithmEditor::NewText::NewText(AlgorithmEditor &editor)
      : m_editor(editor), m_doc(std::make_unique<QTextDocument>()), m_old(editor.document()),
        m_oldCursor(editor.textCursor()), m_format(editor.currentCharFormat()),
        m_oldScroll(editor.verticalScrollBar()->value()), m_oldHScroll(editor.horizontalScrollBar()->value())
{
    m_doc->setDefaultFont(m_old->defaultFont());
    m_doc->setDefaultTextOption(m_old->defaultTextOption());
    m_doc->setDocumentMargin(m_old->documentMargin());
    // Filling it is no step of anybody's history.
    m_doc->setUndoRedoEnabled(false);
    m_doc->setDocumentLayout(new LineLayout(m_doc.get()));
    // The toolkit deletes its own first document when another is shown; the old one has
    // to outlive the new one's filling.
    m_old->setParent(&editor);
    m_editor.setDocument(m_doc.get());
    m_shown = true;
}

AlgorithmEditor::NewText::~NewText()
{
    if (m_doc && m_shown) showOld();
}

void AlgorithmEditor::NewText::showOld()
{
    m_editor.setDocument(m_old);
    m_editor.setTextCursor(m_oldCursor);
    m_editor.verticalScrollBar()->setValue(m_oldScroll);
    m_editor.horizontalScrollBar()->setValue(m_oldHScroll);
    m_shown = false;
}

void AlgorithmEditor::NewText::stepAside()
{
    if (!m_shown) return;
    showOld();
    // Back to a document of nobody's: no layout follows its filling.
    m_doc->setDocumentLayout(nullptr);
}

void AlgorithmEditor::NewText::adopt()
{
    QTextDocument *d = m_doc.release();
    d->setUndoRedoEnabled(true);
    d->setParent(&m_editor);
    if (!m_shown) {
        // Laid out once, whole, now that it is complete.
        d->setDocumentLayout(new LineLayout(d));
        m_editor.setDocument(d);
    }
    m_shown = false;
    m_editor.watchDocument(d);
    m_oldCursor = QTextCursor();
    delete m_old;
    // The toolkit says nothing of the history the new document has (none).
    emit m_editor.undoAvailable(d->isUndoAvailable());
    emit m_editor.redoAvailable(d->isRedoAvailable());
    const int last = m_editor.lineCount() - 1;
    m_editor.setCaret(last, int(m_editor.line(last).size()));
    // A text that arrives whole keeps the colours it came with: colouring the line at the
    // caret by the interface's keywords would repaint a program written in another
    // Language, and a "**" line would open a dialog. Only an edit colours.
    emit m_editor.documentChanged();
}

void AlgorithmEditor::layoutHorizontalBar()
{
    if (!m_hbar) return;   // not yet built
    const int extent = m_hbar->fitCorner();
    const int left = gutterWidth();
    if (viewportMargins().bottom() != extent || viewportMargins().left() != left)
        setViewportMargins(left, 0, 0, extent);
    const QRect v = viewport()->geometry();
    m_hbar->place(v);
    if (m_gutter) {
        m_gutter->setGeometry(v.left() - left, v.top(), left, v.height());
        m_gutter->setVisible(m_gutterOn);
    }
}

void AlgorithmEditor::resizeEvent(QResizeEvent *e)
{
    QPlainTextEdit::resizeEvent(e);
    layoutHorizontalBar();
}

void AlgorithmEditor::changeEvent(QEvent *e)
{
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::StyleChange) layoutHorizontalBar();
}

void AlgorithmEditor::setLanguage(Language lang)
{
    m_language = lang;
    m_lexicon = &Lexicon::forLanguage(lang);
    if (auto c = DialogCaptions::forLanguage(lang)) m_captions = *c;
    if (auto t = uiText("editor.linesTotal", lang)) m_linesLabel = *t;
    if (auto t = uiText("editor.currentLine", lang)) m_currentLabel = *t;
    if (auto t = uiText("editor.clearQuestion", lang)) m_clearQuestion = *t;
}

// ---- ProgramText -------------------------------------------------------------------

int AlgorithmEditor::lineCount() const { return document()->blockCount(); }

int AlgorithmEditor::gutterWidth() const
{
    if (!m_gutterOn) return 0;
    int digits = 1;
    for (int n = panelLineCount(true); n >= 10; n /= 10) ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(2, digits);
}

void AlgorithmEditor::setLineNumbersVisible(bool on)
{
    if (on == m_gutterOn) return;
    m_gutterOn = on;
    if (on && !m_gutter) {
        m_gutter = new LineNumberGutter(this);
        connect(this, &QPlainTextEdit::updateRequest, m_gutter, [this](const QRect &r, int dy) {
            if (!m_gutterOn) return;
            if (dy)
                m_gutter->scroll(0, dy);
            else
                m_gutter->update(0, r.y(), m_gutter->width(), r.height());
        });
        // More digits need a wider gutter; the count changes also when the last line
        // stops or starts being empty.
        connect(this, &QPlainTextEdit::textChanged, this, [this] {
            if (m_gutterOn && gutterWidth() != viewportMargins().left()) layoutHorizontalBar();
        });
    }
    layoutHorizontalBar();
}

void AlgorithmEditor::setRunLine(int k)
{
    if (k == m_runLine) return;
    m_runLine = k;
    if (m_gutterOn) m_gutter->update();
}

void AlgorithmEditor::paintGutter(QPaintEvent *e)
{
    QPainter p(m_gutter);
    p.fillRect(e->rect(), palette().color(QPalette::Window));
    p.setFont(font());
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    const int right = m_gutter->width() - 4;
    // The lines the status bar counts: an empty last line has no number.
    const int numbered = panelLineCount(true);
    while (block.isValid() && top <= e->rect().bottom()) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible() && top + height >= e->rect().top()) {
            const QRect row(0, int(top), m_gutter->width(), int(height));
            const bool running = block.blockNumber() == m_runLine;
            if (running) p.fillRect(row, palette().color(QPalette::Highlight));
            p.setPen(running ? palette().color(QPalette::HighlightedText) : QColor(0x80, 0x80, 0x80));
            if (block.blockNumber() < numbered)
                p.drawText(QRect(0, int(top), right, int(height)), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(block.blockNumber() + 1));
        }
        top += height;
        block = block.next();
    }
}

QString AlgorithmEditor::line(int k) const
{
    if (k < 0 || k >= document()->blockCount()) return QString();
    return document()->findBlockByNumber(k).text();
}

void AlgorithmEditor::replaceLine(int k, const QString &text)
{
    if (k < 0 || k >= document()->blockCount()) return;
    const QTextBlock b = document()->findBlockByNumber(k);
    QTextCursor c(document());
    c.setPosition(b.position());
    c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
    c.insertText(text);   // the change handler runs from the document's notification
}

// ---- caret -------------------------------------------------------------------------

QTextBlock AlgorithmEditor::caretBlock() const { return document()->findBlock(textCursor().selectionEnd()); }

void AlgorithmEditor::selectLine(int k)
{
    if (k < 0) return;
    QTextCursor c(document());
    if (k >= document()->blockCount()) {
        c.movePosition(QTextCursor::End);
    } else {
        const QTextBlock b = document()->findBlockByNumber(k);
        c.setPosition(b.position() + b.length() - 1);
        c.setPosition(b.position(), QTextCursor::KeepAnchor);
    }
    setTextCursor(c);
}

LineColumn AlgorithmEditor::caretLineColumn() const
{
    const int pos = textCursor().selectionEnd();
    const QTextBlock b = document()->findBlock(pos);
    return {b.blockNumber(), pos - b.position()};
}

void AlgorithmEditor::setCaret(int line, int column)
{
    line = std::clamp(line, 0, document()->blockCount() - 1);
    const QTextBlock b = document()->findBlockByNumber(line);
    column = std::clamp(column, 0, b.length() - 1);
    QTextCursor c(document());
    c.setPosition(b.position() + column);
    setTextCursor(c);
}

void AlgorithmEditor::replaceCaretLine(const QString &text)
{
    const QTextBlock b = caretBlock();
    changeAtCaret([&](QTextCursor &c) {
        c.setPosition(b.position());
        c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
        c.insertText(text);
    });
}

bool AlgorithmEditor::rewriteLines(const QStringList &lines)
{
    QTextDocument *d = document();
    if (lines.size() != d->blockCount()) return false;
    const LineColumn lc = caretLineColumn();
    bool changed = false;
    {
        // The change handler would colour one line; all of them are coloured below.
        ChangeHold hold(this);
        QTextCursor c(d);
        c.beginEditBlock();
        for (int k = 0; k < lines.size(); ++k) {
            const QTextBlock b = d->findBlockByNumber(k);
            if (b.text() == lines.at(k)) continue;
            c.setPosition(b.position());
            c.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
            c.insertText(lines.at(k));
            changed = true;
        }
        c.endEditBlock();
    }
    m_pendingChange = false;
    if (!changed) return false;
    setCaret(lc.line, lc.column);
    recolourAll();   // joins the edit: undo takes back text and colours together
    emit documentChanged();
    return true;
}

// ---- colouring ---------------------------------------------------------------------

void AlgorithmEditor::paintBlocks(int from, const std::function<void(LinePainter &)> &paint)
{
    QTextDocument *d = document();
    const bool hadUndo = d->isUndoAvailable();
    // With no history at all (a text just set) there is nothing to join: the colouring is
    // recorded nowhere, which spares the toolkit an undo step per painted range.
    const bool unrecorded = !hadUndo && !d->isRedoAvailable() && d->isUndoRedoEnabled();
    if (unrecorded) d->setUndoRedoEnabled(false);
    QScopedValueRollback<bool> guard(m_painting, true);
    LinePainter painter(d);
    QTextCursor &c = painter.cursor();
    c.setPosition(from);   // where the first colouring starts: no cursor step is recorded
    // Folded into the edit it follows, so undo never stops at a mere colouring.
    c.joinPreviousEditBlock();
    paint(painter);
    painter.flush();
    c.endEditBlock();
    if (unrecorded) d->setUndoRedoEnabled(true);
    // With nothing to join, the colouring would have become a step of its own.
    if (!hadUndo && d->isUndoAvailable()) d->clearUndoRedoStacks(QTextDocument::UndoStack);
}

void AlgorithmEditor::paintCaretLine(QRgb colour)
{
    QTextCursor cur = textCursor();
    const int pos = cur.selectionEnd();
    const QTextBlock b = document()->findBlock(pos);
    if (b.length() > 1) paintBlocks(b.position(), [&](LinePainter &p) { p.paint(b, colour); });
    if (cur.hasSelection() || cur.position() != pos) {
        cur.setPosition(pos);
        setTextCursor(cur);
    }
    // An empty line has no characters to colour: what gets the colour is what is
    // typed there next.
    if (b.length() <= 1) {
        QTextCursor t = textCursor();
        t.setCharFormat(withColour(t.charFormat(), colour));
        setTextCursor(t);
    }
}

void AlgorithmEditor::paintLine(int k, QRgb colour)
{
    if (k < 0 || k >= document()->blockCount()) return;
    const QTextBlock b = document()->findBlockByNumber(k);
    paintBlocks(b.position(), [&](LinePainter &p) { p.paint(b, colour); });
    QTextCursor sel(document());
    sel.setPosition(b.position());
    sel.setPosition(b.position() + b.length() - 1, QTextCursor::KeepAnchor);
    setTextCursor(sel);
}

QRgb AlgorithmEditor::lineColour(int k) const
{
    if (k < 0 || k >= document()->blockCount()) return LineColour::Black;
    const QTextBlock b = document()->findBlockByNumber(k);
    for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().isValid()) return colourOf(it.fragment().charFormat());
    return LineColour::Black;
}

bool AlgorithmEditor::lineIsUniform(int k) const
{
    if (k < 0 || k >= document()->blockCount()) return true;
    return blockHasColour(document()->findBlockByNumber(k), lineColour(k));
}

void AlgorithmEditor::recolourAll()
{
    const LineColumn lc = caretLineColumn();
    QTextDocument *d = document();
    const Lexicon &lex = *m_lexicon;
    paintBlocks(0, [&](LinePainter &p) {
        auto colourFor = [&](const QString &text) { return p.classified(text, lex); };
        if (p.paintEveryLine(colourFor)) return;
        for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) p.paint(b, colourFor);
    });
    setCaret(lc.line, lc.column);
}

// ---- change and key handlers -------------------------------------------------------

void AlgorithmEditor::onContentsChanged()
{
    if (!m_pendingChange || m_painting || m_holdChange > 0) return;
    m_pendingChange = false;
    handleChange();
}

void AlgorithmEditor::changeAtCaret(const std::function<void(QTextCursor &)> &edit)
{
    QTextCursor c = textCursor();
    const Snapshot before = snapshot();
    c.beginEditBlock();
    edit(c);
    setTextCursor(c);
    finishEdit(c, before);
    ensureCursorVisible();
}

AlgorithmEditor::Snapshot AlgorithmEditor::snapshot() const
{
    const QTextBlock b = caretBlock();
    return {document()->characterCount(), b.blockNumber(), b.text()};
}

void AlgorithmEditor::finishEdit(QTextCursor &block, const Snapshot &before)
{
    const bool changed =
        document()->characterCount() != before.characters || line(before.line) != before.lineText;
    // Colouring inside the same edit costs the toolkit one layout pass instead of two.
    if (changed && paintForChange()) {
        {
            ChangeHold hold(this);
            block.endEditBlock();
        }
        m_pendingChange = false;
        emit documentChanged();
    } else if (!changed) {
        // A key handler's colouring alone is no text change.
        ChangeHold hold(this);
        block.endEditBlock();
    } else {
        block.endEditBlock();   // the "**" row: the change handler runs from the notification
    }
}

bool AlgorithmEditor::paintForChange()
{
    if (!m_changeColours) return true;
    const ChangeRule r = classifyOnChange(normalizeLine(caretBlock().text()), *m_lexicon);
    if (r.kind != ChangeRule::Paint) return false;
    paintCaretLine(r.colour);
    return true;
}

void AlgorithmEditor::handleChange()
{
    if (!paintForChange()) {
        // "**" becomes a plain comment mark: a change of its own, handled nested.
        replaceCaretLine(QString(LineMark::Comment));
        if (openExtendedSettings) openExtendedSettings();
    }
    emit documentChanged();
}

void AlgorithmEditor::handleKeyPress()
{
    refreshLinePanels(false);
    paintCaretLine(classifyOnKey(normalizeLine(caretBlock().text()), *m_lexicon));
}

void AlgorithmEditor::keyPressEvent(QKeyEvent *e)
{
    if (handleAccessKey(e)) return;
    if (!typesPlainly(e) && !erasesPlainly(e) && handleStandardKey(e)) return;
    // The key, its colourings and its change handling form one undo group and one edit;
    // the change handler runs once the key has fully taken effect.
    const Snapshot before = snapshot();
    QTextCursor block = textCursor();
    block.beginEditBlock();
    if (isCharacterKey(e)) handleKeyPress();
    const bool typed = typeAtCaret(e);
    if (!typed) QPlainTextEdit::keyPressEvent(e);
    finishEdit(block, before);
    // Only now, the line laid out once with its colours, does the toolkit learn where
    // the caret stands; setting the caret brings it into view as well.
    if (typed)
        setTextCursor(textCursor());
    else if (e->isAccepted())
        ensureCursorVisible();
}

bool AlgorithmEditor::typeAtCaret(QKeyEvent *e)
{
    // A typed character, or Backspace, as the toolkit would do it to the same cursor. The
    // toolkit asks where the caret stands right after the change, inside our edit, which
    // lays the line out once before it is coloured and once again after.
    if (!(textInteractionFlags() & Qt::TextEditable) || overwriteMode()) return false;
    QTextCursor c = textCursor();
    if (c.hasSelection()) return false;
    if (e->key() == Qt::Key_Backspace) {
        if (e->modifiers() & ~Qt::ShiftModifier) return false;
        // An indented or listed line's Backspace is the toolkit's own.
        if (c.blockFormat().indent() > 0 || c.currentList()) return false;
        c.deletePreviousChar();
    } else if (typesPlainly(e)) {
        c.insertText(e->text());
    } else {
        return false;
    }
    e->accept();
    return true;
}

bool AlgorithmEditor::handleStandardKey(QKeyEvent *e)
{
    // Shift+Enter would break the line only on the screen; pupils typing capitals hold
    // Shift, and what looks like a new line must be one. It is a plain Enter.
    if (e->matches(QKeySequence::InsertLineSeparator)) {
        QKeyEvent enter(e->type(), e->key(), e->modifiers() & Qt::KeypadModifier, e->text(),
                        e->isAutoRepeat(), ushort(e->count()));
        keyPressEvent(&enter);
        e->setAccepted(enter.isAccepted());
        return true;
    }
    if (e->matches(QKeySequence::Undo)) {
        if (!isReadOnly()) undoEdit();
    } else if (e->matches(QKeySequence::Redo) ||
               (e->key() == Qt::Key_Y && e->modifiers() == Qt::ControlModifier)) {
        if (!isReadOnly()) redoEdit();
    } else if (e->matches(QKeySequence::Paste)) {
        pasteClipboard();
    } else if (e->matches(QKeySequence::Cut)) {
        cutSelection();
    } else {
        return false;
    }
    e->accept();
    return true;
}

// ---- keyboard-only use and zoom ------------------------------------------------------

bool AlgorithmEditor::handleAccessKey(QKeyEvent *e)
{
    const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = m & Qt::ControlModifier, alt = m & Qt::AltModifier;
    // Alt with a letter is a menu's access key, never text. Ctrl+Alt is AltGr on some
    // systems, and AltGr's third-level characters are text.
    if (alt && !ctrl && !e->text().isEmpty() && e->text().at(0).isPrint()) {
        e->ignore();
        return true;
    }
    const int key = e->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !alt) {
        // Ctrl+Tab leaves the editor: the window knows its areas and where the keyboard goes.
        if (ctrl) {
            e->ignore();
            return true;
        }
        if (!isReadOnly()) indentLines(key == Qt::Key_Backtab || (m & Qt::ShiftModifier));
        e->accept();
        return true;
    }
    if (ctrl && !alt) {
        if (key == Qt::Key_Plus || key == Qt::Key_Equal || e->matches(QKeySequence::ZoomIn)) {
            setZoomPoints(m_zoomPoints + 1);
        } else if (key == Qt::Key_Minus || e->matches(QKeySequence::ZoomOut)) {
            setZoomPoints(m_zoomPoints - 1);
        } else if (key == Qt::Key_0) {
            setZoomPoints(DefaultZoom);
        } else {
            return false;
        }
        e->accept();
        return true;
    }
    return false;
}

void AlgorithmEditor::indentLines(bool outdent)
{
    QTextDocument *d = document();
    const QTextCursor sel = textCursor();
    const QTextBlock first = d->findBlock(sel.selectionStart());
    QTextBlock last = d->findBlock(sel.selectionEnd());
    // A selection that ends at a line's start does not take that line along.
    if (sel.hasSelection() && last != first && sel.selectionEnd() == last.position()) last = last.previous();
    auto lineOf = [d](int pos) {
        const QTextBlock b = d->findBlock(pos);
        return LineColumn {b.blockNumber(), pos - b.position()};
    };
    LineColumn anchor = lineOf(sel.anchor()), caret = lineOf(sel.position());
    QList<int> shift;   // characters added (or taken) per line from `first` on
    bool changed = false;
    {
        ChangeHold hold(this);
        QTextCursor c(d);
        c.beginEditBlock();
        for (QTextBlock b = first; b.isValid() && b.blockNumber() <= last.blockNumber(); b = b.next()) {
            int n = 2;
            if (outdent) {
                const QString t = b.text();
                n = 0;
                while (n < 2 && n < t.size() && t.at(n) == QLatin1Char(' ')) ++n;
                if (n > 0) {
                    c.setPosition(b.position());
                    c.setPosition(b.position() + n, QTextCursor::KeepAnchor);
                    c.removeSelectedText();
                }
                n = -n;
            } else {
                c.setPosition(b.position());
                c.insertText(QStringLiteral("  "));
            }
            changed = changed || n != 0;
            shift << n;
        }
        if (changed) {
            const Lexicon &lex = *m_lexicon;
            const int from = first.position();
            const int lastLine = last.blockNumber();
            c.endEditBlock();
            paintBlocks(from, [&](LinePainter &p) {
                for (QTextBlock b = d->findBlock(from); b.isValid() && b.blockNumber() <= lastLine;
                     b = b.next())
                    p.paint(b, [&](const QString &text) { return p.classified(text, lex); });
            });
        } else {
            c.endEditBlock();
        }
    }
    m_pendingChange = false;
    if (!changed) return;
    auto moved = [&](LineColumn lc) {
        const int k = lc.line - first.blockNumber();
        if (k >= 0 && k < shift.size()) lc.column = std::max(0, lc.column + shift.at(k));
        return d->findBlockByNumber(lc.line).position() + lc.column;
    };
    QTextCursor c(d);
    c.setPosition(moved(anchor));
    c.setPosition(moved(caret), QTextCursor::KeepAnchor);
    setTextCursor(c);
    refreshLinePanels(false);
    emit documentChanged();
}

void AlgorithmEditor::setZoomPoints(int points)
{
    m_zoomPoints = std::clamp(points, int(MinZoom), int(MaxZoom));
    // 12 points is the 16 pixels the editor has always had; sizes keep to that scale
    // whatever the screen's dots per inch.
    const int pixels = m_zoomPoints * 4 / 3;
    QFont f(editorFamily(pixels));
    f.setPixelSize(pixels);
    // Said outright, so the editor does not take the dialog font's hint from the window: the
    // editor and its text are then the one font, loaded once, not two fonts of the same face.
    f.setStyleHint(QFont::AnyStyle);
    setFont(f);
    document()->setDefaultFont(f);
}

void AlgorithmEditor::wheelEvent(QWheelEvent *e)
{
    if (e->modifiers() & Qt::ControlModifier) {
        const int steps = e->angleDelta().y() / 120;
        if (steps != 0) setZoomPoints(m_zoomPoints + steps);
        e->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(e);
}

void AlgorithmEditor::inputMethodEvent(QInputMethodEvent *e)
{
    QTextCursor block = textCursor();
    block.beginEditBlock();
    const QString commit = e->commitString();
    if (std::any_of(commit.cbegin(), commit.cend(), isLineBreak)) {
        std::unique_ptr<QInputMethodEvent> lines(e->clone());
        lines->setCommitString(unifyLineBreaks(commit), e->replacementStart(), e->replacementLength());
        QPlainTextEdit::inputMethodEvent(lines.get());
        e->setAccepted(lines->isAccepted());
    } else {
        QPlainTextEdit::inputMethodEvent(e);
    }
    block.endEditBlock();
}

void AlgorithmEditor::mousePressEvent(QMouseEvent *e)
{
    QPlainTextEdit::mousePressEvent(e);
    refreshLinePanels(false);
}

void AlgorithmEditor::contextMenuEvent(QContextMenuEvent *e)
{
    e->accept();
    emit contextMenuRequested(e->globalPos());
}

// ---- clipboard ---------------------------------------------------------------------

bool AlgorithmEditor::canInsertFromMimeData(const QMimeData *source) const { return canPasteFrom(source); }

QMimeData *AlgorithmEditor::createMimeDataFromSelection() const { return copyOfSelection(textCursor()); }

void AlgorithmEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly()) return;
    const std::optional<QList<InsertPiece>> pieces = pastedPieces(source);
    if (!pieces) return;
    changeAtCaret([&](QTextCursor &c) {
        c.removeSelectedText();
        insertPasted(c, *pieces);
    });
}

// ---- edit commands -----------------------------------------------------------------

void AlgorithmEditor::undoEdit()
{
    if (!document()->isUndoAvailable()) return;
    stepHistory([this] { undo(); });
}

void AlgorithmEditor::redoEdit()
{
    if (!document()->isRedoAvailable()) return;
    stepHistory([this] { redo(); });
}

void AlgorithmEditor::stepHistory(const std::function<void()> &step)
{
    {
        ChangeHold hold(this);
        step();
    }
    m_pendingChange = false;
    // The step brings back the characters with the colours they had. Colouring them
    // again would be an edit of its own, and any edit empties the redo history.
    emit documentChanged();
}

void AlgorithmEditor::startFreshHistory() { document()->clearUndoRedoStacks(); }

void AlgorithmEditor::cutSelection()
{
    if (isReadOnly() || !textCursor().hasSelection()) return;
    QTextCursor block = textCursor();
    block.beginEditBlock();
    cut();
    block.endEditBlock();
}
void AlgorithmEditor::copySelection() { copy(); }

void AlgorithmEditor::clear()
{
    {
        QTextCursor c(document());
        c.beginEditBlock();
        c.select(QTextCursor::Document);
        c.removeSelectedText();
        c.endEditBlock();   // the change handler runs here, on a whole document
    }
    document()->clearUndoRedoStacks();
}

void AlgorithmEditor::setPlainText(const QString &text)
{
    if (text.isEmpty())
        clear();
    else
        QPlainTextEdit::setPlainText(text);   // rebuilds the text inside one edit
}
void AlgorithmEditor::pasteClipboard() { paste(); }
void AlgorithmEditor::selectEverything() { selectAll(); }

void AlgorithmEditor::clearAlgorithm()
{
    if (m_prompts && m_prompts->question(m_clearQuestion)) {
        changeAtCaret([](QTextCursor &c) {
            c.select(QTextCursor::Document);
            c.removeSelectedText();   // undoable, unlike clear()
        });
    }
    refreshLinePanels(true);
}

// ---- line panels -------------------------------------------------------------------

int AlgorithmEditor::panelLineCount(bool emptyCountsOne) const
{
    int n = document()->blockCount();
    if (document()->lastBlock().length() <= 1) --n;   // an empty last line is not counted
    if (n == 0 && emptyCountsOne) n = 1;
    return n;
}

QString AlgorithmEditor::linesTotalText(bool emptyCountsOne) const
{
    return m_linesLabel + QLatin1Char(' ') + QString::number(panelLineCount(emptyCountsOne));
}

QString AlgorithmEditor::currentLineText() const
{
    return m_currentLabel + QLatin1Char(' ') + QString::number(caretLineColumn().line + 1);
}

void AlgorithmEditor::refreshLinePanels(bool emptyCountsOne)
{
    emit linePanelsChanged(linesTotalText(emptyCountsOne), currentLineText());
}

// ---- command insertion -------------------------------------------------------------

void AlgorithmEditor::pasteCode(const QString &commandText)
{
    commandToInsert = commandText;
    pasteCode();
}

void AlgorithmEditor::pasteCode() { pasteCommand(*this, commandToInsert); }

void AlgorithmEditor::insertBeginEnd() { ::insertBeginEnd(*this); }
