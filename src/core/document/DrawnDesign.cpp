#include "core/document/DrawnDesign.h"

#include "core/document/CFile.h"
#include "core/model/AddedInputs.h"
#include "core/results/CouplingResults.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

namespace resonex {

DesignDrawing drawingOfDesign(const CFile& doc) {
    const bool metric = doc.settings().UseMetric();
    std::optional<BuiltPrimary> built;
    const std::optional<CouplingResults>& coupling = doc.coupling();
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
    return drawingOf(doc.secondary(), doc.primary(), doc.topLoad(), metric, built);
}

} // namespace resonex
