// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Mnemonics.h"
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

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

qsizetype chooseLetter(const QString &plain, const QSet<QChar> &taken)
{
    auto usable = [&](qsizetype i) {
        const QChar c = plain.at(i);
        return c.isLetterOrNumber() && !taken.contains(c.toUpper());
    };
    for (qsizetype i = 0; i < plain.size(); ++i)
        if ((i == 0 || !plain.at(i - 1).isLetterOrNumber()) && plain.at(i).isLetter() && usable(i)) return i;
    for (qsizetype i = 0; i < plain.size(); ++i)
        if (plain.at(i).isLetter() && usable(i)) return i;
    for (qsizetype i = 0; i < plain.size(); ++i)
        if (usable(i)) return i;
    return -1;
}

// The Russian layout's letters on the keys of the Latin ones: Alt+Ч is the same key as Alt+X.
const char16_t kLatinKeys[] = u"QWERTYUIOPASDFGHJKLZXCVBNM";
const char16_t kRussianKeys[] = u"ЙЦУКЕНГШЩЗФЫВАПРОЛДЯЧСМИТЬ";

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
        const QChar c = QChar(char16_t(key)).toUpper();
        taken.insert(c);
        for (int i = 0; kLatinKeys[i]; ++i) {
            if (kLatinKeys[i] == c.unicode()) taken.insert(QChar(kRussianKeys[i]));
            if (kRussianKeys[i] == c.unicode()) taken.insert(QChar(kLatinKeys[i]));
        }
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

}   // namespace

QStringList assignMnemonics(const QStringList &plainCaptions, QSet<QChar> taken)
{
    QStringList out;
    out.reserve(plainCaptions.size());
    for (const QString &plain : plainCaptions) {
        const qsizetype at = chooseLetter(plain, taken);
        if (at >= 0) taken.insert(plain.at(at).toUpper());
        out << markedCaption(plain, at);
    }
    return out;
}

void applyMnemonics(QMenu *menu)
{
    markActions(menu->actions(), {});
    for (QAction *a : menu->actions())
        if (a->menu()) applyMnemonics(a->menu());
}

void applyMnemonics(QMenuBar *bar)
{
    QSet<QChar> taken;
    for (QAction *a : bar->actions())
        if (a->menu()) reserveAltShortcuts(a->menu(), taken);
    markActions(bar->actions(), taken);
    for (QAction *a : bar->actions())
        if (a->menu()) applyMnemonics(a->menu());
}
