#pragma once

#include "core/physics/Solved.h"

#include <vector>

// The potential of axisymmetric rings and bands of charge, and the charges on
// a set of bands held at given potentials. Lengths in metres; potentials in
// units where 4·pi·epsilon0 = 1 (a charge q at distance d gives q/d).
namespace resonex::physics {

// The complete elliptic integral of the first kind K(k), given the
// complementary modulus k' = sqrt(1 - k^2), by the arithmetic-geometric mean
// (Abramowitz & Stegun, "Handbook of Mathematical Functions", 1964, 17.6).
// Taking k' directly keeps full precision for rings nearly on top of each
// other, where k -> 1 and K grows like ln(4/k').
double ellipticK(double complementaryModulus);

// Both complete elliptic integrals, K(k) and E(k), from one arithmetic-
// geometric mean, given k' as above (Abramowitz & Stegun 17.6.3-4: E = K·(1 -
// sum over n of 2^(n-1)·c_n^2), c_0 = k). ellipticK stays apart, without E's
// sums, for the ring kernel's inner loop.
struct EllipticIntegrals {
    double first;  // K
    double second; // E
};
EllipticIntegrals ellipticIntegrals(double complementaryModulus);

// The potential at (r, z) of a unit charge spread evenly round the ring of
// radius rho at height zeta: (2/pi)·K(k)/sqrt((r+rho)^2 + (z-zeta)^2) with
// k^2 = 4·r·rho/((r+rho)^2 + (z-zeta)^2) (Smythe, "Static and Dynamic
// Electricity", 1950, 5.31; Jackson, "Classical Electrodynamics", 3.3).
double ringPotential(double r, double z, double rho, double zeta);

// A band: a piece of the generating curve from end 0 to end 1, swept round
// the axis. A piece of a curved surface bows out of its chord: its middle
// stands bow off the chord's middle, to the right going from end 0 to end 1
// (outward on a curve run anticlockwise), and the piece is the parabola
// through its ends and its middle, close to the curve's own arc.
class Band {
public:
    Band(double r0, double z0, double r1, double z1, double bow = 0);

    // A point of the band, t from -1/2 (end 0) through 0 (the middle) to 1/2
    // (end 1); stretch is its speed |dP/dt|. fromMiddle gives its offset
    // from the middle, which keeps points close to the middle their distance
    // from it in full precision.
    struct Point {
        double r, z, stretch;
        bool operator==(const Point&) const = default;
    };
    Point at(double t) const;
    Point fromMiddle(double t) const;
    // The middle, where the band's potential is matched: on the surface.
    double r() const { return m_middle.r; }
    double z() const { return m_middle.z; }
    double chord() const { return m_chord; }
    // The band's mirror image in the plane z = 0.
    Band mirrored() const { return {m_r0, -m_z0, m_r1, -m_z1, -m_bow}; }
    bool operator==(const Band&) const = default;

private:
    double m_r0, m_z0, m_r1, m_z1, m_bow;
    double m_chord;
    // The bow's offset from the chord's middle, and the middle it gives.
    double m_offsetR, m_offsetZ;
    Point m_middle;
};

// The potential at the middle of band `at` of a unit charge spread over band
// `from` with even surface density (a band's own, found by equality,
// integrated through the kernel's singularity at the middle); the ground plane
// z = 0 (when grounded) by an image of opposite charge (the method of images,
// Jackson 2.2).
double bandPotential(const Band& at, const Band& from, bool grounded);

// The matrices of bandPotential both ways between two sets of bands (atA:
// rows a's bands, columns b's; atB the other way), each pair far apart worked
// out once.
struct PotentialMatrices {
    std::vector<double> atA;
    std::vector<double> atB;
};
PotentialMatrices potentialMatrices(const std::vector<Band>& a, const std::vector<Band>& b,
                                    bool grounded);

// A dense square matrix in rows, factorised once (LU with partial pivoting)
// and solved for many right-hand sides.
class Factorised {
public:
    // ZeroPivot where the matrix has no single solution.
    static Solved<Factorised> of(std::vector<double> matrix, int size);
    std::vector<double> solve(std::vector<double> rhs) const;
    // Many right-hand sides at once, the columns of a matrix in rows (size
    // rows of `columns`): each column as solve gives it (to rounding: the two
    // sum the back steps in opposite orders), the matrix read once.
    std::vector<double> solveMany(std::vector<double> rhs, int columns) const;
    int size() const { return m_size; }

private:
    Factorised(std::vector<double> matrix, int size);

    std::vector<double> m_lu;
    std::vector<double> m_columns; // m_lu transposed, for solve
    std::vector<int> m_pivot;
    int m_size = 0;
};

// target less the product a·b (rows x inner times inner x columns, each
// matrix in rows), row by row as solveMany subtracts.
void subtractProduct(double* target, const double* a, const double* b, int rows, int inner,
                     int columns);

// The matrix of bandPotential of a set of bands with itself (rows: at), each
// pair far apart worked out once as in potentialMatrices.
std::vector<double> potentialMatrix(const std::vector<Band>& bands, bool grounded);

} // namespace resonex::physics
