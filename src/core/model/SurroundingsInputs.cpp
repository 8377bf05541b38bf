#include "core/model/SurroundingsInputs.h"

#include "core/model/DesignInputs.h"

namespace resonex {

physics::Surroundings surroundingsOf(const ConstDesignModels& models, bool useMetric) {
    const auto metres = [&](Input input) {
        const DesignInput& row = designInput(input);
        return siValue(row, keptValue(row, models), useMetric);
    };
    physics::Surroundings around;
    if (const double diameter = metres(Input::RailDia); diameter > 0)
        around.rail =
            physics::StrikeRail{diameter, metres(Input::RailWire), metres(Input::RailHeight)};
    around.ceiling = metres(Input::Ceiling);
    around.walls = metres(Input::Walls);
    return around;
}

} // namespace resonex
