#include "app/MainWindow.h"
#include "app/Icons.h"
#include "app/StatusBar.h"
#include "app/UiTexts.h"
#include "common/MessageWindow.h"
#include "common/QtPrompts.h"
#include "editor/AlgorithmEditor.h"
#include "lang/Lexicon.h"
#include "lang/MessageCatalogue.h"
#include "world/WorldTexts.h"
#include "world/widgets/FieldView.h"
#include <QActionEvent>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// Tool bar contents: button name, the menu item it performs ("" for run control's own),
// icon; "|" is a separator.
struct ButtonRow {
    const char *button;
    const char *item;
    IconId icon;
};

const ButtonRow kToolBar5[] = {
    {"tbNew", "mmNew", IconId::New},           {"tbOpen", "mmOpen", IconId::Open},
    {"|", "", IconId::New},                    {"tbSave", "mmSave", IconId::Save},
    {"tbSaveAs", "mmSaveAs", IconId::SaveAs},  {"|", "", IconId::New},
    {"ToolButton19", "mmUndo", IconId::Undo},  {"ToolButton24", "mmRedo", IconId::Redo},
    {"|", "", IconId::New},                    {"ToolButton25", "mmCut", IconId::Cut},
    {"ToolButton26", "mmCopy", IconId::Copy},  {"ToolButton27", "mmPaste", IconId::Paste},
    {"|", "", IconId::New},                    {"ToolButton29", "mmClearAlg", IconId::ClearAlgorithm},
    {"ToolButton30", "mmClearRobField", IconId::ClearField}, {"|", "", IconId::New},
    {"ToolButton34", "mmPref", IconId::Preferences},
};
const ButtonRow kToolBar1[] = {
    {"ToolButton1", "", IconId::Run},          {"ToolButton3", "", IconId::Pause},
    {"ToolButton2", "", IconId::Stop},         {"|", "", IconId::New},
    {"ToolButton5", "mmOrfo", IconId::Check},  {"ToolButton10", "mmManualRegim", IconId::ManualMode},
};
const ButtonRow kToolBar2[] = {
    {"ToolButton16", "mmCOMbegend", IconId::BeginEnd},         {"|", "", IconId::New},
    {"ToolButton22", "mmCOMproccreate", IconId::CreateProcedure},
    {"ToolButton23", "mmCOMprocexec", IconId::CallProcedure},
    {"ToolButton20", "mmCOMcyclun", IconId::CountedLoop},
    {"ToolButton11", "mmCOMcicluIF", IconId::ConditionalLoop},
    {"ToolButton12", "mmCOMcycluif2", IconId::Condition},     {"|", "", IconId::New},
    {"ToolButton14", "mmCOMcolor", IconId::Colour},
    {"ToolButton17", "mmCOMdestroy", IconId::Destroy},
    {"ToolButton18", "mmCOMrebuild", IconId::Rebuild},
};

struct ItemIcon {
    const char *item;
    IconId icon;
};
const ItemIcon kMenuIcons[] = {
    {"mmNew", IconId::New}, {"mmOpen", IconId::Open}, {"mmSave", IconId::Save},
    {"mmSaveAs", IconId::SaveAs}, {"mmUndo", IconId::Undo}, {"mmRedo", IconId::Redo},
    {"mmCut", IconId::Cut}, {"mmCopy", IconId::Copy}, {"mmPaste", IconId::Paste},
    {"mmClearAlg", IconId::ClearAlgorithm}, {"mmClearRobField", IconId::ClearField},
    {"mmPref", IconId::Preferences}, {"mmExecute", IconId::Run}, {"mmPause", IconId::Pause},
    {"mmStop", IconId::Stop}, {"mmOrfo", IconId::Check}, {"mmManualRegim", IconId::ManualMode},
    {"mmCOMbegend", IconId::BeginEnd}, {"mmCOMproccreate", IconId::CreateProcedure},
    {"mmCOMprocexec", IconId::CallProcedure}, {"mmCOMcyclun", IconId::CountedLoop},
    {"mmCOMcicluIF", IconId::ConditionalLoop}, {"mmCOMcycluif2", IconId::Condition},
    {"mmCOMcolor", IconId::Colour}, {"mmCOMdestroy", IconId::Destroy},
    {"mmCOMrebuild", IconId::Rebuild},
};

} // namespace

MainWindow::MainWindow(const Options &options) :
    m_options(options), m_run(m_world, *this, m_settings.x_speed)
{
    m_run.setProgram(nullptr);
    setObjectName(QStringLiteral("Form1"));
    if (options.prompts) {
        m_prompts = options.prompts;
    } else {
        m_ownPrompts = std::make_unique<QtPrompts>(this);
        m_prompts = m_ownPrompts.get();
    }
    buildMenus();
    buildControls();
    buildToolBars();
    buildDialogs();
    connectActions();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(sizeHint());
    setWindowTitle(text("product"));

    Timer1.setInterval(100);
    Timer1.setTimerType(Qt::PreciseTimer);   // speed 5 asks for 1 ms ticks
    Timer3.setInterval(1000);
    Timer5.setInterval(100);
    connect(&Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timeout);
    connect(&Timer3, &QTimer::timeout, this, &MainWindow::Timer3Tick);
    connect(&Timer5, &QTimer::timeout, this, &MainWindow::Timer5Tick);
    Timer5.start();

    m_world.setListener(this);
    m_world.setFieldSizeSource([this](int &x, int &y) {
        x = m_settings.pole_x;
        y = m_settings.pole_y;
    });

    // Start-up, in order.
    Loadinifile();
    ApplyLanguage();
    OpenFile();
    DrawField();
    m_manual = false;
}

MainWindow::~MainWindow() = default;

Language MainWindow::textLanguage() const
{
    const Language lang = language();
    return lang == Language::Unknown ? Language::Rus : lang;
}

QString MainWindow::text(const char *key) const { return uiText(key, textLanguage()).value_or(QString()); }

Language MainWindow::language() const { return languageFromCode(m_settings.language); }

QAction *MainWindow::action(const QString &name) const { return m_actions.value(name); }
QToolButton *MainWindow::toolButton(const QString &name) const { return m_buttons.value(name); }
QMenu *MainWindow::menu(const QString &name) const { return m_menus.value(name); }
QWidget *MainWindow::panel1() const { return Panel1; }
QWidget *MainWindow::panel2() const { return Panel2; }

QPushButton *MainWindow::manualButton(int index) const
{
    QPushButton *const b[4] = {Button1_step, Button2_jump, Button3_r45, Button4_r90};
    return (index >= 0 && index < 4) ? b[index] : nullptr;
}

QToolBar *MainWindow::toolBar(const QString &name) const
{
    if (name == QLatin1String("ToolBar5")) return ToolBar5;
    if (name == QLatin1String("ToolBar1")) return ToolBar1;
    if (name == QLatin1String("ToolBar2")) return ToolBar2;
    return nullptr;
}

void MainWindow::buildMenus()
{
    int count = 0;
    const MenuRow *rows = menuRows(&count);
    QMenu *top = nullptr, *sub = nullptr;
    for (int i = 0; i < count; ++i) {
        const MenuRow &r = rows[i];
        const QString name = QString::fromLatin1(r.name);
        const QString caption = QString::fromUtf8(r.text[0]);
        switch (r.kind) {
        case 'M':
            top = menuBar()->addMenu(caption);
            top->setObjectName(name);
            m_menus.insert(name, top);
            sub = nullptr;
            break;
        case 'S':
            sub = top->addMenu(caption);
            sub->setObjectName(name);
            m_menus.insert(name, sub);
            break;
        case '-':
            (sub ? sub : top)->addSeparator();
            break;
        default: {
            auto *a = new QAction(caption, this);
            a->setObjectName(name);
            if (*r.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(r.shortcut)));
            (sub ? sub : top)->addAction(a);
            QVariantList parents{QVariant::fromValue<QObject *>(top)};
            if (sub) parents << QVariant::fromValue<QObject *>(sub);
            a->setProperty("parentMenus", parents);
            a->installEventFilter(this);
            m_actions.insert(name, a);
        }
        }
    }
    for (const ItemIcon &i : kMenuIcons) m_actions.value(QString::fromLatin1(i.item))->setIcon(icon(i.icon));
    action("mmPause")->setEnabled(false);
    action("mmStop")->setEnabled(false);
    action("mmManualRegim")->setCheckable(true);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N57 = PopupMenu1->addAction(text("N57"));
    PopupMenu1->addSeparator();
    N58 = PopupMenu1->addAction(text("N58"));
    N59 = PopupMenu1->addAction(text("N59"));
    N60 = PopupMenu1->addAction(text("N60"));
    N57->setObjectName(QStringLiteral("N57"));
    N58->setObjectName(QStringLiteral("N58"));
    N59->setObjectName(QStringLiteral("N59"));
    N60->setObjectName(QStringLiteral("N60"));

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    popupClearField = PopupMenu2->addAction(QString());
    popupSavePicture = PopupMenu2->addAction(QString());
    popupClearField->setObjectName(QStringLiteral("PopupClearField"));
    popupSavePicture->setObjectName(QStringLiteral("PopupSavePicture"));
}

void MainWindow::buildToolBars()
{
    auto make = [this](const char *name, Qt::Orientation o, QRect geometry, const ButtonRow *rows,
                       int n, int buttonHeight) {
        auto *bar = new QToolBar(central);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setOrientation(o);
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setIconSize(QSize(16, 16));
        bar->setGeometry(geometry);
        bar->setContentsMargins(0, 0, 0, 0);
        bar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: 0px; }"));
        for (int i = 0; i < n; ++i) {
            if (rows[i].button[0] == '|') {
                bar->addSeparator();
                continue;
            }
            auto *b = new QToolButton(bar);
            const QString bn = QString::fromLatin1(rows[i].button);
            b->setObjectName(bn);
            b->setAutoRaise(true);
            b->setIcon(icon(rows[i].icon));
            b->setIconSize(QSize(16, 16));
            b->setFixedSize(23, buttonHeight);
            bar->addWidget(b);
            m_buttons.insert(bn, b);
            if (rows[i].item[0]) {
                QAction *item = action(QString::fromLatin1(rows[i].item));
                m_buttonAction.insert(bn, item);
                // A button only performs its item, and nothing while the item is disabled.
                connect(b, &QToolButton::clicked, this, [item] {
                    if (item->isEnabled()) item->trigger();
                });
            }
        }
        return bar;
    };
    ToolBar5 = make("ToolBar5", Qt::Horizontal, QRect(12, 0, 325, 26), kToolBar5,
                    int(std::size(kToolBar5)), 22);
    ToolBar1 = make("ToolBar1", Qt::Vertical, QRect(1, 52, 24, 121), kToolBar1,
                    int(std::size(kToolBar1)), 22);
    ToolBar2 = make("ToolBar2", Qt::Vertical, QRect(1, 194, 24, 223), kToolBar2,
                    int(std::size(kToolBar2)), 23);
    toolButton("ToolButton24")->setEnabled(false);
    toolButton("ToolButton3")->setEnabled(false);
    toolButton("ToolButton2")->setEnabled(false);
    toolButton("ToolButton10")->setCheckable(true);
    connect(toolButton("ToolButton1"), &QToolButton::clicked, this, &MainWindow::runCommand);
    connect(toolButton("ToolButton3"), &QToolButton::clicked, this, &MainWindow::ProgramPause);
    connect(toolButton("ToolButton2"), &QToolButton::clicked, this, &MainWindow::ProgramStop);
    // The toggle shows the mode, not its own click.
    connect(toolButton("ToolButton10"), &QToolButton::clicked, this,
            [this] { toolButton("ToolButton10")->setChecked(m_manual); });
}

void MainWindow::buildControls()
{
    central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setFixedSize(698, 499);
    // The controls' 8-point sans-serif; Liberation Sans has the metrics the sizes were made for.
    QFont font(QStringLiteral("Liberation Sans"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setCentralWidget(central);

    manualcheckbox = new QCheckBox(text("manualcheckbox"), central);
    manualcheckbox->setObjectName(QStringLiteral("manualcheckbox"));
    manualcheckbox->setGeometry(352, 2, 192, 25);
    manualcheckbox->hide();

    auto button = [this](const char *name, QRect g) {
        auto *b = new QPushButton(text(name), central);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(g);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    Button1_step = button("Button1_step", QRect(27, 29, 70, 23));
    Button2_jump = button("Button2_jump", QRect(97, 29, 73, 23));
    Button3_r45 = button("Button3_r45", QRect(170, 29, 81, 23));
    Button4_r90 = button("Button4_r90", QRect(251, 29, 81, 23));

    Bevel1 = new QFrame(central);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(12, 40, 325, 438);
    Bevel1->lower();   // a frame, drawn under the controls it surrounds

    doc = new AlgorithmEditor(central);
    doc->setGeometry(26, 53, 307, 420);

    m_field = new FieldView(central);
    m_field->setGeometry(339, 40, 358, 438);
    m_world.setCanvas(m_field->canvas());

    auto *direction = new DirectionBevel(central);
    direction->setObjectName(QStringLiteral("Bevel2"));
    direction->setGeometry(675, 481, DirectionBevel::Width, DirectionBevel::Height);
    m_field->setDirectionWidget(direction);
    Bevel2 = direction;

    auto notice = [this](const char *name, QRect g) {
        auto *p = new QLabel(central);
        p->setObjectName(QString::fromLatin1(name));
        p->setFrameStyle(QFrame::Box | QFrame::Plain);
        p->setLineWidth(2);
        p->setAlignment(Qt::AlignCenter);
        p->setAutoFillBackground(true);
        p->setGeometry(g);
        p->hide();
        return p;
    };
    Panel2 = notice("Panel2", QRect(344, 352, 193, 38));
    Panel2->setText(MessageCatalogue::forLanguage(Language::Rus).msgNoErrors);
    Panel1 = notice("Panel1", QRect(344, 392, 155, 38));
    Panel1->setText(text("Panel1"));

    StatusBar1 = new StatusBar(central);
    StatusBar1->setGeometry(1, 479, 672, 20);
    StatusBar1->setPanelText(1, QString::fromUtf8("Всего строк: 1"));
    StatusBar1->setPanelText(2, QString::fromUtf8("Текущая строка: 1"));
    StatusBar1->setPanelText(3, QString::fromUtf8("Поле: 16 х 20"));
    StatusBar1->setPanelText(4, QString::fromUtf8("Робот: х=0, y=0"));
    StatusBar1->setPanelText(5, QString::fromUtf8("Линия [0]"));
    StatusBar1->setPanelText(6, QString::fromUtf8("Край [0]"));
    m_field->raiseSprite();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce) return;
    m_shownOnce = true;
    Loadinifile();
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveSettingsQuietly(nullptr);   // a failure is ignored: the window closes anyway
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

void MainWindow::ApplyLanguage()
{
    const Language lang = language();
    const bool known = lang != Language::Unknown;
    if (known) {
        const QString product = text("product");
        QApplication::setApplicationName(product);
        int count = 0;
        const MenuRow *rows = menuRows(&count);
        for (int i = 0; i < count; ++i) {
            const MenuRow &r = rows[i];
            const QString name = QString::fromLatin1(r.name);
            const QString caption = QString::fromUtf8(r.text[int(lang)]);
            if (r.kind == 'M' || r.kind == 'S') m_menus.value(name)->setTitle(caption);
            else if (r.kind == 'I') m_actions.value(name)->setText(caption);
        }
        doc->setLanguage(lang);
        for (const char *b : {"ToolButton1", "ToolButton3", "ToolButton2", "ToolButton5", "ToolButton10"})
            toolButton(QString::fromLatin1(b))->setToolTip(text(b));
        StatusBar1->setPanelText(1, doc->linesLabel());
        StatusBar1->setPanelText(2, doc->currentLineLabel());
        rewriteWorldPanels();
        Button1_step->setText(text("Button1_step"));
        Button2_jump->setText(text("Button2_jump"));
        Button3_r45->setText(text("Button3_r45"));
        Button4_r90->setText(text("Button4_r90"));
        Panel1->setText(text("Panel1"));
        manualcheckbox->setText(text("manualcheckbox"));
        N57->setText(text("N57"));
        N58->setText(text("N58"));
        N59->setText(text("N59"));
        N60->setText(text("N60"));
        popupClearField->setText(WorldTexts::clearFieldCaption(lang).value_or(QString()));
        popupSavePicture->setText(WorldTexts::savePictureCaption(lang).value_or(QString()));
    }
    // For every Language value: hints follow the menu captions, and the caption is rewritten.
    // ToolBar1's buttons keep hints of their own.
    for (auto it = m_buttonAction.cbegin(); it != m_buttonAction.cend(); ++it)
        if (m_buttons.value(it.key())->parentWidget() != ToolBar1)
            m_buttons.value(it.key())->setToolTip(it.value()->text());
    const QString product = uiText("product", known ? lang : Language::Rus).value();
    const QString caption = windowTitle();
    const qsizetype dash = caption.indexOf(QLatin1Char('-'));
    if (caption.size() >= 10 && dash >= 0) setWindowTitle(product + QLatin1Char(' ') + caption.mid(dash));
    else setWindowTitle(product);
    StatusBarUpdate();
}

void MainWindow::rewriteWorldPanels()
{
    const Language lang = language();
    if (lang == Language::Unknown) return;
    const RobotState &s = m_world.state();
    StatusBar1->setPanelText(3, *WorldTexts::fieldSizePanel(lang, m_settings.pole_x, m_settings.pole_y));
    StatusBar1->setPanelText(4, *WorldTexts::positionPanel(lang, s.x, s.y));
    StatusBar1->setPanelText(5, *WorldTexts::lineSensorPanel(lang, s.LineSensor));
    StatusBar1->setPanelText(6, *WorldTexts::borderSensorPanel(lang, s.BorderSensor));
}

// With a Language other than the three the panels keep their words: only the Russian
// design-time words are there to keep, so they are used.
void MainWindow::positionPanel(int x, int y)
{
    StatusBar1->setPanelText(4, *WorldTexts::positionPanel(textLanguage(), x, y));
}

void MainWindow::lineSensorChanged(int value)
{
    StatusBar1->setPanelText(5, *WorldTexts::lineSensorPanel(textLanguage(), value));
}

void MainWindow::borderSensorChanged(int value)
{
    StatusBar1->setPanelText(6, *WorldTexts::borderSensorPanel(textLanguage(), value));
}

void MainWindow::setAdvancedToolBarVisible(bool visible) { ToolBar2->setVisible(visible); }

void MainWindow::DrawField() { m_world.DrawField(); }

void MainWindow::mmHelpClick()
{
    // No compiled-HTML viewer on most systems: try the viewer, then the desktop's handler
    // for a help.chm in the current folder; otherwise nothing visible happens.
    if (QProcess::startDetached(QStringLiteral("hh.exe"), {QStringLiteral("help.chm")})) return;
    const QString chm = QDir::current().absoluteFilePath(QStringLiteral("help.chm"));
    if (QFileInfo::exists(chm)) QProcess::startDetached(QStringLiteral("xdg-open"), {chm});
}
