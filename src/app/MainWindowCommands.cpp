// Menu actions, dialogs, context menus and manual mode.
#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "common/Prompts.h"
#include "docs/widgets/PreferencesDialog.h"
#include "docs/widgets/SysNDialog.h"
#include "editor/AlgorithmEditor.h"
#include "editor/UnitColor.h"
#include "editor/UnitConditionIf.h"
#include "editor/UnitCycleN.h"
#include "editor/UnitCycleWhile.h"
#include "editor/UnitProcCreate.h"
#include "editor/UnitProcExecute.h"
#include "world/widgets/FieldView.h"
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

void MainWindow::buildDialogs()
{
    Prop = new TProp(*this, this);
    Aboutme = new TAboutme(*m_prompts, this);
    Procedure_create = new TProcedure_create(*doc, *m_prompts, this);
    Procedure_execute = new TProcedure_execute(*doc, *m_prompts, this);
    CycleN = new TCycleN(*doc, *m_prompts, this);
    CycleWhile = new TCycleWhile(*doc, *m_prompts, this);
    ConditionIf = new TConditionIf(*doc, *m_prompts, this);
    SysN = new TSysN(this);
    FormColor = new TFormColor(*doc, *m_prompts, this);
    FormColor->manualMode = [this] { return m_manual; };
    SysN->setLineReplacer([this](const QString &line) { doc->replaceCaretLine(line); });
    doc->setPrompts(m_prompts);
    doc->openExtendedSettings = [this] { SysN->run(); };
}

void MainWindow::connectActions()
{
    auto on = [this](const char *name, auto slot) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, slot);
    };
    on("mmNew", &MainWindow::mmNewClick);
    on("mmOpen", &MainWindow::mmOpenClick);
    on("mmSave", &MainWindow::mmSaveClick);
    on("mmSaveAs", &MainWindow::mmSaveAsClick);
    on("N2", &MainWindow::savePicture);
    on("mmExit", [this] { close(); });
    on("mmUndo", [this] { doc->mmUndo(); });
    on("mmRedo", [this] { doc->mmRedo(); });
    on("mmCut", [this] { doc->mmCut(); });
    on("mmCopy", [this] { doc->mmCopy(); });
    on("mmPaste", [this] { doc->mmPaste(); });
    on("mmClearAlg", [this] { doc->mmClearAlg(); });
    on("mmClearRobField", &MainWindow::DrawField);
    on("mmRefresh", [this] { doc->mmRefresh(); });
    on("mmSelAll", [this] { doc->mmSelAll(); });
    on("mmCOMbegend", [this] { doc->insertBeginEnd(); });
    on("mmCOMproccreate", [this] { Procedure_create->run(); });
    on("mmCOMprocexec", [this] { Procedure_execute->run(); });
    on("mmCOMcyclun", [this] { CycleN->run(); });
    on("mmCOMcicluIF", [this] { CycleWhile->run(); });
    on("mmCOMcycluif2", [this] { ConditionIf->run(); });
    on("mmCOMcolor", [this] { FormColor->run(); });
    on("mmCOMstep", [this] { manualCommand(0); });
    on("mmCOMjump", [this] { manualCommand(1); });
    on("mmCOMrot45", [this] { manualCommand(2); });
    on("mmCOMrot90", [this] { manualCommand(3); });
    on("mmCOMdestroy", [this] { PasteCode(Lexicon::forLanguage(language()).kwDestroy); });
    on("mmCOMrebuild", [this] { PasteCode(Lexicon::forLanguage(language()).kwRebuild); });
    on("mmExecute", &MainWindow::runCommand);
    on("mmPause", &MainWindow::ProgramPause);
    on("mmStop", &MainWindow::ProgramStop);
    on("mmOrfo", &MainWindow::spellingCommand);
    on("mmManualRegim", &MainWindow::mmManualRegimClick);
    on("mmPref", [this] { Prop->run(); });
    on("mmHelp", &MainWindow::mmHelpClick);
    on("mmAbout", [this] { Aboutme->showAbout(); });

    for (int i = 0; i < 4; ++i)
        connect(manualButton(i), &QPushButton::clicked, this, [this, i] { manualCommand(i); });

    // Context-menu items perform their menu item, and nothing while it is disabled.
    auto perform = [this](QAction *popupItem, const char *item) {
        QAction *a = action(QString::fromLatin1(item));
        connect(popupItem, &QAction::triggered, this, [a] {
            if (a->isEnabled()) a->trigger();
        });
    };
    perform(N57, "mmClearAlg");
    perform(N58, "mmCut");
    perform(N59, "mmCopy");
    perform(N60, "mmPaste");
    perform(popupClearField, "mmClearRobField");
    connect(popupSavePicture, &QAction::triggered, this, &MainWindow::savePicture);

    connect(doc, &AlgorithmEditor::contextMenuRequested, this, &MainWindow::showEditorMenu);
    connect(doc, &AlgorithmEditor::documentChanged, this, [this] { setDocumentState("stateChanged"); });
    connect(doc, &AlgorithmEditor::linePanelsChanged, this, [this](const QString &p1, const QString &p2) {
        StatusBar1->setPanelText(1, p1);
        StatusBar1->setPanelText(2, p2);
    });
    connect(m_field, &FieldView::contextMenuRequested, this, &MainWindow::showFieldMenu);
    connect(m_field, &FieldView::doubleClicked, this, [this] {
        if (!m_run.isRunning()) DrawField();
    });
}

void MainWindow::showEditorMenu(const QPoint &globalPos)
{
    if (m_run.isActive() || m_manual) return;
    PopupMenu1->popup(globalPos);
}

void MainWindow::showFieldMenu(const QPoint &globalPos)
{
    if (m_run.isActive()) return;
    PopupMenu2->popup(globalPos);
}

void MainWindow::PasteCode(const QString &commandText) { doc->PasteCode(commandText); }

void MainWindow::manualCommand(int which)
{
    const Lexicon &lex = Lexicon::forLanguage(language());
    const QString *const keywords[4] = {&lex.kwStep, &lex.kwJump, &lex.kwRotate45, &lex.kwRotate90};
    if (which < 0 || which > 3) return;
    if (m_manual) {
        switch (which) {
        case 0: m_world.Robot_step(); break;
        case 1: m_world.Robot_jump(); break;
        case 2: m_world.Robot_rotate45(); break;
        default: m_world.Robot_rotate90(); break;
        }
        if (!manualcheckbox->isChecked()) {
            positionPanel(m_world.state().x, m_world.state().y);
            return;
        }
    }
    PasteCode(*keywords[which]);
    if (m_manual) positionPanel(m_world.state().x, m_world.state().y);
}

void MainWindow::applyManualLock(bool on)
{
    const bool enabled = !on;
    ToolBar5->setEnabled(enabled);
    for (const char *a : {"mmNew", "mmOpen", "mmSave", "mmSaveAs", "mmUndo", "mmRedo", "mmCut", "mmCopy",
                          "mmPaste", "mmClearAlg", "mmClearRobField", "mmExecute", "mmOrfo", "mmPref"})
        action(QString::fromLatin1(a))->setEnabled(enabled);
    for (const char *m : {"N54", "N16", "N22"}) menu(QString::fromLatin1(m))->menuAction()->setEnabled(enabled);
    toolButton(QStringLiteral("ToolButton1"))->setEnabled(enabled);
    toolButton(QStringLiteral("ToolButton5"))->setEnabled(enabled);
    const QList<QToolButton *> commandButtons = ToolBar2->findChildren<QToolButton *>();
    for (QToolButton *b : commandButtons)
        if (m_buttons.key(b).startsWith(QLatin1String("ToolButton"))) b->setEnabled(enabled);
    toolButton(QStringLiteral("ToolButton10"))->setChecked(on);
    doc->setReadOnly(on);
    m_manual = on;
    manualcheckbox->setVisible(on);
    action(QStringLiteral("mmManualRegim"))->setChecked(on);
}

void MainWindow::mmManualRegimClick() { applyManualLock(!m_manual); }
