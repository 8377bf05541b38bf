#include "core/physics/RingCharge.h"

#include "core/physics/FieldWork.h"
#include "core/physics/WideVectors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>
#include <utility>

namespace resonex::physics {

// The arithmetic-geometric mean is left once its two means lie within a
// relative half-difference e of kCloseEnough of each other: from there, with
// m their arithmetic mean, M = m / (1 + e²/4 + 9e⁴/64 + 25e⁶/256 + ...), the
// series of K(e) (Abramowitz & Stegun 17.3.11; the coefficients the squares
// of (2n-1)!!/(2n)!!), taken to e¹⁰: the next term, 0.051·e¹², is below
// 1.3e-17 for e up to 0.05. Each step of the mean it saves is a square root
// in the ring kernel's inner loop, and rings far apart, most of them, start
// within a few tenths and need no more than one.
namespace {

constexpr double kCloseEnough = 0.05;

[[gnu::always_inline]] inline double ellipticSeries(double e2) {
    return 1 +
           e2 * (1.0 / 4 +
                 e2 * (9.0 / 64 + e2 * (25.0 / 256 + e2 * (1225.0 / 16384 + e2 * 3969.0 / 65536))));
}

// Whether the two means still lie too far apart for the series.
[[gnu::always_inline]] inline bool meanStepNeeded(double a, double b) {
    return a - b > kCloseEnough * (a + b);
}

} // namespace

double ellipticK(double complementaryModulus) {
    double a = 1.0;
    double b = complementaryModulus;
    while (meanStepNeeded(a, b)) {
        const double mean = (a + b) / 2;
        b = std::sqrt(a * b);
        a = mean;
    }
    const double e = (a - b) / (a + b);
    return std::numbers::pi * ellipticSeries(e * e) / (a + b);
}

// Once the means lie within 1e-8 of each other, their next arithmetic mean is
// the limit to within (a - b)^2/(8a), below a double's step, and the c_n
// left are as small: one step sooner than waiting for them to meet. c_n as
// (a - b)/2 loses digits only where c_n^2 no longer counts.
EllipticIntegrals ellipticIntegrals(double complementaryModulus) {
    constexpr double kMeansClose = 1e-8;
    double a = 1.0;
    double b = complementaryModulus;
    double c2 = (1 - b) * (1 + b); // c_0^2 = k^2
    double weight = 0.5;           // 2^(n-1)
    double sum = weight * c2;
    while (std::abs(a - b) > kMeansClose * a) {
        const double c = (a - b) / 2;
        b = std::sqrt(a * b);
        a -= c;
        c2 = c * c;
        weight *= 2;
        sum += weight * c2;
    }
    const double k = std::numbers::pi / (a + b);
    return {k, k * (1 - sum)};
}

namespace {

// The ring kernel for many rings at once, the rings' offsets (dr = rho - r, dz)
// given as well, so that rings close together keep their distance in full
// precision: (2/pi)·K(k')/far distance, K as ellipticK takes it, in loops over
// plain arrays, which the compiler turns into vector instructions (this file is
// built without errno for the square roots, which would stop it). The steps of
// the arithmetic-geometric mean are where the time goes one kernel at a time:
// most kernels need one step or none, a few up to five (the nearer the two
// rings, the more), as good as at random, and a loop that stops when its kernel
// is done mispredicts its end most times. Here each step is taken for the
// kernels that still need it, listed afresh after each without a branch. The
// rings come in (r, rho, dr, dz), the kernels go out; root, a, b and active are
// room to work in. Built for the widest vectors too (WideVectors.h), where the
// divisions and roots take half the time.
struct RingKernels {
    [[gnu::always_inline]] void operator()(const double* __restrict r, const double* __restrict rho,
                                           const double* __restrict dr, const double* __restrict dz,
                                           double* __restrict root, double* __restrict a,
                                           double* __restrict b, int* __restrict active,
                                           double* __restrict out, int n) const {
        for (int k = 0; k < n; ++k) {
            const double dz2 = dz[k] * dz[k];
            const double far2 = (r[k] + rho[k]) * (r[k] + rho[k]) + dz2;
            const double near2 = dr[k] * dr[k] + dz2;
            root[k] = std::sqrt(far2);
            a[k] = 1.0;
            b[k] = std::sqrt(near2 / far2);
        }
        int count = 0;
        for (int k = 0; k < n; ++k) {
            active[count] = k;
            count += int(meanStepNeeded(a[k], b[k]));
        }
        while (count > 0) {
            for (int i = 0; i < count; ++i) {
                const int k = active[i];
                const double mean = (a[k] + b[k]) / 2;
                b[k] = std::sqrt(a[k] * b[k]);
                a[k] = mean;
            }
            int still = 0;
            for (int i = 0; i < count; ++i) {
                const int k = active[i];
                active[still] = k;
                still += int(meanStepNeeded(a[k], b[k]));
            }
            count = still;
        }
        for (int k = 0; k < n; ++k) {
            const double e = (a[k] - b[k]) / (a[k] + b[k]);
            out[k] = 2 / std::numbers::pi *
                     (std::numbers::pi * ellipticSeries(e * e) / (a[k] + b[k])) / root[k];
        }
    }
};

// The ring kernel of one ring: a batch of one, on the portable build.
double ringKernel(double r, double rho, double dr, double dz) {
    double root;
    double a;
    double b;
    int active;
    double kernel;
    RingKernels{}(&r, &rho, &dr, &dz, &root, &a, &b, &active, &kernel, 1);
    return kernel;
}

// The ring kernel, its evaluations counted here and handed to fieldWork()
// once a whole matrix is done: the thread's counter is too dear to touch in
// the inner loop.
struct Rings {
    long evaluations = 0;
    double operator()(double r, double rho, double dr, double dz) {
        ++evaluations;
        return ringKernel(r, rho, dr, dz);
    }
    ~Rings() { fieldWork().ringPotentials += evaluations; }
};

// A batch of ring kernels (RingKernels). Capacity: how many it holds.
template <int Capacity> class RingBatch {
public:
    int size() const { return m_count; }
    bool full(int room) const { return m_count + room > Capacity; }
    void clear() { m_count = 0; }
    // The next kernel's rings; its value is (*this)[its index] once evaluated.
    void push(double r, double rho, double dr, double dz) {
        m_r[m_count] = r;
        m_rho[m_count] = rho;
        m_dr[m_count] = dr;
        m_dz[m_count] = dz;
        ++m_count;
    }
    double operator[](int k) const { return m_out[k]; }

    // The kernels evaluated and averaged by the charges given, one a kernel:
    // the potential of charge spread over their rings.
    double meanBy(const double* charges, Rings& rings) {
        evaluate(rings);
        double sum = 0;
        double weight = 0;
        for (int k = 0; k < m_count; ++k) {
            sum += charges[k] * m_out[k];
            weight += charges[k];
        }
        return sum / weight;
    }

    void evaluate(Rings& rings) {
        rings.evaluations += m_count;
        onWidestVectors<RingKernels>(m_r.data(), m_rho.data(), m_dr.data(), m_dz.data(),
                                     m_root.data(), m_a.data(), m_b.data(), m_active.data(),
                                     m_out.data(), m_count);
    }

private:
    int m_count = 0;
    // Left uninitialised: a batch is filled before it is read, and the small
    // ones are made for each band.
    std::array<double, Capacity> m_r, m_rho, m_dr, m_dz, m_a, m_b, m_root, m_out;
    std::array<int, Capacity> m_active;
};

// Pairs of bands far apart, the ring kernel at their middles (and their
// images') worked out a batch at a time. write(i, j, potential) receives each
// pair's potential once its batch is done; flush() finishes the last batch.
template <typename Write> class FarPairs {
public:
    FarPairs(Rings& rings, bool images, Write write)
        : m_rings(rings), m_images(images), m_write(write) {}

    void add(double r, double rho, double dr, double dz, double dzImage, int i, int j) {
        m_batch.push(r, rho, dr, dz);
        if (m_images)
            m_batch.push(r, rho, dr, dzImage);
        m_pairs[m_pairCount++] = {i, j};
        if (m_batch.full(2))
            flush();
    }

    void flush() {
        m_batch.evaluate(m_rings);
        const int each = m_images ? 2 : 1;
        for (int p = 0; p < m_pairCount; ++p) {
            double potential = m_batch[each * p];
            if (m_images)
                potential -= m_batch[each * p + 1];
            m_write(m_pairs[p].first, m_pairs[p].second, potential);
        }
        m_batch.clear();
        m_pairCount = 0;
    }

private:
    static constexpr int kBatch = 256;
    Rings& m_rings;
    bool m_images;
    Write m_write;
    RingBatch<kBatch> m_batch;
    int m_pairCount = 0;
    std::array<std::pair<int, int>, kBatch> m_pairs;
};

} // namespace

double ringPotential(double r, double z, double rho, double zeta) {
    return Rings()(r, rho, r - rho, z - zeta);
}

// Plain square roots: std::hypot's guard against overflow costs more than the
// whole ring kernel, and lengths here are metres.
Band::Band(double r0, double z0, double r1, double z1, double bow)
    : m_r0(r0), m_z0(z0), m_r1(r1), m_z1(z1), m_bow(bow),
      m_chord(std::sqrt((r1 - r0) * (r1 - r0) + (z1 - z0) * (z1 - z0))),
      m_offsetR(bow == 0 ? 0 : bow * (z1 - z0) / m_chord),
      m_offsetZ(bow == 0 ? 0 : -bow * (r1 - r0) / m_chord) {
    m_middle = {(r0 + r1) / 2 + m_offsetR, (z0 + z1) / 2 + m_offsetZ, m_chord};
}

// The parabola P(t) = M + t·(end 1 - end 0) - 4t²·offset, M the middle.
Band::Point Band::fromMiddle(double t) const {
    const double bend = 4 * t * t;
    return {t * (m_r1 - m_r0) - bend * m_offsetR, t * (m_z1 - m_z0) - bend * m_offsetZ,
            std::sqrt(m_chord * m_chord + 16 * bend * m_bow * m_bow)};
}

Band::Point Band::at(double t) const {
    const Point step = fromMiddle(t);
    return {m_middle.r + step.r, m_middle.z + step.z, step.stretch};
}

namespace {

// Four-point Gauss-Legendre on [0, 1]: enough for a neighbouring band, whose
// log-singular kernel a single midpoint would misjudge.
constexpr std::array<std::pair<double, double>, 4> kGauss{
    {{0.0694318442029737, 0.1739274225687269},
     {0.3300094782075719, 0.3260725774312731},
     {0.6699905217924281, 0.3260725774312731},
     {0.9305681557970263, 0.1739274225687269}}};

// Eight-point Gauss-Legendre on [0, 1], for a band's own potential.
constexpr std::array<std::pair<double, double>, 8> kGaussEight{
    {{0.0198550717512319, 0.0506142681451881},
     {0.1016667612931866, 0.1111905172266872},
     {0.2372337950418355, 0.1568533229389436},
     {0.4082826787521751, 0.1813418916891810},
     {0.5917173212478249, 0.1813418916891810},
     {0.7627662049581645, 0.1568533229389436},
     {0.8983332387068134, 0.1111905172266872},
     {0.9801449282487681, 0.0506142681451881}}};

// A band's own potential at its middle. The ring kernel there goes like
// ln(8r/d)/(pi·r) (Smythe 5.31, K(k) ~ ln(4/k') as k -> 1): within two radii
// of the middle each half of the band is integrated in u, the distance from
// the middle growing as u³ (weight 3u²), which leaves Gauss-Legendre a smooth
// integrand; beyond, on a band wider than its radius, where the kernel falls
// off as 1/distance, in the distance's logarithm. Within 1e-4 of the exact
// potential of a cylindrical band of any width; the narrow band's limit
// (ln(16r/l) + 1)/(pi·r) is 5 % off on a sphere's polar cap and turns
// negative on bands wider than 16·e radii, as a slender winding's are.
double selfPotential(Rings& rings, const Band& band) {
    const double r = band.r();
    // The two radii as a fraction of the half band.
    const double split = std::min(1.0, 4 * r / band.chord());
    RingBatch<4 * kGaussEight.size()> kernels;
    std::array<double, 4 * kGaussEight.size()> charges;
    // s: the distance from the middle as a fraction of the half band.
    const auto add = [&](double s, double ds) {
        for (const double half : {-0.5, 0.5}) {
            const Band::Point step = band.fromMiddle(half * s);
            const double rho = r + step.r;
            charges[kernels.size()] = ds * rho * step.stretch;
            kernels.push(r, rho, -step.r, -step.z);
        }
    };
    for (const auto& [u, w] : kGaussEight)
        add(split * u * u * u, split * w * 3 * u * u);
    if (split < 1) {
        const double span = std::log(1 / split);
        for (const auto& [v, w] : kGaussEight) {
            const double s = split * std::exp(span * v);
            add(s, w * span * s);
        }
    }
    return kernels.meanBy(charges.data(), rings);
}

double spreadPotential(Rings& rings, double r, double z, const Band& from, bool near) {
    if (!near)
        return rings(r, from.r(), r - from.r(), z - from.z());
    // Even surface density: the charge on each piece goes with its radius
    // and its length.
    RingBatch<kGauss.size()> kernels;
    std::array<double, kGauss.size()> charges;
    for (const auto& [t, w] : kGauss) {
        const Band::Point p = from.at(t - 0.5);
        charges[kernels.size()] = w * p.r * p.stretch;
        kernels.push(r, p.r, r - p.r, z - p.z);
    }
    return kernels.meanBy(charges.data(), rings);
}

// Whether a band lies near enough to another's middle for its charge to be
// spread over it rather than taken at its own middle: the same both ways.
bool near(const Band& at, const Band& from) {
    const double nearBy = 3 * std::max(at.chord(), from.chord());
    const double dr = at.r() - from.r();
    const double dz = at.z() - from.z();
    return dr * dr + dz * dz < nearBy * nearBy;
}

// bandPotential with the band's image given (none without the ground plane).
double potentialWithImage(Rings& rings, const Band& at, const Band& from, const Band* image) {
    const double r = at.r();
    const double z = at.z();
    double potential = at == from ? selfPotential(rings, from)
                                  : spreadPotential(rings, r, z, from, near(at, from));
    if (image)
        potential -= spreadPotential(rings, r, z, *image, near(at, *image));
    return potential;
}

// The bands' images in the ground plane, each made once for a whole matrix.
std::vector<Band> imagesOf(const std::vector<Band>& bands, bool grounded) {
    std::vector<Band> images;
    if (grounded)
        for (const Band& band : bands)
            images.push_back(band.mirrored());
    return images;
}

const Band* imageAt(const std::vector<Band>& images, std::size_t i) {
    return images.empty() ? nullptr : &images[i];
}

} // namespace

double bandPotential(const Band& at, const Band& from, bool grounded) {
    const Band image = from.mirrored();
    Rings rings;
    return potentialWithImage(rings, at, from, grounded ? &image : nullptr);
}

namespace {

// Whether two bands (with b's image, none without the ground plane) lie far
// enough apart, images too, for the ring kernel taken at their middles to
// stand for both ways: it is symmetric in the two rings, so the number is
// the same both ways, worked out once, and straight from the middles (an
// image's middle is the middle mirrored), as near() and potentialWithImage
// would take it but without their comparisons of whole bands, which cost as
// much as the kernel in a matrix of mostly far pairs. Two bands with the same
// middle are left to potentialWithImage, which knows a band's own potential.
bool farApart(const Band& a, const Band& b, bool image) {
    const double dr = a.r() - b.r();
    const double dz = a.z() - b.z();
    const double dzImage = a.z() + b.z();
    const double nearBy = 3 * std::max(a.chord(), b.chord());
    const double reach = nearBy * nearBy;
    return !(dr * dr + dz * dz < reach) && !(image && dr * dr + dzImage * dzImage < reach) &&
           (dr != 0 || dz != 0);
}

// Bands not far apart: the potentials both ways, each with its image.
std::pair<double, double> nearBothWays(Rings& rings, const Band& a, const Band* aImage,
                                       const Band& b, const Band* bImage) {
    const double atA = potentialWithImage(rings, a, b, bImage);
    const bool far = !near(a, b) && !(bImage && near(a, *bImage));
    return {atA, far ? atA : potentialWithImage(rings, b, a, aImage)};
}

// Each pair of a (rows) and b (columns) far apart to the batch, the rest
// worked out here; write(i, j, potential at a's band i, at b's band j).
template <typename Write>
void bothWays(const std::vector<Band>& a, const std::vector<Band>& b, bool grounded, bool triangle,
              Write write) {
    const std::vector<Band> aImages = imagesOf(a, grounded);
    const std::vector<Band> bImages = imagesOf(b, grounded);
    Rings rings;
    FarPairs pairs(rings, grounded,
                   [&write](int i, int j, double potential) { write(i, j, potential, potential); });
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = triangle ? i + 1 : 0; j < b.size(); ++j) {
            if (farApart(a[i], b[j], grounded)) {
                pairs.add(a[i].r(), b[j].r(), a[i].r() - b[j].r(), a[i].z() - b[j].z(),
                          a[i].z() + b[j].z(), int(i), int(j));
            } else {
                const auto [atA, atB] =
                    nearBothWays(rings, a[i], imageAt(aImages, i), b[j], imageAt(bImages, j));
                write(int(i), int(j), atA, atB);
            }
        }
    pairs.flush();
    if (triangle)
        for (std::size_t i = 0; i < a.size(); ++i) {
            const double self = potentialWithImage(rings, a[i], a[i], imageAt(aImages, i));
            write(int(i), int(i), self, self);
        }
}

} // namespace

PotentialMatrices potentialMatrices(const std::vector<Band>& a, const std::vector<Band>& b,
                                    bool grounded) {
    PotentialMatrices both{std::vector<double>(a.size() * b.size()),
                           std::vector<double>(b.size() * a.size())};
    const std::size_t rows = a.size();
    const std::size_t columns = b.size();
    bothWays(a, b, grounded, false, [&](int i, int j, double atA, double atB) {
        both.atA[i * columns + j] = atA;
        both.atB[j * rows + i] = atB;
    });
    return both;
}

std::vector<double> potentialMatrix(const std::vector<Band>& bands, bool grounded) {
    const std::size_t n = bands.size();
    std::vector<double> matrix(n * n);
    bothWays(bands, bands, grounded, true, [&](int i, int j, double atI, double atJ) {
        matrix[i * n + j] = atI;
        matrix[j * n + i] = atJ;
    });
    return matrix;
}

Factorised::Factorised(std::vector<double> matrix, int size)
    : m_lu(std::move(matrix)), m_pivot(size), m_size(size) {}

namespace {

// The loops of the dense solves, built twice (WideVectors.h). Every update
// runs along independent elements in a fixed order, so both builds give the
// same bits. The rows and columns updated are passed as restrict pointers, as
// they never overlap what is read: the compiler vectorises without a run-time
// overlap check before each short loop.

// target -= factor * source, element by element.
[[gnu::always_inline]] inline void subtractMultiple(double* __restrict target,
                                                    const double* __restrict source, double factor,
                                                    int count) {
    for (int j = 0; j < count; ++j)
        target[j] -= factor * source[j];
}

// Gaussian elimination with partial pivoting in place, the multipliers kept
// below the diagonal; false at a zero pivot.
struct Eliminate {
    [[gnu::always_inline]] bool operator()(double* lu, int* pivot, int size) const {
        const auto at = [lu, size](int i, int j) -> double& { return lu[i * size + j]; };
        for (int k = 0; k < size; ++k) {
            int best = k;
            for (int i = k + 1; i < size; ++i)
                if (std::abs(at(i, k)) > std::abs(at(best, k)))
                    best = i;
            // The column is zero from here down: the rows are not independent.
            if (at(best, k) == 0)
                return false;
            pivot[k] = best;
            if (best != k)
                for (int j = 0; j < size; ++j)
                    std::swap(at(k, j), at(best, j));
            for (int i = k + 1; i < size; ++i) {
                const double factor = at(i, k) /= at(k, k);
                subtractMultiple(&at(i, k + 1), &at(k, k + 1), factor, size - k - 1);
            }
        }
        return true;
    }
};

} // namespace

Solved<Factorised> Factorised::of(std::vector<double> matrix, int size) {
    Factorised f(std::move(matrix), size);
    if (!onWidestVectors<Eliminate>(f.m_lu.data(), f.m_pivot.data(), size))
        return Unsolved::ZeroPivot;
    f.m_columns.resize(f.m_lu.size());
    for (int i = 0; i < size; ++i)
        for (int j = 0; j < size; ++j)
            f.m_columns[j * size + i] = f.m_lu[i * size + j];
    return f;
}

namespace {

// Row i of the right-hand sides (rows of `columns`) less the rows from..to of
// them, each times factors[k], subtracted in the order of k as row-by-row
// elimination does: each element sees the same operations in the same order,
// so the answer is the same to the bit. The row is held a chunk of columns at
// a time in a local array, which no source row can alias: the compiler
// vectorises the subtraction along it without checking for overlap.
[[gnu::always_inline]] inline void subtractRows(double* target, const double* factors,
                                                const double* rows, int columns, int from, int to) {
    constexpr int kChunk = 32;
    for (int c0 = 0; c0 < columns; c0 += kChunk) {
        const int width = std::min(kChunk, columns - c0);
        double sum[kChunk];
        for (int c = 0; c < width; ++c)
            sum[c] = target[c0 + c];
        for (int k = from; k < to; ++k) {
            const double factor = factors[k];
            const double* source = rows + std::ptrdiff_t(k) * columns + c0;
            for (int c = 0; c < width; ++c)
                sum[c] -= factor * source[c];
        }
        for (int c = 0; c < width; ++c)
            target[c0 + c] = sum[c];
    }
}

// One right-hand side (values, pivots applied) through the factors'
// transpose.
struct SolveOne {
    [[gnu::always_inline]] void operator()(double* values, const double* columns, int n) const {
        for (int k = 0; k < n; ++k) {
            const double* column = columns + std::ptrdiff_t(k) * n;
            const double known = values[k];
            subtractMultiple(values + k + 1, column + k + 1, known, n - k - 1);
        }
        for (int j = n - 1; j >= 0; --j) {
            const double* column = columns + std::ptrdiff_t(j) * n;
            const double known = values[j] /= column[j];
            subtractMultiple(values, column, known, j);
        }
    }
};

// Many right-hand sides (rows of `columns`, pivots applied) through the
// factors in rows.
struct SolveMany {
    [[gnu::always_inline]] void operator()(double* x, const double* lu, int n, int columns) const {
        const auto row = [x, columns](int i) { return x + std::ptrdiff_t(i) * columns; };
        // Each row less the rows above it (forward), then, from the bottom,
        // less the rows below it (back), taken a whole row at a time.
        for (int i = 1; i < n; ++i)
            subtractRows(row(i), lu + std::ptrdiff_t(i) * n, x, columns, 0, i);
        for (int i = n - 1; i >= 0; --i) {
            const double* factors = lu + std::ptrdiff_t(i) * n;
            double* target = row(i);
            subtractRows(target, factors, x, columns, i + 1, n);
            const double pivot = factors[i]; // held: target could alias it
            for (int c = 0; c < columns; ++c)
                target[c] /= pivot;
        }
    }
};

// target less a·b, a row of target at a time.
struct SubtractProduct {
    [[gnu::always_inline]] void operator()(double* target, const double* a, const double* b,
                                           int rows, int inner, int columns) const {
        for (int i = 0; i < rows; ++i)
            subtractRows(target + std::ptrdiff_t(i) * columns, a + std::ptrdiff_t(i) * inner, b,
                         columns, 0, inner);
    }
};

} // namespace

void subtractProduct(double* target, const double* a, const double* b, int rows, int inner,
                     int columns) {
    onWidestVectors<SubtractProduct>(target, a, b, rows, inner, columns);
}

// One right-hand side, a column of the factors at a time (their transpose,
// m_columns): each step subtracts a multiple of one unknown from all the
// rows still to come, independent updates the compiler vectorises, where a
// row at a time would chain every subtraction of the solve on the one before.
// The forward steps subtract in the order solveMany does; the back steps in
// the reverse order, which moves a figure by rounding alone.
std::vector<double> Factorised::solve(std::vector<double> x) const {
    for (int k = 0; k < m_size; ++k)
        std::swap(x[k], x[m_pivot[k]]);
    onWidestVectors<SolveOne>(x.data(), m_columns.data(), m_size);
    return x;
}

std::vector<double> Factorised::solveMany(std::vector<double> x, int columns) const {
    // The factorisation swapped whole rows, multipliers included: the
    // multipliers stand in the rows' final order, so every swap comes first.
    for (int k = 0; k < m_size; ++k)
        if (m_pivot[k] != k)
            std::swap_ranges(x.data() + std::ptrdiff_t(k) * columns,
                             x.data() + std::ptrdiff_t(k + 1) * columns,
                             x.data() + std::ptrdiff_t(m_pivot[k]) * columns);
    onWidestVectors<SolveMany>(x.data(), m_lu.data(), m_size, columns);
    return x;
}

} // namespace resonex::physics
