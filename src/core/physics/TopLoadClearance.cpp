#include "core/physics/TopLoadClearance.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

namespace {

// A ring's cross-section in the r-z plane: a circle (a tube round its centre
// line, a sphere's meridian, a turn's conductor), heights above the floor.
struct Section {
    double r, z, radius;
    bool overlaps(const Section& other) const {
        const double reach = radius + other.radius;
        return std::hypot(r - other.r, z - other.z) < reach;
    }
    double top() const { return z + radius; }
    double outside() const { return r + radius; }
};

std::vector<Section> primarySections(const Winding& winding, const Surroundings& around) {
    std::vector<Section> sections;
    if (!around.primary)
        return sections;
    for (int k = 1; k <= around.primary->turns; ++k) {
        const TurnCentre c = turnCentre(*around.primary, k);
        sections.push_back({c.r, winding.baseHeight + c.z, around.primary->conductorDiameter / 2});
    }
    return sections;
}

std::optional<Section> loadSection(const Winding& winding, const TopLoad& top) {
    if (top.shape == Shape::None)
        return std::nullopt;
    const bool sphere = top.shape == Shape::Sphere;
    return Section{sphere ? 0 : (top.majorDiameter - top.minorDiameter) / 2,
                   winding.baseHeight + winding.height + top.centreAbove,
                   (sphere ? top.majorDiameter : top.minorDiameter) / 2};
}

bool railCuts(const Winding& winding, const Section& rail, const std::optional<Section>& load,
              const std::vector<Section>& primary) {
    // The nearest point of the winding's cylinder, as for a turn of the primary.
    const double dr = std::max(0.0, rail.r - winding.diameter / 2);
    const double dz = std::max(
        {0.0, winding.baseHeight - rail.z, rail.z - (winding.baseHeight + winding.height)});
    if (std::hypot(dr, dz) < rail.radius || rail.z < rail.radius)
        return true;
    if (load && rail.overlaps(*load))
        return true;
    return std::any_of(primary.begin(), primary.end(),
                       [&](const Section& turn) { return rail.overlaps(turn); });
}

} // namespace

Intrusion intrusion(const Winding& winding, const TopLoad& top, const Surroundings& around) {
    std::vector<Section> metal = primarySections(winding, around);
    const std::optional<Section> load = loadSection(winding, top);
    if (around.rail) {
        const Section rail{around.rail->diameter / 2, winding.baseHeight + around.rail->height,
                           around.rail->conductor / 2};
        if (railCuts(winding, rail, load, metal))
            return Intrusion::Rail;
        metal.push_back(rail);
    }
    if (load)
        metal.push_back(*load);
    // The winding itself: its top face, its cylinder.
    metal.push_back(Section{winding.diameter / 2, winding.baseHeight + winding.height, 0});
    if (around.ceiling > 0 && std::any_of(metal.begin(), metal.end(), [&](const Section& part) {
            return part.top() > around.ceiling;
        }))
        return Intrusion::Ceiling;
    if (around.walls > 0 && std::any_of(metal.begin(), metal.end(), [&](const Section& part) {
            return part.outside() > around.walls;
        }))
        return Intrusion::Walls;
    return Intrusion::None;
}

} // namespace resonex::physics
