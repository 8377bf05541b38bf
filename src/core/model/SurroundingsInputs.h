#pragma once

#include "core/physics/Surroundings.h"

namespace resonex {

struct ConstDesignModels;

// The strike rail, ceiling and walls entered, in metres as the field solution
// takes them (none of them while unset). The primary's turns are the
// document's to add: they stand in the field only once it is calculated.
physics::Surroundings surroundingsOf(const ConstDesignModels& models, bool useMetric);
// The same in the design's length unit, as entered (the drawing's).
physics::Surroundings surroundingsAsEntered(const ConstDesignModels& models);

} // namespace resonex
