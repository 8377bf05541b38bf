#include "gui/drawing/DrawingView.h"

#include "gui/drawing/DrawingPainter.h"

#include <QPainter>
#include <QTimer>

namespace resonex::gui {

DrawingView::DrawingView(Source source, QWidget* parent)
    : QWidget(parent), m_source(std::move(source)) {
    setObjectName(QStringLiteral("picDrawing"));
    // The sheet fills every pixel: nothing underneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingView::designChanged() {
    m_stale = true;
    if (isVisible())
        rebuild();
}

void DrawingView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        QTimer::singleShot(0, this, [this] {
            if (m_stale && isVisible())
                rebuild();
        });
}

void DrawingView::rebuild() {
    m_stale = false;
    DesignDrawing drawing = m_source();
    if (drawing == m_drawing)
        return;
    m_drawing = std::move(drawing);
    update();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintDrawing(painter, m_drawing, rect());
}

} // namespace resonex::gui
