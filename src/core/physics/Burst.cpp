#include "core/physics/Burst.h"

namespace resonex::physics {

Solved<Burst> Burst::drive(const BurstCircuit&, const BurstRun&) { return Unsolved::OutOfRange; }

} // namespace resonex::physics
