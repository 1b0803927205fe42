// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Run control, the syntax check and the interpreter's side of the main window.
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "lang/TextCatalogue.h"
#include "common/Prompts.h"
#include "editor/AlgorithmEditor.h"
#include "lang/Normalize.h"
#include "world/widgets/FieldView.h"
#include <QLabel>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {
const Command kCommandButtons[] = {
    Command::ConditionalLoop, Command::Condition,       Command::Colour,
    Command::BeginEnd,        Command::Destroy,         Command::Rebuild,
    Command::CountedLoop,     Command::CreateProcedure, Command::CallProcedure};
}

void MainWindow::selectLine(int line) { m_editor->selectLine(line); }

void MainWindow::showReport(const QString &heading, const QStringList &texts)
{
    m_prompts->messageWindow(heading, texts);
}

void MainWindow::reportError(const ErrorReport &report)
{
    m_errorFound = true;
    if (report.line >= 0) selectLine(report.line);
    showReport(report.heading, report.texts);
}

void MainWindow::checkSyntax()
{
    const LineColumn caret = m_editor->caretLineColumn();
    m_checkLine = caret.line;
    m_checkColumn = caret.column;
    if (m_settings.autoRefresh) m_editor->recolourAll();
    m_editor->setCaret(m_checkLine, m_checkColumn);
    m_errorFound = false;
    const ErrorReport r =
        checkProgram(*m_editor, Lexicon::forLanguage(language()), MessageCatalogue::forLanguage(language()));
    if (r.error) reportError(r);
}

void MainWindow::spellingCommand()
{
    m_errorFound = false;
    checkSyntax();
    if (m_errorFound) return;
    m_noErrorsNotice->setGeometry(256, 184, 193, 41);
    m_noErrorsNotice->setText(MessageCatalogue::forLanguage(language()).msgNoErrors);
    m_noErrorsNotice->show();
    m_noErrorsNotice->raise();
    m_noticeTimer.start();
}

void MainWindow::runCommand()
{
    if (m_run.isActive() || !action(Command::Run)->isEnabled()) return;
    m_errorFound = false;
    checkSyntax();
    if (!m_errorFound) startRun();
}

void MainWindow::applyRunLock(bool running)
{
    const bool idle = !running;
    m_fileToolBar->setEnabled(idle);
    for (MenuId m : {MenuId::File, MenuId::Edit, MenuId::Commands, MenuId::Help})
        menu(m)->menuAction()->setEnabled(idle);
    for (Command c :
         {Command::Run, Command::Check, Command::ManualMode, Command::Preferences, Command::TranslateProgram})
        action(c)->setEnabled(idle);
    action(Command::Pause)->setEnabled(running);
    action(Command::Stop)->setEnabled(running);
    for (Command c : {Command::Run, Command::Check, Command::ManualMode}) toolButton(c)->setEnabled(idle);
    toolButton(Command::Pause)->setEnabled(running);
    toolButton(Command::Stop)->setEnabled(running);
    for (int i = 0; i < 4; ++i) manualButton(i)->setEnabled(idle);
    for (Command c : kCommandButtons) toolButton(c)->setEnabled(idle);
    m_editor->setReadOnly(running);
    if (m_field->sprite()) m_field->sprite()->setEnabled(idle);
}

void MainWindow::startRun()
{
    m_run.setProgram(m_editor);
    m_run.setLanguage(language());
    m_run.start();
}

void MainWindow::startTicks()
{
    m_scheduleClock.invalidate();
    m_runTimer.start();
}

void MainWindow::pauseRun()
{
    m_run.togglePause();
    describeField();
}

void MainWindow::stopRun() { m_run.stop(); }

void MainWindow::runStopped()
{
    m_editor->setCaret(m_checkLine, m_checkColumn);
    describeField();
}

void MainWindow::runTick() { m_run.tick(); }

void MainWindow::runTimerTimeout()
{
    runTick();
    if (!m_run.isRunning()) return;
    // Qt starts the next period from a late timeout, so late wake-ups add up (at 1 ms they
    // cost a fifth of the ticks). Counting the ticks against the clock and giving one
    // extra tick when a whole period is owed keeps the run at the speed it asks for.
    const int interval = m_runTimer.interval();
    if (interval != m_scheduleInterval || !m_scheduleClock.isValid()) {
        m_scheduleInterval = interval;
        m_scheduleTicks = 0;
        m_scheduleClock.start();
        return;
    }
    ++m_scheduleTicks;
    if (m_scheduleClock.elapsed() >= (m_scheduleTicks + 1) * qint64(interval)) {
        ++m_scheduleTicks;
        runTick();
    }
}

void MainWindow::hideNotices()
{
    m_noticeTimer.stop();
    m_endOfRunNotice->hide();
    m_noErrorsNotice->hide();
}

void MainWindow::refreshLinePanelsTick() { m_editor->refreshLinePanels(true); }

void MainWindow::selectRunLine(int line)
{
    m_editor->selectLine(line);
    m_editor->setFocus();
}

void MainWindow::fatalMessage(const QString &text) { m_prompts->error(text); }

void MainWindow::endOfRunNotice()
{
    m_endOfRunNotice->setGeometry(256, 184, 185, 41);
    m_endOfRunNotice->show();
    m_endOfRunNotice->raise();
    m_noticeTimer.start();
}

int MainWindow::caretLine() const { return m_editor->caretLineColumn().line; }

void MainWindow::outOfFieldAttempted()
{
    m_run.setLanguage(language());
    m_run.leaveFieldAttempted();
}
