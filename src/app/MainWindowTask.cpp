// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "common/Prompts.h"
#include "documents/DocumentConvert.h"
#include "app/StatusBar.h"
#include "app/TaskPanel.h"
#include "base/TextCatalogue.h"
#include "base/LanguageRegistry.h"
#include "lang/ProgramText.h"
#include "run/HeadlessRun.h"
#include "run/TaskTexts.h"
#include "world/widgets/FieldView.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextDocument>
#include <QThread>
#include <QToolButton>
#include <memory>

bool MainWindow::openTask(const QString &path, QString *failure, bool withStart)
{
    QString error;
    std::optional<Task> task = loadTaskFile(path, &error, textLanguage());
    if (!task) {
        const QString message = QDir::toNativeSeparators(path) + QLatin1Char('\n') + error;
        if (failure)
            *failure = message;
        else
            prompts().message(message);
        return false;
    }
    // The starting program replaces the text, so unsaved work is asked about first; a task
    // without one leaves the pupil's text as it is.
    const bool start = withStart && task->start;
    if (start && !failure && !mayDiscardChanges()) return false;
    ++m_taskSerial;   // a check still under way belongs to the task before
    m_task.emplace();
    m_task->task = std::move(*task);
    m_task->path = QFileInfo(path).absoluteFilePath();
    if (start) {
        AlgorithmEditor::NewText given(*m_editor);
        setDocumentFromStyled(given.document(), *m_task->task.start, given.format());
        given.adopt();
        m_editor->startFreshHistory();
        m_editor->setCaret(0, 0);
        // The pupil's own program from here on: Save asks for its name.
        m_currentFile.clear();
        m_diskStamp.reset();
        m_notes = {};
        startWorkRecord();
        setWindowTitle(text("product"));
        setDocumentState(DocumentState::Loaded);
    }
    m_taskPanel->setTask(m_task->task, textLanguage());
    placeTaskPanel();
    showTaskAvailability();
    showTaskField(0);
    return true;
}

void MainWindow::closeTask()
{
    if (!m_task) return;
    ++m_taskSerial;
    m_task.reset();
    m_field->setGhost(QImage());
    m_field->setMarks(QImage());
    placeTaskPanel();
    showTaskAvailability();
    // Back to the field size of the settings.
    if (!m_run.isActive() && !m_manual) resetField();
    rewriteWorldPanels();
}

void MainWindow::placeTaskPanel()
{
    const bool shown = m_task.has_value();
    QWidget *central = centralWidget();
    central->setFixedSize(kCentralWidth + (shown ? TaskPanel::Width : 0), central->height());
    m_taskPanel->setGeometry(kCentralWidth, 0, TaskPanel::Width, central->height() - 2);
    m_taskPanel->setVisible(shown);
    setFixedSize(sizeHint());
}

void MainWindow::showTaskAvailability()
{
    const bool idle = m_taskCommandsAllowed && !m_taskCheck;
    action(Command::CheckTask)->setEnabled(idle && m_task);
    toolButton(Command::CheckTask)->setEnabled(idle && m_task);
    action(Command::ShowGoal)->setEnabled(m_task.has_value());
    m_taskPanel->setChoosingEnabled(m_taskCommandsAllowed);
}

QSize MainWindow::taskFieldSize() const
{
    const TaskField &f = m_task->task.fields.at(m_task->field);
    return QSize(f.width, f.height);
}

void MainWindow::showGoal(bool shown)
{
    const bool ghost = shown && m_task;
    m_field->setGhost(ghost ? goalGhostPicture(m_task->task.fields.at(m_task->field).goal) : QImage());
}

void MainWindow::clearTaskMarks() { m_field->setMarks(QImage()); }

void MainWindow::taskProgramChanged()
{
    clearTaskMarks();
    if (!m_task) return;
    m_task->verdictCurrent = false;
    m_taskPanel->showChanged();
}

void MainWindow::checkTaskCommand()
{
    if (!m_task || m_taskCheck || m_run.isActive() || m_manual) return;
    const Language lang = language() == Language::Unknown ? Language::Rus : language();
    if (m_task->task.language && *m_task->task.language != lang) {
        const LanguageInfo *info = languageInfo(*m_task->task.language);
        prompts().message(uiText("task.panel.keywords", textLanguage())
                              .value_or(QString())
                              .arg(info ? info->name : QString()));
        return;
    }
    ++m_work.taskChecks;
    if (checkSyntax()) return;
    QStringList lines;
    lines.reserve(m_editor->lineCount());
    for (int k = 0, n = m_editor->lineCount(); k < n; ++k) lines << m_editor->line(k);
    // Off the window's thread: a program that never ends costs the pupil's tick limit on
    // every field, and the window keeps answering meanwhile.
    auto verdict = std::make_shared<TaskVerdict>();
    const int revision = m_editor->document()->revision();
    const int serial = m_taskSerial;
    m_taskCheck = QThread::create([verdict, task = m_task->task, lines, lang, speed = m_settings.speed] {
        *verdict = checkAgainstTask(task, lines, lang, speed);
    });
    m_taskCheck->setObjectName(QStringLiteral("taskCheck"));
    connect(m_taskCheck, &QThread::finished, this, [this, verdict, lines, lang, revision, serial] {
        m_taskCheck->deleteLater();
        m_taskCheck = nullptr;
        showTaskAvailability();
        if (!m_task || serial != m_taskSerial) return;
        m_task->verdict = *verdict;
        m_task->checkedLines = lines;
        m_task->checkedLanguage = lang;
        m_taskPanel->showVerdict(m_task->task, *verdict, lang, textLanguage());
        // Edited while it was checked: the verdict is for the text as it was.
        m_task->verdictCurrent = m_editor->document()->revision() == revision;
        if (!m_task->verdictCurrent) {
            m_taskPanel->showChanged();
            return;
        }
        int first = 0;
        while (first < verdict->fields.size() && verdict->fields[first].passed()) ++first;
        if (first == verdict->fields.size()) first = m_task->field;
        m_taskPanel->chooseField(first);
        showTaskField(first);
    });
    showTaskAvailability();
    m_taskCheck->start();
}

void MainWindow::showTaskField(int index)
{
    if (!m_task || index < 0 || index >= m_task->task.fields.size()) return;
    if (m_run.isActive() || m_manual) return;
    m_task->field = index;
    resetField();   // on the task field's size
    rewriteWorldPanels();
    showGoal(action(Command::ShowGoal)->isChecked());
    if (!m_task->verdict || !m_task->verdictCurrent || index >= m_task->verdict->fields.size()) return;
    const FieldVerdict &verdict = m_task->verdict->fields.at(index);
    // A program that did not end is not run again here: the panel says why.
    if (!verdict.drawing.ended()) return;
    // The pupil's run on this field, drawn on the window's field as a run at the top speed
    // would leave it, and the robot where it ended.
    const TaskField &taskField = m_task->task.fields.at(index);
    StringListProgramText program(m_task->checkedLines);
    HeadlessRun replay(program, m_task->checkedLanguage);
    replay.setCanvas(m_field->canvas());
    replay.setFieldSize(taskField.width, taskField.height);
    replay.setSpeed(m_settings.speed);
    m_field->setHoldUpdates(true);
    replay.checkAndRun(verdict.drawing.ticks + 1);
    m_field->setHoldUpdates(false);
    m_world.takeStateFrom(replay.world());
    showPositionPanels();
    describeField();
    if (!verdict.passed())
        m_field->setMarks(
            differenceMarksPicture(goalTrace(taskField), verdict.comparison, verdict.endMatters));
}

void MainWindow::retranslateTask()
{
    if (!m_statusBar->notice().isEmpty()) showHandInNotice();
    if (!m_task) return;
    m_taskPanel->retranslate(m_task->task, textLanguage());
    if (m_task->verdict) {
        const int chosen = m_taskPanel->chosenField();
        const QSignalBlocker quiet(m_taskPanel);
        m_taskPanel->showVerdict(m_task->task, *m_task->verdict, m_task->checkedLanguage, textLanguage());
        if (!m_task->verdictCurrent) m_taskPanel->showChanged();
        m_taskPanel->chooseField(chosen);
    }
}
