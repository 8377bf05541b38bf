#pragma once

#include "core/physics/PowerSupply.h"
#include "core/physics/Surroundings.h"
#include "core/results/CouplingResults.h"

#include <optional>

namespace resonex {

class AddedInputs;
class CPrimary;
class CSettings;
struct DesignBasis;

// The power side of the design in SI units, once the transformer bank is
// calculated: the tank capacitors it suits and the one used, each bang's
// energy and the power, the peaks that follow, the capacitor bank of small
// units, and the sparks with the running frequency they bring.
struct PowerResults {
    physics::Gap gap = physics::Gap::Static;
    physics::TankCapacitors tank;
    double capacitance = 0;           // the tank capacitor used
    bool followsResonant = true;      // none entered: the resonant one
    bool resonantRiskWarning = false; // a static gap within 10 % of resonant
    double peakVoltage = 0;
    double breaksPerSecond = 0;
    physics::Bangs bangs;
    double safetyGapVoltage = 0;
    // The bank's rating, the power it is taken to draw, and the sparks that
    // power makes.
    double ratingVoltAmperes = 0;
    double sparkLength = 0;
    // Once the secondary is calculated: the streamer, the secondary's running
    // frequency with it and the peak voltage by energy transfer.
    std::optional<double> streamerCapacitance;
    std::optional<double> runningHz;
    std::optional<double> secondaryPeakVoltage;
    // Once the primary is too: its peak current at the inductance it needs,
    // which is the tap in use's where its listing reaches it (tapInUse), and
    // the tap that tunes it to the running frequency (a fractional turn).
    std::optional<double> primaryPeakCurrent;
    bool tapInUse = false;
    std::optional<physics::Solved<double>> tapForRunning;
    // The bank's inputs as entered: none for an empty box.
    std::optional<double> unitCapacitance;
    std::optional<double> unitRating;
    double safetyFactor = 0;
    // Once a unit capacitor is given.
    std::optional<physics::Solved<physics::MmcBank>> mmc;
    std::optional<double> unitPeakCurrent; // each unit's, with the primary's
};

// None until the transformer bank is calculated. around: what stands in the
// field, as for the top load's figures; coupling: the primary as built, for
// the tap.
std::optional<PowerResults> powerResults(const CPrimary& primary, const AddedInputs& added,
                                         const CSettings& settings, const DesignBasis& from,
                                         const physics::Surroundings& around,
                                         const std::optional<CouplingResults>& coupling);

// The bank a unit capacitor of the design gives, none without one: the power
// calculation refuses one of too many units.
std::optional<physics::Solved<physics::MmcBank>>
mmcBankOf(const AddedInputs& added, const CSettings& settings, const DesignBasis& from);

} // namespace resonex
