#pragma once

#include "core/physics/Bang.h"
#include "core/physics/PrimaryCoupling.h"

#include <optional>

namespace resonex {

class CSecondary;

// Where the coil's primary is tapped and how it couples there, on the
// primary as built.
struct CoilTap {
    const physics::PrimaryTurns& primary;
    double turn;
    physics::CouplingAtTurn at;
};

// The coil's two loops as the bang and the burst take them: the primary's
// inductance and mutual inductance at the tap, its conductor's resistance
// from the inner turn to the tap with skin effect (annealed copper); the
// secondary's inductance, the capacitance that resonates it at the loaded
// frequency, its wire's resistance with skin and proximity effect at that
// frequency; a streamer's resistance across the top where one is given,
// with its capacitance where that is known. The tank capacitor, its charge and what else stands
// in the primary loop (a gap) are the caller's.
physics::BangCircuit coilLoops(const CSecondary& secondary, bool useMetric, const CoilTap& tap,
                               double secondaryInductance, double loadedHz,
                               std::optional<double> streamerOhms,
                               std::optional<double> streamerFarads);

} // namespace resonex
