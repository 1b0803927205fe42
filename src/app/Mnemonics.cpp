// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Mnemonics.h"
#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

QString plainCaption(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text.at(i);
    }
    return out;
}

QString markedCaption(const QString &plain, qsizetype letterAt)
{
    QString out;
    out.reserve(plain.size() + 1);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (i == letterAt) out += QLatin1Char('&');
        out += plain.at(i);
        if (plain.at(i) == QLatin1Char('&')) out += QLatin1Char('&');
    }
    return out;
}

QChar mnemonicLetter(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&')) continue;
        if (text.at(i + 1) != QLatin1Char('&')) return text.at(i + 1).toUpper();
        ++i;
    }
    return {};
}

namespace {

// The keys of a PC keyboard's letter block by the number Linux (evdev) gives them, which is
// also the PC scan code Windows reports, with the characters each carries: US QWERTY,
// Russian ЙЦУКЕН, Romanian standard, and the Romanian programmers' layout (its letters with
// diacritics are on the keys of their base letters).
struct KeyRow {
    quint32 code;
    const char16_t *carries;   // upper case
};
constexpr KeyRow kKeys[] = {
    {0x10, u"QЙÂ"}, {0x11, u"WЦ"},  {0x12, u"EУ"}, {0x13, u"RК"},  {0x14, u"TЕȚ"}, {0x15, u"YН"},
    {0x16, u"UГ"},  {0x17, u"IШÎ"}, {0x18, u"OЩ"}, {0x19, u"PЗ"},  {0x1A, u"[ХĂ"}, {0x1B, u"]ЪÎ"},
    {0x1E, u"AФĂ"}, {0x1F, u"SЫȘ"}, {0x20, u"DВ"}, {0x21, u"FА"},  {0x22, u"GП"},  {0x23, u"HР"},
    {0x24, u"JО"},  {0x25, u"KЛ"},  {0x26, u"LД"}, {0x27, u";ЖȘ"}, {0x28, u"'ЭȚ"}, {0x29, u"`Ё"},
    {0x2B, u"\\Â"}, {0x2C, u"ZЯ"},  {0x2D, u"XЧ"}, {0x2E, u"CС"},  {0x2F, u"VМ"},  {0x30, u"BИ"},
    {0x31, u"NТ"},  {0x32, u"MЬ"},  {0x33, u",Б"}, {0x34, u".Ю"},  {0x35, u"/."},
};

// Upper-case characters the pressed key carries on the layouts above, the one it typed first.
// The key is known by its scan code where the platform gives one, else by what it typed.
QString lettersOnKey(const QKeyEvent &event);
// Upper-case characters on the key (or keys) of `letter`, itself first: "A" gives "AФĂ".
QString lettersOnSameKey(QChar letter);

// Upper case, with the older cedilla forms of ș and ț taken as the letters they stand for.
QChar keyLetter(QChar c)
{
    c = c.toUpper();
    if (c == QChar(u'Ş')) return QChar(u'Ș');
    if (c == QChar(u'Ţ')) return QChar(u'Ț');
    return c;
}

void addMissing(QString &to, QStringView letters)
{
    for (QChar c : letters)
        if (!to.contains(c)) to += c;
}

const KeyRow *keyOfScanCode(quint32 scanCode)
{
    const QString platform = QGuiApplication::platformName();
    // macOS numbers its keys in an order of its own.
    if (scanCode == 0 || platform == QLatin1String("cocoa") || platform == QLatin1String("ios"))
        return nullptr;
    // X11 and Wayland give the evdev number plus 8.
    const bool evdevPlus8 = platform != QLatin1String("windows");
    if (evdevPlus8 && scanCode < 8) return nullptr;
    const quint32 code = evdevPlus8 ? scanCode - 8 : scanCode;
    for (const KeyRow &row : kKeys)
        if (row.code == code) return &row;
    return nullptr;
}

// A letter belongs to a key, not to a layout: a pupil switches between the Latin, Russian and
// Romanian layouts, and Alt with the key that carries "Ф" opens "Файл" whichever of them is
// active, as in other desktop programs. Letters that share a key count as one when the letters
// are chosen, so a key never stands for two entries of one menu.

// The entry of `actions` whose access letter is on the pressed key. None when the letter
// the key typed is an entry's own: the toolkit takes that itself.
QAction *entryOnKey(const QList<QAction *> &actions, const QKeyEvent &event)
{
    const QString letters = lettersOnKey(event);
    QAction *found = nullptr;
    qsizetype rank = letters.size();
    for (QAction *a : actions) {
        const QChar letter = a->isSeparator() ? QChar() : mnemonicLetter(a->text());
        if (letter.isNull()) continue;
        const qsizetype at = letters.indexOf(keyLetter(letter));
        if (at == 0) return nullptr;
        if (at > 0 && at < rank && a->isVisible() && a->isEnabled()) {
            found = a;
            rank = at;
        }
    }
    return found;
}

// Sees the key presses of a menu bar's window, the bar and the menus, and matches those the
// toolkit matched to no entry by the letters their key carries on the other layouts.
class KeyLetters : public QObject {
public:
    KeyLetters(QObject *owner, QMenuBar *bar) : QObject(owner), m_bar(bar)
    {
        setObjectName(QString::fromLatin1(kName));
    }
    static constexpr const char *kName = "accessLetterKeys";

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress) return false;
        auto &e = *static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers m = e.modifiers() & ~Qt::KeypadModifier;
        // An open menu and a bar held by the keyboard take a letter alone, with Shift or Alt.
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            return !(m & ~(Qt::AltModifier | Qt::ShiftModifier)) && retype(menu, menu->actions(), e);
        }
        if (!m_bar) return false;
        if (watched == m_bar.data())
            return !(m & ~(Qt::AltModifier | Qt::ShiftModifier)) && retype(m_bar, m_bar->actions(), e);
        if (watched != m_bar->window() || m != Qt::AltModifier) return false;
        // Alt and a letter that no access letter of the bar took on its way: a menu of the bar
        // whose letter is on the same key opens, on its first entry as the toolkit's own do.
        QAction *entry = entryOnKey(m_bar->actions(), e);
        if (!entry || !entry->menu()) return false;
        m_bar->setActiveAction(entry);
        for (QAction *a : entry->menu()->actions()) {
            if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
            entry->menu()->setActiveAction(a);
            break;
        }
        e.accept();
        return true;
    }

private:
    // The same press once more with the entry's own letter, which the toolkit then takes as
    // it always does.
    static bool retype(QWidget *target, const QList<QAction *> &actions, QKeyEvent &e)
    {
        QAction *entry = entryOnKey(actions, e);
        if (!entry) return false;
        const QChar letter = mnemonicLetter(entry->text());
        QKeyEvent again(QEvent::KeyPress, int(letter.unicode()), e.modifiers(), e.nativeScanCode(),
                        e.nativeVirtualKey(), e.nativeModifiers(), QString(letter.toLower()),
                        e.isAutoRepeat(), ushort(e.count()));
        QCoreApplication::sendEvent(target, &again);
        e.setAccepted(again.isAccepted());
        return true;
    }

    QPointer<QMenuBar> m_bar;
};

// The owner's key filter, made on the first call.
QObject *keyLetters(QObject *owner, QMenuBar *bar)
{
    if (QObject *keys =
            owner->findChild<QObject *>(QLatin1String(KeyLetters::kName), Qt::FindDirectChildrenOnly))
        return keys;
    return new KeyLetters(owner, bar);
}

void reserveAltShortcuts(const QMenu *menu, QSet<QChar> &taken)
{
    for (const QAction *a : menu->actions()) {
        if (a->menu()) {
            reserveAltShortcuts(a->menu(), taken);
            continue;
        }
        const QKeySequence s = a->shortcut();
        if (s.isEmpty()) continue;
        const QKeyCombination k = s[0];
        if (k.keyboardModifiers() != Qt::AltModifier) continue;
        const int key = int(k.key());
        if (key > 0xFFFF) continue;
        taken.insert(QChar(char16_t(key)).toUpper());   // and with it the letters on its key
    }
}

void markActions(const QList<QAction *> &actions, const QSet<QChar> &taken)
{
    QList<QAction *> entries;
    QStringList captions;
    for (QAction *a : actions) {
        if (a->isSeparator()) continue;
        entries << a;
        captions << plainCaption(a->text());
    }
    const QStringList marked = assignMnemonics(captions, taken);
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries.at(i)->text() != marked.at(i)) entries.at(i)->setText(marked.at(i));
}

// Marks a menu and its submenus, which then take their letters by key through `keys`
// (installing it again only moves it to the front).
void markMenu(QMenu *menu, QObject *keys)
{
    markActions(menu->actions(), {});
    menu->installEventFilter(keys);
    for (QAction *a : menu->actions())
        if (a->menu()) markMenu(a->menu(), keys);
}

qsizetype chooseLetter(const QString &plain, const QSet<QChar> &taken)
{
    auto usable = [&](qsizetype i) {
        const QChar c = plain.at(i);
        return c.isLetterOrNumber() && !taken.contains(keyLetter(c));
    };
    for (qsizetype i = 0; i < plain.size(); ++i)
        if ((i == 0 || !plain.at(i - 1).isLetterOrNumber()) && plain.at(i).isLetter() && usable(i)) return i;
    for (qsizetype i = 0; i < plain.size(); ++i)
        if (plain.at(i).isLetter() && usable(i)) return i;
    for (qsizetype i = 0; i < plain.size(); ++i)
        if (usable(i)) return i;
    return -1;
}

QString lettersOnSameKey(QChar letter)
{
    const QChar c = keyLetter(letter);
    QString out(c);
    for (const KeyRow &row : kKeys)
        if (QStringView(row.carries).contains(c)) addMissing(out, row.carries);
    return out;
}

QString lettersOnKey(const QKeyEvent &event)
{
    // What the key typed on the active layout; Alt may leave no text on some platforms.
    QChar typed;
    if (event.text().size() == 1 && event.text().at(0).isPrint())
        typed = keyLetter(event.text().at(0));
    else if (event.key() > 0x20 && event.key() <= 0xFFFF)
        typed = keyLetter(QChar(char16_t(event.key())));
    QString out;
    if (!typed.isNull()) out += typed;
    if (const KeyRow *key = keyOfScanCode(event.nativeScanCode())) {
        addMissing(out, key->carries);
        return out;
    }
    // No scan code: the key is the one that carries the typed letter on one of the layouts.
    if (!typed.isNull()) addMissing(out, lettersOnSameKey(typed));
    return out;
}

}   // namespace

QStringList assignMnemonics(const QStringList &plainCaptions, QSet<QChar> taken)
{
    // A letter takes its key: the other letters on it would open the same entry.
    QSet<QChar> blocked;
    for (QChar c : std::as_const(taken))
        for (QChar same : lettersOnSameKey(c)) blocked.insert(same);
    QStringList out;
    out.reserve(plainCaptions.size());
    for (const QString &plain : plainCaptions) {
        const qsizetype at = chooseLetter(plain, blocked);
        if (at >= 0)
            for (QChar same : lettersOnSameKey(plain.at(at))) blocked.insert(same);
        out << markedCaption(plain, at);
    }
    return out;
}

void applyMnemonics(QMenu *menu) { markMenu(menu, keyLetters(menu, nullptr)); }

void markMenuEntries(QMenu *menu) { markActions(menu->actions(), {}); }

void applyMnemonics(QMenuBar *bar)
{
    QObject *keys = keyLetters(bar, bar);
    bar->installEventFilter(keys);
    bar->window()->installEventFilter(keys);
    QSet<QChar> taken;
    for (QAction *a : bar->actions())
        if (a->menu()) reserveAltShortcuts(a->menu(), taken);
    markActions(bar->actions(), taken);
    for (QAction *a : bar->actions())
        if (a->menu()) markMenu(a->menu(), keys);
}
