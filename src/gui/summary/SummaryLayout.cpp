#include "summary/SummaryLayout.h"

#include "AppInfo.h"
#include "platform/Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>

namespace resonex::gui {

double documentDpi() {
    // The text layout's own choice when it has no paint device.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 96;
}

int MatchScreenToPrinter(QTextEdit& box, const PageGeometry& page, int leftMargin,
                         int rightMargin) {
    const int lineWidth = page.lineWidth(leftMargin, rightMargin);
    if (lineWidth <= 0)
        return 0;
    QTextDocument& doc = *box.document();
    doc.setDocumentMargin(0);
    doc.setUseDesignMetrics(true);
    box.setLineWrapMode(QTextEdit::FixedPixelWidth);
    box.setLineWrapColumnOrWidth(twipsToPixels(lineWidth, documentDpi()));
    return lineWidth;
}

int PrintRichText(const QTextEdit& box, QPagedPaintDevice& device, const PageGeometry& page,
                  const Margins& margins) {
    const double dpi = documentDpi();
    const double lineWidth = twipsToPixels(page.lineWidth(margins.left, margins.right), dpi);
    const double pageHeight =
        twipsToPixels(page.bottomMargin(margins.bottom) - page.topMargin(margins.top), dpi);
    if (lineWidth <= 0 || pageHeight <= 0)
        return 0;

    // A copy of the box's text with the box's settings, cut into pages.
    const std::unique_ptr<QTextDocument> doc(box.document()->clone());
    doc->setDocumentMargin(0);
    doc->setUseDesignMetrics(true);
    doc->setPageSize(QSizeF(lineWidth, pageHeight));

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const double scale = device.logicalDpiX() / dpi;
    const QPointF origin(
        twipsToPixels(page.leftOffset + page.leftMargin(margins.left), device.logicalDpiX()),
        twipsToPixels(page.topOffset + page.topMargin(margins.top), device.logicalDpiY()));
    const int pages = doc->pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage())
            return 0;
        const QRectF body(0, index * pageHeight, lineWidth, pageHeight);
        painter.save();
        painter.translate(origin);
        painter.scale(scale, scale);
        painter.translate(0, -body.top());
        painter.setClipRect(body);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = body;
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end() ? pages : 0;
}

bool ExportPdf(const QTextEdit& box, const PageGeometry& page, const Margins& margins,
               const QString& path, const QString& title) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QString::fromLatin1(kAppTitle));
        constexpr double kTwipsPerPoint = 20.0;
        writer.setPageSize(
            QPageSize(QSizeF(page.pageWidth / kTwipsPerPoint, page.pageHeight / kTwipsPerPoint),
                      QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        if (PrintRichText(box, writer, page, margins) == 0)
            return false;
    }
    return file.commit();
}

} // namespace resonex::gui
