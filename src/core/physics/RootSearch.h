#pragma once

#include "core/physics/Solved.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

// Whether the secant step from last to next, the slope taken through before
// and last, ends the search: short against the step before it (the search
// converging faster than by halves, as it does on a smooth f and not at a
// jump) and short enough that its error, of the order of its length times
// next's distance from before, lies within tolerance.bracket.
inline bool closesIn(double before, double last, double next, const RootTolerance& tolerance) {
    constexpr double kConverging = 0.1;
    const double step = std::abs(next - last);
    return step <= kConverging * std::abs(last - before) &&
           step * std::abs(next - before) <= tolerance.bracket;
}

// A point of f worked out already.
struct RootPoint {
    double x;
    double fx;
};

// The root of an increasing f within low..high, sought from a guess: the
// first step by the secant through the guess and a point of f known already
// (by Newton's rule with the slope expected, without one), each next one by
// the secant through the last two points, kept inside the bracket once there
// is one: a secant that leaves it gives way to regula falsi on the bracket.
// A secant step is the search's last when it is short enough to need no
// check: its error is of the order of the product of its length and its
// distance from the point before (the secant's error, C·e(n)·e(n-1), with C =
// f''/(2f'), below 1 on a nearly straight f), and once that product is within
// tolerance.bracket the step's end is the root without an evaluation of its
// own. On a nearly straight f the root is closed in on in three or four
// evaluations, where a search from the ends, or one that keeps a far end,
// spends several more. f below 0 all the way to high (LargestTooHigh) or
// above 0 down to low (SmallestTooLow) has no root there; every evaluation
// counts against tolerance.steps.
template <typename F>
Solved<double> rootFrom(const F& f, double guess, std::optional<RootPoint> known, double slope,
                        double low, double high, const RootTolerance& tolerance) {
    std::optional<RootPoint> below; // the bracket, once f has changed sign
    std::optional<RootPoint> above;
    const auto keep = [&](const RootPoint& point) {
        if (point.fx < 0 && (!below || point.x > below->x))
            below = point;
        if (point.fx >= 0 && (!above || point.x < above->x))
            above = point;
    };
    const double x = std::clamp(guess, low, high);
    const Solved<double> first = f(x);
    if (!first)
        return first.why();
    RootPoint last{x, *first};
    keep(last);
    // The point before last, when the slope is the secant through the two
    // (NaN when it is not).
    double before = std::numeric_limits<double>::quiet_NaN();
    if (known && known->x != last.x) {
        keep(*known);
        // The secant's slope where it is one; f is increasing.
        if (const double secant = (last.fx - known->fx) / (last.x - known->x); secant > 0) {
            slope = secant;
            before = known->x;
        }
    }
    for (int i = 1; i < tolerance.steps; ++i) {
        if (std::abs(last.fx) < tolerance.value)
            return last.x;
        if (below && above && above->x - below->x <= tolerance.bracket)
            return (below->x + above->x) / 2;
        if (last.fx > 0 && last.x == low)
            return Unsolved::SmallestTooLow;
        if (last.fx < 0 && last.x == high)
            return Unsolved::LargestTooHigh;
        double next = last.x - last.fx / slope;
        if (below && above && !(next > below->x && next < above->x)) {
            next = (below->x * above->fx - above->x * below->fx) / (above->fx - below->fx);
        } else if (next >= low && next <= high && closesIn(before, last.x, next, tolerance)) {
            return next;
        }
        next = std::clamp(next, low, high);
        const Solved<double> value = f(next);
        if (!value)
            return value.why();
        before = std::numeric_limits<double>::quiet_NaN();
        if (const double secant = (*value - last.fx) / (next - last.x); secant > 0) {
            slope = secant;
            before = last.x;
        }
        last = {next, *value};
        keep(last);
    }
    return Unsolved::Unsettled;
}

} // namespace resonex::physics
