// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/ShownHorizontalBar.h"
#include <QAbstractScrollArea>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyleOption>

namespace {

// The area's own bar, never shown.
class MirroredScrollBar : public QScrollBar {
public:
    explicit MirroredScrollBar(QScrollBar *shown) : QScrollBar(Qt::Horizontal), m_shown(shown)
    {
        connect(shown, &QScrollBar::valueChanged, this, [this](int v) {
            if (!m_copying) setValue(v);
        });
    }

protected:
    void sliderChange(SliderChange change) override
    {
        QScrollBar::sliderChange(change);
        if (!m_shown) return;
        // A new range may leave the value outside it for a moment; the shown bar's
        // clamping must not drive this one then.
        QScopedValueRollback<bool> copying(m_copying, true);
        m_shown->setRange(minimum(), maximum());
        m_shown->setPageStep(pageStep());
        m_shown->setSingleStep(singleStep());
        m_shown->setValue(value());
    }

private:
    QPointer<QScrollBar> m_shown;
    bool m_copying = false;
};

// The square between the two bars, drawn as the scroll area draws it.
class ScrollCorner : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QStyleOption o;
        o.initFrom(this);
        style()->drawPrimitive(QStyle::PE_PanelScrollAreaCorner, &o, &p, this);
    }
};

}   // namespace

ShownHorizontalBar::ShownHorizontalBar(QAbstractScrollArea *area)
      : m_bar(new QScrollBar(Qt::Horizontal, area))
{
    area->setHorizontalScrollBar(new MirroredScrollBar(m_bar));
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_corner = new ScrollCorner;
    area->addScrollBarWidget(m_corner, Qt::AlignBottom);
}

int ShownHorizontalBar::fitCorner()
{
    const int extent = m_bar->sizeHint().height();
    m_corner->setFixedHeight(extent);
    return extent;
}

void ShownHorizontalBar::place(const QRect &viewport)
{
    m_bar->setGeometry(viewport.left(), viewport.bottom() + 1, viewport.width(), m_bar->sizeHint().height());
}
