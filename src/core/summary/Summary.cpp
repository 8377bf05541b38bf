#include "summary/Summary.h"

#include "errors/ResonexError.h"
#include "files/CFile.h"
#include "settings/CSettings.h"
#include "summary/NewLine.h"
#include "summary/PrimarySection.h"
#include "summary/SecondarySection.h"
#include "summary/TransformerSection.h"

namespace resonex {

Summary ComposeSummary(const CFile& doc) {
    const bool metric = doc.settings().UseMetric();
    const QString lengthUnit = metric ? QStringLiteral("mm") : QStringLiteral("in");
    const QString largeUnit = metric ? QStringLiteral("m") : QStringLiteral("ft");
    try {
        return {{
            {QStringLiteral("Filename: "), true},
            {doc.FileTitle() + kNewLine + kNewLine, false},
            {SecondarySectionTitle(), true},
            {SecondarySectionText(doc.secondary(), lengthUnit, largeUnit), false},
            {PrimarySectionTitle(), true},
            {PrimarySectionText(doc.primary(), doc.settings(), doc.secondary(), doc.transformer(),
                                lengthUnit),
             false},
            {TransformerSectionTitle(), true},
            {TransformerSectionText(doc.transformer(), doc.settings().Use50Hz()), false},
        }};
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
