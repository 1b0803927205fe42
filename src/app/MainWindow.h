// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Commands.h"
#include "app/ToolkitTranslation.h"
#include "documents/RecoveryCopy.h"
#include "documents/Settings.h"
#include "documents/widgets/PreferencesDialog.h"
#include "base/Language.h"
#include "run/RunController.h"
#include "run/TickPacer.h"
#include <functional>
#include "world/RobotWorld.h"
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <memory>

class AlgorithmEditor;
class FieldView;
class FieldPicture;
class QAction;
class QCheckBox;
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
class RecoverySlot;
class RunStateWindow;

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
        QString recoveryFolder;   // where unsaved text is kept against a crash; empty: nowhere
        // A file whose text takes longer than this to build shows a progress window.
        int loadProgressAfterMs = 500;
        // The run timer's clock, in nanoseconds; empty: the system's monotonic clock.
        std::function<qint64()> runClockNs;
    };
    // How long after a change its recovery copy is written, at the latest.
    static constexpr int kRecoveryDelayMs = 2000;
    explicit MainWindow(const Options &options);
    ~MainWindow() override;

    // Named controls, for the owner and for tests; the other controls, the dialogs and the
    // timers are found by object name.
    QAction *action(Command command) const;
    QToolButton *toolButton(Command command) const;   // null for a command without a button
    QMenu *menu(MenuId id) const;
    QToolBar *toolBar(ToolBarId id) const;
    AlgorithmEditor *editor() const { return m_editor; }
    FieldView *field() const { return m_field; }

    // What the window works on.
    RobotWorld &robotWorld() { return m_world; }
    const Interpreter &interpreter() const { return m_run.interpreter(); }
    RunController &runController() { return m_run; }
    Settings &settings() override { return m_settings; }
    const QString &currentFile() const { return m_currentFile; }
    Language language() const;
    enum class DocumentState {
        Empty,
        Loaded,
        Changed,
        Saved
    };
    DocumentState documentState() const { return m_documentState; }   // shown in the first panel

    // PreferencesHost
    void resetField() override;
    void applyLanguage() override;
    bool writeSettings() override;   // shows why it failed
    void setAdvancedToolBarVisible(bool visible) override;
    void setLineNumbersVisible(bool visible) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Named actions.
    void checkSyntax();
    void runCommand();   // check, then startRun
    void spellingCommand();   // check, then the no-errors notice
    // The text rewritten from the keyword Language it is written in into the interface's.
    void translateProgram();
    void startRun();
    void cleanFieldForRun();   // before a run from idle, when the preference asks for it
    void pauseRun();
    void stopRun();
    void runTimerTimeout();   // one tick, and a second one when the timer has fallen behind
    // Execute one line: starts paused after the first line, steps when paused, pauses a run.
    void stepLineCommand();
    // At the top speed until the caret's line is about to be executed, then paused there.
    void runToCursorCommand();
    void showRunState();
    void refreshRunState();   // the run-state window, when it is open
    void hideNotices();
    void refreshLinePanelsTick();
    void readSettings();
    bool writeSettingsQuietly(QString *error);
    void openStartupFile();
    void showDocumentState();   // in the current Language
    void selectLine(int line);
    void showReport(const QString &heading, const QStringList &texts);
    // The report with the hint below it, or as reportError shows it when there is none.
    void reportWithHint(const ErrorReport &report, const QString &hint);
    void pasteCode(const QString &commandText);   // through the editor's commandToInsert
    void newDocument();
    void openDocument();
    void openExample(const QString &path);   // as Open does, but Save goes to Save As
    void saveDocument();
    void saveDocumentAs();
    void savePicture();
    void toggleManualMode();
    enum class ManualButton {
        Step,
        Jump,
        Rotate45,
        Rotate90
    };
    QPushButton *manualButton(ManualButton button) const;
    void manualCommand(ManualButton button);
    void showHelp();
    void setDocumentState(DocumentState state);
    // Asks before unsaved changes are dropped; true when there are none or the user goes on.
    bool mayDiscardChanges();
    void writeRecoveryCopy();
    // Offers the unsaved text of windows that are no longer running; run once at start-up.
    void offerRecovery();
    void restoreCopy(const RecoveryContent &content, bool diskNewer);
    // Undo and Redo, items and buttons, are enabled exactly when there is a step to take.
    void showHistoryAvailability();
    // The field's accessible description: where the robot is, its heading and what the
    // sensors report. Renewed when a run ends or pauses, in manual mode and on a reset, not
    // on every tick, so a screen reader is not flooded.
    void describeField();

    // RunView
    void lockForRun(bool running) override { applyRunLock(running); }
    void startTicks() override;
    void stopTicks() override;
    // Setting the same interval again would restart the timer and lose the period.
    void setTickInterval(int ms) override
    {
        m_speedInterval = ms;
        if (m_runToLine < 0 && m_runTimer.interval() != ms) m_runTimer.setInterval(ms);
    }
    void runStopped() override;
    void selectRunLine(int line) override;
    int caretLine() const override;
    void reportError(const ErrorReport &report) override;
    void reportLeftField(const ErrorReport &report, bool startedAway) override;
    void fatalMessage(const QString &text) override;
    void positionPanel(int x, int y) override;
    void endOfRunNotice() override;
    void speedRestored(int speed) override { m_settings.speed = speed; }

    // WorldListener
    void outOfFieldAttempted() override;
    void positionPanelChanged(int x, int y) override { positionPanel(x, y); }
    void lineSensorChanged(int value) override;
    void borderSensorChanged(int value) override;

    void retranslate();   // the window's own texts, on each LanguageChange
    void buildMenus();
    void buildToolBars();
    void buildControls();
    void buildDialogs();
    void connectActions();
    void applyRunLock(bool running);
    void buildRunAids();
    void rebuildExamplesMenu();   // the interface Language's examples, by title
    void endRunToCursor();
    void runToCursorTicks();
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
    void dropRecoveryCopy();
    QString text(const char *key) const;   // current Language, Russian for other codes
    Language textLanguage() const;

    Options m_options;
    ToolkitTranslation m_toolkitTranslation;
    QString m_startupFailure;   // why the start-up file could not be read, until it is shown
    QString m_settingsProblem;   // why the settings file was ignored, until it is shown
    bool m_settingsNoticeGiven = false;
    bool m_keepSettingsFile = false;   // it could not be read: nothing is saved over it
    std::unique_ptr<RecoverySlot> m_recovery;   // null: recovery is off
    QString m_recoveryNotice;   // why it is off, until it is shown
    bool m_recoveryWritten = false;
    qint64 m_lastChange = 0;   // ms since the epoch
    DocumentState m_documentState = DocumentState::Empty;
    bool m_errorFound = false;
    QString m_currentFile;   // empty for a new, unsaved text
    // The file as this window last read or wrote it; Save asks before replacing another
    // program's later version. Nothing when there was no such file.
    std::optional<DiskStamp> m_diskStamp;
    std::unique_ptr<QtPrompts> m_ownPrompts;
    Prompts *m_prompts = nullptr;
    Settings m_settings;
    RobotWorld m_world;
    RunController m_run;
    bool m_manual = false;
    bool m_shownOnce = false;
    int m_checkLine = 0, m_checkColumn = 0;   // caret remembered by the last check
    int m_runToLine = -1;   // the line a run to the cursor pauses before; -1 for none
    bool m_runToLeaveFirst = false;   // the run starts on that line: execute it once first
    int m_speedInterval = 100;   // the interval the speed asks for, kept while running to the cursor
    QAction *m_resumeAction = nullptr;   // F9 while paused
    // Ticks faster than the screen's frames show their run line, field and status panels
    // once a frame: what they would have shown is held until the frame is due.
    TickPacer m_pacer;
    void showHeldFrame();
    bool m_heldPanels = false;
    int m_heldRunLine = -1;

    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QToolButton *> m_buttons;
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
    AlgorithmEditor *m_editor = nullptr;
    FieldView *m_field = nullptr;
    QLabel *m_endOfRunNotice = nullptr, *m_noErrorsNotice = nullptr;
    StatusBar *m_statusBar = nullptr;

    QTimer m_runTimer, m_noticeTimer, m_linePanelTimer, m_recoveryTimer;
    QTimer m_runStateTimer;   // the run-state window's own, slower than the ticks

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
    RunStateWindow *m_runStateWindow = nullptr;
};
