// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "base/TextCatalogue.h"
#include "documents/ProgramFile.h"
#include "run/Grading.h"
#include "run/HandIn.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <unistd.h>

namespace {

const char kModel[] = "ALGORITHM BEGIN\nCOLOR RED\nSTEP\nROTATE 90\nSTEP\nALGORITHM END";

QString eng(const char *key) { return uiText(key, Language::Eng).value_or(QString()); }

Task cornerTask()
{
    Task task;
    task.title = QStringLiteral("A red corner");
    int failed = -1;
    FieldDrawing failure;
    const auto goals = goalsFromModel(QString::fromUtf8(kModel).split(QLatin1Char('\n')), Language::Eng,
                                      {QSize(4, 4), QSize(6, 3)}, true, failed, failure);
    if (goals) task.fields = *goals;
    task.rules.forbidden = {TaskConstruct::Jump};
    return task;
}

}   // namespace

class HandInWindowTest : public MainWindowTest {
protected:
    QString notice() const
    {
        return window->findChild<StatusBar *>(QLatin1String(ObjectName::StatusBar))->notice();
    }
    QStringList handIns(const QString &folder) const
    {
        return QDir(folder).entryList({QStringLiteral("*.tkm")}, QDir::Files, QDir::Name);
    }
    HandInRecord readBack(const QString &file) const
    {
        StyledText text;
        ProgramNotes notes;
        QString error;
        EXPECT_TRUE(loadProgramFile(file, text, notes, &error)) << error.toStdString();
        return handInFromNotes(notes).value_or(HandInRecord());
    }
    QString editorText() const { return window->editor()->toPlainText(); }
};

TEST_F(HandInWindowTest, TheNameIsAskedOnceAndEveryHandInIsKeptWithItsRecord)
{
    const Task task = cornerTask();
    const QString taskFile = path("corner.tkt");
    QString error;
    ASSERT_TRUE(saveTaskFile(taskFile, task, &error, Language::Eng)) << error.toStdString();
    const QString folder = path("class 5");
    ASSERT_TRUE(QDir().mkpath(folder));
    open({}, "[int]\nlanguage=eng\n");
    prompts.openPaths << taskFile;
    window->action(Command::Open)->trigger();
    setProgram(kModel);

    // One check, one run stopped at once; Check task is never pressed, so the hand-in
    // judges the text itself.
    window->action(Command::Check)->trigger();
    window->action(Command::Run)->trigger();
    window->action(Command::Stop)->trigger();
    ASSERT_TRUE(window->action(Command::HandIn)->isEnabled());

    const QString name = QStringLiteral("Ана-Maria \"Ș.\" / 5B");
    prompts.textAnswers << name;
    prompts.folders << folder;
    window->action(Command::HandIn)->trigger();
    ASSERT_EQ(prompts.textLabels.size(), 1);
    ASSERT_EQ(prompts.folderTitles.size(), 1);
    ASSERT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    QStringList files = handIns(folder);
    ASSERT_EQ(files.size(), 1);
    const HandInRecord record = readBack(QDir(folder).filePath(files[0]));
    EXPECT_EQ(record.pupil, name);
    EXPECT_EQ(record.taskTitle, task.title);
    EXPECT_EQ(record.taskId, taskIdentifier(task));
    EXPECT_TRUE(record.checked);
    EXPECT_EQ(record.fieldsRight, QList<bool>({true, true}));
    EXPECT_TRUE(record.brokenRules.isEmpty());
    EXPECT_EQ(record.runs, 1);
    EXPECT_EQ(record.checks, 1);
    EXPECT_EQ(record.taskChecks, 0);
    EXPECT_EQ(record.minutes, 0);
    EXPECT_LE(qAbs(record.handedIn.secsTo(QDateTime::currentDateTimeUtc())), 60);

    const QString at = record.handedIn.toLocalTime().toString(QStringLiteral("HH:mm"));
    EXPECT_EQ(notice(), eng("handIn.done").arg(at));
    EXPECT_EQ(notice(), QStringLiteral("Handed in at ") + at);
    // Remembered in the settings file, as typed.
    EXPECT_EQ(loadSettings(iniPath()).pupilName, name);
    EXPECT_EQ(loadSettings(iniPath()).handInFolder, folder);

    // A wrong program, unsaved: handed in as it is, without a question, beside the first.
    setProgram("ALGORITHM BEGIN\nJUMP\nCOLOR RED\nSTEP\nALGORITHM END");
    EXPECT_EQ(notice(), eng("handIn.changed").arg(at));
    window->action(Command::HandIn)->trigger();
    EXPECT_EQ(prompts.textLabels.size(), 1);
    EXPECT_EQ(prompts.folderTitles.size(), 1);
    files = handIns(folder);
    ASSERT_EQ(files.size(), 2);
    QList<HandInRecord> both;
    for (const QString &f : files) both << readBack(QDir(folder).filePath(f));
    const HandInRecord &later = both[0].fieldsRight.contains(false) ? both[0] : both[1];
    EXPECT_EQ(later.fieldsRight, QList<bool>({false, false}));
    EXPECT_EQ(later.brokenRules, QStringList {QStringLiteral("forbidden jump 2")});
    EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Changed);

    // A new program starts its own record: no hand-in shown, the counts from zero.
    prompts.answers << true;
    window->action(Command::New)->trigger();
    EXPECT_TRUE(notice().isEmpty());
}

TEST_F(HandInWindowTest, AFolderThatCannotTakeTheHandInGivesAMessageAndTheTextStays)
{
    const QString missing = path("gone/share");
    open({}, "[int]\nlanguage=eng\npupil=Ion\nhandin_folder=" + missing.toUtf8() + "\n");
    setProgram(kModel);
    const QString before = editorText();
    window->action(Command::HandIn)->trigger();
    EXPECT_TRUE(prompts.textLabels.isEmpty());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QDir::toNativeSeparators(missing)));
    EXPECT_EQ(editorText(), before);
    EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Changed);
    EXPECT_TRUE(notice().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(missing));

    // Root writes into a read-only folder of its own; nobody can make a file in /proc.
    const bool root = ::geteuid() == 0;
    const QString locked = root ? QStringLiteral("/proc") : path("locked");
    if (!root) {
        ASSERT_TRUE(QDir().mkpath(locked));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    }
    window->settings().handInFolder = locked;
    window->action(Command::HandIn)->trigger();
    if (!root) QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].contains(QDir::toNativeSeparators(locked)));
    EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("Ion")).isEmpty());
    EXPECT_EQ(editorText(), before);
    EXPECT_TRUE(notice().isEmpty());
}

TEST_F(HandInWindowTest, CancellingTheNameHandsNothingIn)
{
    open({}, "[int]\nlanguage=eng\n");
    setProgram(kModel);
    window->action(Command::HandIn)->trigger();   // the name question cancelled
    EXPECT_EQ(prompts.textLabels.size(), 1);
    EXPECT_TRUE(prompts.folderTitles.isEmpty());
    EXPECT_TRUE(notice().isEmpty());
    EXPECT_TRUE(loadSettings(iniPath()).pupilName.isEmpty());
}
