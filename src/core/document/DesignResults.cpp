#include "core/document/DesignResults.h"

#include "core/document/CFile.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/Calculated.h"
#include "core/model/PrimarySources.h"
#include "core/model/SurroundingsInputs.h"
#include "core/model/TopLoadSolution.h"
#include "core/results/BangResults.h"
#include "core/results/BurstResults.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResults.h"
#include "core/settings/CSettings.h"

namespace resonex {

struct DesignResults::CouplingMemo {
    QByteArray design;
    std::optional<CouplingResults> results;
};

template <typename Results> struct DesignResults::Memo {
    QByteArray design;
    bool useMetric = false;
    std::optional<Results> results;
};

DesignResults::DesignResults(const CFile& doc)
    : m_doc(doc), m_topLoadSolution(std::make_unique<TopLoadSolution>()),
      m_coupling(std::make_unique<CouplingMemo>()), m_bang(std::make_unique<Memo<BangResults>>()),
      m_burst(std::make_unique<Memo<BurstResults>>()) {}

DesignResults::~DesignResults() = default;

const TopLoadResults& DesignResults::topLoad() const { return topLoad(Toroids::Sized); }

const TopLoadResults& DesignResults::topLoad(Toroids toroids) const {
    return m_topLoadSolution->results(m_doc.topLoad(), m_doc.secondary(),
                                      m_doc.settings().UseMetric(), surroundings(), toroids);
}

physics::Surroundings DesignResults::surroundings() const { return surroundingsIn(basis()); }

physics::Surroundings DesignResults::surroundingsIn(const DesignBasis& from) const {
    physics::Surroundings around = from.around;
    if (!primaryCalculated(m_doc.primary()))
        around.primary.reset();
    return around;
}

DesignBasis DesignResults::basis() const {
    const bool metric = m_doc.settings().UseMetric();
    DesignBasis from{m_doc.secondary(),  m_doc.transformer(),
                     m_doc.topLoad(),    metric,
                     *m_topLoadSolution, surroundingsOf(m_doc.models(), metric)};
    if (secondaryCalculated(m_doc.secondary()))
        from.around.primary = primaryAsBuilt(m_doc.primary(), m_doc.added(), from);
    from.tankCapacitance = m_doc.added().si(designInput(Input::TankC), metric);
    return from;
}

const std::optional<CouplingResults>& DesignResults::coupling() const {
    QByteArray design = m_doc.bytesToSave();
    if (design != m_coupling->design) {
        m_coupling->results =
            couplingResults(m_doc.primary(), m_doc.added(), m_doc.settings(), basis());
        m_coupling->design = std::move(design);
    }
    return m_coupling->results;
}

template <typename Results, typename Work>
const Results& DesignResults::remembered(Memo<Results>& memo, Work work) const {
    QByteArray design = m_doc.bytesToSave();
    const bool useMetric = m_doc.settings().UseMetric();
    if (!memo.results || design != memo.design || useMetric != memo.useMetric) {
        memo.results = work();
        memo.design = std::move(design);
        memo.useMetric = useMetric;
    }
    return *memo.results;
}

const BangResults& DesignResults::bang() const {
    return remembered(*m_bang, [this] {
        return bangResults(m_doc.added(), m_doc.settings(), m_doc.secondary(), power(), coupling(),
                           secondaryTurns(basis()), topLoad(Toroids::Unsized));
    });
}

const BurstResults& DesignResults::burst() const {
    return remembered(*m_burst, [this] {
        return burstResults(m_doc.added(), m_doc.settings(), m_doc.secondary(), power(), coupling(),
                            topLoad(Toroids::Unsized));
    });
}

std::optional<PowerResults> DesignResults::power() const {
    const DesignBasis from = basis();
    return powerResults(m_doc.primary(), m_doc.added(), m_doc.settings(), from,
                        surroundingsIn(from), coupling());
}

} // namespace resonex
