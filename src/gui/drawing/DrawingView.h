#pragma once

#include "core/drawing/DesignDrawing.h"

#include <QWidget>

#include <functional>

namespace resonex::gui {

// The drawing of the design, kept up to date with it. It is worked out only
// while the view can be seen, and after it has come up, so it never holds
// back a window's start; it repaints only when the drawing has changed.
class DrawingView : public QWidget {
    Q_OBJECT
public:
    using Source = std::function<DesignDrawing()>;

    explicit DrawingView(Source source, QWidget* parent = nullptr);

    // The design may have changed.
    void designChanged();

    const DesignDrawing& drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void rebuild();

    Source m_source;
    DesignDrawing m_drawing;
    bool m_stale = true;
};

} // namespace resonex::gui
