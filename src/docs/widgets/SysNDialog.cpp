#include "docs/widgets/SysNDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

TSysN::TSysN(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SysN"));
    setWindowTitle(QStringLiteral("Расширенные настрйки"));
    setFixedSize(160, 95);
    setModal(true);

    auto *label = new QLabel(QStringLiteral("Скорость:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 10, 144, 18);

    spin_ = new QSpinBox(this);
    spin_->setObjectName(QStringLiteral("SpinEdit1"));
    spin_->setRange(1, 5000);
    spin_->setValue(1);
    spin_->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    spin_->setGeometry(8, 30, 144, 24);
    label->setBuddy(spin_);

    okButton_ = new QPushButton(QStringLiteral("ОК"), this);   // Cyrillic О and К
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    okButton_->setGeometry(42, 62, 75, 26);
    connect(okButton_, &QPushButton::clicked, this, &TSysN::ok);
}

QString TSysN::directive() const
{
    return QStringLiteral("*$S=") + QString::number(spin_->value());
}

int TSysN::run()
{
    QRect area;
    if (QWidget *p = parentWidget())
        area = p->window()->frameGeometry();
    else if (QScreen *screen = this->screen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    spin_->setFocus();
    spin_->selectAll();
    return exec();
}

void TSysN::ok()
{
    spin_->interpretText();
    if (replaceLine_) replaceLine_(directive());
    accept();
}
