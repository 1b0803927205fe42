// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CommandDialog.h"
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

QString cyrillicOk() { return QStringLiteral("\u041E\u041A"); }

CommandDialog::CommandDialog(AlgorithmEditor &editor, Prompts &prompts, const char *objectName, QSize client,
                             QWidget *parent)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
        m_editor(editor), m_prompts(prompts)
{
    setObjectName(QString::fromLatin1(objectName));
    setModal(true);
    setFixedSize(client);
}

void CommandDialog::fitCaption(QWidget *control, const QString &caption, int width)
{
    constexpr qreal kSmallestPointSize = 6.0;
    auto *label = qobject_cast<QLabel *>(control);
    auto *button = qobject_cast<QAbstractButton *>(control);
    auto show = [&](const QString &t) {
        if (label)
            label->setText(t);
        else if (button)
            button->setText(t);
    };
    auto needed = [control] { return control->sizeHint().width(); };
    control->setFont(QFont());   // the dialog's font again: this Language's caption may fit it
    control->setToolTip(QString());
    show(caption);
    QFont f = control->font();
    qreal size = QFontInfo(f).pointSizeF();
    while (needed() > width && size > kSmallestPointSize) {
        size = std::max(kSmallestPointSize, size - 0.5);
        f.setPointSizeF(size);
        control->setFont(f);
    }
    if (needed() > width) {
        const QFontMetrics fm(control->font());
        int room = width - (needed() - fm.horizontalAdvance(caption));
        do {
            show(fm.elidedText(caption, Qt::ElideRight, room));
        } while (needed() > width && --room > 0);
        control->setToolTip(caption);
    }
    if (label) label->adjustSize();
}

void CommandDialog::fitListWidth(QComboBox *combo)
{
    const QFontMetrics fm(combo->view()->font());
    int widest = 0;
    bool icons = false;
    for (int i = 0; i < combo->count(); ++i) {
        widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
        icons = icons || !combo->itemIcon(i).isNull();
    }
    const int icon = icons ? combo->iconSize().width() : 0;
    combo->view()->setMinimumWidth(std::max(combo->width(), widest + icon + 40));   // margins, scroll bar
}

void CommandDialog::makeOkCancel(QPoint okAt, const QString &okText, QPoint cancelAt)
{
    okButton = makeButton(okAt, okText);
    okButton->setDefault(true);
    cancelButton = makeButton(cancelAt, QString());
    connect(okButton, &QPushButton::clicked, this, &CommandDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CommandDialog::refillTests(QComboBox *combo, std::initializer_list<Statements::SensorTest> tests)
{
    const int chosen = combo->currentIndex();
    combo->clear();
    for (Statements::SensorTest test : tests) combo->addItem(Statements::testWord(test, lex()));
    combo->setCurrentIndex(chosen);
    fitListWidth(combo);
    combo->setFocus();
}

bool CommandDialog::hasChoice(QComboBox *combo)
{
    if (combo->currentIndex() >= 0) return true;
    combo->setFocus();
    return false;
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

void CommandDialog::openWith(int titleIndex, int cancelIndex)
{
    setResult(0);
    setCaption(this, titleIndex);
    setCaption(cancelButton, cancelIndex);
}

void CommandDialog::setCaptionUpTo(QWidget *w, int index, int right) const
{
    setCaption(w, index, right - w->x() - 4);
}

void CommandDialog::setCaption(QWidget *w, int index, int width) const
{
    const QString &t = captions()[index];
    if (width > 0) {
        fitCaption(w, t, width);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setText(t);
        l->adjustSize();
    } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        b->setText(t);
    } else {
        w->setWindowTitle(t);
    }
}
