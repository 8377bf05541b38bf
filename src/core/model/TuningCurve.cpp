#include "core/model/TuningCurve.h"

#include "core/errors/ResonexError.h"
#include "core/model/CPrimary.h"
#include "core/model/Calculated.h"
#include "core/model/FlatSpiral.h"
#include "core/model/PrimarySources.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace resonex {

// Thomson's formula (resonance(), below) solved for L.
double inductanceFor(double hertz, double farads) {
    const double omega = 2.0 * std::numbers::pi * hertz;
    return 1.0 / (omega * omega * farads);
}

namespace {

// Thomson's formula for the resonance of an inductance and a capacitance,
// f = 1 / (2π √(LC)) (W. Thomson, "On transient electric currents",
// Philosophical Magazine, 1853).
double resonance(double henries, double farads) {
    return 1.0 / (2.0 * std::numbers::pi * std::sqrt(henries * farads));
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

// The primary's spiral as its calculation works it out, wound with the given
// spacing; none where the calculation fails.
std::optional<SpiralTurns> spiral(const CPrimary& primary, const PrimaryInputs& inputs, bool metric,
                                  float conSpa) {
    try {
        return flatSpiral({inputs.used(Input::C), inputs.used(Input::Fr), primary.ConDiaValue(),
                           conSpa, primary.SecSepValue(), inputs.used(Input::SecDia), metric});
    } catch (const ResonexError&) {
        return std::nullopt;
    }
}

// Whether the last of the turns wound with the spacing is more than the
// target needs.
bool reaches(const CPrimary& primary, const PrimaryInputs& inputs, bool metric, double spacing) {
    const std::optional<SpiralTurns> turns = spiral(primary, inputs, metric, float(spacing));
    return turns && turns->tap != 0;
}

// The spacing between one that falls short and one that reaches, to the
// hundredth the primary shows, on the reaching side.
double spacingBetween(const CPrimary& primary, const PrimaryInputs& inputs, bool metric,
                      double short_, double reaching) {
    constexpr double kShown = 0.01;
    while (std::abs(reaching - short_) > kShown / 4) {
        const double middle = (short_ + reaching) / 2;
        (reaches(primary, inputs, metric, middle) ? reaching : short_) = middle;
    }
    return reaching > short_ ? std::ceil(reaching / kShown) * kShown
                             : std::floor(reaching / kShown) * kShown;
}

void findReachingSpacing(TuningCurve::Reach& reach, const CPrimary& primary,
                         const PrimaryInputs& inputs, bool metric) {
    const double entered = primary.ConSpaValue();
    if (reaches(primary, inputs, metric, 0)) {
        const double closer = spacingBetween(primary, inputs, metric, entered, 0);
        // A spacing of none is not one the primary takes.
        if (closer > 0) {
            reach.spacing = closer;
            reach.closerSpacing = true;
        }
        return;
    }
    constexpr double kFurthest = 1000;
    for (double wider = 2 * entered; wider <= kFurthest * entered; wider *= 2)
        if (reaches(primary, inputs, metric, wider)) {
            reach.spacing = spacingBetween(primary, inputs, metric, wider / 2, wider);
            return;
        }
}

// Up to the next step of the last digit shown, so that what is quoted is
// enough.
double roundedUp(double value, double step) { return std::ceil(value / step) * step; }

// A calculation that ran out of turns keeps no listing: its turns worked out
// again, and what would bring the target within the last of them.
void addTurnsBeyondReach(TuningCurve& curve, const CPrimary& primary, const PrimaryInputs& inputs,
                         bool metric) {
    const std::optional<SpiralTurns> turns = spiral(primary, inputs, metric, primary.ConSpaValue());
    // A calculation that reaches the target has results: without them the
    // design is damaged, not out of turns.
    if (!turns || turns->tap != 0)
        return;
    for (int turn = 1; turn <= kSpiralTurns; ++turn) {
        const double henries = double(turns->microhenries[turn - 1]) * 1e-6;
        const double hertz = resonance(henries, curve.farads);
        if (!(henries > 0) || !std::isfinite(hertz)) {
            curve.points.clear();
            return;
        }
        curve.points.append({turn, henries, hertz});
    }
    const double last = curve.points.constLast().henries;
    // Thomson's formula is symmetric in L and C.
    TuningCurve::Reach reach{roundedUp(inductanceFor(curve.targetHertz, last), 1e-10),
                             roundedUp(resonance(last, curve.farads), 10.0), std::nullopt, false,
                             metric};
    findReachingSpacing(reach, primary, inputs, metric);
    curve.beyondLastTurn = reach;
}

} // namespace

TuningCurve tuningCurve(const CPrimary& primary, const CSettings& settings,
                        const DesignBasis& from) {
    TuningCurve curve;
    if (!primaryCalculated(primary))
        return curve;
    const PrimaryInputs inputs(primaryChoices(settings), primary, from);
    curve.farads = inputs.used(Input::C);
    curve.targetHertz = inputs.used(Input::Fr);
    if (!(curve.farads > 0) || !(curve.targetHertz > 0))
        return curve;
    // A damaged design file can list what no circuit resonates with.
    for (const TurnInductance& turn : primary.listing().turns) {
        const double hertz = resonance(turn.henries, curve.farads);
        if (turn.henries > 0 && std::isfinite(hertz))
            curve.points.append({turn.turn, turn.henries, hertz});
    }
    if (curve.isEmpty() && primary.Results().isEmpty())
        addTurnsBeyondReach(curve, primary, inputs, settings.UseMetric());
    if (curve.isEmpty())
        return curve;
    curve.tap = primary.listing().tap;
    curve.crossingTurn = crossing(curve);
    curve.quarterWaveHertz = sourceValue(&PrimaryChoices::useSecFr, from);
    curve.loadedHertz = sourceValue(&PrimaryChoices::useTopFr, from);
    return curve;
}

QString reachText(const TuningCurve::Reach& reach) {
    QStringList ways{
        QStringLiteral("a capacitance of at least %1uF").arg(microfaradsText(float(reach.farads))),
        QStringLiteral("a target of at least %1kHz").arg(kilohertzText(float(reach.hertz)))};
    if (reach.spacing)
        ways << QStringLiteral("turns spaced at %1 %2%3")
                    .arg(reach.closerSpacing ? QStringLiteral("most") : QStringLiteral("least"),
                         text::format(float(*reach.spacing), text::Pattern::TwoDecimals),
                         designUnit(reach.metric).word());
    const QString last = ways.takeLast();
    return QStringLiteral("The tap lies beyond turn %1: it comes within reach with %2 or %3.")
        .arg(QString::number(kSpiralTurns), ways.join(QStringLiteral(", ")), last);
}

} // namespace resonex
