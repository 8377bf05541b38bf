#pragma once

#include <QString>

namespace resonex {

struct CouplingResults;

QString CouplingSectionTitle();
// The primary as built, its inductance and its listing with k at each turn,
// the tap in use (and which listing it
// is read from), M and k there and the two coupled modes, then the height
// for the coupling typed; ends without a line break.
QString CouplingSectionText(const CouplingResults& results, bool useMetric);

} // namespace resonex
