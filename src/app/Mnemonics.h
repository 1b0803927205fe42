// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class QMenuBar;
class QMenu;

// Keyboard access letters for menus. The letters are chosen from the captions each time the
// captions change, so every menu and item gets one in every Language, including items added
// later, without a letter table to keep in step with the catalogue.

// The caption as shown with the access mark removed ("&&" is a literal "&").
QString plainCaption(const QString &text);
// A caption with its access mark, and a literal "&" doubled.
QString markedCaption(const QString &plain, qsizetype letterAt);
// Upper-case access letter of a marked caption, or a null character.
QChar mnemonicLetter(const QString &text);

// Marked captions for one menu's entries, in order: each gets the first free letter that
// starts one of its words, else its first free letter, else none. `taken` holds upper-case
// letters that must not be used.
QStringList assignMnemonics(const QStringList &plainCaptions, QSet<QChar> taken = {});

// Marks every title of the bar and every entry of its menus and submenus. Letters that
// Alt shortcuts of the items use (and the Cyrillic letters on the same keys) are left to
// those shortcuts in the bar.
void applyMnemonics(QMenuBar *bar);
void applyMnemonics(QMenu *menu);
// Marks the entries of a menu already marked with its bar, after entries were added: as the
// bar's marking does, each menu's entries choose among themselves.
void markMenuEntries(QMenu *menu);
