#pragma once

#include "core/platform/AtomicFile.h"
#include "gui/summary/PageGeometry.h"
#include "gui/summary/PicturePage.h"

class QPagedPaintDevice;
class QTextEdit;

namespace resonex::gui {

// The summary's margins on paper, in twips.
struct Margins {
    int left;
    int top;
    int right;
    int bottom;
};

inline constexpr int kOneInch = 1440;
inline constexpr Margins kPrintMargins{kOneInch, kOneInch, kOneInch, kOneInch};

// The resolution the summary's text is laid out in: the screen's, as the box
// and its copies for paper have no device of their own.
double documentDpi();

// Lays the box's text out at the width of a printed line of that page, with
// resolution-independent glyph widths, so that the screen breaks its lines
// where paper will. Returns the line width in twips, or 0 (the box keeping its
// own wrapping) when the page leaves no room for a line.
int MatchScreenToPrinter(QTextEdit& box, const PageGeometry& page, int leftMargin, int rightMargin);

// Renders the box's text on a device whose origin is the paper's corner, a
// page holding the lines that fit between the top and bottom margins, the
// next page starting with the first line that did not. The lines break as
// they do in the box. Pictures, when there are any, follow on a last page of
// their own within the same margins. Returns the number of pages, or 0 when
// the device could not be painted on.
int PrintRichText(const QTextEdit& box, QPagedPaintDevice& device, const PageGeometry& page,
                  const Margins& margins, const QList<PagePicture>& lastPage = {});

// Writes what PrintRichText would print on that paper to a PDF file, replacing
// an old file only once the new one is complete. Nothing when written.
std::optional<WriteFailure> ExportPdf(const QTextEdit& box, const PageGeometry& page,
                                      const Margins& margins, const QString& path,
                                      const QString& title,
                                      const QList<PagePicture>& lastPage = {});

} // namespace resonex::gui
