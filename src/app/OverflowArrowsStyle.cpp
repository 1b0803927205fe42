// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OverflowArrowsStyle.h"
#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Stands for a style's icon and asks the style for it on first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QPointer<QStyle> style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
          : m_style(std::move(style)), m_which(which), m_direction(direction)
    {
    }

    QIconEngine *clone() const override
    {
        auto *copy = new DeferredIconEngine(m_style, m_which, m_direction);
        copy->m_icon = m_icon;
        copy->m_resolved = m_resolved;
        return copy;
    }
    QString key() const override { return QStringLiteral("TrakmilDeferred"); }
    // Known not null without asking: a button's layout asks this as it is built.
    bool isNull() override { return m_resolved && m_icon.isNull(); }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }

private:
    const QIcon &icon()
    {
        if (!m_resolved) {
            QStyleOption option;
            option.direction = m_direction;
            if (m_style) m_icon = m_style->standardIcon(m_which, &option);
            m_resolved = true;
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    Qt::LayoutDirection m_direction;
    QIcon m_icon;
    bool m_resolved = false;
};

}   // namespace

QIcon OverflowArrowsStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                        const QWidget *widget) const
{
    // Of what the bars say of themselves, the arrow follows only the direction of writing.
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton) {
        const Qt::LayoutDirection direction = option ? option->direction : QGuiApplication::layoutDirection();
        return QIcon(new DeferredIconEngine(QPointer<QStyle>(baseStyle()), which, direction));
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

void deferOverflowArrows()
{
    const QString name = QApplication::style()->name();
    if (!QStyleFactory::keys().contains(name, Qt::CaseInsensitive)) return;
    QApplication::setStyle(new OverflowArrowsStyle(name));
}
