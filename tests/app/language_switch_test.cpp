#include "MainWindowFixture.h"
#include "app/Commands.h"
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>

namespace {

struct ExpectedMenuRow {
    const char *name;
    bool isItem;   // an item, or a menu / submenu
    const char *caption[3];   // rus, rom, eng
    const char *shortcut;
};

// Written out here, not taken from the window's own table, so a wrong caption there shows.
const ExpectedMenuRow kExpectedMenu[] = {
    {"N1", false, {"Файл", "Fisier", "File"}, ""},
    {"mmNew", true, {"Новый", "Nou", "New"}, "Ctrl+N"},
    {"mmOpen", true, {"Открыть...", "Deschide...", "Open..."}, "Ctrl+O"},
    {"mmSave", true, {"Сохранить", "Salveaza", "Save"}, "Ctrl+S"},
    {"mmSaveAs", true, {"Сохранить как...", "Salveaza ca...", "Save as..."}, ""},
    {"N2", true, {"Сохранить картинку...", "Salveaza imaginea ca...", "Save picture..."}, ""},
    {"mmExit", true, {"Выход", "Iesire", "Exit"}, "Alt+X"},
    {"N9", false, {"Правка", "Editeaza", "Edit"}, ""},
    {"mmUndo", true, {"Отменить", "Renunta", "Undo"}, "Ctrl+Z"},
    {"mmRedo", true, {"Повторить", "Repeta", "Redo"}, "Ctrl+Y"},
    {"mmCut", true, {"Вырезать", "Decupeaza", "Cut"}, "Ctrl+X"},
    {"mmCopy", true, {"Копировать", "Copiaza", "Copy"}, "Ctrl+C"},
    {"mmPaste", true, {"Вставить", "Lipeste", "Paste"}, "Ctrl+V"},
    {"mmClearAlg", true, {"Очистить поле алгоритма", "Curata cimpul algotitmului", "Clear algorithm field"}, ""},
    {"mmClearRobField", true, {"Очистить поле робота", "Curata cimpul executantului", "Clear robot\"s field"}, ""},
    {"mmRefresh", true, {"Обновить поле алгоритма", "Actualizeaza cimpul algoritmului", "Refresh algorithm field"}, "Alt+Q"},
    {"mmSelAll", true, {"Выделить все", "Selecteaza tot", "Select all"}, "Ctrl+A"},
    {"N10", false, {"Команды", "Comenzi", "Commands"}, ""},
    {"N54", false, {"Системные", "De sistem", "System"}, ""},
    {"mmCOMbegend", true, {"Начало и конец алгоритма", "Inceputul si sfirsitul algoritmului", "Algorithm begin and end"}, ""},
    {"N15", false, {"Простые", "Simple", "Simple"}, ""},
    {"mmCOMstep", true, {"Шаг", "Pas", "Step"}, "Ctrl+F1"},
    {"mmCOMjump", true, {"Прыжок", "Salt", "Jump"}, "Ctrl+F2"},
    {"mmCOMrot45", true, {"Поворот 45", "Rotire 45", "Rotate 45"}, "Ctrl+F3"},
    {"mmCOMrot90", true, {"Поворот 90", "Rotire 90", "Rotate 90"}, "Ctrl+F4"},
    {"N16", false, {"Продвинутые", "Avansate", "Advanced"}, ""},
    {"mmCOMproccreate", true, {"Создать процедуру...", "Creaza procedura...", "Create procedure..."}, "Ctrl+F5"},
    {"mmCOMprocexec", true, {"Выполнить процедуру...", "Executa procedura...", "Execute procedure..."}, "Ctrl+F6"},
    {"mmCOMcyclun", true, {"Цикл. Выполнить <N> раз...", "Ciclu. Executa <N> ori...", "Cycle. Execute <N> times..."}, "Ctrl+F7"},
    {"mmCOMcicluIF", true, {"Цикл. Выполнять пока <УСЛОВИЕ>...", "Ciclu. Executa pina cind <CONDITIE>...", "Cycle. Do while <CONDITION>..."}, "Ctrl+F8"},
    {"mmCOMcycluif2", true, {"Условие. Если <УСЛОВИЕ> тогда...", "Conditie. Daca <CONDITIE> atunci...", "Condition. If <CONDITION> then..."}, "Ctrl+F9"},
    {"N22", false, {"Особые", "Speciale", "Special"}, ""},
    {"mmCOMcolor", true, {"Цвет...", "Culoare...", "Color..."}, "Ctrl+F10"},
    {"mmCOMdestroy", true, {"Уничтожить", "Anuleaza", "Destroy"}, "Ctrl+F11"},
    {"mmCOMrebuild", true, {"Восстановить", "Restituie", "Rebuild"}, "Ctrl+F12"},
    {"N3", false, {"Программа", "Program", "Programm"}, ""},
    {"mmExecute", true, {"Выполнить", "Executa", "Execute"}, "F9"},
    {"mmPause", true, {"Пауза", "Pauza", "Pause"}, ""},
    {"mmStop", true, {"Остановить", "Opreste", "Stop"}, "Esc"},
    {"mmOrfo", true, {"Орфография...", "Ortografie...", "Orfo..."}, "F5"},
    {"mmManualRegim", true, {"Ручной режим", "Regimul manual", "Manual mode"}, ""},
    {"mmPref", true, {"Настройки...", "Preferinte...", "Preferences..."}, ""},
    {"mmTranslate", true, {"Перевести алгоритм на язык интерфейса", "Tradu algoritmul in limba interfetei", "Translate algorithm to interface language"}, ""},
    {"N6", false, {"Помощь", "Asistenta", "Help"}, ""},
    {"mmHelp", true, {"Справка", "Informatii", "Index"}, "F1"},
    {"mmAbout", true, {"О программе...", "Despre program...", "About..."}, ""},
};

} // namespace

TEST_F(MainWindowTest, EveryMenuItemHasItsCaptionAndShortcutInEachLanguage)
{
    open();
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng, Language::Rus}) {
        window->settings().language = languageCode(lang);
        window->applyLanguage();
        for (const ExpectedMenuRow &r : kExpectedMenu) {
            const QString name = QString::fromLatin1(r.name);
            const QString expected = QString::fromUtf8(r.caption[int(lang)]);
            if (r.isItem) {
                ASSERT_NE(window->findChild<QAction *>(name), nullptr) << r.name;
                EXPECT_EQ(window->findChild<QAction *>(name)->text(), expected);
                EXPECT_EQ(window->findChild<QAction *>(name)->shortcut(), QKeySequence(QString::fromLatin1(r.shortcut))) << r.name;
            } else {
                ASSERT_NE(window->findChild<QMenu *>(name), nullptr) << r.name;
                EXPECT_EQ(window->findChild<QMenu *>(name)->title(), expected);
            }
        }
    }
}

TEST_F(MainWindowTest, EnglishCaptionsKeepTheirOwnSpelling)
{
    open({}, "[int]\nlanguage=eng\n");
    EXPECT_EQ(window->menu(MenuId::Program)->title(), QStringLiteral("Programm"));
    EXPECT_EQ(window->action(Command::Help)->text(), QStringLiteral("Index"));
    EXPECT_EQ(window->action(Command::ClearField)->text(), QStringLiteral("Clear robot\"s field"));
    EXPECT_EQ(window->manualButton(3)->text(), QStringLiteral("   Rotate 90   "));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trakmil"));
    EXPECT_EQ(window->toolButton(Command::Check)->toolTip(), QStringLiteral("Orfo"));
    EXPECT_EQ(window->toolButton(Command::Save)->toolTip(), QStringLiteral("Save"));
    EXPECT_EQ(panel(1), QStringLiteral("Lines total:"));
}

TEST_F(MainWindowTest, UnknownLanguageKeepsCaptionsButCopiesHintsAndRewritesTheCaption)
{
    open();
    window->settings().language = QStringLiteral("rom");
    window->applyLanguage();
    window->action(Command::Save)->setText(QStringLiteral("custom"));
    window->setWindowTitle(QStringLiteral("x"));
    window->settings().language = QStringLiteral("xyz");
    window->applyLanguage();
    EXPECT_EQ(window->action(Command::New)->text(), QStringLiteral("Nou"));
    EXPECT_EQ(window->toolButton(Command::Save)->toolTip(), QStringLiteral("custom"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Тракмил"));
}

TEST_F(MainWindowTest, LanguageSwitchKeepsTheFileInTheCaptionAndRewordsTheState)
{
    QFile f(path("square.tkm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xcd\xc0\xd7\xc0\xcb\xce \xc0\xcb\xc3\xce\xd0\xc8\xd2\xcc\xc0\r\n");
    f.close();
    open(path("square.tkm"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Тракмил - ") + path("square.tkm"));
    EXPECT_EQ(panel(0), QString::fromUtf8("Загружен"));
    window->settings().language = QStringLiteral("rom");
    window->applyLanguage();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trakmil - ") + path("square.tkm"));
    EXPECT_EQ(panel(0), QStringLiteral("Incarcat"));
    EXPECT_EQ(panel(3), QStringLiteral("Cimp: 16 x 20"));
    EXPECT_EQ(panel(5), QStringLiteral("Linie [0]"));
    EXPECT_EQ(window->recordingBox()->text(), QStringLiteral("salveaza algoritm"));
}

TEST_F(MainWindowTest, StartUpAppliesSettingsAndResetsTheWorld)
{
    open({}, "[int]\nlanguage=eng\nx_speed=5\npole_x=10\npole_y=5\nshowadv=0\n");
    EXPECT_EQ(window->settings().fieldWidth, 10);
    EXPECT_EQ(panel(0), QStringLiteral("Empty"));
    EXPECT_EQ(panel(3), QStringLiteral("Field: 10 x 5"));
    EXPECT_EQ(panel(4), QStringLiteral("Robot: x=0, y=0"));
    EXPECT_EQ(panel(6), QStringLiteral("Border [0]"));
    EXPECT_FALSE(window->toolBar(ToolBarId::Commands)->isVisibleTo(window.get()));
    EXPECT_FALSE(window->runController().isRunning());
    EXPECT_FALSE(window->manualMode());
    EXPECT_FALSE(enabled("mmPause"));
    EXPECT_FALSE(enabled("ToolButton24"));
}

TEST_F(MainWindowTest, ClosingSavesTheSettingsWithoutAQuestion)
{
    open();
    window->settings().fieldWidth = 7;
    window->close();
    EXPECT_TRUE(prompts.questions.isEmpty());
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("pole_x=7"));
}
