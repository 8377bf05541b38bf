#pragma once

#include "core/model/CTopLoad.h"
#include "core/model/PrimarySources.h"

#include <QString>

namespace resonex {

class CFile;
class Prompts;

// The calculation commands of the design, as the calculation dialogs carry them
// out and the command-line companion repeats them: inputs stored in a fixed
// order (a rejected one raises its error and ends the command, the ones before
// it staying stored), the calculation, the modified flag, and the primary's
// results marked out of date where they depend on what changed. Any other
// failure (an entry or a result beyond range) raises its error and leaves the
// design as it was.

void calculateSecondary(CFile& doc, const QString& dia, const QString& height,
                        const QString& wireDia, const QString& wireSpa);

void calculateTransformer(CFile& doc, const QString& secVol, const QString& secCur,
                          const QString& num);

// The top load's entry boxes: the diameter is stored only for a top load, a
// toroid's tube only for a toroid. A top load that cuts into the calculated
// winding is refused (the clearance error), as is a tube over half the
// diameter, and the top load is then kept as it was.
struct TopLoadEntries {
    CTopLoad::Shape shape = CTopLoad::Shape::None;
    QString topDia;
    QString tubeDia;
    QString topHeight;
    QString baseHeight;
    QString targetFr; // kilohertz; empty for none
};

void calculateTopLoad(CFile& doc, const TopLoadEntries& entries);

// After the mains frequency option changed: the matching capacitor follows
// when it has been calculated, and the primary must be recalculated.
void mainsFrequencyChanged(CFile& doc);

// The texts of the primary's entry boxes.
struct PrimaryEntries {
    QString c;
    QString fr;
    QString secDia;
    QString conDia;
    QString conSpa;
    QString secSep;
};

// The calculations the design's primary can take inputs from.
OtherModels otherModels(const CFile& doc);

// A choice can be 1 only once its source has been calculated.
bool canUse(const CFile& doc, PrimaryChoice choice);

// The design's choices as the primary offers them: cleared where the source
// has not been calculated.
PrimaryChoices offeredChoices(const CFile& doc);

// What an input's box shows under the choices (PrimaryInputs::entry).
QString shownEntry(const CFile& doc, PrimaryInput input, const PrimaryChoices& choices);

// The primary's own entries as its boxes first show them, for the choices.
PrimaryEntries shownEntries(const CFile& doc, const PrimaryChoices& choices);

// Stores the entries whose choices are all 0, the choices, then the three
// dimensions, and calculates; the tapping sentence quotes entries.fr.
void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const PrimaryEntries& entries,
                      Prompts& prompts);

} // namespace resonex
