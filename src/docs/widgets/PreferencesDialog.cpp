#include "docs/widgets/PreferencesDialog.h"

#include "docs/widgets/WrappedCheckBox.h"
#include "lang/TextTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const Text3 kPropTexts[] = {
    {"window", {"Настройки", "Preferinte", "Preferences"}},
    {"cancel", {"Отмена", "Renunta", "Cancel"}},
    {"page1", {"Интерфейс", "Interfata", "Appearence"}},
    {"languageFrame", {" Язык программы: ", " Limba folosita: ", " Interface language: "}},
    {"rb1", {"Русский", "Rusa", "Russian"}},
    {"rb2", {"Румынский", "Romana", "Romanian"}},
    {"rb3", {"Английский", "Engleza", "English"}},
    {"Sintaxa",
     {"Автоматически обновлять поле алгоритма (включите, если при написании кода у Вас "
      "проблемы с подсветкой синтаксиса)",
      "Actualizarea automata a cimpului algoritmului (selecteaza in cazul in care la scrierea "
      "codului nu se evedentiaza erorile sintactice)",
      "Refresh algorithm field automaticly (turn on if you have problems with highliting "
      "sintaxis)"}},
    {"advcom",
     {"Отображать панель продвинутых команд", "Vizualizeaza panelul comenzilor avansate",
      "Show advanced commands panel"}},
    {"page2", {"Робот", "Robot", "Robot"}},
    {"top", {"Максимальная", "Maxima", "Maximum"}},
    {"middle", {"Средняя", "Medie", "Average"}},
    {"bottom", {"Минимальная", "Minima", "Minimal"}},
    {"page3", {"Сохранение", "Salveaza", "Save"}},
    {"width", {"Горизонталь:", "Orizontala:", "Horizontal:"}},
    {"height", {"Вертикаль:", "Verticala:", "Vertical:"}},
    {"speedFrame", {" Скорость робота ", " Viteza robotului ", " Robot's speed "}},
    {"sizeFrame", {" Размеры поля ", " Dimens. cimpului ", " Field size "}},
};

// Slider position 1 (top, fastest) .. 5 (bottom, slowest).
constexpr int kPreviewIntervals[] = {10, 70, 150, 400, 1000};
constexpr int kPreviewSteps = 13;

QSpinBox *makeSpin(QWidget *parent, const char *name, int lo, int hi)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(lo, hi);
    // Typing a number outside the range gives the nearest allowed one, not the old value.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return spin;
}

}  // namespace

TProp::TProp(PreferencesHost &host, QWidget *parent) : QDialog(parent), host_(host)
{
    setObjectName(QStringLiteral("Prop"));
        setFixedSize(304, 207);
    setModal(true);
    // The window has a fixed size; the captions fit it at the classic dialog font size.
    QFont small = font();
    if (small.pointSizeF() > 8) small.setPointSizeF(8);
    setFont(small);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));

    // Page 1: interface.
    page1_ = new QWidget;
    page1_->setObjectName(QStringLiteral("TabSheet1"));
    languageFrame_ = new QGroupBox(page1_);
    languageFrame_->setObjectName(QStringLiteral("GroupBox1"));
    rb1_ = new QRadioButton(languageFrame_);
    rb2_ = new QRadioButton(languageFrame_);
    rb3_ = new QRadioButton(languageFrame_);
    rb1_->setObjectName(QStringLiteral("rb1"));
    rb2_->setObjectName(QStringLiteral("rb2"));
    rb3_->setObjectName(QStringLiteral("rb3"));
    auto *radios = new QHBoxLayout(languageFrame_);
    radios->setContentsMargins(4, 2, 4, 4);
    radios->setSpacing(2);
    radios->addWidget(rb1_);
    radios->addWidget(rb2_);
    radios->addWidget(rb3_);
    auto *sintaxa = new WrappedCheckBox(QStringLiteral("Sintaxa"), page1_);
    sintaxa_ = sintaxa->box();
    sintaxaLabel_ = sintaxa->label();
    auto *advcom = new WrappedCheckBox(QStringLiteral("advcom"), page1_);
    advcom_ = advcom->box();
    advcomLabel_ = advcom->label();
    auto *p1 = new QVBoxLayout(page1_);
    p1->setContentsMargins(4, 4, 4, 4);
    p1->setSpacing(4);
    p1->addWidget(languageFrame_);
    p1->addWidget(sintaxa);
    p1->addWidget(advcom);
    p1->addStretch(1);
    connect(rb1_, &QRadioButton::clicked, this, [this] { languageClicked(QStringLiteral("rus")); });
    connect(rb2_, &QRadioButton::clicked, this, [this] { languageClicked(QStringLiteral("rom")); });
    connect(rb3_, &QRadioButton::clicked, this, [this] { languageClicked(QStringLiteral("eng")); });

    // Page 2: robot speed and field size.
    page2_ = new QWidget;
    page2_->setObjectName(QStringLiteral("TabSheet2"));
    speedFrame_ = new QGroupBox(page2_);
    speedFrame_->setObjectName(QStringLiteral("GroupBox2"));
    trackBar_ = new QSlider(Qt::Vertical, speedFrame_);
    trackBar_->setObjectName(QStringLiteral("TrackBar1"));
    trackBar_->setRange(1, 5);
    trackBar_->setInvertedAppearance(true);     // position 1 at the top
    trackBar_->setInvertedControls(true);       // and the Up key moves towards it
    trackBar_->setPageStep(1);
    trackBar_->setTickPosition(QSlider::TicksRight);
    trackBar_->setTickInterval(1);
    progressBar_ = new QProgressBar(speedFrame_);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setOrientation(Qt::Vertical);
    progressBar_->setRange(1, kPreviewSteps);
    progressBar_->setTextVisible(false);
    progressBar_->setFixedWidth(12);
    speedValue_ = new QSpinBox(speedFrame_);
    speedValue_->setObjectName(QStringLiteral("SpeedValue"));
    speedValue_->setRange(kMinSpeed, kMaxSpeed);
    speedValue_->hide();
    maxLabel_ = new QLabel(speedFrame_);
    midLabel_ = new QLabel(speedFrame_);
    minLabel_ = new QLabel(speedFrame_);
    maxLabel_->setObjectName(QStringLiteral("Label1"));
    midLabel_->setObjectName(QStringLiteral("Label2"));
    minLabel_->setObjectName(QStringLiteral("Label3"));
    auto *speedGrid = new QGridLayout(speedFrame_);
    speedGrid->setContentsMargins(6, 2, 6, 4);
    speedGrid->setHorizontalSpacing(4);
    speedGrid->setVerticalSpacing(0);
    speedGrid->addWidget(trackBar_, 0, 0, 3, 1);
    speedGrid->addWidget(progressBar_, 0, 1, 3, 1);
    speedGrid->addWidget(maxLabel_, 0, 2, Qt::AlignTop);
    speedGrid->addWidget(midLabel_, 1, 2, Qt::AlignVCenter);
    speedGrid->addWidget(minLabel_, 2, 2, Qt::AlignBottom);
    speedGrid->setColumnStretch(2, 1);

    sizeFrame_ = new QGroupBox(page2_);
    sizeFrame_->setObjectName(QStringLiteral("GroupBox3"));
    widthLabel_ = new QLabel(sizeFrame_);
    heightLabel_ = new QLabel(sizeFrame_);
    widthLabel_->setObjectName(QStringLiteral("Label4"));
    heightLabel_->setObjectName(QStringLiteral("Label5"));
    spinX_ = makeSpin(sizeFrame_, "SpinEdit1", kMinPoleX, kMaxPoleX);
    spinY_ = makeSpin(sizeFrame_, "SpinEdit2", kMinPoleY, kMaxPoleY);
    auto *xLabel = new QLabel(QStringLiteral("X ="), sizeFrame_);
    auto *yLabel = new QLabel(QStringLiteral("Y ="), sizeFrame_);
    xLabel->setBuddy(spinX_);
    yLabel->setBuddy(spinY_);
    auto *sizeGrid = new QGridLayout(sizeFrame_);
    sizeGrid->setContentsMargins(6, 2, 6, 4);
    sizeGrid->setVerticalSpacing(2);
    sizeGrid->addWidget(widthLabel_, 0, 0, 1, 2);
    sizeGrid->addWidget(xLabel, 1, 0);
    sizeGrid->addWidget(spinX_, 1, 1);
    sizeGrid->addWidget(heightLabel_, 2, 0, 1, 2);
    sizeGrid->addWidget(yLabel, 3, 0);
    sizeGrid->addWidget(spinY_, 3, 1);
    sizeGrid->setRowStretch(4, 1);

    auto *p2 = new QHBoxLayout(page2_);
    p2->setContentsMargins(6, 4, 6, 4);
    p2->setSpacing(6);
    p2->addWidget(speedFrame_, 1);
    p2->addWidget(sizeFrame_, 1);
    connect(trackBar_, &QSlider::valueChanged, this,
            [this](int position) { speedValue_->setValue(6 - position); });

    // Page 3: saving options that the program does not offer; shown, never active.
    page3_ = new QWidget;
    page3_->setObjectName(QStringLiteral("TabSheet3"));
    auto *backup = new WrappedCheckBox(QStringLiteral("CheckBox1"), page3_);
    backup->setText(QStringLiteral("Создавать резервную копию алгоритма перед выполнением "
                                   "(записывать в файл autosave.tkm)"));
    backup->box()->setChecked(true);
    backup->setEnabled(false);
    auto *confirm = new WrappedCheckBox(QStringLiteral("CheckBox2"), page3_);
    confirm->setText(QStringLiteral(
        "Запрашивать подтверждение при закрытии программы с несохраненным алгоритмом"));
    confirm->setEnabled(false);
    auto *folderLabel = new QLabel(QStringLiteral("Папка для сохранения файлов .tkm:"), page3_);
    folderLabel->setObjectName(QStringLiteral("Label6"));
    folderLabel->setEnabled(false);
    auto *folder = new QLineEdit(QStringLiteral("C:\\ProgramFiles\\Trakmil"), page3_);
    folder->setObjectName(QStringLiteral("Edit1"));
    folder->setEnabled(false);
    auto *p3 = new QVBoxLayout(page3_);
    p3->setContentsMargins(6, 4, 6, 4);
    p3->setSpacing(4);
    p3->addWidget(backup);
    p3->addWidget(confirm);
    p3->addWidget(folderLabel);
    p3->addWidget(folder);
    p3->addStretch(1);

    pages_->addTab(page1_, QString());
    pages_->addTab(page2_, QString());
    pages_->addTab(page3_, QString());

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKBtn"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("CancelBtn"));
    connect(okButton_, &QPushButton::clicked, this, &TProp::ok);
    connect(cancelButton_, &QPushButton::clicked, this, &TProp::cancel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 6);
    main->setSpacing(4);
    main->addWidget(pages_, 1);
    main->addLayout(buttons);

    previewTimer_ = new QTimer(this);
    previewTimer_->setObjectName(QStringLiteral("Timer1"));
    previewTimer_->setInterval(kPreviewIntervals[2]);
    connect(previewTimer_, &QTimer::timeout, this, &TProp::previewTick);

    speedValue_->setValue(3);
    trackBar_->setValue(3);
    progressBar_->setValue(1);
    applyCaptions(Language::Rus);   // the captions before any Language is applied
}

void TProp::Recaption()
{
    applyCaptions(languageFromCode(host_.settings().language));
}

void TProp::applyCaptions(Language lang)
{
    auto set = [lang](const char *key, auto &&apply) {
        if (const auto text = lookupText(kPropTexts, key, lang)) apply(*text);
    };
    set("window", [this](const QString &t) { setWindowTitle(t); });
    set("cancel", [this](const QString &t) { cancelButton_->setText(t); });
    set("page1", [this](const QString &t) { pages_->setTabText(0, t); });
    set("page2", [this](const QString &t) { pages_->setTabText(1, t); });
    set("page3", [this](const QString &t) { pages_->setTabText(2, t); });
    set("languageFrame", [this](const QString &t) { languageFrame_->setTitle(t); });
    set("rb1", [this](const QString &t) { rb1_->setText(t); });
    set("rb2", [this](const QString &t) { rb2_->setText(t); });
    set("rb3", [this](const QString &t) { rb3_->setText(t); });
    set("Sintaxa", [this](const QString &t) {
        sintaxaLabel_->setText(t);
        sintaxa_->setAccessibleName(t);
    });
    set("advcom", [this](const QString &t) {
        advcomLabel_->setText(t);
        advcom_->setAccessibleName(t);
    });
    set("top", [this](const QString &t) { maxLabel_->setText(t); });
    set("middle", [this](const QString &t) { midLabel_->setText(t); });
    set("bottom", [this](const QString &t) { minLabel_->setText(t); });
    set("width", [this](const QString &t) { widthLabel_->setText(t); });
    set("height", [this](const QString &t) { heightLabel_->setText(t); });
    set("speedFrame", [this](const QString &t) { speedFrame_->setTitle(t); });
    set("sizeFrame", [this](const QString &t) { sizeFrame_->setTitle(t); });
}

int TProp::previewInterval(int sliderPosition)
{
    if (sliderPosition < 1 || sliderPosition > 5) return kPreviewIntervals[2];
    return kPreviewIntervals[sliderPosition - 1];
}

void TProp::prepare()
{
    const Settings &s = host_.settings();
    rememberedLanguage_ = s.language;
    Recaption();
    pages_->setCurrentIndex(0);

    if (s.language == QLatin1String("rom"))
        rb2_->setChecked(true);
    else if (s.language == QLatin1String("eng"))
        rb3_->setChecked(true);
    else
        rb1_->setChecked(true);   // "rus", empty, or a code the dialog does not offer

    spinX_->setValue(s.pole_x);
    spinY_->setValue(s.pole_y);
    sintaxa_->setChecked(s.sintax);
    advcom_->setChecked(s.showadv);

    if (s.x_speed >= kMinSpeed && s.x_speed <= kMaxSpeed) {
        speedValue_->setValue(s.x_speed);
        trackBar_->setValue(6 - s.x_speed);
        previewTimer_->setInterval(previewInterval(trackBar_->value()));
    }
}

void TProp::centreOnParent()
{
    QRect area;
    if (QWidget *p = parentWidget())
        area = p->window()->frameGeometry();
    else if (QScreen *screen = this->screen())
        area = screen->availableGeometry();
    if (area.isValid()) move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

int TProp::run()
{
    prepare();
    centreOnParent();
    return exec();
}

void TProp::languageClicked(const QString &code)
{
    host_.settings().language = code;
    Recaption();
    host_.ApplyLanguage();
}

void TProp::previewTick()
{
    if (progressBar_->value() >= kPreviewSteps) progressBar_->setValue(1);
    previewTimer_->setInterval(previewInterval(trackBar_->value()));
    progressBar_->setValue(progressBar_->value() + 1);
}

void TProp::ok()
{
    // Text typed into a spin box but not yet confirmed counts, held within the range.
    spinX_->interpretText();
    spinY_->interpretText();

    Settings &s = host_.settings();
    if (rb1_->isChecked())
        s.language = QStringLiteral("rus");
    else if (rb2_->isChecked())
        s.language = QStringLiteral("rom");
    else if (rb3_->isChecked())
        s.language = QStringLiteral("eng");
    s.x_speed = speedValue_->value();
    s.pole_x = spinX_->value();
    s.pole_y = spinY_->value();
    s.sintax = sintaxa_->isChecked();
    s.showadv = advcom_->isChecked();

    // The host has told the user why; the values stay in memory and the dialog open.
    if (!host_.Saveinifile()) return;

    host_.DrawField();
    host_.setAdvancedToolBarVisible(s.showadv);
    host_.ApplyLanguage();
    accept();
}

void TProp::cancel()
{
    host_.settings().language = rememberedLanguage_;
    Recaption();
    host_.ApplyLanguage();
    reject();
}

void TProp::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    previewTimer_->start();
}

void TProp::hideEvent(QHideEvent *event)
{
    previewTimer_->stop();
    QDialog::hideEvent(event);
}

void TProp::keyPressEvent(QKeyEvent *event)
{
    // Escape means the Cancel button, not the close box: the Language goes back too.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
