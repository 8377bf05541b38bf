#include "core/physics/Bang.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

// The coupled pair in its scaled state, solved exactly by its modes, and the
// events sought on that solution: CoupledPair.cpp. tests/tst_bang.cpp
// measures the whole against closed forms to rounding (1e-12 or better).
//
// Lossless and tuned (a = 1), the modes are w0/sqrt(1 ± k) (the classical
// double-tuned circuit: F. E. Terman, "Radio Engineers' Handbook", 1943,
// sec. 3 on coupled circuits), the tank voltage V0/2·(cos wl t + cos wu t):
// its envelope's first zero, at t = 1/(2(fu - fl)), finds the primary current
// zero as well (all the energy in the secondary) when wu/wl = (m+1)/m, i.e.
// (1+k)/(1-k) = ((m+1)/m)², k = (2m+1)/(2m²+2m+1): 0.6, 0.385, 0.28, ...
// That is A. C. M. de Queiroz's k = (b²-a²)/(b²+a²), modes in the integer
// ratio a:b with b-a odd, for complete transfer (Tesla Coil Mailing List,
// April 2000, pupman.com/listarchives/2000/April/msg00367.html), with b = a+1.
// The notches are the minima of the primary current's envelope, where the
// energy stands in the secondary and the gap should stop (de Queiroz, same
// list, July 1998, msg00451).
namespace resonex::physics {

namespace {

using pair::Complex;
using pair::kEventTolerance;
using pair::kScanPerPeriod;
using pair::Matrix;
using pair::Vector;

// The quench's search steps in each period of the fastest mode, closer than
// the other events' after a notch, where its current zero may lie near
// another.
constexpr int kQuenchScanPerPeriod = 64;
// A current zero this little (in primary cycles) before the notch counts as
// at it: with complete transfer the two coincide, and rounding may put either
// first.
constexpr double kQuenchBeforeNotch = 1e-6;
// A notch's envelope (squared) lies this far below the firing's at least.
constexpr double kBelowFiring = 1 - 1e-6;

// The primary current's analytic signal and its slope: each oscillating
// mode's positive-frequency part twice, each real one once. Its modulus is
// the current's envelope, whose minima are the notches.
std::pair<Complex, Complex> analyticCurrent(const Bang::Stretch& stretch, double tau) {
    Complex z = 0;
    Complex dz = 0;
    for (const Bang::Mode& mode : stretch.modes) {
        const Complex term =
            mode.weight * mode.amplitude[1] * std::exp(mode.rate * (tau - stretch.origin));
        z += term;
        dz += mode.rate * term;
    }
    return {z, dz};
}

// The largest |component i| over a stretch under the matrix a.
double peakOf(const Bang::Stretch& stretch, const Matrix& a, int i, double from, double to,
              double step, double tolerance) {
    const auto slope = [&](double t) { return pair::slopeOf(a, stretch.at(t), i); };
    return pair::peakOf(stretch, slope, i, from, to, step, tolerance).value;
}

} // namespace

Solved<Bang> Bang::fire(const BangCircuit& c, const BangRun& run) {
    if (!std::isfinite(c.tankVolts) || !pair::positive(run.primaryCycles) ||
        run.pointsPerCycle < 1 || (run.quenchNotch && *run.quenchNotch < 1))
        return Unsolved::OutOfRange;
    const std::optional<pair::PairMatrices> matrices = pair::pairMatrices(
        c.tankCapacitance, c.primaryInductance, c.primaryResistance, c.secondaryInductance,
        c.secondaryCapacitance, c.secondaryResistance, c.mutualInductance, c.streamerResistance);
    if (!matrices)
        return Unsolved::OutOfRange;

    Bang bang;
    bang.m_coupling = matrices->k;
    bang.m_scale = matrices->scale;
    const double w2 = matrices->omega;
    bang.m_omega = w2;
    const double a = matrices->a;
    const double q = matrices->q;
    const double g = matrices->g;
    const Matrix& firing = matrices->coupled;
    const Vector start{bang.m_scale[0] * c.tankVolts, 0, 0, 0};
    std::optional<Stretch> modes = pair::modesOf(firing, 4, 0, start, 0);
    if (!modes)
        return Unsolved::OutOfRange;
    bang.m_firing = std::move(*modes);

    // The primary's own period and the fastest mode's, in tau.
    const double cycle = 2 * std::numbers::pi / a;
    double fastest = 0;
    for (const Mode& mode : bang.m_firing.modes)
        fastest = std::max(fastest, std::abs(mode.rate.imag()));
    const double period = fastest > 0 ? 2 * std::numbers::pi / fastest : cycle;
    const double scan = std::min(period, cycle) / kScanPerPeriod;
    const double tolerance = kEventTolerance * std::min(period, cycle);
    bang.m_end = run.primaryCycles * cycle;
    bang.m_sampleStep = cycle / run.pointsPerCycle;
    bang.m_quench = std::numeric_limits<double>::infinity();
    BangFigures& figures = bang.m_figures;

    // The notches: the envelope's slope (of its square) turning from falling
    // to rising, the envelope there below its value at the firing. (An
    // overdamped primary's current rises from 0 without a turn: its envelope
    // starts at its least, which is no notch.)
    {
        const auto slope = [&](double tau) {
            const auto [z, dz] = analyticCurrent(bang.m_firing, tau);
            return 2 * (dz * std::conj(z)).real();
        };
        const double atFiring = std::norm(analyticCurrent(bang.m_firing, 0).first);
        double tau = 0;
        double before = slope(0);
        while (tau < bang.m_end) {
            const double next = std::min(tau + scan, bang.m_end);
            const double after = slope(next);
            const double notch =
                before < 0 && after >= 0 ? pair::rootBetween(slope, tau, next, tolerance) : 0;
            if (notch > 0 &&
                std::norm(analyticCurrent(bang.m_firing, notch).first) < kBelowFiring * atFiring) {
                figures.notches.push_back(notch);
                if (run.quenchNotch && static_cast<int>(figures.notches.size()) == *run.quenchNotch)
                    break;
            }
            tau = next;
            before = after;
        }
    }
    // The quench: the primary current's first zero from the notch on.
    if (run.quenchNotch && static_cast<int>(figures.notches.size()) == *run.quenchNotch) {
        const auto current = [&](double tau) { return bang.m_firing.at(tau)[1]; };
        const double fine = std::min(period, cycle) / kQuenchScanPerPeriod;
        double tau = std::max(0.0, figures.notches.back() - kQuenchBeforeNotch * cycle);
        double before = current(tau);
        while (tau < bang.m_end) {
            const double next = std::min(tau + fine, bang.m_end);
            const double after = current(next);
            if (before == 0 || (before < 0) != (after < 0)) {
                bang.m_quench =
                    before == 0 ? tau : pair::rootBetween(current, tau, next, tolerance);
                break;
            }
            tau = next;
            before = after;
        }
    }
    // The primary current's peak while the gap conducts.
    const double conducting = std::min(bang.m_quench, bang.m_end);
    figures.primaryPeakAmps =
        peakOf(bang.m_firing, firing, 1, 0, conducting, scan, tolerance) / bang.m_scale[1];

    const Matrix& alone = matrices->alone;
    const std::vector<Complex> own = pair::roots(pair::characteristic(alone, 2), 2);
    double slowest = std::numeric_limits<double>::infinity();
    for (const Complex& s : own)
        slowest = std::min(slowest, -s.real());
    figures.ringDownSeconds =
        slowest > 0 ? 1 / (slowest * w2) : std::numeric_limits<double>::infinity();
    figures.secondaryQ =
        q + g > 0 ? std::sqrt(1 + q * g) / (q + g) : std::numeric_limits<double>::infinity();

    double topPeak = peakOf(bang.m_firing, firing, 3, 0, conducting, scan, tolerance);
    if (bang.m_quench <= bang.m_end) {
        Vector at = bang.m_firing.at(bang.m_quench);
        const double total = 0.5 * start[0] * start[0];
        figures.quench = BangQuench{
            bang.m_quench / w2, 0.5 * (at[2] * at[2] + at[3] * at[3]) / total, 0.5 * at[0] * at[0]};
        std::optional<Stretch> ringing = pair::modesOf(alone, 2, 2, at, bang.m_quench);
        if (!ringing)
            return Unsolved::OutOfRange;
        // The tank keeps its charge, the primary's current stays 0: a mode of
        // rate 0.
        ringing->modes.push_back(Mode{0, {at[0], 0, 0, 0}, 1});
        bang.m_ringDown = std::move(*ringing);
        Matrix ringMatrix{}; // alone, acting on y3 and y4
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                ringMatrix[2 + i][2 + j] = alone[i][j];
        // Ringing alone, the secondary's amplitude only falls: each hump is
        // lower than the one before, so the first period after the quench
        // holds its peak (an overdamped one is searched to the end).
        double ringEnd = bang.m_end;
        for (const Complex& s : own)
            if (s.imag() > 0)
                ringEnd = std::min(ringEnd, bang.m_quench + 2 * std::numbers::pi / s.imag());
        topPeak = std::max(topPeak, peakOf(bang.m_ringDown, ringMatrix, 3, bang.m_quench, ringEnd,
                                           scan, tolerance));
    }
    figures.secondaryPeakVolts = topPeak / bang.m_scale[3];
    for (double& notch : figures.notches)
        notch /= w2;
    return bang;
}

std::array<double, 4> Bang::scaledAt(double tau) const {
    return tau < m_quench ? m_firing.at(tau) : m_ringDown.at(tau);
}

BangState Bang::state(double t) const {
    const Vector y = scaledAt(t * m_omega);
    return {y[0] / m_scale[0], y[1] / m_scale[1], y[2] / m_scale[2], y[3] / m_scale[3]};
}

double Bang::storedJoules(double t) const {
    const Vector y = scaledAt(t * m_omega);
    return 0.5 * (y[0] * y[0] + y[1] * y[1] + y[2] * y[2] + y[3] * y[3]) + m_coupling * y[1] * y[2];
}

std::vector<BangSample> Bang::waveform() const {
    const auto count = static_cast<long>(std::floor(m_end / m_sampleStep + 1e-9)) + 1;
    std::vector<BangSample> samples;
    samples.reserve(count);
    pair::Walk firing(m_firing, 0, m_sampleStep);
    long i = 0;
    for (; i < count && i * m_sampleStep < m_quench; ++i, firing.next()) {
        const Vector y = firing.state();
        samples.push_back({i * m_sampleStep / m_omega, y[1] / m_scale[1], y[3] / m_scale[3]});
    }
    if (i < count) {
        pair::Walk ringing(m_ringDown, i * m_sampleStep, m_sampleStep);
        for (; i < count; ++i, ringing.next()) {
            const Vector y = ringing.state();
            samples.push_back({i * m_sampleStep / m_omega, y[1] / m_scale[1], y[3] / m_scale[3]});
        }
    }
    return samples;
}

} // namespace resonex::physics
