#include "editor/CommandDialog.h"
#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

QString cyrillicOk() { return QStringLiteral("\u041E\u041A"); }

CommandDialog::CommandDialog(AlgorithmEditor &editor, Prompts &prompts, QSize client,
                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_editor(editor), m_prompts(prompts)
{
    setModal(true);
    setFixedSize(client);
}

int CommandDialog::run()
{
    prepare();
    return exec();
}

const MessageCatalogue &CommandDialog::messages() const
{
    return MessageCatalogue::forLanguage(m_editor.language());
}

QFrame *CommandDialog::makeBevel(const QRect &r)
{
    auto *f = new QFrame(this);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(r);
    f->lower();
    return f;
}

QLabel *CommandDialog::makeLabel(QWidget *parent, QPoint at, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->move(at);
    l->adjustSize();
    return l;
}

QPushButton *CommandDialog::makeButton(QPoint at, const QString &text)
{
    auto *b = new QPushButton(text, this);
    b->setGeometry(QRect(at, QSize(75, 25)));
    return b;
}

void CommandDialog::setCaption(QWidget *w, int index) const
{
    const QString &t = captions()[index];
    if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setText(t);
        l->adjustSize();
    } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        b->setText(t);
    } else {
        w->setWindowTitle(t);
    }
}
