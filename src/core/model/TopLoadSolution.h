#pragma once

#include "core/model/CTopLoad.h"

#include <utility>
#include <vector>

namespace resonex {

class CSecondary;

// The document's memo of solveTopLoad. The dialogs, the summary, resonex-cli
// and the primary's loaded frequency each ask for the top load's results;
// only the first question after an input changed solves the field. Asking
// changes nothing of the design, so a const document may ask: only the memo's
// own record of what it solved for changes. Two solutions are kept: until
// the primary is calculated, the design's figures stand without its turns
// while the frequency it is to be tuned to stands with them.
class TopLoadSolution {
public:
    const TopLoadResults& results(const CTopLoad& topLoad, const CSecondary& secondary,
                                  bool useMetric, const physics::Surroundings& around,
                                  Toroids toroids = Toroids::Sized) const;
    // The loaded frequency with a streamer's capacitance at the top (the same
    // field solution).
    std::optional<double> runningFr(const CTopLoad& topLoad, const CSecondary& secondary,
                                    bool useMetric, const physics::Surroundings& around,
                                    double streamerFarads) const;

private:
    // Every input the solution depends on.
    struct Inputs {
        float secDia, secHeight, turns;
        CTopLoad::Shape shape;
        float topDia, tubeDia, topHeight, baseHeight, targetFr;
        bool useMetric;
        physics::Surroundings around;
        bool operator==(const Inputs&) const = default;
    };
    static constexpr std::size_t kKept = 2;

    // The field solved for the inputs, the latest first.
    TopLoadField& solved(const CTopLoad& topLoad, const CSecondary& secondary, bool useMetric,
                         const physics::Surroundings& around) const;

    // The latest first.
    mutable std::vector<std::pair<Inputs, TopLoadField>> m_solved;
};

} // namespace resonex
