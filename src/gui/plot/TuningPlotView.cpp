#include "gui/plot/TuningPlotView.h"

#include "gui/plot/TuningPlot.h"

#include <QPainter>

namespace resonex::gui {

TuningPlotView::TuningPlotView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picTuning"));
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Tuning curve"));
    setToolTip(QStringLiteral(
        "The resonant frequency of the primary circuit with the tap at each turn, for the "
        "capacitance calculated with.\nThe ring is where it meets the target frequency: tap "
        "between the two turns either side of it."));
}

void TuningPlotView::setCurve(const TuningCurve& curve) {
    m_curve = curve;
    update();
}

// Wide enough for every turn's number and the longest line's label.
QSize TuningPlotView::sizeHint() const {
    return {56 * fontMetrics().averageCharWidth(), 17 * fontMetrics().lineSpacing()};
}

QSize TuningPlotView::minimumSizeHint() const {
    return {36 * fontMetrics().averageCharWidth(), 12 * fontMetrics().lineSpacing()};
}

void TuningPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    paintTuningPlot(painter, m_curve, rect());
}

} // namespace resonex::gui
