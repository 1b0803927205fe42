#include "editor/UnitProcCreate.h"
#include "common/Prompts.h"
#include "editor/Highlight.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TProcedure_create::TProcedure_create(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
    : CommandDialog(editor, prompts, QSize(217, 113), parent)
{
    setObjectName(QStringLiteral("Procedure_create"));
    makeBevel(QRect(8, 8, 201, 65));
    Label1 = makeLabel(this, QPoint(24, 32));
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(72, 29, 121, 21);
    Button1 = makeButton(QPoint(16, 80), cyrillicOk());
    Button1->setDefault(true);
    Button2 = makeButton(QPoint(128, 80), QString());
    connect(Button1, &QPushButton::clicked, this, &TProcedure_create::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

void TProcedure_create::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::ProcCreateCaption);
    setCaption(Label1, DialogCaptions::ProcNameLabel);
    setCaption(Button2, DialogCaptions::Cancel);
    Edit1->move(std::max(72, Label1->x() + Label1->width() + 6), Edit1->y());
    fitWidth(Edit1->x() + Edit1->width() + 24);
    Edit1->clear();
    Edit1->setFocus();
}

void TProcedure_create::Button1Click()
{
    QString name = Edit1->text();
    if (!name.isEmpty() && (name.at(0) == QLatin1Char(' ') ||
                            (name.at(0) >= QLatin1Char('0') && name.at(0) <= QLatin1Char('9')))) {
        m_prompts.message(messages().msgProcNameStart);
        Edit1->setFocus();
        return;
    }
    if (name.isEmpty()) {
        m_prompts.message(messages().msgProcNameEmpty);
        Edit1->setFocus();
        return;
    }
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    Edit1->setText(name);
    m_editor.setCaret(0, 0);
    const QString nl = QStringLiteral("\n");
    m_editor.insertBlock({{nl, std::nullopt},
                          {lex().kwProcedure + QLatin1Char(' ') + name + nl, LineColor::Maroon},
                          {nl, LineColor::Navy},
                          {lex().kwEndProcedure + nl, LineColor::Maroon}},
                         2, true);
    accept();
}
