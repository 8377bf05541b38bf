#include "core/text/UnitScale.h"

#include "core/text/Real.h"

#include <cmath>

namespace resonex::scale {

float toMicrofarads(float farads) { return (Real(farads) * 1000000.0).toSingle(); }

float fromMicrofarads(float microfarads) { return (Real(microfarads) / 1000000.0).toSingle(); }

float toPicofarads(float farads) {
    constexpr float kPicoPerFarad = 1e12f; // held as a float: 999999995904
    return (Real(farads) * kPicoPerFarad).toSingle();
}

float toKilohertz(float hertz) { return (Real(hertz) / 1000.0).toSingle(); }

float fromKilohertz(float kilohertz) { return (Real(kilohertz) * 1000.0).toSingle(); }

float toMillihenries(float henries) { return (Real(henries) * 1000.0).toSingle(); }

float wholePart(float value) { return std::floor(value); }

} // namespace resonex::scale
