#include "gui/plot/BangPlotLayout.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace resonex::gui {

namespace {

// Room in lines of text: above the panes for the upper one's title, a row
// for each row of the marks' names under it, and at least room for the
// upper pane's top mark's text under the title; between the panes for the
// lower one's title clear of both panes' end marks; below them for the
// times and their title.
constexpr double kTitleRoom = 1.25;
constexpr double kLeastTitleRoom = 1.8;
constexpr double kNameRow = 1.1;
constexpr double kBetweenPanes = 2.6;
constexpr double kAxisRoom = 2.6;
// The rows the names may take, enough for a staircase of four names, the
// quench after the third notch; a name that finds no room in them (a
// quench after a later notch) is left off, its mark still drawn.
constexpr int kMostNameRows = 4;
// A name's box is this much wider than its text and stands this far beside
// its mark; names keep this far apart.
constexpr double kPad = 0.4;
constexpr double kBeside = 0.15;
constexpr double kApart = 0.3;
// Notches closer than this on the chart are too many to tell apart: then
// only the first is marked.
constexpr double kLeastMarkGap = 0.5;
// Values reach this share of their pane's half height at most.
constexpr double kHeadroom = 1.05;

QString tickText(double value) { return text::generalText(float(value)); }

// One try at the layout with so many rows of names; the rows it needed.
class Layout {
public:
    Layout(const BangTrace& trace, const QRectF& area, const QFontMetricsF& metrics, int rows)
        : m_trace(trace), m_area(area), m_texts(metrics), m_rows(rows) {
        m_layout.em = m_texts.em();
        m_span = trace.span > 0 ? trace.span : 1e-6;
        for (const physics::BangSample& sample : trace.samples) {
            if (sample.time > m_span * (1 + 1e-9))
                break;
            m_shown.push_back(sample);
            m_largestAmps = std::max(m_largestAmps, std::abs(sample.primaryAmps));
            m_largestKilovolts = std::max(m_largestKilovolts, std::abs(sample.topVolts) / 1e3);
        }
    }

    std::pair<BangPlotLayout, int> layOut() {
        layOutPanes();
        layOutTime();
        layOutCurves();
        const int needed = layOutMarks();
        return {m_layout, needed};
    }

private:
    double em(double ems) const { return m_texts.em(ems); }
    double x(double seconds) const {
        return m_layout.currentPane.left() + seconds / m_span * m_layout.currentPane.width();
    }

    static double yOf(const QRectF& pane, const LinearScale& scale, double value) {
        return pane.bottom() - (value - scale.low) / (scale.high - scale.low) * pane.height();
    }

    // The panes' heights, their scales, and from the widest of those marks'
    // texts the panes' left edge.
    void layOutPanes() {
        const double top =
            m_area.top() + em(std::max(kLeastTitleRoom, kTitleRoom + kNameRow * m_rows));
        const double bottom = m_area.bottom() - em(kAxisRoom);
        const double height = std::max(em(1), (bottom - top - em(kBetweenPanes)) / 2);
        // Marks well apart where the pane is tall enough to show some besides
        // 0, else as close as their texts allow, else the pane reaching a
        // step either way.
        const auto scaleOf = [&](double largest) {
            const double reach = largest > 0 ? largest * kHeadroom : 1;
            LinearScale scale;
            for (double gap : {1.8, 1.1}) {
                scale = spannedScale(-reach, reach, height, em(gap));
                if (scale.ticks().size() >= 3)
                    return scale;
            }
            return LinearScale{-scale.step, scale.step, scale.step};
        };
        m_currentScale = scaleOf(m_largestAmps);
        m_voltageScale = scaleOf(m_largestKilovolts);
        double widest = 0;
        for (const LinearScale* scale : {&m_currentScale, &m_voltageScale})
            for (double tick : scale->ticks())
                widest = std::max(widest, m_texts.width(tickText(tick)));
        const double left = m_area.left() + widest + em(0.8);
        const double right = m_area.right() - em(0.8);
        m_layout.currentPane = QRectF(left, top, right - left, height);
        m_layout.voltagePane = QRectF(left, bottom - height, right - left, height);

        const auto axis = [&](const QRectF& pane, const LinearScale& scale, QList<double>& lines) {
            QList<PlotText> texts;
            for (double tick : scale.ticks()) {
                lines << yOf(pane, scale, tick);
                m_texts.addAxisText(texts, QPointF(left - em(0.4), lines.constLast()),
                                    Qt::AlignRight | Qt::AlignVCenter, tickText(tick));
            }
            m_layout.axisTexts << texts;
        };
        axis(m_layout.currentPane, m_currentScale, m_layout.currentLines);
        axis(m_layout.voltagePane, m_voltageScale, m_layout.voltageLines);
        m_texts.addAxisText(m_layout.axisTexts, m_area.topLeft() + QPointF(em(0.2), em(0.2)),
                            Qt::AlignLeft, QStringLiteral("Primary current (A)"), PlotInk::Curve);
        m_texts.addAxisText(
            m_layout.axisTexts,
            QPointF(m_area.left() + em(0.2), m_layout.currentPane.bottom() + em(0.8)),
            Qt::AlignLeft, QStringLiteral("Top voltage (kV)"), PlotInk::Secondary);
    }

    // The time in microseconds from the firing, marked at round steps as
    // far apart as their texts need; the panes narrowed where the last
    // mark's text would pass the area's right edge.
    void layOutTime() {
        const double micro = m_span * 1e6;
        QList<double> ticks;
        for (int attempt = 0; attempt < 3; ++attempt) {
            const double width = m_layout.currentPane.width();
            LinearScale scale = spannedScale(0, micro, width, em(3));
            double widest = 0;
            for (double tick : scale.ticks())
                widest = std::max(widest, m_texts.width(tickText(tick)));
            ticks = spannedScale(0, micro, width, widest + em(1)).ticks();
            const double lastRight =
                x(ticks.constLast() / 1e6) + m_texts.width(tickText(ticks.constLast())) / 2;
            const double overrun = lastRight - (m_area.right() - em(0.1));
            if (overrun <= 0)
                break;
            m_layout.currentPane.setRight(m_layout.currentPane.right() - overrun);
            m_layout.voltagePane.setRight(m_layout.currentPane.right());
        }
        QList<PlotText> texts;
        for (double tick : ticks) {
            m_layout.timeLines << x(tick / 1e6);
            m_texts.addAxisText(
                texts,
                QPointF(m_layout.timeLines.constLast(), m_layout.voltagePane.bottom() + em(0.25)),
                Qt::AlignHCenter, tickText(tick));
        }
        // One the panes' narrowing could not bring inside is left off.
        texts.removeIf([&](const PlotText& text) { return !m_area.contains(text.box); });
        m_layout.axisTexts << texts;
        m_texts.addAxisText(
            m_layout.axisTexts,
            QPointF(m_layout.voltagePane.center().x(), m_layout.voltagePane.bottom() + em(1.3)),
            Qt::AlignHCenter, QStringLiteral("Time (µs)"));
    }

    void layOutCurves() {
        QPolygonF current;
        QPolygonF voltage;
        for (const physics::BangSample& sample : m_shown) {
            const double at = x(sample.time);
            current << QPointF(at, yOf(m_layout.currentPane, m_currentScale, sample.primaryAmps));
            voltage << QPointF(at,
                               yOf(m_layout.voltagePane, m_voltageScale, sample.topVolts / 1e3));
        }
        const double left = m_layout.currentPane.left();
        m_layout.current = columnExtremes(current, left, 1);
        m_layout.voltage = columnExtremes(voltage, left, 1);
    }

    QList<TraceMark> events() const {
        QList<TraceMark> events;
        for (const TraceMark& mark : m_trace.marks)
            if (mark.seconds <= m_span)
                events.append(mark);
        // A series crowding together keeps its first mark alone.
        const double least = em(kLeastMarkGap) / m_layout.currentPane.width() * m_span;
        std::optional<double> previous;
        bool crowded = false;
        for (const TraceMark& mark : std::as_const(events))
            if (mark.inSeries) {
                crowded = crowded || (previous && mark.seconds - *previous < least);
                previous = mark.seconds;
            }
        if (crowded) {
            bool first = true;
            events.removeIf([&first](const TraceMark& mark) {
                if (!mark.inSeries)
                    return false;
                const bool later = !first;
                first = false;
                return later;
            });
        }
        return events;
    }

    // The box of a name in a row, beside its mark at x: at its right, or at
    // its left where the area ends first.
    QRectF nameBox(double at, int row, double width) const {
        const double top = m_layout.currentPane.top() - em(kNameRow) * (row + 1) + em(0.05);
        const double left = at + em(kBeside) + width <= m_area.right() - em(0.1)
                                ? at + em(kBeside)
                                : at - em(kBeside) - width;
        return QRectF(left, top, width, em(1));
    }

    // Whether a name's box in its row stays apart from the names placed and
    // their marks' lines, and its own mark's line from their boxes.
    bool fits(const QRectF& box, double at, const QList<PlotText>& placed,
              const QList<PlotMark>& marks) const {
        if (box.left() < m_area.left() + em(0.1) || box.right() > m_area.right() - em(0.1))
            return false;
        const QRectF apart = box.adjusted(-em(kApart), 0, em(kApart), 0);
        const double top = box.center().y();
        for (const PlotText& other : placed) {
            if (other.box.intersects(apart))
                return false;
            if (at >= other.box.left() - em(0.1) && at <= other.box.right() + em(0.1) &&
                other.box.bottom() > top)
                return false;
        }
        for (const PlotMark& mark : marks)
            if (mark.x >= apart.left() && mark.x <= apart.right() && mark.top < box.bottom())
                return false;
        return true;
    }

    // The marks, their names placed from the right: each in the lowest row
    // where it fits, so that the line of a mark to the left rises past the
    // names at its right. The rows needed.
    int layOutMarks() {
        QList<TraceMark> shown = events();
        std::stable_sort(shown.begin(), shown.end(), [](const TraceMark& a, const TraceMark& b) {
            return a.seconds > b.seconds;
        });
        int needed = 0;
        for (const TraceMark& event : shown) {
            const double at = x(event.seconds);
            const double width = m_texts.width(event.name) + em(kPad);
            PlotMark mark{at, m_layout.currentPane.top(), event.ink, event.dashed};
            for (int row = 0; row < kMostNameRows; ++row) {
                const QRectF box = nameBox(at, row, width);
                if (fits(box, at, m_layout.labels, m_layout.marks)) {
                    m_layout.labels.append({box, event.name, int(Qt::AlignCenter), event.ink});
                    mark.top = box.center().y();
                    needed = std::max(needed, row + 1);
                    break;
                }
            }
            m_layout.marks.append(mark);
        }
        return needed;
    }

    const BangTrace& m_trace;
    QRectF m_area;
    ChartTexts m_texts;
    int m_rows;
    double m_span = 0;
    std::vector<physics::BangSample> m_shown;
    double m_largestAmps = 0;
    double m_largestKilovolts = 0;
    LinearScale m_currentScale;
    LinearScale m_voltageScale;
    BangPlotLayout m_layout;
};

} // namespace

BangTrace bangTraceOf(const physics::Bang& bang) {
    const physics::BangFigures& figures = bang.figures();
    BangTrace trace{bang.waveform(), {}, 0};
    for (size_t i = 0; i < figures.notches.size(); ++i)
        trace.marks.push_back(
            {figures.notches[i], QStringLiteral("notch %1").arg(i + 1), PlotInk::Text, true, true});
    std::optional<double> quench;
    if (figures.quench) {
        quench = figures.quench->time;
        trace.marks.push_back({*quench, QStringLiteral("quench"), PlotInk::Target, false});
    }
    trace.span = bangPlotSpan(figures.notches, quench,
                              trace.samples.empty() ? 0 : trace.samples.back().time);
    return trace;
}

BangTrace burstTraceOf(const physics::Burst& burst) {
    const physics::BurstFigures& figures = burst.figures();
    BangTrace trace{burst.waveform(), {}, 0};
    trace.marks.push_back({figures.primaryPeakTime, QStringLiteral("peak"), PlotInk::Text, true});
    trace.marks.push_back({figures.stopTime,
                           figures.limited ? QStringLiteral("limit") : QStringLiteral("stop"),
                           PlotInk::Target, false});
    trace.span = trace.samples.empty() ? 0 : trace.samples.back().time;
    return trace;
}

double bangPlotSpan(const std::vector<double>& notches, std::optional<double> quench,
                    double whole) {
    if (!(whole > 0))
        return 1e-6;
    if (quench)
        return std::min(whole, 3 * *quench);
    if (!notches.empty())
        return std::min(whole, 6 * notches.front());
    return whole;
}

BangPlotLayout layOutBangPlot(const BangTrace& trace, const QRectF& area,
                              const QFontMetricsF& metrics) {
    // More rows of names make the panes shorter, which may move the marks:
    // laid out again until the rows are those the names need.
    int rows = 1;
    for (;;) {
        auto [layout, needed] = Layout(trace, area, metrics, rows).layOut();
        if (needed <= rows || rows == kMostNameRows)
            return layout;
        rows = needed;
    }
}

} // namespace resonex::gui
