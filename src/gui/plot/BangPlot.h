#pragma once

#include "gui/plot/BangPlotLayout.h"

#include <QString>

#include <optional>

class QPainter;

namespace resonex {
class CFile;
struct BangResults;
struct BurstResults;
} // namespace resonex

namespace resonex::gui {

// The bang or the burst as the plot takes it: its trace, or why there is
// none.
struct BangPicture {
    std::optional<BangTrace> trace;
    QString absence;
};
BangPicture bangPictureOf(const BangResults& results);
BangPicture burstPictureOf(const BurstResults& results);
// The design's: the burst's where a bridge drives the primary, else the
// bang's.
BangPicture pictureOfDesign(const CFile& doc);

// The bang or the burst in time on paper, as the tuning plot is drawn
// (ChartPainter): the primary current over the top voltage, the marks across
// both (BangTrace); without a trace, the paper and why.
void paintBangPlot(QPainter& painter, const BangPicture& picture, const QRectF& area);

} // namespace resonex::gui
