#pragma once

#include "core/document/DocumentView.h"
#include "gui/summary/PageGeometry.h"
#include "gui/summary/PicturePage.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>
#include <utility>

class QAction;
class QSplitter;
class QPrinter;
class QPrinterInfo;
class QTextEdit;

namespace resonex {
struct DesignDrawing;
class CFile;
class DocumentPrompts;
class LastFolderPrompts;
class OptionsStore;
} // namespace resonex

namespace resonex::gui {

class DrawingView;
class frmSplash;
class HeldPrompts;
class RecentDesignsMenu;

// The main window: the design summary and its drawing below a toolbar, and every command of
// the program in its menus. It owns the design document; the design itself
// lives in the document's objects.

class frmMain : public QMainWindow, public DocumentView {
    Q_OBJECT
public:
    // Options and window positions live in the store. Without prompts of
    // the caller's, the window asks with its own message boxes and dialogs.
    explicit frmMain(OptionsStore& store, DocumentPrompts* prompts = nullptr);
    ~frmMain() override;

    // The start-up, before the window is shown: registers the design file
    // type, has the splash window come up with this one, lays the summary out
    // for the locale's paper, starts a new design, places the window, and
    // opens the design the command line names, if any. The default printer's
    // paper is looked up when the splash window closes.
    void Load(const QString& commandLine);

    CFile& document() { return *m_doc; }

    void showDesign(const CFile& doc) override;
    void designCalculated(const CFile& doc) override;

    // Lays the summary out for that paper, as it is for the default printer's
    // once the splash window has closed. A window whose size was kept from the
    // last run keeps it; otherwise the window is sized to the paper's line.
    void usePaper(const PageGeometry& paper);

protected:
    void closeEvent(QCloseEvent* event) override;
    // One dropped design file opens, after the offer to save this one.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createCommands();
    void addRecentDesigns(QMenu* file);
    // A design named without a dialog (recent, dropped): the offer to save
    // this one first.
    void openDesignAt(const QString& path);
    // A first start's height: the summary's first lines in its font.
    int firstStartHeight() const;
    // The steps of Load, in its order.
    void showSplashSoon();
    void layOutSummaryFor(const PageGeometry& page);
    // The window's width for a summary that wide and, when it is shown, the
    // drawing pane beside it, held to the screen: the pane gives way first.
    int fittedWidth(int summaryWidth);
    // A design named on the command line replaces the new one before anything
    // is seen: the new one is then not shown, so the summary is built once.
    void startNewDesign(bool shown);
    // What opening it has to tell waits for the splash window; the new design
    // is shown when it does not open.
    void openCommandLineDesign(const QString& commandLine);
    // Once the splash window has closed and the window takes input.
    void splashClosed();
    void showSplash();
    // The default printer; none, after saying so.
    std::optional<QPrinterInfo> defaultPrinter();
    // The pages Print sends, painted on that printer with that paper: their
    // count, 0 when it could not be painted on.
    int printPages(QPrinter& printer, const PageGeometry& page);
    void printDesign();
    void previewDesign();
    void exportPdf();
    // The drawing pane beside the summary: made with the window, shown and
    // sized as the user left it, its state kept when it changes and at close.
    void createDrawingPane();
    void restoreDrawingPane();
    void saveDrawingPane();
    // Takes the shown pane's width as the user left it, by its divider or by
    // the window's edge.
    void keepDrawingWidth();
    void showDrawingPane(bool shown);
    // The summary's and the pane's widths in the room between the window's
    // edges, the pane's handle aside.
    std::pair<int, int> paneWidths(int room, int summaryWidth, int drawingWidth,
                                   bool cannotGrow) const;
    // Moves a window that will be that wide back inside the screen's room.
    void keepOnScreen(int windowWidth);
    // Its width with the splitter's handle; 0 while hidden.
    int drawingPaneWidth() const;
    void exportDrawing();
    DesignDrawing currentDrawing() const;
    // What follows the summary on paper: the drawing, once there is one and
    // while its pane is shown (a summary alone prints as it always has).
    QList<PagePicture> lastPagePictures() const;
    // Shows one of the design's dialogs modally.
    template <typename Dialog> void showModal();
    void showAbout();

    OptionsStore& m_store;
    std::unique_ptr<DocumentPrompts> m_ownPrompts;
    std::unique_ptr<LastFolderPrompts> m_lastFolder;
    DocumentPrompts& m_prompts;
    QTextEdit* m_summary;
    QSplitter* m_panes;
    DrawingView* m_drawing;
    QAction* m_drawingItem = nullptr;
    // The drawing pane's width in pixels, kept while it is hidden.
    int m_drawingWidth = 0;
    // The summary's width for its whole printed line, with its frame.
    int m_summaryLineWidth = 0;
    // The paper the summary is laid out for.
    PageGeometry m_page;
    // The window took the size the last run left it at.
    bool m_sizeKept = false;
    std::unique_ptr<CFile> m_doc;
    QPointer<frmSplash> m_splash;
    // What opening the command line's design has to tell, until it can be seen.
    std::unique_ptr<HeldPrompts> m_startupMessages;
    RecentDesignsMenu* m_recent = nullptr;
};

} // namespace resonex::gui
