#include "core/physics/RingCharge.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace resonex::physics {

double ellipticK(double complementaryModulus) {
    double a = 1.0;
    double b = complementaryModulus;
    while (std::abs(a - b) > 1e-15 * a) {
        const double mean = (a + b) / 2;
        b = std::sqrt(a * b);
        a = mean;
    }
    return std::numbers::pi / (2 * a);
}

double ringPotential(double r, double z, double rho, double zeta) {
    const double dz2 = (z - zeta) * (z - zeta);
    const double far2 = (r + rho) * (r + rho) + dz2;
    const double near2 = (r - rho) * (r - rho) + dz2;
    return 2 / std::numbers::pi * ellipticK(std::sqrt(near2 / far2)) / std::sqrt(far2);
}

// Plain square roots: std::hypot's guard against overflow costs more than the
// whole ring kernel, and lengths here are metres.
double Band::length() const { return std::sqrt((r1 - r0) * (r1 - r0) + (z1 - z0) * (z1 - z0)); }

namespace {

// Four-point Gauss-Legendre on [0, 1]: enough for a neighbouring band, whose
// log-singular kernel a single midpoint would misjudge.
constexpr std::array<std::pair<double, double>, 4> kGauss{
    {{0.0694318442029737, 0.1739274225687269},
     {0.3300094782075719, 0.3260725774312731},
     {0.6699905217924281, 0.3260725774312731},
     {0.9305681557970263, 0.1739274225687269}}};

// A band's own potential at its middle: the ring kernel near a ring goes like
// ln(8r/d)/(pi·r), which averaged over the band's width l gives
// (ln(16r/l) + 1)/(pi·r) (Smythe 5.31 with K(k) ~ ln(4/k') as k -> 1).
double selfPotential(const Band& band) {
    const double r = band.r();
    return (std::log(16 * r / band.length()) + 1) / (std::numbers::pi * r);
}

double spreadPotential(double r, double z, const Band& from, bool near) {
    if (!near)
        return ringPotential(r, z, from.r(), from.z());
    // Even surface density: the charge on each piece goes with its radius.
    double sum = 0;
    double weight = 0;
    for (const auto& [t, w] : kGauss) {
        const double rho = from.r0 + t * (from.r1 - from.r0);
        const double zeta = from.z0 + t * (from.z1 - from.z0);
        sum += w * rho * ringPotential(r, z, rho, zeta);
        weight += w * rho;
    }
    return sum / weight;
}

// Whether a band lies near enough to another's middle for its charge to be
// spread over it rather than taken at its own middle: the same both ways.
bool near(const Band& at, const Band& from) {
    const double nearBy = 3 * std::max(at.length(), from.length());
    const double dr = at.r() - from.r();
    const double dz = at.z() - from.z();
    return dr * dr + dz * dz < nearBy * nearBy;
}

Band imageOf(const Band& band) { return {band.r0, -band.z0, band.r1, -band.z1}; }

} // namespace

double bandPotential(const Band& at, const Band& from, bool grounded) {
    const double r = at.r();
    const double z = at.z();
    double potential =
        at == from ? selfPotential(from) : spreadPotential(r, z, from, near(at, from));
    if (grounded) {
        const Band image = imageOf(from);
        potential -= spreadPotential(r, z, image, near(at, image));
    }
    return potential;
}

PotentialMatrices potentialMatrices(const std::vector<Band>& a, const std::vector<Band>& b,
                                    bool grounded) {
    PotentialMatrices both{std::vector<double>(a.size() * b.size()),
                           std::vector<double>(b.size() * a.size())};
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) {
            double& atA = both.atA[i * b.size() + j];
            double& atB = both.atB[j * a.size() + i];
            atA = bandPotential(a[i], b[j], grounded);
            // Far apart (image too), the ring kernel taken at the middles is
            // symmetric in the two rings: the same number both ways.
            const bool far = !near(a[i], b[j]) && !(grounded && near(a[i], imageOf(b[j])));
            atB = far ? atA : bandPotential(b[j], a[i], grounded);
        }
    return both;
}

std::vector<double> potentialMatrix(const std::vector<Band>& at, const std::vector<Band>& from,
                                    bool grounded) {
    std::vector<double> matrix(at.size() * from.size());
    for (std::size_t i = 0; i < at.size(); ++i)
        for (std::size_t j = 0; j < from.size(); ++j)
            matrix[i * from.size() + j] = bandPotential(at[i], from[j], grounded);
    return matrix;
}

Factorised::Factorised(std::vector<double> matrix, int size)
    : m_lu(std::move(matrix)), m_pivot(size), m_size(size) {
    const auto at = [this](int i, int j) -> double& { return m_lu[i * m_size + j]; };
    for (int k = 0; k < size; ++k) {
        int best = k;
        for (int i = k + 1; i < size; ++i)
            if (std::abs(at(i, k)) > std::abs(at(best, k)))
                best = i;
        m_pivot[k] = best;
        if (best != k)
            for (int j = 0; j < size; ++j)
                std::swap(at(k, j), at(best, j));
        for (int i = k + 1; i < size; ++i) {
            const double factor = at(i, k) /= at(k, k);
            for (int j = k + 1; j < size; ++j)
                at(i, j) -= factor * at(k, j);
        }
    }
}

std::vector<double> Factorised::solve(std::vector<double> x) const {
    const auto at = [this](int i, int j) { return m_lu[i * m_size + j]; };
    for (int k = 0; k < m_size; ++k) {
        std::swap(x[k], x[m_pivot[k]]);
        for (int i = k + 1; i < m_size; ++i)
            x[i] -= at(i, k) * x[k];
    }
    for (int i = m_size - 1; i >= 0; --i) {
        for (int j = i + 1; j < m_size; ++j)
            x[i] -= at(i, j) * x[j];
        x[i] /= at(i, i);
    }
    return x;
}

} // namespace resonex::physics
