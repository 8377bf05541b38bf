#include "gui/drawing/DrawingPainter.h"

#include "gui/drawing/DrawingLayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace resonex::gui {

namespace {

// Lines are this part of a text height wide.
constexpr double kLinePart = 1.0 / 14;
const QColor kInk(0, 0, 0);
const QColor kSheet(255, 255, 255);
const QColor kCopper(184, 115, 51);
const QColor kTapColour(204, 0, 0);
const QColor kFloorColour(128, 128, 128);

void drawCircle(QPainter& painter, const DrawingLayout& map, const DrawnCircle& circle) {
    const double r = map.length(circle.radius);
    painter.drawEllipse(map.map(circle.centre), r, r);
}

void drawText(QPainter& painter, const DrawingText& text) {
    if (!text.upright) {
        painter.drawText(text.box, Qt::AlignCenter, text.text);
        return;
    }
    // Turned to read upward.
    painter.save();
    painter.translate(text.box.center());
    painter.rotate(-90);
    painter.drawText(
        QRectF(-text.box.height() / 2, -text.box.width() / 2, text.box.height(), text.box.width()),
        Qt::AlignCenter, text.text);
    painter.restore();
}

// A dimension line with ticks at its ends.
void drawDimension(QPainter& painter, const DrawingLayout& map, const Dimension& dimension,
                   double tick) {
    const QPointF from = map.map(dimension.from);
    const QPointF to = map.map(dimension.to);
    painter.drawLine(from, to);
    const bool upright = qFuzzyCompare(from.x(), to.x());
    const QPointF across = upright ? QPointF(tick, 0) : QPointF(0, tick);
    for (const QPointF& end : {from, to})
        painter.drawLine(end - across, end + across);
}

// Where an upright dimension line is cut short: a gap between two slanted
// strokes.
void drawBreak(QPainter& painter, const QPointF& at, double tick) {
    const double gap = tick / 2;
    painter.fillRect(QRectF(at.x() - tick, at.y() - gap, 2 * tick, 2 * gap), kSheet);
    for (const double side : {-gap, gap})
        painter.drawLine(at + QPointF(-tick, side + tick / 3), at + QPointF(tick, side - tick / 3));
}

void drawTap(QPainter& painter, const DrawingLayout& map, const QPointF& tap, double size) {
    const QPointF at = map.map(tap);
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
    font.setPointSizeF(kDrawingTextPoints);
    painter.setFont(font);
    painter.setPen(kInk);
    if (drawing.isEmpty()) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, drawing.emptyText);
        painter.restore();
        return;
    }

    const DrawingLayout map = layOutDrawing(drawing, area, QFontMetricsF(font, painter.device()));
    const double line = map.line;
    const QPen pen(kInk, line * kLinePart);
    painter.setPen(pen);

    // The floor, the ceiling and the walls: grounded planes alike.
    painter.save();
    painter.setPen(QPen(kFloorColour, line * kLinePart, Qt::DashLine));
    painter.drawLine(map.map({drawing.floorLeft, 0}), map.map({drawing.floorRight, 0}));
    for (const QLineF& plane : drawing.room)
        painter.drawLine(map.map(plane.p1()), map.map(plane.p2()));
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
    // The strike rail grounded, in the planes' colour.
    painter.setBrush(kFloorColour);
    for (const DrawnCircle& circle : drawing.rail)
        drawCircle(painter, map, circle);
    painter.setBrush(Qt::NoBrush);
    for (const QPointF& tap : drawing.taps)
        drawTap(painter, map, tap,
                std::max(line / 4, map.length(drawing.primaryTurns[0].section.radius) * 1.6));

    const double tick = map.tick;
    for (const Dimension& dimension : drawing.dimensions)
        drawDimension(painter, map, dimension, tick);
    for (const QPointF& at : drawing.breaks)
        drawBreak(painter, map.map(at), tick);
    painter.fillRect(map.scaleBar, kInk);
    for (const DrawingText& text : map.dimensionTexts)
        drawText(painter, text);
    for (const DrawingText& text : map.labelTexts)
        drawText(painter, text);
    drawText(painter, map.scaleText);
    for (const DrawingText& note : map.notes)
        painter.drawText(note.box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note.text);
    painter.restore();
}

} // namespace resonex::gui
