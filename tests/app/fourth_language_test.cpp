// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "common/ModalHelper.h"
#include "lang/Lexicon.h"
#include "lang/MessageCatalogue.h"
#include "world/RobotWorld.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <thread>

namespace {
// A Language the program does not ship, from its data file alone: the list, the window, the
// checker and the run must all take it from there. It leaves the list when the test ends, so
// other tests see the program's own Languages.
struct AddedLanguage {
    AddedLanguage()
    {
        QString error;
        lang = registerLanguageFile(QStringLiteral(TRAKMIL_TEST_DATA "/languages/tst.json"), &error)
                   .value_or(Language::Unknown);
        EXPECT_NE(lang, Language::Unknown) << error.toStdString();
    }
    ~AddedLanguage() { removeAddedLanguages(); }
    Language lang;
};

QString tst(const char *key, Language lang)
{
    return uiText(key, lang).value_or(QStringLiteral("(missing)"));
}
}   // namespace

TEST(LanguageList, AFourthLanguageFileHasEveryTextAndJoinsTheListAfterTheThree)
{
    const AddedLanguage added;
    const Language lang = added.lang;
    ASSERT_NE(lang, Language::Unknown);
    EXPECT_EQ(languageFromCode(QStringLiteral("tst")), lang);
    EXPECT_EQ(registeredLanguages().indexOf(lang), builtInLanguages().size());
    for (const QByteArray &key : catalogueKeys()) {
        const auto text = uiText(key, lang);
        EXPECT_TRUE(text && !text->isEmpty()) << key.toStdString();
    }

    // The same code twice, and files that are not a flat object of texts, are refused with a reason.
    QString error;
    EXPECT_FALSE(registerLanguageFile(QStringLiteral(TRAKMIL_TEST_DATA "/languages/tst.json"), &error));
    EXPECT_TRUE(error.contains(QLatin1String("tst"))) << error.toStdString();
    QTemporaryDir dir;
    const struct {
        const char *name, *bytes;
    } broken[] = {{"list.json", "[\"rus\"]"},
                  {"nested.json", "{\"language.code\": \"xyz\", \"menu\": {\"file\": \"F\"}}"},
                  {"nocode.json", "{\"menu.file\": \"F\"}"},
                  {"cut.json", "{\"language.code\": \"xyz\", "}};
    for (const auto &b : broken) {
        QFile f(dir.filePath(QString::fromLatin1(b.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b.bytes);
        f.close();
        error.clear();
        EXPECT_FALSE(registerLanguageFile(f.fileName(), &error)) << b.name;
        EXPECT_FALSE(error.isEmpty()) << b.name;
    }
    EXPECT_FALSE(registerLanguageFile(dir.filePath(QStringLiteral("absent.json")), &error));
    EXPECT_EQ(languageFromCode(QStringLiteral("xyz")), Language::Unknown);
    EXPECT_EQ(registeredLanguages().size(), builtInLanguages().size() + 1);
}

TEST_F(MainWindowTest, TheWindowSwitchesToAFourthLanguageAndRunsAProgramInItsKeywords)
{
    const AddedLanguage added;
    const Language lang = added.lang;
    ASSERT_NE(lang, Language::Unknown);
    open();
    // The preferences offer it after the three, by the name its own file gives it.
    bool offered = false;
    whenModal([&](QWidget *dialog) {
        auto *button =
            dialog->findChild<QRadioButton *>(QStringLiteral("rb%1").arg(builtInLanguages().size() + 1));
        offered = button != nullptr;
        if (button) button->click();
        if (auto *ok = dialog->findChild<QPushButton *>(QLatin1String(ObjectName::OkButton))) ok->click();
    });
    window->action(Command::Preferences)->trigger();
    ASSERT_TRUE(offered);
    EXPECT_EQ(window->settings().language, QStringLiteral("tst"));
    // The window adds the access letters.
    EXPECT_EQ(
        window->findChild<QMenu *>(QLatin1String(ObjectName::FileMenu))->title().remove(QLatin1Char('&')),
        tst("menu.file", lang));
    EXPECT_EQ(window->action(Command::Run)->text().remove(QLatin1Char('&')), tst("menu.run", lang));

    setProgram("KOMENCO DE ALGORITMO\n"
               "KOLORO=RUGA\n"
               "CIKLO. PLENUMI 2 FOJE\n"
               "PASO\n"
               "FINO DE CIKLO\n"
               "TURNO 90\n"
               "KONDICO. SE NE RANDO\n"
               "TIAM\n"
               "PASO\n"
               "FINO DE KONDICO\n"
               "FINO DE ALGORITMO");
    window->action(Command::Check)->trigger();
    for (const auto &r : prompts.reports)
        ADD_FAILURE() << r.heading.toStdString() << ": " << r.texts.join('|').toStdString();
    prompts.reports.clear();
    EXPECT_EQ(control<QLabel>(ObjectName::NoErrorsNotice)->text(),
              MessageCatalogue::forLanguage(lang).msgNoErrors);
    EXPECT_TRUE(MessageCatalogue::forLanguage(lang).msgNoErrors.startsWith(QLatin1String("[tst] ")));

    window->action(Command::Run)->trigger();
    const RobotState &robot = window->robotWorld().state();
    // The colour holds while the run lasts; the stop puts the black back.
    for (int n = 0; robot.x == 0 && n < 100 && window->runController().isActive(); ++n)
        window->runController().tick();
    EXPECT_EQ(robot.colour, QRgb(0xFF0000));
    runToStop();
    EXPECT_TRUE(prompts.reports.isEmpty());
    EXPECT_EQ(robot.x, 2);
    EXPECT_EQ(robot.y, 1);
    EXPECT_EQ(window->robotWorld().traceAt(4, 1), 1);   // the second step east drew

    // A line in another Language's keywords is an error worded in this one.
    setProgram("KOMENCO DE ALGORITMO\nSTEP\nFINO DE ALGORITMO");
    window->action(Command::Check)->trigger();
    ASSERT_EQ(prompts.reports.size(), 1);
    EXPECT_TRUE(prompts.reports[0].heading.contains(QLatin1String("[tst] ")))
        << prompts.reports[0].heading.toStdString();
    window.reset();   // before its Language leaves the list
}

// A Language number comes free when the added Languages leave, and the next file added takes
// it: its keywords and messages are its own, on the thread that read the old ones and on
// another, never what was built for the number before.
TEST(LanguageList, ANumberTakenByAnotherFileGivesThatFilesKeywords)
{
    Language first = Language::Unknown;
    {
        const AddedLanguage added;
        first = added.lang;
        ASSERT_EQ(Lexicon::forLanguage(first).kwStep, QStringLiteral("PASO"));
        (void)MessageCatalogue::forLanguage(first);
    }
    QFile source(QStringLiteral(TRAKMIL_TEST_DATA "/languages/tst.json"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray other = source.readAll();
    other.replace("\"tst\"", "\"tsu\"").replace("\"PASO\"", "\"PASITO\"");
    QTemporaryDir dir;
    QFile copy(dir.filePath(QStringLiteral("tsu.json")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(other);
    copy.close();
    QString error;
    const std::optional<Language> second = registerLanguageFile(copy.fileName(), &error);
    ASSERT_TRUE(second) << error.toStdString();
    ASSERT_EQ(*second, first) << "the number is taken again";
    EXPECT_EQ(Lexicon::forLanguage(*second).kwStep, QStringLiteral("PASITO"));
    QString onAnother;
    std::thread([&] { onAnother = Lexicon::forLanguage(*second).kwStep; }).join();
    EXPECT_EQ(onAnother, QStringLiteral("PASITO"));
    removeAddedLanguages();
}
