#pragma once

#include "core/results/BangResults.h"
#include "core/results/Figure.h"

namespace resonex {

// The bang's figures, each declared once (Figure.h), in the order the
// summary shows them and the JSON's bang object has them; none (a line saying
// why) where the design has no bang.
FigureList<BangResults> bangFigures();

// Why there is no bang, as the summary says it.
QString noBangText(NoBang why);

} // namespace resonex
