// Drawn with QPainter alone rather than Qt Charts: Debian does not install
// that module with Qt, it is a heavy dependency for one line chart, and the
// same painter has to draw on printer and SVG pages as well as the screen.
#include "gui/plot/TuningPlot.h"

#include "core/model/TuningCurve.h"
#include "gui/plot/TuningPlotLayout.h"

#include <QPainter>

#include <algorithm>

namespace resonex::gui {

namespace {

// Dark on white whatever the theme, and still apart when printed in grey.
const QColor kPaper(Qt::white);
const QColor kInk(0x20, 0x20, 0x20);
const QColor kGrid(0xd8, 0xd8, 0xd8);
const QColor kCurve(0x1f, 0x3a, 0x93);
const QColor kTarget(0xa0, 0x10, 0x10);
const QColor kSecondary(0x2e, 0x6b, 0x2e);
const QColor kCoupling(0xa8, 0x55, 0x00);
const QColor kFaint(0x70, 0x70, 0x70);

QColor colourOf(PlotInk ink) {
    switch (ink) {
    case PlotInk::Curve:
        return kCurve;
    case PlotInk::Target:
        return kTarget;
    case PlotInk::Secondary:
        return kSecondary;
    case PlotInk::Coupling:
        return kCoupling;
    case PlotInk::Text:
        break;
    }
    return kInk;
}

class Painting {
public:
    Painting(QPainter& painter, const TuningPlotLayout& layout)
        : m_painter(painter), m_layout(layout) {}

    void draw() {
        drawGrid();
        drawLevels();
        drawCoupling();
        drawCurve();
        drawTap();
        drawTexts();
        drawKeys();
        m_painter.setPen(pen(kInk, 0.08));
        m_painter.drawRect(m_layout.plot);
    }

private:
    QPen pen(const QColor& colour, double widthInEms, Qt::PenStyle style = Qt::SolidLine) const {
        QPen pen(colour, std::max(1.0, widthInEms * m_layout.em), style);
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }

    void drawGrid() {
        QPainter& p = m_painter;
        const QRectF& plot = m_layout.plot;
        p.setPen(pen(kGrid, 0.05));
        for (double y : m_layout.frequencyLines)
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        for (double x : m_layout.turnLines)
            p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(pen(kInk, 0.06));
        for (double x : m_layout.turnLines)
            p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 0.25 * m_layout.em));
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
        p.setPen(pen(kCurve, 0.12));
        p.drawPolyline(m_layout.curve);
        p.setPen(pen(kCurve, 0.12, Qt::DashLine));
        p.drawPolyline(m_layout.lead);
        p.setPen(pen(kCurve, 0.06));
        p.setBrush(kCurve);
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
        p.setPen(pen(kCoupling, 0.06));
        for (double y : m_layout.couplingTicks)
            p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + 0.25 * m_layout.em, y));
        p.setPen(pen(kCoupling, 0.1, Qt::DashDotLine));
        p.drawPolyline(m_layout.couplingCurve);
        p.setPen(Qt::NoPen);
        p.setBrush(kCoupling);
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
        p.setPen(pen(kTarget, 0.06, Qt::DotLine));
        p.drawLine(at, QPointF(at.x(), m_layout.plot.bottom()));
        p.setPen(pen(kTarget, 0.12));
        p.setBrush(kPaper);
        p.drawEllipse(at, m_layout.ringRadius, m_layout.ringRadius);
        p.setBrush(Qt::NoBrush);
    }

    // The names on paper, hiding the grid and lines they stand over.
    void drawTexts() {
        QPainter& p = m_painter;
        for (const PlotText& text : m_layout.axisTexts + m_layout.notes) {
            p.setPen(colourOf(text.ink));
            p.drawText(text.box, text.flags, text.text);
        }
        for (const PlotText& label : m_layout.labels) {
            p.fillRect(label.box, kPaper);
            p.setPen(colourOf(label.ink));
            p.drawText(label.box, label.flags, label.text);
        }
    }

    void drawKeys() {
        QPainter& p = m_painter;
        for (const PlotKey& key : m_layout.keys) {
            const QColor colour = colourOf(key.ink);
            const QPointF middle = key.box.center();
            switch (key.shape) {
            case PlotKey::Shape::Ring:
                p.setPen(pen(colour, 0.12));
                p.drawEllipse(middle, m_layout.ringRadius, m_layout.ringRadius);
                break;
            case PlotKey::Shape::Line:
            case PlotKey::Shape::DashedLine:
                p.setPen(pen(colour, 0.1,
                             key.shape == PlotKey::Shape::Line ? Qt::SolidLine : Qt::DashLine));
                p.drawLine(QPointF(key.box.left(), middle.y()),
                           QPointF(key.box.right(), middle.y()));
                break;
            }
        }
    }

    QPainter& m_painter;
    const TuningPlotLayout& m_layout;
};

} // namespace

void paintTuningPlot(QPainter& painter, const TuningCurve& curve, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kPaper);
    if (curve.isEmpty()) {
        painter.setPen(kFaint);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("No tuning curve until the primary is calculated"));
    } else {
        const TuningPlotLayout layout =
            layOutTuningPlot(curve, area, QFontMetricsF(painter.font(), painter.device()));
        Painting(painter, layout).draw();
    }
    painter.restore();
}

} // namespace resonex::gui
