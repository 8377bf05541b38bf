#pragma once

#include "core/results/BurstResults.h"
#include "core/results/Figure.h"

namespace resonex {

// The burst's figures, each declared once (Figure.h), in the order the
// summary shows them and the JSON's burst object has them; a line saying why
// where the design has no burst.
FigureList<BurstResults> burstFigures();

// Why there is no burst, as the summary says it.
QString noBurstText(const BurstResults& results);

} // namespace resonex
