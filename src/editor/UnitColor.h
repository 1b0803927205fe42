#pragma once
#include "editor/CommandDialog.h"
#include <functional>

class QComboBox;
class QGroupBox;
class QRadioButton;

// FormColor: inserts a colour command (a named colour, or one step up or down).
// Its captions come from a table of its own, not from the dialog captions.
class TFormColor : public CommandDialog {
    Q_OBJECT
public:
    TFormColor(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent = nullptr);
    void prepare() override;

    // Manual mode inserts nothing from here; the main window tells whether it is on.
    std::function<bool()> manualMode;

    QGroupBox *GroupBox1;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
    QComboBox *ColorComboBox1;
    QPushButton *Button1, *Button2;

public slots:
    void Button1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
