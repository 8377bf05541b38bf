#include "gui/summary/PageGeometry.h"

#include "core/text/LengthUnit.h"
#include "gui/platform/Twips.h"

#include <QPageLayout>
#include <QPrinter>

#include <cmath>

namespace resonex::gui {

namespace {

// 72 points to the inch.
constexpr double kPointsPerMillimetre = 72.0 / kInch.in(kMillimetre);

// Printer measures come as fractions of a point; they are taken to whole twips
// through a single-precision value, a half going to the even neighbour.
int pointsToTwips(double points) {
    return static_cast<int>(std::nearbyint(static_cast<float>(points * kTwipsPerPoint)));
}

} // namespace

QPageSize PageGeometry::pageSize() const {
    return QPageSize(QSizeF(pageWidth / kTwipsPerPoint, pageHeight / kTwipsPerPoint),
                     QPageSize::Point);
}

PageGeometry PageGeometry::ofPrinter(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QRectF full = layout.fullRect(QPageLayout::Point);
    const QMarginsF edges = layout.minimumMargins();
    return {pointsToTwips(full.width()), pointsToTwips(full.height()), pointsToTwips(edges.left()),
            pointsToTwips(edges.top())};
}

PageGeometry PageGeometry::defaultPage(const QLocale& locale) {
    const bool inches = locale.measurementSystem() == QLocale::ImperialUSSystem;
    // In millimetres: Qt gives paper sizes in whole points.
    const QSizeF mm =
        QPageSize::size(inches ? QPageSize::Letter : QPageSize::A4, QPageSize::Millimeter);
    return {pointsToTwips(mm.width() * kPointsPerMillimetre),
            pointsToTwips(mm.height() * kPointsPerMillimetre), 0, 0};
}

} // namespace resonex::gui
