#include "core/summary/Summary.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/errors/ResonexError.h"
#include "core/model/AddedInputs.h"
#include "core/model/CTopLoad.h"
#include "core/results/CouplingResultTexts.h"
#include "core/results/CouplingResults.h"
#include "core/settings/CSettings.h"
#include "core/summary/CouplingSection.h"
#include "core/summary/NewLine.h"
#include "core/summary/PowerSection.h"
#include "core/summary/PrimarySection.h"
#include "core/summary/SecondarySection.h"
#include "core/summary/TopLoadSection.h"
#include "core/summary/TransformerSection.h"
#include "core/text/LengthUnit.h"

namespace resonex {

Summary ComposeSummary(const CFile& doc) {
    const bool metric = doc.settings().UseMetric();
    try {
        Summary summary{
            {QStringLiteral("Filename: "), true},
            {doc.FileTitle() + kNewLine + kNewLine, false},
            {SecondarySectionTitle(), true},
            {SecondarySectionText(doc.secondary(), designUnit(metric).word(),
                                  wireUnit(metric).word()),
             false},
            {PrimarySectionTitle(), true},
            {PrimarySectionText(doc.primary(), doc.settings(), doc.results().basis(),
                                designUnit(metric).word(), !classicGeometry(doc.added())),
             false},
            {TransformerSectionTitle(), true},
            {TransformerSectionText(doc.transformer(), doc.settings().Use50Hz()), false},
        };
        // A design without a top load shows what it always showed.
        if (doc.topLoad().isSet())
            summary << SummaryPiece{kNewLine + kNewLine, false}
                    << SummaryPiece{TopLoadSectionTitle(), true}
                    << SummaryPiece{TopLoadSectionText(doc.topLoad(), doc.results().topLoad(),
                                                       doc.added(), metric),
                                    false};
        // Only a design with anything beyond the classic calculations (a
        // primary built otherwise, a coupling asked for, a top load, the
        // surroundings, the power side) adds its coupling: the flat spiral
        // as a new design has it too, once the design is more than classic.
        if (doc.extensionVersion())
            if (const std::optional<CouplingResults>& coupling = doc.results().coupling())
                summary << SummaryPiece{kNewLine + kNewLine, false}
                        << SummaryPiece{CouplingSectionTitle(), true}
                        << SummaryPiece{CouplingSectionText(*coupling, metric), false};
        // Only a design that sets anything of the power side adds it, once
        // the transformer bank is calculated.
        if (doc.usesPower())
            if (const std::optional<PowerResults> power = doc.results().power())
                summary << SummaryPiece{kNewLine + kNewLine, false}
                        << SummaryPiece{PowerSectionTitle(), true}
                        << SummaryPiece{PowerSectionText(powerResultLines(*power, metric)), false};
        return summary;
    } catch (ResonexError& error) {
        error.setSourceIfEmpty(QStringLiteral("ComposeSummary"));
        throw;
    }
}

QString plainText(const Summary& summary) {
    QString text;
    for (const SummaryPiece& piece : summary)
        text += piece.text;
    return text;
}

} // namespace resonex
