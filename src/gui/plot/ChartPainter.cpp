// Drawn with QPainter alone rather than Qt Charts: Debian does not install
// that module with Qt, it is a heavy dependency for a few line charts, and the
// same painter has to draw on printer and SVG pages as well as the screen.
#include "gui/plot/ChartPainter.h"

#include <QPainter>

#include <algorithm>

namespace resonex::gui {

namespace {

const QColor kPaper(Qt::white);
const QColor kInk(0x20, 0x20, 0x20);
const QColor kGrid(0xd8, 0xd8, 0xd8);
const QColor kCurve(0x1f, 0x3a, 0x93);
const QColor kTarget(0xa0, 0x10, 0x10);
const QColor kSecondary(0x2e, 0x6b, 0x2e);
const QColor kCoupling(0xa8, 0x55, 0x00);
const QColor kFaint(0x70, 0x70, 0x70);

} // namespace

const QColor& ChartPainter::paper() { return kPaper; }

QColor ChartPainter::colourOf(PlotInk ink) {
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

QPen ChartPainter::pen(const QColor& colour, double widthInEms, Qt::PenStyle style) const {
    QPen pen(colour, std::max(1.0, widthInEms * m_em), style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void ChartPainter::drawGrid(const QRectF& frame, const QList<double>& ys, const QList<double>& xs) {
    QPainter& p = m_painter;
    p.setPen(pen(kGrid, 0.05));
    for (double y : ys)
        p.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
    for (double x : xs)
        p.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
}

void ChartPainter::drawTicksBelow(const QRectF& frame, const QList<double>& xs) {
    m_painter.setPen(pen(kInk, 0.06));
    for (double x : xs)
        m_painter.drawLine(QPointF(x, frame.bottom()), QPointF(x, frame.bottom() + 0.25 * m_em));
}

void ChartPainter::drawTexts(const QList<PlotText>& texts, const QList<PlotText>& names) {
    QPainter& p = m_painter;
    for (const PlotText& text : texts) {
        p.setPen(colourOf(text.ink));
        p.drawText(text.box, text.flags, text.text);
    }
    for (const PlotText& name : names) {
        p.fillRect(name.box, kPaper);
        p.setPen(colourOf(name.ink));
        p.drawText(name.box, name.flags, name.text);
    }
}

void ChartPainter::drawKeys(const QList<PlotKey>& keys, double ringRadius) {
    QPainter& p = m_painter;
    for (const PlotKey& key : keys) {
        const QColor colour = colourOf(key.ink);
        const QPointF middle = key.box.center();
        switch (key.shape) {
        case PlotKey::Shape::Ring:
            p.setPen(pen(colour, 0.12));
            p.drawEllipse(middle, ringRadius, ringRadius);
            break;
        case PlotKey::Shape::Line:
        case PlotKey::Shape::DashedLine:
            p.setPen(
                pen(colour, 0.1, key.shape == PlotKey::Shape::Line ? Qt::SolidLine : Qt::DashLine));
            p.drawLine(QPointF(key.box.left(), middle.y()), QPointF(key.box.right(), middle.y()));
            break;
        }
    }
}

void ChartPainter::drawFrame(const QRectF& frame) {
    m_painter.setPen(pen(kInk, 0.08));
    m_painter.drawRect(frame);
}

void paintOnPaper(QPainter& painter, const QRectF& area, const QString& nothingToPlot,
                  const std::function<void()>& draw) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, kPaper);
    if (!nothingToPlot.isEmpty()) {
        painter.setPen(kFaint);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, nothingToPlot);
    } else {
        draw();
    }
    painter.restore();
}

} // namespace resonex::gui
