#include "GuiSupport.h"
#include "TestDesigns.h"

#include "core/document/CFile.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTransformer.h"
#include "core/settings/CSettings.h"
#include "core/settings/StoredOptions.h"
#include "gui/platform/CBrowseForFolder.h"
#include "gui/platform/FlagInvalidField.h"
#include "gui/platform/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace resonex;
using namespace resonex::gui;
using Answer = DocumentPrompts::Answer;

namespace {

int beeps = 0;

template <typename Widget = QLineEdit> Widget* child(QWidget* dialog, const char* name) {
    auto* widget = dialog->findChild<Widget*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// The text of a box, a label or a listing.
QString textOf(QWidget* dialog, const char* name) {
    QWidget* widget = child<QWidget>(dialog, name);
    return widget->property(qobject_cast<QPlainTextEdit*>(widget) ? "plainText" : "text")
        .toString();
}

// Replaces a box's entry as a user does: select it all, type over it.
void type(QWidget* dialog, const char* name, const QString& text) {
    QLineEdit* box = child(dialog, name);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// Enter in a box presses the default button.
void pressEnter(QWidget* dialog, const char* name) {
    QTest::keyClick(child(dialog, name), Qt::Key_Return);
}

// A click near the left edge, where a check box's or option button's mark is.
void click(QWidget* dialog, const char* name) {
    QAbstractButton* button = child<QAbstractButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The beep, the focus and the whole entry selected: a flagged box.
void verifyFlagged(QWidget* dialog, const char* name, int beepsBefore) {
    QCOMPARE(beeps, beepsBefore + 1);
    QLineEdit* box = child(dialog, name);
    QCOMPARE(dialog->focusWidget(), box);
    QCOMPARE(box->selectedText(), box->text());
}

// Number texts in the default locale's decimal separator.
QString local(const QString& pointText) {
    return QString(pointText).replace(u'.', QLocale().decimalPoint());
}
QStringList local(QStringList pointTexts) {
    for (QString& text : pointTexts)
        text = local(text);
    return pointTexts;
}

QStringList texts(QWidget* dialog, std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names)
        list << textOf(dialog, name);
    return list;
}

const std::initializer_list<const char*> kSecondaryInputs = {"txtDia", "txtHeight", "txtWireDia",
                                                             "txtWireSpa"};
const std::initializer_list<const char*> kSecondaryOutputs = {
    "txtAspectRatio", "txtTurns",      "txtWireLength", "txtL",
    "txtNatFr",       "txtQuarWaveFr", "txtSelfC",      "txtTorC"};

// The program with its main window up and the splash closed, its new designs
// in millimetres or inches.
struct Started : test::Program {
    explicit Started(const QString& folder, bool metric = true, bool use50Hz = true) {
        stored::kUseMetric.write(store, metric);
        stored::kUse50Hz.write(store, use50Hz);
        stored::kDesPath.write(store, folder);
        start();
        endSplash();
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
        test::whileModal(this, [steps](QWidget* dialog) {
            steps(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        program.action(command)->trigger();
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(test::pointLocale());
        setBeepSound([] { ++beeps; });
    }
    void cleanup() { QLocale::setDefault(test::pointLocale()); }

    // The keys a user without a mouse has: Tab walks the entries and buttons
    // in order and passes the results by.
    void tabOrder_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("names"); // in Tab order
        QTest::newRow("secondary") << "btnSecCoilCalcs"
                                   << "txtDia txtHeight txtWireDia txtWireSpa cmd_Calculate cmd_OK";
        QTest::newRow("transformer") << "btnPriCapCalcs"
                                     << "txtSecVol txtSecCur txtNum cmd_Calculate cmd_OK";
        QTest::newRow("primary") << "btnPriCoilCalcs"
                                 << "txtC txtFr txtSecDia txtConDia txtConSpa txtSecSep chkUsePriC "
                                    "chkUseSecFr chkUseSecDia cmd_Calculate cmd_OK";
        QTest::newRow("options") << "mnuToolsItem0"
                                 << "txtDesPath cmdBrowse optUseMetric optUseImperial cmdFonts "
                                    "optUse50Hz optUse60Hz cmdOk cmdCancel";
    }
    void tabOrder() {
        QFETCH(QString, command);
        QFETCH(QString, names);
        const QStringList order = names.split(u' ');
        Started program(m_dir.path());
        program.calculateSources();
        // Every dialog opens where it was left, kept in twips under its name.
        for (const char* name :
             {"frmSecCoilCalcs", "frmPriCapCalcs", "frmPriCoilCalcs", "frmOptions"}) {
            program.setPosition(stored::kWindowLeft, name, "1440");
            program.setPosition(stored::kWindowTop, name, "720");
        }
        inDialog(program, qPrintable(command), [&](QWidget* dialog) {
            const double dpi = dialog->screen()->logicalDotsPerInch();
            QCOMPARE(dialog->pos(), QPoint(twipsToPixels(1440, dpi), twipsToPixels(720, dpi)));
            QStringList walked;
            for (int i = 0; i < order.size(); ++i) {
                walked << dialog->focusWidget()->objectName();
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(walked, order);
            QCOMPARE(dialog->focusWidget()->objectName(), order.constFirst());
        });
    }

    // --- Secondary coil ----------------------------------------------------

    void secondaryWorkedExamples_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<QStringList>("outputs");
        for (const bool comma : {false, true}) {
            QTest::addRow("millimetres%s", comma ? ", comma" : "")
                << true << comma << QStringList{"200.00", "600.00", "0.72", "0.00"}
                << QStringList{"mm", "mm", "mm", "mm", "m"}
                << QStringList{"3.00 : 1", "833.00", "523.60", "39.62",
                               "223.11",   "143.24", "12.84",  "18.31"};
            QTest::addRow("inches%s", comma ? ", comma" : "")
                << false << comma << QStringList{"7.874", "23.622", "0.0283", "0.00"}
                << QStringList{"in", "in", "in", "in", "ft"}
                << QStringList{"3.00 : 1", "834.00", "1720.66", "39.75",
                               "222.75",   "143.01", "12.84",   "18.31"};
        }
    }
    void secondaryWorkedExamples() {
        QFETCH(bool, metric);
        QFETCH(bool, comma);
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, units);
        QFETCH(QStringList, outputs);
        if (comma)
            QLocale::setDefault(test::commaLocale());
        inputs = local(inputs);
        outputs = local(outputs);
        Started program(m_dir.path(), metric);
        inDialog(program, "btnSecCoilCalcs", [&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Secondary Coil Calculations"));
            QCOMPARE(texts(dialog, kSecondaryInputs), inputs);
            QCOMPARE(texts(dialog, {"lblInputUnits1", "lblInputUnits2", "lblInputUnits3",
                                    "lblInputUnits4", "lblOutputUnit"}),
                     units);
            QCOMPARE(texts(dialog, kSecondaryOutputs), QStringList(8, QString()));
            pressEnter(dialog, "txtWireSpa");
            QCOMPARE(texts(dialog, kSecondaryOutputs), outputs);
            click(dialog, "cmd_OK");
        });
        QVERIFY(program.doc().Modified());
        QVERIFY(program.summary()->toPlainText().contains(QStringLiteral("Secondary turns : ") +
                                                          outputs[1]));
        QVERIFY(program.position(stored::kWindowTop, "frmSecCoilCalcs") != QStringLiteral("none"));

        // Opened again, it shows what the model holds, results included.
        inDialog(program, "mnuCalculationsItem0",
                 [&](QWidget* dialog) { QCOMPARE(texts(dialog, kSecondaryOutputs), outputs); });
    }

    void secondaryRejectedEntry() {
        Started program(m_dir.path());
        program.doc().settings().setUseSecDia(1);
        program.doc().primary().setCalcsInvalid(false);
        int changes = 0;
        connect(program.summary(), &QTextEdit::textChanged, this, [&] { ++changes; });
        inDialog(program, "btnSecCoilCalcs", [&](QWidget* dialog) {
            int before = beeps;
            type(dialog, "txtDia", QStringLiteral("250"));
            type(dialog, "txtHeight", QStringLiteral("0"));
            pressEnter(dialog, "txtHeight");
            verifyFlagged(dialog, "txtHeight", before);
            // The diameter before it is stored; nothing after it is.
            QCOMPARE(program.doc().secondary().Dia(), QStringLiteral("250.00"));
            QCOMPARE(program.doc().secondary().Turns(), 0.0f);
            QVERIFY(!program.doc().Modified());
            QVERIFY(!program.doc().primary().CalcsInvalid());
            QCOMPARE(textOf(dialog, "txtTurns"), QString());

            // The flagged entry is replaced by the next keys typed.
            QTest::keyClicks(child(dialog, "txtHeight"), QStringLiteral("750"));
            QTest::keyClick(child(dialog, "txtHeight"), Qt::Key_Enter);
            QCOMPARE(beeps, before + 1);
            QCOMPARE(textOf(dialog, "txtHeight"), QStringLiteral("750.00"));
            QVERIFY(program.doc().Modified());
            // The primary takes the secondary's diameter: it is out of date.
            QVERIFY(program.doc().primary().CalcsInvalid());

            // A value that cannot be calculated with is told, named and
            // flagged, and changes nothing.
            before = beeps;
            type(dialog, "txtDia", QStringLiteral("300"));
            type(dialog, "txtHeight", QStringLiteral("1e40"));
            pressEnter(dialog, "txtHeight");
            QCOMPARE(program.dlg.told.messages,
                     QStringList{"The calculation could not be completed: Overflow. The value "
                                 "1e40 cannot be used."});
            verifyFlagged(dialog, "txtHeight", before);
            QCOMPARE(program.doc().secondary().Dia(), QStringLiteral("250.00"));
            QCOMPARE(textOf(dialog, "txtTurns"), QStringLiteral("1041.00"));
        });
        QCOMPARE(changes, 1);
        QVERIFY(program.summary()->toPlainText().contains(QStringLiteral("750.00mm")));
    }

    // A value from a file may be longer than the seven characters a user
    // types, or need more decimals than its pattern (the inch design's 0.374 is
    // not the pattern's 0.37): a box shows it whole, so that calculating again
    // stores the same value.
    void entryBoxesShowStoredValuesWhole() {
        Started program(m_dir.path(), false);
        program.doc().secondary().setDia(QStringLiteral("12345678"));
        program.doc().secondary().setWireDia(QStringLiteral("0.00314"));
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QCOMPARE(texts(dialog, {"txtConDia", "txtConSpa", "txtSecSep"}),
                     (QStringList{"0.374", "0.374", "2.46"}));
        });
        inDialog(program, "btnSecCoilCalcs", [&](QWidget* dialog) {
            QCOMPARE(child(dialog, "txtHeight")->maxLength(), 7);
            QCOMPARE(texts(dialog, {"txtDia", "txtWireDia"}),
                     (QStringList{"12345678.00", "0.00314"}));
            for (int again = 0; again < 2; ++again) {
                pressEnter(dialog, "txtDia");
                QCOMPARE(texts(dialog, {"txtDia", "txtWireDia", "txtTurns"}),
                         (QStringList{"12345678.00", "0.00314", "7522.00"}));
            }
        });
    }

    // --- Transformer and capacitor -----------------------------------------

    // At 50 Hz the primary takes the capacitor: the change makes it out of date.
    void transformer_data() {
        QTest::addColumn<bool>("use50Hz");
        QTest::addColumn<QStringList>("capacitors"); // at 15 kV, at 12 kV
        QTest::newRow("60 Hz") << false << QStringList{"0.0106", "0.0133"};
        QTest::newRow("50 Hz, primary takes C") << true << QStringList{"0.0127", "0.0159"};
    }
    void transformer() {
        QFETCH(bool, use50Hz);
        QFETCH(QStringList, capacitors);
        Started program(m_dir.path(), true, use50Hz);
        program.doc().settings().setUsePriC(use50Hz ? 1 : 0);
        program.doc().primary().setCalcsInvalid(false);
        inDialog(program, "btnPriCapCalcs", [&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(),
                     QStringLiteral("Primary Transformer / Capacitor Matching"));
            QCOMPARE(texts(dialog, {"txtSecVol", "txtSecCur", "txtNum", "txtCap"}),
                     (QStringList{"15.00", "60.00", "1", ""}));
            QCOMPARE(textOf(dialog, "lblOutPar"),
                     QStringLiteral("Primary Capacitor Required to Form a Resonant Circuit at ") +
                         (use50Hz ? "50Hz" : "60Hz") + QStringLiteral(" with Neon Transformers"));
            pressEnter(dialog, "txtNum");
            QCOMPARE(textOf(dialog, "txtCap"), capacitors[0]);
            type(dialog, "txtSecVol", QStringLiteral("12"));
            pressEnter(dialog, "txtSecVol");
            QCOMPARE(texts(dialog, {"txtSecVol", "txtCap"}), (QStringList{"12.00", capacitors[1]}));
            click(dialog, "cmd_OK");
        });
        QVERIFY(program.doc().Modified());
        QCOMPARE(program.doc().primary().CalcsInvalid(), use50Hz);
        QVERIFY(program.summary()->toPlainText().contains(capacitors[1] + QStringLiteral("uF")));
    }

    void transformerRejectedEntries() {
        Started program(m_dir.path());
        inDialog(program, "mnuCalculationsItem2", [&](QWidget* dialog) {
            int before = beeps;
            type(dialog, "txtSecVol", QStringLiteral("20"));
            type(dialog, "txtSecCur", QStringLiteral("0"));
            pressEnter(dialog, "txtSecCur");
            verifyFlagged(dialog, "txtSecCur", before);
            QCOMPARE(program.doc().transformer().SecVol(), QStringLiteral("20.00"));
            QCOMPARE(program.doc().transformer().C(), 0.0f);
            QVERIFY(!program.doc().Modified());

            // A number of transformers is whole.
            type(dialog, "txtSecCur", QStringLiteral("60"));
            for (const char* fraction : {"2.5", "25e-1"}) {
                before = beeps;
                type(dialog, "txtNum", QLatin1String(fraction));
                pressEnter(dialog, "txtNum");
                verifyFlagged(dialog, "txtNum", before);
            }
            QCOMPARE(textOf(dialog, "txtCap"), QString());

            // Beyond a count's range: told, and the current stored with it
            // is taken back.
            type(dialog, "txtSecCur", QStringLiteral("50"));
            type(dialog, "txtNum", QStringLiteral("40000"));
            pressEnter(dialog, "txtNum");
            QCOMPARE(program.dlg.told.messages,
                     QStringList{"The calculation could not be completed: Overflow. The value "
                                 "40000 cannot be used."});
            QCOMPARE(program.doc().transformer().SecVol(), QStringLiteral("20.00"));
            QCOMPARE(program.doc().transformer().SecCur(), QStringLiteral("60.00"));
            QVERIFY(!program.doc().Modified());
        });
    }

    // --- Primary coil ------------------------------------------------------

    void primaryOnANewDesign() {
        Started program(m_dir.path());
        // Choices of sources not calculated are not offered, and kept on closing.
        program.doc().settings().setUsePriC(1);
        program.doc().settings().setUseSecFr(1);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            // Nothing calculated to take values from, but the secondary's diameter.
            QVERIFY(!child<QCheckBox>(dialog, "chkUsePriC")->isEnabled());
            QVERIFY(!child<QCheckBox>(dialog, "chkUsePriC")->isChecked());
            QVERIFY(!child<QCheckBox>(dialog, "chkUseSecFr")->isEnabled());
            QVERIFY(child<QCheckBox>(dialog, "chkUseSecDia")->isEnabled());
            QVERIFY(child(dialog, "txtC")->isEnabled());
            QCOMPARE(texts(dialog,
                           {"txtC", "txtFr", "txtSecDia", "txtConDia", "txtConSpa", "txtSecSep"}),
                     (QStringList{"", "", "", "9.50", "9.50", "62.50"}));
            QCOMPARE(dialog->focusWidget(), child(dialog, "txtC"));
        });
        QCOMPARE(program.doc().settings().UsePriC(), qint16(1));
        QCOMPARE(program.doc().settings().UseSecFr(), qint16(1));
    }

    void primaryWorkedExample_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("dimensions"); // secondary, conductor, separation
        QTest::addColumn<QStringList>("turns10And15");
        QTest::newRow("inches") << false << QStringList{"4.5", "0.374", "2.46"}
                                << QStringList{" Turn  10       47.33uH", " Turn  15     115.30uH"};
        QTest::newRow("millimetres")
            << true << QStringList{"114.3", "9.5", "62.5"}
            << QStringList{" Turn  10       47.33uH", " Turn  15     115.31uH"};
    }
    void primaryWorkedExample() {
        QFETCH(bool, metric);
        QFETCH(QStringList, dimensions);
        QFETCH(QStringList, turns10And15);
        QLocale::setDefault(test::commaLocale());
        Started program(m_dir.path(), metric);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            type(dialog, "txtC", local("0.01"));
            type(dialog, "txtFr", QStringLiteral("250"));
            type(dialog, "txtSecDia", local(dimensions[0]));
            type(dialog, "txtConDia", local(dimensions[1]));
            type(dialog, "txtConSpa", local(dimensions[1]));
            type(dialog, "txtSecSep", local(dimensions[2]));
            pressEnter(dialog, "txtSecSep");
            // The sentence quotes the frequency box as typed.
            QCOMPARE(textOf(dialog, "lblResults"),
                     QStringLiteral("The primary will need to be tapped between turn 9 and turn "
                                    "10 to form a resonant circuit at 250kHz"));
            auto* listing = child<QPlainTextEdit>(dialog, "txtLPerTurn");
            const QStringList lines = listing->toPlainText().split(u'\n');
            QCOMPARE(lines.size(), 15);
            QCOMPARE((QStringList{lines[9], lines[14]}), local(turns10And15));
            // Every line in sight, none to scroll to.
            QCOMPARE(listing->verticalScrollBar()->maximum(), 0);
            QCOMPARE(listing->horizontalScrollBar()->maximum(), 0);
            click(dialog, "cmd_OK");
        });
        QVERIFY(program.doc().Modified());
        QVERIFY(!program.doc().primary().CalcsInvalid());
        QVERIFY(program.summary()->toPlainText().contains(QStringLiteral("between turn 9")));
    }

    void primaryTakesDesignInformation() {
        Started program(m_dir.path());
        program.calculateSources();
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(child<QCheckBox>(dialog, "chkUsePriC")->isEnabled());
            QVERIFY(child<QCheckBox>(dialog, "chkUseSecFr")->isEnabled());
            click(dialog, "chkUsePriC");
            QVERIFY(!child(dialog, "txtC")->isEnabled());
            QCOMPARE(textOf(dialog, "txtC"), QStringLiteral("0.0127"));
            click(dialog, "chkUseSecDia");
            QCOMPARE(textOf(dialog, "txtSecDia"), QStringLiteral("200.00"));
            type(dialog, "txtFr", QStringLiteral("150"));
            pressEnter(dialog, "txtFr");
            QVERIFY(textOf(dialog, "lblResults").endsWith(" at 150kHz"));
            QVERIFY(!program.doc().primary().CalcsInvalid());

            // Taking the secondary's frequency makes the results out of date.
            click(dialog, "chkUseSecFr");
            QVERIFY(!child(dialog, "txtFr")->isEnabled());
            QCOMPARE(textOf(dialog, "txtFr"), QStringLiteral("143.24"));
            QVERIFY(program.doc().primary().CalcsInvalid());
            QCOMPARE(texts(dialog, {"lblResults", "txtLPerTurn"}), QStringList(2, QString()));
            click(dialog, "cmd_Calculate");
            QVERIFY(textOf(dialog, "lblResults").endsWith(" at 143.24kHz"));
            click(dialog, "cmd_OK");
        });
        QCOMPARE(program.doc().settings().UseSecFr(), qint16(1));

        // Opening again fills the boxes from the choices without touching the
        // results.
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
    }

    // The choices and the entries before the rejected one are stored.
    void primaryRejectedEntryAfterStoringTheFirst() {
        Started program(m_dir.path());
        program.doc().settings().setUseSecDia(1);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            click(dialog, "chkUseSecDia"); // cleared: the primary's own diameter
            const int before = beeps;
            type(dialog, "txtC", QStringLiteral("0.02"));
            type(dialog, "txtFr", QStringLiteral("200"));
            type(dialog, "txtSecDia", QStringLiteral("150"));
            type(dialog, "txtConDia", QStringLiteral("12"));
            type(dialog, "txtConSpa", QStringLiteral("0"));
            pressEnter(dialog, "txtConSpa");
            verifyFlagged(dialog, "txtConSpa", before);
            const CPrimary& primary = program.doc().primary();
            QCOMPARE(QStringList({primary.C(), primary.fr(), primary.SecDia(), primary.ConDia(),
                                  primary.ConSpa()}),
                     (QStringList{"0.02", "200.00", "150.00", "12.00", "9.50"}));
            QCOMPARE(program.doc().settings().UseSecDia(), qint16(0));
            QVERIFY(!program.doc().Modified());
        });
    }

    // Told with the program's title; the results shown before are cleared.
    void primaryBeyondFifteenTurns() {
        Started program(m_dir.path(), false);
        test::enterImperialExample(program.doc().primary());
        program.doc().primary().Calculate(program.doc().settings(), program.doc().secondary(),
                                          program.doc().transformer(), {}, program.dlg);
        inDialog(program, "btnPriCoilCalcs", [&](QWidget* dialog) {
            QVERIFY(textOf(dialog, "lblResults").startsWith("The primary will need"));
            type(dialog, "txtC", QStringLiteral("0.0001"));
            type(dialog, "txtFr", QStringLiteral("10"));
            pressEnter(dialog, "txtFr");
            QCOMPARE(program.dlg.told.titles, QStringList{QStringLiteral("Resonex")});
            QCOMPARE(program.dlg.told.messages, QStringList{CPrimary::kTurnLimitMessage});
            QCOMPARE(program.dlg.told.icons.constFirst(), Prompts::Icon::Critical);
            QCOMPARE(texts(dialog, {"lblResults", "txtLPerTurn"}), QStringList(2, QString()));
            QVERIFY(!program.doc().primary().CalcsInvalid());
        });
    }

    // --- Options -----------------------------------------------------------

    void optionsOkWithoutChanges() {
        Started program(m_dir.path());
        program.calculateSources();
        const float c = program.doc().transformer().C();
        int changes = 0;
        connect(program.summary(), &QTextEdit::textChanged, this, [&] { ++changes; });
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Options"));
            QVERIFY(child<QRadioButton>(dialog, "optUseMetric")->isChecked());
            QVERIFY(child<QRadioButton>(dialog, "optUse50Hz")->isChecked());
            QCOMPARE(textOf(dialog, "txtDesPath"), m_dir.path());
            QCOMPARE(child(dialog, "txtDesPath")->toolTip(), m_dir.path());
            pressEnter(dialog, "txtDesPath");
        });
        QVERIFY(program.dlg.questions.isEmpty());
        QCOMPARE(program.doc().transformer().C(), c);
        QCOMPARE(changes, 1);
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
        QVERIFY(settings.UseMetric());
        QVERIFY(!settings.Use50Hz());
        QCOMPARE(settings.DesPath(), folder);
        // The capacitor follows the frequency that stays in force.
        QVERIFY(qAbs(program.doc().transformer().C() / c50 - 50.0f / 60.0f) < 1e-6f);
        QVERIFY(program.doc().primary().CalcsInvalid());
        QVERIFY(program.summary()->toPlainText().contains(QStringLiteral("60Hz")));
    }

    void unitsChange_data() {
        QTest::addColumn<Answer>("save");
        QTest::addRow("save Yes") << Answer::Yes;
        QTest::addRow("save No") << Answer::No;
        QTest::addRow("save Cancel") << Answer::Cancel;
    }
    void unitsChange() {
        QFETCH(Answer, save);
        Started program(m_dir.path());
        program.doc().setModified(true);
        program.dlg.answers = {Answer::Yes, save};
        const QString saved = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        program.dlg.files << saved;
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            click(dialog, "optUseImperial");
            click(dialog, "cmdOk");
        });
        QCOMPARE(program.dlg.questions.size(), 2); // then the save question
        QCOMPARE(program.dlg.questions.constFirst(),
                 QStringLiteral("Resonex: You have chosen to change the units from mm to inches "
                                ".  Doing this will require that you start a new design.  You "
                                "will be given the option of saving your current design if "
                                "necessary.\r\n\r\nDo you wish to continue?"));
        QCOMPARE(QFile::exists(saved), save == Answer::Yes);
        const CFile& doc = program.doc();
        QVERIFY(!doc.settings().UnitsChanged());
        // A new design in inches, or the old one going on in its millimetres.
        QCOMPARE(doc.settings().UseMetric(), save == Answer::Cancel);
        QCOMPARE(doc.Modified(), save == Answer::Cancel);
        QCOMPARE(doc.secondary().Height(),
                 save == Answer::Cancel ? QStringLiteral("600.00") : QStringLiteral("23.622"));
    }

    void mainsFrequencyChange_data() {
        QTest::addColumn<bool>("calculated");
        QTest::newRow("capacitor calculated") << true;
        QTest::newRow("no capacitor") << false;
    }
    void mainsFrequencyChange() {
        QFETCH(bool, calculated);
        Started program(m_dir.path(), true, false);
        if (calculated)
            program.calculateSources();
        program.doc().primary().setCalcsInvalid(false);
        const float c60 = program.doc().transformer().C();
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            click(dialog, "optUse50Hz");
            click(dialog, "cmdOk");
        });
        QVERIFY(program.dlg.questions.isEmpty());
        QVERIFY(program.doc().settings().Use50Hz());
        const float c50 = program.doc().transformer().C();
        QVERIFY(calculated ? qAbs(c50 / c60 - 1.2f) < 1e-6f : c50 == 0);
        QVERIFY(program.doc().primary().CalcsInvalid());
    }

    void fontChosenThenCancelled() {
        Started program(m_dir.path());
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
            // The family from the list, then Tab, the size typed and Enter.
            test::whileModal(this, [](QWidget* fonts) {
                QCOMPARE(fonts->objectName(), QStringLiteral("frmFont"));
                auto* family = child<QFontComboBox>(fonts, "cboFontName");
                QCOMPARE(fonts->focusWidget(), family);
                family->setCurrentFont(QFont(QStringLiteral("Liberation Serif")));
                QTest::keyClick(family, Qt::Key_Tab);
                QCOMPARE(fonts->focusWidget(), child<QSpinBox>(fonts, "spnFontSize"));
                QTest::keyClick(fonts->focusWidget(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(fonts->focusWidget(), QStringLiteral("14"));
                QTest::keyClick(fonts->focusWidget(), Qt::Key_Return);
            });
            click(dialog, "cmdFonts");
            // It opens on the font in force; changed, then cancelled: the font is
            // kept.
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
            click(dialog, "cmdCancel");
        });
        QCOMPARE(program.doc().settings().FontName(), QStringLiteral("Liberation Serif"));
        QCOMPARE(program.doc().settings().FontSize(), qint16(14));
        QTextCursor cursor(program.summary()->document());
        cursor.movePosition(QTextCursor::End);
        QCOMPARE(cursor.charFormat().font().family(), QStringLiteral("Liberation Serif"));
    }

    void folderPicker() {
        Started program(m_dir.path());
        const QString folder = m_dir.filePath(QStringLiteral("picked"));
        QVERIFY(QDir().mkpath(folder));
        inDialog(program, "mnuToolsItem0", [&](QWidget* dialog) {
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
            click(dialog, "cmdBrowse"); // cancelled: the box keeps its folder
            QCOMPARE(textOf(dialog, "txtDesPath"), folder);
            click(dialog, "cmdCancel");
        });
        // Nothing is applied without OK.
        QCOMPARE(program.doc().settings().DesPath(), m_dir.path());
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
