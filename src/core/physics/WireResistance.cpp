#include "core/physics/WireResistance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

namespace resonex::physics {

namespace {

using Complex = std::complex<double>;

// J1(z)/J0(z) by the continued fraction from the recurrence
// J(n-1) + J(n+1) = (2n/z)·J(n): J(n)/J(n-1) = 1/(2n/z - J(n+1)/J(n)),
// evaluated from deep enough that its tail no longer matters (Gauss's
// continued fraction; e.g. Abramowitz and Stegun 9.1.73).
Complex besselRatio(Complex z) {
    const int depth = static_cast<int>(2 * std::abs(z)) + 60;
    Complex ratio = 0;
    for (int n = depth; n >= 1; --n)
        ratio = 1.0 / (2.0 * n / z - ratio);
    return ratio;
}

// R. G. Medhurst, "H.F. resistance and self-capacitance of single-layer
// solenoids", Wireless Engineer 24 (1947), pp. 35-43 and 80-92: his measured
// ratio of a solenoid's resistance to its wire's alone at the same frequency,
// by winding length over diameter (rows) and wire diameter over pitch
// (columns 1.0, 0.9, ..., 0.1, 0). The last row is the long solenoid's limit.
// The digits are as two independent transcriptions give them; at l/D = 10,
// d/p = 0.7 one has 2.27 and the other 2.37, and 2.37 is taken because it
// alone follows its column (2.32, 2.27, 2.29, 2.34 above, 2.51 below).
constexpr std::array<double, 11> kRowLengthOverDiameter = {0, 0.2, 0.4, 0.6, 0.8, 1,
                                                           2, 4,   6,   8,   10};
constexpr int kColumns = 11;
constexpr std::array<std::array<double, kColumns>, 12> kMedhurst = {{
    {5.31, 3.73, 2.74, 2.12, 1.74, 1.44, 1.20, 1.16, 1.07, 1.02, 1.00},
    {5.45, 3.84, 2.83, 2.20, 1.77, 1.48, 1.29, 1.19, 1.08, 1.02, 1.00},
    {5.65, 3.99, 2.97, 2.28, 1.83, 1.54, 1.33, 1.21, 1.08, 1.03, 1.00},
    {5.80, 4.11, 3.10, 2.38, 1.89, 1.60, 1.38, 1.22, 1.10, 1.03, 1.00},
    {5.80, 4.17, 3.20, 2.44, 1.92, 1.64, 1.42, 1.23, 1.10, 1.03, 1.00},
    {5.55, 4.10, 3.17, 2.47, 1.94, 1.67, 1.45, 1.24, 1.10, 1.03, 1.00},
    {4.10, 3.36, 2.74, 2.32, 1.98, 1.74, 1.50, 1.28, 1.13, 1.04, 1.00},
    {3.54, 3.05, 2.60, 2.27, 2.01, 1.78, 1.54, 1.32, 1.15, 1.04, 1.00},
    {3.31, 2.92, 2.60, 2.29, 2.03, 1.80, 1.56, 1.34, 1.16, 1.04, 1.00},
    {3.20, 2.90, 2.62, 2.34, 2.08, 1.81, 1.57, 1.34, 1.165, 1.04, 1.00},
    {3.23, 2.93, 2.65, 2.37, 2.10, 1.83, 1.58, 1.35, 1.17, 1.04, 1.00},
    {3.41, 3.11, 2.815, 2.51, 2.22, 1.93, 1.65, 1.395, 1.19, 1.05, 1.00},
}};

// A row of the table at a wire-over-pitch, linear between its columns.
double alongRow(const std::array<double, kColumns>& row, double wireOverPitch) {
    const double at = (1 - std::clamp(wireOverPitch, 0.0, 1.0)) * (kColumns - 1);
    const int column = std::min(static_cast<int>(at), kColumns - 2);
    const double t = at - column;
    return row[column] + t * (row[column + 1] - row[column]);
}

} // namespace

// The internal impedance of a round wire with the current's distribution
// over its section by the diffusion equation (Bessel functions of complex
// argument): Z/R_dc = (kr/2)·J0(kr)/J1(kr), k = (1-j)/delta, delta the skin
// depth sqrt(2·rho/(w·mu0)) (S. Ramo, J. R. Whinnery and T. Van Duzer,
// "Fields and Waves in Communication Electronics", sec. 5.6; Terman's
// handbook tabulates the same ratio).
double skinEffectResistance(double length, double diameter, double hz, double resistivity) {
    constexpr double kMu0 = 4e-7 * std::numbers::pi;
    const double r = diameter / 2;
    const double dc = resistivity * length / (std::numbers::pi * r * r);
    if (hz <= 0)
        return dc;
    const double delta = std::sqrt(2 * resistivity / (2 * std::numbers::pi * hz * kMu0));
    const Complex kr = Complex(1, -1) * (r / delta);
    return dc * (kr / 2.0 / besselRatio(kr)).real();
}

// Medhurst's table, linear between its rows and columns; beyond l/D = 10,
// linear in D/l toward the long solenoid's row.
double proximityFactor(double lengthOverDiameter, double wireOverPitch) {
    const double x = std::max(lengthOverDiameter, 0.0);
    const std::size_t last = kRowLengthOverDiameter.size() - 1;
    if (x >= kRowLengthOverDiameter[last]) {
        const double toLimit = kRowLengthOverDiameter[last] / x; // 1 at l/D = 10, 0 at infinity
        const double atLast = alongRow(kMedhurst[last], wireOverPitch);
        const double atLimit = alongRow(kMedhurst[last + 1], wireOverPitch);
        return atLimit + toLimit * (atLast - atLimit);
    }
    const auto above =
        std::upper_bound(kRowLengthOverDiameter.begin(), kRowLengthOverDiameter.end(), x);
    const std::size_t row = std::size_t(above - kRowLengthOverDiameter.begin()) - 1;
    const double t = (x - kRowLengthOverDiameter[row]) /
                     (kRowLengthOverDiameter[row + 1] - kRowLengthOverDiameter[row]);
    const double low = alongRow(kMedhurst[row], wireOverPitch);
    return low + t * (alongRow(kMedhurst[row + 1], wireOverPitch) - low);
}

// Medhurst's factor applies to the wire's resistance with skin effect, as he
// defined it. His coils had 30 to 50 turns and were measured near 1 MHz;
// a Tesla secondary has hundreds of turns and runs at some hundred kHz, so
// this is his table stretched beyond what he measured (see validation/ for
// how far its Q lies from measured secondaries).
double solenoidResistance(const Solenoid& coil, double hz, double resistivity) {
    const double wireOverPitch = coil.pitch > 0 ? coil.wireDiameter / coil.pitch : 1.0;
    return skinEffectResistance(coil.wireLength, coil.wireDiameter, hz, resistivity) *
           proximityFactor(coil.windingLength / coil.coilDiameter, wireOverPitch);
}

} // namespace resonex::physics
