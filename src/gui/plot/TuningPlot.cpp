// Drawn with QPainter alone rather than Qt Charts: Debian does not install
// that module with Qt, it is a heavy dependency for one line chart, and the
// same painter has to draw on printer and SVG pages as well as the screen.
#include "gui/plot/TuningPlot.h"

#include "core/model/DesignInformation.h"
#include "core/model/TuningCurve.h"
#include "core/text/NumberText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace resonex::gui {

namespace {

// Dark on white whatever the theme, and still apart when printed in grey.
const QColor kPaper(Qt::white);
const QColor kInk(0x20, 0x20, 0x20);
const QColor kGrid(0xd8, 0xd8, 0xd8);
const QColor kCurve(0x1f, 0x3a, 0x93);
const QColor kTarget(0xa0, 0x10, 0x10);
const QColor kSecondary(0x2e, 0x6b, 0x2e);
const QColor kFaint(0x70, 0x70, 0x70);

// Two frequencies this close share one line and one label.
constexpr double kSameLine = 1e-4;

// Frequencies on a logarithmic scale, so that the first turns, an order of
// magnitude above the target, do not crowd the turns around the tap. The
// marks are these multiples of each power of ten, the densest set that keeps
// them apart.
const QList<QList<double>> kTickSets{
    {1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 7, 8, 9}, {1, 1.5, 2, 3, 5, 7}, {1, 2, 5}, {1}};

// A horizontal line across the chart: the target, or one of the secondary's
// frequencies.
struct Level {
    double kilohertz;
    QString label;
    QColor colour;
    bool dashed;
};

QList<Level> levelsOf(const TuningCurve& curve) {
    QList<Level> levels{{curve.targetHertz / 1e3,
                         QStringLiteral("target ") + kilohertzText(float(curve.targetHertz)) +
                             QStringLiteral(" kHz"),
                         kTarget, false}};
    const auto add = [&](const std::optional<double>& hertz, const QString& name) {
        if (!hertz || !(*hertz > 0)) // a damaged file's secondary
            return;
        for (Level& level : levels)
            if (std::abs(level.kilohertz * 1e3 / *hertz - 1) < kSameLine) {
                level.label += QStringLiteral(" = ") + name;
                return;
            }
        levels.append({*hertz / 1e3,
                       name + u' ' + kilohertzText(float(*hertz)) + QStringLiteral(" kHz"),
                       kSecondary, true});
    };
    add(curve.quarterWaveHertz, QStringLiteral("¼ wave"));
    add(curve.loadedHertz, QStringLiteral("top load"));
    return levels;
}

// Where values land on the chart.
struct Scale {
    QRectF plot;
    double firstTurn, lastTurn;
    double low, high; // kilohertz

    double x(double turn) const {
        return plot.left() + (turn - firstTurn) / (lastTurn - firstTurn) * plot.width();
    }
    double y(double kilohertz) const {
        return plot.bottom() - std::log(kilohertz / low) / std::log(high / low) * plot.height();
    }
};

class Chart {
public:
    Chart(QPainter& painter, const TuningCurve& curve, const QRectF& area)
        : m_painter(painter), m_curve(curve), m_area(area),
          m_metrics(painter.font(), painter.device()), m_em(m_metrics.height()),
          m_levels(levelsOf(curve)) {}

    void draw() {
        layOut();
        drawGrid();
        drawLevels();
        drawCurve();
        labelLevels();
        drawTap();
        drawFrame();
    }

private:
    QPen pen(const QColor& colour, double widthInEms, Qt::PenStyle style = Qt::SolidLine) const {
        QPen pen(colour, std::max(1.0, widthInEms * m_em), style);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }

    void layOut() {
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

        // Room for the unit above the chart, the turn numbers and their title
        // below, the widest frequency at the left.
        m_s.plot.setTop(m_area.top() + 1.6 * m_em);
        m_s.plot.setBottom(m_area.bottom() - 2.6 * m_em);
        for (const QList<double>& set : kTickSets) {
            m_ticks = ticks(set);
            if (closestTicks() >= 1.8 * m_em)
                break;
        }
        double widest = 0;
        for (double tick : m_ticks)
            widest = std::max(widest, m_metrics.horizontalAdvance(tickText(tick)));
        const double left = m_area.left() + widest + 0.8 * m_em;
        const double right = m_area.right() - 0.8 * m_em;
        m_s.plot.setLeft(left);
        m_s.plot.setRight(right);
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

    void drawGrid() {
        QPainter& p = m_painter;
        const QRectF& plot = m_s.plot;
        for (double tick : m_ticks) {
            const double y = m_s.y(tick);
            p.setPen(pen(kGrid, 0.05));
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p.setPen(kInk);
            p.drawText(
                QRectF(m_area.left(), y - m_em / 2, plot.left() - m_area.left() - 0.4 * m_em, m_em),
                Qt::AlignRight | Qt::AlignVCenter, tickText(tick));
        }
        // Every turn numbered where there is room, else every second or fifth.
        const double perTurn = plot.width() / (m_s.lastTurn - m_s.firstTurn);
        const double label = m_metrics.horizontalAdvance(QStringLiteral("15")) + 0.6 * m_em;
        const int every = perTurn >= label ? 1 : perTurn * 2 >= label ? 2 : 5;
        for (int turn = int(m_s.firstTurn); turn <= int(m_s.lastTurn); ++turn) {
            const double x = m_s.x(turn);
            p.setPen(pen(kGrid, 0.05));
            p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            p.setPen(pen(kInk, 0.06));
            p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 0.25 * m_em));
            if (turn % every == 0 || turn == int(m_s.firstTurn))
                p.drawText(QRectF(x - 2 * m_em, plot.bottom() + 0.25 * m_em, 4 * m_em, m_em),
                           Qt::AlignHCenter | Qt::AlignTop, QString::number(turn));
        }
        p.setPen(kInk);
        p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * m_em, plot.width(), m_em),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Tapped at turn"));
        p.drawText(QRectF(m_area.left() + 0.2 * m_em, m_area.top() + 0.2 * m_em,
                          m_area.width() - 0.4 * m_em, m_em),
                   Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Resonant frequency (kHz)"));
    }

    // The lines, the dashed ones first so that the target is drawn over them.
    void drawLevels() {
        QPainter& p = m_painter;
        for (bool dashed : {true, false})
            for (const Level& level : m_levels)
                if (level.dashed == dashed) {
                    p.setPen(pen(level.colour, dashed ? 0.08 : 0.1,
                                 dashed ? Qt::DashLine : Qt::SolidLine));
                    const double y = m_s.y(level.kilohertz);
                    p.drawLine(QPointF(m_s.plot.left(), y), QPointF(m_s.plot.right(), y));
                }
    }

    // Where the falling curve first comes down to the height: left of it the
    // curve is above, right of it below.
    double curveMeets(double y) const {
        QPointF before(m_s.plot.left(), m_s.plot.top());
        for (const TuningPoint& point : m_curve.points) {
            const QPointF at(m_s.x(point.turn), m_s.y(point.hertz / 1e3));
            if (at.y() >= y)
                return at.y() == before.y()
                           ? at.x()
                           : before.x() +
                                 (y - before.y()) / (at.y() - before.y()) * (at.x() - before.x());
            before = at;
        }
        return m_s.plot.right();
    }

    // Each label over its line at the right end, where the curve has gone
    // below it, or under it at the left, where the curve is still above;
    // moved clear of the labels placed before.
    void labelLevels() {
        QPainter& p = m_painter;
        QList<QRectF> placed;
        for (const Level& level : m_levels) {
            const double y = m_s.y(level.kilohertz);
            const double meets = curveMeets(y);
            const double width = m_metrics.horizontalAdvance(level.label) + 0.4 * m_em;
            const double right = m_s.plot.right() - meets;
            const double left = meets - m_s.plot.left();
            const bool over = right >= width || (left < width && right >= left);
            QRectF box = over ? QRectF(std::max(m_s.plot.left(), m_s.plot.right() - width),
                                       y - 1.1 * m_em, width, m_em)
                              : QRectF(m_s.plot.left(), y + 0.1 * m_em, width, m_em);
            for (const QRectF& other : placed)
                if (box.intersects(other))
                    box.moveTop(over ? other.top() - m_em : other.bottom());
            placed << box;
            p.fillRect(box, kPaper);
            p.setPen(level.colour);
            p.drawText(box, Qt::AlignCenter, level.label);
        }
    }

    void drawCurve() {
        QPainter& p = m_painter;
        QPolygonF line;
        for (const TuningPoint& point : m_curve.points)
            line << QPointF(m_s.x(point.turn), m_s.y(point.hertz / 1e3));
        p.setPen(pen(kCurve, 0.12));
        p.drawPolyline(line);
        p.setPen(pen(kCurve, 0.06));
        p.setBrush(kCurve);
        const double radius = 0.18 * m_em;
        for (const QPointF& at : line)
            p.drawEllipse(at, radius, radius);
        p.setBrush(Qt::NoBrush);
    }

    // A ring where the curve meets the target, a dotted drop to the turns,
    // and the pair of turns to tap between.
    void drawTap() {
        if (!m_curve.crossingTurn || !m_curve.tap)
            return;
        QPainter& p = m_painter;
        const QPointF at(m_s.x(*m_curve.crossingTurn), m_s.y(m_curve.targetHertz / 1e3));
        p.setPen(pen(kTarget, 0.06, Qt::DotLine));
        p.drawLine(at, QPointF(at.x(), m_s.plot.bottom()));
        const double radius = 0.4 * m_em;
        p.setPen(pen(kTarget, 0.12));
        p.setBrush(kPaper);
        p.drawEllipse(at, radius, radius);
        p.setBrush(Qt::NoBrush);
        const QString label =
            QStringLiteral("tap %1–%2").arg(m_curve.tap->afterTurn).arg(m_curve.tap->beforeTurn);
        // At the foot of the drop, on the left, where the curve is still high.
        const double width = m_metrics.horizontalAdvance(label) + 0.4 * m_em;
        const QRectF box(at.x() - width - 0.1 * m_em, m_s.plot.bottom() - 1.1 * m_em, width, m_em);
        p.fillRect(box, kPaper);
        p.drawText(box, Qt::AlignCenter, label);
    }

    void drawFrame() {
        m_painter.setPen(pen(kInk, 0.08));
        m_painter.drawRect(m_s.plot);
    }

    QPainter& m_painter;
    const TuningCurve& m_curve;
    QRectF m_area;
    QFontMetricsF m_metrics;
    double m_em;
    QList<Level> m_levels;
    Scale m_s{};
    QList<double> m_ticks;
};

} // namespace

void paintTuningPlot(QPainter& painter, const TuningCurve& curve, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kPaper);
    if (curve.isEmpty()) {
        painter.setPen(kFaint);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("No tuning curve until the primary is calculated"));
    } else {
        Chart(painter, curve, area).draw();
    }
    painter.restore();
}

} // namespace resonex::gui
