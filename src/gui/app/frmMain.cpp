#include "gui/app/frmMain.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DocumentPrompts.h"
#include "core/document/LastFolderPrompts.h"
#include "core/errors/ResonexError.h"
#include "core/settings/CSettings.h"
#include "core/settings/StoredOptions.h"
#include "core/text/AppInfo.h"
#include "gui/app/DroppedDesign.h"
#include "gui/app/Icons.h"
#include "gui/app/RecentDesignsMenu.h"
#include "gui/app/frmAbout.h"
#include "gui/app/frmSplash.h"
#include "gui/dialogs/frmPowerCalcs.h"
#include "gui/dialogs/frmPriCapCalcs.h"
#include "gui/dialogs/frmPriCoilCalcs.h"
#include "gui/dialogs/frmSecCoilCalcs.h"
#include "gui/dialogs/frmTopLoadCalcs.h"
#include "gui/platform/FileTypeRegistration.h"
#include "gui/platform/HeldPrompts.h"
#include "gui/platform/QtPrompts.h"
#include "gui/platform/Twips.h"
#include "gui/platform/WindowPosition.h"
#include "gui/settings/frmOptions.h"
#include "gui/summary/ShowSummary.h"
#include "gui/summary/SummaryLayout.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace resonex::gui {

namespace {

// The designed inner width, before the width is taken from the paper.
constexpr int kInnerWidthTwips = 8700;
// The summary lines a first start shows without scrolling: the file name and
// a blank line, the calculated secondary section with its heading and closing
// blank line (13 lines, core/summary/SecondarySection.cpp), then the primary
// section's heading and its first six lines.
constexpr int kFirstStartLines = 2 + 13 + 7;
// Room beside a printed line for the box's frame, at the least.
constexpr int kFrameAllowanceTwips = 200;

// The default printer's paper, or a default page when there is no printer.
PageGeometry paperOfDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return PageGeometry::defaultPage();
    const QPrinter printer(info, QPrinter::HighResolution);
    return PageGeometry::ofPrinter(printer);
}

} // namespace

frmMain::frmMain(OptionsStore& store, DocumentPrompts* prompts)
    : m_store(store), m_ownPrompts(prompts ? nullptr : std::make_unique<QtPrompts>(this)),
      m_lastFolder(std::make_unique<LastFolderPrompts>(prompts ? *prompts : *m_ownPrompts, store)),
      m_prompts(*m_lastFolder), m_summary(new QTextEdit(this)),
      m_drawingPane(*this, *m_summary, m_store, m_prompts,
                    [this]() -> const CFile& { return *m_doc; }),
      m_printing(*this, *m_summary, m_drawingPane, m_prompts) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(appIcon());
    m_summary->setObjectName(QStringLiteral("txtfrmMain"));
    m_summary->setReadOnly(true);
    m_summary->setUndoRedoEnabled(false);
    setAcceptDrops(true);
    createCommands();

    resize(twipsToPixels(kInnerWidthTwips, logicalDpiX()), firstStartHeight());
}

int frmMain::firstStartHeight() const {
    QFont font(stored::kFontName.read(m_store));
    font.setPointSize(stored::kFontSize.read(m_store));
    // Headings are bold, which may stand taller.
    font.setBold(true);
    const double lines = kFirstStartLines * QFontMetricsF(font, m_summary).lineSpacing();
    const QWidget* toolbar = findChild<QToolBar*>();
    const int chrome =
        menuBar()->sizeHint().height() + (toolbar ? toolbar->sizeHint().height() : 0) +
        2 * (m_summary->frameWidth() + qCeil(m_summary->document()->documentMargin()));
    return std::min(chrome + qCeil(lines), screen()->availableGeometry().height());
}

frmMain::~frmMain() = default;

namespace {

// One entry of a menu: a command, a separator, or the recent designs. A
// command with a button has a toolbar button of its own, named by the
// button's key, with its tool tip as its text.
struct MenuEntry {
    enum class Kind { Command, Separator, RecentDesigns };
    Kind kind = Kind::Command;
    const char* name = nullptr;
    const char* caption = nullptr;
    QKeyCombination key = {};
    void (*run)(frmMain&) = nullptr;
    const char* tip = nullptr; // the menu item's own
    const char* button = nullptr;
    const char* buttonTip = nullptr;
    const char* icon = nullptr;
};

struct MenuDeclaration {
    const char* name;
    const char* caption;
    QList<MenuEntry> entries;
};

constexpr MenuEntry kSeparator{.kind = MenuEntry::Kind::Separator};

} // namespace

void frmMain::createCommands() {
    using Kind = MenuEntry::Kind;
    // The menus as the window shows them, left to right and top to bottom.
    static const QList<MenuDeclaration> kMenus{
        {"mnuFile",
         "&File",
         {{.name = "mnuFileItem0",
           .caption = "&New Design",
           .key = Qt::CTRL | Qt::Key_N,
           .run = [](frmMain& w) { w.m_doc->FileNew(w.m_prompts); },
           .button = "btnNew",
           .buttonTip = "New Design",
           .icon = "new"},
          {.name = "mnuFileItem1",
           .caption = "&Open Design...",
           .key = Qt::CTRL | Qt::Key_O,
           .run = [](frmMain& w) { w.m_doc->FileOpen(w.m_prompts); },
           .button = "btnOpen",
           .buttonTip = "Open Design",
           .icon = "open"},
          kSeparator,
          {.name = "mnuFileItem3",
           .caption = "&Save Design",
           .key = Qt::CTRL | Qt::Key_S,
           .run = [](frmMain& w) { w.m_doc->FileSave(w.m_prompts); },
           .button = "btnSave",
           .buttonTip = "Save Design",
           .icon = "save"},
          {.name = "mnuFileItem4",
           .caption = "Save Design &As...",
           .run = [](frmMain& w) { w.m_doc->FileSaveAs(w.m_prompts); },
           .tip = "Save the design under a new name (Ctrl+Shift+S)"},
          kSeparator,
          {.name = "mnuFileItem6",
           .caption = "&Print Design",
           .key = Qt::CTRL | Qt::Key_P,
           .run = [](frmMain& w) { w.m_printing.printDesign(*w.m_doc); },
           .button = "btnPrint",
           .buttonTip = "Print Design",
           .icon = "print"},
          {.name = "mnuFilePrintPreview",
           .caption = "Print Pre&view...",
           .run = [](frmMain& w) { w.m_printing.previewDesign(*w.m_doc, w.m_page); },
           .tip = "See the pages Print Design sends"},
          {.name = "mnuFileExportPdf",
           .caption = "&Export PDF...",
           .run = [](frmMain& w) { w.m_printing.exportPdf(*w.m_doc, w.m_page); }},
          {.name = "mnuFileExportDrawing",
           .caption = "Export &Drawing...",
           .run = [](frmMain& w) { w.m_drawingPane.exportDrawing(); }},
          kSeparator,
          {.kind = Kind::RecentDesigns},
          kSeparator,
          {.name = "mnuFileItem8",
           .caption = "E&xit",
           .key = Qt::CTRL | Qt::Key_Q,
           .run = [](frmMain& w) { w.close(); }}}},
        {"mnuCalculations",
         "&Calculations",
         {{.name = "mnuCalculationsItem0",
           .caption = "&Secondary Coil...",
           .run = [](frmMain& w) { w.showModal<frmSecCoilCalcs>(); },
           .button = "btnSecCoilCalcs",
           .buttonTip = "Secondary Coil Calculations",
           .icon = "secondary"},
          {.name = "mnuCalculationsItem1",
           .caption = "&Primary Coil...",
           .run = [](frmMain& w) { w.showModal<frmPriCoilCalcs>(); },
           .button = "btnPriCoilCalcs",
           .buttonTip = "Primary Coil Calculations",
           .icon = "primary"},
          {.name = "mnuCalculationsItem2",
           .caption = "Primary &Capacitor...",
           .run = [](frmMain& w) { w.showModal<frmPriCapCalcs>(); },
           .button = "btnPriCapCalcs",
           .buttonTip = "Primary Capacitor Calculations",
           .icon = "capacitor"},
          {.name = "mnuCalculationsTopLoad",
           .caption = "&Top Load...",
           .run = [](frmMain& w) { w.showModal<frmTopLoadCalcs>(); },
           .button = "btnTopLoadCalcs",
           .buttonTip = "Top Load Calculations",
           .icon = "topload"},
          {.name = "mnuCalculationsPower",
           .caption = "Po&wer and Capacitor Bank...",
           .run = [](frmMain& w) { w.showModal<frmPowerCalcs>(); },
           .button = "btnPowerCalcs",
           .buttonTip = "Power and Capacitor Bank Calculations",
           .icon = "power"}}},
        {"mnuView",
         "&View",
         {{.name = "mnuViewItem0",
           .caption = "&Drawing",
           .key = Qt::Key_F9,
           .run = [](frmMain& w) { w.m_drawingPane.show(w.m_drawingItem->isChecked()); }}}},
        {"mnuTools",
         "&Tools",
         {{.name = "mnuToolsItem0",
           .caption = "&Options...",
           .run = [](frmMain& w) { w.showModal<frmOptions>(); }}}},
        {"mnuHelp",
         "&Help",
         {{.name = "mnuHelpItem0",
           .caption = "&About Resonex",
           .run = [](frmMain& w) { w.showAbout(); }}}},
    };

    auto* toolbar = addToolBar(QString());
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const MenuDeclaration& declared : kMenus) {
        QMenu* menu = menuBar()->addMenu(QLatin1String(declared.caption));
        menu->setObjectName(QLatin1String(declared.name));
        for (const MenuEntry& entry : declared.entries) {
            if (entry.kind == Kind::Separator) {
                menu->addSeparator();
                continue;
            }
            if (entry.kind == Kind::RecentDesigns) {
                addRecentDesigns(menu);
                continue;
            }
            const auto run = [this, entry] { entry.run(*this); };
            QAction* item = menu->addAction(QLatin1String(entry.caption));
            item->setObjectName(QLatin1String(entry.name));
            item->setShortcut(entry.key == QKeyCombination() ? QKeySequence()
                                                             : QKeySequence(entry.key));
            if (entry.tip)
                item->setToolTip(QLatin1String(entry.tip));
            connect(item, &QAction::triggered, this, run);
            if (entry.button) {
                QAction* button = toolbar->addAction(toolbarIcon(QLatin1String(entry.icon)),
                                                     QLatin1String(entry.buttonTip));
                button->setObjectName(QLatin1String(entry.button));
                button->setToolTip(QLatin1String(entry.buttonTip));
                connect(button, &QAction::triggered, this, run);
            }
        }
    }
    m_drawingItem = findChild<QAction*>(QStringLiteral("mnuViewItem0"));
    m_drawingItem->setCheckable(true);

    // The platform's Save As key where it is Ctrl+Shift+S, that key elsewhere;
    // an action of the window's, as the menu item keeps no key of its own.
    auto* saveAsKey = new QAction(this);
    saveAsKey->setObjectName(QStringLiteral("actFileSaveAsKey"));
    const QKeySequence ctrlShiftS(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    const QList<QKeySequence> platformKeys = QKeySequence::keyBindings(QKeySequence::SaveAs);
    saveAsKey->setShortcuts(platformKeys.contains(ctrlShiftS) ? platformKeys
                                                              : QList<QKeySequence>{ctrlShiftS});
    connect(saveAsKey, &QAction::triggered, this, [this] { m_doc->FileSaveAs(m_prompts); });
    addAction(saveAsKey);
}

void frmMain::addRecentDesigns(QMenu* file) {
    QMenu* recent = file->addMenu(QStringLiteral("&Recent Designs"));
    recent->setObjectName(QStringLiteral("mnuFileRecent"));
    recent->menuAction()->setToolTip(QStringLiteral("Open one of the designs used last"));
    file->setToolTipsVisible(true);
    m_recent = new RecentDesignsMenu(recent, m_store, m_prompts,
                                     [this](const QString& path) { openDesignAt(path); });
}

void frmMain::openDesignAt(const QString& path) {
    if (m_doc->FileSaveIfModified(m_prompts))
        m_doc->FileOpenNamed(m_prompts, path);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedDesign(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    const QString path = DroppedDesign(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Asked once the drop is over, so that the program the file came from is
    // not held waiting for the answer.
    QTimer::singleShot(0, this, [this, path] { openDesignAt(path); });
}

void frmMain::Load(const QString& commandLine) {
    RegisterDesignFiles(QCoreApplication::applicationFilePath());
    showSplashSoon();
    m_drawingItem->setChecked(m_drawingPane.restore());
    // Laid out for paper before any text goes in, so that it is laid out once.
    layOutSummaryFor(PageGeometry::defaultPage());
    const bool opening = !commandLine.isEmpty();
    startNewDesign(!opening);
    m_sizeKept = RestoreWindowSize(*this, m_store);
    RestoreWindowPosition(*this, m_store);
    if (opening)
        openCommandLineDesign(commandLine);
}

void frmMain::showSplashSoon() {
    // The window takes no input until the splash window closes and enables it.
    setEnabled(false);
    // The splash window comes up with this one, in the same frame, once the
    // event loop runs: made first, it would hold back this window by as long
    // as making and showing it takes, and the start-up before it is shorter
    // than a frame.
    QTimer::singleShot(0, this, &frmMain::showSplash);
}

void frmMain::startNewDesign(bool shown) {
    m_doc = std::make_unique<CFile>(&m_store);
    m_doc->FileNew(m_prompts);
    if (shown)
        showDesign(*m_doc);
    m_doc->setView(this);
}

void frmMain::openCommandLineDesign(const QString& commandLine) {
    m_startupMessages = std::make_unique<HeldPrompts>(m_prompts);
    if (!m_doc->FileOpen(*m_startupMessages, commandLine))
        showDesign(*m_doc);
}

void frmMain::showSplash() {
    m_splash = new frmSplash(this);
    // Asking the print system for its default printer loads it whole: that
    // waits until the window is up and the splash closes, as do the messages
    // of opening the design, which the splash would hide.
    connect(m_splash, &frmSplash::finished, this, &frmMain::splashClosed);
    m_splash->show();
}

void frmMain::splashClosed() {
    usePaper(paperOfDefaultPrinter());
    HoldToScreen(*this);
    if (m_startupMessages) {
        m_startupMessages->release();
        m_startupMessages.reset();
    }
}

void frmMain::layOutSummaryFor(const PageGeometry& page) {
    m_page = page;
    const int lineWidth = MatchScreenToPrinter(*m_summary, page, kOneInch, kOneInch);
    // Wide enough for a whole line beside the box's frame and scroll bar, so
    // that no line needs scrolling sideways.
    const int frame =
        2 * m_summary->frameWidth() + m_summary->verticalScrollBar()->sizeHint().width();
    const int summaryWidth = twipsToPixels(lineWidth, documentDpi()) +
                             std::max(frame, twipsToPixels(kFrameAllowanceTwips, logicalDpiX()));
    m_drawingPane.fitSummary(summaryWidth, m_sizeKept);
}

void frmMain::usePaper(const PageGeometry& paper) {
    if (paper != m_page)
        layOutSummaryFor(paper);
}

void frmMain::showDesign(const CFile& doc) {
    setWindowTitle(doc.FileTitle());
    if (!doc.FileName().isEmpty())
        m_recent->note(doc.FileName());
    try {
        ShowSummary(*m_summary, ComposeSummary(doc), doc.settings().FontName(),
                    doc.settings().FontSize());
    } catch (const ResonexError& error) {
        m_prompts.tell(QString::fromLatin1(kAppTitle),
                       QStringLiteral("The design summary cannot be shown: ") + error.description(),
                       Prompts::Icon::Exclamation);
    }
    m_drawingPane.designChanged();
}

void frmMain::designCalculated(const CFile&) { m_drawingPane.designChanged(); }

template <typename Dialog> void frmMain::showModal() {
    Dialog dialog({*m_doc, m_store, *this, m_prompts}, this);
    dialog.showModal();
}

void frmMain::showAbout() {
    frmAbout about(m_prompts, this);
    about.exec();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The window takes nothing from the user until the splash has closed and
    // enabled it: a close request from the window manager included.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (m_doc && !m_doc->FileSaveIfModified(m_prompts)) {
        event->ignore();
        return;
    }
    if (!isMinimized()) {
        SaveWindowPosition(*this, m_store);
        if (!isMaximized() && !isFullScreen())
            SaveWindowSize(*this, m_store);
    }
    m_drawingPane.save();
    event->accept();
}

} // namespace resonex::gui
