#include "core/results/BangResults.h"

#include "core/model/AddedInputs.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/physics/PrimaryTurns.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResults.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

#include <cmath>

namespace resonex {

namespace {

// Annealed copper at 20 degrees C, the International Annealed Copper
// Standard (IEC 60028): 1/58 ohm mm^2/m.
constexpr double kCopperResistivity = 1.0 / 58e6;

// The primary's conductor from its inner turn to the tap, a fractional turn.
double conductorToTap(const physics::PrimaryTurns& primary, double tap) {
    double length = 0;
    for (int k = 1; k <= primary.turns && k - 1 < tap; ++k)
        length += std::min(1.0, tap - (k - 1)) * 2 * M_PI * physics::turnCentre(primary, k).r;
    return length;
}

} // namespace

BangResults bangResults(const AddedInputs& added, const CSettings& settings,
                        const CSecondary& secondary, const std::optional<PowerResults>& power,
                        const std::optional<CouplingResults>& coupling, const TopLoadResults& top) {
    BangResults results;
    if (!power) {
        results.none = NoBang::TransformerNotCalculated;
        return results;
    }
    if (!coupling) {
        results.none = NoBang::NoCoupling;
        return results;
    }
    if (!coupling->atTap) {
        results.none = NoBang::NoTap;
        return results;
    }
    if (top.absent) {
        results.none = NoBang::NoLoadedFrequency;
        return results;
    }
    const bool metric = settings.UseMetric();
    const double secondaryL = coupling->listing.secondaryInductance;
    results.hz = top.loadedFr;
    const double omega = 2 * M_PI * results.hz;

    physics::BangCircuit& circuit = results.circuit;
    circuit.tankCapacitance = power->capacitance;
    circuit.tankVolts = power->peakVoltage;
    circuit.primaryInductance = coupling->atTap->primaryInductance;
    circuit.mutualInductance = coupling->atTap->mutualInductance;
    circuit.secondaryInductance = secondaryL;
    circuit.secondaryCapacitance = 1 / (omega * omega * secondaryL);
    const physics::PrimaryTurns& primary = coupling->primary;
    circuit.primaryResistance =
        added.si(designInput(Input::GapOhms), metric) +
        physics::skinEffectResistance(conductorToTap(primary, *coupling->tapTurn),
                                      primary.conductorDiameter, results.hz, kCopperResistivity);
    circuit.secondaryResistance = physics::skinEffectResistance(
        wireUnit(metric).toMetres(secondary.WireLength()),
        designUnit(metric).toMetres(secondary.WireDiaValue()), results.hz, kCopperResistivity);
    const double streamer = added.si(designInput(Input::StreamerOhms), metric);
    if (streamer > 0 && power->streamerCapacitance) {
        circuit.streamerResistance = streamer;
        circuit.secondaryCapacitance += *power->streamerCapacitance;
    }
    physics::BangRun run;
    const int notch = int(added.value(designInput(Input::Quench)));
    run.quenchNotch = notch > 0 ? std::optional<int>(notch) : std::nullopt;
    physics::Solved<physics::Bang> bang = physics::Bang::fire(circuit, run);
    if (!bang)
        results.none = NoBang::OutOfRange;
    else
        results.bang.emplace(std::move(*bang));
    return results;
}

} // namespace resonex
