#include "core/physics/CoilField.h"
#include "core/physics/PowerSupply.h"

#include <QtTest>

#include <cmath>

using namespace resonex::physics;

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

} // namespace

class PowerTest : public QObject {
    Q_OBJECT

private slots:
    // Worked by hand from the rules: 15 kV / 60 mA at 60 Hz gives the
    // published 10.6 nF resonant, 16.98 nF LTR for a static gap and 21.2 nF
    // for a synchronous one; 16 kV / 200 mA at 50 Hz gives 39.8 nF resonant
    // and 10.2 J a bang at that capacitance.
    void tankCapacitorsAndEnergy() {
        const TankCapacitors nst = tankCapacitors(kNst15, resonantOf(kNst15));
        QVERIFY(close(nst.resonant, 10.61e-9, 1e-3));
        QVERIFY(close(nst.ltrStatic, 16.98e-9, 1e-3));
        QVERIFY(close(nst.ltrSync, 21.22e-9, 1e-3));
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

    // Freau's rule: 500 W gives 38 inches; a streamer that long about 3.2 pF.
    void sparkAndStreamer() {
        QVERIFY(close(sparkLength(500), 0.9655, 1e-3));
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
        // From 2 kV to 50 V in 300 s: R = 300/(C·ln 40).
        QVERIFY(bank->bleederOhms && close(*bank->bleederOhms, 542.2e6, 1e-3));
        QVERIFY(close(bank->bleederWatts, 2000.0 * 2000 / 542.2e6, 1e-3));
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
