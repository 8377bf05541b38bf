#pragma once

namespace resonex {

// The design formulas use this ten-digit pi, not the library's (which the
// field solution and the tuning curve use): their figures depend on it. Twice
// it is exactly the double nearest 6.283185307.
inline constexpr double kPi = 3.1415926535;
inline constexpr double kTwoPi = 2 * kPi;

} // namespace resonex
