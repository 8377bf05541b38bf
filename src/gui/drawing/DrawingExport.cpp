#include "gui/drawing/DrawingExport.h"

#include "core/text/AppInfo.h"
#include "core/text/LengthUnit.h"
#include "gui/drawing/DrawingPainter.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

namespace resonex::gui {

namespace {

// The picture's size at 96 dots per inch: a fixed width, the height following
// the drawing's proportions within reason.
constexpr int kWidth = 800;
constexpr double kLeastAspect = 0.5;
constexpr double kMostAspect = 2.0;
constexpr int kScreenDpi = 96;
constexpr int kPngDetail = 2;

QSize pictureSize(const DesignDrawing& drawing) {
    const QRectF& bounds = drawing.bounds;
    const double aspect =
        drawing.isEmpty() || bounds.width() <= 0
            ? 1.0
            : std::clamp(bounds.height() / bounds.width(), kLeastAspect, kMostAspect);
    return {kWidth, qRound(kWidth * aspect)};
}

bool writeSvg(const DesignDrawing& drawing, QIODevice& device, const QString& title) {
    const QSize size = pictureSize(drawing);
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setResolution(kScreenDpi);
    svg.setTitle(title);
    svg.setDescription(QString::fromLatin1(kAppTitle));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintDrawing(painter, drawing, QRectF(QPointF(), size));
    return painter.end();
}

bool writePng(const DesignDrawing& drawing, QIODevice& device) {
    QImage image(pictureSize(drawing) * kPngDetail, QImage::Format_RGB32);
    image.setDevicePixelRatio(kPngDetail);
    const int dotsPerMetre = qRound(kScreenDpi * kPngDetail * kMetre.in(kInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        paintDrawing(painter, drawing, QRectF(QPointF(), pictureSize(drawing)));
    }
    return image.save(&device, "PNG");
}

} // namespace

DrawingFormat drawingFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return DrawingFormat::Svg;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return DrawingFormat::Png;
    return DrawingFormat::None;
}

std::optional<WriteFailure> ExportDrawing(const DesignDrawing& drawing, const QString& path,
                                          const QString& title) {
    return writeFileAtomically(path, [&](QIODevice& device) {
        switch (drawingFormatOf(path)) {
        case DrawingFormat::Svg:
            return writeSvg(drawing, device, title);
        case DrawingFormat::Png:
            return writePng(drawing, device);
        case DrawingFormat::None:
            break;
        }
        return false;
    });
}

} // namespace resonex::gui
