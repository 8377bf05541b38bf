#include "gui/plot/BangPlot.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/results/BangResultTexts.h"
#include "core/results/BurstResultTexts.h"
#include "gui/plot/ChartPainter.h"

#include <QPainter>

namespace resonex::gui {

namespace {

void paintLayout(QPainter& painter, const BangPlotLayout& layout) {
    ChartPainter chart(painter, layout.em);
    for (const QRectF* pane : {&layout.currentPane, &layout.voltagePane})
        chart.drawGrid(*pane,
                       pane == &layout.currentPane ? layout.currentLines : layout.voltageLines,
                       layout.timeLines);
    chart.drawTicksBelow(layout.voltagePane, layout.timeLines);
    // The marks under the curves, which they must not hide.
    for (const PlotMark& mark : layout.marks) {
        painter.setPen(chart.pen(ChartPainter::colourOf(mark.ink), mark.dashed ? 0.06 : 0.1,
                                 mark.dashed ? Qt::DashLine : Qt::SolidLine));
        painter.drawLine(QPointF(mark.x, mark.top), QPointF(mark.x, layout.currentPane.bottom()));
        painter.drawLine(QPointF(mark.x, layout.voltagePane.top()),
                         QPointF(mark.x, layout.voltagePane.bottom()));
    }
    painter.setPen(chart.pen(ChartPainter::colourOf(PlotInk::Curve), 0.08));
    painter.drawPolyline(layout.current);
    painter.setPen(chart.pen(ChartPainter::colourOf(PlotInk::Secondary), 0.08));
    painter.drawPolyline(layout.voltage);
    chart.drawTexts(layout.axisTexts, layout.labels);
    chart.drawFrame(layout.currentPane);
    chart.drawFrame(layout.voltagePane);
}

} // namespace

BangPicture bangPictureOf(const BangResults& results) {
    if (results.bang)
        return {bangTraceOf(*results.bang), QString()};
    // The summary's line saying why: the first of the bang's figures.
    return {std::nullopt, figureLabel(*bangFigures().begin(), results)};
}

BangPicture burstPictureOf(const BurstResults& results) {
    if (results.burst)
        return {burstTraceOf(*results.burst), QString()};
    return {std::nullopt, noBurstText(results)};
}

BangPicture pictureOfDesign(const CFile& doc) {
    return drivenByBridge(doc.added()) ? burstPictureOf(doc.results().burst())
                                       : bangPictureOf(doc.results().bang());
}

void paintBangPlot(QPainter& painter, const BangPicture& picture, const QRectF& area) {
    paintOnPaper(painter, area, picture.trace ? QString() : picture.absence, [&] {
        paintLayout(painter, layOutBangPlot(*picture.trace, area,
                                            QFontMetricsF(painter.font(), painter.device())));
    });
}

} // namespace resonex::gui
