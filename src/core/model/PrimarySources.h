#pragma once

#include "core/model/DesignInputs.h"
#include "core/physics/Surroundings.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace resonex {

class CPrimary;
class CSecondary;
class CSettings;
class CTopLoad;
class CTransformer;
class TopLoadSolution;

// What the primary, its coupling and the power side are worked out from: the
// calculations the primary can take inputs from, the length unit of the
// design (the top load's frequency depends on it), where the top load's
// field solution is kept, what stands in the field and the tank capacitor.
struct DesignBasis {
    const CSecondary& secondary;
    const CTransformer& transformer;
    const CTopLoad& topLoad;
    bool useMetric;
    const TopLoadSolution& topLoadSolution;
    // What stands in the field for the loaded frequency the primary is tuned
    // to: the surroundings entered and the primary's own turns as built.
    physics::Surroundings around;
    // The tank capacitor entered on the power side, farads; 0 follows the
    // resonant one (tankCapacitorUsed).
    double tankCapacitance = 0;
};

// The power side's tank capacitor: the one entered, or the transformer bank's
// resonant one.
double tankCapacitorUsed(const DesignBasis& from);

// The primary's "Use Design Information" choices, as the settings keep them:
// 1 takes an input from another calculation, 0 leaves it to the primary's own
// entry. A design file can hold other numbers, which do neither: the primary
// keeps the value it has.
struct PrimaryChoices {
    qint16 usePriC = 0;   // the capacitance: the transformer's matching capacitor
    qint16 useSecFr = 0;  // the frequency: the secondary's quarter wave
    qint16 useSecDia = 0; // the secondary's diameter
    qint16 useTopFr = 0;  // the frequency: the secondary's with its top load
    qint16 useTankC = 0;  // the capacitance: the power side's tank capacitor
};
using PrimaryChoice = qint16 PrimaryChoices::*;

// One "Use Design Information" choice, declared once: the input it fills
// (Input::C, Fr or SecDia) from which calculation, where the settings and the
// design file keep it, its check box, its `resonex-cli` option, and what the
// option's messages say of it. Of two choices for one input, the first that
// is 1 is the one taken.
struct PrimaryChoiceRow {
    PrimaryChoice choice;
    Input fills;
    Calculation from;
    qint16 (CSettings::*setting)() const;
    void (CSettings::*keep)(qint16);
    FileSlot file;
    const char* boxName;
    const char* caption;
    const char* option;
    const char* help;      // what 1 takes, for --help and the manual
    const char* needs;     // what 1 needs: "a calculated secondary coil"
    const char* takes;     // what 1 takes: "the frequency"
    const char* takenFrom; // "the secondary calculation"
};
const QList<PrimaryChoiceRow>& primaryChoiceRows();

PrimaryChoices primaryChoices(const CSettings& settings);
void setPrimaryChoices(CSettings& settings, const PrimaryChoices& choices);

// Whether the choice's calculation has a value to give: only then can the
// choice be 1.
bool sourceCalculated(PrimaryChoice choice, const DesignBasis& from);
// The value the choice's calculation has to give, as it keeps it; none while
// it has none.
std::optional<float> sourceValue(PrimaryChoice choice, const DesignBasis& from);
// The choices with those cleared whose calculation has no value to give.
PrimaryChoices clearUncalculated(PrimaryChoices choices, const DesignBasis& from);

// Whether a choice of 1 takes a value from the calculation, so that doing it
// again leaves the primary out of date.
bool takesFrom(const PrimaryChoices& choices, Calculation calculation, const DesignBasis& from);

// Whether some choice can fill the input.
bool choiceCanFill(Input input);

// Whether every choice for the input is 0: the primary's entry is taken.
bool takesEntry(Input input, const PrimaryChoices& choices);

// Whether no input has two choices of 1.
bool oneChoiceEach(const PrimaryChoices& choices);

// One input takes one choice: the choices with the others for choice's input
// cleared, and choice set to 1.
PrimaryChoices choosing(PrimaryChoices choices, PrimaryChoice choice);

// The primary's inputs, each from the calculation whose choice for it is 1,
// else the primary's own.
class PrimaryInputs {
public:
    PrimaryInputs(const PrimaryChoices& choices, const CPrimary& primary, const DesignBasis& from);

    // The value the primary's calculation uses: a secondary's diameter is
    // taken as its text reads, to four decimals.
    float used(Input input) const;
    // The value as its calculation keeps it: farads, hertz or the design's
    // length unit.
    float kept(Input input) const;
    // The kept value as the summary shows it.
    QString text(Input input) const;
    // What the input's entry box shows: the used value, or the primary's own
    // entry (empty rather than 0).
    QString entry(Input input) const;
    // Whether the primary takes its own entry though another calculation has
    // a value for the input.
    bool passesOver(Input input) const;

private:
    PrimaryChoices m_choices;
    const CPrimary& m_primary;
    DesignBasis m_from;
};

} // namespace resonex
