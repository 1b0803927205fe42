#pragma once
#include "editor/CommandDialog.h"

class QSpinBox;

// CycleN: inserts a counted loop; the count is kept between openings.
class TCycleN : public CommandDialog {
    Q_OBJECT
public:
    TCycleN(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;

    QLabel *Label1, *Label2;
    QSpinBox *SpinEdit1;
    QPushButton *Button1, *Button2;

public slots:
    void Button1Click();
};
