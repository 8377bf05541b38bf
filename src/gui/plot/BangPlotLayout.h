#pragma once

#include "core/physics/Bang.h"
#include "gui/plot/Chart.h"

#include <optional>
#include <vector>

namespace resonex::gui {

// What the bang plot shows: the waveform from the firing, and the notches
// and the quench marked on it (seconds).
struct BangTrace {
    std::vector<physics::BangSample> samples; // in the order of time
    std::vector<double> notches;
    std::optional<double> quench;
};
BangTrace bangTraceOf(const physics::Bang& bang);

// The time the plot runs to: with a quench three times its time, the bang
// up to it and twice as long of the secondary ringing down alone; without
// one, three notches' worth (six times the first, the notches coming at odd
// multiples of it); without a notch, the whole waveform. Never past the
// waveform's end. Not the ring-down to 1/e: a secondary's Q in the hundreds
// or thousands would put the quench within the first pixels.
double bangPlotSpan(const BangTrace& trace);

// A vertical mark at an event: through both panes and, above the upper one,
// up to its name's middle (top: the upper pane's top when it has none).
struct PlotMark {
    double x;
    double top;
    PlotInk ink;
    bool dashed;
};

// Where every part of the bang plot goes, in the painter's units: two panes
// one over the other sharing the time axis, the primary current in the upper
// one and the top voltage in the lower, each on its own scale at the left.
// The marks' names stand in rows over the upper pane, so they never meet the
// curves; everything is worked out before it is painted so that no text
// covers another or a line.
struct BangPlotLayout {
    double em = 0;
    QRectF currentPane;
    QRectF voltagePane;
    QList<double> timeLines; // in both panes, with a tick under the lower
    QList<double> currentLines;
    QList<double> voltageLines;
    QList<PlotText> axisTexts;
    // At most two points a column of the painter's units (columnExtremes).
    QPolygonF current;
    QPolygonF voltage;
    QList<PlotMark> marks;
    QList<PlotText> labels; // the marks' names
};

BangPlotLayout layOutBangPlot(const BangTrace& trace, const QRectF& area,
                              const QFontMetricsF& metrics);

} // namespace resonex::gui
