#include "gui/drawing/DrawingLayout.h"

#include <QLineF>

#include <algorithm>

namespace resonex::gui {

namespace {

// Room around the drawing for the texts outside it, in text heights.
constexpr double kMarginLines = 2;
// Ticks at the ends of a dimension line are this part of a text height.
constexpr double kTickPart = 1.0 / 3;
// How far out a text is tried beyond its own place, in text heights.
constexpr int kFurthest = 8;
// A try that leaves a text without room draws the drawing this much smaller.
constexpr double kShrink = 0.8;
constexpr int kTries = 12;

QRectF boxOf(const DrawnCircle& circle) {
    const double r = circle.radius;
    return {circle.centre.x() - r, circle.centre.y() - r, 2 * r, 2 * r};
}

// A painted line's box, as wide as the given part of a tick either side.
QRectF strokeOf(const QPointF& from, const QPointF& to, double half) {
    return QRectF(from, to).normalized().adjusted(-half, -half, half, half);
}

class Placement {
public:
    Placement(const DesignDrawing& drawing, const QRectF& room, const QFontMetricsF& metrics,
              DrawingLayout& layout)
        : m_drawing(drawing), m_room(room), m_metrics(metrics), m_layout(layout),
          m_tick(layout.tick) {}

    // Whether every text found a place clear of the others.
    bool placeAll() {
        m_placed.clear();
        m_obstacles.clear();
        for (const QRectF& side : m_drawing.winding)
            m_obstacles << m_layout.rect(side);
        for (const PrimaryTurn& turn : m_drawing.primaryTurns)
            m_obstacles << m_layout.rect(boxOf(turn.section));
        for (const DrawnCircle& circle : m_drawing.topLoad + m_drawing.rail)
            m_obstacles << m_layout.rect(boxOf(circle));
        // The room's lines, as wide as a tick either side.
        for (const QLineF& line : m_drawing.room)
            m_obstacles << strokeOf(m_layout.map(line.p1()), m_layout.map(line.p2()), m_tick / 2);
        // The floor and the dimension lines with their ticks, the texts
        // standing off them by more than these strokes' half width.
        const double stroke = m_tick / 4;
        m_obstacles << strokeOf(m_layout.map({m_drawing.floorLeft, 0}),
                                m_layout.map({m_drawing.floorRight, 0}), stroke);
        for (const Dimension& dimension : m_drawing.dimensions) {
            const QPointF from = m_layout.map(dimension.from);
            const QPointF to = m_layout.map(dimension.to);
            m_obstacles << strokeOf(from, to, stroke);
            const QPointF across =
                qFuzzyCompare(from.x(), to.x()) ? QPointF(m_tick, 0) : QPointF(0, m_tick);
            for (const QPointF& end : {from, to})
                m_obstacles << strokeOf(end - across, end + across, stroke);
        }
        const ScaleBar& scale = m_drawing.scale;
        const QPointF start = m_layout.map(scale.start);
        const QPointF end = m_layout.map(scale.start + QPointF(scale.length, 0));
        m_layout.scaleBar =
            QRectF(start - QPointF(0, m_tick / 2), end + QPointF(0, m_tick / 2)).normalized();
        m_obstacles << m_layout.scaleBar;
        for (const QPointF& at : m_drawing.breaks)
            m_obstacles << QRectF(m_layout.map(at) - QPointF(m_tick, m_tick),
                                  QSizeF(2 * m_tick, 2 * m_tick));

        bool all = true;
        const double width = m_metrics.horizontalAdvance(scale.text);
        const double h = m_layout.line;
        QList<QRectF> under;
        for (int out = 0; out <= kFurthest; ++out)
            under << QRectF(start.x(), start.y() + m_tick + out * h, width, h)
                  << QRectF(end.x() + m_tick, start.y() - h / 2 + out * h, width, h);
        all &= place(under, scale.text, false, m_layout.scaleText);

        m_layout.dimensionTexts.clear();
        for (const Dimension& dimension : m_drawing.dimensions) {
            DrawingText text;
            all &= placeDimension(dimension, text);
            m_layout.dimensionTexts << text;
        }
        m_layout.labelTexts.clear();
        for (const Label& label : m_drawing.labels) {
            DrawingText text;
            all &= placeLabel(label, text);
            m_layout.labelTexts << text;
        }
        return all;
    }

private:
    bool clear(const QRectF& box) const {
        if (!m_room.contains(box))
            return false;
        for (const QRectF& other : m_placed + m_obstacles)
            if (other.intersects(box))
                return false;
        return true;
    }

    // The first clear box, or the first of all when none is.
    bool place(const QList<QRectF>& boxes, const QString& text, bool upright, DrawingText& placed) {
        for (const QRectF& box : boxes)
            if (clear(box)) {
                placed = {box, text, upright};
                m_placed << box;
                return true;
            }
        placed = {boxes.constFirst(), text, upright};
        return false;
    }

    // Set beside its line, above a level one or left of an upright one (below
    // when the drawing asks), where it fits; else beyond either end, on the
    // other side, or further out.
    bool placeDimension(const Dimension& dimension, DrawingText& placed) {
        const QPointF from = m_layout.map(dimension.from);
        const QPointF to = m_layout.map(dimension.to);
        const bool upright = qFuzzyCompare(from.x(), to.x());
        const double width = m_metrics.horizontalAdvance(dimension.text);
        const double h = m_layout.line;
        const double length = QLineF(from, to).length();
        const QPointF middle = (from + to) / 2;
        QList<QRectF> boxes;
        if (upright) {
            const double top = std::min(from.y(), to.y());
            const double bottom = std::max(from.y(), to.y());
            const QRectF left(from.x() - m_tick / 2 - h, middle.y() - width / 2, h, width);
            if (width + m_tick <= length)
                boxes << left;
            boxes << QRectF(from.x() - h / 2, top - m_tick - width, h, width)
                  << QRectF(from.x() - h / 2, bottom + m_tick, h, width);
            for (int out = 1; out <= kFurthest; ++out)
                boxes << left.translated(-out * h, 0);
            boxes << left.translated(m_tick + h, 0);
        } else {
            const double side = dimension.textBelow ? 1 : -1;
            const double y = from.y();
            const QRectF beside(middle.x() - width / 2,
                                dimension.textBelow ? y + m_tick / 2 : y - m_tick / 2 - h, width,
                                h);
            if (width + m_tick <= length)
                boxes << beside;
            const double right = std::max(from.x(), to.x());
            const double leftEnd = std::min(from.x(), to.x());
            boxes << QRectF(right + m_tick, y - h / 2, width, h)
                  << QRectF(leftEnd - m_tick - width, y - h / 2, width, h);
            for (int out = 1; out <= kFurthest; ++out)
                boxes << beside.translated(0, side * out * h);
            boxes << beside.translated(0, -side * (m_tick + h));
        }
        return place(boxes, dimension.text, upright, placed);
    }

    // Beside the line it names, from its first end on: under a level line
    // (in the room), left of an upright one, right of a point's circle; then
    // on the other side, then further out.
    bool placeLabel(const Label& label, DrawingText& placed) {
        const QPointF first = m_layout.map(label.along.p1());
        const QPointF last = m_layout.map(label.along.p2());
        const double width = m_metrics.horizontalAdvance(label.text);
        const double h = m_layout.line;
        const double off = 0.75 * m_tick + m_layout.length(label.radius);
        QList<QRectF> boxes;
        constexpr int kSteps = 8;
        for (int out = 0; out <= kFurthest; ++out)
            for (int step = 0; step <= kSteps; ++step) {
                const QPointF at = first + (last - first) * step / kSteps;
                const double away = off + out * h / 2;
                if (label.along.p1() == label.along.p2()) {
                    boxes << QRectF(at.x() + away, at.y() - h / 2, width, h)
                          << QRectF(at.x() - width / 2, at.y() - away - h, width, h)
                          << QRectF(at.x() - width / 2, at.y() + away, width, h)
                          << QRectF(at.x() - away - width, at.y() - h / 2, width, h);
                    break;
                }
                if (qFuzzyCompare(first.x(), last.x()))
                    boxes << QRectF(at.x() - away - width, at.y(), width, h)
                          << QRectF(at.x() + away, at.y(), width, h);
                else
                    boxes << QRectF(at.x() - width, at.y() + away, width, h)
                          << QRectF(at.x() - width, at.y() - away - h, width, h);
            }
        return place(boxes, label.text, false, placed);
    }

    const DesignDrawing& m_drawing;
    QRectF m_room;
    const QFontMetricsF& m_metrics;
    DrawingLayout& m_layout;
    double m_tick;
    QList<QRectF> m_placed;
    QList<QRectF> m_obstacles;
};

} // namespace

DrawingLayout layOutDrawing(const DesignDrawing& drawing, const QRectF& area,
                            const QFontMetricsF& metrics) {
    DrawingLayout layout;
    layout.line = metrics.height();
    layout.tick = layout.line * kTickPart;
    // The notes at the foot of the area, the last lowest.
    QRectF room = area;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    for (qsizetype i = drawing.notes.size() - 1; i >= 0; --i) {
        const QRectF width(area.left() + layout.line / 2, 0, area.width() - layout.line, 1e9);
        const double height = metrics.boundingRect(width, flags, drawing.notes[i]).height();
        room.setBottom(room.bottom() - height - layout.line / 4);
        layout.notes.prepend(
            {QRectF(width.left(), room.bottom(), width.width(), height), drawing.notes[i]});
    }

    const double margin = kMarginLines * layout.line;
    const QRectF inner = room.adjusted(margin, margin, -margin, -margin);
    const QRectF& bounds = drawing.bounds;
    const double fits = std::max(0.0, std::min(inner.width() / std::max(bounds.width(), 1e-9),
                                               inner.height() / std::max(bounds.height(), 1e-9)));
    double shrink = 1;
    for (int attempt = 0; attempt < kTries; ++attempt, shrink *= kShrink) {
        layout.m_scale = fits * shrink;
        layout.m_origin = inner.center() + QPointF(-bounds.center().x() * layout.m_scale,
                                                   bounds.center().y() * layout.m_scale);
        if (Placement(drawing, room, metrics, layout).placeAll())
            break;
    }
    // The notes up to just under the lowest thing drawn.
    if (!layout.notes.isEmpty()) {
        double lowest = layout.rect(drawing.bounds).bottom();
        for (const DrawingText& text :
             layout.dimensionTexts + layout.labelTexts + QList{layout.scaleText})
            lowest = std::max(lowest, text.box.bottom());
        lowest = std::max(lowest, layout.scaleBar.bottom());
        const double up = layout.notes.constFirst().box.top() - (lowest + layout.line / 2);
        if (up > 0)
            for (DrawingText& note : layout.notes)
                note.box.translate(0, -up);
    }
    return layout;
}

} // namespace resonex::gui
