#pragma once

#include <utility>
#include <variant>

namespace resonex::physics {

// Why the physics gives no figure.
enum class Unsolved {
    // The bands' equations have no single solution: a pivot of zero in their
    // factorisation.
    ZeroPivot,
    // A figure that cannot be: a capacitance not above 0, a top load that
    // raises the frequency, a number that is none. Like a zero pivot, it comes
    // of a geometry the bands cannot resolve.
    OutOfRange,
    // No toroid brings the coil to a frequency:
    AboveBare,       // at or above the bare coil's: no top load raises it
    SmallestTooLow,  // even the smallest toroid searched (at least twice its tube) goes lower
    LargestTooHigh,  // lower than the largest toroid searched brings it
    CutsIntoWinding, // the toroid (or primary) that would do it cuts into the winding or the floor
    Unsettled,       // the search ran out of steps before closing in on it
    // A tap the primary's turns do not reach:
    BelowFirstTurn, // less than the first turn gives (a tap before it)
    BeyondLastTurn, // more than all the turns built give (a tap after the last)
    // No height of the primary gives a coupling:
    CouplingTooHigh, // more than the primary gives at its best height
    CouplingTooLow,  // less than it gives a few winding heights away
    // A capacitor bank of more units than anyone builds (kMostUnits).
    TooManyUnits,
};

// A figure of the physics, or why there is none.
template <typename T> class Solved {
public:
    Solved(T value) : m_result(std::move(value)) {}
    Solved(Unsolved why) : m_result(why) {}

    explicit operator bool() const { return m_result.index() == 0; }
    // The figure; only where there is one.
    const T& operator*() const { return std::get<0>(m_result); }
    T& operator*() { return std::get<0>(m_result); }
    const T* operator->() const { return &std::get<0>(m_result); }
    // Why there is no figure; only where there is none.
    Unsolved why() const { return std::get<1>(m_result); }

private:
    std::variant<T, Unsolved> m_result;
};

} // namespace resonex::physics
