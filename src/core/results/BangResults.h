#pragma once

#include "core/physics/Bang.h"
#include "core/physics/PrimaryCoupling.h"

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
    // As entered: the gap's resistance, a streamer's (none: no streamer),
    // the notch the gap quenches after (none: never).
    double gapOhms = 0;
    std::optional<double> streamerOhms;
    std::optional<int> quenchNotch;
    std::optional<NoBang> none;
    physics::BangCircuit circuit;
    double hz = 0; // the secondary's loaded frequency, where the resistances are taken
    std::optional<physics::Bang> bang;
    // The power side's lossless bound on the secondary's peak voltage, shown
    // beside the bang's.
    std::optional<double> secondaryBoundVolts;
    // Of the couplings that empty the primary entirely at the first notch
    // (lossless and tuned), the nearest to the coil's k at the tap in use,
    // and the inner turn's height (metres) that gives it at that tap.
    double completeTransferK = 0;
    physics::Solved<double> heightForCompleteTransfer = physics::Unsolved::OutOfRange;
};

// The couplings k = (2m+1)/(2m²+2m+1), m = 1, 2, ...: 0.600, 0.385, 0.280,
// ..., at which the two modes' beat empties the primary exactly at its first
// notch; the one nearest k.
double nearestCompleteTransferK(double k);

BangResults bangResults(const AddedInputs& added, const CSettings& settings,
                        const CSecondary& secondary, const std::optional<PowerResults>& power,
                        const std::optional<CouplingResults>& coupling,
                        const physics::SecondaryTurns& winding, const TopLoadResults& top);

} // namespace resonex
