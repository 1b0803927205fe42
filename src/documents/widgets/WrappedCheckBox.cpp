// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/widgets/WrappedCheckBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

WrappedCheckBox::WrappedCheckBox(const QString &boxName, QWidget *parent)
      : QWidget(parent), m_box(new QCheckBox(this)), m_label(new QLabel(this))
{
    m_box->setObjectName(boxName);
    m_label->setObjectName(boxName + QStringLiteral("Label"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setBuddy(m_box);
    m_label->installEventFilter(this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_box, 0, Qt::AlignTop);
    row->addWidget(m_label, 1);
}

void WrappedCheckBox::setText(const QString &text)
{
    m_label->setText(text);
    m_box->setAccessibleName(text);
}

bool WrappedCheckBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && event->type() == QEvent::MouseButtonRelease && m_box->isEnabled()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_label->rect().contains(mouse->position().toPoint())) {
            m_box->setFocus(Qt::MouseFocusReason);
            m_box->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
