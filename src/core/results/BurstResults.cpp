#include "core/results/BurstResults.h"

#include "core/model/AddedInputs.h"
#include "core/model/CTopLoad.h"
#include "core/results/CoilLoops.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResults.h"
#include "core/settings/CSettings.h"

#include <cmath>

namespace resonex {

namespace {

// An entry that is 0 (empty) as none.
std::optional<double> given(double value) {
    return value > 0 ? std::optional<double>(value) : std::nullopt;
}

// The lossless modes of two coupled resonators w1, w2 at k (the classical
// double-tuned circuit, F. E. Terman, "Radio Engineers' Handbook", 1943):
// w² = (w1² + w2² ∓ sqrt((w1² - w2²)² + 4k²w1²w2²)) / (2(1 - k²)).
std::pair<double, double> coupledModes(double f1, double f2, double k) {
    const double a = f1 * f1 + f2 * f2;
    const double root =
        std::sqrt((f1 * f1 - f2 * f2) * (f1 * f1 - f2 * f2) + 4 * k * k * f1 * f1 * f2 * f2);
    const double d = 2 * (1 - k * k);
    return {std::sqrt((a - root) / d), std::sqrt((a + root) / d)};
}

} // namespace

bool drivenByBridge(const AddedInputs& added) {
    return added.value(designInput(Input::Driver)) == double(Driver::Bridge);
}

BurstResults burstResults(const AddedInputs& added, const CSettings& settings,
                          const CSecondary& secondary, const std::optional<PowerResults>& power,
                          const std::optional<CouplingResults>& coupling,
                          const TopLoadResults& top) {
    const bool metric = settings.UseMetric();
    const auto si = [&](Input input) { return added.si(designInput(input), metric); };
    BurstResults results;
    results.fullBridge = added.value(designInput(Input::Bridge)) == 0;
    results.tuneRatio = si(Input::TuneRatio);
    results.onTime = si(Input::OnTime);
    const double mains = si(Input::BusMains);
    results.busVolts =
        si(Input::BusV) > 0
            ? si(Input::BusV)
            : mains * std::sqrt(2.0) * (added.value(designInput(Input::Doubler)) != 0 ? 2 : 1);
    results.burstsPerSecond = given(si(Input::Bps));
    results.currentLimit = given(si(Input::OcdA));
    results.switchRating = given(si(Input::SwitchA));
    const double series = si(Input::BankSeries);
    results.strings = int(si(Input::BankStrings));
    if (const double unit = si(Input::UnitC); unit > 0) {
        results.tankCapacitance = unit * results.strings / series;
        results.bankRating = si(Input::UnitKv) * series;
    } else {
        results.tankCapacitance = si(Input::TankC);
    }
    if (!coupling) {
        results.none = NoBurst::NoCoupling;
        return results;
    }
    if (top.absent) {
        results.none = NoBurst::NoLoadedFrequency;
        return results;
    }
    if (results.busVolts <= 0) {
        results.none = NoBurst::NoBus;
        return results;
    }
    if (results.tankCapacitance <= 0) {
        results.none = NoBurst::NoTank;
        return results;
    }
    // The tap where the tank runs at its share of the loaded frequency, on
    // the primary as built.
    results.tankHz = results.tuneRatio * top.loadedFr;
    const double omega = 2 * M_PI * results.tankHz;
    results.tapTurn = physics::turnForInductance(coupling->listing,
                                                 1 / (omega * omega * results.tankCapacitance));
    const physics::Solved<physics::CouplingAtTurn> at =
        results.tapTurn ? physics::atTurn(coupling->listing, *results.tapTurn)
                        : physics::Solved<physics::CouplingAtTurn>(results.tapTurn.why());
    if (!at) {
        results.none = NoBurst::NoTap;
        return results;
    }
    physics::BurstCircuit& circuit = results.circuit;
    circuit.coil = coilLoops(secondary, metric, {coupling->primary, *results.tapTurn, *at},
                             coupling->listing.secondaryInductance, top.loadedFr,
                             given(si(Input::StreamerOhms)),
                             power ? power->streamerCapacitance : std::nullopt);
    circuit.coil.tankCapacitance = results.tankCapacitance;
    circuit.busVolts = results.busVolts;
    circuit.fullBridge = results.fullBridge;
    const double f1 =
        1 / (2 * M_PI * std::sqrt(circuit.coil.primaryInductance * circuit.coil.tankCapacitance));
    const double f2 =
        1 / (2 * M_PI *
             std::sqrt(circuit.coil.secondaryInductance * circuit.coil.secondaryCapacitance));
    std::tie(results.lowerModeHz, results.upperModeHz) = coupledModes(f1, f2, at->k);
    physics::BurstRun run;
    run.onTime = results.onTime;
    run.currentLimit = results.currentLimit;
    physics::Solved<physics::Burst> burst = physics::Burst::drive(circuit, run);
    if (!burst)
        results.none = NoBurst::OutOfRange;
    else
        results.burst.emplace(std::move(*burst));
    return results;
}

} // namespace resonex
