// The bang in time against what is known exactly of two coupled resonators,
// and the secondary's Q (Medhurst's resistance, the ring sum's inductance)
// against published measurements of real secondaries.
#include "bang.h"

#include "core/physics/Bang.h"
#include "core/physics/PrimaryCoupling.h"
#include "core/physics/WireResistance.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>

using namespace resonex::physics;

namespace {

constexpr double kPi = std::numbers::pi;

// A figure against its reference, the error relative (the figures here sit
// far below validate.cpp's percentages); true within the tolerance.
bool against(const std::string& name, double figure, double reference, double tolerance) {
    const double error = figure / reference - 1;
    std::printf("%-40s %14.9g %14.9g %+10.2e\n", name.c_str(), reference, figure, error);
    return std::abs(error) <= tolerance;
}

void heading(const char* what, const char* reference, const char* figure, const char* error) {
    std::printf("\n%-40s %14s %14s %10s\n", what, reference, figure, error);
}

// A coil of the size builders fire: 20 nF at 15 kV into 50 uH (159 kHz), the
// secondary 50 mH resonated to f0·detune.
BangCircuit coil(double k, double detune = 1) {
    BangCircuit c;
    c.tankCapacitance = 20e-9;
    c.primaryInductance = 50e-6;
    c.secondaryInductance = 50e-3;
    c.secondaryCapacitance = 20e-12 / (detune * detune);
    c.mutualInductance = k * std::sqrt(c.primaryInductance * c.secondaryInductance);
    c.tankVolts = 15e3;
    return c;
}

double primaryHz(const BangCircuit& c) {
    return 1 / (2 * kPi * std::sqrt(c.primaryInductance * c.tankCapacitance));
}

// Lossless and tuned, the primary empties completely at its first notch
// exactly when the modes f0/sqrt(1 ± k) stand as m+1 to m, k =
// (2m+1)/(2m²+2m+1) (A. C. M. de Queiroz, Tesla list, April 2000,
// https://pupman.com/listarchives/2000/April/msg00367.html); the primary's
// current is the beat of the two modes, its envelope first zero at
// 1/(2(fu - fl)). Both guarded at 1e-6; a coupling between two of them
// leaves part of the energy behind (printed only).
bool completeTransfer() {
    heading("lossless, tuned: first notch", "exact", "Resonex", "error");
    bool within = true;
    for (int m = 1; m <= 6; ++m) {
        const double k = (2.0 * m + 1) / (2.0 * m * m + 2.0 * m + 1);
        const BangCircuit c = coil(k);
        const Solved<Bang> bang = Bang::fire(c, {1, 200, 8});
        if (!bang || !bang->figures().quench) {
            std::printf("m = %d: no quench\n", m);
            return false;
        }
        const double f0 = primaryHz(c);
        const double beat = 1 / (2 * (f0 / std::sqrt(1 - k) - f0 / std::sqrt(1 + k)));
        const std::string name = "m " + std::to_string(m) + ", k " + std::to_string(k).substr(0, 6);
        within =
            against(name + ", share", bang->figures().quench->secondaryShare, 1, 1e-6) && within;
        within = against(name + ", notch (s)", bang->figures().notches.at(0), beat, 1e-6) && within;
    }
    const Solved<Bang> between = Bang::fire(coil(0.33), {1, 200, 8});
    if (!between || !between->figures().quench)
        return false;
    against("k 0.33 (not guarded), share", between->figures().quench->secondaryShare, 1, 1);
    return within;
}

// No losses: what the circuit holds (both capacitors, both inductances and
// their mutual one's) stays the tank's ½·C1·V0² over 1,000 primary cycles,
// the gap never stopping; read 20 times a cycle, the largest departure,
// guarded at 1e-9.
bool energyKept() {
    heading("lossless, 1,000 cycles: energy (J)", "0.5 C1 V0^2", "worst", "error");
    bool within = true;
    const std::pair<const char*, BangCircuit> cases[]{
        {"tuned, k 0.15", coil(0.15)},
        {"secondary 10 % high, k 0.15", coil(0.15, 1.1)},
        {"tuned, k 0.6", coil(0.6)}};
    for (const auto& [name, c] : cases) {
        const double cycles = 1000;
        const Solved<Bang> bang = Bang::fire(c, {std::nullopt, cycles, 8});
        if (!bang)
            return false;
        const double bangJoules = 0.5 * c.tankCapacitance * c.tankVolts * c.tankVolts;
        const int points = int(cycles) * 20;
        const double step = cycles / primaryHz(c) / points;
        double worst = bangJoules;
        for (int i = 0; i <= points; ++i) {
            const double held = bang->storedJoules(i * step);
            if (std::abs(held - bangJoules) > std::abs(worst - bangJoules))
                worst = held;
        }
        within = against(name, worst, bangJoules, 1e-9) && within;
    }
    return within;
}

// Each circuit alone rings as a damped oscillator: every part of its state
// repeats each period 2·pi/wd shrunk by exp(-alpha·2·pi/wd), so the Q read
// off n periods, w0/(2·alpha) with alpha = -ln(ratio)/(n periods), must be
// the circuit's: sqrt(L/C)/R for the series primary; for the secondary with
// a series R and a streamer's G across its capacitance alpha = (R/L + G/C)/2,
// w0² = (1 + R·G)/(L·C), wd² = w0² - alpha². The primary alone with k = 0;
// the secondary alone after the gap stops (the energy reaches it only
// coupled). Guarded at 1e-6.
bool lossyAlone() {
    heading("lossy, alone: Q over 200 periods", "analytic", "Resonex", "error");
    bool within = true;
    const int periods = 200;
    // The state's size, its parts weighed to the same units.
    const auto size = [](double volts, double amps, double ohms) {
        return std::hypot(volts, amps * ohms);
    };
    for (const double ohms : {0.5, 3.0}) {
        BangCircuit c = coil(0, 1.3);
        c.primaryResistance = ohms;
        const double l = c.primaryInductance;
        const double cap = c.tankCapacitance;
        const double z = std::sqrt(l / cap);
        const double w0 = 1 / std::sqrt(l * cap);
        const double alpha = ohms / (2 * l);
        const double period = 2 * kPi / std::sqrt(w0 * w0 - alpha * alpha);
        const Solved<Bang> bang = Bang::fire(c, {std::nullopt, periods + 10.0, 8});
        if (!bang)
            return false;
        const double t = 0.3 * period;
        const BangState a = bang->state(t);
        const BangState b = bang->state(t + periods * period);
        const double decay =
            -std::log(size(b.tankVolts, b.primaryAmps, z) / size(a.tankVolts, a.primaryAmps, z)) /
            (periods * period);
        within = against("primary, R1 " + std::to_string(ohms).substr(0, 3) + " ohm",
                         w0 / (2 * decay), z / ohms, 1e-6) &&
                 within;
    }
    struct Case {
        const char* name;
        double ohms;
        std::optional<double> streamer;
    };
    const Case cases[]{{"secondary, R2 170 ohm", 170, std::nullopt},
                       {"secondary, streamer 1 Mohm", 0, 1e6},
                       {"secondary, R2 170 ohm, streamer 200 k", 170, 2e5}};
    for (const Case& s : cases) {
        BangCircuit c = coil(0.2);
        c.secondaryResistance = s.ohms;
        c.streamerResistance = s.streamer;
        const double l = c.secondaryInductance;
        const double cap = c.secondaryCapacitance;
        const double g = s.streamer ? 1 / *s.streamer : 0;
        const double w0 = std::sqrt((1 + s.ohms * g) / (l * cap));
        const double alpha = (s.ohms / l + g / cap) / 2;
        const double period = 2 * kPi / std::sqrt(w0 * w0 - alpha * alpha);
        const Solved<Bang> bang = Bang::fire(c, {1, 400, 8});
        if (!bang || !bang->figures().quench)
            return false;
        const double t = bang->figures().quench->time + 0.3 * period;
        const double z = std::sqrt(l / cap);
        const BangState a = bang->state(t);
        const BangState b = bang->state(t + periods * period);
        const double decay =
            -std::log(size(b.topVolts, b.secondaryAmps, z) / size(a.topVolts, a.secondaryAmps, z)) /
            (periods * period);
        within = against(s.name, w0 / (2 * decay), w0 / (2 * alpha), 1e-6) && within;
    }
    return within;
}

// Two bare secondaries of AWG 24 wire pinged by P. Nicholson and T. Fritz
// and analysed by Nicholson's mode analyser (TSSP list, 29 March 2002,
// http://hotstreamer.deanostoybox.com/tssp/list/m.000763.html; Q to about
// 0.1 %): coil A (tfsm1) 1176 turns, d 0.108 m, h/d 6.14, spacing ratio 0.91,
// 351.208 kHz, Q 216.04; coil B (tfltr) 1000 turns, d 0.261 m, h/d 2.92,
// 0.67, 143.476 kHz, Q 241.10. The program's Q as the bang takes it:
// Medhurst's resistance at the measured frequency (solenoidResistance, the
// wire pi·d·N long, the bang's copper) and the
// secondary's inductance as the ring sum (secondaryInductance); Q = wL/R.
// The pitch is the wire over the spacing ratio. The lumped coil reads 1.64
// and 1.73 times the measured Q (the quarter-wave current falling along the
// winding, and the losses of the form, the ground and radiation, are not in
// it): reported, and guarded only within 3 % of that ratio as it stands
// ("today"), so that a change in the method shows here.
bool measuredQ() {
    std::printf("\n%-28s %9s %9s %8s %9s %9s %8s\n", "bare secondary's Q", "measured", "Resonex",
                "error", "L", "R", "today");
    struct Measured {
        const char* name;
        double turns, diameter, heightOverDiameter, spacingRatio, hz, q, today;
    };
    const Measured coils[]{
        {"Nicholson/Fritz A, 351 kHz", 1176, 0.108, 6.14, 0.91, 351.208e3, 216.04, 0.6431},
        {"Nicholson/Fritz B, 143 kHz", 1000, 0.261, 2.92, 0.67, 143.476e3, 241.10, 0.7257}};
    const double wire = 0.0254 * 0.005 * std::pow(92.0, (36 - 24) / 39.0); // AWG 24
    bool within = true;
    for (const Measured& m : coils) {
        const double height = m.heightOverDiameter * m.diameter;
        const double l = secondaryInductance({m.diameter, height, m.turns, wire});
        const double r = solenoidResistance({.wireLength = kPi * m.diameter * m.turns,
                                             .wireDiameter = wire,
                                             .pitch = wire / m.spacingRatio,
                                             .windingLength = height,
                                             .coilDiameter = m.diameter},
                                            m.hz, kCopperResistivity);
        const double error = 2 * kPi * m.hz * l / r / m.q - 1;
        std::printf("%-28s %9.2f %9.2f %+7.1f%% %6.2f mH %5.1f ohm %+7.1f%%\n", m.name, m.q,
                    m.q * (1 + error), error * 100, l * 1e3, r, m.today * 100);
        within = std::abs((1 + error) / (1 + m.today) - 1) <= 0.03 && within;
    }
    return within;
}

} // namespace

bool bangTables() {
    bool within = completeTransfer();
    within = energyKept() && within;
    within = lossyAlone() && within;
    within = measuredQ() && within;
    // No published recording of a spark-gap coil's primary current or top
    // voltage came with the coil's data (tank, primary, secondary, k or the
    // notch's time) to rebuild it: validation/README.md says what was read.
    std::printf("\npublished bang recording: none found with the data to rebuild it\n");
    return within;
}
