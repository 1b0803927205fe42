#include "editor/UnitColor.h"
#include <QAbstractItemView>
#include "lang/TextTable.h"
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace {
const Text3 kColorTexts[] = {
    {"caption", {"Цвет", "Culoare", "Color"}},
    {"choose", {"выбор цвета:", "Alegerea culorii:", "Color selector:"}},
    {"increase", {"увеличение цвета (+1)", "Mareste culoarea (+1)", "color increase (+1)"}},
    {"decrease", {"уменьшение цвета (-1)", "Scade culoarea (-1)", "color decrease (-1)"}},
    {"ok", {"ОК", "ОК", "ОК"}},
    {"cancel", {"Отмена", "Renunta", "Cancel"}},
};

QIcon swatch(QRgb rgb)
{
    QPixmap p(12, 12);
    p.fill(QColor::fromRgb(rgb));
    QPainter(&p).drawRect(0, 0, 11, 11);
    return QIcon(p);
}
} // namespace

TFormColor::TFormColor(AlgorithmEditor &editor, Prompts &prompts, QWidget *parent)
    : CommandDialog(editor, prompts, QSize(177, 158), parent)
{
    setObjectName(QStringLiteral("FormColor"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setGeometry(4, 1, 169, 120);
    RadioButton1 = new QRadioButton(GroupBox1);
    RadioButton1->setGeometry(8, 14, 121, 17);
    RadioButton1->setChecked(true);
    ColorComboBox1 = new QComboBox(GroupBox1);
    ColorComboBox1->setGeometry(16, 35, 145, 22);
    ColorComboBox1->installEventFilter(this);
    RadioButton2 = new QRadioButton(GroupBox1);
    RadioButton2->setGeometry(8, 71, 145, 17);
    RadioButton3 = new QRadioButton(GroupBox1);
    RadioButton3->setGeometry(8, 95, 145, 17);
    Button1 = makeButton(QPoint(11, 128), cyrillicOk());
    Button1->setDefault(true);
    Button2 = makeButton(QPoint(91, 128), QString());
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ColorComboBox1->setEnabled(true);
    });
    connect(ColorComboBox1, &QComboBox::activated, this, [this] { RadioButton1->setChecked(true); });
    connect(Button1, &QPushButton::clicked, this, &TFormColor::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    prepare();
}

bool TFormColor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ColorComboBox1 && event->type() == QEvent::MouseButtonPress)
        RadioButton1->setChecked(true);
    return CommandDialog::eventFilter(watched, event);
}

void TFormColor::prepare()
{
    setResult(0);
    const Language lang = m_editor.language();
    auto apply = [&](const char *key, auto setter) {
        if (auto t = lookupText(kColorTexts, key, lang)) setter(*t);
    };
    apply("caption", [this](const QString &t) { setWindowTitle(t); });
    apply("choose", [this](const QString &t) { RadioButton1->setText(t); });
    apply("increase", [this](const QString &t) { RadioButton2->setText(t); });
    apply("decrease", [this](const QString &t) { RadioButton3->setText(t); });
    apply("ok", [this](const QString &t) { Button1->setText(t); });
    apply("cancel", [this](const QString &t) { Button2->setText(t); });
    ColorComboBox1->setEnabled(true);
    ColorComboBox1->show();
    ColorComboBox1->clear();
    for (int i = 0; i < ColorTable::Count; ++i)
        ColorComboBox1->addItem(swatch(ColorTable::value(i)), ColorTable::name(i, lang));
    ColorComboBox1->setCurrentIndex(-1);
    // The open list is as wide as its longest name, swatch and margins included, so no
    // name is elided ("ТЕМНО-ЗЕЛЕНЫЙ" would not fit the closed box's width).
    const QFontMetrics fm(ColorComboBox1->view()->font());
    int widest = 0;
    for (int i = 0; i < ColorComboBox1->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(ColorComboBox1->itemText(i)));
    ColorComboBox1->view()->setMinimumWidth(widest + ColorComboBox1->iconSize().width() + 40);

    // Longer captions widen the radio buttons, the group and the window.
    int right = ColorComboBox1->x() + ColorComboBox1->width();
    for (QRadioButton *r : {RadioButton1, RadioButton2, RadioButton3}) {
        r->resize(std::max(r == RadioButton1 ? 121 : 145, r->sizeHint().width()), r->height());
        right = std::max(right, r->x() + r->width());
    }
    GroupBox1->resize(std::max(169, right + 8), GroupBox1->height());
    fitWidth(GroupBox1->x() + GroupBox1->width() + 4);
}

void TFormColor::Button1Click()
{
    if (!(manualMode && manualMode())) {
        const QString &kw = lex().kwColor;
        if (RadioButton2->isChecked()) m_editor.CommandText = kw + QLatin1Char('+');
        else if (RadioButton3->isChecked()) m_editor.CommandText = kw + QLatin1Char('-');
        else m_editor.CommandText = kw + QLatin1Char('=') + ColorComboBox1->currentText();
        m_editor.PasteCode();
    }
    accept();
    m_editor.setFocus();
}
