#pragma once

#include <QString>

namespace resonex {

// A capacitance in microfarads ("###0.00##") and a frequency in kilohertz
// ("fixed"), as the primary shows them.
QString microfaradsText(float farads);
QString kilohertzText(float hertz);
// A capacitance in picofarads ("fixed"), as the secondary's results show it.
QString picofaradsText(float farads);
// A length in the design's unit ("###0.00##"), as the models show their inputs.
QString lengthText(float length);
// A coupling coefficient with exactly four decimals ("0.2051"), wherever k is
// shown: fine enough to tell apart the heights of the inner turn a millimetre
// apart, and one width down a listing.
QString couplingText(float k);

} // namespace resonex
