// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/AlgorithmEditor.h"
#include "lang/MessageCatalogue.h"
#include "lang/Statements.h"
#include <initializer_list>
#include <QDialog>

class Prompts;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// Shared frame of the command dialogs: fixed client size, close box only, controls at
// fixed places in every Language. run() performs the opening steps and shows the dialog modally;
// prepare() and the OK slot are public so that tests drive them without a modal loop.
// A dialog is built as if opened once: its constructor ends with its own prepare(), called by
// its qualified name, since nothing may be bound dynamically while the object is being built.
class CommandDialog : public QDialog {
    Q_OBJECT
public:
    CommandDialog(AlgorithmEditor &editor, Prompts &prompts, const char *objectName, QSize client,
                  QWidget *parent);
    int run();
    // What happens each time the dialog opens.
    virtual void prepare() = 0;

    QPushButton *okButton = nullptr, *cancelButton = nullptr;

public slots:
    // OK: inserts the command, or refuses and stays open.
    virtual void confirm() = 0;

protected:
    // OK (the default button, with `okText`) and Cancel; made after every other control, so
    // that Tab reaches them last.
    void makeOkCancel(QPoint okAt, const QString &okText, QPoint cancelAt);
    // The list of tests written anew in the current Language; the test chosen last time
    // stays chosen.
    void refillTests(QComboBox *combo, std::initializer_list<Statements::SensorTest> tests);
    // False, with the focus on the list, while no entry of it is chosen.
    static bool hasChoice(QComboBox *combo);
    QFrame *makeBevel(const QRect &r);
    QLabel *makeLabel(QWidget *parent, QPoint at, const QString &text = QString());
    QPushButton *makeButton(QPoint at, const QString &text);
    const DialogCaptions &captions() const { return m_editor.dialogCaptions(); }
    const Lexicon &lex() const { return m_editor.lexicon(); }
    const MessageCatalogue &messages() const;
    // The opening steps every dialog with DialogCaptions shares: no result yet, the title
    // and the Cancel button's caption in the current Language.
    void openWith(int titleIndex, int cancelIndex);
    // A label or button caption from DialogCaptions; with a width, fitted into it.
    void setCaption(QWidget *w, int index, int width = 0) const;
    // Fitted into the room from its place to 4 pixels short of `right`.
    void setCaptionUpTo(QWidget *w, int index, int right) const;
    // Some captions are longer in some Languages than their places were made for. The
    // control keeps its place: its own font shrinks, down to six points, and what still
    // does not fit is cut with an ellipsis and shown whole as the control's hint.
    static void fitCaption(QWidget *control, const QString &caption, int width);
    // The open list as wide as its longest entry; the closed box keeps its size.
    static void fitListWidth(QComboBox *combo);

    AlgorithmEditor &m_editor;
    Prompts &m_prompts;
};

// "ОК" in Cyrillic letters, as most of the dialogs have it.
QString cyrillicOk();
