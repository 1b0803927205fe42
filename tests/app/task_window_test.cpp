// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "app/TaskPanel.h"
#include "base/TextCatalogue.h"
#include "run/Grading.h"
#include "world/FieldPicture.h"
#include "world/widgets/FieldView.h"

#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QTest>
#include <QTextBrowser>

namespace {

const char kModel[] = "ALGORITHM BEGIN\nCOLOR RED\nSTEP\nROTATE 90\nSTEP\nALGORITHM END";

QStringList lines(const char *text) { return QString::fromUtf8(text).split(QLatin1Char('\n')); }

QString eng(const char *key) { return uiText(key, Language::Eng).value_or(QString()); }

// Two fields of different sizes, the end position matters, JUMP is not allowed, and the
// pupil starts from an empty algorithm.
Task makeTask()
{
    Task task;
    task.title = QStringLiteral("A red corner");
    task.text = QStringLiteral("Draw a red corner.\n\nOne step east, then one south.");
    int failed = -1;
    FieldDrawing failure;
    const auto goals =
        goalsFromModel(lines(kModel), Language::Eng, {QSize(4, 4), QSize(6, 3)}, true, failed, failure);
    if (goals) task.fields = *goals;
    task.rules.forbidden = {TaskConstruct::Jump};
    task.start = StyledText {{QStringLiteral("ALGORITHM BEGIN"), {}}, {QStringLiteral("ALGORITHM END"), {}}};
    return task;
}

}   // namespace

class TaskWindowTest : public MainWindowTest {
protected:
    TaskPanel *taskPanel() const { return window->findChild<TaskPanel *>(QStringLiteral("taskPanel")); }
    QString writeTaskFile(const Task &task)
    {
        const QString file = path("corner.tkt");
        QString error;
        EXPECT_TRUE(saveTaskFile(file, task, &error, Language::Eng)) << error.toStdString();
        return file;
    }
    void checkTask()
    {
        QAction *check = window->action(Command::CheckTask);
        ASSERT_TRUE(check->isEnabled());
        check->trigger();
        // The check runs beside the window; the command comes back when it is done.
        ASSERT_TRUE(QTest::qWaitFor([check] { return check->isEnabled(); }, 60'000));
    }
    // The outer rim of a difference mark is black; the field under it never is there.
    bool markedAt(QPoint pixel) const
    {
        return qGray(window->field()->shownPixel(pixel.x(), pixel.y())) < 40;
    }
};

TEST_F(TaskWindowTest, APupilOpensATaskChecksAWrongProgramSeesTheMarksThenSolvesIt)
{
    const QString file = writeTaskFile(makeTask());
    open({}, "[int]\nlanguage=eng\n");
    const int narrowWidth = window->width();
    EXPECT_FALSE(window->action(Command::CheckTask)->isEnabled());
    prompts.openPaths << file;
    window->action(Command::Open)->trigger();
    ASSERT_TRUE(prompts.openFilters.constLast().contains(QStringLiteral("*.tkt")));

    // The task beside the field, its start program as an unnamed text, the first field's size
    // and its ghost on the field, never in the picture itself.
    TaskPanel *panel = taskPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isHidden());
    EXPECT_GT(window->width(), narrowWidth);
    EXPECT_EQ(panel->findChild<QLabel *>(QStringLiteral("taskTitle"))->text(),
              QStringLiteral("A red corner"));
    auto *taskText = panel->findChild<QTextBrowser *>(QStringLiteral("taskText"));
    EXPECT_TRUE(taskText->toPlainText().contains(QStringLiteral("One step east")));
    EXPECT_EQ(taskText->accessibleName(), eng("task.panel.text"));
    EXPECT_EQ(window->editor()->toPlainText(), QStringLiteral("ALGORITHM BEGIN\nALGORITHM END"));
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_EQ(window->robotWorld().fieldWidth(), 4);
    EXPECT_EQ(window->robotWorld().fieldHeight(), 4);
    EXPECT_TRUE(window->field()->showsGhost());
    const QPoint onFirstSegment = FieldPicture::nodePixel(0, 0) + QPoint(10, 0);
    EXPECT_NE(window->field()->shownPixel(onFirstSegment.x(), onFirstSegment.y()),
              window->field()->picture().image().pixel(onFirstSegment));
    window->action(Command::ShowGoal)->setChecked(false);
    EXPECT_FALSE(window->field()->showsGhost());
    window->action(Command::ShowGoal)->setChecked(true);
    EXPECT_EQ(panel->verdictText(), eng("task.result.notChecked"));

    // Wrong: the second segment is missing, the robot ends elsewhere, and JUMP is used.
    setProgram("ALGORITHM BEGIN\nCOLOR RED\nSTEP\nJUMP\nALGORITHM END");
    checkTask();
    EXPECT_EQ(panel->verdictText(), eng("task.result.notSolved"));
    const QStringList results = panel->resultLines();
    EXPECT_TRUE(results.contains(QStringLiteral("Field 1 (4 × 4): not yet")))
        << results.join('\n').toStdString();
    EXPECT_TRUE(results.contains(QStringLiteral("  \u2022 Segments that are missing: 1 (dashed)")));
    EXPECT_TRUE(results.contains(
        QStringLiteral("  \u2022 The robot must end at 1, 1 looking down; yours ends at 2, 0 "
                       "looking right.")));
    EXPECT_TRUE(
        results.contains(QStringLiteral("  \u2022 The task does not allow the command JUMP (line 4).")));
    // The pupil's drawing on the field, the missing segment (1,0)-(1,1) marked by its rim.
    ASSERT_TRUE(window->field()->showsMarks());
    const QPoint missingRim = FieldPicture::nodePixel(1, 0) + QPoint(-3, 3);
    EXPECT_TRUE(markedAt(missingRim));
    EXPECT_EQ(window->robotWorld().state().x, 2);

    // Choosing the second field shows it at its size; an edit clears the marks and says so.
    panel->chooseField(1);
    EXPECT_EQ(window->robotWorld().fieldWidth(), 6);
    EXPECT_EQ(window->robotWorld().fieldHeight(), 3);
    EXPECT_TRUE(window->field()->showsMarks());
    window->editor()->moveCursor(QTextCursor::End);
    window->editor()->insertPlainText(QStringLiteral("\n"));
    EXPECT_FALSE(window->field()->showsMarks());
    EXPECT_EQ(panel->verdictText(), eng("task.result.changed"));

    // Right: solved, every field right, no marks.
    setProgram(kModel);
    checkTask();
    EXPECT_EQ(panel->verdictText(), eng("task.result.solved"));
    EXPECT_TRUE(panel->resultLines().contains(QStringLiteral("Field 2 (6 × 3): right")));
    EXPECT_TRUE(panel->resultLines().contains(eng("task.result.rulesKept")));
    EXPECT_FALSE(window->field()->showsMarks());
    EXPECT_FALSE(markedAt(missingRim));

    // The panel follows the interface Language.
    window->settings().language = QStringLiteral("rus");
    window->applyLanguage();
    EXPECT_EQ(panel->verdictText(), uiText("task.result.solved", Language::Rus).value());

    // Closing the task gives the window back its size and the settings' field.
    panel->findChild<QPushButton *>(QStringLiteral("taskClose"))->click();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(window->width(), narrowWidth);
    EXPECT_FALSE(window->field()->showsGhost());
    EXPECT_EQ(window->robotWorld().fieldWidth(), 16);
    EXPECT_FALSE(window->action(Command::CheckTask)->isEnabled());
}

TEST_F(TaskWindowTest, ATaskComesAsTheStartUpFileAndABadOneIsRefusedLeavingTheText)
{
    const QString file = writeTaskFile(makeTask());
    open(file, "[int]\nlanguage=eng\n");
    ASSERT_NE(taskPanel(), nullptr);
    EXPECT_FALSE(taskPanel()->isHidden());
    EXPECT_TRUE(window->action(Command::CheckTask)->isEnabled());

    // A program that never ends gets a verdict, not a hang.
    setProgram("ALGORITHM BEGIN\nCYCLE. EXECUTE WHILE NOT LINE\nROTATE 90\nEND OF CYCLE\nALGORITHM END");
    checkTask();
    EXPECT_TRUE(taskPanel()->resultLines().join('\n').contains(QStringLiteral("did not end within")))
        << taskPanel()->resultLines().join('\n').toStdString();

    const QString bad = path("bad.tkt");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\"format\": \"trakmil-task\", \"version\": 99}");
    f.close();
    setProgram("ALGORITHM BEGIN\nSTEP\nALGORITHM END");
    prompts.openPaths << bad;
    window->action(Command::Open)->trigger();
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages.constLast().contains(QStringLiteral("99")));
    EXPECT_EQ(window->editor()->toPlainText(), QStringLiteral("ALGORITHM BEGIN\nSTEP\nALGORITHM END"));
    EXPECT_EQ(taskPanel()->findChild<QLabel *>(QStringLiteral("taskTitle"))->text(),
              QStringLiteral("A red corner"));
}

TEST_F(TaskWindowTest, AProgramSavedWithATaskOpenReopensItsTaskFromItsOwnFolder)
{
    const QString file = writeTaskFile(makeTask());
    open(file, "[int]\nlanguage=eng\n");
    setProgram(kModel);
    QDir(dir.path()).mkdir(QStringLiteral("work"));
    prompts.savePaths << path("work/corner-anna.tkm");
    window->action(Command::Save)->trigger();

    // The file names the task from its own folder; the text reads as before.
    StyledText styled;
    ProgramNotes notes;
    QString error;
    ASSERT_TRUE(loadProgramFile(path("work/corner-anna.tkm"), styled, notes, &error));
    EXPECT_EQ(notes.value(kNoteTaskFile), QStringLiteral("../corner.tkt"));
    EXPECT_EQ(plainLines(styled), lines(kModel));

    // A fresh window opening the program opens the task beside it, the text untouched.
    window.reset();
    open({}, "[int]\nlanguage=eng\n");
    prompts.openPaths << path("work/corner-anna.tkm");
    window->action(Command::Open)->trigger();
    ASSERT_FALSE(taskPanel()->isHidden());
    EXPECT_EQ(taskPanel()->findChild<QLabel *>(QStringLiteral("taskTitle"))->text(),
              QStringLiteral("A red corner"));
    EXPECT_EQ(window->editor()->toPlainText(), QString::fromUtf8(kModel));

    // A task that is gone is mentioned; the program opens all the same, and a save keeps
    // naming the task it was written for.
    window.reset();
    ASSERT_TRUE(QFile::rename(file, path("moved.tkt")));
    open(path("work/corner-anna.tkm"), "[int]\nlanguage=eng\n");
    EXPECT_TRUE(taskPanel()->isHidden());
    EXPECT_EQ(window->editor()->toPlainText(), QString::fromUtf8(kModel));
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.messages.isEmpty(); }, 5000));
    EXPECT_TRUE(prompts.messages.constLast().contains(QStringLiteral("corner.tkt")));
    window->action(Command::Save)->trigger();
    ASSERT_TRUE(loadProgramFile(path("work/corner-anna.tkm"), styled, notes, &error));
    EXPECT_EQ(notes.value(kNoteTaskFile), QStringLiteral("../corner.tkt"));
}

// The task's text is made when the first task opens: it must land under the title in the order
// Tab walks, be the only one however many tasks open, and follow a Language switch.
TEST_F(TaskWindowTest, TheTaskTextMadeWhenATaskOpensSitsUnderTheTitleAndFollowsTheLanguage)
{
    const QString file = writeTaskFile(makeTask());
    open({}, "[int]\nlanguage=eng\n");
    for (int opening = 0; opening < 2; ++opening) {
        prompts.openPaths << file;
        window->action(Command::Open)->trigger();
    }
    TaskPanel *panel = taskPanel();
    ASSERT_EQ(panel->findChildren<QTextBrowser *>().size(), 1);

    const QStringList named = {QStringLiteral("taskTitle"),    QStringLiteral("taskText"),
                               QStringLiteral("taskKeywords"), QStringLiteral("taskVerdict"),
                               QStringLiteral("taskResults"),  QStringLiteral("taskClose")};
    QStringList tabOrder;
    QWidget *w = panel->findChild<QLabel *>(named.first());
    for (int steps = 0; steps < 200 && tabOrder.size() < named.size(); ++steps, w = w->nextInFocusChain())
        if (named.contains(w->objectName()) && !tabOrder.contains(w->objectName()))
            tabOrder << w->objectName();
    EXPECT_EQ(tabOrder.join(QLatin1Char(' ')).toStdString(), named.join(QLatin1Char(' ')).toStdString());
    auto *layout = panel->layout();
    for (int i = 0; i < named.size(); ++i)
        EXPECT_EQ(layout->itemAt(i)->widget()->objectName(), named[i]) << i;

    auto *text = panel->findChild<QTextBrowser *>(QStringLiteral("taskText"));
    window->settings().language = QStringLiteral("rus");
    window->applyLanguage();
    EXPECT_EQ(text->accessibleName(), uiText("task.panel.text", Language::Rus).value_or(QString()));
    EXPECT_NE(text->accessibleName(), eng("task.panel.text"));
}
