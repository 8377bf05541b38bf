#include "gui/drawing/DrawingExport.h"

#include "core/document/DocumentPrompts.h"
#include "core/text/AppInfo.h"
#include "core/text/LengthUnit.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

namespace resonex::gui {

namespace {

// A drawing's size at 96 dots per inch: a fixed width, the height following
// its proportions within reason.
constexpr int kWidth = 800;
constexpr double kLeastAspect = 0.5;
constexpr double kMostAspect = 2.0;
constexpr int kScreenDpi = 96;
constexpr int kPngDetail = 2;

const QString kPictureFilter = QStringLiteral("SVG drawing (*.svg);;PNG image (*.png)");

bool writeSvg(const PicturePainter& paint, const QSize& size, QIODevice& device,
              const QString& title) {
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
    paint(painter, QRectF(QPointF(), size));
    return painter.end();
}

bool writePng(const PicturePainter& paint, const QSize& size, QIODevice& device) {
    // Painted at the screen's resolution, so that the texts take the share
    // of the picture they take in the SVG, at twice its detail; then marked
    // at that detail, so that it prints at the SVG's size.
    QImage image(size * kPngDetail, QImage::Format_RGB32);
    image.setDevicePixelRatio(kPngDetail);
    const auto setDpi = [&image](int dpi) {
        image.setDotsPerMeterX(qRound(dpi * kMetre.in(kInch)));
        image.setDotsPerMeterY(qRound(dpi * kMetre.in(kInch)));
    };
    setDpi(kScreenDpi);
    {
        QPainter painter(&image);
        paint(painter, QRectF(QPointF(), size));
    }
    setDpi(kScreenDpi * kPngDetail);
    return image.save(&device, "PNG");
}

} // namespace

QSize drawingPictureSize(const DesignDrawing& drawing) {
    const QRectF& bounds = drawing.bounds;
    const double aspect =
        drawing.isEmpty() || bounds.width() <= 0
            ? 1.0
            : std::clamp(bounds.height() / bounds.width(), kLeastAspect, kMostAspect);
    return {kWidth, qRound(kWidth * aspect)};
}

DrawingFormat drawingFormatOf(const QString& path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return DrawingFormat::Svg;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return DrawingFormat::Png;
    return DrawingFormat::None;
}

std::optional<WriteFailure> ExportPicture(const PicturePainter& paint, const QSize& size,
                                          const QString& path, const QString& title) {
    return writeFileAtomically(path, [&](QIODevice& device) {
        switch (drawingFormatOf(path)) {
        case DrawingFormat::Svg:
            return writeSvg(paint, size, device, title);
        case DrawingFormat::Png:
            return writePng(paint, size, device);
        case DrawingFormat::None:
            break;
        }
        return false;
    });
}

void exportPictureAsked(DocumentPrompts& prompts, const PictureToExport& picture) {
    const QString path = prompts.chooseFileToSave(
        {picture.dialogTitle, picture.folder, picture.suggestedName, kPictureFilter, QString()});
    if (path.isEmpty())
        return;
    if (drawingFormatOf(path) == DrawingFormat::None) {
        prompts.tell(QString::fromLatin1(kAppTitle),
                     QStringLiteral("A %1 is exported as SVG or PNG: name the file with .svg or "
                                    ".png at its end.")
                         .arg(picture.kind),
                     Prompts::Icon::Exclamation);
        return;
    }
    if (const std::optional<WriteFailure> failure =
            ExportPicture(picture.paint, picture.size, path, picture.title))
        prompts.tell(QString::fromLatin1(kAppTitle),
                     notWrittenText(QStringLiteral("The ") + picture.kind, path, *failure),
                     Prompts::Icon::Exclamation);
}

} // namespace resonex::gui
