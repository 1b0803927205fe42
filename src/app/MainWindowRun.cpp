// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Run control, the syntax check and the interpreter's side of the main window.
#include "app/MainWindow.h"
#include "app/RunStateWindow.h"
#include "app/StatusBar.h"
#include "base/TextCatalogue.h"
#include "common/Prompts.h"
#include "editor/AlgorithmEditor.h"
#include "lang/Hints.h"
#include "lang/Normalize.h"
#include "lang/Statements.h"
#include "world/widgets/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include <QLabel>
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <utility>

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
    if (!r.error) return;
    // The report stays as it is; a known beginner mistake adds one hint below.
    reportWithHint(r, Hints::forReport(*m_editor, r.line, language(), textLanguage()));
}

void MainWindow::reportWithHint(const ErrorReport &report, const QString &hint)
{
    if (hint.isEmpty()) {
        reportError(report);
        return;
    }
    m_errorFound = true;
    if (report.line >= 0) selectLine(report.line);
    m_prompts->messageWindowWithHint(report.heading, report.texts,
                                     uiText("hint.label", textLanguage()).value_or(QString()), hint);
}

void MainWindow::reportLeftField(const ErrorReport &report, bool startedAway)
{
    reportWithHint(report, startedAway ? uiText("hint.robotNotAtStart", textLanguage()).value_or(QString())
                                       : QString());
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
    // What the check lets through but the run treats in surprising ways; never stops a run.
    const QStringList warnings = Hints::structureWarnings(*m_editor, language(), textLanguage());
    if (!warnings.isEmpty())
        showReport(uiText("hint.warnings", textLanguage()).value_or(QString()),
                   QStringList {uiText("hint.warningsNote", textLanguage()).value_or(QString())} + warnings);
}

void MainWindow::runCommand()
{
    if (m_run.isActive() || !action(Command::Run)->isEnabled()) return;
    m_errorFound = false;
    checkSyntax();
    if (!m_errorFound) startRun();
}

// A run from idle that passed its check: with the preference on, on a cleared field.
void MainWindow::cleanFieldForRun()
{
    if (m_settings.cleanFieldEachRun) resetField();
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
    if (idle && m_resumeAction) m_resumeAction->setEnabled(false);
    action(Command::Pause)->setEnabled(running);
    action(Command::Stop)->setEnabled(running);
    for (Command c : {Command::Run, Command::Check, Command::ManualMode}) toolButton(c)->setEnabled(idle);
    toolButton(Command::Pause)->setEnabled(running);
    toolButton(Command::Stop)->setEnabled(running);
    for (QPushButton *b : {m_stepButton, m_jumpButton, m_rotate45Button, m_rotate90Button})
        b->setEnabled(idle);
    for (Command c : kCommandButtons) toolButton(c)->setEnabled(idle);
    m_editor->setReadOnly(running);
    if (m_field->sprite()) m_field->sprite()->setEnabled(idle);
}

void MainWindow::startRun()
{
    cleanFieldForRun();
    m_run.setProgram(m_editor);
    m_run.setLanguage(language());
    m_run.setSpeed(m_settings.speed);
    m_run.start();
}

void MainWindow::startTicks()
{
    m_pacer.restart();
    m_runTimer.start();
    if (m_resumeAction) m_resumeAction->setEnabled(false);
    if (m_runStateWindow && m_runStateWindow->isVisible()) m_runStateTimer.start();
    refreshRunState();
}

void MainWindow::stopTicks()
{
    m_runTimer.stop();
    m_pacer.release();   // a pause or a stop shows the state as it is
    m_runStateTimer.stop();
    describeField();
    if (m_resumeAction) m_resumeAction->setEnabled(m_run.state() == RunController::State::Paused);
    refreshRunState();
}

void MainWindow::endRunToCursor()
{
    if (m_runToLine < 0) return;
    m_runToLine = -1;
    m_runTimer.setInterval(m_speedInterval);
}

void MainWindow::pauseRun()
{
    endRunToCursor();
    m_run.togglePause();
}

void MainWindow::stopRun() { m_run.stop(); }

void MainWindow::runStopped()
{
    endRunToCursor();
    m_pacer.release();   // the last run line first, then the caret as it was
    m_editor->setRunLine(-1);
    m_editor->setCaret(m_checkLine, m_checkColumn);
    describeField();
}

void MainWindow::showHeldFrame()
{
    if (m_heldRunLine >= 0) {
        const int line = std::exchange(m_heldRunLine, -1);
        m_editor->selectLine(line);
        m_editor->setRunLine(line);
        m_editor->setFocus();
    }
    if (std::exchange(m_heldPanels, false)) {
        const RobotState &s = m_world.state();
        const Language lang = textLanguage();
        m_statusBar->setPanelText(StatusPanel::Position, *WorldTexts::positionPanel(lang, s.x, s.y));
        m_statusBar->setPanelText(StatusPanel::LineSensor, *WorldTexts::lineSensorPanel(lang, s.lineSensor));
        m_statusBar->setPanelText(StatusPanel::BorderSensor,
                                  *WorldTexts::borderSensorPanel(lang, s.borderSensor));
    }
    m_field->showHeld();
}

void MainWindow::stepLineCommand()
{
    if (m_manual) return;
    endRunToCursor();
    if (!m_run.isActive()) {
        m_errorFound = false;
        checkSyntax();
        if (m_errorFound) return;
        cleanFieldForRun();
        m_run.setProgram(m_editor);
        m_run.setLanguage(language());
        m_run.setSpeed(m_settings.speed);
        m_run.startPaused();
    }
    m_run.step();
}

void MainWindow::runToCursorCommand()
{
    if (m_manual) return;
    const int target = caretLine();
    if (!m_run.isActive()) {
        m_errorFound = false;
        checkSyntax();
        if (m_errorFound) return;
        m_runToLine = target;
        m_runToLeaveFirst = false;
        m_runTimer.setInterval(0);
        startRun();
        return;
    }
    m_runToLine = target;
    // Paused on the line itself: the pupil asks for its next visit, not for no move at all.
    m_runToLeaveFirst = m_run.interpreter().currentLine() == target;
    m_runTimer.setInterval(0);
    if (!m_run.isRunning()) m_run.togglePause();
}

// As many ticks as fit in a short slice, so the window stays live however long the way.
void MainWindow::runToCursorTicks()
{
    QElapsedTimer slice;
    slice.start();
    // The tick on the line after the end only ends the run: that line is never executed.
    const bool afterEnd = m_editor->normalizedLine(m_runToLine - 1) ==
                          Statements::keyword(StatementKind::End, Lexicon::forLanguage(m_run.language()));
    do {
        if (!m_runToLeaveFirst && !afterEnd && m_run.interpreter().currentLine() == m_runToLine) {
            const int line = m_runToLine;
            endRunToCursor();
            m_run.togglePause();
            m_run.showRunLine(line);
            refreshRunState();
            return;
        }
        m_runToLeaveFirst = false;
        m_run.tick();
    } while (m_run.isRunning() && m_runToLine >= 0 && slice.elapsed() < 25);
}

void MainWindow::showRunState()
{
    if (!m_runStateWindow) {
        m_runStateWindow = new RunStateWindow(this);
        m_runStateWindow->setLanguage(textLanguage(), textLanguage());
        m_runStateWindow->adjustSize();
        // Beside the main window, or over its right edge where the screen ends.
        const QRect frame = frameGeometry();
        QPoint at(frame.right() + 8, frame.top());
        if (QScreen *screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::max(area.left(),
                             std::min(at.x(), area.right() - m_runStateWindow->frameGeometry().width())));
        }
        m_runStateWindow->move(at);
    }
    m_runStateWindow->show();
    m_runStateWindow->raise();
    if (m_run.isRunning()) m_runStateTimer.start();
    refreshRunState();
}

void MainWindow::refreshRunState()
{
    if (!m_runStateWindow || !m_runStateWindow->isVisible()) return;
    if (!m_run.isActive()) m_run.setSpeed(m_settings.speed);   // between runs, the setting's
    m_runStateWindow->showSnapshot(m_run.snapshot(), *m_editor);
}

void MainWindow::buildRunAids()
{
    // Run is locked outside Idle, so F9 while paused needs an action of its own.
    m_resumeAction = new QAction(this);
    m_resumeAction->setObjectName(QStringLiteral("resumeKey"));
    m_resumeAction->setShortcut(QKeySequence(Qt::Key_F9));
    m_resumeAction->setEnabled(false);
    addAction(m_resumeAction);
    connect(m_resumeAction, &QAction::triggered, this, [this] {
        if (m_run.state() == RunController::State::Paused) pauseRun();
    });
    m_runStateTimer.setInterval(100);
    connect(&m_runStateTimer, &QTimer::timeout, this, &MainWindow::refreshRunState);
}

void MainWindow::runTimerTimeout()
{
    if (m_runToLine >= 0)
        m_pacer.timeoutFlatOut([this] { runToCursorTicks(); });
    else
        m_pacer.timeout();
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
    if (m_pacer.holding()) {
        m_heldRunLine = line;
        return;
    }
    m_editor->selectLine(line);
    m_editor->setRunLine(line);
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

// A held run line is where the caret is about to be.
int MainWindow::caretLine() const
{
    return m_heldRunLine >= 0 ? m_heldRunLine : m_editor->caretLineColumn().line;
}

void MainWindow::outOfFieldAttempted()
{
    m_run.setLanguage(language());
    m_run.leaveFieldAttempted();
}
