#pragma once
#include "editor/CommandDialog.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

// ConditionIf: inserts a condition in its then-only or then-else form.
class TConditionIf : public CommandDialog {
    Q_OBJECT
public:
    TConditionIf(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;
    bool thenElseForm() const { return m_thenElse; }

    QLabel *Label1;
    QComboBox *ComboBox1;
    QRadioButton *RadioButton1, *RadioButton2;
    QGroupBox *GroupBox1, *GroupBox2;
    QLabel *ThenOnlyThen, *ThenOnlyCommand;                        // in GroupBox1
    QLabel *ThenElseThen, *ThenElseCommand1, *ThenElseElse, *ThenElseCommand2;   // in GroupBox2
    QPushButton *Button1, *Button2;

public slots:
    void chooseForm(bool thenElse);
    void Button1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitToCaptions(const QStringList &tests);
    bool m_thenElse = false;
};
