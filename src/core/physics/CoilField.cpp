#include "core/physics/CoilField.h"

#include <cmath>
#include <numbers>

// A first cut: Wheeler's inductance, Medhurst's self-capacitance and Pool's
// toroid, summed. The field solution replaces it.
namespace resonex::physics {

namespace {

constexpr double kEpsilon0 = 8.8541878128e-12;

double hertz(double inductance, double capacitance) {
    return 1.0 / (2.0 * std::numbers::pi * std::sqrt(inductance * capacitance));
}

} // namespace

double wheelerInductance(const Winding& w) {
    const double r = w.diameter / 2.0 / 0.0254;
    const double len = w.height / 0.0254;
    return r * r * w.turns * w.turns / (9.0 * r + 10.0 * len) * 1e-6;
}

double medhurstSelfCapacitance(const Winding& w) {
    const double ratio = w.height / w.diameter;
    const double k = 0.1126 * ratio + 0.08 + 0.27 / std::sqrt(ratio);
    return k * w.diameter * 100.0 * 1e-12;
}

double poolToroidCapacitance(double major, double minor) {
    const double d1 = major / 0.0254;
    const double d2 = minor / 0.0254;
    return 1.4 * (1.2781 - d2 / d1) * std::sqrt(2.0 * d2 * (d1 - d2)) * 1e-12;
}

double freeSpaceCapacitance(const TopLoad& top) {
    switch (top.shape) {
    case Shape::None:
        return 0;
    case Shape::Sphere:
        return 4.0 * std::numbers::pi * kEpsilon0 * top.majorDiameter / 2.0;
    case Shape::Toroid:
        return poolToroidCapacitance(top.majorDiameter, top.minorDiameter);
    }
    return 0;
}

Resonance resonance(const Winding& winding, const TopLoad& top) {
    Resonance r;
    r.inductance = wheelerInductance(winding);
    r.selfCapacitance = medhurstSelfCapacitance(winding);
    r.freeSpaceCapacitance = freeSpaceCapacitance(top);
    r.inPlaceCapacitance = r.freeSpaceCapacitance;
    r.bareHz = hertz(r.inductance, r.selfCapacitance);
    r.loadedHz = hertz(r.inductance, r.selfCapacitance + r.inPlaceCapacitance);
    return r;
}

std::optional<TopLoad> toroidForFrequency(const Winding& winding, const TopLoad& like, double hz) {
    const Resonance bare = resonance(winding, {});
    if (!(hz > 0) || hz >= bare.bareHz)
        return std::nullopt;
    const bool keepTube = like.shape == Shape::Toroid;
    const auto toroid = [&](double major) {
        return TopLoad{Shape::Toroid, major, keepTube ? like.minorDiameter : major / 4.0,
                       like.centreAbove};
    };
    double low = keepTube ? like.minorDiameter * 1.01 : 1e-3;
    double high = 100.0;
    if (resonance(winding, toroid(high)).loadedHz > hz ||
        resonance(winding, toroid(low)).loadedHz < hz)
        return std::nullopt;
    for (int i = 0; i < 60; ++i) {
        const double mid = std::sqrt(low * high);
        (resonance(winding, toroid(mid)).loadedHz > hz ? low : high) = mid;
    }
    return toroid(std::sqrt(low * high));
}

} // namespace resonex::physics
