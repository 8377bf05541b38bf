#include "core/model/TopLoadSolution.h"

#include "core/model/CSecondary.h"

namespace resonex {

const TopLoadResults& TopLoadSolution::results(const CTopLoad& topLoad, const CSecondary& secondary,
                                               bool useMetric) const {
    const Inputs inputs{secondary.DiaValue(),     secondary.HeightValue(),
                        secondary.Turns(),        topLoad.shape(),
                        topLoad.TopDiaValue(),    topLoad.TubeDiaValue(),
                        topLoad.TopHeightValue(), topLoad.BaseHeightValue(),
                        topLoad.TargetFrValue(),  useMetric};
    if (m_solvedFor != inputs) {
        m_results = solveTopLoad(topLoad, secondary, useMetric);
        m_solvedFor = inputs;
    }
    return m_results;
}

} // namespace resonex
