#include "gui/plot/TuningPlot.h"

#include "core/model/TuningCurve.h"
#include "gui/plot/ChartPainter.h"
#include "gui/plot/TuningPlotLayout.h"

#include <QPainter>

namespace resonex::gui {

namespace {

class Painting {
public:
    Painting(QPainter& painter, const TuningPlotLayout& layout)
        : m_chart(painter, layout.em), m_painter(painter), m_layout(layout) {}

    void draw() {
        m_chart.drawGrid(m_layout.plot, m_layout.frequencyLines, m_layout.turnLines);
        m_chart.drawTicksBelow(m_layout.plot, m_layout.turnLines);
        drawLevels();
        drawCoupling();
        drawCurve();
        drawTap();
        m_chart.drawTexts(m_layout.axisTexts + m_layout.notes, m_layout.labels);
        m_chart.drawKeys(m_layout.keys, m_layout.ringRadius);
        m_chart.drawFrame(m_layout.plot);
    }

private:
    static QColor colourOf(PlotInk ink) { return ChartPainter::colourOf(ink); }
    QPen pen(const QColor& colour, double widthInEms, Qt::PenStyle style = Qt::SolidLine) const {
        return m_chart.pen(colour, widthInEms, style);
    }

    // The dashed lines first, so that the target is drawn over them.
    void drawLevels() {
        for (bool dashed : {true, false})
            for (const PlotLevel& level : m_layout.levels)
                if (level.dashed == dashed) {
                    m_painter.setPen(pen(colourOf(level.ink), dashed ? 0.08 : 0.1,
                                         dashed ? Qt::DashLine : Qt::SolidLine));
                    m_painter.drawLine(QPointF(m_layout.plot.left(), level.y),
                                       QPointF(m_layout.plot.right(), level.y));
                }
    }

    void drawCurve() {
        QPainter& p = m_painter;
        p.setPen(pen(colourOf(PlotInk::Curve), 0.12));
        p.drawPolyline(m_layout.curve);
        p.setPen(pen(colourOf(PlotInk::Curve), 0.12, Qt::DashLine));
        p.drawPolyline(m_layout.lead);
        p.setPen(pen(colourOf(PlotInk::Curve), 0.06));
        p.setBrush(colourOf(PlotInk::Curve));
        for (const QPointF& at : m_layout.curve)
            p.drawEllipse(at, m_layout.pointRadius, m_layout.pointRadius);
        p.setBrush(Qt::NoBrush);
    }

    // Dash-dotted with square marks, apart from the frequency's curve in grey
    // print too; its axis at the right has marks of its own.
    void drawCoupling() {
        if (m_layout.couplingCurve.isEmpty())
            return;
        QPainter& p = m_painter;
        const QRectF& plot = m_layout.plot;
        p.setPen(pen(colourOf(PlotInk::Coupling), 0.06));
        for (double y : m_layout.couplingTicks)
            p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + 0.25 * m_layout.em, y));
        p.setPen(pen(colourOf(PlotInk::Coupling), 0.1, Qt::DashDotLine));
        p.drawPolyline(m_layout.couplingCurve);
        p.setPen(Qt::NoPen);
        p.setBrush(colourOf(PlotInk::Coupling));
        const double side = 2 * m_layout.pointRadius;
        for (const QPointF& at : m_layout.couplingCurve)
            p.drawRect(QRectF(at.x() - side / 2, at.y() - side / 2, side, side));
        p.setBrush(Qt::NoBrush);
    }

    // A ring where the curve meets the target and a dotted drop to the turns.
    void drawTap() {
        if (!m_layout.ring)
            return;
        QPainter& p = m_painter;
        const QPointF at = *m_layout.ring;
        p.setPen(pen(colourOf(PlotInk::Target), 0.06, Qt::DotLine));
        p.drawLine(at, QPointF(at.x(), m_layout.plot.bottom()));
        p.setPen(pen(colourOf(PlotInk::Target), 0.12));
        p.setBrush(ChartPainter::paper());
        p.drawEllipse(at, m_layout.ringRadius, m_layout.ringRadius);
        p.setBrush(Qt::NoBrush);
    }

    ChartPainter m_chart;
    QPainter& m_painter;
    const TuningPlotLayout& m_layout;
};

} // namespace

void paintTuningPlot(QPainter& painter, const TuningCurve& curve, const QRectF& area) {
    paintOnPaper(painter, area,
                 curve.isEmpty() ? QStringLiteral("No tuning curve until the primary is calculated")
                                 : QString(),
                 [&] {
                     const TuningPlotLayout layout = layOutTuningPlot(
                         curve, area, QFontMetricsF(painter.font(), painter.device()));
                     Painting(painter, layout).draw();
                 });
}

} // namespace resonex::gui
