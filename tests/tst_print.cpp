#include "PdfText.h"
#include "TestSupport.h"

#include "core/settings/MemoryOptionsStore.h"
#include "gui/app/frmMain.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QPageSize>
#include <QPrinterInfo>
#include <QTemporaryDir>

// Print Design through a real print system, read back from the PDFs it makes.
// print/print-test.sh runs a private CUPS scheduler whose default queue writes
// PDFs, makes a design with resonex-cli and passes both in the environment.
using namespace resonex;

namespace {

constexpr int kPdfWaitMilliseconds = 60000;

QString env(const char* name) { return qEnvironmentVariable(name); }

QStringList pdfsIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("job_*.pdf")}, QDir::Files, QDir::Time);
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QSizeF m_paper;
    MemoryOptionsStore m_store;
    test::ScriptedPrompts m_prompts;
    std::unique_ptr<gui::frmMain> m_window;

    // Prints the design shown and waits until the queue is empty and has
    // written a new PDF; its path, or empty text.
    QString printDesign() {
        const QString output = env("RESONEX_PRINT_OUTPUT");
        const int before = pdfsIn(output).size();
        m_window->findChild<QAction*>(QStringLiteral("mnuFileItem6"))->trigger();
        if (!m_prompts.told.messages.isEmpty())
            return QString();
        for (const QDeadlineTimer wait(kPdfWaitMilliseconds); !wait.hasExpired();) {
            const QString jobs = test::toolOutput(
                QStringLiteral("lpstat"), {QStringLiteral("-o"), env("RESONEX_PRINT_QUEUE")});
            const QStringList pdfs = pdfsIn(output);
            if (jobs.trimmed().isEmpty() && pdfs.size() > before)
                return QDir(output).filePath(pdfs.constFirst());
            QTest::qWait(250);
        }
        return QString();
    }

private slots:
    void initTestCase() {
        QVERIFY2(!env("RESONEX_PRINT_DESIGN").isEmpty() && !env("CUPS_SERVER").isEmpty(),
                 "run through print/print-test.sh, which starts the print system");
        for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            qputenv(folder, QFile::encodeName(m_home.filePath(QLatin1String(folder))));

        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        QCOMPARE(printer.printerName(), env("RESONEX_PRINT_QUEUE"));
        m_paper = printer.defaultPageSize().size(QPageSize::Point);

        m_window = std::make_unique<gui::frmMain>(m_store, &m_prompts);
        m_window->Load(env("RESONEX_PRINT_DESIGN"));
        m_window->show();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("coil.rzn"));
        // The window takes commands once the splash has gone.
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isEnabled(), 10000);
    }

    // The printed pages, checked against the summary on screen.
    void summaryPrintsOnOnePage() {
        const QString printed = printDesign();
        QVERIFY2(!printed.isEmpty(), qPrintable(m_prompts.told.messages.join(u'\n')));
        const auto pdf = test::readPdf(printed);
        QVERIFY2(pdf, "pdftotext is not installed");
        test::checkPrintedSummary(*pdf, m_paper,
                                  *m_window->findChild<QTextEdit*>(QStringLiteral("txtfrmMain")));
        QCOMPARE(pdf->pages.size(), 1);
        QVERIFY(pdf->lines.contains(QStringLiteral("Filename: coil.rzn")));
    }

    void cleanupTestCase() { m_window.reset(); }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
