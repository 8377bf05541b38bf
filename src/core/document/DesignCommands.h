#pragma once

#include <QString>
#include <QtGlobal>

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

// After the mains frequency option changed: the matching capacitor follows
// when it has been calculated, and the primary must be recalculated.
void mainsFrequencyChanged(CFile& doc);

// The primary's "Use Design Information" choices: 1 takes the value from the
// other model, 0 uses the primary's own entry.
struct PrimaryChoices {
    qint16 usePriC = 0;
    qint16 useSecFr = 0;
    qint16 useSecDia = 0;
};

// The texts of the primary's entry boxes.
struct PrimaryEntries {
    QString c;
    QString fr;
    QString secDia;
    QString conDia;
    QString conSpa;
    QString secSep;
};

// A choice can be 1 only once its source has been calculated.
bool canUsePriC(const CFile& doc);
bool canUseSecFr(const CFile& doc);

// The design's choices as the primary offers them: cleared where the source
// has not been calculated.
PrimaryChoices offeredChoices(const CFile& doc);

// What a box shows for its choice: the other model's value when it is 1, the
// primary's own value otherwise (empty while that is 0).
QString shownCapacitance(const CFile& doc, qint16 usePriC);
QString shownFrequency(const CFile& doc, qint16 useSecFr);
QString shownSecondaryDiameter(const CFile& doc, qint16 useSecDia);

// The primary's own entries as its boxes first show them, for the choices.
PrimaryEntries shownEntries(const CFile& doc, const PrimaryChoices& choices);

// Stores the entries whose choice is 0, the choices, then the three
// dimensions, and calculates; the tapping sentence quotes entries.fr.
void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const PrimaryEntries& entries,
                      Prompts& prompts);

} // namespace resonex
