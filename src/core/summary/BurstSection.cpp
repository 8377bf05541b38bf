#include "core/summary/BurstSection.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/results/BurstResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/summary/FigureLines.h"

namespace resonex {

QString BurstSectionTitle() { return QStringLiteral("Burst") + kNewLine; }

QString BurstSectionText(const CFile& doc) {
    if (!drivenByBridge(doc.added()))
        return {};
    QString text = sectionLines(
        figureLines(burstFigures(), doc.results().burst(), doc.settings().UseMetric()));
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
