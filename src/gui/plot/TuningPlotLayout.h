#pragma once

#include "gui/plot/Chart.h"

#include <optional>

namespace resonex {
struct TuningCurve;
}

namespace resonex::gui {

// A line across the chart at a frequency: the target or one of the
// secondary's.
struct PlotLevel {
    double y;
    PlotInk ink;
    bool dashed;
};

// Where every part of the tuning plot goes, in the painter's units. It is
// worked out before anything is painted so that the names are placed clear
// of the curve, its marks, the axes' texts and each other.
struct TuningPlotLayout {
    double em = 0; // a line of text: lines and marks are sized from it
    QRectF plot;   // the chart's frame
    QList<double> frequencyLines;
    QList<double> turnLines; // each with its tick below the frame
    QList<PlotText> axisTexts;
    QList<PlotLevel> levels;
    QPolygonF curve; // a point at each listed turn
    // The way from no turn to the first when the tap comes before it,
    // the inductance growing linearly as between the other turns.
    QPolygonF lead;
    double pointRadius = 0;
    // The coupling tapped after each turn, on its own scale at the right,
    // with a mark on that axis at each of its texts.
    QPolygonF couplingCurve;
    QList<double> couplingTicks;
    std::optional<QPointF> ring; // where the curve meets the target
    double ringRadius = 0;
    // The lines' names and the tap's, each clear of all the above.
    QList<PlotText> labels;
    QList<PlotKey> keys;
    // Under the chart: why there is no tap and what would bring one.
    QList<PlotText> notes;
};

// The layout of a curve with points in the area, for texts of those metrics.
TuningPlotLayout layOutTuningPlot(const TuningCurve& curve, const QRectF& area,
                                  const QFontMetricsF& metrics);

} // namespace resonex::gui
