#include "core/results/CouplingResults.h"

#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/Calculated.h"
#include "core/model/PrimarySources.h"
#include "core/model/TuningCurve.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

#include <cmath>
#include <numbers>

namespace resonex {

namespace {

double added(const AddedInputs& inputs, Input input) { return inputs.value(designInput(input)); }

} // namespace

bool classicGeometry(const AddedInputs& inputs) {
    for (const Input input : {Input::PriShape, Input::PriTurns, Input::PriHeight})
        if (added(inputs, input) != designInput(input).start)
            return false;
    return true;
}

physics::PrimaryTurns primaryAsBuilt(const CPrimary& primary, const AddedInputs& inputs,
                                     const DesignBasis& from) {
    const LengthUnit unit = designUnit(from.useMetric);
    const auto metres = [&unit](double length) { return unit.toMetres(length); };
    const auto shape = physics::PrimaryShape(int(added(inputs, Input::PriShape)));
    const double conductor = metres(primary.ConDiaValue());
    physics::PrimaryTurns turns;
    turns.shape = shape;
    turns.angleDegrees = shape == physics::PrimaryShape::Conical   ? added(inputs, Input::PriAngle)
                         : shape == physics::PrimaryShape::Helical ? 90
                                                                   : 0;
    turns.turns = int(added(inputs, Input::PriTurns));
    // The inner turn's centre: the secondary's radius, the separation and
    // half the conductor out from the axis.
    turns.innerRadius =
        metres(from.secondary.DiaValue()) / 2 + metres(primary.SecSepValue()) + conductor / 2;
    turns.innerHeight = metres(added(inputs, Input::PriHeight));
    turns.conductorDiameter = conductor;
    turns.pitch = conductor + metres(primary.ConSpaValue());
    return turns;
}

physics::SecondaryTurns secondaryTurns(const DesignBasis& from) {
    const LengthUnit unit = designUnit(from.useMetric);
    const CSecondary& secondary = from.secondary;
    return {unit.toMetres(secondary.DiaValue()), unit.toMetres(secondary.HeightValue()),
            secondary.Turns(), unit.toMetres(secondary.WireDiaValue())};
}

std::optional<CouplingResults> couplingResults(const CPrimary& primary, const AddedInputs& inputs,
                                               const CSettings& settings, const DesignBasis& from) {
    if (!primaryCalculated(primary) || !secondaryCalculated(from.secondary))
        return std::nullopt;
    CouplingResults results;
    results.primary = primaryAsBuilt(primary, inputs, from);
    const physics::SecondaryTurns secondary = secondaryTurns(from);
    results.listing = physics::couplingListing(results.primary, secondary);
    results.inductanceAsBuilt = results.listing.turns.back().primaryInductance;
    results.geometricTap = !classicGeometry(inputs);

    // The tap in use: where the listing that applies reaches the inductance
    // the primary's capacitance needs at its frequency.
    const PrimaryInputs used(primaryChoices(settings), primary, from);
    const double hertz = used.used(Input::Fr);
    if (results.geometricTap) {
        const double omega = 2 * std::numbers::pi * hertz;
        results.tapTurn = physics::turnForInductance(
            results.listing, 1 / (omega * omega * double(used.used(Input::C))));
    } else if (const std::optional<double> crossing =
                   tuningCurve(primary, settings, from).crossingTurn) {
        results.tapTurn = *crossing;
    }
    if (const physics::Solved<physics::CouplingAtTurn> at =
            results.tapTurn ? physics::atTurn(results.listing, *results.tapTurn)
                            : physics::Solved<physics::CouplingAtTurn>(results.tapTurn.why())) {
        results.atTap = *at;
        results.modes = physics::coupledModes(hertz, at->k);
    }
    if (const double k = added(inputs, Input::TargetK); k > 0 && results.tapTurn) {
        results.targetK = k;
        results.heightForTargetK =
            physics::innerHeightForCoupling(results.primary, secondary, *results.tapTurn, k);
    } else if (k > 0) {
        results.targetK = k;
        results.heightForTargetK = results.tapTurn.why();
    }
    return results;
}

} // namespace resonex
