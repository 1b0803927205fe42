#include "editor/DialogCaptions.h"

namespace {
const char *const kCaptions[DialogCaptions::Count][3] = {
    {"Создать процедуру", "Creaza procedura", "Create procedure"},
    {"Имя:", "Nume:", "Name:"},
    {"Отмена", "Renunta", "Cancel"},
    {"Выполнить процедуру", "Executa procedura", "Execute procedure"},
    {"Цикл", "Ciclu", "Cycle"},
    {"Выполнить", "Executa", "Execute"},
    {"раз", "ori", "times"},
    {"Выполнять ПОКА", "Executa PINA CIND", "Execute UNTIL"},
    {"Отмена", "Renunta", "Cancel"},
    {"Условие", "Conditie", "Condition"},
    {"Если", "Daca", "If"},
    {"тогда", "atunci", "then"},
    {"иначе", "altfel", "else"},
    {"<КОМАНДА>", "<COMANDA>", "<COMMAND>"},
    {"<КОМАНДА1>", "<COMANDA1>", "<COMMAND1>"},
    {"<КОМАНДА2>", "<COMANDA2>", "<COMMAND2>"},
};
} // namespace

std::optional<DialogCaptions> DialogCaptions::forLanguage(Language lang)
{
    if (lang == Language::Unknown) return std::nullopt;
    DialogCaptions c;
    for (int i = 0; i < Count; ++i) c.text[size_t(i)] = QString::fromUtf8(kCaptions[i][int(lang)]);
    return c;
}
