#include "core/summary/PowerSection.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/results/PowerResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/summary/FigureLines.h"

namespace resonex {

QString PowerSectionTitle() { return QStringLiteral("Power") + kNewLine; }

QString PowerSectionText(const CFile& doc) {
    if (!doc.usesPower())
        return {};
    const std::optional<PowerResults> power = doc.results().power();
    if (!power)
        return {};
    QString text = sectionLines(powerResultLines(*power, doc.settings().UseMetric()));
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
