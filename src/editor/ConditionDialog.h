// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/CommandDialog.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

// Inserts a condition in its then-only or then-else form.
class ConditionDialog final : public CommandDialog {
    Q_OBJECT
public:
    ConditionDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    void confirm() override;
    bool thenElseForm() const { return m_thenElse; }

    QLabel *ifLabel;
    QComboBox *testCombo;
    QRadioButton *thenOnlyRadio, *thenElseRadio;
    QGroupBox *thenOnlyGroup, *thenElseGroup;
    QLabel *thenOnlyThenLabel, *thenOnlyCommandLabel;   // in thenOnlyGroup
    QLabel *thenElseThenLabel, *thenElseCommand1Label, *thenElseElseLabel,
        *thenElseCommand2Label;   // in thenElseGroup

public slots:
    void chooseForm(bool thenElse);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_thenElse = false;
};
