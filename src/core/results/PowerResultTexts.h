#pragma once

#include "core/results/Figure.h"
#include "core/results/PowerResults.h"

#include <QList>
#include <QString>

namespace resonex {

// The power side's figures, each declared once (Figure.h), in the order the
// summary and the dialog show them and the JSON's power object has them
// (its inputs as used, then its bank, follow them there). Each is shown
// "fixed", two decimals, in a unit that suits its size.
FigureList<PowerResults> powerFigures();

// The power side's lines in order: the figures, then the bank of units
// (composed apart, its JSON too), those not yet worked out left out; a
// warning or a reason stands as a line of its own, with an empty value.
QList<FigureLine> powerResultLines(const PowerResults& results, bool useMetric);

// The gap's name as the summary writes it ("static").
QString gapText(physics::Gap gap);

} // namespace resonex
