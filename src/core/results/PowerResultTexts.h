#pragma once

#include "core/results/PowerResults.h"

#include <QList>
#include <QString>

namespace resonex {

// One figure of the power side as the summary and the dialog show it: what it
// is and its value with its unit ("fixed", two decimals, in a unit that suits
// its size: nF, kV, J, W, A, pF, kHz, the design's length unit).
struct PowerLine {
    QString label;
    QString value;
};

// The power side's figures in order, those not yet worked out left out; a
// warning or a reason stands as a line of its own, with an empty value.
QList<PowerLine> powerResultLines(const PowerResults& results, bool useMetric);

// The gap's name as the summary writes it ("static").
QString gapText(physics::Gap gap);

} // namespace resonex
