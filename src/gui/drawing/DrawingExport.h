#pragma once

#include "core/drawing/DesignDrawing.h"
#include "core/platform/AtomicFile.h"

#include <QSize>

#include <functional>

class QPainter;

namespace resonex {
class DocumentPrompts;
}

namespace resonex::gui {

// The file kinds a drawing is written as, by the name's ending: ".svg" or
// ".png" in any letter case.
enum class DrawingFormat { None, Svg, Png };
DrawingFormat drawingFormatOf(const QString& path);

// Writes a picture of that size in pixels at 96 dots per inch, painted into
// that area, as the name's ending says, a PNG at twice that detail, through
// the one write path. Nothing when written; a name that ends in neither is not
// written.
using PicturePainter = std::function<void(QPainter& painter, const QRectF& area)>;
std::optional<WriteFailure> ExportPicture(const PicturePainter& paint, const QSize& size,
                                          const QString& path, const QString& title);

// A picture exported at the user's asking: the file dialog's title, its
// folder and suggested name, the kind of picture ("drawing"), the SVG's
// title, its size and how it is painted.
struct PictureToExport {
    QString dialogTitle;
    QString folder;
    QString suggestedName;
    QString kind;
    QString title;
    QSize size;
    PicturePainter paint;
};
// Asks for the file; a name that ends in neither kind is refused before
// anything is written, a failed write told.
void exportPictureAsked(DocumentPrompts& prompts, const PictureToExport& picture);

// The size a drawing is exported at: a fixed width, the height following its
// proportions within reason.
QSize drawingPictureSize(const DesignDrawing& drawing);

} // namespace resonex::gui
