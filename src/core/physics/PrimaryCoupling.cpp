#include "core/physics/PrimaryCoupling.h"

#include "core/physics/RingCharge.h"
#include "core/physics/RootSearch.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace resonex::physics {

namespace {

constexpr double kMu0 = 4e-7 * std::numbers::pi;

// The height search: within a few winding heights of the winding; its peak
// found to a thousandth of the winding's height (the coupling is flat
// there); the height closed in on until the coupling is within 1e-7 of the
// one asked for (far below the 3 figures shown) or the height within a
// ten-millionth of the winding's.
constexpr double kReach = 3;
constexpr double kPeakWithin = 1e-3;
constexpr double kCouplingWithin = 1e-7;
constexpr double kHeightWithin = 1e-7;
constexpr int kHeightSteps = 40;

// The secondary as ceil(N) rings evenly spread over its height, at the
// middles of equal slices, each carrying N/ceil(N) of the ampere-turns: N
// whole rings when N is whole; a fraction of a turn spreads over the rest
// (a change of order 1/N, nothing for a secondary's hundreds of turns).
struct SecondaryRings {
    double count;
    double spacing;
    double share;
};

SecondaryRings secondaryRings(const SecondaryTurns& s) {
    const double count = std::max(1.0, std::ceil(s.turns));
    return {count, s.height / count, s.turns / count};
}

// Ls's sum over separations taken term by term up to this many rings; past
// it, the first separations term by term and the rest as an integral with
// Gregory's end corrections (kNearRings, kGregory), in a time that does not
// grow with the turns.
constexpr double kSummedRings = 16384;
constexpr int kNearRings = 32;
// Gregory's coefficients, the trapezoidal sum less the integral in forward
// and backward differences (Gregory's formula; Hildebrand, "Introduction to
// Numerical Analysis", 1956): to the fifth differences, the terms at
// kNearRings varying like a logarithm, the sum comes out as the term-by-term
// one to about 1e-12 (measured from 16 385 to 10^6 rings).
constexpr double kGregory[] = {1.0 / 12, 1.0 / 24, 19.0 / 720, 3.0 / 160, 863.0 / 60480};

// Lp after each whole turn: Lp(n) = sum over i, j <= n of M_ij, M_ii a turn's
// own, each new turn adding its own and twice its mutual with those before.
std::vector<double> primaryInductances(const PrimaryTurns& p) {
    std::vector<double> inductances;
    std::vector<TurnCentre> centres;
    const double a = p.conductorDiameter / 2;
    double total = 0;
    for (int n = 1; n <= p.turns; ++n) {
        const TurnCentre c = turnCentre(p, n);
        total += ringSelfInductance(c.r, a);
        for (const TurnCentre& before : centres)
            total += 2 * ringMutualInductance(before.r, c.r, c.z - before.z);
        centres.push_back(c);
        inductances.push_back(total);
    }
    return inductances;
}

// M after each whole turn: each turn's mutual with the winding taken as a
// current sheet of its turns per metre (ringSheetMutualInductance), in a
// time that does not grow with the turns.
std::vector<double> mutualInductances(const PrimaryTurns& p, const SecondaryTurns& s) {
    std::vector<double> mutuals;
    double total = 0;
    for (int n = 1; n <= p.turns; ++n) {
        const TurnCentre c = turnCentre(p, n);
        total += ringSheetMutualInductance(c.r, c.z, s);
        mutuals.push_back(total);
    }
    return mutuals;
}

// Bulirsch's general complete elliptic integral, for p > 0 (R. Bulirsch,
// "Numerical calculation of elliptic integrals and elliptic functions. III",
// Numer. Math. 13, 1969; Press et al., "Numerical Recipes", routine cel):
// cel(kc, p, a, b) = integral over 0..pi/2 of (a·cos² + b·sin²) /
// ((cos² + p·sin²)·sqrt(cos² + kc²·sin²)). A Gauss-Landen transformation
// converging quadratically: the last step's error is the square of the
// tolerance, here far below a double's.
double cel(double kc, double p, double a, double b) {
    constexpr double kTolerance = 1e-9;
    double q = std::abs(kc);
    double e = q;
    double em = 1;
    p = std::sqrt(p);
    b /= p;
    for (;;) {
        const double f = a;
        a += b / p;
        double g = e / p;
        b = 2 * (b + f * g);
        p += g;
        g = em;
        em += q;
        if (std::abs(g - q) <= g * kTolerance)
            break;
        q = 2 * std::sqrt(e);
        e = q * em;
    }
    return std::numbers::pi / 2 * (b + a * em) / (em * (em + p));
}

// The integral over the axial offset z, from 0, of ringMutualInductance(a,
// rho, z): a ring against a current sheet of one ampere-turn a metre, the
// coaxial circle and single-layer coil of Grover ("Inductance Calculations",
// 1946), here in Bulirsch's form. Neumann's integral, mu0·a·rho/2 times the
// integral over phi of cos(phi)/sqrt(D² + z²), D² = a² + rho² -
// 2·a·rho·cos(phi), taken over z gives asinh(z/D); by parts in phi that is
// (mu0·a²·rho²·z/2)·integral over 0..2·pi of sin²(phi)/(D²·sqrt(D² + z²)),
// with phi = pi - 2·theta a complete elliptic integral of the third kind:
//   2·mu0·a·rho·(z/m)·(cel(kc, 1, 0, 1) - p·cel(kc, p, 0, 1)),
// m² = (a + rho)² + z², kc² = ((a - rho)² + z²)/m², p = ((a - rho)/(a + rho))²
// (1 - p the characteristic). kc and p from the rings' own distances keep
// rings close together in full precision; at p = 0 the second term vanishes.
// Checked against Maxwell's kernel integrated numerically to 1e-12
// (validation/ring_sheet_exact.py).
double ringMutualIntegral(double a, double rho, double z) {
    if (z == 0)
        return 0;
    const double m = std::hypot(a + rho, z);
    const double kc = std::hypot(a - rho, z) / m;
    const double ratio = (a - rho) / (a + rho);
    const double p = ratio * ratio;
    const double third = p > 0 ? p * cel(kc, p, 0, 1) : 0;
    return 2 * kMu0 * a * rho * z / m * (cel(kc, 1, 0, 1) - third);
}

// Where f peaks between low and high, f rising to its peak and falling past
// it: golden-section search (Kiefer, "Sequential minimax search for a
// maximum", Proc. AMS 4, 1953), to within `within`.
template <typename F> double peakOf(const F& f, double low, double high, double within) {
    if (high - low <= within)
        return (low + high) / 2;
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double a = high - ratio * (high - low);
    double b = low + ratio * (high - low);
    double fa = f(a);
    double fb = f(b);
    while (high - low > within) {
        if (fa < fb) {
            low = a;
            a = b;
            fa = fb;
            b = low + ratio * (high - low);
            fb = f(b);
        } else {
            high = b;
            b = a;
            fb = fa;
            a = high - ratio * (high - low);
            fa = f(a);
        }
    }
    return (low + high) / 2;
}

CouplingListing listingOf(const std::vector<double>& lp, double ls, const std::vector<double>& m) {
    CouplingListing listing{ls, {}};
    for (std::size_t i = 0; i < lp.size(); ++i)
        listing.turns.push_back({double(i + 1), lp[i], m[i], m[i] / std::sqrt(lp[i] * ls)});
    return listing;
}

} // namespace

TurnCentre turnCentre(const PrimaryTurns& p, int k) {
    // Flat and helical exactly: cos(pi/2) is not 0 in doubles.
    double along = 1;
    double up = 0;
    if (p.shape == PrimaryShape::Helical) {
        along = 0;
        up = 1;
    } else if (p.shape == PrimaryShape::Conical) {
        const double angle = p.angleDegrees * std::numbers::pi / 180;
        along = std::cos(angle);
        up = std::sin(angle);
    }
    const double step = (k - 1) * p.pitch;
    return {p.innerRadius + step * along, p.innerHeight + step * up};
}

// Maxwell's closed form for two coaxial circles ("A Treatise on Electricity
// and Magnetism", 1873, vol. 2; Grover, "Inductance Calculations", 1946): M = mu0·sqrt(r1·r2)·((2/k
// - k)·K(k) - (2/k)·E(k)), with k^2 = 4·r1·r2/((r1 + r2)^2 + d^2). The complementary modulus is
// taken from the rings' own distance, so rings close together keep their precision.
// Lorenz's formula for the current sheet in Nagaoka's form (H. Nagaoka, "The
// inductance coefficients of solenoids", J. Coll. Sci. Tokyo 27, 1909; Rosa
// and Grover, "Formulas and tables for the calculation of mutual and self-
// inductance", Bull. Bureau of Standards 8, 1912, eq. 75): L = mu0·pi·r²·l·K
// per (turn per metre)², K = (4/(3·pi·k'))·((k'²/k²)·(K(k) - E(k)) + E(k) - k),
// k = 2r/sqrt(4r² + l²). Checked against the double integral of the ring
// kernel below to 1e-6.
double sheetInductance(double r, double l) {
    if (l <= 0)
        return 0;
    const double diagonal = std::hypot(2 * r, l);
    const double k = 2 * r / diagonal;
    const double kp = l / diagonal;
    const EllipticIntegrals e = ellipticIntegrals(kp);
    const double nagaoka =
        4 / (3 * std::numbers::pi * kp) * (kp * kp / (k * k) * (e.first - e.second) + e.second - k);
    return kMu0 * std::numbers::pi * r * r * l * nagaoka;
}

double ringMutualInductance(double r1, double r2, double d) {
    const double far2 = (r1 + r2) * (r1 + r2) + d * d;
    const double near2 = (r1 - r2) * (r1 - r2) + d * d;
    const double k = std::sqrt(4 * r1 * r2 / far2);
    const EllipticIntegrals e = ellipticIntegrals(std::sqrt(near2 / far2));
    return kMu0 * std::sqrt(r1 * r2) * ((2 / k - k) * e.first - 2 / k * e.second);
}

// The sheet's turns per metre times the integral of the ring kernel over its
// height: the winding's ampere-turns spread evenly, as in secondaryInductance.
double ringSheetMutualInductance(double r, double z, const SecondaryTurns& s) {
    const double radius = s.diameter / 2;
    return s.turns / s.height *
           (ringMutualIntegral(r, radius, z) - ringMutualIntegral(r, radius, z - s.height));
}

// A circular ring of round conductor with the current on its surface, as at
// radio frequencies: mu0·r·(ln(8r/a) - 2), for a much smaller than r
// (Grover, "Inductance Calculations", 1946, the circular ring; -7/4 in place
// of -2 with the current spread evenly over the section).
double ringSelfInductance(double r, double a) { return kMu0 * r * (std::log(8 * r / a) - 2); }

// The uniform-current sum over the rings: evenly spaced on one radius, their
// mutuals depend on the separation alone, so Ls = q²·(n·Lself + 2·sum over
// d of (n - d)·M(d·spacing)), q each ring's share of the turns.
double secondaryInductance(const SecondaryTurns& s) {
    const SecondaryRings rings = secondaryRings(s);
    const double n = rings.count;
    const double radius = s.diameter / 2;
    const auto term = [&](double d) {
        return (n - d) * ringMutualInductance(radius, radius, d * rings.spacing);
    };
    double sum = n * ringSelfInductance(radius, s.wireDiameter / 2);
    if (n <= kSummedRings) {
        for (int d = 1; d < n; ++d)
            sum += 2.0 * term(d);
    } else {
        // Separations D = kNearRings to n: the trapezoidal sum is the
        // integral of (n - x)·M(x·spacing) over x from D to n plus Gregory's
        // corrections; term(n) is 0. With y = x·spacing and delta = D·spacing,
        // the integral of (h - y)·M(y) over delta..h is half the sheet's own
        // over h, less half that over delta, less (h - delta) times M's
        // integral over 0..delta (sheetInductance being twice the integral
        // of (l - y)·M(y) over 0..l).
        const int near = kNearRings;
        double nearSum = 0;
        for (int d = 1; d < near; ++d)
            nearSum += term(d);
        const double h = s.height;
        const double delta = near * rings.spacing;
        const double integral = (sheetInductance(radius, h) - sheetInductance(radius, delta)) / 2 -
                                (h - delta) * ringMutualIntegral(radius, radius, delta);
        double trapezoid = integral / (rings.spacing * rings.spacing);
        // The differences at both ends: forward from D, backward from n.
        constexpr int order = std::size(kGregory);
        double low[order + 1];
        double high[order + 1];
        for (int j = 0; j <= order; ++j) {
            low[j] = term(near + j);
            high[j] = term(n - j);
        }
        for (int j = 0; j < order; ++j) {
            for (int i = 0; i < order - j; ++i) {
                low[i] = low[i + 1] - low[i];
                high[i] = high[i] - high[i + 1];
            }
            // Odd differences enter as (backward - forward), even ones as
            // their sum.
            trapezoid += kGregory[j] * (j % 2 == 0 ? high[0] - low[0] : high[0] + low[0]);
        }
        sum += 2 * (nearSum + trapezoid + term(near) / 2);
    }
    return rings.share * rings.share * sum;
}

CouplingListing couplingListing(const PrimaryTurns& primary, const SecondaryTurns& secondary) {
    return listingOf(primaryInductances(primary), secondaryInductance(secondary),
                     mutualInductances(primary, secondary));
}

// Lp rises with every turn: the first turn past the inductance closes its
// span.
Solved<double> turnForInductance(const CouplingListing& listing, double inductance) {
    const std::vector<CouplingAtTurn>& turns = listing.turns;
    if (turns.empty() || !(inductance >= turns.front().primaryInductance))
        return Unsolved::BelowFirstTurn;
    if (inductance > turns.back().primaryInductance)
        return Unsolved::BeyondLastTurn;
    const auto past = std::find_if(turns.begin(), turns.end(), [&](const CouplingAtTurn& t) {
        return t.primaryInductance >= inductance;
    });
    if (past == turns.begin())
        return past->turn;
    const CouplingAtTurn& before = *(past - 1);
    return before.turn + (inductance - before.primaryInductance) /
                             (past->primaryInductance - before.primaryInductance);
}

Solved<CouplingAtTurn> atTurn(const CouplingListing& listing, double turn) {
    const std::vector<CouplingAtTurn>& turns = listing.turns;
    if (turns.empty() || !(turn >= 1))
        return Unsolved::BelowFirstTurn;
    if (turn > double(turns.size()))
        return Unsolved::BeyondLastTurn;
    const std::size_t whole = std::min(turns.size() - 1, static_cast<std::size_t>(turn) - 1);
    const CouplingAtTurn& low = turns[whole];
    const double f = turn - low.turn;
    if (f == 0)
        return low;
    const CouplingAtTurn& high = turns[whole + 1];
    const auto between = [f](double a, double b) { return a + f * (b - a); };
    return CouplingAtTurn{turn, between(low.primaryInductance, high.primaryInductance),
                          between(low.mutualInductance, high.mutualInductance),
                          between(low.k, high.k)};
}

CoupledModes coupledModes(double f0, double k) {
    return {f0 / std::sqrt(1 + k), f0 / std::sqrt(1 - k)};
}

// Each turn's mutual with the secondary (its current sheet spread evenly
// about the winding's middle) is symmetric about the middle and largest
// there: the tapped primary's coupling peaks between its lowest and highest
// turns at the middle, rising below and falling above. The uniform current is what the
// coupling is defined by; a running coil's current, falling up the winding,
// would bring the peak lower. The height is sought on the side of the peak on
// which the primary stands, which is the low side for any usual primary.
Solved<double> innerHeightForCoupling(const PrimaryTurns& primary, const SecondaryTurns& secondary,
                                      double turn, double k) {
    if (!(turn >= 1))
        return Unsolved::BelowFirstTurn;
    if (turn > primary.turns)
        return Unsolved::BeyondLastTurn;
    PrimaryTurns tapped = primary;
    tapped.turns = std::min(primary.turns, static_cast<int>(std::ceil(turn)));
    const std::vector<double> lp = primaryInductances(tapped);
    const double ls = secondaryInductance(secondary);
    const auto couplingAt = [&](double height) {
        tapped.innerHeight = height;
        return atTurn(listingOf(lp, ls, mutualInductances(tapped, secondary)), turn)->k;
    };
    // The middle of the winding against the tapped turns' rise above the first.
    const double middle = secondary.height / 2;
    const double rise = turnCentre(tapped, tapped.turns).z - tapped.innerHeight;
    const double peak = peakOf(couplingAt, middle - rise, middle, kPeakWithin * secondary.height);
    const double atPeak = couplingAt(peak);
    const bool below = primary.innerHeight <= peak;
    const double end = below ? -kReach * secondary.height - rise : (1 + kReach) * secondary.height;
    const double atEnd = couplingAt(end);
    if (!(k <= atPeak))
        return Unsolved::CouplingTooHigh;
    if (!(k >= atEnd))
        return Unsolved::CouplingTooLow;
    // Rising towards the peak from below, falling beyond it: f(low) <= 0 <= f(high).
    const double sign = below ? 1 : -1;
    const auto f = [&](double height) -> Solved<double> { return sign * (couplingAt(height) - k); };
    const RootTolerance tolerance{kCouplingWithin, kHeightWithin * secondary.height, kHeightSteps};
    const Solved<double> height =
        below ? illinoisRoot(f, end, atEnd - k, peak, atPeak - k, tolerance)
              : illinoisRoot(f, peak, k - atPeak, end, k - atEnd, tolerance);
    if (!height)
        return height;
    PrimaryTurns found = primary;
    found.innerHeight = *height;
    if (primaryCutsIntoCoil(found, secondary, TopLoad{}))
        return Unsolved::CutsIntoWinding;
    return height;
}

bool primaryCutsIntoCoil(const PrimaryTurns& primary, const SecondaryTurns& secondary,
                         const TopLoad& top, double baseHeight) {
    const double a = primary.conductorDiameter / 2;
    // The top load's cross-section: a circle standing off the axis by ring.
    const bool sphere = top.shape == Shape::Sphere;
    const double loadRadius = (sphere ? top.majorDiameter : top.minorDiameter) / 2;
    const double ring = sphere ? 0 : (top.majorDiameter - top.minorDiameter) / 2;
    const double loadZ = secondary.height + top.centreAbove;
    for (int n = 1; n <= primary.turns; ++n) {
        const TurnCentre c = turnCentre(primary, n);
        if (c.z + baseHeight < a)
            return true;
        // The nearest point of the winding's cylinder, in the r-z plane.
        const double dr = std::max(0.0, c.r - secondary.diameter / 2);
        const double dz = std::max({0.0, -c.z, c.z - secondary.height});
        if (dr * dr + dz * dz < a * a)
            return true;
        const double reach = a + loadRadius;
        const double lr = c.r - ring;
        const double lz = c.z - loadZ;
        if (top.shape != Shape::None && lr * lr + lz * lz < reach * reach)
            return true;
    }
    return false;
}

} // namespace resonex::physics
