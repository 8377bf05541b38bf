#pragma once

#include "core/drawing/DesignDrawing.h"

#include <QFontMetricsF>

namespace resonex::gui {

// The drawing's texts are this size in points, so they read alike at every
// resolution.
inline constexpr double kDrawingTextPoints = 8;

// A text where it is painted: its box, turned to read upward when upright
// (the box is then tall and narrow).
struct DrawingText {
    QRectF box;
    QString text;
    bool upright = false;
};

// Where the drawing goes in an area of the painter: its scale, and the boxes
// of its texts, placed so that none covers another, a shape, a line or the
// scale bar, all inside the area. Worked out before anything is painted.
class DrawingLayout {
public:
    // From the drawing's units (y up) to the painter's (y down).
    QPointF map(const QPointF& point) const {
        return m_origin + QPointF(point.x() * m_scale, -point.y() * m_scale);
    }
    double length(double value) const { return value * m_scale; }
    QRectF rect(const QRectF& r) const {
        return QRectF(map(r.topLeft()), map(r.bottomRight())).normalized();
    }

    double line = 0;                   // a line of text: lines are sized from it
    double tick = 0;                   // the ticks at a dimension's ends
    QList<DrawingText> dimensionTexts; // one for each of the drawing's dimensions
    QList<DrawingText> labelTexts;     // one for each of the drawing's labels
    QRectF scaleBar;
    DrawingText scaleText;
    // Under the drawing, wrapped to the area's width: close under it, so that
    // on a page they are not read as the next picture's.
    QList<DrawingText> notes;

private:
    friend DrawingLayout layOutDrawing(const DesignDrawing&, const QRectF&, const QFontMetricsF&);
    double m_scale = 1;
    QPointF m_origin;
};

// The layout of a drawing that is not empty, for texts of those metrics.
DrawingLayout layOutDrawing(const DesignDrawing& drawing, const QRectF& area,
                            const QFontMetricsF& metrics);

} // namespace resonex::gui
