// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/MessageWindow.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

MessageWindow::MessageWindow(QWidget *parent)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("messaga"));
    setFixedSize(298, 118);
    setSizeGripEnabled(false);

    textBox = new QTextEdit(this);
    textBox->setObjectName(QStringLiteral("REmess"));
    textBox->setGeometry(8, 8, 281, 73);
    textBox->setReadOnly(true);
    textBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textBox->setFocusPolicy(Qt::NoFocus);
    textBox->setAcceptRichText(false);
    QPalette pal = textBox->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    textBox->setPalette(pal);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("Button1"));
    okButton->setGeometry(104, 88, 75, 25);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    hintBox = new QLabel(this);
    hintBox->setObjectName(QStringLiteral("hintBox"));
    hintBox->setWordWrap(true);
    hintBox->setTextFormat(Qt::RichText);
    hintBox->setFixedWidth(281);
    hintBox->setMargin(3);
    hintBox->setAutoFillBackground(true);
    QPalette hintPal = hintBox->palette();
    hintPal.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xC8));
    hintPal.setColor(QPalette::WindowText, QColor(0x60, 0x40, 0x00));
    hintBox->setPalette(hintPal);
    hintBox->hide();
    m_plainSize = size();
}

int MessageWindow::widthFor(const QString &heading) const
{
    // The heading is the window's caption, and the window manager cuts a caption that does
    // not fit beside the window's icon and buttons. Title fonts are often bold, and some
    // desktops make them larger than the dialogs' own.
    int caption = 0;
    for (QFont f : {font(), QFontDatabase::systemFont(QFontDatabase::TitleFont)}) {
        f.setBold(true);
        const QFontMetrics m(f);
        caption = std::max(caption, m.horizontalAdvance(heading) + 8 * m.height());
    }
    return std::max(m_plainSize.width(), caption);
}

void MessageWindow::layOut(int width, int height)
{
    const int extra = width - m_plainSize.width();
    textBox->resize(281 + extra, textBox->height());
    hintBox->setFixedWidth(281 + extra);
    okButton->move(104 + extra / 2, height - 25 - 5);
    setFixedSize(width, height);
}

void MessageWindow::showReport(const QString &heading, const QStringList &texts, const QString &hintLabel,
                               const QString &hint)
{
    if (!hint.isEmpty() && !isVisible()) {
        const int width = widthFor(heading);
        layOut(width, m_plainSize.height());
        hintBox->setText(QStringLiteral("<b>%1</b> %2").arg(hintLabel.toHtmlEscaped(), hint.toHtmlEscaped()));
        const int h = hintBox->heightForWidth(hintBox->width());
        hintBox->setGeometry(8, 88, hintBox->width(), h);
        hintBox->show();
        layOut(width, 88 + h + 6 + 25 + 5);
    }
    showReport(heading, texts);
}

void MessageWindow::showReport(const QString &heading, const QStringList &texts)
{
    setWindowTitle(heading);
    for (const QString &t : texts) appendText(t);
    // A report that arrives while one is still open joins it instead of nesting a
    // second modal loop over the same window.
    if (isVisible()) return;
    if (width() < widthFor(heading)) layOut(widthFor(heading), height());
    // The first sentence is the error itself: the window opens on it, however long the rest.
    textBox->moveCursor(QTextCursor::Start);
    exec();
}

void MessageWindow::appendText(const QString &text)
{
    // The texts quote the user's own program lines, so they go in as plain text: a
    // line such as "<b>" must show as typed, not as markup.
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    QTextCursor cur(textBox->document());
    for (const QString &part : parts) {
        cur.movePosition(QTextCursor::End);
        if (m_hasLines) cur.insertBlock();
        cur.insertText(part);
        m_hasLines = true;
    }
}

QStringList MessageWindow::lines() const
{
    QStringList out;
    if (!m_hasLines) return out;
    const QTextDocument *doc = textBox->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

void MessageWindow::done(int result)
{
    setWindowTitle(QString());
    textBox->clear();
    m_hasLines = false;
    hintBox->hide();
    layOut(m_plainSize.width(), m_plainSize.height());
    QDialog::done(result);
}

void MessageWindow::showEvent(QShowEvent *event)
{
    centreOnParent(this);
    QDialog::showEvent(event);
    textBox->verticalScrollBar()->setValue(0);
}

void centreOnParent(QWidget *dialog)
{
    QRect area;
    if (QWidget *p = dialog->parentWidget())
        area = p->window()->frameGeometry();
    else if (QScreen *s = dialog->screen())
        area = s->availableGeometry();
    if (area.isEmpty()) return;
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(area.center());
    dialog->move(frame.topLeft());
}
