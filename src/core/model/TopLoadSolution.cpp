#include "core/model/TopLoadSolution.h"

#include "core/model/CSecondary.h"

#include <algorithm>

namespace resonex {

TopLoadField& TopLoadSolution::solved(const CTopLoad& topLoad, const CSecondary& secondary,
                                      bool useMetric, const physics::Surroundings& around) const {
    const Inputs inputs{secondary.DiaValue(),
                        secondary.HeightValue(),
                        secondary.Turns(),
                        topLoad.shape(),
                        topLoad.TopDiaValue(),
                        topLoad.TubeDiaValue(),
                        topLoad.TopHeightValue(),
                        topLoad.BaseHeightValue(),
                        topLoad.TargetFrValue(),
                        useMetric,
                        around};
    const auto kept = std::find_if(m_solved.begin(), m_solved.end(),
                                   [&](const auto& solved) { return solved.first == inputs; });
    if (kept != m_solved.end()) {
        std::rotate(m_solved.begin(), kept, kept + 1);
    } else {
        if (m_solved.size() == kKept)
            m_solved.pop_back();
        m_solved.emplace(m_solved.begin(), inputs,
                         TopLoadField(topLoad, secondary, useMetric, around));
    }
    return m_solved.front().second;
}

const TopLoadResults& TopLoadSolution::results(const CTopLoad& topLoad, const CSecondary& secondary,
                                               bool useMetric, const physics::Surroundings& around,
                                               Toroids toroids) const {
    return solved(topLoad, secondary, useMetric, around).results(toroids);
}

std::optional<double> TopLoadSolution::runningFr(const CTopLoad& topLoad,
                                                 const CSecondary& secondary, bool useMetric,
                                                 const physics::Surroundings& around,
                                                 double streamerFarads) const {
    return solved(topLoad, secondary, useMetric, around).runningFr(streamerFarads);
}

} // namespace resonex
