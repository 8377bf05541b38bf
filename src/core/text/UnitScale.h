#pragma once

// The scalings between the models' SI values and the units shown to the user.
// Each result is rounded to a 32-bit float, as every displayed value is, and
// raises an overflow rather than becoming an infinity.
namespace resonex::scale {

float toMicrofarads(float farads);        // × 1 000 000
float fromMicrofarads(float microfarads); // ÷ 1 000 000
float toPicofarads(float farads);         // × 10^12, the factor itself a float
float toKilohertz(float hertz);           // ÷ 1000
float fromKilohertz(float kilohertz);     // × 1000
float toMillihenries(float henries);      // × 1000
float wholePart(float value);             // the largest whole number not above it

} // namespace resonex::scale
