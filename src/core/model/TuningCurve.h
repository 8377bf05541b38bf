#pragma once

#include "core/model/PrimaryListing.h"

#include <QList>

#include <optional>

namespace resonex {

class CPrimary;
class CSettings;
struct DesignBasis;

// The primary circuit tapped after one turn of the listing.
struct TuningPoint {
    int turn;
    double henries; // the inductance as the listing gives it
    double hertz;   // the circuit's resonance with the capacitance used
};

// How the primary circuit's resonance falls turn by turn, against the
// frequency the calculation aimed at and the secondary's own frequencies.
// The inductance that resonates with the capacitance at the frequency.
double inductanceFor(double hertz, double farads);

struct TuningCurve {
    QList<TuningPoint> points; // from the first turn; empty: nothing to show
    double farads = 0;         // the capacitance the calculation used
    double targetHertz = 0;    // the frequency the calculation used
    std::optional<Tap> tap;
    // Where the circuit resonates at the target, in turns: between the tap's
    // turns, the inductance taken to grow linearly from one to the next (from
    // none before the first turn).
    std::optional<double> crossingTurn;
    std::optional<double> quarterWaveHertz; // once the secondary is calculated
    std::optional<double> loadedHertz;      // once it carries a top load as well
    // The coupling to the secondary tapped after each turn, and at the tap,
    // once both are calculated.
    struct Coupling {
        int turn;
        double k;
    };
    QList<Coupling> couplings;
    std::optional<double> tapCoupling;

    // When the last turn falls short of the target (the primary's results are
    // then empty, and the points are worked out afresh from its inputs): what
    // would bring the tap within reach, each change alone. Every figure is
    // rounded to the last digit the primary shows, on the side that is enough.
    struct Reach {
        double farads; // the least capacitance
        double hertz;  // the least target frequency
        // The turn-to-turn spacing nearest to the entered one that would do
        // (Wheeler's inductance first falls, then grows, as the spiral widens):
        // at most this much, or at least; none within a thousand times it.
        std::optional<double> spacing;
        bool closerSpacing = false;
        bool metric = true; // the spacing in millimetres, else inches
    };
    std::optional<Reach> beyondLastTurn;

    bool isEmpty() const { return points.isEmpty(); }
};

// The curve of the primary's results as the summary shows them: empty while
// they are out of date or missing, the inputs taken where the settings'
// choices say. A calculation that ran out of turns has no listing: its turns
// are worked out again, for the curve alone.
TuningCurve tuningCurve(const CPrimary& primary, const CSettings& settings,
                        const DesignBasis& from);

// What would bring the tap within the turns, in a sentence.
QString reachText(const TuningCurve::Reach& reach);

} // namespace resonex
