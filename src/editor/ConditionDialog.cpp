// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ConditionDialog.h"
#include "editor/CommandInsertion.h"
#include "lang/Highlight.h"
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

ConditionDialog::ConditionDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, "ConditionIf", QSize(216, 193), parent)
{
    makeBevel(QRect(8, 8, 201, 145));
    ifLabel = makeLabel(this, QPoint(35, 27));
    testCombo = new QComboBox(this);
    testCombo->setGeometry(73, 24, 89, 21);
    thenOnlyRadio = new QRadioButton(this);
    thenOnlyRadio->move(73, 56);
    thenOnlyRadio->adjustSize();
    thenElseRadio = new QRadioButton(this);
    thenElseRadio->move(123, 56);
    thenElseRadio->adjustSize();
    thenOnlyRadio->setChecked(true);

    thenOnlyGroup = new QGroupBox(this);
    thenOnlyGroup->setGeometry(16, 72, 81, 73);
    thenOnlyThenLabel = makeLabel(thenOnlyGroup, QPoint(8, 8));
    thenOnlyCommandLabel = makeLabel(thenOnlyGroup, QPoint(8, 24));
    thenElseGroup = new QGroupBox(this);
    thenElseGroup->setGeometry(112, 72, 89, 73);
    thenElseThenLabel = makeLabel(thenElseGroup, QPoint(8, 8));
    thenElseCommand1Label = makeLabel(thenElseGroup, QPoint(8, 24));
    thenElseElseLabel = makeLabel(thenElseGroup, QPoint(8, 40));
    thenElseCommand2Label = makeLabel(thenElseGroup, QPoint(8, 56));
    thenOnlyGroup->installEventFilter(this);
    thenElseGroup->installEventFilter(this);

    makeOkCancel(QPoint(16, 160), cyrillicOk(), QPoint(128, 160));
    connect(thenOnlyRadio, &QRadioButton::clicked, this, [this] { chooseForm(false); });
    connect(thenElseRadio, &QRadioButton::clicked, this, [this] { chooseForm(true); });
    chooseForm(false);
    ConditionDialog::prepare();
}

bool ConditionDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == thenOnlyGroup)
            chooseForm(false);
        else if (watched == thenElseGroup)
            chooseForm(true);
    }
    return CommandDialog::eventFilter(watched, event);
}

void ConditionDialog::chooseForm(bool thenElse)
{
    m_thenElse = thenElse;
    (thenElse ? thenElseRadio : thenOnlyRadio)->setChecked(true);
    for (QLabel *l : {thenOnlyThenLabel, thenOnlyCommandLabel}) l->setEnabled(!thenElse);
    for (QLabel *l : {thenElseThenLabel, thenElseCommand1Label, thenElseElseLabel, thenElseCommand2Label})
        l->setEnabled(thenElse);
}

void ConditionDialog::prepare()
{
    openWith(DialogCaptions::ConditionCaption, DialogCaptions::CancelLoopCondition);
    setCaptionUpTo(ifLabel, DialogCaptions::ConditionIfLabel, testCombo->x());
    // The pictures of the two forms: each label within its group's frame.
    auto inGroup = [](QLabel *l) { return l->parentWidget()->width() - l->x() - 3; };
    setCaption(thenOnlyThenLabel, DialogCaptions::ThenLabel, inGroup(thenOnlyThenLabel));
    setCaption(thenOnlyCommandLabel, DialogCaptions::CommandPlaceholder, inGroup(thenOnlyCommandLabel));
    setCaption(thenElseThenLabel, DialogCaptions::ThenLabel, inGroup(thenElseThenLabel));
    setCaption(thenElseCommand1Label, DialogCaptions::Command1Placeholder, inGroup(thenElseCommand1Label));
    setCaption(thenElseElseLabel, DialogCaptions::ElseLabel, inGroup(thenElseElseLabel));
    setCaption(thenElseCommand2Label, DialogCaptions::Command2Placeholder, inGroup(thenElseCommand2Label));
    refillTests(testCombo, {Statements::SensorTest::Border, Statements::SensorTest::Line,
                            Statements::SensorTest::NotBorder, Statements::SensorTest::NotLine});
}

void ConditionDialog::confirm()
{
    if (!hasChoice(testCombo)) return;
    const QString nl = QStringLiteral("\n");
    const Lexicon &k = lex();
    QList<InsertPiece> pieces = {{nl, std::nullopt},
                                 statementPiece(StatementKind::Condition, k, testCombo->currentText()),
                                 statementPiece(StatementKind::Then, k),
                                 {nl, LineColour::Navy}};
    if (m_thenElse) pieces += {statementPiece(StatementKind::Else, k), {nl, LineColour::Navy}};
    pieces += statementPiece(StatementKind::EndCondition, k);
    insertPieces(m_editor, pieces, m_thenElse ? 4 : 2, false);
    accept();
}
