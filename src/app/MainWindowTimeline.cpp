// SPDX-FileCopyrightText: 2026 The Trakmil developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The last run as a timeline: the slider under the field and the two step commands.
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "base/TextCatalogue.h"
#include "world/FieldPicture.h"
#include "world/widgets/FieldView.h"
#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <climits>

void MainWindow::buildTimeline(QWidget *central)
{
    m_timelineLabel = new QLabel(central);
    m_timelineLabel->setObjectName(QStringLiteral("timelineLabel"));
    m_timelineLabel->setGeometry(339, 481, 118, 22);
    m_timeline = new QSlider(Qt::Horizontal, central);
    m_timeline->setObjectName(QStringLiteral("timeline"));
    m_timeline->setGeometry(459, 481, 238, 22);
    m_timeline->setFocusPolicy(Qt::StrongFocus);
    m_timeline->setRange(0, 0);
    m_timeline->setEnabled(false);
    m_timelineLabel->setBuddy(m_timeline);
    // A screen reader's set value comes here too.
    connect(m_timeline, &QSlider::valueChanged, this, [this](int tick) { moveToTick(tick); });
    connect(m_field, &FieldView::clicked, this, &MainWindow::fieldClicked);
    connect(m_field, &FieldView::nodeKeyPressed, this, &MainWindow::fieldNodeKey);
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::showLineMarks);
}

void MainWindow::showTimeline()
{
    if (!m_timeline) return;
    const RunHistory &h = m_run.history();
    const bool usable = !h.isEmpty() && !m_run.isRunning() && !m_manual;
    const int n = int(std::min<qint64>(h.ticks(), INT_MAX));
    const int k = int(std::clamp<qint64>(m_run.ticks(), 0, n));
    {
        const QSignalBlocker quiet(m_timeline);
        m_timeline->setRange(0, n);
        m_timeline->setValue(k);
        m_timeline->setPageStep(std::max(1, n / 10));
    }
    m_timeline->setEnabled(usable);
    const QString position =
        usable ? uiText("timeline.position", textLanguage()).value_or(QString()).arg(k).arg(n) : QString();
    m_timelineLabel->setText(position);
    m_timeline->setAccessibleDescription(position);
    if (!usable) {
        m_field->setToolTip(QString());
        m_nodePick = {};
    }
    showLineMarks();
}

void MainWindow::moveToTick(qint64 tick)
{
    if (m_manual || m_run.isRunning() || m_run.history().isEmpty()) return;
    tick = std::clamp<qint64>(tick, 0, m_run.history().ticks());
    // Looking back at a finished run pauses it again there: F9 goes on, Esc leaves.
    if (!m_run.isActive() && !m_run.reopen()) return;
    m_runToCursor.end();
    if (!m_run.showTick(tick)) return;
    const int line = m_run.shownLine();
    if (line >= 0) {
        m_editor->selectLine(line);
        m_editor->setRunLine(line);
    }
    if (m_resumeAction) m_resumeAction->setEnabled(true);
    showPositionPanels();
    describeField();
    refreshRunState();
    showTimeline();
}

void MainWindow::stepBackCommand()
{
    if (m_manual || m_run.history().isEmpty()) return;
    if (m_run.isRunning()) pauseRun();
    if (m_run.ticks() > 0) moveToTick(m_run.ticks() - 1);
}

void MainWindow::stepForwardCommand()
{
    if (m_manual || m_run.isRunning()) return;
    const RunHistory &h = m_run.history();
    if (!h.isEmpty() && m_run.ticks() < h.ticks())
        moveToTick(m_run.ticks() + 1);
    else if (m_run.state() == RunController::State::Paused)
        stepLineCommand();   // at the end of the history: a new tick
}

void MainWindow::forgetRunHistory()
{
    if (m_run.history().isEmpty()) return;
    m_run.clearHistory();
    showTimeline();
}

namespace {

// Distance from p to the piece a-b, squared.
double distanceSquared(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a, ap = p - a;
    const double len = QPointF::dotProduct(ab, ab);
    const double t = len > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len, 0.0, 1.0) : 0.0;
    const QPointF d = ap - t * ab;
    return QPointF::dotProduct(d, d);
}

}   // namespace

void MainWindow::fieldClicked(const QPoint &pixel)
{
    const RunHistory &h = m_run.history();
    if (h.isEmpty() || m_run.isRunning() || m_manual) return;
    const qint64 shown = m_run.ticks();
    // The segments drawn by the tick shown, and the drawings of each.
    std::vector<bool> drawn(RunHistory::SegmentCount, false);
    h.forEachDrawing([&](const RunHistory::Drawing &d) {
        if (d.tick <= shown) drawn[size_t(d.segment)] = true;
    });
    int best = -1;
    double bestDistance = 5.0 * 5.0;   // within a few pixels of the 5-pixel trace
    for (int s = 0; s < RunHistory::SegmentCount; ++s) {
        if (!drawn[size_t(s)]) continue;
        int x0, y0, x1, y1;
        RunHistory::segmentEnds(s, x0, y0, x1, y1);
        const double d =
            distanceSquared(pixel, FieldPicture::nodePixel(x0, y0), FieldPicture::nodePixel(x1, y1));
        if (d <= bestDistance) {
            bestDistance = d;
            best = s;
        }
    }
    if (best < 0) {
        m_field->setToolTip(QString());
        return;
    }
    pickSegment(best, shown, pixel);
}

void MainWindow::fieldNodeKey()
{
    const RunHistory &h = m_run.history();
    if (h.isEmpty() || m_run.isRunning() || m_manual) return;
    const qint64 shown = m_run.ticks();
    if (shown != m_nodePick.leftAt || m_nodePick.segments.isEmpty()) {
        const RobotState &robot = m_world.state();
        // The latest tick that drew each segment ending at the robot's node.
        std::vector<std::pair<qint64, int>> latest;
        h.forEachDrawing([&](const RunHistory::Drawing &d) {
            if (d.tick > shown) return;
            int x0, y0, x1, y1;
            RunHistory::segmentEnds(d.segment, x0, y0, x1, y1);
            if ((x0 != robot.x || y0 != robot.y) && (x1 != robot.x || y1 != robot.y)) return;
            const auto at = std::find_if(latest.begin(), latest.end(),
                                         [&](const auto &e) { return e.second == d.segment; });
            if (at == latest.end())
                latest.emplace_back(d.tick, d.segment);
            else
                at->first = std::max(at->first, d.tick);
        });
        std::sort(latest.begin(), latest.end(), std::greater<>());
        m_nodePick = {};
        m_nodePick.upTo = shown;
        for (const auto &e : latest) m_nodePick.segments << e.second;
    }
    if (m_nodePick.segments.isEmpty()) {
        m_field->setToolTip(QString());
        return;
    }
    const int segment = m_nodePick.segments.at(m_nodePick.next % m_nodePick.segments.size());
    ++m_nodePick.next;
    int x0, y0, x1, y1;
    RunHistory::segmentEnds(segment, x0, y0, x1, y1);
    const QPointF middle = (FieldPicture::nodePixel(x0, y0) + FieldPicture::nodePixel(x1, y1)) / 2;
    pickSegment(segment, m_nodePick.upTo, middle.toPoint());
    m_nodePick.leftAt = m_run.ticks();
}

void MainWindow::pickSegment(int segment, qint64 upTo, const QPoint &tipPixel)
{
    const RunHistory &h = m_run.history();
    int count = 0;
    qint64 last = 0;
    QList<int> lines;
    h.forEachDrawing([&](const RunHistory::Drawing &d) {
        if (d.segment != segment || d.tick > upTo) return;
        ++count;
        last = d.tick;
        if (!lines.contains(d.line + 1)) lines << d.line + 1;
    });
    QStringList numbers;
    for (int line : lines) numbers << QString::number(line);
    const QString note =
        count > 1 ? uiText("timeline.drawnBy", textLanguage())
                        .value_or(QString())
                        .arg(count)
                        .arg(numbers.join(QStringLiteral(", ")))
                  : uiText("timeline.drawnByLine", textLanguage()).value_or(QString()).arg(numbers.value(0));
    moveToTick(last);
    m_field->setToolTip(note);
    // Shown once the click or key is handled in full: its release would hide it at once. Not
    // tied to the field either: the robot just moved may stand under the pointer now.
    const QPoint at = m_field->mapToGlobal(tipPixel);
    QTimer::singleShot(0, this, [at, note] { QToolTip::showText(at, note); });
}

void MainWindow::showLineMarks()
{
    const RunHistory &h = m_run.history();
    if (h.isEmpty() || m_run.isRunning() || m_manual || !action(Command::MarkLineSegments)->isChecked()) {
        m_field->setLineMarks(QImage());
        return;
    }
    const int line = m_editor->caretLineColumn().line;
    const qint64 shown = m_run.ticks();
    std::vector<bool> marked(RunHistory::SegmentCount, false);
    bool any = false;
    h.forEachDrawing([&](const RunHistory::Drawing &d) {
        if (d.line != line || d.tick > shown) return;
        marked[size_t(d.segment)] = true;
        any = true;
    });
    if (!any) {
        m_field->setLineMarks(QImage());
        return;
    }
    // An outline around each segment, the trace itself left to be seen.
    QImage marks(FieldPicture::Width, FieldPicture::Height, QImage::Format_ARGB32_Premultiplied);
    marks.fill(Qt::transparent);
    QPainter p(&marks);
    p.setRenderHint(QPainter::Antialiasing);
    for (int pass = 0; pass < 2; ++pass) {
        p.setPen(pass == 0 ? QPen(QColor(255, 170, 0, 230), 11, Qt::SolidLine, Qt::RoundCap)
                           : QPen(Qt::transparent, 5, Qt::SolidLine, Qt::RoundCap));
        p.setCompositionMode(pass == 0 ? QPainter::CompositionMode_SourceOver
                                       : QPainter::CompositionMode_Clear);
        for (int s = 0; s < RunHistory::SegmentCount; ++s) {
            if (!marked[size_t(s)]) continue;
            int x0, y0, x1, y1;
            RunHistory::segmentEnds(s, x0, y0, x1, y1);
            p.drawLine(FieldPicture::nodePixel(x0, y0), FieldPicture::nodePixel(x1, y1));
        }
    }
    p.end();
    m_field->setLineMarks(marks);
}
