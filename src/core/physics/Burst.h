#pragma once

#include "core/physics/Bang.h"
#include "core/physics/Solved.h"

#include <optional>
#include <vector>

// The burst of a double-resonant solid-state coil in time: a bridge of
// switches drives the primary tank (the coil's tank capacitor, the primary at
// its tap and their resistance, coupled to the secondary as in Bang.h) with
// plus or minus its output voltage, reversing at each zero of the primary
// current, from t = 0 with everything at rest, for the on-time or until the
// primary current reaches the over-current limit, whichever comes first. The
// bridge then stops driving: its switches' diodes carry the current on into
// the bus, opposing it, so the tank's energy returns to the bus; at a zero of
// the current the diodes let it turn only while the tank's voltage beats the
// bus's, and once it cannot the primary stands open and the secondary rings
// down alone. Between switching events the circuit is linear and solved
// exactly by its modes, as the bang is. Pure numbers in SI units.
//
// The stop is modelled as immediate, at the on-time's end or at the instant
// the current reaches the limit: drivers that wait for the next current zero
// before they stop stop within half a cycle later. The switches and diodes
// are ideal (no drop, no dead time).
namespace resonex::physics {

// The bridge and what it drives. A full bridge applies plus or minus the bus
// voltage to the tank, a half bridge half of it. The coil's tankVolts is not
// used: the tank starts uncharged.
struct BurstCircuit {
    BangCircuit coil;
    double busVolts = 0;
    bool fullBridge = true;
};

// How long the bridge drives (onTime, seconds), the primary current at which
// it stops early (none: no limit), and the waveform's samples in each cycle
// of the primary tank's own frequency 1/(2·pi·sqrt(L1·C1)).
struct BurstRun {
    double onTime = 0;
    std::optional<double> currentLimit;
    int pointsPerCycle = 40;
};

struct BurstFigures {
    // The largest |primary current| and when it comes.
    double primaryPeakAmps = 0;
    double primaryPeakTime = 0;
    // When the bridge stopped driving, and whether the current limit (not
    // the on-time) stopped it.
    double stopTime = 0;
    bool limited = false;
    // When the diodes stopped the primary current for good (the span's end
    // if they never did within it).
    double primaryOpenTime = 0;
    // The largest |voltage| on the tank capacitor and on the secondary's top.
    double tankPeakVolts = 0;
    double secondaryPeakVolts = 0;
    // The energy the bridge drew from the bus while driving, and what the
    // diodes returned to it afterwards (both 0 or more).
    double drawnJoules = 0;
    double returnedJoules = 0;
    // The integral of the primary current's square over the whole burst
    // (A²·s): an RMS current at any burst rate follows from it.
    double primarySquareIntegral = 0;
    // Over the waveform's span (to two secondary cycles after the opening):
    // the energy the resistances turned to heat (the primary's, the
    // secondary's and the streamer's), and what the circuit still holds at
    // its end. Drawn - returned = dissipated + left.
    double dissipatedJoules = 0;
    double leftJoules = 0;
    // The frequency the bridge switched at over the last two whole cycles
    // it drove (from their current zeros); 0 when it drove fewer.
    double lockHz = 0;
};

// A point of the waveform.
using BurstSample = BangSample;

class Burst {
public:
    // OutOfRange for a circuit the bang could not take, a bus not above 0,
    // an on-time not above 0 or a limit not above 0.
    static Solved<Burst> drive(const BurstCircuit& circuit, const BurstRun& run);

    const BurstFigures& figures() const { return m_figures; }
    // From t = 0 to the primary's opening and two cycles of the secondary
    // after it, pointsPerCycle samples in each primary cycle.
    const std::vector<BurstSample>& waveform() const { return m_waveform; }

private:
    Burst() = default;
    BurstFigures m_figures;
    std::vector<BurstSample> m_waveform;
};

} // namespace resonex::physics
