#include "TestDesigns.h"
#include "TestSupport.h"

#include "core/document/CFile.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/FlatSpiral.h"
#include "core/model/PrimarySources.h"
#include "core/model/TopLoadSolution.h"
#include "core/model/TuningCurve.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"
#include "core/text/PrimaryResultTexts.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace resonex;
using test::Design;
using test::enterImperialExample;
using test::exact;

namespace {

// Whether a table's text is there and wholly of the shape given.
bool shaped(const char* text, const char* pattern) {
    return text && QRegularExpression(u'^' + QLatin1String(pattern) + u'$')
                       .match(QLatin1String(text))
                       .hasMatch();
}
// The shapes of a table's texts: an option; a phrase (lower case, or an
// initialism, without a full stop); a caption (a capital word, no full stop);
// an option button's caption with its access key.
constexpr const char* kOption = "--[a-z]+(-[a-z]+)*";
constexpr const char* kPhrase = "([a-z]|[A-Z]{2}).* .*[^.]";
constexpr const char* kCaption = "[A-Z][a-z].* .*[^.]";
constexpr const char* kButtonCaption = "[^&]*&[^&]+";

// A text input of the models: its setter, its getter and the text its entry
// box shows.
struct TextInput {
    std::function<void(const QString&)> set;
    std::function<QString()> get;
    std::function<QString()> entry;
};

template <typename Model>
TextInput input(Model& model, void (Model::*set)(const QString&), QString (Model::*get)() const,
                QString (Model::*entry)() const) {
    return {[&model, set](const QString& text) { (model.*set)(text); },
            [&model, get] { return (model.*get)(); }, [&model, entry] { return (model.*entry)(); }};
}

TextInput inputOf(Design& d, const QString& name) {
    using S = CSecondary;
    using P = CPrimary;
    using T = CTransformer;
    using L = CTopLoad;
    const QHash<QString, TextInput> all{
        {"Dia", input(d.secondary, &S::setDia, &S::Dia, &S::DiaEntry)},
        {"Height", input(d.secondary, &S::setHeight, &S::Height, &S::HeightEntry)},
        {"WireDia", input(d.secondary, &S::setWireDia, &S::WireDia, &S::WireDiaEntry)},
        {"WireSpa", input(d.secondary, &S::setWireSpa, &S::WireSpa, &S::WireSpaEntry)},
        {"C", input(d.primary, &P::setC, &P::C, &P::CEntry)},
        {"fr", input(d.primary, &P::setFr, &P::fr, &P::frEntry)},
        {"ConDia", input(d.primary, &P::setConDia, &P::ConDia, &P::ConDiaEntry)},
        {"SecDia", input(d.primary, &P::setSecDia, &P::SecDia, &P::SecDiaEntry)},
        {"ConSpa", input(d.primary, &P::setConSpa, &P::ConSpa, &P::ConSpaEntry)},
        {"SecSep", input(d.primary, &P::setSecSep, &P::SecSep, &P::SecSepEntry)},
        {"SecVol", input(d.transformer, &T::setSecVol, &T::SecVol, &T::SecVolEntry)},
        {"SecCur", input(d.transformer, &T::setSecCur, &T::SecCur, &T::SecCurEntry)},
        {"Num", input(d.transformer, &T::setNum, &T::Num, &T::Num)},
        {"TopDia", input(d.topLoad, &L::setTopDia, &L::TopDia, &L::TopDiaEntry)},
        {"TubeDia", input(d.topLoad, &L::setTubeDia, &L::TubeDia, &L::TubeDiaEntry)},
        {"TopHeight", input(d.topLoad, &L::setTopHeight, &L::TopHeight, &L::TopHeightEntry)},
        {"BaseHeight", input(d.topLoad, &L::setBaseHeight, &L::BaseHeight, &L::BaseHeightEntry)},
        {"TargetFr", input(d.topLoad, &L::setTargetFr, &L::TargetFr, &L::TargetFrEntry)},
    };
    return all.value(name);
}

// The fields of a design file, in order.
QList<TaggedValue> fieldsOf(const QByteArray& bytes) {
    FieldReader reader(bytes);
    QList<TaggedValue> fields;
    try {
        for (;;)
            fields << reader.ReadField();
    } catch (const ResonexError&) { // its end
    }
    return fields;
}

// The design's stored values, as its file holds them.
QByteArray storedBytes(const Design& d) {
    FieldWriter writer;
    d.primary.WriteObjects(writer);
    d.secondary.WriteObjects(writer);
    d.transformer.WriteObjects(writer);
    return writer.bytes();
}

// The flat spiral inductance of turn n in µH, computed independently of the
// model for the boundary tests (imperial, inputs as floats).
float spiralMicrohenries(int n, float d, float s, float g, float outer) {
    const float w = float(n * double(d) + (n - 1) * double(s));
    const float r = float(double(outer) / 2 + double(g) + double(w) / 2);
    return float(double(r) * r * (double(n) * n) / (8.0 * r + 11.0 * w));
}

// A primary whose C and fr are exact floats, the rest as in the imperial
// example, as a design file holds it with the listing and sentence given.
void loadPrimary(CPrimary& primary, float c, float fr, const QString& listing = {},
                 const QString& sentence = {}, bool outOfDate = true) {
    test::loadFields(primary,
                     {TaggedValue::single(c), TaggedValue::single(fr), TaggedValue::single(0.374f),
                      TaggedValue::single(0.374f), TaggedValue::single(2.46f),
                      TaggedValue::text(listing), TaggedValue::single(4.5f),
                      TaggedValue::text(sentence), TaggedValue::boolean(outOfDate)});
}

// The resonance of the primary circuit tapped after each turn the primary
// lists: 1 / (2π √(LC)).
QList<double> resonancesOfListing(const CPrimary& primary, double farads) {
    QList<double> hertz;
    for (const TurnInductance& turn : primary.listing().turns)
        hertz << 1.0 / (2.0 * M_PI * std::sqrt(double(turn.henries) * farads));
    return hertz;
}

// The metric example: the secondary of 200 by 600 mm and two transformers of
// 15 kV, 60 mA calculated, and the primary taking all three from them; or
// tuned to the secondary with a toroid on it instead of its quarter wave.
void calculateMetricExample(Design& design, bool toroid) {
    design.secondary.Calculate(true);
    design.transformer.setNum(QStringLiteral("2"));
    design.transformer.CalcCap(false);
    if (toroid)
        design.topLoad.setShape(CTopLoad::Shape::Toroid);
    design.settings.setUsePriC(1);
    design.settings.setUseSecFr(toroid ? 0 : 1);
    design.settings.setUseTopFr(toroid ? 1 : 0);
    design.settings.setUseSecDia(1);
    design.calculate(QStringLiteral("143.24"));
}

} // namespace

class ModelsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(test::pointLocale()); }

    // A rejected entry raises its property's error and stores nothing. An
    // accepted one shows in the property's pattern, and its entry box shows
    // what, entered again, stores the very same value.
    void inputs_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("error"); // 0: accepted
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("comma");
        const auto row = [](const char* property, const char* text, uint error,
                            const char* shown = "", const char* entry = "", bool comma = false) {
            QTest::addRow("%s '%s'%s", property, text, comma ? " in a comma locale" : "")
                << QString::fromLatin1(property) << QString::fromLatin1(text) << error
                << QString::fromLatin1(shown) << QString::fromLatin1(entry) << comma;
        };
        // Each input's own error number, for the texts its declared rule does
        // not try (that rule's refusals are checked for every input below).
        const struct {
            const char* property;
            uint error;
        } inputs[] = {{"Dia", 0x80040201},       {"Height", 0x80040202},    {"WireDia", 0x80040203},
                      {"WireSpa", 0x80040204},   {"C", 0x80040205},         {"fr", 0x80040206},
                      {"ConDia", 0x80040207},    {"SecDia", 0x80040208},    {"ConSpa", 0x80040209},
                      {"SecSep", 0x8004020A},    {"SecVol", 0x8004020B},    {"SecCur", 0x8004020C},
                      {"Num", 0x8004020D},       {"TopDia", 0x8004020E},    {"TubeDia", 0x8004020F},
                      {"TopHeight", 0x80040210}, {"BaseHeight", 0x80040211}};
        for (const auto& p : inputs)
            for (const char* bad : {"", "2,5", "1e"})
                row(p.property, bad, p.error);
        // A target may be left out, not one that vanishes as the float it is
        // stored in, nor such a size.
        row("TargetFr", "", 0, "0.00", "");
        for (const char* bad : {"2,5", "1e-42"})
            row("TargetFr", bad, 0x80040215);
        row("TopDia", "1e-50", 0x8004020E);
        for (const char* bad : {"2.0", "25e-1"})
            row("Num", bad, 0x8004020D);
        for (const char* bad : {"2,5", "3,5"})
            row("Num", bad, 0x8004020D, "", "", true);
        row("ConDia", "2.5", 0x80040207, "", "", true);
        // Beyond the range of the stored type: an overflow, not the property's error.
        for (const auto& [property, text] :
             {std::pair{"Num", "40000"}, {"SecVol", "1e39"}, {"Height", "1e39"}, {"fr", "3e38"}})
            row(property, text, 6);

        row("Dia", "200", 0, "200.00", "200.00");
        row("Height", "12.34567", 0, "12.3457", "12.34567");
        row("Height", "1e3", 0, "1000.00", "1000.00");
        row("WireDia", "0.00314", 0, "0.0031", "0.00314");
        row("C", "0.012345", 0, "0.0123", "0.012345");
        row("fr", "143.245", 0, "143.24", "143.245");
        row("ConDia", "0.374", 0, "0.37", "0.374");
        row("SecDia", "4.123456", 0, "4.12346", "4.123456");
        row("SecSep", " 60.5 ", 0, "60.50", "60.50");
        row("SecVol", "12.3456789", 0, "12.34568", "12.345679");
        row("SecCur", "30.123456", 0, "30.12346", "30.123455");
        row("SecCur", "1e-7", 0, "0.00", "0.0000001");
        row("Num", "2", 0, "2", "2");
        row("Num", "1e1", 0, "10", "10");
        // A comma locale takes the comma whichever reading stores the entry.
        row("ConDia", "2,5", 0, "2,50", "2,50", true);
        row("ConDia", "0,374", 0, "0,37", "0,374", true);
        row("WireDia", "0,72", 0, "0,72", "0,72", true);
        row("C", "2,5", 0, "2,50", "2,50", true);
    }
    void inputs() {
        QFETCH(QString, property);
        QFETCH(QString, text);
        QFETCH(uint, error);
        QFETCH(QString, shown);
        QFETCH(QString, entry);
        QFETCH(bool, comma);
        if (comma)
            QLocale::setDefault(test::commaLocale());
        Design design(true);
        const TextInput in = inputOf(design, property);
        const QByteArray before = storedBytes(design);
        const std::optional<ResonexError> raised = test::errorOf([&] { in.set(text); });
        QCOMPARE(raised ? uint(raised->number()) : 0u, error);
        if (raised) {
            QVERIFY(!raised->source().isEmpty());
            QCOMPARE(storedBytes(design), before);
            return;
        }
        QCOMPARE(in.get(), shown);
        QCOMPARE(in.entry(), entry);
        const QByteArray stored = storedBytes(design);
        in.set(entry);
        QCOMPARE(storedBytes(design), stored);
    }

    // A top load that cuts into the calculated winding is refused with the
    // least height that clears it, to two decimals and accepted when typed,
    // in the design's unit; stored all the same (from a file, or before a
    // wider secondary), its figures on the coil are absent with the reason.
    void topLoadClearance_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("dia");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("told"); // empty: accepted
        const auto row = [](const char* name, bool metric, CTopLoad::Shape shape, const char* dia,
                            const char* height, const char* told) {
            QTest::newRow(name) << metric << int(shape) << QString::fromLatin1(dia)
                                << QString::fromLatin1(height) << QString::fromLatin1(told);
        };
        row("toroid across the winding", true, CTopLoad::Shape::Toroid, "300", "0",
            "raise its centre from 0.00mm to at least 35.36mm");
        row("toroid raised clear", true, CTopLoad::Shape::Toroid, "300", "35.36", "");
        row("inches", false, CTopLoad::Shape::Toroid, "12", "0.5",
            "raise its centre from 0.50in to at least 1.42in");
        row("inches, raised clear", false, CTopLoad::Shape::Toroid, "12", "1.42", "");
    }
    void topLoadClearance() {
        QFETCH(bool, metric);
        QFETCH(int, shape);
        QFETCH(QString, dia);
        QFETCH(QString, height);
        QFETCH(QString, told);
        Design design(metric);
        design.secondary.setDia(metric ? QStringLiteral("200") : QStringLiteral("8"));
        design.secondary.Calculate(metric);
        CTopLoad& top = design.topLoad;
        top.setShape(CTopLoad::Shape(shape));
        top.setTopDia(dia);
        top.setTubeDia(metric ? QStringLiteral("75") : QStringLiteral("3"));
        top.setTopHeight(height);
        const std::optional<ResonexError> raised =
            test::errorOf([&] { top.checkClearance(design.secondary, metric); });
        const std::optional<NoFigures> absent =
            solveTopLoad(top, design.secondary, metric, {}).absent;
        if (told.isEmpty()) {
            QVERIFY(!raised && !absent);
            return;
        }
        QVERIFY(raised);
        QCOMPARE(raised->number(), 0x80040216u);
        QCOMPARE(raised->source(), QStringLiteral("CTopLoad::TopHeight"));
        QCOMPARE(raised->description(),
                 "The top load cuts into the winding or reaches below the floor: " + told +
                     " above the winding, or make it smaller");
        QVERIFY(isInputError(raised->number()));
        QCOMPARE(absent, std::optional(NoFigures::CutsIntoWinding));
        // Before the secondary is calculated there is no winding to cut.
        design.secondary = CSecondary(metric);
        QVERIFY(!test::errorOf([&] { top.checkClearance(design.secondary, metric); }));
        QCOMPARE(solveTopLoad(top, design.secondary, metric, {}).absent,
                 std::optional(NoFigures::SecondaryNotCalculated));
    }

    // The document's memo of the field solution answers as solving afresh
    // would after any one input changed: it depends on every one of them.
    void topLoadSolutionFollowsEachInput() {
        Design design(true);
        design.secondary.Calculate(true);
        CTopLoad& top = design.topLoad;
        top.setShape(CTopLoad::Shape::Toroid);
        top.setTargetFr(QStringLiteral("200"));
        bool metric = true;
        const auto figures = [&](const TopLoadResults& r) {
            const auto toroid = [](const ToroidFor& t) {
                return t.size ? exact(t.size->topDia) : QString::number(int(t.none));
            };
            return QStringList{exact(r.freeC.value_or(-1)), exact(r.loadedFr),
                               toroid(r.forQuarWaveFr), toroid(r.forTargetFr)};
        };
        const auto changed = [&](const std::function<void()>& change) {
            const QStringList before =
                figures(design.topLoadSolution.results(top, design.secondary, metric, {}));
            change();
            const QStringList after =
                figures(design.topLoadSolution.results(top, design.secondary, metric, {}));
            return after != before &&
                   after == figures(solveTopLoad(top, design.secondary, metric, {}));
        };
        const auto secondary = [&](void (CSecondary::*set)(const QString&), const char* text) {
            return [&design, set, text] {
                (design.secondary.*set)(QLatin1String(text));
                design.secondary.Calculate(true);
            };
        };
        QVERIFY(changed(secondary(&CSecondary::setDia, "180")));
        QVERIFY(changed(secondary(&CSecondary::setHeight, "550")));
        QVERIFY(changed(secondary(&CSecondary::setWireDia, "0.8"))); // the turns
        QVERIFY(changed([&] { top.setTopDia(QStringLiteral("350")); }));
        QVERIFY(changed([&] { top.setTubeDia(QStringLiteral("60")); }));
        QVERIFY(changed([&] { top.setTopHeight(QStringLiteral("80")); }));
        QVERIFY(changed([&] { top.setBaseHeight(QStringLiteral("300")); }));
        QVERIFY(changed([&] { top.setTargetFr(QStringLiteral("180")); }));
        QVERIFY(changed([&] { top.setShape(CTopLoad::Shape::Sphere); }));
        QVERIFY(changed([&] { metric = false; }));
    }

    // A new design's top load in round figures of its unit; untouched, it
    // is a new design's in that unit only.
    void topLoadStartsRound() {
        for (const bool metric : {true, false}) {
            const CTopLoad top(metric);
            QCOMPARE(QStringList({top.TopDiaEntry(), top.TubeDiaEntry(), top.TopHeightEntry(),
                                  top.BaseHeightEntry()}),
                     metric ? QStringList({"300.00", "75.00", "50.00", "500.00"})
                            : QStringList({"12.00", "3.00", "2.00", "20.00"}));
            QVERIFY(top.isNew(metric) && !top.isNew(!metric));
        }
    }

    void errorTextsOfTheInputs() {
        Design d(true);
        QCOMPARE(test::errorText([&] { d.secondary.setWireSpa("-1"); }),
                 "0x80040204 Csecondary::WireSpa: Invalid value in wire spacing property");
        QCOMPARE(test::errorText([&] { d.primary.setFr({}); }),
                 "0x80040206 CPrimary::Fr: Invalid value in the resonant frequency property");
        QCOMPARE(test::errorText([&] { d.transformer.setNum("99999"); }),
                 "0x00000006 CTransformer::Num: Overflow");
    }

    // Each input's declared accept rule is the one its model applies, and a
    // refusal raises the declared error, which is how a dialog finds the box
    // to flag; what an entry box shows stores the same value again.
    void inputsKeepTheirDeclaredRules() {
        for (const DesignInput& input : designInputs()) {
            CFile doc(nullptr);
            const auto refusal = [&](const QString& text) {
                return test::errorNumberOf([&] { storeEntry(input, doc.models(), text); });
            };
            QCOMPARE(refusal("x"), input.error.number);
            if (input.quantity == Quantity::Choice) {
                QCOMPARE(refusal(QLatin1String(input.words.constLast().word)), 0u);
            } else {
                for (const double probe : {-1.0, 0.0})
                    QCOMPARE(refusal(QString::number(probe)),
                             input.accepts.contains(probe) ? 0u : input.error.number);
                // A value away from the start, so that the file holds it.
                QCOMPARE(refusal(input.start == 2            ? "3"
                                 : input.accepts.contains(2) ? "2"
                                                             : "0.5"),
                         0u);
            }
            const QByteArray stored = doc.bytesToSave();
            // The value lies where the row says the file keeps it.
            const QHash<QString, int> firstField{
                {"CSettings", 0}, {"CPrimary", 8}, {"CSecondary", 17}, {"extension", 35}};
            const QList<TaggedValue> fields = fieldsOf(stored);
            const int at =
                firstField.value(QLatin1String(input.file.object), 29) + input.file.field - 1;
            QVERIFY2(at < fields.size(), input.option);
            QCOMPARE(fields[at].toSingle(), float(keptValue(input, doc.models())));
            QCOMPARE(refusal(entryOf(input, doc.models())), 0u);
            QCOMPARE(doc.bytesToSave(), stored);
        }
    }

    // An added input is its row alone: stored by its accept rule, away from
    // its start once stored, and read back as its row's field; a
    // value no entry could store is dropped alone.
    void addedInputsTravelByTheirRows() {
        DesignInput wall = designInput(Input::WireSpa);
        wall.file = {"extension", 8, 2};
        DesignInput later = designInput(Input::Dia);
        later.file = {"extension", 9, 3};
        const QList<const DesignInput*> rows{&wall, &later};
        AddedInputs added;
        QVERIFY(!added.awayFromStart(rows));
        added.store(wall, QStringLiteral("3.5"));
        QCOMPARE(test::errorNumberOf([&] { added.store(later, QStringLiteral("0")); }),
                 errors::SecondaryDia.number);
        QCOMPARE(QList<QVariant>({added.entry(wall), added.awayFromStart(rows)}),
                 QList<QVariant>({"3.50", true}));
        // Read back field by field over a new design's values: whether whole,
        // and the two values.
        const auto readBack = [&rows](const QByteArray& bytes) {
            FieldReader reader(bytes);
            AddedInputs read;
            bool whole = true;
            for (const DesignInput* row : rows)
                whole = read.read(reader, *row) && whole;
            return QList<float>({float(whole), read.value(*rows[0]), read.value(*rows[1])});
        };
        FieldWriter writer;
        for (const DesignInput* row : rows)
            added.write(writer, *row);
        QCOMPARE(readBack(writer.bytes()), QList<float>({1, 3.5, 0}));
        FieldWriter damaged;
        damaged.writeSingle(-1);
        damaged.writeSingle(7);
        QCOMPARE(readBack(damaged.bytes()), QList<float>({0, 0, 7}));
        added.store(wall, QString());
        QCOMPARE(QList<QVariant>({added.entry(wall), added.awayFromStart(rows)}),
                 QList<QVariant>({QString(), false}));
    }

    // Each text of an input's row has a shape no other of its texts has, so
    // that two traded in the table fail here: the option, its help (a phrase),
    // the box, the caption label, the caption (words), the unit label, the
    // JSON key (ending in its quantity's SI unit) and the tip (sentences).
    void inputRowTextsKeepTheirShapes_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < designInputs().size(); ++row)
            QTest::newRow(designInputs()[row].option) << row;
    }
    void inputRowTextsKeepTheirShapes() {
        QFETCH(int, row);
        const DesignInput& input = designInputs()[row];
        QVERIFY(shaped(input.option, kOption));
        QVERIFY(shaped(input.help, kPhrase));
        QVERIFY(shaped(input.boxName,
                       input.quantity == Quantity::Choice ? "fra[A-Z]\\w*" : "txt[A-Z]\\w*"));
        QVERIFY(shaped(input.caption, kCaption));
        // A caption label is a classic form's LabelN or named after its box
        // (txtTankC: lblTankC); a unit label, where the quantity has a unit
        // word, is a classic LabelN, lblInputUnitsN or the caption label's
        // name and Unit (lblTankCUnit).
        const QString box = QLatin1String(input.boxName).mid(3);
        QVERIFY(shaped(input.captionName, "Label\\d+") ||
                QLatin1String(input.captionName) == QStringLiteral("lbl%1").arg(box));
        QCOMPARE(input.unitName != nullptr, !unitWord(input.quantity, true).isEmpty());
        QVERIFY(!input.unitName || shaped(input.unitName, "Label\\d+|lblInputUnits\\d") ||
                QLatin1String(input.unitName) == QStringLiteral("lbl%1Unit").arg(box));
        QVERIFY(shaped(input.jsonKey, "[a-z]+(_[a-z]+)*"));
        const QHash<Quantity, QString> siUnit{
            {Quantity::Length, "m"},       {Quantity::Kilovolts, "v"},
            {Quantity::Milliamperes, "a"}, {Quantity::Microfarads, "f"},
            {Quantity::Kilohertz, "hz"},   {Quantity::Degrees, "deg"},
            {Quantity::Volts, "v"},        {Quantity::Amperes, "a"},
            {Quantity::Microseconds, "s"}};
        const QString key = QLatin1String(input.jsonKey);
        const QString last = key.section(u'_', -1);
        QCOMPARE(last != key && siUnit.values().contains(last) ? last : QString(),
                 siUnit.value(input.quantity));
        QCOMPARE(input.tip != nullptr, input.added());
        QVERIFY(!input.tip || shaped(input.tip, ".* .*\\."));
        for (const ChoiceWord& word : input.words)
            QVERIFY(shaped(word.word, "[a-z]+") && shaped(word.buttonName, "opt[A-Z]\\w*") &&
                    shaped(word.caption, kButtonCaption));
    }

    // One unit per quantity: whatever model keeps an input, the same typed
    // text is the same SI value (the classic capacitor kept in farads and
    // the tank capacitor kept as typed alike), in both units of length.
    void typedOnceToSi_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<Input>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("si");
        for (const bool metric : {true, false}) {
            const auto row = [metric](const char* name, Input input, const char* typed, double si) {
                QTest::addRow("%s %s", metric ? "mm" : "in", name)
                    << metric << input << QString::fromLatin1(typed) << si;
            };
            row("classic capacitor", Input::C, "0.03", 3e-8);
            row("tank capacitor", Input::TankC, "0.03", 3e-8);
            row("unit capacitor", Input::UnitC, "0.15", 1.5e-7);
            row("classic frequency", Input::Fr, "143.24", 143240);
            row("target frequency", Input::TargetFr, "150", 150000);
            row("classic kilovolts", Input::SecVol, "15", 15000);
            row("unit kilovolts", Input::UnitKv, "2", 2000);
            row("milliamperes", Input::SecCur, "60", 0.06);
            row("classic length", Input::Dia, "8", metric ? 0.008 : 0.2032);
            row("added length", Input::RailDia, "8", metric ? 0.008 : 0.2032);
        }
    }
    void typedOnceToSi() {
        QFETCH(bool, metric);
        QFETCH(Input, input);
        QFETCH(QString, typed);
        QFETCH(double, si);
        CFile doc(nullptr);
        doc.settings().setUseMetric(metric);
        const DesignInput& row = designInput(input);
        storeEntry(row, doc.models(), typed);
        QVERIFY2(qAbs(siValue(row, keptValue(row, doc.models()), metric) / si - 1) < 1e-7,
                 qPrintable(QString::number(siValue(row, keptValue(row, doc.models()), metric))));
    }

    // Within a dialog no two rows share a box or a label, and the unit labels
    // are numbered as the forms number them: lblInputUnits from 1 down the
    // rows, and a classic form's LabelN after its caption labels. No two
    // inputs share an option, nor two of one JSON object a key. The primary's
    // choices and the top load's shapes keep their texts' shapes too.
    void inputRowTextsDistinct() {
        const auto fresh = [](QSet<QString>& seen, const char* text) {
            const qsizetype before = seen.size();
            seen.insert(QLatin1String(text));
            return seen.size() > before;
        };
        const QRegularExpression numbered(QStringLiteral("^(Label|lblInputUnits)(\\d+)$"));
        const auto number = [&numbered](const char* label, const char* kind) {
            const QRegularExpressionMatch match = numbered.match(QLatin1String(label));
            return match.hasMatch() && match.captured(1) == QLatin1String(kind)
                       ? match.captured(2).toInt()
                       : -1;
        };
        QSet<QString> options;
        for (const Calculation calculation : kCalculations) {
            QSet<QString> names;
            QSet<QString> keys[2]; // the calculation's own object, the surroundings'
            int inputUnits = 0;
            int lastCaption = 0;
            int firstUnit = std::numeric_limits<int>::max();
            for (const DesignInput* input : inputsOf(calculation)) {
                QVERIFY2(fresh(options, input->option), input->option);
                QVERIFY2(fresh(keys[input->surroundings], input->jsonKey), input->jsonKey);
                for (const char* name : {input->boxName, input->captionName, input->unitName})
                    QVERIFY2(!name || fresh(names, name), name);
                lastCaption = std::max(lastCaption, number(input->captionName, "Label"));
                if (!input->unitName)
                    continue;
                if (const int unit = number(input->unitName, "Label"); unit >= 0)
                    firstUnit = std::min(firstUnit, unit);
                if (const int unit = number(input->unitName, "lblInputUnits"); unit >= 0)
                    QCOMPARE(unit, ++inputUnits);
            }
            QVERIFY(lastCaption < firstUnit);
        }
        for (const PrimaryChoiceRow& row : primaryChoiceRows()) {
            QVERIFY2(fresh(options, row.option), row.option);
            QVERIFY(shaped(row.option, kOption) && shaped(row.help, kPhrase) &&
                    shaped(row.boxName, "chk[A-Z]\\w*") && shaped(row.caption, kCaption) &&
                    shaped(row.needs, "a calculated [a-z ]+") && shaped(row.takes, "the [a-z]+") &&
                    shaped(row.takenFrom, "the [a-z ]+ calculation"));
        }
        for (const ShapeChoice& choice : topLoadShapes())
            QVERIFY(shaped(choice.word, "[a-z]+") && shaped(choice.buttonName, "opt[A-Z]\\w*") &&
                    shaped(choice.caption, kButtonCaption));
    }

    void secondaryWorkedExamples_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("results"); // AR, N, length, QW, Nat, L, SelfC, TorC
        QTest::newRow("millimetres")
            << true
            << QStringList{"3",          "833.333313",   "523.598755",     "143239.453",
                           "223110.422", "0.0396236666", "1.28423912e-11", "1.83149433e-11"};
        QTest::newRow("inches")
            << false
            << QStringList{"3",          "834.699646",   "1720.65686",     "143005.266",
                           "222745.641", "0.0397536308", "1.28423661e-11", "1.83149051e-11"};
    }
    void secondaryWorkedExamples() {
        QFETCH(bool, metric);
        QFETCH(QStringList, results);
        CSecondary secondary(metric);
        secondary.Calculate(metric);
        QCOMPARE(QStringList({exact(secondary.AspectRatio()), exact(secondary.Turns()),
                              exact(secondary.WireLength()), exact(secondary.QuarWaveFr()),
                              exact(secondary.NatFr()), exact(secondary.L()),
                              exact(secondary.SelfC()), exact(secondary.TorC())}),
                 results);
        // The field solution takes the same Wheeler inductance.
        const LengthUnit unit = designUnit(metric);
        QCOMPARE(exact(float(physics::wheelerInductance({unit.toMetres(secondary.DiaValue()),
                                                         unit.toMetres(secondary.HeightValue()),
                                                         secondary.Turns(), 0}))),
                 results[5]);
    }

    // A short coil needs a negative toroid; spaced windings take fewer turns.
    void secondaryShapes() {
        CSecondary secondary(true);
        secondary.setHeight(QStringLiteral("65"));
        secondary.Calculate(true);
        QVERIFY(secondary.TorC() < 0 && secondary.TorC() > -0.02e-12f);
        QVERIFY(secondary.NatFr() < secondary.QuarWaveFr());
        secondary.setHeight(QStringLiteral("66"));
        secondary.Calculate(true);
        QVERIFY(secondary.TorC() > 0);
        secondary.setHeight(QStringLiteral("600"));
        secondary.setWireSpa(QStringLiteral("0.28"));
        secondary.Calculate(true);
        QCOMPARE(exact(secondary.Turns()), QStringLiteral("600"));
    }

    // Values read from a damaged file: the failing step raises, earlier steps
    // keep their new values, later fields their old ones.
    void secondaryArithmeticFailuresStopAtTheirStep() {
        CSecondary secondary(true);
        test::loadFields(secondary, {TaggedValue::single(600), TaggedValue::single(200),
                                     TaggedValue::single(0), TaggedValue::single(0),
                                     TaggedValue::single(7), TaggedValue::single(8)});
        QCOMPARE(test::errorText([&] { secondary.Calculate(true); }),
                 "0x0000000B CSecondary::Calculate: Division by zero");
        QCOMPARE(QList<float>({secondary.AspectRatio(), secondary.Turns(), secondary.WireLength()}),
                 QList<float>({3, 7, 8}));

        CSecondary negative(true);
        test::loadFields(negative, {TaggedValue::single(-600), TaggedValue::single(200)});
        QCOMPARE(test::errorNumberOf([&] { negative.Calculate(true); }), 5u); // (-3)^0.2

        CSecondary huge(true);
        huge.setHeight(QStringLiteral("3e38"));
        huge.setDia(QStringLiteral("1e-3"));
        QCOMPARE(test::errorNumberOf([&] { huge.Calculate(true); }), 6u);
        QCOMPARE(huge.AspectRatio(), 0.0f);
    }

    // 60 Hz, 50 Hz, and two of 30 mA as one of 60 mA.
    void transformerCapacitance() {
        const auto farads = [](const char* kV, const char* mA, const char* count, bool use50Hz) {
            CTransformer transformer;
            transformer.setSecVol(QLatin1String(kV));
            transformer.setSecCur(QLatin1String(mA));
            transformer.setNum(QLatin1String(count));
            transformer.CalcCap(use50Hz);
            return exact(transformer.C());
        };
        QCOMPARE(
            QStringList({farads("15", "60", "1", false), farads("15", "60", "1", true),
                         farads("12", "30", "2", false), farads("12", "60", "1", false)}),
            QStringList({"1.06103304e-08", "1.27323956e-08", "1.32629117e-08", "1.32629117e-08"}));
    }

    // Lreq exactly equal to a turn's inductance does not tap it; one float
    // less does.
    void primaryTapNeedsStrictlyMore() {
        const float l10 = spiralMicrohenries(10, 0.374f, 0.374f, 2.46f, 4.5f);
        const float target = float(double(l10) * double(1e-6f));
        const float fr = 250000.0f;
        auto required = [&](float c) {
            return float(std::pow(1.0 / (6.283185307 * fr), 2.0) * (1.0 / c));
        };
        float c = float(std::pow(1.0 / (6.283185307 * fr), 2.0) / target);
        for (int step = 0; step < 4096 && required(c) != target; ++step)
            c = std::nextafter(c, required(c) < target ? 0.0f : 1.0f);
        QCOMPARE(exact(required(c)), exact(target));

        Design design(false);
        const auto tapWith = [&](float capacitance) {
            loadPrimary(design.primary, capacitance, fr);
            design.calculate();
            return design.primary.Results().section(u' ', 8, 12);
        };
        QCOMPARE(tapWith(c), QStringLiteral("turn 10 and turn 11"));
        // Lreq one step below
        QCOMPARE(tapWith(std::nextafter(c, 1.0f)), QStringLiteral("turn 9 and turn 10"));
    }

    // A first turn already above Lreq taps between turn 0 and turn 1, and the
    // tuning curve crosses after none; values of seven characters take five
    // spaces, eight or more reuse the line before.
    void primaryLargeCoilListing() {
        Design design(false);
        enterImperialExample(design.primary);
        design.primary.setSecDia(QStringLiteral("2000"));
        design.primary.setConDia(QStringLiteral("1"));
        design.primary.setConSpa(QStringLiteral("1"));
        design.primary.setSecSep(QStringLiteral("1"));
        design.calculate();

        QVERIFY(design.primary.Results().startsWith(
            QStringLiteral("The primary will need to be tapped between turn 0 and turn 1 ")));
        const QStringList lines = design.primary.LPerTurn().split(QStringLiteral("\r\n"));
        QVERIFY(lines[0].startsWith(QStringLiteral(" Turn  1       125.")));  // 6 chars: 7
        QVERIFY(lines[2].startsWith(QStringLiteral(" Turn  3     1121.")));   // 7 chars: 5
        QVERIFY(lines[8].startsWith(QStringLiteral(" Turn  9     9989.")));   // 7 chars: 5
        QVERIFY(lines[9].startsWith(QStringLiteral(" Turn  10     12312."))); // 8 chars: reuse

        const TuningCurve curve = tuningCurve(design.primary, design.settings, design.others());
        QCOMPARE(curve.tap->afterTurn, 0);
        const double share =
            (1.0 / (std::pow(2.0 * M_PI * 250e3, 2.0) * double(design.primary.CValue()))) /
            curve.points[0].henries;
        QCOMPARE(*curve.crossingTurn, share);
    }

    // The secondary and transformer are not calculated: taken from them, or
    // left at 0, the frequency or capacitance divides by zero, and the results
    // of before stay. Beyond 15 turns: told, and the listing and sentence of
    // before cleared.
    void primaryFailures() {
        Design design(true);
        CPrimary& primary = design.primary;
        primary.setC(QStringLiteral("0.01"));
        primary.setSecDia(QStringLiteral("200"));
        QCOMPARE(test::errorNumberOf([&] { design.calculate(); }), 11u);
        QVERIFY(primary.CalcsInvalid());
        primary.setFr(QStringLiteral("250"));
        design.calculate();
        const QString before = primary.LPerTurn() + primary.Results();
        QVERIFY(!primary.LPerTurn().isEmpty());
        design.settings.setUseSecFr(1);
        QCOMPARE(test::errorNumberOf([&] { design.calculate(); }), 11u);
        design.settings.setUseSecFr(0);
        design.settings.setUsePriC(1);
        QCOMPARE(test::errorNumberOf([&] { design.calculate(); }), 11u);
        QCOMPARE(primary.LPerTurn() + primary.Results(), before);

        design.settings.setUsePriC(0);
        primary.setC(QStringLiteral("0.0001"));
        primary.setFr(QStringLiteral("25"));
        design.calculate();
        QCOMPARE(design.prompts.messages, QStringList{CPrimary::kTurnLimitMessage});
        QCOMPARE(design.prompts.icons, QList<Prompts::Icon>{Prompts::Icon::Critical});
        QCOMPARE(primary.LPerTurn() + primary.Results(), QString());
        QVERIFY(!primary.CalcsInvalid());
    }

    // Taken from the other models, the values decide the result, while the
    // sentence quotes the frequency text it is given.
    void primaryTakesDesignInformation() {
        Design design(false);
        design.secondary.setDia(QStringLiteral("4.5"));
        design.secondary.Calculate(false);
        design.transformer.CalcCap(false);
        CPrimary& primary = design.primary;
        enterImperialExample(primary);
        primary.setSecDia(QStringLiteral("9"));
        primary.setFr(QStringLiteral("1"));
        primary.setC(QStringLiteral("1"));
        design.settings.setUseSecDia(1);
        design.settings.setUseSecFr(1);
        design.settings.setUsePriC(1);
        design.calculate(QStringLiteral("typed"));
        const QString borrowed = primary.LPerTurn();
        QVERIFY(primary.Results().endsWith(QStringLiteral("resonant circuit at typedkHz")));

        design.settings.setUseSecDia(0);
        design.settings.setUseSecFr(0);
        design.settings.setUsePriC(0);
        primary.setSecDia(QStringLiteral("4.5"));
        primary.setFr(QString::number(double(design.secondary.QuarWaveFr()) / 1000, 'f', 6));
        primary.setC(QString::number(double(design.transformer.C()) * 1e6, 'f', 9));
        design.calculate();
        QCOMPARE(primary.LPerTurn(), borrowed);
    }

    // Each point is the listing's turn with the capacitance used; the target
    // is the frequency used, met between the turns the sentence names, where
    // the inductance grown linearly from one to the next is what resonance
    // needs. The secondary's frequencies are there once it is calculated.
    void tuningCurveFollowsTheListing_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("topLoad");
        QTest::newRow("inches, own entries") << false << false;
        QTest::newRow("millimetres, from the design") << true << false;
        QTest::newRow("millimetres, tuned to the top load") << true << true;
    }
    void tuningCurveFollowsTheListing() {
        QFETCH(bool, metric);
        QFETCH(bool, topLoad);
        Design design(metric);
        if (!metric) {
            enterImperialExample(design.primary);
            design.calculate();
        } else {
            calculateMetricExample(design, topLoad);
        }
        const TuningCurve curve = tuningCurve(design.primary, design.settings, design.others());

        const double farads = metric ? design.transformer.C() : design.primary.CValue();
        QCOMPARE(curve.farads, farads);
        const double loaded = solveTopLoad(design.topLoad, design.secondary, metric, {}).loadedFr;
        const double target =
            !metric ? 250e3 : (topLoad ? loaded : double(design.secondary.QuarWaveFr()));
        QCOMPARE(curve.targetHertz, target);
        const QList<double> expected = resonancesOfListing(design.primary, farads);
        QCOMPARE(curve.points.size(), 15);
        for (int i = 0; i < 15; ++i) {
            QCOMPARE(curve.points[i].turn, i + 1);
            QVERIFY2(std::abs(curve.points[i].hertz / expected[i] - 1) < 1e-6,
                     qPrintable(QStringLiteral("turn %1").arg(i + 1)));
        }

        QVERIFY(curve.tap);
        QCOMPARE(curve.tap, design.primary.listing().tap);
        const int after = curve.tap->afterTurn;
        QVERIFY(expected[after - 1] > target && expected[after] < target);
        QVERIFY(curve.crossingTurn && *curve.crossingTurn > after &&
                *curve.crossingTurn < after + 1);
        const double lAfter = curve.points[after - 1].henries;
        const double lBefore = curve.points[after].henries;
        const double lAtCrossing = lAfter + (*curve.crossingTurn - after) * (lBefore - lAfter);
        QCOMPARE(lAtCrossing, 1.0 / (std::pow(2.0 * M_PI * target, 2.0) * farads));

        QCOMPARE(curve.quarterWaveHertz.has_value(), metric);
        if (metric)
            QCOMPARE(*curve.quarterWaveHertz, double(design.secondary.QuarWaveFr()));
        QCOMPARE(curve.loadedHertz.has_value(), topLoad);
        if (topLoad)
            QCOMPARE(*curve.loadedHertz, loaded);
    }

    // Nothing to show without results, while they are out of date, or beyond
    // 15 turns; a damaged listing's turn of no inductance is left out.
    void tuningCurveEdges() {
        Design design(false);
        const auto curve = [&] {
            return tuningCurve(design.primary, design.settings, design.others());
        };
        QVERIFY(curve().isEmpty());
        enterImperialExample(design.primary);
        design.calculate();
        QVERIFY(!curve().isEmpty());
        design.primary.setCalcsInvalid(true);
        QVERIFY(curve().isEmpty());
        QCOMPARE(curve().targetHertz, 0.0);

        loadPrimary(design.primary, 0.01e-6f, 250e3f, " Turn  1  0.00uH\r\n Turn  2  0.80uH",
                    "no sentence", false);
        QCOMPARE(curve().points.size(), 1);
        QCOMPARE(curve().points[0].turn, 2);
        QVERIFY(!curve().tap && !curve().crossingTurn);

        // Out of turns, a design file's missing listing is damaged, not short.
        loadPrimary(design.primary, 0.01e-6f, 250e3f, {}, {}, false);
        QVERIFY(curve().isEmpty());
    }

    // Short of the target after the last turn, the curve still shows the
    // turns, and says what would bring the tap within them: each quoted
    // figure reaches it, one shown digit less does not.
    void tuningCurveBeyondTheLastTurn_data() {
        QTest::addColumn<QString>("secDia");
        QTest::addColumn<QString>("fr");
        QTest::addColumn<QString>("spacing"); // closer, wider or none
        QTest::addColumn<QString>("sentence");
        const auto row = [](const char* name, const char* secDia, const char* fr,
                            const char* spacing, const char* sentence) {
            QTest::newRow(name) << QString(secDia) << QString(fr) << QString(spacing)
                                << QString(sentence);
        };
        row("just short, wider turns reach", "4.5", "140", "wider",
            "The tap lies beyond turn 15: it comes within reach with a capacitance of at least "
            "0.0113uF, a target of at least 148.23kHz or turns spaced at least 0.71in.");
        row("just short, closer turns reach", "20", "95", "closer", "");
        row("far short", "4.5", "2", "none",
            "The tap lies beyond turn 15: it comes within reach with a capacitance of at least "
            "54.9231uF or a target of at least 148.23kHz.");
    }
    void tuningCurveBeyondTheLastTurn() {
        QFETCH(QString, secDia);
        QFETCH(QString, fr);
        QFETCH(QString, spacing);
        Design design(false);
        CPrimary& primary = design.primary;
        enterImperialExample(primary);
        primary.setSecDia(secDia);
        primary.setFr(fr);
        design.calculate();
        QVERIFY(primary.LPerTurn().isEmpty() && !primary.CalcsInvalid());

        const TuningCurve curve = tuningCurve(primary, design.settings, design.others());
        QCOMPARE(curve.points.size(), 15);
        QCOMPARE(curve.points.constLast().turn, 15);
        QVERIFY(curve.points.constLast().hertz > curve.targetHertz);
        QVERIFY(!curve.tap && !curve.crossingTurn);
        QVERIFY(curve.beyondLastTurn);
        const TuningCurve::Reach reach = *curve.beyondLastTurn;
        QFETCH(QString, sentence);
        if (!sentence.isEmpty())
            QCOMPARE(reachText(reach), sentence);

        // Whether the primary, calculated with one entry changed, finds a tap.
        const auto tapsWith = [&](void (CPrimary::*set)(const QString&), double value,
                                  const QString& entered) {
            (primary.*set)(QString::number(value, 'f', 6));
            design.calculate();
            (primary.*set)(entered);
            return !primary.Results().isEmpty();
        };
        const double microfarads = reach.farads * 1e6;
        QVERIFY(tapsWith(&CPrimary::setC, microfarads, "0.01"));
        QVERIFY(!tapsWith(&CPrimary::setC, microfarads - 0.0001, "0.01"));
        const double kilohertz = reach.hertz / 1e3;
        QVERIFY(tapsWith(&CPrimary::setFr, kilohertz, fr));
        QVERIFY(!tapsWith(&CPrimary::setFr, kilohertz - 0.01, fr));

        QCOMPARE(reach.spacing.has_value(), spacing != "none");
        if (reach.spacing) {
            QCOMPARE(reach.closerSpacing, spacing == "closer");
            const double towardEntered = reach.closerSpacing ? 0.01 : -0.01;
            QVERIFY(tapsWith(&CPrimary::setConSpa, *reach.spacing, "0.374"));
            QVERIFY(!tapsWith(&CPrimary::setConSpa, *reach.spacing + towardEntered, "0.374"));
        }
    }

    // A listing or a sentence that no calculation writes (a damaged file) gives
    // no turns or no tap, however large its numbers, and says it is damaged.
    void damagedListing_data() {
        QTest::addColumn<QString>("listing");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<int>("turns");
        QTest::addColumn<bool>("tapped");
        QTest::addColumn<bool>("damaged");
        const QString own =
            QStringLiteral(" Turn  1           0.55uH\r\n Turn  2           2.04uH");
        const QString between = QStringLiteral("tapped between turn %1 and turn %2");
        QStringList sixteen;
        for (int turn = 1; turn <= 16; ++turn)
            sixteen << QStringLiteral(" Turn  %1  1.00uH").arg(turn);
        QTest::newRow("own") << own << between.arg(1).arg(2) << 2 << true << false;
        QTest::newRow("none: beyond 15 turns") << QString() << QString() << 0 << false << false;
        QTest::newRow("a far turn appended") << own + "\r\n Turn 100000000     200.00uH"
                                             << between.arg(1).arg(2) << 0 << true << true;
        QTest::newRow("the largest int")
            << " Turn 2147483647  1.00uH" << QString() << 0 << false << true;
        QTest::newRow("beyond an int")
            << " Turn 99999999999  1.00uH" << QString() << 0 << false << true;
        QTest::newRow("out of order")
            << " Turn  2  1.00uH\r\n Turn  1  2.00uH" << QString() << 0 << false << true;
        QTest::newRow("a turn twice")
            << " Turn  1  1.00uH\r\n Turn  1  2.00uH" << QString() << 0 << false << true;
        QTest::newRow("16 turns") << sixteen.join("\r\n") << QString() << 0 << false << true;
        QTest::newRow("tap beyond 15") << own << between.arg(15).arg(16) << 2 << false << true;
        QTest::newRow("tap at the largest int")
            << own << between.arg(0).arg(2147483647) << 2 << false << true;
        QTest::newRow("tap not a pair") << own << between.arg(1).arg(3) << 2 << false << true;
    }
    void damagedListing() {
        QFETCH(QString, listing);
        QFETCH(QString, sentence);
        QFETCH(int, turns);
        QFETCH(bool, tapped);
        QFETCH(bool, damaged);
        CPrimary primary(true);
        loadPrimary(primary, 1e-8f, 250e3f, listing, sentence, false);
        QCOMPARE(primary.listing().turns.size(), turns);
        QCOMPARE(primary.listing().tap.has_value(), tapped);
        QCOMPARE(primary.listing().damaged, damaged);
    }

    // A design reopened has the very numbers its calculation gave, in either
    // locale: each turn's hundredths of a microhenry as the listing writes
    // them (rounded half away from zero on the float's exact value), rounded
    // once to a float in henries. Ties, values too wide for the listing's
    // columns, negative ones and the largest float; then designs calculated
    // and read back.
    void listingReadsBackAsCalculated_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << test::pointLocale();
        QTest::newRow("comma") << test::commaLocale();
    }
    void listingReadsBackAsCalculated() {
        QFETCH(QLocale, locale);
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        QLocale::setDefault(locale);
        SpiralTurns spiral;
        spiral.microhenries = {
            0.125f, 0.375f, -0.125f,   2.675f, 1.005f,
            0.005f, 0.015f, 9999.995f, 1e6f,   65504.5f,
            1e20f,  1e-10f, 123.456f,  7.0f,   std::numeric_limits<float>::max()};
        spiral.tap = 15;
        const PrimaryListing calculated = listingOf(spiral);
        const PrimaryListing read = readListing(turnListing(spiral.microhenries),
                                                tappingSentence(spiral.tap, QStringLiteral("250")));
        QCOMPARE(calculated.turns.size(), 15);
        QCOMPARE(read.turns, calculated.turns);
        QCOMPARE(read.tap, calculated.tap);
        QVERIFY(!read.damaged && !calculated.damaged);

        std::mt19937 random(21);
        std::uniform_real_distribution<double> logOf(-2, 2);
        // A hundredth to a hundred times the tenth power of ten.
        const auto any = [&](int tenth = 0) {
            return locale.toString(std::pow(10.0, tenth + logOf(random)), 'f', 4);
        };
        for (int i = 0; i < 200; ++i) {
            Design design(i % 2 == 0);
            CPrimary& primary = design.primary;
            primary.setC(any());
            primary.setFr(any(2));
            primary.setConDia(any());
            primary.setConSpa(any());
            primary.setSecSep(any());
            primary.setSecDia(any(1));
            design.calculate();
            FieldWriter writer;
            primary.WriteObjects(writer);
            FieldReader reader(writer.bytes());
            CPrimary reopened(true);
            reopened.ReadObjects(reader);
            QCOMPARE(reopened.listing().turns, primary.listing().turns);
            QCOMPARE(reopened.listing().tap, primary.listing().tap);
        }
    }

    // The secondary's diameter is calculated with as its text reads, to four
    // decimals, while the file's value stays exact; a choice of neither 0 nor 1
    // (a design file can hold one) keeps the primary's own value and entry.
    void primaryInputSources() {
        Design design(false);
        design.secondary.setDia(QStringLiteral("7.87404"));
        design.primary.setSecDia(QStringLiteral("9"));
        const auto inputs = [&](qint16 useSecDia) {
            return PrimaryInputs({0, 0, useSecDia}, design.primary, design.others());
        };
        const Input diameter = Input::SecDia;
        QCOMPARE(exact(inputs(1).used(diameter)), exact(7.874f));
        QCOMPARE(exact(inputs(1).kept(diameter)), exact(design.secondary.DiaValue()));
        QCOMPARE(inputs(1).entry(diameter), QStringLiteral("7.874"));

        QCOMPARE(exact(inputs(2).used(diameter)), exact(9.0f));
        QCOMPARE(inputs(2).text(diameter), QStringLiteral("9.00"));
        QVERIFY(!takesEntry(diameter, {0, 0, 2}));
        QVERIFY(!inputs(2).passesOver(diameter));
        QVERIFY(inputs(0).passesOver(diameter));
    }
};

QTEST_APPLESS_MAIN(ModelsTest)
#include "tst_models.moc"
