#pragma once

#include <QString>

namespace resonex {

class CFile;

QString CouplingSectionTitle();
// The primary as built, its inductance and its listing with k at each turn,
// the tap in use (and which listing it
// is read from), M and k there and the two coupled modes, then the height
// for the coupling typed; ends without a line break.
// Empty unless the design has anything beyond the classic calculations (a
// primary built otherwise, a coupling asked for, a top load, the
// surroundings, the power side): the flat spiral as a new design has it too,
// once the design is more than classic. Empty too until the primary and
// the secondary are calculated.
QString CouplingSectionText(const CFile& doc);

} // namespace resonex
