#include "core/model/SurroundingsInputs.h"

#include "core/model/DesignInputs.h"
#include "core/text/LengthUnit.h"

namespace resonex {

namespace {

// The surroundings with each kept length converted by `length`.
template <typename Length>
physics::Surroundings surroundings(const ConstDesignModels& models, Length length) {
    const auto kept = [&](Input input) { return length(keptValue(designInput(input), models)); };
    physics::Surroundings around;
    if (const double diameter = kept(Input::RailDia); diameter > 0)
        around.rail = physics::StrikeRail{diameter, kept(Input::RailWire), kept(Input::RailHeight)};
    around.ceiling = kept(Input::Ceiling);
    around.walls = kept(Input::Walls);
    return around;
}

} // namespace

physics::Surroundings surroundingsOf(const ConstDesignModels& models, bool useMetric) {
    return surroundings(
        models, [unit = designUnit(useMetric)](double length) { return unit.toMetres(length); });
}

physics::Surroundings surroundingsAsEntered(const ConstDesignModels& models) {
    return surroundings(models, [](double length) { return length; });
}

} // namespace resonex
