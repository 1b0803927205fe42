// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/DialogCaptions.h"
#include "editor/TextColour.h"
#include "base/Language.h"
#include "lang/Lexicon.h"
#include "lang/ProgramText.h"
#include <QRgb>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <functional>
#include <memory>

class LinePainter;
class Prompts;
class QScrollBar;
class QTextBlock;
class QTextDocument;
class ShownHorizontalBar;

struct LineColumn {
    int line = 0;
    int column = 0;
    bool operator==(const LineColumn &) const = default;
};

// The algorithm editor "doc". Lines are the document's blocks; a line's colour lives in
// its characters. Every text change, by the user or by the program, runs handleChange
// exactly once; colouring is never a text change and never an undo step of its own.
// A plain-text widget: its layout touches only the changed block, so an edit costs the
// same on line 5 and on line 50,000. Colours travel through the clipboard by our own hand.
class AlgorithmEditor : public QPlainTextEdit, public ProgramText {
    Q_OBJECT
public:
    // Made in the Language it will be set to, its keywords and captions are read once.
    explicit AlgorithmEditor(QWidget *parent = nullptr, Language lang = Language::Rus);
    ~AlgorithmEditor() override;

    // Installs the Lexicon, the dialog captions, the panel labels and the clear
    // question. A Language other than the three keeps the texts (the Lexicon falls
    // back to Russian, as everywhere).
    void setLanguage(Language lang);
    Language language() const { return m_language; }
    const Lexicon &lexicon() const { return *m_lexicon; }
    const DialogCaptions &dialogCaptions() const { return m_captions; }

    void setPrompts(Prompts *prompts) { m_prompts = prompts; }
    Prompts *prompts() const { return m_prompts; }

    // Called after a "**" line has become "*"; the main window opens the
    // extended-settings dialog from it.
    std::function<void()> openExtendedSettings;

    // ProgramText
    int lineCount() const override;
    QString line(int k) const override;
    void replaceLine(int k, const QString &text) override;

    // Caret and selection. The caret is the end of the selection.
    void selectLine(int k);   // caret at line k's start, its text selected
    LineColumn caretLineColumn() const;
    void setCaret(int line, int column);   // clamped, no selection
    void replaceCaretLine(const QString &text);
    // Gives every line whose text differs from `lines` the new text, as one edit and one
    // undo step, then colours all lines. False, and nothing changed, when the line counts
    // differ or no line does.
    bool rewriteLines(const QStringList &lines);

    // Colouring (not editing).
    void paintCaretLine(QRgb colour);
    void paintLine(int k, QRgb colour);
    QRgb lineColour(int k) const;   // colour of the line's first character
    bool lineIsUniform(int k) const;   // every character in one colour

    // Line panels.
    int panelLineCount(bool emptyCountsOne) const;
    QString linesTotalText(bool emptyCountsOne) const;
    QString currentLineText() const;
    QString clearQuestion() const { return m_clearQuestion; }
    QString linesLabel() const { return m_linesLabel; }   // panel 1's word
    QString currentLineLabel() const { return m_currentLabel; }   // panel 2's word

    // Command insertion (editor/CommandInsertion): the command inserted by pasteCode().
    QString commandToInsert;
    void pasteCode();
    void pasteCode(const QString &commandText);

    // The line the caret is on (the end of the selection).
    QTextBlock caretBlock() const;
    // Runs `edit` on a cursor at the caret as one change and one undo step; the caret
    // goes where the cursor ends before the change handler runs.
    void changeAtCaret(const std::function<void(QTextCursor &)> &edit);

    // Whether the change handler colours (it does not on the Windows 9x family).
    void setChangeHandlerColours(bool on) { m_changeColours = on; }

    // The horizontal scroll bar on show. horizontalScrollBar() is the editor's own one,
    // kept hidden: it still does the scrolling and this one mirrors it both ways.
    QScrollBar *shownHorizontalScrollBar() const;

    // Editor zoom for this session only: the font size in points, 8 to 40; the text's
    // colours and the window's layout stay.
    static constexpr int DefaultZoom = 12, MinZoom = 8, MaxZoom = 40;
    int zoomPoints() const { return m_zoomPoints; }
    void setZoomPoints(int points);
    // A gutter inside the frame numbering the lines as the reports do, from 1.
    void setLineNumbersVisible(bool on);
    bool lineNumbersVisible() const { return m_gutterOn; }
    QWidget *lineNumberGutter() const { return m_gutter; }
    int gutterWidth() const;   // 0 while hidden
    // The line a run is executing, marked in the gutter; -1 for none.
    void setRunLine(int k);
    int runLine() const { return m_runLine; }
    // The gutter's own painting, which needs the text's layout.
    void paintGutter(QPaintEvent *e);

    // Both empty the text as one edit without undo history. The toolkit's own way empties
    // the document outside any edit, and the change handler, moving the caret from in
    // there, would leave the document holding a destroyed cursor: never call those
    // through the base class.
    void clear();
    void setPlainText(const QString &text);

    // Forgets every undo and redo step: a text that arrives whole (a file opened, New)
    // starts a history of its own, so undo never crosses into the text that was there.
    void startFreshHistory();

    // A whole new text (a file opened, a copy restored, a task's start) replacing the
    // editor's: a new document with the editor's font and text options and no undo history,
    // shown empty from the start so that filling it lays out only the lines on the screen
    // (a filled document shown later is laid out whole). The old text is not touched: while
    // the new one is filled nothing else runs, and stepAside() puts the old one back on the
    // screen as it was (caret, selection, scrolling) before anything may look at the editor
    // (events let through for a progress dialog). adopt() keeps the new text and handles it
    // as one change that replaced the whole text; otherwise the old one stays, as it was.
    class NewText {
    public:
        explicit NewText(AlgorithmEditor &editor);
        ~NewText();
        NewText(const NewText &) = delete;
        NewText &operator=(const NewText &) = delete;
        QTextDocument &document() const { return *m_doc; }
        // The editor's character format for the text, as it was before the new document came.
        const QTextCharFormat &format() const { return m_format; }
        void stepAside();
        void adopt();

    private:
        void showOld();
        AlgorithmEditor &m_editor;
        std::unique_ptr<QTextDocument> m_doc;
        QTextDocument *m_old;
        QTextCursor m_oldCursor;
        QTextCharFormat m_format;
        int m_oldScroll = 0, m_oldHScroll = 0;
        bool m_shown = false;   // the new document on the screen
    };

public slots:
    void handleChange();
    void recolourAll();
    void refreshLinePanels(bool emptyCountsOne);
    void insertBeginEnd();

    void undoEdit();
    void redoEdit();
    void cutSelection();
    void copySelection();
    void pasteClipboard();
    void selectEverything();
    void clearAlgorithm();

signals:
    // End of every change handling: the main window marks the document changed.
    void documentChanged();
    void linePanelsChanged(const QString &linesTotal, const QString &currentLine);
    // The main window decides whether the context menu opens (not during a run or manual mode).
    void contextMenuRequested(const QPoint &globalPos);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    // Room under the viewport for the shown horizontal bar, the bar and the corner square.
    void layoutHorizontalBar();
    // Keys for keyboard-only use: indenting, leaving the editor, zoom, and Alt letters that
    // belong to the menus. True when the key was handled here.
    bool handleAccessKey(QKeyEvent *e);
    // Shift+Enter as Enter, and the history and clipboard keys; true when the key was one.
    bool handleStandardKey(QKeyEvent *e);
    // Two spaces more (or up to two fewer) at the start of every line the selection
    // touches, as one edit and one undo step.
    void indentLines(bool outdent);
    void watchDocument(QTextDocument *d);
    void onContentsChanged();
    void handleKeyPress();
    // Types the key's character at the caret (or takes back the one before it) inside
    // the key's edit; false for any other key, which the toolkit handles.
    bool typeAtCaret(QKeyEvent *e);
    // Undo or redo `step` as one change, without the change handler's colouring.
    void stepHistory(const std::function<void()> &step);
    // Colouring as part of the last undo step, starting at position `from`.
    void paintBlocks(int from, const std::function<void(LinePainter &)> &paint);
    // What tells whether an edit changed the text: any change alters the length or the
    // line the caret stood on.
    struct Snapshot {
        int characters;
        int line;
        QString lineText;
    };
    Snapshot snapshot() const;
    // Ends the edit block `block` opened; a text change inside it is handled once.
    void finishEdit(QTextCursor &block, const Snapshot &before);
    // The change handler's colouring; false for the "**" row, which needs a change of
    // its own and so cannot happen inside another edit.
    bool paintForChange();

    // Holds the automatic change handling while the program makes a change whose
    // handling it runs itself.
    struct ChangeHold {
        explicit ChangeHold(AlgorithmEditor *e) : ed(e) { ++ed->m_holdChange; }
        ~ChangeHold() { --ed->m_holdChange; }
        AlgorithmEditor *ed;
    };

    Language m_language = Language::Rus;
    const Lexicon *m_lexicon;
    DialogCaptions m_captions;
    QString m_linesLabel, m_currentLabel, m_clearQuestion;
    Prompts *m_prompts = nullptr;
    int m_holdChange = 0;
    bool m_pendingChange = false;
    bool m_painting = false;
    bool m_changeColours = true;
    std::unique_ptr<ShownHorizontalBar> m_hbar;
    int m_zoomPoints = DefaultZoom;
    QWidget *m_gutter = nullptr;
    bool m_gutterOn = false;
    int m_runLine = -1;
};
