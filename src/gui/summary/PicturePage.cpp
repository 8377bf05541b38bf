#include "gui/summary/PicturePage.h"

#include <QRectF>

namespace resonex::gui {

void paintPicturePage(QPainter& painter, const QRectF& area, const QList<PagePicture>& pictures) {
    if (pictures.isEmpty())
        return;
    const double share = area.height() / pictures.size();
    for (qsizetype index = 0; index < pictures.size(); ++index)
        pictures[index](painter,
                        QRectF(area.left(), area.top() + index * share, area.width(), share));
}

} // namespace resonex::gui
