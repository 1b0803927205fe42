// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CountedLoopDialog.h"
#include "common/ClampingSpinBox.h"
#include "editor/Highlight.h"
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

CountedLoopDialog::CountedLoopDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
      : CommandDialog(editor, prompts, QSize(217, 113), parent)
{
    setObjectName(QStringLiteral("CycleN"));
    makeBevel(QRect(8, 8, 201, 65));
    executeLabel = makeLabel(this, QPoint(24, 32));
    auto *spin = new ClampingSpinBox(this);
    spin->setGeometry(96, 29, 57, 22);
    spin->setRange(1, 9999);
    spin->setMaxTextLength(4);
    spin->setValue(1);
    countSpin = spin;
    timesLabel = makeLabel(this, QPoint(160, 32));
    okButton = makeButton(QPoint(16, 80), QStringLiteral("OK"));
    okButton->setDefault(true);
    cancelButton = makeButton(QPoint(128, 80), QString());
    connect(okButton, &QPushButton::clicked, this, &CountedLoopDialog::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

void CountedLoopDialog::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::CycleCaption);
    setCaption(executeLabel, DialogCaptions::CycleNBefore, countSpin->x() - executeLabel->x() - 4);
    setCaption(timesLabel, DialogCaptions::CycleNAfter, width() - timesLabel->x() - 4);
    setCaption(cancelButton, DialogCaptions::Cancel);
    countSpin->setFocus();
    countSpin->selectAll();
}

void CountedLoopDialog::confirm()
{
    countSpin->interpretText();   // a count still being typed counts, brought into range
    const QString nl = QStringLiteral("\n");
    const QString header = lex().kwCycleN + QLatin1Char(' ') + QString::number(countSpin->value()) +
                           QLatin1Char(' ') + lex().kwTimes + nl;
    m_editor.insertBlock({{nl, std::nullopt},
                          {header, LineColor::Green},
                          {nl, LineColor::Navy},
                          {lex().kwEndCycle + nl, LineColor::Green}},
                         2, false);
    accept();
}
