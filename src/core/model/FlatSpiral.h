#pragma once

#include <array>

namespace resonex {

// The turns the primary is worked out for.
constexpr int kSpiralTurns = 15;

// What the flat spiral is worked out from: capacitance in farads, target
// frequency in hertz, the dimensions in the design's length unit.
struct SpiralInputs {
    float c;
    float fr;
    float conDia;
    float conSpa;
    float secSep;
    float secDia;
    bool metric; // millimetres, else inches
};

struct SpiralTurns {
    // The inductance after each turn, from the first.
    std::array<float, kSpiralTurns> microhenries{};
    // The first turn whose inductance exceeds what resonance needs; 0 when
    // none of them does.
    int tap = 0;
};

// Wheeler's flat spiral formula, R²N² / (8R + 11W) µH with the mean radius R
// and the width W in inches (H. A. Wheeler, "Simple inductance formulas for
// radio coils", Proc. IRE 16, 1928), each step kept as a float. A zero frequency or capacitance
// raises a division by zero, any other failing step its error.
SpiralTurns flatSpiral(const SpiralInputs& inputs);

} // namespace resonex
