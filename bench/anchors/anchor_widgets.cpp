// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's floor for a window built of what Trakmil's is, and nothing of Trakmil's own: a
// menu bar of six menus of ten items, a tool bar along the top and one down the side with icons,
// four command buttons, a plain text edit in the editor's font, a field picture with its grid and
// node numbers, a slider and a status bar of seven panels, in the same three fonts.
// scripts/perf-compare.sh holds Trakmil's start-up against it beside the bare window.
//   anchor_widgets [WIDTHxHEIGHT]
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QIcon icon(int i)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setBrush(QColor::fromHsv(i * 23 % 360, 200, 200));
    g.drawEllipse(2, 2, 12, 12);
    return QIcon(p);
}

QImage field()
{
    QImage image(358, 438, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int x = 0; x < 17; ++x)
        for (int y = 0; y < 21; ++y) p.drawRect(12 + x * 20, 12 + y * 20, 16, 16);
    QFont numbers(QStringLiteral("Sans Serif"));
    numbers.setPixelSize(11);
    numbers.setStyleStrategy(QFont::NoAntialias);
    p.setFont(numbers);
    for (int x = 0; x < 17; ++x) p.drawText(16 + x * 20, 10, QString::number(x));
    for (int y = 0; y < 21; ++y) p.drawText(2, 24 + y * 20, QString::number(y));
    return image;
}

}   // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFont dialog(QStringLiteral("Liberation Sans"), 8);
    dialog.setStyleHint(QFont::SansSerif);
    QApplication::setFont(dialog);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Anchor widgets"));
    int item = 0;
    for (const char *title : {"&File", "&Edit", "&View", "&Commands", "&Program", "&Help"}) {
        QMenu *menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 0; i < 10; ++i, ++item) menu->addAction(icon(item), QStringLiteral("Item %1").arg(item));
    }
    QToolBar *top = window.addToolBar(QStringLiteral("Top"));
    for (int i = 0; i < 12; ++i) top->addAction(icon(i), QStringLiteral("Top %1").arg(i));
    auto *side = new QToolBar(QStringLiteral("Side"));
    window.addToolBar(Qt::LeftToolBarArea, side);
    for (int i = 0; i < 15; ++i) side->addAction(icon(i + 20), QStringLiteral("Side %1").arg(i));

    auto *central = new QWidget;
    auto *columns = new QHBoxLayout(central);
    auto *left = new QVBoxLayout;
    auto *buttons = new QHBoxLayout;
    for (const char *b : {"Step", "Jump", "Rotate 45", "Rotate 90"})
        buttons->addWidget(new QPushButton(QString::fromLatin1(b)));
    left->addLayout(buttons);
    auto *editor = new QPlainTextEdit;
    QFont text(QStringLiteral("Times New Roman"));
    text.setPixelSize(16);
    editor->setFont(text);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    left->addWidget(editor);
    columns->addLayout(left);
    auto *right = new QVBoxLayout;
    auto *picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(field()));
    right->addWidget(picture);
    auto *ticks = new QHBoxLayout;
    ticks->addWidget(new QLabel(QStringLiteral("tick 0 of 0")));
    ticks->addWidget(new QSlider(Qt::Horizontal));
    right->addLayout(ticks);
    columns->addLayout(right);
    window.setCentralWidget(central);
    for (const char *panel :
         {"Ready", "Lines: 1", "Line: 1", "Field: 16 x 20", "Robot: x=0, y=0", "Line [0]", "Edge [0]"})
        window.statusBar()->addWidget(new QLabel(QString::fromLatin1(panel)));

    const QStringList size = app.arguments().value(1).split(QLatin1Char('x'));
    if (size.size() == 2 && size.at(0).toInt() > 0 && size.at(1).toInt() > 0)
        window.setFixedSize(size.at(0).toInt(), size.at(1).toInt());
    window.show();
    return app.exec();
}
