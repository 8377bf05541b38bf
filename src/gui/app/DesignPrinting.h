#pragma once

#include "gui/summary/PageGeometry.h"
#include "gui/summary/PicturePage.h"

#include <optional>

class QPrinter;
class QPrinterInfo;
class QTextEdit;
class QWidget;

namespace resonex {
class CFile;
class DocumentPrompts;
} // namespace resonex

namespace resonex::gui {

class DrawingPane;

// The design on paper: Print Design on the default printer, its preview and
// Export PDF, each the summary's pages as the window lays them out, then, while
// the drawing pane is shown, the design's pictures.
class DesignPrinting {
public:
    // The preview opens over the window.
    DesignPrinting(QWidget& window, const QTextEdit& summary, const DrawingPane& drawing,
                   DocumentPrompts& prompts);

    void printDesign(const CFile& doc);
    // On the default printer's paper; without a printer on the paper the
    // summary is laid out for, as Export PDF writes it.
    void previewDesign(const CFile& doc, const PageGeometry& summaryPage);
    void exportPdf(const CFile& doc, const PageGeometry& summaryPage);

private:
    // The default printer; none, after saying so.
    std::optional<QPrinterInfo> defaultPrinter();
    // The pages Print sends, painted on that printer with that paper: their
    // count, 0 when it could not be painted on.
    int printPages(const CFile& doc, QPrinter& printer, const PageGeometry& page);
    // What follows the summary on paper: the drawing, once there is one and
    // while its pane is shown (a summary alone prints as it always has), the
    // tuning plot and the bang where the design has them.
    QList<PagePicture> lastPagePictures(const CFile& doc) const;

    QWidget& m_window;
    const QTextEdit& m_summary;
    const DrawingPane& m_drawing;
    DocumentPrompts& m_prompts;
};

} // namespace resonex::gui
