// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/widgets/PreferencesDialog.h"

#include "documents/widgets/WrappedCheckBox.h"
#include "base/LanguageRegistry.h"
#include "base/TextCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include "common/ClampingSpinBox.h"
#include "common/MessageWindow.h"
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Slider position 1 (top, fastest) .. 5 (bottom, slowest).
constexpr int kPreviewIntervals[] = {10, 70, 150, 400, 1000};
constexpr int kPreviewSteps = 13;

QSpinBox *makeSpin(QWidget *parent, const char *name, int lo, int hi)
{
    // Typing a number outside the range gives the nearest allowed one, not the old value.
    auto *spin = new ClampingSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(lo, hi);
    return spin;
}

}   // namespace

PreferencesDialog::PreferencesDialog(PreferencesHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("Prop"));
    setFixedSize(304, 207);
    setModal(true);
    // The window has a fixed size; the captions fit it at the classic dialog font size.
    QFont small = font();
    if (small.pointSizeF() > 8) small.setPointSizeF(8);
    setFont(small);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));

    m_interfacePage = buildInterfacePage();
    m_robotPage = buildRobotPage();
    m_fieldPage = buildSavingPage();
    m_pages->addTab(m_interfacePage, QString());
    m_pages->addTab(m_robotPage, QString());
    m_pages->addTab(m_fieldPage, QString());
    m_pages->addTab(buildHandInPage(), QString());

    QLayout *buttons = buildButtons();
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 6);
    main->setSpacing(4);
    main->addWidget(m_pages, 1);
    main->addLayout(buttons);

    m_previewTimer = new QTimer(this);
    m_previewTimer->setObjectName(QStringLiteral("Timer1"));
    m_previewTimer->setInterval(kPreviewIntervals[2]);
    connect(m_previewTimer, &QTimer::timeout, this, &PreferencesDialog::previewTick);

    m_speedValue->setValue(3);
    m_trackBar->setValue(3);
    m_progressBar->setValue(1);
    applyCaptions(Language::Rus);   // the captions before any Language is applied
}

// Page 1: the interface.
QWidget *PreferencesDialog::buildInterfacePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    m_languageFrame = new QGroupBox(page);
    m_languageFrame->setObjectName(QStringLiteral("GroupBox1"));
    // One button per Language of the list, in its order: rb1, rb2, ...; three to a row, as
    // many as the page's width takes.
    constexpr int perRow = 3;
    auto *radios = new QGridLayout(m_languageFrame);
    radios->setContentsMargins(4, 2, 4, 4);
    radios->setSpacing(2);
    for (Language lang : registeredLanguages()) {
        auto *button = new QRadioButton(m_languageFrame);
        button->setObjectName(QStringLiteral("rb%1").arg(m_languageButtons.size() + 1));
        const int at = int(m_languageButtons.size());
        radios->addWidget(button, at / perRow, at % perRow);
        const QString code = languageCode(lang);
        connect(button, &QRadioButton::clicked, this, [this, code] { languageClicked(code); });
        m_languageButtons << button;
    }
    auto *sintaxa = new WrappedCheckBox(QStringLiteral("Sintaxa"), page);
    m_autoRefreshBox = sintaxa->box();
    m_autoRefreshLabel = sintaxa->label();
    auto *advcom = new WrappedCheckBox(QStringLiteral("advcom"), page);
    m_advancedBox = advcom->box();
    m_advancedLabel = advcom->label();
    auto *lineNumbers = new WrappedCheckBox(QStringLiteral("lineNumbers"), page);
    m_lineNumbersBox = lineNumbers->box();
    m_lineNumbersLabel = lineNumbers->label();
    // The whole window's size, for projectors and large screens; the toolkit scales it at start.
    m_interfaceSizeLabel = new QLabel(page);
    m_interfaceSizeLabel->setObjectName(QStringLiteral("InterfaceSizeLabel"));
    m_interfaceSize = new QComboBox(page);
    m_interfaceSize->setObjectName(QStringLiteral("InterfaceSize"));
    for (int size : kInterfaceSizes) m_interfaceSize->addItem(QStringLiteral("%1 %").arg(size), size);
    m_interfaceSizeLabel->setBuddy(m_interfaceSize);
    m_interfaceSizeNote = new QLabel(page);
    m_interfaceSizeNote->setObjectName(QStringLiteral("InterfaceSizeNote"));
    auto *sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(4);
    sizeRow->addWidget(m_interfaceSizeLabel);
    sizeRow->addWidget(m_interfaceSize);
    sizeRow->addWidget(m_interfaceSizeNote, 1);
    auto *p1 = new QVBoxLayout(page);
    p1->setContentsMargins(4, 2, 4, 2);   // five rows on a page of fixed size
    p1->setSpacing(2);
    p1->addWidget(m_languageFrame);
    p1->addWidget(sintaxa);
    p1->addWidget(advcom);
    p1->addWidget(lineNumbers);
    p1->addLayout(sizeRow);
    p1->addStretch(1);

    return page;
}

// Page 2: robot speed and field size.
QWidget *PreferencesDialog::buildRobotPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    m_speedFrame = new QGroupBox(page);
    m_speedFrame->setObjectName(QStringLiteral("GroupBox2"));
    m_trackBar = new QSlider(Qt::Vertical, m_speedFrame);
    m_trackBar->setObjectName(QStringLiteral("TrackBar1"));
    m_trackBar->setRange(1, 5);
    m_trackBar->setInvertedAppearance(true);   // position 1 at the top
    m_trackBar->setInvertedControls(true);   // and the Up key moves towards it
    m_trackBar->setPageStep(1);
    m_trackBar->setTickPosition(QSlider::TicksRight);
    m_trackBar->setTickInterval(1);
    m_progressBar = new QProgressBar(m_speedFrame);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setOrientation(Qt::Vertical);
    m_progressBar->setRange(1, kPreviewSteps);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFixedWidth(12);
    m_speedValue = new QSpinBox(m_speedFrame);
    m_speedValue->setObjectName(QStringLiteral("SpeedValue"));
    m_speedValue->setRange(kMinSpeed, kMaxSpeed);
    m_speedValue->hide();
    m_maxLabel = new QLabel(m_speedFrame);
    m_midLabel = new QLabel(m_speedFrame);
    m_minLabel = new QLabel(m_speedFrame);
    m_maxLabel->setObjectName(QStringLiteral("Label1"));
    m_midLabel->setObjectName(QStringLiteral("Label2"));
    m_minLabel->setObjectName(QStringLiteral("Label3"));
    auto *speedGrid = new QGridLayout(m_speedFrame);
    speedGrid->setContentsMargins(6, 2, 6, 4);
    speedGrid->setHorizontalSpacing(4);
    speedGrid->setVerticalSpacing(0);
    speedGrid->addWidget(m_trackBar, 0, 0, 3, 1);
    speedGrid->addWidget(m_progressBar, 0, 1, 3, 1);
    speedGrid->addWidget(m_maxLabel, 0, 2, Qt::AlignTop);
    speedGrid->addWidget(m_midLabel, 1, 2, Qt::AlignVCenter);
    speedGrid->addWidget(m_minLabel, 2, 2, Qt::AlignBottom);
    speedGrid->setColumnStretch(2, 1);

    m_sizeFrame = new QGroupBox(page);
    m_sizeFrame->setObjectName(QStringLiteral("GroupBox3"));
    m_widthLabel = new QLabel(m_sizeFrame);
    m_heightLabel = new QLabel(m_sizeFrame);
    m_widthLabel->setObjectName(QStringLiteral("Label4"));
    m_heightLabel->setObjectName(QStringLiteral("Label5"));
    m_spinX = makeSpin(m_sizeFrame, "SpinEdit1", kMinFieldWidth, kMaxFieldWidth);
    m_spinY = makeSpin(m_sizeFrame, "SpinEdit2", kMinFieldHeight, kMaxFieldHeight);
    auto *xLabel = new QLabel(QStringLiteral("X ="), m_sizeFrame);
    auto *yLabel = new QLabel(QStringLiteral("Y ="), m_sizeFrame);
    xLabel->setBuddy(m_spinX);
    yLabel->setBuddy(m_spinY);
    auto *sizeGrid = new QGridLayout(m_sizeFrame);
    sizeGrid->setContentsMargins(6, 2, 6, 4);
    sizeGrid->setVerticalSpacing(2);
    sizeGrid->addWidget(m_widthLabel, 0, 0, 1, 2);
    sizeGrid->addWidget(xLabel, 1, 0);
    sizeGrid->addWidget(m_spinX, 1, 1);
    sizeGrid->addWidget(m_heightLabel, 2, 0, 1, 2);
    sizeGrid->addWidget(yLabel, 3, 0);
    sizeGrid->addWidget(m_spinY, 3, 1);
    sizeGrid->setRowStretch(4, 1);

    // Runs draw on one field until it is cleared, unless every run starts on a clean one.
    auto *cleanField = new WrappedCheckBox(QStringLiteral("cleanField"), page);
    m_cleanFieldBox = cleanField->box();
    m_cleanFieldLabel = cleanField->label();

    auto *frames = new QHBoxLayout;
    frames->setSpacing(6);
    frames->addWidget(m_speedFrame, 1);
    frames->addWidget(m_sizeFrame, 1);
    auto *p2 = new QVBoxLayout(page);
    p2->setContentsMargins(6, 4, 6, 4);
    p2->setSpacing(4);
    p2->addLayout(frames, 1);
    p2->addWidget(cleanField);
    connect(m_trackBar, &QSlider::valueChanged, this,
            [this](int position) { m_speedValue->setValue(6 - position); });

    return page;
}

// Page 3: saving options that the program does not offer; shown, never active.
QWidget *PreferencesDialog::buildSavingPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto *backup = new WrappedCheckBox(QStringLiteral("CheckBox1"), page);
    backup->setText(uiText("preferences.saving.backup", Language::Rus).value_or(QString()));
    backup->box()->setChecked(true);
    backup->setEnabled(false);
    auto *confirm = new WrappedCheckBox(QStringLiteral("CheckBox2"), page);
    confirm->setText(uiText("preferences.saving.confirmClose", Language::Rus).value_or(QString()));
    confirm->setEnabled(false);
    auto *folderLabel =
        new QLabel(uiText("preferences.saving.folder", Language::Rus).value_or(QString()), page);
    folderLabel->setObjectName(QStringLiteral("Label6"));
    folderLabel->setEnabled(false);
    auto *folder = new QLineEdit(QStringLiteral("C:\\ProgramFiles\\Trakmil"), page);
    folder->setObjectName(QStringLiteral("Edit1"));
    folder->setEnabled(false);
    auto *p3 = new QVBoxLayout(page);
    p3->setContentsMargins(6, 4, 6, 4);
    p3->setSpacing(4);
    p3->addWidget(backup);
    p3->addWidget(confirm);
    p3->addWidget(folderLabel);
    p3->addWidget(folder);
    p3->addStretch(1);
    return page;
}

// Page 4: where and as whom the pupil hands programs in; the dialog's size leaves no room
// for it on the saving page.
QWidget *PreferencesDialog::buildHandInPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet4"));
    m_handInFrame = new QGroupBox(page);
    m_handInFrame->setFlat(true);
    m_handInFrame->setObjectName(QStringLiteral("handInFrame"));
    m_pupilNameLabel = new QLabel(m_handInFrame);
    m_pupilName = new QLineEdit(m_handInFrame);
    m_pupilName->setObjectName(QStringLiteral("pupilName"));
    m_pupilNameLabel->setBuddy(m_pupilName);
    m_handInFolderLabel = new QLabel(m_handInFrame);
    m_handInFolder = new QLineEdit(m_handInFrame);
    m_handInFolder->setObjectName(QStringLiteral("handInFolder"));
    m_handInFolderLabel->setBuddy(m_handInFolder);
    m_chooseFolderButton = new QPushButton(m_handInFrame);
    m_chooseFolderButton->setObjectName(QStringLiteral("chooseHandInFolder"));
    connect(m_chooseFolderButton, &QPushButton::clicked, this, [this] {
        const QString chosen = m_host.chooseHandInFolder(m_handInFolder->text());
        if (!chosen.isEmpty()) m_handInFolder->setText(QDir::toNativeSeparators(chosen));
    });
    auto *handIn = new QGridLayout(m_handInFrame);
    handIn->addWidget(m_pupilNameLabel, 0, 0);
    handIn->addWidget(m_pupilName, 0, 1, 1, 2);
    handIn->addWidget(m_handInFolderLabel, 1, 0);
    handIn->addWidget(m_handInFolder, 1, 1);
    handIn->addWidget(m_chooseFolderButton, 1, 2);
    auto *p4 = new QVBoxLayout(page);
    p4->setContentsMargins(6, 4, 6, 4);
    p4->addWidget(m_handInFrame);
    p4->addStretch(1);
    return page;
}

QLayout *PreferencesDialog::buildButtons()
{
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKBtn"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(QStringLiteral("CancelBtn"));
    connect(m_okButton, &QPushButton::clicked, this, &PreferencesDialog::ok);
    connect(m_cancelButton, &QPushButton::clicked, this, &PreferencesDialog::cancel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    return buttons;
}

void PreferencesDialog::recaption() { applyCaptions(languageFromCode(m_host.settings().language)); }

void PreferencesDialog::applyCaptions(Language lang)
{
    auto set = [lang](const char *key, auto &&apply) {
        if (const auto text = uiText(QByteArray("preferences.") + key, lang)) apply(*text);
    };
    set("window", [this](const QString &t) { setWindowTitle(t); });
    set("cancel", [this](const QString &t) { m_cancelButton->setText(t); });
    set("page.interface", [this](const QString &t) { m_pages->setTabText(0, t); });
    set("page.robot", [this](const QString &t) { m_pages->setTabText(1, t); });
    set("page.saving", [this](const QString &t) { m_pages->setTabText(2, t); });
    set("languageFrame", [this](const QString &t) { m_languageFrame->setTitle(t); });
    // Each Language by the name the interface Language gives it, or else by its own name; the
    // key is "preferences.language.<code>".
    if (languageInfo(lang)) {
        const QList<Language> all = registeredLanguages();
        for (qsizetype i = 0; i < all.size() && i < m_languageButtons.size(); ++i) {
            const QByteArray key = "preferences.language." + languageCode(all[i]).toLatin1();
            m_languageButtons[i]->setText(uiText(key, lang).value_or(languageInfo(all[i])->name));
        }
    }
    // A caption beside a control that has none of its own names the control too.
    auto beside = [](QLabel *label, QWidget *control) {
        return [label, control](const QString &t) {
            label->setText(t);
            control->setAccessibleName(t);
        };
    };
    set("autoRefresh", beside(m_autoRefreshLabel, m_autoRefreshBox));
    set("advancedToolBar", beside(m_advancedLabel, m_advancedBox));
    set("interfaceSize", beside(m_interfaceSizeLabel, m_interfaceSize));
    set("interfaceSizeNote", [this](const QString &t) {
        m_interfaceSizeNote->setText(t);
        m_interfaceSize->setAccessibleDescription(t);
    });
    set("lineNumbers", beside(m_lineNumbersLabel, m_lineNumbersBox));
    // Its access letter toggles the box through the label's buddy; the name is read without it.
    set("cleanField", [this](const QString &t) {
        m_cleanFieldLabel->setText(t);
        m_cleanFieldBox->setAccessibleName(QString(t).remove(QLatin1Char('&')));
    });
    set("speed.fastest", [this](const QString &t) { m_maxLabel->setText(t); });
    set("speed.average", [this](const QString &t) { m_midLabel->setText(t); });
    set("speed.slowest", [this](const QString &t) { m_minLabel->setText(t); });
    set("width", [this](const QString &t) { m_widthLabel->setText(t); });
    set("height", [this](const QString &t) { m_heightLabel->setText(t); });
    set("speedFrame", [this](const QString &t) { m_speedFrame->setTitle(t); });
    set("sizeFrame", [this](const QString &t) { m_sizeFrame->setTitle(t); });
    set("page.handIn", [this](const QString &t) { m_pages->setTabText(3, t); });
    set("handInFrame", [this](const QString &t) { m_handInFrame->setTitle(t); });
    // The labels carry the access letters; the names are read without them.
    auto named = [](QLabel *label, QWidget *control) {
        return [label, control](const QString &t) {
            label->setText(t);
            control->setAccessibleName(QString(t).remove(QLatin1Char('&')));
        };
    };
    set("pupilName", named(m_pupilNameLabel, m_pupilName));
    set("handInFolder", named(m_handInFolderLabel, m_handInFolder));
    set("chooseFolder", [this](const QString &t) { m_chooseFolderButton->setText(t); });
}

int PreferencesDialog::previewInterval(int sliderPosition)
{
    if (sliderPosition < 1 || sliderPosition > 5) return kPreviewIntervals[2];
    return kPreviewIntervals[sliderPosition - 1];
}

void PreferencesDialog::prepare()
{
    const Settings &s = m_host.settings();
    m_rememberedLanguage = s.language;
    m_shownFieldSize = QSize(s.fieldWidth, s.fieldHeight);
    recaption();
    m_pages->setCurrentIndex(0);

    // The first Language for an empty code or one the dialog does not offer.
    const qsizetype shown = registeredLanguages().indexOf(languageFromCode(s.language));
    m_languageButtons.at(std::max<qsizetype>(shown, 0))->setChecked(true);

    m_spinX->setValue(s.fieldWidth);
    m_spinY->setValue(s.fieldHeight);
    m_autoRefreshBox->setChecked(s.autoRefresh);
    m_advancedBox->setChecked(s.showAdvancedToolBar);
    m_interfaceSize->setCurrentIndex(std::max(0, m_interfaceSize->findData(s.interfaceSize)));
    m_lineNumbersBox->setChecked(s.lineNumbers);
    m_cleanFieldBox->setChecked(s.cleanFieldEachRun);
    m_pupilName->setText(s.pupilName);
    m_handInFolder->setText(QDir::toNativeSeparators(s.handInFolder));

    if (s.speed >= kMinSpeed && s.speed <= kMaxSpeed) {
        m_speedValue->setValue(s.speed);
        m_trackBar->setValue(6 - s.speed);
        m_previewTimer->setInterval(previewInterval(m_trackBar->value()));
    }
}

int PreferencesDialog::run()
{
    prepare();
    centreOnParent(this);
    return exec();
}

void PreferencesDialog::languageClicked(const QString &code)
{
    m_host.settings().language = code;
    recaption();
    m_host.applyLanguage();
}

void PreferencesDialog::previewTick()
{
    if (m_progressBar->value() >= kPreviewSteps) m_progressBar->setValue(1);
    m_previewTimer->setInterval(previewInterval(m_trackBar->value()));
    m_progressBar->setValue(m_progressBar->value() + 1);
}

void PreferencesDialog::ok()
{
    // Text typed into a spin box but not yet confirmed counts, held within the range.
    m_spinX->interpretText();
    m_spinY->interpretText();

    Settings &s = m_host.settings();
    const QList<Language> all = registeredLanguages();
    for (qsizetype i = 0; i < all.size() && i < m_languageButtons.size(); ++i)
        if (m_languageButtons[i]->isChecked()) s.language = languageCode(all[i]);
    s.speed = m_speedValue->value();
    s.fieldWidth = m_spinX->value();
    s.fieldHeight = m_spinY->value();
    s.autoRefresh = m_autoRefreshBox->isChecked();
    s.showAdvancedToolBar = m_advancedBox->isChecked();
    s.interfaceSize = m_interfaceSize->currentData().toInt();
    s.lineNumbers = m_lineNumbersBox->isChecked();
    s.cleanFieldEachRun = m_cleanFieldBox->isChecked();
    s.pupilName = m_pupilName->text().trimmed();
    s.handInFolder = QDir::fromNativeSeparators(m_handInFolder->text().trimmed());

    // The host has told the user why; the values stay in memory and the dialog open.
    if (!m_host.writeSettings()) return;

    // A new size needs a new field; otherwise the picture on it stays.
    if (QSize(s.fieldWidth, s.fieldHeight) != m_shownFieldSize) m_host.resetField();
    m_host.setAdvancedToolBarVisible(s.showAdvancedToolBar);
    m_host.setLineNumbersVisible(s.lineNumbers);
    m_host.applyLanguage();
    accept();
}

void PreferencesDialog::cancel()
{
    m_host.settings().language = m_rememberedLanguage;
    recaption();
    m_host.applyLanguage();
    reject();
}

void PreferencesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_previewTimer->start();
}

void PreferencesDialog::hideEvent(QHideEvent *event)
{
    m_previewTimer->stop();
    QDialog::hideEvent(event);
}

void PreferencesDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) recaption();
}

void PreferencesDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape means the Cancel button, not the close box: the Language goes back too.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
