#pragma once

namespace resonex {

// The design formulas use these ten-digit values, not the library's pi.
inline constexpr double kPi = 3.1415926535;
inline constexpr double kTwoPi = 6.283185307;

} // namespace resonex
