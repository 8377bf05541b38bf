#pragma once

#include <QList>

#include <functional>

class QPainter;
class QRectF;

namespace resonex::gui {

// A picture that paints itself into the area it is given (the design's
// drawing, a plot).
using PagePicture = std::function<void(QPainter& painter, const QRectF& area)>;

// Stacks the pictures down the area, each given an equal share of its height
// less a gap between each and the next, so that what one says at its foot (the
// drawing's notes) is not read as the next one's heading.
void paintPicturePage(QPainter& painter, const QRectF& area, const QList<PagePicture>& pictures);

} // namespace resonex::gui
