#include "core/summary/CouplingSection.h"

#include "core/results/CouplingResultTexts.h"
#include "core/summary/FigureLines.h"

namespace resonex {

QString CouplingSectionTitle() { return QStringLiteral("Coupling") + kNewLine; }

QString CouplingSectionText(const CouplingResults& results, bool useMetric) {
    QString text = sectionLines(figureLines(couplingFigures(), results, useMetric));
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
