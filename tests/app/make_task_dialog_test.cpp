// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's File → Make task: the program in the editor becomes the goal of a task file.
#include "MainWindowFixture.h"
#include "app/MakeTaskDialog.h"
#include "base/TextCatalogue.h"
#include "common/ModalHelper.h"
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

// Two red segments, east then south; the robot ends at node (1, 1) looking west.
const char kModel[] = "ALGORITHM BEGIN\nCOLOR RED\nCYCLE. EXECUTE 2 TIMES\nSTEP\nROTATE 90\nEND OF CYCLE\n"
                      "ALGORITHM END";

template <class T> T *part(QWidget *dialog, const QString &name)
{
    T *found = dialog->findChild<T *>(name);
    EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
    return found;
}
template <class T> T *part(QWidget *dialog, const char *name) { return part<T>(dialog, QLatin1String(name)); }
template <class T, class A> T *part(QWidget *dialog, const char *pattern, const A &arg)
{
    return part<T>(dialog, QString::fromLatin1(pattern).arg(arg));
}

class MakeTaskTest : public MainWindowTest {
protected:
    // An English window on a 10 x 8 field with `program` in its editor.
    void openWith(const char *program)
    {
        open();
        window->settings().language = QStringLiteral("eng");
        window->applyLanguage();
        window->settings().fieldWidth = 10;
        window->settings().fieldHeight = 8;
        setProgram(program);
    }
    // Runs File → Make task with `fill` acting on the dialog while it is up.
    void makeTask(std::function<void(MakeTaskDialog *)> fill)
    {
        bool shown = false;
        whenModal([&](QWidget *w) {
            shown = true;
            auto *dialog = qobject_cast<MakeTaskDialog *>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), QLatin1String(MakeTaskNames::Dialog));
            fill(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        window->action(Command::MakeTask)->trigger();
        EXPECT_TRUE(shown);
    }
    // A title and two fields, 10 x 8 as the window's and 4 x 3.
    static void fillTwoFields(MakeTaskDialog *d)
    {
        using namespace MakeTaskNames;
        part<QLineEdit>(d, Title)->setText(QStringLiteral("Corner"));
        part<QSpinBox>(d, FieldCount)->setValue(2);
        part<QSpinBox>(d, Width, 2)->setValue(4);
        part<QSpinBox>(d, Height, 2)->setValue(3);
    }
};

}   // namespace

TEST_F(MakeTaskTest, TheModelsDrawingOnEachFieldIsSavedWithTheRulesAndTexts)
{
    openWith(kModel);
    const QString target = path("corner.tkt");
    prompts.savePaths.enqueue(target);
    makeTask([&](MakeTaskDialog *d) {
        using namespace MakeTaskNames;
        // The first field is the one the window shows.
        EXPECT_EQ(part<QSpinBox>(d, Width, 1)->value(), 10);
        EXPECT_EQ(part<QSpinBox>(d, Height, 1)->value(), 8);
        // Nothing to save without a title.
        EXPECT_FALSE(part<QPushButton>(d, Save)->isEnabled());
        fillTwoFields(d);
        part<QPlainTextEdit>(d, Text)->setPlainText(QStringLiteral("Draw a corner.\n\nIn red."));
        part<QCheckBox>(d, EndMatters)->setChecked(true);
        part<QComboBox>(d, Rule, QStringLiteral("jump"))
            ->setCurrentIndex(int(MakeTaskDialog::RuleChoice::MustNot));
        part<QComboBox>(d, Rule, QStringLiteral("loop"))
            ->setCurrentIndex(int(MakeTaskDialog::RuleChoice::Must));
        part<QCheckBox>(d, LimitLines)->setChecked(true);
        // The model's seven statement lines are one too many for a limit of six: the teacher is told.
        part<QSpinBox>(d, MaxLines)->setValue(6);
        EXPECT_TRUE(part<QLabel>(d, RulesNote)->isVisibleTo(d));
        EXPECT_TRUE(part<QLabel>(d, RulesNote)
                        ->text()
                        .contains(uiText("task.rule.tooMany", Language::Eng)->arg(7).arg(6)));
        part<QSpinBox>(d, MaxLines)->setValue(7);
        part<QComboBox>(d, Start)->setCurrentIndex(int(MakeTaskDialog::StartChoice::Empty));
        // Both goals are shown before anything is saved; the model keeps its own rules.
        EXPECT_TRUE(part<QLabel>(d, Preview, 2)->isVisibleTo(d));
        EXPECT_FALSE(part<QLabel>(d, Preview, 2)->pixmap().isNull());
        EXPECT_FALSE(part<QLabel>(d, Preview, 3)->isVisibleTo(d));
        EXPECT_FALSE(part<QLabel>(d, RulesNote)->isVisibleTo(d));
        ASSERT_TRUE(part<QPushButton>(d, Save)->isEnabled()) << d->problem().toStdString();
        part<QPushButton>(d, Save)->click();
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(prompts.saveFilters,
              QStringList {toolkitFilter(uiText("task.openFilter", Language::Eng).value())});
    EXPECT_EQ(prompts.saveSuffixes, QStringList {QStringLiteral("tkt")});
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();

    QString error;
    const std::optional<Task> task = loadTaskFile(target, &error, Language::Eng);
    ASSERT_TRUE(task) << error.toStdString();
    int failedField = -1;
    FieldDrawing failure;
    const auto goals =
        goalsFromModel(QString::fromUtf8(kModel).split(QLatin1Char('\n')), Language::Eng,
                       {QSize(10, 8), QSize(4, 3)}, true, failedField, failure, window->settings().speed);
    ASSERT_TRUE(goals);
    ASSERT_EQ(task->fields.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const TaskField &saved = task->fields[i], &expected = (*goals)[i];
        EXPECT_EQ(QSize(saved.width, saved.height), QSize(expected.width, expected.height));
        ASSERT_EQ(saved.goal.size(), 2);
        ASSERT_EQ(saved.goal.size(), expected.goal.size());
        for (int s = 0; s < saved.goal.size(); ++s) {
            EXPECT_EQ(saved.goal[s].segment, expected.goal[s].segment);
            EXPECT_EQ(saved.goal[s].colour, expected.goal[s].colour);
        }
        EXPECT_EQ(saved.end, expected.end);
        EXPECT_EQ(saved.modelTicks, expected.modelTicks);
    }
    EXPECT_EQ(task->fields[0].end, (TaskGoalEnd {1, 1, 4}));
    EXPECT_EQ(task->title, QStringLiteral("Corner"));
    EXPECT_EQ(task->text, QStringLiteral("Draw a corner.\n\nIn red."));
    EXPECT_EQ(task->rules.maxStatementLines, 7);
    EXPECT_EQ(task->rules.required, QList<TaskConstruct> {TaskConstruct::CountedLoop});
    EXPECT_EQ(task->rules.forbidden, QList<TaskConstruct> {TaskConstruct::Jump});
    EXPECT_FALSE(task->language);
    ASSERT_TRUE(task->start);
    EXPECT_TRUE(task->start->isEmpty());
}

TEST_F(MakeTaskTest, AModelThatLeavesAFieldIsRefusedNamingItAndNothingIsWritten)
{
    // Three steps east fit the 10 x 8 field, not the 2 x 2 one.
    openWith("ALGORITHM BEGIN\nSTEP\nSTEP\nSTEP\nALGORITHM END");
    prompts.savePaths.enqueue(path("never.tkt"));
    makeTask([&](MakeTaskDialog *d) {
        using namespace MakeTaskNames;
        fillTwoFields(d);
        part<QSpinBox>(d, Width, 2)->setValue(2);
        part<QSpinBox>(d, Height, 2)->setValue(2);
        const QStringList problem = d->problem().split(QLatin1Char('\n'));
        EXPECT_EQ(problem.value(0), uiText("makeTask.refused", Language::Eng)->arg(2).arg(2).arg(2));
        EXPECT_GE(problem.size(), 2) << "no reason given";
        EXPECT_EQ(part<QLabel>(d, Problem)->text(), d->problem());
        EXPECT_TRUE(part<QLabel>(d, Problem)->isVisibleTo(d));
        EXPECT_FALSE(part<QPushButton>(d, Save)->isEnabled());
        d->save();   // as a stray Enter would
        EXPECT_TRUE(d->isVisible());
        // A field it fits lets it through again.
        part<QSpinBox>(d, Width, 2)->setValue(4);
        EXPECT_TRUE(d->problem().isEmpty()) << d->problem().toStdString();
    });
    EXPECT_TRUE(prompts.saveFilters.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("never.tkt")));
}

TEST_F(MakeTaskTest, ATaskThatCannotBeWrittenOrReadBackIsRefusedAndTheDialogKeepsItsInputs)
{
    openWith(kModel);
    const QString target = QDir(dir.path()).filePath(QStringLiteral("missing/corner.tkt"));
    prompts.savePaths.enqueue(target);
    makeTask([&](MakeTaskDialog *d) {
        fillTwoFields(d);
        // A task too large to be opened again is refused before a place is asked for.
        auto *text = part<QPlainTextEdit>(d, MakeTaskNames::Text);
        const QString paragraph = QString(99, QLatin1Char('a')) + QLatin1Char('\n');
        text->setPlainText(paragraph.repeated(Task::MaxFileBytes / paragraph.size() + 1));
        part<QPushButton>(d, MakeTaskNames::Save)->click();
        EXPECT_TRUE(prompts.saveFilters.isEmpty());
        EXPECT_EQ(prompts.messages.value(0),
                  uiText("task.error.tooLarge", Language::Eng)->arg(Task::MaxFileBytes));
        prompts.messages.clear();
        text->clear();
        part<QPushButton>(d, MakeTaskNames::Save)->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(part<QLineEdit>(d, MakeTaskNames::Title)->text(), QStringLiteral("Corner"));
        EXPECT_EQ(part<QSpinBox>(d, MakeTaskNames::FieldCount)->value(), 2);
    });
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QDir::toNativeSeparators(target) + QLatin1Char('\n')))
        << prompts.messages[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("missing"))));
}

TEST_F(MakeTaskTest, EveryControlHasANameAndALetterOfItsOwnInEachLanguage)
{
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng}) {
        SCOPED_TRACE(languageCode(lang).toStdString());
        openWith(kModel);
        window->settings().language = languageCode(lang);
        window->applyLanguage();
        makeTask([&](MakeTaskDialog *d) {
            EXPECT_EQ(d->windowTitle(), uiText("makeTask.caption", lang).value());
            EXPECT_EQ(part<QLineEdit>(d, MakeTaskNames::Title)->accessibleName(),
                      uiText("makeTask.title", lang)->chopped(1));
            QStringList letters;
            auto letterOf = [&](const QString &caption, QWidget *control) {
                const QChar letter = mnemonicLetter(caption);
                EXPECT_FALSE(letter.isNull()) << caption.toStdString();
                if (!letter.isNull()) letters << QString(letter);
                EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
            };
            for (QLabel *label : d->findChildren<QLabel *>())
                if (label->buddy() && label->text() != QStringLiteral("×"))
                    letterOf(label->text(), label->buddy());
            for (QAbstractButton *button : d->findChildren<QAbstractButton *>())
                letterOf(button->text(), button);
            EXPECT_EQ(letters.size(), 21);
            letters.removeDuplicates();
            EXPECT_EQ(letters.size(), 21) << letters.join(QLatin1Char(' ')).toStdString();
            // The controls of this dialog; the toolkit's own parts ("qt_...") are named by it.
            for (QWidget *w : d->findChildren<QWidget *>()) {
                if (w->focusPolicy() == Qt::NoFocus || w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
            }
        });
    }
}
