// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard-only use, screen readers and themes in the real window.
#include "MainWindowFixture.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/Mnemonics.h"
#include "app/ToolkitTranslation.h"
#include "common/DialogFont.h"
#include "common/ModalHelper.h"
#include "common/MessageWindow.h"
#include "common/QtPrompts.h"
#include "documents/widgets/PreferencesDialog.h"
#include "base/TextCatalogue.h"
#include "world/widgets/FieldView.h"
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QScreen>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QKeyEvent>
#include <QPointer>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

namespace {

const Language kLanguages[] = {Language::Rus, Language::Rom, Language::Eng};

void switchTo(MainWindow &w, Language lang)
{
    w.settings().language = languageCode(lang);
    w.applyLanguage();
}

// Every entry of a menu has a letter, no two alike, none of `reserved`; submenus likewise.
void expectOwnLetters(const QList<QAction *> &actions, const std::string &where,
                      const QSet<QChar> &reserved = {})
{
    QSet<QChar> seen;
    for (const QAction *a : actions) {
        if (a->isSeparator()) continue;
        const QChar c = mnemonicLetter(a->text());
        const std::string what = where + " / " + a->text().toStdString();
        EXPECT_FALSE(c.isNull()) << what;
        EXPECT_FALSE(seen.contains(c)) << what;
        EXPECT_FALSE(reserved.contains(c)) << what;
        seen.insert(c);
        if (a->menu()) expectOwnLetters(a->menu()->actions(), what);
    }
}

void activate(MainWindow &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    w.editor()->setFocus();
}

// WCAG contrast ratio of two colours.
double contrast(QColor a, QColor b)
{
    auto luminance = [](QColor c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    double la = luminance(a), lb = luminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

QPalette darkPalette()
{
    QPalette p;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
        p.setColor(g, QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
        p.setColor(g, QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        p.setColor(g, QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
        p.setColor(g, QPalette::Button, QColor(0x35, 0x35, 0x35));
        p.setColor(g, QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    }
    return p;
}

// Puts the application palette back however a test ends.
struct PaletteScope {
    QPalette saved = QApplication::palette();
    ~PaletteScope() { QApplication::setPalette(saved); }
};

}   // namespace

TEST(Mnemonics, LettersAreChosenFromTheCaptionsAndAmpersandsStayLiteral)
{
    const QStringList marked =
        assignMnemonics({QStringLiteral("Save"), QStringLiteral("Save as"), QStringLiteral("Sa"),
                         QStringLiteral("Fish & chips"), QStringLiteral("45"), QStringLiteral("S")},
                        {QChar(u'C')});
    EXPECT_EQ(marked.at(0), QStringLiteral("&Save"));
    EXPECT_EQ(marked.at(1), QStringLiteral("Save &as"));   // a word's first letter before the rest
    EXPECT_EQ(marked.at(2), QStringLiteral("Sa"));   // nothing free: no letter rather than a repeat
    EXPECT_EQ(marked.at(3), QStringLiteral("&Fish && chips"));
    EXPECT_EQ(marked.at(4), QStringLiteral("&45"));
    EXPECT_EQ(plainCaption(marked.at(3)), QStringLiteral("Fish & chips"));
    EXPECT_EQ(mnemonicLetter(marked.at(3)), QChar(u'F'));
    EXPECT_TRUE(mnemonicLetter(QStringLiteral("a && b")).isNull());
    // Marking again from the shown text gives the same captions.
    QStringList plain;
    for (const QString &m : marked) plain << plainCaption(m);
    EXPECT_EQ(assignMnemonics(plain, {QChar(u'C')}), marked);
}

TEST_F(MainWindowTest, EveryMenuAndItemHasItsOwnLetterInEachLanguageAndHintsShowNoMark)
{
    open();
    // Items another part of the program adds later get letters too.
    auto *added = window->menu(MenuId::File)->addAction(QStringLiteral("Examples"));
    for (Language lang : kLanguages) {
        SCOPED_TRACE(int(lang));
        switchTo(*window, lang);
        // Alt+X and Alt+Q belong to Exit and Refresh, on the Latin and the Russian layout.
        expectOwnLetters(window->menuBar()->actions(), "bar",
                         {QChar(u'X'), QChar(u'Q'), QChar(u'Ч'), QChar(u'Й')});
        for (const char *popup : {"PopupMenu1", "PopupMenu2"})
            expectOwnLetters(window->findChild<QMenu *>(QString::fromLatin1(popup))->actions(), popup);
        EXPECT_FALSE(mnemonicLetter(added->text()).isNull());
        for (QToolButton *b : window->findChildren<QToolButton *>()) {
            if (!b->parentWidget()->inherits("QToolBar")) continue;
            EXPECT_FALSE(b->toolTip().contains(QLatin1Char('&'))) << b->toolTip().toStdString();
            EXPECT_EQ(b->accessibleName(), b->toolTip());
        }
    }
}

TEST_F(MainWindowTest, AltLettersOpenMenusAndNeverTypeWhileShortcutsStillWin)
{
    open();
    window->show();
    EXPECT_EQ(window->focusWidget(), window->editor());   // typing starts in the editor
    activate(*window);
    setProgram("ШАГ");
    prompts.savePaths.enqueue(path("step.tkm"));   // saved and opened again: Loaded
    window->action(Command::Save)->trigger();
    prompts.openPaths.enqueue(path("step.tkm"));
    window->action(Command::Open)->trigger();
    ASSERT_EQ(window->editor()->toPlainText(), QStringLiteral("ШАГ"));
    window->editor()->setCaret(0, 3);
    // A letter no menu uses, and one that opens a menu: neither reaches the text.
    QTest::keyClick(window->editor(), Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(window->editor()->toPlainText(), QStringLiteral("ШАГ"));
    EXPECT_EQ(window->documentState(), MainWindow::DocumentState::Loaded);
    const QChar file = mnemonicLetter(window->menu(MenuId::File)->title());
    ASSERT_FALSE(file.isNull());
    QTest::sendKeyEvent(QTest::Click, window->editor(), Qt::Key(file.unicode()), QString(file.toLower()),
                        Qt::AltModifier);
    EXPECT_TRUE(window->menu(MenuId::File)->isVisible() || window->menuBar()->activeAction());
    window->menu(MenuId::File)->hide();
    EXPECT_EQ(window->editor()->toPlainText(), QStringLiteral("ШАГ"));
    // Ctrl+Alt is AltGr on some systems: it types.
    QTest::sendKeyEvent(QTest::Click, window->editor(), Qt::Key_E, QStringLiteral("€"),
                        Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(window->editor()->toPlainText(), QString::fromUtf8("ШАГ€"));
    // AltGr, the third level of the Romanian layout, arrives as a group switch: it types too.
    QTest::sendKeyEvent(QTest::Click, window->editor(), Qt::Key_A, QString::fromUtf8("ă"),
                        Qt::GroupSwitchModifier);
    EXPECT_EQ(window->editor()->toPlainText(), QString::fromUtf8("ШАГ€ă"));
    // Alt+Q is the refresh command's own shortcut.
    QSignalSpy refresh(window->action(Command::Refresh), &QAction::triggered);
    QTest::keyClick(window->editor(), Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(refresh.count(), 1);
}

TEST_F(MainWindowTest, TabIndentsShiftTabOutdentsAndCtrlTabLeavesTheEditor)
{
    open();
    activate(*window);
    AlgorithmEditor *ed = window->editor();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\n ПРЫЖОК\nКОНЕЦ АЛГОРИТМА");
    ed->document()->clearUndoRedoStacks();
    ed->setCaret(1, 1);
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(ed->line(1), QStringLiteral("  ШАГ"));
    EXPECT_EQ(ed->caretLineColumn(), (LineColumn {1, 3}));
    EXPECT_EQ(ed->lineColour(1), 0x000080u);   // still a statement, coloured as one
    // Lines 1 to 2 selected: both move, and back by at most two spaces each.
    QTextCursor c = ed->textCursor();
    c.setPosition(ed->document()->findBlockByNumber(1).position());
    c.setPosition(ed->document()->findBlockByNumber(2).position() + 2, QTextCursor::KeepAnchor);
    ed->setTextCursor(c);
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(ed->line(1), QStringLiteral("    ШАГ"));
    EXPECT_EQ(ed->line(2), QStringLiteral("   ПРЫЖОК"));
    EXPECT_TRUE(ed->textCursor().hasSelection());
    QTest::keyClick(ed, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(ed, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(ed, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(ed->line(1), QStringLiteral("ШАГ"));
    EXPECT_EQ(ed->line(2), QStringLiteral("ПРЫЖОК"));
    EXPECT_FALSE(ed->toPlainText().contains(QLatin1Char('\t')));
    // Each key that changed something was one undo step.
    ed->undoEdit();
    EXPECT_EQ(ed->line(1), QStringLiteral("  ШАГ"));
    EXPECT_EQ(ed->line(2), QStringLiteral(" ПРЫЖОК"));
    ed->undoEdit();
    EXPECT_EQ(ed->line(1), QStringLiteral("    ШАГ"));
    EXPECT_EQ(ed->line(2), QStringLiteral("   ПРЫЖОК"));
    // A tab that is already in the text stays.
    setProgram("\tШАГ");
    ed->setCaret(0, 0);
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(ed->line(0), QStringLiteral("  \tШАГ"));

    ASSERT_TRUE(ed->hasFocus());
    QTest::keyClick(ed, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_FALSE(ed->hasFocus());
    EXPECT_EQ(ed->line(0), QStringLiteral("  \tШАГ"));
    QWidget *next = QApplication::focusWidget();
    ASSERT_NE(next, nullptr);
    ed->setFocus();
    QTest::keyClick(ed, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(ed->hasFocus());
    EXPECT_NE(QApplication::focusWidget(), next);
}

TEST_F(MainWindowTest, EditorZoomChangesTheFontWithinItsLimitsAndNothingElse)
{
    open();
    activate(*window);
    AlgorithmEditor *ed = window->editor();
    setProgram("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА");
    ed->recolourAll();
    const QSize windowSize = window->size();
    const QRect editorRect = ed->geometry();
    const int base = ed->font().pixelSize();
    QTest::keyClick(ed, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(ed->zoomPoints(), AlgorithmEditor::DefaultZoom + 1);
    EXPECT_GT(ed->font().pixelSize(), base);
    for (int i = 0; i < 50; ++i) QTest::keyClick(ed, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(ed->zoomPoints(), AlgorithmEditor::MaxZoom);
    for (int i = 0; i < 50; ++i) QTest::keyClick(ed, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(ed->zoomPoints(), AlgorithmEditor::MinZoom);
    QWheelEvent wheel(QPointF(10, 10), ed->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(ed->viewport(), &wheel);
    EXPECT_EQ(ed->zoomPoints(), AlgorithmEditor::MinZoom + 2);
    QTest::keyClick(ed, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(ed->zoomPoints(), AlgorithmEditor::DefaultZoom);
    EXPECT_EQ(ed->font().pixelSize(), base);
    EXPECT_EQ(ed->toPlainText(), QStringLiteral("НАЧАЛО АЛГОРИТМА\nШАГ\nКОНЕЦ АЛГОРИТМА"));
    EXPECT_EQ(ed->lineColour(1), 0x000080u);
    EXPECT_EQ(window->size(), windowSize);
    EXPECT_EQ(ed->geometry(), editorRect);
}

TEST_F(MainWindowTest, EveryInteractiveControlHasAnAccessibleNameInEachLanguage)
{
    open();
    window->show();
    const QSet<QAccessible::Role> interactive = {
        QAccessible::PushButton,    QAccessible::CheckBox,   QAccessible::RadioButton,  QAccessible::ComboBox,
        QAccessible::SpinBox,       QAccessible::Slider,     QAccessible::EditableText, QAccessible::MenuBar,
        QAccessible::ToolBar,       QAccessible::ButtonMenu, QAccessible::MenuItem,     QAccessible::PageTab,
        QAccessible::ButtonDropDown};
    for (Language lang : kLanguages) {
        SCOPED_TRACE(int(lang));
        switchTo(*window, lang);
        QStringList unnamed;
        int seen = 0;
        std::function<void(QAccessibleInterface *, int)> walk = [&](QAccessibleInterface *node, int depth) {
            if (!node || depth > 30) return;
            if (!node->state().invisible && interactive.contains(node->role())) {
                ++seen;
                if (node->text(QAccessible::Name).trimmed().isEmpty())
                    unnamed << (node->object() ? node->object()->objectName() : QStringLiteral("?"));
            }
            for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), depth + 1);
        };
        walk(QAccessible::queryAccessibleInterface(window.get()), 0);
        EXPECT_GT(seen, 30);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(window->editor()->accessibleName(), uiText("access.editor", lang).value());
        EXPECT_EQ(window->field()->accessibleName(), uiText("access.field", lang).value());
    }
}

TEST_F(MainWindowTest, FieldDescriptionFollowsManualStepsAndRunsButNotEveryTick)
{
    open({}, "[int]\nlanguage=eng\n");
    const QString start = window->field()->accessibleDescription();
    EXPECT_TRUE(start.contains(QStringLiteral("x=0, y=0"))) << start.toStdString();
    EXPECT_TRUE(start.contains(QStringLiteral("Heading: right"))) << start.toStdString();
    window->action(Command::ManualMode)->trigger();
    control<QPushButton>(ObjectName::StepButton)->click();
    control<QPushButton>(ObjectName::Rotate90Button)->click();
    const QString moved = window->field()->accessibleDescription();
    EXPECT_TRUE(moved.contains(QStringLiteral("x=1, y=0"))) << moved.toStdString();
    EXPECT_TRUE(moved.contains(QStringLiteral("Heading: down"))) << moved.toStdString();
    window->action(Command::ManualMode)->trigger();

    setProgram("ALGORITHM BEGIN\nCYCLE. EXECUTE 5 TIMES\nSTEP\nEND OF CYCLE\nALGORITHM END");
    window->resetField();
    const QString before = window->field()->accessibleDescription();
    window->action(Command::Run)->trigger();
    for (int i = 0; i < 4; ++i) window->runController().tick();
    EXPECT_EQ(window->field()->accessibleDescription(), before);   // not on every tick
    runToStop();
    const QString after = window->field()->accessibleDescription();
    EXPECT_NE(after, before);
    EXPECT_TRUE(after.contains(QStringLiteral("Line [")) && after.contains(QStringLiteral("Border [")))
        << after.toStdString();
}

TEST_F(MainWindowTest, EditorAndHelpStayReadableUnderADarkPalette)
{
    PaletteScope restore;
    open();
    HelpWindow help;
    help.showPage(QStringLiteral("step"));
    auto exampleColours = [&help] {
        // The first example block: its ground, and the colour its text is drawn in.
        for (QTextBlock b = help.browser()->document()->begin(); b.isValid(); b = b.next()) {
            const QTextBlockFormat f = b.blockFormat();
            if (!f.hasProperty(QTextFormat::BackgroundBrush) || !f.nonBreakableLines()) continue;
            QColor text = help.browser()->palette().color(QPalette::Text);
            const QTextCharFormat cf = b.charFormat();
            if (cf.hasProperty(QTextFormat::ForegroundBrush)) text = cf.foreground().color();
            return std::pair {f.background().color(), text};
        }
        return std::pair {QColor(), QColor()};
    };
    const auto [lightGround, lightText] = exampleColours();
    ASSERT_TRUE(lightGround.isValid());
    const double lightContrast = contrast(lightGround, lightText);

    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    AlgorithmEditor *ed = window->editor();
    EXPECT_EQ(ed->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(ed->palette().color(QPalette::Text), QColor(Qt::black));
    // The statement colours are written for that paper: navy on white, not on black.
    EXPECT_GT(contrast(ed->palette().color(QPalette::Base), QColor(0x000080)), 7.0);
    const auto [darkGround, darkText] = exampleColours();
    ASSERT_TRUE(darkGround.isValid());
    EXPECT_LT(darkGround.lightness(), 96);
    EXPECT_GT(contrast(darkGround, darkText), 7.0);
    EXPECT_GT(lightContrast, 7.0);
    // The rest of the window follows the theme.
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0x2b, 0x2b, 0x2b));
}

TEST_F(MainWindowTest, TheDialogFontHoldsWhenTheThemeHandsOutALargerOne)
{
    open();
    window->show();
    PreferencesDialog &preferences = window->dialogs().preferences();   // made before the change
    QFont large = QApplication::font();
    large.setPointSizeF(14);
    QApplication::setFont(large);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::font(), dialogFont());
    EXPECT_EQ(control<QPushButton>(ObjectName::Rotate90Button)->font().pointSizeF(), 8.0);
    EXPECT_EQ(preferences.font().pointSizeF(), 8.0);
    EXPECT_EQ(window->dialogs().about().font().pointSizeF(), 8.0) << "one made after it";
}

TEST_F(MainWindowTest, RomanianBoxesAndFileDialogsSpeakRomanian)
{
    open({}, "[int]\nlanguage=rom\n");
    QtPrompts real(window.get());
    real.setLanguage(window->language());
    QStringList buttons;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton *b : box->buttons()) buttons << b->text();
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(real.question(QStringLiteral("?")));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList {QStringLiteral("Da"), QStringLiteral("Nu")}));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    real.message(QStringLiteral("x"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                           QStringLiteral("/qtbase_ro.qm"))) {
        EXPECT_TRUE(QFileInfo::exists(ToolkitTranslation::builtInFile(Language::Rom)));
    }
    EXPECT_EQ(QFileDialog::tr("Look in:"), QStringLiteral("Cauta in:"));
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuleaza"));
    switchTo(*window, Language::Eng);
    EXPECT_EQ(QFileDialog::tr("Look in:"), QStringLiteral("Look in:"));
}

TEST_F(MainWindowTest, InterfaceSizeIsChosenInThePreferencesFitsAndIsKeptAfterTheOlderKeys)
{
    open({}, "[int]\nlanguage=rus\nx_speed=2\n");
    EXPECT_EQ(window->settings().interfaceSize, 100);   // an older file without the key
    PreferencesDialog *dlg = &window->dialogs().preferences();
    for (Language lang : kLanguages) {
        SCOPED_TRACE(int(lang));
        window->settings().language = languageCode(lang);
        dlg->prepare();
        dlg->show();
        QCoreApplication::processEvents();
        for (const char *name : {"InterfaceSizeLabel", "InterfaceSize", "InterfaceSizeNote"}) {
            auto *w = dlg->findChild<QWidget *>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_LE(w->sizeHint().width(), w->width()) << name;
            EXPECT_LE(w->x() + w->width(), w->parentWidget()->width()) << name;
            EXPECT_LE(w->y() + w->height(), w->parentWidget()->height()) << name;
        }
        dlg->hide();
    }
    dlg->prepare();
    dlg->interfaceSizeBox()->setCurrentIndex(dlg->interfaceSizeBox()->findData(200));
    dlg->ok();
    EXPECT_EQ(window->settings().interfaceSize, 200);
    QFile f(iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("showadv=1\ninterface_size=200\nlinenumbers=0\n"));
}

TEST_F(MainWindowTest, EscClosesEveryDialogAndTheHelpWithoutApplyingAnything)
{
    open();
    window->show();
    const Settings before = window->settings();
    makeDialogs();
    QList<QWidget *> windows;
    for (QDialog *d : window->findChildren<QDialog *>())
        if (d->parentWidget() == window.get() && !d->inherits("QMessageBox")) windows << d;
    window->action(Command::Help)->trigger();
    windows << window->findChild<HelpWindow *>();
    EXPECT_GE(windows.size(), 9);
    for (QWidget *w : windows) {
        SCOPED_TRACE(w->objectName().toStdString());
        if (w == window->findChild<PreferencesDialog *>())
            window->findChild<PreferencesDialog *>()->prepare();
        w->show();
        QApplication::setActiveWindow(w);
        QWidget *target = w->focusWidget() ? w->focusWidget() : w;
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
    }
    EXPECT_EQ(window->settings().speed, before.speed);
    EXPECT_EQ(window->settings().language, before.language);
}

TEST_F(MainWindowTest, KeyboardReachesEveryToolButtonAndManualButton)
{
    open();
    activate(*window);
    window->action(Command::ManualMode)->trigger();   // the manual buttons take part only there
    QSet<QWidget *> reached;
    QWidget *start = QApplication::focusWidget();
    ASSERT_NE(start, nullptr);
    for (int i = 0; i < 200; ++i) {
        // Tab moves on from any control; in the editor it indents, and Ctrl+Tab moves on.
        QWidget *from = QApplication::focusWidget();
        QTest::keyClick(from, Qt::Key_Tab, from == window->editor() ? Qt::ControlModifier : Qt::NoModifier);
        QWidget *now = QApplication::focusWidget();
        if (!now || now == start) break;
        reached.insert(now);
    }
    QStringList missed;
    for (QToolButton *b : window->findChildren<QToolButton *>())
        if (b->parentWidget()->inherits("QToolBar") && b->isVisible() && b->isEnabled() &&
            !reached.contains(b))
            missed << b->objectName();
    for (const char *name : {ObjectName::StepButton, ObjectName::JumpButton, ObjectName::Rotate45Button,
                             ObjectName::Rotate90Button})
        if (!reached.contains(control<QPushButton>(name))) missed << QLatin1String(name);
    EXPECT_TRUE(missed.isEmpty()) << missed.join(QStringLiteral(", ")).toStdString();
}

TEST_F(MainWindowTest, TabOrderInEveryDialogFollowsTheReadingOrder)
{
    open();
    window->show();
    makeDialogs();
    for (QDialog *d : window->findChildren<QDialog *>()) {
        if (d->parentWidget() != window.get() || d->inherits("QMessageBox")) continue;
        SCOPED_TRACE(d->objectName().toStdString());
        if (d == window->findChild<PreferencesDialog *>())
            window->findChild<PreferencesDialog *>()->prepare();
        d->show();
        QCoreApplication::processEvents();
        // The controls the Tab key stops at, in the order it visits them.
        QList<QWidget *> chain;
        for (QWidget *w = d->nextInFocusChain(); w != d && chain.size() < 100; w = w->nextInFocusChain())
            if (w->isVisibleTo(d) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                !w->focusProxy() && w->window() == d)
                chain << w;
        EXPECT_GE(chain.size(), 1);
        auto place = [d](QWidget *w) { return QRect(w->mapTo(d, QPoint(0, 0)), w->size()); };
        int backwards = 0;
        QStringList order;
        for (qsizetype i = 1; i < chain.size(); ++i) {
            const QRect a = place(chain.at(i - 1)), b = place(chain.at(i));
            order << chain.at(i)->objectName();
            // Later means lower down, or on the same row further right; overlapping rows
            // count as one row.
            const bool sameRow = b.top() < a.bottom() && a.top() < b.bottom();
            if (sameRow ? b.left() < a.left() : b.top() < a.top()) ++backwards;
        }
        EXPECT_EQ(backwards, 0) << order.join(QStringLiteral(" > ")).toStdString();
        d->hide();
    }
}

TEST_F(MainWindowTest, HelpOpensOverTheMainWindow)
{
    open();
    window->show();
    window->action(Command::Help)->trigger();
    ASSERT_NE(window->findChild<HelpWindow *>(), nullptr);
    // Closed, made small and asked for again after the main window has moved away.
    window->findChild<HelpWindow *>()->hide();
    window->findChild<HelpWindow *>()->resize(300, 200);
    window->findChild<HelpWindow *>()->move(0, 0);
    window->move(400, 300);
    window->action(Command::Help)->trigger();
    const QRect main = window->frameGeometry();
    const QRect help = window->findChild<HelpWindow *>()->frameGeometry();
    EXPECT_TRUE(main.contains(help.center())) << help.x() << "," << help.y();
    EXPECT_TRUE(window->screen()->availableGeometry().contains(help.topLeft()));
}

TEST_F(MainWindowTest, AToolButtonWithTheKeyboardFocusLooksDifferent)
{
    open();
    activate(*window);
    for (Command c : {Command::New, Command::Run, Command::BeginEnd}) {
        QToolButton *b = window->toolButton(c);
        const QImage plain = b->grab().toImage();
        b->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(b->hasFocus());
        EXPECT_NE(b->grab().toImage(), plain) << b->objectName().toStdString();
        window->editor()->setFocus();
    }
}

TEST_F(MainWindowTest, CtrlTabVisitsTheWindowsAreasInReadingOrderEitherWayAndNeverSticks)
{
    open({}, "[int]\nlanguage=eng\n");
    activate(*window);
    auto ctrlTab = [](bool forward) {
        QWidget *from = QApplication::focusWidget();
        if (!from) return static_cast<QWidget *>(nullptr);
        if (forward)
            QTest::keyClick(from, Qt::Key_Tab, Qt::ControlModifier);
        else
            QTest::keyClick(from, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        return QApplication::focusWidget();
    };
    // The editor, the manual buttons above it, the field, then the tool bars: the file bar on
    // top, the run bar and the command bar down the left.
    const QList<QWidget *> areas = {window->editor(),
                                    control<QPushButton>(ObjectName::StepButton),
                                    window->field(),
                                    window->toolButton(Command::New),
                                    window->toolButton(Command::Run),
                                    window->toolButton(Command::BeginEnd)};
    ASSERT_EQ(QApplication::focusWidget(), window->editor());
    for (int round = 0; round < 2; ++round)
        for (qsizetype i = 1; i <= areas.size(); ++i)
            EXPECT_EQ(ctrlTab(true), areas.at(i % areas.size())) << "forward " << i;
    for (qsizetype i = areas.size() - 1; i >= 0; --i) EXPECT_EQ(ctrlTab(false), areas.at(i)) << "back " << i;
    // From the middle of an area the keys leave the whole area.
    control<QPushButton>(ObjectName::JumpButton)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ctrlTab(true), window->field());
    window->toolButton(Command::Paste)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ctrlTab(false), window->field());
    EXPECT_EQ(ctrlTab(true), window->toolButton(Command::New));

    // During a run the areas locked for it are passed over.
    setProgram("ALGORITHM BEGIN\nCYCLE. EXECUTE 100 TIMES\nROTATE 90\nEND OF CYCLE\nALGORITHM END");
    window->action(Command::Run)->trigger();
    ASSERT_TRUE(window->runController().isActive());
    window->editor()->setFocus();
    EXPECT_EQ(ctrlTab(true), window->field());
    EXPECT_EQ(ctrlTab(true), window->toolButton(Command::Pause));
    EXPECT_EQ(ctrlTab(true), window->editor());
    EXPECT_EQ(ctrlTab(false), window->toolButton(Command::Pause));
    window->action(Command::Stop)->trigger();
}

namespace {

// A key as the platform delivers it: the shortcuts have their turn first, then the widget
// with the keyboard (the open menu, if any) gets the press with the key's scan code. X11
// numbers the keys of a PC keyboard from 8 up: the A key is 38, F 41, Y 29, N 57.
void pressKey(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode, const QString &text)
{
    QPointer<QWidget> target = QApplication::activePopupWidget();
    if (!target) target = QApplication::focusWidget();
    ASSERT_FALSE(target.isNull());
    if (qt_sendShortcutOverrideEvent(target, 0, key, modifiers, text)) return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, scanCode, 0, 0, text);
    if (target) QApplication::sendEvent(target, &release);
}

}   // namespace

TEST_F(MainWindowTest, AccessLettersFollowTheKeyWhicheverLayoutIsActive)
{
    open();
    activate(*window);
    QMenu *file = window->menu(MenuId::File);
    QSignalSpy created(window->action(Command::New), &QAction::triggered);
    constexpr quint32 keyA = 38, keyF = 41, keyY = 29, keyN = 57, keyZ = 52;
    const int cyrillicA = 0x410, cyrillicTe = 0x422;
    struct Case {
        Language captions;
        const char *layout;
        int barKey;
        quint32 barScan;
        const char *barText;
        int itemKey;
        quint32 itemScan;
        const char *itemText;
    };
    const Case cases[] = {
        // Russian captions on the US layout: the key that carries "Ф" opens "Файл", the one
        // that carries "Н" picks "Новый".
        {Language::Rus, "us", Qt::Key_A, keyA, "a", Qt::Key_Y, keyY, "y"},
        // A platform that gives no scan code: the key is found from the letter it typed.
        {Language::Rus, "us, no scan code", Qt::Key_A, 0, "a", Qt::Key_Y, 0, "y"},
        // English and Romanian captions on the Russian layout.
        {Language::Eng, "ru", cyrillicA, keyF, "а", cyrillicTe, keyN, "т"},
        {Language::Rom, "ru", cyrillicA, keyF, "а", cyrillicTe, keyN, "т"},
        // The captions' own layout still works.
        {Language::Rus, "ru", cyrillicA + 0x14 /* Ф */, keyA, "ф", 0x41D /* Н */, keyY, "н"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.layout) + " " + std::to_string(int(c.captions)));
        switchTo(*window, c.captions);
        const bool russian = c.captions == Language::Rus;
        ASSERT_EQ(mnemonicLetter(file->title()), russian ? QChar(u'Ф') : QChar(u'F'));
        ASSERT_EQ(mnemonicLetter(window->action(Command::New)->text()), russian ? QChar(u'Н') : QChar(u'N'));
        window->editor()->setFocus();
        const int before = int(created.count());
        // A key whose letters no menu uses opens nothing.
        pressKey(Qt::Key_Z, Qt::AltModifier, keyZ, QStringLiteral("z"));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        pressKey(c.barKey, Qt::AltModifier, c.barScan, QString::fromUtf8(c.barText));
        EXPECT_TRUE(file->isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), file);
        if (!file->isVisible()) continue;
        pressKey(c.itemKey, Qt::NoModifier, c.itemScan, QString::fromUtf8(c.itemText));
        EXPECT_EQ(created.count(), before + 1);
        EXPECT_FALSE(file->isVisible());
        while (QWidget *popup = QApplication::activePopupWidget()) popup->close();
    }
    EXPECT_TRUE(window->editor()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, TabReachesThePreferencesSpeedSliderAndTheKeysMoveIt)
{
    open();
    window->show();
    auto *dlg = &window->dialogs().preferences();
    dlg->prepare();
    dlg->show();
    QApplication::setActiveWindow(dlg);
    auto *pages = dlg->findChild<QTabWidget *>(QLatin1String(ObjectName::PreferencesPages));
    ASSERT_NE(pages, nullptr);
    auto *slider = dlg->findChild<QSlider *>(QLatin1String(ObjectName::SpeedSlider));
    ASSERT_NE(slider, nullptr);
    // The robot page chosen with the keyboard, then Tab on from the page tabs.
    pages->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pages->tabBar(), Qt::Key_Right);
    ASSERT_EQ(pages->currentIndex(), 1);
    QSet<QWidget *> reached;
    for (int i = 0; i < 20 && !reached.contains(slider); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    ASSERT_TRUE(slider->hasFocus());
    const int before = slider->value();
    QTest::keyClick(slider, before > 1 ? Qt::Key_Up : Qt::Key_Down);
    EXPECT_NE(slider->value(), before);
    dlg->hide();
}
