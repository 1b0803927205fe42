// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real window driven through random sequences of edits and file commands, against a
// model of the text a pupil expects. TRAKMIL_RANDOM_SEED and TRAKMIL_RANDOM_SEQUENCES
// choose other runs than the quick fixed one.
#include "MainWindowFixture.h"
#include "common/Printers.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "lang/ProgramTranslator.h"
#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }

const char *const kWords[] = {"ШАГ",  "ПРЫЖОК", "ПОВОРОТ 90", "НАЧАЛО АЛГОРИТМА", "КОНЕЦ АЛГОРИТМА",
                              "STEP", "JUMP",   "ROTATE 45",  "ALGORITHM BEGIN",  "pas",
                              " ",    "x",      "цвет"};

int setting(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

// The texts the document has held since it was opened or made new, in order, and where
// in that history the editor stands. Undo and redo may take several of them at once (the
// toolkit joins a typed run), never one from before the document.
struct Model {
    QStringList history {QString()};
    int at = 0;
    QString text() const { return history.at(at); }
    void edit(const QString &t)
    {
        if (t == text()) return;
        history = history.mid(0, at + 1);
        history.append(t);
        at = int(history.size()) - 1;
    }
    void reset(const QString &t)
    {
        history = {t};
        at = 0;
    }
};
}   // namespace

class RandomEditing : public MainWindowTest {
protected:
    QRandomGenerator rng;
    Model model;
    QString pool[3];
    QHash<QString, QString> disk;   // what each file holds, as the model saved it
    QString file;   // the file the model's text belongs to
    QString scratch;
    int steps = 0;

    AlgorithmEditor *ed() const { return window->editor(); }
    int pick(int n) { return int(rng.bounded(n)); }
    QString word() { return u(kWords[pick(int(std::size(kWords)))]); }
    void caretAt(int pos)
    {
        QTextCursor c(ed()->document());
        c.setPosition(pos);
        ed()->setTextCursor(c);
    }
    void typeText(const QString &t)
    {
        for (QChar c : t) {
            const int code = c.isLetter() ? int(Qt::Key_unknown) : int(c.unicode());
            QTest::sendKeyEvent(QTest::Click, ed(), Qt::Key(code), QString(c), Qt::NoModifier);
            model.edit(ed()->toPlainText());   // each key may be a step of its own
        }
    }
    void answerNextQuestion(bool yes)
    {
        if (window->documentState() == MainWindow::DocumentState::Changed) prompts.answers.enqueue(yes);
    }

    // One random action and the text the model expects after it.
    std::string act()
    {
        QString expected = model.text();
        const int len = int(expected.size());
        const int pos = pick(len + 1);
        switch (pick(14)) {
        case 0:
        case 1: {
            caretAt(pos);
            const QString w = word();
            const QString start = model.text();
            typeText(w);
            EXPECT_EQ(ed()->toPlainText(), QString(start).insert(pos, w));
            return "type";
        }
        case 2:
            caretAt(pos);
            QTest::keyClick(ed(), Qt::Key_Return);
            model.edit(expected.insert(pos, QLatin1Char('\n')));
            return "enter";
        case 3: {
            const QString t = word() + (pick(2) ? QStringLiteral("\n") + word() : QString());
            QApplication::clipboard()->setText(t);
            caretAt(pos);
            window->action(Command::Paste)->trigger();
            model.edit(expected.insert(pos, t));
            return "paste";
        }
        case 4: {
            // A command put in at the start of a line, as the command dialogs do.
            const int line = pick(ed()->lineCount());
            ed()->setCaret(line, 0);
            const int start = ed()->textCursor().position();
            const bool destroy = pick(2);
            window->action(destroy ? Command::Destroy : Command::Rebuild)->trigger();
            const QString cmd = destroy ? u("УНИЧТОЖИТЬ") : u("ВОССТАНОВИТЬ");
            const bool emptyLine = ed()->document()->findBlockByNumber(line).length() <= 1 ||
                                   model.text().split(QLatin1Char('\n')).value(line).isEmpty();
            model.edit(expected.insert(start, emptyLine ? cmd : cmd + QLatin1Char('\n')));
            return "paste code";
        }
        case 5: {
            if (len == 0) return "cut (nothing)";
            const int a = pick(len), b = a + 1 + pick(len - a);
            QTextCursor c(ed()->document());
            c.setPosition(a);
            c.setPosition(b, QTextCursor::KeepAnchor);
            ed()->setTextCursor(c);
            window->action(Command::Cut)->trigger();
            model.edit(expected.remove(a, b - a));
            return "cut";
        }
        case 6: {
            QTest::keyClick(ed(), Qt::Key_Z, Qt::ControlModifier);
            const QString now = ed()->toPlainText();
            if (model.at == 0) {
                EXPECT_EQ(now, model.text()) << "undo crossed into the text before";
                return "undo (nothing)";
            }
            int j = model.at - 1;
            while (j > 0 && model.history.at(j) != now) --j;
            EXPECT_EQ(model.history.at(j), now) << "undo reached a text this document never held";
            model.at = j;
            return "undo";
        }
        case 7: {
            window->action(Command::Redo)->trigger();
            const QString now = ed()->toPlainText();
            int j = model.at;
            while (j + 1 < model.history.size() && model.history.at(j) != now) ++j;
            if (model.at + 1 < model.history.size()) {
                EXPECT_NE(now, model.text()) << "redo did nothing";
            }
            model.at = model.history.at(j) == now ? j : model.at;
            return "redo";
        }
        case 8: {
            const bool yes = pick(2);
            const bool asks = window->documentState() == MainWindow::DocumentState::Changed;
            answerNextQuestion(yes);
            const int which = pick(3);
            prompts.openPaths.enqueue(pool[which]);
            window->action(Command::Open)->trigger();
            prompts.openPaths.clear();
            if (!asks || yes) {
                model.reset(disk.value(pool[which]));
                file = pool[which];
            }
            return "open";
        }
        case 9: {
            const bool yes = pick(2);
            const bool asks = window->documentState() == MainWindow::DocumentState::Changed;
            answerNextQuestion(yes);
            window->action(Command::New)->trigger();
            if (!asks || yes) {
                model.reset(QString());
                file.clear();
            }
            return yes ? "new (yes)" : "new (no)";
        }
        case 10: {
            const QStringList lines = model.text().split(QLatin1Char('\n'));
            const Language source = ProgramTranslator::detectLanguage(lines, Language::Rus);
            window->action(Command::TranslateProgram)->trigger();
            if (source != Language::Rus)
                model.edit(
                    ProgramTranslator(source, Language::Rus).translate(lines).lines.join(QLatin1Char('\n')));
            if (!ed()->document()->isRedoAvailable()) model.history = model.history.mid(0, model.at + 1);
            return "translate";
        }
        case 11:
            // Colouring is an edit of the document: when it recolours anything, what
            // was undone can no longer be redone.
            window->action(Command::Refresh)->trigger();
            if (!ed()->document()->isRedoAvailable()) model.history = model.history.mid(0, model.at + 1);
            return "refresh";
        case 12:
        default: {
            const bool as = pick(2) || file.isEmpty();
            const QString target = path("saved-%1.tkm").arg(pick(2));
            prompts.savePaths.enqueue(target);
            window->action(as ? Command::SaveAs : Command::Save)->trigger();
            prompts.savePaths.clear();
            if (as) file = target;
            disk[file] = model.text();
            return as ? "save as" : "save";
        }
        }
    }

    // The editor holds the model's text, and saving writes exactly that text.
    void check(const std::string &action)
    {
        const QString text = ed()->toPlainText();
        ASSERT_EQ(text, model.text()) << "after " << action;
        ASSERT_TRUE(saveProgramFile(scratch, styledFromDocument(*ed()->document()), nullptr));
        StyledText back;
        ASSERT_TRUE(loadProgramFile(scratch, back, nullptr));
        const QStringList lines = plainLines(back);
        ASSERT_EQ(lines.join(QLatin1Char('\n')), text) << "a save of it, read back, after " << action;
        ASSERT_EQ(window->currentFile(), file) << "after " << action;
        for (auto it = disk.cbegin(); it != disk.cend(); ++it) {
            StyledText saved;
            ASSERT_TRUE(loadProgramFile(it.key(), saved, nullptr));
            ASSERT_EQ(plainLines(saved).join(QLatin1Char('\n')), it.value())
                << it.key().toStdString() << " after " << action;
        }
    }

    static constexpr const char *kPool[3] = {"ШАГ\nПРЫЖОК", "ALGORITHM BEGIN\nSTEP\nALGORITHM END", "x"};
};

TEST_F(RandomEditing, EverySequenceKeepsTheTextAPupilExpects)
{
    const int seed = setting("TRAKMIL_RANDOM_SEED", 20);
    const int sequences = setting("TRAKMIL_RANDOM_SEQUENCES", 8);
    scratch = path("scratch.tkm");
    for (int i = 0; i < 3; ++i) {
        pool[i] = path("pool-%1.tkm").arg(i);
        StyledText t;
        for (const QString &line : u(kPool[i]).split(QLatin1Char('\n'))) t.append(StyledLine {line, {}});
        ASSERT_TRUE(saveProgramFile(pool[i], t, nullptr));
        disk[pool[i]] = u(kPool[i]);
    }
    for (int s = 0; s < sequences; ++s) {
        rng.seed(quint32(seed) * 7919u + quint32(s));
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", sequence " << s);
        open();
        window->show();
        QApplication::setActiveWindow(window.get());
        ed()->setFocus();
        model.reset(QString());
        file.clear();
        std::string trail;
        for (int step = 0; step < 30; ++step) {
            std::string action;
            {
                SCOPED_TRACE(trail);
                action = act();
            }
            trail += action + "; ";
            SCOPED_TRACE(trail);
            check(action);
            if (HasFatalFailure() || HasNonfatalFailure()) return;
            ++steps;
        }
        window.reset();
    }
    RecordProperty("steps", steps);
}
