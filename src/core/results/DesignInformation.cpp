#include "core/results/DesignInformation.h"

#include "core/model/CTransformer.h"
#include "core/text/QuantityText.h"

namespace resonex {

QString matchedCapacitanceText(const CTransformer& transformer) {
    return microfaradsText(transformer.C());
}

} // namespace resonex
