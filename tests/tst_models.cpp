#include "TestDesigns.h"
#include "TestSupport.h"

#include "model/CPrimary.h"
#include "model/CSecondary.h"
#include "model/CTransformer.h"
#include "settings/CSettings.h"

#include <cmath>
#include <functional>

using namespace resonex;
using test::enterImperialExample;
using test::exact;

namespace {

using Setter = std::function<void(const QString&)>;
using Getter = std::function<QString()>;

struct Property {
    Setter set;
    Getter get;
};

// Every text input of the three models, by the name of its property.
struct Models {
    CSecondary secondary{true};
    CTransformer transformer;
    CPrimary primary{true};

    Property property(const QString& name) {
        const QHash<QString, Property> all{
            {"Dia", {[&](auto t) { secondary.setDia(t); }, [&] { return secondary.Dia(); }}},
            {"Height",
             {[&](auto t) { secondary.setHeight(t); }, [&] { return secondary.Height(); }}},
            {"WireDia",
             {[&](auto t) { secondary.setWireDia(t); }, [&] { return secondary.WireDia(); }}},
            {"WireSpa",
             {[&](auto t) { secondary.setWireSpa(t); }, [&] { return secondary.WireSpa(); }}},
            {"C", {[&](auto t) { primary.setC(t); }, [&] { return primary.C(); }}},
            {"fr", {[&](auto t) { primary.setFr(t); }, [&] { return primary.fr(); }}},
            {"ConDia", {[&](auto t) { primary.setConDia(t); }, [&] { return primary.ConDia(); }}},
            {"SecDia", {[&](auto t) { primary.setSecDia(t); }, [&] { return primary.SecDia(); }}},
            {"ConSpa", {[&](auto t) { primary.setConSpa(t); }, [&] { return primary.ConSpa(); }}},
            {"SecSep", {[&](auto t) { primary.setSecSep(t); }, [&] { return primary.SecSep(); }}},
            {"SecVol",
             {[&](auto t) { transformer.setSecVol(t); }, [&] { return transformer.SecVol(); }}},
            {"SecCur",
             {[&](auto t) { transformer.setSecCur(t); }, [&] { return transformer.SecCur(); }}},
            {"Num", {[&](auto t) { transformer.setNum(t); }, [&] { return transformer.Num(); }}},
        };
        return all.value(name);
    }
};

// Everything the primary's calculation reads, in one unit system.
struct PrimaryDesign {
    explicit PrimaryDesign(bool metric) : secondary(metric), primary(metric) {
        settings.setUseMetric(metric);
    }
    void calculate(const QString& frText = QStringLiteral("250.00")) {
        primary.Calculate(settings, secondary, transformer, frText, prompts);
    }
    QStringList listing() const { return primary.LPerTurn().split(QStringLiteral("\r\n")); }

    CSettings settings{nullptr};
    CSecondary secondary;
    CTransformer transformer;
    CPrimary primary;
    test::RecordingPrompts prompts;
};

// The flat spiral inductance of turn n in µH, computed independently of the
// model for the boundary tests (imperial, inputs as floats).
float spiralMicrohenries(int n, float d, float s, float g, float outer) {
    const float w = float(n * double(d) + (n - 1) * double(s));
    const float r = float(double(outer) / 2 + double(g) + double(w) / 2);
    return float(double(r) * r * (double(n) * n) / (8.0 * r + 11.0 * w));
}

// A primary whose C and fr are exact floats, the rest as in the imperial example.
void loadPrimary(CPrimary& primary, float c, float fr) {
    test::loadFields(
        primary, {TaggedValue::single(c), TaggedValue::single(fr), TaggedValue::single(0.374f),
                  TaggedValue::single(0.374f), TaggedValue::single(2.46f), TaggedValue::text({}),
                  TaggedValue::single(4.5f), TaggedValue::text({}), TaggedValue::boolean(true)});
}

} // namespace

class ModelsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(test::pointLocale()); }

    // --- Inputs: acceptance, error numbers, read-back -------------------------

    void inputs_data() {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("error"); // 0: accepted
        QTest::addColumn<QString>("readBack");

        const struct {
            const char* property;
            uint error;
        } positives[] = {{"Dia", 0x80040201},    {"Height", 0x80040202}, {"WireDia", 0x80040203},
                         {"C", 0x80040205},      {"fr", 0x80040206},     {"ConDia", 0x80040207},
                         {"SecDia", 0x80040208}, {"ConSpa", 0x80040209}, {"SecSep", 0x8004020A},
                         {"SecVol", 0x8004020B}, {"SecCur", 0x8004020C}, {"Num", 0x8004020D}};
        for (const auto& p : positives) {
            for (const char* bad : {"0", "-5", "", "abc", "2,5", "1e"})
                QTest::addRow("%s rejects '%s'", p.property, bad)
                    << p.property << bad << p.error << QString();
        }
        QTest::newRow("WireSpa takes 0") << "WireSpa"
                                         << "0" << 0u << "0.00";
        QTest::newRow("WireSpa rejects -0.1") << "WireSpa"
                                              << "-0.1" << 0x80040204u << QString();
        QTest::newRow("WireSpa rejects letters") << "WireSpa"
                                                 << "x" << 0x80040204u << QString();

        QTest::newRow("Height four decimals") << "Height"
                                              << "12.34567" << 0u << "12.3457";
        QTest::newRow("Height exponent") << "Height"
                                         << "1e3" << 0u << "1000.00";
        QTest::newRow("C micro") << "C"
                                 << "0.0125" << 0u << "0.0125";
        QTest::newRow("fr kilo") << "fr"
                                 << "250" << 0u << "250.00";
        QTest::newRow("ConDia two decimals") << "ConDia"
                                             << "9.5" << 0u << "9.50";
        QTest::newRow("ConDia exponent") << "ConDia"
                                         << "1e3" << 0u << "1000.00";
        QTest::newRow("SecDia five decimals") << "SecDia"
                                              << "4.12345" << 0u << "4.12345";
        QTest::newRow("SecSep blanks") << "SecSep"
                                       << " 62.5 " << 0u << "62.50";
        QTest::newRow("SecCur five decimals") << "SecCur"
                                              << "30.123456" << 0u << "30.12346";
        QTest::newRow("Num whole") << "Num"
                                   << "2" << 0u << "2";
        QTest::newRow("Num exponent") << "Num"
                                      << "1e1" << 0u << "10";
        QTest::newRow("Num rejects a point") << "Num"
                                             << "2.0" << 0x8004020Du << QString();
        QTest::newRow("Num rejects a fraction") << "Num"
                                                << "2.5" << 0x8004020Du << QString();

        // Beyond the range of the stored type: an overflow, not the property's error.
        QTest::newRow("Num beyond 16 bits") << "Num"
                                            << "40000" << 6u << QString();
        QTest::newRow("SecVol beyond float") << "SecVol"
                                             << "1e39" << 6u << QString();
        QTest::newRow("Height beyond float") << "Height"
                                             << "1e39" << 6u << QString();
        QTest::newRow("fr beyond float") << "fr"
                                         << "3e38" << 6u << QString();
    }
    void inputs() {
        QFETCH(QString, property);
        QFETCH(QString, text);
        QFETCH(uint, error);
        QFETCH(QString, readBack);

        Models models;
        const Property p = models.property(property);
        const QString before = p.get();
        try {
            p.set(text);
            QCOMPARE(0u, error);
            QCOMPARE(p.get(), readBack);
        } catch (const ResonexError& raised) {
            QCOMPARE(uint(raised.number()), error);
            QVERIFY(!raised.source().isEmpty());
            QCOMPARE(p.get(), before); // nothing stored
        }
    }

    void errorTextsOfTheInputs() {
        Models models;
        const auto spacing =
            test::errorOf([&] { models.secondary.setWireSpa(QStringLiteral("-1")); });
        QVERIFY2(spacing, "accepted");
        QCOMPARE(spacing->source(), QStringLiteral("Csecondary::WireSpa"));
        QCOMPARE(spacing->description(), QStringLiteral("Invalid value in wire spacing property"));
        const auto frequency = test::errorOf([&] { models.primary.setFr(QString()); });
        QVERIFY2(frequency, "accepted");
        QCOMPARE(frequency->source(), QStringLiteral("CPrimary::Fr"));
        QCOMPARE(frequency->description(),
                 QStringLiteral("Invalid value in the resonant frequency property"));
        const auto count =
            test::errorOf([&] { models.transformer.setNum(QStringLiteral("99999")); });
        QVERIFY2(count, "accepted");
        QCOMPARE(count->source(), QStringLiteral("CTransformer::Num"));
        QCOMPARE(count->description(), QStringLiteral("Overflow"));
    }

    // In a comma locale entries take the comma, whichever reading stores them,
    // and what a property shows can be entered again unchanged.
    void commaLocaleEntries() {
        QLocale::setDefault(test::commaLocale());
        Models models;
        models.primary.setConDia(QStringLiteral("2,5"));
        QCOMPARE(models.primary.ConDia(), QStringLiteral("2,50"));
        models.secondary.setWireDia(models.secondary.WireDia());
        QCOMPARE(models.secondary.WireDia(), QStringLiteral("0,72"));
        models.primary.setSecSep(QStringLiteral("0,374"));
        QCOMPARE(models.primary.SecSep(), QStringLiteral("0,37"));
        models.primary.setC(QStringLiteral("2,5"));
        QCOMPARE(models.primary.C(), QStringLiteral("2,50"));
        models.transformer.setSecVol(QStringLiteral("12,5"));
        QCOMPARE(models.transformer.SecVol(), QStringLiteral("12,50"));
        QCOMPARE(test::errorNumberOf([&] { models.primary.setConDia(QStringLiteral("2.5")); }),
                 0x80040207u);
        QCOMPARE(test::errorNumberOf([&] { models.secondary.setWireDia(QStringLiteral("0.72")); }),
                 0x80040203u);
    }

    void creationValues() {
        const CSecondary metric(true);
        QCOMPARE(QStringList({metric.Dia(), metric.Height(), metric.WireDia(), metric.WireSpa()}),
                 QStringList({"200.00", "600.00", "0.72", "0.00"}));
        const CSecondary imperial(false);
        QCOMPARE(QStringList(
                     {imperial.Dia(), imperial.Height(), imperial.WireDia(), imperial.WireSpa()}),
                 QStringList({"7.874", "23.622", "0.0283", "0.00"}));
        QCOMPARE(imperial.Turns(), 0.0f);

        const CPrimary metricPrimary(true);
        QCOMPARE(
            QStringList({metricPrimary.C(), metricPrimary.fr(), metricPrimary.SecDia(),
                         metricPrimary.ConDia(), metricPrimary.ConSpa(), metricPrimary.SecSep()}),
            QStringList({"0.00", "0.00", "0.00", "9.50", "9.50", "62.50"}));
        QVERIFY(metricPrimary.CalcsInvalid());
        const CPrimary imperialPrimary(false);
        QCOMPARE(QStringList({imperialPrimary.ConDia(), imperialPrimary.ConSpa(),
                              imperialPrimary.SecSep()}),
                 QStringList({"0.37", "0.37", "2.46"}));

        const CTransformer transformer;
        QCOMPARE(QStringList({transformer.SecVol(), transformer.SecCur(), transformer.Num()}),
                 QStringList({"15.00", "60.00", "1"}));
        QCOMPARE(transformer.C(), 0.0f);
    }

    // --- Secondary calculation ---------------------------------------------------

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
    }

    void secondaryShortCoilHasNegativeToroid() {
        CSecondary secondary(true);
        secondary.setHeight(QStringLiteral("65"));
        secondary.Calculate(true);
        QVERIFY(secondary.TorC() < 0 && secondary.TorC() > -0.02e-12f);
        QVERIFY(secondary.NatFr() < secondary.QuarWaveFr());
        secondary.setHeight(QStringLiteral("66"));
        secondary.Calculate(true);
        QVERIFY(secondary.TorC() > 0);
    }

    void secondaryCloseWoundAndSpaced() {
        CSecondary secondary(true);
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
        const auto e = test::errorOf([&] { secondary.Calculate(true); });
        QVERIFY2(e, "calculated with a zero pitch");
        QCOMPARE(e->number(), 11u);
        QCOMPARE(e->source(), QStringLiteral("CSecondary::Calculate"));
        QCOMPARE(secondary.AspectRatio(), 3.0f);
        QCOMPARE(secondary.Turns(), 7.0f);
        QCOMPARE(secondary.WireLength(), 8.0f);

        CSecondary negative(true);
        test::loadFields(negative, {TaggedValue::single(-600), TaggedValue::single(200)});
        QCOMPARE(test::errorNumberOf([&] { negative.Calculate(true); }), 5u); // (-3)^0.2

        CSecondary huge(true);
        huge.setHeight(QStringLiteral("3e38"));
        huge.setDia(QStringLiteral("1e-3"));
        QCOMPARE(test::errorNumberOf([&] { huge.Calculate(true); }), 6u);
        QCOMPARE(huge.AspectRatio(), 0.0f);
    }

    // --- Transformer -------------------------------------------------------------

    void transformerCapacitance_data() {
        QTest::addColumn<QString>("kv");
        QTest::addColumn<QString>("ma");
        QTest::addColumn<QString>("num");
        QTest::addColumn<bool>("use50Hz");
        QTest::addColumn<QString>("farads");
        QTest::newRow("15 kV 60 mA at 60 Hz") << "15"
                                              << "60"
                                              << "1" << false << "1.06103304e-08";
        QTest::newRow("15 kV 60 mA at 50 Hz") << "15"
                                              << "60"
                                              << "1" << true << "1.27323956e-08";
        QTest::newRow("two 12 kV 30 mA") << "12"
                                         << "30"
                                         << "2" << false << "1.32629117e-08";
        QTest::newRow("one 12 kV 60 mA") << "12"
                                         << "60"
                                         << "1" << false << "1.32629117e-08";
    }
    void transformerCapacitance() {
        QFETCH(QString, kv);
        QFETCH(QString, ma);
        QFETCH(QString, num);
        QFETCH(bool, use50Hz);
        QFETCH(QString, farads);
        CTransformer transformer;
        transformer.setSecVol(kv);
        transformer.setSecCur(ma);
        transformer.setNum(num);
        transformer.CalcCap(use50Hz);
        QCOMPARE(exact(transformer.C()), farads);
    }

    void transformerZeroFromFileDividesByZero() {
        CTransformer transformer;
        transformer.CalcCap(true);
        const float before = transformer.C();
        test::loadFields(transformer, {TaggedValue::single(15), TaggedValue::single(60),
                                       TaggedValue::integer(0)});
        QCOMPARE(test::errorNumberOf([&] { transformer.CalcCap(true); }), 11u);
        QCOMPARE(transformer.C(), before);
    }

    // --- Primary -------------------------------------------------------------------

    void primaryImperialWorkedExample() {
        PrimaryDesign design(false);
        enterImperialExample(design.primary);
        design.calculate();
        QCOMPARE(design.primary.Results(),
                 QStringLiteral("The primary will need to be tapped between turn 9 and turn 10 "
                                "to form a resonant circuit at 250.00kHz"));
        const QStringList lines = design.listing();
        QCOMPARE(lines.size(), 15);
        QVERIFY(!design.primary.LPerTurn().endsWith(u'\n'));
        QCOMPARE(lines[0], QStringLiteral(" Turn  1           0.55uH"));
        QCOMPARE(lines[1], QStringLiteral(" Turn  2           2.04uH"));
        QCOMPARE(lines[8], QStringLiteral(" Turn  9         37.89uH"));
        QCOMPARE(lines[9], QStringLiteral(" Turn  10       47.33uH"));
        QCOMPARE(lines[14], QStringLiteral(" Turn  15     115.30uH"));
        QVERIFY(!design.primary.CalcsInvalid());
        QVERIFY(design.prompts.messages.isEmpty());
    }

    void primaryMetricWorkedExampleTapsTheSameTurns() {
        PrimaryDesign design(true);
        CPrimary& primary = design.primary;
        test::enterPrimary(primary, "0.01", "250", "114.3", "9.5", "9.5", "62.5");
        design.calculate();
        QVERIFY(primary.Results().contains(QStringLiteral("between turn 9 and turn 10 ")));
        QCOMPARE(design.listing()[14], QStringLiteral(" Turn  15     115.31uH"));
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

        PrimaryDesign design(false);
        loadPrimary(design.primary, c, fr);
        design.calculate();
        QVERIFY2(design.primary.Results().contains(QStringLiteral("turn 10 and turn 11")),
                 qPrintable(design.primary.Results()));

        loadPrimary(design.primary, std::nextafter(c, 1.0f), fr); // Lreq one step below
        design.calculate();
        QVERIFY2(design.primary.Results().contains(QStringLiteral("turn 9 and turn 10")),
                 qPrintable(design.primary.Results()));
    }

    // A first turn already above Lreq taps between turn 0 and turn 1; values of
    // seven characters take five spaces, eight or more reuse the line before.
    void primaryLargeCoilListing() {
        PrimaryDesign design(false);
        enterImperialExample(design.primary);
        design.primary.setSecDia(QStringLiteral("2000"));
        design.primary.setConDia(QStringLiteral("1"));
        design.primary.setConSpa(QStringLiteral("1"));
        design.primary.setSecSep(QStringLiteral("1"));
        design.calculate();

        QVERIFY(design.primary.Results().startsWith(
            QStringLiteral("The primary will need to be tapped between turn 0 and turn 1 ")));
        const QStringList lines = design.listing();
        QVERIFY(lines[0].startsWith(QStringLiteral(" Turn  1       125.")));  // 6 chars: 7
        QVERIFY(lines[2].startsWith(QStringLiteral(" Turn  3     1121.")));   // 7 chars: 5
        QVERIFY(lines[8].startsWith(QStringLiteral(" Turn  9     9989.")));   // 7 chars: 5
        QVERIFY(lines[9].startsWith(QStringLiteral(" Turn  10     12312."))); // 8 chars: reuse
    }

    void primaryBeyondFifteenTurns() {
        PrimaryDesign design(true);
        CPrimary& primary = design.primary;
        primary.setLPerTurn(QStringLiteral("old"));
        primary.setResults(QStringLiteral("old"));
        primary.setC(QStringLiteral("0.0001"));
        primary.setFr(QStringLiteral("25"));
        primary.setSecDia(QStringLiteral("200"));
        design.calculate();
        QCOMPARE(
            design.prompts.messages,
            QStringList{QStringLiteral("The primary winding will exceed the limit of 15 turns")});
        QCOMPARE(design.prompts.titles, QStringList{QStringLiteral("Resonex")});
        QCOMPARE(design.prompts.icons.first(), Prompts::Icon::Critical);
        QVERIFY(primary.LPerTurn().isEmpty());
        QVERIFY(primary.Results().isEmpty());
        QVERIFY(!primary.CalcsInvalid());
    }

    // The secondary and transformer are not calculated: taken from them, or
    // left at 0, the frequency or capacitance divides by zero.
    void primaryZeroFrequencyChangesNothing() {
        PrimaryDesign design(true);
        CPrimary& primary = design.primary;
        primary.setLPerTurn(QStringLiteral("listing"));
        primary.setResults(QStringLiteral("sentence"));
        primary.setC(QStringLiteral("0.01"));
        primary.setSecDia(QStringLiteral("200"));
        QCOMPARE(test::errorNumberOf([&] { design.calculate(); }), 11u);
        primary.setFr(QStringLiteral("250"));
        design.settings.setUsePriC(1);
        QCOMPARE(test::errorNumberOf([&] { design.calculate(); }), 11u);
        QCOMPARE(primary.LPerTurn(), QStringLiteral("listing"));
        QCOMPARE(primary.Results(), QStringLiteral("sentence"));
        QVERIFY(primary.CalcsInvalid());
    }

    // Taken from the other models, the values decide the result, while the
    // sentence quotes the frequency text it is given.
    void primaryTakesDesignInformation() {
        PrimaryDesign design(false);
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
};

QTEST_APPLESS_MAIN(ModelsTest)
#include "tst_models.moc"
