// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"

class QAction;
class QMenu;
class QWidget;

// The editor's and the field's context menus. Their items perform menu items of the window,
// which connects them; the field's items take their captions from the field's words.
class ContextMenus {
public:
    // Made as children of owner, the editor's captions in lang.
    void build(QWidget *owner, Language lang);
    // Every caption in lang, one of the three.
    void retranslate(Language lang);

    QMenu *editorMenu = nullptr;
    QAction *editorClear = nullptr, *editorCut = nullptr, *editorCopy = nullptr, *editorPaste = nullptr;
    QMenu *fieldMenu = nullptr;
    QAction *fieldClear = nullptr, *fieldSavePicture = nullptr;

private:
    void setEditorCaptions(Language lang);
};
