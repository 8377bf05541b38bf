#include "core/summary/TransformerSection.h"

#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/results/DesignInformation.h"
#include "core/summary/NewLine.h"

namespace resonex {

QString TransformerSectionTitle() {
    return QStringLiteral("Neon Transformer / Primary Capacitor Matching") + kNewLine;
}

QString TransformerSectionText(const CTransformer& transformer, bool use50Hz) {
    if (!transformerCalculated(transformer))
        return QStringLiteral("No Transformer / Capacitor Matching Data Calculated");

    return QStringLiteral("Transformer secondary voltage : ") + transformer.SecVol() +
           QStringLiteral("kV") + kNewLine + QStringLiteral("Transformer secondary current : ") +
           transformer.SecCur() + QStringLiteral("mA") + kNewLine +
           QStringLiteral("Number of transformers : ") + transformer.Num() + kNewLine +
           QStringLiteral("Primary capacitor required to form a resonant circuit at ") +
           QString::number(CTransformer::mainsFrequency(use50Hz)) + QStringLiteral("Hz ") +
           QStringLiteral("with neon transformer(s) : ") + matchedCapacitanceText(transformer) +
           QStringLiteral("uF");
}

} // namespace resonex
