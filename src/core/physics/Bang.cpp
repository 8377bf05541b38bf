#include "core/physics/Bang.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

// The circuit in a scaled state, so that every entry of its matrix is of
// order 1 and its energy is a plain sum of squares:
//   y = (sqrt(C1)·v1, sqrt(L1)·i1, sqrt(L2)·i2, sqrt(C2)·v2)  (root joules),
//   tau = w2·t, w2 = 1/sqrt(L2·C2),
// the stored energy ½|y|² + k·y2·y3. The loop equations (Kirchhoff's voltage
// law round each loop, the mutual inductance's emf in each),
//   C1 v1' = -i1,   L1 i1' + M i2' = v1 - R1 i1,
//   M i1' + L2 i2' = -v2 - R2 i2,   C2 v2' = i2 - G v2   (G = 1/Rstreamer),
// become y' = A y with, a = w1/w2, p = R1/(L1 w2), q = R2/(L2 w2),
// g = G/(C2 w2) and D = 1 - k²:
//   y1' = -a y2
//   y2' = (a y1 - p y2 + k q y3 + k y4) / D
//   y3' = (-k a y1 + k p y2 - q y3 - y4) / D
//   y4' = y3 - g y4.
// Its solution is the sum of its modes, exp(s tau) times the eigenvector of
// each eigenvalue s, weighted to meet the state at the stretch's start: the
// standard modal solution of a linear system (e.g. C.-T. Chen, "Linear
// System Theory and Design", ch. 4), exact but for rounding. The eigenvalues
// are the roots of the characteristic polynomial (Faddeev–LeVerrier), found
// by the Aberth–Ehrlich iteration (O. Aberth, "Iteration methods for
// finding all zeros of a polynomial simultaneously", Math. Comp. 27, 1973)
// and polished by Newton's, then refined on the matrix itself (see modesOf);
// each eigenvector is the null vector of A - sI by elimination with complete
// pivoting. The events (notches, the quench, the peaks) are sought on this
// exact solution: bracketed by steps of a sixteenth of the fastest mode's
// period, then closed in to 1e-12 of it. tests/tst_bang.cpp measures the
// whole against closed forms to rounding (1e-12 or better).
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

using Complex = std::complex<double>;
using Matrix = std::array<std::array<double, 4>, 4>;
using Vector = std::array<double, 4>;

// Roots closer than this (relative) are one to the modal solution: its
// eigenvectors become parallel and its weights lose their digits.
constexpr double kDistinctModes = 1e-6;
// An eigenvalue whose imaginary part is within this of 0 (relative) is real.
constexpr double kRealRoot = 1e-10;
// The event search's steps in each period of the fastest mode (so no zero
// or envelope minimum goes by unseen), and closer after a notch, where the
// quench's current zero may lie near another.
constexpr int kScanPerPeriod = 16;
constexpr int kQuenchScanPerPeriod = 64;
// A current zero this little (in primary cycles) before the notch counts as
// at it: with complete transfer the two coincide, and rounding may put either
// first.
constexpr double kQuenchBeforeNotch = 1e-6;
// Events found to this fraction of a period.
constexpr double kEventTolerance = 1e-12;
// A notch's envelope (squared) lies this far below the firing's at least.
constexpr double kBelowFiring = 1 - 1e-6;
// The Rayleigh quotient's steps on each eigenvalue (each squares its error).
constexpr int kRefinements = 3;
// Walking in equal steps, the modes' phasors are renewed exactly this often,
// so the products' rounding does not build up.
constexpr int kRenewEvery = 128;

// The characteristic polynomial of the top-left n×n of a (Faddeev–LeVerrier):
// c[0..n], c[n] = 1.
std::array<double, 5> characteristic(const Matrix& a, int n) {
    std::array<double, 5> c{};
    c[n] = 1;
    Matrix m{}; // M_k = A·M_(k-1) + c(n-k+1)·I, M_0 = 0
    for (int k = 1; k <= n; ++k) {
        Matrix next{};
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                double sum = i == j ? c[n - k + 1] : 0;
                for (int l = 0; l < n; ++l)
                    sum += a[i][l] * m[l][j];
                next[i][j] = sum;
            }
        }
        m = next;
        double trace = 0;
        for (int i = 0; i < n; ++i)
            for (int l = 0; l < n; ++l)
                trace += a[i][l] * m[l][i];
        c[n - k] = -trace / k;
    }
    return c;
}

// p(z) and p'(z) by Horner's rule.
std::pair<Complex, Complex> polynomialAt(const std::array<double, 5>& c, int n, Complex z) {
    Complex p = c[n];
    Complex dp = 0;
    for (int i = n - 1; i >= 0; --i) {
        dp = dp * z + p;
        p = p * z + c[i];
    }
    return {p, dp};
}

// All n roots of the monic polynomial c (Aberth–Ehrlich, then Newton).
std::vector<Complex> roots(const std::array<double, 5>& c, int n) {
    const double radius = std::max(std::pow(std::abs(c[0]), 1.0 / n), 1e-3);
    std::vector<Complex> z(n);
    for (int i = 0; i < n; ++i)
        z[i] = std::polar(radius, 2 * std::numbers::pi * i / n + 0.4);
    for (int iteration = 0; iteration < 500; ++iteration) {
        double largest = 0;
        for (int i = 0; i < n; ++i) {
            const auto [p, dp] = polynomialAt(c, n, z[i]);
            if (p == Complex(0))
                continue;
            const Complex ratio = p / dp;
            Complex repel = 0;
            for (int j = 0; j < n; ++j)
                if (j != i)
                    repel += 1.0 / (z[i] - z[j]);
            const Complex step = ratio / (1.0 - ratio * repel);
            z[i] -= step;
            largest = std::max(largest, std::abs(step) / std::max(1.0, std::abs(z[i])));
        }
        if (largest < 1e-15)
            break;
    }
    for (Complex& root : z) {
        for (int i = 0; i < 2; ++i) {
            const auto [p, dp] = polynomialAt(c, n, root);
            if (dp != Complex(0))
                root -= p / dp;
        }
    }
    return z;
}

// The roots as a real matrix has them: each complex one with its exact
// conjugate, the real ones real. Empty when they are not n such, or two lie
// too close together.
std::vector<Complex> conjugatePairs(const std::vector<Complex>& z) {
    std::vector<Complex> paired;
    std::size_t upper = 0;
    std::size_t lower = 0;
    for (const Complex& root : z) {
        if (std::abs(root.imag()) <= kRealRoot * std::abs(root)) {
            paired.emplace_back(root.real(), 0);
        } else if (root.imag() > 0) {
            paired.push_back(root);
            paired.push_back(std::conj(root));
            ++upper;
        } else {
            ++lower;
        }
    }
    if (upper != lower || paired.size() != z.size())
        return {};
    for (std::size_t i = 0; i < paired.size(); ++i)
        for (std::size_t j = i + 1; j < paired.size(); ++j)
            if (std::abs(paired[i] - paired[j]) <=
                kDistinctModes * std::max({1.0, std::abs(paired[i]), std::abs(paired[j])}))
                return {};
    return paired;
}

using ComplexMatrix = std::array<std::array<Complex, 4>, 4>;
using ComplexVector = std::array<Complex, 4>;

// The null vector of the singular n×n b (rank n-1), by elimination with
// complete pivoting: its last pivot is the one that vanishes, its variable
// set to 1. Scaled to a largest entry of 1.
ComplexVector nullVector(ComplexMatrix b, int n) {
    std::array<int, 4> column{0, 1, 2, 3};
    for (int s = 0; s < n - 1; ++s) {
        int row = s;
        int col = s;
        for (int i = s; i < n; ++i)
            for (int j = s; j < n; ++j)
                if (std::abs(b[i][j]) > std::abs(b[row][col])) {
                    row = i;
                    col = j;
                }
        std::swap(b[s], b[row]);
        for (int i = 0; i < n; ++i)
            std::swap(b[i][s], b[i][col]);
        std::swap(column[s], column[col]);
        for (int i = s + 1; i < n; ++i) {
            const Complex factor = b[i][s] / b[s][s];
            for (int j = s; j < n; ++j)
                b[i][j] -= factor * b[s][j];
        }
    }
    ComplexVector x{};
    x[n - 1] = 1;
    for (int s = n - 2; s >= 0; --s) {
        Complex sum = 0;
        for (int j = s + 1; j < n; ++j)
            sum += b[s][j] * x[j];
        x[s] = -sum / b[s][s];
    }
    ComplexVector v{};
    double largest = 0;
    for (int i = 0; i < n; ++i) {
        v[column[i]] = x[i];
        largest = std::max(largest, std::abs(x[i]));
    }
    for (Complex& entry : v)
        entry /= largest;
    return v;
}

// x with a·x = rhs, n×n, partial pivoting.
ComplexVector solve(ComplexMatrix a, ComplexVector rhs, int n) {
    for (int s = 0; s < n; ++s) {
        int row = s;
        for (int i = s + 1; i < n; ++i)
            if (std::abs(a[i][s]) > std::abs(a[row][s]))
                row = i;
        std::swap(a[s], a[row]);
        std::swap(rhs[s], rhs[row]);
        for (int i = s + 1; i < n; ++i) {
            const Complex factor = a[i][s] / a[s][s];
            for (int j = s; j < n; ++j)
                a[i][j] -= factor * a[s][j];
            rhs[i] -= factor * rhs[s];
        }
    }
    ComplexVector x{};
    for (int s = n - 1; s >= 0; --s) {
        Complex sum = rhs[s];
        for (int j = s + 1; j < n; ++j)
            sum -= a[s][j] * x[j];
        x[s] = sum / a[s][s];
    }
    return x;
}

// The modes of y' = a·y (its top-left n×n) meeting `start` at tau = origin,
// their amplitudes placed from component `first` on. None where modes
// coincide.
std::optional<Bang::Stretch> modesOf(const Matrix& a, int n, int first, const Vector& start,
                                     double origin) {
    std::vector<Complex> rates = conjugatePairs(roots(characteristic(a, n), n));
    if (rates.empty())
        return std::nullopt;
    ComplexMatrix vectors{}; // the eigenvectors as columns
    for (int k = 0; k < n; ++k) {
        // A conjugate rate and its vector are those of its partner, conjugated.
        if (rates[k].imag() < 0) {
            rates[k] = std::conj(rates[k - 1]);
            for (int i = 0; i < n; ++i)
                vectors[i][k] = std::conj(vectors[i][k - 1]);
            continue;
        }
        // The polynomial's coefficients lose digits where the modes' rates
        // lie far apart (a heavy streamer load beside a light ring), and its
        // roots with them: each rate is refined on the matrix itself by the
        // two-sided Rayleigh quotient w·A·v / w·v of its right and left null
        // vectors (it converges quadratically; Ostrowski, 1958-59).
        ComplexVector v{};
        for (int iteration = 0;; ++iteration) {
            ComplexMatrix b{};
            ComplexMatrix bt{};
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    b[i][j] = a[i][j] - (i == j ? rates[k] : Complex(0));
                    bt[j][i] = b[i][j];
                }
            v = nullVector(b, n);
            if (iteration == kRefinements)
                break;
            const ComplexVector w = nullVector(bt, n);
            Complex wav = 0;
            Complex wv = 0;
            for (int i = 0; i < n; ++i) {
                wv += w[i] * v[i];
                for (int j = 0; j < n; ++j)
                    wav += w[i] * a[i][j] * v[j];
            }
            if (wv == Complex(0))
                break;
            const Complex refined = wav / wv;
            rates[k] = rates[k].imag() == 0 ? Complex(refined.real(), 0) : refined;
        }
        for (int i = 0; i < n; ++i)
            vectors[i][k] = v[i];
    }
    ComplexVector rhs{};
    for (int i = 0; i < n; ++i)
        rhs[i] = start[first + i];
    const ComplexVector weights = solve(vectors, rhs, n);
    Bang::Stretch stretch;
    stretch.origin = origin;
    for (int k = 0; k < n; ++k) {
        if (rates[k].imag() < 0)
            continue; // counted twice in its partner
        Bang::Mode mode{rates[k], {}, rates[k].imag() > 0 ? 2.0 : 1.0};
        for (int i = 0; i < n; ++i)
            mode.amplitude[first + i] = weights[k] * vectors[i][k];
        stretch.modes.push_back(mode);
    }
    return stretch;
}

// The stretch walked in equal steps of tau from a start, each mode's phasor
// carried on by its step's factor and renewed every kRenewEvery steps.
class Walk {
public:
    Walk(const Bang::Stretch& stretch, double start, double step)
        : m_stretch(stretch), m_start(start), m_step(step) {
        for (const Bang::Mode& mode : stretch.modes)
            m_factors.push_back(std::exp(mode.rate * step));
        renew();
    }
    double tau() const { return m_start + m_step * m_steps; }
    Vector state() const {
        Vector y{};
        for (std::size_t k = 0; k < m_phasors.size(); ++k) {
            const Bang::Mode& mode = m_stretch.modes[k];
            for (int i = 0; i < 4; ++i)
                y[i] += mode.weight * (mode.amplitude[i] * m_phasors[k]).real();
        }
        return y;
    }
    void next() {
        ++m_steps;
        if (m_steps % kRenewEvery == 0) {
            renew();
            return;
        }
        for (std::size_t k = 0; k < m_phasors.size(); ++k)
            m_phasors[k] *= m_factors[k];
    }

private:
    void renew() {
        m_phasors.clear();
        for (const Bang::Mode& mode : m_stretch.modes)
            m_phasors.push_back(std::exp(mode.rate * (tau() - m_stretch.origin)));
    }
    const Bang::Stretch& m_stretch;
    double m_start;
    double m_step;
    long m_steps = 0;
    std::vector<Complex> m_factors;
    std::vector<Complex> m_phasors;
};

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

// The slope of component i of the state y under the matrix a.
double slopeOf(const Matrix& a, const Vector& y, int i) {
    double sum = 0;
    for (int j = 0; j < 4; ++j)
        sum += a[i][j] * y[j];
    return sum;
}

// The largest |component i| over a stretch from `from` to `to`: the samples'
// largest, each hump that could beat it refined to the zero of its slope.
double peakOf(const Bang::Stretch& stretch, const Matrix& a, int i, double from, double to,
              double step, double tolerance) {
    if (to <= from)
        return 0;
    // A hump's top lies no more than this above its best sample.
    const double rise = 1 / std::cos(std::numbers::pi / kScanPerPeriod);
    // The top of the hump between low and high, where the slope of |y_i|
    // turns from rising to falling (0 where it does not).
    const auto top = [&](double low, double high) {
        low = std::max(low, from);
        high = std::min(high, to);
        const double sign = stretch.at((low + high) / 2)[i] < 0 ? -1 : 1;
        const auto slope = [&](double t) { return sign * slopeOf(a, stretch.at(t), i); };
        if (!(slope(low) >= 0 && slope(high) <= 0))
            return 0.0;
        return std::abs(stretch.at(rootBetween(slope, low, high, tolerance))[i]);
    };
    Walk walk(stretch, from, step);
    double before = 0;
    double here = std::abs(walk.state()[i]);
    double hereTau = from;
    double best = std::max(here, std::abs(stretch.at(to)[i]));
    for (walk.next(); walk.tau() <= to; walk.next()) {
        const double after = std::abs(walk.state()[i]);
        if (here >= before && here >= after && here * rise > best)
            best = std::max({best, here, top(hereTau - step, hereTau + step)});
        best = std::max(best, after);
        before = here;
        here = after;
        hereTau = walk.tau();
    }
    // A hump cut off by the stretch's end.
    return std::max(best, top(hereTau - step, to));
}

bool positive(double x) { return x > 0 && std::isfinite(x); }

} // namespace

std::array<double, 4> Bang::Stretch::at(double tau) const {
    Vector y{};
    for (const Mode& mode : modes) {
        const Complex phasor = std::exp(mode.rate * (tau - origin));
        for (int i = 0; i < 4; ++i)
            y[i] += mode.weight * (mode.amplitude[i] * phasor).real();
    }
    return y;
}

Solved<Bang> Bang::fire(const BangCircuit& c, const BangRun& run) {
    const double r2 = c.streamerResistance.value_or(1);
    if (!positive(c.tankCapacitance) || !positive(c.primaryInductance) ||
        !positive(c.secondaryCapacitance) || !positive(c.secondaryInductance) ||
        !(c.primaryResistance >= 0) || !(c.secondaryResistance >= 0) || !positive(r2) ||
        !(c.mutualInductance >= 0) || !std::isfinite(c.tankVolts) || !positive(run.primaryCycles) ||
        run.pointsPerCycle < 1 || (run.quenchNotch && *run.quenchNotch < 1))
        return Unsolved::OutOfRange;
    const double k = c.mutualInductance / std::sqrt(c.primaryInductance * c.secondaryInductance);
    if (!(k < 1))
        return Unsolved::OutOfRange;

    Bang bang;
    bang.m_coupling = k;
    bang.m_scale = {std::sqrt(c.tankCapacitance), std::sqrt(c.primaryInductance),
                    std::sqrt(c.secondaryInductance), std::sqrt(c.secondaryCapacitance)};
    const double w2 = 1 / std::sqrt(c.secondaryInductance * c.secondaryCapacitance);
    const double w1 = 1 / std::sqrt(c.primaryInductance * c.tankCapacitance);
    bang.m_omega = w2;
    const double a = w1 / w2;
    const double p = c.primaryResistance / (c.primaryInductance * w2);
    const double q = c.secondaryResistance / (c.secondaryInductance * w2);
    const double g =
        c.streamerResistance ? 1 / (*c.streamerResistance * c.secondaryCapacitance * w2) : 0;
    const double d = 1 - k * k;
    const Matrix firing{{{0, -a, 0, 0},
                         {a / d, -p / d, k * q / d, k / d},
                         {-k * a / d, k * p / d, -q / d, -1 / d},
                         {0, 0, 1, -g}}};
    const Vector start{bang.m_scale[0] * c.tankVolts, 0, 0, 0};
    std::optional<Stretch> modes = modesOf(firing, 4, 0, start, 0);
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
                before < 0 && after >= 0 ? rootBetween(slope, tau, next, tolerance) : 0;
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
                bang.m_quench = before == 0 ? tau : rootBetween(current, tau, next, tolerance);
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

    // The secondary alone: y3' = -q y3 - y4, y4' = y3 - g y4.
    const Matrix alone{{{-q, -1, 0, 0}, {1, -g, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    const std::vector<Complex> own = roots(characteristic(alone, 2), 2);
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
        std::optional<Stretch> ringing = modesOf(alone, 2, 2, at, bang.m_quench);
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
    Walk firing(m_firing, 0, m_sampleStep);
    long i = 0;
    for (; i < count && i * m_sampleStep < m_quench; ++i, firing.next()) {
        const Vector y = firing.state();
        samples.push_back({i * m_sampleStep / m_omega, y[1] / m_scale[1], y[3] / m_scale[3]});
    }
    if (i < count) {
        Walk ringing(m_ringDown, i * m_sampleStep, m_sampleStep);
        for (; i < count; ++i, ringing.next()) {
            const Vector y = ringing.state();
            samples.push_back({i * m_sampleStep / m_omega, y[1] / m_scale[1], y[3] / m_scale[3]});
        }
    }
    return samples;
}

} // namespace resonex::physics
