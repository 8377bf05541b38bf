#pragma once

#include "core/physics/PrimaryTurns.h"

#include <optional>

// The grounded metal and the room around the coil as the field solution takes
// them. Pure numbers in metres; the rail's and the primary's heights measured
// from the base of the secondary winding, the ceiling's from the floor.
namespace resonex::physics {

// A strike rail: a ring of round conductor on the coil's axis, grounded.
struct StrikeRail {
    double diameter = 0;  // of the ring, to the centre of its conductor
    double conductor = 0; // the conductor's diameter
    double height = 0;    // its centre above the winding's base; may be negative
    bool operator==(const StrikeRail&) const = default;
};

// Everything at ground potential besides the floor. The walls are a
// cylinder on the axis from the floor up to the ceiling or, without one, to
// three times the height of the winding's top above the floor: beyond that a
// wall's part in the field is a small fraction of its nearer part's.
struct Surroundings {
    std::optional<PrimaryTurns> primary; // its turns as built
    std::optional<StrikeRail> rail;
    double ceiling = 0; // its height above the floor; 0 for none
    double walls = 0;   // their distance from the axis; 0 for none
    bool operator==(const Surroundings&) const = default;
    bool empty() const { return !primary && !rail && ceiling == 0 && walls == 0; }
};

} // namespace resonex::physics
