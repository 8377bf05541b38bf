#include "core/results/BangResults.h"

#include "core/model/AddedInputs.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/results/CoilLoops.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResults.h"
#include "core/settings/CSettings.h"

#include <cmath>

namespace resonex {

// A. C. M. de Queiroz, Tesla list, April 2000
// (https://pupman.com/listarchives/2000/April/msg00367.html): with the two
// resonators tuned alike and no losses, the primary's energy is all in the
// secondary at its first notch when the modes' frequencies f0/sqrt(1±k)
// stand as m+1 to m: k = ((m+1)² - m²)/((m+1)² + m²).
double nearestCompleteTransferK(double k) {
    double nearest = 0.6;
    for (int m = 1;; ++m) {
        const double km = (2.0 * m + 1) / (2.0 * m * m + 2.0 * m + 1);
        if (std::abs(km - k) < std::abs(nearest - k))
            nearest = km;
        if (km < k)
            return nearest;
    }
}

BangResults bangResults(const AddedInputs& added, const CSettings& settings,
                        const CSecondary& secondary, const std::optional<PowerResults>& power,
                        const std::optional<CouplingResults>& coupling,
                        const physics::SecondaryTurns& winding, const TopLoadResults& top) {
    BangResults results;
    const bool metric = settings.UseMetric();
    results.gapOhms = added.si(designInput(Input::GapOhms), metric);
    const double streamer = added.si(designInput(Input::StreamerOhms), metric);
    if (streamer > 0)
        results.streamerOhms = streamer;
    const int notch = int(added.value(designInput(Input::Quench)));
    if (notch > 0)
        results.quenchNotch = notch;
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
    results.hz = top.loadedFr;
    const physics::PrimaryTurns& primary = coupling->primary;
    physics::BangCircuit& circuit = results.circuit;
    circuit = coilLoops(secondary, metric, {primary, *coupling->tapTurn, *coupling->atTap},
                        coupling->listing.secondaryInductance, results.hz, results.streamerOhms,
                        power->streamerCapacitance);
    circuit.tankCapacitance = power->capacitance;
    circuit.tankVolts = power->peakVoltage;
    circuit.primaryResistance += results.gapOhms;
    physics::BangRun run;
    run.quenchNotch = results.quenchNotch;
    physics::Solved<physics::Bang> bang = physics::Bang::fire(circuit, run);
    results.secondaryBoundVolts = power->secondaryPeakVoltage;
    results.completeTransferK = nearestCompleteTransferK(coupling->atTap->k);
    results.heightForCompleteTransfer = physics::innerHeightForCoupling(
        primary, winding, *coupling->tapTurn, results.completeTransferK);
    if (!bang)
        results.none = NoBang::OutOfRange;
    else
        results.bang.emplace(std::move(*bang));
    return results;
}

} // namespace resonex
