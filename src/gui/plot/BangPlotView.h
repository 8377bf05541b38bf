#pragma once

#include "gui/plot/BangPlot.h"

#include <QWidget>

namespace resonex::gui {

// The bang plot in a dialog: a picture, so out of the keyboard order, with a
// tool tip saying how to read it.
class BangPlotView : public QWidget {
    Q_OBJECT
public:
    explicit BangPlotView(QWidget* parent);

    const BangPicture& picture() const { return m_picture; }
    void setPicture(BangPicture picture);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BangPicture m_picture;
};

} // namespace resonex::gui
