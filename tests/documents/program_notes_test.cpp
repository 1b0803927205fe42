// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The notes a program file carries beside its program (the task it was written for): they
// come back exactly, and nothing else about the file changes, for us or for other readers.
#include "documents/ProgramFile.h"
#include "documents/RecoveryCopy.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr qsizetype kMost = std::numeric_limits<qsizetype>::max();

StyledLine line(const char *utf8, QRgb colour = 0)
{
    const QString text = QString::fromUtf8(utf8);
    return StyledLine {text, {ColourRun {int(text.size()), colour}}};
}

const StyledText kProgram = {line("ПРОЦЕДУРА Квадрат", 0x000080), line("  ШАГ {x} \\ y", 0x0000FF),
                             line("PROCEDURA Pătrat ş ț", 0x808080)};

// What the writer gives for kProgram, as it did before files had notes.
const QByteArray kProgramRtf =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Times New Roman;}}\r\n"
    "{\\colortbl ;\\red0\\green0\\blue128;\\red0\\green0\\blue255;\\red128\\green128\\blue128;}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs24 \\cf1 \\'cf\\'d0\\'ce\\'d6\\'c5\\'c4\\'d3\\'d0\\'c0 "
    "\\'ca\\'e2\\'e0\\'e4\\'f0\\'e0\\'f2\\par\r\n"
    "\\cf2   \\'d8\\'c0\\'c3 \\{x\\} \\\\ y\\par\r\n"
    "\\cf3 PROCEDURA P\\u259\\'61trat \\u351\\'73 \\u539\\'74\\par\r\n"
    "}\r\n";

ProgramNotes hardNotes()
{
    QString longValue;
    while (longValue.size() < 10'000) longValue += QString::fromUtf8("Ж\\{}ţ😀 \n");
    longValue.truncate(10'000);
    ProgramNotes notes;
    notes.set(kNoteTaskFile, QString::fromUtf8("C:\\Задачи\\pătrat ş ț {1}.tkt"));
    notes.set(u"lines", QStringLiteral("one\ntwo\r\n\tthree \\u1234? \\'41 } {"));
    notes.set(u"long", longValue);
    notes.set(u"empty", QString());
    notes.set(u"pupil.name_2-b", QString::fromUtf8(" Ana-Maria Ştefănescu "));
    return notes;
}

std::optional<StyledText> readWithNotes(const QByteArray &rtf, ProgramNotes *notes)
{
    FileError over;
    return readRtf(rtf, ReadLimits {kMost, kMost}, &over, notes);
}

QByteArray withoutGroup(QByteArray rtf)
{
    const qsizetype at = rtf.indexOf("{\\*\\trakmilnotes");
    const qsizetype end = rtf.indexOf("\\viewkind4");
    if (at >= 0 && end > at) rtf.remove(at, end - at);
    return rtf;
}

TEST(ProgramNotes, HardValuesComeBackExactlyInOrderInFileAndRecoveryCopy)
{
    const ProgramNotes notes = hardNotes();
    const QByteArray rtf = writeRtf(kProgram, notes);
    for (char c : rtf) ASSERT_LT(uchar(c), 0x80);
    ProgramNotes back {{{QStringLiteral("stale"), QStringLiteral("x")}}};
    const std::optional<StyledText> text = readWithNotes(rtf, &back);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(sameContent(*text, kProgram));
    EXPECT_EQ(back, notes);
    EXPECT_EQ(back.value(kNoteTaskFile), QString::fromUtf8("C:\\Задачи\\pătrat ş ț {1}.tkt"));
    EXPECT_EQ(back.value(u"long").size(), 10'000);

    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8("пătrat.tkm"));
    QString error;
    ASSERT_TRUE(saveProgramFile(path, kProgram, notes, &error)) << error.toStdString();
    StyledText loaded;
    ProgramNotes loadedNotes;
    ASSERT_TRUE(loadProgramFile(path, loaded, loadedNotes, &error)) << error.toStdString();
    EXPECT_TRUE(sameContent(loaded, kProgram));
    EXPECT_EQ(loadedNotes, notes);

    RecoveryContent copy {kProgram, path, QDateTime::currentDateTimeUtc(), std::nullopt, notes};
    const std::optional<RecoveryContent> parsed = parseRecovery(composeRecovery(copy));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->notes, notes);
    EXPECT_TRUE(sameContent(parsed->text, kProgram));

    // What a reader would drop, the writer leaves out, keeping the rest.
    ProgramNotes over = notes;
    over.set(u"bad key", QStringLiteral("x"));
    over.set(u"huge", QString(ProgramNotes::kMaxValue + 1, u'a'));
    over.entries.append({QStringLiteral("empty"), QStringLiteral("second")});
    ASSERT_TRUE(readWithNotes(writeRtf(kProgram, over), &back));
    EXPECT_EQ(back, notes);
}

TEST(ProgramNotes, WithoutNotesTheFileIsAsBeforeAndWithThemOnlyTheHeaderGroupIsAdded)
{
    EXPECT_EQ(writeRtf(kProgram), kProgramRtf);
    EXPECT_EQ(writeRtf(kProgram, ProgramNotes {}), kProgramRtf);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.tkm"));
    ASSERT_TRUE(saveProgramFile(path, kProgram, ProgramNotes {}, nullptr));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), kProgramRtf);

    // The group sits in the header, after the colour table, and the text reads around it.
    const QByteArray rtf = writeRtf(kProgram, hardNotes());
    EXPECT_TRUE(rtf.contains(";}\r\n{\\*\\trakmilnotes{\\trakmilkey taskFile}{\\trakmilvalue C:\\\\"));
    EXPECT_EQ(withoutGroup(rtf), kProgramRtf);
    const std::optional<StyledText> text = readRtf(rtf);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(sameContent(*text, kProgram));
    StyledText loaded;
    ProgramNotes notes {{{QStringLiteral("stale"), QStringLiteral("x")}}};
    ASSERT_TRUE(loadProgramFile(path, loaded, notes, nullptr));
    EXPECT_TRUE(notes.isEmpty());
}

// unrtf is an RTF reader nobody here wrote: a file with notes reads to the same letters.
TEST(ProgramNotes, AnotherReaderSkipsTheGroup)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) GTEST_SKIP() << "unrtf is not installed (scripts/install-deps.sh installs it)";
    QTemporaryDir dir;
    auto shown = [&](const ProgramNotes &notes) {
        const QString path = dir.filePath(QStringLiteral("p.tkm"));
        EXPECT_TRUE(saveProgramFile(path, kProgram, notes, nullptr));
        QProcess p;
        p.start(unrtf, {QStringLiteral("--html"), path});
        EXPECT_TRUE(p.waitForFinished(30000));
        QTextDocument html;
        html.setHtml(QString::fromUtf8(p.readAllStandardOutput()));
        return html.toPlainText();
    };
    const QString plain = shown({});
    EXPECT_TRUE(plain.contains(QString::fromUtf8("ПРОЦЕДУРА Квадрат")));
    EXPECT_EQ(shown(hardNotes()), plain);
}

// However the group is damaged, cut short or garbled, only the notes are lost.
TEST(ProgramNotes, DamagedGroupLosesOnlyTheNotes)
{
    ProgramNotes notes;
    notes.set(kNoteTaskFile, QStringLiteral("C:\\tasks\\square.tkt"));
    notes.set(u"title", QString::fromUtf8("Квадрат"));
    const QByteArray good = writeRtf(kProgram, notes);
    const QByteArray group = good.mid(good.indexOf("{\\*\\trakmilnotes"));
    ASSERT_TRUE(
        group.startsWith("{\\*\\trakmilnotes{\\trakmilkey taskFile}{\\trakmilvalue C:\\\\tasks\\\\square.tkt}"
                         "{\\trakmilkey title}{\\trakmilvalue \\u1050?\\u1074?"));
    auto replaced = [&](const char *from, const QByteArray &to) {
        QByteArray rtf = good;
        const qsizetype at = rtf.indexOf(from);
        EXPECT_GE(at, 0) << from;
        return rtf.replace(at, qsizetype(qstrlen(from)), to);
    };
    const QString huge(ProgramNotes::kMaxValue + 1, u'a');
    QByteArray overTotal = "{\\*\\trakmilnotes";
    for (int i = 0; i < 5; ++i)
        overTotal += "{\\trakmilkey k" + QByteArray::number(i) + "}{\\trakmilvalue " +
                     QByteArray(ProgramNotes::kMaxValue, 'v') + '}';
    overTotal += "}\r\n";
    const QList<std::pair<const char *, QByteArray>> damaged = {
        {"cut: the group's own brace lost", replaced("}\r\n\\viewkind4", "\r\n\\viewkind4")},
        {"cut: a value's brace lost", replaced("square.tkt}", "square.tkt")},
        {"cut: the rest of the group lost", replaced("square.tkt}{\\trakmilkey title}", "squ")},
        {"cut inside \\u", replaced("\\u1050?\\u1074?", "\\u105")},
        {"a word of something else", replaced("square.tkt", "square\\b .tkt")},
        {"a group inside a value", replaced("square.tkt", "square{\\b .}tkt")},
        {"a value without its key", replaced("{\\trakmilkey title}", "")},
        {"a key not a name", replaced("{\\trakmilkey title}", "{\\trakmilkey ti tle}")},
        {"a number past 16 bits", replaced("\\u1050?", "\\u99999?")},
        {"no fallback after \\u", replaced("\\u1050?", "\\u1050")},
        {"a byte beyond ASCII", replaced("square", "squ\xe0re")},
        {"a value past its bound", replaced("C:\\\\tasks\\\\square.tkt", huge.toLatin1())},
        {"past the total bound", replaced(group.left(group.indexOf("\\viewkind4")).constData(), overTotal)},
        {"stray brace in the group", replaced("{\\trakmilkey title}", "}{\\trakmilkey title}")},
    };
    for (const auto &[what, rtf] : damaged) {
        ProgramNotes back = notes;
        const std::optional<StyledText> text = readWithNotes(rtf, &back);
        ASSERT_TRUE(text.has_value()) << what;
        EXPECT_TRUE(back.isEmpty()) << what;
        EXPECT_TRUE(sameContent(*text, kProgram)) << what << "\n" << rtf.left(400).constData();
    }
}

// Notes live only in RTF: a plain-text program has none, even one whose text looks like them.
TEST(ProgramNotes, PlainTextCarriesNone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.tkm"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("STEP\r\n{\\*\\trakmilnotes{\\trakmilkey taskFile}{\\trakmilvalue a.tkt}}\r\n");
    f.close();
    StyledText text;
    ProgramNotes notes {{{QStringLiteral("stale"), QStringLiteral("x")}}};
    ASSERT_TRUE(loadProgramFile(path, text, notes, nullptr));
    EXPECT_TRUE(notes.isEmpty());
    EXPECT_EQ(
        plainLines(text),
        (QStringList {QStringLiteral("STEP"),
                      QStringLiteral("{\\*\\trakmilnotes{\\trakmilkey taskFile}{\\trakmilvalue a.tkt}}")}));
}

}   // namespace
