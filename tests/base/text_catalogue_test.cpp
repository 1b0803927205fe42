// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Commands.h"
#include "editor/DialogCaptions.h"
#include "lang/MessageCatalogue.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "base/SafeFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

// Keys written as literals in the sources, with the prefix a helper adds before looking them up.
QStringList keysUsedInSources()
{
    const QDir src(QStringLiteral(TRAKMIL_TEST_DATA "/../../src"));
    const QList<std::pair<QRegularExpression, QString>> patterns = {
        {QRegularExpression(QStringLiteral(R"(uiText\("([a-zA-Z0-9_.]*[a-zA-Z0-9_])\")")), QString()},
        {QRegularExpression(QStringLiteral(R"(\btext\("([a-zA-Z0-9_.]*[a-zA-Z0-9_])\")")),
         QStringLiteral("window.")},
        {QRegularExpression(QStringLiteral(R"(\bset\("([a-zA-Z0-9_.]*[a-zA-Z0-9_])\")")),
         QStringLiteral("preferences.")},
        {QRegularExpression(QStringLiteral(R"(\bapply\("([a-zA-Z0-9_]+)\")")), QStringLiteral("colour.")},
        {QRegularExpression(QStringLiteral(R"(\bword\("([a-zA-Z0-9_]+)\")")), QStringLiteral("world.")},
        {QRegularExpression(QStringLiteral(R"(\bchromeText\("([a-zA-Z0-9_]+)\")")), QStringLiteral("help.")},
        {QRegularExpression(QStringLiteral(R"(\baboutText\("([a-zA-Z0-9_]+)\")")), QStringLiteral("about.")},
    };
    const QMap<QString, int> patternOfFile = {{QStringLiteral("PreferencesDialog.cpp"), 2},
                                              {QStringLiteral("ColourDialog.cpp"), 3},
                                              {QStringLiteral("WorldTexts.cpp"), 4},
                                              {QStringLiteral("HelpWindow.cpp"), 5},
                                              {QStringLiteral("AboutWindow.cpp"), 6}};
    QStringList keys;
    QDirIterator it(src.path(), {QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QString code = QString::fromUtf8(f.readAll());
        const QString name = QFileInfo(f).fileName();
        for (int p : {0, 1, patternOfFile.value(name, -1)}) {
            if (p < 0 || (p == 1 && !name.startsWith(QLatin1String("MainWindow")))) continue;
            auto matches = patterns[p].first.globalMatch(code);
            while (matches.hasNext()) keys << patterns[p].second + matches.next().captured(1);
        }
    }
    return keys;
}
}   // namespace

TEST(TextCatalogue, EveryKeyTheSourcesUseHasATextInEveryLanguage)
{
    const QStringList keys = keysUsedInSources();
    ASSERT_GT(keys.size(), 40) << "the sources were not found or the patterns went stale";
    ASSERT_GE(registeredLanguages().size(), 3);
    for (const QString &key : keys)
        for (Language lang : registeredLanguages()) {
            const auto text = uiText(key.toUtf8(), lang);
            ASSERT_TRUE(text.has_value()) << key.toStdString() << " lang " << int(lang);
            EXPECT_FALSE(text->isEmpty()) << key.toStdString();
        }
}

TEST(TextCatalogue, MenusDialogsAndMessagesAreCompleteInEveryLanguage)
{
    for (Language lang : registeredLanguages()) {
        for (int i = 0; i < commandCount; ++i) {
            const CommandRow &row = commandRow(Command(i));
            for (const char *key : {row.caption, row.hint}) {
                if (!key) continue;
                const auto text = uiText(key, lang);
                ASSERT_TRUE(text && !text->isEmpty()) << key;
            }
        }
        for (int i = 0; i < int(MenuId::Count_); ++i) {
            const auto caption = uiText(menuRow(MenuId(i)).caption, lang);
            ASSERT_TRUE(caption && !caption->isEmpty()) << menuRow(MenuId(i)).caption;
        }
        const auto captions = DialogCaptions::forLanguage(lang);
        ASSERT_TRUE(captions.has_value());
        for (int i = 0; i < DialogCaptions::Count; ++i) EXPECT_FALSE((*captions)[i].isEmpty()) << i;
        const MessageCatalogue &m = MessageCatalogue::forLanguage(lang);
        for (const QString *text : {&m.msgHead03, &m.msgOutOfField, &m.msgHead04, &m.msgNoErrors,
                                    &m.msgCycleFormat, &m.msgProcNotFound, &m.msgEndProcInAlgorithm,
                                    &m.msgChooseProc, &m.msgNestingTooDeep, &m.msgLoopWithoutEnd})
            EXPECT_FALSE(text->isEmpty());
    }
    EXPECT_EQ(MessageCatalogue::forLanguage(Language::Eng).msgNoErrors,
              QStringLiteral("There is no errors in programm code."));
}

TEST(TextCatalogue, UnknownLanguageOrKeyGivesNothingAndFileErrorsFollowTheCaller)
{
    EXPECT_FALSE(uiText("menu.new", Language::Unknown).has_value());
    EXPECT_FALSE(uiText("menu.noSuchItem", Language::Rus).has_value());
    EXPECT_EQ(uiText("menu.new", Language::Rom), QStringLiteral("Nou"));

    // A file too large names the bound it passed, with the number as the Language writes it.
    using Limit = FileError::Limit;
    const struct {
        Limit limit;
        qint64 bound;
        const char *rus, *rom, *eng;
    } tooLarge[] = {
        {Limit::Size, 16 << 20, "Файл слишком большой: больше 16 МиБ",
         "Fișierul este prea mare: depășește 16 MiB", "File too large: more than 16 MiB"},
        {Limit::Size, 64 << 10, "Файл слишком большой: больше 64 КиБ",
         "Fișierul este prea mare: depășește 64 KiB", "File too large: more than 64 KiB"},
        {Limit::Lines, 1'000'000, "Файл слишком большой: строк больше, чем 1\u00A0000\u00A0000",
         "Fișierul este prea mare: are mai multe rânduri decât 1.000.000",
         "File too large: more than 1,000,000 lines"},
        {Limit::LineLength, 10'000,
         "Файл слишком большой: в строке 12\u00A0345 символов больше, чем 10\u00A0000",
         "Fișierul este prea mare: rândul 12.345 are mai multe caractere decât 10.000",
         "File too large: line 12,345 is longer than 10,000 characters"},
    };
    for (const auto &c : tooLarge) {
        const FileError e {
            FileError::Kind::TooLarge, QStringLiteral("a.tkm"), {}, 0, c.limit, c.bound, 12'345};
        EXPECT_EQ(fileErrorReason(e, Language::Rus), QString::fromUtf8(c.rus));
        EXPECT_EQ(fileErrorReason(e, Language::Rom), QString::fromUtf8(c.rom));
        EXPECT_EQ(fileErrorReason(e, Language::Eng), QString::fromUtf8(c.eng));
    }
    const FileError system {FileError::Kind::System, QStringLiteral("a.tkm"), QStringLiteral("Disk full")};
    EXPECT_EQ(fileErrorReason(system, Language::Rus), QStringLiteral("Disk full"));
}

TEST(TextCatalogue, EverySystemErrorOfReadingOrWritingIsWordedInEachLanguage)
{
    const QRegularExpression cyrillic(QStringLiteral("[А-Яа-я]"));
    const int codes[] = {EACCES,       EPERM,  EROFS,  ENOSPC,    EDQUOT, ENOENT, ENOTDIR, EISDIR,    ELOOP,
                         ENAMETOOLONG, EMFILE, ENFILE, EIO,       EFBIG,  EEXIST, EBUSY,   ETXTBSY,   EXDEV,
                         ENODEV,       ENXIO,  ESTALE, ETIMEDOUT, EAGAIN, ENOMEM, EINVAL,  EOPNOTSUPP};
    QSet<QString> seen[3];
    for (int code : codes) {
        const FileError error {FileError::Kind::System, QStringLiteral("a.tkm"), qt_error_string(code), code};
        const QString rus = fileErrorReason(error, Language::Rus);
        const QString rom = fileErrorReason(error, Language::Rom);
        const QString eng = fileErrorReason(error, Language::Eng);
        EXPECT_TRUE(rus.contains(cyrillic)) << code << " " << rus.toStdString();
        EXPECT_FALSE(rom.contains(cyrillic) || rom.isEmpty()) << code;
        EXPECT_NE(rom, eng) << code;
        EXPECT_FALSE(eng.isEmpty() || eng.contains(cyrillic)) << code;
        seen[0] << rus;
        seen[1] << rom;
        seen[2] << eng;
    }
    for (const QSet<QString> &texts : seen) EXPECT_EQ(texts.size(), qsizetype(std::size(codes)));
    // Any other keeps the platform's own words.
    const FileError other {FileError::Kind::System, QStringLiteral("a.tkm"), qt_error_string(ENOEXEC),
                           ENOEXEC};
    EXPECT_EQ(fileErrorReason(other, Language::Rus), qt_error_string(ENOEXEC));
}

// A text, keyword or colour name left out of one Language's data file, or a Language left
// without its name in another's, shows up here rather than as a blank control.
TEST(TextCatalogue, EveryLanguageFileHasEveryKeyAndNamesEveryLanguage)
{
    const QByteArrayList keys = catalogueKeys();
    ASSERT_GT(keys.size(), 300);
    EXPECT_TRUE(keys.contains("keyword.cycleWhile"));
    EXPECT_TRUE(keys.contains("colourName.transparent"));
    const QList<Language> builtIn = builtInLanguages();
    ASSERT_GE(builtIn.size(), 3);
    for (Language lang : registeredLanguages()) {
        for (const QByteArray &key : keys) {
            const auto text = uiText(key, lang);
            ASSERT_TRUE(text && !text->isEmpty())
                << key.toStdString() << " in " << languageCode(lang).toStdString();
        }
        if (!builtIn.contains(lang)) continue;
        for (Language named : builtIn) {
            const QString code = languageCode(named);
            EXPECT_TRUE(uiText("preferences.language." + code.toLatin1(), lang));
            EXPECT_TRUE(
                uiText("hint.lang" + code.left(1).toUpper().toLatin1() + code.mid(1).toLatin1(), lang));
        }
    }
}

// A data file put beside the others but left out of the list, or of the resources, is never read.
TEST(TextCatalogue, EveryLanguageFileBesideTheListIsInTheList)
{
    const QDir folder(QStringLiteral(TRAKMIL_TEST_DATA "/../../resources/languages"));
    QStringList files = folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    ASSERT_TRUE(files.removeOne(QStringLiteral("languages.json")));
    ASSERT_TRUE(files.removeOne(QStringLiteral("common.json")));
    QStringList listed;
    for (Language lang : builtInLanguages()) listed << QFileInfo(languageInfo(lang)->file).fileName();
    listed.sort();
    EXPECT_EQ(listed, files);
}

// The built-in files are read without building their JSON: the facts picked out at start and
// the texts taken as written. Each must be what the JSON parser reads from the same bytes,
// escapes, quotes and letters beyond ASCII included.
TEST(TextCatalogue, BuiltInFilesReadAsTheJsonParserReadsThem)
{
    QJsonObject common;
    {
        QFile file(QStringLiteral(":/languages/common.json"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        common = QJsonDocument::fromJson(file.readAll()).object();
    }
    ASSERT_FALSE(common.isEmpty());
    int escaped = 0;
    for (Language lang : builtInLanguages()) {
        const LanguageInfo *info = languageInfo(lang);
        ASSERT_TRUE(info);
        QFile file(info->file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray json = file.readAll();
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(json, &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << info->file.toStdString();
        const auto fact = [&](const char *name) {
            return object.value(QLatin1String("language.") + QLatin1String(name)).toString();
        };
        EXPECT_EQ(info->code, fact("code"));
        EXPECT_EQ(info->name, fact("name"));
        EXPECT_EQ(info->locale, fact("locale"));
        EXPECT_EQ(info->script, fact("script"));
        EXPECT_EQ(info->codePage, fact("codePage").toInt());
        EXPECT_EQ(info->systemLanguages.join(QLatin1Char(' ')), fact("systemLanguages"));
        EXPECT_EQ(info->toolkitTranslation, fact("toolkitTranslation"));
        EXPECT_EQ(info->builtInToolkitTranslation, fact("builtInToolkitTranslation"));
        for (auto it = object.begin(); it != object.end(); ++it) {
            EXPECT_EQ(languageText(lang, it.key().toUtf8()), it.value().toString())
                << it.key().toStdString() << " in " << info->code.toStdString();
            if (it.value().toString().contains(QLatin1Char('"'))) ++escaped;
        }
        for (auto it = common.begin(); it != common.end(); ++it) {
            if (!object.contains(it.key())) {
                EXPECT_EQ(languageText(lang, it.key().toUtf8()), it.value().toString());
            }
        }
        EXPECT_FALSE(languageText(lang, "language.noSuchFact"));
    }
    // The files hold texts with quotes in them: the escaped way is taken too.
    EXPECT_GT(escaped, 0);
}
