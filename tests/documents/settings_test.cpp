// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppInfo.h"
#include "documents/Settings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray kDefaultFile = "[int]\nlanguage=rus\nx_speed=3\npole_x=16\npole_y=20\nsintax=0\nshowadv="
                                "1\ninterface_size=100\nlinenumbers=0\n"
                                "cleanfield=0\npupil=\nhandin_folder=\n";

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

}   // namespace

// Sets the locale variables for one test and puts them back after it.
class LocaleForTest {
public:
    explicit LocaleForTest(const char *lcAll, const char *lang = "C")
    {
        for (const char *name : kNames) m_saved.append(qgetenv(name));
        qunsetenv("LC_MESSAGES");
        if (lcAll)
            qputenv("LC_ALL", lcAll);
        else
            qunsetenv("LC_ALL");
        qputenv("LANG", lang);
    }
    ~LocaleForTest()
    {
        for (int i = 0; i < 3; ++i) {
            if (m_saved[i].isNull())
                qunsetenv(kNames[i]);
            else
                qputenv(kNames[i], m_saved[i]);
        }
    }

private:
    static constexpr const char *kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    QList<QByteArray> m_saved;
};

TEST(SettingsFile, MissingFileGivesDefaults)
{
    const LocaleForTest locale("C");
    QTemporaryDir dir;
    const Settings s = loadSettings(dir.filePath("trakmil.ini"));
    const Settings d;
    EXPECT_EQ(s.language, "rus");
    EXPECT_EQ(s.speed, 3);
    EXPECT_EQ(s.fieldWidth, 16);
    EXPECT_EQ(s.fieldHeight, 20);
    EXPECT_FALSE(s.autoRefresh);
    EXPECT_TRUE(s.showAdvancedToolBar);
    EXPECT_EQ(d.language, s.language);
}

TEST(SettingsFile, AFirstStartTakesTheLanguageFromTheLocale)
{
    QTemporaryDir dir;
    const QString none = dir.filePath("trakmil.ini");
    const std::pair<const char *, const char *> cases[] = {
        {"en_US.UTF-8", "eng"}, {"en_GB", "eng"},       {"ro_RO.UTF-8", "rom"}, {"ro_MD", "rom"},
        {"mo_MD", "rom"},       {"ru_RU.UTF-8", "rus"}, {"ru_UA@euro", "rus"},  {"de_DE.UTF-8", "rus"},
        {"C", "rus"},           {"POSIX", "rus"},       {"C.UTF-8", "rus"}};
    for (const auto &[locale, language] : cases) {
        const LocaleForTest l(locale);
        EXPECT_EQ(loadSettings(none).language, QString::fromLatin1(language)) << locale;
    }
    {
        // LC_ALL first, then LANG.
        const LocaleForTest l(nullptr, "ro_RO.UTF-8");
        EXPECT_EQ(loadSettings(none).language, "rom");
    }
    const LocaleForTest english("en_US.UTF-8");
    // A settings file is never overruled, nor is one that is there but cannot be read.
    writeAll(none, "[int]\nlanguage=rus\n");
    EXPECT_EQ(loadSettings(none).language, "rus");
    writeAll(none, "[int]\nx_speed=2\n");
    EXPECT_EQ(loadSettings(none).language, "rus");
    EXPECT_EQ(loadSettings(dir.path()).language, "rus");   // a folder in its place
}

TEST(SettingsFile, DefaultsAreWrittenAsTheTwelveLineText)
{
    QTemporaryDir dir;
    // The folder does not exist yet: saving creates it.
    const QString path = dir.filePath("config/sub/trakmil.ini");
    QString error;
    ASSERT_TRUE(saveSettings(path, Settings(), &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), kDefaultFile);
}

TEST(SettingsFile, RoundTripKeepsEveryValue)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("trakmil.ini");
    Settings s;
    s.language = "eng";
    s.speed = 5;
    s.fieldWidth = 2;
    s.fieldHeight = 7;
    s.autoRefresh = true;
    s.showAdvancedToolBar = false;
    s.interfaceSize = 150;
    s.cleanFieldEachRun = true;
    ASSERT_TRUE(saveSettings(path, s, nullptr));
    EXPECT_EQ(readAll(path), "[int]\nlanguage=eng\nx_speed=5\npole_x=2\npole_y=7\nsintax=1\nshowadv=0\n"
                             "interface_size=150\nlinenumbers=0\ncleanfield=1\npupil=\nhandin_folder=\n");
    const Settings r = loadSettings(path);
    EXPECT_EQ(r.language, "eng");
    EXPECT_EQ(r.speed, 5);
    EXPECT_EQ(r.fieldWidth, 2);
    EXPECT_EQ(r.fieldHeight, 7);
    EXPECT_TRUE(r.autoRefresh);
    EXPECT_FALSE(r.showAdvancedToolBar);
    EXPECT_EQ(r.interfaceSize, 150);
    EXPECT_FALSE(r.lineNumbers);
    EXPECT_TRUE(r.cleanFieldEachRun);
}

// Any name a pupil types, and any folder, come back exactly, on the one line of their key.
TEST(SettingsFile, HostileNamesAndFoldersRoundTrip)
{
    const QString names[] = {QStringLiteral("a=b; [int] #x"), QStringLiteral("Ион\npole_x=3\r\n[other]"),
                             QStringLiteral("  Ștefan  Țurcanu \t"), QStringLiteral("100%25 %"), QString()};
    for (const QString &name : names) {
        Settings s;
        s.pupilName = name;
        s.handInFolder = QStringLiteral("/srv/клас 5/") + name;
        const QByteArray text = composeSettings(s, "[int]\npupil=old\n; note\n");
        EXPECT_EQ(text.count('\n'), 13) << text.toStdString();
        const Settings r = parseSettings(text);
        EXPECT_EQ(r.pupilName, name);
        EXPECT_EQ(r.handInFolder, s.handInFolder);
        EXPECT_EQ(r.fieldWidth, 16);   // nothing in the name became a key of its own
    }
}

TEST(SettingsFile, LineNumbersFollowTheInterfaceSize)
{
    Settings s;
    s.lineNumbers = true;
    const QByteArray on = composeSettings(s, "[int]\nlinenumbers=0\nother=1\n");
    EXPECT_EQ(on, "[int]\nlanguage=rus\nx_speed=3\npole_x=16\npole_y=20\nsintax=0\nshowadv=1\n"
                  "interface_size=100\nlinenumbers=1\ncleanfield=0\npupil=\nhandin_folder=\nother=1\n");
    EXPECT_TRUE(parseSettings(on).lineNumbers);
    s.lineNumbers = false;
    const QByteArray off = composeSettings(s, on);
    EXPECT_TRUE(off.contains("linenumbers=0\n"));
    EXPECT_TRUE(off.contains("other=1"));
    EXPECT_FALSE(parseSettings(off).lineNumbers);
    EXPECT_FALSE(parseSettings("[int]\nlinenumbers=0\n").lineNumbers);
}

struct ParseCase {
    const char *name;
    const char *ini;
    Settings expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ParseCase &c, std::ostream *os) { *os << c.name; }

static Settings with(std::function<void(Settings &)> f)
{
    Settings s;
    f(s);
    return s;
}

class SettingsParse : public ::testing::TestWithParam<ParseCase> { };

TEST_P(SettingsParse, ReadsEachKeyOnItsOwn)
{
    const ParseCase &c = GetParam();
    const Settings s = parseSettings(c.ini);
    EXPECT_EQ(s.language, c.expected.language);
    EXPECT_EQ(s.speed, c.expected.speed);
    EXPECT_EQ(s.fieldWidth, c.expected.fieldWidth);
    EXPECT_EQ(s.fieldHeight, c.expected.fieldHeight);
    EXPECT_EQ(s.autoRefresh, c.expected.autoRefresh);
    EXPECT_EQ(s.showAdvancedToolBar, c.expected.showAdvancedToolBar);
    EXPECT_EQ(s.interfaceSize, c.expected.interfaceSize);
    EXPECT_EQ(s.cleanFieldEachRun, c.expected.cleanFieldEachRun);
    EXPECT_EQ(s.pupilName, c.expected.pupilName);
    EXPECT_EQ(s.handInFolder, c.expected.handInFolder);
}

INSTANTIATE_TEST_SUITE_P(
    HandEditedFiles, SettingsParse,
    ::testing::Values(
        ParseCase {"NotANumberBoolean", "[int]\nsintax=yes\nshowadv=no\n", Settings()},
        ParseCase {"NonZeroIsTrue", "[int]\nsintax=2\nshowadv=0\n", with([](Settings &s) {
                       s.autoRefresh = true;
                       s.showAdvancedToolBar = false;
                   })},
        ParseCase {"SpacesAndSign", "[int]\n x_speed = +4 \npole_x=  -0\n", with([](Settings &s) {
                       s.speed = 4;
                       s.fieldWidth = 2;
                   })},
        ParseCase {"TrailingLettersHexOverflow",
                   "[int]\nx_speed=4x\npole_x=0x8\npole_y=99999999999\nsintax=\n", Settings()},
        ParseCase {"SpeedOutsideRangeGivesDefault", "[int]\nx_speed=9\n", Settings()},
        ParseCase {"SpeedZeroGivesDefault", "[int]\nx_speed=0\n", Settings()},
        ParseCase {"FieldClampedLow", "[int]\npole_x=1\npole_y=-5\n", with([](Settings &s) {
                       s.fieldWidth = 2;
                       s.fieldHeight = 2;
                   })},
        ParseCase {"FieldClampedHigh", "[int]\npole_x=40\npole_y=21\n", with([](Settings &s) {
                       s.fieldWidth = 16;
                       s.fieldHeight = 20;
                   })},
        ParseCase {"UnknownLanguageIsRussian", "[int]\nlanguage=deu\n", Settings()},
        ParseCase {"InterfaceSizeOnlyOneOffered", "[int]\ninterface_size=175\n", Settings()},
        ParseCase {"InterfaceSizeOffered", "[int]\ninterface_size=200\n",
                   with([](Settings &s) { s.interfaceSize = 200; })},
        ParseCase {"LanguageCaseAndSpaces", "[int]\nlanguage= ENG \n",
                   with([](Settings &s) { s.language = "eng"; })},
        ParseCase {"KeysOutsideTheSectionIgnored", "x_speed=5\n[other]\npole_x=4\n[int]\n;pole_y=3\n",
                   Settings()},
        ParseCase {"NamesIgnoreCaseAndCrLf", "[ INT ]\r\nX_Speed=1\r\nPOLE_Y=9\r\n", with([](Settings &s) {
                       s.speed = 1;
                       s.fieldHeight = 9;
                   })},
        ParseCase {"FirstOfDuplicateKeysCounts", "[int]\npole_x=5\npole_x=6\n[int]\npole_x=7\n",
                   with([](Settings &s) { s.fieldWidth = 5; })},
        ParseCase {"CleanFieldOn", "[int]\nlinenumbers=1\n cleanfield = 2 \n", with([](Settings &s) {
                       s.lineNumbers = true;
                       s.cleanFieldEachRun = true;
                   })},
        ParseCase {"CleanFieldNotANumber", "[int]\ncleanfield=on\ncleanfield=1\n", Settings()},
        // Typed by hand: UTF-8, or Notepad's Windows-1251; a '%' that starts no escape stays.
        ParseCase {"PupilTypedInUtf8", "[int]\n pupil = Иван 100% \n",
                   with([](Settings &s) { s.pupilName = QStringLiteral("Иван 100%"); })},
        ParseCase {"PupilTypedIn1251", "[int]\npupil=\xc8\xe2\xe0\xed\nhandin_folder=//server/class 5\n",
                   with([](Settings &s) {
                       s.pupilName = QStringLiteral("Иван");
                       s.handInFolder = QStringLiteral("//server/class 5");
                   })},
        ParseCase {"BinaryGarbage", "\x01\xff[int\n=\n==3\n[int]\nlanguage\n", Settings()}),
    [](const ::testing::TestParamInfo<ParseCase> &p) { return std::string(p.param.name); });

TEST(SettingsFile, RewriteKeepsForeignKeysAndSections)
{
    const QByteArray before = "; hand notes\n[int]\nlanguage=eng\nextra=7\nx_speed=1\n[other]\na=b\n";
    const QByteArray after = composeSettings(Settings(), before);
    EXPECT_EQ(after, "; hand notes\n" + kDefaultFile + "extra=7\n[other]\na=b\n");
    // Writing again changes nothing.
    EXPECT_EQ(composeSettings(Settings(), after), after);
    // No [int] section yet: ours goes first, the rest follows.
    EXPECT_EQ(composeSettings(Settings(), "[other]\na=b"), kDefaultFile + "[other]\na=b\n");
}

TEST(SettingsFile, FailedWriteNamesTheFileAndReportsFailure)
{
    QTemporaryDir dir;
    // A folder where the file should be, and a file where a folder should be.
    const QString asFolder = dir.filePath("trakmil.ini");
    ASSERT_TRUE(QDir().mkdir(asFolder));
    const QString underFile = dir.filePath("plain/trakmil.ini");
    writeAll(dir.filePath("plain"), "x");
    for (const QString &path : {asFolder, underFile}) {
        QString error;
        EXPECT_FALSE(saveSettings(path, Settings(), &error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    }
    EXPECT_EQ(readAll(dir.filePath("plain")), "x");
}

TEST(SettingsLocation, BesideTheExecutableWhenWritable)
{
    QTemporaryDir dir;
    const QString beside = dir.filePath("trakmil.ini");
    const SettingsFiles f = settingsFiles(dir.path(), [](const QString &) { return true; });
    EXPECT_EQ(f.read, beside);
    EXPECT_EQ(f.write, beside);
    EXPECT_EQ(settingsFilePath(dir.path()), beside);   // the real probe: a temp folder is writable
}

TEST(SettingsLocation, InstalledProgramKeepsSettingsInTheConfigFolderEvenWhereBinIsWritable)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString own =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath("trakmil.ini");
    QFile::remove(own);
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/applications"));
    const QString bin = prefix.filePath("bin");
    const auto writable = [](const QString &) { return true; };   // as for root in /usr/bin

    // A bin folder of its own, without our desktop entry: a copy run from where it was built.
    EXPECT_FALSE(isInstalledLayout(bin));
    writeAll(prefix.filePath("share/applications/other.desktop"), "[Desktop Entry]\n");
    EXPECT_FALSE(isInstalledLayout(bin));
    EXPECT_EQ(settingsFiles(bin, writable).write, QDir(bin).filePath("trakmil.ini"));

    writeAll(prefix.filePath(QStringLiteral("share/applications/%1.desktop").arg(QLatin1String(kAppId))),
             "[Desktop Entry]\n");
    EXPECT_TRUE(isInstalledLayout(bin));
    EXPECT_TRUE(isInstalledLayout(bin + "/"));
    SettingsFiles f = settingsFiles(bin, writable);
    EXPECT_EQ(f.read, own);
    EXPECT_EQ(f.write, own);

    // A file an administrator left beside the executable seeds the first load only.
    writeAll(QDir(bin).filePath("trakmil.ini"), "[int]\nlanguage=eng\n");
    f = settingsFiles(bin, writable);
    EXPECT_EQ(f.read, QDir(bin).filePath("trakmil.ini"));
    EXPECT_EQ(f.write, own);
    QStandardPaths::setTestModeEnabled(false);
}

TEST(SettingsLocation, ConfigFolderWhenTheExecutableFolderIsReadOnly)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString own =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath("trakmil.ini");
    QFile::remove(own);
    QTemporaryDir dir;
    const auto readOnly = [](const QString &) { return false; };

    SettingsFiles f = settingsFiles(dir.path(), readOnly);
    EXPECT_EQ(f.read, own);
    EXPECT_EQ(f.write, own);

    // A read-only file beside the executable seeds the first load; saving goes to our copy.
    writeAll(dir.filePath("trakmil.ini"), "[int]\nx_speed=5\n");
    f = settingsFiles(dir.path(), readOnly);
    EXPECT_EQ(f.read, dir.filePath("trakmil.ini"));
    EXPECT_EQ(f.write, own);
    ASSERT_TRUE(saveSettings(f.write, loadSettings(f.read), nullptr));
    // Once our copy exists it is the one read.
    f = settingsFiles(dir.path(), readOnly);
    EXPECT_EQ(f.read, own);
    EXPECT_EQ(loadSettings(f.read).speed, 5);
    QFile::remove(own);

    // The real probe on a folder that does not exist.
    EXPECT_EQ(settingsFilePath(dir.filePath("no/such/folder")), own);
    QStandardPaths::setTestModeEnabled(false);
}

// The suite must not write into the settings, data or file-dialog history of whoever runs it.
TEST(SettingsLocation, TestProcessesNeverSeeTheUsersOwnFolders)
{
    const QString userHome = qEnvironmentVariable("TRAKMIL_TESTS_USER_HOME");
    const QString home = QDir::homePath();
    EXPECT_NE(home, userHome);
    EXPECT_TRUE(home.startsWith(QDir::tempPath())) << home.toStdString();
    for (const auto where : {QStandardPaths::GenericConfigLocation, QStandardPaths::AppConfigLocation,
                             QStandardPaths::AppDataLocation, QStandardPaths::GenericCacheLocation}) {
        const QString path = QStandardPaths::writableLocation(where);
        EXPECT_TRUE(path.startsWith(home + "/")) << path.toStdString();
        if (!userHome.isEmpty()) {
            EXPECT_FALSE(path.startsWith(userHome + "/")) << path.toStdString();
        }
    }
}

TEST(SettingsFile, AWindows1251CommentIsReadAndEveryForeignByteKept)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("trakmil.ini");
    // Notepad on a Russian Windows: Windows-1251 comments and CR LF line ends.
    const QByteArray note = "; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8 \xea\xeb\xe0\xf1\xf1\xe0 5\xc1\r\n";
    const QByteArray teacher = "[teacher]\r\n\xd3\xf7\xe8\xf2\xe5\xeb\xfc=\xc8\xe2\xe0\xed\xee\xe2\xe0\r\n";
    writeAll(ini, note + "[int]\r\nlanguage=eng\r\nx_speed=5\r\n" + teacher);
    QString problem;
    const Settings read = loadSettings(ini, &problem);
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    EXPECT_EQ(read.language, QStringLiteral("eng"));
    EXPECT_EQ(read.speed, 5);

    Settings changed = read;
    changed.speed = 2;
    QString error;
    ASSERT_TRUE(saveSettings(ini, changed, &error)) << error.toStdString();
    const QByteArray ours =
        "[int]\r\nlanguage=eng\r\nx_speed=2\r\npole_x=16\r\npole_y=20\r\nsintax=0\r\n"
        "showadv=1\r\ninterface_size=100\r\nlinenumbers=0\r\ncleanfield=0\r\npupil=\r\nhandin_folder=\r\n";
    EXPECT_EQ(readAll(ini), note + ours + teacher);

    // A file with bytes no text editor writes is still not taken, nor replaced.
    const QByteArray binary = QByteArray("[int]\nlanguage=eng\n") + QByteArray("\x00\x01\x02", 3);
    writeAll(ini, binary);
    EXPECT_EQ(loadSettings(ini, &problem).language, QStringLiteral("rus"));
    EXPECT_EQ(problem, QStringLiteral("Not a text file"));
    EXPECT_FALSE(saveSettings(ini, changed, &error));
    EXPECT_EQ(readAll(ini), binary);
}
