// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "app/Commands.h"
#include "documents/DocumentConvert.h"
#include "documents/ProgramFile.h"
#include "documents/RecoveryCopy.h"
#include "base/TextCatalogue.h"
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStringEncoder>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
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
    // Programs first, as ever; tasks and both after them.
    EXPECT_EQ(prompts.openFilters.last(),
              u("Файлы тракмила (*.tkm);;Задания Тракмила (*.tkt);;Программы и задания (*.tkm *.tkt)"));
    EXPECT_EQ(window->editor()->toPlainText(), u("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА"));
    EXPECT_EQ(panel(StatusPanel::Document), u("Загружен"));
}

TEST_F(MainWindowTest, ARomanianPlainTextFromWindowsOpensWithItsOwnLetters)
{
    // Windows-1250, as a Romanian Windows saves "ANSI" text; read as Windows-1251 its
    // comment would come out Cyrillic.
    open({}, "[int]\nlanguage=rom\n");
    const QString program = u("* Pătratul lui Ştefan\nINCEPUT DE ALGORITM\nPAS\nSFIRSIT DE ALGORITM");
    {
        QFile f(path("ro.tkm"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringEncoder("windows-1250").encode(QString(program).replace(u("\n"), u("\r\n"))));
    }
    prompts.openPaths.enqueue(path("ro.tkm"));
    window->action(Command::Open)->trigger();
    EXPECT_EQ(window->editor()->toPlainText(), program);
    EXPECT_TRUE(prompts.messages.isEmpty());
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

// Too many lines of bare line breaks or of RTF paragraphs, or one line too long: refused,
// in the window's Language, naming the bound the file passed, whether opened or given at
// start-up, and nothing of the text changes.
TEST_F(MainWindowTest, AFileOverALimitIsRefusedNamingTheLimitAndChangesNothing)
{
    auto write = [&](const char *name, const QByteArray &bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("lines.tkm", QByteArray(100'001, '\r'));
    write("pars.tkm", "{\\rtf1 " + QByteArray("\\par ").repeated(100'001) + "}");
    write("long.tkm", "STEP\r\n" + QByteArray(10'000, 'x') + "\r\n" + QByteArray(10'001, 'x') + "\r\nSTEP");
    struct Case {
        const char *language;
        const char *lines, *lineLength;
    };
    const Case cases[] = {
        {"rus", "Файл слишком большой: строк больше, чем 100\u00A0000",
         "Файл слишком большой: в строке 3 символов больше, чем 10\u00A0000"},
        {"rom", "Fișierul este prea mare: are mai multe rânduri decât 100.000",
         "Fișierul este prea mare: rândul 3 are mai multe caractere decât 10.000"},
        {"eng", "File too large: more than 100,000 lines",
         "File too large: line 3 is longer than 10,000 characters"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        const QByteArray ini = QByteArray("[int]\nlanguage=") + c.language + "\n";
        for (const char *name : {"lines.tkm", "pars.tkm", "long.tkm"}) {
            SCOPED_TRACE(name);
            const QString expected = u(name == QByteArrayView("long.tkm") ? c.lineLength : c.lines);
            prompts.messages.clear();
            open({}, ini);
            setProgram("STEP");
            prompts.openPaths.enqueue(path(name));
            window->action(Command::Open)->trigger();
            ASSERT_EQ(prompts.messages.size(), 1);
            EXPECT_EQ(prompts.messages.last(), QDir::toNativeSeparators(path(name)) + u("\n") + expected);
            EXPECT_TRUE(window->currentFile().isEmpty());
            EXPECT_EQ(window->editor()->toPlainText(), u("STEP"));

            prompts.messages.clear();
            open(path(name), ini);
            window->show();
            EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts.messages.isEmpty(); }, 2000));
            ASSERT_EQ(prompts.messages.size(), 1);
            EXPECT_TRUE(prompts.messages.last().endsWith(expected)) << prompts.messages.last().toStdString();
            EXPECT_TRUE(window->currentFile().isEmpty());
            EXPECT_TRUE(window->editor()->toPlainText().isEmpty());
            window.reset();
        }
    }
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
            lines.append({l.text, characterColours(l)});
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

// The dialog offers the SVG drawing beside the bitmap, and a .svg name gets the field as it is.
TEST_F(MainWindowTest, PictureExportWritesAnSvgDrawingWhenNamedSo)
{
    open();
    setProgram("НАЧАЛО АЛГОРИТМА\nЦВЕТ=СИНИЙ\nШАГ\nПОВОРОТ 45\nШАГ\nКОНЕЦ АЛГОРИТМА");
    window->action(Command::Run)->trigger();
    runToStop();
    prompts.savePaths.enqueue(path("field.svg"));
    window->action(Command::SavePicture)->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    EXPECT_TRUE(prompts.saveFilters.last().startsWith(u("Файл изображения (*.bmp);;")));
    EXPECT_TRUE(prompts.saveFilters.last().endsWith(QStringLiteral("(*.svg)")));

    QFile f(path("field.svg"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    QStringList lines;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("line"))
            lines << xml.attributes().value("x2").toString() + QLatin1Char(',') +
                         xml.attributes().value("y2").toString() + QLatin1Char(' ') +
                         xml.attributes().value("stroke").toString();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(lines, (QStringList {"39.5,19.5 #0000ff", "59.5,39.5 #0000ff"}));
}

// Opening is no edit: a program in one keyword Language keeps every colour of its file under
// an interface of another, whichever way it arrives (Open, the start-up file, an example, a
// restored copy), and saving it unedited writes those colours back.
TEST_F(MainWindowTest, AProgramKeepsTheColoursOfItsFileUntilItIsEdited)
{
    enum class Way {
        Open,
        StartUp,
        Example,
        Restored
    };
    const struct {
        const char *keywords, *interface;
    } languages[] = {{"rom", "rus"}, {"rus", "eng"}, {"eng", "rom"}};
    for (const auto &l : languages) {
        for (Way way : {Way::Open, Way::StartUp, Way::Example, Way::Restored}) {
            SCOPED_TRACE(std::string(l.keywords) + " under " + l.interface + ", way " +
                         std::to_string(int(way)));
            const QString source =
                QStringLiteral(TRAKMIL_EXAMPLES "/%1/08-conditions.tkm").arg(QLatin1String(l.keywords));
            StyledText inFile;
            ASSERT_TRUE(loadProgramFile(source, inFile, nullptr));
            const QString program = path("08-conditions.tkm");
            QFile::remove(program);
            ASSERT_TRUE(QFile::copy(source, program));
            const QByteArray ini = QByteArray("[int]\nlanguage=") + l.interface + "\n";
            window.reset();
            MainWindow::Options o;
            o.settingsPath = iniPath();
            o.prompts = &prompts;
            {
                QFile f(iniPath());
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(ini);
            }
            if (way == Way::StartUp) o.startupFile = program;
            if (way == Way::Example) {
                // The foreign program among the interface Language's examples.
                const QString examples = path("examples");
                QDir(examples).removeRecursively();
                ASSERT_TRUE(QDir().mkpath(examples + QLatin1Char('/') + QLatin1String(l.interface)));
                ASSERT_TRUE(QFile::copy(source, examples + QLatin1Char('/') + QLatin1String(l.interface) +
                                                    QStringLiteral("/08-conditions.tkm")));
                o.examplesFolder = examples;
            }
            if (way == Way::Restored) {
                o.recoveryFolder = path("recovery");
                QDir(o.recoveryFolder).removeRecursively();
                auto slot = RecoverySlot::open(o.recoveryFolder, nullptr);
                ASSERT_TRUE(slot);
                ASSERT_TRUE(
                    slot->write({inFile, program, QDateTime::currentDateTime(), std::nullopt}, nullptr));
            }
            window = std::make_unique<MainWindow>(o);
            window->show();
            QApplication::processEvents();   // a left copy is offered just after showing
            if (way == Way::Open) {
                prompts.openPaths.enqueue(program);
                window->action(Command::Open)->trigger();
            }
            if (way == Way::Example) {
                const QList<QAction *> items = window->examplesMenu()->actions();
                ASSERT_EQ(items.size(), 1);
                items.first()->trigger();
                prompts.savePaths.enqueue(program);   // an example is saved under a name of its own
            }
            ASSERT_EQ(plainLines(styledFromDocument(*window->editor()->document())), plainLines(inFile));
            EXPECT_TRUE(sameContent(styledFromDocument(*window->editor()->document()), inFile))
                << "opening changed a colour";

            window->action(Command::Save)->trigger();
            StyledText saved;
            ASSERT_TRUE(loadProgramFile(program, saved, nullptr));
            EXPECT_TRUE(sameContent(saved, inFile)) << "an unedited save changed a colour";
        }
    }
    window.reset();
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
