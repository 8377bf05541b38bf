#pragma once

#include <QRectF>

class QPainter;

namespace resonex {
struct TuningCurve;
}

namespace resonex::gui {

// The primary's tuning curve as a line chart on paper: white, dark lines,
// sized from the painter's font so that it reads alike on a screen at any
// scale and on a printed or exported page. A curve without points draws the
// paper and a word saying there is nothing yet.
void paintTuningPlot(QPainter& painter, const TuningCurve& curve, const QRectF& area);

} // namespace resonex::gui
