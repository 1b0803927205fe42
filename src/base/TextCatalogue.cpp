// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextCatalogue.h"
#include "base/TextTable.h"

#include <QHash>

namespace {

// One row per line keeps the table readable; the formatter would pack short rows together.
// clang-format off
const TextRow kCatalogue[] = {
    // Menus and their items, by object name
    {"menu.file", {"Файл", "Fisier", "File"}},
    {"menu.new", {"Новый", "Nou", "New"}},
    {"menu.open", {"Открыть...", "Deschide...", "Open..."}},
    {"menu.save", {"Сохранить", "Salveaza", "Save"}},
    {"menu.saveAs", {"Сохранить как...", "Salveaza ca...", "Save as..."}},
    {"menu.savePicture", {"Сохранить картинку...", "Salveaza imaginea ca...", "Save picture..."}},
    {"menu.exit", {"Выход", "Iesire", "Exit"}},
    {"menu.edit", {"Правка", "Editeaza", "Edit"}},
    {"menu.undo", {"Отменить", "Renunta", "Undo"}},
    {"menu.redo", {"Повторить", "Repeta", "Redo"}},
    {"menu.cut", {"Вырезать", "Decupeaza", "Cut"}},
    {"menu.copy", {"Копировать", "Copiaza", "Copy"}},
    {"menu.paste", {"Вставить", "Lipeste", "Paste"}},
    {"menu.clearAlgorithm", {"Очистить поле алгоритма", "Curata cimpul algotitmului", "Clear algorithm field"}},
    {"menu.clearField", {"Очистить поле робота", "Curata cimpul executantului", "Clear robot\"s field"}},
    {"menu.refresh",
     {"Обновить поле алгоритма", "Actualizeaza cimpul algoritmului", "Refresh algorithm field"}},
    {"menu.selectAll", {"Выделить все", "Selecteaza tot", "Select all"}},
    {"menu.commands", {"Команды", "Comenzi", "Commands"}},
    {"menu.commands.system", {"Системные", "De sistem", "System"}},
    {"menu.beginEnd",
     {"Начало и конец алгоритма", "Inceputul si sfirsitul algoritmului", "Algorithm begin and end"}},
    {"menu.commands.simple", {"Простые", "Simple", "Simple"}},
    {"menu.step", {"Шаг", "Pas", "Step"}},
    {"menu.jump", {"Прыжок", "Salt", "Jump"}},
    {"menu.rotate45", {"Поворот 45", "Rotire 45", "Rotate 45"}},
    {"menu.rotate90", {"Поворот 90", "Rotire 90", "Rotate 90"}},
    {"menu.commands.advanced", {"Продвинутые", "Avansate", "Advanced"}},
    {"menu.createProcedure", {"Создать процедуру...", "Creaza procedura...", "Create procedure..."}},
    {"menu.callProcedure", {"Выполнить процедуру...", "Executa procedura...", "Execute procedure..."}},
    {"menu.countedLoop",
     {"Цикл. Выполнить <N> раз...", "Ciclu. Executa <N> ori...", "Cycle. Execute <N> times..."}},
    {"menu.conditionalLoop",
     {"Цикл. Выполнять пока <УСЛОВИЕ>...", "Ciclu. Executa pina cind <CONDITIE>...",
      "Cycle. Do while <CONDITION>..."}},
    {"menu.condition",
     {"Условие. Если <УСЛОВИЕ> тогда...", "Conditie. Daca <CONDITIE> atunci...",
      "Condition. If <CONDITION> then..."}},
    {"menu.commands.special", {"Особые", "Speciale", "Special"}},
    {"menu.colour", {"Цвет...", "Culoare...", "Color..."}},
    {"menu.destroy", {"Уничтожить", "Anuleaza", "Destroy"}},
    {"menu.rebuild", {"Восстановить", "Restituie", "Rebuild"}},
    {"menu.program", {"Программа", "Program", "Programm"}},
    {"menu.run", {"Выполнить", "Executa", "Execute"}},
    {"menu.pause", {"Пауза", "Pauza", "Pause"}},
    {"menu.stop", {"Остановить", "Opreste", "Stop"}},
    {"menu.checkSpelling", {"Орфография...", "Ortografie...", "Orfo..."}},
    {"menu.manualMode", {"Ручной режим", "Regimul manual", "Manual mode"}},
    {"menu.preferences", {"Настройки...", "Preferinte...", "Preferences..."}},
    {"menu.translateProgram",
     {"Перевести алгоритм на язык интерфейса", "Tradu algoritmul in limba interfetei",
      "Translate algorithm to interface language"}},
    {"menu.help", {"Помощь", "Asistenta", "Help"}},
    {"menu.helpIndex", {"Справка", "Informatii", "Index"}},
    {"menu.about", {"О программе...", "Despre program...", "About..."}},
    // The main window: tool-button hints, manual buttons, notices, editor menu, document state
    {"window.product", {"Тракмил", "Trakmil", "Trakmil"}},
    {"window.translateLeftAsWritten",
     {"Эти строки не удалось перевести, они оставлены как были: %1",
      "Aceste rinduri nu au putut fi traduse si au ramas cum erau: %1",
      "These lines could not be translated and were left as written: %1"}},
    {"toolbar.run.hint", {"Выполнить", "Executa", "Execute"}},
    {"toolbar.pause.hint", {"Пауза", "Pauza", "Pause"}},
    {"toolbar.stop.hint", {"Остановить", "Opreste", "Stop"}},
    {"toolbar.checkSpelling.hint", {"Орфография", "Ortografie", "Orfo"}},
    {"toolbar.manualMode.hint", {"Ручной режим", "Regim manual", "Manual mode"}},
    {"window.openTitle", {"Открыть файл...", "Deschide fisier...", "Open file..."}},
    {"window.manual.step", {"Шаг", "Pas", "Step"}},
    {"window.manual.jump", {"Прыжок", "Salt", "Jump"}},
    {"window.manual.rotate45", {"Поворот 45", "Rotire 45", "Rotate 45"}},
    {"window.manual.rotate90", {" Поворот 90  ", "  Rotire 90    ", "   Rotate 90   "}},
    {"window.runFinished", {"Выполнение завершено!", "Executia finisata!", "Execution complete!"}},
    {"window.manual.record", {"записывать алгоритм", "salveaza algoritm", "write program algorithm"}},
    {"window.editorMenu.clear", {"Очистить", "Curata", "Clear code"}},
    {"window.editorMenu.cut", {"Вырезать", "Decupeaza", "Cut selection"}},
    {"window.editorMenu.copy", {"Копировать", "Copiaza", "Copy selection"}},
    {"window.editorMenu.paste", {"Вставить", "Lipseste", "Paste"}},
    {"window.stateEmpty", {"Пустой", "Vid", "Empty"}},
    {"window.stateLoaded", {"Загружен", "Incarcat", "Loaded"}},
    {"window.stateChanged", {"Изменен", "Modificat", "Changed"}},
    {"window.stateSaved", {"Сохранен", "Salvat", "Saved"}},
    {"window.unsavedQuestion",
     {"Файл не сохранен! Продолжить?", "Fisierul nu este salvat! Continuam?",
      "File not saved! Continue anyway?"}},
    // The algorithm editor
    {"editor.linesTotal", {"Всего строк:", "Total linii:", "Lines total:"}},
    {"editor.currentLine", {"Текущая строка:", "Linia curenta:", "Current line:"}},
    {"editor.clearQuestion",
     {"Действительно очистить алгоритм?", "Chiar vrei sa curati campul algoritmului?",
      "Do you realy want to clear algorithm?"}},
    // The colour dialog
    {"colour.caption", {"Цвет", "Culoare", "Color"}},
    {"colour.choose", {"выбор цвета:", "Alegerea culorii:", "Color selector:"}},
    {"colour.increase", {"увеличение цвета (+1)", "Mareste culoarea (+1)", "color increase (+1)"}},
    {"colour.decrease", {"уменьшение цвета (-1)", "Scade culoarea (-1)", "color decrease (-1)"}},
    {"colour.ok", {"ОК", "ОК", "ОК"}},
    {"colour.cancel", {"Отмена", "Renunta", "Cancel"}},
    // The preferences dialog
    {"preferences.window", {"Настройки", "Preferinte", "Preferences"}},
    {"preferences.cancel", {"Отмена", "Renunta", "Cancel"}},
    {"preferences.page.interface", {"Интерфейс", "Interfata", "Appearence"}},
    {"preferences.languageFrame", {" Язык программы: ", " Limba folosita: ", " Interface language: "}},
    {"preferences.language.russian", {"Русский", "Rusa", "Russian"}},
    {"preferences.language.romanian", {"Румынский", "Romana", "Romanian"}},
    {"preferences.language.english", {"Английский", "Engleza", "English"}},
    {"preferences.autoRefresh",
     {"Автоматически обновлять поле алгоритма (включите, если при написании кода у Вас "
      "проблемы с подсветкой синтаксиса)",
      "Actualizarea automata a cimpului algoritmului (selecteaza in cazul in care la scrierea "
      "codului nu se evedentiaza erorile sintactice)",
      "Refresh algorithm field automaticly (turn on if you have problems with highliting "
      "sintaxis)"}},
    {"preferences.advancedToolBar",
     {"Отображать панель продвинутых команд", "Vizualizeaza panelul comenzilor avansate",
      "Show advanced commands panel"}},
    {"preferences.page.robot", {"Робот", "Robot", "Robot"}},
    {"preferences.speed.fastest", {"Максимальная", "Maxima", "Maximum"}},
    {"preferences.speed.average", {"Средняя", "Medie", "Average"}},
    {"preferences.speed.slowest", {"Минимальная", "Minima", "Minimal"}},
    {"preferences.page.saving", {"Сохранение", "Salveaza", "Save"}},
    {"preferences.width", {"Горизонталь:", "Orizontala:", "Horizontal:"}},
    {"preferences.height", {"Вертикаль:", "Verticala:", "Vertical:"}},
    {"preferences.speedFrame", {" Скорость робота ", " Viteza robotului ", " Robot's speed "}},
    {"preferences.sizeFrame", {" Размеры поля ", " Dimens. cimpului ", " Field size "}},
    // The world's status panels and the field's context menu
    {"world.field", {"Поле:", "Cimp:", "Field:"}},
    {"world.robot", {"Робот:", "Robot:", "Robot:"}},
    {"world.line", {"Линия", "Linie", "Line"}},
    {"world.border", {"Край", "Margine", "Border"}},
    {"world.clear", {"Очистить поле", "Curata cimpul", "Clear field"}},
    {"world.export", {"Сохранить картинку...", "Salveaza imaginea...", "Save picture..."}},
    // The picture of a pupil's differences and the class report
    {"world.diffMissing", {"нет у ученика", "lipseste", "missing"}},
    {"world.diffExtra", {"лишний", "in plus", "extra"}},
    {"world.diffColour", {"другой цвет", "alta culoare", "other colour"}},
    {"world.diffModelEnd", {"конец образца", "sfirsitul modelului", "model's end"}},
    {"world.diffPupilEnd", {"конец ученика", "sfirsitul elevului", "pupil's end"}},
    {"report.title", {"Проверка класса", "Verificarea clasei", "Class report"}},
    {"report.model", {"Образец: %1", "Modelul: %1", "Model: %1"}},
    {"report.summary",
     {"Учеников: %1. Совпадают: %2, отличаются: %3, не прочитаны: %4.",
      "Elevi: %1. Coincid: %2, difera: %3, necitite: %4.",
      "Pupils: %1. Same: %2, differ: %3, not read: %4."}},
    {"report.file", {"Файл", "Fisier", "File"}},
    {"report.verdict", {"Оценка", "Verdict", "Verdict"}},
    {"report.modelDrawing", {"Образец", "Modelul", "Model"}},
    {"report.pupilDrawing", {"Рисунок ученика", "Desenul elevului", "Pupil's drawing"}},
    {"report.diffDrawing", {"Отличия", "Diferente", "Differences"}},
    {"report.same", {"совпадает", "coincide", "same"}},
    {"report.differs", {"отличается", "difera", "differs"}},
    {"report.unreadable", {"не прочитан", "necitit", "not read"}},
    {"report.program", {"Текст программы", "Textul programului", "Program text"}},
    {"report.differences",
     {"Нет у ученика: %1, лишних: %2, другого цвета: %3; конец: %4.",
      "Lipsesc: %1, in plus: %2, de alta culoare: %3; sfirsitul: %4.",
      "Missing: %1, extra: %2, other colour: %3; end: %4."}},
    {"report.endSame", {"там же", "acelasi", "same node"}},
    {"report.endDiffers", {"в другом месте", "in alt loc", "another node"}},
    {"report.checkError", {"Ошибка при проверке, строка %1", "Eroare la verificare, rindul %1", "Check error in line %1"}},
    {"report.checkErrorNoLine", {"Ошибка при проверке", "Eroare la verificare", "Check error"}},
    {"report.runError", {"Выполнение прервано, строка %1", "Executarea oprita, rindul %1", "Run stopped in line %1"}},
    {"report.notRead", {"Файл не прочитан: %1", "Fisierul nu a putut fi citit: %1", "The file could not be read: %1"}},
    {"report.tickLimit",
     {"Не закончилась за %1 тактов", "Nu s-a terminat in %1 de pasi", "Did not end within %1 ticks"}},
    // The command dialogs
    {"dialogs.createProcedure.title", {"Создать процедуру", "Creaza procedura", "Create procedure"}},
    {"dialogs.createProcedure.name", {"Имя:", "Nume:", "Name:"}},
    {"dialogs.cancel", {"Отмена", "Renunta", "Cancel"}},
    {"dialogs.callProcedure.title", {"Выполнить процедуру", "Executa procedura", "Execute procedure"}},
    {"dialogs.loop.title", {"Цикл", "Ciclu", "Cycle"}},
    {"dialogs.countedLoop.before", {"Выполнить", "Executa", "Execute"}},
    {"dialogs.countedLoop.after", {"раз", "ori", "times"}},
    {"dialogs.conditionalLoop.before", {"Выполнять ПОКА", "Executa PINA CIND", "Execute UNTIL"}},
    {"dialogs.conditionalLoop.cancel", {"Отмена", "Renunta", "Cancel"}},
    {"dialogs.condition.title", {"Условие", "Conditie", "Condition"}},
    {"dialogs.condition.if", {"Если", "Daca", "If"}},
    {"dialogs.condition.then", {"тогда", "atunci", "then"}},
    {"dialogs.condition.else", {"иначе", "altfel", "else"}},
    {"dialogs.placeholder.command", {"<КОМАНДА>", "<COMANDA>", "<COMMAND>"}},
    {"dialogs.placeholder.command1", {"<КОМАНДА1>", "<COMANDA1>", "<COMMAND1>"}},
    {"dialogs.placeholder.command2", {"<КОМАНДА2>", "<COMANDA2>", "<COMMAND2>"}},
    // Error reports and notices of the robot language
    {"message.heading.robotError", {"#03: Ошибка тракмила", "#03: Eroarea trakmilului ", "#03: Trakmil error"}},
    {"message.outOfField",
     {"Тракмил не может выходить за пределы поля!", "Trakmil nu poate iesi in afara cimpului!",
      "Trakmil can not leave his field!"}},
    {"message.editCode",
     {"Отредактируйте код алгоритма.", "Editeaza codul algoritmului.", "Please, edit programm code."}},
    {"message.heading.structureError",
     {"#04: Ошибка в структуре программы", "#04: Eroare in structura programului",
      "#04: Error in program structure"}},
    {"message.noBeginEnd",
     {"Не найдено начало (конец) алгоритма!", "Nu se gaseste inceput (sfirsit) de algoritm!",
      "Algorithm begin (end) was not found!"}},
    {"message.checkBeginEnd",
     {"Проверьте наличие команд НАЧАЛО АЛГОРИТМА и КОНЕЦ АЛГОРИТМА в коде.",
      "Verifica prezenta  comenzilor INCEPUT DE ALGORITM si SFIRSIT DE ALGORITM.",
      "Check if ALGOTITHM BEGIN and ALGORITHM END exist in code."}},
    {"message.beginEndTwice",
     {"Команда НАЧАЛО АЛГОРИТМА (КОНЕЦ АЛГОРИТМА) повторяется более 1 раза!",
      "Comanda INCEPUT DE ALGORITM (SFIRSIT DE ALGORITM) se repeta mai mult de o data!",
      "ALGOTITHM BEGIN (ALGOTITHM END) command was repeated more then 1 time!"}},
    {"message.onlyOneBeginEnd",
     {"Программа может иметь только одно НАЧАЛО АЛГОРИТМА и один КОНЕЦ "
      "АЛГОРИТМА. Отредактируйте код.",
      "Programul poate avea un singur INCEPUT DE ALGORITM si un singur "
      "SFIRSIT DE ALGORITM. Editeaza codul.)",
      "Program can hold one ALGOTITHM BEGIN and one ALGOTITHM END command only. Edit code."}},
    {"message.errorInLine", {"Ошибка в строке:", "Eroare in linia:", "Error in line:"}},
    {"message.unknownCommand", {"Неизвестная команда.", "Comanda neexistenta", "Unknown command."}},
    {"message.afterEnd",
     {"После конца алгоритма ничего не должно быть!",
      "Dupa sfirsit de algoritm nu mai pot fi scrise alte comenzi!",
      "Nothing can stand after the end of algorithm!"}},
    {"message.beforeBegin",
     {"До начала алгоритма ничего не должно быть, кроме процедур!",
      "Pina la inceput de algoritm pot fi scrise doar proceduri!",
      "Nothing can stand before the begin of algorithm except procedures!"}},
    {"message.noErrors",
     {"Программа не содержит ошибок.", "Progaramul nu are erori.", "There is no errors in programm code."}},
    {"message.cycleFormat",
     {"Проверьте правильность написания цикла!\n"
      "Формат команды: ЦИКЛ. ВЫПОЛНИТЬ <N> РАЗ\n"
      "Вероятные причины ошибки:\n"
      "- отсутствие пробела до и/или после <N>\n"
      "- два и более пробела между словами\n"
      "- число N должно быть целым, не отрицательноым и не равным нулю",
      "Verifica corectitudinea sintactica a ciclului!\n"
      "Cauzele posibile ale erorii:\n"
      "- lipseste spatiu pina si/sau dupa <N>\n"
      "- doua si mai multe spatii intre cuvinte\n"
      "- numarul N trebuie sa fie intreg si mai mare decit zero",
      "Check if the cicle is written correct!\n"
      "Command format: CYCLE. EXECUTE <N> TIMES\n"
      "Error was possibly caused by:\n"
      "- there is no space before/after <N>\n"
      "- two or more spaces between words\n"
      "- N must be whole, not negative and not equal to zero"}},
    {"message.procNotFound",
     {"Вызываемая процедура не найдена!\n"
      "Проверьте наличие вызываемой процедуры.\n"
      "Вероятные причины ошибки:\n"
      "- нет пробела между словом ПРОЦЕДУРА (ВЫПОЛНИТЬ) и ее именем\n"
      "- процедура не объявлена",
      "Procedura apelata nu exista!\n"
      "Verifica prezenta procedurii apelate.\n"
      "Cauzele posibile ale erorii:\n"
      "- lipseste spatiu intre cuvintele PROCEDURA (EXECUTA) si numele ei\n"
      "- procedura nu e declarata",
      "Called procedure not found!\n"
      "Check if calld procedure exist.\n"
      "Error was possibly caused by:\n"
      "- there is no space between the word PROCEDURE (EXECUTE) and its name\n"
      "- procedure not assigned"}},
    {"message.noEndProc",
     {"Неверный формат процедуры!\n"
      "У процедуры отсутствует обязательная команда КОНЕЦ ПРОЦЕДУРЫ.",
      "Formatul gresit de procedura!\n"
      "In procedura lipseste comanda SFIRSIT DE PROCEDURA.",
      "Incorrect procedure format!\n"
      "The procedure has no necessary END OF PROCEDURE command."}},
    {"message.endProcWithoutProc",
     {"Неверный формат процедуры!\n"
      "Обнаружена команда КОНЕЦ ПРОЦЕДУРЫ,\n"
      "не имеющая перед собой команды\n"
      "ПРОЦЕДУРА <ИМЯ>",
      "Formatul gresit de procedura!\n"
      "S-a depistat comanda SFIRSIT DE PROCEDURA\n"
      "care nu este precedata de comanda\n"
      "PROCEDURA <NUME>",
      "Incorrect procedure format!\n"
      "There is END OF PROCEDURE command\n"
      "which does not have PROCEDURE <NAME>\n"
      "before it"}},
    {"message.endProcInAlgorithm",
     {"Команда КОНЕЦ ПРОЦЕДУРЫ не может находиться между командами "
      "НАЧАЛО АЛГОРИТМА и КОНЕЦ АЛГОРИТМА!\n"
      "Если это конец существующей процедуры - скопируйте всю процедуру "
      "и поместите ее до команды НАЧАЛО АЛГОРИТМА.",
      "Comanda SFIRSIT DE PROCEDURA nu poate fi plasata intre comenzile "
      "INCEPUT DE ALGORITM si SFIRSIT DE ALGORITM!\n"
      "Daca aici este sfirsit de procedura - copiaza toate comenzile ale "
      "procedurii si muta-le in fata comenzii INCEPUT DE ALGORITM.",
      "END OF PROCEDURE command can not stay between ALGORITHM BEGIN and "
      "ALGOTITHM END commandss!\n"
      "If it is the end of existed procedure, copy the whole procedure and "
      "paste it before the ALGOTITHM BEGIN command."}},
    {"message.procNameStart",
     {"Имя процедуры не может начинаться с цифры или пробела!",
      "Numele procedurii nu poate incepe cu o cifra sau cu spatiu!",
      "Procedure name can not begin with number or space!"}},
    {"message.procNameEmpty",
     {"Не введено имя процедуры!", "Nu se gaseste numele procedurii!", "Procedure name was not assigned!"}},
    {"message.chooseProc",
     {"Выберите имя процедуры или создайте новую!", "Alegeti numele procedurii sau creati o alta procedura!",
      "Choose procedure name or create another one!"}},
    {"message.nestingTooDeep",
     {"Слишком глубокая вложенность!\n"
      "Открыто более 1000 циклов или вызовов процедур.\n"
      "Вероятно, процедура вызывает саму себя.",
      "Imbricare prea adinca!\n"
      "Sint deschise peste 1000 de cicluri sau apeluri de proceduri.\n"
      "Probabil procedura se apeleaza pe sine.",
      "Nesting is too deep!\n"
      "More than 1000 loops or procedure calls are open.\n"
      "Perhaps a procedure calls itself."}},
    {"message.loopWithoutEnd",
     {"Цикл не имеет конца!\n"
      "Для этого цикла не найдена команда КОНЕЦ ЦИКЛА.",
      "Ciclul nu are sfirsit!\n"
      "Pentru acest ciclu nu se gaseste comanda SFIRSIT CICLU.",
      "The loop has no end!\n"
      "No END OF CYCLE command was found for this loop."}},
    // The help window
    {"help.title", {"Справка - Тракмил", "Informatii - Trakmil", "Help - Trakmil"}},
    {"help.search", {"Поиск по справке", "Cautare in ajutor", "Search the help"}},
    {"help.back", {"< Назад", "< Inapoi", "< Back"}},
    {"help.forward", {"Вперед >", "Inainte >", "Forward >"}},
    {"help.contents", {"Содержание", "Cuprins", "Contents"}},
    {"help.nothingFound", {"Ничего не найдено.", "Nu s-a gasit nimic.", "Nothing found."}},
    // The about window is not localised: its rows hold the Russian text only
    {"about.click1", {"Привет! Это робот Тракмила.", nullptr, nullptr}},
    {"about.click4", {"Да-да, это я. Можно не нажимать так часто.", nullptr, nullptr}},
    {"about.click7", {"Ты очень любопытный! Это хорошо.", nullptr, nullptr}},
    {"about.click10", {"Десять нажатий. Может, лучше напишем алгоритм?", nullptr, nullptr}},
    {"about.click15", {"Робот начинает немного волноваться.", nullptr, nullptr}},
    {"about.click20", {"Двадцать! Робот уже считает вместе с тобой.", nullptr, nullptr}},
    {"about.click25", {"Пожалуйста, помедленнее: у робота кружится голова.", nullptr, nullptr}},
    {"about.click30", {"Мышке тоже нужен отдых.", nullptr, nullptr}},
    {"about.click40", {"Сорок нажатий... Робот тяжело вздыхает.", nullptr, nullptr}},
    {"about.click50", {"Полсотни! Ты упорный, а упорство пригодится в программировании.", nullptr, nullptr}},
    {"about.click60", {"Робот вежливо просит: хватит, пожалуйста.", nullptr, nullptr}},
    {"about.click70", {"Будь это цикл, он бы уже давно закончился.", nullptr, nullptr}},
    {"about.click80", {"Робот делает вид, что ничего не замечает.", nullptr, nullptr}},
    {"about.click90", {"Девяносто! Кажется, учитель смотрит в твою сторону.", nullptr, nullptr}},
    {"about.click95", {"Почти сто. Ты уверен, что это нужно?", nullptr, nullptr}},
    {"about.click100", {"Сто нажатий! Рекорд класса. А теперь — за работу!", nullptr, nullptr}},
    {"about.click120", {"Робот обиделся и отвернулся к стене.", nullptr, nullptr}},
    {"about.click150", {"Сто пятьдесят. Кнопка мыши просит пощады.", nullptr, nullptr}},
    {"about.click160", {"Всё, робот уходит рисовать без тебя.", nullptr, nullptr}},
    {"about.click200", {"Двести?! Вот это терпение. Направь его на алгоритм!", nullptr, nullptr}},
    {"about.click220", {"Робот больше не разговаривает. Закрой окно и пиши программу!", nullptr, nullptr}},
    {"about.photo1",
     {"Робот рисует узор на клетчатом поле: каждый шаг оставляет цветной след.", nullptr, nullptr}},
    {"about.photo2", {"Кабинет информатики. На доске — первый алгоритм класса.", nullptr, nullptr}},
    {"about.photo3", {"Вечер над школой. Завтра — новые задачи для робота.", nullptr, nullptr}},
    {"about.photo4", {"Робот отдыхает после долгого пути по полю.", nullptr, nullptr}},
    {"about.title", {"О программе", nullptr, nullptr}},
    {"about.versionTab", {"Версия", nullptr, nullptr}},
    {"about.product", {"Тракмил", nullptr, nullptr}},
    {"about.tagline", {"Учебная среда для юных\nпрограммистов", nullptr, nullptr}},
    {"about.versionLabel", {"Версия", nullptr, nullptr}},
    {"about.photoTab", {"Фото", nullptr, nullptr}},
    {"about.next", {"Далее >", nullptr, nullptr}},
    {"about.feedback",
     {"Отзывы и предложения:\nрасскажите о них учителю информатики\nили запишите в журнал кабинета.",
      nullptr, nullptr}},
    {"about.support",
     {"Поддержка:\nзагляните в справку (F1) или спросите\nучителя на уроке.", nullptr, nullptr}},
    // File errors, shown after the file's name
    {"file.notRegular", {"Это не обычный файл", "Nu este un fisier obisnuit", "Not a regular file"}},
    {"file.tooLarge", {"Файл слишком большой", "Fisierul este prea mare", "File too large"}},
    {"file.tooLarge.size",
     {"Файл слишком большой: больше %1", "Fișierul este prea mare: depășește %1", "File too large: more than %1"}},
    {"file.tooLarge.lines",
     {"Файл слишком большой: строк больше, чем %1", "Fișierul este prea mare: are mai multe rânduri decât %1",
      "File too large: more than %1 lines"}},
    {"file.tooLarge.lineLength",
     {"Файл слишком большой: в строке %1 символов больше, чем %2",
      "Fișierul este prea mare: rândul %1 are mai multe caractere decât %2",
      "File too large: line %1 is longer than %2 characters"}},
    {"file.size.mebibytes", {"%1 МиБ", "%1 MiB", "%1 MiB"}},
    {"file.size.kibibytes", {"%1 КиБ", "%1 KiB", "%1 KiB"}},
    {"file.size.bytes", {"%1 байт", "%1 B", "%1 bytes"}},
    {"window.loading", {"Чтение файла...", "Citirea fisierului...", "Reading the file..."}},
    {"window.loadCancel", {"Отмена", "Anulare", "Cancel"}},
    {"file.noName", {"Не задано имя файла.", "Nu este dat numele fisierului.", "No file name given."}},
    {"file.unknownPictureFormat",
     {"Формат \"%1\" не сохраняет картинку без потерь. Подходят: %2",
      "Formatul \"%1\" nu pastreaza imaginea fara pierderi. Se potrivesc: %2",
      "The \"%1\" format does not keep every pixel of the picture. Use one of: %2"}},
    {"file.cannotWriteSettings",
     {"Не удалось записать файл настроек \"%1\": %2", "Fisierul de setari \"%1\" nu poate fi scris: %2",
      "Cannot write the settings file \"%1\": %2"}},
    // Files that are kept safe: a settings file that could not be read, recovery copies
    {"file.notText", {"Это не текстовый файл", "Nu este un fisier text", "Not a text file"}},
    {"file.settingsIgnored",
     {"Файл настроек \"%1\" не прочитан: %2.\nПрограмма работает с настройками по умолчанию и не изменит этот файл.",
      "Fisierul de setari \"%1\" nu a fost citit: %2.\nProgramul lucreaza cu setarile implicite si nu va schimba acest fisier.",
      "The settings file \"%1\" was not read: %2.\nThe program runs on default settings and will not change that file."}},
    {"window.recoveryQuestion",
     {"Найдена несохраненная программа: %1, последнее изменение %2.\nВосстановить ее?",
      "A fost gasit un program nesalvat: %1, ultima modificare %2.\nIl restabilim?",
      "An unsaved program was found: %1, last changed %2.\nRestore it?"}},
    {"window.recoveryUnnamed", {"без имени", "fara nume", "untitled"}},
    {"window.recoveryUnreadable",
     {"Копию несохраненной программы \"%1\" прочитать не удалось; она оставлена под именем \"%2\".",
      "Copia programului nesalvat \"%1\" nu poate fi citita; a fost pastrata ca \"%2\".",
      "The copy of an unsaved program \"%1\" could not be read; it was kept as \"%2\"."}},
    {"window.recoveryOff",
     {"В папку \"%1\" нельзя записывать: копии несохраненной программы на случай сбоя не делаются.",
      "In dosarul \"%1\" nu se poate scrie: copiile programului nesalvat pentru caz de avarie nu se fac.",
      "The folder \"%1\" cannot be written: no copies of unsaved work are kept in case of a crash."}},
    // A shared login finds other pupils' copies: none is lost to a key pressed in a hurry.
    {"window.recoverySeveral",
     {"Найдены несохраненные программы: %1. Восстановить выбранную?",
      "Au fost găsite programe nesalvate: %1. Restabilim programul ales?",
      "Unsaved programs were found: %1. Restore the chosen one?"}},
    {"window.recoveryAnswers",
     {"Да — восстановить; Нет — перенести копию в отброшенные (они хранятся %1 дней); Позже (Esc) — спросить снова при следующем запуске.",
      "Da — restabilește; Nu — mută copia printre cele abandonate (păstrate %1 zile); Mai târziu (Esc) — întreabă din nou la următoarea pornire.",
      "Yes restores it; No moves the copy to the discarded ones (kept for %1 days); Later (Esc) asks again at the next start."}},
    {"window.recoveryDiskNewer",
     {"Файл на диске новее этой копии: он изменен %1.", "Fișierul de pe disc este mai nou decât această copie: a fost modificat la %1.",
      "The file on disk is newer than this copy: it was changed on %1."}},
    {"window.recoveryDiskNewerShort",
     {"файл на диске новее", "fișierul de pe disc este mai nou", "the file on disk is newer"}},
    {"window.changedOnDisk",
     {"Файл \"%1\" изменен на диске после того, как был открыт или сохранен здесь.\nЗаписать программу поверх него? (Нет — сохранить под другим именем.)",
      "Fișierul \"%1\" a fost modificat pe disc după ce a fost deschis sau salvat aici.\nScriem programul peste el? (Nu — salvează cu alt nume.)",
      "The file \"%1\" was changed on disk after it was opened or saved here.\nWrite the program over it? (No saves it under another name.)"}},
    // Learning aids: stepping, the run-state window, examples, line numbers, hints
    {"menu.stepLine", {"Выполнить строку", "Executa o linie", "Execute one line"}},
    {"menu.runToCursor", {"Выполнить до курсора", "Executa pina la cursor", "Run to cursor"}},
    {"menu.runState", {"Состояние выполнения", "Starea executiei", "Run state"}},
    {"menu.examples", {"Примеры", "Exemple", "Examples"}},
    {"runstate.title", {"Состояние выполнения", "Starea executiei", "Run state"}},
    {"runstate.idle", {"Программа не выполняется", "Programul nu se executa", "No program is running"}},
    {"runstate.running", {"Выполняется", "Se executa", "Running"}},
    {"runstate.paused", {"Пауза", "Pauza", "Paused"}},
    {"runstate.line", {"Строка:", "Linia:", "Line:"}},
    {"runstate.loops", {"Циклы:", "Cicluri:", "Loops:"}},
    {"runstate.calls", {"Процедуры:", "Proceduri:", "Procedures:"}},
    {"runstate.sensors", {"Датчики:", "Senzori:", "Sensors:"}},
    {"runstate.colour", {"Цвет:", "Culoare:", "Color:"}},
    {"runstate.position", {"Позиция:", "Pozitia:", "Position:"}},
    {"runstate.heading", {"Направление:", "Directia:", "Heading:"}},
    {"runstate.robot", {"Робот:", "Robotul:", "Robot:"}},
    {"runstate.ticks", {"Тактов:", "Tacte:", "Ticks:"}},
    {"runstate.speed", {"Скорость:", "Viteza:", "Speed:"}},
    {"runstate.none", {"нет", "nu sint", "none"}},
    {"runstate.pass", {"проход %1 из %2", "trecerea %1 din %2", "pass %1 of %2"}},
    {"runstate.passOnly", {"проход %1", "trecerea %1", "pass %1"}},
    {"runstate.test", {"условие \"%1\": %2", "conditia \"%1\": %2", "test \"%1\": %2"}},
    {"runstate.holds", {"сейчас выполняется", "acum se indeplineste", "holds now"}},
    {"runstate.fails", {"сейчас не выполняется", "acum nu se indeplineste", "does not hold now"}},
    {"runstate.unknownTest", {"не распознано", "nerecunoscuta", "not recognised"}},
    {"runstate.calledFrom", {"%1, вызвана из строки %2", "%1, apelata din linia %2", "%1, called from line %2"}},
    {"runstate.sensorValues",
     {"край впереди: %1, линия впереди: %2", "marginea in fata: %1, linia in fata: %2",
      "border ahead: %1, line ahead: %2"}},
    {"runstate.yes", {"да", "da", "yes"}},
    {"runstate.no", {"нет", "nu", "no"}},
    {"runstate.shown", {"на поле", "pe cimp", "on the field"}},
    {"runstate.destroyed", {"уничтожен (скрыт)", "anulat (ascuns)", "destroyed (hidden)"}},
    {"preferences.lineNumbers", {"Номера строк", "Numerele liniilor", "Line numbers"}},
    {"hint.label", {"Подсказка:", "Sugestie:", "Hint:"}},
    {"hint.latinLetters",
     {"Латинские буквы среди русских: %1. Наберите их в русской раскладке: \"%2\".",
      "Litere latine printre cele chirilice: %1. Tastati-le cu alfabetul rus: \"%2\".",
      "Latin letters among Cyrillic ones: %1. Type them in the Russian layout: \"%2\"."}},
    {"hint.cyrillicLetters",
     {"Русские буквы среди латинских: %1. Наберите их в латинской раскладке: \"%2\".",
      "Litere chirilice printre cele latine: %1. Tastati-le cu alfabetul latin: \"%2\".",
      "Cyrillic letters among Latin ones: %1. Type them in the Latin layout: \"%2\"."}},
    {"hint.letterAt", {"\"%1\" (позиция %2)", "\"%1\" (pozitia %2)", "\"%1\" (position %2)"}},
    {"hint.otherLanguage",
     {"Это команда на другом языке команд (%1). Чтобы переписать программу на язык интерфейса, "
      "выберите \"%2\" в меню \"%3\".",
      "Aceasta este o comanda in alta limba a comenzilor (%1). Pentru a rescrie programul in limba "
      "interfetei, alegeti \"%2\" din meniul \"%3\".",
      "This is a statement in another keyword Language (%1). To rewrite the program in the interface "
      "Language, choose \"%2\" in the \"%3\" menu."}},
    {"hint.langRus", {"русский", "rusa", "Russian"}},
    {"hint.langRom", {"румынский", "romana", "Romanian"}},
    {"hint.langEng", {"английский", "engleza", "English"}},
    {"hint.diacritics",
     {"Румынские команды пишутся без диакритических знаков: \"%1\".",
      "Comenzile se scriu fara diacritice: \"%1\".", "Romanian keywords are written without diacritics: \"%1\"."}},
    {"hint.oneLetter", {"Возможно, имелось в виду: \"%1\".", "Poate ati vrut sa scrieti: \"%1\".",
                        "Did you mean \"%1\"?"}},
    {"hint.warnings", {"Предупреждения", "Avertismente", "Warnings"}},
    {"hint.warningsNote",
     {"Проверка этого не запрещает, но при выполнении программа поведет себя неожиданно:",
      "Verificarea nu interzice aceasta, dar la executie programul se va comporta neasteptat:",
      "The check allows this, but the run will behave in a surprising way:"}},
    {"hint.loopWithoutEnd",
     {"Строка %1: цикл не закрыт строкой \"%2\".", "Linia %1: ciclul nu este inchis de linia \"%2\".",
      "Line %1: no \"%2\" line closes the loop."}},
    {"hint.endWithoutLoop",
     {"Строка %1: \"%2\" без открытого цикла.", "Linia %1: \"%2\" fara un ciclu deschis.",
      "Line %1: \"%2\" with no loop open."}},
    {"hint.endWithoutCondition",
     {"Строка %1: \"%2\" без открытого условия.", "Linia %1: \"%2\" fara o conditie deschisa.",
      "Line %1: \"%2\" with no condition open."}},
    {"hint.conditionWithoutThen",
     {"Строка %1: у условия нет строки \"%2\".", "Linia %1: conditia nu are linia \"%2\".",
      "Line %1: the condition has no \"%2\" line."}},
    {"hint.atLine", {"Строка %1: %2", "Linia %1: %2", "Line %1: %2"}},
    {"hint.programInOtherLanguage",
     {"Программа написана командами другого языка (%1). Чтобы переписать ее на язык интерфейса, "
      "выберите \"%2\" в меню \"%3\".",
      "Programul este scris cu comenzile altei limbi (%1). Pentru a-l rescrie în limba interfeței, "
      "alegeți \"%2\" din meniul \"%3\".",
      "The program is written in the keywords of another Language (%1). To rewrite it in the interface "
      "Language, choose \"%2\" in the \"%3\" menu."}},
    {"hint.procedureLetters",
     {"Процедуры \"%1\" до начала алгоритма нет. Заголовок \"%2\" в строке %3 отличается от вызова "
      "только румынскими буквами (строчные и заглавные, ş и ș): напишите имя одинаково.",
      "Procedura \"%1\" nu există înainte de începutul algoritmului. Antetul \"%2\" din linia %3 diferă "
      "de apel doar prin literele românești (mici și mari, ş și ș): scrieți numele la fel.",
      "There is no procedure \"%1\" before the algorithm begin. The header \"%2\" on line %3 differs from "
      "the call only in Romanian letters (small and capital, ş and ș): write the name the same way."}},
    {"hint.procedureNearest",
     {"Процедуры \"%1\" до начала алгоритма нет. Ближе всего к этому имени заголовок \"%2\" в строке %3.",
      "Procedura \"%1\" nu există înainte de începutul algoritmului. Cel mai apropiat de acest nume este "
      "antetul \"%2\" din linia %3.",
      "There is no procedure \"%1\" before the algorithm begin. The nearest header is \"%2\" on line %3."}},
    {"hint.procedureAfterBegin",
     {"Заголовок процедуры \"%1\" стоит в строке %2, после \"%3\": процедуры пишутся до начала алгоритма.",
      "Antetul procedurii \"%1\" se află în linia %2, după \"%3\": procedurile se scriu înainte de "
      "începutul algoritmului.",
      "The header of the procedure \"%1\" is on line %2, after \"%3\": procedures are written before the "
      "algorithm begin."}},
    {"hint.procedureNone",
     {"Процедуры \"%1\" нет: до начала алгоритма не объявлено ни одной процедуры.",
      "Procedura \"%1\" nu există: înainte de începutul algoritmului nu este declarată nicio procedură.",
      "There is no procedure \"%1\": no procedure is declared before the algorithm begin."}},
    {"hint.unknownColour",
     {"Строка %1: неизвестный цвет \"%2\", робот сохранит свой цвет; возможно, имелось в виду %3?",
      "Linia %1: culoarea \"%2\" nu există, executantul își păstrează culoarea; poate ați vrut să scrieți %3?",
      "Line %1: unknown colour \"%2\": the robot keeps its colour; did you mean %3?"}},
    {"hint.unknownColourNoMatch",
     {"Строка %1: неизвестный цвет \"%2\", робот сохранит свой цвет.",
      "Linia %1: culoarea \"%2\" nu există, executantul își păstrează culoarea.",
      "Line %1: unknown colour \"%2\": the robot keeps its colour."}},
    // Under the out-of-field report of a run that began away from the start; the menu
    // captions as each Language shows them
    {"hint.robotNotAtStart",
     {"Робот остался там, где его оставил прошлый запуск: Правка → Очистить поле робота вернет его на место",
      "Executantul a rămas acolo unde l-a lăsat execuția precedentă: Editeaza → Curata cimpul executantului "
      "îl readuce la loc",
      "The robot is still where the last run left it: Edit → Clear robot field puts it back"}},
    {"preferences.cleanField",
     {"Начинать каждый запуск с &чистого поля", "Începe fiecare execuție pe un câmp &curat",
      "Start every run from a &clean field"}},
    // Screen readers, message box buttons and the interface size
    {"access.editor", {"Алгоритм", "Algoritm", "Algorithm"}},
    {"access.field", {"Поле робота", "Cimpul executantului", "Robot's field"}},
    {"access.menuBar", {"Главное меню", "Meniul principal", "Main menu"}},
    {"access.fileToolBar", {"Файл и правка", "Fisier si editare", "File and edit"}},
    {"access.runToolBar", {"Выполнение", "Executie", "Running"}},
    {"access.commandToolBar", {"Команды", "Comenzi", "Commands"}},
    {"access.manualButtons", {"Ручной режим", "Regim manual", "Manual mode"}},
    {"access.statusBar", {"Строка состояния", "Bara de stare", "Status bar"}},
    {"access.heading", {"Направление: %1", "Directie: %1", "Heading: %1"}},
    {"access.heading0", {"вправо", "spre dreapta", "right"}},
    {"access.heading1", {"вправо-вниз", "spre dreapta-jos", "down-right"}},
    {"access.heading2", {"вниз", "in jos", "down"}},
    {"access.heading3", {"влево-вниз", "spre stinga-jos", "down-left"}},
    {"access.heading4", {"влево", "spre stinga", "left"}},
    {"access.heading5", {"влево-вверх", "spre stinga-sus", "up-left"}},
    {"access.heading6", {"вверх", "in sus", "up"}},
    {"access.heading7", {"вправо-вверх", "spre dreapta-sus", "up-right"}},
    {"access.hidden", {"Робот скрыт", "Executantul este ascuns", "The robot is hidden"}},
    {"button.ok", {"OK", "OK", "OK"}},
    {"button.yes", {"Да", "Da", "Yes"}},
    {"button.no", {"Нет", "Nu", "No"}},
    {"button.later", {"Позже", "Mai târziu", "Later"}},
    {"preferences.interfaceSize", {"Масштаб окна:", "Marimea interfetei:", "Interface size:"}},
    {"preferences.interfaceSizeNote",
     {"(после перезапуска)", "(dupa repornire)", "(after a restart)"}},
    // Texts that stay Russian in every Language: file filters, the saving page that is never
    // active, the speed directive's dialog and the status panels' words before any Language
    {"window.openFilter", {"Файлы тракмила (*.tkm)|*.tkm", nullptr, nullptr}},
    {"window.saveFilter", {"Файлы Тракмила (*.tkm)|*.tkm", nullptr, nullptr}},
    {"world.pictureFilter", {"Файл изображения (*.bmp)|*.bmp", nullptr, nullptr}},
    {"preferences.saving.backup",
     {"Создавать резервную копию алгоритма перед выполнением (записывать в файл autosave.tkm)", nullptr,
      nullptr}},
    {"preferences.saving.confirmClose",
     {"Запрашивать подтверждение при закрытии программы с несохраненным алгоритмом", nullptr, nullptr}},
    {"preferences.saving.folder", {"Папка для сохранения файлов .tkm:", nullptr, nullptr}},
    {"extendedSettings.title", {"Расширенные настрйки", nullptr, nullptr}},
    {"extendedSettings.speed", {"Скорость:", nullptr, nullptr}},
    {"extendedSettings.ok", {"ОК", nullptr, nullptr}},   // Cyrillic О and К
    {"window.startPanel.lines", {"Всего строк: 1", nullptr, nullptr}},
    {"window.startPanel.currentLine", {"Текущая строка: 1", nullptr, nullptr}},
    {"window.startPanel.field", {"Поле: 16 х 20", nullptr, nullptr}},   // Cyrillic х
    {"window.startPanel.robot", {"Робот: х=0, y=0", nullptr, nullptr}},
    {"window.startPanel.line", {"Линия [0]", nullptr, nullptr}},
    {"window.startPanel.border", {"Край [0]", nullptr, nullptr}},
};
// clang-format on

}   // namespace

std::optional<QString> uiText(QByteArrayView key, Language lang)
{
    static const QHash<QByteArrayView, const TextRow *> index = [] {
        QHash<QByteArrayView, const TextRow *> h;
        for (const TextRow &row : kCatalogue) h.insert(QByteArrayView(row.key), &row);
        return h;
    }();
    if (lang == Language::Unknown) return std::nullopt;
    const TextRow *row = index.value(key);
    if (!row) return std::nullopt;
    // A row with one text is the same in every Language.
    const char *text = row->text[int(lang)];
    return QString::fromUtf8(text ? text : row->text[0]);
}
