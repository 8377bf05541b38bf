#pragma once

// Counts of the field work done in this thread, so that a test or the
// benchmark sees a change in work even where time is noisy: whole field
// solutions (the winding with its grounded metal factorised), top loads
// coupled to one (their Schur complement formed), evaluations of the ring
// kernel (the potential of one ring of charge at one point, the elliptic
// integral in it) and steps of the mode's power iteration.
namespace resonex::physics {

struct FieldWork {
    long fieldSolutions = 0;
    long loadCouplings = 0;
    long ringPotentials = 0;
    long modeIterations = 0;
};

FieldWork& fieldWork();

} // namespace resonex::physics
