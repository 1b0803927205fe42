// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Undo never takes a pupil past the program they opened, and Redo gives back what Undo took.
#include "MainWindowFixture.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include "common/TypeKeys.h"
#include <functional>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }

StyledText content(AlgorithmEditor *ed) { return styledFromDocument(*ed->document()); }

// Text and every character's colour, readable in a failure message.
std::string describe(const StyledText &t)
{
    QString out;
    for (const StyledLine &line : t) {
        out += line.text + QStringLiteral(" [");
        for (QRgb c : characterColours(line)) out += QString::number(c & 0xFFFFFF, 16) + QLatin1Char(' ');
        out += QStringLiteral("]\n");
    }
    return out.toStdString();
}
#define EXPECT_SAME_CONTENT(a, b) EXPECT_TRUE(sameContent(a, b)) << describe(a) << "---\n" << describe(b)

const char kProgram[] = "НАЧАЛО АЛГОРИТМА\nШАГ\nПОВОРОТ 90\nКОНЕЦ АЛГОРИТМА";
}   // namespace

class UndoRedoTest : public MainWindowTest {
protected:
    AlgorithmEditor *ed() const { return window->editor(); }
    void ctrl(Qt::Key k) { QTest::keyClick(ed(), k, Qt::ControlModifier); }
    // Both controls of each command agree, and say whether there is a step to take.
    void expectAvailable(bool undo, bool redo)
    {
        EXPECT_EQ(window->action(Command::Undo)->isEnabled(), undo);
        EXPECT_EQ(window->toolButton(Command::Undo)->isEnabled(), undo);
        EXPECT_EQ(window->action(Command::Redo)->isEnabled(), redo);
        EXPECT_EQ(window->toolButton(Command::Redo)->isEnabled(), redo);
    }
    void show()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        ed()->setFocus();
    }
    QString writeProgram(const char *name)
    {
        const QString p = path(name);
        StyledText t;
        for (const QString &line : u(kProgram).split(QLatin1Char('\n')))
            t.append(StyledLine {line, {{int(line.size()), 0x0000FF}}});
        EXPECT_TRUE(saveProgramFile(p, t, nullptr));
        return p;
    }
};

TEST_F(UndoRedoTest, AnOpenedOrStartUpProgramIsNotUndoneAndSavingItKeepsTheFile)
{
    for (bool atStartUp : {false, true}) {
        SCOPED_TRACE(atStartUp ? "start-up file" : "Open");
        const QString file = writeProgram(atStartUp ? "startup.tkm" : "opened.tkm");
        StyledText onDisk;
        ASSERT_TRUE(loadProgramFile(file, onDisk, nullptr));
        open(atStartUp ? file : QString());
        show();
        if (!atStartUp) {
            typeKeys(ed(), u("ШАГ\n"));   // something to lose, made before the file comes
            prompts.openPaths.enqueue(file);
            window->action(Command::Open)->trigger();
        }
        const StyledText opened = content(ed());
        expectAvailable(false, false);
        ctrl(Qt::Key_Z);
        window->action(Command::Undo)->trigger();
        window->toolButton(Command::Undo)->click();
        EXPECT_SAME_CONTENT(content(ed()), opened);
        EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Loaded);
        window->action(Command::Save)->trigger();
        StyledText saved;
        ASSERT_TRUE(loadProgramFile(file, saved, nullptr));
        EXPECT_EQ(plainLines(saved), plainLines(onDisk));
        EXPECT_SAME_CONTENT(saved, opened);
    }
}

TEST_F(UndoRedoTest, NewStartsWithNothingToUndo)
{
    open();
    show();
    typeKeys(ed(), u("ШАГ\nПРЫЖОК"));
    ctrl(Qt::Key_Z);
    expectAvailable(true, true);
    window->action(Command::New)->trigger();   // Yes
    expectAvailable(false, false);
    ctrl(Qt::Key_Z);
    ctrl(Qt::Key_Y);
    EXPECT_EQ(ed()->toPlainText(), QString());
    EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Empty);
}

TEST_F(UndoRedoTest, TypingUndoneAndRedoneComesBackWithItsColours)
{
    open();
    show();
    QList<StyledText> states {content(ed())};
    for (const char *piece : {"НАЧАЛО АЛГОРИТМА", "\n", "ш", "аг", "\n", "КОНЕЦ"}) {
        typeKeys(ed(), u(piece));
        states.append(content(ed()));
    }
    const StyledText typed = states.last();
    // Undo walks back through what was seen, every step a change of text.
    int undos = 0;
    while (window->action(Command::Undo)->isEnabled() && undos < 200) {
        const QString before = ed()->toPlainText();
        ctrl(Qt::Key_Z);
        EXPECT_NE(ed()->toPlainText(), before);
        EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Changed);
        ++undos;
        for (const StyledText &s : states) {
            if (plainLines(s) == plainLines(content(ed()))) {
                EXPECT_SAME_CONTENT(content(ed()), s);
            }
        }
    }
    EXPECT_SAME_CONTENT(content(ed()), states.first());
    expectAvailable(false, true);
    // Ctrl+Y, the item and the button all redo; they stop when there is nothing left.
    int redos = 0;
    while (window->action(Command::Redo)->isEnabled() && redos < 200) {
        switch (redos % 3) {
        case 0:
            ctrl(Qt::Key_Y);
            break;
        case 1:
            window->action(Command::Redo)->trigger();
            break;
        default:
            window->toolButton(Command::Redo)->click();
            break;
        }
        ++redos;
    }
    EXPECT_EQ(redos, undos);
    EXPECT_SAME_CONTENT(content(ed()), typed);
    expectAvailable(true, false);
    // A new edit after an undo leaves nothing to redo.
    ctrl(Qt::Key_Z);
    typeKeys(ed(), u("Х"));
    expectAvailable(true, false);
}

TEST_F(UndoRedoTest, EveryEditCommandIsOneStepBothWays)
{
    open({}, "[int]\nlanguage=eng\n");
    show();
    const std::pair<const char *, std::function<void()>> edits[] = {
        {"translate", [&] { window->action(Command::TranslateProgram)->trigger(); }},
        {"paste",
         [&] {
             QApplication::clipboard()->setText(u("STEP\nJUMP"));
             window->action(Command::Paste)->trigger();
         }},
        {"paste code", [&] { window->action(Command::Destroy)->trigger(); }},
        {"begin/end", [&] { window->action(Command::BeginEnd)->trigger(); }},
        {"cut",
         [&] {
             ed()->selectLine(ed()->lineCount() - 1);
             window->action(Command::Cut)->trigger();
         }},
        {"clear",
         [&] {
             prompts.answers.enqueue(true);
             window->action(Command::ClearAlgorithm)->trigger();
         }},
    };
    ed()->setPlainText(u(kProgram));
    ed()->startFreshHistory();
    for (const auto &[name, edit] : edits) {
        SCOPED_TRACE(name);
        const StyledText before = content(ed());
        edit();
        const StyledText after = content(ed());
        ASSERT_NE(plainLines(after), plainLines(before));
        ctrl(Qt::Key_Z);
        EXPECT_SAME_CONTENT(content(ed()), before);
        ctrl(Qt::Key_Y);
        EXPECT_SAME_CONTENT(content(ed()), after);
        EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Changed);
    }
}

TEST_F(UndoRedoTest, ManualModeHoldsBothCommandsAndGivesThemBack)
{
    open();
    show();
    typeKeys(ed(), u("ШАГ\nПРЫЖОК"));
    ctrl(Qt::Key_Z);
    expectAvailable(true, true);
    window->action(Command::ManualMode)->trigger();
    expectAvailable(false, false);
    window->action(Command::ManualMode)->trigger();
    expectAvailable(true, true);
}
