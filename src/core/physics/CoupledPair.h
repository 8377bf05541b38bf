#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

// The two coupled resonators of a coil (the primary tank coupled by M to the
// secondary, a streamer's resistance across the secondary's capacitance)
// solved exactly by their modes between switching events: the machinery the
// spark-gap bang (Bang.h) and the bridge-driven burst (Burst.h) share. See
// CoupledPair.cpp for the scaled state, the matrix and the methods.
namespace resonex::physics::pair {

using Complex = std::complex<double>;
using Matrix = std::array<std::array<double, 4>, 4>;
using Vector = std::array<double, 4>;
using ComplexMatrix = std::array<std::array<Complex, 4>, 4>;
using ComplexVector = std::array<Complex, 4>;

// The event search's steps in each period of the fastest mode (so no zero
// or hump goes by unseen), and events found to this fraction of a period.
constexpr int kScanPerPeriod = 16;
constexpr double kEventTolerance = 1e-12;

// One mode, in the scaled state: it adds weight·Re(amplitude·exp(rate·(tau -
// origin))) to the state. A constant (an equilibrium, a charge held) is a
// mode of rate 0.
struct Mode {
    Complex rate;
    std::array<Complex, 4> amplitude;
    double weight;
};

// The solution over one stretch between switching events.
struct Stretch {
    double origin = 0;
    std::vector<Mode> modes;
    Vector at(double tau) const;
    // d/dtau of the state, from the modes.
    Vector slope(double tau) const;
};

// The circuit's scaled state matrices: `coupled` for the pair, `alone` for
// the secondary by itself (its top-left 2×2 acting on y3, y4), with the
// scale from the scaled state to SI and the time scale omega (tau = omega·t).
struct PairMatrices {
    Vector scale{};
    double omega = 0; // the secondary's 1/sqrt(L2·C2)
    double a = 0;     // the primary's own frequency over omega
    double k = 0;
    // The losses' rates over omega: R1/L1, R2/L2 and G/C2 (G: the streamer's
    // conductance).
    double p = 0;
    double q = 0;
    double g = 0;
    Matrix coupled{};
    Matrix alone{};
};
// None for a circuit that cannot be (a capacitance or inductance not above
// 0, a negative resistance or mutual inductance, a coupling of 1 or more).
std::optional<PairMatrices> pairMatrices(double c1, double l1, double r1, double l2, double c2,
                                         double r2, double m, std::optional<double> streamer);

// The characteristic polynomial of the top-left n×n of a, c[0..n], and all n
// of its roots.
std::array<double, 5> characteristic(const Matrix& a, int n);
std::vector<Complex> roots(const std::array<double, 5>& c, int n);

// The eigenvalues and eigenvectors of y' = a·y (its top-left n×n), their
// components to be placed from `first` on: found once, met to any start.
struct Eigen {
    int n = 0;
    int first = 0;
    std::vector<Complex> rates;
    ComplexMatrix vectors{}; // as columns
};
// None where modes coincide.
std::optional<Eigen> eigenOf(const Matrix& a, int n, int first);
// The modes meeting `start` at tau = origin.
Stretch stretchOf(const Eigen& eigen, const Vector& start, double origin);
std::optional<Stretch> modesOf(const Matrix& a, int n, int first, const Vector& start,
                               double origin);

// The slope of component i of the state y under the matrix a.
double slopeOf(const Matrix& a, const Vector& y, int i);

inline bool positive(double x) { return x > 0 && std::isfinite(x); }

// The stretch walked in equal steps of tau from a start, each mode's phasor
// carried on by its step's factor and renewed every so many steps.
class Walk {
public:
    Walk(const Stretch& stretch, double start, double step);
    double tau() const { return m_start + m_step * m_steps; }
    Vector state() const;
    void next();

private:
    void renew();
    const Stretch& m_stretch;
    double m_start;
    double m_step;
    long m_steps = 0;
    std::vector<Complex> m_factors;
    std::vector<Complex> m_phasors;
};

// The root of f in low..high, f changing sign between them (or 0 at one),
// closed in to `tolerance`: regula falsi, Illinois variant (M. Dowell and
// P. Jarratt, BIT 11, 1971, as in RootSearch.h), the step halving the bracket
// instead where the secant would leave it, and an exact 0 taken as it comes.
template <typename F> double rootBetween(const F& f, double low, double high, double tolerance) {
    double fLow = f(low);
    double fHigh = f(high);
    if (fLow == 0)
        return low;
    if (fHigh == 0)
        return high;
    int side = 0;
    for (int i = 0; i < 300 && high - low > tolerance; ++i) {
        double next = (low * fHigh - high * fLow) / (fHigh - fLow);
        if (!(next > low && next < high))
            next = (low + high) / 2;
        const double fNext = f(next);
        if (fNext == 0)
            return next;
        if ((fNext < 0) == (fLow < 0)) {
            low = next;
            fLow = fNext;
            if (side == -1)
                fHigh /= 2;
            side = -1;
        } else {
            high = next;
            fHigh = fNext;
            if (side == 1)
                fLow /= 2;
            side = 1;
        }
    }
    return (low + high) / 2;
}

// The largest |component i| over a stretch from `from` to `to`, and where it
// lies: the samples' largest, each hump that could beat it refined to the
// zero of its slope (slope(tau): d y_i / dtau).
struct Peak {
    double value = 0;
    double at = 0;
};
template <typename Slope>
Peak peakOf(const Stretch& stretch, const Slope& slope, int i, double from, double to, double step,
            double tolerance) {
    if (to <= from)
        return {};
    // A hump's top lies no more than this above its best sample.
    const double rise = 1 / std::cos(std::numbers::pi / kScanPerPeriod);
    Peak best{std::abs(stretch.at(from)[i]), from};
    const auto consider = [&](double value, double at) {
        if (value > best.value)
            best = {value, at};
    };
    // The top of the hump between low and high, where the slope of |y_i|
    // turns from rising to falling.
    const auto top = [&](double low, double high) {
        low = std::max(low, from);
        high = std::min(high, to);
        const double sign = stretch.at((low + high) / 2)[i] < 0 ? -1 : 1;
        const auto rising = [&](double t) { return sign * slope(t); };
        if (!(rising(low) >= 0 && rising(high) <= 0))
            return;
        const double at = rootBetween(rising, low, high, tolerance);
        consider(std::abs(stretch.at(at)[i]), at);
    };
    consider(std::abs(stretch.at(to)[i]), to);
    Walk walk(stretch, from, step);
    double before = 0;
    double here = std::abs(walk.state()[i]);
    double hereTau = from;
    for (walk.next(); walk.tau() <= to; walk.next()) {
        const double after = std::abs(walk.state()[i]);
        if (here >= before && here >= after && here * rise > best.value) {
            consider(here, hereTau);
            top(hereTau - step, hereTau + step);
        }
        consider(after, walk.tau());
        before = here;
        here = after;
        hereTau = walk.tau();
    }
    // A hump cut off by the stretch's end.
    top(hereTau - step, to);
    return best;
}

} // namespace resonex::physics::pair
