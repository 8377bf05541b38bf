#pragma once

#include <functional>
#include <utility>

class QMainWindow;
class QSplitter;
class QTextEdit;

namespace resonex {
struct DesignDrawing;
class CFile;
class DocumentPrompts;
class OptionsStore;
} // namespace resonex

namespace resonex::gui {

class DrawingView;

// The drawing pane beside the summary: made with the window, shown and sized
// as the user left it, its state kept when it changes and at close; and the
// drawing's export. The window grows by the pane and shrinks back, so the
// pane sizes the window as well as itself.
class DrawingPane {
public:
    // The design the window shows, which the window may replace.
    using Document = std::function<const CFile&()>;

    // Sets the summary and the drawing side by side as the window's central
    // widget.
    DrawingPane(QMainWindow& window, QTextEdit& summary, OptionsStore& store,
                DocumentPrompts& prompts, Document document);
    DrawingPane(const DrawingPane&) = delete;
    DrawingPane& operator=(const DrawingPane&) = delete;

    // Shown and sized as the user left it; whether it is shown.
    bool restore();
    // Keeps its state at close: shown or not, and its width as the user left
    // it.
    void save();
    void show(bool shown);
    bool isShown() const;
    // The summary takes that width, its whole printed line with its frame,
    // and the pane what it leaves. A window that kept its size from the last
    // run keeps it; otherwise the window is sized to fit both.
    void fitSummary(int summaryWidth, bool windowSizeKept);
    // The design may have changed.
    void designChanged();
    void exportDrawing();

private:
    DesignDrawing currentDrawing() const;
    void saveState();
    // Takes the shown pane's width as the user left it, by its divider or by
    // the window's edge.
    void keepDrawingWidth();
    // The window's width for a summary that wide and, when it is shown, the
    // drawing pane beside it, held to the screen: the pane gives way first.
    int fittedWidth(int summaryWidth);
    // The summary's and the pane's widths in the room between the window's
    // edges, the pane's handle aside.
    std::pair<int, int> paneWidths(int room, int summaryWidth, int drawingWidth,
                                   bool cannotGrow) const;
    // Moves a window that will be that wide back inside the screen's room.
    void keepOnScreen(int windowWidth);
    // Its width with the splitter's handle; 0 while hidden.
    int drawingPaneWidth() const;

    QMainWindow& m_window;
    QTextEdit& m_summary;
    OptionsStore& m_store;
    DocumentPrompts& m_prompts;
    Document m_document;
    QSplitter* m_panes;
    DrawingView* m_drawing;
    // The drawing pane's width in pixels, kept while it is hidden.
    int m_drawingWidth = 0;
    // The summary's width for its whole printed line, with its frame.
    int m_summaryLineWidth = 0;
};

} // namespace resonex::gui
