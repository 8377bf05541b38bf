#pragma once

#include "core/physics/CoupledPair.h"
#include "core/physics/Solved.h"

#include <array>
#include <complex>
#include <optional>
#include <vector>

// The bang of a spark-gap coil in time: the tank capacitor, charged, fires
// into the primary coupled to the secondary, and the gap stops conducting at
// a zero of the primary current after a chosen notch (or never); the
// secondary then rings down alone. Between those events the two coupled
// resonators are a linear time-invariant circuit, solved exactly by its modes
// (the eigenvalues and eigenvectors of its state matrix), not stepped by an
// integrator. Pure numbers in SI units (farads, henries, ohms, volts,
// amperes, seconds, joules).
namespace resonex::physics {

// The circuit as it fires. The primary loop: the tank capacitor, the
// primary's inductance at the tap in use and its series resistance (the
// gap's and the conductor's). The secondary: its inductance and series
// resistance, the capacitance that resonates it at the top (a streamer's
// capacitance included, when there is one) and, across that capacitance, a
// streamer's resistance (none: open). The two coupled by their mutual
// inductance, from 0 to below sqrt(L1·L2).
struct BangCircuit {
    double tankCapacitance = 0;
    double primaryInductance = 0;
    double primaryResistance = 0;
    double secondaryInductance = 0;
    double secondaryCapacitance = 0;
    double secondaryResistance = 0;
    double mutualInductance = 0;
    std::optional<double> streamerResistance;
    double tankVolts = 0; // on the tank capacitor when the gap fires
};

// How the bang is run: the gap stops at the first zero of the primary
// current after the quenchNotch-th notch (1 or more; none: never), over
// primaryCycles of the primary's own period 2·pi·sqrt(L1·C1), the waveform
// sampled pointsPerCycle times in each.
struct BangRun {
    std::optional<int> quenchNotch = 1;
    double primaryCycles = 1000;
    int pointsPerCycle = 40;
};

// The circuit's state at an instant.
struct BangState {
    double tankVolts = 0;
    double primaryAmps = 0;
    double secondaryAmps = 0;
    double topVolts = 0; // across the secondary's capacitance
};

// A point of the waveform.
struct BangSample {
    double time = 0;
    double primaryAmps = 0;
    double topVolts = 0;
};

// The gap stopping: when, and where the bang's energy stands then.
struct BangQuench {
    double time = 0;
    double secondaryShare = 0; // of the bang's energy, in the secondary
    double primaryJoules = 0;  // left in the primary (its tank capacitor)
};

struct BangFigures {
    // The notches (minima of the primary current's envelope) up to the
    // quench, all within the span when there is none.
    std::vector<double> notches;
    // None when the gap conducts through the span: never asked to stop, or
    // its notch not reached.
    std::optional<BangQuench> quench;
    double primaryPeakAmps = 0;    // the largest |primary current|
    double secondaryPeakVolts = 0; // the largest |top voltage|, losses and all
    // The secondary alone (its streamer included): its amplitude's time to
    // fall to 1/e (1/alpha; an overdamped one's slower decay) and its Q,
    // w0/(2·alpha) with alpha = (R/L + G/C)/2 and w0² = (1 + R·G)/(L·C)
    // (both infinite without losses).
    double ringDownSeconds = 0;
    double secondaryQ = 0;
};

class Bang {
public:
    // OutOfRange for a circuit that cannot be (a capacitance or inductance
    // not above 0, a negative resistance, a coupling of 1 or more, a span or
    // sampling not above 0, a notch below 1), and for one whose modes
    // coincide (two identical resonators uncoupled), where the modal
    // solution does not exist.
    static Solved<Bang> fire(const BangCircuit& circuit, const BangRun& run);

    const BangFigures& figures() const { return m_figures; }
    // The exact state at time t (0 at the firing).
    BangState state(double t) const;
    // The energy the circuit holds at time t: both capacitors, both
    // inductances and their mutual one's.
    double storedJoules(double t) const;
    // The waveform over the span, pointsPerCycle samples each primary cycle
    // from t = 0.
    std::vector<BangSample> waveform() const;

    // The modal solution's pieces (CoupledPair.h).
    using Mode = pair::Mode;
    using Stretch = pair::Stretch;

private:
    Bang() = default;
    std::array<double, 4> scaledAt(double tau) const;

    std::array<double, 4> m_scale{}; // from the scaled state to SI
    double m_omega = 0;              // the secondary's 1/sqrt(L2·C2): tau = omega·t
    double m_coupling = 0;           // k
    double m_end = 0;                // the span, in tau
    double m_sampleStep = 0;         // in tau
    double m_quench = 0;             // in tau; infinite without a quench
    Stretch m_firing;                // the gap conducting
    Stretch m_ringDown;              // the secondary alone, from the quench
    BangFigures m_figures;
};

} // namespace resonex::physics
