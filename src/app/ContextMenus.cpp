// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ContextMenus.h"
#include "base/TextCatalogue.h"
#include "world/widgets/WorldTexts.h"
#include <QMenu>

void ContextMenus::build(QWidget *owner, Language lang)
{
    editorMenu = new QMenu(owner);
    editorMenu->setObjectName(QStringLiteral("PopupMenu1"));
    editorClear = editorMenu->addAction(QString());
    editorMenu->addSeparator();
    editorCut = editorMenu->addAction(QString());
    editorCopy = editorMenu->addAction(QString());
    editorPaste = editorMenu->addAction(QString());
    editorClear->setObjectName(QStringLiteral("N57"));
    editorCut->setObjectName(QStringLiteral("N58"));
    editorCopy->setObjectName(QStringLiteral("N59"));
    editorPaste->setObjectName(QStringLiteral("N60"));
    setEditorCaptions(lang);

    fieldMenu = new QMenu(owner);
    fieldMenu->setObjectName(QStringLiteral("PopupMenu2"));
    fieldClear = fieldMenu->addAction(QString());
    fieldSavePicture = fieldMenu->addAction(QString());
    fieldClear->setObjectName(QStringLiteral("PopupClearField"));
    fieldSavePicture->setObjectName(QStringLiteral("PopupSavePicture"));
}

void ContextMenus::retranslate(Language lang)
{
    setEditorCaptions(lang);
    fieldClear->setText(WorldTexts::clearFieldCaption(lang).value_or(QString()));
    fieldSavePicture->setText(WorldTexts::savePictureCaption(lang).value_or(QString()));
}

void ContextMenus::setEditorCaptions(Language lang)
{
    editorClear->setText(uiText("window.editorMenu.clear", lang).value_or(QString()));
    editorCut->setText(uiText("window.editorMenu.cut", lang).value_or(QString()));
    editorCopy->setText(uiText("window.editorMenu.copy", lang).value_or(QString()));
    editorPaste->setText(uiText("window.editorMenu.paste", lang).value_or(QString()));
}
