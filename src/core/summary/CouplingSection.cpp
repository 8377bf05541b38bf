#include "core/summary/CouplingSection.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/results/CouplingResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/summary/FigureLines.h"

namespace resonex {

QString CouplingSectionTitle() { return QStringLiteral("Coupling") + kNewLine; }

QString CouplingSectionText(const CFile& doc) {
    if (!doc.extensionVersion())
        return {};
    const std::optional<CouplingResults>& coupling = doc.results().coupling();
    if (!coupling)
        return {};
    QString text =
        sectionLines(figureLines(couplingFigures(), *coupling, doc.settings().UseMetric()));
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
