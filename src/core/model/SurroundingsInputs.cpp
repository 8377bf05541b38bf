#include "core/model/SurroundingsInputs.h"

#include "core/model/DesignInputs.h"

namespace resonex {

physics::Surroundings surroundingsOf(const ConstDesignModels& /*models*/, bool /*useMetric*/) {
    return {};
}

} // namespace resonex
