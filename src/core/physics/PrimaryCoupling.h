#pragma once

#include "core/physics/CoilField.h"
#include "core/physics/PrimaryTurns.h"
#include "core/physics/Solved.h"

#include <limits>
#include <vector>

// The primary as built (flat, conical or helical) and its coupling to the
// secondary: each turn of either a circular filament on the common axis, the
// inductances by the closed forms for such rings; for its mutual inductance
// with the primary the secondary a current sheet, so that no figure's cost
// grows with its turns. Pure
// numbers in SI units (metres, henries, hertz); heights measured from the
// base of the secondary winding.
namespace resonex::physics {

// The secondary winding as turns, its base at height 0. turns may be
// fractional (see secondaryInductance).
struct SecondaryTurns {
    double diameter = 0;
    double height = 0;
    double turns = 0;
    double wireDiameter = 0;
};

// The mutual inductance of two coaxial circular filaments of radii r1 and r2
// a distance d apart along the axis.
double ringMutualInductance(double r1, double r2, double d);
// A ring of radius r of round conductor of radius a, current on its surface.
double ringSelfInductance(double r, double a);
// A cylindrical current sheet of radius r and length l carrying one ampere-
// turn per metre of its length: its self-inductance (a winding of N turns
// has (N/l)^2 times it).
double sheetInductance(double r, double l);

// The secondary's low-frequency inductance as the uniform-current sum over
// its turns: ceil(turns) rings evenly spread over the height, each carrying
// turns/ceil(turns) of the ampere-turns (its turns exactly when whole).
double secondaryInductance(const SecondaryTurns& secondary);
// The mutual inductance of a coaxial ring of radius r, at height z, with the
// secondary taken as a current sheet: its turns spread evenly over its
// height. Its cost does not grow with the turns; it differs from the sum over
// the turns as rings by order 1/turns² (the midpoint rule's error, at the
// winding's ends).
double ringSheetMutualInductance(double r, double z, const SecondaryTurns& secondary);

// The primary tapped after a (possibly fractional) turn.
struct CouplingAtTurn {
    double turn = 0;
    double primaryInductance = 0;
    double mutualInductance = 0; // with the whole secondary
    double k = 0;                // M / sqrt(Lp·Ls)
};

// The listing: the primary tapped after each whole turn, 1 to turns.
struct CouplingListing {
    double secondaryInductance = 0;
    std::vector<CouplingAtTurn> turns;
};
CouplingListing couplingListing(const PrimaryTurns& primary, const SecondaryTurns& secondary);

// The fractional turn at which the listing, linearly interpolated, reaches
// the primary inductance asked for: none (BelowFirstTurn, BeyondLastTurn)
// outside the listing.
Solved<double> turnForInductance(const CouplingListing& listing, double inductance);
// The listing linearly interpolated at a fractional turn (Lp, M and k each):
// exact at whole turns, none outside 1 to the last turn.
Solved<CouplingAtTurn> atTurn(const CouplingListing& listing, double turn);

// The two modes of the coupled pair, the primary tuned to the secondary's f0:
// f0/sqrt(1 + k) and f0/sqrt(1 - k).
struct CoupledModes {
    double lowerHz;
    double upperHz;
};
CoupledModes coupledModes(double f0, double k);

// The inner turn's height at which the primary tapped at turn gives the
// coupling k, all else as in primary; sought on the side of the coupling's
// peak on which the primary stands now. None when no height within a few
// winding heights of the winding gives it (CouplingTooHigh, CouplingTooLow),
// when the height found puts a turn into the winding (CutsIntoWinding; the
// top load is primaryCutsIntoCoil's), or when the tap lies outside the turns
// built (BelowFirstTurn, BeyondLastTurn).
Solved<double> innerHeightForCoupling(const PrimaryTurns& primary, const SecondaryTurns& secondary,
                                      double turn, double k);

// Whether a turn of the primary (its conductor round its centre) reaches
// into the secondary winding's cylinder (within half its diameter of the
// axis, from its base to its top), into the top load standing on it, or
// below the floor, baseHeight under the winding's base; touching any is
// allowed, as for the top load (TopLoadClearance.h).
bool primaryCutsIntoCoil(const PrimaryTurns& primary, const SecondaryTurns& secondary,
                         const TopLoad& top,
                         double baseHeight = std::numeric_limits<double>::infinity());

} // namespace resonex::physics
