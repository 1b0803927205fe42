// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/CommandControls.h"
#include "app/ContextMenus.h"
#include "app/HeldFrame.h"
#include "app/RecoveryKeeper.h"
#include "app/RunToCursor.h"
#include "app/SettingsFile.h"
#include "app/ToolkitTranslation.h"
#include "app/WindowDialogs.h"
#include "app/WindowNotices.h"
#include "documents/RecoveryCopy.h"
#include "documents/Settings.h"
#include "documents/widgets/PreferencesDialog.h"
#include "editor/AlgorithmEditor.h"
#include "base/Language.h"
#include "run/Grading.h"
#include "run/RunController.h"
#include "run/TaskFile.h"
#include <functional>
#include "world/RobotWorld.h"
#include <QMainWindow>
#include <QElapsedTimer>
#include <QTime>
#include <QTimer>
#include <array>
#include <memory>

class FieldView;
class FieldPicture;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QToolBar;
class QToolButton;
class Prompts;
class QtPrompts;
class StatusBar;
class TaskPanel;
class QDialog;
class QPrinter;
struct Worksheet;
class QThread;

// The whole working surface: editor, field, menus, tool bars, status bar, timers, and the
// named actions that menus, buttons, dialogs and the interpreter all execute.
class MainWindow : public QMainWindow, public RunView, public WorldListener, public PreferencesHost {
    Q_OBJECT
public:
    struct Options {
        QString settingsPath;   // trakmil.ini to write (and read, unless the next is set)
        QString settingsReadPath;   // where to read it when that differs
        QString startupFile;   // first command-line argument, may be empty
        Prompts *prompts = nullptr;   // null: real dialogs, the window's own
        QString examplesFolder;   // example programs offered by the open dialog; may be empty
        QString recoveryFolder;   // where unsaved text is kept against a crash; empty: nowhere
        // A file whose text takes longer than this to build shows a progress window.
        int loadProgressAfterMs = 500;
        // The run timer's clock, in nanoseconds; empty: the system's monotonic clock.
        std::function<qint64()> runClockNs;
        // The print dialogs, which are modal; empty: the toolkit's own. The first sets up the
        // printer and says whether to print; the second shows the preview until it is closed.
        std::function<bool(QPrinter &)> printDialog;
        std::function<void(QDialog &)> showPrintPreview;
    };
    // How long after a change its recovery copy is written, at the latest.
    static constexpr int kRecoveryDelayMs = RecoveryKeeper::kDelayMs;
    explicit MainWindow(const Options &options);
    ~MainWindow() override;

    // Named controls, for the owner and for tests; the other controls, the dialogs and the
    // timers are found by object name.
    QAction *action(Command command) const;
    QToolButton *toolButton(Command command) const;   // null for a command without a button
    QMenu *menu(MenuId id) const;
    // The examples submenu with its entries, read from the folder on first use after a
    // Language is applied; the window fills it this way just before it shows.
    QMenu *examplesMenu();
    QToolBar *toolBar(ToolBarId id) const;
    AlgorithmEditor *editor() const { return m_editor; }
    FieldView *field() const { return m_field; }
    // The dialogs and tool windows, each made when first asked for.
    WindowDialogs &dialogs() const { return *m_dialogs; }

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
    QString chooseHandInFolder(const QString &current) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Named actions.
    bool checkSyntax();   // true when the check found an error, which it has shown
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
    // Tasks: the pupil's Check, the ghost of the goal, and the teacher's task from a program.
    void checkTaskCommand();
    void showGoal(bool shown);
    void makeTaskCommand();
    // The program in the editor, saved or not, to the hand-in folder with a record of who,
    // for which task, when, the verdict and how the pupil worked.
    void handInCommand();
    void startWorkRecord();   // a program opened or created: its counts and clock from zero
    void showHandInNotice();
    // Reads a task and shows it beside the field; on failure shows why, or hands the text to
    // *failure when that is given (at start-up, before the window is on the screen).
    // Without `withStart` the text stays as it is: the task of a program just opened.
    bool openTask(const QString &path, QString *failure = nullptr, bool withStart = true);
    // Opens the task the program's notes name, if it is not open already.
    void openTaskOfProgram(const QString &programPath, QString *failure = nullptr);
    // The notes the program file gets: those it was read with, and the open task's file.
    ProgramNotes notesToSave(const QString &programPath = QString()) const;
    void closeTask();
    void placeTaskPanel();   // beside the field while a task is open, the window widened for it
    void showTaskAvailability();
    QSize taskFieldSize() const;   // the field the task shows now
    // The task's field `index` on the window's field: its size, its ghost and, after a check,
    // the pupil's drawing there with the differences marked.
    void showTaskField(int index);
    void clearTaskMarks();
    void taskProgramChanged();
    void retranslateTask();
    void refreshRunState();   // the run-state window, when it is open
    // The last run's timeline under the field: moving along it shows the field, the line and
    // the panels as they were after that tick, the run paused there.
    void buildTimeline(QWidget *central);
    void showTimeline();   // its range, position and availability as the run stands
    void moveToTick(qint64 tick);
    void stepBackCommand();
    void stepForwardCommand();
    void forgetRunHistory();   // the world or the program changed outside the run
    // A click on the field at a picture pixel: the line that last drew the segment there.
    void fieldClicked(const QPoint &pixel);
    // Enter on the focused field: the segments at the robot's node, the latest drawn first,
    // one more at each press while the timeline stays where the last press left it.
    void fieldNodeKey();
    // The line that last drew the segment up to the tick given, selected; the timeline there.
    void pickSegment(int segment, qint64 upTo, const QPoint &tipPixel);
    // The segments the caret's line drew in the last run, marked over the field.
    void showLineMarks();
    void refreshLinePanelsTick();
    void readSettings();
    void showSettings();   // what the settings read last show in the window
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
    // The worksheet: the program, the field and a header, on paper or as a PDF.
    Worksheet worksheet() const;
    void printWorksheet();
    void previewWorksheet();
    void exportWorksheet();
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
    void setTickInterval(int ms) override { m_runToCursor.setSpeedInterval(ms); }
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
    void connectActions();   // the command table's items to their handlers
    void connectControls();   // the other controls, and the editor's and the field's signals
    void buildFocusAreas();
    void applyRunLock(bool running);
    void buildRunAids();
    void rebuildExamplesMenu();   // the interface Language's examples, listed; titled on first show
    void runToCursorTicks();
    void applyManualLock(bool on);
    void applyMode(WindowMode mode);   // the command table's enabled-in columns, then Undo and Redo
    void rewriteWorldPanels();
    void nameControls(Language lang);   // accessible names in the interface Language
    void showEditorMenu(const QPoint &globalPos);
    void showFieldMenu(const QPoint &globalPos);
    void openDialog(QWidget *dialog);
    bool writeDocument(const QString &path);
    // On failure shows why, or hands the text to *failure when that is given.
    bool readDocument(const QString &path, QString *failure = nullptr);
    void setCaptionForFile();
    void dropRecoveryCopy() { m_recovery.drop(); }
    void showPositionPanels();   // position and sensors as the world is now
    QString text(const char *key) const;   // current Language, Russian for other codes
    Prompts &prompts() const { return *m_options.prompts; }   // every modal dialog
    Language textLanguage() const;

    Options m_options;
    ToolkitTranslation m_toolkitTranslation;
    SettingsFile m_settingsFile;
    Settings m_settings;
    QString m_startupFailure;   // why the start-up file could not be read, until it is shown
    DocumentState m_documentState = DocumentState::Empty;
    QString m_currentFile;   // empty for a new, unsaved text
    // The file as this window last read or wrote it; Save asks before replacing another
    // program's later version. Nothing when there was no such file.
    std::optional<DiskStamp> m_diskStamp;
    std::unique_ptr<QtPrompts> m_ownPrompts;
    RobotWorld m_world;
    RunController m_run;
    struct NodePick {
        QList<int> segments;   // at the node, the latest drawn first
        qint64 upTo = -1;   // the tick shown at the first press
        qint64 leftAt = -1;   // the tick the last press moved to
        int next = 0;
    } m_nodePick;
    bool m_manual = false;
    bool m_shownOnce = false;
    QStringList m_exampleFiles;   // paths not yet in the examples submenu
    LineColumn m_checkCaret;   // remembered by the last check, put back when a run stops
    HeldFrame m_heldFrame;   // the run timer, and what ticks faster than frames hold
    RunToCursor m_runToCursor;
    QAction *m_resumeAction = nullptr;   // F9 while paused
    QSlider *m_timeline = nullptr;
    QLabel *m_timelineLabel = nullptr;
    RecoveryKeeper m_recovery;

    CommandControls m_controls;
    ContextMenus m_contextMenus;
    std::array<QPushButton *, 4> m_manualButtons {};   // in ManualButton order
    QCheckBox *m_recordCheckBox = nullptr;
    AlgorithmEditor *m_editor = nullptr;
    FieldView *m_field = nullptr;
    WindowNotices m_notices;
    StatusBar *m_statusBar = nullptr;
    QTimer m_linePanelTimer;
    std::unique_ptr<WindowDialogs> m_dialogs;

    static constexpr int kCentralWidth = 698;   // without the task panel
    struct OpenTask {
        Task task;
        QString path;
        int field = 0;   // shown on the window's field
        std::optional<TaskVerdict> verdict;   // of the last Check task
        bool verdictCurrent = false;   // false once the program changed after it
        QStringList checkedLines;
        Language checkedLanguage = Language::Rus;
    };
    std::optional<OpenTask> m_task;
    ProgramNotes m_notes;   // of the program file, kept when it is saved again
    int m_taskSerial = 0;   // a check's result is dropped when the task changed meanwhile
    QThread *m_taskCheck = nullptr;   // the check under way
    bool m_taskCommandsAllowed = true;   // by the window's mode
    TaskPanel *m_taskPanel = nullptr;
    // How the pupil worked on the program, since it was opened or created: for the hand-in.
    struct WorkRecord {
        int runs = 0, checks = 0, taskChecks = 0;
        QElapsedTimer open;
    };
    WorkRecord m_work;
    std::optional<QTime> m_handedInAt;   // local time of the last hand-in of this program
    bool m_handedInChanged = false;   // the text changed after it
};
