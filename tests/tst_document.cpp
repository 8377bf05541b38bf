#include "TestDesigns.h"
#include "TestSupport.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/document/DocumentView.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/NativeName.h"
#include "core/results/BangResults.h"
#include "core/results/BurstResults.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResults.h"
#include "core/settings/CSettings.h"
#include "core/settings/MemoryOptionsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace resonex;
using Answer = DocumentPrompts::Answer;

namespace {

// Counts the designs shown and remembers the title each was shown with.
class CountingView : public DocumentView {
public:
    void showDesign(const CFile& doc) override {
        titles << doc.FileTitle();
        if (told)
            toldAtShow << told->size();
    }
    QStringList titles;
    // How many messages had been told each time a design was shown.
    const QStringList* told = nullptr;
    QList<qsizetype> toldAtShow;
};

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    MemoryOptionsStore m_store;
    std::unique_ptr<CFile> m_doc;
    CountingView m_view;
    test::ScriptedPrompts m_dlg;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A design with a change of its own: the secondary's diameter.
    void modify(const char* dia = "123") {
        m_doc->secondary().setDia(QLatin1String(dia));
        m_doc->setModified(true);
    }

    void saveAs(const QString& file) {
        m_dlg.files << file;
        QVERIFY(m_doc->FileSaveAs(m_dlg));
    }

    // The design's title, file name, modified flag and secondary diameter.
    QString state() const {
        return QStringList({m_doc->FileTitle(), m_doc->FileName(),
                            test::asksToSave(*m_doc) ? "modified" : "unmodified",
                            m_doc->secondary().Dia()})
            .join(u'|');
    }

private slots:
    void init() {
        m_store = MemoryOptionsStore();
        m_doc = std::make_unique<CFile>(&m_store);
        m_doc->setView(&m_view);
        m_view = CountingView();
        m_dlg = test::ScriptedPrompts();
    }

    void newDesignAsksAboutChanges() {
        modify();
        // Cancel, or Yes and then a cancelled Save As: nothing changes, nothing is shown.
        m_dlg.answers = {Answer::Cancel, Answer::Yes};
        m_dlg.files << QString();
        QVERIFY(!m_doc->FileNew(m_dlg));
        QVERIFY(!m_doc->FileNew(m_dlg));
        QCOMPARE(m_dlg.questions, QStringList(2, "Resonex: Save changes to 'Untitled'?"));
        QCOMPARE(state(), "Untitled||modified|123.00");
        QVERIFY(m_view.titles.isEmpty());

        // No: the changes are dropped and the new design is shown once.
        m_dlg.answers = {Answer::No};
        QVERIFY(m_doc->FileNew(m_dlg));
        QCOMPARE(state(), "Untitled||unmodified|200.00");
        QCOMPARE(m_view.titles, QStringList{QStringLiteral("Untitled")});

        // Unmodified: no question.
        QVERIFY(m_doc->FileNew(m_dlg));
        QCOMPARE(m_dlg.questions.size(), 3);
    }

    void saveAsThenSaveWritesTheSamePath() {
        m_doc->settings().setDesPath(m_dir.path());
        modify();
        saveAs(path("coil.rzn"));
        const FileDialogSetup setup = m_dlg.dialogs.constLast();
        QCOMPARE(QStringList({setup.folder, setup.fileName, setup.filter, setup.defaultSuffix}),
                 QStringList({m_dir.path(), QString(), "Resonex (*.rzn)", "rzn"}));
        QCOMPARE(state(), "coil.rzn|" + path("coil.rzn") + "|unmodified|123.00");
        QCOMPARE(m_view.titles, QStringList{QStringLiteral("coil.rzn")});

        modify("321");
        QVERIFY(m_doc->FileSave(m_dlg));
        QCOMPARE(m_dlg.dialogs.size(), 1);
        CFile reread(nullptr);
        QVERIFY(reread.FileOpenNamed(m_dlg, path("coil.rzn")));
        QCOMPARE(reread.secondary().Dia(), QStringLiteral("321.00"));

        saveAs(path("copy.rzn"));
        QCOMPARE(m_dlg.dialogs.constLast().fileName, path("coil.rzn"));
        QCOMPARE(m_doc->FileTitle(), QStringLiteral("copy.rzn"));
    }

    void failedSavesChangeNothing() {
        saveAs(path("kept.rzn"));
        const QByteArray before = test::readAll(path("kept.rzn"));
        const int shown = m_view.titles.size();

        // Into a missing folder: reported, name and title as they were.
        modify();
        m_dlg.files << path("missing/other.rzn");
        QVERIFY(!m_doc->FileSaveAs(m_dlg));
        QCOMPARE(m_dlg.told.titles, QStringList{QStringLiteral("Resonex")});
        QVERIFY(m_dlg.told.messages[0].startsWith(QStringLiteral("Error saving file: ")));
        QCOMPARE(state(), "kept.rzn|" + path("kept.rzn") + "|modified|123.00");
        QCOMPARE(m_view.titles.size(), shown);
        // Over it on a full disk.
        {
            const SimulatedFullDisk full(100);
            QVERIFY(!m_doc->FileSave(m_dlg));
        }
        QCOMPARE(m_dlg.told.messages.constLast(),
                 "Error saving file: Write Error: No space left on device (" + path("kept.rzn") +
                     ")");
        QCOMPARE(test::readAll(path("kept.rzn")), before);

        // A Yes whose save over the old file fails stops the command that asked;
        // the old file is intact.
        CPrimary& primary = m_doc->primary();
        primary.setC(QStringLiteral("0.01"));
        primary.setFr(QStringLiteral("250"));
        primary.setSecDia(QStringLiteral("200"));
        // A sentence quoting a frequency text too long for the file.
        primary.Calculate(m_doc->settings(), m_doc->results().basis(), QString(70000, u'x'), m_dlg);
        m_dlg.answers = {Answer::Yes};
        QVERIFY(!m_doc->FileSaveIfModified(m_dlg));
        QVERIFY(m_dlg.told.messages.constLast().startsWith(
            QStringLiteral("Error saving file: Write Error: ")));
        QCOMPARE(test::readAll(path("kept.rzn")), before);
        QVERIFY(test::asksToSave(*m_doc));
    }

    void openByDialog() {
        m_doc->secondary().setDia(QStringLiteral("345"));
        saveAs(path("open.rzn"));
        QVERIFY(m_doc->FileNew(m_dlg));

        m_dlg.files << QString();
        QVERIFY(!m_doc->FileOpen(m_dlg));
        QCOMPARE(m_doc->FileTitle(), QStringLiteral("Untitled"));
        QVERIFY(m_dlg.told.messages.isEmpty());

        // Saved through the question, then the open cancelled: the design keeps
        // the name it was just saved under.
        modify();
        m_dlg.answers = {Answer::Yes};
        m_dlg.files << path("saved first.rzn") << QString();
        QVERIFY(!m_doc->FileOpen(m_dlg));
        QCOMPARE(state(), "saved first.rzn|" + path("saved first.rzn") + "|unmodified|123.00");

        m_view.titles.clear();
        m_dlg.files << path("open.rzn");
        QVERIFY(m_doc->FileOpen(m_dlg));
        QCOMPARE(m_dlg.dialogs.constLast().defaultSuffix, QString());
        QCOMPARE(state(), "open.rzn|" + path("open.rzn") + "|unmodified|345.00");
        QCOMPARE(m_view.titles, QStringList{QStringLiteral("open.rzn")});

        // Deleted between the dialog and the read: still opened, nothing read.
        modify();
        m_dlg.answers = {Answer::No};
        m_dlg.files << path("gone.rzn");
        QVERIFY(m_doc->FileOpen(m_dlg));
        QCOMPARE(state(), "gone.rzn|" + path("gone.rzn") + "|unmodified|200.00");
    }

    // An open that fails says why, naming the file, and changes nothing. The
    // command line passes silently over names that are no file, wildcards
    // even where a file has that name, but not over a file it cannot read.
    void openFailures_data() {
        QTest::addColumn<bool>("named"); // by name, or from the command line
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("why"); // none: passed over silently
        QTest::newRow("missing, named") << true << path("missing.rzn") << "File not found";
        QTest::newRow("folder, named") << true << m_dir.path() << "Path/File access error";
        // Behind a loop of links the design is not missing: it cannot be reached.
        QFile::link(path("loop"), path("loop"));
        for (const bool named : {false, true})
            QTest::addRow("loop of links%s", named ? ", named" : "")
                << named << path("loop/coil.rzn") << "Too many levels of symbolic links";
        QTest::newRow("missing") << false << path("missing.rzn") << QString();
        QTest::newRow("star") << false << path("*.rzn") << QString();
        QTest::newRow("question mark") << false << path("?.rzn") << QString();
        QTest::newRow("folder") << false << m_dir.path() << QString();
        QTest::newRow("empty") << false << QString() << QString();
        // A plain file whose reading fails, even for root.
        const QString mem = QStringLiteral("/proc/%1/mem").arg(QCoreApplication::applicationPid());
        if (QFileInfo(mem).isFile())
            QTest::newRow("unreadable") << false << mem << "Input/output error";
        for (const char* wildcard : {"*.rzn", "?.rzn"})
            test::writeAll(path(wildcard), "a file by that name");
    }
    void openFailures() {
        QFETCH(bool, named);
        QFETCH(QString, file);
        QFETCH(QString, why);
        saveAs(path("kept.rzn"));
        modify();
        const QString before = state();
        m_view.titles.clear();
        QVERIFY(!(named ? m_doc->FileOpenNamed(m_dlg, file) : m_doc->FileOpen(m_dlg, file)));
        QCOMPARE(m_dlg.told.messages,
                 why.isEmpty() ? QStringList()
                               : QStringList{"Error opening file : " + why + " (" + file + ")"});
        QCOMPARE(state(), before);
        QVERIFY(m_view.titles.isEmpty());
    }

    // A damaged or foreign file opens over a new design, not over the design
    // shown before, and says so; a foreign one is never overwritten by Save.
    void openIncompleteFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("foreign");
        QTest::newRow("cut short") << QByteArray() << false;
        QTest::newRow("empty") << QByteArray("") << true;
        QTest::newRow("foreign") << QByteArray::fromHex("080003006162632a2a2a") << true;
    }
    void openIncompleteFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, foreign);
        m_doc->secondary().setDia(QStringLiteral("345"));
        saveAs(path("whole.rzn"));
        if (bytes.isNull())
            bytes = test::readAll(path("whole.rzn")).left(100);
        test::writeAll(path("damaged.rzn"), bytes);

        m_dlg.files << path("damaged.rzn");
        QVERIFY(m_doc->FileOpen(m_dlg));
        QCOMPARE(m_dlg.told.messages,
                 QStringList{path("damaged.rzn") + " is not a complete Resonex design. The values "
                                                   "it does not hold are those of a new design."});
        QCOMPARE(state(), "damaged.rzn|" + path("damaged.rzn") + "|unmodified|200.00");

        m_dlg.files << QString();
        QCOMPARE(m_doc->FileSave(m_dlg), !foreign);
        QCOMPARE(m_dlg.dialogs.size(), foreign ? 3 : 2);
        QCOMPARE(test::readAll(path("damaged.rzn")).size(), foreign ? bytes.size() : 185);
    }

    // A damaged value of the top load block: the design opens and is shown,
    // then one warning tells of it, and Save writes back every value that was
    // read. What is kept and what is a new design's the file tests pin.
    void openDamagedExtension() {
        test::enterTopLoad(*m_doc, CTopLoad::Shape::Toroid, "300", "75", "50", "500");
        m_doc->settings().setUseTopFr(1);
        saveAs(path("top.rzn"));
        QByteArray bytes = test::readAll(path("top.rzn"));
        bytes[29] = 1; // UseSecFr's low byte
        test::writeAll(path("top.rzn"), bytes);
        m_view = CountingView();
        m_view.told = &m_dlg.told.messages;
        m_dlg.told = test::RecordingPrompts();
        modify("999");

        m_dlg.answers = {Answer::No};
        m_dlg.files << path("top.rzn");
        QVERIFY(m_doc->FileOpen(m_dlg));
        QCOMPARE(m_dlg.told.icons, QList{Prompts::Icon::Exclamation});
        QVERIFY(m_dlg.told.messages[0].startsWith(path("top.rzn") + " holds top load values"));
        QCOMPARE(m_view.toldAtShow, QList<qsizetype>{0});
        QCOMPARE(state(), "top.rzn|" + path("top.rzn") + "|unmodified|200.00");
        QCOMPARE(m_doc->settings().UseTopFr(), qint16(0));

        QVERIFY(m_doc->FileSave(m_dlg));
        QCOMPARE(m_dlg.told.messages.size(), 1);
        QCOMPARE(test::readAll(path("top.rzn")).size(), bytes.size());
    }

    // A file whose top load cuts into its winding (written by hand, or by a
    // version that allowed it): the figures on the coil are absent, and a
    // primary tuned to the loaded frequency opens out of date, not at 0 kHz.
    void openTopLoadInTheWinding() {
        CFile& doc = *m_doc;
        doc.secondary().Calculate(true);
        test::enterTopLoad(doc, CTopLoad::Shape::Toroid, "400", "75", "0", "500");
        PrimaryChoices choices;
        choices.useTopFr = 1;
        calculatePrimary(doc, choices,
                         test::primaryEntries("0.1", {}, "200", "6.35", "6.35", "12.7"), m_dlg);
        QVERIFY(!doc.primary().CalcsInvalid());
        // The winding widened under the tube, as only a file can hold it.
        doc.secondary().setDia(QStringLiteral("300"));
        doc.secondary().Calculate(true);
        saveAs(path("cut.rzn"));

        QVERIFY(m_doc->FileOpenNamed(m_dlg, path("cut.rzn")));
        QCOMPARE(m_doc->results().topLoad().absent, std::optional(NoFigures::CutsIntoWinding));
        QCOMPARE(m_doc->settings().UseTopFr(), qint16(1));
        QVERIFY(m_doc->primary().CalcsInvalid());
    }

    // The bang follows the design: absent, saying why, until the bank and
    // the coil are calculated; then its circuit is the design's (the
    // secondary resonating at the loaded frequency, the tank charged to the
    // bank's peak, Lp and M at the tap in use, the gap's resistance on the
    // conductor's); kept while nothing changes, worked out again when an
    // input does.
    void bangFollowsTheDesign() {
        CFile doc(nullptr);
        QCOMPARE(doc.results().bang().none, std::optional(NoBang::TransformerNotCalculated));
        calculateTransformer(doc, {{Input::SecVol, QStringLiteral("15")},
                                   {Input::SecCur, QStringLiteral("60")},
                                   {Input::Num, QStringLiteral("1")}});
        QCOMPARE(doc.results().bang().none, std::optional(NoBang::NoCoupling));
        test::calculateWorkedExample(doc);
        const BangResults& bang = doc.results().bang();
        QVERIFY2(bang.bang, qPrintable(QString::number(int(bang.none.value_or(NoBang{})))));
        const physics::BangCircuit& circuit = bang.circuit;
        const double loadedHz = doc.results().topLoad(Toroids::Unsized).loadedFr;
        QVERIFY(
            std::abs(1 /
                         (2 * M_PI *
                          std::sqrt(circuit.secondaryInductance * circuit.secondaryCapacitance)) /
                         loadedHz -
                     1) < 1e-12);
        const std::optional<PowerResults> power = doc.results().power();
        QCOMPARE(circuit.tankVolts, power->peakVoltage);
        QCOMPARE(circuit.tankCapacitance, power->capacitance);
        const CouplingResults& coupling = *doc.results().coupling();
        QCOMPARE(circuit.mutualInductance, coupling.atTap->mutualInductance);
        QCOMPARE(circuit.primaryInductance, coupling.atTap->primaryInductance);
        const double conductor = circuit.primaryResistance - 1;
        QVERIFY(conductor > 0 && conductor < 0.5);
        QCOMPARE(&doc.results().bang(), &bang);
        QCOMPARE(&doc.results().bang().bang->figures(), &bang.bang->figures());

        calculatePower(
            doc, {{Input::GapOhms, QStringLiteral("0.25")}, {Input::Quench, QStringLiteral("0")}});
        const BangResults& again = doc.results().bang();
        QVERIFY(std::abs(again.circuit.primaryResistance - 0.25 - conductor) < 1e-12);
        QVERIFY(!again.quenchNotch && !again.bang->figures().quench);
    }

    // The burst follows the design: without a bus or a tank it says which;
    // then its tank is the bank (units in strings over units in series) on
    // the tap that tunes it to its share of the loaded frequency, its bus the
    // mains' peak (twice with a doubler) or the one entered, half of it on a
    // half bridge's tank; kept until an input changes.
    void burstFollowsTheDesign() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        calculatePower(doc, {{Input::Driver, QStringLiteral("bridge")}});
        QVERIFY(drivenByBridge(doc.added()));
        QCOMPARE(doc.results().burst().none, std::optional(NoBurst::NoBus));
        calculatePower(doc, {{Input::BusMains, QStringLiteral("230")},
                             {Input::Doubler, QStringLiteral("yes")}});
        QCOMPARE(doc.results().burst().none, std::optional(NoBurst::NoTank));
        QCOMPARE(doc.results().burst().busVolts, 2 * std::sqrt(2.0) * 230);
        calculatePower(doc, {{Input::BusV, QStringLiteral("340")},
                             {Input::UnitC, QStringLiteral("0.15")},
                             {Input::UnitKv, QStringLiteral("2")},
                             {Input::BankSeries, QStringLiteral("10")},
                             {Input::BankStrings, QStringLiteral("4")},
                             {Input::Bridge, QStringLiteral("half")}});
        const BurstResults& burst = doc.results().burst();
        QVERIFY(burst.burst && !burst.fullBridge && burst.busVolts == 340);
        QVERIFY(std::abs(burst.tankCapacitance / 60e-9 - 1) < 1e-6);
        QVERIFY(std::abs(*burst.bankRating / 20e3 - 1) < 1e-6);
        const physics::BangCircuit& coil = burst.circuit.coil;
        const double tankHz =
            1 / (2 * M_PI * std::sqrt(coil.primaryInductance * coil.tankCapacitance));
        const double loadedHz = doc.results().topLoad(Toroids::Unsized).loadedFr;
        QVERIFY(std::abs(tankHz / burst.tankHz - 1) < 1e-9);
        QVERIFY(std::abs(burst.tankHz / (0.95 * loadedHz) - 1) < 1e-7); // 0.95 as typed, a float
        QVERIFY(burst.lowerModeHz < tankHz && tankHz < burst.upperModeHz);
        QCOMPARE(&doc.results().burst(), &burst);
        QCOMPARE(&doc.results().burst().burst->figures(), &burst.burst->figures());
        // A streamer's resistance without the power side's capacitance for
        // it (no transformer bank): across the top alone.
        QVERIFY(!doc.results().power());
        const double resonating = coil.secondaryCapacitance;
        calculatePower(doc, {{Input::StreamerOhms, QStringLiteral("220000")}});
        QCOMPARE(doc.results().burst().circuit.coil.streamerResistance, std::optional(220000.0));
        QCOMPARE(doc.results().burst().circuit.coil.secondaryCapacitance, resonating);
        calculatePower(doc, {{Input::TuneRatio, QStringLiteral("0.9")}});
        QVERIFY(std::abs(doc.results().burst().tankHz / (0.9 * loadedHz) - 1) < 1e-7);
    }

    // A relative name with spaces is resolved to its full path; through a
    // link, the title is the link's name. Opened by name or from the command
    // line, a changed design is replaced without a question.
    void openFromTheCommandLine() {
        m_doc->secondary().setDia(QStringLiteral("456"));
        saveAs(path("my coil.rzn"));
        QVERIFY(m_doc->FileNew(m_dlg));
        m_view.titles.clear();

        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        const bool opened = m_doc->FileOpen(m_dlg, QStringLiteral("./sub/../my coil.rzn"));
        QDir::setCurrent(previous);
        QVERIFY(!opened); // "sub" does not exist: no canonical path
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
        QDir::setCurrent(m_dir.path());
        QVERIFY(m_doc->FileOpen(m_dlg, QStringLiteral("./sub/../my coil.rzn")));
        QDir::setCurrent(previous);
        QCOMPARE(state(), "my coil.rzn|" + QFileInfo(path("my coil.rzn")).canonicalFilePath() +
                              "|unmodified|456.00");
        QCOMPARE(m_view.titles, QStringList{QStringLiteral("my coil.rzn")});

        QVERIFY(QFile::link(path("my coil.rzn"), path("link.rzn")));
        modify();
        QVERIFY(m_doc->FileOpen(m_dlg, path("link.rzn")));
        QCOMPARE(m_doc->FileTitle(), QStringLiteral("link.rzn"));
        modify();
        QVERIFY(m_doc->FileOpenNamed(m_dlg, path("my coil.rzn")));
        QCOMPARE(m_doc->secondary().Dia(), QStringLiteral("456.00"));

        // A name that is not UTF-8, as the command line gives it, opens and is
        // saved again under its own bytes.
        const QByteArray raw = QFile::encodeName(m_dir.path()) + "/Spule \xe4.rzn";
        saveAs(nameFromNative(raw));
        QVERIFY(m_doc->FileNew(m_dlg));
        QVERIFY(m_doc->FileOpen(m_dlg, nameFromNative(raw)));
        QCOMPARE(nativeName(m_doc->FileTitle()), QByteArray("Spule \xe4.rzn"));
        QCOMPARE(m_doc->secondary().Dia(), QStringLiteral("456.00"));
        modify("789");
        QVERIFY(m_doc->FileSave(m_dlg));
        QVERIFY(m_doc->FileOpenNamed(m_dlg, nameFromNative(raw)));
        QCOMPARE(m_doc->secondary().Dia(), QStringLiteral("789.00"));
        QVERIFY(m_dlg.told.messages.isEmpty());
        // Not under the name Qt alone would have made of it.
        QVERIFY(!QFile::exists(QFile::decodeName(raw)));
        QCOMPARE(::unlink(raw.constData()), 0); // out of reach of QTemporaryDir's clean-up
    }
};

QTEST_GUILESS_MAIN(DocumentTest)
#include "tst_document.moc"
