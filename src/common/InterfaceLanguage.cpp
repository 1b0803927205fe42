// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char *kProperty = "interfaceLanguage";
}

namespace InterfaceLanguage {

void apply(QWidget *window, Language lang)
{
    window->setProperty(kProperty, int(lang));
    // A widget passes the event on to its children, windows among them, before it returns.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(window, &change);
}

std::optional<Language> of(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        const QVariant v = w->property(kProperty);
        if (v.isValid()) return Language(v.toInt());
    }
    return std::nullopt;
}

}   // namespace InterfaceLanguage
