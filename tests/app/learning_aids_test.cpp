// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Stepping, running to the caret, the run-state window, the examples menu and line numbers.
#include "MainWindowFixture.h"
#include "app/ExamplesFolder.h"
#include "app/Mnemonics.h"
#include "app/RunStateWindow.h"
#include "common/TypeKeys.h"
#include "common/ObjectNames.h"
#include "documents/ProgramFile.h"
#include "base/TextCatalogue.h"
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>

namespace {

const char *kNested = "НАЧАЛО АЛГОРИТМА\n"
                      "ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ\n"
                      "ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ\n"
                      "ПОВОРОТ 90\n"
                      "КОНЕЦ ЦИКЛА\n"
                      "ВЫПОЛНИТЬ П\n"
                      "КОНЕЦ ЦИКЛА\n"
                      "КОНЕЦ АЛГОРИТМА";

const char *kWithProcedure = "ПРОЦЕДУРА П\n"
                             "ШАГ\n"
                             "КОНЕЦ ПРОЦЕДУРЫ\n";

QString withProcedure(const char *body)
{
    return QString::fromUtf8(kWithProcedure) + QString::fromUtf8(body);
}

}   // namespace

class LearningAidsTest : public MainWindowTest {
protected:
    void setText(const QString &text) { window->editor()->setPlainText(text); }
    int nextLine() { return window->interpreter().currentLine(); }
    // Timer timeouts until the run pauses or ends.
    void runToCursorUntilItStops(int limit = 1000)
    {
        for (int i = 0; i < limit && window->runController().isRunning(); ++i) timeout(ObjectName::RunTimer);
    }
};

TEST_F(LearningAidsTest, ExecuteOneLineStartsPausedAndStepsWithThePausedLocks)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::StepLine)->trigger();
    ASSERT_TRUE(window->runController().isActive());
    EXPECT_EQ(window->runController().state(), RunController::State::Paused);
    EXPECT_EQ(window->runController().ticks(), 1);
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("НАЧАЛО АЛГОРИТМА"));
    EXPECT_FALSE(timer(ObjectName::RunTimer)->isActive());
    EXPECT_TRUE(window->editor()->isReadOnly());
    EXPECT_FALSE(enabled(ObjectName::RunItem));
    EXPECT_TRUE(enabled(ObjectName::PauseItem));
    EXPECT_TRUE(enabled(ObjectName::StopItem));

    window->action(Command::StepLine)->trigger();
    EXPECT_EQ(window->runController().ticks(), 2);
    EXPECT_EQ(window->robotWorld().state().x, 1);
    EXPECT_EQ(window->runController().state(), RunController::State::Paused);

    // F9 resumes at the speed setting; a step while running pauses.
    auto *resume = window->findChild<QAction *>(QStringLiteral("resumeKey"));
    ASSERT_TRUE(resume);
    EXPECT_TRUE(resume->isEnabled());
    EXPECT_EQ(resume->shortcut(), QKeySequence(Qt::Key_F9));
    resume->trigger();
    EXPECT_TRUE(window->runController().isRunning());
    EXPECT_TRUE(timer(ObjectName::RunTimer)->isActive());
    EXPECT_FALSE(resume->isEnabled());   // Run's own F9 is not shadowed
    window->action(Command::StepLine)->trigger();
    EXPECT_EQ(window->runController().state(), RunController::State::Paused);
    EXPECT_EQ(window->runController().ticks(), 2);

    window->action(Command::Stop)->trigger();
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_FALSE(resume->isEnabled());
    EXPECT_TRUE(enabled(ObjectName::RunItem));
    EXPECT_FALSE(window->editor()->isReadOnly());
}

TEST_F(LearningAidsTest, ExecuteOneLineChecksFirstAndIsOffInManualMode)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАК\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::StepLine)->trigger();
    EXPECT_FALSE(window->runController().isActive());
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].hint, QString::fromUtf8("Возможно, имелось в виду: \"ШАГ\"."));
    window->action(Command::ManualMode)->trigger();
    EXPECT_FALSE(window->action(Command::StepLine)->isEnabled());
    EXPECT_FALSE(window->action(Command::RunToCursor)->isEnabled());
}

TEST_F(LearningAidsTest, TheCheckHintsAtAProgramInAnotherLanguageAMissingProcedureAndAnUnknownColour)
{
    open();
    const Language ru = Language::Rus;
    auto hint = [ru](const char *key) { return uiText(QByteArray("hint.") + key, ru).value(); };
    setText(QStringLiteral("ALGORITHM BEGIN\nSTEP\nALGORITHM END"));
    window->action(Command::Check)->trigger();
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_EQ(prompts.reports[0].hint, hint("programInOtherLanguage")
                                           .arg(hint("langEng"), uiText("menu.translateProgram", ru).value(),
                                                uiText("menu.program", ru).value()));
    setText(QString::fromUtf8("ПРОЦЕДУРА КВАДРАТ\nШАГ\nКОНЕЦ ПРОЦЕДУРЫ\nНАЧАЛО АЛГОРИТМА\nВЫПОЛНИТЬ КВАДРАД\n"
                              "КОНЕЦ АЛГОРИТМА"));
    window->action(Command::Run)->trigger();
    EXPECT_FALSE(window->runController().isActive());
    ASSERT_EQ(prompts.reports.size(), 2);
    EXPECT_EQ(prompts.reports[1].hint,
              hint("procedureNearest")
                  .arg(QString::fromUtf8("КВАДРАД"), QString::fromUtf8("ПРОЦЕДУРА КВАДРАТ"))
                  .arg(1));
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("ВЫПОЛНИТЬ КВАДРАД"));
    // What the check lets through is a warning after it, and never stops a run.
    setText(QString::fromUtf8("НАЧАЛО АЛГОРИТМА\nЦВЕТ=КРАСНЫЙЙ\nШАГ\nКОНЕЦ АЛГОРИТМА"));
    window->action(Command::Check)->trigger();
    ASSERT_EQ(prompts.reports.size(), 3);
    EXPECT_EQ(prompts.reports[2].heading, hint("warnings"));
    EXPECT_TRUE(prompts.reports[2].texts.contains(
        hint("unknownColour").arg(2).arg(QString::fromUtf8("КРАСНЫЙЙ"), QString::fromUtf8("КРАСНЫЙ"))));
    window->action(Command::Run)->trigger();
    EXPECT_TRUE(window->runController().isActive());
    EXPECT_EQ(prompts.reports.size(), 3);
}

TEST_F(LearningAidsTest, RunToCursorPausesInsideALoopAndAProcedureAndRunsPastANeverReachedLine)
{
    open();
    setText(withProcedure(kNested));
    // The turn inside the inner loop: paused before it, then before its next pass.
    window->editor()->setCaret(6, 0);
    window->action(Command::RunToCursor)->trigger();
    runToCursorUntilItStops();
    ASSERT_EQ(window->runController().state(), RunController::State::Paused);
    EXPECT_EQ(nextLine(), 6);
    EXPECT_EQ(window->editor()->textCursor().selectedText(), QString::fromUtf8("ПОВОРОТ 90"));
    EXPECT_EQ(window->robotWorld().state().heading, 0);
    window->action(Command::RunToCursor)->trigger();   // the caret is on that line still
    runToCursorUntilItStops();
    EXPECT_EQ(nextLine(), 6);
    EXPECT_EQ(window->robotWorld().state().heading, 2);   // one turn done
    ASSERT_EQ(window->runController().snapshot().loops.size(), 2u);
    EXPECT_EQ(window->runController().snapshot().loops[0].pass, 2);

    // Into the procedure.
    window->editor()->setCaret(1, 0);
    window->action(Command::RunToCursor)->trigger();
    runToCursorUntilItStops();
    EXPECT_EQ(nextLine(), 1);
    const RunSnapshot s = window->runController().snapshot();
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.calls[0].callerLine, 8);
    EXPECT_EQ(s.calls[0].name, QStringLiteral("П"));
    // After a run to the cursor the run goes on at the speed setting.
    window->action(Command::Pause)->trigger();
    EXPECT_EQ(timer(ObjectName::RunTimer)->interval(), 150);   // speed 3's, as the interpreter set it
    window->action(Command::Stop)->trigger();

    // A line the run never reaches: the run goes to its end.
    setText(withProcedure(kNested) + QStringLiteral("\n* после конца"));
    window->editor()->setCaret(11, 0);
    window->action(Command::RunToCursor)->trigger();
    runToCursorUntilItStops();
    EXPECT_FALSE(window->runController().isActive());
    EXPECT_EQ(window->robotWorld().state().x, 3);
}

TEST_F(LearningAidsTest, RunStateWindowShowsLoopsCallsAndTheRobotInEachLanguage)
{
    open();
    setText(withProcedure(kNested));
    window->editor()->setCaret(6, 0);
    window->action(Command::RunToCursor)->trigger();
    runToCursorUntilItStops();
    window->action(Command::RunToCursor)->trigger();
    runToCursorUntilItStops();   // inner pass 2 of 4, outer pass 1 of 3
    window->action(Command::RunState)->trigger();
    RunStateWindow *w = window->findChild<RunStateWindow *>();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    struct Expect {
        const char *code;
        const char *title, *loops, *paused;
    };
    const Expect cases[] = {
        {"rus", "Состояние выполнения", "проход 2 из 4", "Пауза"},
        {"rom", "Starea executiei", "trecerea 2 din 4", "Pauza"},
        {"eng", "Run state", "pass 2 of 4", "Paused"},
    };
    for (const Expect &e : cases) {
        window->settings().language = QString::fromLatin1(e.code);
        window->applyLanguage();
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(e.title));
        const QString loops = w->valueText(1);
        EXPECT_TRUE(loops.startsWith(QString::fromUtf8("6: ЦИКЛ. ВЫПОЛНИТЬ 4 РАЗ"))) << loops.toStdString();
        EXPECT_TRUE(loops.contains(QString::fromUtf8("\n5: ЦИКЛ. ВЫПОЛНИТЬ 3 РАЗ"))) << loops.toStdString();
        EXPECT_TRUE(loops.contains(QString::fromUtf8(e.loops))) << loops.toStdString();
        EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("runState"))->text(), QString::fromUtf8(e.paused));
        EXPECT_EQ(w->valueText(0), QString::fromUtf8("7: ПОВОРОТ 90"));
        EXPECT_EQ(w->valueText(2),
                  uiText("runstate.none", languageFromCode(QString::fromLatin1(e.code))).value());
        EXPECT_EQ(w->valueText(6), QString::fromUtf8("↓"));   // one turn of 90 from east
        EXPECT_EQ(w->valueText(7),
                  uiText("runstate.shown", languageFromCode(QString::fromLatin1(e.code))).value());
        EXPECT_EQ(w->valueText(4), ColourTable::name(ColourTable::indexOf(0x000000),
                                                     languageFromCode(QString::fromLatin1(e.code))));
    }
    window->action(Command::Stop)->trigger();
    EXPECT_TRUE(w->isVisible());   // stays as the pupil left it
}

// Every loop and call of the run-state window reads on one line, in every Language: a
// pass is never split over two ("проход 2 из" / "4").
TEST_F(LearningAidsTest, RunStateWindowShowsEachLoopAndCallOnOneLine)
{
    open();
    setText(withProcedure(kNested));
    window->editor()->setCaret(1, 0);   // inside the procedure, called from both loops
    window->action(Command::RunToCursor)->trigger();
    runToCursorUntilItStops();
    window->action(Command::RunState)->trigger();
    RunStateWindow *w = window->findChild<RunStateWindow *>();
    ASSERT_TRUE(w);
    // How many lines the label shows its text on, as it lays the text out.
    auto shownLines = [w](int row) {
        const QString text = w->valueText(row);
        for (QLabel *label : w->findChildren<QLabel *>()) {
            if (label->text() != text) continue;
            int lines = 0;
            for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
                QTextLayout layout(paragraph, label->font());
                QTextOption option;
                option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
                layout.setTextOption(option);
                layout.beginLayout();
                for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
                    l.setLineWidth(label->contentsRect().width());
                    ++lines;
                    EXPECT_LE(l.naturalTextWidth(), label->contentsRect().width())
                        << "cut: " << paragraph.toStdString();
                }
                layout.endLayout();
            }
            return lines;
        }
        ADD_FAILURE() << "no label shows " << text.toStdString();
        return 0;
    };
    for (const char *code : {"rus", "rom", "eng"}) {
        SCOPED_TRACE(code);
        window->settings().language = QString::fromLatin1(code);
        window->applyLanguage();
        QApplication::processEvents();   // the window takes the size its texts ask for
        EXPECT_EQ(shownLines(1), w->valueText(1).count(QLatin1Char('\n')) + 1)
            << w->valueText(1).toStdString();
        EXPECT_EQ(shownLines(2), 1) << w->valueText(2).toStdString();
    }
    window->action(Command::Stop)->trigger();
}

TEST_F(LearningAidsTest, RunStateWindowIsRefreshedByItsOwnTimerNotByEveryTick)
{
    open();
    setText(withProcedure(kNested));
    window->action(Command::RunState)->trigger();
    window->action(Command::Run)->trigger();
    ASSERT_TRUE(window->runController().isRunning());
    EXPECT_TRUE(timer(ObjectName::RunStateTimer)->isActive());
    EXPECT_GE(timer(ObjectName::RunStateTimer)->interval(), 100);
    const QString before = window->findChild<RunStateWindow *>()->valueText(8);
    for (int i = 0; i < 5; ++i) window->runController().tick();
    EXPECT_EQ(window->findChild<RunStateWindow *>()->valueText(8), before);   // ticks alone do not repaint it
    window->action(Command::Pause)->trigger();
    EXPECT_FALSE(timer(ObjectName::RunStateTimer)->isActive());
    EXPECT_EQ(window->findChild<RunStateWindow *>()->valueText(8),
              QString::number(window->runController().ticks()));
}

TEST_F(LearningAidsTest, ExamplesMenuListsTheLanguagesExamplesByTitleAndOpensOneAsNew)
{
    examplesFolder = QStringLiteral(TRAKMIL_EXAMPLES);
    open();
    QMenu *examples = window->menu(MenuId::Examples);
    ASSERT_TRUE(examples);
    for (const char *code : {"rus", "rom", "eng"}) {
        window->settings().language = QString::fromLatin1(code);
        window->applyLanguage();
        const QDir folder(QStringLiteral(TRAKMIL_EXAMPLES "/") + QString::fromLatin1(code));
        const QStringList files = folder.entryList({QStringLiteral("*.tkm")}, QDir::Files, QDir::Name);
        EXPECT_TRUE(examples->menuAction()->isVisible());
        // Filled as it is about to show, in the Language applied last, once.
        emit examples->aboutToShow();
        emit examples->aboutToShow();
        ASSERT_EQ(examples->actions().size(), files.size()) << code;
        EXPECT_EQ(plainCaption(examples->title()),
                  uiText("menu.examples", languageFromCode(QString::fromLatin1(code))).value());
        QSet<QChar> letters;
        for (int i = 0; i < files.size(); ++i) {
            const QString title = plainCaption(examples->actions().at(i)->text());
            EXPECT_FALSE(title.endsWith(QStringLiteral(".tkm"))) << title.toStdString();
            EXPECT_FALSE(title.startsWith(QLatin1Char('*')));
            EXPECT_EQ(title, exampleTitle(folder.filePath(files.at(i))));
            letters.insert(mnemonicLetter(examples->actions().at(i)->text()));
        }
        // Each entry reachable by its own letter, as the bar's own menus are.
        EXPECT_FALSE(letters.contains(QChar()));
        EXPECT_EQ(letters.size(), files.size()) << code;
    }
    setProgram("НАЧАЛО АЛГОРИТМА\nКОНЕЦ АЛГОРИТМА");   // unsaved
    window->editor()->setCaret(1, 15);
    typeKeys(window->editor(), QStringLiteral(" "));
    ASSERT_EQ(window->documentState(), MainWindow::DocumentState::Changed);
    prompts.answers.enqueue(false);
    examples->actions().first()->trigger();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(window->editor()->lineCount(), 2);   // kept
    examples->actions().first()->trigger();   // Yes
    EXPECT_GT(window->editor()->lineCount(), 2);
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_FALSE(prompts.saveFolder.isEmpty());
    window->action(Command::Save)->trigger();
    EXPECT_EQ(prompts.saveTitles.size(), 1);   // Save asks for a name
}

// The gutter numbers the lines the status bar counts: an empty last line has no number,
// an empty text has line 1, and the width follows that count.
TEST_F(LearningAidsTest, LineNumberGutterNumbersTheLinesTheStatusBarCounts)
{
    open(QString(), "[int]\nlanguage=rus\nlinenumbers=1\n");
    window->show();
    AlgorithmEditor *e = window->editor();
    // How many lines show a number: rows of the gutter with anything drawn on them.
    auto numbered = [e] {
        const QImage shot = e->lineNumberGutter()->grab().toImage();
        const QColor paper = e->palette().color(QPalette::Window);
        int n = 0;
        for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
            const QRect row = e->cursorRect(QTextCursor(b));
            bool ink = false;
            for (int y = std::max(0, row.top()); y <= row.bottom() && y < shot.height() && !ink; ++y)
                for (int x = 0; x < shot.width() && !ink; ++x) ink = shot.pixelColor(x, y) != paper;
            n += ink;
        }
        return n;
    };
    auto counted = [this] {
        timeout(ObjectName::LinePanelTimer);
        return panel(StatusPanel::Lines);
    };
    struct Case {
        const char *text;
        int lines;
    };
    for (const Case &c : {Case {"ШАГ\nШАГ\n", 2}, Case {"ШАГ\nШАГ", 2}, Case {"", 1}, Case {"\n\n", 2}}) {
        SCOPED_TRACE(c.text);
        setProgram(c.text);
        EXPECT_EQ(counted(), QStringLiteral("Всего строк: %1").arg(c.lines));
        EXPECT_EQ(numbered(), c.lines);
    }
    // Typing on the empty last line gives it its number.
    setProgram("ШАГ\n");
    e->setCaret(1, 0);
    typeKeys(e, QStringLiteral("ШАГ"));
    EXPECT_EQ(counted(), QStringLiteral("Всего строк: 2"));
    EXPECT_EQ(numbered(), 2);

    QStringList lines;
    for (int i = 0; i < 99; ++i) lines << QStringLiteral("ШАГ");
    e->setPlainText(lines.join(QLatin1Char('\n')));
    const int twoDigits = e->gutterWidth();
    e->setPlainText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(e->gutterWidth(), twoDigits) << "99 lines and an empty one";
    e->setCaret(99, 0);
    typeKeys(e, QStringLiteral("ШАГ"));
    EXPECT_GT(e->gutterWidth(), twoDigits) << "the hundredth line";
}

TEST_F(LearningAidsTest, LineNumberGutterIsOffByDefaultAndFitsTenThousandLines)
{
    open();
    EXPECT_FALSE(window->editor()->lineNumbersVisible());
    EXPECT_EQ(window->editor()->gutterWidth(), 0);
    window.reset();
    open(QString(), "[int]\nlanguage=rus\nlinenumbers=1\n");
    AlgorithmEditor *e = window->editor();
    ASSERT_TRUE(e->lineNumbersVisible());
    window->show();
    const int narrow = e->gutterWidth();
    EXPECT_GT(narrow, 0);
    EXPECT_EQ(e->viewport()->geometry().left(), e->lineNumberGutter()->geometry().right() + 1);
    EXPECT_TRUE(e->lineNumberGutter()->isVisible());
    QStringList many;
    for (int i = 0; i < 10000; ++i) many << QStringLiteral("ШАГ");
    e->setPlainText(many.join(QLatin1Char('\n')));
    EXPECT_GT(e->gutterWidth(), narrow);   // five digits
    EXPECT_GE(e->gutterWidth(), e->fontMetrics().horizontalAdvance(QStringLiteral("10000")));
    e->setCaret(9999, 0);
    e->setRunLine(9999);
    const QImage shot = e->lineNumberGutter()->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    // The run line is marked in the highlight colour.
    bool marked = false;
    for (int y = 0; y < shot.height() && !marked; ++y)
        marked = shot.pixelColor(1, y) == e->palette().color(QPalette::Highlight);
    EXPECT_TRUE(marked);
    e->setPlainText(QStringLiteral("ШАГ"));
    EXPECT_EQ(e->gutterWidth(), narrow);
}
