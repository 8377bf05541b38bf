#pragma once

#include "gui/plot/Chart.h"

#include <QPen>

#include <functional>

class QPainter;

namespace resonex::gui {

// Paints a chart's parts on paper: white, dark lines and texts whatever the
// theme, and still apart when printed in grey. Widths are in lines of the
// chart's text (its em), at least a pixel.
class ChartPainter {
public:
    ChartPainter(QPainter& painter, double em) : m_painter(painter), m_em(em) {}

    static const QColor& paper();
    static QColor colourOf(PlotInk ink);

    QPen pen(const QColor& colour, double widthInEms, Qt::PenStyle style = Qt::SolidLine) const;

    // Faint lines across the frame at the heights and places given.
    void drawGrid(const QRectF& frame, const QList<double>& ys, const QList<double>& xs);
    // Short marks under the frame at the places given.
    void drawTicksBelow(const QRectF& frame, const QList<double>& xs);
    // The axes' texts and notes as they are; the names on paper, hiding the
    // grid and lines they stand over.
    void drawTexts(const QList<PlotText>& texts, const QList<PlotText>& names);
    // The keys before the names above the chart, a ring of the radius given.
    void drawKeys(const QList<PlotKey>& keys, double ringRadius);
    void drawFrame(const QRectF& frame);

private:
    QPainter& m_painter;
    double m_em;
};

// The area as paper with the chart drawn on it, smoothed; or, where there is
// nothing to plot, a word saying why.
void paintOnPaper(QPainter& painter, const QRectF& area, const QString& nothingToPlot,
                  const std::function<void()>& draw);

} // namespace resonex::gui
