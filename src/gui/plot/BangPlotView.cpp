#include "gui/plot/BangPlotView.h"

#include <QPainter>

namespace resonex::gui {

BangPlotView::BangPlotView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBang"));
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Bang or burst in time"));
    setToolTip(QStringLiteral(
        "The primary current and the secondary's top voltage from the moment the gap fires.\n"
        "Notch: the primary current at its least, the bang's energy in the secondary.\n"
        "Quench: the gap stops conducting; the secondary then rings down alone.\n"
        "For a bridge, the burst: peak, the primary current at its largest; stop, the bridge "
        "stops driving (limit: the over-current limit stopped it)."));
}

void BangPlotView::setPicture(BangPicture picture) {
    m_picture = std::move(picture);
    update();
}

// Room for two panes of four or five marks each under the names of the
// notches and the quench, and for the times' marks.
QSize BangPlotView::sizeHint() const {
    return {56 * fontMetrics().averageCharWidth(), 19 * fontMetrics().lineSpacing()};
}

QSize BangPlotView::minimumSizeHint() const {
    return {36 * fontMetrics().averageCharWidth(), 17 * fontMetrics().lineSpacing()};
}

void BangPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    paintBangPlot(painter, m_picture, rect());
}

} // namespace resonex::gui
