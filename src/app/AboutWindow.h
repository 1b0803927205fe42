// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QLabel>
#include <QStringList>

class Prompts;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

// A picture that answers a click.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// The about window: version page and a small photo carousel. Created once, shown modally
// on demand; its message boxes go through Prompts.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Prompts &prompts, QWidget *parent = nullptr);

    void showAbout();

    // The text shown at a click count, empty between the thresholds and after the last.
    static QString clickText(int count);
    // The version label: the version and its release date (ISO 8601) as "2.3 от 05.12.2024";
    // the version alone when the date cannot be read.
    static QString versionLine(const QString &version, const QString &isoDate);
    // What a double-click on the free area says about the operating system.
    static QString osFamilyText(bool ntFamily);
    // Every platform this program runs on belongs to the NT side of that old divide.
    static bool isNtFamily() { return true; }

    int clickCount() const { return m_clicks; }
    int visiblePhoto() const;   // 0..3, or -1 if none
    QStringList photoCaptions() const { return m_captions; }

    QTabWidget *pages = nullptr;
    QWidget *versionPage = nullptr;
    QWidget *photoPage = nullptr;
    QFrame *versionFrame = nullptr;
    ClickableLabel *programPicture = nullptr;
    QLabel *productName = nullptr;
    QLabel *versionLabel = nullptr;
    QLabel *versionText = nullptr;
    QLabel *feedback = nullptr;
    QLabel *support = nullptr;
    QLabel *feedbackPicture = nullptr;
    QLabel *supportPicture = nullptr;
    QLabel *photos[4] = {};
    QPlainTextEdit *photoCaption = nullptr;
    QPushButton *nextPhotoButton = nullptr;
    QPushButton *okButton = nullptr;

public slots:
    void nextPhoto();
    void imageClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showPhoto(int index);

    Prompts &m_prompts;
    QStringList m_captions;
    int m_clicks = 0;
};
