#include "core/physics/PowerSupply.h"

#include "core/text/LengthUnit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace resonex::physics {

namespace {

// The larger-than-resonant (LTR) capacitor for a static gap: builders who
// measured their coils' sparks against the capacitor found the best from 1.5
// to 2 times resonant, and 1.6 is the figure they quote; away from resonance
// the bank cannot ring up to a destructive voltage when the gap stays quiet.
constexpr double kLtrOverResonant = 1.6;
// Within this of resonant, a static gap that does not fire leaves the bank in
// resonant rise.
constexpr double kNearResonant = 0.10;
// The synchronous gap's capacitor over the resonant one. A lossless model of
// the bank (a sine source of peak Vpk behind the leakage inductance that
// limits its current, so that the resonant C is the one that tunes it to the
// mains) with the gap firing at each mains peak and emptying the capacitor,
// while the inductance carries its current through the firing: between
// firings the capacitor is the driven LC's forced response, Vpk/(1 - k) in
// antiphase, plus its free ring; the periodic solution (the current at the
// next firing equal and opposite) leaves 2·Vpk/(k - 1) on the capacitor at
// each firing, k = C/Cres. k = 3 charges it to the peak; the charge balance
// that assumed the current restarts from zero at each firing gave 2, where
// this model rings to twice the peak. The builders' published rule for
// synchronous gaps, C = 0.92·I/(BPS·V) with BPS twice the mains frequency,
// is 0.92·pi = 2.89 times resonant: 6 % over the peak in this model.
// validation/sync_gap.py integrates the model step by step and checks both.
constexpr double kSyncOverResonant = 3;
// The safety gap fires a quarter above the bank's peak: clear of the peak the
// main gap fires at in normal running, well below the several times the peak
// that resonant rise reaches when it does not.
constexpr double kSafetyGapOverPeak = 1.25;
// John Freau's empirical rule for spark-gap coils (Tesla Coil Mailing List,
// 1990s): spark length in inches = 1.7·sqrt(input watts), the watts drawn
// from the wall, not the power in the bangs.
constexpr double kFreauInchesPerRootWatt = 1.7;
// The builders' rule for a streamer's capacitance: about 1 pF per foot of its
// length.
constexpr double kStreamerFaradsPerMetre = 1e-12 / 0.3048;
// No one builds a capacitor bank of more units than this; a bank that needs
// more is refused rather than worked out.
constexpr int kMostUnits = 10000;
// A bank's units are safe to touch below 50 V, and they bleed down to it
// within five minutes of switching off.
constexpr double kSafeVolts = 50;
constexpr double kBleedSeconds = 300;

} // namespace

double peakVoltage(const TransformerBank& bank) { return std::numbers::sqrt2 * bank.volts; }

double ratingVoltAmperes(const TransformerBank& bank) { return bank.volts * bank.amperes; }

// In the lossless model the energy the bank delivers is what each firing
// takes out of the capacitor: half C·Vpk² twice a cycle, (3/pi) of the rating
// at the synchronous gap's capacitor.
TankCapacitors tankCapacitors(const TransformerBank& bank, double resonant) {
    const double sync = kSyncOverResonant * resonant;
    const double peak = peakVoltage(bank);
    return {resonant, kLtrOverResonant * resonant, sync, sync * peak * peak * bank.mainsHz};
}

bool nearResonant(double capacitance, double resonant) {
    return std::abs(capacitance - resonant) <= kNearResonant * resonant;
}

double breaksPerSecond(Gap gap, double mainsHz, double asyncBreaks) {
    return gap == Gap::Asynchronous ? asyncBreaks : 2 * mainsHz;
}

Bangs bangs(const TransformerBank& bank, double capacitance, double breaksPerSecond) {
    const double peak = peakVoltage(bank);
    Bangs result;
    result.energy = capacitance * peak * peak / 2;
    const double rating = ratingVoltAmperes(bank);
    result.power = result.energy * breaksPerSecond;
    result.capped = result.power > rating;
    result.power = std::min(result.power, rating);
    return result;
}

double safetyGapVoltage(double peak) { return kSafetyGapOverPeak * peak; }

double primaryPeakCurrent(double peak, double capacitance, double primaryHenries) {
    return peak * std::sqrt(capacitance / primaryHenries);
}

double secondaryPeakVoltageBound(double energy, double secondaryCapacitance) {
    return std::sqrt(2 * energy / secondaryCapacitance);
}

double sparkLength(double watts) {
    return kInch.toMetres(kFreauInchesPerRootWatt * std::sqrt(watts));
}

double streamerCapacitance(double length) { return kStreamerFaradsPerMetre * length; }

// Strings of the fewest units whose ratings add up to the safety factor times
// the peak; the strings side by side whose capacitance lies nearest the one
// wanted on a ratio's scale (the larger on a tie), and the arrays either side.
// A unit discharging through R falls as exp(-t/RC): R = t/(C·ln(V/50)).
Solved<MmcBank> mmcBank(const MmcUnit& unit, double wanted, double peak, double safety) {
    const double series = std::ceil(safety * peak / unit.rating);
    const double stringFarads = unit.capacitance / series;
    const double strings = wanted / stringFarads;
    if (!(series * std::max(1.0, std::ceil(strings)) <= kMostUnits))
        return Unsolved::TooManyUnits;
    const auto array = [&](double parallel) {
        return MmcArray{int(series), int(parallel), stringFarads * parallel};
    };
    MmcBank bank;
    const double fewer = std::floor(strings);
    bank.above = array(std::max(1.0, std::ceil(strings)));
    if (fewer >= 1)
        bank.below = array(fewer);
    bank.offered = bank.below && std::log(wanted / bank.below->capacitance) <
                                     std::log(bank.above.capacitance / wanted)
                       ? *bank.below
                       : bank.above;
    bank.rating = series * unit.rating;
    bank.energy = bank.offered.capacitance * peak * peak / 2;
    bank.workingVolts = peak / series;
    if (unit.rating > kSafeVolts) {
        const double ohms = kBleedSeconds / (unit.capacitance * std::log(unit.rating / kSafeVolts));
        bank.bleederOhms = ohms;
        bank.bleederWatts = unit.rating * unit.rating / ohms;
        bank.bleederWorkingWatts = bank.workingVolts * bank.workingVolts / ohms;
    }
    return bank;
}

} // namespace resonex::physics
