#pragma once

#include <QString>

namespace resonex {

class CTransformer;

// The values the primary can take from the other models, the matched
// capacitance and the secondary's quarter wave, as it shows them
// (microfaradsText, kilohertzText).
QString matchedCapacitanceText(const CTransformer& transformer);

} // namespace resonex
