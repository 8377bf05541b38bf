#pragma once

#include "core/physics/Solved.h"

#include <algorithm>
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

// The root of an increasing f within low..high, sought from a guess: a first
// step by Newton's rule with the slope expected, the next ones by the secant
// through the last two points, a quarter longer so as to pass the root,
// until f changes sign; then illinoisRoot between the last two points. On a
// nearly straight f the root is bracketed closely in two or three
// evaluations and closed in on in one or two more, where a search from the
// ends would spend evaluations far from it. f below 0 all the way to high
// (LargestTooHigh) or above 0 down to low (SmallestTooLow) has no root
// there; every evaluation counts against tolerance.steps.
template <typename F>
Solved<double> rootFrom(const F& f, double guess, double slope, double low, double high,
                        const RootTolerance& tolerance) {
    constexpr double kPastTheRoot = 1.25;
    double at = std::clamp(guess, low, high);
    Solved<double> atValue = f(at);
    if (!atValue)
        return atValue.why();
    for (int i = 1; i < tolerance.steps; ++i) {
        if (std::abs(*atValue) < tolerance.value)
            return at;
        if (*atValue > 0 && at == low)
            return Unsolved::SmallestTooLow;
        if (*atValue < 0 && at == high)
            return Unsolved::LargestTooHigh;
        const double next = std::clamp(at - kPastTheRoot * *atValue / slope, low, high);
        const Solved<double> nextValue = f(next);
        if (!nextValue)
            return nextValue.why();
        if ((*nextValue > 0) != (*atValue > 0)) {
            RootTolerance rest = tolerance;
            rest.steps -= i + 1;
            return *atValue < 0 ? illinoisRoot(f, at, *atValue, next, *nextValue, rest)
                                : illinoisRoot(f, next, *nextValue, at, *atValue, rest);
        }
        // The secant's slope where it is one; f is increasing.
        if (const double secant = (*nextValue - *atValue) / (next - at); secant > 0)
            slope = secant;
        at = next;
        atValue = nextValue;
    }
    return Unsolved::Unsettled;
}

} // namespace resonex::physics
