#include "app/UiTexts.h"
#include <iterator>

namespace {

const MenuRow kMenu[] = {
    {"N1", 'M', {"Файл", "Fisier", "File"}, ""},
    {"mmNew", 'I', {"Новый", "Nou", "New"}, "Ctrl+N"},
    {"mmOpen", 'I', {"Открыть...", "Deschide...", "Open..."}, "Ctrl+O"},
    {"-", '-', {"", "", ""}, ""},
    {"mmSave", 'I', {"Сохранить", "Salveaza", "Save"}, "Ctrl+S"},
    {"mmSaveAs", 'I', {"Сохранить как...", "Salveaza ca...", "Save as..."}, ""},
    {"N2", 'I', {"Сохранить картинку...", "Salveaza imaginea ca...", "Save picture..."}, ""},
    {"-", '-', {"", "", ""}, ""},
    {"mmExit", 'I', {"Выход", "Iesire", "Exit"}, "Alt+X"},
    {"N9", 'M', {"Правка", "Editeaza", "Edit"}, ""},
    {"mmUndo", 'I', {"Отменить", "Renunta", "Undo"}, "Ctrl+Z"},
    {"mmRedo", 'I', {"Повторить", "Repeta", "Redo"}, "Ctrl+Y"},
    {"-", '-', {"", "", ""}, ""},
    {"mmCut", 'I', {"Вырезать", "Decupeaza", "Cut"}, "Ctrl+X"},
    {"mmCopy", 'I', {"Копировать", "Copiaza", "Copy"}, "Ctrl+C"},
    {"mmPaste", 'I', {"Вставить", "Lipeste", "Paste"}, "Ctrl+V"},
    {"-", '-', {"", "", ""}, ""},
    {"mmClearAlg", 'I', {"Очистить поле алгоритма", "Curata cimpul algotitmului", "Clear algorithm field"}, ""},
    {"mmClearRobField", 'I', {"Очистить поле робота", "Curata cimpul executantului", "Clear robot\"s field"}, ""},
    {"mmRefresh", 'I', {"Обновить поле алгоритма", "Actualizeaza cimpul algoritmului", "Refresh algorithm field"}, "Alt+Q"},
    {"-", '-', {"", "", ""}, ""},
    {"mmSelAll", 'I', {"Выделить все", "Selecteaza tot", "Select all"}, "Ctrl+A"},
    {"N10", 'M', {"Команды", "Comenzi", "Commands"}, ""},
    {"N54", 'S', {"Системные", "De sistem", "System"}, ""},
    {"mmCOMbegend", 'I', {"Начало и конец алгоритма", "Inceputul si sfirsitul algoritmului", "Algorithm begin and end"}, ""},
    {"N15", 'S', {"Простые", "Simple", "Simple"}, ""},
    {"mmCOMstep", 'I', {"Шаг", "Pas", "Step"}, "Ctrl+F1"},
    {"mmCOMjump", 'I', {"Прыжок", "Salt", "Jump"}, "Ctrl+F2"},
    {"mmCOMrot45", 'I', {"Поворот 45", "Rotire 45", "Rotate 45"}, "Ctrl+F3"},
    {"mmCOMrot90", 'I', {"Поворот 90", "Rotire 90", "Rotate 90"}, "Ctrl+F4"},
    {"N16", 'S', {"Продвинутые", "Avansate", "Advanced"}, ""},
    {"mmCOMproccreate", 'I', {"Создать процедуру...", "Creaza procedura...", "Create procedure..."}, "Ctrl+F5"},
    {"mmCOMprocexec", 'I', {"Выполнить процедуру...", "Executa procedura...", "Execute procedure..."}, "Ctrl+F6"},
    {"mmCOMcyclun", 'I', {"Цикл. Выполнить <N> раз...", "Ciclu. Executa <N> ori...", "Cycle. Execute <N> times..."}, "Ctrl+F7"},
    {"mmCOMcicluIF", 'I', {"Цикл. Выполнять пока <УСЛОВИЕ>...", "Ciclu. Executa pina cind <CONDITIE>...", "Cycle. Do while <CONDITION>..."}, "Ctrl+F8"},
    {"mmCOMcycluif2", 'I', {"Условие. Если <УСЛОВИЕ> тогда...", "Conditie. Daca <CONDITIE> atunci...", "Condition. If <CONDITION> then..."}, "Ctrl+F9"},
    {"N22", 'S', {"Особые", "Speciale", "Special"}, ""},
    {"mmCOMcolor", 'I', {"Цвет...", "Culoare...", "Color..."}, "Ctrl+F10"},
    {"mmCOMdestroy", 'I', {"Уничтожить", "Anuleaza", "Destroy"}, "Ctrl+F11"},
    {"mmCOMrebuild", 'I', {"Восстановить", "Restituie", "Rebuild"}, "Ctrl+F12"},
    {"N3", 'M', {"Программа", "Program", "Programm"}, ""},
    {"mmExecute", 'I', {"Выполнить", "Executa", "Execute"}, "F9"},
    {"mmPause", 'I', {"Пауза", "Pauza", "Pause"}, ""},
    {"mmStop", 'I', {"Остановить", "Opreste", "Stop"}, "Esc"},
    {"-", '-', {"", "", ""}, ""},
    {"mmOrfo", 'I', {"Орфография...", "Ortografie...", "Orfo..."}, "F5"},
    {"mmManualRegim", 'I', {"Ручной режим", "Regimul manual", "Manual mode"}, ""},
    {"-", '-', {"", "", ""}, ""},
    {"mmPref", 'I', {"Настройки...", "Preferinte...", "Preferences..."}, ""},
    {"-", '-', {"", "", ""}, ""},
    {"mmTranslate", 'I', {"Перевести алгоритм на язык интерфейса", "Tradu algoritmul in limba interfetei", "Translate algorithm to interface language"}, ""},
    {"N6", 'M', {"Помощь", "Asistenta", "Help"}, ""},
    {"mmHelp", 'I', {"Справка", "Informatii", "Index"}, "F1"},
    {"mmAbout", 'I', {"О программе...", "Despre program...", "About..."}, ""},
};

const TextRow kTexts[] = {
    {"product", {"Тракмил", "Trakmil", "Trakmil"}},
    // ToolBar1's own hints
    {"ToolButton1", {"Выполнить", "Executa", "Execute"}},
    {"ToolButton3", {"Пауза", "Pauza", "Pause"}},
    {"ToolButton2", {"Остановить", "Opreste", "Stop"}},
    {"ToolButton5", {"Орфография", "Ortografie", "Orfo"}},
    {"ToolButton10", {"Ручной режим", "Regim manual", "Manual mode"}},
    {"openTitle", {"Открыть файл...", "Deschide fisier...", "Open file..."}},
    // manual buttons, notices, recording switch
    {"Button1_step", {"Шаг", "Pas", "Step"}},
    {"Button2_jump", {"Прыжок", "Salt", "Jump"}},
    {"Button3_r45", {"Поворот 45", "Rotire 45", "Rotate 45"}},
    {"Button4_r90", {" Поворот 90  ", "  Rotire 90    ", "   Rotate 90   "}},
    {"Panel1", {"Выполнение завершено!", "Executia finisata!", "Execution complete!"}},
    {"manualcheckbox", {"записывать алгоритм", "salveaza algoritm", "write program algorithm"}},
    // editor context menu
    {"N57", {"Очистить", "Curata", "Clear code"}},
    {"N58", {"Вырезать", "Decupeaza", "Cut selection"}},
    {"N59", {"Копировать", "Copiaza", "Copy selection"}},
    {"N60", {"Вставить", "Lipseste", "Paste"}},
    // document state words
    {"stateEmpty", {"Пустой", "Vid", "Empty"}},
    {"stateLoaded", {"Загружен", "Incarcat", "Loaded"}},
    {"stateChanged", {"Изменен", "Modificat", "Changed"}},
    {"stateSaved", {"Сохранен", "Salvat", "Saved"}},
    {"unsavedQuestion", {"Файл не сохранен! Продолжить?", "Fisierul nu este salvat! Continuam?",
                         "File not saved! Continue anyway?"}},
};

} // namespace

const MenuRow *menuRows(int *count)
{
    *count = int(std::size(kMenu));
    return kMenu;
}

std::optional<QString> uiText(const char *key, Language lang) { return lookupText(kTexts, key, lang); }
