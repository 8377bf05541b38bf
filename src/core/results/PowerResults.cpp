#include "core/results/PowerResults.h"

#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/model/PrimarySources.h"
#include "core/model/TopLoadSolution.h"
#include "core/model/TuningCurve.h"
#include "core/settings/CSettings.h"

#include <cmath>

namespace resonex {

namespace {

// A power side's input in SI units.
double si(const AddedInputs& added, Input input, const CSettings& settings) {
    return added.si(designInput(input), settings.UseMetric());
}

// An input as entered: none for an empty box where that means none.
std::optional<double> entered(const AddedInputs& added, Input input, const CSettings& settings) {
    const DesignInput& row = designInput(input);
    if (row.emptyIsNone() && added.value(row) == 0)
        return std::nullopt;
    return si(added, input, settings);
}

physics::TransformerBank bankOf(const CTransformer& transformer, const CSettings& settings) {
    return {transformer.SecVolValue() * 1000.0,
            transformer.SecCurValue() / 1000.0 * transformer.NumValue(),
            double(CTransformer::mainsFrequency(settings.Use50Hz()))};
}

// The fractional turn that gives the inductance on the listing the tap in use
// comes from: the primary as built's, or the classic one's turns.
physics::Solved<double> tapFor(double henries, const CPrimary& primary, const CSettings& settings,
                               const DesignBasis& from, const CouplingResults& coupling) {
    if (coupling.geometricTap)
        return physics::turnForInductance(coupling.listing, henries);
    physics::CouplingListing classic;
    for (const TuningPoint& point : tuningCurve(primary, settings, from).points)
        classic.turns.push_back({double(point.turn), point.henries, 0, 0});
    return physics::turnForInductance(classic, henries);
}

} // namespace

std::optional<physics::Solved<physics::MmcBank>>
mmcBankOf(const AddedInputs& added, const CSettings& settings, const DesignBasis& from) {
    const double unitFarads = si(added, Input::UnitC, settings);
    if (unitFarads == 0 || !transformerCalculated(from.transformer))
        return std::nullopt;
    return physics::mmcBank({unitFarads, si(added, Input::UnitKv, settings)},
                            tankCapacitorUsed(from),
                            physics::peakVoltage(bankOf(from.transformer, settings)),
                            si(added, Input::MmcSafety, settings));
}

std::optional<PowerResults> powerResults(const CPrimary& primary, const AddedInputs& added,
                                         const CSettings& settings, const DesignBasis& from,
                                         const physics::Surroundings& around,
                                         const std::optional<CouplingResults>& coupling) {
    if (!transformerCalculated(from.transformer))
        return std::nullopt;
    PowerResults results;
    const physics::TransformerBank bank = bankOf(from.transformer, settings);
    results.gap = physics::Gap(int(added.value(designInput(Input::Gap))));
    results.tank = physics::tankCapacitors(bank, from.transformer.C());
    results.capacitance = tankCapacitorUsed(from);
    results.followsResonant = from.tankCapacitance == 0;
    results.resonantRiskWarning = results.gap == physics::Gap::Static &&
                                  physics::nearResonant(results.capacitance, results.tank.resonant);
    results.peakVoltage = physics::peakVoltage(bank);
    results.breaksPerSecond =
        physics::breaksPerSecond(results.gap, bank.mainsHz, si(added, Input::Bps, settings));
    results.bangs = physics::bangs(bank, results.capacitance, results.breaksPerSecond);
    results.safetyGapVoltage = physics::safetyGapVoltage(results.peakVoltage);
    results.ratingVoltAmperes = physics::ratingVoltAmperes(bank);
    results.sparkLength = physics::sparkLength(results.ratingVoltAmperes);

    if (secondaryCalculated(from.secondary)) {
        const double streamer = physics::streamerCapacitance(results.sparkLength);
        results.streamerCapacitance = streamer;
        results.runningHz = from.topLoadSolution.runningFr(from.topLoad, from.secondary,
                                                           from.useMetric, around, streamer);
        const TopLoadResults& top = from.topLoadSolution.results(
            from.topLoad, from.secondary, from.useMetric, around, Toroids::Unsized);
        if (!top.absent)
            results.secondaryPeakVoltage = physics::secondaryPeakVoltageBound(
                results.bangs.energy, double(top.coilC) + double(top.inPlaceC));
    }
    if (primaryCalculated(primary)) {
        const PrimaryInputs used(primaryChoices(settings), primary, from);
        results.primaryPeakCurrent =
            physics::primaryPeakCurrent(results.peakVoltage, results.capacitance,
                                        inductanceFor(used.used(Input::Fr), used.used(Input::C)));
        // The listing the tap comes from: the primary as built's once the
        // coupling is worked out, the classic one's before.
        results.tapInUse = coupling ? bool(coupling->tapTurn) : primary.listing().tap.has_value();
        if (results.runningHz && coupling)
            results.tapForRunning = tapFor(inductanceFor(*results.runningHz, results.capacitance),
                                           primary, settings, from, *coupling);
    }
    results.unitCapacitance = entered(added, Input::UnitC, settings);
    results.unitRating = entered(added, Input::UnitKv, settings);
    results.safetyFactor = si(added, Input::MmcSafety, settings);
    results.mmc = mmcBankOf(added, settings, from);
    if (results.mmc && *results.mmc && results.primaryPeakCurrent)
        results.unitPeakCurrent = *results.primaryPeakCurrent / (**results.mmc).offered.parallel;
    return results;
}

} // namespace resonex
