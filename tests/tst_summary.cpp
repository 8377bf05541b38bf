#include "TestDesigns.h"
#include "TestSupport.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/DesignInputs.h"
#include "core/results/BangResultTexts.h"
#include "core/results/BurstResultTexts.h"
#include "core/results/CouplingResultTexts.h"
#include "core/results/PowerResultTexts.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/summary/Summary.h"
#include "core/summary/TransformerSection.h"
#include "core/text/QuantityText.h"

#include <QRegularExpression>
#include <QSet>

#include <utility>

using namespace resonex;

namespace {

QStringList lines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

// The sections as the summary composes them, in the units of the settings.
QString secondaryText(const CFile& doc) { return ComposeSummary(doc)[3].text; }
QString primaryText(const CFile& doc) { return ComposeSummary(doc)[5].text; }

using test::enterTopLoad;

// The top load section's lines from its title on, or none when the summary
// has no such section.
QStringList topLoadLines(const CFile& doc) {
    const Summary summary = ComposeSummary(doc);
    if (summary.size() == 8)
        return {};
    return lines(summary[9].text + summary[10].text);
}

} // namespace

class SummaryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(test::pointLocale()); }

    void newDesign() {
        const CFile doc(nullptr);
        const Summary summary = ComposeSummary(doc);
        const QList<bool> headings{true, false, true, false, true, false, true, false};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(summary[i].heading, headings[i]);
        QCOMPARE(plainText(summary),
                 QStringLiteral("Filename: Untitled\r\n\r\n"
                                "Secondary Coil Design\r\n"
                                "No Secondary Coil Data Calculated\r\n\r\n"
                                "Primary Coil Design\r\n"
                                "No primary winding data calculated\r\n\r\n"
                                "Neon Transformer / Primary Capacitor Matching\r\n"
                                "No Transformer / Capacitor Matching Data Calculated"));
    }

    // Composed in the locale of the moment.
    void secondaryWorkedExample() {
        CFile doc(nullptr);
        doc.secondary().Calculate(true);
        QString expected =
            QStringLiteral("Diameter of secondary coil : 200.00mm\r\n"
                           "Winding height of secondary coil : 600.00mm\r\n"
                           "Wire diameter for secondary coil : 0.72mm\r\n"
                           "Spacing between windings : 0.00mm\r\n"
                           "Secondary turns : 833.00\r\n"
                           "Secondary wire length : 523.60m\r\n"
                           "Secondary inductance : 39.62mH\r\n"
                           "Approximate resonant frequency : 223.11kHz\r\n"
                           "Secondary quarter wavelength resonant frequency : 143.24kHz\r\n"
                           "Secondary self capacitance : 12.84pF\r\n"
                           "Toroid capacitance required to form quarter wavelength coil : "
                           "18.31pF\r\n\r\n");
        QCOMPARE(secondaryText(doc), expected);
        QLocale::setDefault(test::commaLocale());
        QCOMPARE(secondaryText(doc), expected.replace(u'.', u','));
    }

    void secondaryImperialAndStoredValues() {
        MemoryOptionsStore store = test::inches();
        CFile doc(&store);
        doc.secondary().Calculate(false);
        const QStringList text = lines(secondaryText(doc));
        QCOMPARE(text[0], QStringLiteral("Diameter of secondary coil : 7.874in"));
        QCOMPARE(text[5], QStringLiteral("Secondary wire length : 1720.66ft"));

        // New inputs beside the old results; whole turns never round up.
        test::loadFields(doc.secondary(), {TaggedValue::single(100), TaggedValue::single(7.874f),
                                           TaggedValue::single(0.0283f), TaggedValue::single(0),
                                           TaggedValue::single(833.999f)});
        const QStringList changed = lines(secondaryText(doc));
        QCOMPARE(QStringList({changed[1], changed[4], changed[6]}),
                 QStringList({"Winding height of secondary coil : 100.00in",
                              "Secondary turns : 833.00", "Secondary inductance : 39.75mH"}));
    }

    // Calculated with all three choices clear while the secondary and the
    // capacitor are calculated.
    void primaryWorkedExample() {
        MemoryOptionsStore store = test::inches();
        CFile doc(&store);
        doc.secondary().Calculate(false);
        doc.transformer().CalcCap(false);
        test::RecordingPrompts prompts;
        calculatePrimary(doc, {},
                         test::primaryEntries("0.01", "250.00", "4.5", "0.374", "0.374", "2.46"),
                         prompts);
        const QStringList text = lines(primaryText(doc));
        QCOMPARE(text.size(), 31); // 30 lines, the last one ended
        QCOMPARE(
            text.mid(0, 10),
            QStringList({"Primary capacitance : 0.01uF", "Primary resonant frequency : 250.00kHz",
                         "Secondary coil diameter : 4.50in", "Primary conductor diameter : 0.37in",
                         "Primary turn to turn spacing : 0.37in",
                         "Spacing between the secondary and the inside turn of the primary : "
                         "2.46in",
                         "The primary will need to be tapped between turn 9 and turn 10 to "
                         "form a resonant circuit at 250.00kHz",
                         "", "The approximate inductance at each turn is : ", ""}));
        QCOMPARE(QStringList({text[10], text[11], text[18], text[19], text[24]}),
                 QStringList({" Turn  1           0.55uH", " Turn  2           2.04uH",
                              " Turn  9         37.89uH", " Turn  10       47.33uH",
                              " Turn  15     115.30uH"}));
        QCOMPARE(text.mid(25),
                 QStringList({"",
                              "Note: The Primary Coil Design is not using the Secondary Coil "
                              "Design diameter",
                              "Note: The Primary Coil Design is not using the calculated Secondary "
                              "Coil Design resonant frequency",
                              "Note: The Primary Coil Design is not using the calculated Neon "
                              "Transformer / Primary Capacitor Matching Value ",
                              "", ""}));
    }

    // Nothing calculated to take from: no note for it, the extra break all the
    // same. Values taken from the others show as those have them, and with no
    // entry of the primary's own there are neither notes nor the break.
    void primaryNotesFollowTheChoices() {
        CFile doc(nullptr);
        doc.primary().setCalcsInvalid(false);
        doc.settings().setUseSecDia(1);
        QString text = primaryText(doc);
        QVERIFY(text.contains(QStringLiteral("Secondary coil diameter : 200.00mm\r\n")));
        QVERIFY(!text.contains(QStringLiteral("Note:")));
        QVERIFY(text.endsWith(QStringLiteral("\r\n\r\n\r\n")));

        doc.secondary().Calculate(true);
        doc.transformer().CalcCap(false);
        doc.settings().setUseSecFr(1);
        doc.settings().setUsePriC(1);
        doc.primary().setConSpa(QStringLiteral("6.35"));
        test::RecordingPrompts prompts;
        doc.primary().Calculate(doc.settings(), doc.results().basis(), QStringLiteral("143.24"),
                                prompts);
        text = primaryText(doc);
        QVERIFY2(
            text.startsWith(QStringLiteral(
                "Primary capacitance : 0.0106uF\r\n"
                "Primary resonant frequency : 143.24kHz\r\n"
                "Secondary coil diameter : 200.00mm\r\n"
                "Primary conductor diameter : 9.50mm\r\n"
                "Primary turn to turn spacing : 6.35mm\r\n"
                "Spacing between the secondary and the inside turn of the primary : 62.50mm\r\n")),
            qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Note:")));
        QVERIFY(text.endsWith(QStringLiteral("uH\r\n\r\n")));
    }

    // In both mains frequencies, and in a comma locale.
    void transformerSection() {
        QString expected =
            QStringLiteral("Transformer secondary voltage : 15.00kV\r\n"
                           "Transformer secondary current : 60.00mA\r\n"
                           "Number of transformers : 1\r\n"
                           "Primary capacitor required to form a resonant circuit at ");
        CFile doc(nullptr);
        const auto text = [&](bool use50Hz) {
            doc.settings().setUse50Hz(use50Hz);
            doc.transformer().CalcCap(use50Hz);
            return TransformerSectionText(doc);
        };
        QCOMPARE(text(true), expected + "50Hz with neon transformer(s) : 0.0127uF");
        QCOMPARE(text(false), expected + "60Hz with neon transformer(s) : 0.0106uF");
        QLocale::setDefault(test::commaLocale());
        QCOMPARE(text(false),
                 expected.replace(u'.', u',') + "60Hz with neon transformer(s) : 0,0106uF");
    }

    // Without a shape, no section, whatever else the top load or the loaded
    // frequency choice holds; with one, the section follows the others, which
    // stay as they were.
    void topLoadSectionOnlyWithATopLoad() {
        CFile doc(nullptr);
        doc.secondary().Calculate(true);
        const Summary before = ComposeSummary(doc);
        doc.settings().setUseTopFr(1);
        enterTopLoad(doc, CTopLoad::Shape::None, "250", "", "80", "900", "120");
        QCOMPARE(plainText(ComposeSummary(doc)), plainText(before));

        // Resting on the winding's top: touching is no fault.
        enterTopLoad(doc, CTopLoad::Shape::Sphere, "250", "", "125", "900");
        const Summary summary = ComposeSummary(doc);
        QCOMPARE(summary.size(), 11);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(summary[i].text, before[i].text);
        QCOMPARE(QList<bool>({summary[8].heading, summary[9].heading, summary[10].heading}),
                 QList<bool>({false, true, false}));
        QCOMPARE(summary[8].text + summary[9].text, QStringLiteral("\r\n\r\nTop Load\r\n"));
    }

    // The calculated primary stands in the field, and the section says so;
    // out of date, it does not.
    void primaryInTheField() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        const QString line = QStringLiteral("Primary in the field : its turns as built, grounded");
        QVERIFY(!doc.primary().CalcsInvalid());
        QVERIFY(plainText(ComposeSummary(doc)).contains(line));
        doc.primary().setCalcsInvalid(true);
        QVERIFY(!plainText(ComposeSummary(doc)).contains(line));
    }

    // A primary built as a new design's adds nothing; a helix adds the
    // Coupling section, the tap in use read from its own listing.
    void couplingOnlyForAPrimaryBuiltOtherwise() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        doc.topLoad().setShape(CTopLoad::Shape::None);
        const Summary classic = ComposeSummary(doc);
        QCOMPARE(classic.size(), 8);
        test::RecordingPrompts prompts;
        calculatePrimary(doc, {}, {{Input::PriShape, "helical"}}, prompts);
        const QString newLine = QStringLiteral("\r\n");
        // Past the classic summary, the primary section's line that says
        // whose the tap is, and the section's breaks and title.
        const QStringList lines = plainText(ComposeSummary(doc))
                                      .split(newLine)
                                      .mid(plainText(classic).count(newLine) + 4);
        QCOMPARE(lines.mid(0, 3),
                 QStringList({"Primary as built : Helical", "Primary turns as built : 15",
                              "Height of the inner turn above the winding's base : 0.00mm"}));
        QVERIFY(lines[3].startsWith("Primary inductance with every turn : "));
        // Its listing, a line a turn, then the tap in use.
        QCOMPARE(lines[4], QStringLiteral("Primary inductance and k, tapped after each turn:"));
        QVERIFY(lines[5].startsWith(" Turn  1 ") && lines[19].startsWith(" Turn 15 "));
        QVERIFY(lines[20].startsWith("Tap in use, from the primary as built : turn "));
        QVERIFY(lines.constLast().startsWith("Coupled modes : "));
    }

    // A primary built beyond the classic listing's 15 turns (a 60-turn cone
    // at 89.9 deg at 100 kHz, where 0.01 uF needs 253 uH, more than the 15
    // flat turns give) is tapped on its own turns: the classic limit is not
    // told, no listing heading stands over nothing, and the tap in use is said
    // to be the primary as built's. The classic primary keeps its message and
    // texts.
    void primaryBeyondTheClassicListing_data() {
        QTest::addColumn<bool>("builtOtherwise");
        QTest::newRow("as built") << true;
        QTest::newRow("classic") << false;
    }
    void primaryBeyondTheClassicListing() {
        QFETCH(bool, builtOtherwise);
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        Entries entries{{Input::Fr, "100.00"}};
        if (builtOtherwise)
            entries.insert(
                {{Input::PriShape, "conical"}, {Input::PriAngle, "89.9"}, {Input::PriTurns, "60"}});
        test::RecordingPrompts prompts;
        calculatePrimary(doc, {}, entries, prompts);
        const QString text = plainText(ComposeSummary(doc));
        const QString limit =
            QStringLiteral("The primary winding will exceed the limit of 15 turns");
        const QString heading = QStringLiteral("The approximate inductance at each turn");
        if (!builtOtherwise) {
            QCOMPARE(prompts.messages, QStringList{limit});
            QVERIFY(primaryText(doc).contains(
                "62.50mm\r\n\r\n\r\nThe approximate inductance at each turn is : "
                "\r\n\r\n\r\n\r\n"));
            return;
        }
        QCOMPARE(prompts.messages, QStringList());
        QVERIFY(!text.contains(heading));
        QVERIFY(primaryText(doc).contains(
            "62.50mm\r\nThe classic listing's 15 turns of a flat spiral do not reach the "
            "inductance needed; the primary as built is tapped on its own turns (see Coupling)\r\n"
            "\r\n"));
        QVERIFY(text.contains("Tap in use, from the primary as built : turn 5"));
    }

    // A primary built otherwise whose classic listing reaches its tap: the two
    // taps say whose each is.
    void twoTapsSayWhoseEach() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        test::RecordingPrompts prompts;
        calculatePrimary(doc, {}, {{Input::PriShape, "helical"}, {Input::PriTurns, "20"}}, prompts);
        const QStringList text = lines(primaryText(doc));
        QCOMPARE(text.mid(6, 5),
                 QStringList({"Classic listing, a flat spiral of 15 turns: The primary will need "
                              "to be tapped between turn 8 and turn 9 to form a resonant circuit "
                              "at 250.00kHz",
                              "The primary as built is tapped on its own turns (see Coupling)", "",
                              "The approximate inductance at each turn of the classic listing "
                              "is : ",
                              ""}));
        QVERIFY(
            plainText(ComposeSummary(doc)).contains("Tap in use, from the primary as built : "));
    }

    // A flat 15-turn primary at the winding's base in a design with more than
    // the classic calculations (here a toroid) has its Coupling section, the
    // tap read from the classic listing; k with four decimals everywhere.
    void couplingOfAFlatPrimaryBeyondClassic() {
        CFile doc(nullptr);
        test::calculateWorkedExample(doc);
        const QString text = plainText(ComposeSummary(doc));
        QVERIFY(text.contains("\r\nCoupling\r\nPrimary as built : Flat\r\n"));
        QVERIFY(text.contains("Tap in use, from the classic listing : turn "));
        const QRegularExpression k(QStringLiteral("(k|k at the tap :) 0\\.\\d{4}\r\n"));
        QCOMPARE(text.count(k), 16);
        // Without the toroid the design is classic again, and so is its summary.
        doc.topLoad().setShape(CTopLoad::Shape::None);
        QVERIFY(!plainText(ComposeSummary(doc)).contains(QStringLiteral("Coupling")));
    }

    // One precision for k: four decimals, trailing zeros kept, in a comma
    // locale too.
    void couplingPrecision_data() {
        QTest::addColumn<float>("k");
        QTest::addColumn<QString>("text");
        QTest::newRow("two places") << 0.2f << "0.2000";
        QTest::newRow("three places") << 0.209f << "0.2090";
        QTest::newRow("rounded") << 0.20514f << "0.2051";
        QTest::newRow("rounded up") << 0.20516f << "0.2052";
        QTest::newRow("loose") << 0.004f << "0.0040";
    }
    void couplingPrecision() {
        QFETCH(float, k);
        QFETCH(QString, text);
        QCOMPARE(couplingText(k), text);
        QLocale::setDefault(test::commaLocale());
        QCOMPARE(couplingText(k), QString(text).replace(u'.', u','));
    }

    // The inputs in the design's unit, in both unit systems and a comma
    // locale; the results wait for the secondary, but for the free space
    // capacitance, which does not depend on it (its number is not pinned).
    void topLoadInputs() {
        const QStringList waiting{
            "The secondary coil must be calculated first for the figures on the coil"};
        const auto shown = [](const CFile& doc) {
            static const QRegularExpression kFreeC(
                QStringLiteral("^Top load capacitance in free space : \\d+[.,]\\d\\dpF$"));
            QStringList lines = topLoadLines(doc);
            if (!kFreeC.match(lines.value(lines.size() - 2)).hasMatch())
                return lines;
            lines.removeAt(lines.size() - 2);
            return lines;
        };
        CFile metric(nullptr);
        enterTopLoad(metric, CTopLoad::Shape::Toroid, "300", "75.125", "50", "500");
        QStringList expected{"Top Load",
                             "Top load shape : Toroid",
                             "Overall diameter of the toroid : 300.00mm",
                             "Tube diameter of the toroid : 75.125mm",
                             "Height of the top load centre above the winding : 50.00mm",
                             "Height of the winding base above the floor : 500.00mm"};
        QCOMPARE(shown(metric), expected + waiting);

        MemoryOptionsStore store = test::inches();
        CFile imperial(&store);
        enterTopLoad(imperial, CTopLoad::Shape::Sphere, "12", "", "0", "19.6875");
        QCOMPARE(shown(imperial).mid(1),
                 QStringList({"Top load shape : Sphere", "Diameter of the sphere : 12.00in",
                              "Height of the top load centre above the winding : 0.00in",
                              "Height of the winding base above the floor : 19.6875in"}) +
                     waiting);
        // The surroundings entered, a line each after where the coil stands.
        for (const auto& [input, text] : {std::pair{Input::RailDia, "24"},
                                          {Input::RailWire, "0.5"},
                                          {Input::RailHeight, "-2.125"},
                                          {Input::Walls, "60"}})
            storeEntry(designInput(input), imperial.models(), QString::fromLatin1(text));
        QCOMPARE(shown(imperial).mid(5),
                 QStringList({"Strike rail : 24.00in across, 0.50in conductor, 2.125in below the "
                              "winding's base",
                              "Walls : 60.00in from the axis"}) +
                     waiting);

        QLocale::setDefault(test::commaLocale());
        QCOMPARE(shown(metric),
                 expected.replaceInStrings(QStringLiteral("."), QStringLiteral(",")) + waiting);
    }

    // Once the secondary is calculated: each result in its unit and pattern,
    // in the locale's decimals; the quarter wave toroid, and the target's
    // where one is set. The field solution's own numbers are pinned by the
    // worked examples tst_cli compares.
    void topLoadResults_data() {
        QTest::addColumn<bool>("comma");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }
    void topLoadResults() {
        QFETCH(bool, comma);
        if (comma)
            QLocale::setDefault(test::commaLocale());
        CFile doc(nullptr);
        doc.secondary().Calculate(true);
        enterTopLoad(doc, CTopLoad::Shape::Toroid, "300", "75", "50", "500", "150");
        const QString d = comma ? QStringLiteral(",") : QStringLiteral("\\.");
        const QString number = QStringLiteral("\\d+") + d + QStringLiteral("\\d\\d");
        // Toroid sizes read as the lengths entered do, to two decimals.
        const QString length = QStringLiteral("\\d+") + d + QStringLiteral("\\d\\dmm");
        const QStringList patterns{
            "Top load capacitance in free space : " + number + "pF",
            "Capacitance the top load adds to the coil : " + number + "pF",
            "Top load charge over the top voltage : " + number + "pF",
            "Bare winding capacitance over the floor, from the field solution : " + number + "pF",
            "Resonant frequency without the top load : " + number + "kHz",
            "Resonant frequency with the top load : " + number + "kHz",
            "Toroid for the quarter wavelength resonant frequency : " + length + " x 75" + d +
                "00mm",
            "Toroid for the target frequency of 150" + d + "00kHz : " + length + " x 75" + d +
                "00mm"};
        const QStringList shown = topLoadLines(doc).mid(6);
        QCOMPARE(shown.size(), patterns.size());
        for (qsizetype i = 0; i < shown.size(); ++i)
            QVERIFY2(QRegularExpression(u'^' + patterns[i] + u'$').match(shown[i]).hasMatch(),
                     qPrintable(shown[i]));

        // Where no toroid reaches a frequency, the summary says why.
        const auto none = [&](const char* target, const char* why) {
            enterTopLoad(doc, CTopLoad::Shape::Toroid, "300", "75", "50", "500", target);
            return topLoadLines(doc).last() ==
                   QStringLiteral("No toroid brings the coil to the target frequency of ") +
                       QLatin1String(target) + (comma ? u',' : u'.') + QStringLiteral("00kHz: ") +
                       QLatin1String(why);
        };
        QVERIFY(none("900", "it lies above the bare coil's frequency, which no top load can "
                            "reach"));
        QVERIFY(none("1", "it lies below what the largest toroid searched reaches"));
        QVERIFY(none("236", "even the smallest toroid searched brings the coil below it; a "
                            "thinner tube allows a smaller one"));
    }

    // The declared figures each object's JSON, the summary and the dialogs
    // read: each key once in its object, each box and caption once in its
    // dialog, each figure shown somewhere and each key given a value.
    void figuresDeclaredOnce() {
        QCOMPARE(declarationFault(topLoadFigures()), QString());
        QCOMPARE(declarationFault(couplingFigures()), QString());
        QCOMPARE(declarationFault(powerFigures()), QString());
        QCOMPARE(declarationFault(bangFigures()), QString());
        QCOMPARE(declarationFault(burstFigures()), QString());
    }

private:
    template <typename Results> static QString declarationFault(FigureList<Results> figures) {
        QSet<QByteArray> keys;
        QSet<QByteArray> names;
        for (const Figure<Results>& figure : figures) {
            const QByteArray key(figureKey(figure) ? figureKey(figure) : "");
            if (!figure.label && !figure.labelOf && key.isEmpty())
                return QStringLiteral("a figure shown nowhere");
            if (!key.isEmpty() && !figure.value && !figure.json)
                return QStringLiteral("no value for ") + key;
            const QByteArray inObject = QByteArray::number(figure.jsonObject) + '.' + key;
            if (!key.isEmpty() && keys.contains(inObject))
                return QStringLiteral("twice: ") + key;
            keys.insert(inObject);
            for (const char* name : {figure.boxName, figure.captionName})
                if (name && names.contains(name))
                    return QStringLiteral("twice: ") + QLatin1String(name);
                else if (name)
                    names.insert(name);
            if (bool(figure.boxName) != bool(figure.caption))
                return QStringLiteral("a box without its caption, or a caption without its box");
        }
        return {};
    }
};

QTEST_APPLESS_MAIN(SummaryTest)
#include "tst_summary.moc"
