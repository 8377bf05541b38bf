#pragma once

#include "core/model/PrimaryListing.h"

#include <QList>

#include <optional>

namespace resonex {

class CPrimary;
class CSettings;
struct OtherModels;

// The primary circuit tapped after one turn of the listing.
struct TuningPoint {
    int turn;
    double henries; // the inductance as the listing gives it
    double hertz;   // the circuit's resonance with the capacitance used
};

// How the primary circuit's resonance falls turn by turn, against the
// frequency the calculation aimed at and the secondary's own frequencies.
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

    bool isEmpty() const { return points.isEmpty(); }
};

// The curve of the primary's results as the summary shows them: empty while
// they are out of date or missing, the inputs taken where the settings'
// choices say.
TuningCurve tuningCurve(const CPrimary& primary, const CSettings& settings,
                        const OtherModels& from);

} // namespace resonex
