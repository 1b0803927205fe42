#pragma once
#include "editor/CommandDialog.h"

class QComboBox;

// Procedure_execute: lists the procedures of the program and inserts a call.
class TProcedure_execute : public CommandDialog {
    Q_OBJECT
public:
    TProcedure_execute(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;

    // The names declared in the text, upper case, sorted, duplicates kept.
    static QStringList procedureNames(const ProgramText &text, const Lexicon &lex);

    QComboBox *ComboBox1;
    QPushButton *Button1, *Button2;

public slots:
    void Button1Click();
};
