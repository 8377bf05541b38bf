#pragma once

#include "core/model/CTopLoad.h"

#include <optional>

namespace resonex {

class CSecondary;

// The document's memo of solveTopLoad. The dialogs, the summary, resonex-cli
// and the primary's loaded frequency each ask for the top load's results;
// only the first question after an input changed solves the field. Asking
// changes nothing of the design, so a const document may ask: only the memo's
// own record of what it solved for changes.
class TopLoadSolution {
public:
    const TopLoadResults& results(const CTopLoad& topLoad, const CSecondary& secondary,
                                  bool useMetric) const;

private:
    // Every input the solution depends on.
    struct Inputs {
        float secDia, secHeight, turns;
        CTopLoad::Shape shape;
        float topDia, tubeDia, topHeight, baseHeight, targetFr;
        bool useMetric;
        bool operator==(const Inputs&) const = default;
    };

    mutable std::optional<Inputs> m_solvedFor;
    mutable TopLoadResults m_results;
};

} // namespace resonex
