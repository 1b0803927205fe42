// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/HandIn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

HandInRecord anna()
{
    HandInRecord r;
    r.pupil = QStringLiteral("Анна Петрова");
    r.taskTitle = QStringLiteral("Scara: trepte şi ţ");
    r.taskId = QStringLiteral("0123456789abcdef");
    r.handedIn = QDateTime(QDate(2026, 12, 10), QTime(10, 42, 5), Qt::UTC);
    r.fieldsRight = {true, false};
    r.brokenRules = {QStringLiteral("lines 14 10"), QStringLiteral("forbidden jump 7")};
    r.checked = true;
    r.runs = 12;
    r.checks = 3;
    r.taskChecks = 2;
    r.minutes = 37;
    return r;
}

const StyledText kProgram {{QStringLiteral("ALGORITHM BEGIN"), {}}, {QStringLiteral("ALGORITHM END"), {}}};

}   // namespace

TEST(HandIn, TheRecordComesBackFromTheFileWithEveryFieldAndOtherNotesKept)
{
    QTemporaryDir dir;
    ProgramNotes notes;
    notes.set(kNoteTaskFile, QStringLiteral("../stairs.tkt"));
    QString written, error;
    ASSERT_TRUE(writeHandIn(dir.path(), kProgram, notes, anna(), &written, &error, Language::Eng))
        << error.toStdString();
    EXPECT_EQ(QFileInfo(written).dir().absolutePath(), QDir(dir.path()).absolutePath());

    StyledText text;
    ProgramNotes read;
    ASSERT_TRUE(loadProgramFile(written, text, read, &error));
    EXPECT_EQ(plainLines(text), plainLines(kProgram));
    EXPECT_EQ(read.value(kNoteTaskFile), QStringLiteral("../stairs.tkt"));
    const std::optional<HandInRecord> back = handInFromNotes(read);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, anna());
    EXPECT_FALSE(back->solved());

    // Without a task there is no verdict, and a program without a record is no hand-in.
    HandInRecord plain = anna();
    plain.taskTitle.clear();
    plain.taskId.clear();
    plain.checked = false;
    plain.fieldsRight.clear();
    plain.brokenRules.clear();
    ProgramNotes n;
    addHandInNotes(n, plain);
    EXPECT_EQ(handInFromNotes(n), plain);
    EXPECT_FALSE(handInFromNotes(ProgramNotes {}));

    // Values edited by hand are read as absent, never trusted.
    addHandInNotes(n, anna());
    n.set(u"handIn.runs", QStringLiteral("-5"));
    n.set(u"handIn.minutes", QStringLiteral("99999999999999"));
    n.set(u"handIn.fields", QStringLiteral("right maybe"));
    n.set(u"handIn.taskId", QStringLiteral("<script>"));
    const std::optional<HandInRecord> edited = handInFromNotes(n);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->runs, 0);
    EXPECT_EQ(edited->minutes, 0);
    EXPECT_FALSE(edited->checked);
    EXPECT_TRUE(edited->taskId.isEmpty());
}

TEST(HandIn, HostileNamesBecomeSafeFileNamesAndNothingIsEverReplaced)
{
    QTemporaryDir dir;
    const QStringList names {QStringLiteral("../../etc/passwd"),
                             QStringLiteral("a/b\\c:d*e?f\"g<h>i|j"),
                             QStringLiteral(" . . "),
                             QStringLiteral("CON"),
                             QStringLiteral("Ştefan Ţurcanu"),
                             QStringLiteral("line\nbreak\ttab\x01"),
                             QString(300, QChar(0x0416)),
                             QStringLiteral("'quotes' & <b>html</b>")};
    QSet<QString> files;
    for (const QString &name : names) {
        HandInRecord r = anna();
        r.pupil = name;
        QString written, error;
        ASSERT_TRUE(writeHandIn(dir.path(), kProgram, {}, r, &written, &error, Language::Eng))
            << name.toStdString() << ": " << error.toStdString();
        const QFileInfo info(written);
        EXPECT_EQ(info.dir().absolutePath(), QDir(dir.path()).absolutePath()) << name.toStdString();
        EXPECT_LE(info.fileName().size(), 160);
        EXPECT_FALSE(info.fileName().startsWith(QLatin1Char('.')));
        for (QChar c : QStringLiteral("/\\:*?\"<>|\n\t")) EXPECT_FALSE(info.fileName().contains(c));
        files << written;
    }
    EXPECT_TRUE(QFileInfo(QDir(dir.path())
                              .filePath(QStringLiteral("Ştefan Ţurcanu - Scara_ trepte şi ţ - ") +
                                        anna().handedIn.toLocalTime().toString(
                                            QStringLiteral("yyyy-MM-dd HH-mm-ss")) +
                                        QStringLiteral(".tkm")))
                    .exists());
    EXPECT_TRUE(safeFileNamePart(QStringLiteral("CON"), 60).startsWith(QLatin1Char('_')));

    // The same pupil twice in the same second, and two pupils of the same name: all kept.
    QString first, second, error;
    ASSERT_TRUE(writeHandIn(dir.path(), kProgram, {}, anna(), &first, &error, Language::Eng));
    ASSERT_TRUE(writeHandIn(dir.path(), kProgram, {}, anna(), &second, &error, Language::Eng));
    EXPECT_NE(first, second);
    EXPECT_TRUE(second.endsWith(QStringLiteral(" (2).tkm")));
    EXPECT_EQ(files.size() + 2, QDir(dir.path()).entryList(QDir::Files).size());

    // A missing folder is refused with the reason, and nothing is made.
    QString written;
    EXPECT_FALSE(writeHandIn(dir.filePath(QStringLiteral("missing")), kProgram, {}, anna(), &written, &error,
                             Language::Eng));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing"))));
}

TEST(HandIn, ATaskIsNamedByWhatItAsksNotByItsWordsOrFile)
{
    Task task;
    task.title = QStringLiteral("One");
    TaskField field;
    field.width = 4;
    field.height = 4;
    field.goal = {{TraceSegment::between(0, 0, 1, 0), 0xFF0000u}};
    field.modelTicks = 5;
    task.fields = {field};
    const QString id = taskIdentifier(task);
    EXPECT_EQ(id.size(), 16);
    Task renamed = task;
    renamed.title = QStringLiteral("Two");
    renamed.text = QStringLiteral("Other words");
    renamed.fields[0].modelTicks = 9;
    EXPECT_EQ(taskIdentifier(renamed), id);
    Task other = task;
    other.fields[0].goal[0].colour = 0x0000FFu;
    EXPECT_NE(taskIdentifier(other), id);
    other = task;
    other.rules.forbidden = {TaskConstruct::Jump};
    EXPECT_NE(taskIdentifier(other), id);

    for (const RuleBreak &rule :
         {RuleBreak {RuleBreak::Kind::TooManyLines, TaskConstruct::CountedLoop, 14, 10, 0},
          RuleBreak {RuleBreak::Kind::Missing, TaskConstruct::Procedure, 0, 0, 0},
          RuleBreak {RuleBreak::Kind::Forbidden, TaskConstruct::Jump, 0, 0, 7}})
        EXPECT_EQ(ruleBreakFromCode(ruleBreakCode(rule)), rule);
}
