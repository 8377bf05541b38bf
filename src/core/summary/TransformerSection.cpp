#include "core/summary/TransformerSection.h"

#include "core/document/CFile.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/results/DesignInformation.h"
#include "core/settings/CSettings.h"
#include "core/summary/NewLine.h"

namespace resonex {

QString TransformerSectionTitle() {
    return QStringLiteral("Neon Transformer / Primary Capacitor Matching") + kNewLine;
}

QString TransformerSectionText(const CFile& doc) {
    const CTransformer& transformer = doc.transformer();
    if (!transformerCalculated(transformer))
        return QStringLiteral("No Transformer / Capacitor Matching Data Calculated");

    return QStringLiteral("Transformer secondary voltage : ") + transformer.SecVol() +
           QStringLiteral("kV") + kNewLine + QStringLiteral("Transformer secondary current : ") +
           transformer.SecCur() + QStringLiteral("mA") + kNewLine +
           QStringLiteral("Number of transformers : ") + transformer.Num() + kNewLine +
           QStringLiteral("Primary capacitor required to form a resonant circuit at ") +
           QString::number(CTransformer::mainsFrequency(doc.settings().Use50Hz())) +
           QStringLiteral("Hz ") + QStringLiteral("with neon transformer(s) : ") +
           matchedCapacitanceText(transformer) + QStringLiteral("uF");
}

} // namespace resonex
