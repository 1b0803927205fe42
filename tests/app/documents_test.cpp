// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "app/Commands.h"
#include "documents/DocumentConvert.h"
#include "base/TextCatalogue.h"
#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>
#include <sys/stat.h>

namespace {
QString u(const char *s) { return QString::fromUtf8(s); }
}   // namespace

TEST_F(MainWindowTest, NewAsksOnlyWhenTheTextChanged)
{
    open();
    setProgram("ШАГ");
    ASSERT_EQ(panel(StatusPanel::Document), u("Изменен"));
    prompts.answers.enqueue(false);
    window->action(Command::New)->trigger();
    EXPECT_EQ(prompts.questions, QStringList {u("Файл не сохранен! Продолжить?")});
    EXPECT_EQ(window->editor()->toPlainText(), u("ШАГ"));
    EXPECT_EQ(panel(StatusPanel::Document), u("Изменен"));

    prompts.answers.enqueue(true);
    window->action(Command::New)->trigger();
    EXPECT_EQ(window->editor()->toPlainText(), QString());
    EXPECT_EQ(panel(StatusPanel::Document), u("Пустой"));
    EXPECT_EQ(window->windowTitle(), u("Тракмил"));
    window->action(Command::New)->trigger();
    EXPECT_EQ(prompts.questions.size(), 2);
}

TEST_F(MainWindowTest, ChangedStateInAnotherLanguageStillAsksAfterASwitch)
{
    open({}, "[int]\nlanguage=rom\n");
    setProgram("PAS");
    ASSERT_EQ(panel(StatusPanel::Document), u("Modificat"));
    window->settings().language = QStringLiteral("eng");
    window->applyLanguage();
    prompts.answers.enqueue(false);
    window->action(Command::New)->trigger();
    EXPECT_EQ(prompts.questions, QStringList {u("File not saved! Continue anyway?")});
}

TEST_F(MainWindowTest, SaveWithoutAFileBehavesAsSaveAsAndRoundTrips)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Save)->trigger();   // cancelled
    EXPECT_EQ(panel(StatusPanel::Document), u("Изменен"));
    EXPECT_EQ(prompts.saveSuffixes, QStringList {QStringLiteral("tkm")});
    EXPECT_EQ(prompts.saveFilters, QStringList {u("Файлы Тракмила (*.tkm)")});

    prompts.savePaths.enqueue(path("a.tkm"));
    window->action(Command::Save)->trigger();
    EXPECT_EQ(panel(StatusPanel::Document), u("Сохранен"));
    EXPECT_EQ(window->currentFile(), path("a.tkm"));
    EXPECT_EQ(window->windowTitle(), u("Тракмил - ") + path("a.tkm"));
    ASSERT_TRUE(QFileInfo::exists(path("a.tkm")));

    prompts.answers.enqueue(true);
    window->action(Command::New)->trigger();
    prompts.openPaths.enqueue(path("a.tkm"));
    window->action(Command::Open)->trigger();
    EXPECT_EQ(prompts.openTitles.last(), u("Открыть файл..."));
    EXPECT_EQ(prompts.openFilters.last(), u("Файлы тракмила (*.tkm)"));
    EXPECT_EQ(window->editor()->toPlainText(), u("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА"));
    EXPECT_EQ(panel(StatusPanel::Document), u("Загружен"));
}

TEST_F(MainWindowTest, FailedOpenKeepsTextCaptionStateAndTheFileSaveWritesTo)
{
    open();
    setProgram("ШАГ");
    prompts.openPaths.enqueue(path("missing.tkm"));
    window->action(Command::Open)->trigger();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_EQ(window->editor()->toPlainText(), u("ШАГ"));
    EXPECT_EQ(panel(StatusPanel::Document), u("Изменен"));
    EXPECT_EQ(window->windowTitle(), u("Тракмил"));
}

TEST_F(MainWindowTest, AFileOfTooManyLinesIsRefusedAndChangesNothing)
{
    open();
    setProgram("ШАГ");
    {
        QFile f(path("lines.tkm"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100'001, '\r'));
    }
    prompts.openPaths.enqueue(path("lines.tkm"));
    window->action(Command::Open)->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.last().endsWith(u("Файл слишком большой")));
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_EQ(window->editor()->toPlainText(), u("ШАГ"));
}

TEST_F(MainWindowTest, ACancelledLoadLeavesTextColoursFileStateAndHistory)
{
    auto write = [&](const char *name, const QByteArray &bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("a.tkm", QStringLiteral("ШАГ\nПОВОРОТ 90").toUtf8());
    QByteArray big;
    for (int i = 0; i < 10'000; ++i) big += QStringLiteral("ПРЫЖОК\n").toUtf8();
    write("big.tkm", big);
    loadProgressAfterMs = 0;   // every load that takes more than one slice shows progress
    open();
    window->show();
    prompts.openPaths.enqueue(path("a.tkm"));
    window->action(Command::Open)->trigger();
    AlgorithmEditor *ed = window->editor();
    ed->setCaret(1, 0);
    ed->pasteCode(u("ШАГ"));
    ed->pasteCode(u("ПРЫЖОК"));
    ed->undoEdit();   // one step to undo and one to redo
    // Every line's text and every character's colour.
    auto shown = [&] {
        QList<QPair<QString, QList<QRgb>>> lines;
        for (const StyledLine &l : styledFromDocument(*ed->document()))
            lines.append({l.text, characterColors(l)});
        return lines;
    };
    const auto text = shown();
    const QString title = window->windowTitle(), state = panel(StatusPanel::Document);
    ASSERT_TRUE(ed->document()->isUndoAvailable() && ed->document()->isRedoAvailable());

    bool cancelled = false;
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *p = qobject_cast<QProgressDialog *>(w); p && p->isVisible()) {
                EXPECT_EQ(p->labelText(), uiText("window.loading", window->language()).value());
                p->cancel();
                cancelled = true;
            }
        }
    });
    canceller.start(0);
    prompts.openPaths.enqueue(path("big.tkm"));
    window->action(Command::Open)->trigger();
    canceller.stop();
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(shown(), text);
    EXPECT_EQ(window->currentFile(), path("a.tkm"));
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(panel(StatusPanel::Document), state);
    ed->redoEdit();
    EXPECT_EQ(ed->lineCount(), 4);
    ed->undoEdit();
    ed->undoEdit();
    EXPECT_EQ(ed->toPlainText(), u("ШАГ\nПОВОРОТ 90"));

    // Not cancelled, the same file arrives whole, with a history of its own.
    prompts.openPaths.enqueue(path("big.tkm"));
    window->action(Command::Open)->trigger();
    EXPECT_EQ(ed->lineCount(), 10'000);
    EXPECT_EQ(ed->line(9'999), u("ПРЫЖОК"));
    EXPECT_EQ(window->currentFile(), path("big.tkm"));
    EXPECT_FALSE(ed->document()->isUndoAvailable());
    EXPECT_FALSE(window->action(Command::Undo)->isEnabled());
}

TEST_F(MainWindowTest, FailedSaveAsChangesNothing)
{
    open();
    setProgram("ШАГ");
    prompts.savePaths.enqueue(path("no/such/folder/a.tkm"));
    window->action(Command::SaveAs)->trigger();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_EQ(panel(StatusPanel::Document), u("Изменен"));
}

TEST_F(MainWindowTest, PictureExportWritesABitmapOrNothing)
{
    open();
    window->action(Command::SavePicture)->trigger();   // cancelled
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("*.bmp")}).isEmpty());
    prompts.savePaths.enqueue(path("field.bmp"));
    window->action(Command::SavePicture)->trigger();
    QImage img(path("field.bmp"));
    EXPECT_EQ(img.size(), QSize(358, 438));
    EXPECT_EQ(prompts.saveSuffixes.last(), QStringLiteral("bmp"));
}

TEST_F(MainWindowTest, AReadOnlyFileIsReplacedOnlyWhenThePupilSaysSoAndStaysReadOnly)
{
    open();
    setProgram("ШАГ");
    const QString program = path("given.tkm"), picture = path("given.bmp");
    for (const QString &target : {program, picture}) {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
        f.close();
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
    }
    auto contents = [](const QString &target) {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    auto mode = [](const QString &target) {
        struct stat st { };
        EXPECT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
        return st.st_mode & 07777;
    };
    const std::pair<Command, QString> saves[] = {{Command::SaveAs, program}, {Command::SavePicture, picture}};
    for (const auto &[command, target] : saves) {
        SCOPED_TRACE(target.toStdString());
        prompts.questions.clear();
        prompts.savePaths.enqueue(target);
        prompts.answers.enqueue(false);
        window->action(command)->trigger();
        ASSERT_EQ(prompts.questions.size(), 1);
        EXPECT_TRUE(prompts.questions.first().contains(u("\"") + QDir::toNativeSeparators(target) + u("\"")))
            << prompts.questions.first().toStdString();
        EXPECT_TRUE(prompts.questions.first().contains(u("только для чтения")));
        EXPECT_EQ(contents(target), QByteArray("old"));

        prompts.savePaths.enqueue(target);
        prompts.answers.enqueue(true);
        window->action(command)->trigger();
        EXPECT_NE(contents(target), QByteArray("old"));
        EXPECT_EQ(mode(target), 0444u) << "never made writable";
    }
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    EXPECT_EQ(window->currentFile(), program);
    EXPECT_EQ(panel(StatusPanel::Document), u("Сохранен"));
    EXPECT_EQ(QImage(picture).size(), QSize(358, 438));
}

TEST_F(MainWindowTest, ALinkLoopIsRefusedInTheWindowsLanguageAndStaysALink)
{
    open();
    setProgram("ШАГ");
    const QString loop = path("loop.tkm");
    ASSERT_TRUE(QFile::link(loop, loop));
    prompts.savePaths.enqueue(loop);
    window->action(Command::SaveAs)->trigger();
    EXPECT_EQ(prompts.messages,
              QStringList {QDir::toNativeSeparators(loop) + u("\nСимволические ссылки образуют петлю")});
    EXPECT_TRUE(QFileInfo(loop).isSymLink());
    EXPECT_TRUE(window->currentFile().isEmpty());
    EXPECT_EQ(panel(StatusPanel::Document), u("Изменен"));
}

TEST_F(MainWindowTest, ClosingSaysWhenTheSettingsCannotBeWritten)
{
    open();
    window->show();
    // Something that is no file has taken the settings file's name since the start.
    QFile::remove(iniPath());
    ASSERT_TRUE(QDir().mkdir(iniPath()));
    EXPECT_TRUE(window->close()) << "the window closes all the same";
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages.first().startsWith(u("Не удалось записать файл настроек \"") +
                                                    QDir::toNativeSeparators(iniPath())))
        << prompts.messages.first().toStdString();
}
