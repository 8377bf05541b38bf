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

// A step of 1, 2, 2.5 or 5 times a power of ten that cuts the span into at
// most the given number of parts.
double niceStep(double span, int parts) {
    const double rough = span / std::max(parts, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10.0 * power;
}

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
                         QStringLiteral("Target ") + kilohertzText(float(curve.targetHertz)) +
                             QStringLiteral(" kHz"),
                         kTarget, false}};
    const auto add = [&](const std::optional<double>& hertz, const QString& name) {
        if (!hertz)
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
    add(curve.quarterWaveHertz, QStringLiteral("quarter wave"));
    add(curve.loadedHertz, QStringLiteral("with top load"));
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
        return plot.bottom() - (kilohertz - low) / (high - low) * plot.height();
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
        const double margin = std::max(0.04 * (high - low), 0.01 * high);
        low = std::max(0.0, low - margin);
        high += margin;

        m_s.firstTurn = std::min<double>(m_curve.points.constFirst().turn,
                                         std::floor(m_curve.crossingTurn.value_or(1)));
        m_s.lastTurn = std::max<double>(m_curve.points.constLast().turn, m_s.firstTurn + 1);

        // Room for the unit above the chart, the turn numbers and their title
        // below, the widest frequency at the left.
        const double top = m_area.top() + 1.6 * m_em;
        const double bottom = m_area.bottom() - 2.6 * m_em;
        const int rows = std::clamp(int((bottom - top) / (2.2 * m_em)), 2, 8);
        m_step = niceStep(high - low, rows);
        m_s.low = std::floor(low / m_step) * m_step;
        m_s.high = std::ceil(high / m_step) * m_step;
        double widest = 0;
        for (double tick = m_s.low; tick <= m_s.high + m_step / 2; tick += m_step)
            widest = std::max(widest, m_metrics.horizontalAdvance(tickText(tick)));
        const double left = m_area.left() + widest + 0.8 * m_em;
        const double right = m_area.right() - 0.8 * m_em;
        m_s.plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    }

    QString tickText(double kilohertz) const {
        return text::generalText(float(std::round(kilohertz / m_step) * m_step));
    }

    void drawGrid() {
        QPainter& p = m_painter;
        const QRectF& plot = m_s.plot;
        for (double tick = m_s.low; tick <= m_s.high + m_step / 2; tick += m_step) {
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
                   Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("Resonant frequency of the primary circuit (kHz)"));
    }

    // Each label at the right end of its line, above it, or below it where
    // it would cover the label before.
    void drawLevels() {
        QPainter& p = m_painter;
        QList<Level> levels = m_levels;
        std::sort(levels.begin(), levels.end(),
                  [](const Level& a, const Level& b) { return a.kilohertz > b.kilohertz; });
        // The dashed ones first, so that the target is drawn over them.
        for (bool dashed : {true, false})
            for (const Level& level : levels)
                if (level.dashed == dashed) {
                    p.setPen(pen(level.colour, dashed ? 0.08 : 0.1,
                                 dashed ? Qt::DashLine : Qt::SolidLine));
                    const double y = m_s.y(level.kilohertz);
                    p.drawLine(QPointF(m_s.plot.left(), y), QPointF(m_s.plot.right(), y));
                }
        QRectF previous;
        for (const Level& level : levels) {
            const double y = m_s.y(level.kilohertz);
            const double width = m_metrics.horizontalAdvance(level.label) + 0.4 * m_em;
            QRectF box(m_s.plot.right() - width - 0.2 * m_em, y - m_em - 0.1 * m_em, width, m_em);
            if (!previous.isNull() && box.intersects(previous))
                box.moveTop(std::max(y + 0.1 * m_em, previous.bottom()));
            p.fillRect(box, kPaper);
            p.setPen(level.colour);
            p.drawText(box, Qt::AlignCenter, level.label);
            previous = box;
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
        // Below and to the left, where the curve has already passed above.
        const double width = m_metrics.horizontalAdvance(label) + 0.4 * m_em;
        QRectF box(at.x() - radius - width, at.y() + radius, width, m_em);
        if (box.left() < m_s.plot.left())
            box.moveLeft(at.x() + radius);
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
    double m_step = 1;
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
