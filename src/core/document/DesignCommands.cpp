#include "core/document/DesignCommands.h"

#include "core/document/CFile.h"
#include "core/errors/ResonexError.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/physics/TopLoadClearance.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResults.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

namespace resonex {

namespace {

// Runs a command that stores entries and calculates. A failure other than a
// rejected entry (an overflow, a division by zero) puts the design back as it
// was: a calculation either completes or changes nothing.
template <typename Command> void wholeOrNothing(CFile& doc, Command command) {
    const CSecondary secondary = doc.secondary();
    const CPrimary primary = doc.primary();
    const CTransformer transformer = doc.transformer();
    const CTopLoad topLoad = doc.topLoad();
    const AddedInputs added = doc.added();
    const PrimaryChoices choices = primaryChoices(doc.settings());
    try {
        command();
    } catch (const ResonexError& error) {
        if (!isInputError(error.number())) {
            doc.secondary() = secondary;
            doc.primary() = primary;
            doc.transformer() = transformer;
            doc.topLoad() = topLoad;
            doc.added() = added;
            setPrimaryChoices(doc.settings(), choices);
        }
        throw;
    }
}

// After a calculation: the design has changed, and a primary taking a value
// from it is out of date.
void calculated(CFile& doc, OtherCalculation calculation) {
    doc.setModified(true);
    if (takesFrom(primaryChoices(doc.settings()), calculation, doc.otherModels()))
        doc.primary().setCalcsInvalid(true);
}

// Stores the calculation's entries given, in the table's order, those that
// `stored` lets through.
template <typename Stored>
void storeEntries(CFile& doc, Calculation calculation, const Entries& entries, Stored stored) {
    for (const DesignInput* row : inputsOf(calculation)) {
        const auto entry = entries.find(row->input);
        if (entry != entries.end() && stored(row->input))
            storeEntry(*row, doc.models(), entry->second);
    }
}
void storeEntries(CFile& doc, Calculation calculation, const Entries& entries) {
    storeEntries(doc, calculation, entries, [](Input) { return true; });
}

// The parts of the surroundings that may not stand clear: how the
// clearance error names each, and the input it blames.
struct Intruder {
    physics::Intrusion part;
    const char* name;
    Input blamed;
};
constexpr Intruder kIntruders[] = {
    {physics::Intrusion::Rail, "the strike rail", Input::RailDia},
    {physics::Intrusion::Ceiling, "the ceiling", Input::Ceiling},
    {physics::Intrusion::Walls, "the walls", Input::Walls},
};

// A rail needs its conductor; once the secondary is calculated, the rail,
// ceiling and walls must stand clear of the coil, its top load and the
// primary's turns in around (physics::intrusion). The clearance error's
// source is the part's first input, the one its dialog flags.
void checkSurroundings(const CFile& doc, const physics::Surroundings& around) {
    const AddedInputs& added = doc.added();
    const DesignInput& conductor = designInput(Input::RailWire);
    if (added.value(designInput(Input::RailDia)) > 0 && added.value(conductor) == 0)
        throw ResonexError(conductor.error);
    if (!secondaryCalculated(doc.secondary()))
        return;
    const bool useMetric = doc.settings().UseMetric();
    const physics::Intrusion found =
        physics::intrusion(windingInMetres(doc.secondary(), doc.topLoad(), useMetric),
                           topLoadInMetres(doc.topLoad(), useMetric), around);
    for (const Intruder& intruder : kIntruders)
        if (intruder.part == found)
            throw ResonexError(errors::SurroundingsClearance,
                               QLatin1String(designInput(intruder.blamed).error.source),
                               QLatin1String(errors::SurroundingsClearance.description) +
                                   QStringLiteral(": ") + QLatin1String(intruder.name));
}

// A cone needs its angle; a primary may touch the winding, the top load and
// the floor but not cut into any (the rule the top load keeps). Checked on the
// calculated secondary only.
void checkPrimaryAsBuilt(const CFile& doc) {
    const AddedInputs& added = doc.added();
    const DesignInput& angle = designInput(Input::PriAngle);
    if (added.value(designInput(Input::PriShape)) == float(physics::PrimaryShape::Conical) &&
        added.value(angle) == 0)
        throw ResonexError(angle.error);
    if (!secondaryCalculated(doc.secondary()))
        return;
    const OtherModels from = doc.otherModels();
    const bool useMetric = doc.settings().UseMetric();
    // The secondary calculated, the primary as built stands among them.
    if (physics::primaryCutsIntoCoil(
            *from.around.primary, secondaryTurns(from), topLoadInMetres(doc.topLoad(), useMetric),
            designUnit(useMetric).toMetres(doc.topLoad().BaseHeightValue())))
        throw ResonexError(errors::PrimaryClearance);
    checkSurroundings(doc, from.around);
}

} // namespace

void calculateSecondary(CFile& doc, const Entries& entries) {
    wholeOrNothing(doc, [&] {
        storeEntries(doc, Calculation::Secondary, entries);
        doc.secondary().Calculate(doc.settings().UseMetric());
    });
    calculated(doc, OtherCalculation::Secondary);
}

void calculateTransformer(CFile& doc, const Entries& entries) {
    wholeOrNothing(doc, [&] {
        storeEntries(doc, Calculation::Transformer, entries);
        doc.transformer().CalcCap(doc.settings().Use50Hz());
    });
    calculated(doc, OtherCalculation::Transformer);
}

void calculateTopLoad(CFile& doc, CTopLoad::Shape shape, const Entries& entries) {
    wholeOrNothing(doc, [&] {
        CTopLoad& topLoad = doc.topLoad();
        const CTopLoad before = topLoad;
        const AddedInputs addedBefore = doc.added();
        topLoad.setShape(shape);
        storeEntries(doc, Calculation::TopLoad, entries,
                     [shape](Input input) { return CTopLoad::takes(shape, input); });
        const bool useMetric = doc.settings().UseMetric();
        // A top load or surroundings that cannot be, though each entry could,
        // are not kept.
        try {
            topLoad.checkShape();
            topLoad.checkClearance(doc.secondary(), useMetric);
            checkSurroundings(doc, doc.surroundings());
        } catch (const ResonexError&) {
            topLoad = before;
            doc.added() = addedBefore;
            throw;
        }
    });
    calculated(doc, OtherCalculation::TopLoad);
}

void calculatePower(CFile& doc, const Entries& entries) {
    wholeOrNothing(doc, [&] {
        const AddedInputs before = doc.added();
        const DesignModels models = doc.models();
        const auto stored = [&](Input input) { return keptValue(designInput(input), models); };
        storeEntries(doc, Calculation::Power, entries, [&](Input input) {
            // The gap is stored first, in the table's order.
            return input != Input::Bps || stored(Input::Gap) == double(physics::Gap::Asynchronous);
        });
        // Entries each accepted that cannot stand together are not kept.
        try {
            if (stored(Input::Gap) == double(physics::Gap::Asynchronous) && stored(Input::Bps) == 0)
                throw ResonexError(designInput(Input::Bps).error);
            if ((stored(Input::UnitC) == 0) != (stored(Input::UnitKv) == 0))
                throw ResonexError(
                    designInput(stored(Input::UnitC) == 0 ? Input::UnitC : Input::UnitKv).error);
            const std::optional<physics::Solved<physics::MmcBank>> bank =
                mmcBankOf(doc.added(), doc.settings(), doc.otherModels());
            if (bank && !*bank)
                throw ResonexError(errors::PowerTooManyUnits);
        } catch (const ResonexError&) {
            doc.added() = before;
            throw;
        }
    });
    calculated(doc, OtherCalculation::Power);
}

void mainsFrequencyChanged(CFile& doc) {
    // Out of date even when the capacitor cannot be recalculated.
    doc.primary().setCalcsInvalid(true);
    if (transformerCalculated(doc.transformer()))
        doc.transformer().CalcCap(doc.settings().Use50Hz());
}

bool canUse(const CFile& doc, PrimaryChoice choice) {
    return sourceCalculated(choice, doc.otherModels());
}

PrimaryChoices offeredChoices(const CFile& doc) {
    return clearUncalculated(primaryChoices(doc.settings()), doc.otherModels());
}

QString shownEntry(const CFile& doc, Input input, const PrimaryChoices& choices) {
    return PrimaryInputs(choices, doc.primary(), doc.otherModels()).entry(input);
}

Entries shownEntries(const CFile& doc, const PrimaryChoices& choices) {
    Entries entries = entriesOf(Calculation::Primary, doc.models());
    for (const PrimaryChoiceRow& row : primaryChoiceRows())
        entries[row.fills] = shownEntry(doc, row.fills, choices);
    return entries;
}

void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const Entries& entries,
                      Prompts& prompts) {
    wholeOrNothing(doc, [&] {
        // The entries a choice could fill, the choices, then the others: a
        // rejected dimension leaves the choices stored.
        storeEntries(doc, Calculation::Primary, entries, [&choices](Input input) {
            return choiceCanFill(input) && takesEntry(input, choices);
        });
        setPrimaryChoices(doc.settings(), choices);
        storeEntries(doc, Calculation::Primary, entries,
                     [](Input input) { return !choiceCanFill(input); });
        checkPrimaryAsBuilt(doc);
        // A frequency taken from another calculation is quoted as it stands
        // now: the loaded frequency moves with the primary's own turns.
        const auto frequency = entries.find(Input::Fr);
        doc.primary().Calculate(doc.settings(), doc.otherModels(),
                                frequency != entries.end() && takesEntry(Input::Fr, choices)
                                    ? frequency->second
                                    : shownEntry(doc, Input::Fr, choices),
                                prompts, !classicGeometry(doc.added()));
    });
    doc.setModified(true);
}

} // namespace resonex
