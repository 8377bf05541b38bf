#include "core/document/DesignPictures.h"

#include "core/document/DesignCommands.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/model/AddedInputs.h"
#include "core/model/SurroundingsInputs.h"
#include "core/results/CouplingResults.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

#include <cmath>
#include <numbers>

namespace resonex {

DesignDrawing drawingOfDesign(const CFile& doc) {
    const bool metric = doc.settings().UseMetric();
    std::optional<BuiltPrimary> built;
    const std::optional<CouplingResults>& coupling = doc.results().coupling();
    if (coupling && !classicGeometry(doc.added())) {
        const LengthUnit unit = designUnit(metric);
        built = BuiltPrimary();
        for (int turn = 1; turn <= coupling->primary.turns; ++turn) {
            const physics::TurnCentre centre = physics::turnCentre(coupling->primary, turn);
            built->turns << QPointF(unit.fromMetres(centre.r), unit.fromMetres(centre.z));
        }
        if (coupling->tapTurn)
            built->tapTurn = *coupling->tapTurn;
    }
    return drawingOf(doc.secondary(), doc.primary(), doc.topLoad(), metric, built,
                     surroundingsAsEntered(doc.models()));
}

TuningCurve tuningCurveOfDesign(const CFile& doc) {
    TuningCurve curve = tuningCurve(doc.primary(), doc.settings(), doc.results().basis());
    const std::optional<CouplingResults>& coupling = doc.results().coupling();
    if (curve.isEmpty() || !coupling)
        return curve;
    for (const physics::CouplingAtTurn& turn : coupling->listing.turns)
        curve.couplings.append({int(turn.turn), turn.k});
    if (coupling->atTap)
        curve.tapCoupling = coupling->atTap->k;
    if (classicGeometry(doc.added()))
        return curve;
    curve.points.clear();
    for (const physics::CouplingAtTurn& turn : coupling->listing.turns)
        curve.points.append(
            {int(turn.turn), turn.primaryInductance,
             1 / (2 * std::numbers::pi * std::sqrt(turn.primaryInductance * curve.farads))});
    // Its turns as built say where the tap lies, or that none of them reaches.
    curve.beyondLastTurn.reset();
    curve.tap.reset();
    curve.crossingTurn.reset();
    if (coupling->tapTurn) {
        const int after = int(*coupling->tapTurn);
        curve.tap = Tap{after, after + 1};
        curve.crossingTurn = *coupling->tapTurn;
    }
    return curve;
}

} // namespace resonex
