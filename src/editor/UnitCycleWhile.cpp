#include "editor/UnitCycleWhile.h"
#include "editor/Highlight.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TCycleWhile::TCycleWhile(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
    : CommandDialog(editor, prompts, QSize(216, 113), parent)
{
    setObjectName(QStringLiteral("CycleWhile"));
    makeBevel(QRect(8, 8, 201, 65));
    Label1 = makeLabel(this, QPoint(15, 36));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setGeometry(112, 31, 89, 21);
    Button1 = makeButton(QPoint(16, 80), QStringLiteral("OK"));
    Button1->setDefault(true);
    Button2 = makeButton(QPoint(128, 80), QString());
    connect(Button1, &QPushButton::clicked, this, &TCycleWhile::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

void TCycleWhile::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::CycleCaption);
    setCaption(Label1, DialogCaptions::CycleWhileBefore);
    setCaption(Button2, DialogCaptions::CancelLoopCondition);
    // Written anew in the current Language; the test chosen last time stays chosen.
    const QStringList tests = {lex().kwNotBorder, lex().kwNotLine, lex().kwBorder, lex().kwLine};
    const int chosen = ComboBox1->currentIndex();
    ComboBox1->clear();
    ComboBox1->addItems(tests);
    ComboBox1->setCurrentIndex(chosen);
    ComboBox1->setGeometry(std::max(112, Label1->x() + Label1->width() + 6), 31,
                           comboWidthFor(tests, 89), 21);
    fitWidth(ComboBox1->x() + ComboBox1->width() + 15);
    ComboBox1->setFocus();
}

void TCycleWhile::Button1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        ComboBox1->setFocus();
        return;
    }
    const QString nl = QStringLiteral("\n");
    m_editor.insertBlock(
        {{nl, std::nullopt},
         {lex().kwCycleWhile + QLatin1Char(' ') + ComboBox1->currentText() + nl, LineColor::Green},
         {nl, LineColor::Navy},
         {lex().kwEndCycle + nl, LineColor::Green}},
        2, true);
    accept();
}
