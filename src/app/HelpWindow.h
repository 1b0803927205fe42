// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "base/Language.h"
#include "lang/StatementForms.h"
#include <QHash>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

// The built-in language reference: HTML pages from the resources, one set per Language,
// with a contents list that a search field filters across all pages.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the same page in the new Language; a code other than the three reads Russian.
    void setLanguage(Language lang);
    Language language() const { return m_language; }
    // Opens a page by its name ("step"); an unknown name opens the contents.
    void showPage(const QString &name);
    QString currentPage() const;

    // Every page, in contents order; the first is the contents page.
    static QStringList pageNames();
    // The page that explains a statement; empty for a line that is none.
    static QString pageFor(StatementKind kind);
    static QString pageResource(Language lang, const QString &name);   // ":/help/eng/step.html"
    static QString pageHtml(Language lang, const QString &name);   // empty when there is none
    // The pages' one style sheet, in its light or its dark colours.
    static QString styleSheet(bool dark);
    // Whether a palette is a dark theme's: its window text is lighter than its window.
    static bool isDark(const QPalette &palette);

    // Pages of the current Language whose text holds the words, in contents order.
    QStringList pagesContaining(const QString &words) const;
    // Filters the list and, on Enter, finds the words in the page (the next page when
    // this one has no more of them).
    void search(const QString &words);
    void findNext();

    QLineEdit *searchField() const { return m_search; }
    QListWidget *pageList() const { return m_list; }
    QTextBrowser *browser() const { return m_browser; }
    QLabel *nothingFoundLabel() const { return m_nothingFound; }

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;   // Esc closes, as in the dialogs

private:
    void applyStyleSheet();   // the variant that suits the palette, then the page again
    struct PageText {
        QString title;
        QString plain;
    };
    const QHash<QString, PageText> &texts() const;   // of the current Language, read once
    void retranslate();
    void fillList();
    void selectCurrentInList();
    void selectInList(const QString &page);
    static QString pageOf(const QUrl &url);
    bool findInPage(const QString &words, bool fromTop);

    Language m_language = Language::Rus;
    mutable QHash<int, QHash<QString, PageText>> m_texts;   // by Language index
    QLineEdit *m_search = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_nothingFound = nullptr;
    QTextBrowser *m_browser = nullptr;
    QToolButton *m_backButton = nullptr, *m_forwardButton = nullptr, *m_contentsButton = nullptr;
};
