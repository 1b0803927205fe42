#pragma once
#include "editor/AlgorithmEditor.h"
#include "lang/MessageCatalogue.h"
#include <QDialog>

class Prompts;
class QFrame;
class QLabel;
class QPushButton;

// Shared frame of the command dialogs: fixed client size, close box only, controls at
// fixed places. run() performs the opening steps and shows the dialog modally;
// prepare() and the OK slot are public so that tests drive them without a modal loop.
class CommandDialog : public QDialog {
    Q_OBJECT
public:
    CommandDialog(AlgorithmEditor &editor, Prompts &prompts, QSize client, QWidget *parent);
    int run();
    // What happens each time the dialog opens.
    virtual void prepare() = 0;

protected:
    QFrame *makeBevel(const QRect &r);
    QLabel *makeLabel(QWidget *parent, QPoint at, const QString &text = QString());
    QPushButton *makeButton(QPoint at, const QString &text);
    const DialogCaptions &captions() const { return m_editor.dialogCaptions(); }
    const Lexicon &lex() const { return m_editor.lexicon(); }
    const MessageCatalogue &messages() const;
    void setCaption(QWidget *w, int index) const;
    // Widens the dialog (and its frame) so that a control ending at minRight fits;
    // captions in some Languages are longer than the places were made for.
    void fitWidth(int minRight);
    int textWidth(const QString &t) const;
    int comboWidthFor(const QStringList &items, int minimum) const;

    AlgorithmEditor &m_editor;
    Prompts &m_prompts;

private:
    QSize m_client;
    QFrame *m_bevel = nullptr;
    int m_bevelWidth0 = 0;
};

// "ОК" in Cyrillic letters, as most of the dialogs have it.
QString cyrillicOk();
