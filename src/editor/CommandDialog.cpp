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
    // The places and sizes are made for a small dialog font.
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    setFixedSize(client);
    m_client = client;
}

void CommandDialog::fitWidth(int minRight)
{
    const int w = std::max(m_client.width(), minRight);
    setFixedSize(w, m_client.height());
    if (m_bevel) {
        const int margin = m_client.width() - (m_bevel->x() + m_bevelWidth0);
        m_bevel->resize(w - m_bevel->x() - margin, m_bevel->height());
    }
}

int CommandDialog::comboWidthFor(const QStringList &items, int minimum) const
{
    int w = 0;
    for (const QString &t : items) w = std::max(w, textWidth(t));
    return std::max(minimum, w + 34);   // room for the frame and the arrow
}

int CommandDialog::textWidth(const QString &t) const { return fontMetrics().horizontalAdvance(t); }

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
    m_bevel = f;
    m_bevelWidth0 = r.width();
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
