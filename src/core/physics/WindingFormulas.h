#pragma once

#include <cmath>

// Two published formulas for a single-layer winding, written once for the
// two kinds of arithmetic that use them: the design's (Real, every step
// checked, the secondary's results each kept as a float) and the field
// solution's (plain doubles). The design has always taken their steps in this
// order; the secondary's figures depend on it to the last bit.
namespace resonex::physics {

// The plain double's power, beside Real's (which its own namespace supplies).
inline double power(double base, double exponent) { return std::pow(base, exponent); }

// Wheeler, "Simple inductance formulas for radio coils", Proc. IRE 16 (1928):
// L[µH] = r²·N²/(9r + 10l), the radius r and the length l in inches; within
// 1 % for l > 0.8 r.
template <typename Number> Number wheelerMicrohenries(Number radius, Number turns, Number length) {
    return power(radius, 2.0) * power(turns, 2.0) / (Number(9.0) * radius + Number(10.0) * length);
}

// The empirical self-resonance the program has long shown, in hertz:
// 29.85·(H/D)^0.2/(N·D) MHz, the product N·D in metres.
template <typename Number> Number natFrHertz(Number aspectRatio, Number turnsTimesDiameter) {
    return Number(29.85) * power(aspectRatio, 0.2) / turnsTimesDiameter * 1000000.0;
}

} // namespace resonex::physics
