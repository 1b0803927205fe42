// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorTestUtil.h"
#include "editor/ColourDialog.h"
#include "editor/ConditionDialog.h"
#include "editor/CountedLoopDialog.h"
#include "editor/ConditionalLoopDialog.h"
#include "editor/CreateProcedureDialog.h"
#include "editor/CallProcedureDialog.h"
#include "lang/MessageCatalogue.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

using namespace LineColour;

namespace {
QString msg(Language l, QString MessageCatalogue::*m) { return MessageCatalogue::forLanguage(l).*m; }
}   // namespace

TEST(ProcedureCreate, TwoWordNameGoesToTheTopJoinedByUnderscore)
{
    EditorHarness h;
    h.load(QStringLiteral("НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА"));
    h->recolourAll();
    h->setCaret(1, 4);
    CreateProcedureDialog dlg(*h, h.prompts);
    dlg.prepare();
    dlg.nameEdit->setText(QStringLiteral("большой квадрат"));
    dlg.confirm();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.nameEdit->text(), QStringLiteral("большой_квадрат"));
    EXPECT_EQ(h.lines(), (QStringList {"", "ПРОЦЕДУРА большой_квадрат", "", "КОНЕЦ ПРОЦЕДУРЫ",
                                       "НАЧАЛО АЛГОРИТМА", "КОНЕЦ АЛГОРИТМА"}));
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {2, 0}));
    EXPECT_COLOR(h->lineColour(1), Maroon);
    EXPECT_COLOR(h->lineColour(3), Maroon);
    EXPECT_COLOR(h->lineColour(4), Blue);
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 3"));
    EXPECT_TRUE(h.prompts.messages.isEmpty());

    dlg.prepare();   // the name is emptied at every opening
    EXPECT_TRUE(dlg.nameEdit->text().isEmpty());
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
        CreateProcedureDialog dlg(*h, h.prompts);
        dlg.prepare();
        dlg.nameEdit->setText(QString::fromUtf8(c.name));
        dlg.confirm();
        EXPECT_EQ(h.prompts.messages, QStringList {msg(Language::Eng, c.message)}) << c.name;
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
    CallProcedureDialog dlg(*h, h.prompts);
    dlg.prepare();
    QStringList items;
    for (int i = 0; i < dlg.procedureCombo->count(); ++i) items << dlg.procedureCombo->itemText(i);
    EXPECT_EQ(items, (QStringList {"", "АНТ ", "КВАДРАТ", "КВАДРАТ"}));
    EXPECT_EQ(dlg.procedureCombo->currentIndex(), -1);

    dlg.procedureCombo->setCurrentIndex(2);
    dlg.confirm();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->line(6), QStringLiteral("ВЫПОЛНИТЬ КВАДРАТ"));
    EXPECT_COLOR(h->lineColour(6), Maroon);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {7, 0}));   // start of the line after the call
    EXPECT_EQ(h.noErrorsLabel, QStringLiteral("Текущая строка: 8"));
    h.type(QStringLiteral("x"));
    EXPECT_COLOR(h->lineColour(7), Black);
}

TEST(ProcedureExecute, WithoutChoiceAsksToChooseAndInsertsNothing)
{
    EditorHarness h(Language::Rom);
    h.load(QStringLiteral("PAS"));
    CallProcedureDialog dlg(*h, h.prompts);
    dlg.prepare();
    EXPECT_EQ(dlg.procedureCombo->count(), 0);
    dlg.confirm();
    EXPECT_EQ(h.prompts.messages, QStringList {msg(Language::Rom, &MessageCatalogue::msgChooseProc)});
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->toPlainText(), QStringLiteral("PAS"));
}

TEST(ProcedureExecute, CreatedLowerCaseProcedureIsCalledInUpperCase)
{
    EditorHarness h(Language::Eng);
    CreateProcedureDialog create(*h, h.prompts);
    create.prepare();
    create.nameEdit->setText(QStringLiteral("square"));
    create.confirm();
    CallProcedureDialog call(*h, h.prompts);
    call.prepare();
    ASSERT_EQ(call.procedureCombo->count(), 1);
    // The only procedure is chosen already: OK alone inserts its call.
    EXPECT_EQ(call.procedureCombo->currentIndex(), 0);
    call.confirm();
    EXPECT_TRUE(h.prompts.messages.isEmpty());
    EXPECT_TRUE(h->toPlainText().contains(QStringLiteral("EXECUTE SQUARE")));
}

TEST(CountedLoopDialog, InsertsCountedLoopAndKeepsTheCount)
{
    EditorHarness h;
    h.load(QStringLiteral("ШАГ"));
    h->setCaret(0, 3);
    CountedLoopDialog dlg(*h, h.prompts);
    dlg.prepare();
    EXPECT_EQ(dlg.countSpin->value(), 1);
    dlg.countSpin->setValue(12);
    dlg.confirm();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h.lines(), (QStringList {"ШАГ", "ЦИКЛ. ВЫПОЛНИТЬ 12 РАЗ", "", "КОНЕЦ ЦИКЛА", ""}));
    EXPECT_COLOR(h->lineColour(1), Green);
    EXPECT_COLOR(h->lineColour(3), Green);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {2, 0}));
    dlg.prepare();
    EXPECT_EQ(dlg.countSpin->value(), 12);
    dlg.countSpin->setValue(123456);
    EXPECT_EQ(dlg.countSpin->value(), 9999);
}

TEST(ConditionalLoopDialog, NeedsAChosenTestAndInsertsTheLoop)
{
    EditorHarness h(Language::Eng);
    ConditionalLoopDialog dlg(*h, h.prompts);
    dlg.prepare();
    QStringList items;
    for (int i = 0; i < dlg.testCombo->count(); ++i) items << dlg.testCombo->itemText(i);
    EXPECT_EQ(items, (QStringList {"NOT BORDER", "NOT LINE", "BORDER", "LINE"}));
    dlg.confirm();   // nothing chosen: silently refused
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(h.prompts.messages.isEmpty());
    EXPECT_EQ(h->toPlainText(), QString());

    dlg.testCombo->setCurrentIndex(2);
    dlg.confirm();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h.lines(), (QStringList {"", "CYCLE. EXECUTE WHILE BORDER", "", "END OF CYCLE", ""}));
    EXPECT_COLOR(h->lineColour(1), Green);
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {2, 0}));

    h->setLanguage(Language::Rus);   // items are written anew in the new Language
    dlg.prepare();
    EXPECT_EQ(dlg.testCombo->itemText(0), QStringLiteral("НЕ КРАЙ"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Цикл"));
    EXPECT_EQ(dlg.cancelButton->text(), QStringLiteral("Отмена"));
}

TEST(ConditionDialog, ThenOnlyAndThenElseForms)
{
    EditorHarness h;
    ConditionDialog dlg(*h, h.prompts);
    dlg.prepare();
    EXPECT_TRUE(dlg.thenOnlyRadio->isChecked());
    EXPECT_TRUE(dlg.thenOnlyCommandLabel->isEnabled());
    EXPECT_FALSE(dlg.thenElseCommand2Label->isEnabled());
    dlg.confirm();
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.testCombo->setCurrentIndex(1);
    dlg.confirm();
    EXPECT_EQ(h.lines(), (QStringList {"", "УСЛОВИЕ. ЕСЛИ ЛИНИЯ", "ТОГДА", "", "КОНЕЦ УСЛОВИЯ", ""}));
    for (int k : {1, 2, 4}) EXPECT_COLOR(h->lineColour(k), Teal) << k;
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {3, 0}));

    h->setLanguage(Language::Eng);
    h.prompts.messages.clear();
    QTest::mouseClick(dlg.thenElseGroup, Qt::LeftButton, Qt::NoModifier, QPoint(80, 5));
    EXPECT_TRUE(dlg.thenElseForm());
    EXPECT_TRUE(dlg.thenElseRadio->isChecked());
    EXPECT_FALSE(dlg.thenOnlyThenLabel->isEnabled());
    EXPECT_TRUE(dlg.thenElseElseLabel->isEnabled());
    dlg.prepare();   // the form and the label states persist
    EXPECT_TRUE(dlg.thenElseForm());
    EXPECT_EQ(dlg.thenElseCommand1Label->text(), QStringLiteral("<COMMAND1>"));
    h.load(QString());
    dlg.testCombo->setCurrentIndex(2);
    dlg.confirm();
    EXPECT_EQ(h.lines(),
              (QStringList {"", "CONDITION. IF NOT BORDER", "THEN", "", "ELSE", "", "END OF CONDITION", ""}));
    EXPECT_EQ(h->caretLineColumn(), (LineColumn {3, 0}));   // directly under THEN
    EXPECT_COLOR(h->lineColour(4), Teal);
    EXPECT_COLOR(h->lineColour(6), Teal);

    dlg.thenOnlyRadio->click();
    EXPECT_FALSE(dlg.thenElseForm());
    EXPECT_TRUE(dlg.thenOnlyThenLabel->isEnabled());
}

TEST(ColourDialog, InsertsChosenNameOrStepAndNothingInManualMode)
{
    EditorHarness h;
    ColourDialog dlg(*h, h.prompts);
    bool manual = false;
    dlg.manualMode = [&] { return manual; };

    dlg.prepare();
    EXPECT_EQ(dlg.colourCombo->count(), 16);
    EXPECT_EQ(dlg.colourCombo->currentIndex(), -1);
    dlg.colourCombo->setCurrentIndex(9);
    dlg.confirm();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->line(0), QStringLiteral("ЦВЕТ=КРАСНЫЙ"));
    EXPECT_COLOR(h->lineColour(0), Purple);

    h->setLanguage(Language::Eng);
    dlg.prepare();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Color"));
    EXPECT_EQ(dlg.previousColourRadio->text(), QStringLiteral("color decrease (-1)"));
    EXPECT_EQ(dlg.colourCombo->itemText(9), QStringLiteral("RED"));
    dlg.nextColourRadio->setChecked(true);
    dlg.confirm();
    dlg.prepare();
    EXPECT_TRUE(dlg.nextColourRadio->isChecked());   // the checked button is kept
    dlg.previousColourRadio->setChecked(true);
    dlg.confirm();
    EXPECT_EQ(h.lines(), (QStringList {"ЦВЕТ=КРАСНЫЙ", "COLOR+", "COLOR-"}));

    dlg.prepare();
    dlg.setColourRadio->setChecked(true);
    dlg.confirm();   // no colour chosen: the name is empty
    EXPECT_EQ(h->line(3), QStringLiteral("COLOR="));

    manual = true;
    const QString before = h->toPlainText();
    dlg.prepare();
    dlg.nextColourRadio->setChecked(true);
    dlg.confirm();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(h->toPlainText(), before);

    dlg.prepare();
    QTest::mouseClick(dlg.colourCombo, Qt::LeftButton);   // clicking the list picks it
    dlg.colourCombo->hidePopup();
    EXPECT_TRUE(dlg.setColourRadio->isChecked());
}

TEST(CommandDialogs, UnknownLanguageKeepsCaptions)
{
    EditorHarness h(Language::Rom);
    CountedLoopDialog n(*h, h.prompts);
    ColourDialog c(*h, h.prompts);
    h->setLanguage(Language::Unknown);
    n.prepare();
    c.prepare();
    EXPECT_EQ(n.windowTitle(), QStringLiteral("Ciclu"));
    EXPECT_EQ(n.timesLabel->text(), QStringLiteral("ori"));
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Culoare"));
}

TEST(CommandDialogs, CancelInsertsNothing)
{
    EditorHarness h;
    CountedLoopDialog dlg(*h, h.prompts);
    dlg.prepare();
    dlg.cancelButton->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(h->toPlainText(), QString());
}

TEST(ColourDialog, OpenListShowsEveryColourNameWhole)
{
    EditorHarness h;
    ColourDialog dlg(*h, h.prompts);
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        h->setLanguage(lang);
        dlg.prepare();
        const QFontMetrics fm(dlg.colourCombo->view()->font());
        for (int i = 0; i < dlg.colourCombo->count(); ++i)
            EXPECT_GT(dlg.colourCombo->view()->minimumWidth(),
                      fm.horizontalAdvance(dlg.colourCombo->itemText(i)) +
                          dlg.colourCombo->iconSize().width())
                << dlg.colourCombo->itemText(i).toStdString();
    }
}

TEST(CountedLoopDialog, TypedCountOutsideOneTo9999BecomesTheNearestLimit)
{
    const struct {
        const char *typed;
        const char *count;
    } cases[] = {{"0", "1"}, {"", "1"}, {"-3", "1"}, {"-", "1"}, {"77", "77"}, {"9999", "9999"}};
    for (const auto &c : cases) {
        EditorHarness h;
        CountedLoopDialog dlg(*h, h.prompts);
        dlg.show();
        dlg.prepare();
        dlg.countSpin->setValue(5);   // the count of the previous loop
        dlg.countSpin->selectAll();
        QTest::keyClick(dlg.countSpin, Qt::Key_Delete);
        QTest::keyClicks(dlg.countSpin, c.typed);
        QTest::mouseClick(dlg.okButton, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.typed;
        EXPECT_EQ(h.lines().value(1), QStringLiteral("ЦИКЛ. ВЫПОЛНИТЬ %1 РАЗ").arg(QLatin1String(c.count)))
            << c.typed;
        EXPECT_EQ(dlg.countSpin->value(), QString::fromLatin1(c.count).toInt());
    }
}

TEST(CountedLoopDialog, CountTakesAtMostFourCharacters)
{
    EditorHarness h;
    CountedLoopDialog dlg(*h, h.prompts);
    dlg.show();
    dlg.prepare();
    dlg.countSpin->selectAll();
    QTest::keyClicks(dlg.countSpin, "123456");
    dlg.confirm();
    EXPECT_EQ(h.lines().value(1), QStringLiteral("ЦИКЛ. ВЫПОЛНИТЬ 1234 РАЗ"));
}

TEST(ProcedureExecute, ListOpensFiveRowsHighAndScrolls)
{
    EditorHarness h;
    QString program;
    for (char c = 'A'; c <= 'L'; ++c)
        program += QStringLiteral("ПРОЦЕДУРА %1\nКОНЕЦ ПРОЦЕДУРЫ\n").arg(QLatin1Char(c));
    h.load(program);
    CallProcedureDialog dlg(*h, h.prompts);
    dlg.show();
    dlg.prepare();
    ASSERT_EQ(dlg.procedureCombo->count(), 12);
    dlg.procedureCombo->showPopup();
    QAbstractItemView *view = dlg.procedureCombo->view();
    ASSERT_TRUE(view->isVisible());
    const int row = view->sizeHintForRow(0);
    ASSERT_GT(row, 0);
    const int rowsShown = view->viewport()->height() / row;
    EXPECT_EQ(rowsShown, 5) << view->viewport()->height() << " / " << row;
    EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
    dlg.procedureCombo->hidePopup();
}
