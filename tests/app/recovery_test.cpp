// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved text outlives the window that held it: a killed window's text is offered at the
// next start, and nothing of another window's, or of a damaged copy, is lost.
#include "MainWindowFixture.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "documents/RecoveryCopy.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include "common/TypeKeys.h"
#include <csignal>
#include <cstdio>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }


QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tkr")}, QDir::Files);
}

const char kTyped[] = "НАЧАЛО АЛГОРИТМА\nШАГ\nповорот 90\n* мой квадрат\nКОНЕЦ АЛГОРИТМА";
const char kChildFolder[] = "TRAKMIL_RECOVERY_CHILD";
}   // namespace

class RecoveryTest : public MainWindowTest {
protected:
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
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions.first().contains(u("без имени")))
        << prompts.questions.first().toStdString();
    const StyledText restored = styledFromDocument(*w->editor()->document());
    EXPECT_EQ(plainLines(restored), u(kTyped).split(QLatin1Char('\n')));
    EXPECT_TRUE(sameContent(restored, *typed)) << "the colours come back too";
    EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Changed);
    EXPECT_FALSE(w->action(Command::Undo)->isEnabled()) << "the restored text is the start of its history";
    EXPECT_EQ(copiesIn(folder()).size(), 1) << "the restoring window's own copy replaces the old one";
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(copiesIn(folder()).isEmpty()) << "a clean exit removes it";
}

TEST_F(RecoveryTest, YesRestoresTheNamedFileWithoutWritingItAndNoDeletesTheCopy)
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
        next.answers.enqueue(yes);
        auto w = start(next, folder());
        ASSERT_EQ(next.questions.size(), 1);
        EXPECT_TRUE(next.questions.first().contains(QDir::toNativeSeparators(program)));
        if (yes) {
            EXPECT_EQ(w->editor()->toPlainText(), QStringLiteral("STEP\nJUMP"));
            EXPECT_EQ(w->currentFile(), program);
            EXPECT_TRUE(w->windowTitle().endsWith(program));
            EXPECT_EQ(w->documentState(), MainWindow::DocumentState::Changed);
            QFile f(program);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), onDisk) << "nothing is written until the pupil saves";
            w->action(Command::Save)->trigger();
            EXPECT_TRUE(copiesIn(folder()).isEmpty()) << "a save removes the copy";
        } else {
            EXPECT_TRUE(w->editor()->toPlainText().isEmpty());
            EXPECT_TRUE(copiesIn(folder()).isEmpty());
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
    EXPECT_TRUE(prompts.questions.isEmpty());
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
    EXPECT_TRUE(pc.questions.isEmpty()) << "both owners are running";
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("*.lock")}, QDir::Files).size(), 3)
        << "a starting window clears no running window's lock";
    a.reset();   // gone without an answered question
    ScriptedPrompts pd;
    pd.answers.enqueue(false);
    auto d = start(pd, folder());
    ASSERT_EQ(pd.questions.size(), 1);
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
