#pragma once

#include <QString>

namespace resonex {

// The words of the design's length units: the inputs' ("mm" or "in") and the
// secondary wire length's ("m" or "ft").
inline QString lengthUnit(bool useMetric) {
    return useMetric ? QStringLiteral("mm") : QStringLiteral("in");
}
inline QString wireLengthUnit(bool useMetric) {
    return useMetric ? QStringLiteral("m") : QStringLiteral("ft");
}

} // namespace resonex
