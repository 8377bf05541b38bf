#include "core/results/CoilLoops.h"

#include "core/model/CSecondary.h"
#include "core/physics/PrimaryTurns.h"
#include "core/physics/WireResistance.h"
#include "core/text/LengthUnit.h"

#include <cmath>

namespace resonex {

namespace {

// The primary's conductor from its inner turn to the tap, a fractional turn.
double conductorToTap(const physics::PrimaryTurns& primary, double tap) {
    double length = 0;
    for (int k = 1; k <= primary.turns && k - 1 < tap; ++k)
        length += std::min(1.0, tap - (k - 1)) * 2 * M_PI * physics::turnCentre(primary, k).r;
    return length;
}

} // namespace

physics::BangCircuit coilLoops(const CSecondary& secondary, bool useMetric, const CoilTap& tap,
                               double secondaryInductance, double loadedHz,
                               std::optional<double> streamerOhms,
                               std::optional<double> streamerFarads) {
    const double omega = 2 * M_PI * loadedHz;
    physics::BangCircuit circuit;
    circuit.primaryInductance = tap.at.primaryInductance;
    circuit.mutualInductance = tap.at.mutualInductance;
    circuit.secondaryInductance = secondaryInductance;
    circuit.secondaryCapacitance = 1 / (omega * omega * secondaryInductance);
    circuit.primaryResistance = physics::skinEffectResistance(
        conductorToTap(tap.primary, tap.turn), tap.primary.conductorDiameter, loadedHz,
        physics::kCopperResistivity);
    const LengthUnit design = designUnit(useMetric);
    circuit.secondaryResistance = physics::solenoidResistance(
        {.wireLength = wireUnit(useMetric).toMetres(secondary.WireLength()),
         .wireDiameter = design.toMetres(secondary.WireDiaValue()),
         .pitch = design.toMetres(secondary.WireDiaValue() + secondary.WireSpaValue()),
         .windingLength = design.toMetres(secondary.HeightValue()),
         .coilDiameter = design.toMetres(secondary.DiaValue())},
        loadedHz, physics::kCopperResistivity);
    if (streamerOhms) {
        circuit.streamerResistance = streamerOhms;
        circuit.secondaryCapacitance += streamerFarads.value_or(0);
    }
    return circuit;
}

} // namespace resonex
