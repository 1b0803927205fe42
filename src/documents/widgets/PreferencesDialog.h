// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "documents/Settings.h"
#include "base/Language.h"
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QLayout;
class QTabWidget;
class QTimer;

// What the preferences dialog needs from the main window.
class PreferencesHost {
public:
    virtual ~PreferencesHost() = default;
    virtual Settings &settings() = 0;
    // Writes the settings file; on failure shows the reason to the user and returns false.
    virtual bool writeSettings() = 0;
    virtual void resetField() = 0;
    virtual void setAdvancedToolBarVisible(bool visible) = 0;
    virtual void setLineNumbersVisible(bool) { }
    virtual void applyLanguage() = 0;
    // A folder for the hand-ins, the chooser starting at `current`; empty when cancelled.
    virtual QString chooseHandInFolder(const QString &current)
    {
        Q_UNUSED(current);
        return QString();
    }
};

// The preferences dialog: Language (applied live), robot speed, field size, display
// options. Values other than the Language reach the settings only through OK.
class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDialog(PreferencesHost &host, QWidget *parent = nullptr);

    // Fills the controls from the settings, centres on the parent and runs modally.
    int run();
    // The part of run() before the modal loop; tests call it and then show().
    void prepare();
    // Captions for the Language in the settings; a code other than the three keeps them.
    void recaption();
    // One step of the speed preview bar; driven by the dialog's own timer.
    void previewTick();
    static int previewInterval(int sliderPosition);

    void ok();
    void cancel();
    QComboBox *interfaceSizeBox() const { return m_interfaceSize; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *buildInterfacePage();
    QWidget *buildRobotPage();
    QWidget *buildSavingPage();
    QWidget *buildHandInPage();
    QLayout *buildButtons();
    void applyCaptions(Language lang);
    void languageClicked(const QString &code);

    PreferencesHost &m_host;
    QString m_rememberedLanguage;
    QSize m_shownFieldSize;   // the field's size when the dialog was shown

    QTabWidget *m_pages;
    QWidget *m_interfacePage, *m_robotPage, *m_fieldPage;
    QGroupBox *m_languageFrame, *m_speedFrame, *m_sizeFrame;
    QList<QRadioButton *> m_languageButtons;   // in the order of the Language list
    QLabel *m_interfaceSizeLabel, *m_interfaceSizeNote;
    QComboBox *m_interfaceSize;
    QCheckBox *m_autoRefreshBox, *m_advancedBox, *m_lineNumbersBox, *m_cleanFieldBox;
    QLabel *m_autoRefreshLabel, *m_advancedLabel, *m_lineNumbersLabel, *m_cleanFieldLabel;
    QSlider *m_trackBar;
    QProgressBar *m_progressBar;
    QSpinBox *m_speedValue;
    QLabel *m_maxLabel, *m_midLabel, *m_minLabel;
    QLabel *m_widthLabel, *m_heightLabel;
    QSpinBox *m_spinX, *m_spinY;
    QGroupBox *m_handInFrame;
    QLabel *m_pupilNameLabel, *m_handInFolderLabel;
    QLineEdit *m_pupilName, *m_handInFolder;
    QPushButton *m_chooseFolderButton;
    QPushButton *m_okButton, *m_cancelButton;
    QTimer *m_previewTimer;
};
