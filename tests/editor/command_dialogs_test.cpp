#include "EditorTestUtil.h"
#include "editor/UnitColor.h"
#include "editor/UnitConditionIf.h"
#include "editor/UnitCycleN.h"
#include "editor/UnitCycleWhile.h"
#include "editor/UnitProcCreate.h"
#include "editor/UnitProcExecute.h"
#include "lang/MessageCatalogue.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace LineColor;

namespace {
QString msg(Language l, QString MessageCatalogue::*m) { return MessageCatalogue::forLanguage(l).*m; }
} // namespace

TEST(ProcedureCreate, TwoWordNameGoesToTheTopJoinedByUnderscore)
{
    EditorHarness h;
    h.load(QStringLiteral("НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА"));
    h->mmRefresh();
    h->setCaret(1, 4);
    TProcedure_create dlg(*h, h.prompts);
    dlg.prepare();
    dlg.Edit1->setText(QStringLiteral("большой квадрат"));
    dlg.Button1Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Edit1->text(), QStringLiteral("большой_квадрат"));
    EXPECT_EQ(h.lines(), (QStringList{"", "ПРОЦЕДУРА большой_квадрат", "", "КОНЕЦ ПРОЦЕДУРЫ",
                                      "НАЧАЛО АЛГОРИТМА", "КОНЕЦ АЛГОРИТМА"}));
    EXPECT_EQ(h->caretLineColumn(), (LineColumn{2, 0}));
    EXPECT_COLOR(h->lineColor(1), Maroon);
    EXPECT_COLOR(h->lineColor(3), Maroon);
    EXPECT_COLOR(h->lineColor(4), Blue);
    EXPECT_EQ(h.panel2, QStringLiteral("Текущая строка: 3"));
    EXPECT_TRUE(h.prompts.messages.isEmpty());

    dlg.prepare();   // the name is emptied at every opening
    EXPECT_TRUE(dlg.Edit1->text().isEmpty());
}

TEST(ProcedureCreate, RefusesBadNamesInOrderAndStaysOpen)
{
    struct Case {
        const char *name;
        QString MessageCatalogue::*message;
    } cases[] = {
        {" квадрат", &MessageCatalogue::msgProcNameStart},
        {"1квадрат", &MessageCatalogue::msgProcNameStart},
        {"9", &MessageCatalogue::msgProcNameStart},
        {"", &MessageCatalogue::msgProcNameEmpty},
    };
    for (const Case &c : cases) {
        EditorHarness h(Language::Eng);
        h.load(QStringLiteral("STEP"));
        TProcedure_create dlg(*h, h.prompts);
        dlg.prepare();
        dlg.Edit1->setText(QString::fromUtf8(c.name));
        dlg.Button1Click();
        EXPECT_EQ(h.prompts.messages, QStringList{msg(Language::Eng, c.message)}) << c.name;
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(h->toPlainText(), QStringLiteral("STEP"));
    }
}

TEST(ProcedureExecute, ListsDeclaredNamesUpperCaseAndInsertsTheCall)
{
    EditorHarness h;
    h.load(QStringLiteral("  процедура квадрат\nКОНЕЦ ПРОЦЕДУРЫ\nПРОЦЕДУРА ант \nПРОЦЕДУРА\n"
                          "ПРОЦЕДУРА квадрат\nНАЧАЛО АЛГОРИТМА\n\nКОНЕЦ АЛГОРИТМА"));
    h->setCaret(5, 16);
    TProcedure_execute dlg(*h, h.prompts);
    dlg.prepare();
    QStringList items;
    for (int i = 0; i < dlg.ComboBox1->count(); ++i) items << dlg.ComboBox1->itemText(i);
    EXPECT_EQ(items, (QStringList{"", "АНТ ", "КВАДРАТ", "КВАДРАТ"}));
    EXPECT_EQ(dlg.ComboBox1->currentIndex(), -1);

    dlg.ComboBox1->setCurrentIndex(2);
    dlg.Button1Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->line(6), QStringLiteral("ВЫПОЛНИТЬ КВАДРАТ"));
    EXPECT_COLOR(h->lineColor(6), Maroon);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn{7, 0}));   // start of the line after the call
    EXPECT_EQ(h.panel2, QStringLiteral("Текущая строка: 8"));
    h.type(QStringLiteral("x"));
    EXPECT_COLOR(h->lineColor(7), Black);
}

TEST(ProcedureExecute, WithoutChoiceAsksToChooseAndInsertsNothing)
{
    EditorHarness h(Language::Rom);
    h.load(QStringLiteral("PAS"));
    TProcedure_execute dlg(*h, h.prompts);
    dlg.prepare();
    EXPECT_EQ(dlg.ComboBox1->count(), 0);
    dlg.Button1Click();
    EXPECT_EQ(h.prompts.messages, QStringList{msg(Language::Rom, &MessageCatalogue::msgChooseProc)});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->toPlainText(), QStringLiteral("PAS"));
}

TEST(ProcedureExecute, CreatedLowerCaseProcedureIsCalledInUpperCase)
{
    EditorHarness h(Language::Eng);
    TProcedure_create create(*h, h.prompts);
    create.prepare();
    create.Edit1->setText(QStringLiteral("square"));
    create.Button1Click();
    TProcedure_execute call(*h, h.prompts);
    call.prepare();
    ASSERT_EQ(call.ComboBox1->count(), 1);
    call.ComboBox1->setCurrentIndex(0);
    call.Button1Click();
    EXPECT_TRUE(h->toPlainText().contains(QStringLiteral("EXECUTE SQUARE")));
}

TEST(CycleN, InsertsCountedLoopAndKeepsTheCount)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ"));
    h->setCaret(0, 3);
    TCycleN dlg(*h, h.prompts);
    dlg.prepare();
    EXPECT_EQ(dlg.SpinEdit1->value(), 1);
    dlg.SpinEdit1->setValue(12);
    dlg.Button1Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h.lines(), (QStringList{"ШАГ", "ЦИКЛ. ВЫПОЛНИТЬ 12 РАЗ", "", "КОНЕЦ ЦИКЛА", ""}));
    EXPECT_COLOR(h->lineColor(1), Green);
    EXPECT_COLOR(h->lineColor(3), Green);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn{2, 0}));
    dlg.prepare();
    EXPECT_EQ(dlg.SpinEdit1->value(), 12);
    dlg.SpinEdit1->setValue(123456);
    EXPECT_EQ(dlg.SpinEdit1->value(), 9999);
}

TEST(CycleWhile, NeedsAChosenTestAndInsertsTheLoop)
{
    EditorHarness h(Language::Eng);
    TCycleWhile dlg(*h, h.prompts);
    dlg.prepare();
    QStringList items;
    for (int i = 0; i < dlg.ComboBox1->count(); ++i) items << dlg.ComboBox1->itemText(i);
    EXPECT_EQ(items, (QStringList{"NOT BORDER", "NOT LINE", "BORDER", "LINE"}));
    dlg.Button1Click();   // nothing chosen: silently refused
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(h.prompts.messages.isEmpty());
    EXPECT_EQ(h->toPlainText(), QString());

    dlg.ComboBox1->setCurrentIndex(2);
    dlg.Button1Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h.lines(), (QStringList{"", "CYCLE. EXECUTE WHILE BORDER", "", "END OF CYCLE", ""}));
    EXPECT_COLOR(h->lineColor(1), Green);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn{2, 0}));

    h->setLanguage(Language::Rus);   // items are written anew in the new Language
    dlg.prepare();
    EXPECT_EQ(dlg.ComboBox1->itemText(0), QStringLiteral("НЕ КРАЙ"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Цикл"));
    EXPECT_EQ(dlg.Button2->text(), QStringLiteral("Отмена"));
}

TEST(ConditionIf, ThenOnlyAndThenElseForms)
{
    EditorHarness h;
    TConditionIf dlg(*h, h.prompts);
    dlg.prepare();
    EXPECT_TRUE(dlg.RadioButton1->isChecked());
    EXPECT_TRUE(dlg.ThenOnlyCommand->isEnabled());
    EXPECT_FALSE(dlg.ThenElseCommand2->isEnabled());
    dlg.Button1Click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.ComboBox1->setCurrentIndex(1);
    dlg.Button1Click();
    EXPECT_EQ(h.lines(), (QStringList{"", "УСЛОВИЕ. ЕСЛИ ЛИНИЯ", "ТОГДА", "", "КОНЕЦ УСЛОВИЯ", ""}));
    for (int k : {1, 2, 4}) EXPECT_COLOR(h->lineColor(k), Teal) << k;
    EXPECT_EQ(h->caretLineColumn(), (LineColumn{3, 0}));

    h->setLanguage(Language::Eng);
    h.prompts.messages.clear();
    QTest::mouseClick(dlg.GroupBox2, Qt::LeftButton, Qt::NoModifier, QPoint(80, 5));
    EXPECT_TRUE(dlg.thenElseForm());
    EXPECT_TRUE(dlg.RadioButton2->isChecked());
    EXPECT_FALSE(dlg.ThenOnlyThen->isEnabled());
    EXPECT_TRUE(dlg.ThenElseElse->isEnabled());
    dlg.prepare();   // the form and the label states persist
    EXPECT_TRUE(dlg.thenElseForm());
    EXPECT_EQ(dlg.ThenElseCommand1->text(), QStringLiteral("<COMMAND1>"));
    h.load(QString());
    dlg.ComboBox1->setCurrentIndex(2);
    dlg.Button1Click();
    EXPECT_EQ(h.lines(), (QStringList{"", "CONDITION. IF NOT BORDER", "THEN", "", "ELSE", "",
                                      "END OF CONDITION", ""}));
    EXPECT_EQ(h->caretLineColumn(), (LineColumn{3, 0}));   // directly under THEN
    EXPECT_COLOR(h->lineColor(4), Teal);
    EXPECT_COLOR(h->lineColor(6), Teal);

    dlg.RadioButton1->click();
    EXPECT_FALSE(dlg.thenElseForm());
    EXPECT_TRUE(dlg.ThenOnlyThen->isEnabled());
}

TEST(FormColor, InsertsChosenNameOrStepAndNothingInManualMode)
{
    EditorHarness h;
    TFormColor dlg(*h, h.prompts);
    bool manual = false;
    dlg.manualMode = [&] { return manual; };

    dlg.prepare();
    EXPECT_EQ(dlg.ColorComboBox1->count(), 16);
    EXPECT_EQ(dlg.ColorComboBox1->currentIndex(), -1);
    dlg.ColorComboBox1->setCurrentIndex(9);
    dlg.Button1Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->line(0), QStringLiteral("ЦВЕТ=КРАСНЫЙ"));
    EXPECT_COLOR(h->lineColor(0), Purple);

    h->setLanguage(Language::Eng);
    dlg.prepare();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Color"));
    EXPECT_EQ(dlg.RadioButton3->text(), QStringLiteral("color decrease (-1)"));
    EXPECT_EQ(dlg.ColorComboBox1->itemText(9), QStringLiteral("RED"));
    dlg.RadioButton2->setChecked(true);
    dlg.Button1Click();
    dlg.prepare();
    EXPECT_TRUE(dlg.RadioButton2->isChecked());   // the checked button is kept
    dlg.RadioButton3->setChecked(true);
    dlg.Button1Click();
    EXPECT_EQ(h.lines(), (QStringList{"ЦВЕТ=КРАСНЫЙ", "COLOR+", "COLOR-"}));

    dlg.prepare();
    dlg.RadioButton1->setChecked(true);
    dlg.Button1Click();   // no colour chosen: the name is empty
    EXPECT_EQ(h->line(3), QStringLiteral("COLOR="));

    manual = true;
    const QString before = h->toPlainText();
    dlg.prepare();
    dlg.RadioButton2->setChecked(true);
    dlg.Button1Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->toPlainText(), before);

    dlg.prepare();
    QTest::mouseClick(dlg.ColorComboBox1, Qt::LeftButton);   // clicking the list picks it
    dlg.ColorComboBox1->hidePopup();
    EXPECT_TRUE(dlg.RadioButton1->isChecked());
}

TEST(CommandDialogs, UnknownLanguageKeepsCaptions)
{
    EditorHarness h(Language::Rom);
    TCycleN n(*h, h.prompts);
    TFormColor c(*h, h.prompts);
    h->setLanguage(Language::Unknown);
    n.prepare();
    c.prepare();
    EXPECT_EQ(n.windowTitle(), QStringLiteral("Ciclu"));
    EXPECT_EQ(n.Label2->text(), QStringLiteral("ori"));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Culoare"));
}

TEST(CommandDialogs, CancelInsertsNothing)
{
    EditorHarness h;
    TCycleN dlg(*h, h.prompts);
    dlg.prepare();
    dlg.Button2->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(h->toPlainText(), QString());
}

TEST(FormColor, OpenListShowsEveryColourNameWhole)
{
    EditorHarness h;
    TFormColor dlg(*h, h.prompts);
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        h->setLanguage(lang);
        dlg.prepare();
        const QFontMetrics fm(dlg.ColorComboBox1->view()->font());
        for (int i = 0; i < dlg.ColorComboBox1->count(); ++i)
            EXPECT_GT(dlg.ColorComboBox1->view()->minimumWidth(),
                      fm.horizontalAdvance(dlg.ColorComboBox1->itemText(i)) + dlg.ColorComboBox1->iconSize().width())
                << dlg.ColorComboBox1->itemText(i).toStdString();
    }
}
