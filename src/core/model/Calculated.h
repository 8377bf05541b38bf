#pragma once

#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTransformer.h"

// Whether a calculation of the design has results to show. A new design's
// results are 0, and its primary out of date, until each is calculated.
namespace resonex {

// The secondary has turns: what the summary, the dialogs, the top load and the
// drawing ask.
inline bool secondaryCalculated(const CSecondary& secondary) { return secondary.Turns() != 0; }

// The secondary has a resonant frequency: what the primary asks before it
// offers the secondary's frequency. A damaged file can hold one of turns and
// frequency without the other, so the two questions stay apart.
inline bool secondaryHasFrequency(const CSecondary& secondary) { return secondary.NatFr() != 0; }

inline bool transformerCalculated(const CTransformer& transformer) { return transformer.C() != 0; }

// The primary's results are those of its inputs as they are now: calculated
// since anything it takes from changed. Its listing may still be empty (more
// than 15 turns needed).
inline bool primaryCalculated(const CPrimary& primary) { return !primary.CalcsInvalid(); }

} // namespace resonex
