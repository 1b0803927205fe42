#pragma once
#include "editor/CommandDialog.h"

class QComboBox;

// CycleWhile: inserts a conditional loop over one of the four sensor tests.
class TCycleWhile : public CommandDialog {
    Q_OBJECT
public:
    TCycleWhile(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;

    QLabel *Label1;
    QComboBox *ComboBox1;
    QPushButton *Button1, *Button2;

public slots:
    void Button1Click();
};
