#pragma once

#include "core/physics/Bang.h"
#include "core/physics/Burst.h"
#include "gui/plot/Chart.h"

#include <optional>
#include <vector>

namespace resonex::gui {

// An event marked on the plot at its time (seconds) under its name. The
// marks of a series (the notches) that crowd together on the chart are too
// many to tell apart: then only the series' first is marked.
struct TraceMark {
    double seconds;
    QString name;
    PlotInk ink;
    bool dashed;
    bool inSeries = false;
};

// What the plot shows: the waveform from t = 0, the events marked on it, and
// the time it runs to (never past the waveform's end).
struct BangTrace {
    std::vector<physics::BangSample> samples; // in the order of time
    std::vector<TraceMark> marks;
    double span = 0;
};
// The bang: its notches dashed ("notch N") and the quench solid.
BangTrace bangTraceOf(const physics::Bang& bang);
// The burst: its peak current dashed ("peak"), and the bridge's stop solid
// ("stop", or "limit" where the over-current limit stopped it); the whole
// waveform, to the primary's opening and the secondary's two cycles after.
BangTrace burstTraceOf(const physics::Burst& burst);

// The time the bang's plot runs to: with a quench three times its time, the
// bang up to it and twice as long of the secondary ringing down alone;
// without one, three notches' worth (six times the first, the notches coming
// at odd multiples of it); without a notch, the whole waveform. Never past
// the waveform's end (whole). Not the ring-down to 1/e: a secondary's Q in
// the hundreds or thousands would put the quench within the first pixels.
double bangPlotSpan(const std::vector<double>& notches, std::optional<double> quench, double whole);

// A vertical mark at an event: through both panes and, above the upper one,
// up to its name's middle (top: the upper pane's top when it has none).
struct PlotMark {
    double x;
    double top;
    PlotInk ink;
    bool dashed;
};

// Where every part of the plot (a bang's or a burst's) goes, in the painter's units: two panes
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
