#include "gui/drawing/DrawingPane.h"

#include "core/document/CFile.h"
#include "core/document/DesignPictures.h"
#include "core/document/DocumentPrompts.h"
#include "core/drawing/DesignDrawing.h"
#include "core/settings/CSettings.h"
#include "core/settings/StoredOptions.h"
#include "gui/drawing/DrawingExport.h"
#include "gui/drawing/DrawingPainter.h"
#include "gui/drawing/DrawingView.h"
#include "gui/platform/Twips.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QTextEdit>

#include <algorithm>

namespace resonex::gui {

namespace {

// The drawing pane's least share of a window that cannot grow for it at all.
constexpr double kLeastDrawingShare = 1.0 / 3;

} // namespace

DrawingPane::DrawingPane(QMainWindow& window, QTextEdit& summary, OptionsStore& store,
                         DocumentPrompts& prompts, Document document)
    : m_window(window), m_summary(summary), m_store(store), m_prompts(prompts),
      m_document(std::move(document)), m_panes(new QSplitter(&window)),
      m_drawing(new DrawingView([this] { return currentDrawing(); })) {
    m_panes->setObjectName(QStringLiteral("splfrmMain"));
    m_panes->setChildrenCollapsible(false);
    m_panes->addWidget(&m_summary);
    m_panes->addWidget(m_drawing);
    // A wider window widens the drawing; the summary keeps its printed width.
    m_panes->setStretchFactor(0, 0);
    m_panes->setStretchFactor(1, 1);
    QObject::connect(m_panes, &QSplitter::splitterMoved, &m_window, [this] { keepDrawingWidth(); });
    m_window.setCentralWidget(m_panes);
}

bool DrawingPane::restore() {
    const double dpi = m_window.logicalDpiX();
    m_drawingWidth = std::max(twipsToPixels(stored::kDrawingWidth.read(m_store), dpi),
                              m_drawing->minimumSizeHint().width());
    const bool shown = stored::kDrawingVisible.read(m_store);
    m_drawing->setVisible(shown);
    return shown;
}

void DrawingPane::save() {
    keepDrawingWidth();
    saveState();
}

void DrawingPane::saveState() {
    stored::kDrawingVisible.write(m_store, isShown());
    stored::kDrawingWidth.write(
        m_store, qint16(std::min(pixelsToTwips(m_drawingWidth, m_window.logicalDpiX()),
                                 double(stored::kDrawingWidth.largest))));
}

void DrawingPane::keepDrawingWidth() {
    if (m_drawing->isVisible())
        m_drawingWidth = m_drawing->width();
}

bool DrawingPane::isShown() const { return m_drawing->isVisibleTo(&m_window); }

int DrawingPane::drawingPaneWidth() const {
    return isShown() ? m_drawingWidth + m_panes->handleWidth() : 0;
}

void DrawingPane::fitSummary(int summaryWidth, bool windowSizeKept) {
    m_summaryLineWidth = summaryWidth;
    if (windowSizeKept) {
        // The drawing pane, when it is shown, takes what the summary leaves.
        m_panes->setSizes(
            {summaryWidth, std::max(0, m_panes->width() - summaryWidth - m_panes->handleWidth())});
        return;
    }
    m_window.resize(fittedWidth(summaryWidth), m_window.height());
    m_panes->setSizes({summaryWidth, m_drawingWidth});
}

int DrawingPane::fittedWidth(int summaryWidth) {
    // Less the window's frame, once the window has been shown and has one.
    const int room = m_window.screen()->availableGeometry().width() -
                     (m_window.frameGeometry().width() - m_window.width());
    if (isShown()) {
        const int spare = room - summaryWidth - m_panes->handleWidth();
        m_drawingWidth =
            std::max({0, m_drawing->minimumSizeHint().width(), std::min(m_drawingWidth, spare)});
    }
    return std::min(summaryWidth + drawingPaneWidth(), room);
}

void DrawingPane::show(bool shown) {
    // The window grows by the pane and shrinks back: the summary keeps its
    // width. A maximised window keeps its size, and one at the screen's edge
    // grows no further than the screen: the summary then gives way.
    if (shown == isShown())
        return;
    keepDrawingWidth();
    const int summaryWidth = m_summary.width();
    const int bare = m_window.width() - drawingPaneWidth();
    const int chrome = m_window.width() - m_panes->width();
    const bool sizeFixed = m_window.isMaximized() || m_window.isFullScreen();
    m_drawing->setVisible(shown);
    if (!shown) {
        if (!sizeFixed)
            m_window.resize(bare, m_window.height());
    } else {
        const int wanted = m_drawingWidth;
        const int window = sizeFixed ? m_window.width() : fittedWidth(bare);
        if (!sizeFixed) {
            m_window.resize(window, m_window.height());
            keepOnScreen(window);
        }
        const int room = window - chrome - m_panes->handleWidth();
        const auto [summary, drawing] = paneWidths(room, summaryWidth, wanted, window <= bare);
        m_drawingWidth = drawing;
        m_panes->setSizes({summary, drawing});
    }
    saveState();
}

std::pair<int, int> DrawingPane::paneWidths(int room, int summaryWidth, int drawingWidth,
                                            bool cannotGrow) const {
    // The summary gives way to the pane down to its whole printed line; in a
    // window that could not grow at all for the pane, further, so that the
    // pane has its least share.
    int summary = summaryWidth;
    if (summary + drawingWidth > room)
        summary = std::min(summary, std::max(room - drawingWidth, m_summaryLineWidth));
    if (cannotGrow)
        summary = std::min(summary, room - qRound(room * kLeastDrawingShare));
    summary = std::max(0, summary);
    return {summary, std::max(0, room - summary)};
}

void DrawingPane::keepOnScreen(int windowWidth) {
    // Without a window manager nothing else moves a window that has grown
    // past the screen's right edge back onto it.
    const QRect screenRoom = m_window.screen()->availableGeometry();
    const QRect frame = m_window.frameGeometry();
    const int outer = windowWidth + (frame.width() - m_window.width());
    const int left =
        std::max(screenRoom.left(), std::min(frame.left(), screenRoom.right() + 1 - outer));
    if (left != frame.left())
        m_window.move(left, m_window.pos().y());
}

void DrawingPane::designChanged() { m_drawing->designChanged(); }

DesignDrawing DrawingPane::currentDrawing() const { return drawingOfDesign(m_document()); }

void DrawingPane::exportDrawing() {
    const CFile& doc = m_document();
    const DesignDrawing drawing = currentDrawing();
    exportPictureAsked(m_prompts,
                       {QStringLiteral("Export Drawing"), doc.settings().DesPath(),
                        QFileInfo(doc.FileTitle()).completeBaseName() + QStringLiteral(".svg"),
                        QStringLiteral("drawing"), doc.FileTitle(), drawingPictureSize(drawing),
                        [&drawing](QPainter& painter, const QRectF& area) {
                            paintDrawing(painter, drawing, area);
                        }});
}

} // namespace resonex::gui
