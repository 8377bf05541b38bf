#pragma once

// Prints the bang in time (src/core/physics/Bang.h) against exact results and
// the secondary's Q by the program's method against two measured coils; true
// when every guarded figure is within its bound.
bool bangTables();
