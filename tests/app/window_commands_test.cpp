// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "app/HelpWindow.h"
#include "app/Commands.h"
#include "common/ModalHelper.h"
#include "documents/widgets/ExtendedSettingsDialog.h"
#include <QSpinBox>
#include <QTest>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
}   // namespace

TEST_F(MainWindowTest, F5ChecksThroughTheRealKeyboard)
{
    open();
    window->show();
    QApplication::setActiveWindow(window.get());
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ 2\nКОНЕЦ АЛГОРИТМА");
    window->editor()->setFocus();
    QTest::keyClick(window->editor(), Qt::Key_F5);
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].texts.value(0), u("Ошибка в строке: 2 (\"ШАГ 2\")"));
    EXPECT_EQ(window->editor()->textCursor().selectedText(), u("ШАГ 2"));
}

TEST_F(MainWindowTest, TwoStarsOpenTheExtendedSettingsWhichWriteTheDirective)
{
    open();
    window->show();
    QApplication::setActiveWindow(window.get());
    window->editor()->setFocus();
    bool opened = false;
    whenModal([&](QWidget *w) {
        opened = w == window->findChild<ExtendedSettingsDialog *>();
        auto *spin = w->findChild<QSpinBox *>();
        ASSERT_NE(spin, nullptr);
        spin->setValue(250);
        window->findChild<ExtendedSettingsDialog *>()->ok();
    });
    QTest::keyClicks(window->editor(), QStringLiteral("**"));
    EXPECT_TRUE(opened);
    EXPECT_EQ(window->editor()->toPlainText(), QStringLiteral("*$S=250"));
    EXPECT_EQ(window->editor()->lineColour(0), 0xC0C0C0u);
    EXPECT_EQ(panel(StatusPanel::Document), u("Изменен"));
}

TEST_F(MainWindowTest, CheckRecoloursEveryLineFirstOnlyWithTheSetting)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->editor()->paintLine(1, 0xFF0000);
    window->editor()->setCaret(1, 2);
    window->action(Command::Check)->trigger();
    EXPECT_EQ(window->editor()->lineColour(1), 0xFF0000u);
    window->settings().autoRefresh = true;
    window->action(Command::Check)->trigger();
    EXPECT_EQ(window->editor()->lineColour(1), 0x000080u);
    EXPECT_EQ(window->editor()->caretLineColumn(), (LineColumn {1, 2}));
    EXPECT_FALSE(window->editor()->textCursor().hasSelection());
}

TEST_F(MainWindowTest, HelpWithoutAViewerOpensTheBuiltInHelpAndExitCloses)
{
    open();
    window->show();
    window->action(Command::Help)->trigger();
    ASSERT_NE(window->findChild<HelpWindow *>(), nullptr);
    EXPECT_TRUE(window->findChild<HelpWindow *>()->isVisible());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.reports.isEmpty());
    window->action(Command::Redo)->trigger();
    window->action(Command::Exit)->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QFileInfo::exists(iniPath()));
}

TEST_F(MainWindowTest, ToolButtonsDoNothingWhileTheirItemIsDisabled)
{
    open();
    setProgram("ШАГ");
    window->action(Command::ClearAlgorithm)->setEnabled(false);
    window->toolButton(Command::ClearAlgorithm)->click();
    EXPECT_TRUE(prompts.questions.isEmpty());
    window->action(Command::ClearAlgorithm)->setEnabled(true);
    prompts.answers.enqueue(true);
    window->toolButton(Command::ClearAlgorithm)->click();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(window->editor()->toPlainText().isEmpty());
}

// The typed ids are the only way in: each one must lead to a real control, and a tool button
// must show the same picture as the menu item it performs.
TEST_F(MainWindowTest, EveryCommandMenuAndToolBarIdResolvesToItsControl)
{
    open();
    for (int i = 0; i < commandCount; ++i) {
        const Command c = Command(i);
        ASSERT_NE(window->action(c), nullptr) << objectName(c);
        EXPECT_EQ(window->action(c)->objectName(), QLatin1String(objectName(c)));
        if (!*buttonObjectName(c)) continue;
        QToolButton *button = window->toolButton(c);
        ASSERT_NE(button, nullptr) << buttonObjectName(c);
        EXPECT_EQ(button->icon().pixmap(16).toImage(), window->action(c)->icon().pixmap(16).toImage())
            << buttonObjectName(c);
    }
    for (MenuId m :
         {MenuId::File, MenuId::Edit, MenuId::Commands, MenuId::SystemCommands, MenuId::SimpleCommands,
          MenuId::AdvancedCommands, MenuId::SpecialCommands, MenuId::Program, MenuId::Help})
        EXPECT_NE(window->menu(m), nullptr) << objectName(m);
    for (ToolBarId b : {ToolBarId::File, ToolBarId::Run, ToolBarId::Commands})
        EXPECT_NE(window->toolBar(b), nullptr) << objectName(b);
}
