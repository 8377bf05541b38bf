#pragma once

#include "core/drawing/DesignDrawing.h"
#include "core/platform/AtomicFile.h"

namespace resonex::gui {

// The file kinds a drawing is written as, by the name's ending: ".svg" or
// ".png" in any letter case.
enum class DrawingFormat { None, Svg, Png };
DrawingFormat drawingFormatOf(const QString& path);

// Writes the drawing as its format says, a PNG at twice the screen's detail,
// replacing an old file only once the new one is complete. Nothing when
// written; a name that ends in neither is not written.
std::optional<WriteFailure> ExportDrawing(const DesignDrawing& drawing, const QString& path,
                                          const QString& title);

} // namespace resonex::gui
