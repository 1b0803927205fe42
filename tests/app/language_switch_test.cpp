// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "common/ObjectNames.h"
#include "app/Commands.h"
#include "app/HelpWindow.h"
#include "app/AboutWindow.h"
#include "app/WindowDialogs.h"
#include "base/TextCatalogue.h"
#include "documents/widgets/PreferencesDialog.h"
#include "editor/CommandDialog.h"
#include "common/InterfaceLanguage.h"
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
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
    {ObjectName::FileMenu, false, {"Файл", "Fisier", "File"}, ""},
    {ObjectName::NewItem, true, {"Новый", "Nou", "New"}, "Ctrl+N"},
    {ObjectName::OpenItem, true, {"Открыть...", "Deschide...", "Open..."}, "Ctrl+O"},
    {ObjectName::SaveItem, true, {"Сохранить", "Salveaza", "Save"}, "Ctrl+S"},
    {ObjectName::SaveAsItem, true, {"Сохранить как...", "Salveaza ca...", "Save as..."}, ""},
    {ObjectName::SavePictureItem,
     true,
     {"Сохранить картинку...", "Salveaza imaginea ca...", "Save picture..."},
     ""},
    {ObjectName::PrintItem, true, {"Печать...", "Tipareste...", "Print..."}, "Ctrl+P"},
    {ObjectName::PrintPreviewItem,
     true,
     {"Предварительный просмотр...", "Previzualizare tiparire...", "Print preview..."},
     ""},
    {ObjectName::ExportWorksheetItem,
     true,
     {"Экспорт листа в PDF...", "Exporta fisa ca PDF...", "Export worksheet as PDF..."},
     ""},
    {ObjectName::HandInItem, true, {"Сдать работу…", "Preda lucrarea…", "Hand in…"}, ""},
    {ObjectName::ExitItem, true, {"Выход", "Iesire", "Exit"}, "Alt+X"},
    {ObjectName::EditMenu, false, {"Правка", "Editeaza", "Edit"}, ""},
    {ObjectName::UndoItem, true, {"Отменить", "Renunta", "Undo"}, "Ctrl+Z"},
    {ObjectName::RedoItem, true, {"Повторить", "Repeta", "Redo"}, "Ctrl+Y"},
    {ObjectName::CutItem, true, {"Вырезать", "Decupeaza", "Cut"}, "Ctrl+X"},
    {ObjectName::CopyItem, true, {"Копировать", "Copiaza", "Copy"}, "Ctrl+C"},
    {ObjectName::PasteItem, true, {"Вставить", "Lipeste", "Paste"}, "Ctrl+V"},
    {ObjectName::ClearAlgorithmItem,
     true,
     {"Очистить поле алгоритма", "Curata cimpul algotitmului", "Clear algorithm field"},
     ""},
    {ObjectName::ClearFieldItem,
     true,
     {"Очистить поле робота", "Curata cimpul executantului", "Clear robot\"s field"},
     ""},
    {ObjectName::RefreshItem,
     true,
     {"Обновить поле алгоритма", "Actualizeaza cimpul algoritmului", "Refresh algorithm field"},
     "Alt+Q"},
    {ObjectName::SelectAllItem, true, {"Выделить все", "Selecteaza tot", "Select all"}, "Ctrl+A"},
    {ObjectName::CommandsMenu, false, {"Команды", "Comenzi", "Commands"}, ""},
    {ObjectName::SystemCommandsMenu, false, {"Системные", "De sistem", "System"}, ""},
    {ObjectName::BeginEndItem,
     true,
     {"Начало и конец алгоритма", "Inceputul si sfirsitul algoritmului", "Algorithm begin and end"},
     ""},
    {ObjectName::SimpleCommandsMenu, false, {"Простые", "Simple", "Simple"}, ""},
    {ObjectName::StepItem, true, {"Шаг", "Pas", "Step"}, "Ctrl+F1"},
    {ObjectName::JumpItem, true, {"Прыжок", "Salt", "Jump"}, "Ctrl+F2"},
    {ObjectName::Rotate45Item, true, {"Поворот 45", "Rotire 45", "Rotate 45"}, "Ctrl+F3"},
    {ObjectName::Rotate90Item, true, {"Поворот 90", "Rotire 90", "Rotate 90"}, "Ctrl+F4"},
    {ObjectName::AdvancedCommandsMenu, false, {"Продвинутые", "Avansate", "Advanced"}, ""},
    {ObjectName::CreateProcedureItem,
     true,
     {"Создать процедуру...", "Creaza procedura...", "Create procedure..."},
     "Ctrl+F5"},
    {ObjectName::CallProcedureItem,
     true,
     {"Выполнить процедуру...", "Executa procedura...", "Execute procedure..."},
     "Ctrl+F6"},
    {ObjectName::CountedLoopItem,
     true,
     {"Цикл. Выполнить <N> раз...", "Ciclu. Executa <N> ori...", "Cycle. Execute <N> times..."},
     "Ctrl+F7"},
    {ObjectName::ConditionalLoopItem,
     true,
     {"Цикл. Выполнять пока <УСЛОВИЕ>...", "Ciclu. Executa pina cind <CONDITIE>...",
      "Cycle. Do while <CONDITION>..."},
     "Ctrl+F8"},
    {ObjectName::ConditionItem,
     true,
     {"Условие. Если <УСЛОВИЕ> тогда...", "Conditie. Daca <CONDITIE> atunci...",
      "Condition. If <CONDITION> then..."},
     "Ctrl+F9"},
    {ObjectName::SpecialCommandsMenu, false, {"Особые", "Speciale", "Special"}, ""},
    {ObjectName::ColourItem, true, {"Цвет...", "Culoare...", "Color..."}, "Ctrl+F10"},
    {ObjectName::DestroyItem, true, {"Уничтожить", "Anuleaza", "Destroy"}, "Ctrl+F11"},
    {ObjectName::RebuildItem, true, {"Восстановить", "Restituie", "Rebuild"}, "Ctrl+F12"},
    {ObjectName::ProgramMenu, false, {"Программа", "Program", "Programm"}, ""},
    {ObjectName::RunItem, true, {"Выполнить", "Executa", "Execute"}, "F9"},
    {ObjectName::PauseItem, true, {"Пауза", "Pauza", "Pause"}, ""},
    {ObjectName::StopItem, true, {"Остановить", "Opreste", "Stop"}, "Esc"},
    {ObjectName::StepBackItem, true, {"Шаг назад", "Pas inapoi", "Step back"}, "Shift+F8"},
    {ObjectName::StepForwardItem, true, {"Шаг вперёд", "Pas inainte", "Step forward"}, "Ctrl+Shift+F8"},
    {ObjectName::MarkLineSegmentsItem,
     true,
     {"Отмечать отрезки строки курсора", "Marcheaza segmentele rindului cursorului",
      "Mark the segments of the caret's line"},
     ""},
    {ObjectName::CheckItem, true, {"Орфография...", "Ortografie...", "Orfo..."}, "F5"},
    {ObjectName::ManualModeItem, true, {"Ручной режим", "Regimul manual", "Manual mode"}, ""},
    {ObjectName::PreferencesItem, true, {"Настройки...", "Preferinte...", "Preferences..."}, ""},
    {ObjectName::TranslateProgramItem,
     true,
     {"Перевести алгоритм на язык интерфейса", "Tradu algoritmul in limba interfetei",
      "Translate algorithm to interface language"},
     ""},
    {ObjectName::HelpMenu, false, {"Помощь", "Asistenta", "Help"}, ""},
    {ObjectName::HelpItem, true, {"Справка", "Informatii", "Index"}, "F1"},
    {ObjectName::AboutItem, true, {"О программе...", "Despre program...", "About..."}, ""},
};

}   // namespace

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
                EXPECT_EQ(plainCaption(window->findChild<QAction *>(name)->text()), expected);
                EXPECT_EQ(window->findChild<QAction *>(name)->shortcut(),
                          QKeySequence(QString::fromLatin1(r.shortcut)))
                    << r.name;
            } else {
                ASSERT_NE(window->findChild<QMenu *>(name), nullptr) << r.name;
                EXPECT_EQ(plainCaption(window->findChild<QMenu *>(name)->title()), expected);
            }
        }
    }
}

TEST_F(MainWindowTest, EnglishCaptionsKeepTheirOwnSpelling)
{
    open({}, "[int]\nlanguage=eng\n");
    EXPECT_EQ(plainCaption(window->menu(MenuId::Program)->title()), QStringLiteral("Programm"));
    EXPECT_EQ(plainCaption(window->action(Command::Help)->text()), QStringLiteral("Index"));
    EXPECT_EQ(plainCaption(window->action(Command::ClearField)->text()),
              QStringLiteral("Clear robot\"s field"));
    EXPECT_EQ(control<QPushButton>(ObjectName::Rotate90Button)->text(), QStringLiteral("   Rotate 90   "));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trakmil"));
    EXPECT_EQ(window->toolButton(Command::Check)->toolTip(), QStringLiteral("Orfo"));
    EXPECT_EQ(window->toolButton(Command::Save)->toolTip(), QStringLiteral("Save"));
    EXPECT_EQ(panel(StatusPanel::Lines), QStringLiteral("Lines total:"));
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
    EXPECT_EQ(plainCaption(window->action(Command::New)->text()), QStringLiteral("Nou"));
    EXPECT_EQ(window->toolButton(Command::Save)->toolTip(), QStringLiteral("custom"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Тракмил"));
}

namespace {
// A dialog the main window knows nothing of: it only re-reads its own text.
class OwnCaptionDialog : public QDialog {
public:
    using QDialog::QDialog;
    std::optional<Language> seen;
    int changes = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        QDialog::changeEvent(event);
        if (event->type() != QEvent::LanguageChange) return;
        ++changes;
        seen = InterfaceLanguage::of(this);
    }
};
}   // namespace

TEST_F(MainWindowTest, EveryOwnedWindowRetranslatesItselfAndAWindowOnItsOwnKeepsItsLanguage)
{
    open();
    window->show();
    window->action(Command::Help)->trigger();
    auto *help = window->findChild<HelpWindow *>();
    ASSERT_NE(help, nullptr);
    auto *dialog = new OwnCaptionDialog(window.get());
    HelpWindow alone;
    alone.setLanguage(Language::Rom);
    for (Language lang : {Language::Eng, Language::Rom, Language::Unknown}) {
        window->settings().language = lang == Language::Unknown ? QStringLiteral("xyz") : languageCode(lang);
        dialog->changes = 0;
        window->applyLanguage();
        EXPECT_EQ(dialog->changes, 1);
        EXPECT_EQ(dialog->seen, lang);
        // A code no Language has reads as Russian, as the window's own texts do.
        EXPECT_EQ(help->language(), lang == Language::Unknown ? Language::Rus : lang);
    }
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&alone, &change);
    EXPECT_EQ(alone.language(), Language::Rom);
    EXPECT_FALSE(InterfaceLanguage::of(&alone).has_value());
}

// Nothing is made with the window; a dialog made later shows the Language of that moment, as
// one made at start-up would after the switches since, and takes the later switches.
TEST_F(MainWindowTest, DialogsMadeOnFirstUseShowTheLanguageOfThatMoment)
{
    open();
    EXPECT_TRUE(window->findChildren<QDialog *>().isEmpty());
    window->settings().language = languageCode(Language::Eng);
    window->applyLanguage();
    PreferencesDialog &preferences = window->dialogs().preferences();
    EXPECT_EQ(window->findChild<PreferencesDialog *>(), &preferences);
    EXPECT_EQ(preferences.windowTitle(), uiText("preferences.window", Language::Eng).value());
    CommandDialog *loop = window->dialogs().forCommand(Command::CountedLoop);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->windowTitle(), uiText("dialogs.loop.title", Language::Eng).value());
    EXPECT_EQ(window->findChild<AboutWindow *>(), nullptr) << "only the dialogs asked for are made";

    window->settings().language = languageCode(Language::Rom);
    window->applyLanguage();
    EXPECT_EQ(preferences.windowTitle(), uiText("preferences.window", Language::Rom).value());
    EXPECT_EQ(window->findChildren<QDialog *>().size(), 2);
}

TEST_F(MainWindowTest, LanguageSwitchKeepsTheFileInTheCaptionAndRewordsTheState)
{
    QFile f(path("square.tkm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xcd\xc0\xd7\xc0\xcb\xce \xc0\xcb\xc3\xce\xd0\xc8\xd2\xcc\xc0\r\n");
    f.close();
    open(path("square.tkm"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Тракмил - ") + path("square.tkm"));
    EXPECT_EQ(panel(StatusPanel::Document), QString::fromUtf8("Загружен"));
    window->settings().language = QStringLiteral("rom");
    window->applyLanguage();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trakmil - ") + path("square.tkm"));
    EXPECT_EQ(panel(StatusPanel::Document), QStringLiteral("Incarcat"));
    EXPECT_EQ(panel(StatusPanel::FieldSize), QStringLiteral("Cimp: 16 x 20"));
    EXPECT_EQ(panel(StatusPanel::LineSensor), QStringLiteral("Linie [0]"));
    EXPECT_EQ(control<QCheckBox>(ObjectName::RecordingCheckBox)->text(), QStringLiteral("salveaza algoritm"));
}

TEST_F(MainWindowTest, StartUpAppliesSettingsAndResetsTheWorld)
{
    open({}, "[int]\nlanguage=eng\nx_speed=5\npole_x=10\npole_y=5\nshowadv=0\n");
    EXPECT_EQ(window->settings().fieldWidth, 10);
    EXPECT_EQ(panel(StatusPanel::Document), QStringLiteral("Empty"));
    EXPECT_EQ(panel(StatusPanel::FieldSize), QStringLiteral("Field: 10 x 5"));
    EXPECT_EQ(panel(StatusPanel::Position), QStringLiteral("Robot: x=0, y=0"));
    EXPECT_EQ(panel(StatusPanel::BorderSensor), QStringLiteral("Border [0]"));
    EXPECT_FALSE(window->toolBar(ToolBarId::Commands)->isVisibleTo(window.get()));
    EXPECT_FALSE(window->runController().isRunning());
    EXPECT_FALSE(window->action(Command::ManualMode)->isChecked());
    EXPECT_FALSE(enabled(ObjectName::PauseItem));
    EXPECT_FALSE(enabled(ObjectName::RedoButton));
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

TEST_F(MainWindowTest, ToolkitOwnButtonsAndDialogsFollowTheInterfaceLanguage)
{
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(translations + QStringLiteral("/qtbase_ru.qm")))
        GTEST_SKIP() << "Qt's Russian translation is not installed";
    open();
    auto yesText = [] {
        QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No);
        return box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&'));
    };
    auto saveAsTitle = [] { return QFileDialog::tr("Save As"); };
    for (const char *code : {"rus", "eng", "rom", "rus", "xyz"}) {
        SCOPED_TRACE(code);
        window->settings().language = QString::fromLatin1(code);
        window->applyLanguage();
        const QString lang = QString::fromLatin1(code);
        if (lang == QLatin1String("rus") || lang == QLatin1String("xyz")) {
            // Any other code leaves the interface, and so Qt's part of it, as it was.
            EXPECT_EQ(yesText(), QStringLiteral("Да"));
            EXPECT_NE(saveAsTitle(), QStringLiteral("Save As"));
        } else if (lang == QLatin1String("eng")) {
            EXPECT_EQ(yesText(), QStringLiteral("Yes"));
            EXPECT_EQ(saveAsTitle(), QStringLiteral("Save As"));
        } else {
            // Romanian from Qt where it has it, otherwise the program's own; never the Russian left over.
            EXPECT_NE(yesText(), QStringLiteral("Да"));
            if (!QFileInfo::exists(translations + QStringLiteral("/qtbase_ro.qm"))) {
                EXPECT_EQ(yesText(), QStringLiteral("Da"));
            }
        }
    }
}
