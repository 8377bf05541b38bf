#pragma once

#include "core/physics/Burst.h"
#include "core/physics/PrimaryCoupling.h"

#include <optional>

namespace resonex {

class AddedInputs;
class CSecondary;
class CSettings;
struct CouplingResults;
struct PowerResults;
struct TopLoadResults;

// Why a bridge-driven design has no burst to simulate.
enum class NoBurst {
    NoCoupling,        // the primary or the secondary not calculated
    NoLoadedFrequency, // the field solution's figures are absent
    NoBus,             // neither a bus voltage nor the mains it comes from
    NoTank,            // neither a bank's units nor a tank capacitor
    NoTap,             // the primary's turns do not give the tuned inductance
    OutOfRange,        // a circuit the simulation cannot take
};

// The burst of the design's coil driven by a bridge (physics/Burst.h): the
// bank (or the tank capacitor entered) on the primary tapped where the tank
// runs at the tuning ratio times the secondary's loaded frequency, the coil's
// loops as the bang takes them (CoilLoops.h) without a gap: the switches are
// ideal, and the tank's only resistance is its conductor's.
struct BurstResults {
    // As entered and as used.
    bool fullBridge = true;
    double tuneRatio = 0;
    double onTime = 0;
    double busVolts = 0; // the bus entered, or the mains' peak (twice with a doubler)
    std::optional<double> burstsPerSecond;
    std::optional<double> currentLimit;
    std::optional<double> switchRating;
    // The bank: its capacitance, its units' strings and its voltage rating
    // (none for a tank capacitor entered alone).
    double tankCapacitance = 0;
    int strings = 1;
    std::optional<double> bankRating;
    // The tuning: the tank's own frequency and the tap that gives it.
    double tankHz = 0;
    physics::Solved<double> tapTurn = physics::Unsolved::OutOfRange;
    std::optional<NoBurst> none;
    physics::BurstCircuit circuit;
    // The two coupled modes of the loops, lossless (lower, upper).
    double lowerModeHz = 0;
    double upperModeHz = 0;
    std::optional<physics::Burst> burst;
};

// Whether a bridge drives the primary, in place of a spark gap.
bool drivenByBridge(const AddedInputs& added);

BurstResults burstResults(const AddedInputs& added, const CSettings& settings,
                          const CSecondary& secondary, const std::optional<PowerResults>& power,
                          const std::optional<CouplingResults>& coupling,
                          const TopLoadResults& top);

} // namespace resonex
