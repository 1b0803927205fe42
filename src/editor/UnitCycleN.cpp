#include "editor/UnitCycleN.h"
#include "editor/Highlight.h"
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

TCycleN::TCycleN(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
    : CommandDialog(editor, prompts, QSize(217, 113), parent)
{
    setObjectName(QStringLiteral("CycleN"));
    makeBevel(QRect(8, 8, 201, 65));
    Label1 = makeLabel(this, QPoint(24, 32));
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setGeometry(96, 29, 57, 22);
    SpinEdit1->setRange(1, 9999);   // at most four characters
    SpinEdit1->setValue(1);
    Label2 = makeLabel(this, QPoint(160, 32));
    Button1 = makeButton(QPoint(16, 80), QStringLiteral("OK"));
    Button1->setDefault(true);
    Button2 = makeButton(QPoint(128, 80), QString());
    connect(Button1, &QPushButton::clicked, this, &TCycleN::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

void TCycleN::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::CycleCaption);
    setCaption(Label1, DialogCaptions::CycleNBefore);
    setCaption(Label2, DialogCaptions::CycleNAfter);
    setCaption(Button2, DialogCaptions::Cancel);
    SpinEdit1->move(std::max(96, Label1->x() + Label1->width() + 6), SpinEdit1->y());
    Label2->move(SpinEdit1->x() + SpinEdit1->width() + 7, Label2->y());
    fitWidth(Label2->x() + Label2->width() + 24);
    SpinEdit1->setFocus();
    SpinEdit1->selectAll();
}

void TCycleN::Button1Click()
{
    const QString nl = QStringLiteral("\n");
    const QString header = lex().kwCycleN + QLatin1Char(' ') + QString::number(SpinEdit1->value()) +
                           QLatin1Char(' ') + lex().kwTimes + nl;
    m_editor.insertBlock({{nl, std::nullopt},
                          {header, LineColor::Green},
                          {nl, LineColor::Navy},
                          {lex().kwEndCycle + nl, LineColor::Green}},
                         2, false);
    accept();
}
