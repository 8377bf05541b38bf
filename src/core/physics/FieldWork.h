#pragma once

// Counts of the field work done in this thread, so that a test or the
// benchmark sees a change in work even where time is noisy: whole field
// solutions (the winding with its grounded metal factorised) and top loads
// coupled to one (their Schur complement formed).
namespace resonex::physics {

struct FieldWork {
    long fieldSolutions = 0;
    long loadCouplings = 0;
};

FieldWork& fieldWork();

} // namespace resonex::physics
