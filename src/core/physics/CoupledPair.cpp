#include "core/physics/CoupledPair.h"

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
namespace resonex::physics::pair {

namespace {

// Roots closer than this (relative) are one to the modal solution: its
// eigenvectors become parallel and its weights lose their digits.
constexpr double kDistinctModes = 1e-6;
// An eigenvalue whose imaginary part is within this of 0 (relative) is real.
constexpr double kRealRoot = 1e-10;
// The Rayleigh quotient's steps on each eigenvalue (each squares its error).
constexpr int kRefinements = 3;
// Walking in equal steps, the modes' phasors are renewed exactly this often,
// so the products' rounding does not build up.
constexpr int kRenewEvery = 128;

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

} // namespace

std::optional<PairMatrices> pairMatrices(double c1, double l1, double r1, double l2, double c2,
                                         double r2, double m, std::optional<double> streamer) {
    if (!positive(c1) || !positive(l1) || !positive(c2) || !positive(l2) || !(r1 >= 0) ||
        !(r2 >= 0) || !positive(streamer.value_or(1)) || !(m >= 0))
        return std::nullopt;
    PairMatrices pair;
    pair.k = m / std::sqrt(l1 * l2);
    if (!(pair.k < 1))
        return std::nullopt;
    pair.scale = {std::sqrt(c1), std::sqrt(l1), std::sqrt(l2), std::sqrt(c2)};
    const double w2 = 1 / std::sqrt(l2 * c2);
    const double w1 = 1 / std::sqrt(l1 * c1);
    pair.omega = w2;
    const double a = w1 / w2;
    pair.a = a;
    const double k = pair.k;
    const double p = r1 / (l1 * w2);
    const double q = r2 / (l2 * w2);
    const double g = streamer ? 1 / (*streamer * c2 * w2) : 0;
    pair.p = p;
    pair.q = q;
    pair.g = g;
    const double d = 1 - k * k;
    pair.coupled = {{{0, -a, 0, 0},
                     {a / d, -p / d, k * q / d, k / d},
                     {-k * a / d, k * p / d, -q / d, -1 / d},
                     {0, 0, 1, -g}}};
    // The secondary alone: y3' = -q y3 - y4, y4' = y3 - g y4.
    pair.alone = {{{-q, -1, 0, 0}, {1, -g, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
    return pair;
}

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

std::optional<Eigen> eigenOf(const Matrix& a, int n, int first) {
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
    return Eigen{n, first, rates, vectors};
}

// The modes meeting `start` at tau = origin.
Stretch stretchOf(const Eigen& eigen, const Vector& start, double origin) {
    const int n = eigen.n;
    const int first = eigen.first;
    const std::vector<Complex>& rates = eigen.rates;
    const ComplexMatrix& vectors = eigen.vectors;
    ComplexVector rhs{};
    for (int i = 0; i < n; ++i)
        rhs[i] = start[first + i];
    const ComplexVector weights = solve(vectors, rhs, n);
    Stretch stretch;
    stretch.origin = origin;
    for (int k = 0; k < n; ++k) {
        if (rates[k].imag() < 0)
            continue; // counted twice in its partner
        Mode mode{rates[k], {}, rates[k].imag() > 0 ? 2.0 : 1.0};
        for (int i = 0; i < n; ++i)
            mode.amplitude[first + i] = weights[k] * vectors[i][k];
        stretch.modes.push_back(mode);
    }
    return stretch;
}

std::optional<Stretch> modesOf(const Matrix& a, int n, int first, const Vector& start,
                               double origin) {
    const std::optional<Eigen> eigen = eigenOf(a, n, first);
    if (!eigen)
        return std::nullopt;
    return stretchOf(*eigen, start, origin);
}

Vector Stretch::at(double tau) const {
    Vector y{};
    for (const Mode& mode : modes) {
        const Complex phasor = std::exp(mode.rate * (tau - origin));
        for (int i = 0; i < 4; ++i)
            y[i] += mode.weight * (mode.amplitude[i] * phasor).real();
    }
    return y;
}

Vector Stretch::slope(double tau) const {
    Vector y{};
    for (const Mode& mode : modes) {
        const Complex phasor = mode.rate * std::exp(mode.rate * (tau - origin));
        for (int i = 0; i < 4; ++i)
            y[i] += mode.weight * (mode.amplitude[i] * phasor).real();
    }
    return y;
}

double slopeOf(const Matrix& a, const Vector& y, int i) {
    double sum = 0;
    for (int j = 0; j < 4; ++j)
        sum += a[i][j] * y[j];
    return sum;
}

Walk::Walk(const Stretch& stretch, double start, double step)
    : m_stretch(stretch), m_start(start), m_step(step) {
    for (const Mode& mode : stretch.modes)
        m_factors.push_back(std::exp(mode.rate * step));
    renew();
}

Vector Walk::state() const {
    Vector y{};
    for (std::size_t k = 0; k < m_phasors.size(); ++k) {
        const Mode& mode = m_stretch.modes[k];
        for (int i = 0; i < 4; ++i)
            y[i] += mode.weight * (mode.amplitude[i] * m_phasors[k]).real();
    }
    return y;
}

void Walk::next() {
    ++m_steps;
    if (m_steps % kRenewEvery == 0) {
        renew();
        return;
    }
    for (std::size_t k = 0; k < m_phasors.size(); ++k)
        m_phasors[k] *= m_factors[k];
}

void Walk::renew() {
    m_phasors.clear();
    for (const Mode& mode : m_stretch.modes)
        m_phasors.push_back(std::exp(mode.rate * (tau() - m_stretch.origin)));
}

} // namespace resonex::physics::pair
