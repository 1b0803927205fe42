#include "common/MessageWindow.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

Tmessaga::Tmessaga(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("messaga"));
    setFixedSize(298, 118);
    setSizeGripEnabled(false);

    REmess = new QTextEdit(this);
    REmess->setObjectName(QStringLiteral("REmess"));
    REmess->setGeometry(8, 8, 281, 73);
    REmess->setReadOnly(true);
    REmess->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    REmess->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    REmess->setFocusPolicy(Qt::NoFocus);
    REmess->setAcceptRichText(false);
    QPalette pal = REmess->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    REmess->setPalette(pal);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(104, 88, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void Tmessaga::ReportError(const QString &heading, const QStringList &texts)
{
    setWindowTitle(heading);
    for (const QString &t : texts) appendText(t);
    // A report that arrives while one is still open joins it instead of nesting a
    // second modal loop over the same window.
    if (isVisible()) return;
    exec();
}

void Tmessaga::appendText(const QString &text)
{
    // The texts quote the user's own program lines, so they go in as plain text: a
    // line such as "<b>" must show as typed, not as markup.
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    QTextCursor cur(REmess->document());
    for (const QString &part : parts) {
        cur.movePosition(QTextCursor::End);
        if (hasLines_) cur.insertBlock();
        cur.insertText(part);
        hasLines_ = true;
    }
}

QStringList Tmessaga::lines() const
{
    QStringList out;
    if (!hasLines_) return out;
    const QTextDocument *doc = REmess->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

void Tmessaga::done(int result)
{
    setWindowTitle(QString());
    REmess->clear();
    hasLines_ = false;
    QDialog::done(result);
}

void Tmessaga::showEvent(QShowEvent *event)
{
    centreOnParent(this);
    QDialog::showEvent(event);
}

void centreOnParent(QWidget *dialog)
{
    QRect area;
    if (QWidget *p = dialog->parentWidget()) area = p->window()->frameGeometry();
    else if (QScreen *s = dialog->screen()) area = s->availableGeometry();
    if (area.isEmpty()) return;
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(area.center());
    dialog->move(frame.topLeft());
}
