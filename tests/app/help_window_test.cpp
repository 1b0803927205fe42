// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in help: its pages cannot drift from the language, the messages or the menus,
// and F1 opens it at the statement under the caret.
#include "MainWindowFixture.h"
#include "run/HeadlessRun.h"
#include "app/HelpWindow.h"
#include "app/Commands.h"
#include "base/TextCatalogue.h"
#include "lang/Hints.h"
#include "lang/MessageCatalogue.h"
#include "lang/SyntaxChecker.h"
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include "base/LanguageRegistry.h"
#include <QTextDocument>
#include <QTest>
#include <cstdlib>

namespace {

// Every Language the program ships has its help pages.
const QList<Language> kLanguages = builtInLanguages();

struct Block {
    QString page, cls, title, text;
};

// Every <pre> block of a Language's pages, its entities decoded.
QList<Block> blocks(Language lang)
{
    static const QRegularExpression pre(QStringLiteral("<pre([^>]*)>(.*?)</pre>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cls(QStringLiteral("class=\"([^\"]*)\""));
    static const QRegularExpression title(QStringLiteral("title=\"([^\"]*)\""));
    QList<Block> out;
    for (const QString &page : HelpWindow::pageNames()) {
        const QString html = HelpWindow::pageHtml(lang, page);
        for (auto it = pre.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            QTextDocument doc;
            doc.setHtml(QStringLiteral("<pre>") + m.captured(2) + QStringLiteral("</pre>"));
            out.append({page, cls.match(m.captured(1)).captured(1), title.match(m.captured(1)).captured(1),
                        doc.toPlainText()});
        }
    }
    return out;
}

QString plainPage(Language lang, const QString &page)
{
    QTextDocument doc;
    doc.setHtml(HelpWindow::pageHtml(lang, page));
    return doc.toPlainText().simplified();
}

// The catalogue texts the error page explains, by the key its examples name.
QString catalogueText(const MessageCatalogue &m, const QString &key)
{
    const std::pair<const char *, const QString *> keys[] = {
        {"msgNoBeginEnd", &m.msgNoBeginEnd},
        {"msgBeginEndTwice", &m.msgBeginEndTwice},
        {"msgNoEndProc", &m.msgNoEndProc},
        {"msgEndProcWithoutProc", &m.msgEndProcWithoutProc},
        {"msgBeforeBegin", &m.msgBeforeBegin},
        {"msgAfterEnd", &m.msgAfterEnd},
        {"msgEndProcInAlgorithm", &m.msgEndProcInAlgorithm},
        {"msgProcNotFound", &m.msgProcNotFound},
        {"msgCycleFormat", &m.msgCycleFormat},
        {"msgErrorInLine", &m.msgErrorInLine},
        {"msgOutOfField", &m.msgOutOfField},
        {"msgLoopWithoutEnd", &m.msgLoopWithoutEnd},
        {"msgNestingTooDeep", &m.msgNestingTooDeep}};
    for (const auto &[name, text] : keys)
        if (key == QLatin1String(name)) return *text;
    return QString();
}

}   // namespace

TEST(HelpPages, EveryPageInEveryLanguageWithATitleAndLinksThatLead)
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (Language lang : kLanguages) {
        // A page the contents do not lead to is found by the search alone.
        const QString contents = HelpWindow::pageHtml(lang, QStringLiteral("index"));
        for (const QString &page : HelpWindow::pageNames())
            EXPECT_TRUE(page == QLatin1String("index") ||
                        contents.contains(QStringLiteral("href=\"%1.html\"").arg(page)))
                << languageCode(lang).toStdString() << ": the contents do not link " << page.toStdString();
        for (const QString &page : HelpWindow::pageNames()) {
            const QString html = HelpWindow::pageHtml(lang, page);
            ASSERT_FALSE(html.isEmpty()) << page.toStdString();
            QTextDocument doc;
            doc.setHtml(html);
            EXPECT_FALSE(doc.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << page.toStdString();
            for (auto it = href.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                EXPECT_TRUE(target.endsWith(QLatin1String(".html")) &&
                            HelpWindow::pageNames().contains(target.chopped(5)))
                    << page.toStdString() << " links to " << target.toStdString();
            }
        }
    }
}

TEST(HelpPages, EveryStatementKindHasAPageWithAnExample)
{
    for (int k = int(StatementKind::Begin); k <= int(StatementKind::Comment); ++k) {
        const QString page = HelpWindow::pageFor(StatementKind(k));
        ASSERT_TRUE(HelpWindow::pageNames().contains(page)) << k;
        for (Language lang : kLanguages) {
            bool example = false;
            for (const Block &b : blocks(lang))
                example = example || (b.page == page && b.cls == QLatin1String("program"));
            EXPECT_TRUE(example) << page.toStdString();
        }
    }
    EXPECT_TRUE(HelpWindow::pageFor(StatementKind::None).isEmpty());
}

TEST(HelpPages, EveryExampleProgramChecksAndRunsToItsEndInItsLanguage)
{
    for (Language lang : kLanguages) {
        int programs = 0;
        for (const Block &b : blocks(lang)) {
            // An example without its marker would escape this test.
            ASSERT_TRUE(b.cls == QLatin1String("program") || b.cls == QLatin1String("wrong"))
                << b.page.toStdString() << ": " << b.text.toStdString();
            if (b.cls != QLatin1String("program")) continue;
            QStringList lines = b.text.split(QLatin1Char('\n'));
            StringListProgramText text(lines);
            HeadlessRun run(text, lang);
            EXPECT_EQ(run.checkAndRun(100000), HeadlessRun::Result::End) << b.page.toStdString() << ":\n"
                                                                         << b.text.toStdString();
            ++programs;
        }
        EXPECT_GE(programs, 14);   // every page but the errors and the keys
    }
}

TEST(HelpPages, EveryWrongExampleRaisesTheMessageItIsShownWith)
{
    for (Language lang : kLanguages) {
        const MessageCatalogue &msg = MessageCatalogue::forLanguage(lang);
        QStringList shown;
        for (const Block &b : blocks(lang)) {
            if (b.cls != QLatin1String("wrong")) continue;
            const QString expected = catalogueText(msg, b.title);
            ASSERT_FALSE(expected.isEmpty()) << "unknown message " << b.title.toStdString();
            QStringList lines = b.text.split(QLatin1Char('\n'));
            StringListProgramText text(lines);
            HeadlessRun run(text, lang);
            EXPECT_NE(run.checkAndRun(100000), HeadlessRun::Result::End) << b.text.toStdString();
            ASSERT_FALSE(run.reports().isEmpty()) << b.text.toStdString();
            const QString reported = run.reports().constLast().texts.join(QLatin1Char('\n'));
            EXPECT_TRUE(reported.contains(expected))
                << b.title.toStdString() << " got " << reported.toStdString();
            // The page shows the message as the window does.
            for (const QString &line : expected.split(QLatin1Char('\n')))
                EXPECT_TRUE(plainPage(lang, QStringLiteral("errors")).contains(line.simplified()))
                    << line.toStdString();
            shown << b.title;
        }
        EXPECT_EQ(shown.size(), 13 + 4);   // the errors page's, and the four hints of the mistakes page
    }
}

TEST(HelpPages, TheMistakesPageShowsTheHintAndTheWarningsItsExamplesGet)
{
    for (Language lang : kLanguages) {
        const QString page = plainPage(lang, QStringLiteral("mistakes"));
        int hints = 0, warned = 0;
        for (const Block &b : blocks(lang)) {
            if (b.page != QLatin1String("mistakes")) continue;
            StringListProgramText text(b.text.split(QLatin1Char('\n')));
            if (b.cls == QLatin1String("wrong")) {
                HeadlessRun run(text, lang);
                run.checkAndRun(1000);
                ASSERT_FALSE(run.reports().isEmpty());
                const QString hint = Hints::forLine(text.line(run.reports().constLast().line), lang, lang);
                EXPECT_FALSE(hint.isEmpty()) << b.text.toStdString();
                EXPECT_TRUE(page.contains(hint.simplified())) << hint.toStdString();
                ++hints;
            } else {
                const QStringList warnings = Hints::structureWarnings(text, lang, lang);
                EXPECT_EQ(warnings.size(), 1) << b.text.toStdString();
                for (const QString &w : warnings)
                    EXPECT_TRUE(page.contains(w.simplified())) << w.toStdString();
                ++warned;
            }
        }
        EXPECT_EQ(hints, 4);
        EXPECT_EQ(warned, 4);
    }
}

// A page's own style would fix its colours under every theme; the window's sheet alone colours
// them, and the mistakes page's hints still stand out from the text around them, light or dark.
TEST(HelpPages, CarryNoStyleOfTheirOwnAndTheirHintsFollowTheTheme)
{
    static const QRegularExpression ownStyle(QStringLiteral("<style|\\sstyle\\s*=|<font\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (Language lang : kLanguages)
        for (const QString &page : HelpWindow::pageNames())
            EXPECT_FALSE(HelpWindow::pageHtml(lang, page).contains(ownStyle))
                << languageCode(lang).toStdString() << "/" << page.toStdString();

    for (bool dark : {false, true}) {
        QTextDocument doc;
        doc.setDefaultStyleSheet(HelpWindow::styleSheet(dark));
        doc.setHtml(HelpWindow::pageHtml(Language::Eng, QStringLiteral("mistakes")));
        int hints = 0;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            const QBrush background = b.blockFormat().background();
            const bool isHint =
                b.text().startsWith(QLatin1String("Hint:")) || b.text().startsWith(QLatin1String("Line "));
            if (!isHint) continue;
            ++hints;
            ASSERT_EQ(background.style(), Qt::SolidPattern) << b.text().toStdString();
            EXPECT_EQ(background.color().lightness() < 128, dark) << b.text().toStdString();
            const QColor text = b.begin().fragment().charFormat().foreground().color();
            EXPECT_GT(std::abs(text.lightness() - background.color().lightness()), 100)
                << b.text().toStdString();
        }
        EXPECT_EQ(hints, 8) << (dark ? "dark" : "light");
    }
}

TEST(HelpPages, ColourNamesAndMenuKeysAreTheProgramsOwn)
{
    for (Language lang : kLanguages) {
        const QString colours = plainPage(lang, QStringLiteral("colour"));
        for (const QString &name : ColourTable::names(lang))
            EXPECT_TRUE(colours.contains(name)) << name.toStdString();
        const QString keys = plainPage(lang, QStringLiteral("keys"));
        for (int i = 0; i < commandCount; ++i) {
            const CommandRow &command = commandRow(Command(i));
            if (!*command.shortcut) continue;
            const QString row = uiText(command.caption, lang).value_or(QString()) + QLatin1Char(' ') +
                                QLatin1String(command.shortcut);
            EXPECT_TRUE(keys.contains(row)) << row.toStdString();
        }
    }
}

// The tasks page sends the pupil to menu items, file types and panel words by their captions.
TEST(HelpPages, TheTasksPageNamesTheWindowsOwnCaptions)
{
    for (Language lang : kLanguages) {
        const auto text = [lang](const char *key) {
            const std::optional<QString> t = uiText(key, lang);
            if (!t) ADD_FAILURE() << "no text " << key;
            return t.value_or(QString());
        };
        const auto item = [&text](const char *menu, const char *key) {
            return text(menu) + QStringLiteral(" - ") + text(key);
        };
        const QString page = plainPage(lang, QStringLiteral("tasks"));
        const QStringList captions {
            item("menu.file", "menu.open"), item("menu.view", "menu.showGoal"),
            item("menu.program", "menu.checkTask"), item("menu.file", "menu.makeTask"),
            text("task.openFilter").section(QLatin1Char('|'), 0, 0),
            text("task.openAnyFilter").section(QLatin1Char('|'), 0, 0), text("toolbar.checkSpelling.hint"),
            // the word after "Field 1 (8 × 6): " in the result list
            text("task.result.fieldRight").section(QStringLiteral(": "), -1),
            text("task.result.fieldWrong").section(QStringLiteral(": "), -1), QStringLiteral("Shift+F5")};
        for (const QString &caption : captions) {
            EXPECT_TRUE(page.contains(caption))
                << languageCode(lang).toStdString() << ": " << caption.toStdString();
        }
    }
}

TEST(HelpWindowSearch, FiltersThePagesAndFindsTheWordsPageAfterPage)
{
    HelpWindow help;
    help.setLanguage(Language::Eng);
    EXPECT_EQ(help.currentPage(), QStringLiteral("index"));
    EXPECT_EQ(help.pageList()->count(), int(HelpWindow::pageNames().size()));

    help.searchField()->setText(QStringLiteral("transparent"));
    const QStringList found = help.pagesContaining(QStringLiteral("TRANSPARENT"));
    EXPECT_TRUE(found.contains(QStringLiteral("colour")));
    EXPECT_FALSE(found.contains(QStringLiteral("jump")));
    int visible = 0;
    for (int i = 0; i < help.pageList()->count(); ++i)
        visible += help.pageList()->item(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(visible, found.size());
    EXPECT_FALSE(help.nothingFoundLabel()->isVisibleTo(&help));

    // Enter goes through every hit of a page, then on to the next page that has the words.
    help.showPage(found.first());
    QStringList visited {help.currentPage()};
    for (int i = 0; i < 40 && visited.size() < found.size() + 1; ++i) {
        help.findNext();
        EXPECT_TRUE(help.browser()->textCursor().hasSelection());
        if (help.currentPage() != visited.last()) visited << help.currentPage();
    }
    EXPECT_EQ(visited.mid(0, found.size()), found);
    EXPECT_EQ(visited.last(), found.first());   // and round again

    help.searchField()->setText(QStringLiteral("no such words anywhere"));
    EXPECT_TRUE(help.nothingFoundLabel()->isVisibleTo(&help));
    help.findNext();   // nothing to find: stays put
    EXPECT_EQ(help.currentPage(), found.first());
}

TEST(HelpWindowSearch, KeepsThePageAcrossALanguageSwitch)
{
    HelpWindow help;
    help.setLanguage(Language::Rom);
    help.showPage(QStringLiteral("sensors"));
    const QString romTitle = help.windowTitle();
    help.setLanguage(Language::Rus);
    EXPECT_EQ(help.currentPage(), QStringLiteral("sensors"));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("НЕ КРАЙ")));
    EXPECT_NE(help.windowTitle(), romTitle);
    EXPECT_EQ(help.pageList()->currentItem()->text(), QStringLiteral("Датчики"));
    // A followed link moves the list's mark along.
    help.browser()->setSource(QUrl(QStringLiteral("qrc:/help/rus/step.html")));
    EXPECT_EQ(help.pageList()->currentItem()->text(), QStringLiteral("Шаг"));
    help.showPage(QStringLiteral("no-such-page"));
    EXPECT_EQ(help.currentPage(), QStringLiteral("index"));
    help.setLanguage(Language::Unknown);   // a hand-edited code reads Russian
    EXPECT_EQ(help.browser()->source().toString(), QStringLiteral("qrc:/help/rus/index.html"));
}

TEST_F(MainWindowTest, F1OpensTheHelpAtTheStatementUnderTheCaret)
{
    open(QString(), "[int]\r\nlanguage=eng\r\n");
    window->show();
    window->editor()->setPlainText(QStringLiteral("ALGORITHM BEGIN\nCYCLE. EXECUTE WHILE NOT BORDER\nSTEP\n"
                                                  "END OF CYCLE\n\nALGORITHM END"));
    window->editor()->setCaret(1, 3);
    window->action(Command::Help)->trigger();
    HelpWindow *help = window->findChild<HelpWindow *>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentPage(), QStringLiteral("conditional-loop"));
    EXPECT_EQ(help->language(), Language::Eng);
    ASSERT_NE(help->pageList()->currentItem(), nullptr);
    EXPECT_EQ(help->pageList()->currentItem()->text(), QStringLiteral("Conditional loop"));
    EXPECT_TRUE(help->pageList()->currentItem()->isSelected());

    // An empty line keeps the page the pupil is reading; the same window is reused.
    window->editor()->setCaret(4, 0);
    window->action(Command::Help)->trigger();
    EXPECT_EQ(window->findChild<HelpWindow *>(), help);
    EXPECT_EQ(help->currentPage(), QStringLiteral("conditional-loop"));
    window->editor()->setCaret(2, 0);
    window->action(Command::Help)->trigger();
    EXPECT_EQ(help->currentPage(), QStringLiteral("step"));

    // The open help follows the interface Language.
    window->settings().language = QStringLiteral("rom");
    window->applyLanguage();
    EXPECT_EQ(help->language(), Language::Rom);
    EXPECT_EQ(help->currentPage(), QStringLiteral("step"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.reports.isEmpty());
}

TEST_F(MainWindowTest, F1OnAClosedHelpAndNoStatementOpensTheContents)
{
    open();
    window->show();
    window->editor()->setPlainText(QStringLiteral("ШАГГ"));
    window->action(Command::Help)->trigger();
    ASSERT_NE(window->findChild<HelpWindow *>(), nullptr);
    EXPECT_EQ(window->findChild<HelpWindow *>()->currentPage(), QStringLiteral("index"));
    EXPECT_EQ(window->findChild<HelpWindow *>()->language(), Language::Rus);
}

TEST_F(MainWindowTest, F1StartsTheCompiledHelpViewerWhereThereIsOne)
{
    // A stand-in viewer on the path notes what it was asked to show.
    QTemporaryDir bin;
    const QString viewer = bin.filePath(QStringLiteral("hh.exe"));
    QFile script(viewer);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/shown.tmp\"\nmv \"$(dirname "
                 "\"$0\")/shown.tmp\" \"$(dirname \"$0\")/shown\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
    open();
    window->action(Command::Help)->trigger();
    qputenv("PATH", path);
    QFile shown(bin.filePath(QStringLiteral("shown")));
    for (int i = 0; i < 500 && !shown.exists(); ++i) QTest::qWait(20);
    ASSERT_TRUE(shown.exists());
    ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
    EXPECT_EQ(shown.readAll().trimmed(), QByteArray("help.chm"));
    EXPECT_EQ(window->findChild<HelpWindow *>(), nullptr);
}
