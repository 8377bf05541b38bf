#include "core/summary/BangSection.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/results/BangResultTexts.h"
#include "core/results/BurstResults.h"
#include "core/settings/CSettings.h"
#include "core/summary/FigureLines.h"

namespace resonex {

QString BangSectionTitle() { return QStringLiteral("Bang") + kNewLine; }

QString BangSectionText(const CFile& doc) {
    // A bridge in place of the gap has no bang.
    if (!doc.usesPower() || drivenByBridge(doc.added()))
        return {};
    QString text =
        sectionLines(figureLines(bangFigures(), doc.results().bang(), doc.settings().UseMetric()));
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
