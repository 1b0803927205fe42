#include "docs/widgets/WrappedCheckBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

WrappedCheckBox::WrappedCheckBox(const QString &boxName, QWidget *parent)
    : QWidget(parent), box_(new QCheckBox(this)), label_(new QLabel(this))
{
    box_->setObjectName(boxName);
    label_->setObjectName(boxName + QStringLiteral("Label"));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setBuddy(box_);
    label_->installEventFilter(this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(box_, 0, Qt::AlignTop);
    row->addWidget(label_, 1);
}

void WrappedCheckBox::setText(const QString &text)
{
    label_->setText(text);
    box_->setAccessibleName(text);
}

bool WrappedCheckBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == label_ && event->type() == QEvent::MouseButtonRelease && box_->isEnabled()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && label_->rect().contains(mouse->position().toPoint())) {
            box_->setFocus(Qt::MouseFocusReason);
            box_->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
