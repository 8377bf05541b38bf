#include "gui/plot/TuningPlotLayout.h"

#include "core/model/TuningCurve.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>

namespace resonex::gui {

namespace {

// Two frequencies this close share one line and one name.
constexpr double kSameLine = 1e-4;

// Frequencies on a logarithmic scale, so that the first turns, an order of
// magnitude above the target, do not crowd the turns around the tap. The
// marks are these multiples of each power of ten, the densest set that keeps
// them apart.
const QList<QList<double>> kTickSets{
    {1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 7, 8, 9}, {1, 1.5, 2, 3, 5, 7}, {1, 2, 5}, {1}};

// Room in lines of text: above the chart for its title, a row for each name
// set above it, below it for the turn numbers and their title.
constexpr double kTitleRoom = 1.6;
constexpr double kKeyRow = 1.1;
constexpr double kAxisRoom = 2.6;
// A name's box is this much wider than its text; it keeps this far from the
// curve and the marks, and is tried this far along its line at a time.
constexpr double kPad = 0.4;
constexpr double kClear = 0.15;
constexpr double kStep = 0.25;
// The marks' sizes and the curve's half width.
constexpr double kPointRadius = 0.18;
constexpr double kRingRadius = 0.4;
constexpr double kHalfLine = 0.06;
// Points on the way from no turn to the first.
constexpr int kLeadPoints = 24;

struct Level {
    double kilohertz;
    QString name;
    PlotInk ink;
    bool dashed;
};

QList<Level> levelsOf(const TuningCurve& curve) {
    QList<Level> levels{{curve.targetHertz / 1e3,
                         QStringLiteral("target ") + kilohertzText(float(curve.targetHertz)) +
                             QStringLiteral(" kHz"),
                         PlotInk::Target, false}};
    const auto add = [&](const std::optional<double>& hertz, const QString& name) {
        if (!hertz || !(*hertz > 0)) // a damaged file's secondary
            return;
        for (Level& level : levels)
            if (std::abs(level.kilohertz * 1e3 / *hertz - 1) < kSameLine) {
                level.name += QStringLiteral(" = ") + name;
                return;
            }
        levels.append({*hertz / 1e3,
                       name + u' ' + kilohertzText(float(*hertz)) + QStringLiteral(" kHz"),
                       PlotInk::Secondary, true});
    };
    add(curve.quarterWaveHertz, QStringLiteral("¼ wave"));
    add(curve.loadedHertz, QStringLiteral("top load"));
    return levels;
}

// Where values land on the chart.
struct Scale {
    QRectF plot;
    double firstTurn, lastTurn;
    double low, high;   // kilohertz
    double topCoupling; // at the top of the chart, 0 at the bottom

    double x(double turn) const {
        return plot.left() + (turn - firstTurn) / (lastTurn - firstTurn) * plot.width();
    }
    double y(double kilohertz) const {
        return plot.bottom() - std::log(kilohertz / low) / std::log(high / low) * plot.height();
    }
    double yOfCoupling(double k) const { return plot.bottom() - k / topCoupling * plot.height(); }
};

// One try at the layout, with the names of `keyed` set above the chart rather
// than beside their lines. The names are the levels' in turn, then the tap's.
class Chart {
public:
    Chart(const TuningCurve& curve, const QRectF& area, const QFontMetricsF& metrics,
          const QList<int>& keyed)
        : m_curve(curve), m_area(area), m_texts(metrics), m_metrics(metrics),
          m_em(metrics.height()), m_levels(levelsOf(curve)), m_keyed(keyed) {
        m_layout.em = m_em;
    }

    // The layout, and the names for which it found no room.
    std::pair<TuningPlotLayout, QList<int>> layOut() {
        layOutNote();
        layOutScale();
        layOutAxes();
        layOutLines();
        layOutNames();
        m_layout.plot = m_s.plot;
        return {m_layout, m_unplaced};
    }

    int tapName() const { return int(m_levels.size()); }

private:
    double em(double ems) const { return ems * m_em; }

    // The note under the chart, wrapped to its width.
    void layOutNote() {
        m_noteHeight = 0;
        if (!m_curve.beyondLastTurn)
            return;
        const QString note = reachText(*m_curve.beyondLastTurn);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const QRectF room(m_area.left() + em(0.2), 0, m_area.width() - em(0.4), 1e9);
        const QRectF box = m_metrics.boundingRect(room, flags, note);
        m_noteHeight = box.height() + em(0.2);
        m_layout.notes.append(
            {QRectF(room.left(), m_area.bottom() - m_noteHeight, room.width(), box.height()), note,
             flags, PlotInk::Target});
    }

    void layOutScale() {
        double low = m_curve.points.constLast().hertz / 1e3;
        double high = m_curve.points.constFirst().hertz / 1e3;
        for (const TuningPoint& point : m_curve.points) {
            low = std::min(low, point.hertz / 1e3);
            high = std::max(high, point.hertz / 1e3);
        }
        for (const Level& level : m_levels) {
            low = std::min(low, level.kilohertz);
            high = std::max(high, level.kilohertz);
        }
        // A little room above and below, and at least half as much again
        // from bottom to top.
        const double middle = std::sqrt(low * high);
        const double spread = std::max(std::sqrt(high / low) * 1.08, std::sqrt(1.5));
        m_s.low = middle / spread;
        m_s.high = middle * spread;

        m_s.firstTurn = std::min<double>(m_curve.points.constFirst().turn,
                                         std::floor(m_curve.crossingTurn.value_or(1)));
        m_s.lastTurn = std::max<double>(m_curve.points.constLast().turn, m_s.firstTurn + 1);

        m_s.plot.setTop(m_area.top() + em(kTitleRoom + kKeyRow * m_keyed.size()));
        m_s.plot.setBottom(m_area.bottom() - em(kAxisRoom) - m_noteHeight);
        for (const QList<double>& set : kTickSets) {
            m_ticks = ticks(set);
            if (closestTicks() >= em(1.8))
                break;
        }
        double widest = 0;
        for (double tick : m_ticks)
            widest = std::max(widest, m_metrics.horizontalAdvance(tickText(tick)));
        m_s.plot.setLeft(m_area.left() + widest + em(0.8));
        m_s.plot.setRight(m_area.right() - em(0.8));
        if (!m_curve.couplings.isEmpty())
            layOutCouplingScale();
    }

    // The coupling from 0 at the bottom to a round value above its largest,
    // marked every 1, 2 or 5 times a power of ten, as densely as the
    // frequency's marks are set.
    void layOutCouplingScale() {
        double largest = 0;
        for (const TuningCurve::Coupling& coupling : m_curve.couplings)
            largest = std::max(largest, coupling.k);
        largest = std::max(largest * 1.05, 1e-4);
        const LinearScale scale = linearScale(0, largest, m_s.plot.height(), em(1.8));
        m_couplingStep = scale.step;
        m_s.topCoupling = scale.high;
        double widest = 0;
        for (int step = 1; step * m_couplingStep <= m_s.topCoupling * (1 + 1e-9); ++step)
            widest = std::max(
                widest, m_metrics.horizontalAdvance(text::format(float(step * m_couplingStep),
                                                                 text::Pattern::UpToFourDecimals)));
        m_s.plot.setRight(m_area.right() - widest - em(0.8));
    }

    QList<double> ticks(const QList<double>& multiples) const {
        QList<double> ticks;
        for (int power = int(std::floor(std::log10(m_s.low)));
             power <= int(std::ceil(std::log10(m_s.high))); ++power)
            for (double multiple : multiples) {
                const double tick = multiple * std::pow(10.0, power);
                if (tick >= m_s.low && tick <= m_s.high)
                    ticks << tick;
            }
        return ticks;
    }

    // The least distance between two marks, in the painter's units.
    double closestTicks() const {
        double closest = m_s.plot.height();
        for (qsizetype i = 1; i < m_ticks.size(); ++i)
            closest = std::min(closest, m_s.y(m_ticks[i - 1]) - m_s.y(m_ticks[i]));
        return closest;
    }

    static QString tickText(double kilohertz) { return text::generalText(float(kilohertz)); }

    void addAxisText(QList<PlotText>& texts, const QPointF& anchor, Qt::Alignment align,
                     const QString& text, PlotInk ink = PlotInk::Text) const {
        m_texts.addAxisText(texts, anchor, align, text, ink);
    }

    void layOutAxes() {
        const QRectF& plot = m_s.plot;
        QList<PlotText> frequencies;
        for (double tick : m_ticks) {
            m_layout.frequencyLines << m_s.y(tick);
            addAxisText(frequencies, QPointF(plot.left() - em(0.4), m_s.y(tick)),
                        Qt::AlignRight | Qt::AlignVCenter, tickText(tick));
        }
        // Every turn numbered where there is room, else every second or fifth.
        const double perTurn = plot.width() / (m_s.lastTurn - m_s.firstTurn);
        const double label = m_metrics.horizontalAdvance(QStringLiteral("15")) + em(0.6);
        const int every = perTurn >= label ? 1 : perTurn * 2 >= label ? 2 : 5;
        QList<PlotText> turns;
        for (int turn = int(m_s.firstTurn); turn <= int(m_s.lastTurn); ++turn) {
            const double x = m_s.x(turn);
            m_layout.turnLines << x;
            if (turn % every == 0 || turn == int(m_s.firstTurn))
                addAxisText(turns, QPointF(x, plot.bottom() + em(0.25)), Qt::AlignHCenter,
                            QString::number(turn));
        }
        m_layout.axisTexts << frequencies << turns;
        addAxisText(m_layout.axisTexts, QPointF(plot.center().x(), plot.bottom() + em(1.3)),
                    Qt::AlignHCenter, QStringLiteral("Tapped at turn"));
        addAxisText(m_layout.axisTexts, m_area.topLeft() + QPointF(em(0.2), em(0.2)), Qt::AlignLeft,
                    QStringLiteral("Resonant frequency (kHz)"));
        if (!m_curve.couplings.isEmpty())
            layOutCouplingAxis();
    }

    // Its name at the top, then its marks from the top down to the first
    // step (0 would stand on the turns' numbers), a mark whose text would
    // touch the name left without one.
    void layOutCouplingAxis() {
        QList<PlotText> couplings;
        addAxisText(couplings, m_area.topRight() + QPointF(-em(0.2), em(0.2)), Qt::AlignRight,
                    QStringLiteral("Coupling k"), PlotInk::Coupling);
        for (int step = int(std::round(m_s.topCoupling / m_couplingStep)); step >= 1; --step) {
            const double y = m_s.yOfCoupling(step * m_couplingStep);
            m_layout.couplingTicks << y;
            addAxisText(couplings, QPointF(m_s.plot.right() + em(0.4), y),
                        Qt::AlignLeft | Qt::AlignVCenter,
                        text::format(float(step * m_couplingStep), text::Pattern::UpToFourDecimals),
                        PlotInk::Coupling);
        }
        m_layout.axisTexts << couplings;
    }

    void layOutLines() {
        for (const Level& level : m_levels)
            m_layout.levels.append({m_s.y(level.kilohertz), level.ink, level.dashed});
        for (const TuningPoint& point : m_curve.points)
            m_layout.curve << QPointF(m_s.x(point.turn), m_s.y(point.hertz / 1e3));
        for (const TuningCurve::Coupling& coupling : m_curve.couplings)
            if (coupling.turn >= m_s.firstTurn && coupling.turn <= m_s.lastTurn)
                m_layout.couplingCurve
                    << QPointF(m_s.x(coupling.turn), m_s.yOfCoupling(coupling.k));
        m_layout.pointRadius = em(kPointRadius);
        m_layout.ringRadius = em(kRingRadius);
        if (!m_curve.crossingTurn || !m_curve.tap)
            return;
        m_layout.ring = QPointF(m_s.x(*m_curve.crossingTurn), m_s.y(m_curve.targetHertz / 1e3));
        // Tapped before the first turn: the curve comes down from the top of
        // the chart to it, its frequency growing as one over the root of the
        // share of the first turn's inductance.
        const TuningPoint& first = m_curve.points.constFirst();
        if (m_curve.tap->afterTurn != 0 || first.turn != m_curve.tap->beforeTurn)
            return;
        const double top = std::min(1.0, std::pow(first.hertz / 1e3 / m_s.high, 2.0));
        for (int i = 0; i <= kLeadPoints; ++i) {
            const double share = top * std::pow(1.0 / top, double(i) / kLeadPoints);
            m_layout.lead << QPointF(m_s.x(share * first.turn),
                                     m_s.y(first.hertz / 1e3 / std::sqrt(share)));
        }
    }

    // Whether a name's box is inside the chart and clear of the curve, its
    // marks (the drop from the ring too, unless it is the tap's own) and the
    // names placed before it.
    bool clear(const QRectF& box, bool besideDrop, double ownLevel) const {
        // Not over another line, where it would read as that line's.
        for (const PlotLevel& level : m_layout.levels)
            if (level.y != ownLevel && level.y > box.top() && level.y < box.bottom())
                return false;
        const double margin = em(kClear + kHalfLine);
        if (m_layout.ring && !besideDrop &&
            crosses(box.adjusted(-margin, -margin, margin, margin),
                    {*m_layout.ring, QPointF(m_layout.ring->x(), m_s.plot.bottom())}))
            return false;
        return m_room->clear(box, m_layout.labels);
    }

    // Inside the chart, clear of the curves, their marks and the ring.
    void makeRoom() {
        const double margin = em(kClear + kHalfLine);
        m_room.emplace(m_s.plot.adjusted(em(0.1), em(0.1), -em(0.1), -em(0.1)), margin);
        for (const QPolygonF* line : {&m_layout.curve, &m_layout.lead, &m_layout.couplingCurve})
            m_room->avoid(*line);
        for (const QPolygonF* line : {&m_layout.curve, &m_layout.couplingCurve})
            m_room->avoid(*line, m_layout.pointRadius);
        if (m_layout.ring)
            m_room->avoid(QPolygonF{*m_layout.ring}, m_layout.ringRadius);
    }

    // The first of the boxes that is clear, added with the name.
    bool place(const QList<QRectF>& boxes, const QString& name, PlotInk ink, bool besideDrop,
               double ownLevel) {
        for (const QRectF& box : boxes)
            if (clear(box, besideDrop, ownLevel)) {
                m_layout.labels.append({box, name, int(Qt::AlignCenter), ink});
                return true;
            }
        return false;
    }

    // Over its line from the right end, or under it from the left: where the
    // falling curve has gone below the line, or is still above it.
    QList<QRectF> besideLevel(double y, double width) const {
        const QRectF& plot = m_s.plot;
        QList<QRectF> boxes;
        for (double along = 0; along <= plot.width() - width; along += em(kStep)) {
            boxes << QRectF(plot.right() - em(0.1) - width - along, y - em(1.1), width, m_em);
            boxes << QRectF(plot.left() + em(0.1) + along, y + em(0.1), width, m_em);
        }
        return boxes;
    }

    // Beside the drop from the ring to the turns, from its foot upward; then
    // above or below the ring.
    QList<QRectF> besideDrop(double width) const {
        const QPointF at = *m_layout.ring;
        const double gap = em(kClear);
        QList<QRectF> boxes;
        for (double bottom = m_s.plot.bottom() - em(0.1); bottom - m_em >= m_s.plot.top();
             bottom -= em(kStep))
            for (double left : {at.x() - gap - width, at.x() + gap})
                boxes << QRectF(left, bottom - m_em, width, m_em);
        return boxes;
    }

    void layOutNames() {
        makeRoom();
        QList<int> keyed = m_keyed;
        std::sort(keyed.begin(), keyed.end());
        const auto named = [&](int name, const QString& text, PlotInk ink, PlotKey::Shape shape,
                               const QList<QRectF>& boxes, double ownLevel) {
            const double width = m_metrics.horizontalAdvance(text) + em(kPad);
            if (const qsizetype row = keyed.indexOf(name); row >= 0) {
                const double top = m_area.top() + em(kTitleRoom - 0.4 + kKeyRow * row);
                const QRectF key(m_area.left() + em(0.2), top, em(1.6), m_em);
                m_layout.keys.append({key, ink, shape});
                m_layout.labels.append({QRectF(key.right() + em(0.2), top, width, m_em), text,
                                        int(Qt::AlignLeft | Qt::AlignVCenter), ink});
            } else if (!place(boxes, text, ink, name == tapName(), ownLevel)) {
                m_unplaced << name;
            }
        };
        // From the highest line down, so that of two close lines the upper
        // one's name can stand over it and the lower one's under it.
        QList<int> order;
        for (int index = 0; index < int(m_levels.size()); ++index)
            order << index;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return m_levels[a].kilohertz > m_levels[b].kilohertz;
        });
        for (const int index : order) {
            const Level& level = m_levels[index];
            const double width = m_metrics.horizontalAdvance(level.name) + em(kPad);
            named(index, level.name, level.ink,
                  level.dashed ? PlotKey::Shape::DashedLine : PlotKey::Shape::Line,
                  besideLevel(m_s.y(level.kilohertz), width), m_s.y(level.kilohertz));
        }
        if (m_layout.ring) {
            QString name = QStringLiteral("tap %1–%2")
                               .arg(m_curve.tap->afterTurn)
                               .arg(m_curve.tap->beforeTurn);
            if (m_curve.tapCoupling)
                name += QStringLiteral(", k ") + couplingText(float(*m_curve.tapCoupling));
            named(tapName(), name, PlotInk::Target, PlotKey::Shape::Ring,
                  besideDrop(m_metrics.horizontalAdvance(name) + em(kPad)), qQNaN());
        }
    }

    const TuningCurve& m_curve;
    QRectF m_area;
    ChartTexts m_texts;
    const QFontMetricsF& m_metrics;
    double m_em;
    QList<Level> m_levels;
    QList<int> m_keyed;
    double m_noteHeight = 0;
    Scale m_s{};
    double m_couplingStep = 0;
    QList<double> m_ticks;
    TuningPlotLayout m_layout;
    std::optional<LabelRoom> m_room;
    QList<int> m_unplaced;
};

} // namespace

TuningPlotLayout layOutTuningPlot(const TuningCurve& curve, const QRectF& area,
                                  const QFontMetricsF& metrics) {
    // A name with no room beside its line goes above the chart; that makes
    // the chart shorter, so the others are placed again.
    QList<int> keyed;
    for (;;) {
        auto [layout, unplaced] = Chart(curve, area, metrics, keyed).layOut();
        if (unplaced.isEmpty())
            return layout;
        keyed << unplaced;
    }
}

} // namespace resonex::gui
