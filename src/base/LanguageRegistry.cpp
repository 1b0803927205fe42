// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/LanguageRegistry.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

// The resources live in the core library, which is static: they are registered by hand.
// Q_INIT_RESOURCE must be used outside any namespace.
static void initLanguageResources() { Q_INIT_RESOURCE(languages); }

namespace {

using Texts = QHash<QByteArray, QString>;

// A Language's texts are turned into a table when first asked for: a window needs only its
// own Language's, and the others' only on a switch or when a program is checked against them.
// A built-in file is read again then: it is a resource kept uncompressed in the program.
struct LazyTexts {
    std::once_flag once;
    Texts texts;
};

struct Entry {
    LanguageInfo info;
    std::shared_ptr<LazyTexts> texts = std::make_shared<LazyTexts>();
};

struct Registry {
    std::deque<Entry> entries;   // a deque: an entry stays where it is as others are added
};

std::optional<QByteArray> readBytes(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    return file.readAll();
}

std::optional<QJsonDocument> parseJson(const QByteArray &json, const QString &path, QString *error)
{
    QJsonParseError parsed;
    QJsonDocument doc = QJsonDocument::fromJson(json, &parsed);
    if (parsed.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("%1: %2 at byte %3").arg(path, parsed.errorString()).arg(parsed.offset);
        return std::nullopt;
    }
    return doc;
}

std::optional<QJsonObject> parseObject(const QByteArray &json, const QString &path, QString *error)
{
    const std::optional<QJsonDocument> doc = parseJson(json, path, error);
    if (!doc) return std::nullopt;
    if (!doc->isObject()) {
        if (error) *error = path + QStringLiteral(": not a JSON object");
        return std::nullopt;
    }
    return doc->object();
}

std::optional<QJsonObject> readObject(const QString &path, QString *error)
{
    const std::optional<QByteArray> json = readBytes(path, error);
    return json ? parseObject(*json, path, error) : std::nullopt;
}

// Walks a flat JSON object of texts without building it: `pair` is given each key and value as
// written, quotes included. False for bytes that are not such an object; whoever asked reads
// them whole then, for the error.
template <typename Pair> bool forEachPair(QByteArrayView json, Pair &&pair)
{
    const qsizetype n = json.size();
    qsizetype i = 0;
    const auto skipSpace = [&] {
        while (i < n && (json[i] == ' ' || json[i] == '\n' || json[i] == '\r' || json[i] == '\t')) ++i;
    };
    const auto at = [&](char c) { return i < n && json[i] == c; };
    // Past the closing quote of the string whose opening quote is at i; -1 without one.
    const auto stringEnd = [&]() -> qsizetype {
        for (qsizetype k = i + 1; k < n; ++k) {
            if (json[k] == '\\')
                ++k;
            else if (json[k] == '"')
                return k + 1;
        }
        return -1;
    };
    skipSpace();
    if (!at('{')) return false;
    ++i;
    skipSpace();
    bool more = !at('}');
    while (more) {
        skipSpace();
        if (!at('"')) return false;
        const qsizetype key = i;
        if ((i = stringEnd()) < 0) return false;
        const qsizetype keyEnd = i;
        skipSpace();
        if (!at(':')) return false;
        ++i;
        skipSpace();
        if (!at('"')) return false;
        const qsizetype value = i;
        if ((i = stringEnd()) < 0) return false;
        pair(json.sliced(key, keyEnd - key), json.sliced(value, i - value));
        skipSpace();
        more = at(',');
        if (!more && !at('}')) return false;
        ++i;
    }
    skipSpace();
    return i == n;
}

// The "language." pairs of a flat object of texts: at start only the facts of every Language
// are needed. Only those pairs go to the JSON parser, so they mean what they mean in the file.
std::optional<QJsonObject> scanFacts(QByteArrayView json)
{
    QByteArray facts("{");
    const bool flat = forEachPair(json, [&](QByteArrayView key, QByteArrayView value) {
        if (!key.startsWith("\"language.")) return;
        if (facts.size() > 1) facts += ',';
        facts += key;
        facts += ':';
        facts += value;
    });
    if (!flat) return std::nullopt;
    facts += '}';
    const QJsonDocument doc = QJsonDocument::fromJson(facts);
    if (!doc.isObject()) return std::nullopt;
    return doc.object();
}

// The bytes of a JSON string written between its quotes, its escaped quotes, backslashes and line
// breaks put back; nothing where it holds another escape, which the JSON parser reads instead.
std::optional<QByteArray> unescaped(QByteArrayView quoted)
{
    const QByteArrayView inner = quoted.sliced(1, quoted.size() - 2);
    if (!inner.contains('\\')) return inner.toByteArray();
    QByteArray out;
    out.reserve(inner.size());
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] != '\\') {
            out += inner[i];
            continue;
        }
        if (++i == inner.size()) return std::nullopt;
        switch (inner[i]) {
        case '"':
        case '\\':
            out += inner[i];
            break;
        case 'n':
            out += '\n';
            break;
        default:
            return std::nullopt;   // any other escape
        }
    }
    return out;
}

// The table of a built-in file, made straight from its bytes: a text written without an escape
// is taken as it stands, one with quotes or line breaks in it with them put back, the rest from
// the JSON parser. Building the whole JSON object first cost the window's start three times as
// much. Nothing for bytes that are not such an object.
std::optional<Texts> scanTexts(QByteArrayView json)
{
    Texts texts;
    texts.reserve(json.size() / 64);
    bool escapedWrong = false;
    const bool flat = forEachPair(json, [&](QByteArrayView key, QByteArrayView value) {
        if (!key.contains('\\') && !value.contains('\\')) {
            const QByteArrayView text = value.sliced(1, value.size() - 2);
            texts.insert(key.sliced(1, key.size() - 2).toByteArray(),
                         QString::fromUtf8(text.data(), text.size()));
            return;
        }
        const std::optional<QByteArray> name = unescaped(key), text = unescaped(value);
        if (name && text) {
            texts.insert(*name, QString::fromUtf8(*text));
            return;
        }
        const QJsonDocument doc =
            QJsonDocument::fromJson('{' + key.toByteArray() + ':' + value.toByteArray() + '}');
        const QJsonObject object = doc.object();
        if (object.size() != 1 || !object.begin()->isString()) {
            escapedWrong = true;
            return;
        }
        texts.insert(object.begin().key().toUtf8(), object.begin()->toString());
    });
    if (!flat || escapedWrong) return std::nullopt;
    return texts;
}

std::optional<Texts> textsOf(const QJsonObject &object, const QString &path, QString *error)
{
    Texts texts;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isString()) {
            if (error) *error = QStringLiteral("%1: \"%2\" is not a text").arg(path, it.key());
            return std::nullopt;
        }
        texts.insert(it.key().toUtf8(), it.value().toString());
    }
    return texts;
}

std::optional<Texts> readTexts(const QString &path, QString *error)
{
    const std::optional<QJsonObject> object = readObject(path, error);
    if (!object) return std::nullopt;
    return textsOf(*object, path, error);
}

// The texts that stay the same in every Language, read with the first Language's texts.
const Texts &commonTexts()
{
    static const Texts common = [] {
        QString error;
        std::optional<Texts> texts = readTexts(QStringLiteral(":/languages/common.json"), &error);
        // The built-in files are part of the program: a broken one is a broken build.
        if (!texts) qFatal("%s", qPrintable(error));
        return std::move(*texts);
    }();
    return common;
}

// The texts that stay the same in every Language come with each one.
void addCommon(Texts &texts)
{
    const Texts &common = commonTexts();
    for (auto it = common.begin(); it != common.end(); ++it)
        if (!texts.contains(it.key())) texts.insert(it.key(), it.value());
}

// The Language's facts from `object`, which holds them and may hold its texts too.
std::optional<Entry> makeEntry(const QJsonObject &object, Language id, const QString &path, QString *error)
{
    auto fact = [&object](const char *name) {
        return object.value(QLatin1String("language.") + QLatin1String(name)).toString();
    };
    Entry e;
    e.info.id = id;
    e.info.file = path;
    e.info.code = fact("code");
    if (e.info.code.isEmpty() || e.info.code != e.info.code.toLower()) {
        if (error) *error = path + QStringLiteral(": \"language.code\" must be a lower-case code");
        return std::nullopt;
    }
    e.info.name = fact("name");
    e.info.locale = fact("locale");
    e.info.systemLanguages = fact("systemLanguages").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    e.info.script = fact("script");
    bool ok = false;
    const int codePage = fact("codePage").toInt(&ok);
    if (ok) e.info.codePage = codePage;
    e.info.examplesFolder = fact("examplesFolder").isEmpty() ? e.info.code : fact("examplesFolder");
    e.info.toolkitTranslation = fact("toolkitTranslation");
    e.info.builtInToolkitTranslation = fact("builtInToolkitTranslation");
    return e;
}

Registry loadBuiltIn()
{
    initLanguageResources();
    Registry r;
    QString error;
    // The built-in files are part of the program: a broken one is a broken build.
    const QString listPath = QStringLiteral(":/languages/languages.json");
    const std::optional<QByteArray> listJson = readBytes(listPath, &error);
    const std::optional<QJsonDocument> list =
        listJson ? parseJson(*listJson, listPath, &error) : std::nullopt;
    if (!list || !list->isArray()) qFatal("the Language list: %s", qPrintable(error));
    for (const QJsonValue &code : list->array()) {
        const QString path = QStringLiteral(":/languages/%1.json").arg(code.toString());
        std::optional<QByteArray> json = readBytes(path, &error);
        if (!json) qFatal("%s", qPrintable(error));
        std::optional<QJsonObject> facts = scanFacts(*json);
        if (!facts) facts = parseObject(*json, path, &error);
        if (!facts) qFatal("%s", qPrintable(error));
        std::optional<Entry> e = makeEntry(*facts, Language(int(r.entries.size())), path, &error);
        if (!e) qFatal("%s", qPrintable(error));
        r.entries.push_back(std::move(*e));
    }
    if (r.entries.empty()) qFatal("the Language list is empty");
    return r;
}

Registry &registry()
{
    static Registry r = loadBuiltIn();
    return r;
}

const Entry *entryOf(Language lang)
{
    const Registry &r = registry();
    const int i = int(lang);
    return i >= 0 && size_t(i) < r.entries.size() ? &r.entries[size_t(i)] : nullptr;
}

// Safe from any thread: the class modes grade on several.
const Texts &textsOf(const Entry &e)
{
    LazyTexts &lazy = *e.texts;
    std::call_once(lazy.once, [&] {
        QString error;
        const std::optional<QByteArray> json = readBytes(e.info.file, &error);
        std::optional<Texts> texts = json ? scanTexts(*json) : std::nullopt;
        if (!texts && json) {
            const std::optional<QJsonObject> object = parseObject(*json, e.info.file, &error);
            if (object) texts = textsOf(*object, e.info.file, &error);
        }
        // The built-in files are part of the program: a broken one is a broken build.
        if (!texts) qFatal("%s", qPrintable(error));
        addCommon(*texts);
        lazy.texts = std::move(*texts);
    });
    return lazy.texts;
}

}   // namespace

const LanguageInfo *languageInfo(Language lang)
{
    const Entry *e = entryOf(lang);
    return e ? &e->info : nullptr;
}

const LanguageInfo &firstLanguageInfo() { return registry().entries.front().info; }

std::optional<QString> languageText(Language lang, QByteArrayView key)
{
    const Entry *e = entryOf(lang);
    if (!e) return std::nullopt;
    // A view of the caller's bytes: no copy for a look-up.
    const Texts &texts = textsOf(*e);
    const auto it = texts.constFind(QByteArray::fromRawData(key.data(), key.size()));
    if (it == texts.constEnd()) return std::nullopt;
    return *it;
}

QByteArrayList languageTextKeys()
{
    QByteArrayList keys;
    const Texts &texts = textsOf(registry().entries.front());
    for (auto it = texts.begin(); it != texts.end(); ++it)
        if (!it.key().startsWith("language.")) keys << it.key();
    std::sort(keys.begin(), keys.end());
    return keys;
}

namespace {
std::atomic<int> s_listChanges {0};
}   // namespace

int languageListChanges() { return s_listChanges.load(std::memory_order_acquire); }

std::optional<Language> registerLanguageFile(const QString &path, QString *error)
{
    Registry &r = registry();
    std::optional<QJsonObject> object = readObject(path, error);
    if (!object) return std::nullopt;
    // An added file is checked whole now: its error goes to whoever added it.
    std::optional<Texts> texts = textsOf(*object, path, error);
    if (!texts) return std::nullopt;
    const Language id = Language(int(r.entries.size()));
    std::optional<Entry> e = makeEntry(*object, id, path, error);
    if (!e) return std::nullopt;
    addCommon(*texts);
    std::call_once(e->texts->once, [&] { e->texts->texts = std::move(*texts); });
    if (languageFromCode(e->info.code) != Language::Unknown) {
        if (error) *error = path + QStringLiteral(": the code \"%1\" is already in use").arg(e->info.code);
        return std::nullopt;
    }
    r.entries.push_back(std::move(*e));
    s_listChanges.fetch_add(1, std::memory_order_release);
    return id;
}

void removeAddedLanguages()
{
    std::deque<Entry> &entries = registry().entries;
    while (!entries.back().info.file.startsWith(QLatin1String(":/"))) entries.pop_back();
    s_listChanges.fetch_add(1, std::memory_order_release);
}

Language languageFromCode(const QString &code)
{
    for (const Entry &e : registry().entries)
        if (e.info.code == code) return e.info.id;
    return Language::Unknown;
}

QString languageCode(Language lang)
{
    const LanguageInfo *info = languageInfo(lang);
    return info ? info->code : QString();
}

QList<Language> registeredLanguages()
{
    QList<Language> all;
    for (const Entry &e : registry().entries) all << e.info.id;
    return all;
}

QList<Language> builtInLanguages()
{
    QList<Language> builtIn;
    for (const Entry &e : registry().entries)
        if (e.info.file.startsWith(QLatin1String(":/"))) builtIn << e.info.id;
    return builtIn;
}

Language knownOrFirst(Language lang) { return languageInfo(lang) ? lang : firstLanguageInfo().id; }
