#pragma once

#include "core/model/TuningCurve.h"

#include <QWidget>

namespace resonex::gui {

// The tuning curve in a dialog: a picture, so out of the keyboard order, with
// a tool tip saying how to read it.
class TuningPlotView : public QWidget {
    Q_OBJECT
public:
    explicit TuningPlotView(QWidget* parent);

    const TuningCurve& curve() const { return m_curve; }
    void setCurve(const TuningCurve& curve);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TuningCurve m_curve;
};

} // namespace resonex::gui
