// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Commands.h"
#include "app/ToolkitTranslation.h"
#include "documents/Settings.h"
#include "documents/widgets/PreferencesDialog.h"
#include "lang/Language.h"
#include "lang/RunController.h"
#include "world/RobotWorld.h"
#include <QHash>
#include <QMainWindow>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

class AlgorithmEditor;
class FieldView;
class FieldPicture;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;
class Prompts;
class QtPrompts;
class StatusBar;
class PreferencesDialog;
class ExtendedSettingsDialog;
class AboutWindow;
class CreateProcedureDialog;
class CallProcedureDialog;
class CountedLoopDialog;
class ConditionalLoopDialog;
class ConditionDialog;
class ColourDialog;
class HelpWindow;

// The whole working surface: editor, field, menus, tool bars, status bar, timers, and the
// named actions that menus, buttons, dialogs and the interpreter all execute.
class MainWindow : public QMainWindow, public RunView, public WorldListener, public PreferencesHost {
    Q_OBJECT
public:
    struct Options {
        QString settingsPath;   // trakmil.ini to write (and read, unless the next is set)
        QString settingsReadPath;   // where to read it when that differs
        QString startupFile;   // first command-line argument, may be empty
        Prompts *prompts = nullptr;   // null: real dialogs
        QString examplesFolder;   // example programs offered by the open dialog; may be empty
    };
    explicit MainWindow(const Options &options);
    ~MainWindow() override;

    // Named controls, for the owner and for tests.
    QAction *action(Command command) const;
    QToolButton *toolButton(Command command) const;   // null for a command without a button
    QMenu *menu(MenuId id) const;
    AlgorithmEditor *editor() const { return m_editor; }
    FieldView *field() const { return m_field; }
    StatusBar *statusPanels() const { return m_statusBar; }
    QWidget *endOfRunLabel() const;
    QWidget *noErrorsLabel() const;
    QCheckBox *recordingBox() const { return m_recordCheckBox; }
    QPushButton *manualButton(int index) const;   // 0 step, 1 jump, 2 r45, 3 r90
    QToolBar *toolBar(ToolBarId id) const;
    RobotWorld &robotWorld() { return m_world; }
    Interpreter &interpreter() { return m_run.interpreter(); }
    RunController &runController() { return m_run; }
    Settings &settings() override { return m_settings; }
    PreferencesDialog *preferencesDialog() const { return m_preferencesDialog; }
    ExtendedSettingsDialog *extendedSettingsDialog() const { return m_extendedSettingsDialog; }
    AboutWindow *aboutWindow() const { return m_aboutWindow; }
    HelpWindow *helpWindow() const { return m_helpWindow; }   // null until first asked for
    QTimer &runTimer() { return m_runTimer; }
    QTimer &noticeTimer() { return m_noticeTimer; }
    QTimer &linePanelTimer() { return m_linePanelTimer; }
    bool errorFound() const { return m_errorFound; }   // by the last check or report
    bool manualMode() const { return m_manual; }
    bool runActive() const { return m_run.isActive(); }
    const QString &currentFile() const { return m_currentFile; }
    Language language() const;
    enum class DocumentState {
        Empty,
        Loaded,
        Changed,
        Saved
    };
    DocumentState documentState() const { return m_documentState; }   // shown in the first panel

    // Named actions.
    void checkSyntax();
    void runCommand();   // check, then startRun
    void spellingCommand();   // check, then the no-errors notice
    // The text rewritten from the keyword Language it is written in into the interface's.
    void translateProgram();
    void startRun();
    void pauseRun();
    void stopRun();
    void runTick();
    void runTimerTimeout();   // one tick, and a second one when the timer has fallen behind
    void hideNotices();
    void refreshLinePanelsTick();
    void resetField() override;
    void applyLanguage() override;
    void readSettings();
    bool writeSettings() override;   // shows why it failed
    bool writeSettingsQuietly(QString *error);
    void openStartupFile();
    void showDocumentState();   // in the current Language
    void selectLine(int line);
    void showReport(const QString &heading, const QStringList &texts);
    void pasteCode(const QString &commandText);   // through the editor's commandToInsert
    void newDocument();
    void openDocument();
    void saveDocument();
    void saveDocumentAs();
    void savePicture();
    void toggleManualMode();
    void manualCommand(int which);   // 0 step, 1 jump, 2 r45, 3 r90
    void showHelp();
    void setDocumentState(DocumentState state);
    // Asks before unsaved changes are dropped; true when there are none or the user goes on.
    bool mayDiscardChanges();
    void setAdvancedToolBarVisible(bool visible) override;
    // The field's accessible description: where the robot is, its heading and what the
    // sensors report. Renewed when a run ends or pauses, in manual mode and on a reset, not
    // on every tick, so a screen reader is not flooded.
    void describeField();

    // RunView
    void lockForRun(bool running) override { applyRunLock(running); }
    void startTicks() override;
    void stopTicks() override { m_runTimer.stop(); }
    // Setting the same interval again would restart the timer and lose the period.
    void setTickInterval(int ms) override
    {
        if (m_runTimer.interval() != ms) m_runTimer.setInterval(ms);
    }
    void runStopped() override;
    void selectRunLine(int line) override;
    int caretLine() const override;
    void reportError(const ErrorReport &report) override;
    void fatalMessage(const QString &text) override;
    void positionPanel(int x, int y) override;
    void endOfRunNotice() override;

    // WorldListener
    void outOfFieldAttempted() override;
    void positionPanelChanged(int x, int y) override { positionPanel(x, y); }
    void lineSensorChanged(int value) override;
    void borderSensorChanged(int value) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void buildMenus();
    void buildToolBars();
    void buildControls();
    void buildDialogs();
    void connectActions();
    void applyRunLock(bool running);
    void applyManualLock(bool on);
    void rewriteWorldPanels();
    void nameControls(Language lang);   // accessible names in the interface Language
    void showEditorMenu(const QPoint &globalPos);
    void showFieldMenu(const QPoint &globalPos);
    void openDialog(QWidget *dialog);
    bool writeDocument(const QString &path);
    // On failure shows why, or hands the text to *failure when that is given.
    bool readDocument(const QString &path, QString *failure = nullptr);
    void setCaptionForFile();
    QString text(const char *key) const;   // current Language, Russian for other codes
    Language textLanguage() const;

    Options m_options;
    ToolkitTranslation m_toolkitTranslation;
    QString m_startupFailure;   // why the start-up file could not be read, until it is shown
    DocumentState m_documentState = DocumentState::Empty;
    bool m_errorFound = false;
    QString m_currentFile;   // empty for a new, unsaved text
    std::unique_ptr<QtPrompts> m_ownPrompts;
    Prompts *m_prompts = nullptr;
    Settings m_settings;
    RobotWorld m_world;
    RunController m_run;
    bool m_manual = false;
    bool m_shownOnce = false;
    int m_checkLine = 0, m_checkColumn = 0;   // caret remembered by the last check
    // m_runTimer's own schedule: when its interval was last set, and the ticks since then.
    QElapsedTimer m_scheduleClock;
    int m_scheduleInterval = 0;
    qint64 m_scheduleTicks = 0;

    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QToolButton *> m_buttons;
    QHash<QString, QAction *> m_buttonAction;   // tool button -> the menu item it performs
    QMenu *m_editorMenu = nullptr;
    QMenu *m_fieldMenu = nullptr;
    QAction *m_editorClearAction = nullptr, *m_editorCutAction = nullptr, *m_editorCopyAction = nullptr,
            *m_editorPasteAction = nullptr;
    QAction *m_fieldClearAction = nullptr, *m_fieldSavePictureAction = nullptr;

    QWidget *m_central = nullptr;
    QToolBar *m_fileToolBar = nullptr, *m_runToolBar = nullptr, *m_commandToolBar = nullptr;
    QCheckBox *m_recordCheckBox = nullptr;
    QPushButton *m_stepButton = nullptr, *m_jumpButton = nullptr, *m_rotate45Button = nullptr,
                *m_rotate90Button = nullptr;
    QFrame *m_manualFrame = nullptr;
    AlgorithmEditor *m_editor = nullptr;
    FieldView *m_field = nullptr;
    QLabel *m_endOfRunNotice = nullptr, *m_noErrorsNotice = nullptr;
    StatusBar *m_statusBar = nullptr;
    QWidget *m_directionBevel = nullptr;

    QTimer m_runTimer, m_noticeTimer, m_linePanelTimer;

    PreferencesDialog *m_preferencesDialog = nullptr;
    ExtendedSettingsDialog *m_extendedSettingsDialog = nullptr;
    AboutWindow *m_aboutWindow = nullptr;
    CreateProcedureDialog *m_createProcedureDialog = nullptr;
    CallProcedureDialog *m_callProcedureDialog = nullptr;
    CountedLoopDialog *m_countedLoopDialog = nullptr;
    ConditionalLoopDialog *m_conditionalLoopDialog = nullptr;
    ConditionDialog *m_conditionDialog = nullptr;
    ColourDialog *m_colourDialog = nullptr;
    HelpWindow *m_helpWindow = nullptr;
};
