// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"
#include "app/FocusAreas.h"
#include "app/HelpWindow.h"
#include "app/Icons.h"
#include "app/StatusBar.h"
#include "app/TaskPanel.h"
#include "app/RunStateWindow.h"
#include "base/TextCatalogue.h"
#include "app/Mnemonics.h"
#include "common/DialogFont.h"
#include "common/InterfaceLanguage.h"
#include "common/MessageWindow.h"
#include "common/QtPrompts.h"
#include "documents/RecoveryCopy.h"
#include "editor/AlgorithmEditor.h"
#include "lang/Lexicon.h"
#include "lang/MessageCatalogue.h"
#include "lang/StatementForms.h"
#include "world/widgets/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include <QActionEvent>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <utility>
#include <QStandardPaths>
#include <QThread>

namespace {

// Every window, menu and message box of the program takes the dialog font. It is given before
// the window itself is made: a widget takes the application's font as it is made, so the window
// and all in it are built and measured in the dialog font once, not first in the platform's
// font and again when they are first shown.
QWidget *withDialogFont()
{
    QApplication::setFont(dialogFont());
    return nullptr;
}

}   // namespace

MainWindow::MainWindow(const Options &options)
      : QMainWindow(withDialogFont()), m_options(options),
        m_settingsFile(options.settingsPath, options.settingsReadPath), m_run(m_world, *this),
        m_heldFrame(this,
                    {.tick = [this] { m_run.tick(); },
                     .running = [this] { return m_run.isRunning(); },
                     .holdField = [this](bool on) { m_field->setHoldUpdates(on); },
                     .showRunLine =
                         [this](int line) {
                             m_editor->selectLine(line);
                             m_editor->setRunLine(line);
                             m_editor->setFocus();
                         },
                     .showPanels = [this] { showPositionPanels(); },
                     .showField = [this] { m_field->showHeld(); }},
                    options.runClockNs),
        m_runToCursor(m_heldFrame.timer()),
        m_recovery(this, options.recoveryFolder, [this] { writeRecoveryCopy(); })
{
    m_run.setProgram(nullptr);
    setObjectName(QStringLiteral("Form1"));
    // Real dialogs, unless the owner scripts them.
    if (!m_options.prompts) {
        m_ownPrompts = std::make_unique<QtPrompts>(this);
        m_options.prompts = m_ownPrompts.get();
    }
    // Built in the Language it shows at once: built in the default one and worded again
    // when the settings came, every start read a second table of texts and set every
    // caption twice.
    m_settings = m_settingsFile.read();
    buildMenus();
    buildControls();
    buildToolBars();
    buildDialogs();
    connectActions();
    buildRunAids();
    buildFocusAreas();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(sizeHint());
    setWindowTitle(text("product"));
    setWindowIcon(applicationIcon());

    // Children by name, so the timers can be found like the controls.
    m_linePanelTimer.setParent(this);
    m_linePanelTimer.setObjectName(QStringLiteral("linePanelTimer"));
    m_linePanelTimer.setInterval(100);
    connect(&m_heldFrame.timer(), &QTimer::timeout, this, &MainWindow::runTimerTimeout);
    connect(&m_linePanelTimer, &QTimer::timeout, this, &MainWindow::refreshLinePanelsTick);
    m_linePanelTimer.start();

    m_world.setListener(this);
    m_world.setFieldSizeSource([this](int &x, int &y) {
        // An open task's field, so the pupil runs on the field the task checks.
        const QSize size = m_task ? taskFieldSize() : QSize(m_settings.fieldWidth, m_settings.fieldHeight);
        x = size.width();
        y = size.height();
    });

    // Start-up, in order; by qualified name, as nothing is bound dynamically while the
    // window is being built.
    showSettings();   // read before the window was built
    MainWindow::applyLanguage();
    openStartupFile();
    MainWindow::resetField();
    m_manual = false;
    showTaskAvailability();
}

MainWindow::~MainWindow()
{
    // A check under way reads nothing of the window's, but must end before the window goes.
    if (m_taskCheck) {
        m_taskCheck->wait();
        delete m_taskCheck;
    }
}

void MainWindow::buildFocusAreas()
{
    // The field takes the keyboard too: its menu opens with the menu key, and a screen reader
    // reads its description there. Ctrl+Tab goes from area to area in reading order: the
    // editor, the manual buttons over it, the field, then the tool bars.
    m_field->setFocusPolicy(Qt::TabFocus);
    auto *areas = new FocusAreas(this);
    areas->addArea({m_editor});
    areas->addArea(
        {m_manualButtons[0], m_manualButtons[1], m_manualButtons[2], m_manualButtons[3], m_recordCheckBox});
    areas->addArea({m_field});
    for (ToolBarId bar : {ToolBarId::File, ToolBarId::Run, ToolBarId::Commands}) {
        QList<QWidget *> buttons;
        for (const ToolBarEntry &entry : toolBarLayout(bar))
            if (!entry.separator) buttons << toolButton(entry.command);
        areas->addArea(buttons);
    }
    areas->chainTabOrder();
}

Language MainWindow::textLanguage() const
{
    const Language lang = language();
    return lang == Language::Unknown ? Language::Rus : lang;
}

QString MainWindow::text(const char *key) const
{
    return uiText(QByteArray("window.") + key, textLanguage()).value_or(QString());
}

Language MainWindow::language() const { return languageFromCode(m_settings.language); }

QAction *MainWindow::action(Command command) const { return m_controls.action(command); }

QToolButton *MainWindow::toolButton(Command command) const { return m_controls.toolButton(command); }

QMenu *MainWindow::menu(MenuId id) const { return m_controls.menu(id); }

QPushButton *MainWindow::manualButton(ManualButton button) const { return m_manualButtons[int(button)]; }

QToolBar *MainWindow::toolBar(ToolBarId id) const { return m_controls.toolBar(id); }

void MainWindow::buildMenus()
{
    QMenu *top = nullptr, *sub = nullptr;
    for (const MenuEntry &e : menuLayout()) {
        switch (e.kind) {
        case MenuEntry::Kind::Menu:
        case MenuEntry::Kind::Submenu: {
            const MenuRow &row = menuRow(e.menu);
            const QString caption = uiText(row.caption, textLanguage()).value_or(QString());
            QMenu *m = nullptr;
            if (e.kind == MenuEntry::Kind::Menu) {
                m = top = menuBar()->addMenu(caption);
                sub = nullptr;
            } else {
                m = sub = top->addMenu(caption);
            }
            m->setObjectName(QString::fromLatin1(row.objectName));
            m_controls.add(m);
            break;
        }
        case MenuEntry::Kind::Separator:
            (sub ? sub : top)->addSeparator();
            break;
        case MenuEntry::Kind::Item: {
            const CommandRow &row = commandRow(e.command);
            auto *a = new QAction(uiText(row.caption, textLanguage()).value_or(QString()), this);
            a->setObjectName(QString::fromLatin1(row.objectName));
            if (*row.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            (sub ? sub : top)->addAction(a);
            QVariantList parents {QVariant::fromValue<QObject *>(top)};
            if (sub) parents << QVariant::fromValue<QObject *>(sub);
            a->setProperty("parentMenus", parents);
            a->installEventFilter(this);
            m_controls.add(a);
        }
        }
    }
    for (int i = 0; i < commandCount; ++i)
        if (hasIcon(Command(i))) action(Command(i))->setIcon(icon(Command(i)));
    action(Command::ManualMode)->setCheckable(true);
    // The examples come from a folder, so their submenu is filled at run time, after Open,
    // when it is first about to show: each title costs reading its file.
    QMenu *file = menu(MenuId::File);
    const QList<QAction *> fileItems = file->actions();
    const qsizetype afterOpen = fileItems.indexOf(action(Command::Open)) + 1;
    auto *examples = new QMenu(file);
    examples->setObjectName(QString::fromLatin1(::objectName(MenuId::Examples)));
    file->insertMenu(afterOpen < fileItems.size() ? fileItems.at(afterOpen) : nullptr, examples);
    m_controls.add(examples);
    connect(examples, &QMenu::aboutToShow, this, &MainWindow::examplesMenu);

    m_contextMenus.build(this, textLanguage());
}

void MainWindow::buildToolBars()
{
    auto make = [this](ToolBarId id, Qt::Orientation o, QRect geometry, int buttonHeight) {
        auto *bar = new QToolBar(centralWidget());
        bar->setObjectName(QString::fromLatin1(::objectName(id)));
        bar->setOrientation(o);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setIconSize(QSize(16, 16));
        bar->setGeometry(geometry);
        bar->setContentsMargins(0, 0, 0, 0);
        // Flat buttons draw no focus mark of their own: a frame in the theme's highlight shows
        // where the keyboard is.
        bar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: 0px; } "
                                          "QToolButton:focus { border: 2px solid palette(highlight); "
                                          "border-radius: 2px; }"));
        for (const ToolBarEntry &entry : toolBarLayout(id)) {
            if (entry.separator) {
                bar->addSeparator();
                continue;
            }
            const Command command = entry.command;
            auto *b = new QToolButton(bar);
            const QString bn = QString::fromLatin1(buttonObjectName(command));
            b->setObjectName(bn);
            b->setAutoRaise(true);
            b->setIcon(icon(command));
            b->setIconSize(QSize(16, 16));
            b->setFixedSize(23, buttonHeight);
            bar->addWidget(b);
            m_controls.add(b);
            if (commandRow(command).buttonPerformsItem) {
                QAction *item = action(command);
                // A button only performs its item, and nothing while the item is disabled.
                connect(b, &QToolButton::clicked, this, [item] {
                    if (item->isEnabled()) item->trigger();
                });
            }
        }
        m_controls.setToolBar(id, bar);
    };
    make(ToolBarId::File, Qt::Horizontal, QRect(12, 0, 325, 26), 22);
    make(ToolBarId::Run, Qt::Vertical, QRect(1, 52, 24, 143), 22);
    make(ToolBarId::Commands, Qt::Vertical, QRect(1, 197, 24, 223), 23);
    m_controls.applyMode(WindowMode::Idle);
    toolButton(Command::ManualMode)->setCheckable(true);
    connect(toolButton(Command::Run), &QToolButton::clicked, this, &MainWindow::runCommand);
    connect(toolButton(Command::Pause), &QToolButton::clicked, this, &MainWindow::pauseRun);
    connect(toolButton(Command::Stop), &QToolButton::clicked, this, &MainWindow::stopRun);
    // The toggle shows the mode, not its own click.
    connect(toolButton(Command::ManualMode), &QToolButton::clicked, this,
            [this] { toolButton(Command::ManualMode)->setChecked(m_manual); });
}

void MainWindow::buildControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setFixedSize(kCentralWidth, 525);
    setCentralWidget(central);

    m_recordCheckBox = new QCheckBox(text("manual.record"), central);
    m_recordCheckBox->setObjectName(QStringLiteral("manualcheckbox"));
    m_recordCheckBox->setGeometry(352, 2, 192, 25);
    m_recordCheckBox->hide();

    auto button = [central](const char *name, const QString &caption, QRect g) {
        auto *b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(g);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    m_manualButtons = {button("Button1_step", text("manual.step"), QRect(27, 29, 70, 23)),
                       button("Button2_jump", text("manual.jump"), QRect(97, 29, 73, 23)),
                       button("Button3_r45", text("manual.rotate45"), QRect(170, 29, 81, 23)),
                       button("Button4_r90", text("manual.rotate90"), QRect(251, 29, 81, 23))};

    auto *manualFrame = new QFrame(central);
    manualFrame->setObjectName(QStringLiteral("Bevel1"));
    manualFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    manualFrame->setGeometry(12, 40, 325, 438);
    manualFrame->lower();   // a frame, drawn under the controls it surrounds

    m_editor = new AlgorithmEditor(central, textLanguage());
    m_editor->setGeometry(26, 53, 307, 420);

    m_field = new FieldView(central);
    m_field->setGeometry(339, 40, 358, 438);
    m_world.setCanvas(m_field->canvas());

    auto *direction = new DirectionBevel(central);
    direction->setObjectName(QStringLiteral("Bevel2"));
    direction->setGeometry(675, 507, DirectionBevel::Width, DirectionBevel::Height);
    m_field->setDirectionWidget(direction);

    m_notices.build(central, this, MessageCatalogue::forLanguage(textLanguage()).msgNoErrors,
                    text("runFinished"));

    buildTimeline(central);

    m_taskPanel = new TaskPanel(central);
    m_taskPanel->hide();
    connect(m_taskPanel, &TaskPanel::fieldChosen, this, &MainWindow::showTaskField);
    connect(m_taskPanel, &TaskPanel::closeRequested, this, &MainWindow::closeTask);

    m_statusBar = new StatusBar(central);
    m_work.open.start();
    m_statusBar->setGeometry(1, 505, 672, 20);
    // The panels' first words, kept where a Language other than the three leaves them.
    m_statusBar->setPanelText(StatusPanel::Lines, text("startPanel.lines"));
    m_statusBar->setPanelText(StatusPanel::CurrentLine, text("startPanel.currentLine"));
    m_statusBar->setPanelText(StatusPanel::FieldSize, text("startPanel.field"));
    m_statusBar->setPanelText(StatusPanel::Position, text("startPanel.robot"));
    m_statusBar->setPanelText(StatusPanel::LineSensor, text("startPanel.line"));
    m_statusBar->setPanelText(StatusPanel::BorderSensor, text("startPanel.border"));
    m_field->raiseSprite();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce) return;
    m_shownOnce = true;
    // A pupil starts typing the program at once, without a click into the editor first.
    m_editor->setFocus();
    readSettings();
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    // Over the shown window, once: what start-up could not do, then the unsaved text of
    // windows that are gone.
    QTimer::singleShot(0, this, [this] {
        const QString recoveryFolder = m_recovery.takeFailedFolder();
        const QString notices[] = {m_settingsFile.takeNotice(), std::exchange(m_startupFailure, QString()),
                                   recoveryFolder.isEmpty() ? QString()
                                                            : text("recoveryOff").arg(recoveryFolder)};
        for (const QString &message : notices)
            if (!message.isEmpty()) prompts().message(message);
        offerRecovery();
    });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!mayDiscardChanges()) {
        event->ignore();
        return;
    }
    // A speed directive changes the speed only for its run: stop in order so the setting
    // saved is the pupil's own.
    if (m_run.isActive()) stopRun();
    // The window closes anyway, but the pupil hears that the settings were not kept.
    QString error;
    if (!writeSettingsQuietly(&error)) prompts().message(error);
    dropRecoveryCopy();   // answered or nothing to lose
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A disabled menu or submenu also silences the shortcuts of its items.
    if (event->type() == QEvent::Shortcut) {
        if (auto *a = qobject_cast<QAction *>(watched)) {
            for (const QVariant &v : a->property("parentMenus").toList()) {
                auto *m = qobject_cast<QMenu *>(v.value<QObject *>());
                if (m && !m->menuAction()->isEnabled()) return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::event(QEvent *event)
{
    // A platform theme may hand the application its own, larger font once the window is up;
    // the fixed layouts are made for the dialog font, so it is put back.
    if (event->type() == QEvent::ApplicationFontChange && QApplication::font() != dialogFont())
        QTimer::singleShot(0, this, [] {
            if (QApplication::font() != dialogFont()) QApplication::setFont(dialogFont());
        });
    return QMainWindow::event(event);
}

void MainWindow::applyLanguage()
{
    m_toolkitTranslation.apply(language());
    // Before the captions: the access letters are chosen over whatever the menus hold.
    rebuildExamplesMenu();
    InterfaceLanguage::apply(this, language());
    // The run-state window has re-read its captions by now; its values follow.
    if (m_dialogs->runStateIfMade()) refreshRunState();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

void MainWindow::retranslate()
{
    const Language lang = language();
    const bool known = lang != Language::Unknown;
    if (known) {
        // The application's name stays fixed: the desktop entry, the window class and the
        // settings folder are found by it. Only the boxes' caption follows the Language.
        if (m_ownPrompts) {
            m_ownPrompts->setTitle(text("product"));
            m_ownPrompts->setLanguage(lang);
        }
        for (const MenuEntry &e : menuLayout()) {
            if (e.kind == MenuEntry::Kind::Item)
                action(e.command)->setText(uiText(commandRow(e.command).caption, lang).value_or(QString()));
            else if (e.kind != MenuEntry::Kind::Separator)
                menu(e.menu)->setTitle(uiText(menuRow(e.menu).caption, lang).value_or(QString()));
        }
        m_editor->setLanguage(lang);
        for (int i = 0; i < commandCount; ++i)
            if (const char *hint = commandRow(Command(i)).hint)
                toolButton(Command(i))->setToolTip(uiText(hint, lang).value_or(QString()));
        m_statusBar->setPanelText(StatusPanel::Lines, m_editor->linesLabel());
        m_statusBar->setPanelText(StatusPanel::CurrentLine, m_editor->currentLineLabel());
        rewriteWorldPanels();
        const char *const manualCaptions[] = {"manual.step", "manual.jump", "manual.rotate45",
                                              "manual.rotate90"};
        for (int i = 0; i < int(m_manualButtons.size()); ++i)
            m_manualButtons[i]->setText(text(manualCaptions[i]));
        m_notices.setFinishedText(text("runFinished"));
        m_recordCheckBox->setText(text("manual.record"));
        m_contextMenus.retranslate(lang);
        nameControls(lang);
        retranslateTask();
    }
    // Access letters follow the captions of whatever the menus hold now.
    applyMnemonics(menuBar());
    applyMnemonics(m_contextMenus.editorMenu);
    applyMnemonics(m_contextMenus.fieldMenu);
    // For every Language value: the other hints follow the menu captions, and the caption is
    // rewritten.
    for (int i = 0; i < commandCount; ++i) {
        const CommandRow &row = commandRow(Command(i));
        if (*row.button && !row.hint) toolButton(row.id)->setToolTip(plainCaption(action(row.id)->text()));
    }
    // A screen reader names an icon-only button by its hint.
    for (QToolButton *b : m_controls.toolButtons()) b->setAccessibleName(b->toolTip());
    const QString product = uiText("window.product", known ? lang : Language::Rus).value();
    const QString caption = windowTitle();
    const qsizetype dash = caption.indexOf(QLatin1Char('-'));
    if (caption.size() >= 10 && dash >= 0)
        setWindowTitle(product + QLatin1Char(' ') + caption.mid(dash));
    else
        setWindowTitle(product);
    showDocumentState();
}

void MainWindow::nameControls(Language lang)
{
    auto name = [lang](QWidget *w, const char *key) {
        w->setAccessibleName(uiText(key, lang).value_or(QString()));
    };
    name(m_editor, "access.editor");
    name(m_field, "access.field");
    name(menuBar(), "access.menuBar");
    name(toolBar(ToolBarId::File), "access.fileToolBar");
    name(toolBar(ToolBarId::Run), "access.runToolBar");
    name(toolBar(ToolBarId::Commands), "access.commandToolBar");
    name(m_statusBar, "access.statusBar");
    name(m_timeline, "timeline.name");
    describeField();
}

void MainWindow::describeField()
{
    const Language lang = textLanguage();
    const RobotState &s = m_world.state();
    static const char *const headings[8] = {"access.heading0", "access.heading1", "access.heading2",
                                            "access.heading3", "access.heading4", "access.heading5",
                                            "access.heading6", "access.heading7"};
    QStringList parts;
    if (!s.visible) parts << uiText("access.hidden", lang).value_or(QString());
    parts << WorldTexts::positionPanel(lang, s.x, s.y).value_or(QString())
          << uiText("access.heading", lang)
                 .value_or(QString())
                 .arg(uiText(headings[(s.heading % 8 + 8) % 8], lang).value_or(QString()))
          << WorldTexts::lineSensorPanel(lang, s.lineSensor).value_or(QString())
          << WorldTexts::borderSensorPanel(lang, s.borderSensor).value_or(QString());
    const QString description = parts.join(QStringLiteral(". "));
    if (m_field->accessibleDescription() != description) m_field->setAccessibleDescription(description);
}

void MainWindow::rewriteWorldPanels()
{
    const Language lang = language();
    if (lang == Language::Unknown) return;
    const RobotState &s = m_world.state();
    m_statusBar->setPanelText(StatusPanel::FieldSize,
                              *WorldTexts::fieldSizePanel(lang, m_world.fieldWidth(), m_world.fieldHeight()));
    m_statusBar->setPanelText(StatusPanel::Position, *WorldTexts::positionPanel(lang, s.x, s.y));
    m_statusBar->setPanelText(StatusPanel::LineSensor, *WorldTexts::lineSensorPanel(lang, s.lineSensor));
    m_statusBar->setPanelText(StatusPanel::BorderSensor,
                              *WorldTexts::borderSensorPanel(lang, s.borderSensor));
}

// With a Language other than the three the panels keep their words: only the Russian
// design-time words are there to keep, so they are used.
void MainWindow::positionPanel(int x, int y)
{
    if (m_heldFrame.holdPanels()) return;
    m_statusBar->setPanelText(StatusPanel::Position, *WorldTexts::positionPanel(textLanguage(), x, y));
}

void MainWindow::lineSensorChanged(int value)
{
    if (m_heldFrame.holdPanels()) return;
    m_statusBar->setPanelText(StatusPanel::LineSensor, *WorldTexts::lineSensorPanel(textLanguage(), value));
}

void MainWindow::borderSensorChanged(int value)
{
    if (m_heldFrame.holdPanels()) return;
    m_statusBar->setPanelText(StatusPanel::BorderSensor,
                              *WorldTexts::borderSensorPanel(textLanguage(), value));
}

void MainWindow::setAdvancedToolBarVisible(bool visible)
{
    toolBar(ToolBarId::Commands)->setVisible(visible);
}

void MainWindow::setLineNumbersVisible(bool visible) { m_editor->setLineNumbersVisible(visible); }

void MainWindow::resetField()
{
    clearTaskMarks();
    forgetRunHistory();
    m_world.resetField();
    describeField();
}

void MainWindow::showHelp()
{
    // Where the compiled-HTML viewer exists it shows help.chm from the current folder, as
    // it always has; everywhere else the built-in reference opens instead of nothing.
    const QString viewer = QStandardPaths::findExecutable(QStringLiteral("hh.exe"));
    if (!viewer.isEmpty()) {
        QProcess::startDetached(viewer, {QStringLiteral("help.chm")});
        return;
    }
    HelpWindow *const help = &m_dialogs->help();
    help->setLanguage(textLanguage());
    const QString line = m_editor->line(m_editor->caretLineColumn().line);
    const QString page = HelpWindow::pageFor(Forms::statementKind(line, Lexicon::forLanguage(language())));
    if (!page.isEmpty() || !help->isVisible()) help->showPage(page);
    if (!help->isVisible()) {
        // Over the window that asked for it, kept on the screen.
        centreOnParent(help);
        if (QScreen *s = screen()) {
            const QRect area = s->availableGeometry();
            QRect frame = help->frameGeometry();
            frame.moveLeft(
                std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
            frame.moveTop(
                std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
            help->move(frame.topLeft());
        }
    }
    help->show();
    help->raise();
    help->activateWindow();
}

void MainWindow::showPositionPanels()
{
    const RobotState &s = m_world.state();
    const Language lang = textLanguage();
    m_statusBar->setPanelText(StatusPanel::Position, *WorldTexts::positionPanel(lang, s.x, s.y));
    m_statusBar->setPanelText(StatusPanel::LineSensor, *WorldTexts::lineSensorPanel(lang, s.lineSensor));
    m_statusBar->setPanelText(StatusPanel::BorderSensor,
                              *WorldTexts::borderSensorPanel(lang, s.borderSensor));
}
