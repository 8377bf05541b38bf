#pragma once

#include "gui/plot/BangPlotLayout.h"

#include <QString>

#include <optional>

class QPainter;

namespace resonex {
struct BangResults;
}

namespace resonex::gui {

// The bang as the plot takes it: its trace, or why there is none.
struct BangPicture {
    std::optional<BangTrace> trace;
    QString absence;
};
BangPicture bangPictureOf(const BangResults& results);

// The bang in time on paper, as the tuning plot is drawn (ChartPainter):
// the primary current over the top voltage, the notches dashed and the
// quench solid across both; without a bang, the paper and why.
void paintBangPlot(QPainter& painter, const BangPicture& picture, const QRectF& area);

} // namespace resonex::gui
