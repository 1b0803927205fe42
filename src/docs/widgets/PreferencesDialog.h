#pragma once
#include "docs/Settings.h"
#include "lang/Language.h"
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTimer;

// What the preferences dialog needs from the main window.
class PreferencesHost {
public:
    virtual ~PreferencesHost() = default;
    virtual Settings &settings() = 0;
    // Writes the settings file; on failure shows the reason to the user and returns false.
    virtual bool Saveinifile() = 0;
    virtual void DrawField() = 0;
    virtual void setAdvancedToolBarVisible(bool visible) = 0;
    virtual void ApplyLanguage() = 0;
};

// The preferences dialog: Language (applied live), robot speed, field size, display
// options. Values other than the Language reach the settings only through OK.
class TProp : public QDialog {
    Q_OBJECT
public:
    explicit TProp(PreferencesHost &host, QWidget *parent = nullptr);

    // Fills the controls from the settings, centres on the parent and runs modally.
    int run();
    // The part of run() before the modal loop; tests call it and then show().
    void prepare();
    // Captions for the Language in the settings; a code other than the three keeps them.
    void Recaption();
    // One step of the speed preview bar; driven by the dialog's own timer.
    void previewTick();
    static int previewInterval(int sliderPosition);

    void ok();
    void cancel();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyCaptions(Language lang);
    void languageClicked(const QString &code);
    void centreOnParent();

    PreferencesHost &host_;
    QString rememberedLanguage_;

    QTabWidget *pages_;
    QWidget *page1_, *page2_, *page3_;
    QGroupBox *languageFrame_, *speedFrame_, *sizeFrame_;
    QRadioButton *rb1_, *rb2_, *rb3_;
    QCheckBox *sintaxa_, *advcom_;
    QLabel *sintaxaLabel_, *advcomLabel_;
    QSlider *trackBar_;
    QProgressBar *progressBar_;
    QSpinBox *speedValue_;
    QLabel *maxLabel_, *midLabel_, *minLabel_;
    QLabel *widthLabel_, *heightLabel_;
    QSpinBox *spinX_, *spinY_;
    QPushButton *okButton_, *cancelButton_;
    QTimer *previewTimer_;
};
