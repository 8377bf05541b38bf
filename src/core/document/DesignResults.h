#pragma once

#include "core/physics/Surroundings.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace resonex {

class CFile;
class TopLoadSolution;
enum class Toroids;
struct CouplingResults;
struct DesignBasis;
struct PowerResults;
struct BangResults;
struct BurstResults;
struct TopLoadResults;

// The design's results beyond the classic calculations, each worked out when
// first asked for after what it depends on changed: the top load's field
// solution keyed on its own inputs (TopLoadSolution), the coupling on the
// bytes Save would write (every input it depends on is among them: the
// primary and its choices, the coil, the top load and its surroundings, the
// tank), the power side, which costs next to nothing beside them, worked out
// each time.
class DesignResults {
public:
    explicit DesignResults(const CFile& doc);
    ~DesignResults();
    DesignResults(const DesignResults&) = delete;
    DesignResults& operator=(const DesignResults&) = delete;

    // The top load's figures on the secondary as they stand, the toroids
    // sized unless asked otherwise (Toroids::Unsized).
    const TopLoadResults& topLoad() const;
    const TopLoadResults& topLoad(Toroids toroids) const;
    const TopLoadSolution& topLoadSolution() const { return *m_topLoadSolution; }
    // What stands around the coil in its field: the strike rail and the room
    // entered, and the primary's turns as built once the primary and the
    // secondary are calculated.
    physics::Surroundings surroundings() const;
    // What the primary, the coupling and the power side are worked out from,
    // the loaded frequency with the primary's own turns as built in the
    // field.
    DesignBasis basis() const;
    // The coupling of the primary as built (CouplingResults.h).
    const std::optional<CouplingResults>& coupling() const;
    // The power side (PowerResults.h), none until the transformer bank is
    // calculated.
    std::optional<PowerResults> power() const;
    // The bang in time (BangResults.h), from the power side and the coupling,
    // kept as the coupling is, with the units it was typed in.
    const BangResults& bang() const;
    // The burst of a bridge-driven coil (BurstResults.h), kept as the bang is.
    const BurstResults& burst() const;

private:
    // The surroundings of a basis worked out already: its primary's turns
    // only once the primary is calculated.
    physics::Surroundings surroundingsIn(const DesignBasis& from) const;

    const CFile& m_doc;
    std::unique_ptr<const TopLoadSolution> m_topLoadSolution;
    // The coupling as last worked out, and the design it was worked out for.
    struct CouplingMemo;
    std::unique_ptr<CouplingMemo> m_coupling;
    // A result kept with the design and the units it was worked out for.
    template <typename Results> struct Memo;
    template <typename Results, typename Work>
    const Results& remembered(Memo<Results>& memo, Work work) const;
    std::unique_ptr<Memo<BangResults>> m_bang;
    std::unique_ptr<Memo<BurstResults>> m_burst;
};

} // namespace resonex
