// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Settings.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"
#include "AppInfo.h"
#include "base/SafeFile.h"
#include "documents/CodePages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace {

const char kSection[] = "int";
// Every key in the order it is written, and how its value is written. New keys go after the
// older ones, so a file from an older version reads the same.
struct KeyWriter {
    const char *key;
    QByteArray (*value)(const Settings &);
};
QByteArray flag(bool on) { return on ? QByteArray("1") : QByteArray("0"); }
// Free text (a name, a folder) as UTF-8 on one line: '%' and control characters, and the
// spaces at either end that a reader trims, written as %XX. Everything else stays readable.
QByteArray escapedText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool edge = c == ' ' && (i == 0 || i == utf8.size() - 1);
        if (c < 0x20 || c == 0x7f || c == '%' || edge)
            out += '%' + QByteArray::number(c, 16).rightJustified(2, '0').toUpper();
        else
            out += char(c);
    }
    return out;
}
// Back; a value typed by hand in an 8-bit code page (not UTF-8) is read as Windows-1251,
// and a stray '%' stays as it is.
QString unescapedText(const QByteArray &value)
{
    const QByteArray bytes = QByteArray::fromPercentEncoding(value);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        text.clear();
        CodePageDecoder().decode(1251, bytes, text);
    }
    return text;
}

const std::array<KeyWriter, 11> kKeys = {{
    {"language", [](const Settings &s) { return s.language.toLatin1(); }},
    {"x_speed", [](const Settings &s) { return QByteArray::number(s.speed); }},
    {"pole_x", [](const Settings &s) { return QByteArray::number(s.fieldWidth); }},
    {"pole_y", [](const Settings &s) { return QByteArray::number(s.fieldHeight); }},
    {"sintax", [](const Settings &s) { return flag(s.autoRefresh); }},
    {"showadv", [](const Settings &s) { return flag(s.showAdvancedToolBar); }},
    {"interface_size", [](const Settings &s) { return QByteArray::number(s.interfaceSize); }},
    {"linenumbers", [](const Settings &s) { return flag(s.lineNumbers); }},
    {"cleanfield", [](const Settings &s) { return flag(s.cleanFieldEachRun); }},
    {"pupil", [](const Settings &s) { return escapedText(s.pupilName); }},
    {"handin_folder", [](const Settings &s) { return escapedText(s.handInFolder); }},
}};

QByteArray withoutCr(QByteArray line)
{
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

// "[name]" → name, trimmed; nothing for any other line.
std::optional<QByteArray> sectionName(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('[')) return std::nullopt;
    const int close = t.indexOf(']');
    if (close < 0) return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QByteArray &trimmed) { return trimmed.startsWith(';') || trimmed.startsWith('#'); }

// "key = value" → key, trimmed; nothing for blank, comment or other lines.
std::optional<QByteArray> keyOf(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty() || isComment(t)) return std::nullopt;
    const int eq = t.indexOf('=');
    if (eq <= 0) return std::nullopt;
    return t.left(eq).trimmed();
}

bool sameName(const QByteArray &a, const char *b) { return qstricmp(a.constData(), b) == 0; }

bool isOurKey(const QByteArray &key)
{
    for (const KeyWriter &k : kKeys)
        if (sameName(key, k.key)) return true;
    return false;
}

// A whole decimal integer with an optional sign; anything else (hex, trailing letters,
// a value beyond int) is not a number and falls back to the key's default.
std::optional<int> parseInteger(const QByteArray &text)
{
    QByteArray t = text.trimmed();
    int i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i == t.size()) return std::nullopt;
    for (int j = i; j < t.size(); ++j)
        if (t[j] < '0' || t[j] > '9') return std::nullopt;
    if (t.startsWith('+')) t.remove(0, 1);
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

// A hand-edited settings file is a few hundred bytes; anything bigger is not one.
constexpr qint64 kMaxSettingsSize = 64 * 1024;

int clampInt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}   // namespace

bool canWrite(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".trakmil-probe-XXXXXX")));
        return probe.open();
    }
    if (!info.exists()) return false;
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Append);   // appends nothing
}

bool isInstalledLayout(const QString &executableDir)
{
    return QFileInfo::exists(
        QDir(executableDir)
            .filePath(QStringLiteral("../share/applications/%1.desktop").arg(QLatin1String(kAppId))));
}

SettingsFiles settingsFiles(const QString &executableDir, const WritableProbe &probe)
{
    const QString beside = QDir(executableDir).filePath(QStringLiteral("trakmil.ini"));
    const QFileInfo besideInfo(beside);
    // Something other than a file under that name (a folder, a pipe) is neither read nor
    // replaced: the user's own folder serves, as for a read-only file.
    const bool besideIsOther = besideInfo.exists() && !besideInfo.isFile();
    const bool besideExists = besideInfo.exists() && !besideIsOther;
    const bool besideWritable =
        !besideIsOther && !isInstalledLayout(executableDir) &&
        (besideExists ? probe(beside) : QFileInfo(executableDir).isDir() && probe(executableDir));
    if (besideWritable) return {beside, beside};

    const QString own = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                            .filePath(QStringLiteral("trakmil.ini"));
    if (!QFileInfo::exists(own) && besideExists) return {beside, own};
    return {own, own};
}

QString settingsFilePath(const QString &executableDir) { return settingsFiles(executableDir).write; }

Settings parseSettings(const QByteArray &iniText)
{
    // The first value of each key in an [int] section counts, as with the platform's INI layer.
    std::array<std::optional<QByteArray>, kKeys.size()> found;
    bool inSection = false;
    for (const QByteArray &raw : iniText.split('\n')) {
        const QByteArray line = withoutCr(raw);
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, kSection);
            continue;
        }
        if (!inSection) continue;
        const auto key = keyOf(line);
        if (!key) continue;
        for (size_t k = 0; k < kKeys.size(); ++k) {
            if (!found[k] && sameName(*key, kKeys[k].key)) {
                const QByteArray t = line.trimmed();
                found[k] = t.mid(t.indexOf('=') + 1).trimmed();
            }
        }
    }

    Settings s;
    if (found[0]) {
        const QString code = QString::fromLatin1(*found[0]).toLower();
        if (languageFromCode(code) != Language::Unknown) s.language = code;
    }
    auto integer = [&](size_t k) { return found[k] ? parseInteger(*found[k]) : std::nullopt; };
    if (const auto v = integer(1); v && *v >= kMinSpeed && *v <= kMaxSpeed) s.speed = *v;
    if (const auto v = integer(2)) s.fieldWidth = clampInt(*v, kMinFieldWidth, kMaxFieldWidth);
    if (const auto v = integer(3)) s.fieldHeight = clampInt(*v, kMinFieldHeight, kMaxFieldHeight);
    if (const auto v = integer(4)) s.autoRefresh = *v != 0;
    if (const auto v = integer(5)) s.showAdvancedToolBar = *v != 0;
    // Only the sizes the preferences offer: any other value would scale the window oddly.
    if (const auto v = integer(6); v && std::find(std::begin(kInterfaceSizes), std::end(kInterfaceSizes),
                                                  *v) != std::end(kInterfaceSizes))
        s.interfaceSize = *v;
    if (const auto v = integer(7)) s.lineNumbers = *v != 0;
    if (const auto v = integer(8)) s.cleanFieldEachRun = *v != 0;
    if (found[9]) s.pupilName = unescapedText(*found[9]);
    if (found[10]) s.handInFolder = unescapedText(*found[10]);
    return s;
}

QString languageForLocale(const QString &locale)
{
    const QString code = locale.section(QLatin1Char('.'), 0, 0)
                             .section(QLatin1Char('@'), 0, 0)
                             .section(QLatin1Char('_'), 0, 0)
                             .section(QLatin1Char('-'), 0, 0)
                             .toLower();
    for (Language lang : registeredLanguages())
        if (languageInfo(lang)->systemLanguages.contains(code)) return languageCode(lang);
    return firstLanguageInfo().code;
}

QString firstStartLanguage()
{
    // The variables that name the language of messages, strongest first.
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) return languageForLocale(value);
    }
    return firstLanguageInfo().code;
}

namespace {
// The settings file's bytes, or why they are not settings. A missing file reads as empty.
std::optional<QByteArray> readSettingsBytes(const QString &path, QString *problem, Language lang)
{
    QByteArray data;
    if (!QFileInfo::exists(path)) return data;
    FileError failure;
    if (!readRegularFile(path, kMaxSettingsSize, data, &failure)) {
        if (problem) *problem = fileErrorReason(failure, lang);
        return std::nullopt;
    }
    // The keys and values are ASCII; what else a hand-edited file holds (a comment typed in
    // Notepad in Windows-1251 as often as in UTF-8) is kept as it is. Only control bytes
    // that no text editor writes tell a file that is not text.
    const auto binary = std::find_if(data.cbegin(), data.cend(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v' && b != 0x1A;
    });
    if (binary != data.cend()) {
        if (problem) *problem = uiText("file.notText", lang).value_or(QString());
        return std::nullopt;
    }
    return data;
}
}   // namespace

Settings loadSettings(const QString &path, QString *problem, Language lang)
{
    const std::optional<QByteArray> data = readSettingsBytes(path, problem, lang);
    Settings s = data ? parseSettings(*data) : Settings();
    // Only a first start asks the locale; a file that is there but unreadable keeps the
    // default the settings have always had.
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) s.language = firstStartLanguage();
    return s;
}

QByteArray composeSettings(const Settings &s, const QByteArray &previous)
{
    // Our lines end as the file's first line does: a file from Notepad keeps CR LF.
    const qsizetype firstEnd = previous.indexOf('\n');
    const QByteArray eol = firstEnd > 0 && previous.at(firstEnd - 1) == '\r' ? "\r\n" : "\n";
    QByteArray ours = QByteArray("[") + kSection + "]" + eol;
    for (const KeyWriter &k : kKeys) ours += QByteArray(k.key) + '=' + k.value(s) + eol;

    // Keep whatever else the file holds, byte for byte; only our keys are replaced.
    // Without an [int] section our block goes first.
    QList<QByteArray> lines = previous.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    QByteArray out;
    bool inSection = false, written = false;
    bool hasSection = false;
    for (const QByteArray &raw : lines)
        if (const auto name = sectionName(withoutCr(raw)); name && sameName(*name, kSection))
            hasSection = true;
    if (!hasSection) {
        out += ours;
        written = true;
    }
    for (const QByteArray &raw : lines) {
        const QByteArray line = withoutCr(raw);
        if (const auto name = sectionName(line)) {
            inSection = sameName(*name, kSection);
            if (inSection && !written) {
                out += ours;
                written = true;
                continue;
            }
        } else if (inSection) {
            if (const auto key = keyOf(line); key && isOurKey(*key)) continue;
        }
        out += raw + '\n';
    }
    return out;
}

bool saveSettings(const QString &path, const Settings &settings, QString *error, Language lang)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = uiText("file.cannotWriteSettings", lang)
                         .value_or(QString())
                         .arg(QDir::toNativeSeparators(path), reason);
        return false;
    };

    QString unreadable;
    const std::optional<QByteArray> previous = readSettingsBytes(path, &unreadable, lang);
    if (!previous) return fail(unreadable);
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(uiText("file.cannotCreateFolder", lang)
                        .value_or(QString())
                        .arg(QDir::toNativeSeparators(info.absolutePath())));

    // A writable file in a folder that is not (a classroom's program folder) is still
    // written, in place, once the room for it is sure.
    FileError failure;
    if (!writeFileSafely(path, composeSettings(settings, *previous), &failure,
                         {.inPlaceWhereFolderIsLocked = true}))
        return fail(fileErrorReason(failure, lang));
    return true;
}
