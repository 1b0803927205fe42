#include "editor/UnitProcExecute.h"
#include "common/Prompts.h"
#include "editor/Highlight.h"
#include "lang/Normalize.h"
#include <QComboBox>
#include <QPushButton>
#include <algorithm>

TProcedure_execute::TProcedure_execute(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
    : CommandDialog(editor, prompts, QSize(217, 113), parent)
{
    setObjectName(QStringLiteral("Procedure_execute"));
    makeBevel(QRect(8, 8, 201, 65));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setGeometry(24, 28, 169, 21);
    ComboBox1->setMaxVisibleItems(5);
    Button1 = makeButton(QPoint(16, 80), cyrillicOk());
    Button1->setDefault(true);
    Button2 = makeButton(QPoint(126, 80), QString());
    connect(Button1, &QPushButton::clicked, this, &TProcedure_execute::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

QStringList TProcedure_execute::procedureNames(const ProgramText &text, const Lexicon &lex)
{
    QStringList names;
    const int kwLen = int(lex.kwProcedure.size());
    for (int k = 0, n = text.lineCount(); k < n; ++k) {
        const QString line = text.line(k);
        qsizetype b = 0;
        while (b < line.size() && line.at(b) == QLatin1Char(' ')) ++b;
        const QString s = upperCase1251(line.mid(b));   // spaces at the end stay
        // The character after the keyword is the separator and is skipped unseen.
        if (s.startsWith(lex.kwProcedure)) names << s.mid(kwLen + 1);
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    return names;
}

void TProcedure_execute::prepare()
{
    setResult(0);
    setCaption(this, DialogCaptions::ProcExecuteCaption);
    setCaption(Button2, DialogCaptions::Cancel);
    ComboBox1->clear();
    ComboBox1->addItems(procedureNames(m_editor, lex()));
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setFocus();
}

void TProcedure_execute::Button1Click()
{
    if (ComboBox1->currentIndex() < 0) {
        m_prompts.message(messages().msgChooseProc);
        ComboBox1->setFocus();
        return;
    }
    const QString nl = QStringLiteral("\n");
    m_editor.insertBlock({{nl, std::nullopt},
                          {lex().kwExecute + QLatin1Char(' ') + ComboBox1->currentText() + nl,
                           LineColor::Maroon}},
                         0, true);
    m_editor.setInsertionColor(LineColor::Navy);
    accept();
}
