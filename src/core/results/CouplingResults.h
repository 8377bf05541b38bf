#pragma once

#include "core/physics/PrimaryCoupling.h"

#include <optional>

namespace resonex {

class AddedInputs;
class CPrimary;
class CSettings;
struct DesignBasis;

// The primary as built and its coupling to the secondary, in SI units: the
// geometric listing, the tap in use with Lp, M and k there, the two coupled
// modes, and the inner turn's height for a typed coupling.
struct CouplingResults {
    physics::PrimaryTurns primary;
    physics::CouplingListing listing;
    // The tap in use comes from the geometric listing (true), or from the
    // classic one, as for a flat primary of a new design's geometry.
    bool geometricTap = false;
    // The fractional turn of the tap in use, and the listing there; none
    // while the primary's listing does not reach the inductance it needs.
    physics::Solved<double> tapTurn = physics::Unsolved::BeyondLastTurn;
    std::optional<physics::CouplingAtTurn> atTap;
    std::optional<physics::CoupledModes> modes;
    // Lp with every turn built.
    double inductanceAsBuilt = 0;
    // The inner turn's height (metres) for the coupling typed, when one is.
    std::optional<double> targetK;
    physics::Solved<double> heightForTargetK = physics::Unsolved::OutOfRange;
};

// Whether the primary as built is a new design's: flat, 15 turns, its inner
// turn level with the winding's base. Such a primary is tapped by the
// classic listing.
bool classicGeometry(const AddedInputs& added);

// The primary as built in metres, on the calculated secondary (the secondary's
// own diameter).
physics::PrimaryTurns primaryAsBuilt(const CPrimary& primary, const AddedInputs& added,
                                     const DesignBasis& from);
physics::SecondaryTurns secondaryTurns(const DesignBasis& from);

// The coupling of the design's primary, or none until the primary and the
// secondary are calculated.
std::optional<CouplingResults> couplingResults(const CPrimary& primary, const AddedInputs& added,
                                               const CSettings& settings, const DesignBasis& from);

} // namespace resonex
