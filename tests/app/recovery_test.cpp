// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved text outlives the window that held it: a killed window's text is offered at the
// next start, and nothing of another window's, or of a damaged copy, is lost.
#include "MainWindowFixture.h"
#include "base/TextCatalogue.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "documents/RecoveryCopy.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QUuid>
#include "common/TypeKeys.h"
#include <csignal>
#include <cstdio>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tkr")}, QDir::Files);
}

StyledText styledOf(const char *text)
{
    StyledText out;
    for (const QString &line : u(text).split(QLatin1Char('\n'))) out.append(StyledLine {line, {}});
    return out;
}

// A copy as a window that is gone leaves it.
void leaveCopy(const QString &folder, const RecoveryContent &content)
{
    QDir().mkpath(folder);
    QFile f(
        QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".tkr")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(composeRecovery(content));
}

void setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char kTyped[] = "НАЧАЛО АЛГОРИТМА\nШАГ\nповорот 90\n* мой квадрат\nКОНЕЦ АЛГОРИТМА";
const char kChildFolder[] = "TRAKMIL_RECOVERY_CHILD";
}   // namespace

class RecoveryTest : public MainWindowTest {
protected:
    static QString text(const char *key) { return uiText(key, Language::Rus).value_or(QString()); }
    QString folder() const { return dir.filePath(QStringLiteral("recovery")); }
    // A window as the program makes one, keeping its copies in the test's folder.
    std::unique_ptr<MainWindow> start(ScriptedPrompts &p, const QString &recovery)
    {
        MainWindow::Options o;
        o.settingsPath = iniPath();
        o.prompts = &p;
        o.recoveryFolder = recovery;
        auto w = std::make_unique<MainWindow>(o);
        w->show();
        QApplication::processEvents();   // the start-up questions come just after showing
        return w;
    }
};

// The other side of the kill below: a real window in its own process types, waits for its
// copy, says so and then waits to be killed.
TEST_F(RecoveryTest, ChildTypesAndWaitsToBeKilled)
{
    const QString recovery = qEnvironmentVariable(kChildFolder);
    if (recovery.isEmpty()) GTEST_SKIP() << "run by KilledWindowsTextComesBack";
    ScriptedPrompts p;
    auto w = start(p, recovery);
    QApplication::setActiveWindow(w.get());
    w->editor()->setFocus();
    typeKeys(w->editor(), u(kTyped));
    const QDeadlineTimer deadline(20000);
    while (copiesIn(recovery).isEmpty() && !deadline.hasExpired()) QTest::qWait(20);
    std::printf("READY %s\n", writeRtf(styledFromDocument(*w->editor()->document())).toBase64().constData());
    std::fflush(stdout);
    QTest::qWait(60000);   // killed long before, unless the parent is gone
}

TEST_F(RecoveryTest, KilledWindowsTextComesBackWithItsColours)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildFolder), folder());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=RecoveryTest.ChildTypesAndWaitsToBeKilled")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    const QDeadlineTimer deadline(30000);
    while (!out.contains("READY ") || !out.endsWith('\n')) {
        if (deadline.hasExpired() || child.state() != QProcess::Running) break;
        child.waitForReadyRead(200);
        out += child.readAllStandardOutput();
    }
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    const qsizetype at = out.indexOf("READY ");
    ASSERT_GE(at, 0) << out.toStdString();
    const std::optional<StyledText> typed = readRtf(QByteArray::fromBase64(out.mid(at + 6).trimmed()));
    ASSERT_TRUE(typed);
    ASSERT_EQ(copiesIn(folder()).size(), 1) << "a killed window leaves its copy";

    auto w = start(prompts, folder());   // answered Yes
    ASSERT_EQ(prompts.choices.size(), 1);
    EXPECT_TRUE(prompts.choices.first().text.contains(u("без имени")))
        << prompts.choices.first().text.toStdString();
    const StyledText restored = styledFromDocument(*w->editor()->document());
    EXPECT_EQ(plainLines(restored), u(kTyped).split(QLatin1Char('\n')));
    EXPECT_TRUE(sameContent(restored, *typed)) << "the colours come back too";
    EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Changed);
    EXPECT_FALSE(w->action(Command::Undo)->isEnabled()) << "the restored text is the start of its history";
    EXPECT_EQ(copiesIn(folder()).size(), 1) << "the restoring window's own copy replaces the old one";
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(copiesIn(folder()).isEmpty()) << "a clean exit removes it";
}

TEST_F(RecoveryTest, YesRestoresTheNamedFileWithoutWritingItAndNoPutsTheCopyAside)
{
    const QString program = path("square.tkm");
    ASSERT_TRUE(saveProgramFile(program, {StyledLine {QStringLiteral("STEP"), {}}}, nullptr));
    const QByteArray onDisk = [&] {
        QFile f(program);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        {
            ScriptedPrompts first;
            auto w = start(first, folder());
            first.openPaths.enqueue(program);
            w->action(Command::Open)->trigger();
            w->editor()->setFocus();
            w->editor()->setCaret(0, 4);
            typeKeys(w->editor(), u("\nJUMP"));
            QTimer *copy = timerOf(*w, ObjectName::RecoveryTimer);
            copy->stop();
            fireTimeout(copy);
        }   // gone without closing, as a killed window is
        ScriptedPrompts next;
        next.choiceAnswers.enqueue({yes ? Prompts::Choice::Yes : Prompts::Choice::No, 0});
        auto w = start(next, folder());
        ASSERT_EQ(next.choices.size(), 1);
        EXPECT_TRUE(next.choices.first().text.contains(QDir::toNativeSeparators(program)));
        EXPECT_FALSE(
            next.choices.first().text.contains(text("window.recoveryDiskNewer").section(u("%1"), 0, 0)))
            << "the file on disk is the one the copy was made from";
        if (yes) {
            EXPECT_EQ(w->editor()->toPlainText(), QStringLiteral("STEP\nJUMP"));
            EXPECT_EQ(w->currentFile(), program);
            EXPECT_TRUE(w->windowTitle().endsWith(program));
            EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Changed);
            QFile f(program);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), onDisk) << "nothing is written until the pupil saves";
            w->action(Command::Save)->trigger();
            EXPECT_TRUE(next.questions.isEmpty()) << "an unchanged file is saved over without a question";
            EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Saved);
            EXPECT_TRUE(copiesIn(folder()).isEmpty()) << "a save removes the copy";
        } else {
            EXPECT_TRUE(w->editor()->toPlainText().isEmpty());
            EXPECT_TRUE(copiesIn(folder()).isEmpty());
            EXPECT_EQ(copiesIn(LeftCopy::discardedFolder(folder())).size(), 1);
        }
    }
}

TEST_F(RecoveryTest, ADamagedCopyIsSetAsideAndReportedOnce)
{
    QDir().mkpath(folder());
    QFile bad(QDir(folder()).filePath(QStringLiteral("broken.tkr")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("TRAKMIL RECOVERY 1\nfile: \nchanged: not a time\n\n{\\rtf1 x}");
    bad.close();
    auto w = start(prompts, folder());
    EXPECT_TRUE(prompts.choices.isEmpty());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(copiesIn(folder()).isEmpty());
    const QStringList aside = QDir(folder()).entryList({QStringLiteral("broken.tkr.*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1) << "kept, not deleted";
    EXPECT_TRUE(prompts.messages.first().contains(aside.first()));
    w.reset();
    ScriptedPrompts again;
    start(again, folder());
    EXPECT_TRUE(again.messages.isEmpty());
}

TEST_F(RecoveryTest, TwoWindowsKeepTheirOwnCopiesAndARunningOnesIsNeverOffered)
{
    ScriptedPrompts pa, pb, pc;
    auto a = start(pa, folder());
    auto b = start(pb, folder());
    a->editor()->setFocus();
    typeKeys(a->editor(), u("ШАГ"));
    b->editor()->setFocus();
    typeKeys(b->editor(), u("ПРЫЖОК"));
    EXPECT_TRUE(timerOf(*a, ObjectName::RecoveryTimer)->isActive());
    QTest::qWait(MainWindow::kRecoveryDelayMs + 300);   // the real timers write them
    EXPECT_EQ(copiesIn(folder()).size(), 2);
    auto c = start(pc, folder());
    EXPECT_TRUE(pc.choices.isEmpty()) << "both owners are running";
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("*.lock")}, QDir::Files).size(), 3)
        << "a starting window clears no running window's lock";
    a.reset();   // gone without an answered question
    ScriptedPrompts pd;
    pd.choiceAnswers.enqueue({Prompts::Choice::No, 0});
    auto d = start(pd, folder());
    ASSERT_EQ(pd.choices.size(), 1);
    EXPECT_EQ(pd.choices.first().items.size(), 1);
    EXPECT_EQ(copiesIn(folder()).size(), 1) << "b's copy stays";
    EXPECT_EQ(b->editor()->toPlainText(), u("ПРЫЖОК"));
}

TEST_F(RecoveryTest, AnUnwritableDataFolderLeavesTheWindowWorkingAndSaysSoOnce)
{
    // A folder under a plain file can never be made, whoever runs the test.
    QFile plain(path("data"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString unwritable = path("data") + QStringLiteral("/recovery");
    auto w = start(prompts, unwritable);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().contains(QDir::toNativeSeparators(unwritable)));
    w->editor()->setFocus();
    typeKeys(w->editor(), u("ШАГ"));
    EXPECT_FALSE(timerOf(*w, ObjectName::RecoveryTimer)->isActive());
    prompts.savePaths.enqueue(path("saved.tkm"));
    w->action(Command::Save)->trigger();
    EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Saved);
    w->action(Command::New)->trigger();
    w->hide();
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(prompts.messages.size(), 1);
}

// On a login a whole class shares, the copy offered may be another pupil's: putting the
// question off keeps it, and turning it down keeps it for two weeks more, out of the way.
TEST_F(RecoveryTest, EscKeepsTheCopyAndNoPutsItAmongTheDiscardedForTwoWeeks)
{
    {
        ScriptedPrompts first;
        auto w = start(first, folder());
        w->editor()->setFocus();
        typeKeys(w->editor(), u("ШАГ"));
        QTimer *copy = timerOf(*w, ObjectName::RecoveryTimer);
        copy->stop();
        fireTimeout(copy);
    }
    ASSERT_EQ(copiesIn(folder()).size(), 1);
    const QString discarded = LeftCopy::discardedFolder(folder());
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ScriptedPrompts later;
        later.choiceAnswers.enqueue({Prompts::Choice::Neither, 0});
        auto w = start(later, folder());
        ASSERT_EQ(later.choices.size(), 1);
        EXPECT_TRUE(w->editor()->toPlainText().isEmpty());
        EXPECT_EQ(copiesIn(folder()).size(), 1) << "Esc keeps the copy for the next start";
        EXPECT_TRUE(copiesIn(discarded).isEmpty());
    }
    // Written a month ago: the two weeks count from when it was turned down.
    const QDateTime now = QDateTime::currentDateTime();
    setModified(QDir(folder()).filePath(copiesIn(folder()).first()), now.addDays(-30));
    ScriptedPrompts no;
    no.choiceAnswers.enqueue({Prompts::Choice::No, 0});
    start(no, folder());
    EXPECT_TRUE(copiesIn(folder()).isEmpty());
    const QStringList aside = copiesIn(discarded);
    ASSERT_EQ(aside.size(), 1) << "turned down, not deleted";
    const std::optional<RecoveryContent> kept =
        parseRecovery(bytesOf(QDir(discarded).filePath(aside.first())));
    ASSERT_TRUE(kept);
    EXPECT_EQ(plainLines(kept->text), QStringList {u("ШАГ")});

    // Older ones go at a start; younger ones stay.
    const QString young = QDir(discarded).filePath(QStringLiteral("young.tkr"));
    const QString old = QDir(discarded).filePath(QStringLiteral("old.tkr"));
    for (const QString &p : {young, old})
        ASSERT_TRUE(QFile::copy(QDir(discarded).filePath(aside.first()), p));
    setModified(young, now.addDays(-13));
    setModified(old, now.addDays(-15));
    ScriptedPrompts after;
    start(after, folder());
    EXPECT_TRUE(after.choices.isEmpty()) << "a discarded copy is not offered again";
    QStringList left = copiesIn(discarded);
    left.sort();
    EXPECT_EQ(left, (QStringList {aside.first(), QStringLiteral("young.tkr")}));
}

TEST_F(RecoveryTest, SeveralCopiesAreListedInOneQuestionAndTheChosenOneComesBack)
{
    const QString named = path("square.tkm");
    const QDateTime t0(QDate(2026, 3, 2), QTime(10, 15, 0));
    leaveCopy(folder(),
              {styledOf("НАЧАЛО АЛГОРИТМА\n* квадрат Маши\n\n  ШАГ\nКОНЕЦ АЛГОРИТМА"), QString(), t0, {}});
    leaveCopy(folder(), {styledOf("ALGORITHM BEGIN\nJUMP\nALGORITHM END"), named, t0.addSecs(60), {}});
    leaveCopy(folder(), {styledOf("ПРЫЖОК\nШАГ"), QString(), t0.addSecs(120), {}});
    ScriptedPrompts p;
    p.choiceAnswers.enqueue({Prompts::Choice::No, 2});
    p.choiceAnswers.enqueue({Prompts::Choice::Yes, 1});
    auto w = start(p, folder());
    ASSERT_EQ(p.choices.size(), 2) << "No turns down the chosen copy and asks about the others";
    const QStringList items = p.choices.first().items;
    ASSERT_EQ(items.size(), 3);
    const struct {
        QString name, time, line;
    } expected[] = {{u("без имени"), u("02.03.2026 10:17:00"), u("ПРЫЖОК")},
                    {QDir::toNativeSeparators(named), u("02.03.2026 10:16:00"), u("JUMP")},
                    {u("без имени"), u("02.03.2026 10:15:00"), u("ШАГ")}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(items.at(i).toStdString());
        EXPECT_TRUE(items.at(i).contains(expected[i].name));
        EXPECT_TRUE(items.at(i).contains(expected[i].time));
        EXPECT_TRUE(items.at(i).contains(expected[i].line));
        EXPECT_FALSE(items.at(i).contains(u("АЛГОРИТМ")) || items.at(i).contains(u("ALGORITHM")) ||
                     items.at(i).contains(u("Маши")))
            << "the first statement, not the begin line or a comment";
    }
    EXPECT_EQ(p.choices.at(1).items, items.mid(0, 2));
    EXPECT_EQ(plainLines(styledFromDocument(*w->editor()->document())),
              (QStringList {u("ALGORITHM BEGIN"), u("JUMP"), u("ALGORITHM END")}));
    EXPECT_EQ(w->currentFile(), named);
    EXPECT_EQ(copiesIn(LeftCopy::discardedFolder(folder())).size(), 1);
    EXPECT_EQ(copiesIn(folder()).size(), 2) << "the one not chosen stays, beside the window's own";
    w.reset();
    ScriptedPrompts next;
    next.choiceAnswers.enqueue({Prompts::Choice::Neither, 0});
    start(next, folder());
    ASSERT_EQ(next.choices.size(), 1);
    EXPECT_EQ(next.choices.first().items.size(), 2);
}

// A teacher's new version of the file came after the copy: the question says so, and the
// copy does not replace it unseen.
TEST_F(RecoveryTest, ACopyOfAFileChangedOnDiskSaysSoAndItsFirstSaveAsks)
{
    const QString program = path("prog.tkm");
    ASSERT_TRUE(saveProgramFile(program, {StyledLine {QStringLiteral("STEP"), {}}}, nullptr));
    {
        ScriptedPrompts first;
        auto w = start(first, folder());
        first.openPaths.enqueue(program);
        w->action(Command::Open)->trigger();
        w->editor()->setFocus();
        w->editor()->setCaret(0, 4);
        typeKeys(w->editor(), u("\nJUMP"));
        QTimer *copy = timerOf(*w, ObjectName::RecoveryTimer);
        copy->stop();
        fireTimeout(copy);
    }
    ASSERT_TRUE(saveProgramFile(program, styledOf("STEP\nSTEP\nSTEP"), nullptr));
    setModified(program, QDateTime::currentDateTime().addSecs(3600));
    const QByteArray teachers = bytesOf(program);
    const QString note = text("window.recoveryDiskNewer").section(u("%1"), 0, 0);
    ASSERT_FALSE(note.isEmpty());

    ScriptedPrompts p;
    p.answers.enqueue(false);   // not over the newer file
    p.savePaths.enqueue(path("mine.tkm"));
    auto w = start(p, folder());
    ASSERT_EQ(p.choices.size(), 1);
    EXPECT_TRUE(p.choices.first().text.contains(note)) << p.choices.first().text.toStdString();
    EXPECT_EQ(w->currentFile(), program);
    w->action(Command::Save)->trigger();
    ASSERT_EQ(p.questions.size(), 1) << "the first save asks";
    EXPECT_TRUE(p.questions.first().contains(QDir::toNativeSeparators(program)));
    EXPECT_EQ(bytesOf(program), teachers);
    ASSERT_EQ(p.saveTitles.size(), 1) << "No offers another name";
    EXPECT_EQ(w->currentFile(), path("mine.tkm"));
    std::optional<StyledText> mine = readRtf(bytesOf(path("mine.tkm")));
    ASSERT_TRUE(mine);
    EXPECT_EQ(plainLines(*mine), (QStringList {u("STEP"), u("JUMP")}));
    w.reset();

    // A copy written before the program kept how the file looked: the times tell.
    leaveCopy(folder(), {styledOf("JUMP"), program, QDateTime::currentDateTime().addSecs(-60), {}});
    ScriptedPrompts older;
    older.choiceAnswers.enqueue({Prompts::Choice::Yes, 0});
    older.answers.enqueue(true);   // over it, this time
    w = start(older, folder());
    ASSERT_EQ(older.choices.size(), 1);
    EXPECT_TRUE(older.choices.first().text.contains(note));
    w->action(Command::Save)->trigger();
    EXPECT_EQ(older.questions.size(), 1);
    const std::optional<StyledText> saved = readRtf(bytesOf(program));
    ASSERT_TRUE(saved);
    EXPECT_EQ(plainLines(*saved), QStringList {u("JUMP")});
    w->editor()->setFocus();
    w->editor()->setCaret(0, 4);
    typeKeys(w->editor(), u("\nSTEP"));
    w->action(Command::Save)->trigger();
    EXPECT_EQ(older.questions.size(), 1) << "asked once: the file is the window's own again";
    EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Saved);
}
