#pragma once

// Prints the bridge-driven burst (src/core/physics/Burst.h) against exact
// results of a driven series resonance; true when every guarded figure is
// within its bound.
bool burstTables();
