#include "gui/summary/PicturePage.h"

#include <QRectF>

namespace resonex::gui {

namespace {

// The gap between two pictures, as a part of the area's height.
constexpr double kGapPart = 1.0 / 20;

} // namespace

void paintPicturePage(QPainter& painter, const QRectF& area, const QList<PagePicture>& pictures) {
    if (pictures.isEmpty())
        return;
    const double gap = area.height() * kGapPart;
    const double share = (area.height() - gap * double(pictures.size() - 1)) / pictures.size();
    for (qsizetype index = 0; index < pictures.size(); ++index)
        pictures[index](painter, QRectF(area.left(), area.top() + double(index) * (share + gap),
                                        area.width(), share));
}

} // namespace resonex::gui
