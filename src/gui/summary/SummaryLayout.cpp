#include "gui/summary/SummaryLayout.h"

#include "core/text/AppInfo.h"
#include "gui/platform/Twips.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>
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

namespace {

// The layout places a line that does not fit at the very top of the next
// page; a little slack keeps rounding from counting it on the page before.
constexpr double kPageSlack = 1.0 / 16;

int pageOf(double y, double pageHeight) {
    return static_cast<int>(std::floor((y + kPageSlack) / pageHeight));
}

} // namespace

namespace {

// The pictures' page: the area within the margins, in the device's pixels.
bool printPicturePage(QPainter& painter, QPagedPaintDevice& device, const PageGeometry& page,
                      const Margins& margins, const QList<PagePicture>& pictures) {
    if (!device.newPage())
        return false;
    painter.resetTransform();
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    const QPointF corner(twipsToPixels(page.leftOffset + page.leftMargin(margins.left), dpiX),
                         twipsToPixels(page.topOffset + page.topMargin(margins.top), dpiY));
    const QSizeF size(
        twipsToPixels(page.lineWidth(margins.left, margins.right), dpiX),
        twipsToPixels(page.bottomMargin(margins.bottom) - page.topMargin(margins.top), dpiY));
    paintPicturePage(painter, QRectF(corner, size), pictures);
    return true;
}

} // namespace

int PrintRichText(const QTextEdit& box, QPagedPaintDevice& device, const PageGeometry& page,
                  const Margins& margins, const QList<PagePicture>& lastPage) {
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
    const QAbstractTextDocumentLayout& layout = *doc->documentLayout();

    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const double scale = device.logicalDpiX() / dpi;
    painter.translate(
        twipsToPixels(page.leftOffset + page.leftMargin(margins.left), device.logicalDpiX()),
        twipsToPixels(page.topOffset + page.topMargin(margins.top), device.logicalDpiY()));
    painter.scale(scale, scale);

    // Each line is drawn on its own page only, so a page holds exactly the
    // lines that fit on it and no text hides beyond its edges.
    int current = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QPointF blockTop = layout.blockBoundingRect(block).topLeft();
        const QTextLayout& lines = *block.layout();
        for (int index = 0; index < lines.lineCount(); ++index) {
            const QTextLine line = lines.lineAt(index);
            const int onPage = pageOf(blockTop.y() + line.y(), pageHeight);
            for (; current < onPage; ++current)
                if (!device.newPage())
                    return 0;
            line.draw(&painter, blockTop - QPointF(0, current * pageHeight));
        }
    }
    if (!lastPage.isEmpty()) {
        if (!printPicturePage(painter, device, page, margins, lastPage))
            return 0;
        ++current;
    }
    return painter.end() ? current + 1 : 0;
}

std::optional<WriteFailure> ExportPdf(const QTextEdit& box, const PageGeometry& page,
                                      const Margins& margins, const QString& path,
                                      const QString& title, const QList<PagePicture>& lastPage) {
    return writeFileAtomically(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setTitle(title);
        writer.setCreator(QString::fromLatin1(kAppTitle));
        writer.setPageSize(page.pageSize());
        writer.setPageMargins(QMarginsF());
        return PrintRichText(box, writer, page, margins, lastPage) != 0;
    });
}

} // namespace resonex::gui
