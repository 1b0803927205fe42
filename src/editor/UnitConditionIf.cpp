#include "editor/UnitConditionIf.h"
#include "editor/Highlight.h"
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

TConditionIf::TConditionIf(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
    : CommandDialog(editor, prompts, QSize(216, 193), parent)
{
    setObjectName(QStringLiteral("ConditionIf"));
    makeBevel(QRect(8, 8, 201, 145));
    Label1 = makeLabel(this, QPoint(35, 27));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setGeometry(73, 24, 89, 21);
    RadioButton1 = new QRadioButton(this);
    RadioButton1->move(73, 56);
    RadioButton1->adjustSize();
    RadioButton2 = new QRadioButton(this);
    RadioButton2->move(123, 56);
    RadioButton2->adjustSize();
    RadioButton1->setChecked(true);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(16, 72, 81, 73);
    ThenOnlyThen = makeLabel(GroupBox1, QPoint(8, 8));
    ThenOnlyCommand = makeLabel(GroupBox1, QPoint(8, 24));
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setGeometry(112, 72, 89, 73);
    ThenElseThen = makeLabel(GroupBox2, QPoint(8, 8));
    ThenElseCommand1 = makeLabel(GroupBox2, QPoint(8, 24));
    ThenElseElse = makeLabel(GroupBox2, QPoint(8, 40));
    ThenElseCommand2 = makeLabel(GroupBox2, QPoint(8, 56));
    GroupBox1->installEventFilter(this);
    GroupBox2->installEventFilter(this);

    Button1 = makeButton(QPoint(16, 160), cyrillicOk());
    Button1->setDefault(true);
    Button2 = makeButton(QPoint(128, 160), QString());
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { chooseForm(false); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { chooseForm(true); });
    connect(Button1, &QPushButton::clicked, this, &TConditionIf::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    chooseForm(false);
    prepare();
}

bool TConditionIf::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == GroupBox1) chooseForm(false);
        else if (watched == GroupBox2) chooseForm(true);
    }
    return CommandDialog::eventFilter(watched, event);
}

void TConditionIf::chooseForm(bool thenElse)
{
    m_thenElse = thenElse;
    (thenElse ? RadioButton2 : RadioButton1)->setChecked(true);
    for (QLabel *l : {ThenOnlyThen, ThenOnlyCommand}) l->setEnabled(!thenElse);
    for (QLabel *l : {ThenElseThen, ThenElseCommand1, ThenElseElse, ThenElseCommand2})
        l->setEnabled(thenElse);
}

void TConditionIf::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::ConditionCaption);
    setCaption(Label1, DialogCaptions::ConditionIfLabel);
    setCaption(ThenOnlyThen, DialogCaptions::ThenLabel);
    setCaption(ThenOnlyCommand, DialogCaptions::CommandPlaceholder);
    setCaption(ThenElseThen, DialogCaptions::ThenLabel);
    setCaption(ThenElseCommand1, DialogCaptions::Command1Placeholder);
    setCaption(ThenElseElse, DialogCaptions::ElseLabel);
    setCaption(ThenElseCommand2, DialogCaptions::Command2Placeholder);
    setCaption(Button2, DialogCaptions::CancelLoopCondition);
    const QStringList tests = {lex().kwBorder, lex().kwLine, lex().kwNotBorder, lex().kwNotLine};
    const int chosen = ComboBox1->currentIndex();
    ComboBox1->clear();
    ComboBox1->addItems(tests);
    ComboBox1->setCurrentIndex(chosen);
    fitToCaptions(tests);
    ComboBox1->setFocus();
}

void TConditionIf::fitToCaptions(const QStringList &tests)
{
    auto widest = [](std::initializer_list<QLabel *> labels) {
        int w = 0;
        for (QLabel *l : labels) w = std::max(w, l->x() + l->width());
        return w;
    };
    ComboBox1->setGeometry(std::max(73, Label1->x() + Label1->width() + 6), 24,
                           comboWidthFor(tests, 89), 21);
    GroupBox1->resize(std::max(81, widest({ThenOnlyThen, ThenOnlyCommand}) + 8), 73);
    const int x2 = std::max(112, GroupBox1->x() + GroupBox1->width() + 15);
    GroupBox2->setGeometry(
        x2, 72,
        std::max(89, widest({ThenElseThen, ThenElseCommand1, ThenElseElse, ThenElseCommand2}) + 8),
        73);
    RadioButton2->move(x2 + 11, RadioButton2->y());
    fitWidth(std::max(ComboBox1->x() + ComboBox1->width(), x2 + GroupBox2->width()) + 15);
}

void TConditionIf::Button1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        ComboBox1->setFocus();
        return;
    }
    const QString nl = QStringLiteral("\n");
    const Lexicon &k = lex();
    QList<InsertPiece> pieces = {
        {nl, std::nullopt},
        {k.kwIf + QLatin1Char(' ') + ComboBox1->currentText() + nl, LineColor::Teal},
        {k.kwThen + nl, LineColor::Teal},
        {nl, LineColor::Navy}};
    if (m_thenElse) pieces += {{k.kwElse + nl, LineColor::Teal}, {nl, LineColor::Navy}};
    pieces += {k.kwEndCondition + nl, LineColor::Teal};
    m_editor.insertBlock(pieces, m_thenElse ? 4 : 2, false);
    accept();
}
