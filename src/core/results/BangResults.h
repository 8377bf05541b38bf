#pragma once

#include "core/physics/Bang.h"

#include <optional>

namespace resonex {

class AddedInputs;
class CSecondary;
class CSettings;
struct CouplingResults;
struct PowerResults;
struct TopLoadResults;

// Why a design has no bang to simulate.
enum class NoBang {
    TransformerNotCalculated, // no tank voltage
    NoCoupling,               // the primary or the secondary not calculated
    NoTap,                    // the primary cannot reach the frequency
    NoLoadedFrequency,        // the field solution's figures are absent
    OutOfRange,               // a circuit the simulation cannot take
};

// The bang of the design's coil (physics/Bang.h), built from what the design
// already knows: the tank capacitor used and its peak voltage (the power
// side), Lp and M at the tap in use and Ls (the coupling), the capacitance
// that resonates the secondary at its loaded frequency (the field solution),
// the resistances (the gap's entered, the conductors' by their skin effect at
// that frequency), a streamer where one is entered.
struct BangResults {
    std::optional<NoBang> none;
    physics::BangCircuit circuit;
    double hz = 0; // the secondary's loaded frequency, where the resistances are taken
    std::optional<physics::Bang> bang;
};

BangResults bangResults(const AddedInputs& added, const CSettings& settings,
                        const CSecondary& secondary, const std::optional<PowerResults>& power,
                        const std::optional<CouplingResults>& coupling, const TopLoadResults& top);

} // namespace resonex
