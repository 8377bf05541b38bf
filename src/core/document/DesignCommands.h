#pragma once

#include "core/model/CTopLoad.h"
#include "core/model/DesignInputs.h"
#include "core/model/PrimarySources.h"

#include <QString>

namespace resonex {

class CFile;
class Prompts;

// The calculation commands of the design, as the calculation dialogs carry them
// out and the command-line companion repeats them: inputs stored in a fixed
// order (the table's; one not given keeps its value), the calculation, the
// modified flag, and the primary's results marked out of date where they
// depend on what changed. A rejected entry raises its error and ends the
// command: in the classic calculations (the secondary, the transformer and
// the primary's classic entries) the ones before it stay stored; in the
// others the design is left as it was. Any other failure (an entry or a
// result beyond range) raises its error and leaves the design as it was.

void calculateSecondary(CFile& doc, const Entries& entries);

void calculateTransformer(CFile& doc, const Entries& entries);

// Only the inputs a top load of the shape has are stored (CTopLoad::takes). A
// top load that cuts into the calculated winding is refused (the clearance
// error), as is a tube over half the diameter or surroundings that do not
// stand clear (checkSurroundings). The primary is out of date only when the
// frequency it takes has moved.
void calculateTopLoad(CFile& doc, CTopLoad::Shape shape, const Entries& entries);

// An asynchronous gap needs its breaks per second (stored only for it), a
// bank's unit its rating (a rating alone is no bank), and once the
// transformer bank is calculated, a bank of more units than anyone builds is
// refused: each is the error of the input to mend. The primary is out of date
// only when the capacitor it takes has moved.
void calculatePower(CFile& doc, const Entries& entries);

// After the mains frequency option changed: the matching capacitor follows
// when it has been calculated, and the primary must be recalculated.
void mainsFrequencyChanged(CFile& doc);

// A choice can be 1 only once its source has been calculated.
bool canUse(const CFile& doc, PrimaryChoice choice);

// The design's choices as the primary offers them: cleared where the source
// has not been calculated.
PrimaryChoices offeredChoices(const CFile& doc);

// What an input's box shows under the choices (PrimaryInputs::entry).
QString shownEntry(const CFile& doc, Input input, const PrimaryChoices& choices);

// The primary's entries as its boxes first show them, for the choices.
Entries shownEntries(const CFile& doc, const PrimaryChoices& choices);

// Stores the entries a choice could fill that the choices leave to the
// primary, the choices, then the other classic entries, then the primary as
// built, and calculates. The primary as built is refused whole (an entry, a
// cone without its angle, turns that cut into the coil): the design is then
// left as it was before the command, the classic entries included. The
// tapping sentence quotes the frequency's entry.
void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const Entries& entries,
                      Prompts& prompts);

} // namespace resonex
