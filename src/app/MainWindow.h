#pragma once
#include "docs/Settings.h"
#include "docs/widgets/PreferencesDialog.h"
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
class StatusBar;
class TProp;
class TSysN;
class TAboutme;
class TProcedure_create;
class TProcedure_execute;
class TCycleN;
class TCycleWhile;
class TConditionIf;
class TFormColor;

// The whole working surface: editor, field, menus, tool bars, status bar, timers, and the
// named actions that menus, buttons, dialogs and the interpreter all execute.
class MainWindow : public QMainWindow,
                   public RunView,
                   public WorldListener,
                   public PreferencesHost {
    Q_OBJECT
public:
    struct Options {
        QString settingsPath;       // trakmil.ini to write (and read, unless the next is set)
        QString settingsReadPath;   // where to read it when that differs
        QString startupFile;      // first command-line argument, may be empty
        Prompts *prompts = nullptr;   // null: real dialogs
    };
    explicit MainWindow(const Options &options);
    ~MainWindow() override;

    // Named controls, for the owner and for tests.
    QAction *action(const QString &name) const;
    QToolButton *toolButton(const QString &name) const;
    QMenu *menu(const QString &name) const;
    AlgorithmEditor *editor() const { return doc; }
    FieldView *field() const { return m_field; }
    StatusBar *statusPanels() const { return StatusBar1; }
    QWidget *panel1() const;
    QWidget *panel2() const;
    QCheckBox *recordingBox() const { return manualcheckbox; }
    QPushButton *manualButton(int index) const;   // 0 step, 1 jump, 2 r45, 3 r90
    QToolBar *toolBar(const QString &name) const;
    RobotWorld &robotWorld() { return m_world; }
    Interpreter &interpreter() { return m_run.interpreter(); }
    RunController &runController() { return m_run; }
    Settings &settings() override { return m_settings; }
    TProp *preferencesDialog() const { return Prop; }
    TSysN *extendedSettingsDialog() const { return SysN; }
    TAboutme *aboutWindow() const { return Aboutme; }
    QTimer &timer1() { return Timer1; }
    QTimer &timer3() { return Timer3; }
    QTimer &timer5() { return Timer5; }
    bool ErrorFound = false;
    bool manualMode() const { return m_manual; }
    bool runActive() const { return m_run.isActive(); }
    QString CurrentFile;
    Language language() const;
    QString documentState() const;   // panel 0

    // Named actions.
    void SintaxCheck();
    void runCommand();        // check, then ProgramRun
    void spellingCommand();   // check, then the no-errors notice
    void ProgramRun();
    void ProgramPause();
    void ProgramStop();
    void Timer1Tick();
    void Timer1Timeout();   // one tick, and a second one when the timer has fallen behind
    void Timer3Tick();
    void Timer5Tick();
    void DrawField() override;
    void ApplyLanguage() override;
    void Loadinifile();
    bool Saveinifile() override;   // shows why it failed
    bool saveSettingsQuietly(QString *error);
    void OpenFile();
    void StatusBarUpdate();
    void SelectLine(int line);
    void ReportError(const QString &heading, const QStringList &texts);
    void PasteCode(const QString &commandText);   // through the editor's CommandText
    void mmNewClick();
    void mmOpenClick();
    void mmSaveClick();
    void mmSaveAsClick();
    void savePicture();
    void mmManualRegimClick();
    void manualCommand(int which);   // 0 step, 1 jump, 2 r45, 3 r90
    void mmHelpClick();
    void setDocumentState(const char *key);
    void setAdvancedToolBarVisible(bool visible) override;

    // RunView
    void lockForRun(bool running) override { applyRunLock(running); }
    void startTicks() override;
    void stopTicks() override { Timer1.stop(); }
    // Setting the same interval again would restart the timer and lose the period.
    void setTickInterval(int ms) override
    {
        if (Timer1.interval() != ms) Timer1.setInterval(ms);
    }
    void runStopped() override;
    void selectRunLine(int line) override;
    int caretLine() const override;
    void reportError(const ErrorReport &report) override;
    void fatalMessage(const QString &text) override;
    void positionPanel(int x, int y) override;
    void endOfRunNotice() override;

    // WorldListener
    void OutOfField() override;
    void positionPanelChanged(int x, int y) override { positionPanel(x, y); }
    void lineSensorChanged(int value) override;
    void borderSensorChanged(int value) override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolBars();
    void buildControls();
    void buildDialogs();
    void connectActions();
    void applyRunLock(bool running);
    void applyManualLock(bool on);
    void rewriteWorldPanels();
    void showEditorMenu(const QPoint &globalPos);
    void showFieldMenu(const QPoint &globalPos);
    void openDialog(QWidget *dialog);
    bool writeDocument(const QString &path);
    bool readDocument(const QString &path);
    void setCaptionForFile();
    QString text(const char *key) const;   // current Language, Russian for other codes
    Language textLanguage() const;

    Options m_options;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts *m_prompts = nullptr;
    Settings m_settings;
    RobotWorld m_world;
    RunController m_run;
    bool m_manual = false;
    bool m_shownOnce = false;
    int m_checkLine = 0, m_checkColumn = 0;   // caret remembered by the last check
    // Timer1's own schedule: when its interval was last set, and the ticks since then.
    QElapsedTimer m_scheduleClock;
    int m_scheduleInterval = 0;
    qint64 m_scheduleTicks = 0;

    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QToolButton *> m_buttons;
    QHash<QString, QAction *> m_buttonAction;   // tool button -> the menu item it performs
    QMenu *PopupMenu1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QAction *N57 = nullptr, *N58 = nullptr, *N59 = nullptr, *N60 = nullptr;
    QAction *popupClearField = nullptr, *popupSavePicture = nullptr;

    QWidget *central = nullptr;
    QToolBar *ToolBar5 = nullptr, *ToolBar1 = nullptr, *ToolBar2 = nullptr;
    QCheckBox *manualcheckbox = nullptr;
    QPushButton *Button1_step = nullptr, *Button2_jump = nullptr, *Button3_r45 = nullptr,
                *Button4_r90 = nullptr;
    QFrame *Bevel1 = nullptr;
    AlgorithmEditor *doc = nullptr;
    FieldView *m_field = nullptr;
    QLabel *Panel1 = nullptr, *Panel2 = nullptr;
    StatusBar *StatusBar1 = nullptr;
    QWidget *Bevel2 = nullptr;

    QTimer Timer1, Timer3, Timer5;

    TProp *Prop = nullptr;
    TSysN *SysN = nullptr;
    TAboutme *Aboutme = nullptr;
    TProcedure_create *Procedure_create = nullptr;
    TProcedure_execute *Procedure_execute = nullptr;
    TCycleN *CycleN = nullptr;
    TCycleWhile *CycleWhile = nullptr;
    TConditionIf *ConditionIf = nullptr;
    TFormColor *FormColor = nullptr;
};
