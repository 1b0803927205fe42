#pragma once
#include "editor/CommandDialog.h"

class QLineEdit;

// Procedure_create: asks for a name and writes an empty procedure at the top.
class TProcedure_create : public CommandDialog {
    Q_OBJECT
public:
    TProcedure_create(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;

    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1, *Button2;

public slots:
    void Button1Click();
};
