#pragma once

// The primary as built: where its turns lie. Pure numbers in metres, heights
// measured from the base of the secondary winding.
namespace resonex::physics {

enum class PrimaryShape { Flat, Conical, Helical };

// Turn k (1-based, the inner turn first; a helix's lowest) lies at
// r = innerRadius + (k-1)·pitch·cos(angle), z = innerHeight + (k-1)·pitch·sin(angle),
// the angle from the horizontal: 0 for a flat primary, 90 degrees for a
// helix, angleDegrees (strictly between) for a cone.
struct PrimaryTurns {
    PrimaryShape shape = PrimaryShape::Flat;
    double angleDegrees = 0; // a cone's; flat and helical primaries have their own
    int turns = 15;
    double innerRadius = 0; // the inner turn's centre
    double innerHeight = 0; // may be negative: below the winding's base
    double conductorDiameter = 0;
    double pitch = 0; // conductor diameter + spacing
    bool operator==(const PrimaryTurns&) const = default;
};

// Where turn k (1-based) of the primary lies.
struct TurnCentre {
    double r;
    double z;
};
TurnCentre turnCentre(const PrimaryTurns& primary, int k);

} // namespace resonex::physics
