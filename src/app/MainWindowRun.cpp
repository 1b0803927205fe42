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

void MainWindow::selectLine(int line) { m_editor->selectLine(line); }

void MainWindow::showReport(const QString &heading, const QStringList &texts)
{
    prompts().messageWindow(heading, texts);
}

void MainWindow::reportError(const ErrorReport &report)
{
    if (report.line >= 0) selectLine(report.line);
    showReport(report.heading, report.texts);
}

bool MainWindow::checkSyntax()
{
    m_checkCaret = m_editor->caretLineColumn();
    if (m_settings.autoRefresh) m_editor->recolourAll();
    m_editor->setCaret(m_checkCaret.line, m_checkCaret.column);
    const ErrorReport r =
        checkProgram(*m_editor, Lexicon::forLanguage(language()), MessageCatalogue::forLanguage(language()));
    if (!r.error) return false;
    // The report stays as it is; a known beginner mistake adds one hint below.
    reportWithHint(r, Hints::forReport(*m_editor, r.line, language(), textLanguage()));
    return true;
}

void MainWindow::reportWithHint(const ErrorReport &report, const QString &hint)
{
    if (hint.isEmpty()) {
        reportError(report);
        return;
    }
    if (report.line >= 0) selectLine(report.line);
    prompts().messageWindowWithHint(report.heading, report.texts,
                                    uiText("hint.label", textLanguage()).value_or(QString()), hint);
}

void MainWindow::reportLeftField(const ErrorReport &report, bool startedAway)
{
    reportWithHint(report, startedAway ? uiText("hint.robotNotAtStart", textLanguage()).value_or(QString())
                                       : QString());
}

void MainWindow::spellingCommand()
{
    ++m_work.checks;
    if (checkSyntax()) return;
    m_notices.showNoErrors(MessageCatalogue::forLanguage(language()).msgNoErrors);
    // What the check lets through but the run treats in surprising ways; never stops a run.
    const QStringList warnings = Hints::structureWarnings(*m_editor, language(), textLanguage());
    if (!warnings.isEmpty())
        showReport(uiText("hint.warnings", textLanguage()).value_or(QString()),
                   QStringList {uiText("hint.warningsNote", textLanguage()).value_or(QString())} + warnings);
}

void MainWindow::runCommand()
{
    if (m_run.isActive() || !action(Command::Run)->isEnabled()) return;
    if (checkSyntax()) return;
    ++m_work.runs;
    m_statusBar->setNotice(QString());   // the line panels again while it runs
    startRun();
}

// A run from idle that passed its check: with the preference on, on a cleared field.
void MainWindow::cleanFieldForRun()
{
    if (m_settings.cleanFieldEachRun) resetField();
}

void MainWindow::applyRunLock(bool running)
{
    const bool idle = !running;
    applyMode(running ? WindowMode::Running : WindowMode::Idle);
    if (running) clearTaskMarks();
    if (idle && m_resumeAction) m_resumeAction->setEnabled(false);
    for (QPushButton *b : m_manualButtons) b->setEnabled(idle);
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
    m_heldFrame.pacer().restart();
    m_heldFrame.timer().start();
    if (m_resumeAction) m_resumeAction->setEnabled(false);
    if (RunStateWindow *w = m_dialogs->runStateIfMade(); w && w->isVisible())
        m_dialogs->runStateTimer().start();
    refreshRunState();
    showTimeline();
}

void MainWindow::stopTicks()
{
    m_heldFrame.timer().stop();
    m_heldFrame.pacer().release();   // a pause or a stop shows the state as it is
    m_dialogs->runStateTimer().stop();
    describeField();
    if (m_resumeAction) m_resumeAction->setEnabled(m_run.state() == RunController::State::Paused);
    refreshRunState();
    showTimeline();
}

void MainWindow::pauseRun()
{
    m_runToCursor.end();
    m_run.togglePause();
}

void MainWindow::stopRun() { m_run.stop(); }

void MainWindow::runStopped()
{
    m_runToCursor.end();
    m_heldFrame.pacer().release();   // the last run line first, then the caret as it was
    m_editor->setRunLine(-1);
    m_editor->setCaret(m_checkCaret.line, m_checkCaret.column);
    describeField();
    showTimeline();
}

void MainWindow::stepLineCommand()
{
    if (m_manual) return;
    m_runToCursor.end();
    if (!m_run.isActive()) {
        if (checkSyntax()) return;
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
        if (checkSyntax()) return;
        m_runToCursor.aim(target, false);
        startRun();
        return;
    }
    // Paused on the line itself: the pupil asks for its next visit, not for no move at all.
    m_runToCursor.aim(target, m_run.interpreter().currentLine() == target);
    if (!m_run.isRunning()) m_run.togglePause();
}

void MainWindow::runToCursorTicks()
{
    // The tick on the line after the end only ends the run: that line is never executed.
    const bool afterEnd = m_editor->normalizedLine(m_runToCursor.line() - 1) ==
                          Statements::keyword(StatementKind::End, Lexicon::forLanguage(m_run.language()));
    if (m_runToCursor.ticks(m_run, afterEnd)) refreshRunState();
}

void MainWindow::showRunState()
{
    const bool made = m_dialogs->runStateIfMade();
    RunStateWindow *const runState = &m_dialogs->runState();
    if (!made) {
        runState->setLanguage(textLanguage(), textLanguage());
        runState->adjustSize();
        // Beside the main window, or over its right edge where the screen ends.
        const QRect frame = frameGeometry();
        QPoint at(frame.right() + 8, frame.top());
        if (QScreen *screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(
                std::max(area.left(), std::min(at.x(), area.right() - runState->frameGeometry().width())));
        }
        runState->move(at);
    }
    runState->show();
    runState->raise();
    if (m_run.isRunning()) m_dialogs->runStateTimer().start();
    refreshRunState();
}

void MainWindow::refreshRunState()
{
    RunStateWindow *const runState = m_dialogs->runStateIfMade();
    if (!runState || !runState->isVisible()) return;
    if (!m_run.isActive()) m_run.setSpeed(m_settings.speed);   // between runs, the setting's
    runState->showSnapshot(m_run.snapshot(), *m_editor);
}

void MainWindow::buildRunAids()
{
    m_run.setKeepHistory(true);
    // Run is locked outside Idle, so F9 while paused needs an action of its own.
    m_resumeAction = new QAction(this);
    m_resumeAction->setObjectName(QStringLiteral("resumeKey"));
    m_resumeAction->setShortcut(QKeySequence(Qt::Key_F9));
    m_resumeAction->setEnabled(false);
    addAction(m_resumeAction);
    connect(m_resumeAction, &QAction::triggered, this, [this] {
        if (m_run.state() == RunController::State::Paused) pauseRun();
    });
    connect(&m_dialogs->runStateTimer(), &QTimer::timeout, this, &MainWindow::refreshRunState);
}

void MainWindow::runTimerTimeout()
{
    if (m_runToCursor.isActive())
        m_heldFrame.pacer().timeoutFlatOut([this] { runToCursorTicks(); });
    else
        m_heldFrame.pacer().timeout();
}

void MainWindow::refreshLinePanelsTick() { m_editor->refreshLinePanels(true); }

void MainWindow::selectRunLine(int line)
{
    if (m_heldFrame.holdRunLine(line)) return;
    m_editor->selectLine(line);
    m_editor->setRunLine(line);
    m_editor->setFocus();
}

void MainWindow::fatalMessage(const QString &text) { prompts().error(text); }

void MainWindow::endOfRunNotice() { m_notices.showFinished(); }

// A held run line is where the caret is about to be.
int MainWindow::caretLine() const
{
    const int held = m_heldFrame.heldRunLine();
    return held >= 0 ? held : m_editor->caretLineColumn().line;
}

void MainWindow::outOfFieldAttempted()
{
    m_run.setLanguage(language());
    m_run.leaveFieldAttempted();
}
