#pragma once

#include "core/physics/Solved.h"

#include <optional>

// The power side of a spark-gap coil: the tank capacitor the transformer bank
// can charge, the energy of each bang and the power it makes, the currents
// and voltages that follow, a bank of small capacitors that makes the tank
// capacitor, and the sparks to expect. Pure numbers in SI units (volts,
// amperes, farads, henries, joules, watts, metres, hertz).
namespace resonex::physics {

// How the primary circuit is fired: a static gap fires when the capacitor
// reaches its voltage, a synchronous rotary gap once each half mains cycle,
// an asynchronous one at its own breaks per second.
enum class Gap { Static, Synchronous, Asynchronous };

// The transformer bank as rated: its rms voltage, the current of all its
// transformers together, and the mains frequency.
struct TransformerBank {
    double volts = 0;
    double amperes = 0;
    double mainsHz = 0;
};

// The bank's peak voltage, sqrt(2) times its rms rating.
double peakVoltage(const TransformerBank& bank);
// Its rating, volts times amperes: the power a current-limited bank is taken
// to draw from the wall.
double ratingVoltAmperes(const TransformerBank& bank);

// The tank capacitors the bank suits, from the resonant one the design keeps
// (I/(2·pi·f·V), the bank's reactance matched at the mains frequency).
struct TankCapacitors {
    double resonant = 0;
    double ltrStatic = 0; // larger than resonant, for a static gap
    double ltrSync = 0;   // for a synchronous rotary gap
    // The power the bank delivers into the synchronous gap's capacitor: the
    // energy charged to the peak at each firing, twice a mains cycle.
    double syncWatts = 0;
};
TankCapacitors tankCapacitors(const TransformerBank& bank, double resonant);

// Whether a tank capacitor lies within 10 % of resonant, where a static gap
// that fails to fire leaves the bank in resonant rise.
bool nearResonant(double capacitance, double resonant);

// The bangs a second: two a mains cycle from a static or a synchronous gap,
// an asynchronous gap's own.
double breaksPerSecond(Gap gap, double mainsHz, double asyncBreaks);

// Each bang's energy, half C V² at the peak, and the power at the break rate,
// no more than the bank's rating (volts times amperes; capped says it was).
struct Bangs {
    double energy = 0;
    double power = 0;
    bool capped = false;
};
Bangs bangs(const TransformerBank& bank, double capacitance, double breaksPerSecond);

// The safety gap's firing voltage, kSafetyGapOverPeak times the peak.
double safetyGapVoltage(double peak);

// The primary's peak current when the capacitor at the peak voltage rings
// into the primary's inductance: V·sqrt(C/L).
double primaryPeakCurrent(double peak, double capacitance, double primaryHenries);

// The secondary's peak voltage if a bang's whole energy reached its effective
// capacitance, sqrt(2E/C): an upper bound, as losses take their share and the
// capacitance that resonates the coil is a little less than the one that
// holds the energy at the top voltage (its winding charged below the top).
double secondaryPeakVoltageBound(double energy, double secondaryCapacitance);

// The spark length to expect at the power drawn from the wall, and a
// streamer's capacitance at its length, in metres and farads.
double sparkLength(double watts);
double streamerCapacitance(double length);

// A bank of equal capacitors (an MMC: a multiple mini capacitor) in strings
// of `series` units, `parallel` strings side by side.
struct MmcUnit {
    double capacitance = 0;
    double rating = 0; // its DC voltage rating
};
struct MmcArray {
    int series = 0;
    int parallel = 0;
    double capacitance = 0;
    int units() const { return series * parallel; }
};
struct MmcBank {
    MmcArray offered;
    // The nearest arrays of the same strings at or below and at or above the
    // capacitance wanted (below none where one string is already more).
    std::optional<MmcArray> below;
    MmcArray above;
    double rating = 0; // the strings' voltage rating
    double energy = 0; // stored at the peak voltage
    // What each unit works at: the peak shared by the units in series.
    double workingVolts = 0;
    // The bleed resistor across each unit that takes it from its rating to
    // below kSafeVolts within kBleedSeconds, and the power it takes at the
    // rating and at the working voltage; none for a unit rated no higher
    // than that.
    std::optional<double> bleederOhms;
    double bleederWatts = 0;
    double bleederWorkingWatts = 0;
};
// The bank for the capacitance wanted at the peak voltage, each string rated
// `safety` times the peak; TooManyUnits beyond kMostUnits.
Solved<MmcBank> mmcBank(const MmcUnit& unit, double wanted, double peak, double safety);

} // namespace resonex::physics
