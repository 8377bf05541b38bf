#include "GuiSupport.h"
#include "PdfText.h"
#include "TestDesigns.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/platform/AtomicFile.h"
#include "core/results/BangResults.h"
#include "core/results/BurstResults.h"
#include "core/settings/CSettings.h"
#include "core/settings/StoredOptions.h"
#include "core/text/NumberText.h"
#include "gui/drawing/DrawingView.h"
#include "gui/platform/QtPrompts.h"
#include "gui/platform/Twips.h"
#include "gui/summary/PageGeometry.h"
#include "gui/summary/SummaryLayout.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWindow>

#include <sys/stat.h>

using namespace resonex;
using namespace resonex::gui;
using Answer = DocumentPrompts::Answer;
using test::Program;
using test::textOf;

namespace {

// A design whose secondary has been calculated, saved at path.
void saveDesign(const QString& path) {
    CFile doc(nullptr);
    doc.secondary().Calculate(true);
    test::ScriptedPrompts dlg;
    QVERIFY(doc.FileSaveAs(dlg, path));
}

} // namespace

class GuiTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    test::ModalWatchdog m_watchdog;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QLocale::setDefault(test::pointLocale()); }

    void startsWithAnUntitledDesignBehindTheSplash() {
        Program program;
        program.start();
        QTRY_VERIFY(Program::splash());
        frmSplash* splash = Program::splash();
        QVERIFY(!program.window->isEnabled());
        QCOMPARE(textOf(splash, "lblProductName") + u' ' + textOf(splash, "lblVersion"),
                 QStringLiteral("Resonex Version 2.0"));
        const QRect screen = splash->screen()->geometry();
        QVERIFY(qAbs(splash->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(splash->geometry().center().y() - screen.center().y()) <= 1);
        // The window manager's close request waits, as the keys do.
        QVERIFY(!program.window->windowHandle()->close());
        QVERIFY(program.window->isVisible());

        program.endSplash();
        QVERIFY(program.window->isEnabled());
        QVERIFY(!Program::splash());
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Untitled"));
        QVERIFY(!test::asksToSave(program.doc()));
        QVERIFY(
            program.summary()->toPlainText().startsWith(QStringLiteral("Filename: Untitled\n\n")));
    }

    // What opening the command line's design has to say waits for the splash
    // window to close, which would hide it.
    void startUpMessagesWaitForTheSplash() {
        QFile::link(path("loop"), path("loop"));
        Program program;
        program.start(path("loop/coil.rzn"));
        QTRY_VERIFY(Program::splash());
        QVERIFY(program.dlg.told.messages.isEmpty());
        frmSplash* splash = Program::splash();
        connect(splash, &frmSplash::finished, this, [splash] { QVERIFY(!splash->isVisible()); });
        program.endSplash();
        QCOMPARE(program.dlg.told.messages.size(), 1);
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Untitled"));
    }

    // The design on the command line shows as the companion shows it.
    void designsShowAsTheCompanionShowsThem() {
        const auto companion = [](const QString& design) {
            QProcess cli;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
            cli.setProcessEnvironment(env);
            cli.start(QStringLiteral(RESONEX_CLI), {QStringLiteral("show"), design});
            return cli.waitForFinished() ? QString::fromUtf8(cli.readAllStandardOutput())
                                         : QString();
        };
        saveDesign(path("whole.rzn"));
        Program program;
        program.startPastSplash(path("whole.rzn"));
        QCOMPARE(program.window->windowTitle(), QStringLiteral("whole.rzn"));
        QVERIFY(!test::asksToSave(program.doc()));
        QCOMPARE(program.summary()->toPlainText() + u'\n', companion(path("whole.rzn")));
    }

    // The menu items by caption and key, Save As with Ctrl+Shift+S beside its
    // item, and the toolbar by tool tip: no Save As, Exit, Options or About there.
    void menusAndToolbar() {
        Program program;
        program.startPastSplash();
        QStringList items;
        for (const char* name :
             {"mnuFileItem0", "mnuFileItem1", "mnuFileItem3", "mnuFileItem4", "mnuFileItem6",
              "mnuFileExportPdf", "mnuFileExportDrawing", "mnuFileItem8", "mnuCalculationsItem0",
              "mnuCalculationsItem1", "mnuCalculationsItem2", "mnuCalculationsTopLoad",
              "mnuCalculationsPower", "mnuToolsItem0", "mnuHelpItem0"}) {
            const QAction* item = program.action(name);
            items << (item ? item->text() + u'=' + item->shortcut().toString()
                           : QStringLiteral("no ") + QLatin1String(name));
        }
        QCOMPARE(items,
                 QStringList({"&New Design=Ctrl+N", "&Open Design...=Ctrl+O", "&Save Design=Ctrl+S",
                              "Save Design &As...=", "&Print Design=Ctrl+P", "&Export PDF...=",
                              "Export &Drawing...=", "E&xit=Ctrl+Q", "&Secondary Coil...=",
                              "&Primary Coil...=", "Primary &Capacitor...=", "&Top Load...=",
                              "Po&wer and Capacitor Bank...=", "&Options...=", "&About Resonex="}));
        QStringList buttons;
        for (const QAction* button :
             program.window->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
            buttons << button->objectName() + u'=' + button->toolTip();
        QCOMPARE(buttons, QStringList({"btnNew=New Design", "btnOpen=Open Design",
                                       "btnSave=Save Design", "btnPrint=Print Design",
                                       "btnSecCoilCalcs=Secondary Coil Calculations",
                                       "btnPriCoilCalcs=Primary Coil Calculations",
                                       "btnPriCapCalcs=Primary Capacitor Calculations",
                                       "btnTopLoadCalcs=Top Load Calculations",
                                       "btnPowerCalcs=Power and Capacitor Bank Calculations"}));

        program.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program.window.get()));
        program.dlg.files << path("keyed.rzn");
        QTest::keyClick(program.window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(program.dlg.dialogs.size(), 1);
        QCOMPARE(program.dlg.dialogs.first().title, QStringLiteral("Save Design As"));
        QCOMPARE(program.window->windowTitle(), QStringLiteral("keyed.rzn"));
    }

    void commandsRebuildTheSummaryOnce() {
        // Starting on a design shows that design, and only that one: the box
        // changes as often as when starting on none (its layout set-up counts too).
        saveDesign(path("start.rzn"));
        const auto changesAtStart = [this](const QString& commandLine) {
            Program starting;
            starting.window = std::make_unique<frmMain>(starting.store, &starting.dlg);
            int changes = 0;
            connect(starting.summary(), &QTextEdit::textChanged, this, [&] { ++changes; });
            starting.window->Load(commandLine);
            return changes;
        };
        QCOMPARE(changesAtStart(path("start.rzn")), changesAtStart(QString()));

        Program program;
        program.startPastSplash();
        int changes = 0;
        connect(program.summary(), &QTextEdit::textChanged, this, [&] { ++changes; });
        const auto once = [&](const char* action) {
            changes = 0;
            program.action(action)->trigger();
            QVERIFY2(changes == 1, action);
        };
        program.dlg.files << path("once.rzn") << path("once.rzn");
        once("mnuFileItem4"); // Save As
        QCOMPARE(program.window->windowTitle(), QStringLiteral("once.rzn"));
        once("btnSave");
        QCOMPARE(program.dlg.dialogs.size(), 1); // saved to its own name
        once("btnNew");
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Untitled"));
        once("mnuFileItem1"); // Open
        QCOMPARE(program.window->windowTitle(), QStringLiteral("once.rzn"));
        QVERIFY(program.dlg.told.messages.isEmpty());
    }

    // The summary is paper, white under its blue and black in a dark theme
    // too, while the rest of the window follows the theme.
    void summaryStyles() {
        const QPalette theme = QApplication::palette();
        QPalette dark = theme;
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
        QApplication::setPalette(dark);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(theme); });
        Program program;
        program.start();
        CSettings& settings = program.doc().settings();
        settings.setFontName(QStringLiteral("DejaVu Serif"));
        settings.setFontSize(14);
        program.window->showDesign(program.doc());

        QStringList runs;
        for (QTextBlock block = program.summary()->document()->begin(); block.isValid();
             block = block.next()) {
            QCOMPARE(block.blockFormat().leftMargin(), twipsToPixels(100, documentDpi()));
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                QCOMPARE(format.fontFamilies().toStringList(), QStringList{settings.FontName()});
                QCOMPARE(format.fontPointSize(), 14.0);
                const bool heading = format.fontWeight() == QFont::Bold;
                QCOMPARE(format.foreground().color(),
                         heading ? QColor(0, 0, 255) : QColor(0, 0, 0));
                runs << (heading ? u'H' : u'B') + it.fragment().text();
            }
        }
        QCOMPARE(runs.mid(0, 4), QStringList({"HFilename: ", "BUntitled", "HSecondary Coil Design",
                                              "BNo Secondary Coil Data Calculated"}));

        const QImage shown = program.summary()->viewport()->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                colours << shown.pixel(x, y);
        QCOMPARE(shown.pixel(shown.width() - 1, shown.height() - 1), qRgb(255, 255, 255));
        QVERIFY(colours.contains(qRgb(0, 0, 255)) && colours.contains(qRgb(0, 0, 0)));
        QCOMPARE(program.window->palette().color(QPalette::Window), QColor(0x35, 0x35, 0x35));
    }

    void closingAsksToSaveChanges() {
        Program program;
        program.startPastSplash();
        program.doc().setModified(true);

        program.dlg.answers = {Answer::Cancel};
        QVERIFY(!program.window->close());
        QVERIFY(program.window->isVisible());
        QCOMPARE(program.position(stored::kWindowTop, "frmMain"), QStringLiteral("none"));

        // Yes: saved through Save As, then closed, the position kept in twips.
        program.dlg.answers = {Answer::Yes};
        program.dlg.files << path("closing.rzn");
        program.window->move(300, 150);
        QVERIFY(program.window->close());
        QVERIFY(QFile::exists(path("closing.rzn")));
        const double dpi = program.window->screen()->logicalDotsPerInch();
        QCOMPARE(program.position(stored::kWindowTop, "frmMain"),
                 text::generalText(float(program.window->y() * 1440 / dpi)));
        QCOMPARE(program.position(stored::kWindowLeft, "frmMain"),
                 text::generalText(float(program.window->x() * 1440 / dpi)));

        // No: closed without a save, the position kept all the same.
        Program declined;
        declined.startPastSplash();
        declined.doc().setModified(true);
        declined.dlg.answers = {Answer::No};
        QVERIFY(declined.window->close());
        QVERIFY(declined.dlg.dialogs.isEmpty());
        QVERIFY(declined.position(stored::kWindowTop, "frmMain") != QStringLiteral("none"));
    }

    void windowPositionsPersist() {
        Program program;
        program.setPosition(stored::kWindowTop, "frmMain", "1440");
        program.setPosition(stored::kWindowLeft, "frmMain", "2880");
        program.start();
        const double dpi = program.window->screen()->logicalDotsPerInch();
        QCOMPARE(program.window->pos(), QPoint(twipsToPixels(2880, dpi), twipsToPixels(1440, dpi)));

        // Closing while minimised keeps the old place.
        program.endSplash();
        program.window->showMinimized();
        QVERIFY(program.window->close());
        QCOMPARE(program.position(stored::kWindowTop, "frmMain"), QStringLiteral("1440"));

        // A place on a screen since unplugged centres the window on the primary
        // screen; one partly on a screen is kept.
        const auto restoredAt = [dpi](int left) {
            Program moved;
            moved.setPosition(stored::kWindowTop, "frmMain", "0");
            moved.setPosition(stored::kWindowLeft, "frmMain",
                              QString::number(pixelsToTwips(left, dpi)));
            moved.start();
            return QRect(moved.window->pos(), moved.window->size());
        };
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(restoredAt(primary.right() - 10).topLeft(), QPoint(primary.right() - 10, 0));
        const QRect away = restoredAt(primary.right() + 1);
        QCOMPARE(away.topLeft(), QPoint(primary.x() + (primary.width() - away.width()) / 2,
                                        primary.y() + (primary.height() - away.height()) / 2));
    }

    // Opening or saving puts a design first in File > Recent Designs; an entry
    // opens after the offer to save, and one whose file has gone is taken off
    // with a word to the user.
    void recentDesigns() {
        saveDesign(path("r1.rzn"));
        saveDesign(path("r2.rzn"));
        Program program;
        program.startPastSplash();
        auto* menu = program.window->findChild<QMenu*>(QStringLiteral("mnuFileRecent"));
        QVERIFY(menu);
        const auto entries = [&] {
            emit menu->aboutToShow();
            QStringList shown;
            for (const QAction* item : menu->actions())
                shown << item->text() + u'=' + item->toolTip();
            return shown;
        };
        QCOMPARE(entries().size(), 1); // "No recent designs", disabled
        QVERIFY(!menu->actions().front()->isEnabled());

        program.dlg.files << path("r1.rzn") << path("r2.rzn");
        program.action("mnuFileItem1")->trigger();
        program.action("mnuFileItem4")->trigger(); // saved under a new name
        QCOMPARE(entries(), QStringList({"&1 r2.rzn=" + QDir::toNativeSeparators(path("r2.rzn")),
                                         "&2 r1.rzn=" + QDir::toNativeSeparators(path("r1.rzn"))}));

        program.doc().setModified(true);
        program.dlg.answers = {Answer::No};
        program.action("mnuFileRecentItem1")->trigger();
        QCOMPARE(program.dlg.questions.size(), 1);
        QCOMPARE(program.window->windowTitle(), QStringLiteral("r1.rzn"));
        QCOMPARE(entries().first(), "&1 r1.rzn=" + QDir::toNativeSeparators(path("r1.rzn")));

        QVERIFY(QFile::remove(path("r2.rzn")));
        program.action("mnuFileRecentItem1")->trigger();
        QCOMPARE(program.dlg.told.messages.size(), 1);
        QVERIFY(program.dlg.told.messages.first().contains(QStringLiteral("no longer there")));
        QCOMPARE(program.window->windowTitle(), QStringLiteral("r1.rzn"));
        QCOMPARE(entries().size(), 1);
    }

    // One .rzn file dropped opens, after the offer to save; anything else is
    // refused and changes nothing.
    void droppedDesignsOpen() {
        saveDesign(path("dropped.rzn"));
        Program program;
        program.startPastSplash();
        const auto drop = [&](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QCoreApplication::sendEvent(program.window.get(), &enter);
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                               Qt::NoModifier);
            QCoreApplication::sendEvent(program.window.get(), &dropped);
            return enter.isAccepted() && dropped.isAccepted();
        };
        const QUrl design = QUrl::fromLocalFile(path("dropped.rzn"));
        QVERIFY(!drop({QUrl::fromLocalFile(path("notes.txt"))}));
        QVERIFY(!drop({design, design}));
        QVERIFY(!drop({QUrl(QStringLiteral("https://example.org/a.rzn"))}));
        QCoreApplication::processEvents();
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Untitled"));

        program.doc().setModified(true);
        program.dlg.answers = {Answer::Cancel, Answer::No};
        QVERIFY(drop({design}));
        QTRY_COMPARE(program.dlg.questions.size(), 1);
        QCOMPARE(program.window->windowTitle(), QStringLiteral("Untitled")); // cancelled
        QVERIFY(drop({design}));
        QTRY_COMPARE(program.window->windowTitle(), QStringLiteral("dropped.rzn"));
        QCOMPARE(program.dlg.questions.size(), 2);
    }

    // The size is kept beside the corner and comes back, held to the screen;
    // a first start shows the summary's first lines whole, within the screen.
    void windowSizePersists() {
        Program first;
        first.startPastSplash();
        const QRect room = first.window->screen()->availableGeometry();
        QVERIFY(first.window->height() <= room.height());
        const QFontMetricsF metrics(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
        QVERIFY(first.summary()->viewport()->height() >= qFloor(22 * metrics.lineSpacing()) ||
                first.window->height() == room.height());
        first.window->resize(500, 400);
        QVERIFY(first.window->close());
        QVERIFY(first.position(stored::kWindowWidth, "frmMain") != QStringLiteral("none"));

        Program again;
        again.store = first.store;
        again.start();
        QCOMPARE(again.window->size(), QSize(500, 400));

        Program huge;
        huge.setPosition(stored::kWindowWidth, "frmMain", "30000");
        huge.setPosition(stored::kWindowHeight, "frmMain", "30000");
        huge.start();
        QCOMPARE(huge.window->size(), room.size());

        // Unusable sizes leave a first start's; a damaged place centres the window.
        Program fresh;
        fresh.start();
        Program damaged;
        damaged.setPosition(stored::kWindowWidth, "frmMain", "wide");
        damaged.setPosition(stored::kWindowHeight, "frmMain", "-100");
        damaged.setPosition(stored::kWindowTop, "frmMain", "abc");
        damaged.setPosition(stored::kWindowLeft, "frmMain", "1e30");
        damaged.start();
        QCOMPARE(damaged.window->size(), fresh.window->size());
        const QRect screen = damaged.window->screen()->geometry();
        QCOMPARE(damaged.window->pos(), QPoint((screen.width() - damaged.window->width()) / 2,
                                               (screen.height() - damaged.window->height()) / 2));
    }

    void summaryIsLaidOutForPaper() {
        // Letter in a US locale, A4 in a German one; a printer 0.25 inch unprintable.
        const PageGeometry letter = PageGeometry::defaultPage();
        QCOMPARE(QSize(letter.pageWidth, letter.pageHeight), QSize(12240, 15840));
        const PageGeometry a4 = PageGeometry::defaultPage(test::commaLocale());
        QCOMPARE(QSize(a4.pageWidth, a4.pageHeight), QSize(11906, 16838));
        const PageGeometry printer{12240, 15840, 360, 360};
        QCOMPARE(QList<int>({printer.leftMargin(kOneInch), printer.rightMargin(kOneInch),
                             printer.lineWidth(kOneInch, kOneInch)}),
                 QList<int>({1080, 10440, 9360}));

        // No printer here: the window is sized from the default page.
        Program program;
        program.start();
        const double dpi = documentDpi();
        QCOMPARE(program.summary()->lineWrapMode(), QTextEdit::FixedPixelWidth);
        QCOMPARE(program.summary()->lineWrapColumnOrWidth(), twipsToPixels(9360, dpi));
        QVERIFY(program.window->width() >= twipsToPixels(9560, program.window->logicalDpiX()));
        QCOMPARE(program.summary()->horizontalScrollBar()->maximum(), 0);

        // Print says plainly that there is no printer; Print Preview shows the
        // pages Export PDF writes, on its paper, with nothing to print them on.
        program.action("btnPrint")->trigger();
        QCOMPARE(program.dlg.told.messages.size(), 1);
        QVERIFY(program.dlg.told.messages[0].startsWith("No printer is available."));
        test::whileModal(this, [](QWidget* preview) {
            QCOMPARE(preview->objectName(), QStringLiteral("frmPrintPreview"));
            QCOMPARE(preview->findChild<QPrintPreviewWidget*>()->pageCount(), 1);
            const QPrinter& printer = *qobject_cast<QPrintPreviewDialog*>(preview)->printer();
            QCOMPARE(printer.pageLayout().fullRectPoints().size(), QSize(612, 792));
            for (const QAction* action : preview->findChildren<QAction*>())
                if (action->text() == QStringLiteral("Print"))
                    QVERIFY(!action->isEnabled());
            preview->close();
        });
        program.action("mnuFilePrintPreview")->trigger();
        QCOMPARE(program.dlg.told.messages.size(), 1);
        QVERIFY(!QApplication::activeModalWidget());

        // The printer's paper, known once the splash has closed, lays the
        // summary out anew: a first start's window follows it, and a window
        // that took its size from the last run keeps it.
        Program fresh, kept;
        const double screenDpi = program.window->logicalDpiX();
        const QString width = QString::number(qRound(pixelsToTwips(760, screenDpi)));
        kept.setPosition(stored::kWindowWidth, "frmMain", width);
        kept.setPosition(stored::kWindowHeight, "frmMain", QStringLiteral("7200"));
        for (Program* started : {&fresh, &kept}) {
            started->startPastSplash();
            started->window->usePaper(a4);
            QCOMPARE(started->summary()->lineWrapColumnOrWidth(),
                     twipsToPixels(a4.lineWidth(kOneInch, kOneInch), dpi));
            QCOMPARE(started->summary()->horizontalScrollBar()->maximum(), 0);
        }
        QVERIFY(fresh.window->width() < program.window->width());
        QCOMPARE(kept.window->size(),
                 QSize(twipsToPixels(width.toInt(), screenDpi), twipsToPixels(7200, screenDpi)));
        kept.window->close();
        QCOMPARE(kept.position(stored::kWindowWidth, "frmMain"), width);
    }

    void exportPdfAsPrinted() {
        saveDesign(path("export.rzn"));
        Program program;
        program.start(path("export.rzn"));
        program.dlg.files << QString() << path("export.pdf");
        program.action("mnuFileExportPdf")->trigger(); // cancelled
        QVERIFY(!QFile::exists(path("export.pdf")));
        program.action("mnuFileExportPdf")->trigger();
        QCOMPARE(program.dlg.dialogs.constLast().fileName, QStringLiteral("export.pdf"));
        QCOMPARE(program.dlg.dialogs.constLast().defaultSuffix, QStringLiteral("pdf"));

        // A large type makes several pages.
        program.doc().settings().setFontSize(40);
        program.window->showDesign(program.doc());
        program.dlg.files << path("long.pdf");
        program.action("mnuFileExportPdf")->trigger();
        QVERIFY(program.dlg.told.messages.isEmpty());

        const auto one = test::readPdf(path("export.pdf"));
        const auto several = test::readPdf(path("long.pdf"));
        if (!one || !several)
            QSKIP("pdftotext is not installed");
        QCOMPARE(one->pages.size(), 1);
        QVERIFY(several->pages.size() > 1);
        test::checkPrintedSummary(*several, QSizeF(612, 792), *program.summary());
        // The text starts 100 twips inside the left margin.
        qreal leftmost = 612;
        for (const QRectF& word : one->pages[0].words)
            leftmost = qMin(leftmost, word.left());
        QVERIFY(leftmost >= 77 && leftmost < 79);
    }

    // The pane beside the summary follows each change of the design, hides
    // and comes back with F9's item, and opens as it was left.
    void drawingPane() {
        Program program;
        program.startPastSplash();
        auto* view = program.window->findChild<DrawingView*>(QStringLiteral("picDrawing"));
        QAction* item = program.action("mnuViewItem0");
        QCOMPARE(item->shortcut(), QKeySequence(Qt::Key_F9));
        // A first run shows the summary alone.
        QVERIFY(view && !view->isVisible() && !item->isChecked());
        const int narrow = program.window->width();
        item->trigger();
        QVERIFY(view->isVisible() && item->isChecked());
        QVERIFY(program.window->width() > narrow);
        QTRY_VERIFY(view->drawing().isEmpty());
        // The summary keeps its whole printed line beside it.
        QCOMPARE(program.summary()->horizontalScrollBar()->maximum(), 0);

        test::calculateWorkedExample(program.doc());
        program.window->showDesign(program.doc());
        QCOMPARE(view->drawing().topLoad.size(), 2);

        const int wide = program.window->width();
        item->trigger();
        QVERIFY(!view->isVisible() && !item->isChecked());
        QCOMPARE(program.window->width(), narrow);
        QCOMPARE(program.store.value("Drawing", "Visible", "none"), QStringLiteral("False"));
        // Hidden, it waits for the design until it is shown again.
        program.doc().topLoad().setShape(CTopLoad::Shape::None);
        program.window->showDesign(program.doc());
        QCOMPARE(view->drawing().topLoad.size(), 2);
        item->trigger();
        QTRY_VERIFY(view->drawing().topLoad.isEmpty());
        QCOMPARE(program.window->width(), wide);

        // Its width, by the divider and by the window's edge, is kept in twips
        // and read back; a damaged one is ignored.
        auto* panes = program.window->findChild<QSplitter*>(QStringLiteral("splfrmMain"));
        const int before = view->width();
        panes->setSizes({panes->sizes()[0] + 100, before - 100});
        emit panes->splitterMoved(0, 1);
        QCOMPARE(view->width(), before - 100);
        program.window->resize(program.window->width() + 60, program.window->height());
        QTRY_COMPARE(view->width(), before - 40);
        program.dlg.answers = {Answer::No}; // the example is not kept
        QVERIFY(program.window->close());
        const int twips = qRound(pixelsToTwips(before - 40, program.window->logicalDpiX()));
        QCOMPARE(program.store.value("Drawing", "Width", "none").toInt(), twips);
        QCOMPARE(program.store.value("Drawing", "Visible", "none"), QStringLiteral("True"));

        // The pane's width in a program started with it shown, as kept.
        const auto shownAt = [](Program& started, const QString& width) {
            started.store.setValue("Drawing", "Visible", "True");
            if (!width.isEmpty())
                started.store.setValue("Drawing", "Width", width);
            started.startPastSplash();
            return started.window->findChild<DrawingView*>()->width();
        };
        Program again;
        QCOMPARE(shownAt(again, QString::number(twips)), before - 40);
        QVERIFY(again.action("mnuViewItem0")->isChecked());
        // A damaged width is the first run's.
        Program damaged, first;
        QCOMPARE(shownAt(damaged, "nonsense"), shownAt(first, QString()));

        // A pane left wide on a larger screen gives way to the summary's line
        // on this one: the window fits the screen, and is kept so.
        Program large;
        QVERIFY(shownAt(large, "32767") > 0);
        const QRect screen = large.window->screen()->availableGeometry();
        QVERIFY(screen.contains(large.window->frameGeometry()));
        QCOMPARE(large.summary()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(large.window->close());
        const double dpi = large.window->logicalDpiX();
        QVERIFY(large.position(stored::kWindowLeft, "frmMain").toDouble() >= 0);
        QVERIFY(twipsToPixels(large.position(stored::kWindowWidth, "frmMain").toDouble(), dpi) <=
                screen.width());
        QVERIFY(twipsToPixels(large.store.value("Drawing", "Width", "none").toInt(), dpi) <
                screen.width());
    }

    // F9 in a maximised window gives the pane its share of the window, which
    // keeps its size; in a window at the screen's right edge (no window
    // manager to move it back), the window grows inside the screen.
    void drawingPaneInAWindowThatCannotGrow() {
        Program maximised;
        maximised.startPastSplash();
        maximised.window->showMaximized();
        QTRY_VERIFY(maximised.window->isMaximized());
        const int width = maximised.window->width();
        auto* view = maximised.window->findChild<DrawingView*>(QStringLiteral("picDrawing"));
        maximised.action("mnuViewItem0")->trigger();
        QVERIFY(view->isVisible());
        QTRY_VERIFY2(view->width() >= width / 3 - 8, qPrintable(QString::number(view->width())));
        QCOMPARE(maximised.window->width(), width);
        maximised.action("mnuViewItem0")->trigger();
        QVERIFY(!view->isVisible());
        QCOMPARE(maximised.window->width(), width);

        Program edge;
        edge.startPastSplash();
        const QRect screen = edge.window->screen()->availableGeometry();
        edge.window->move(screen.right() + 1 - edge.window->frameGeometry().width(), screen.top());
        QTRY_COMPARE(edge.window->frameGeometry().right(), screen.right());
        const int narrow = edge.window->width();
        edge.action("mnuViewItem0")->trigger();
        QTRY_VERIFY(edge.window->width() > narrow);
        QVERIFY2(screen.contains(edge.window->frameGeometry()),
                 qPrintable(QStringLiteral("%1 %2")
                                .arg(edge.window->frameGeometry().right())
                                .arg(screen.right())));
        QVERIFY(edge.window->findChild<DrawingView*>()->width() > 0);

        // As wide as the screen already, it cannot grow either.
        Program wide;
        wide.startPastSplash();
        const int frame = wide.window->frameGeometry().width() - wide.window->width();
        wide.window->move(screen.topLeft());
        wide.window->resize(screen.width() - frame, wide.window->height());
        QTRY_COMPARE(wide.window->frameGeometry().width(), screen.width());
        QVERIFY(screen.contains(wide.window->frameGeometry()));
        wide.action("mnuViewItem0")->trigger();
        QTRY_VERIFY(wide.window->findChild<DrawingView*>()->width() >= screen.width() / 3 - 8);
        QVERIFY(screen.contains(wide.window->frameGeometry()));
    }

    // SVG and PNG by the name's ending; anything else is refused before a
    // file is written.
    void exportDrawing() {
        Program program;
        program.startPastSplash();
        test::calculateWorkedExample(program.doc());
        program.dlg.files << path("coil.svg") << path("coil.PNG") << path("coil.txt");
        for (int run = 0; run < 3; ++run)
            program.action("mnuFileExportDrawing")->trigger();
        QCOMPARE(program.dlg.dialogs.constFirst().fileName, QStringLiteral("Untitled.svg"));

        const QStringList texts = test::svgTexts(path("coil.svg"));
        QVERIFY(texts.contains(QStringLiteral("876.00mm")));

        QImageReader png(path("coil.PNG"));
        QCOMPARE(png.format(), QByteArray("png"));
        QCOMPARE(png.size().width(), 1600);

        QVERIFY(!QFile::exists(path("coil.txt")));
        QCOMPARE(program.dlg.told.messages.size(), 1);
        QVERIFY(program.dlg.told.messages[0].contains(QStringLiteral(".svg or .png")));
    }

    // An export that cannot be written, onto a full disk or onto a pipe, says
    // why (what is left as it was is the write path's); a pipe is never waited on.
    void exportsThatCannotBeWritten() {
        Program program;
        program.store.setValue("Drawing", "Visible", "True");
        program.startPastSplash();
        test::calculateWorkedExample(program.doc());
        program.window->showDesign(program.doc());
        const QStringList kinds{"svg", "png", "pdf"};
        // Exports each kind under the name, each told why it failed.
        const auto exportAs = [&](const QString& name, const QString& why) {
            program.dlg.told.messages.clear();
            QStringList told;
            for (const QString& kind : kinds) {
                const QString file = path(name + u'.' + kind);
                program.dlg.files << file;
                program.action(kind == "pdf" ? "mnuFileExportPdf" : "mnuFileExportDrawing")
                    ->trigger();
                told << (kind == "pdf" ? "The design summary" : "The drawing") +
                            QStringLiteral(" could not be written to ") + file + ": " + why + '.';
            }
            QCOMPARE(program.dlg.told.messages, told);
        };
        {
            const SimulatedFullDisk full(1000);
            exportAs("full", "No space left on device");
        }
        for (const QString& kind : kinds)
            QCOMPARE(::mkfifo(QFile::encodeName(path("pipe." + kind)).constData(), 0600), 0);
        exportAs("pipe", "Not a regular file");
    }

    // The drawing and the tuning plot follow the summary's pages on a page of
    // their own, the summary's pages as they were; with nothing drawn there is
    // no such page.
    void drawingOnTheLastPage() {
        Program program;
        program.store.setValue("Drawing", "Visible", "True");
        program.startPastSplash();
        program.dlg.files << path("empty.pdf") << path("drawn.pdf");
        program.action("mnuFileExportPdf")->trigger();
        test::calculateWorkedExample(program.doc());
        program.window->showDesign(program.doc());
        program.action("mnuFileExportPdf")->trigger();
        QVERIFY(program.dlg.told.messages.isEmpty());

        // The same summary alone, as it printed before there were drawings.
        QVERIFY(!ExportPdf(*program.summary(), PageGeometry::defaultPage(), kPrintMargins,
                           path("summary.pdf"), QStringLiteral("Untitled")));

        const auto empty = test::readPdf(path("empty.pdf"));
        const auto drawn = test::readPdf(path("drawn.pdf"));
        const auto summary = test::readPdf(path("summary.pdf"));
        if (!empty || !drawn || !summary)
            QSKIP("pdftotext is not installed");
        QCOMPARE(empty->pages.size(), 1);
        QCOMPARE(drawn->pages.size(), summary->pages.size() + 1);
        for (qsizetype page = 0; page < summary->pages.size(); ++page)
            QCOMPARE(drawn->pages[page].words, summary->pages[page].words);
        QCOMPARE(drawn->lines.first(summary->lines.size()), summary->lines);
        QVERIFY(drawn->lines.contains(QStringLiteral("876.00mm")));
        // The tuning plot under the drawing.
        QVERIFY(drawn->lines.contains(QStringLiteral("Tapped at turn")));
    }

    // The bang follows the tuning plot on the pictures' page once the design
    // uses the power side, as the summary's Bang section does.
    void bangOnTheLastPage() {
        Program program;
        program.store.setValue("Drawing", "Visible", "True");
        program.startPastSplash();
        CFile& doc = program.doc();
        doc.secondary().Calculate(doc.settings().UseMetric());
        doc.transformer().CalcCap(doc.settings().Use50Hz());
        test::tuneForBang(doc, program.dlg);
        QVERIFY(doc.results().bang().bang && !doc.usesPower());
        program.window->showDesign(doc);
        program.dlg.files << path("unpowered.pdf") << path("powered.pdf");
        program.action("mnuFileExportPdf")->trigger();
        calculatePower(doc, {{Input::GapOhms, QStringLiteral("2")}});
        QVERIFY(doc.usesPower());
        program.window->showDesign(doc);
        program.action("mnuFileExportPdf")->trigger();
        QVERIFY(program.dlg.told.messages.isEmpty());

        const auto unpowered = test::readPdf(path("unpowered.pdf"));
        const auto powered = test::readPdf(path("powered.pdf"));
        if (!unpowered || !powered)
            QSKIP("pdftotext is not installed");
        QVERIFY(unpowered->lines.contains(QStringLiteral("Tapped at turn")));
        QVERIFY(!unpowered->lines.contains(QStringLiteral("Top voltage (kV)")));
        const QString text = powered->lines.join(u'\n');
        for (const char* words :
             {"Tapped at turn", "Primary current (A)", "Top voltage (kV)", "Time (µs)", "quench"})
            QVERIFY2(text.contains(QString::fromUtf8(words)), words);

        // Driven by a bridge, the burst in the bang's place.
        calculatePower(doc, {{Input::Driver, QStringLiteral("bridge")},
                             {Input::BusV, QStringLiteral("340")},
                             {Input::UnitC, QStringLiteral("0.15")},
                             {Input::UnitKv, QStringLiteral("2")},
                             {Input::BankSeries, QStringLiteral("10")},
                             {Input::BankStrings, QStringLiteral("4")},
                             {Input::TankC, QString()},
                             {Input::OnTime, QStringLiteral("120")}});
        QVERIFY(doc.results().burst().burst);
        program.window->showDesign(doc);
        program.dlg.files << path("bridge.pdf");
        program.action("mnuFileExportPdf")->trigger();
        QVERIFY(program.dlg.told.messages.isEmpty());
        const auto bridge = test::readPdf(path("bridge.pdf"));
        QVERIFY(bridge);
        const QString burst = bridge->lines.join(u'\n');
        for (const char* words : {"Primary current (A)", "Top voltage (kV)", "peak", "stop"})
            QVERIFY2(burst.contains(QString::fromUtf8(words)), words);
        QVERIFY(!burst.contains(QStringLiteral("quench")));
    }

    // The prompts the user sees, answered as a user would: the question's
    // buttons, and the save dialog's set-up, suffix and replace question.
    void realDialogs() {
        QWidget owner;
        QtPrompts prompts(&owner);
        const QString question = QStringLiteral("Save changes to 'Untitled'?");
        test::whileModal(this, [&](QWidget* box) {
            QCOMPARE(qobject_cast<QMessageBox*>(box)->text(), question);
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
        });
        QCOMPARE(prompts.ask(QStringLiteral("Resonex"), question), DocumentPrompts::Answer::No);
        test::whileModal(this, [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(prompts.ask(QStringLiteral("Resonex"), question), DocumentPrompts::Answer::Cancel);

        const FileDialogSetup design{QStringLiteral("Save Design As"), m_dir.path(), QString(),
                                     CFile::kDesignFilter, QStringLiteral("rzn")};
        const auto typeName = [](QWidget* dialog, const QString& typed) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, Qt::Key_Return);
        };
        const auto saved = [&](const QString& typed) {
            test::whileModal(this, [&](QWidget* dialog) { typeName(dialog, typed); });
            return prompts.chooseFileToSave(design);
        };
        test::whileModal(this, [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files);
            QCOMPARE(files->nameFilters(), QStringList{CFile::kDesignFilter});
            QCOMPARE(files->directory().absolutePath(), m_dir.path());
            typeName(dialog, QStringLiteral("bare"));
        });
        QCOMPARE(prompts.chooseFileToSave(design), path("bare.rzn"));
        // A dotted name gets the suffix too; the file of its bare name is not
        // the one saved to, so nothing is asked about it.
        test::writeAll(path("coil v1.2"), {});
        QCOMPARE(saved(QStringLiteral("coil v1.2")), path("coil v1.2.rzn"));
        QCOMPARE(saved(QStringLiteral("x.RZN")), path("x.RZN"));

        // The name saved under is the one asked about; No shows the dialog again.
        test::writeAll(path("old.rzn"), {});
        QStringList asked;
        const auto answer = [&](QMessageBox::StandardButton button) {
            return [&asked, button](QWidget* box) {
                asked << box->windowTitle() + u':' + qobject_cast<QMessageBox*>(box)->text();
                qobject_cast<QMessageBox*>(box)->button(button)->click();
            };
        };
        const auto typeOld = [&](QWidget* dialog) { typeName(dialog, QStringLiteral("old")); };
        test::whileModals(this,
                          {typeOld, answer(QMessageBox::No), typeOld, answer(QMessageBox::Yes)});
        QCOMPARE(prompts.chooseFileToSave(design), path("old.rzn"));
        QCOMPARE(asked, QStringList(2, QStringLiteral("Save Design As:old.rzn already exists.\n"
                                                      "Do you want to replace it?")));

        const FileDialogSetup open{QString(), m_dir.path(), QString(), CFile::kDesignFilter, {}};
        test::whileModal(this,
                         [](QWidget* dialog) { qobject_cast<QFileDialog*>(dialog)->reject(); });
        QCOMPARE(prompts.chooseFileToOpen(open), QString());
        // A design opened through a link keeps the link's name.
        QVERIFY(QFile::link(path("old.rzn"), path("link.rzn")));
        test::whileModal(this,
                         [&](QWidget* dialog) { typeName(dialog, QStringLiteral("link.rzn")); });
        QCOMPARE(prompts.chooseFileToOpen(open), path("link.rzn"));
    }

    void aboutBox() {
        Program program;
        program.startPastSplash();
        QTemporaryDir tools;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", tools.path().toLocal8Bit());
        test::whileModal(this, [&](QWidget* about) {
            QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
            QCOMPARE(about->windowTitle(), QStringLiteral("About Resonex"));
            QCOMPARE(textOf(about, "lblTitle"),
                     QStringLiteral("Resonex\n\nCopyright \u00A9 2026 Resonex\n\nVersion 2.0"));
            QVERIFY(textOf(about, "lblLicence")
                        .contains(u"GNU General Public License, version 3 or later"));
            auto* sysInfo = test::child<QPushButton>(about, "cmdSysInfo");
            QCOMPARE(sysInfo->text(), QStringLiteral("&System Info..."));
            sysInfo->click();
            QCOMPARE(program.dlg.told.messages,
                     QStringList{QStringLiteral("System Information Is Unavailable At This Time")});

            // An installed tool is started instead.
            const QString tool = tools.filePath(QStringLiteral("hardinfo"));
            test::writeScript(tool, "/bin/touch \"$0.ran\"\n");
            sysInfo->click();
            QTRY_VERIFY(QFile::exists(tool + QStringLiteral(".ran")));
            QCOMPARE(program.dlg.told.messages.size(), 1);
            test::child<QPushButton>(about, "cmdOK")->click();
        });
        program.action("mnuHelpItem0")->trigger();
        qputenv("PATH", path);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Without a display the program says what it needs, in place of Qt's
    // words and a core dump, whether none is named or the one named is not
    // there.
    void withoutADisplayTheProgramSaysSo() {
        const QByteArray told = "resonex: Resonex needs a graphical desktop (an X11 or Wayland "
                                "display), and none can be reached.\n"
                                "resonex: resonex-cli works without one; see resonex-cli --help.\n";
        for (const QString& display : {QString(), QStringLiteral(":99")}) {
            if (!display.isEmpty() && QFile::exists(QStringLiteral("/tmp/.X11-unix/X99")))
                continue; // display :99 is there
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const QString name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                env.remove(name);
            if (!display.isEmpty())
                env.insert(QStringLiteral("DISPLAY"), display);
            QProcess program;
            program.setProcessEnvironment(env);
            program.start(QStringLiteral(RESONEX_PROGRAM));
            QVERIFY(program.waitForFinished());
            QCOMPARE(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1, 1);
            const QByteArray error = program.readAllStandardError();
            // Qt's warnings, which say what it tried, may come first.
            QVERIFY2(display.isEmpty() ? error == told : error.endsWith(told), error.constData());
        }
    }
};

QTEST_MAIN(GuiTest)
#include "tst_gui.moc"
