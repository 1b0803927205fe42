#include "MainWindowFixture.h"
#include "app/UiTexts.h"
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>

TEST_F(MainWindowTest, EveryMenuItemHasItsCaptionAndShortcutInEachLanguage)
{
    open();
    int count = 0;
    const MenuRow *rows = menuRows(&count);
    for (Language lang : {Language::Rus, Language::Rom, Language::Eng, Language::Rus}) {
        window->settings().language = languageCode(lang);
        window->ApplyLanguage();
        for (int i = 0; i < count; ++i) {
            const MenuRow &r = rows[i];
            const QString name = QString::fromLatin1(r.name);
            const QString expected = QString::fromUtf8(r.text[int(lang)]);
            if (r.kind == 'I') {
                ASSERT_NE(window->action(name), nullptr) << r.name;
                EXPECT_EQ(window->action(name)->text(), expected);
                EXPECT_EQ(window->action(name)->shortcut(), QKeySequence(QString::fromLatin1(r.shortcut)));
            } else if (r.kind != '-') {
                EXPECT_EQ(window->menu(name)->title(), expected);
            }
        }
    }
    EXPECT_EQ(count, 52);
}

TEST_F(MainWindowTest, EnglishCaptionsKeepTheirOwnSpelling)
{
    open({}, "[int]\nlanguage=eng\n");
    EXPECT_EQ(window->menu("N3")->title(), QStringLiteral("Programm"));
    EXPECT_EQ(window->action("mmHelp")->text(), QStringLiteral("Index"));
    EXPECT_EQ(window->action("mmClearRobField")->text(), QStringLiteral("Clear robot\"s field"));
    EXPECT_EQ(window->manualButton(3)->text(), QStringLiteral("   Rotate 90   "));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trakmil"));
    EXPECT_EQ(window->toolButton("ToolButton5")->toolTip(), QStringLiteral("Orfo"));
    EXPECT_EQ(window->toolButton("tbSave")->toolTip(), QStringLiteral("Save"));
    EXPECT_EQ(panel(1), QStringLiteral("Lines total:"));
}

TEST_F(MainWindowTest, UnknownLanguageKeepsCaptionsButCopiesHintsAndRewritesTheCaption)
{
    open();
    window->settings().language = QStringLiteral("rom");
    window->ApplyLanguage();
    window->action("mmSave")->setText(QStringLiteral("custom"));
    window->setWindowTitle(QStringLiteral("x"));
    window->settings().language = QStringLiteral("xyz");
    window->ApplyLanguage();
    EXPECT_EQ(window->action("mmNew")->text(), QStringLiteral("Nou"));
    EXPECT_EQ(window->toolButton("tbSave")->toolTip(), QStringLiteral("custom"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Тракмил"));
}

TEST_F(MainWindowTest, LanguageSwitchKeepsTheFileInTheCaptionAndRewordsTheState)
{
    QFile f(path("square.tkm"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xcd\xc0\xd7\xc0\xcb\xce \xc0\xcb\xc3\xce\xd0\xc8\xd2\xcc\xc0\r\n");
    f.close();
    open(path("square.tkm"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Тракмил - ") + path("square.tkm"));
    EXPECT_EQ(panel(0), QString::fromUtf8("Загружен"));
    window->settings().language = QStringLiteral("rom");
    window->ApplyLanguage();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trakmil - ") + path("square.tkm"));
    EXPECT_EQ(panel(0), QStringLiteral("Incarcat"));
    EXPECT_EQ(panel(3), QStringLiteral("Cimp: 16 x 20"));
    EXPECT_EQ(panel(5), QStringLiteral("Linie [0]"));
    EXPECT_EQ(window->recordingBox()->text(), QStringLiteral("salveaza algoritm"));
}

TEST_F(MainWindowTest, StartUpAppliesSettingsAndResetsTheWorld)
{
    open({}, "[int]\nlanguage=eng\nx_speed=5\npole_x=10\npole_y=5\nshowadv=0\n");
    EXPECT_EQ(window->settings().pole_x, 10);
    EXPECT_EQ(panel(0), QStringLiteral("Empty"));
    EXPECT_EQ(panel(3), QStringLiteral("Field: 10 x 5"));
    EXPECT_EQ(panel(4), QStringLiteral("Robot: x=0, y=0"));
    EXPECT_EQ(panel(6), QStringLiteral("Border [0]"));
    EXPECT_FALSE(window->toolBar("ToolBar2")->isVisibleTo(window.get()));
    EXPECT_EQ(window->executing, 0);
    EXPECT_FALSE(window->manualMode());
    EXPECT_FALSE(enabled("mmPause"));
    EXPECT_FALSE(enabled("ToolButton24"));
}

TEST_F(MainWindowTest, ClosingSavesTheSettingsWithoutAQuestion)
{
    open();
    window->settings().pole_x = 7;
    window->close();
    EXPECT_TRUE(prompts.questions.isEmpty());
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("pole_x=7"));
}
