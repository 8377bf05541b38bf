#include "core/physics/CoilField.h"
#include "core/physics/PowerSupply.h"
#include "core/results/PowerResultTexts.h"

#include <QtTest>

#include <cmath>

using namespace resonex::physics;
using resonex::PowerResults;

namespace {

// Whether value lies within the relative tolerance of reference.
bool close(double value, double reference, double tolerance) {
    return std::abs(value / reference - 1) < tolerance;
}

const TransformerBank kNst15{15000, 0.060, 60};
const TransformerBank kPole16{16000, 0.200, 50};

double resonantOf(const TransformerBank& bank) {
    return bank.amperes / (2 * 3.14159265358979 * bank.mainsHz * bank.volts);
}

// The 15 kV / 60 mA static example's figures as worked out by hand, with a
// bank of 17 units of 3 kV in one string and a primary no tap reaches.
PowerResults handWorked(double sparkMetres, bool tapInUse) {
    PowerResults r;
    r.tank = {10.61e-9, 16.98e-9, 31.83e-9, 859.44};
    r.capacitance = 10.61e-9;
    r.peakVoltage = 21213;
    r.breaksPerSecond = 120;
    r.bangs = {2.387, 286.5, false};
    r.safetyGapVoltage = 26517;
    r.ratingVoltAmperes = 900;
    r.sparkLength = sparkMetres;
    r.streamerCapacitance = 4.25e-12;
    r.primaryPeakCurrent = 202.57;
    r.tapInUse = tapInUse;
    MmcBank bank;
    bank.offered = {17, 1, 8.824e-9};
    bank.above = bank.offered;
    bank.rating = 17 * 3000;
    bank.energy = 1.985;
    bank.workingVolts = 21213.0 / 17;
    bank.bleederOhms = 2008.46e6;
    bank.bleederWatts = 3000.0 * 3000 / 2008.46e6;
    bank.bleederWorkingWatts = bank.workingVolts * bank.workingVolts / 2008.46e6;
    r.mmc = Solved<MmcBank>(bank);
    return r;
}

} // namespace

class PowerTest : public QObject {
    Q_OBJECT

private slots:
    // Worked by hand from the rules: 15 kV / 60 mA at 60 Hz gives the
    // published 10.6 nF resonant, 16.98 nF LTR for a static gap and 31.83 nF
    // for a synchronous one, where validation/sync_gap.py's lossless bank
    // charges the capacitor to the peak (1.0000 Vpk at each firing) and
    // delivers 0.9549 of its 900 VA: 859.4 W. 16 kV / 200 mA at 50 Hz gives
    // 39.8 nF resonant and 10.2 J a bang at that capacitance.
    void tankCapacitorsAndEnergy() {
        const TankCapacitors nst = tankCapacitors(kNst15, resonantOf(kNst15));
        QVERIFY(close(nst.resonant, 10.61e-9, 1e-3));
        QVERIFY(close(nst.ltrStatic, 16.98e-9, 1e-3));
        QVERIFY(close(nst.ltrSync, 31.83e-9, 1e-3));
        QVERIFY(close(nst.syncWatts, 859.4, 1e-3));
        QCOMPARE(ratingVoltAmperes(kNst15), 900.0);
        QVERIFY(close(peakVoltage(kNst15), 21213, 1e-4));
        const double pole = tankCapacitors(kPole16, resonantOf(kPole16)).resonant;
        QVERIFY(close(pole, 39.79e-9, 1e-3));
        QVERIFY(close(bangs(kPole16, pole, 100).energy, 10.19, 1e-3));
        QVERIFY(nearResonant(1.09 * pole, pole) && nearResonant(0.91 * pole, pole));
        QVERIFY(!nearResonant(1.11 * pole, pole) && !nearResonant(1.6 * pole, pole));
    }

    // Two bangs a mains cycle from a static or synchronous gap; the power at
    // the break rate, no more than the bank's rating, and flagged when capped.
    void breakRateAndPower() {
        QCOMPARE(breaksPerSecond(Gap::Static, 60, 400), 120.0);
        QCOMPARE(breaksPerSecond(Gap::Synchronous, 50, 400), 100.0);
        QCOMPARE(breaksPerSecond(Gap::Asynchronous, 50, 400), 400.0);
        const Bangs some = bangs(kNst15, 16.98e-9, 120);
        QVERIFY(close(some.power, some.energy * 120, 1e-12) && !some.capped);
        const Bangs capped = bangs(kNst15, 16.98e-9, 1000);
        QVERIFY(capped.capped);
        QCOMPARE(capped.power, 15000 * 0.060);
    }

    // Freau's rule: 500 W gives 38 inches; a streamer that long about 3.2 pF;
    // the 900 VA of a 15 kV / 60 mA bank 1.7·30 = 51 in.
    void sparkAndStreamer() {
        QVERIFY(close(sparkLength(500), 0.9655, 1e-3));
        QVERIFY(close(sparkLength(900), 1.2954, 1e-6));
        QVERIFY(close(streamerCapacitance(sparkLength(500)), 3.17e-12, 2e-3));
    }

    // The currents and voltages that follow from a bang.
    void peaks() {
        QVERIFY(close(primaryPeakCurrent(21213, 16e-9, 64e-6), 21213 * 0.015811, 1e-4));
        QVERIFY(close(secondaryPeakVoltageBound(2, 20e-12), std::sqrt(2 * 2 / 20e-12), 1e-12));
        QVERIFY(close(safetyGapVoltage(20000), 25000, 1e-12));
    }

    // 0.15 uF / 2 kV units for 30 nF, twice 21.2 kV: 22 in series; 4 strings
    // give 27.3 nF, 5 give 34.1 nF, and 4 lie nearer on a ratio's scale.
    void mmcWorkedExample() {
        const Solved<MmcBank> bank = mmcBank({0.15e-6, 2000}, 30e-9, 21213, 2);
        QVERIFY(bank);
        QCOMPARE(bank->offered.series, 22);
        QCOMPARE(bank->offered.parallel, 4);
        QCOMPARE(bank->offered.units(), 88);
        QVERIFY(close(bank->offered.capacitance, 27.27e-9, 1e-3));
        QVERIFY(bank->below && bank->below->parallel == 4);
        QCOMPARE(bank->above.parallel, 5);
        QVERIFY(close(bank->above.capacitance, 34.09e-9, 1e-3));
        QCOMPARE(bank->rating, 44000.0);
        QVERIFY(close(bank->energy, 27.27e-9 * 21213 * 21213 / 2, 1e-3));
        // From 2 kV to 50 V in 300 s: R = 300/(C·ln 40); 7.38 mW at 2 kV, and
        // 1.715 mW at the 21213/22 = 964.2 V each unit works at.
        QVERIFY(bank->bleederOhms && close(*bank->bleederOhms, 542.2e6, 1e-3));
        QVERIFY(close(bank->bleederWatts, 7.378e-3, 1e-3));
        QVERIFY(close(bank->workingVolts, 964.2, 1e-4));
        QVERIFY(close(bank->bleederWorkingWatts, 1.715e-3, 1e-3));
    }

    // Fewer strings than one: one string is offered, none below; a unit
    // rated at a safe voltage needs no bleeder; a bank of more units than
    // anyone builds is refused, not worked out.
    void mmcEdges() {
        const Solved<MmcBank> small = mmcBank({0.15e-6, 2000}, 1e-9, 21213, 2);
        QVERIFY(small && !small->below && small->offered.parallel == 1);
        QVERIFY(!mmcBank({1e-6, 40}, 1e-9, 30, 1)->bleederOhms);
        QCOMPARE(mmcBank({1e-9, 100}, 1e-6, 21213, 2).why(), Unsolved::TooManyUnits);
        QCOMPARE(mmcBank({1e-6, 1}, 1e-6, 1e9, 2).why(), Unsolved::TooManyUnits);
    }

    // The power side's lines: units written straight after the number, as
    // the classic summary writes them; the spark length to the nearest 10 mm
    // or half inch; a string alone singular; a resistor in GOhm beyond a
    // thousand MOhm; the bleeder's power at the rating and at work; the
    // primary's current named for the inductance it needs when no tap
    // reaches it.
    void powerTexts_data() {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<double>("spark");
        QTest::addColumn<bool>("tapInUse");
        QTest::addColumn<QString>("line");
        const auto row = [](const char* name, bool metric, bool comma, double spark, bool tap,
                            const char* line) {
            QTest::newRow(name) << metric << comma << spark << tap << QString::fromUtf8(line);
        };
        row("spark mm", true, false, 1.2954, false,
            "Spark length by Freau's rule : 1300mm, at the 900.00VA the bank draws (its rating)");
        row("spark 730 mm", true, false, 0.7308, false,
            "Spark length by Freau's rule : 730mm, at the 900.00VA the bank draws (its rating)");
        row("spark in", false, false, 1.2954, false,
            "Spark length by Freau's rule : 51.0in, at the 900.00VA the bank draws (its rating)");
        row("spark half in", false, true, 0.72, false,
            "Spark length by Freau's rule : 28,5in, at the 900,00VA the bank draws (its rating)");
        row("sync", true, false, 1, false,
            "For a synchronous rotary gap (charged to the peak) : 31.83nF");
        row("sync draw", true, true, 1, false,
            "Power the bank then delivers (lossless model) : 859,44W, 95% of its 900,00VA rating");
        row("voltage", true, false, 1, false, "Peak voltage : 21.21kV");
        row("streamer", true, false, 1, false, "Streamer capacitance (1pF per foot) : 4.25pF");
        row("one string", true, false, 1, false,
            "Capacitor bank offered (nearest the tank capacitor) : 17 in series x 1 string = 17 "
            "units, 8.82nF");
        row("bleeder", true, false, 1, false,
            "Bleed resistor per unit (below 50V in 5 minutes) : 2.01GOhm; 4.48mW at the unit's "
            "3.00kV rating, 0.78mW at its 1.25kV working voltage");
        row("no tap", true, false, 1, false,
            "Primary peak current at the inductance the primary needs (no tap reaches it) : "
            "202.57A");
        row("tap", true, false, 1, true, "Primary peak current at the tap in use : 202.57A");
    }
    void powerTexts() {
        QFETCH(bool, metric);
        QFETCH(bool, comma);
        QFETCH(double, spark);
        QFETCH(bool, tapInUse);
        QFETCH(QString, line);
        QLocale::setDefault(comma ? QLocale(QLocale::German, QLocale::Germany)
                                  : QLocale(QLocale::English, QLocale::UnitedStates));
        QStringList shown;
        for (const resonex::FigureLine& each :
             resonex::powerResultLines(handWorked(spark, tapInUse), metric))
            shown << each.label + QStringLiteral(" : ") + each.value;
        QLocale::setDefault(QLocale::c());
        QVERIFY2(shown.contains(line), qPrintable(shown.join(u'\n')));
    }

    // A streamer's capacitance at the top lowers the loaded frequency, with a
    // top load or without, and none leaves it as it was.
    void runningFrequency() {
        const Solved<WindingSolution> coil = WindingSolution::of({0.2, 0.6, 800, 0.5});
        const TopLoad toroid{Shape::Toroid, 0.3, 0.075, 0.05};
        for (const TopLoad& top : {TopLoad{}, toroid}) {
            const double loaded = coil->resonance(top)->loadedHz;
            QVERIFY(close(*coil->loadedHzWith(top, 0), loaded, 1e-12));
            const double running = *coil->loadedHzWith(top, 3e-12);
            QVERIFY(running < loaded && running > 0.8 * loaded);
            // Lumped at the top, the streamer adds about its own capacitance
            // to the coil's effective one.
            const double inductance = coil->resonance(top)->inductance;
            const auto effective = [&](double hz) {
                return 1 / (std::pow(2 * 3.14159265358979 * hz, 2) * inductance);
            };
            QVERIFY(close(effective(running) - effective(loaded), 3e-12, 0.1));
        }
    }
};

QTEST_APPLESS_MAIN(PowerTest)
#include "tst_power.moc"
