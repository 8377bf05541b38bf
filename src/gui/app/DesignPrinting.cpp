#include "gui/app/DesignPrinting.h"

#include "core/document/CFile.h"
#include "core/document/DesignPictures.h"
#include "core/document/DocumentPrompts.h"
#include "core/drawing/DesignDrawing.h"
#include "core/model/TuningCurve.h"
#include "core/platform/AtomicFile.h"
#include "core/settings/CSettings.h"
#include "core/text/AppInfo.h"
#include "gui/drawing/DrawingPainter.h"
#include "gui/drawing/DrawingPane.h"
#include "gui/plot/BangPlot.h"
#include "gui/plot/TuningPlot.h"
#include "gui/summary/SummaryLayout.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextEdit>

namespace resonex::gui {

namespace {

const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

} // namespace

DesignPrinting::DesignPrinting(QWidget& window, const QTextEdit& summary,
                               const DrawingPane& drawing, DocumentPrompts& prompts)
    : m_window(window), m_summary(summary), m_drawing(drawing), m_prompts(prompts) {}

std::optional<QPrinterInfo> DesignPrinting::defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return info;
    m_prompts.tell(QString::fromLatin1(kAppTitle),
                   QStringLiteral("No printer is available. Install a printer, or use "
                                  "Export PDF to keep the design summary as a PDF file."),
                   Prompts::Icon::Exclamation);
    return std::nullopt;
}

int DesignPrinting::printPages(const CFile& doc, QPrinter& printer, const PageGeometry& page) {
    printer.setFullPage(true);
    printer.setDocName(doc.FileTitle());
    return PrintRichText(m_summary, printer, page, kPrintMargins, lastPagePictures(doc));
}

void DesignPrinting::printDesign(const CFile& doc) {
    const std::optional<QPrinterInfo> info = defaultPrinter();
    if (!info)
        return;
    QPrinter printer(*info, QPrinter::HighResolution);
    if (printPages(doc, printer, PageGeometry::ofPrinter(printer)) == 0)
        m_prompts.tell(QString::fromLatin1(kAppTitle),
                       QStringLiteral("The design could not be printed on ") + info->printerName() +
                           QStringLiteral("."),
                       Prompts::Icon::Exclamation);
}

void DesignPrinting::previewDesign(const CFile& doc, const PageGeometry& summaryPage) {
    // Without a printer, the pages Export PDF writes, on its paper.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QPrinter printer(info, QPrinter::HighResolution);
    if (info.isNull()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(summaryPage.pageSize());
        printer.setPageMargins(QMarginsF());
    }
    QPrintPreviewDialog preview(&printer, &m_window);
    preview.setObjectName(QStringLiteral("frmPrintPreview"));
    preview.setWindowTitle(QStringLiteral("Print Preview - ") + doc.FileTitle());
    if (info.isNull()) {
        // Its print and page buttons would write a file of their own, past the
        // program's write path, or change the paper: Export PDF is the way to
        // a file.
        for (const char* name : {"Print", "Page setup"})
            for (QAction* action : preview.findChildren<QAction*>())
                if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", name))
                    action->setEnabled(false);
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &m_window,
                     [this, &doc, &info, &summaryPage](QPrinter* pages) {
                         printPages(doc, *pages,
                                    info.isNull() ? summaryPage : PageGeometry::ofPrinter(*pages));
                     });
    preview.exec();
}

void DesignPrinting::exportPdf(const CFile& doc, const PageGeometry& summaryPage) {
    const QString suggested =
        QFileInfo(doc.FileTitle()).completeBaseName() + QStringLiteral(".pdf");
    const QString path =
        m_prompts.chooseFileToSave({QStringLiteral("Export PDF"), doc.settings().DesPath(),
                                    suggested, kPdfFilter, QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    if (const std::optional<WriteFailure> failure = ExportPdf(
            m_summary, summaryPage, kPrintMargins, path, doc.FileTitle(), lastPagePictures(doc)))
        m_prompts.tell(QString::fromLatin1(kAppTitle),
                       notWrittenText(QStringLiteral("The design summary"), path, *failure),
                       Prompts::Icon::Exclamation);
}

QList<PagePicture> DesignPrinting::lastPagePictures(const CFile& doc) const {
    // Only a user who shows the drawing asks for it on paper: otherwise the
    // printed pages are the summary's alone.
    if (!m_drawing.isShown())
        return {};
    DesignDrawing drawing = drawingOfDesign(doc);
    if (drawing.isEmpty())
        return {};
    QList<PagePicture> pictures{
        [drawing = std::move(drawing)](QPainter& painter, const QRectF& area) {
            paintDrawing(painter, drawing, area);
        }};
    TuningCurve curve = tuningCurveOfDesign(doc);
    if (!curve.isEmpty())
        pictures.append([curve = std::move(curve), font = m_summary.font()](QPainter& painter,
                                                                            const QRectF& area) {
            // The plot sizes its texts from the painter's font: the summary's.
            painter.save();
            painter.setFont(font);
            paintTuningPlot(painter, curve, area);
            painter.restore();
        });
    // The bang, or the burst for a bridge, where the summary has it and
    // there is one to show.
    if (doc.usesPower())
        if (BangPicture picture = pictureOfDesign(doc); picture.trace)
            pictures.append([picture = std::move(picture),
                             font = m_summary.font()](QPainter& painter, const QRectF& area) {
                painter.save();
                painter.setFont(font);
                paintBangPlot(painter, picture, area);
                painter.restore();
            });
    return pictures;
}

} // namespace resonex::gui
