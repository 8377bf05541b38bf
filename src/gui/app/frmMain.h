#pragma once

#include "core/document/DocumentView.h"
#include "gui/app/DesignPrinting.h"
#include "gui/drawing/DrawingPane.h"
#include "gui/summary/PageGeometry.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QTextEdit;

namespace resonex {
class CFile;
class DocumentPrompts;
class LastFolderPrompts;
class OptionsStore;
} // namespace resonex

namespace resonex::gui {

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
    // A design named on the command line replaces the new one before anything
    // is seen: the new one is then not shown, so the summary is built once.
    void startNewDesign(bool shown);
    // What opening it has to tell waits for the splash window; the new design
    // is shown when it does not open.
    void openCommandLineDesign(const QString& commandLine);
    // Once the splash window has closed and the window takes input.
    void splashClosed();
    void showSplash();
    // Shows one of the design's dialogs modally.
    template <typename Dialog> void showModal();
    void showAbout();

    OptionsStore& m_store;
    std::unique_ptr<DocumentPrompts> m_ownPrompts;
    std::unique_ptr<LastFolderPrompts> m_lastFolder;
    DocumentPrompts& m_prompts;
    QTextEdit* m_summary;
    DrawingPane m_drawingPane;
    DesignPrinting m_printing;
    QAction* m_drawingItem = nullptr;
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
