// Run control, the syntax check and the interpreter's side of the main window.
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "app/UiTexts.h"
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
const char *const kCommandButtons[] = {"ToolButton11", "ToolButton12", "ToolButton13", "ToolButton14",
                                       "ToolButton16", "ToolButton17", "ToolButton18", "ToolButton20",
                                       "ToolButton22", "ToolButton23"};
}

void MainWindow::SelectLine(int line) { doc->SelectLine(line); }

void MainWindow::ReportError(const QString &heading, const QStringList &texts)
{
    m_prompts->messageWindow(heading, texts);
}

void MainWindow::reportError(const ErrorReport &report)
{
    ErrorFound = true;
    if (report.line >= 0) SelectLine(report.line);
    ReportError(report.heading, report.texts);
}

void MainWindow::SintaxCheck()
{
    const LineColumn caret = doc->caretLineColumn();
    m_checkLine = caret.line;
    m_checkColumn = caret.column;
    if (m_settings.sintax) doc->mmRefresh();
    doc->setCaret(m_checkLine, m_checkColumn);
    ErrorFound = false;
    const ErrorReport r = checkProgram(*doc, Lexicon::forLanguage(language()),
                                       MessageCatalogue::forLanguage(language()));
    if (r.error) reportError(r);
}

void MainWindow::spellingCommand()
{
    ErrorFound = false;
    SintaxCheck();
    if (ErrorFound) return;
    Panel2->setGeometry(256, 184, 193, 41);
    Panel2->setText(MessageCatalogue::forLanguage(language()).msgNoErrors);
    Panel2->show();
    Panel2->raise();
    Timer3.start();
}

void MainWindow::runCommand()
{
    if (m_run.isActive() || !action(QStringLiteral("mmExecute"))->isEnabled()) return;
    ErrorFound = false;
    SintaxCheck();
    if (!ErrorFound) ProgramRun();
}

void MainWindow::applyRunLock(bool running)
{
    const bool idle = !running;
    ToolBar5->setEnabled(idle);
    for (const char *m : {"N1", "N9", "N10", "N6"}) menu(QString::fromLatin1(m))->menuAction()->setEnabled(idle);
    for (const char *a : {"mmExecute", "mmOrfo", "mmManualRegim", "mmPref"})
        action(QString::fromLatin1(a))->setEnabled(idle);
    action(QStringLiteral("mmPause"))->setEnabled(running);
    action(QStringLiteral("mmStop"))->setEnabled(running);
    for (const char *b : {"ToolButton1", "ToolButton5", "ToolButton10"})
        toolButton(QString::fromLatin1(b))->setEnabled(idle);
    toolButton(QStringLiteral("ToolButton3"))->setEnabled(running);
    toolButton(QStringLiteral("ToolButton2"))->setEnabled(running);
    for (int i = 0; i < 4; ++i) manualButton(i)->setEnabled(idle);
    for (const char *b : kCommandButtons)
        if (QToolButton *tb = toolButton(QString::fromLatin1(b))) tb->setEnabled(idle);
    doc->setReadOnly(running);
    if (m_field->sprite()) m_field->sprite()->setEnabled(idle);
}

void MainWindow::ProgramRun()
{
    m_run.setProgram(doc);
    m_run.setLanguage(language());
    m_run.start();
}

void MainWindow::startTicks()
{
    m_scheduleClock.invalidate();
    Timer1.start();
}

void MainWindow::ProgramPause() { m_run.togglePause(); }

void MainWindow::ProgramStop() { m_run.stop(); }

void MainWindow::runStopped() { doc->setCaret(m_checkLine, m_checkColumn); }

void MainWindow::Timer1Tick() { m_run.tick(); }

void MainWindow::Timer1Timeout()
{
    Timer1Tick();
    if (!m_run.isRunning()) return;
    // Qt starts the next period from a late timeout, so late wake-ups add up (at 1 ms they
    // cost a fifth of the ticks). Counting the ticks against the clock and giving one
    // extra tick when a whole period is owed keeps the run at the speed it asks for.
    const int interval = Timer1.interval();
    if (interval != m_scheduleInterval || !m_scheduleClock.isValid()) {
        m_scheduleInterval = interval;
        m_scheduleTicks = 0;
        m_scheduleClock.start();
        return;
    }
    ++m_scheduleTicks;
    if (m_scheduleClock.elapsed() >= (m_scheduleTicks + 1) * qint64(interval)) {
        ++m_scheduleTicks;
        Timer1Tick();
    }
}

void MainWindow::Timer3Tick()
{
    Timer3.stop();
    Panel1->hide();
    Panel2->hide();
}

void MainWindow::Timer5Tick() { doc->refreshLinePanels(true); }

void MainWindow::selectRunLine(int line)
{
    doc->SelectLine(line);
    doc->setFocus();
}

void MainWindow::fatalMessage(const QString &text) { m_prompts->message(text); }

void MainWindow::endOfRunNotice()
{
    Panel1->setGeometry(256, 184, 185, 41);
    Panel1->show();
    Panel1->raise();
    Timer3.start();
}

int MainWindow::caretLine() const { return doc->caretLineColumn().line; }

void MainWindow::OutOfField()
{
    m_run.setLanguage(language());
    m_run.leaveFieldAttempted();
}
