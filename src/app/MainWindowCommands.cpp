// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Menu actions, dialogs, context menus and manual mode.
#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "common/Prompts.h"
#include "documents/widgets/PreferencesDialog.h"
#include "documents/widgets/ExtendedSettingsDialog.h"
#include "editor/AlgorithmEditor.h"
#include "editor/CommandDialog.h"
#include "lang/ProgramTranslator.h"
#include "lang/Statements.h"
#include "world/widgets/FieldView.h"
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QTextDocument>
#include <QToolButton>

void MainWindow::buildDialogs()
{
    m_dialogs = std::make_unique<WindowDialogs>(WindowDialogs::Wiring {
        .owner = this,
        .host = this,
        .editor = m_editor,
        .prompts = m_options.prompts,
        .manualMode = [this] { return m_manual; },
    });
    m_editor->setPrompts(m_options.prompts);
    m_editor->openExtendedSettings = [this] { m_dialogs->extendedSettings().run(); };
}

void MainWindow::connectActions()
{
    auto on = [this](Command command, auto slot) {
        connect(action(command), &QAction::triggered, this, slot);
    };
    on(Command::New, &MainWindow::newDocument);
    on(Command::Open, &MainWindow::openDocument);
    on(Command::Save, &MainWindow::saveDocument);
    on(Command::SaveAs, &MainWindow::saveDocumentAs);
    on(Command::SavePicture, &MainWindow::savePicture);
    on(Command::Print, &MainWindow::printWorksheet);
    on(Command::PrintPreview, &MainWindow::previewWorksheet);
    on(Command::ExportWorksheet, &MainWindow::exportWorksheet);
    on(Command::Exit, [this] { close(); });
    using EditorCommand = void (*)(AlgorithmEditor &);
    const std::pair<Command, EditorCommand> editorCommands[] = {
        {Command::Undo, [](AlgorithmEditor &e) { e.undoEdit(); }},
        {Command::Redo, [](AlgorithmEditor &e) { e.redoEdit(); }},
        {Command::Cut, [](AlgorithmEditor &e) { e.cutSelection(); }},
        {Command::Copy, [](AlgorithmEditor &e) { e.copySelection(); }},
        {Command::Paste, [](AlgorithmEditor &e) { e.pasteClipboard(); }},
        {Command::ClearAlgorithm, [](AlgorithmEditor &e) { e.clearAlgorithm(); }},
        {Command::Refresh, [](AlgorithmEditor &e) { e.recolourAll(); }},
        {Command::SelectAll, [](AlgorithmEditor &e) { e.selectEverything(); }},
        {Command::BeginEnd, [](AlgorithmEditor &e) { e.insertBeginEnd(); }},
    };
    // Each row's value is copied into its handler by name: a handler outlives this frame.
    for (const auto &row : editorCommands) on(row.first, [this, edit = row.second] { edit(*m_editor); });
    for (Command c : {Command::CreateProcedure, Command::CallProcedure, Command::CountedLoop,
                      Command::ConditionalLoop, Command::Condition, Command::Colour})
        on(c, [this, c] { m_dialogs->forCommand(c)->run(); });
    const std::pair<Command, ManualButton> simple[] = {
        {Command::Step, ManualButton::Step},
        {Command::Jump, ManualButton::Jump},
        {Command::Rotate45, ManualButton::Rotate45},
        {Command::Rotate90, ManualButton::Rotate90},
    };
    for (const auto &row : simple) on(row.first, [this, button = row.second] { manualCommand(button); });
    on(Command::ClearField, &MainWindow::resetField);
    on(Command::Destroy,
       [this] { pasteCode(Statements::keyword(StatementKind::Destroy, Lexicon::forLanguage(language()))); });
    on(Command::Rebuild,
       [this] { pasteCode(Statements::keyword(StatementKind::Rebuild, Lexicon::forLanguage(language()))); });
    on(Command::Run, &MainWindow::runCommand);
    on(Command::Pause, &MainWindow::pauseRun);
    on(Command::Stop, &MainWindow::stopRun);
    on(Command::Check, &MainWindow::spellingCommand);
    on(Command::ManualMode, &MainWindow::toggleManualMode);
    on(Command::Preferences, [this] { m_dialogs->preferences().run(); });
    on(Command::Help, &MainWindow::showHelp);
    on(Command::About, [this] { m_dialogs->about().showAbout(); });
    on(Command::TranslateProgram, &MainWindow::translateProgram);
    on(Command::StepLine, &MainWindow::stepLineCommand);
    on(Command::RunToCursor, &MainWindow::runToCursorCommand);
    on(Command::RunState, &MainWindow::showRunState);
    on(Command::CheckTask, &MainWindow::checkTaskCommand);
    on(Command::MakeTask, &MainWindow::makeTaskCommand);
    on(Command::StepBack, &MainWindow::stepBackCommand);
    on(Command::StepForward, &MainWindow::stepForwardCommand);
    on(Command::HandIn, &MainWindow::handInCommand);
    action(Command::ShowGoal)->setCheckable(true);
    action(Command::ShowGoal)->setChecked(true);
    connect(action(Command::ShowGoal), &QAction::toggled, this, &MainWindow::showGoal);
    action(Command::MarkLineSegments)->setCheckable(true);
    action(Command::MarkLineSegments)->setChecked(true);
    connect(action(Command::MarkLineSegments), &QAction::toggled, this, &MainWindow::showLineMarks);

    connectControls();
}

void MainWindow::connectControls()
{
    for (ManualButton b :
         {ManualButton::Step, ManualButton::Jump, ManualButton::Rotate45, ManualButton::Rotate90})
        connect(manualButton(b), &QPushButton::clicked, this, [this, b] { manualCommand(b); });

    // Context-menu items perform their menu item, and nothing while it is disabled.
    auto perform = [this](QAction *popupItem, Command command) {
        QAction *a = action(command);
        connect(popupItem, &QAction::triggered, this, [a] {
            if (a->isEnabled()) a->trigger();
        });
    };
    perform(m_contextMenus.editorClear, Command::ClearAlgorithm);
    perform(m_contextMenus.editorCut, Command::Cut);
    perform(m_contextMenus.editorCopy, Command::Copy);
    perform(m_contextMenus.editorPaste, Command::Paste);
    perform(m_contextMenus.fieldClear, Command::ClearField);
    connect(m_contextMenus.fieldSavePicture, &QAction::triggered, this, &MainWindow::savePicture);

    // The editor's own signals: they follow the document it shows when a file replaces it.
    connect(m_editor, &QPlainTextEdit::undoAvailable, this, &MainWindow::showHistoryAvailability);
    connect(m_editor, &QPlainTextEdit::redoAvailable, this, &MainWindow::showHistoryAvailability);
    showHistoryAvailability();
    connect(m_editor, &AlgorithmEditor::contextMenuRequested, this, &MainWindow::showEditorMenu);
    connect(m_editor, &AlgorithmEditor::documentChanged, this, [this] {
        setDocumentState(DocumentState::Changed);
        taskProgramChanged();
        forgetRunHistory();
        if (m_handedInAt && !m_handedInChanged) {
            m_handedInChanged = true;
            showHandInNotice();
        }
    });
    connect(m_editor, &AlgorithmEditor::linePanelsChanged, this,
            [this](const QString &p1, const QString &p2) {
                m_statusBar->setPanelText(StatusPanel::Lines, p1);
                m_statusBar->setPanelText(StatusPanel::CurrentLine, p2);
            });
    connect(m_field, &FieldView::contextMenuRequested, this, &MainWindow::showFieldMenu);
    connect(m_field, &FieldView::doubleClicked, this, [this] {
        if (!m_run.isRunning()) resetField();
    });
}

void MainWindow::showEditorMenu(const QPoint &globalPos)
{
    if (m_run.isActive() || m_manual) return;
    m_contextMenus.editorMenu->popup(globalPos);
}

// Open during a run and a pause as well: a clear resets the world under the running
// program, and the picture can be saved at any moment.
void MainWindow::showFieldMenu(const QPoint &globalPos) { m_contextMenus.fieldMenu->popup(globalPos); }

void MainWindow::pasteCode(const QString &commandText) { m_editor->pasteCode(commandText); }

void MainWindow::manualCommand(ManualButton button)
{
    // The buttons in the order of ManualButton: the moves, then the two turns.
    const Statements::Statement *const rows[] = {
        &Statements::row(StatementKind::Step), &Statements::row(StatementKind::Jump),
        &Statements::row(StatementKind::Rotate, 0), &Statements::row(StatementKind::Rotate, 1)};
    const Statements::Statement &command = *rows[int(button)];
    if (m_manual) {
        (m_world.*command.act)();
        describeField();
        if (!m_recordCheckBox->isChecked()) {
            positionPanel(m_world.state().x, m_world.state().y);
            return;
        }
    }
    pasteCode(Lexicon::forLanguage(language()).*command.keyword);
    if (m_manual) positionPanel(m_world.state().x, m_world.state().y);
}

void MainWindow::applyManualLock(bool on)
{
    m_manual = on;
    if (on) forgetRunHistory();   // the robot moves by hand: the last run's picture is gone
    applyMode(on ? WindowMode::Manual : WindowMode::Idle);
    toolButton(Command::ManualMode)->setChecked(on);
    m_editor->setReadOnly(on);
    m_recordCheckBox->setVisible(on);
    action(Command::ManualMode)->setChecked(on);
}

void MainWindow::applyMode(WindowMode mode)
{
    m_controls.applyMode(mode);
    showHistoryAvailability();
    m_taskCommandsAllowed = enabledIn(commandRow(Command::CheckTask).enabled, mode);
    showTaskAvailability();
}

void MainWindow::showHistoryAvailability()
{
    const QTextDocument *d = m_editor->document();
    const bool undo = !m_manual && d->isUndoAvailable();
    const bool redo = !m_manual && d->isRedoAvailable();
    action(Command::Undo)->setEnabled(undo);
    toolButton(Command::Undo)->setEnabled(undo);
    action(Command::Redo)->setEnabled(redo);
    toolButton(Command::Redo)->setEnabled(redo);
}

void MainWindow::toggleManualMode() { applyManualLock(!m_manual); }

void MainWindow::translateProgram()
{
    if (m_run.isActive() || m_manual || m_editor->isReadOnly()) return;
    const Language target = language() == Language::Unknown ? Language::Rus : language();
    QStringList lines;
    lines.reserve(m_editor->lineCount());
    for (int k = 0, n = m_editor->lineCount(); k < n; ++k) lines << m_editor->line(k);
    const Language source = ProgramTranslator::detectLanguage(lines, target);
    if (source == target) return;
    const ProgramTranslator::Result result = ProgramTranslator(source, target).translate(lines);
    m_editor->rewriteLines(result.lines);
    if (result.leftAsWritten.isEmpty()) return;
    // The pupil must know which lines still need words of the new Language.
    QStringList numbers;
    for (int k : result.leftAsWritten) numbers << QString::number(k + 1);
    prompts().message(text("translateLeftAsWritten").arg(numbers.join(QStringLiteral(", "))));
}
