#include "core/physics/Burst.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace resonex::physics;

Q_DECLARE_METATYPE(BurstCircuit)

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kBus = 350;
constexpr double kTank = 0.15e-6;
constexpr double kSecondaryL = 30e-3;
constexpr double kSecondaryF = 200e3;

double omega(double f) { return 2 * kPi * f; }

// A coil of a 200 kHz, 30 mH secondary and a 0.15 µF tank, its primary tuned
// to `tune` times the secondary's frequency, coupled by k, lossless unless
// told. Uncoupled, the secondary stays at rest.
BurstCircuit coil(double tune, double k, bool full = true) {
    BurstCircuit b;
    BangCircuit& c = b.coil;
    c.tankCapacitance = kTank;
    const double w1 = tune * omega(kSecondaryF);
    c.primaryInductance = 1 / (w1 * w1 * kTank);
    c.secondaryInductance = kSecondaryL;
    c.secondaryCapacitance = 1 / (omega(kSecondaryF) * omega(kSecondaryF) * kSecondaryL);
    c.mutualInductance = k * std::sqrt(c.primaryInductance * kSecondaryL);
    b.busVolts = kBus;
    b.fullBridge = full;
    return b;
}

// The uncoupled primary at 180 kHz (the secondary, elsewhere, stays at rest).
constexpr double kTune = 0.9;
const double kF1 = kTune * kSecondaryF;
const double kT1 = 1 / kF1;

double applied(const BurstCircuit& b) { return b.fullBridge ? b.busVolts : b.busVolts / 2; }
double impedance(const BurstCircuit& b) {
    return std::sqrt(b.coil.primaryInductance / b.coil.tankCapacitance);
}

// The modes of the lossless pair: w² the roots of
// (1 - k²)·w⁴ - (w1² + w2²)·w² + w1²·w2² = 0 (the coupled circuits' classical
// frequency equation), in Hz, lower first.
std::pair<double, double> modesHz(const BurstCircuit& b) {
    const BangCircuit& c = b.coil;
    const double a = 1 / (c.primaryInductance * c.tankCapacitance);
    const double s = 1 / (c.secondaryInductance * c.secondaryCapacitance);
    const double k2 = c.mutualInductance * c.mutualInductance /
                      (c.primaryInductance * c.secondaryInductance);
    const double root = std::sqrt((a + s) * (a + s) - 4 * (1 - k2) * a * s);
    return {std::sqrt((a + s - root) / (2 * (1 - k2))) / (2 * kPi),
            std::sqrt((a + s + root) / (2 * (1 - k2))) / (2 * kPi)};
}

void near(double got, double want, double tolerance, const char* what) {
    if (!(std::abs(got - want) <= tolerance * std::abs(want)))
        QFAIL(qPrintable(QStringLiteral("%1: %2, want %3").arg(what).arg(got, 0, 'g', 15).arg(
            want, 0, 'g', 15)));
}

} // namespace

class BurstTest : public QObject {
    Q_OBJECT

private slots:
    void wholeHalfCycles_data();
    void wholeHalfCycles();
    void steadyState_data();
    void steadyState();
    void currentLimit_data();
    void currentLimit();
    void energyBalance_data();
    void energyBalance();
    void lock_data();
    void lock();
    void outOfRange_data();
    void outOfRange();
};

// Lossless and uncoupled, driven for n whole half cycles: by hand, the n-th
// driven half cycle starts with the tank at 2(n-1)·V against a rest at -V
// (or +V), so it swings by (2n-1)·V about it, the current peaking at
// (2n-1)·V/Z in the middle and the tank ending at 2n·V. After the stop the
// diodes' rest lies on the tank's own side: each half cycle's swing is 2V
// less, the peaks (2n-1, 2n-3, ... 1)·V/Z, and after n of them the tank is
// empty and the primary opens. Drawn: V·C1·(2V + 4V + ...) = 2n²·V²·C1, all
// of it returned.
void BurstTest::wholeHalfCycles_data() {
    QTest::addColumn<bool>("full");
    QTest::addColumn<int>("n");
    for (const bool full : {true, false})
        for (const int n : {1, 2, 5, 12})
            QTest::addRow("%s bridge, %d half cycles", full ? "full" : "half", n) << full << n;
}

void BurstTest::wholeHalfCycles() {
    QFETCH(bool, full);
    QFETCH(int, n);
    const BurstCircuit b = coil(kTune, 0, full);
    const double v = applied(b);
    const double z = impedance(b);
    const Solved<Burst> burst = Burst::drive(b, {n * kT1 / 2, std::nullopt, 40});
    QVERIFY(burst);
    const BurstFigures& f = burst->figures();
    near(f.primaryPeakAmps, (2 * n - 1) * v / z, 1e-9, "peak");
    near(f.tankPeakVolts, 2 * n * v, 1e-9, "tank");
    near(f.drawnJoules, 2.0 * n * n * v * v * kTank, 1e-9, "drawn");
    near(f.returnedJoules, f.drawnJoules, 1e-9, "returned");
    QVERIFY(std::abs(f.leftJoules) < 1e-9 * f.drawnJoules);
    QCOMPARE(f.dissipatedJoules, 0.0);
    QVERIFY(!f.limited);
    near(f.stopTime, n * kT1 / 2, 1e-9, "stop");
    near(f.primaryOpenTime, n * kT1, 1e-9, "opening");
    // The lock over the last two whole cycles driven, when there are two.
    QCOMPARE(f.lockHz > 0, n >= 4);
    if (n >= 4)
        near(f.lockHz, kF1, 1e-9, "lock");
    // Every half cycle's peak, driven and after, on its sample (40 a cycle:
    // the m-th half cycle's middle is sample 10·(2m - 1)).
    const std::vector<BurstSample>& w = burst->waveform();
    QCOMPARE(w.size(), static_cast<std::size_t>(
                           std::floor(n * kT1 / (1 / (40 * kF1)) +
                                      2 * (kF1 / kSecondaryF) * 40 + 1e-6) +
                           1));
    for (int m = 1; m <= 2 * n; ++m) {
        const int up = m <= n ? 2 * m - 1 : 2 * (2 * n - m) + 1;
        const double sign = m % 2 == 1 ? 1 : -1;
        near(w[10 * (2 * m - 1)].primaryAmps, sign * up * v / z, 1e-9, "half cycle's peak");
        QCOMPARE(w[10 * (2 * m - 1)].topVolts, 0.0);
    }
    QCOMPARE(w.back().primaryAmps, 0.0);
}

// With losses, uncoupled: a half cycle from a current zero with the tank's
// excess over its rest x ends with -x·e, e = exp(-alpha·pi/wd) (the series
// circuit's step response: zeros of the current pi/wd apart). Starting at
// +A against a rest at -V, it ends at -V - (A + V)·e, which is -A in the
// switched steady state: A = V·(1 + e)/(1 - e). Its current,
// (A + V)/(wd·L)·exp(-alpha·t)·sin(wd·t), peaks where tan(wd·t) = wd/alpha.
void BurstTest::steadyState_data() {
    QTest::addColumn<bool>("full");
    QTest::addColumn<double>("q");
    for (const bool full : {true, false})
        for (const double q : {5.0, 20.0, 60.0})
            QTest::addRow("%s bridge, Q %g", full ? "full" : "half", q) << full << q;
}

void BurstTest::steadyState() {
    QFETCH(bool, full);
    QFETCH(double, q);
    BurstCircuit b = coil(kTune, 0, full);
    const double l = b.coil.primaryInductance;
    b.coil.primaryResistance = omega(kF1) * l / q;
    const double alpha = b.coil.primaryResistance / (2 * l);
    const double wd = std::sqrt(omega(kF1) * omega(kF1) - alpha * alpha);
    const double e = std::exp(-alpha * kPi / wd);
    const double v = applied(b);
    const double a = v * (1 + e) / (1 - e);
    // Long enough for the start's e^n to fall below 1e-8, ended at a zero.
    const int n = static_cast<int>(std::ceil(std::log(1e-8) / std::log(e)));
    const Solved<Burst> burst = Burst::drive(b, {n * kPi / wd, std::nullopt, 40});
    QVERIFY(burst);
    near(burst->figures().tankPeakVolts, a, 1e-6, "steady tank");
    const double top = std::atan(wd / alpha) / wd;
    near(burst->figures().primaryPeakAmps,
         (a + v) / (wd * l) * std::exp(-alpha * top) * std::sin(wd * top), 1e-6, "steady peak");
}

// Uncoupled and lossless, the current limit between the second half cycle's
// peak 3V/Z and the first's V/Z: reached at T/2 + asin(c/3)/w1 for a limit of
// c·V/Z; a limit above every peak leaves the on-time to stop the burst.
void BurstTest::currentLimit_data() {
    QTest::addColumn<bool>("full");
    QTest::addColumn<double>("times");
    QTest::addColumn<double>("stop"); // in primary cycles
    const double reach = 0.5 + std::asin(2.5 / 3) / (2 * kPi);
    QTest::addRow("full bridge, 2.5 V/Z") << true << 2.5 << reach;
    QTest::addRow("half bridge, 2.5 V/Z") << false << 2.5 << reach;
    QTest::addRow("full bridge, never reached") << true << 100.0 << 1.5;
}

void BurstTest::currentLimit() {
    QFETCH(bool, full);
    QFETCH(double, times);
    QFETCH(double, stop);
    const BurstCircuit b = coil(kTune, 0, full);
    const double limit = times * applied(b) / impedance(b);
    const Solved<Burst> burst = Burst::drive(b, {1.5 * kT1, limit, 40});
    QVERIFY(burst);
    const BurstFigures& f = burst->figures();
    QCOMPARE(f.limited, times < 3);
    near(f.stopTime, stop * kT1, 1e-9, "stop");
    // Stopped at 56° of the half cycle, the tank's excess over the new rest
    // (3V·cos 56° - 2V) is against the current: it falls from the limit on.
    if (f.limited)
        near(f.primaryPeakAmps, limit, 1e-9, "peak at the limit");
}

// Losses, the coupled secondary and its streamer: what the bus gave less
// what it took back is the resistances' heat and what is left, to 1e-9 of
// the energy drawn.
void BurstTest::energyBalance_data() {
    QTest::addColumn<double>("k");
    QTest::addColumn<bool>("full");
    QTest::addColumn<double>("streamer"); // ohms, 0: none
    QTest::addColumn<double>("limit");    // amperes, 0: none
    QTest::addColumn<double>("onTime");
    QTest::addRow("k 0.15, 100 us") << 0.15 << true << 0.0 << 0.0 << 100e-6;
    QTest::addRow("k 0.15, streamer 200 kohm") << 0.15 << true << 200e3 << 0.0 << 150e-6;
    QTest::addRow("k 0.2, half bridge, limit") << 0.2 << false << 100e3 << 100.0 << 300e-6;
    QTest::addRow("k 0.1, heavy streamer") << 0.1 << true << 5e3 << 0.0 << 80e-6;
}

void BurstTest::energyBalance() {
    QFETCH(double, k);
    QFETCH(bool, full);
    QFETCH(double, streamer);
    QFETCH(double, limit);
    QFETCH(double, onTime);
    BurstCircuit b = coil(kTune, k, full);
    b.coil.primaryResistance = 0.05;
    b.coil.secondaryResistance = 100;
    if (streamer > 0)
        b.coil.streamerResistance = streamer;
    const Solved<Burst> burst =
        Burst::drive(b, {onTime, limit > 0 ? std::optional(limit) : std::nullopt, 40});
    QVERIFY(burst);
    const BurstFigures& f = burst->figures();
    QVERIFY(f.drawnJoules > 0);
    QVERIFY(f.returnedJoules > 0);
    QVERIFY(f.primaryOpenTime > f.stopTime);
    QCOMPARE(f.limited, limit > 0);
    near(f.drawnJoules - f.returnedJoules, f.dissipatedJoules + f.leftJoules, 1e-9,
         "drawn - returned");
    // The primary's share of the heat.
    QVERIFY(b.coil.primaryResistance * f.primarySquareIntegral < f.dissipatedJoules);
    QVERIFY(f.secondaryPeakVolts > 0);
}

// A typical coil, its primary tuned 10 % low: the bridge, following the
// primary current, locks within a percent of the lower coupled mode (the
// primary's own mode, pulled down), not the upper.
void BurstTest::lock_data() {
    QTest::addColumn<double>("k");
    for (const double k : {0.1, 0.15, 0.2})
        QTest::addRow("k %g", k) << k;
}

void BurstTest::lock() {
    QFETCH(double, k);
    BurstCircuit b = coil(kTune, k);
    b.coil.primaryResistance = 0.05;
    b.coil.secondaryResistance = 100;
    const Solved<Burst> burst = Burst::drive(b, {150e-6, std::nullopt, 40});
    QVERIFY(burst);
    const auto [lower, upper] = modesHz(b);
    near(burst->figures().lockHz, lower, 0.01, "lock on the lower mode");
    QVERIFY(std::abs(burst->figures().lockHz - upper) > 0.05 * upper);
}

void BurstTest::outOfRange_data() {
    QTest::addColumn<BurstCircuit>("circuit");
    QTest::addColumn<double>("onTime");
    QTest::addColumn<double>("limit"); // 0: none
    QTest::addColumn<int>("points");
    const BurstCircuit good = coil(kTune, 0.15);
    BurstCircuit b = good;
    b.busVolts = 0;
    QTest::addRow("no bus") << b << 1e-4 << 0.0 << 40;
    b.busVolts = -350;
    QTest::addRow("negative bus") << b << 1e-4 << 0.0 << 40;
    b.busVolts = std::nan("");
    QTest::addRow("bus not a number") << b << 1e-4 << 0.0 << 40;
    QTest::addRow("no on-time") << good << 0.0 << 0.0 << 40;
    QTest::addRow("negative limit") << good << 1e-4 << -5.0 << 40;
    QTest::addRow("no samples") << good << 1e-4 << 0.0 << 0;
    b = good;
    b.coil.mutualInductance = std::sqrt(b.coil.primaryInductance * kSecondaryL);
    QTest::addRow("k of 1") << b << 1e-4 << 0.0 << 40;
    b = good;
    b.coil.tankCapacitance = 0;
    QTest::addRow("no tank") << b << 1e-4 << 0.0 << 40;
    b = good;
    b.coil.streamerResistance = 0;
    QTest::addRow("streamer of 0 ohm") << b << 1e-4 << 0.0 << 40;
    // Two identical resonators uncoupled: no modal solution.
    QTest::addRow("twins uncoupled") << coil(1, 0) << 1e-4 << 0.0 << 40;
}

void BurstTest::outOfRange() {
    QFETCH(BurstCircuit, circuit);
    QFETCH(double, onTime);
    QFETCH(double, limit);
    QFETCH(int, points);
    const BurstRun run{onTime, limit != 0 ? std::optional(limit) : std::nullopt, points};
    const Solved<Burst> burst = Burst::drive(circuit, run);
    QVERIFY(!burst);
    QCOMPARE(burst.why(), Unsolved::OutOfRange);
}

QTEST_APPLESS_MAIN(BurstTest)
#include "tst_burst.moc"
