// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/widgets/PreferencesDialog.h"
#include "common/ObjectNames.h"
#include "base/TextCatalogue.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace {

// Records the main-window steps the dialog runs, in order.
class FakeHost : public PreferencesHost {
public:
    Settings s;
    QStringList log;
    bool saveSucceeds = true;
    Settings saved;

    Settings &settings() override { return s; }
    bool writeSettings() override
    {
        log << "saveSettings";
        saved = s;
        return saveSucceeds;
    }
    void resetField() override { log << "resetField"; }
    void setAdvancedToolBarVisible(bool v) override { log << QString("advancedToolBar:%1").arg(v); }
    void applyLanguage() override { log << "applyLanguage:" + s.language; }
};

template <class T> T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void clickLeft(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2)); }

class PreferencesDialogTest : public ::testing::Test {
protected:
    FakeHost host;
    QWidget mainWindow;
    std::unique_ptr<PreferencesDialog> dlg;

    void open()
    {
        if (!dlg) dlg = std::make_unique<PreferencesDialog>(host, &mainWindow);
        dlg->prepare();
        dlg->show();
        QCoreApplication::processEvents();
    }
};

}   // namespace

TEST_F(PreferencesDialogTest, ShowingFillsTheControlsFromTheSettings)
{
    host.s = {"eng", 5, 7, 9, true, false, 100, false, false, {}, {}};
    open();
    EXPECT_EQ(dlg->objectName(), ObjectName::PreferencesDialog);
    EXPECT_EQ(dlg->size(), QSize(304, 207));
    EXPECT_EQ(dlg->windowTitle(), "Preferences");
    EXPECT_EQ(child<QTabWidget>(*dlg, ObjectName::PreferencesPages)->currentIndex(), 0);
    EXPECT_TRUE(child<QRadioButton>(*dlg, ObjectName::LanguageEnglish)->isChecked());
    EXPECT_EQ(child<QSlider>(*dlg, ObjectName::SpeedSlider)->value(), 1);
    EXPECT_EQ(child<QSpinBox>(*dlg, ObjectName::SpeedValueSpinBox)->value(), 5);
    EXPECT_FALSE(child<QSpinBox>(*dlg, ObjectName::SpeedValueSpinBox)->isVisible());
    EXPECT_EQ(child<QSpinBox>(*dlg, ObjectName::FieldWidthSpinBox)->value(), 7);
    EXPECT_EQ(child<QSpinBox>(*dlg, ObjectName::FieldHeightSpinBox)->value(), 9);
    EXPECT_TRUE(child<QCheckBox>(*dlg, ObjectName::AutoRefreshCheckBox)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*dlg, ObjectName::AdvancedToolBarCheckBox)->isChecked());
    EXPECT_EQ(child<QTimer>(*dlg, ObjectName::SpeedPreviewTimer)->interval(), 10);
    EXPECT_TRUE(child<QTimer>(*dlg, ObjectName::SpeedPreviewTimer)->isActive());
    EXPECT_TRUE(host.log.isEmpty());   // showing applies nothing

    // A code the dialog does not offer keeps the captions and checks Russian.
    dlg->hide();
    host.s.language = "xyz";
    open();
    EXPECT_EQ(dlg->windowTitle(), "Preferences");
    EXPECT_TRUE(child<QRadioButton>(*dlg, ObjectName::LanguageRussian)->isChecked());
}

TEST_F(PreferencesDialogTest, RadioButtonSwitchesLanguageAtOnceAndCancelRestoresIt)
{
    open();
    EXPECT_EQ(dlg->windowTitle(), "Настройки");
    clickLeft(child<QRadioButton>(*dlg, ObjectName::LanguageRomanian));
    EXPECT_EQ(host.s.language, "rom");
    EXPECT_EQ(host.log, QStringList {"applyLanguage:rom"});
    EXPECT_EQ(dlg->windowTitle(), "Preferinte");
    EXPECT_EQ(child<QRadioButton>(*dlg, ObjectName::LanguageRomanian)->text(), "Romana");
    EXPECT_EQ(child<QTabWidget>(*dlg, ObjectName::PreferencesPages)->tabText(2), "Salveaza");
    EXPECT_EQ(child<QPushButton>(*dlg, ObjectName::CancelButton)->text(), "Renunta");
    EXPECT_EQ(child<QPushButton>(*dlg, ObjectName::OkButton)->text(), "OK");

    child<QSpinBox>(*dlg, ObjectName::FieldWidthSpinBox)->setValue(5);
    clickLeft(child<QPushButton>(*dlg, ObjectName::CancelButton));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(host.s.language, "rus");
    EXPECT_EQ(host.s.fieldWidth, 16);
    EXPECT_EQ(dlg->windowTitle(), "Настройки");
    EXPECT_EQ(host.log, (QStringList {"applyLanguage:rom", "applyLanguage:rus"}));
}

TEST_F(PreferencesDialogTest, OkStoresEveryValueThenRunsTheStepsInOrder)
{
    open();
    clickLeft(child<QRadioButton>(*dlg, ObjectName::LanguageEnglish));
    child<QSlider>(*dlg, ObjectName::SpeedSlider)->setValue(1);   // top: fastest
    auto *width = child<QSpinBox>(*dlg, ObjectName::FieldWidthSpinBox);
    width->selectAll();
    QTest::keyClicks(width, "1");   // below the range, not confirmed
    clickLeft(child<QLabel>(*dlg, ObjectName::AutoRefreshLabel));   // the wrapped caption toggles its box
    clickLeft(child<QCheckBox>(*dlg, ObjectName::AdvancedToolBarCheckBox));
    clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));

    EXPECT_EQ(host.log, (QStringList {"applyLanguage:eng", "saveSettings", "resetField", "advancedToolBar:0",
                                      "applyLanguage:eng"}));
    EXPECT_EQ(host.saved.language, "eng");
    EXPECT_EQ(host.saved.speed, 5);
    EXPECT_EQ(host.saved.fieldWidth, 2);
    EXPECT_EQ(host.saved.fieldHeight, 20);
    EXPECT_TRUE(host.saved.autoRefresh);
    EXPECT_FALSE(host.saved.showAdvancedToolBar);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(PreferencesDialogTest, CleanFieldBoxOnTheRobotPageHasItsAccessLetterInEveryLanguage)
{
    for (const char *code : {"rus", "rom", "eng"}) {
        host.s.language = code;
        host.s.cleanFieldEachRun = false;
        open();
        auto *pages = child<QTabWidget>(*dlg, ObjectName::PreferencesPages);
        auto *box = child<QCheckBox>(*dlg, ObjectName::CleanFieldCheckBox);
        ASSERT_TRUE(box);
        EXPECT_TRUE(pages->widget(1)->isAncestorOf(box)) << code;
        EXPECT_FALSE(box->isChecked());
        const QString caption = child<QLabel>(*dlg, ObjectName::CleanFieldLabel)->text();
        EXPECT_EQ(caption, uiText("preferences.cleanField", languageFromCode(code)).value()) << code;
        const qsizetype amp = caption.indexOf(QLatin1Char('&'));
        ASSERT_GE(amp, 0) << code;
        EXPECT_EQ(box->accessibleName(), QString(caption).remove(QLatin1Char('&')));
        pages->setCurrentIndex(1);
        // The letter reaches the box through the caption's buddy.
        EXPECT_EQ(child<QLabel>(*dlg, ObjectName::CleanFieldLabel)->buddy(), box);
        clickLeft(child<QLabel>(*dlg, ObjectName::CleanFieldLabel));
        EXPECT_TRUE(box->isChecked()) << code;
        clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
        EXPECT_TRUE(host.saved.cleanFieldEachRun) << code;
        // Shown again, the box follows the settings.
        open();
        EXPECT_TRUE(child<QCheckBox>(*dlg, ObjectName::CleanFieldCheckBox)->isChecked());
        dlg->hide();
    }
}

// The field is reset, and its picture lost, only for a new size: an OK that changes
// nothing, or only other settings, keeps the drawing.
TEST_F(PreferencesDialogTest, OkResetsTheFieldOnlyForANewSize)
{
    struct Case {
        const char *name;
        std::function<void()> edit;
        bool resets;
    };
    auto spin = [this](const char *name) { return child<QSpinBox>(*dlg, name); };
    const Case cases[] = {
        {"nothing", [] {}, false},
        {"speed, Language and tool bar",
         [&] {
             child<QSlider>(*dlg, ObjectName::SpeedSlider)->setValue(1);
             clickLeft(child<QRadioButton>(*dlg, ObjectName::LanguageEnglish));
             clickLeft(child<QCheckBox>(*dlg, ObjectName::AdvancedToolBarCheckBox));
         },
         false},
        {"width there and back",
         [&] {
             spin(ObjectName::FieldWidthSpinBox)->setValue(5);
             spin(ObjectName::FieldWidthSpinBox)->setValue(16);
         },
         false},
        {"width", [&] { spin(ObjectName::FieldWidthSpinBox)->setValue(5); }, true},
        {"height", [&] { spin(ObjectName::FieldHeightSpinBox)->setValue(7); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host.s = Settings();
        host.log.clear();
        open();
        c.edit();
        clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
        ASSERT_FALSE(dlg->isVisible());
        EXPECT_EQ(host.log.contains(QStringLiteral("resetField")), c.resets)
            << host.log.join(u' ').toStdString();
    }
    // A size taken into memory by an OK whose save failed is still new to the field.
    host.s = Settings();
    host.log.clear();
    host.saveSucceeds = false;
    open();
    spin(ObjectName::FieldHeightSpinBox)->setValue(8);
    clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
    host.saveSucceeds = true;
    clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
    EXPECT_EQ(host.log, (QStringList {"saveSettings", "saveSettings", "resetField", "advancedToolBar:1",
                                      "applyLanguage:rus"}));
}

TEST_F(PreferencesDialogTest, FailedSaveKeepsTheDialogOpenWithTheValuesInMemory)
{
    host.saveSucceeds = false;
    open();
    child<QSpinBox>(*dlg, ObjectName::FieldHeightSpinBox)->setValue(8);
    clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
    EXPECT_EQ(host.log, QStringList {"saveSettings"});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(host.s.fieldHeight, 8);

    host.saveSucceeds = true;
    clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
    EXPECT_EQ(host.log.size(), 5);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(PreferencesDialogTest, CloseBoxKeepsTheLiveLanguageAndDropsOtherEdits)
{
    open();
    clickLeft(child<QRadioButton>(*dlg, ObjectName::LanguageEnglish));
    child<QSpinBox>(*dlg, ObjectName::FieldWidthSpinBox)->setValue(4);
    child<QSlider>(*dlg, ObjectName::SpeedSlider)->setValue(5);
    dlg->close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(host.s.language, "eng");
    EXPECT_EQ(host.s.fieldWidth, 16);
    EXPECT_EQ(host.s.speed, 3);
    EXPECT_EQ(host.log, QStringList {"applyLanguage:eng"});

    // The next showing starts from the settings again, and the Language the dialog now
    // remembers for Cancel is English.
    open();
    EXPECT_EQ(child<QSpinBox>(*dlg, ObjectName::FieldWidthSpinBox)->value(), 16);
    EXPECT_EQ(child<QSlider>(*dlg, ObjectName::SpeedSlider)->value(), 3);
    clickLeft(child<QRadioButton>(*dlg, ObjectName::LanguageRussian));
    QTest::keyClick(dlg.get(), Qt::Key_Escape);   // Escape is the Cancel button
    EXPECT_EQ(host.s.language, "eng");
    EXPECT_EQ(host.log.last(), "applyLanguage:eng");
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(PreferencesDialogTest, SliderPositionGivesSpeedAndPreviewPace)
{
    host.s.speed = 9;   // outside the table: the slider keeps its place
    open();
    auto *slider = child<QSlider>(*dlg, ObjectName::SpeedSlider);
    auto *speed = child<QSpinBox>(*dlg, ObjectName::SpeedValueSpinBox);
    auto *bar = child<QProgressBar>(*dlg, ObjectName::SpeedPreviewBar);
    auto *timer = child<QTimer>(*dlg, ObjectName::SpeedPreviewTimer);
    EXPECT_EQ(slider->value(), 3);
    const int intervals[] = {10, 70, 150, 400, 1000};
    for (int pos = 1; pos <= 5; ++pos) {
        slider->setValue(pos);
        EXPECT_EQ(speed->value(), 6 - pos);
        dlg->previewTick();
        EXPECT_EQ(timer->interval(), intervals[pos - 1]);
    }
    // The bar fills to 13 and starts again.
    bar->setValue(12);
    dlg->previewTick();
    EXPECT_EQ(bar->value(), 13);
    dlg->previewTick();
    EXPECT_EQ(bar->value(), 2);
    dlg->hide();
    EXPECT_FALSE(timer->isActive());
}

// Every caption must be readable in full in each Language: nothing cut at the edge of
// its control, nothing beyond the page. Set TRAKMIL_SCREENSHOT_DIR to keep pictures.
TEST_F(PreferencesDialogTest, CaptionsFitTheirControlsInEveryLanguage)
{
    const QString shots = qEnvironmentVariable("TRAKMIL_SCREENSHOT_DIR");
    for (const char *code : {"rus", "rom", "eng"}) {
        host.s.language = code;
        open();
        auto *pages = child<QTabWidget>(*dlg, ObjectName::PreferencesPages);
        EXPECT_LE(pages->tabBar()->sizeHint().width(), pages->width()) << code;
        for (int p = 0; p < pages->count(); ++p) {
            pages->setCurrentIndex(p);
            QCoreApplication::processEvents();
            QWidget *page = pages->widget(p);
            const QRect pageRect = page->rect();
            for (QWidget *w : page->findChildren<QWidget *>()) {
                if (!w->isVisible()) continue;
                const QString what = QString("%1 page %2 %3").arg(code).arg(p).arg(w->objectName());
                const QRect inPage(w->mapTo(page, QPoint(0, 0)), w->size());
                EXPECT_TRUE(pageRect.contains(inPage)) << what.toStdString();
                if (auto *l = qobject_cast<QLabel *>(w)) {
                    if (l->wordWrap())
                        EXPECT_LE(l->heightForWidth(l->width()), l->height()) << what.toStdString();
                    else
                        EXPECT_LE(l->sizeHint().width(), l->width()) << what.toStdString();
                } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
                    EXPECT_LE(b->sizeHint().width(), b->width()) << what.toStdString();
                } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
                    EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()) + 8, g->width())
                        << what.toStdString();
                }
            }
            if (!shots.isEmpty())
                dlg->grab().save(QDir(shots).filePath(QString("prop_%1_%2.png").arg(code).arg(p)));
        }
        for (auto *b : dlg->findChildren<QPushButton *>())
            EXPECT_LE(b->sizeHint().width(), b->width()) << code;
        dlg->hide();
    }
}

TEST_F(PreferencesDialogTest, TypedSizeOutsideTheRangeBecomesTheNearestLimit)
{
    const struct {
        const char *width, *height;
        int savedWidth, savedHeight;
    } cases[] = {{"99", "25", 16, 20}, {"0", "1", 2, 2}, {"-5", "300", 2, 20}, {"12", "7", 12, 7}};
    for (const auto &c : cases) {
        open();
        auto *width = child<QSpinBox>(*dlg, ObjectName::FieldWidthSpinBox);
        auto *height = child<QSpinBox>(*dlg, ObjectName::FieldHeightSpinBox);
        width->selectAll();
        QTest::keyClicks(width, c.width);
        height->selectAll();
        QTest::keyClicks(height, c.height);
        // Every keystroke is taken: the box shows what was typed until it is confirmed.
        EXPECT_EQ(width->text(), QString::fromLatin1(c.width));
        EXPECT_EQ(height->text(), QString::fromLatin1(c.height));
        clickLeft(child<QPushButton>(*dlg, ObjectName::OkButton));
        EXPECT_EQ(host.saved.fieldWidth, c.savedWidth) << c.width;
        EXPECT_EQ(host.saved.fieldHeight, c.savedHeight) << c.height;
    }
}
