// Menu actions, dialogs, context menus and manual mode.
#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "common/Prompts.h"
#include "documents/widgets/PreferencesDialog.h"
#include "documents/widgets/ExtendedSettingsDialog.h"
#include "editor/AlgorithmEditor.h"
#include "editor/ColourDialog.h"
#include "editor/ConditionDialog.h"
#include "editor/CountedLoopDialog.h"
#include "editor/ConditionalLoopDialog.h"
#include "editor/CreateProcedureDialog.h"
#include "editor/CallProcedureDialog.h"
#include "world/widgets/FieldView.h"
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

void MainWindow::buildDialogs()
{
    m_preferencesDialog = new PreferencesDialog(*this, this);
    m_aboutWindow = new AboutWindow(*m_prompts, this);
    m_createProcedureDialog = new CreateProcedureDialog(*m_editor, *m_prompts, this);
    m_callProcedureDialog = new CallProcedureDialog(*m_editor, *m_prompts, this);
    m_countedLoopDialog = new CountedLoopDialog(*m_editor, *m_prompts, this);
    m_conditionalLoopDialog = new ConditionalLoopDialog(*m_editor, *m_prompts, this);
    m_conditionDialog = new ConditionDialog(*m_editor, *m_prompts, this);
    m_extendedSettingsDialog = new ExtendedSettingsDialog(this);
    m_colourDialog = new ColourDialog(*m_editor, *m_prompts, this);
    m_colourDialog->manualMode = [this] { return m_manual; };
    m_extendedSettingsDialog->setLineReplacer([this](const QString &line) { m_editor->replaceCaretLine(line); });
    m_editor->setPrompts(m_prompts);
    m_editor->openExtendedSettings = [this] { m_extendedSettingsDialog->run(); };
}

void MainWindow::connectActions()
{
    auto on = [this](const char *name, auto slot) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, slot);
    };
    on("mmNew", &MainWindow::newDocument);
    on("mmOpen", &MainWindow::openDocument);
    on("mmSave", &MainWindow::saveDocument);
    on("mmSaveAs", &MainWindow::saveDocumentAs);
    on("N2", &MainWindow::savePicture);
    on("mmExit", [this] { close(); });
    on("mmUndo", [this] { m_editor->undoEdit(); });
    on("mmRedo", [this] { m_editor->redoEdit(); });
    on("mmCut", [this] { m_editor->cutSelection(); });
    on("mmCopy", [this] { m_editor->copySelection(); });
    on("mmPaste", [this] { m_editor->pasteClipboard(); });
    on("mmClearAlg", [this] { m_editor->clearAlgorithm(); });
    on("mmClearRobField", &MainWindow::resetField);
    on("mmRefresh", [this] { m_editor->recolourAll(); });
    on("mmSelAll", [this] { m_editor->selectEverything(); });
    on("mmCOMbegend", [this] { m_editor->insertBeginEnd(); });
    on("mmCOMproccreate", [this] { m_createProcedureDialog->run(); });
    on("mmCOMprocexec", [this] { m_callProcedureDialog->run(); });
    on("mmCOMcyclun", [this] { m_countedLoopDialog->run(); });
    on("mmCOMcicluIF", [this] { m_conditionalLoopDialog->run(); });
    on("mmCOMcycluif2", [this] { m_conditionDialog->run(); });
    on("mmCOMcolor", [this] { m_colourDialog->run(); });
    on("mmCOMstep", [this] { manualCommand(0); });
    on("mmCOMjump", [this] { manualCommand(1); });
    on("mmCOMrot45", [this] { manualCommand(2); });
    on("mmCOMrot90", [this] { manualCommand(3); });
    on("mmCOMdestroy", [this] { pasteCode(Lexicon::forLanguage(language()).kwDestroy); });
    on("mmCOMrebuild", [this] { pasteCode(Lexicon::forLanguage(language()).kwRebuild); });
    on("mmExecute", &MainWindow::runCommand);
    on("mmPause", &MainWindow::pauseRun);
    on("mmStop", &MainWindow::stopRun);
    on("mmOrfo", &MainWindow::spellingCommand);
    on("mmManualRegim", &MainWindow::toggleManualMode);
    on("mmPref", [this] { m_preferencesDialog->run(); });
    on("mmHelp", &MainWindow::showHelp);
    on("mmAbout", [this] { m_aboutWindow->showAbout(); });

    for (int i = 0; i < 4; ++i)
        connect(manualButton(i), &QPushButton::clicked, this, [this, i] { manualCommand(i); });

    // Context-menu items perform their menu item, and nothing while it is disabled.
    auto perform = [this](QAction *popupItem, const char *item) {
        QAction *a = action(QString::fromLatin1(item));
        connect(popupItem, &QAction::triggered, this, [a] {
            if (a->isEnabled()) a->trigger();
        });
    };
    perform(m_editorClearAction, "mmClearAlg");
    perform(m_editorCutAction, "mmCut");
    perform(m_editorCopyAction, "mmCopy");
    perform(m_editorPasteAction, "mmPaste");
    perform(m_fieldClearAction, "mmClearRobField");
    connect(m_fieldSavePictureAction, &QAction::triggered, this, &MainWindow::savePicture);

    connect(m_editor, &AlgorithmEditor::contextMenuRequested, this, &MainWindow::showEditorMenu);
    connect(m_editor, &AlgorithmEditor::documentChanged, this, [this] { setDocumentState("stateChanged"); });
    connect(m_editor, &AlgorithmEditor::linePanelsChanged, this, [this](const QString &p1, const QString &p2) {
        m_statusBar->setPanelText(1, p1);
        m_statusBar->setPanelText(2, p2);
    });
    connect(m_field, &FieldView::contextMenuRequested, this, &MainWindow::showFieldMenu);
    connect(m_field, &FieldView::doubleClicked, this, [this] {
        if (!m_run.isRunning()) resetField();
    });
}

void MainWindow::showEditorMenu(const QPoint &globalPos)
{
    if (m_run.isActive() || m_manual) return;
    m_editorMenu->popup(globalPos);
}

void MainWindow::showFieldMenu(const QPoint &globalPos)
{
    if (m_run.isActive()) return;
    m_fieldMenu->popup(globalPos);
}

void MainWindow::pasteCode(const QString &commandText) { m_editor->pasteCode(commandText); }

void MainWindow::manualCommand(int which)
{
    const Lexicon &lex = Lexicon::forLanguage(language());
    const QString *const keywords[4] = {&lex.kwStep, &lex.kwJump, &lex.kwRotate45, &lex.kwRotate90};
    if (which < 0 || which > 3) return;
    if (m_manual) {
        switch (which) {
        case 0: m_world.step(); break;
        case 1: m_world.jump(); break;
        case 2: m_world.rotate45(); break;
        default: m_world.rotate90(); break;
        }
        if (!m_recordCheckBox->isChecked()) {
            positionPanel(m_world.state().x, m_world.state().y);
            return;
        }
    }
    pasteCode(*keywords[which]);
    if (m_manual) positionPanel(m_world.state().x, m_world.state().y);
}

void MainWindow::applyManualLock(bool on)
{
    const bool enabled = !on;
    m_fileToolBar->setEnabled(enabled);
    for (const char *a : {"mmNew", "mmOpen", "mmSave", "mmSaveAs", "mmUndo", "mmRedo", "mmCut", "mmCopy",
                          "mmPaste", "mmClearAlg", "mmClearRobField", "mmExecute", "mmOrfo", "mmPref"})
        action(QString::fromLatin1(a))->setEnabled(enabled);
    for (const char *m : {"N54", "N16", "N22"}) menu(QString::fromLatin1(m))->menuAction()->setEnabled(enabled);
    toolButton(QStringLiteral("ToolButton1"))->setEnabled(enabled);
    toolButton(QStringLiteral("ToolButton5"))->setEnabled(enabled);
    const QList<QToolButton *> commandButtons = m_commandToolBar->findChildren<QToolButton *>();
    for (QToolButton *b : commandButtons)
        if (m_buttons.key(b).startsWith(QLatin1String("ToolButton"))) b->setEnabled(enabled);
    toolButton(QStringLiteral("ToolButton10"))->setChecked(on);
    m_editor->setReadOnly(on);
    m_manual = on;
    m_recordCheckBox->setVisible(on);
    action(QStringLiteral("mmManualRegim"))->setChecked(on);
}

void MainWindow::toggleManualMode() { applyManualLock(!m_manual); }
