#include "core/model/FlatSpiral.h"

#include "core/model/Constants.h"
#include "core/text/LengthUnit.h"
#include "core/text/Real.h"

namespace resonex {

SpiralTurns flatSpiral(const SpiralInputs& inputs) {
    const float lRequired =
        (power(Real(1.0) / (Real(kTwoPi) * inputs.fr), 2.0) * (Real(1.0) / inputs.c)).toSingle();

    // The formula works in inches: millimetres over 25.4.
    const double unit = kInch.in(designUnit(inputs.metric));
    const Real d = Real(inputs.conDia) / unit;
    const Real s = Real(inputs.conSpa) / unit;
    const Real g = Real(inputs.secSep) / unit;
    const Real outer = Real(inputs.secDia) / unit;

    SpiralTurns turns;
    for (int n = 1; n <= kSpiralTurns; ++n) {
        const float w = (Real(n) * d + Real(n - 1) * s).toSingle();
        const float r = (outer / 2.0 + g + Real(w) / 2.0).toSingle();
        const float microhenries =
            ((Real(r) * r) * (Real(n) * n) / (Real(8.0) * r + Real(11.0) * w)).toSingle();
        // Equality is not enough: the tap turn is the first to exceed.
        if (turns.tap == 0 && (Real(microhenries) * 1e-6f).toSingle() > lRequired)
            turns.tap = n;
        turns.microhenries[n - 1] = microhenries;
    }
    return turns;
}

} // namespace resonex
