// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ConditionalLoopDialog.h"
#include "editor/Highlight.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

ConditionalLoopDialog::ConditionalLoopDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, QSize(216, 113), parent)
{
    setObjectName(QStringLiteral("CycleWhile"));
    makeBevel(QRect(8, 8, 201, 65));
    whileLabel = makeLabel(this, QPoint(15, 36));
    testCombo = new QComboBox(this);
    testCombo->setGeometry(112, 31, 89, 21);
    okButton = makeButton(QPoint(16, 80), QStringLiteral("OK"));
    okButton->setDefault(true);
    cancelButton = makeButton(QPoint(128, 80), QString());
    connect(okButton, &QPushButton::clicked, this, &ConditionalLoopDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

void ConditionalLoopDialog::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::CycleCaption);
    setCaption(whileLabel, DialogCaptions::CycleWhileBefore, testCombo->x() - whileLabel->x() - 4);
    setCaption(cancelButton, DialogCaptions::CancelLoopCondition);
    // Written anew in the current Language; the test chosen last time stays chosen.
    const QStringList tests = {lex().kwNotBorder, lex().kwNotLine, lex().kwBorder, lex().kwLine};
    const int chosen = testCombo->currentIndex();
    testCombo->clear();
    testCombo->addItems(tests);
    testCombo->setCurrentIndex(chosen);
    fitListWidth(testCombo);
    testCombo->setFocus();
}

void ConditionalLoopDialog::confirm()
{
    if (testCombo->currentIndex() < 0) {
        testCombo->setFocus();
        return;
    }
    const QString nl = QStringLiteral("\n");
    m_editor.insertBlock(
        {{nl, std::nullopt},
         {lex().kwCycleWhile + QLatin1Char(' ') + testCombo->currentText() + nl, LineColor::Green},
         {nl, LineColor::Navy},
         {lex().kwEndCycle + nl, LineColor::Green}},
        2, true);
    accept();
}
