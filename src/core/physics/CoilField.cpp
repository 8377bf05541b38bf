#include "core/physics/CoilField.h"

#include "core/physics/FieldWork.h"

#include "core/physics/PrimaryCoupling.h"
#include "core/physics/RingCharge.h"
#include "core/physics/RootSearch.h"
#include "core/physics/TopLoadClearance.h"
#include "core/physics/WindingFormulas.h"
#include "core/text/LengthUnit.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <span>

// The secondary's running frequencies from its electrostatic field: an
// axisymmetric boundary-element (method of moments) solution in which the
// winding is a cylindrical sheet of rings, the top load's surface is at the
// top voltage, the grounded metal around the coil (the primary's turns, a
// strike rail, a ceiling and walls) is at 0, and the floor is a ground plane
// represented by images (Harrington, "Field Computation by Moment Methods",
// 1968; the ring kernel in RingCharge.h). The voltage along the winding is not
// assumed: it is solved with the frequency as the lowest mode of the winding
// as a line whose bands are coupled by their mutual inductances
// (modeOmegaSquared). The effective capacitances are those that resonate the
// winding's low-frequency inductance at the frequencies found.
namespace resonex::physics {

namespace {

constexpr double kEpsilon0 = 8.8541878128e-12;
constexpr double kFourPiEpsilon0 = 4 * std::numbers::pi * kEpsilon0;
// Enough bands to put the capacitances within a fraction of a percent of
// their converged values, few enough to solve in well under a millisecond.
constexpr int kWindingBands = 40;
constexpr int kLoadBands = 24;
// A round conductor's tube (addTube): the rail's in eight arcs, alone within
// 0.02 % of the exact ring and, 7 mm from a toroid, the loaded frequency
// within 0.03 % of 32 arcs; each of the primary's turns, which are many, in
// four: a lone turn reads 0.04 to 0.14 % low, but in its row, its neighbours
// shielding it, the loaded frequency is within 0.02 % of 16 arcs. Two arcs
// would take half the time a design with a primary takes, but read a lone
// turn 0.5 to 1.3 % low (validation/).
constexpr int kRailArcs = 8;
constexpr int kTurnArcs = 4;
// A ceiling's and the walls' bands, each this fraction of its distance from
// the winding long (addGraded): 0.3 puts the loaded frequency within 0.05 %
// of four times the bands, near walls and ceilings or far (validation/);
// 0.5 would leave 0.4 %. A plate is taken no nearer than kNearestPlate of
// the winding's larger dimension, about the winding's own bands' length
// there, which no finer bands on the plate could make up for: a wall
// touching the winding then takes about 70 bands along it, not millions. A
// ceiling without walls reaches out to kCeilingReach times its height.
constexpr double kRoomBandPerDistance = 0.3;
constexpr double kNearestPlate = 0.05;
constexpr double kCeilingReach = 4;
// The overall diameters a toroid for a wanted frequency is sought within.
constexpr double kSmallestToroid = 0.01;
constexpr double kLargestToroid = 10.0;
// The search, on the logarithms of the capacitance the toroid adds and of its
// diameter, has found the toroid when that capacitance is within a millionth
// of the one wanted (the frequency then within half a millionth, finer than
// any frequency shown), or when the diameters it still brackets, or its last
// step, lie within a ten-millionth of each other, about the precision of the
// float the design keeps a diameter in. Searches started from a toroid solved
// already take 2 to 6 field solutions: one that has not closed in by 40 has
// failed.
constexpr RootTolerance kToroidSearch{1e-6, 1e-7, 40};
// d log(capacitance added) / d log(diameter), as miss() takes it, before the
// search has a secant of its own: 1.1 to 2 on the coils and toroids tried, a
// larger toroid also taking over more of the top turns' field; 1.5 takes the
// fewest solutions over them.
constexpr double kGrowthWithDiameter = 1.5;
// The power iteration for the winding's lowest mode: the next mode lies
// about three times higher, so each step cuts the error in the profile, the
// top load's charge and the frequency squared about eightfold. It stops once
// a step moves the frequency squared by less than kFrequencySettled of
// itself (the frequency then within 1e-10, far below any figure shown) and
// the top load's charge by less than kChargeSettled (within about 2e-7,
// where six steps from a straight profile left up to 1e-6); it gives up
// settling after kModeSteps.
constexpr double kFrequencySettled = 1e-9;
constexpr double kChargeSettled = 1e-6;
constexpr int kModeSteps = 30;

// The winding as a sheet at its radius, the bands closer together towards its
// ends, where the surface charge crowds (cosine spacing): the heights of
// their edges, base to top.
std::vector<double> windingEdges(const Winding& w) {
    std::vector<double> edges;
    edges.reserve(kWindingBands + 1);
    for (int i = 0; i <= kWindingBands; ++i)
        edges.push_back(w.baseHeight +
                        w.height * (1 - std::cos(std::numbers::pi * i / kWindingBands)) / 2);
    return edges;
}

// An arc of a circle round (centreR, centreZ) cut into bands, anticlockwise
// from the angle start through sweep. Each band bows out of its chord to the
// circle, so that its potential is matched on the surface itself: chords
// alone put the matching points inside the surface, which read a toroid's
// capacitance 0.1 to 0.4 % low.
void addArcs(std::vector<Band>& bands, double centreR, double centreZ, double radius, double start,
             double sweep, int count) {
    const auto point = [&](int i) {
        const double angle = start + sweep * i / count;
        return std::pair{std::max(0.0, centreR + radius * std::cos(angle)),
                         centreZ + radius * std::sin(angle)};
    };
    const double bow = radius * (1 - std::cos(sweep / count / 2));
    for (int i = 0; i < count; ++i) {
        const auto [r0, z0] = point(i);
        const auto [r1, z1] = point(i + 1);
        bands.emplace_back(r0, z0, r1, z1, bow);
    }
}

// A ring of round conductor of radius a round (r, z) as a tube of bowed
// arcs, each of even charge. A single flat band cannot stand for it as
// simply as it seems: a band of even charge w wide, matched at its middle,
// has there the potential of a round conductor of radius w/(2e), not w/4 (its
// charge's mean log distance from the middle is ln(w/2) - 1, against ln(a)
// round a circle, Smythe, "Static and Dynamic Electricity", 1950, 4.22 and
// 5.31; w/4 is the equivalent radius of a conducting strip, whose charge
// crowds to its edges), and near other metal its charge does not stay even
// across the conductor. A tube of arcs takes both (kRailArcs, kTurnArcs).
void addTube(std::vector<Band>& bands, double r, double z, double radius, int arcs) {
    addArcs(bands, r, z, radius, -std::numbers::pi / 2, 2 * std::numbers::pi, arcs);
}

// The distance in the meridian plane from (r, z) to the winding's sheet.
double fromWinding(const Winding& w, double r, double z) {
    const double dz = std::max({w.baseHeight - z, 0.0, z - (w.baseHeight + w.height)});
    return std::sqrt((r - w.diameter / 2) * (r - w.diameter / 2) + dz * dz);
}

// The distance in the meridian plane from (r, z) to a top load's surface
// (its centre above the winding's top), taken no nearer than the length of
// the load's own bands, which no finer bands on a plate could make up for.
double fromLoad(const TopLoad& top, double topOfWinding, double r, double z) {
    const bool sphere = top.shape == Shape::Sphere;
    const double tube = (sphere ? top.majorDiameter : top.minorDiameter) / 2;
    const double centreR = sphere ? 0 : (top.majorDiameter - top.minorDiameter) / 2;
    const double dz = z - (topOfWinding + top.centreAbove);
    const double ownBand = (sphere ? 1 : 2) * std::numbers::pi * tube / kLoadBands;
    return std::max(ownBand, std::sqrt((r - centreR) * (r - centreR) + dz * dz) - tube);
}

// A grounded plate from (r0, z0) to (r1, z1) (a ceiling's disk, the walls'
// cylinder) in bands each kRoomBandPerDistance of its distance from the
// winding long, over fineness, or of its distance from a top load (near)
// where that is less. The field on a plate changes over
// lengths of the order of its distance from the charges that make it, so
// near plates get fine bands and far ones few, their lengths growing
// geometrically along a plate running away from the coil. Each band's
// length is taken at its middle (a few fixed-point steps), and all are then
// shrunk alike to end on the plate's end.
void addGraded(std::vector<Band>& bands, const Winding& w, const TopLoad* near, double r0,
               double z0, double r1, double z1, int fineness) {
    const double perDistance = kRoomBandPerDistance / fineness;
    const double length = std::sqrt((r1 - r0) * (r1 - r0) + (z1 - z0) * (z1 - z0));
    const double nearest = kNearestPlate * std::max(w.diameter, w.height);
    const auto distance = [&](double s) {
        const double t = std::min(s / length, 1.0);
        const double r = r0 + (r1 - r0) * t;
        const double z = z0 + (z1 - z0) * t;
        const double winding = std::max(nearest, fromWinding(w, r, z));
        return near ? std::min(winding, fromLoad(*near, w.baseHeight + w.height, r, z)) : winding;
    };
    std::vector<double> ends{0};
    while (ends.back() < length) {
        const double s = ends.back();
        double step = perDistance * distance(s);
        for (int i = 0; i < 3; ++i)
            step = perDistance * distance(s + step / 2);
        ends.push_back(s + step);
    }
    const double scale = 1 / ends.back();
    for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        const double a = ends[i] * scale;
        const double b = ends[i + 1] * scale;
        bands.emplace_back(r0 + (r1 - r0) * a, z0 + (z1 - z0) * a, r0 + (r1 - r0) * b,
                           z0 + (z1 - z0) * b);
    }
}

// A ceiling as a disk out to the walls or, without walls, to kCeilingReach
// times its height; walls from the floor to the ceiling or to three times the
// winding's top: their bands, graded for a top load too where one is given
// (near). fineness multiplies the bands.
std::vector<Band> plateBands(const Winding& w, const Surroundings& around, int fineness,
                             const TopLoad* near) {
    std::vector<Band> bands;
    if (around.ceiling > 0) {
        const double reach = around.walls > 0 ? around.walls : kCeilingReach * around.ceiling;
        addGraded(bands, w, near, 0, around.ceiling, reach, around.ceiling, fineness);
    }
    if (around.walls > 0) {
        const double top = around.ceiling > 0 ? around.ceiling : 3 * (w.baseHeight + w.height);
        addGraded(bands, w, near, around.walls, 0, around.walls, top, fineness);
    }
    return bands;
}

// Whether a top load comes nearer the plates than half their distance from
// the winding anywhere, looked at on the plates' bands graded for the winding
// (their ends and middles): only then does grading them for the load too
// change more than a little, and it costs a field solution of its own.
bool loadNearerThanWinding(const Winding& w, const TopLoad& top, const std::vector<Band>& plates) {
    const double nearest = kNearestPlate * std::max(w.diameter, w.height);
    for (const Band& band : plates)
        for (const double t : {-0.5, 0.0, 0.5}) {
            const Band::Point p = band.at(t);
            if (2 * fromLoad(top, w.baseHeight + w.height, p.r, p.z) <
                std::max(nearest, fromWinding(w, p.r, p.z)))
                return true;
        }
    return false;
}

// The grounded metal's bands, heights above the floor: each turn of the
// primary and the rail as a round conductor, then the plates (plateBands).
// fineness multiplies the bands (the validation's convergence guards take 4).
std::vector<Band> groundedBands(const Winding& w, const Surroundings& around, int fineness,
                                const TopLoad* near) {
    std::vector<Band> bands;
    if (const std::optional<PrimaryTurns>& p = around.primary) {
        for (int k = 1; k <= p->turns; ++k) {
            const TurnCentre c = turnCentre(*p, k);
            addTube(bands, c.r, w.baseHeight + c.z, p->conductorDiameter / 2, kTurnArcs * fineness);
        }
    }
    if (const std::optional<StrikeRail>& rail = around.rail)
        addTube(bands, rail->diameter / 2, w.baseHeight + rail->height, rail->conductor / 2,
                kRailArcs * fineness);
    const std::vector<Band> plates = plateBands(w, around, fineness, near);
    bands.insert(bands.end(), plates.begin(), plates.end());
    return bands;
}

// The mutual inductances between the winding's bands (rows and columns base
// to top), in henries. Distributed: each band a piece of the winding's
// current sheet, its turns the winding's share of its height; two pieces of
// one sheet couple by the sheet's self-inductance over their spans
// (sheetInductance; M(A,B) = (L(A..B) - L(A..B's near end) - L(A's far end..B)
// + L(gap))/2, Grover, "Inductance Calculations", 1946, ch. 16), so the
// matrix sums to the whole sheet's Lorenz inductance. Even: Wheeler's
// inductance spread evenly over the height, each band its share alone.
std::vector<double> bandInductances(const Winding& w, const std::vector<double>& edges,
                                    InductanceModel model) {
    const int n = kWindingBands;
    std::vector<double> matrix(std::size_t(n) * n, 0.0);
    if (model == InductanceModel::Even) {
        const double perMetre = wheelerInductance(w) / w.height;
        for (int i = 0; i < n; ++i)
            matrix[i * n + i] = perMetre * (edges[i + 1] - edges[i]);
        return matrix;
    }
    const double radius = w.diameter / 2;
    const double turnsPerMetre = w.turns / w.height;
    // The sheet's inductance between each two edges, worked out once.
    std::vector<double> span(std::size_t(n + 1) * (n + 1), 0.0);
    for (int p = 0; p <= n; ++p)
        for (int q = p + 1; q <= n; ++q)
            span[p * (n + 1) + q] = span[q * (n + 1) + p] =
                turnsPerMetre * turnsPerMetre * sheetInductance(radius, edges[q] - edges[p]);
    const auto between = [&](int p, int q) { return span[p * (n + 1) + q]; };
    for (int i = 0; i < n; ++i) {
        matrix[i * n + i] = between(i, i + 1);
        for (int j = i + 1; j < n; ++j)
            matrix[i * n + j] = matrix[j * n + i] =
                (between(i, j + 1) - between(i + 1, j + 1) - between(i, j) + between(i + 1, j)) / 2;
    }
    return matrix;
}

// The top load's generating curve (a toroid's tube circle, a sphere's
// meridian) in bowed arcs (addArcs), its centre above the top of the winding.
std::vector<Band> loadBands(const TopLoad& top, double topOfWinding) {
    const bool sphere = top.shape == Shape::Sphere;
    std::vector<Band> bands;
    bands.reserve(kLoadBands);
    addArcs(bands, sphere ? 0 : (top.majorDiameter - top.minorDiameter) / 2,
            topOfWinding + top.centreAbove, (sphere ? top.majorDiameter : top.minorDiameter) / 2,
            -std::numbers::pi / 2, sphere ? std::numbers::pi : 2 * std::numbers::pi, kLoadBands);
    return bands;
}

double dot(std::span<const double> a, std::span<const double> b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += a[i] * b[i];
    return sum;
}

// Rows from..to of a matrix in rows of `columns`, columns c0..c1 of them.
std::vector<double> block(const std::vector<double>& matrix, int columns, int from, int to, int c0,
                          int c1) {
    std::vector<double> part;
    part.reserve(std::size_t(to - from) * (c1 - c0));
    for (int i = from; i < to; ++i)
        part.insert(part.end(), matrix.begin() + std::ptrdiff_t(i) * columns + c0,
                    matrix.begin() + std::ptrdiff_t(i) * columns + c1);
    return part;
}

// The winding's field solved once: its bands and the grounded metal's, and
// the potential matrix reduced to the winding's bands, which serves the bare
// winding and every top load on it, and the winding's inductances. The
// grounded metal is at 0 in every mode, so its charges follow from the
// winding's (and a top load's): eliminated once (block Gaussian elimination,
// the Schur complement of the grounded block; Golub & Van Loan, "Matrix
// Computations", ch. 3, block LU), each step of a mode then costs a solve on
// the winding's bands alone, not on the many bands of a primary and a room.
struct WindingField {
    std::vector<Band> bands; // the winding's (kWindingBands), then the grounded metal's
    // The grounded metal's own potentials, factorised (none without grounded
    // metal); the winding's potentials there (rows: the winding's bands), and
    // the grounded charges that cancel a unit charge on each winding band
    // (rows: the grounded bands).
    std::optional<Factorised> grounded;
    std::vector<double> windingToGrounded;
    std::vector<double> groundedAnswer;
    Factorised potentials; // the winding's, the grounded metal eliminated
    double topOfWinding;
    double baseHeight;
    std::vector<double> inductances; // between the winding's bands
    double inductance;               // their sum: the winding's low-frequency inductance
    int size() const { return int(bands.size()); }
    int groundedSize() const { return size() - kWindingBands; }
};

Solved<WindingField> windingField(const Winding& w, const Surroundings& around,
                                  InductanceModel model, int fineness, const TopLoad* near) {
    ++fieldWork().fieldSolutions;
    const std::vector<double> edges = windingEdges(w);
    const std::vector<Band> grounded = groundedBands(w, around, fineness, near);
    std::vector<Band> bands;
    bands.reserve(kWindingBands + grounded.size());
    for (int i = 0; i < kWindingBands; ++i)
        bands.emplace_back(w.diameter / 2, edges[i], w.diameter / 2, edges[i + 1]);
    bands.insert(bands.end(), grounded.begin(), grounded.end());
    const int size = int(bands.size());
    const int n = kWindingBands;
    const int g = size - n;
    const std::vector<double> all = potentialMatrix(bands, true);
    std::vector<double> winding = block(all, size, 0, n, 0, n);
    std::optional<Factorised> groundedPotentials;
    std::vector<double> windingToGrounded = block(all, size, 0, n, n, size);
    std::vector<double> groundedAnswer;
    if (g > 0) {
        Solved<Factorised> factorised = Factorised::of(block(all, size, n, size, n, size), g);
        if (!factorised)
            return factorised.why();
        groundedPotentials = std::move(*factorised);
        groundedAnswer = groundedPotentials->solveMany(block(all, size, n, size, 0, n), n);
        subtractProduct(winding.data(), windingToGrounded.data(), groundedAnswer.data(), n, g, n);
    }
    Solved<Factorised> potentials = Factorised::of(std::move(winding), n);
    if (!potentials)
        return potentials.why();
    std::vector<double> inductances = bandInductances(w, edges, model);
    double inductance = 0;
    for (double m : inductances)
        inductance += m;
    return WindingField{std::move(bands),
                        std::move(groundedPotentials),
                        std::move(windingToGrounded),
                        std::move(groundedAnswer),
                        std::move(*potentials),
                        w.baseHeight + w.height,
                        w.baseHeight,
                        std::move(inductances),
                        inductance};
}

// A top load on the winding at the top voltage, the grounded metal
// eliminated as in WindingField: the winding's answer to each of the load's
// bands and the Schur complement of the winding's block, so that each
// voltage profile costs two small solves.
struct LoadCoupling {
    std::vector<double> loadToWinding; // rows: load bands, columns: the winding's
    // The winding's charges that cancel each load band's potential on it
    // (rows: the winding's bands, columns: the load's).
    std::vector<double> spread;
    Factorised schur;

    // The load's total charge at potential 1, the winding's charges adjusted.
    double solve(std::vector<double>& windingCharges) const {
        const int n = kWindingBands;
        std::vector<double> rhs(kLoadBands, 1.0);
        for (int i = 0; i < kLoadBands; ++i)
            rhs[i] -=
                dot({loadToWinding.data() + std::ptrdiff_t(i) * n, std::size_t(n)}, windingCharges);
        const std::vector<double> loadCharges = schur.solve(rhs);
        double total = 0;
        for (int j = 0; j < kLoadBands; ++j) {
            total += loadCharges[j];
            for (int i = 0; i < n; ++i)
                windingCharges[i] -= spread[i * kLoadBands + j] * loadCharges[j];
        }
        return total;
    }
};

Solved<LoadCoupling> loadCoupling(const WindingField& field, const TopLoad& top) {
    ++fieldWork().loadCouplings;
    const std::vector<Band> load = loadBands(top, field.topOfWinding);
    const int size = field.size();
    const int n = kWindingBands;
    const int g = field.groundedSize();
    const int m = kLoadBands;
    const PotentialMatrices between = potentialMatrices(field.bands, load, true);
    // The load's and the winding's potentials on each other, and the load's
    // own, less what the grounded charges they draw put there.
    std::vector<double> windingToLoad = block(between.atA, m, 0, n, 0, m);
    std::vector<double> loadToWinding = block(between.atB, size, 0, m, 0, n);
    std::vector<double> matrix = potentialMatrix(load, true);
    if (g > 0) {
        const std::vector<double> loadToGrounded = block(between.atB, size, 0, m, n, size);
        const std::vector<double> groundedAnswer =
            field.grounded->solveMany(block(between.atA, m, n, size, 0, m), m);
        subtractProduct(windingToLoad.data(), field.windingToGrounded.data(), groundedAnswer.data(),
                        n, g, m);
        subtractProduct(loadToWinding.data(), loadToGrounded.data(), field.groundedAnswer.data(), m,
                        g, n);
        subtractProduct(matrix.data(), loadToGrounded.data(), groundedAnswer.data(), m, g, m);
    }
    std::vector<double> spread = field.potentials.solveMany(std::move(windingToLoad), m);
    subtractProduct(matrix.data(), loadToWinding.data(), spread.data(), m, n, m);
    Solved<Factorised> schur = Factorised::of(std::move(matrix), m);
    if (!schur)
        return schur.why();
    return LoadCoupling{std::move(loadToWinding), std::move(spread), std::move(*schur)};
}

// The angular frequency squared of the winding's lowest mode, top load or not.
// Rayleigh's principle ("The Theory of Sound", 1877, sec. 88) applied to the
// winding as a line with the field solution's capacitances: the voltage
// profile V(z) gives the charges q (the field solution; the grounded metal's
// charges carry no current along the winding), the current through a band is
// omega times the charge above its middle (continuity), and the voltage rises
// across band i by omega·sum over j of M_ij·I_j, the bands' mutual
// inductances (bandInductances). Then omega^2 = sum(q·V) / sum(Q_i·M_ij·Q_j)
// over the charges above, and the profile that this current gives is fed
// back: a power iteration settling on the lowest mode. For a bare even line
// it is the quarter wave exactly, omega^2 = pi^2/(4·L·C) (the quarter-wave
// resonator's lumped equivalent, Pozar, "Microwave Engineering", 6.2); a heavy
// top load turns the profile linear and the coil lumped. The top load's
// charge in the last step, at a top voltage of 1, goes to loadCharge when
// asked for. A lumped capacitance at the top (in units of 4·pi·epsilon0
// metres) holds its charge at the top voltage of 1 beside the top load's.
double modeOmegaSquared(const WindingField& field, const LoadCoupling* load, double lumped,
                        double* loadCharge, std::vector<double>& profile) {
    const int n = kWindingBands;
    std::vector<double> volts(n, 0.0);
    // From the profile given (the last mode's, close to this one's in a
    // toroid search), else a straight one.
    if (int(profile.size()) == n)
        std::copy(profile.begin(), profile.end(), volts.begin());
    else
        for (int i = 0; i < n; ++i)
            volts[i] =
                (field.bands[i].z() - field.baseHeight) / (field.topOfWinding - field.baseHeight);
    double omegaSquared = 0;
    double lastCharge = 0;
    std::vector<double> above(n);
    std::vector<double> drop(n);
    for (int step = 0; step < kModeSteps; ++step) {
        ++fieldWork().modeIterations;
        std::vector<double> charges = field.potentials.solve(volts);
        const double loaded = load ? load->solve(charges) : 0.0;
        const double topCharge = loaded + lumped;
        const double energy = dot(charges, volts) + topCharge;
        // From the top down: the charge above each band's middle.
        double sum = topCharge;
        for (int i = n - 1; i >= 0; --i) {
            above[i] = sum + charges[i] / 2;
            sum += charges[i];
        }
        // Then the voltage it drives up the winding from the base.
        double flux = 0;
        double rise = 0;
        for (int i = 0; i < n; ++i) {
            drop[i] =
                dot({field.inductances.data() + std::ptrdiff_t(i) * n, std::size_t(n)}, above);
            volts[i] = rise + drop[i] / 2;
            rise += drop[i];
            flux += above[i] * drop[i];
        }
        for (int i = 0; i < n; ++i)
            volts[i] /= rise;
        // Charges in units of 4·pi·epsilon0 volts-metres: one factor left over.
        const double next = energy / (kFourPiEpsilon0 * flux);
        const bool settled = step > 0 &&
                             std::abs(next - omegaSquared) <= kFrequencySettled * next &&
                             std::abs(loaded - lastCharge) <= kChargeSettled * std::abs(loaded);
        omegaSquared = next;
        lastCharge = loaded;
        if (settled)
            break;
    }
    if (loadCharge)
        *loadCharge = lastCharge;
    profile.assign(volts.begin(), volts.begin() + n);
    return omegaSquared;
}

// The effective capacitance that resonates the winding's inductance at omega.
double effectiveCapacitance(const WindingField& field, double omegaSquared) {
    return 1 / (omegaSquared * field.inductance);
}

} // namespace

double wheelerInductance(const Winding& w) {
    const double microhenries = wheelerMicrohenries(kInch.fromMetres(w.diameter / 2.0), w.turns,
                                                    kInch.fromMetres(w.height));
    return microhenries * 1e-6;
}

// Medhurst, "H.F. resistance and self-capacitance of single-layer solenoids",
// Wireless Engineer 24 (1947): C = H·D pF with D in cm; H(l/D) as the usual
// fit to his table, 0.1126·l/D + 0.08 + 0.27/sqrt(l/D).
double medhurstSelfCapacitance(const Winding& w) {
    const double ratio = w.height / w.diameter;
    const double k = 0.1126 * ratio + 0.08 + 0.27 / std::sqrt(ratio);
    return k * w.diameter * 100.0 * 1e-12;
}

// Bert Pool's toroid formula as published on the Tesla Coil Mailing List
// (1996-97): C[pF] = 2.8·(1.2781 - d2/d1)·sqrt(pi·d2·(d1 - d2)/4), d1 the
// overall and d2 the tube diameter in inches, claimed within 5 %.
double poolToroidCapacitance(double major, double minor) {
    const double d1 = kInch.fromMetres(major);
    const double d2 = kInch.fromMetres(minor);
    return 2.8 * (1.2781 - d2 / d1) * std::sqrt(std::numbers::pi * d2 * (d1 - d2) / 4) * 1e-12;
}

double sphereCapacitance(double diameter) { return kFourPiEpsilon0 * diameter / 2; }

// Laplace's equation separated in toroidal coordinates (Morse & Feshbach,
// "Methods of Theoretical Physics", 1953, ch. 10; the torus is mu = mu0 with
// cosh(mu0) = R/a, R the radius of the tube's centre line, a the tube's):
// C = 8·epsilon0·c·sum over n >= 0 of e_n·Q(n-1/2)/P(n-1/2) at cosh(mu0),
// c = sqrt(R² - a²), e_0 = 1, e_n = 2, from Heine's expansion of
// 1/sqrt(2(cosh(mu) - cos(eta))) in cos(n·eta). The toroidal functions by
// their integrals over 0..pi (NIST DLMF 14.19.4 for P; Q(n-1/2) the Fourier
// coefficients of that expansion, DLMF 14.19.6): periodic and smooth, the
// midpoint rule takes them geometrically fast, the slower the thinner the
// tube (their nearest singularity lies about a/R off the real line).
double torusCapacitance(double major, double minor) {
    // The terms fall geometrically: the sum is taken to a part in 1e12, far
    // below any error it is compared with (23 terms for a tube of 0.45 of the
    // overall diameter, under 100 for every tube tried); the bound only
    // guards the loop.
    constexpr double kLastTerm = 1e-12;
    constexpr int kMostTerms = 1000;
    const double x = (major - minor) / minor; // cosh(mu0)
    const double s = std::sqrt(x * x - 1);    // sinh(mu0)
    const int steps = 64 + 32 * static_cast<int>(x);
    double sum = 0;
    for (int n = 0; n < kMostTerms; ++n) {
        double p = 0;
        double q = 0;
        for (int i = 0; i < steps; ++i) {
            const double eta = std::numbers::pi * (i + 0.5) / steps;
            p += std::pow(x + s * std::cos(eta), -(n + 0.5));
            q += std::cos(n * eta) / std::sqrt(2 * (x - std::cos(eta)));
        }
        // P = (1/pi)·integral, Q = integral: their ratio is pi·q/p.
        const double term = (n == 0 ? 1 : 2) * std::numbers::pi * q / p;
        sum += term;
        if (term < kLastTerm * sum)
            break;
    }
    return 8 * kEpsilon0 * (minor / 2) * s * sum;
}

// Figures the solution cannot stand behind (Unsolved::OutOfRange) are never
// given: they come from a geometry the bands cannot resolve.
Solved<double> freeSpaceCapacitance(const TopLoad& top) {
    if (top.shape == Shape::None)
        return 0.0;
    // Alone in space, where it stands does not matter: it stands at 0.
    const std::vector<Band> load = loadBands(top, -top.centreAbove);
    const Solved<Factorised> potentials = Factorised::of(potentialMatrix(load, false), kLoadBands);
    if (!potentials)
        return potentials.why();
    double total = 0;
    for (double q : potentials->solve(std::vector<double>(kLoadBands, 1.0)))
        total += q;
    if (!(std::isfinite(total) && total > 0))
        return Unsolved::OutOfRange;
    return kFourPiEpsilon0 * total;
}

Solved<double> ringCapacitance(RoundConductor kind, double ringDiameter, double conductorDiameter,
                               double aboveFloor) {
    std::vector<Band> tube;
    addTube(tube, ringDiameter / 2, aboveFloor, conductorDiameter / 2,
            kind == RoundConductor::Rail ? kRailArcs : kTurnArcs);
    const int size = int(tube.size());
    const Solved<Factorised> potentials =
        Factorised::of(potentialMatrix(tube, aboveFloor > 0), size);
    if (!potentials)
        return potentials.why();
    double total = 0;
    for (double q : potentials->solve(std::vector<double>(size, 1.0)))
        total += q;
    return kFourPiEpsilon0 * total;
}

struct WindingSolution::Field : WindingField {};
struct WindingSolution::Coupled {
    TopLoad top;
    const Field* field;
    LoadCoupling coupling;
};

namespace {

// Heights beyond a million times the coil's size change no figure shown (the
// floor's or the load's pull falls off as size over distance), while the
// bands' heights must stay far enough within a double's precision for their
// lengths to survive: such heights are taken at that distance.
constexpr double kFarAway = 1e6;

double farAway(const Winding& w) { return kFarAway * std::max(w.height, w.diameter); }

Winding withinReach(Winding w) {
    w.baseHeight = std::min(w.baseHeight, farAway(w));
    return w;
}

TopLoad withinReach(TopLoad top, const Winding& w) {
    top.centreAbove = std::min(top.centreAbove, farAway(w));
    return top;
}

} // namespace

WindingSolution::WindingSolution(const Winding& winding, const Surroundings& around,
                                 InductanceModel model, int fineness,
                                 std::unique_ptr<const Field> field, double bareOmegaSquared)
    : m_winding(winding), m_around(around), m_model(model), m_fineness(fineness),
      m_field(std::move(field)), m_bareOmegaSquared(bareOmegaSquared) {}

Solved<WindingSolution> WindingSolution::of(const Winding& asked, const Surroundings& around,
                                            InductanceModel model, int fineness) {
    const Winding winding = withinReach(asked);
    Solved<WindingField> solved = windingField(winding, around, model, fineness, nullptr);
    if (!solved)
        return solved.why();
    std::unique_ptr<const Field> field(new Field{std::move(*solved)});
    std::vector<double> profile;
    const double bareOmegaSquared = modeOmegaSquared(*field, nullptr, 0, nullptr, profile);
    if (!(std::isfinite(bareOmegaSquared) && bareOmegaSquared > 0))
        return Unsolved::OutOfRange;
    return WindingSolution(winding, around, model, fineness, std::move(field), bareOmegaSquared);
}

// The bare mode stays in the winding's own field; a top load's in one whose
// plates are graded for it too where it comes much nearer them than the
// winding does (loadNearerThanWinding), solved once for each top load that
// does (and, for a toroid search,
// for the load it starts from, so that every toroid it tries is solved
// alike and the capacitance it follows changes smoothly with the size).
Solved<const WindingSolution::Field*> WindingSolution::fieldFor(const TopLoad& top) const {
    if (top.shape == Shape::None ||
        !loadNearerThanWinding(m_winding, top,
                               plateBands(m_winding, m_around, m_fineness, nullptr)))
        return m_field.get();
    for (const Near& near : m_near)
        if (near.top == top)
            return near.field.get();
    Solved<WindingField> solved = windingField(m_winding, m_around, m_model, m_fineness, &top);
    if (!solved)
        return solved.why();
    m_near.push_back({top, std::unique_ptr<const Field>(new Field{std::move(*solved)})});
    return m_near.back().field.get();
}

WindingSolution::~WindingSolution() = default;
WindingSolution::WindingSolution(WindingSolution&&) noexcept = default;
WindingSolution& WindingSolution::operator=(WindingSolution&&) noexcept = default;

Solved<Resonance> WindingSolution::resonance(const TopLoad& top) const {
    const WindingField& field = *m_field;
    Resonance r;
    r.inductance = field.inductance;
    r.selfCapacitance = effectiveCapacitance(field, m_bareOmegaSquared);
    r.bareHz = std::sqrt(m_bareOmegaSquared) / (2 * std::numbers::pi);
    r.loadedHz = r.bareHz;
    if (top.shape != Shape::None) {
        const TopLoad placed = withinReach(top, m_winding);
        const Solved<LoadedMode> loaded = loadedMode(placed, placed);
        if (!loaded)
            return loaded.why();
        // A top load adds capacitance: it lowers the frequency, never raises it.
        if (!(loaded->omegaSquared > 0 && loaded->omegaSquared < m_bareOmegaSquared))
            return Unsolved::OutOfRange;
        const Solved<double> freeSpace = freeSpaceCapacitance(top);
        if (!freeSpace)
            return freeSpace.why();
        r.freeSpaceCapacitance = *freeSpace;
        r.inPlaceCapacitance =
            effectiveCapacitance(field, loaded->omegaSquared) - r.selfCapacitance;
        r.chargeCapacitance = kFourPiEpsilon0 * loaded->topCharge;
        r.loadedHz = std::sqrt(loaded->omegaSquared) / (2 * std::numbers::pi);
    }
    return r;
}

Solved<WindingSolution::LoadedMode>
WindingSolution::loadedMode(const TopLoad& top, const TopLoad& gradedFor, double lumped) const {
    const Solved<const Field*> field = fieldFor(gradedFor);
    if (!field)
        return field.why();
    for (const Loaded& solved : m_loaded)
        if (solved.top == top && solved.lumped == lumped && solved.field == *field)
            return solved.mode;
    const LoadCoupling* coupling = nullptr;
    if (top.shape != Shape::None) {
        if (!(m_lastCoupled && m_lastCoupled->top == top && m_lastCoupled->field == *field)) {
            Solved<LoadCoupling> load = loadCoupling(**field, top);
            if (!load)
                return load.why();
            m_lastCoupled = std::make_unique<const Coupled>(Coupled{top, *field, std::move(*load)});
        }
        coupling = &m_lastCoupled->coupling;
    }
    // Started from the profile of the same load without the lumped
    // capacitance where that is solved, else from the last load's without
    // one (the toroid before in a search), else from a straight one: so the
    // start depends on the loads asked about without a lumped capacitance
    // alone, in the order asked, and not on when a streamer's was asked.
    std::vector<double> profile;
    for (const Loaded& solved : m_loaded)
        if (solved.lumped == 0 && solved.field == *field) {
            profile = solved.profile;
            if (solved.top == top)
                break;
        }
    LoadedMode mode{};
    mode.omegaSquared = modeOmegaSquared(**field, coupling, lumped, &mode.topCharge, profile);
    m_loaded.push_back({top, lumped, *field, mode, std::move(profile)});
    return mode;
}

Solved<double> WindingSolution::loadedHzWith(const TopLoad& top, double lumpedFarads) const {
    const TopLoad placed = withinReach(top, m_winding);
    const Solved<LoadedMode> loaded = loadedMode(placed, placed, lumpedFarads / kFourPiEpsilon0);
    if (!loaded)
        return loaded.why();
    if (!(loaded->omegaSquared > 0 && loaded->omegaSquared <= m_bareOmegaSquared))
        return Unsolved::OutOfRange;
    return std::sqrt(loaded->omegaSquared) / (2 * std::numbers::pi);
}

Solved<TopLoad> WindingSolution::toroidForFrequency(const TopLoad& asked, double hz) const {
    const TopLoad like = withinReach(asked, m_winding);
    if (!(hz > 0) || hz >= std::sqrt(m_bareOmegaSquared) / (2 * std::numbers::pi))
        return Unsolved::AboveBare;
    // The capacitance the load is to add: 1/(omega²·L) less the bare coil's.
    const double wantedOmega = 2 * std::numbers::pi * hz;
    const double wanted = std::log(1 / (wantedOmega * wantedOmega) - 1 / m_bareOmegaSquared);

    const bool keepTube = like.shape == Shape::Toroid;
    const auto toroid = [&](double major) {
        return TopLoad{Shape::Toroid, major, keepTube ? like.minorDiameter : major / 4,
                       like.centreAbove};
    };
    // The capacitance a load adds grows nearly as a power of its size, so
    // that its logarithm against the logarithm of the overall diameter is
    // nearly a straight line, straighter than the frequency's: a secant search
    // on the logarithms (rootFrom) closes in a few field solutions. The
    // inductance is the same for all, so 1/omega² less the bare coil's stands
    // for the capacitance. A toroid the solution cannot take (one reaching
    // through the floor, say) has no frequency to miss by.
    const auto missOf = [&](const LoadedMode& mode) {
        return std::log(1 / mode.omegaSquared - 1 / m_bareOmegaSquared) - wanted;
    };
    const auto miss = [&](double logMajor) -> Solved<double> {
        const Solved<LoadedMode> mode = loadedMode(toroid(std::exp(logMajor)), like);
        if (!mode)
            return mode.why();
        const double missed = missOf(*mode);
        if (!std::isfinite(missed))
            return Unsolved::OutOfRange;
        return missed;
    };
    const double low = std::log(keepTube ? 2 * like.minorDiameter : kSmallestToroid);
    const double high = std::log(kLargestToroid);
    // From the toroid of this kind solved already (an earlier search's, or
    // the top load asked about) that lies nearest the frequency: a first
    // step along the line through it and the next nearest, or with the
    // capacitance growing as kGrowthWithDiameter has it, then the secant
    // through it and the step's toroid.
    std::vector<RootPoint> known;
    const Solved<const Field*> field = fieldFor(like);
    if (!field)
        return field.why();
    for (const Loaded& solved : m_loaded)
        if (solved.lumped == 0 && solved.field == *field &&
            solved.top == toroid(solved.top.majorDiameter) && std::isfinite(missOf(solved.mode)))
            known.push_back({std::log(solved.top.majorDiameter), missOf(solved.mode)});
    std::sort(known.begin(), known.end(), [](const RootPoint& a, const RootPoint& b) {
        return std::abs(a.fx) < std::abs(b.fx);
    });
    double guess = std::log(like.majorDiameter);
    double slope = kGrowthWithDiameter;
    std::optional<RootPoint> nearest;
    if (!known.empty()) {
        nearest = known[0];
        if (known.size() > 1 && known[1].x != known[0].x) {
            const double secant = (known[1].fx - known[0].fx) / (known[1].x - known[0].x);
            if (secant > 0)
                slope = secant;
        }
        guess = nearest->x - nearest->fx / slope;
    }
    const Solved<double> logMajor = rootFrom(miss, guess, nearest, slope, low, high, kToroidSearch);
    if (!logMajor)
        return logMajor.why();
    // The frequency falls as the toroid grows, so only this one can do it.
    const TopLoad found = toroid(std::exp(*logMajor));
    if (cutsIntoWinding(m_winding, found))
        return Unsolved::CutsIntoWinding;
    return found;
}

FieldWork& fieldWork() {
    thread_local FieldWork work;
    return work;
}

} // namespace resonex::physics
