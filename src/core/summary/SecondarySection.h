#pragma once

#include <QString>

namespace resonex {

class CSecondary;

QString SecondarySectionTitle();

// The secondary's inputs and results, or the not-calculated line. The unit
// words are those of the inputs ("mm"/"in") and of the wire length ("m"/"ft").
QString SecondarySectionText(const CSecondary& secondary, const QString& lengthUnit,
                             const QString& wireLengthUnit);

} // namespace resonex
