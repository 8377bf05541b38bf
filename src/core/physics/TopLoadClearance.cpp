#include "core/physics/TopLoadClearance.h"

#include <algorithm>
#include <cmath>

namespace resonex::physics {

double lowestClearHeight(const Winding& winding, const TopLoad& top) {
    if (top.shape == Shape::None)
        return 0;
    // The load's cross-section is a circle (a toroid's tube, a sphere's
    // meridian) whose centre stands off the axis by `ring`.
    const bool sphere = top.shape == Shape::Sphere;
    const double radius = (sphere ? top.majorDiameter : top.minorDiameter) / 2;
    const double ring = sphere ? 0 : (top.majorDiameter - top.minorDiameter) / 2;
    // Over the winding's top face the circle must pass at its radius from
    // the face's rim or centre, whichever is nearer.
    const double beside = std::max(0.0, ring - winding.diameter / 2);
    const double overWinding = beside < radius ? std::sqrt(radius * radius - beside * beside) : 0;
    const double overFloor = radius - (winding.baseHeight + winding.height);
    return std::max({0.0, overWinding, overFloor});
}

bool cutsIntoWinding(const Winding& winding, const TopLoad& top) {
    return top.centreAbove < lowestClearHeight(winding, top);
}

} // namespace resonex::physics
