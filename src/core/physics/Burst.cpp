#include "core/physics/Burst.h"

#include "core/physics/CoupledPair.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

// The burst as a chain of stretches, each solved exactly by the pair's modes
// (CoupledPair.cpp; the same scaled state y = (sqrt(C1)·v1, sqrt(L1)·i1,
// sqrt(L2)·i2, sqrt(C2)·v2), tau = t/sqrt(L2·C2)). A constant voltage u in
// the primary loop,
//   L1 i1' + M i2' = v1 + u - R1 i1,
// only moves the circuit's rest to v1 = -u with every current 0: each
// stretch is that rest (a mode of rate 0) plus the unforced modes met to the
// state at its start less the rest. The matrix is the same in every
// conducting stretch, so its eigenvectors are found once.
//
// The bridge's voltage follows the current's sign (u = +V·sign(i1)) while it
// drives, and opposes it (u = -V·sign(i1)) once it has stopped and the
// switches' diodes carry the current into the bus. At a zero of i1 the loop
// equations (with i1 = 0, the mutual term from the secondary's equation
// M i1' + L2 i2' = -v2 - R2 i2) give
//   (L1 - M²/L2)·i1' = v1 + u + (M/L2)·(v2 + R2 i2) = E + u,
// so with the diodes' -V·s against a new current of sign s, it grows only
// when s·E > V: the diodes let it turn while |E| > V; otherwise no switch or
// diode conducts, i1 stays 0, the tank holds its charge and the secondary
// rings alone until |E| (the secondary's term in it swinging) passes V again.
// Scaled, E·a·sqrt(C1) = a·y1 + k·(q·y3 + y4), against a·sqrt(C1)·V.
//
// The energy the bridge draws in a stretch of constant u is u·∫i1 dt =
// u·C1·(v1 at its start - v1 at its end), exactly; the squares' integrals
// (∫i1² dt, the losses) are summed in closed form over each pair of the
// stretch's exponentials.
namespace resonex::physics {

namespace {

using pair::Complex;
using pair::Mode;
using pair::Stretch;
using pair::Vector;

// After the stop the diodes are given this many primary cycles at most to
// let the primary open; the span ends there if they have not.
constexpr double kDiodeCycles = 10000;
// Below this |z·T| the integral of exp(z·tau) over T is summed as a series
// (exp(zT) - 1 loses digits there).
constexpr double kSeriesBelow = 1e-3;

enum class Phase { Driving, Diodes, Open };

struct Piece {
    Stretch stretch;
    double from = 0;
    double to = 0;
    Phase phase = Phase::Driving;
};

// The integral of exp(z·tau) from 0 to T.
Complex integralOfExp(Complex z, double length) {
    const Complex x = z * length;
    if (std::abs(x) < kSeriesBelow)
        return length * (1.0 + x / 2.0 + x * x / 6.0 + x * x * x / 24.0 + x * x * x * x / 120.0);
    return (std::exp(x) - 1.0) / z;
}

// ∫ y_i·y_j dtau over from..to: each mode's real part written as its
// exponential and its conjugate's, every pair's product integrated exactly.
double integralOfProduct(const Stretch& stretch, int i, int j, double from, double to) {
    struct Term {
        Complex rate;
        Complex ci;
        Complex cj;
    };
    std::vector<Term> terms;
    for (const Mode& mode : stretch.modes) {
        if (mode.weight == 2) {
            terms.push_back({mode.rate, mode.amplitude[i], mode.amplitude[j]});
            terms.push_back(
                {std::conj(mode.rate), std::conj(mode.amplitude[i]), std::conj(mode.amplitude[j])});
        } else {
            terms.push_back({mode.rate, mode.amplitude[i].real(), mode.amplitude[j].real()});
        }
    }
    Complex sum = 0;
    for (const Term& m : terms)
        for (const Term& n : terms) {
            const Complex z = m.rate + n.rate;
            sum +=
                m.ci * n.cj * std::exp(z * (from - stretch.origin)) * integralOfExp(z, to - from);
        }
    return sum.real();
}

// The first tau in (from, to] where f reaches `level` (f below it before),
// to `tolerance`; none if it does not. With `humps`, a hump that tops out
// above the level between two samples is caught by its slope's zero
// (df: f's slope), on the bang's bound for a hump's rise above its samples.
template <typename F, typename D>
std::optional<double> firstReach(const F& f, const D& df, double from, double to, double level,
                                 double step, double tolerance, bool humps) {
    const double rise = 1 / std::cos(std::numbers::pi / pair::kScanPerPeriod);
    const auto above = [&](double t) { return f(t) - level; };
    double before = -std::numeric_limits<double>::infinity();
    double t0 = from;
    double f0 = std::min(f(from), level); // the start is below by definition
    while (t0 < to) {
        const double t1 = std::min(t0 + step, to);
        const double f1 = f(t1);
        if (f1 >= level)
            return t0 == from && f(from) >= level ? t1
                                                  : pair::rootBetween(above, t0, t1, tolerance);
        if (humps && f0 >= before && f0 >= f1 && f0 * rise >= level) {
            const double low = std::max(from, t0 - step);
            if (df(low) >= 0 && df(t1) <= 0) {
                const double top = pair::rootBetween(df, low, t1, tolerance);
                if (f(top) >= level)
                    return pair::rootBetween(above, low, top, tolerance);
            }
        }
        before = f0;
        t0 = t1;
        f0 = f1;
    }
    return std::nullopt;
}

double sign(double x) { return x < 0 ? -1 : 1; }

} // namespace

Solved<Burst> Burst::drive(const BurstCircuit& circuit, const BurstRun& run) {
    const BangCircuit& c = circuit.coil;
    if (!pair::positive(circuit.busVolts) || !pair::positive(run.onTime) ||
        (run.currentLimit && !pair::positive(*run.currentLimit)) || run.pointsPerCycle < 1)
        return Unsolved::OutOfRange;
    const std::optional<pair::PairMatrices> matrices = pair::pairMatrices(
        c.tankCapacitance, c.primaryInductance, c.primaryResistance, c.secondaryInductance,
        c.secondaryCapacitance, c.secondaryResistance, c.mutualInductance, c.streamerResistance);
    if (!matrices)
        return Unsolved::OutOfRange;
    const pair::PairMatrices& m = *matrices;
    const std::optional<pair::Eigen> coupled = pair::eigenOf(m.coupled, 4, 0);
    const std::optional<pair::Eigen> alone = pair::eigenOf(m.alone, 2, 2);
    if (!coupled || !alone)
        return Unsolved::OutOfRange;

    const double volts = circuit.fullBridge ? circuit.busVolts : circuit.busVolts / 2;
    const double w2 = m.omega;
    const double cycle = 2 * std::numbers::pi / m.a; // the primary's own, in tau
    double fastest = 0;
    for (const Complex& rate : coupled->rates)
        fastest = std::max(fastest, std::abs(rate.imag()));
    const double period = fastest > 0 ? 2 * std::numbers::pi / fastest : cycle;
    const double scan = std::min(period, cycle) / pair::kScanPerPeriod;
    const double tolerance = pair::kEventTolerance * std::min(period, cycle);
    // The secondary's own cycle, and the span after the opening in which its
    // ring-down may still drive the primary's current through the diodes:
    // its humps only fall, so two of its cycles hold the largest.
    const double secondaryCycle = 2 * std::numbers::pi;
    double ringSpan = 2 * secondaryCycle;
    for (const Complex& rate : alone->rates)
        if (rate.imag() > 0)
            ringSpan = std::max(ringSpan, 2 * 2 * std::numbers::pi / rate.imag());

    // The stretch from `start` at `origin` with u in the primary loop.
    const auto conducting = [&](const Vector& start, double origin, double u) {
        const double rest = -m.scale[0] * u;
        Vector offset = start;
        offset[0] -= rest;
        Stretch stretch = pair::stretchOf(*coupled, offset, origin);
        stretch.modes.push_back(Mode{0, {rest, 0, 0, 0}, 1});
        return stretch;
    };
    // The primary open: the tank's charge held, the secondary alone.
    const auto open = [&](const Vector& start, double origin) {
        Stretch stretch = pair::stretchOf(*alone, start, origin);
        stretch.modes.push_back(Mode{0, {start[0], 0, 0, 0}, 1});
        return stretch;
    };
    // E (above), scaled, and what it must pass for the diodes to conduct.
    const auto tankPush = [&](const Vector& y) { return m.a * y[0] + m.k * (m.q * y[2] + y[3]); };
    const double diodeLevel = m.a * m.scale[0] * volts;

    Burst burst;
    BurstFigures& figures = burst.m_figures;
    std::vector<Piece> pieces;
    std::vector<double> switched{0}; // the driven current's zeros, in tau
    const double onTime = run.onTime * w2;
    const double limit =
        run.currentLimit ? *run.currentLimit * m.scale[1] : std::numeric_limits<double>::infinity();

    // Driving.
    Vector y{};
    double tau = 0;
    double direction = 1;
    for (;;) {
        Stretch stretch = conducting(y, tau, direction * volts);
        const auto along = [&](double t) { return direction * stretch.at(t)[1]; };
        const auto alongSlope = [&](double t) { return direction * stretch.slope(t)[1]; };
        const auto against = [&](double t) { return -along(t); };
        const std::optional<double> zero =
            firstReach(against, alongSlope, tau, onTime, 0, scan, tolerance, false);
        const std::optional<double> limited =
            std::isfinite(limit) ? firstReach(along, alongSlope, tau, zero.value_or(onTime), limit,
                                              scan, tolerance, true)
                                 : std::nullopt;
        const double end = limited ? *limited : zero.value_or(onTime);
        const Vector last = stretch.at(end);
        figures.drawnJoules += m.scale[0] * direction * volts * (y[0] - last[0]);
        pieces.push_back({std::move(stretch), tau, end, Phase::Driving});
        y = last;
        tau = end;
        if (limited) {
            figures.limited = true;
            break;
        }
        if (!zero || end >= onTime)
            break;
        switched.push_back(end);
        y[1] = 0;
        direction = -direction;
    }
    figures.stopTime = tau / w2;

    // The diodes, then the primary open.
    const double giveUp = tau + kDiodeCycles * cycle;
    double opening = giveUp;
    direction = y[1] != 0 ? sign(y[1]) : sign(tankPush(y));
    bool conductingNow = y[1] != 0 || std::abs(tankPush(y)) > diodeLevel;
    while (tau < giveUp) {
        if (conductingNow) {
            Stretch stretch = conducting(y, tau, -direction * volts);
            const auto along = [&](double t) { return direction * stretch.at(t)[1]; };
            const auto against = [&](double t) { return -along(t); };
            const auto slope = [&](double t) { return direction * stretch.slope(t)[1]; };
            const double end =
                firstReach(against, slope, tau, giveUp, 0, scan, tolerance, false).value_or(giveUp);
            const Vector last = stretch.at(end);
            figures.returnedJoules += m.scale[0] * direction * volts * (y[0] - last[0]);
            pieces.push_back({std::move(stretch), tau, end, Phase::Diodes});
            y = last;
            y[1] = 0;
            tau = end;
            const double e = tankPush(y);
            conductingNow = std::abs(e) > diodeLevel;
            direction = sign(e);
            continue;
        }
        Stretch stretch = open(y, tau);
        // Open for good where even the secondary's whole energy could not
        // lift |E| to the level: it only falls while the primary stands open.
        const double bound = m.a * std::abs(y[0]) + m.k * (m.q + 1) * std::hypot(y[2], y[3]);
        const auto size = [&](double t) { return std::abs(tankPush(stretch.at(t))); };
        const auto sizeSlope = [&](double t) {
            return sign(tankPush(stretch.at(t))) * tankPush(stretch.slope(t));
        };
        const std::optional<double> again =
            bound <= diodeLevel ? std::nullopt
                                : firstReach(size, sizeSlope, tau, std::min(giveUp, tau + ringSpan),
                                             diodeLevel, scan, tolerance, true);
        if (!again) {
            opening = tau;
            pieces.push_back({std::move(stretch), tau, tau, Phase::Open});
            break;
        }
        y = stretch.at(*again);
        pieces.push_back({std::move(stretch), tau, *again, Phase::Open});
        tau = *again;
        direction = sign(tankPush(y));
        conductingNow = true;
    }
    const double spanEnd = opening + 2 * secondaryCycle;
    pieces.back().to = std::max(pieces.back().to, spanEnd);
    figures.primaryOpenTime = opening / w2;

    // The figures over the pieces.
    pair::Peak primary;
    pair::Peak tank;
    pair::Peak top;
    for (const Piece& piece : pieces) {
        const Stretch& s = piece.stretch;
        const auto peak = [&](int i) {
            const auto slope = [&](double t) { return s.slope(t)[i]; };
            return pair::peakOf(s, slope, i, piece.from, piece.to, scan, tolerance);
        };
        const auto keep = [](pair::Peak& best, const pair::Peak& p) {
            if (p.value > best.value)
                best = p;
        };
        if (piece.phase != Phase::Open) {
            keep(primary, peak(1));
            figures.primarySquareIntegral += integralOfProduct(s, 1, 1, piece.from, piece.to);
        }
        keep(tank, peak(0));
        keep(top, peak(3));
        figures.dissipatedJoules += m.p * integralOfProduct(s, 1, 1, piece.from, piece.to) +
                                    m.q * integralOfProduct(s, 2, 2, piece.from, piece.to) +
                                    m.g * integralOfProduct(s, 3, 3, piece.from, piece.to);
    }
    figures.primaryPeakAmps = primary.value / m.scale[1];
    figures.primaryPeakTime = primary.at / w2;
    figures.tankPeakVolts = tank.value / m.scale[0];
    figures.secondaryPeakVolts = top.value / m.scale[3];
    figures.primarySquareIntegral /= m.scale[1] * m.scale[1] * w2;
    const Vector end = pieces.back().stretch.at(spanEnd);
    figures.leftJoules =
        0.5 * (end[0] * end[0] + end[1] * end[1] + end[2] * end[2] + end[3] * end[3]) +
        m.k * end[1] * end[2];
    if (switched.size() >= 5)
        figures.lockHz = 2 / ((switched.back() - switched[switched.size() - 5]) / w2);

    // The waveform.
    const double step = cycle / run.pointsPerCycle;
    const auto count = static_cast<long>(std::floor(spanEnd / step + 1e-9)) + 1;
    burst.m_waveform.reserve(count);
    long i = 0;
    for (std::size_t p = 0; p < pieces.size() && i < count; ++p) {
        const bool last = p + 1 == pieces.size();
        pair::Walk walk(pieces[p].stretch, i * step, step);
        for (; i < count && (last || i * step < pieces[p].to); ++i, walk.next()) {
            const Vector at = walk.state();
            burst.m_waveform.push_back({i * step / w2, at[1] / m.scale[1], at[3] / m.scale[3]});
        }
    }
    return burst;
}

} // namespace resonex::physics
