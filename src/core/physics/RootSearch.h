#pragma once

#include "core/physics/Solved.h"

#include <cmath>

namespace resonex::physics {

// How closely a root is sought, and for how long.
struct RootTolerance {
    double value;   // f within this of 0 is at the root
    double bracket; // ends within this of each other have settled: the root is their middle
    int steps;      // evaluations of f before the search gives up (Unsolved::Unsettled)
};

// The root of f between low and high, f(low) <= 0 <= f(high) given: regula
// falsi, Illinois variant, which halves the value kept at an end that stays
// twice running (M. Dowell and P. Jarratt, "A modified regula falsi method
// for computing the root of an equation", BIT 11, 1971). f gives a
// Solved<double>; its failure ends the search with its reason.
template <typename F>
Solved<double> illinoisRoot(const F& f, double low, double fLow, double high, double fHigh,
                            const RootTolerance& tolerance) {
    int side = 0;
    for (int i = 0; i < tolerance.steps && high - low > tolerance.bracket; ++i) {
        const double next = (low * fHigh - high * fLow) / (fHigh - fLow);
        const Solved<double> atNext = f(next);
        if (!atNext)
            return atNext.why();
        if (std::abs(*atNext) < tolerance.value)
            return next;
        if (*atNext < 0) {
            low = next;
            fLow = *atNext;
            if (side == -1)
                fHigh /= 2;
            side = -1;
        } else {
            high = next;
            fHigh = *atNext;
            if (side == 1)
                fLow /= 2;
            side = 1;
        }
    }
    if (high - low > tolerance.bracket)
        return Unsolved::Unsettled;
    return (low + high) / 2;
}

} // namespace resonex::physics
