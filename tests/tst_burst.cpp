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
    const double k2 =
        c.mutualInductance * c.mutualInductance / (c.primaryInductance * c.secondaryInductance);
    const double root = std::sqrt((a + s) * (a + s) - 4 * (1 - k2) * a * s);
    return {std::sqrt((a + s - root) / (2 * (1 - k2))) / (2 * kPi),
            std::sqrt((a + s + root) / (2 * (1 - k2))) / (2 * kPi)};
}

void near(double got, double want, double tolerance, const char* what) {
    if (!(std::abs(got - want) <= tolerance * std::abs(want)))
        QFAIL(qPrintable(QStringLiteral("%1: %2, want %3")
                             .arg(what)
                             .arg(got, 0, 'g', 15)
                             .arg(want, 0, 'g', 15)));
}

// The burst stepped apart from the modes: the loop equations in SI units
// integrated by the classical Runge–Kutta rule (fourth order), each event
// closed in on by halving the step that crosses it. The bridge's voltage u
// enters the primary loop,
//   L1 i1' + M i2' = v1 + u - R1 i1,  M i1' + L2 i2' = -v2 - R2 i2,
//   C1 v1' = -i1,  C2 v2' = i2 - v2/Rs;
// with the primary open, i1 = 0 and L2 i2' = -v2 - R2 i2. At i1 = 0 the
// first two give (L1 - M²/L2)·i1' = v1 + u + (M/L2)·(v2 + R2 i2) = E + u,
// so the diodes (u = -V·s against a current of sign s) conduct while |E| > V.
class Stepped {
public:
    Stepped(const BurstCircuit& b, double onTime) : m_c(b.coil), m_v(applied(b)), m_on(onTime) {}

    // Runs to `end`; the figures the modes give, to compare.
    void run(double end) {
        const double dt = 1 / (kF1 * 4000);
        std::array<double, 4> y{}; // v1, i1, i2, v2
        double t = 0;
        int dir = 1;
        enum { Driving, Diodes, Open } phase = Driving;
        while (t < end) {
            double h = std::min(dt, (phase == Driving ? m_on : end) - t);
            const double u = phase == Driving ? dir * m_v : phase == Diodes ? -dir * m_v : 0;
            const bool open = phase == Open;
            // The event that ends this phase, as a function of the state.
            const auto crossed = [&](const std::array<double, 4>& x) {
                return open ? std::abs(drive(x)) > m_v : dir * x[1] < 0;
            };
            std::array<double, 4> next = step(y, h, u, open);
            if (crossed(next)) {
                double low = 0;
                double high = h;
                for (int i = 0; i < 60; ++i) {
                    const double mid = (low + high) / 2;
                    (crossed(step(y, mid, u, open)) ? high : low) = mid;
                }
                h = high;
                next = step(y, h, u, open);
                if (!open) {
                    next[1] = 0;
                    returned +=
                        phase == Diodes ? m_c.tankCapacitance * dir * m_v * (y[0] - next[0]) : 0;
                }
                peak = std::max(peak, std::abs(next[1]));
                y = next;
                t += h;
                if (open) {
                    phase = Diodes;
                    dir = drive(y) < 0 ? -1 : 1;
                } else if (phase == Driving) {
                    dir = -dir;
                } else if (std::abs(drive(y)) > m_v) {
                    dir = drive(y) < 0 ? -1 : 1;
                } else {
                    phase = Open;
                    opening = t;
                }
                continue;
            }
            if (phase == Diodes)
                returned += m_c.tankCapacitance * dir * m_v * (y[0] - next[0]);
            peak = std::max(peak, std::abs(next[1]));
            y = next;
            t += h;
            if (phase == Driving && t >= m_on) {
                phase = Diodes;
                dir = y[1] < 0 ? -1 : 1;
            }
        }
    }
    double opening = 0;
    double returned = 0;
    double peak = 0;

private:
    double drive(const std::array<double, 4>& x) const {
        return x[0] + m_c.mutualInductance / m_c.secondaryInductance *
                          (x[3] + m_c.secondaryResistance * x[2]);
    }
    std::array<double, 4> slope(const std::array<double, 4>& x, double u, bool open) const {
        const double l1 = m_c.primaryInductance;
        const double l2 = m_c.secondaryInductance;
        const double m = m_c.mutualInductance;
        const double g = m_c.streamerResistance ? 1 / *m_c.streamerResistance : 0;
        const double e1 = x[0] + u - m_c.primaryResistance * x[1];
        const double e2 = -x[3] - m_c.secondaryResistance * x[2];
        const double det = l1 * l2 - m * m;
        const double di1 = open ? 0 : (l2 * e1 - m * e2) / det;
        const double di2 = open ? e2 / l2 : (l1 * e2 - m * e1) / det;
        return {-x[1] / m_c.tankCapacitance, di1, di2,
                (x[2] - g * x[3]) / m_c.secondaryCapacitance};
    }
    std::array<double, 4> step(const std::array<double, 4>& y, double h, double u,
                               bool open) const {
        const auto add = [](std::array<double, 4> a, const std::array<double, 4>& b, double f) {
            for (int i = 0; i < 4; ++i)
                a[i] += f * b[i];
            return a;
        };
        const auto k1 = slope(y, u, open);
        const auto k2 = slope(add(y, k1, h / 2), u, open);
        const auto k3 = slope(add(y, k2, h / 2), u, open);
        const auto k4 = slope(add(y, k3, h), u, open);
        std::array<double, 4> next = y;
        for (int i = 0; i < 4; ++i)
            next[i] += h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        return next;
    }
    BangCircuit m_c;
    double m_v;
    double m_on;
};

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
    void againstStepping_data();
    void againstStepping();
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
    QCOMPARE(w.size(),
             static_cast<std::size_t>(
                 std::floor(n * kT1 / (1 / (40 * kF1)) + 2 * (kF1 / kSecondaryF) * 40 + 1e-6) + 1));
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

// Coupled, the secondary's voltage and current enter the diodes' turn at
// each zero through M (E above): the modes' burst against the stepped one,
// the primary's opening (and its re-openings with it) and the energy
// returned to 1e-6.
void BurstTest::againstStepping_data() {
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("onTime");
    QTest::addColumn<double>("streamer"); // ohms, 0: none
    QTest::addRow("k 0.3, 20 us") << 0.3 << 20e-6 << 0.0;
    QTest::addRow("k 0.1, 50 us") << 0.1 << 50e-6 << 0.0;
    QTest::addRow("k 0.3, 100 us, streamer") << 0.3 << 100e-6 << 100e3;
}

void BurstTest::againstStepping() {
    QFETCH(double, k);
    QFETCH(double, onTime);
    QFETCH(double, streamer);
    BurstCircuit b = coil(kTune, k);
    b.coil.primaryResistance = 0.05;
    b.coil.secondaryResistance = 100;
    if (streamer > 0)
        b.coil.streamerResistance = streamer;
    const Solved<Burst> burst = Burst::drive(b, {onTime, std::nullopt, 40});
    QVERIFY(burst);
    const BurstFigures& f = burst->figures();
    Stepped stepped(b, onTime);
    stepped.run(f.primaryOpenTime + 30 / kSecondaryF);
    near(f.primaryOpenTime, stepped.opening, 1e-6, "opening");
    near(f.returnedJoules, stepped.returned, 1e-6, "returned");
    near(f.primaryPeakAmps, stepped.peak, 1e-6, "peak");
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
