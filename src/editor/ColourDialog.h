// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "editor/CommandDialog.h"
#include <functional>

class QComboBox;
class QGroupBox;
class QRadioButton;

// Inserts a colour command (a named colour, or one step up or down).
// Its captions come from a table of its own, not from the dialog captions.
class ColourDialog final : public CommandDialog {
    Q_OBJECT
public:
    ColourDialog(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    void confirm() override;

    // Manual mode inserts nothing from here; the main window tells whether it is on.
    std::function<bool()> manualMode;

    QGroupBox *modeGroup;
    QRadioButton *setColourRadio, *nextColourRadio, *previousColourRadio;
    QComboBox *colourCombo;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
