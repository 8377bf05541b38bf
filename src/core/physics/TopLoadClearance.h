#pragma once

#include "core/physics/CoilField.h"
#include "core/physics/Surroundings.h"

// Where a top load can stand: no part of it inside the winding's cylinder
// (within half the winding's diameter of the axis, between its base and its
// top) nor below the floor; touching either is allowed. Plain geometry, in any
// one length unit, so that the models can apply it to the very values entered.
namespace resonex::physics {

// The least height of the top load's centre above the top of the winding at
// which it stands clear; 0 when it is clear at any height.
double lowestClearHeight(const Winding& winding, const TopLoad& top);

// Whether the top load cuts into the winding or reaches below the floor.
bool cutsIntoWinding(const Winding& winding, const TopLoad& top);

// The part of the surroundings that does not stand clear, first found in
// this order: a strike rail that cuts into the winding, the top load, a turn
// of the primary or the floor; a ceiling not above the winding, the top load,
// the rail and every turn of the primary; walls not beyond them all. Touching
// is allowed, as for the top load. The primary's own clearance is
// primaryCutsIntoCoil's.
enum class Intrusion { None, Rail, Ceiling, Walls };
Intrusion intrusion(const Winding& winding, const TopLoad& top, const Surroundings& around);

} // namespace resonex::physics
