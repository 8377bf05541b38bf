#include "gui/drawing/DrawingPainter.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace resonex::gui {

namespace {

constexpr double kTextPoints = 8;
// Room around the drawing for the texts outside it, in text heights.
constexpr double kMarginLines = 2;
// Lines are this part of a text height wide.
constexpr double kLinePart = 1.0 / 14;
const QColor kInk(0, 0, 0);
const QColor kSheet(255, 255, 255);
const QColor kCopper(184, 115, 51);
const QColor kTapColour(204, 0, 0);
const QColor kFloorColour(128, 128, 128);

// From the drawing's units (y up) to the painter's (y down), centred in the
// area at the largest scale that fits.
class Mapping {
public:
    Mapping(const QRectF& bounds, const QRectF& area) {
        const double width = std::max(bounds.width(), 1e-9);
        const double height = std::max(bounds.height(), 1e-9);
        m_scale = std::min(area.width() / width, area.height() / height);
        m_origin =
            area.center() + QPointF(-bounds.center().x() * m_scale, bounds.center().y() * m_scale);
    }
    QPointF operator()(const QPointF& p) const {
        return m_origin + QPointF(p.x() * m_scale, -p.y() * m_scale);
    }
    double length(double value) const { return value * m_scale; }
    QRectF rect(const QRectF& r) const {
        return QRectF((*this)(r.topLeft()), (*this)(r.bottomRight())).normalized();
    }

private:
    double m_scale = 1;
    QPointF m_origin;
};

void drawCircle(QPainter& painter, const Mapping& map, const DrawnCircle& circle) {
    const double r = map.length(circle.radius);
    painter.drawEllipse(map(circle.centre), r, r);
}

// A dimension line with ticks at its ends and its text above or below it,
// turned to read upward when it stands upright.
void drawDimension(QPainter& painter, const Mapping& map, const Dimension& dimension, double tick) {
    const QPointF from = map(dimension.from);
    const QPointF to = map(dimension.to);
    painter.drawLine(from, to);
    const bool upright = qFuzzyCompare(from.x(), to.x());
    const QPointF across = upright ? QPointF(tick, 0) : QPointF(0, tick);
    for (const QPointF& end : {from, to})
        painter.drawLine(end - across, end + across);

    const QFontMetricsF metrics(painter.font(), painter.device());
    const double width = metrics.horizontalAdvance(dimension.text);
    painter.save();
    painter.translate((from + to) / 2);
    if (upright)
        painter.rotate(-90);
    const double length = QLineF(from, to).length();
    if (!upright && width + tick > length) {
        // Too long for its line (a slim coil's diameter): beside the right
        // end, clear of what the line spans.
        painter.drawText(QPointF(length / 2 + tick, (metrics.ascent() - metrics.descent()) / 2),
                         dimension.text);
    } else {
        const double baseline =
            dimension.textBelow ? metrics.ascent() + tick / 2 : -metrics.descent() - tick / 2;
        painter.drawText(QPointF(-width / 2, baseline), dimension.text);
    }
    painter.restore();
}

void drawScale(QPainter& painter, const Mapping& map, const ScaleBar& scale, double tick) {
    const QPointF start = map(scale.start);
    const QPointF end = map(scale.start + QPointF(scale.length, 0));
    painter.fillRect(QRectF(start - QPointF(0, tick / 2), end + QPointF(0, tick / 2)), kInk);
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(start + QPointF(0, tick + metrics.ascent()), scale.text);
}

void drawTap(QPainter& painter, const Mapping& map, const QPointF& tap, double size) {
    const QPointF at = map(tap);
    painter.save();
    painter.setPen(QPen(kTapColour, size / 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, size, size);
    painter.drawLine(at + QPointF(0, size), at + QPointF(0, 2.5 * size));
    painter.restore();
}

} // namespace

void paintDrawing(QPainter& painter, const DesignDrawing& drawing, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kSheet);
    QFont font = painter.font();
    font.setPointSizeF(kTextPoints);
    painter.setFont(font);
    painter.setPen(kInk);
    if (drawing.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, drawing.emptyText);
        painter.restore();
        return;
    }

    const double line = QFontMetricsF(font, painter.device()).height();
    const double margin = kMarginLines * line;
    const Mapping map(drawing.bounds, area.adjusted(margin, margin, -margin, -margin));
    const QPen pen(kInk, line * kLinePart);
    painter.setPen(pen);

    painter.save();
    painter.setPen(QPen(kFloorColour, line * kLinePart, Qt::DashLine));
    painter.drawLine(map({drawing.floorLeft, 0}), map({drawing.floorRight, 0}));
    painter.restore();

    painter.setBrush(QColor(kInk).lighter(300));
    for (const QRectF& side : drawing.winding)
        painter.drawRect(map.rect(side));
    for (const PrimaryTurn& turn : drawing.primaryTurns) {
        painter.setBrush(turn.inCircuit ? QBrush(kCopper) : QBrush(Qt::NoBrush));
        drawCircle(painter, map, turn.section);
    }
    painter.setBrush(Qt::NoBrush);
    for (const DrawnCircle& circle : drawing.topLoad)
        drawCircle(painter, map, circle);
    for (const QPointF& tap : drawing.taps)
        drawTap(painter, map, tap,
                std::max(line / 4, map.length(drawing.primaryTurns[0].section.radius) * 1.6));

    const double tick = line / 3;
    for (const Dimension& dimension : drawing.dimensions)
        drawDimension(painter, map, dimension, tick);
    drawScale(painter, map, drawing.scale, tick);
    painter.restore();
}

} // namespace resonex::gui
