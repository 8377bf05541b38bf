#include "core/model/TuningCurve.h"

#include "core/model/CPrimary.h"
#include "core/model/PrimarySources.h"
#include "core/settings/CSettings.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace resonex {

namespace {

// Thomson's formula for the resonance of an inductance and a capacitance,
// f = 1 / (2π √(LC)) (W. Thomson, "On transient electric currents",
// Philosophical Magazine, 1853).
double resonance(double henries, double farads) {
    return 1.0 / (2.0 * M_PI * std::sqrt(henries * farads));
}

// The inductance that resonates with the capacitance at the frequency: the
// same formula solved for L.
double inductanceFor(double hertz, double farads) {
    const double omega = 2.0 * M_PI * hertz;
    return 1.0 / (omega * omega * farads);
}

std::optional<double> crossing(const TuningCurve& curve) {
    if (!curve.tap)
        return std::nullopt;
    const auto henriesAfter = [&](int turn) -> std::optional<double> {
        if (turn == 0)
            return 0.0;
        for (const TuningPoint& point : curve.points)
            if (point.turn == turn)
                return point.henries;
        return std::nullopt;
    };
    const std::optional<double> below = henriesAfter(curve.tap->afterTurn);
    const std::optional<double> above = henriesAfter(curve.tap->beforeTurn);
    if (!below || !above || !(*above > *below))
        return std::nullopt;
    const double share =
        (inductanceFor(curve.targetHertz, curve.farads) - *below) / (*above - *below);
    // The listing's rounding can put the need a hair outside the pair.
    return curve.tap->afterTurn +
           std::clamp(share, 0.0, 1.0) * (curve.tap->beforeTurn - curve.tap->afterTurn);
}

} // namespace

TuningCurve tuningCurve(const CPrimary& primary, const CSettings& settings,
                        const OtherModels& from) {
    TuningCurve curve;
    if (primary.CalcsInvalid())
        return curve;
    const PrimaryInputs inputs(primaryChoices(settings), primary, from);
    curve.farads = inputs.used(PrimaryInput::Capacitance);
    curve.targetHertz = inputs.used(PrimaryInput::Frequency);
    if (!(curve.farads > 0) || !(curve.targetHertz > 0))
        return curve;
    // A damaged design file can list what no circuit resonates with.
    for (const TurnInductance& turn : turnInductances(primary)) {
        const double hertz = resonance(turn.henries, curve.farads);
        if (turn.henries > 0 && std::isfinite(hertz))
            curve.points.append({turn.turn, turn.henries, hertz});
    }
    if (curve.isEmpty())
        return curve;
    curve.tap = tap(primary);
    curve.crossingTurn = crossing(curve);
    curve.quarterWaveHertz = sourceValue(&PrimaryChoices::useSecFr, from);
    curve.loadedHertz = sourceValue(&PrimaryChoices::useTopFr, from);
    return curve;
}

} // namespace resonex
