#pragma once

#include <QString>

namespace resonex {

class CSecondary;
class CTransformer;

// The values the primary can take from the other models, as the primary shows
// them: the matched capacitance in microfarads ("###0.00##") and the
// secondary's quarter-wave frequency in kilohertz ("fixed").
QString matchedCapacitanceText(const CTransformer& transformer);
QString quarterWaveFrequencyText(const CSecondary& secondary);

} // namespace resonex
