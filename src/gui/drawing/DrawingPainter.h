#pragma once

#include "core/drawing/DesignDrawing.h"

class QPainter;
class QRectF;

namespace resonex::gui {

// Paints the drawing into the area on any painter (screen, printer, SVG,
// image), as large as fits without changing its proportions, black on a
// white sheet whatever the theme: the turns carrying current filled in copper,
// the rest in outline, the tap marked in red. Texts are sized in points, so
// they read alike at every resolution. An empty drawing shows its text.
void paintDrawing(QPainter& painter, const DesignDrawing& drawing, const QRectF& area);

} // namespace resonex::gui
