#include "lang/MessageCatalogue.h"

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

MessageCatalogue rus()
{
    MessageCatalogue m;
    m.msgHead03 = u("#03: Ошибка тракмила");
    m.msgOutOfField = u("Тракмил не может выходить за пределы поля!");
    m.msgEditCode = u("Отредактируйте код алгоритма.");
    m.msgHead04 = u("#04: Ошибка в структуре программы");
    m.msgNoBeginEnd = u("Не найдено начало (конец) алгоритма!");
    m.msgCheckBeginEnd = u("Проверьте наличие команд НАЧАЛО АЛГОРИТМА и КОНЕЦ АЛГОРИТМА в коде.");
    m.msgBeginEndTwice = u("Команда НАЧАЛО АЛГОРИТМА (КОНЕЦ АЛГОРИТМА) повторяется более 1 раза!");
    m.msgOnlyOneBeginEnd = u("Программа может иметь только одно НАЧАЛО АЛГОРИТМА и один КОНЕЦ "
                             "АЛГОРИТМА. Отредактируйте код.");
    m.msgErrorInLine = u("Ошибка в строке:");
    m.msgUnknownCommand = u("Неизвестная команда.");
    m.msgAfterEnd = u("После конца алгоритма ничего не должно быть!");
    m.msgBeforeBegin = u("До начала алгоритма ничего не должно быть, кроме процедур!");
    m.msgNoErrors = u("Программа не содержит ошибок.");
    m.msgCycleFormat = u("Проверьте правильность написания цикла!\n"
                         "Формат команды: ЦИКЛ. ВЫПОЛНИТЬ <N> РАЗ\n"
                         "Вероятные причины ошибки:\n"
                         "- отсутствие пробела до и/или после <N>\n"
                         "- два и более пробела между словами\n"
                         "- число N должно быть целым, не отрицательноым и не равным нулю");
    m.msgProcNotFound = u("Вызываемая процедура не найдена!\n"
                          "Проверьте наличие вызываемой процедуры.\n"
                          "Вероятные причины ошибки:\n"
                          "- нет пробела между словом ПРОЦЕДУРА (ВЫПОЛНИТЬ) и ее именем\n"
                          "- процедура не объявлена");
    m.msgNoEndProc = u("Неверный формат процедуры!\n"
                       "У процедуры отсутствует обязательная команда КОНЕЦ ПРОЦЕДУРЫ.");
    m.msgEndProcWithoutProc = u("Неверный формат процедуры!\n"
                                "Обнаружена команда КОНЕЦ ПРОЦЕДУРЫ,\n"
                                "не имеющая перед собой команды\n"
                                "ПРОЦЕДУРА <ИМЯ>");
    m.msgEndProcInAlgorithm = u("Команда КОНЕЦ ПРОЦЕДУРЫ не может находиться между командами "
                                "НАЧАЛО АЛГОРИТМА и КОНЕЦ АЛГОРИТМА!\n"
                                "Если это конец существующей процедуры - скопируйте всю процедуру "
                                "и поместите ее до команды НАЧАЛО АЛГОРИТМА.");
    m.msgProcNameStart = u("Имя процедуры не может начинаться с цифры или пробела!");
    m.msgProcNameEmpty = u("Не введено имя процедуры!");
    m.msgChooseProc = u("Выберите имя процедуры или создайте новую!");
    m.msgNestingTooDeep = u("Слишком глубокая вложенность!\n"
                            "Открыто более 1000 циклов или вызовов процедур.\n"
                            "Вероятно, процедура вызывает саму себя.");
    m.msgLoopWithoutEnd = u("Цикл не имеет конца!\n"
                            "Для этого цикла не найдена команда КОНЕЦ ЦИКЛА.");
    return m;
}

MessageCatalogue rom()
{
    MessageCatalogue m;
    m.msgHead03 = u("#03: Eroarea trakmilului ");
    m.msgOutOfField = u("Trakmil nu poate iesi in afara cimpului!");
    m.msgEditCode = u("Editeaza codul algoritmului.");
    m.msgHead04 = u("#04: Eroare in structura programului");
    m.msgNoBeginEnd = u("Nu se gaseste inceput (sfirsit) de algoritm!");
    m.msgCheckBeginEnd = u("Verifica prezenta  comenzilor INCEPUT DE ALGORITM si SFIRSIT DE ALGORITM.");
    m.msgBeginEndTwice = u("Comanda INCEPUT DE ALGORITM (SFIRSIT DE ALGORITM) se repeta mai mult de o data!");
    m.msgOnlyOneBeginEnd = u("Programul poate avea un singur INCEPUT DE ALGORITM si un singur "
                             "SFIRSIT DE ALGORITM. Editeaza codul.)");
    m.msgErrorInLine = u("Eroare in linia:");
    m.msgUnknownCommand = u("Comanda neexistenta");
    m.msgAfterEnd = u("Dupa sfirsit de algoritm nu mai pot fi scrise alte comenzi!");
    m.msgBeforeBegin = u("Pina la inceput de algoritm pot fi scrise doar proceduri!");
    m.msgNoErrors = u("Progaramul nu are erori.");
    m.msgCycleFormat = u("Verifica corectitudinea sintactica a ciclului!\n"
                         "Cauzele posibile ale erorii:\n"
                         "- lipseste spatiu pina si/sau dupa <N>\n"
                         "- doua si mai multe spatii intre cuvinte\n"
                         "- numarul N trebuie sa fie intreg si mai mare decit zero");
    m.msgProcNotFound = u("Procedura apelata nu exista!\n"
                          "Verifica prezenta procedurii apelate.\n"
                          "Cauzele posibile ale erorii:\n"
                          "- lipseste spatiu intre cuvintele PROCEDURA (EXECUTA) si numele ei\n"
                          "- procedura nu e declarata");
    m.msgNoEndProc = u("Formatul gresit de procedura!\n"
                       "In procedura lipseste comanda SFIRSIT DE PROCEDURA.");
    m.msgEndProcWithoutProc = u("Formatul gresit de procedura!\n"
                                "S-a depistat comanda SFIRSIT DE PROCEDURA\n"
                                "care nu este precedata de comanda\n"
                                "PROCEDURA <NUME>");
    m.msgEndProcInAlgorithm = u("Comanda SFIRSIT DE PROCEDURA nu poate fi plasata intre comenzile "
                                "INCEPUT DE ALGORITM si SFIRSIT DE ALGORITM!\n"
                                "Daca aici este sfirsit de procedura - copiaza toate comenzile ale "
                                "procedurii si muta-le in fata comenzii INCEPUT DE ALGORITM.");
    m.msgProcNameStart = u("Numele procedurii nu poate incepe cu o cifra sau cu spatiu!");
    m.msgProcNameEmpty = u("Nu se gaseste numele procedurii!");
    m.msgChooseProc = u("Alegeti numele procedurii sau creati o alta procedura!");
    m.msgNestingTooDeep = u("Imbricare prea adinca!\n"
                            "Sint deschise peste 1000 de cicluri sau apeluri de proceduri.\n"
                            "Probabil procedura se apeleaza pe sine.");
    m.msgLoopWithoutEnd = u("Ciclul nu are sfirsit!\n"
                            "Pentru acest ciclu nu se gaseste comanda SFIRSIT CICLU.");
    return m;
}

MessageCatalogue eng()
{
    MessageCatalogue m;
    m.msgHead03 = u("#03: Trakmil error");
    m.msgOutOfField = u("Trakmil can not leave his field!");
    m.msgEditCode = u("Please, edit programm code.");
    m.msgHead04 = u("#04: Error in program structure");
    m.msgNoBeginEnd = u("Algorithm begin (end) was not found!");
    m.msgCheckBeginEnd = u("Check if ALGOTITHM BEGIN and ALGORITHM END exist in code.");
    m.msgBeginEndTwice = u("ALGOTITHM BEGIN (ALGOTITHM END) command was repeated more then 1 time!");
    m.msgOnlyOneBeginEnd = u("Program can hold one ALGOTITHM BEGIN and one ALGOTITHM END command only. Edit code.");
    m.msgErrorInLine = u("Error in line:");
    m.msgUnknownCommand = u("Unknown command.");
    m.msgAfterEnd = u("Nothing can stand after the end of algorithm!");
    m.msgBeforeBegin = u("Nothing can stand before the begin of algorithm except procedures!");
    m.msgNoErrors = u("There is no errors in programm code.");
    m.msgCycleFormat = u("Check if the cicle is written correct!\n"
                         "Command format: CYCLE. EXECUTE <N> TIMES\n"
                         "Error was possibly caused by:\n"
                         "- there is no space before/after <N>\n"
                         "- two or more spaces between words\n"
                         "- N must be whole, not negative and not equal to zero");
    m.msgProcNotFound = u("Called procedure not found!\n"
                          "Check if calld procedure exist.\n"
                          "Error was possibly caused by:\n"
                          "- there is no space between the word PROCEDURE (EXECUTE) and its name\n"
                          "- procedure not assigned");
    m.msgNoEndProc = u("Incorrect procedure format!\n"
                       "The procedure has no necessary END OF PROCEDURE command.");
    m.msgEndProcWithoutProc = u("Incorrect procedure format!\n"
                                "There is END OF PROCEDURE command\n"
                                "which does not have PROCEDURE <NAME>\n"
                                "before it");
    m.msgEndProcInAlgorithm = u("END OF PROCEDURE command can not stay between ALGORITHM BEGIN and "
                                "ALGOTITHM END commandss!\n"
                                "If it is the end of existed procedure, copy the whole procedure and "
                                "paste it before the ALGOTITHM BEGIN command.");
    m.msgProcNameStart = u("Procedure name can not begin with number or space!");
    m.msgProcNameEmpty = u("Procedure name was not assigned!");
    m.msgChooseProc = u("Choose procedure name or create another one!");
    m.msgNestingTooDeep = u("Nesting is too deep!\n"
                            "More than 1000 loops or procedure calls are open.\n"
                            "Perhaps a procedure calls itself.");
    m.msgLoopWithoutEnd = u("The loop has no end!\n"
                            "No END OF CYCLE command was found for this loop.");
    return m;
}

} // namespace

const MessageCatalogue &MessageCatalogue::forLanguage(Language lang)
{
    static const MessageCatalogue sets[3] = {rus(), rom(), eng()};
    return sets[languageIndex(lang)];
}

QString fatalLoopErrorText()
{
    return QStringLiteral("FATAL ERROR!\ncycleN_done[cycleN_count]>strtoint(cycleN_temp)!\n"
                          "PLEASE, SEND YOUR PROGRAMM CODE TO THE DEVELOPER!\nProgram halted...");
}
