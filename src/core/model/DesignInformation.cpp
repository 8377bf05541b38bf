#include "model/DesignInformation.h"

#include "model/CSecondary.h"
#include "model/CTransformer.h"
#include "text/NumberText.h"
#include "text/UnitScale.h"

namespace resonex {

QString matchedCapacitanceText(const CTransformer& transformer) {
    return text::format(scale::toMicrofarads(transformer.C()), text::Pattern::UpToFourDecimals);
}

QString quarterWaveFrequencyText(const CSecondary& secondary) {
    return text::format(scale::toKilohertz(secondary.QuarWaveFr()), text::Pattern::Fixed);
}

} // namespace resonex
