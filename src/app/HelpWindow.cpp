// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"
#include "app/Icons.h"
#include "base/TextCatalogue.h"
#include "common/InterfaceLanguage.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString chromeText(const char *key, Language lang)
{
    return uiText(QByteArray("help.") + key, lang == Language::Unknown ? Language::Rus : lang)
        .value_or(QString());
}

const char *const kPages[] = {"index",     "program",    "comments",   "step",         "jump",
                              "turns",     "visibility", "colour",     "counted-loop", "conditional-loop",
                              "condition", "sensors",    "procedures", "tasks",        "speed",
                              "errors",    "keys",       "mistakes"};

constexpr int kPageRole = Qt::UserRole;

// Every colour the pages use, in a light and a dark variant; the text itself takes the
// palette's colours, so a page reads like the rest of the window under any theme.
// A hint keeps the message window's yellow, darkened under a dark theme.
struct StyleColours {
    const char *example, *wrongExample, *code, *link, *hint, *hintText;
};
constexpr StyleColours kLightStyle {"#f4f4ec", "#fbeaea", "#000080", "#0000ee", "#fff4c8", "#604000"};
constexpr StyleColours kDarkStyle {"#2e2e26", "#4a2626", "#9cb8ff", "#8ab4f8", "#4a4020", "#ffe8a0"};

}   // namespace

QString HelpWindow::styleSheet(bool dark)
{
    const StyleColours &c = dark ? kDarkStyle : kLightStyle;
    return QStringLiteral("body { font-family: sans-serif; } "
                          "pre { background: %1; padding: 6px; } pre.wrong { background: %2; } "
                          "code { color: %3; } a { color: %4; } "
                          "table { border-collapse: collapse; } td, th { padding: 2px 8px; } "
                          "p.hint { background: %5; color: %6; padding: 4px; }")
        .arg(QLatin1String(c.example), QLatin1String(c.wrongExample), QLatin1String(c.code),
             QLatin1String(c.link), QLatin1String(c.hint), QLatin1String(c.hintText));
}

bool HelpWindow::isDark(const QPalette &palette)
{
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

void HelpWindow::applyStyleSheet()
{
    const QString sheet = styleSheet(isDark(palette()));
    if (m_browser->document()->defaultStyleSheet() == sheet) return;
    m_browser->document()->setDefaultStyleSheet(sheet);
    if (!m_browser->source().isEmpty()) m_browser->reload();
}

void HelpWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_browser) applyStyleSheet();
    if (event->type() == QEvent::LanguageChange)
        if (const auto lang = InterfaceLanguage::of(this))
            setLanguage(*lang == Language::Unknown ? Language::Rus : *lang);
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    initResources();
    setObjectName(QStringLiteral("HelpWindow"));
    m_search = new QLineEdit(this);
    m_search->setClearButtonEnabled(true);
    m_list = new QListWidget(this);
    m_nothingFound = new QLabel(this);
    m_nothingFound->setWordWrap(true);
    m_nothingFound->hide();
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    m_backButton = new QToolButton(this);
    m_forwardButton = new QToolButton(this);
    m_contentsButton = new QToolButton(this);
    m_backButton->setEnabled(false);
    m_forwardButton->setEnabled(false);

    auto *side = new QWidget(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_search);
    sideLayout->addWidget(m_nothingFound);
    sideLayout->addWidget(m_list, 1);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_forwardButton);
    buttons->addWidget(m_contentsButton);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(780, 560);

    connect(m_backButton, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forwardButton, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contentsButton, &QToolButton::clicked, this, [this] { showPage(QString()); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_backButton, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forwardButton, &QToolButton::setEnabled);
    // The browser's source() still names the old page while it announces the new one.
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl &url) { selectInList(pageOf(url)); });
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { showPage(item->data(kPageRole).toString()); });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { showPage(item->data(kPageRole).toString()); });

    retranslate();
    fillList();
    applyStyleSheet();
    showPage(QString());
}

QStringList HelpWindow::pageNames()
{
    QStringList names;
    for (const char *p : kPages) names << QLatin1String(p);
    return names;
}

QString HelpWindow::pageResource(Language lang, const QString &name)
{
    return QStringLiteral(":/help/%1/%2.html")
        .arg(languageCode(lang == Language::Unknown ? Language::Rus : lang), name);
}

QString HelpWindow::pageFor(StatementKind kind) { return Statements::helpPage(kind); }

QString HelpWindow::pageHtml(Language lang, const QString &name)
{
    initResources();
    QFile f(pageResource(lang, name));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

const QHash<QString, HelpWindow::PageText> &HelpWindow::texts() const
{
    QHash<QString, PageText> &set = m_texts[int(knownOrFirst(m_language))];
    if (set.isEmpty()) {
        for (const QString &name : pageNames()) {
            const QString html = pageHtml(m_language, name);
            if (html.isEmpty()) continue;
            QTextDocument doc;
            doc.setHtml(html);
            // The title is in the text too, so the search finds a page by its name.
            set.insert(name, PageText {doc.metaInformation(QTextDocument::DocumentTitle), doc.toPlainText()});
        }
    }
    return set;
}

void HelpWindow::setLanguage(Language lang)
{
    if (lang == m_language) return;
    const QString page = currentPage();
    m_language = lang;
    retranslate();
    fillList();
    m_browser->clearHistory();
    showPage(page);
    search(m_search->text());
}

void HelpWindow::retranslate()
{
    setWindowTitle(chromeText("title", m_language));
    m_search->setPlaceholderText(chromeText("search", m_language));
    m_backButton->setText(chromeText("back", m_language));
    m_forwardButton->setText(chromeText("forward", m_language));
    m_contentsButton->setText(chromeText("contents", m_language));
    m_nothingFound->setText(chromeText("nothingFound", m_language));
}

void HelpWindow::fillList()
{
    m_list->clear();
    const auto &set = texts();
    for (const QString &name : pageNames()) {
        auto *item = new QListWidgetItem(set.value(name).title, m_list);
        item->setData(kPageRole, name);
    }
    selectCurrentInList();
}

void HelpWindow::showPage(const QString &name)
{
    const QString page = pageNames().contains(name) ? name : pageNames().constFirst();
    m_browser->setSource(QUrl(QStringLiteral("qrc") + pageResource(m_language, page)));
    const QString words = m_search->text().trimmed();
    if (!words.isEmpty()) findInPage(words, true);
}

QString HelpWindow::pageOf(const QUrl &url) { return url.fileName().section(QLatin1Char('.'), 0, 0); }

QString HelpWindow::currentPage() const { return pageOf(m_browser->source()); }

void HelpWindow::selectCurrentInList() { selectInList(currentPage()); }

void HelpWindow::selectInList(const QString &page)
{
    const QSignalBlocker block(m_list);
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        if (item->data(kPageRole).toString() == page) {
            m_list->setCurrentItem(item);
            return;
        }
    }
    m_list->clearSelection();
}

QStringList HelpWindow::pagesContaining(const QString &words) const
{
    const QString w = words.simplified();
    QStringList found;
    const auto &set = texts();
    for (const QString &name : pageNames())
        if (w.isEmpty() || set.value(name).plain.simplified().contains(w, Qt::CaseInsensitive)) found << name;
    return found;
}

void HelpWindow::search(const QString &words)
{
    const QStringList found = pagesContaining(words);
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        item->setHidden(!found.contains(item->data(kPageRole).toString()));
    }
    m_nothingFound->setVisible(found.isEmpty());
}

bool HelpWindow::findInPage(const QString &words, bool fromTop)
{
    if (fromTop) m_browser->moveCursor(QTextCursor::Start);
    return m_browser->find(words.simplified());
}

void HelpWindow::findNext()
{
    const QString words = m_search->text().simplified();
    if (words.isEmpty()) return;
    const QStringList found = pagesContaining(words);
    if (found.isEmpty()) return;
    if (findInPage(words, false)) return;
    // No more here: the next page that has the words, from its top; round to the first.
    const QString page = currentPage();
    const qsizetype at = found.indexOf(page);
    const QString next = found.at(at < 0 ? 0 : (at + 1) % found.size());
    if (next == page)
        findInPage(words, true);
    else
        showPage(next);
}
