#include "GuiSupport.h"
#include "TestDesigns.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/platform/AtomicFile.h"
#include "core/results/BangResults.h"
#include "core/results/BurstResultTexts.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/results/WaveformCsv.h"
#include "core/settings/CSettings.h"
#include "core/settings/StoredOptions.h"
#include "core/summary/Summary.h"
#include "core/text/QuantityText.h"
#include "gui/drawing/DrawingView.h"
#include "gui/platform/FlagInvalidField.h"
#include "gui/platform/Twips.h"
#include "gui/plot/BangPlotView.h"
#include "gui/plot/TuningPlotView.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFontComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <iterator>
#include <utility>

using namespace resonex;
using namespace resonex::gui;
using Answer = DocumentPrompts::Answer;
using test::child;
using test::textOf;

namespace {

int beeps = 0;

// Replaces a box's entry as a user does: select it all, type over it.
void type(QWidget* dialog, const char* name, const QString& text) {
    QWidget* box = child<QWidget>(dialog, name);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Enter in a box presses the default button.
void pressEnter(QWidget* dialog, const char* name) {
    QTest::keyClick(child<QWidget>(dialog, name), Qt::Key_Return);
}

using Entries = std::initializer_list<std::pair<const char*, QString>>;

// Types the entries in turn and presses Enter in the last box.
void enter(QWidget* dialog, Entries entries) {
    for (const auto& [name, text] : entries)
        type(dialog, name, text);
    pressEnter(dialog, std::prev(entries.end())->first);
}

// A click near the left edge, where a check box's or option button's mark is.
void click(QWidget* dialog, const char* name) {
    QWidget* button = child<QWidget>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QStringList texts(QWidget* dialog, std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names)
        list << textOf(dialog, name);
    return list;
}

// The words a window shows whatever the design: its captions, units, frame
// titles and button texts, in the order it makes its controls.
QStringList captions(const QWidget* window) {
    QStringList list;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            list << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            list << button->text();
        else if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
            list << frame->title();
    }
    list.removeAll(QString());
    return list;
}

const std::initializer_list<const char*> kTopLoadOutputs = {
    "txtFreeC",    "txtInPlaceC", "txtChargeC",  "txtCoilC",     "txtBareFr",
    "txtLoadedFr", "txtTorCDia",  "txtTorCTube", "txtTargetDia", "txtTargetTube"};

// A result box's number, read in the test's locale.
float numberIn(QWidget* dialog, const char* name) {
    bool ok = false;
    const float value = QLocale().toFloat(textOf(dialog, name), &ok);
    if (!ok)
        qWarning("%s holds no number: '%s'", name, qPrintable(textOf(dialog, name)));
    return ok ? value : -1.0f;
}

const std::initializer_list<const char*> kSecondaryOutputs = {
    "txtAspectRatio", "txtTurns",      "txtWireLength", "txtL",
    "txtNatFr",       "txtQuarWaveFr", "txtSelfC",      "txtTorC"};

// The entries a dialog's rows touch (and the primary's choice), as the design
// holds them.
QString entriesOf(const CFile& doc, const QString& command) {
    const CTransformer& x = doc.transformer();
    const CPrimary& p = doc.primary();
    const CTopLoad& t = doc.topLoad();
    const QMap<QString, QStringList> entries{
        {"btnSecCoilCalcs", {doc.secondary().Dia(), doc.secondary().Height()}},
        {"btnPriCapCalcs", {x.SecVol(), x.SecCur(), x.Num()}},
        {"btnPriCoilCalcs",
         {p.fr(), p.SecDia(), p.ConDia(), p.ConSpa(), QString::number(doc.settings().UseSecDia())}},
        {"btnTopLoadCalcs",
         {QString::number(int(t.shape())), t.TopDia(), t.TubeDia(), t.TopHeight(), t.TargetFr()}}};
    return entries.value(command).join(u' ');
}

// The program with its main window up and the splash closed, its new designs
// in millimetres or inches.
struct Started : test::Program {
    explicit Started(const QString& folder, bool metric = true, bool use50Hz = true) {
        stored::kUseMetric.write(store, metric);
        stored::kUse50Hz.write(store, use50Hz);
        stored::kDesPath.write(store, folder);
        startPastSplash();
    }
    // The secondary and the transformer calculated, as if from their dialogs.
    void calculateSources() {
        doc().secondary().Calculate(doc().settings().UseMetric());
        doc().transformer().CalcCap(doc().settings().Use50Hz());
    }
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    test::ModalWatchdog m_watchdog;

    // Opens a dialog with a command of the main window and runs the steps in
    // it; returns when the dialog has closed. Steps that leave it open end
    // with its close box.
    template <typename Steps> void inDialog(Started& program, const char* command, Steps steps) {
        QAction* action = program.action(command);
        QVERIFY2(action, command);
        test::whileModal(this, [steps](QWidget* dialog) {
            steps(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        action->trigger();
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A design with a bang: its top load, power side and primary tuned to
    // the loaded secondary with the power side's tank capacitor.
    static void calculateBang(Started& program) {
        program.calculateSources();
        test::tuneForBang(program.doc(), program.dlg);
        QVERIFY(program.doc().results().bang().bang);
    }

    // The time of the trace's mark of that name, if it has one.
    static std::optional<double> markAt(const BangTrace& trace, const char* name) {
        for (const TraceMark& mark : trace.marks)
            if (mark.name == QLatin1String(name))
                return mark.seconds;
        return std::nullopt;
    }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(test::pointLocale());
        setBeepSound([] { ++beeps; });
    }
    void cleanup() { QLocale::setDefault(test::pointLocale()); }

    // Each dialog's title and words on a new design, and the keys a user
    // without a mouse has: Tab walks the entries and buttons in order and
    // passes the results by. A dialog the main window opens comes up where it
    // was left, kept in twips under its name, and keeps its new place.
    void dialogsAsLaidOut_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("opener"); // a button of that dialog opening another
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("tabOrder");
        // The words in the order the dialog makes its controls; a caption and
        // its unit share a line here.
        const auto row = [](const char* name, const char* command, const char* opener,
                            const char* title, const char* words, const char* order) {
            const QStringList captions = QString::fromLatin1(words).split(QStringLiteral(" | "));
            QTest::newRow(name) << command << opener << true << title << captions << order;
            // In inches where the dialog has lengths.
            if (!captions.contains(QStringLiteral("mm")))
                return;
            QStringList inches = captions;
            std::replace(inches.begin(), inches.end(), QStringLiteral("mm"), QStringLiteral("in"));
            std::replace(inches.begin(), inches.end(), QStringLiteral("m"), QStringLiteral("ft"));
            QTest::addRow("%s in inches", name)
                << command << opener << false << title << inches << order;
        };
        row("secondary", "btnSecCoilCalcs", "", "Secondary Coil Calculations",
            "Input Parameters | Diameter of Secondary Coil | mm | Winding Height of Secondary "
            "Coil | mm | Wire Diameter for Secondary Coil | mm | Spacing Between Windings | mm | "
            "Output Parameters | Aspect Ratio | Secondary Turns | Secondary Wire Length | m | "
            "Secondary Inductance | mH | Approximate Resonant Frequency | kHz | Secondary Quarter "
            "Wavelength Resonant Frequency | kHz | Secondary Self Capacitance | pF | Toroid "
            "Capacitance Required to Form Quarter Wavelength Coil | pF | &Calculate | OK",
            "txtDia txtHeight txtWireDia txtWireSpa cmd_Calculate cmd_OK");
        row("transformer", "btnPriCapCalcs", "", "Primary Transformer / Capacitor Matching",
            "Input Parameters | Neon Transformer | Secondary Voltage | kV | Secondary Current | "
            "mA | No. of Transformers | &Calculate | OK | Output Parameters | Primary Capacitor "
            "Required to Form a Resonant Circuit at 50Hz with Neon Transformers | uF",
            "txtSecVol txtSecCur txtNum cmd_Calculate cmd_OK");
        row("primary", "btnPriCoilCalcs", "", "Primary Coil Calculations",
            "Input Parameters | Use Design Information | Primary Circuit Capacitor | Secondary "
            "Coil  Resonant Frequency | Secondary Coil Diameter | Secondary Coil with Top Load | "
            "Tank Capacitor of the Power Side | Primary Capacitance | uF | "
            "Primary Resonant Frequency | kHz | Secondary Coil Diameter | mm | Primary Conductor "
            "Diameter | mm | Primary Turn to Turn Spacing | mm | Spacing Between the Secondary "
            "and the Inside Turn of the Primary | mm | Primary Shape as Built | &Flat | Co&nical | "
            "&Helical | Angle of a Conical Primary | deg | Primary Turns as Built | Height of the "
            "Inner Turn Above the Winding's Base | mm | Coupling to Find the Height for (optional) "
            "| Output Parameters | Approximate inductance: | &Calculate | OK",
            // The classic order, the primary as built after its last box and
            // before the buttons; a flat one has no angle.
            "txtC txtFr txtSecDia txtConDia txtConSpa txtSecSep chkUsePriC chkUseSecFr "
            "chkUseSecDia chkUseTankC optPriFlat txtPriTurns txtPriHeight txtTargetK "
            "cmd_Calculate cmd_OK");
        // Tab reaches the shape at its ticked button; the sizes are out of the
        // keyboard order while there is no top load, the tube while there is
        // no toroid.
        row("top load", "btnTopLoadCalcs", "", "Top Load Calculations",
            "Top Load Shape | &Toroid | &Sphere | &No Top Load | Input Parameters | Overall "
            "Diameter of Top Load | mm | Tube Diameter of Toroid | mm | Height of its Centre Above "
            "the Winding | mm | Height of the Winding's Base Above the Floor | mm | Frequency to "
            "Size a Toroid for (optional) | kHz | Surroundings | Strike Rail Diameter (0 for None) "
            "| mm | Strike Rail Conductor Diameter | mm | Strike Rail Height Above the Winding's "
            "Base | mm | Ceiling Height Above the Floor (0 for None) | mm | Distance of the Walls "
            "from the Axis (0 for None) | mm | Output Parameters | Top Load Capacitance in Free "
            "Space | pF | Capacitance the Top Load Adds to the Coil | pF | Top Load Charge over "
            "the Top Voltage | pF | Bare Winding Capacitance (Field Solution) | pF | Resonant "
            "Frequency Without Top Load | kHz | Resonant Frequency "
            "With Top Load | kHz | Toroid for the Quarter Wavelength Frequency | mm |     its Tube "
            "Diameter | mm | Toroid for the Frequency Entered | mm |     its Tube Diameter | mm | "
            "&Calculate | OK",
            "optNoTopLoad txtTopHeight txtBaseHeight txtTargetFr txtRailDia txtRailWire "
            "txtRailHeight txtCeiling txtWalls cmd_Calculate cmd_OK");
        row("options", "mnuToolsItem0", "", "Options",
            "Browse | Input parameter units | I wish to use metric units for the input parameters "
            "(millimeters) | I wish to use imperial units for the input parameters (inches) | "
            "Font Settings | Click here to change the default font used for the design summary | "
            "&Fonts... | Local Mains Frequency | 50 Hz | 60 Hz | OK | Cancel | Path for Resonex "
            "Designs:",
            "txtDesPath cmdBrowse optUseMetric optUseImperial cmdFonts optUse50Hz optUse60Hz "
            "cmdOk cmdCancel");
        row("font", "mnuToolsItem0", "cmdFonts", "Font",
            "AaBbYyZz 0123456789 | OK | Cancel | &Font: | &Size:",
            "cboFontName spnFontSize cmdOk cmdCancel");
    }
    void dialogsAsLaidOut() {
        QFETCH(QString, command);
        QFETCH(QString, opener);
        QFETCH(bool, metric);
        QFETCH(QString, title);
        QFETCH(QStringList, captions);
        QFETCH(QString, tabOrder);
        const QStringList order = tabOrder.split(u' ');
        Started program(m_dir.path(), metric);
        program.calculateSources(); // every choice of the primary offered
        // The font chooser the options open is placed as the system likes.
        const bool placed = opener.isEmpty();
        for (const char* name : {"frmSecCoilCalcs", "frmPriCapCalcs", "frmPriCoilCalcs",
                                 "frmTopLoadCalcs", "frmOptions"}) {
            program.setPosition(stored::kWindowLeft, name, "1440");
            program.setPosition(stored::kWindowTop, name, "720");
        }
        QByteArray window;
        const auto check = [&](QWidget* dialog) {
            window = dialog->objectName().toLatin1();
            QCOMPARE(dialog->windowTitle(), title);
            QCOMPARE(::captions(dialog), captions);
            QStringList walked; // round to the first again
            for (int i = 0; i <= order.size(); ++i) {
                walked << dialog->focusWidget()->objectName();
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(walked, order + QStringList{order.constFirst()});
            if (!placed)
                return;
            const double dpi = dialog->screen()->logicalDotsPerInch();
            QCOMPARE(dialog->pos(), QPoint(twipsToPixels(1440, dpi), twipsToPixels(720, dpi)));
            // Forgotten while open, the place is kept again on closing.
            program.setPosition(stored::kWindowLeft, window, "");
            program.setPosition(stored::kWindowTop, window, "");
        };
        inDialog(program, qPrintable(command), [&](QWidget* dialog) {
            if (placed)
                return check(dialog);
            test::whileModal(this, [&](QWidget* opened) {
                check(opened);
                opened->close();
            });
            click(dialog, qPrintable(opener));
        });
        if (placed)
            QCOMPARE(QStringList({program.position(stored::kWindowLeft, window),
                                  program.position(stored::kWindowTop, window)}),
                     QStringList({"1440", "720"}));
    }

    // A dialog with no place kept opens over the middle of the main window
    // (within the screen when that window stands at its edge), then where it
    // was left.
    void dialogsFirstOpenOverTheMainWindow() {
        Started program(m_dir.path());
        const QRect screen = program.window->screen()->availableGeometry();
        for (const char* command : {"btnSecCoilCalcs", "btnPriCapCalcs", "btnPriCoilCalcs",
                                    "btnTopLoadCalcs", "mnuToolsItem0"}) {
            program.window->move(screen.topLeft() + QPoint(90, 150));
            QRect first;
            inDialog(program, command, [&](QWidget* dialog) {
                first = dialog->frameGeometry();
                dialog->move(first.topLeft() + QPoint(20, 10));
            });
            // One wider than the screen starts at its edge.
            const QPoint offCentre = first.center() - program.window->frameGeometry().center();
            QVERIFY2(first.width() > screen.width() ? first.left() == screen.left()
                                                    : qAbs(offCentre.x()) <= 1,
                     command);
            QVERIFY2(qAbs(offCentre.y()) <= 1, command);
            inDialog(program, command, [&](QWidget* dialog) {
                QCOMPARE(dialog->pos(), first.topLeft() + QPoint(20, 10));
            });
        }
        for (const char* name : {"frmSecCoilCalcs", "frmOptions"}) {
            program.setPosition(stored::kWindowLeft, name, "");
            program.setPosition(stored::kWindowTop, name, "");
        }
        program.window->move(screen.bottomRight() - QPoint(100, 100));
        for (const char* command : {"btnSecCoilCalcs", "mnuToolsItem0"})
            inDialog(program, command,
                     [&](QWidget* dialog) { QVERIFY(screen.contains(dialog->frameGeometry())); });
    }

    // --- Secondary coil ----------------------------------------------------

    // The example in inches, in a locale with a decimal comma: the new
    // design's entries are calculated with, each result shows in its box, OK
    // closes the dialog, and opened again it shows them.
    void secondaryCalculates() {
        QLocale::setDefault(test::commaLocale());
        Started program(m_dir.path(), false);
        const QStringList results{"3,00 : 1", "834,00", "1720,66", "39,75",
                                  "222,75",   "143,01", "12,84",   "18,31"};
        inDialog(program, "btnSecCoilCalcs", [&](QWidget* dialog) {
            QCOMPARE(texts(dialog, {"txtDia", "txtHeight", "txtWireDia", "txtWireSpa"}),
                     (QStringList{"7,874", "23,622", "0,0283", "0,00"}));
            QCOMPARE(texts(dialog, kSecondaryOutputs), QStringList(8, QString()));
            pressEnter(dialog, "txtWireSpa");
            QCOMPARE(texts(dialog, kSecondaryOutputs), results);
            click(dialog, "cmd_OK");
            QVERIFY(!dialog->isVisible());
        });
        inDialog(program, "mnuCalculationsItem0",
                 [&](QWidget* dialog) { QCOMPARE(texts(dialog, kSecondaryOutputs), results); });
    }

    // The drawing beside the summary follows each Calculate while the dialog
    // stays open.
    void drawingFollowsEachCalculate() {
        Started program(m_dir.path());
        program.action("mnuViewItem0")->trigger();
        const auto* view = program.window->findChild<DrawingView*>();
        QTRY_VERIFY(view->drawing().isEmpty());
        inDialog(program, "btnSecCoilCalcs", [&](QWidget* dialog) {
            pressEnter(dialog, "txtWireSpa");
            QVERIFY(!view->drawing().isEmpty());
            const DesignDrawing first = view->drawing();
            enter(dialog, {{"txtDia", "250"}});
            QVERIFY(!(view->drawing() == first));
        });
    }

    // A rejected entry is flagged: the beep, the focus, and what was typed
    // kept and selected whole. The entries before it are stored, unless the
    // value cannot be calculated with (told, naming it) or the top load cannot
    // be (the line under the entries says why): then none is. Nothing else
    // changes and the results shown stay. Typed over, it is calculated and the
    // line cleared.
    void rejectedEntry_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("steps"); // buttons clicked, box=text typed; the last rejected
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("why");
        const auto row = [](const char* tag, const char* command, const char* steps,
                            const char* stored, const char* why = "") {
            QTest::newRow(tag) << command << steps << stored << why;
        };
        row("winding height 0", "btnSecCoilCalcs", "txtDia=250 txtHeight=0", "250.00 600.00");
        row("overflow", "btnSecCoilCalcs", "txtDia=300 txtHeight=1e40", "200.00 600.00",
            "The calculation could not be completed: Overflow. The value 1e40 cannot be used.");
        row("current 0", "btnPriCapCalcs", "txtSecVol=20 txtSecCur=0", "20.00 60.00 1");
        // The choices are stored too.
        row("primary spacing 0", "btnPriCoilCalcs",
            "chkUseSecDia txtFr=200 txtSecDia=150 txtConDia=12 txtConSpa=0",
            "200.00 150.00 12.00 9.50 0");
        // Beyond the classic dialogs nothing of a refused attempt is kept, and
        // a note under the entries says which box and what it takes.
        row("centre height -5", "btnTopLoadCalcs", "optToroid txtTopDia=250 txtTopHeight=-5",
            "0 300.00 75.00 50.00 0.00",
            "\"Height of its Centre Above the Winding\" must be at least 0 mm");
        // The tube is at most half the whole toroid: no such toroid is stored.
        row("tube 125.01", "btnTopLoadCalcs", "optToroid txtTopDia=250 txtTubeDia=125.01",
            "0 300.00 75.00 50.00 0.00",
            "The tube diameter must be more than 0 and at most half the overall diameter");
        row("frequency -1", "btnTopLoadCalcs", "optToroid txtTopDia=250 txtTargetFr=-1",
            "0 300.00 75.00 50.00 0.00",
            "\"Frequency to Size a Toroid for (optional)\" must be at least 0 kHz");
        // Each entry fits, but the tube cuts into the 200 mm winding: the
        // note names the height that clears it (30 mm: the 200 mm winding's
        // top turn's half wire and the 60 mm tube's radius, by hand).
        row("into the winding", "btnTopLoadCalcs",
            "optToroid txtTopDia=250 txtTubeDia=60 txtTopHeight=0", "0 300.00 75.00 50.00 0.00",
            "The top load cuts into the winding or reaches below the floor: raise its centre "
            "from 0.00mm to at least 30.00mm above the winding, or make it smaller");
        // The surroundings' refusals are told under them.
        row("ceiling -1", "btnTopLoadCalcs", "optToroid txtTopDia=250 txtCeiling=-1",
            "0 300.00 75.00 50.00 0.00",
            "lblRefusedAround: \"Ceiling Height Above the Floor (0 for None)\" must be at least "
            "0 mm");
        // A rail of 100 mm at the base of the 200 mm winding: refused whole,
        // the rail's own box flagged; clear from 2 x (100 + 10) mm, touching
        // refused to the hundredth.
        row("rail into the winding", "btnTopLoadCalcs", "optToroid txtRailWire=20 txtRailDia=100",
            "0 300.00 75.00 50.00 0.00",
            "lblRefusedAround: The surroundings cut into the coil, its top load or its primary: "
            "the strike rail; widen it to 220.01mm or more");
    }
    void rejectedEntry() {
        QFETCH(QString, command);
        QFETCH(QString, steps);
        QFETCH(QString, stored);
        QFETCH(QString, why);
        Started program(m_dir.path());
        program.calculateSources();
        CFile& doc = program.doc();
        doc.settings().setUsePriC(1);
        doc.settings().setUseSecDia(1);
        doc.primary().setCalcsInvalid(false);
        const bool topLoad = command == QStringLiteral("btnTopLoadCalcs");
        const QStringList rejected = steps.section(u' ', -1).split(u'=');
        inDialog(program, qPrintable(command), [&](QWidget* dialog) {
            QLineEdit* box = child(dialog, qPrintable(rejected[0]));
            const QString before = box->text();
            const auto results = [dialog] {
                QStringList list;
                for (const QLineEdit* output : dialog->findChildren<QLineEdit*>())
                    if (output->isReadOnly())
                        list << output->text();
                return list;
            };
            const QStringList shown = results();
            const int beepsBefore = beeps;
            for (const QString& step : steps.split(u' ')) {
                if (step.contains(u'='))
                    type(dialog, qPrintable(step.section(u'=', 0, 0)), step.section(u'=', 1));
                else
                    click(dialog, qPrintable(step));
            }
            pressEnter(dialog, qPrintable(rejected[0]));
            QCOMPARE(beeps, beepsBefore + 1);
            QCOMPARE(dialog->focusWidget(), box);
            QCOMPARE(QStringList({box->text(), box->selectedText()}), QStringList(2, rejected[1]));
            QCOMPARE(entriesOf(doc, command), stored);
            // Only a choice changed leaves the primary out of date.
            QVERIFY(!test::asksToSave(doc));
            QCOMPARE(doc.primary().CalcsInvalid(), steps.startsWith(QStringLiteral("chk")));
            QCOMPARE(results(), shown);
            QCOMPARE(program.dlg.told.messages,
                     topLoad || why.isEmpty() ? QStringList() : QStringList{why});
            // Told under the entries, or under the surroundings.
            const QString around = QStringLiteral("lblRefusedAround: ");
            const bool underSurroundings = why.startsWith(around);
            if (topLoad)
                QCOMPARE(textOf(dialog, underSurroundings ? "lblRefusedAround" : "lblRefused"),
                         underSurroundings ? why.mid(around.size()) : why);

            enter(dialog, {{qPrintable(rejected[0]), before}});
            QCOMPARE(beeps, beepsBefore + 1);
            QVERIFY(test::asksToSave(doc));
            if (topLoad)
                QCOMPARE(textOf(dialog, "lblRefused"), QString());
        });
    }

    // A value from a file may be longer than the seven characters a user
    // types, or need more decimals than its pattern (0.00314, not 0.0031): a
    // box shows it whole, so that calculating again stores the same value.
    void entryBoxesShowStoredValuesWhole() {
        Started program(m_dir.path(), false);
        program.doc().secondary().setDia(QStringLiteral("12345678"));
        program.doc().secondary().setWireDia(QStringLiteral("0.00314"));
        inDialog(program, "btnSecCoilCalcs", [&](QWidget* dialog) {
            QCOMPARE(child(dialog, "txtHeight")->maxLength(), 7);
            QCOMPARE(texts(dialog, {"txtDia", "txtWireDia"}),
                     (QStringList{"12345678.00", "0.00314"}));
            pressEnter(dialog, "txtDia");
            QCOMPARE(texts(dialog, {"txtDia", "txtWireDia", "txtTurns"}),
                     (QStringList{"12345678.00", "0.00314", "7522.00"}));
        });
    }

    // --- Transformer and capacitor -----------------------------------------

    // The entries are calculated with at the mains frequency in force, which
    // the result's caption names; at 50 Hz the primary takes the capacitor and
    // is then out of date.
    void transformer_data() {
        QTest::addColumn<bool>("use50Hz");
        QTest::addColumn<QString>("capacitor"); // at 12 kV
        QTest::newRow("60 Hz") << false << "0.0133";
        QTest::newRow("50 Hz, primary takes C") << true << "0.0159";
    }
    void transformer() {
        QFETCH(bool, use50Hz);
        QFETCH(QString, capacitor);
        Started program(m_dir.path(), true, use50Hz);
        program.doc().settings().setUsePriC(use50Hz ? 1 : 0);
        program.doc().primary().setCalcsInvalid(false);
        inDialog(program, "btnPriCapCalcs", [&](QWidget* dialog) {
            QCOMPARE(textOf(dialog, "txtCap"), QString());
            QVERIFY(textOf(dialog, "lblOutPar").contains(use50Hz ? " 50Hz " : " 60Hz "));
            enter(dialog, {{"txtSecVol", "12"}});
            QCOMPARE(texts(dialog, {"txtSecVol", "txtCap"}), (QStringList{"12.00", capacitor}));
        });
        QVERIFY(test::asksToSave(program.doc()));
        QCOMPARE(program.doc().primary().CalcsInvalid(), use50Hz);
    }

    // --- Primary coil ------------------------------------------------------

    // Choices of sources not calculated are not offered, and are kept on
    // closing; the secondary's diameter is always there.
    void primaryOnANewDesign() {
        Started program(m_dir.path());
        CSettings& settings = program.doc().settings();
        settings.setUsePriC(1);
        settings.setUseSecFr(1);
        settings.setUseSecDia(1);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(!child<QCheckBox>(dialog, "chkUsePriC")->isEnabled());
            QVERIFY(!child<QCheckBox>(dialog, "chkUsePriC")->isChecked());
            QVERIFY(!child<QCheckBox>(dialog, "chkUseSecFr")->isEnabled());
            QVERIFY(child<QCheckBox>(dialog, "chkUseSecDia")->isEnabled());
            QVERIFY(child(dialog, "txtC")->isEnabled());
            QVERIFY(!child(dialog, "txtSecDia")->isEnabled());
            QCOMPARE(texts(dialog, {"txtC", "txtSecDia"}), (QStringList{"", "200.00"}));
        });
        QCOMPARE(settings.UsePriC(), qint16(1));
        QCOMPARE(settings.UseSecFr(), qint16(1));
    }

    // The example in millimetres, typed with decimal commas. The sentence
    // quotes the frequency box as typed; every line of the listing is in
    // sight, none to scroll to.
    void primaryCalculates() {
        QLocale::setDefault(test::commaLocale());
        Started program(m_dir.path());
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            enter(dialog, {{"txtC", "0,01"}, {"txtFr", "250"}, {"txtSecDia", "114,3"}});
            QCOMPARE(textOf(dialog, "lblResults"),
                     QStringLiteral("The primary will need to be tapped between turn 9 and turn "
                                    "10 to form a resonant circuit at 250kHz"));
            auto* listing = child<QPlainTextEdit>(dialog, "txtLPerTurn");
            QCOMPARE(listing->toPlainText().split(u'\n').size(), 15);
            QCOMPARE(listing->verticalScrollBar()->maximum(), 0);
            QCOMPARE(listing->horizontalScrollBar()->maximum(), 0);
        });
        QVERIFY(test::asksToSave(program.doc()));
        QVERIFY(!program.doc().primary().CalcsInvalid());
    }

    void primaryTakesDesignInformation() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            click(dialog, "chkUsePriC");
            QVERIFY(!child(dialog, "txtC")->isEnabled());
            QCOMPARE(textOf(dialog, "txtC"), QStringLiteral("0.0127"));
            click(dialog, "chkUseSecDia");
            QCOMPARE(textOf(dialog, "txtSecDia"), QStringLiteral("200.00"));
            enter(dialog, {{"txtFr", "150"}});
            QVERIFY(textOf(dialog, "lblResults").endsWith(" at 150kHz"));
            // The curve goes with the results.
            const auto* plot = child<TuningPlotView>(dialog, "picTuning");
            QCOMPARE(plot->curve().targetHertz, 150e3);

            // Taking the secondary's frequency makes the results out of date.
            click(dialog, "chkUseSecFr");
            QVERIFY(!child(dialog, "txtFr")->isEnabled());
            QCOMPARE(textOf(dialog, "txtFr"), QStringLiteral("143.24"));
            QVERIFY(program.doc().primary().CalcsInvalid());
            QCOMPARE(texts(dialog, {"lblResults", "txtLPerTurn"}), QStringList(2, QString()));
            QVERIFY(plot->curve().isEmpty());
            click(dialog, "cmd_Calculate");
            QVERIFY(textOf(dialog, "lblResults").endsWith(" at 143.24kHz"));
            QCOMPARE(plot->curve().points.size(), 15);
        });

        // Opening again fills the boxes from the choices without touching the
        // results; closed without calculating after a change of choice, the
        // design is modified, as it is not when nothing changed.
        program.doc().setModified(false);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(child<QCheckBox>(dialog, "chkUseSecFr")->isChecked());
            QVERIFY(!child(dialog, "txtFr")->isEnabled());
            QVERIFY(textOf(dialog, "lblResults").endsWith(" at 143.24kHz"));
            QVERIFY(!program.doc().primary().CalcsInvalid());
            // Closed without calculating after a change of choice.
            click(dialog, "chkUsePriC");
        });
        QVERIFY(program.summary()->toPlainText().contains(
            QStringLiteral("No primary winding data calculated")));
        QCOMPARE(program.doc().settings().UsePriC(), qint16(0));
        QVERIFY(test::asksToSave(program.doc()));
        program.doc().setModified(false);
        inDialog(program, "btnPriCoilCalcs", [](QWidget*) {});
        QVERIFY(!test::asksToSave(program.doc()));
    }

    // The primary as built: only a cone's angle is typed, a cone without one
    // is flagged there, and the coupling at the tap in use is shown with the
    // results.
    void primaryAsBuilt() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(!child(dialog, "txtPriAngle")->isEnabled());
            click(dialog, "optPriConical");
            QVERIFY(child(dialog, "txtPriAngle")->isEnabled());
            const int before = beeps;
            enter(dialog, {{"txtC", "0.01"}, {"txtFr", "150"}, {"txtSecDia", "200"}});
            QCOMPARE(beeps, before + 1);
            QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("txtPriAngle"));
            enter(dialog, {{"txtPriAngle", "30"}});
            QVERIFY(textOf(dialog, "lblCoupling")
                        .startsWith("Tap in use, from the primary as built: turn "));
        });
        QCOMPARE(program.doc().added().value(designInput(Input::PriAngle)), 30.0f);
    }

    // Told with the program's title; the results shown before are cleared.
    void primaryBeyondFifteenTurns() {
        Started program(m_dir.path(), false);
        test::enterImperialExample(program.doc().primary());
        program.doc().primary().Calculate(program.doc().settings(), program.doc().results().basis(),
                                          {}, program.dlg);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(textOf(dialog, "lblResults").startsWith("The primary will need"));
            enter(dialog, {{"txtC", "0.0001"}, {"txtFr", "10"}});
            QCOMPARE(program.dlg.told.titles, QStringList{QStringLiteral("Resonex")});
            QCOMPARE(program.dlg.told.messages, QStringList{CPrimary::kTurnLimitMessage});
            QCOMPARE(texts(dialog, {"lblResults", "txtLPerTurn"}), QStringList(2, QString()));
            QVERIFY(!program.doc().primary().CalcsInvalid());
        });
    }

    // --- Top load ----------------------------------------------------------

    // A toroid in inches, typed with decimal commas: its results reach their
    // boxes, a frequency no toroid reaches reads as a word, and everything is
    // kept and shown again on opening.
    void topLoadCalculatesAToroid() {
        QLocale::setDefault(test::commaLocale());
        Started program(m_dir.path(), false);
        program.calculateSources();
        inDialog(program, "btnTopLoadCalcs", [&](QWidget* dialog) {
            QVERIFY(child<QRadioButton>(dialog, "optNoTopLoad")->isChecked());
            click(dialog, "optToroid");
            enter(dialog, {{"txtTopDia", "12"},
                           {"txtTubeDia", "3"},
                           {"txtTopHeight", "2"},
                           {"txtBaseHeight", "20"},
                           {"txtTargetFr", "10000"}});
            QCOMPARE(textOf(dialog, "lblNotCalculated"), QString());
            QCOMPARE(texts(dialog, {"txtTargetDia", "txtTargetTube"}),
                     QStringList(2, QString::fromLatin1(kNoToroid)));
            QCOMPARE(textOf(dialog, "lblNoToroid"),
                     QStringLiteral("Frequency entered: it lies above the bare coil's frequency, "
                                    "which no top load can reach"));
            QCOMPARE(program.doc().topLoad().shape(), CTopLoad::Shape::Toroid);
            QCOMPARE(program.doc().topLoad().TargetFr(), QStringLiteral("10000,00"));
            QVERIFY(test::asksToSave(program.doc()));

            // Below the loaded frequency a toroid is found; none asked for,
            // none shown.
            const float loaded = numberIn(dialog, "txtLoadedFr");
            enter(dialog, {{"txtTargetFr", QLocale().toString(loaded * 0.9f, 'f', 2)}});
            QVERIFY(numberIn(dialog, "txtTargetDia") > 0);
            QCOMPARE(textOf(dialog, "lblNoToroid"), QString());
            enter(dialog, {{"txtTargetFr", ""}});
            QCOMPARE(texts(dialog, {"txtTargetDia", "txtTargetTube"}), QStringList(2, QString()));
            click(dialog, "cmd_OK");
            QVERIFY(!dialog->isVisible());
        });
        inDialog(program, "mnuCalculationsTopLoad", [&](QWidget* dialog) {
            QVERIFY(child<QRadioButton>(dialog, "optToroid")->isChecked());
            QVERIFY(child(dialog, "txtTubeDia")->isEnabled());
            QCOMPARE(texts(dialog, {"txtTopDia", "txtTubeDia", "txtTopHeight", "txtBaseHeight",
                                    "txtTargetFr"}),
                     (QStringList{"12,00", "3,00", "2,00", "20,00", ""}));
            QVERIFY(!textOf(dialog, "txtLoadedFr").isEmpty());
        });
    }

    // Only a toroid has a tube, and no top load has sizes: a shape is
    // calculated whatever the sizes it does not take hold; with none, its
    // figures and each "none" say why.
    void topLoadIgnoresSizesItDoesNotTake() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnTopLoadCalcs", [&](QWidget* dialog) {
            QVERIFY(!child(dialog, "txtTopDia")->isEnabled());
            child(dialog, "txtTopDia")->setText(QStringLiteral("0"));
            const int before = beeps;
            enter(dialog, {{"txtBaseHeight", "300"}});
            QCOMPARE(beeps, before);
            QCOMPARE(textOf(dialog, "lblRefused"), QString());
            QCOMPARE(program.doc().topLoad().BaseHeight(), QStringLiteral("300.00"));
            QCOMPARE(program.doc().topLoad().TopDia(), QStringLiteral("300.00"));
            // The two capacitances of the top load in place, told apart.
            for (const char* name : {"txtInPlaceC", "txtChargeC", "txtCoilC"})
                QVERIFY2(child(dialog, name)->toolTip().size() > 100, name);

            QVERIFY(!child(dialog, "txtTubeDia")->isEnabled());
            click(dialog, "optToroid");
            QVERIFY(child(dialog, "txtTubeDia")->isEnabled());
            click(dialog, "optSphere");
            QVERIFY(!child(dialog, "txtTubeDia")->isEnabled());
            // A tube as wide as the sphere is no fault: it is not used.
            enter(dialog, {{"txtTopDia", "75"}});
            QCOMPARE(program.doc().topLoad().shape(), CTopLoad::Shape::Sphere);
            QCOMPARE(program.doc().topLoad().TopDia(), QStringLiteral("75.00"));
        });
    }

    // The power side's dialog: the breaks per second typed for an
    // asynchronous gap alone; a bank's unit without its rating flags the
    // rating's box and stores nothing; before the transformer bank its
    // figures say why they are missing, after it they list the bank offered.
    void powerDialog() {
        Started program(m_dir.path());
        const auto labels = [](QWidget* dialog) {
            const auto* list = child<QTableWidget>(dialog, "lstPower");
            QStringList shown;
            for (int row = 0; row < list->rowCount(); ++row)
                shown << list->item(row, 0)->text();
            return shown;
        };
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            QCOMPARE(labels(dialog).size(), 1);
            QVERIFY(!child(dialog, "txtBps")->isEnabled());
            click(dialog, "optGapAsync");
            QVERIFY(child(dialog, "txtBps")->isEnabled());
            click(dialog, "optGapSync");
            QVERIFY(!child(dialog, "txtBps")->isEnabled());
            const int before = beeps;
            enter(dialog, {{"txtUnitC", "0.15"}});
            QCOMPARE(beeps, before + 1);
            QCOMPARE(dialog->focusWidget(), child(dialog, "txtUnitKv"));
            QVERIFY(!program.doc().usesPower());
        });
        program.calculateSources();
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            click(dialog, "optGapSync");
            enter(dialog, {{"txtUnitC", "0.15"}, {"txtUnitKv", "2"}});
            QCOMPARE(child<QTableWidget>(dialog, "lstPower")->item(0, 1)->text(),
                     QStringLiteral("synchronous rotary"));
            QVERIFY(labels(dialog).contains(
                QStringLiteral("Capacitor bank offered (nearest the tank capacitor)")));
            QVERIFY(program.doc().usesPower() && test::asksToSave(program.doc()));
        });
    }

    // Beyond the classic boxes a refused entry changes nothing: not the
    // entries typed before it in the same attempt (the primary's classic
    // ones included), not the primary's results, not the modified flag; a
    // note under the entries names the box and what it takes, an empty box
    // that would stand for a number unseen included.
    void refusalChangesNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("steps"); // buttons clicked, box=text typed; the last refused
        QTest::addColumn<QString>("why");
        const auto row = [](const char* tag, const char* command, const char* steps,
                            const char* why) { QTest::newRow(tag) << command << steps << why; };
        const char* primary = "btnPriCoilCalcs";
        const char* power = "btnPowerCalcs";
        // The floor 500 mm below the base (a new design's), less half the
        // 12 mm conductor: -494 mm clears it.
        row("inner turn 5 m below the base", primary, "txtConDia=12 txtPriHeight=-5000",
            "The primary does not stand clear of the coil: it reaches below the floor; raise its "
            "inner turn from -5000.00mm to -494.00mm or higher");
        row("cone without its angle", primary, "optPriConical txtConDia=12 txtPriAngle=",
            "\"Angle of a Conical Primary\" must be more than 0 and less than 90 deg");
        row("cone at 90", primary, "optPriConical txtPriAngle=90",
            "\"Angle of a Conical Primary\" must be more than 0 and less than 90 deg");
        row("61 turns", primary, "txtPriTurns=61",
            "\"Primary Turns as Built\" must be a whole number from 1 to 60");
        row("turns empty", primary,
            "txtPriTurns=", "\"Primary Turns as Built\" must be a whole number from 1 to 60");
        row("height empty", primary, "txtPriHeight=",
            "\"Height of the Inner Turn Above the Winding's Base\" must be a number in mm");
        row("height 1e300", primary, "txtPriHeight=1e300",
            "\"Height of the Inner Turn Above the Winding's Base\" must be a number in mm");
        row("k 1", primary, "txtTargetK=1",
            "\"Coupling to Find the Height for (optional)\" must be more than 0 and less than 1");
        row("safety 0.5", power, "optGapAsync txtBps=100 txtMmcSafety=0.5",
            "\"Bank Rating over the Peak Voltage\" must be at least 1");
        row("safety empty", power, "txtTankC=0.02 txtMmcSafety=",
            "\"Bank Rating over the Peak Voltage\" must be at least 1");
        row("0 breaks per second", power, "optGapAsync txtBps=0",
            "\"Breaks or Bursts per Second\" must be a whole number more than 0");
        row("tank 1e300", power, "txtTankC=1e300",
            "\"Tank Capacitor Used (Empty: Resonant)\" must be more than 0 uF");
        row("a unit without its rating", power,
            "txtUnitKv=", "\"Bank Unit Voltage Rating\" must be more than 0 kV");
        // A ceiling must clear the toroid's top: 500 + 600 + 50 + 75 / 2 =
        // 1187.5 mm above the floor, which in metres falls a hair short: the
        // next hundredth is the entry that is accepted.
        row("ceiling on the toroid", "btnTopLoadCalcs", "optToroid txtCeiling=900",
            "lblRefusedAround: The surroundings cut into the coil, its top load or its primary: "
            "the ceiling; raise it to 1187.51mm or higher");
        // An empty rail height is no height at the winding's base; told under
        // the surroundings.
        row("rail height empty", "btnTopLoadCalcs", "optToroid txtRailHeight=",
            "lblRefusedAround: \"Strike Rail Height Above the Winding's Base\" must be a number "
            "in mm");
    }
    void refusalChangesNothing() {
        QFETCH(QString, command);
        QFETCH(QString, steps);
        QFETCH(QString, why);
        Started program(m_dir.path());
        program.calculateSources();
        CFile& doc = program.doc();
        calculatePrimary(doc, {},
                         {{Input::C, QStringLiteral("0.01")},
                          {Input::Fr, QStringLiteral("250")},
                          {Input::SecDia, doc.secondary().Dia()}},
                         program.dlg);
        calculatePower(
            doc, {{Input::UnitC, QStringLiteral("0.15")}, {Input::UnitKv, QStringLiteral("2")}});
        doc.setModified(false);
        const QByteArray saved = doc.bytesToSave();
        const QString refused = steps.section(u' ', -1).section(u'=', 0, 0);
        inDialog(program, qPrintable(command), [&](QWidget* dialog) {
            const int beepsBefore = beeps;
            for (const QString& step : steps.split(u' ')) {
                if (step.contains(u'='))
                    type(dialog, qPrintable(step.section(u'=', 0, 0)), step.section(u'=', 1));
                else
                    click(dialog, qPrintable(step));
            }
            pressEnter(dialog, qPrintable(refused));
            QCOMPARE(beeps, beepsBefore + 1);
            QCOMPARE(dialog->focusWidget()->objectName(), refused);
            const QString around = QStringLiteral("lblRefusedAround: ");
            QCOMPARE(textOf(dialog, why.startsWith(around) ? "lblRefusedAround" : "lblRefused"),
                     QString(why).remove(around));
            QCOMPARE(program.dlg.told.messages, QStringList());
            QCOMPARE(doc.bytesToSave(), saved);
        });
        QCOMPARE(doc.bytesToSave(), saved);
        QVERIFY(!test::asksToSave(doc));
        QVERIFY(!doc.primary().CalcsInvalid());
    }

    // The top load and the power side calculated again with nothing changed
    // leave a primary that takes their figure as it was; a change of that
    // figure puts it out of date.
    void calculatingAgainKeepsThePrimary_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("changed");
        QTest::newRow("power side, its tank capacitor") << "btnPowerCalcs"
                                                        << "txtTankC"
                                                        << "0.02";
        QTest::newRow("top load, its loaded frequency") << "btnTopLoadCalcs"
                                                        << "txtTopDia"
                                                        << "320";
    }
    void calculatingAgainKeepsThePrimary() {
        QFETCH(QString, command);
        QFETCH(QString, box);
        QFETCH(QString, changed);
        Started program(m_dir.path());
        program.calculateSources();
        CFile& doc = program.doc();
        test::enterTopLoad(doc, CTopLoad::Shape::Toroid, "300", "75", "50", "500");
        PrimaryChoices choices;
        choices.useTankC = 1;
        choices.useTopFr = 1;
        calculatePrimary(doc, choices, {{Input::SecDia, doc.secondary().Dia()}}, program.dlg);
        QVERIFY(!doc.primary().CalcsInvalid());
        inDialog(program, qPrintable(command), [&](QWidget* dialog) {
            pressEnter(dialog, qPrintable(box));
            QVERIFY(!doc.primary().CalcsInvalid());
            enter(dialog, {{qPrintable(box), changed}});
            QVERIFY(doc.primary().CalcsInvalid());
        });
    }

    // The power dialog fits a 1366x768 screen, window frame and a panel
    // included, and can be made larger, for either driver; Tab walks the
    // driver, then the entries of its page, to Calculate and OK, passing the
    // figures by (the exports are out of reach while there is no plot).
    void powerDialogFitsAndTabs_data() {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QStringList>("walk");
        QTest::newRow("spark gap")
            << "gap"
            << QStringList{"optDriverGap", "optGapStatic",  "txtTankC",   "txtUnitC",
                           "txtUnitKv",    "txtMmcSafety",  "txtGapOhms", "txtStreamerOhms",
                           "txtQuench",    "cmd_Calculate", "cmd_OK"};
        QTest::newRow("bridge") << "bridge"
                                << QStringList{"optDriverBridge", "optBridgeFull", "txtBusV",
                                               "txtBusMains",     "optDoublerNo",  "txtUnitC",
                                               "txtUnitKv",       "txtBankSeries", "txtBankStrings",
                                               "txtTankC",        "txtTuneRatio",  "txtOnTime",
                                               "txtBps",          "txtOcdA",       "txtSwitchA",
                                               "txtStreamerOhms", "cmd_Calculate", "cmd_OK"};
    }
    void powerDialogFitsAndTabs() {
        QFETCH(QString, driver);
        QFETCH(QStringList, walk);
        Started program(m_dir.path());
        program.calculateSources();
        calculatePower(program.doc(), {{Input::Driver, driver},
                                       {Input::UnitC, QStringLiteral("0.15")},
                                       {Input::UnitKv, QStringLiteral("2")}});
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            const QSize room(1366 - 20, 768 - 80);
            QVERIFY2(room.expandedTo(dialog->minimumSizeHint()) == room,
                     qPrintable(QStringLiteral("%1x%2")
                                    .arg(dialog->minimumSizeHint().width())
                                    .arg(dialog->minimumSizeHint().height())));
            QVERIFY(room.expandedTo(dialog->size()) == room);
            QVERIFY(dialog->maximumSize().width() > dialog->minimumSize().width());
            QStringList walked;
            for (int i = 0; i < 30 && walked.value(walked.size() - 1) != "cmd_OK"; ++i) {
                walked << dialog->focusWidget()->objectName();
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(walked, walk);
            // Every box walked is in sight, on the page of the driver.
            for (const QString& name : walk)
                QVERIFY2(child<QWidget>(dialog, qPrintable(name))->isVisible(), qPrintable(name));
            // Each Alt key in sight presses one button: none is shared.
            QStringList keys;
            for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                if (button->isVisible() && !button->shortcut().isEmpty()) {
                    const QString key = button->shortcut().toString();
                    QVERIFY2(!keys.contains(key), qPrintable(key + u' ' + button->text()));
                    keys << key;
                }
            QVERIFY(keys.size() >= 7);
            // Clicked into, the figures let Tab out again.
            child<QTableWidget>(dialog, "lstPower")->setFocus();
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            QVERIFY(dialog->focusWidget()->objectName() != QStringLiteral("lstPower"));
        });
    }

    // Ticking the other driver shows its page, the boxes the two share (one
    // each) moved onto it with what they hold; Calculate keeps what each
    // page's boxes hold, the other page's too, and so does the design.
    void driverChoiceShowsItsPage() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            const auto page = [dialog](const char* box) {
                return child<QWidget>(dialog, box)->parentWidget()->objectName();
            };
            const auto shown = [dialog](const char* name) {
                return child<QWidget>(dialog, name)->isVisible();
            };
            QVERIFY(shown("pageGap") && !shown("pageBridge"));
            type(dialog, "txtTankC", "0.03");
            type(dialog, "txtGapOhms", "0.5");
            click(dialog, "optDriverBridge");
            QVERIFY(!shown("pageGap") && shown("pageBridge"));
            for (const char* box : {"txtTankC", "lblTankC", "lblTankCUnit", "txtUnitC", "txtUnitKv",
                                    "txtBps", "txtStreamerOhms"})
                QCOMPARE(page(box), QStringLiteral("pageBridge"));
            QCOMPARE(dialog->findChildren<QLineEdit*>(QStringLiteral("txtTankC")).size(), 1);
            QVERIFY(child<QWidget>(dialog, "txtBps")->isEnabled());
            QCOMPARE(textOf(dialog, "txtTankC"), QStringLiteral("0.03"));
            enter(dialog, {{"txtBusV", "340"}, {"txtOnTime", "120"}, {"txtBps", "200"}});
            QCOMPARE(texts(dialog, {"txtBusV", "txtOnTime", "txtBps", "txtTankC", "txtGapOhms"}),
                     (QStringList{"340.00", "120.00", "200", "0.03", "0.50"}));
            QVERIFY(shown("pageBridge"));
            QVERIFY(drivenByBridge(program.doc().added()));
            click(dialog, "optDriverGap");
            QVERIFY(shown("pageGap") && !shown("pageBridge"));
            QCOMPARE(page("txtTankC"), QStringLiteral("pageGap"));
            // A static gap takes no breaks per second.
            QVERIFY(!child<QWidget>(dialog, "txtBps")->isEnabled());
            pressEnter(dialog, "txtTankC");
            QVERIFY(!drivenByBridge(program.doc().added()));
            QCOMPARE(texts(dialog, {"txtBusV", "txtOnTime", "txtTankC"}),
                     (QStringList{"340.00", "120.00", "0.03"}));
        });
        // Opened again on a bridge design, the bridge's page.
        calculatePower(program.doc(), {{Input::Driver, QStringLiteral("bridge")}});
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            QVERIFY(child<QWidget>(dialog, "pageBridge")->isVisible());
            QCOMPARE(child<QWidget>(dialog, "txtTankC")->parentWidget()->objectName(),
                     QStringLiteral("pageBridge"));
            QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("optDriverBridge"));
        });
    }

    // A bridge's burst follows Calculate: the power side's figures, then the
    // burst's under its bold title as the summary has them; the plot of the
    // burst, its peak and its stop marked (the limit where the over-current
    // limit stops it); the exports write the burst's plot and waveform.
    void burstFollowsCalculate() {
        {
            // Before anything is calculated: the burst's title and why there
            // is none, no word of the transformer, which it does not need; no
            // plot to export.
            Started bare(m_dir.path());
            calculatePower(bare.doc(), {{Input::Driver, QStringLiteral("bridge")}});
            inDialog(bare, "btnPowerCalcs", [&](QWidget* dialog) {
                const auto* list = child<QTableWidget>(dialog, "lstPower");
                const QString why = QStringLiteral(
                    "No burst: the primary and the secondary must be calculated first");
                QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Burst"));
                QVERIFY(list->item(0, 0)->font().bold());
                QCOMPARE(list->item(1, 0)->text(), why);
                const auto* plot = child<BangPlotView>(dialog, "picBang");
                QVERIFY(!plot->picture().trace);
                QCOMPARE(plot->picture().absence, why);
                QVERIFY(!child<QWidget>(dialog, "cmdExportCsv")->isEnabled());
            });
        }
        Started program(m_dir.path());
        calculateBang(program);
        const QString csvPath = m_dir.filePath("burst.csv");
        const QString svgPath = m_dir.filePath("burst.svg");
        program.dlg.files << svgPath << csvPath;
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            click(dialog, "optDriverBridge");
            enter(dialog, {{"txtBusV", "340"},
                           {"txtUnitC", "0.15"},
                           {"txtUnitKv", "2"},
                           {"txtBankSeries", "10"},
                           {"txtBankStrings", "4"},
                           {"txtTankC", ""},
                           {"txtOnTime", "120"},
                           {"txtBps", "200"}});
            const BurstResults& burst = program.doc().results().burst();
            QVERIFY2(burst.burst, qPrintable(noBurstText(burst)));
            QCOMPARE(child<QGroupBox>(dialog, "Frame3")->title(), QStringLiteral("Burst in Time"));
            const auto* list = child<QTableWidget>(dialog, "lstPower");
            const auto row = [list](const QString& label) {
                for (int at = 0; at < list->rowCount(); ++at)
                    if (list->item(at, 0)->text() == label)
                        return at;
                return -1;
            };
            const int title = row(QStringLiteral("Burst"));
            QVERIFY(title > 0 && list->item(title, 0)->font().bold());
            QCOMPARE(row(QStringLiteral("Bang")), -1);
            const QString summary = plainText(ComposeSummary(program.doc()));
            int figures = 0;
            for (int at = title + 1; at < list->rowCount(); ++at)
                if (list->item(at, 1)) {
                    QVERIFY2(summary.contains(list->item(at, 0)->text() + QStringLiteral(" : ") +
                                              list->item(at, 1)->text()),
                             qPrintable(list->item(at, 0)->text()));
                    ++figures;
                }
            QVERIFY(figures >= 10);

            const auto names = [dialog] {
                QStringList marked;
                for (const TraceMark& mark :
                     child<BangPlotView>(dialog, "picBang")->picture().trace->marks)
                    marked << mark.name;
                return marked;
            };
            QCOMPARE(names(), (QStringList{"peak", "stop"}));
            // The whole waveform, to the primary's opening and after.
            const BangTrace& trace = *child<BangPlotView>(dialog, "picBang")->picture().trace;
            QCOMPARE(trace.samples.size(), burst.burst->waveform().size());
            QCOMPARE(trace.span, burst.burst->waveform().back().time);
            QVERIFY(trace.span > burst.burst->figures().primaryOpenTime);
            enter(dialog, {{"txtOcdA", "5"}});
            QVERIFY(program.doc().results().burst().burst->figures().limited);
            QCOMPARE(names(), (QStringList{"peak", "limit"}));
            QTest::mouseClick(child<QWidget>(dialog, "cmdExportPlot"), Qt::LeftButton);
            QTest::mouseClick(child<QWidget>(dialog, "cmdExportCsv"), Qt::LeftButton);
        });
        QCOMPARE(program.dlg.dialogs.constFirst().fileName, QStringLiteral("Untitled-burst.svg"));
        QCOMPARE(program.dlg.dialogs.constLast().fileName, QStringLiteral("Untitled-burst.csv"));
        const QStringList texts = test::svgTexts(svgPath);
        for (const char* text : {"Primary current (A)", "Top voltage (kV)", "peak", "limit"})
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        const BurstResults& burst = program.doc().results().burst();
        QVERIFY(burst.burst);
        QCOMPARE(readAll(csvPath), waveformCsv(burst.burst->waveform()));
    }

    // The bang plot follows Calculate: none before the primary, with the
    // reason the summary gives and its exports out of reach; then the bang,
    // the gap quenching after the notch typed or never. Tab reaches the
    // exports after the entries, before Calculate.
    void bangPlotFollowsCalculate() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            enter(dialog, {{"txtTankC", ""}});
            const auto* plot = child<BangPlotView>(dialog, "picBang");
            QVERIFY(!plot->picture().trace);
            QCOMPARE(
                plot->picture().absence,
                QStringLiteral("No bang: the primary and the secondary must be calculated first"));
            QVERIFY(!child<QWidget>(dialog, "cmdExportPlot")->isEnabled());
            QVERIFY(!child<QWidget>(dialog, "cmdExportCsv")->isEnabled());
            // The list says the same under its bold title.
            const auto* list = child<QTableWidget>(dialog, "lstPower");
            const int title = list->rowCount() - 2;
            QCOMPARE(list->item(title, 0)->text(), QStringLiteral("Bang"));
            QVERIFY(list->item(title, 0)->font().bold());
            QCOMPARE(list->item(title + 1, 0)->text(), plot->picture().absence);
        });
        calculateBang(program);
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            const auto* plot = child<BangPlotView>(dialog, "picBang");
            QVERIFY(plot->picture().trace && markAt(*plot->picture().trace, "quench"));
            QVERIFY(child<QWidget>(dialog, "cmdExportPlot")->isEnabled());
            QVERIFY(child<QWidget>(dialog, "cmdExportCsv")->isEnabled());
            QStringList walked;
            for (int i = 0; i < 14 && walked.value(walked.size() - 1) != "cmd_OK"; ++i) {
                walked << dialog->focusWidget()->objectName();
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(walked.mid(walked.indexOf("txtQuench")),
                     (QStringList{"txtQuench", "cmdExportPlot", "cmdExportCsv", "cmd_Calculate",
                                  "cmd_OK"}));

            const double first = *markAt(*plot->picture().trace, "quench");
            enter(dialog, {{"txtQuench", "2"}});
            const BangTrace& second = *plot->picture().trace;
            const std::optional<double> notch2 = markAt(second, "notch 2");
            QVERIFY(!markAt(second, "notch 3"));
            QVERIFY(notch2 && markAt(second, "quench") > notch2 && *notch2 > first);
            // Each of the bang's figures in the list as the summary has it (a quench
            // typed puts the bang in the summary).
            const auto* list = child<QTableWidget>(dialog, "lstPower");
            const QString summary = plainText(ComposeSummary(program.doc()));
            int figures = 0;
            for (int row = 0; row < list->rowCount(); ++row)
                if (list->item(row, 0)->text() == QStringLiteral("First notch") ||
                    list->item(row, 0)->text() == QStringLiteral("Secondary Q")) {
                    QVERIFY(summary.contains(list->item(row, 0)->text() + QStringLiteral(" : ") +
                                             list->item(row, 1)->text()));
                    ++figures;
                }
            QCOMPARE(figures, 2);
            enter(dialog, {{"txtQuench", "0"}});
            QVERIFY(plot->picture().trace && !markAt(*plot->picture().trace, "quench"));
            QVERIFY(child<QWidget>(dialog, "cmdExportCsv")->isEnabled());
        });
    }

    // Export Plot writes an SVG or a PNG by the name's ending, Export CSV
    // the waveform; a name of neither kind is refused, and a write that
    // fails is told, the old file kept.
    void bangExports() {
        Started program(m_dir.path());
        calculateBang(program);
        const QString svgPath = m_dir.filePath("bang.svg");
        const QString pngPath = m_dir.filePath("bang.PNG");
        const QString csvPath = m_dir.filePath("bang.csv");
        const QString textPath = m_dir.filePath("bang.txt");
        program.dlg.files << svgPath << pngPath << textPath << csvPath;
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            for (int run = 0; run < 3; ++run)
                QTest::mouseClick(child<QWidget>(dialog, "cmdExportPlot"), Qt::LeftButton);
            QTest::mouseClick(child<QWidget>(dialog, "cmdExportCsv"), Qt::LeftButton);
        });
        QCOMPARE(program.dlg.dialogs.constFirst().fileName, QStringLiteral("Untitled-bang.svg"));
        QCOMPARE(program.dlg.dialogs.constLast().fileName, QStringLiteral("Untitled-bang.csv"));

        const QStringList texts = test::svgTexts(svgPath);
        for (const char* text : {"Primary current (A)", "Top voltage (kV)", "notch 1", "quench"})
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        QImageReader png(pngPath);
        QCOMPARE(png.format(), QByteArray("png"));
        QCOMPARE(png.size(), QSize(1600, 1000));
        QVERIFY(!QFile::exists(textPath));
        QCOMPARE(program.dlg.told.messages.size(), 1);
        QVERIFY(program.dlg.told.messages[0].contains(QStringLiteral(".svg or .png")));

        const BangResults bang = program.doc().results().bang();
        QVERIFY(bang.bang);
        QCOMPARE(readAll(csvPath), waveformCsv(bang.bang->waveform()));

        // Onto a full disk: each told, each old file as it was.
        program.dlg.told.messages.clear();
        for (const QString& path : {svgPath, csvPath}) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        }
        program.dlg.files << svgPath << csvPath;
        {
            const SimulatedFullDisk full(10);
            inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
                QTest::mouseClick(child<QWidget>(dialog, "cmdExportPlot"), Qt::LeftButton);
                QTest::mouseClick(child<QWidget>(dialog, "cmdExportCsv"), Qt::LeftButton);
            });
        }
        QCOMPARE(
            program.dlg.told.messages,
            (QStringList{
                "The plot could not be written to " + svgPath + ": No space left on device.",
                "The waveform could not be written to " + csvPath + ": No space left on device."}));
        QCOMPARE(readAll(svgPath), QByteArray("old"));
        QCOMPARE(readAll(csvPath), QByteArray("old"));
    }

    // A bank's unit emptied alone is no bank: its rating is kept for later.
    void bankUnitEmptiedAlone() {
        Started program(m_dir.path());
        program.calculateSources();
        calculatePower(program.doc(), {{Input::UnitC, QStringLiteral("0.15")},
                                       {Input::UnitKv, QStringLiteral("2")}});
        inDialog(program, "btnPowerCalcs", [&](QWidget* dialog) {
            const int before = beeps;
            enter(dialog, {{"txtUnitC", ""}});
            QCOMPARE(beeps, before);
            QCOMPARE(texts(dialog, {"txtUnitC", "txtUnitKv", "lblRefused"}),
                     (QStringList{"", "2.00", ""}));
        });
        QCOMPARE(program.doc().added().value(designInput(Input::UnitC)), 0.0f);
    }

    // The words of the primary as built, the surroundings and the power side
    // are explained where they are typed.
    void inputsExplained() {
        Started program(m_dir.path());
        QString tips;
        for (const char* command : {"btnPriCoilCalcs", "btnTopLoadCalcs", "btnPowerCalcs"})
            inDialog(program, command, [&](QWidget* dialog) {
                for (const DesignInput& input : designInputs()) {
                    if (!input.added() || !dialog->findChild<QWidget*>(input.boxName))
                        continue;
                    const QString tip = child<QWidget>(dialog, input.boxName)->toolTip();
                    QVERIFY2(!tip.isEmpty(), input.boxName);
                    QCOMPARE(child<QWidget>(dialog, input.captionName)->toolTip(), tip);
                    tips += tip;
                }
                if (auto* list = dialog->findChild<QWidget*>("lstPower"))
                    tips += list->toolTip();
            });
        for (const char* word : {"coupling coefficient", "LTR", "larger than resonant", "MMC",
                                 "multi-mini capacitor", "bleeder", "streamer"})
            QVERIFY2(tips.contains(QLatin1String(word), Qt::CaseInsensitive), word);
    }

    // Before the secondary is calculated the figures on the coil stay empty
    // and say why, but the free space capacitance is shown.
    void topLoadBeforeTheSecondary() {
        Started program(m_dir.path());
        inDialog(program, "btnTopLoadCalcs", [&](QWidget* dialog) {
            click(dialog, "optToroid");
            enter(dialog, {{"txtTargetFr", "100"}});
            QCOMPARE(program.doc().topLoad().shape(), CTopLoad::Shape::Toroid);
            QCOMPARE(textOf(dialog, "lblNotCalculated"),
                     QStringLiteral("The secondary coil must be calculated first for the figures "
                                    "on the coil"));
            QVERIFY(numberIn(dialog, "txtFreeC") > 0);
            QCOMPARE(texts(dialog, kTopLoadOutputs).mid(1), QStringList(9, QString()));
        });
    }

    // The primary's fourth choice tunes to the loaded frequency. It and the
    // quarter wave fill the same box, so ticking one clears the other.
    void primaryTakesTheLoadedFrequency() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(!child<QCheckBox>(dialog, "chkUseTopFr")->isEnabled());
        });
        test::enterTopLoad(program.doc(), CTopLoad::Shape::Toroid, "300", "75", "50", "500");
        // The primary is tuned with its own turns in the field, grounded; the
        // design's figures take them once it is calculated.
        const DesignBasis from = program.doc().results().basis();
        const QString loaded = kilohertzText(
            from.topLoadSolution.results(from.topLoad, from.secondary, from.useMetric, from.around)
                .loadedFr);
        const QString withoutPrimary = kilohertzText(program.doc().results().topLoad().loadedFr);
        QVERIFY(loaded != QStringLiteral("143.24") && loaded != withoutPrimary);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            auto* quarterWave = child<QCheckBox>(dialog, "chkUseSecFr");
            auto* topLoad = child<QCheckBox>(dialog, "chkUseTopFr");
            QVERIFY(topLoad->isEnabled() && !topLoad->isChecked());
            click(dialog, "chkUseSecFr");
            QCOMPARE(textOf(dialog, "txtFr"), QStringLiteral("143.24"));
            click(dialog, "chkUseTopFr");
            QVERIFY(topLoad->isChecked() && !quarterWave->isChecked());
            QVERIFY(!child(dialog, "txtFr")->isEnabled());
            QCOMPARE(textOf(dialog, "txtFr"), loaded);
            click(dialog, "chkUseSecFr");
            QVERIFY(quarterWave->isChecked() && !topLoad->isChecked());
            QCOMPARE(textOf(dialog, "txtFr"), QStringLiteral("143.24"));
            click(dialog, "chkUseSecFr"); // neither: the primary's own entry
            QVERIFY(child(dialog, "txtFr")->isEnabled());
            QCOMPARE(textOf(dialog, "txtFr"), QString());
            click(dialog, "chkUseTopFr");
            click(dialog, "chkUseSecDia");
            enter(dialog, {{"txtC", "0.01"}});
            QVERIFY(textOf(dialog, "lblResults").endsWith(" at " + loaded + "kHz"));
            // Wound as a helix its turns stand elsewhere in the field: the
            // box shows the frequency the sentence quotes.
            click(dialog, "optPriHelical");
            enter(dialog, {{"txtC", "0.01"}});
            QVERIFY(textOf(dialog, "txtFr") != loaded);
            QVERIFY(
                textOf(dialog, "lblResults").endsWith(" at " + textOf(dialog, "txtFr") + "kHz"));
            click(dialog, "optPriFlat");
            enter(dialog, {{"txtC", "0.01"}});
        });
        CSettings& settings = program.doc().settings();
        QCOMPARE(QList<qint16>({settings.UseSecFr(), settings.UseTopFr()}), QList<qint16>({0, 1}));
        QCOMPARE(kilohertzText(program.doc().results().topLoad().loadedFr), loaded);
        QVERIFY(program.doc().results().topLoad().primaryInField);
        // So tuned (and taking nothing else from the secondary), it is out of
        // date once the secondary or the top load is calculated again.
        settings.setUseSecDia(0);
        CPrimary& primary = program.doc().primary();
        QVERIFY(!primary.CalcsInvalid());
        test::enterSecondary(program.doc(), "200", "600", "0.72", "0");
        QVERIFY(primary.CalcsInvalid());
        primary.setCalcsInvalid(false);
        test::enterTopLoad(program.doc(), CTopLoad::Shape::Toroid, "320", "75", "50", "500");
        QVERIFY(primary.CalcsInvalid());
        // A design holding both takes the quarter wave, as the primary does.
        settings.setUseSecFr(1);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(child<QCheckBox>(dialog, "chkUseSecFr")->isChecked());
            QVERIFY(!child<QCheckBox>(dialog, "chkUseTopFr")->isChecked());
            QCOMPARE(textOf(dialog, "txtFr"), QStringLiteral("143.24"));
        });
    }

    // --- Options -----------------------------------------------------------

    // The options in force are shown. OK (Enter) without a change asks
    // nothing, changes nothing and shows the design once; a change of mains
    // frequency alone asks nothing either, leaves the primary out of date
    // even with no capacitor to recalculate, and modifies the design.
    void optionsOk() {
        Started program(m_dir.path(), true, false);
        program.doc().primary().setCalcsInvalid(false);
        int changes = 0;
        connect(program.summary(), &QTextEdit::textChanged, this, [&] { ++changes; });
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            QVERIFY(child<QRadioButton>(dialog, "optUseMetric")->isChecked());
            QVERIFY(child<QRadioButton>(dialog, "optUse60Hz")->isChecked());
            QCOMPARE(textOf(dialog, "txtDesPath"), m_dir.path());
            QCOMPARE(child(dialog, "txtDesPath")->toolTip(), m_dir.path());
            pressEnter(dialog, "txtDesPath");
        });
        QVERIFY(!program.doc().primary().CalcsInvalid());
        QCOMPARE(changes, 1);
        QVERIFY(!test::asksToSave(program.doc()));

        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            click(dialog, "optUse50Hz");
            click(dialog, "cmdOk");
        });
        QVERIFY(program.dlg.questions.isEmpty());
        QVERIFY(program.doc().settings().Use50Hz());
        QCOMPARE(program.doc().transformer().C(), 0.0f);
        QVERIFY(program.doc().primary().CalcsInvalid());
        QVERIFY(test::asksToSave(program.doc()));
    }

    // OK with a folder that does not exist applies nothing; with one that
    // does, a declined change of units keeps the units and applies the rest.
    void optionsFolderNotFoundThenUnitsDeclined() {
        Started program(m_dir.path());
        program.calculateSources();
        const float c50 = program.doc().transformer().C();
        const CSettings& settings = program.doc().settings();
        const QString missing = m_dir.filePath(QStringLiteral("no such folder"));
        const QString folder = m_dir.filePath(QStringLiteral("designs"));
        QVERIFY(QDir().mkpath(folder));
        program.dlg.answers = {Answer::No};
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            click(dialog, "optUseImperial");
            click(dialog, "optUse60Hz");
            type(dialog, "txtDesPath", missing);
            click(dialog, "cmdOk");
            QVERIFY(dialog->isVisible());
            QCOMPARE(program.dlg.told.titles, QStringList{QStringLiteral("Options")});
            QCOMPARE(program.dlg.told.messages,
                     QStringList{QStringLiteral("Unable to find ") + missing});
            QCOMPARE(program.dlg.told.icons.constFirst(), Prompts::Icon::Exclamation);
            QVERIFY(program.dlg.questions.isEmpty());
            QVERIFY(settings.UseMetric() && settings.Use50Hz());
            QCOMPARE(settings.DesPath(), m_dir.path());

            type(dialog, "txtDesPath", folder);
            click(dialog, "cmdOk");
            QVERIFY(dialog->isVisible());
            QVERIFY(child<QRadioButton>(dialog, "optUseMetric")->isChecked());
            click(dialog, "cmdCancel");
        });
        QVERIFY(settings.UseMetric() && !settings.Use50Hz());
        QCOMPARE(settings.DesPath(), folder);
        // The capacitor follows the frequency that stays in force.
        QVERIFY(qAbs(program.doc().transformer().C() / c50 - 50.0f / 60.0f) < 1e-6f);
        QVERIFY(program.doc().primary().CalcsInvalid());
        QVERIFY(program.summary()->toPlainText().contains(QStringLiteral("60Hz")));
    }

    // A change of units asks first, then offers to save: saved, the design
    // is written exactly as Save wrote it before the change, in its own
    // millimetres, and a new design in inches follows; cancelled, the design
    // goes on in its millimetres. A mains frequency changed with the units is
    // enough to make the design one to save.
    void unitsChange_data() {
        QTest::addColumn<Answer>("save");
        QTest::addColumn<bool>("mains");
        QTest::addRow("save Yes") << Answer::Yes << false;
        QTest::addRow("save Cancel") << Answer::Cancel << false;
        QTest::addRow("mains too, save Yes") << Answer::Yes << true;
    }
    void unitsChange() {
        QFETCH(Answer, save);
        QFETCH(bool, mains);
        Started program(m_dir.path());
        program.calculateSources();
        const QString saved = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(program.doc().FileSaveAs(program.dlg, saved));
        QByteArray before = test::readAll(saved);
        QFile::remove(saved);
        if (mains) {
            // What Save writes once the dialog has applied 60 Hz.
            program.doc().settings().setUse50Hz(false);
            mainsFrequencyChanged(program.doc());
            before = program.doc().bytesToSave();
            program.doc().settings().setUse50Hz(true);
            mainsFrequencyChanged(program.doc());
        } else {
            program.doc().setModified(true);
        }
        program.dlg.answers = {Answer::Yes, save};
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            click(dialog, "optUseImperial");
            if (mains)
                click(dialog, "optUse60Hz");
            click(dialog, "cmdOk");
        });
        QCOMPARE(program.dlg.questions.size(), 2);
        QCOMPARE(program.dlg.questions.constFirst(),
                 QStringLiteral("Resonex: You have chosen to change the units from mm to inches "
                                ".  Doing this will require that you start a new design.  You "
                                "will be given the option of saving your current design if "
                                "necessary.\r\n\r\nDo you wish to continue?"));
        QCOMPARE(test::readAll(saved), save == Answer::Yes ? before : QByteArray());
        CFile& doc = program.doc();
        QCOMPARE(doc.settings().UseMetric(), save == Answer::Cancel);
        QCOMPARE(test::asksToSave(doc), save == Answer::Cancel);
        QCOMPARE(doc.secondary().Height(),
                 save == Answer::Cancel ? QStringLiteral("600.00") : QStringLiteral("23.622"));
    }

    // The family from the list, the size typed and Enter; opened again on the
    // font in force, changed and cancelled, the font is kept. A folder picked
    // is shown, one cancelled leaves the box as it was, and nothing is applied
    // without OK.
    void fontAndFolderPickers() {
        Started program(m_dir.path());
        const QString folder = m_dir.filePath(QStringLiteral("picked"));
        QVERIFY(QDir().mkpath(folder));
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            test::whileModal(this, [](QWidget* fonts) {
                child<QFontComboBox>(fonts, "cboFontName")
                    ->setCurrentFont(QFont(QStringLiteral("Liberation Serif")));
                enter(fonts, {{"spnFontSize", "14"}});
            });
            click(dialog, "cmdFonts");
            test::whileModal(this, [](QWidget* fonts) {
                auto* family = child<QFontComboBox>(fonts, "cboFontName");
                auto* size = child<QSpinBox>(fonts, "spnFontSize");
                QCOMPARE(family->currentFont().family(), QStringLiteral("Liberation Serif"));
                QCOMPARE(size->value(), 14);
                family->setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
                size->setValue(20);
                QTest::keyClick(fonts, Qt::Key_Escape);
            });
            click(dialog, "cmdFonts");
            test::whileModal(this, [&](QWidget* picker) {
                QCOMPARE(picker->windowTitle(), QStringLiteral("Folder For Resonex Designs:"));
                auto* files = qobject_cast<QFileDialog*>(picker);
                files->setDirectory(folder);
                static_cast<QDialog*>(files)->accept();
            });
            click(dialog, "cmdBrowse");
            QCOMPARE(textOf(dialog, "txtDesPath"), folder);
            test::whileModal(this,
                             [](QWidget* picker) { qobject_cast<QDialog*>(picker)->reject(); });
            click(dialog, "cmdBrowse");
            QCOMPARE(textOf(dialog, "txtDesPath"), folder);
            click(dialog, "cmdCancel");
        });
        QCOMPARE(program.doc().settings().DesPath(), m_dir.path());
        QCOMPARE(program.doc().settings().FontName(), QStringLiteral("Liberation Serif"));
        QCOMPARE(program.doc().settings().FontSize(), qint16(14));
        QTextCursor cursor(program.summary()->document());
        cursor.movePosition(QTextCursor::End);
        QCOMPARE(cursor.charFormat().font().family(), QStringLiteral("Liberation Serif"));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
