#include "core/document/DesignCommands.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
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
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace resonex {

namespace {

// What a command may change of a design, to put it back.
class DesignState {
public:
    explicit DesignState(const CFile& doc)
        : m_secondary(doc.secondary()), m_primary(doc.primary()), m_transformer(doc.transformer()),
          m_topLoad(doc.topLoad()), m_added(doc.added()),
          m_choices(primaryChoices(doc.settings())) {}
    void restore(CFile& doc) const {
        doc.secondary() = m_secondary;
        doc.primary() = m_primary;
        doc.transformer() = m_transformer;
        doc.topLoad() = m_topLoad;
        doc.added() = m_added;
        setPrimaryChoices(doc.settings(), m_choices);
    }

private:
    CSecondary m_secondary;
    CPrimary m_primary;
    CTransformer m_transformer;
    CTopLoad m_topLoad;
    AddedInputs m_added;
    PrimaryChoices m_choices;
};

// Whether a rejected entry keeps the entries stored before it (the classic
// dialogs' rule) or the whole command changes nothing.
enum class Rejected { KeepsEarlier, ChangesNothing };

// Runs a command that stores entries and calculates. A failure other than a
// rejected entry (an overflow, a division by zero) puts the design back as it
// was: a calculation either completes or changes nothing.
template <typename Command>
void wholeOrNothing(CFile& doc, Command command, Rejected rejected = Rejected::KeepsEarlier) {
    const DesignState before(doc);
    try {
        command();
    } catch (const ResonexError& error) {
        if (rejected == Rejected::ChangesNothing || !isInputError(error.number()))
            before.restore(doc);
        throw;
    }
}

// What the primary takes from the other calculations, choice by choice: none
// where it takes nothing.
std::vector<std::optional<float>> takenByPrimary(const CFile& doc) {
    const PrimaryChoices choices = primaryChoices(doc.settings());
    const DesignBasis from = doc.results().basis();
    std::vector<std::optional<float>> taken;
    for (const PrimaryChoiceRow& row : primaryChoiceRows())
        taken.push_back(choices.*row.choice == 1 ? sourceValue(row.choice, from) : std::nullopt);
    return taken;
}

// After a calculation: the design has changed, and a primary taking a value
// from it is out of date.
void calculated(CFile& doc, Calculation calculation) {
    doc.setModified(true);
    if (takesFrom(primaryChoices(doc.settings()), calculation, doc.results().basis()))
        doc.primary().setCalcsInvalid(true);
}

// A calculation beyond the classic ones: the primary is out of date only when
// what it takes has moved, so that calculating again with nothing changed
// keeps its results.
template <typename Command>
void calculatedBeyondClassic(CFile& doc, Calculation calculation, Command command) {
    const bool takes =
        takesFrom(primaryChoices(doc.settings()), calculation, doc.results().basis());
    const auto before = takes ? takenByPrimary(doc) : std::vector<std::optional<float>>{};
    wholeOrNothing(doc, command, Rejected::ChangesNothing);
    doc.setModified(true);
    if (takes && takenByPrimary(doc) != before)
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

// The nearest length one way (1 up or out, -1 down or in) from one that does
// not stand clear at which clear holds, in metres: sought in steps as far as
// reach, then halved down to a micrometre. None within reach.
std::optional<double> nearestClear(double from, int way, double step, double reach,
                                   const std::function<bool(double)>& clear) {
    double inside = from;
    for (double length = from + way * step; std::abs(length - from) <= reach;
         length += way * step) {
        if (clear(length)) {
            double outside = length;
            while (std::abs(outside - inside) > 1e-6) {
                const double middle = (inside + outside) / 2;
                (clear(middle) ? outside : inside) = middle;
            }
            return outside;
        }
        inside = length;
    }
    return std::nullopt;
}

// A length found so, as the two decimals of an entry in the design's unit
// that, typed, stand clear: the one on the part's side first, as touching is
// allowed, then away from it, as the float of a decimal may fall a hair short
// of the length found.
std::optional<QString> clearEntryText(double metres, int way, LengthUnit unit,
                                      const std::function<bool(double)>& clear) {
    double hundredths = way * std::floor(way * unit.fromMetres(metres) * 100);
    for (int tries = 0; tries < 4; ++tries, hundredths += way) {
        const QString typed = text::format(float(hundredths / 100), text::Pattern::TwoDecimals);
        if (clear(unit.toMetres(text::toSingle(typed))))
            return typed + unit.word();
    }
    return std::nullopt;
}

// The parts of the surroundings that may not stand clear: how the
// clearance error names each, and the input it blames.
struct Intruder {
    physics::Intrusion part;
    const char* name;
    Input blamed;
    // The blamed input moved outwards, in metres, and what it is then told.
    double& (*length)(physics::Surroundings&);
    const char* clearsAt; // "widen it to %1 or more"
};
constexpr Intruder kIntruders[] = {
    {physics::Intrusion::Rail, "the strike rail", Input::RailDia,
     [](physics::Surroundings& around) -> double& { return around.rail->diameter; },
     "widen it to %1 or more"},
    {physics::Intrusion::Ceiling, "the ceiling", Input::Ceiling,
     [](physics::Surroundings& around) -> double& { return around.ceiling; },
     "raise it to %1 or higher"},
    {physics::Intrusion::Walls, "the walls", Input::Walls,
     [](physics::Surroundings& around) -> double& { return around.walls; },
     "move them out to %1 or more"},
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
    const physics::Winding winding = windingInMetres(doc.secondary(), doc.topLoad(), useMetric);
    const physics::TopLoad top = topLoadInMetres(doc.topLoad(), useMetric);
    const physics::Intrusion found = physics::intrusion(winding, top, around);
    for (const Intruder& intruder : kIntruders) {
        if (intruder.part != found)
            continue;
        // The part stands clear once moved out far enough, if within a
        // room's reach; another part still in the way is that part's refusal.
        const auto clear = [&](double length) {
            physics::Surroundings moved = around;
            intruder.length(moved) = length;
            return physics::intrusion(winding, top, moved) != intruder.part;
        };
        physics::Surroundings moved = around;
        constexpr double kStep = 2e-3;
        constexpr double kRoom = 20;
        const std::optional<double> out =
            nearestClear(intruder.length(moved), 1, kStep, kRoom, clear);
        const std::optional<QString> typed =
            out ? clearEntryText(*out, 1, designUnit(useMetric), clear) : std::nullopt;
        throw ResonexError(
            errors::SurroundingsClearance, QLatin1String(designInput(intruder.blamed).error.source),
            QLatin1String(errors::SurroundingsClearance.description) + QStringLiteral(": ") +
                QLatin1String(intruder.name) +
                (typed ? QStringLiteral("; ") + QString::fromLatin1(intruder.clearsAt).arg(*typed)
                       : QString()));
    }
}

// Where the primary as built may stand: touching the winding, the top load
// and the floor but cutting into none (the rule the top load keeps).
class PrimaryClearance {
public:
    PrimaryClearance(const CFile& doc, const DesignBasis& from)
        : m_unit(designUnit(doc.settings().UseMetric())), m_turns(*from.around.primary),
          m_secondary(secondaryTurns(from)),
          m_top(topLoadInMetres(doc.topLoad(), doc.settings().UseMetric())),
          m_floor(m_unit.toMetres(doc.topLoad().BaseHeightValue())),
          m_entered(doc.added().value(designInput(Input::PriHeight))) {}

    // Refuses a primary that cuts into any, naming the part and the entry
    // that clears it.
    void check() const {
        const double height = m_turns.innerHeight;
        if (!cuts(height, m_top, m_floor))
            return;
        const QString unit = m_unit.word();
        const QString entered = text::format(m_entered, text::Pattern::TwoDecimals) + unit;
        // Not the winding: the inner turn stands out of it by the separation,
        // which is more than 0, and the others further. The top load is
        // cleared by lowering the primary, the floor by raising it, when some
        // height does.
        const bool topLoad = cuts(height, m_top, kNoFloor);
        const std::optional<QString> clear = clearEntry(topLoad ? -1 : 1);
        const QString part =
            topLoad ? QStringLiteral("into the top load") : QStringLiteral("below the floor");
        throw ResonexError::detailed(
            errors::PrimaryClearance,
            clear ? QStringLiteral(": it reaches %1; %2 its inner turn from %3 to %4 or %5")
                        .arg(part, topLoad ? QStringLiteral("lower") : QStringLiteral("raise"),
                             entered, *clear,
                             topLoad ? QStringLiteral("lower") : QStringLiteral("higher"))
                  : QStringLiteral(": it reaches %1, and no height of its inner turn clears "
                                   "everything")
                        .arg(part));
    }

private:
    static constexpr double kNoFloor = std::numeric_limits<double>::infinity();

    bool cuts(double innerHeight, const physics::TopLoad& top, double floor) const {
        physics::PrimaryTurns moved = m_turns;
        moved.innerHeight = innerHeight;
        return physics::primaryCutsIntoCoil(moved, m_secondary, top, floor);
    }
    bool clearAt(double innerHeight) const { return !cuts(innerHeight, m_top, m_floor); }

    // The entry nearest the one typed, one way (1 up, -1 down), at which the
    // primary stands clear of everything, sought in steps of half the
    // conductor as far as the floor and the coil's top and beyond.
    std::optional<QString> clearEntry(int way) const {
        const auto clear = [this](double height) { return clearAt(height); };
        const double reach = std::abs(m_turns.innerHeight) +
                             2 * (m_secondary.height + m_floor + m_top.majorDiameter) + 1;
        const std::optional<double> height = nearestClear(
            m_turns.innerHeight, way, std::max(m_turns.conductorDiameter / 2, 1e-3), reach, clear);
        return height ? clearEntryText(*height, way, m_unit, clear) : std::nullopt;
    }

    LengthUnit m_unit;
    physics::PrimaryTurns m_turns;
    physics::SecondaryTurns m_secondary;
    physics::TopLoad m_top;
    double m_floor;
    float m_entered;
};

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
    const DesignBasis from = doc.results().basis();
    // The secondary calculated, the primary as built stands among them.
    const PrimaryClearance clearance(doc, from);
    clearance.check();
    checkSurroundings(doc, from.around);
}

} // namespace

void calculateSecondary(CFile& doc, const Entries& entries) {
    wholeOrNothing(doc, [&] {
        storeEntries(doc, Calculation::Secondary, entries);
        doc.secondary().Calculate(doc.settings().UseMetric());
    });
    calculated(doc, Calculation::Secondary);
}

void calculateTransformer(CFile& doc, const Entries& entries) {
    wholeOrNothing(doc, [&] {
        storeEntries(doc, Calculation::Transformer, entries);
        doc.transformer().CalcCap(doc.settings().Use50Hz());
    });
    calculated(doc, Calculation::Transformer);
}

void calculateTopLoad(CFile& doc, CTopLoad::Shape shape, const Entries& entries) {
    calculatedBeyondClassic(doc, Calculation::TopLoad, [&] {
        CTopLoad& topLoad = doc.topLoad();
        topLoad.setShape(shape);
        storeEntries(doc, Calculation::TopLoad, entries,
                     [shape](Input input) { return CTopLoad::takes(shape, input); });
        // A top load or surroundings that cannot be, though each entry could,
        // are not kept either.
        topLoad.checkShape();
        topLoad.checkClearance(doc.secondary(), doc.settings().UseMetric());
        checkSurroundings(doc, doc.results().surroundings());
    });
}

void calculatePower(CFile& doc, const Entries& entries) {
    calculatedBeyondClassic(doc, Calculation::Power, [&] {
        const DesignModels models = doc.models();
        const auto stored = [&](Input input) { return keptValue(designInput(input), models); };
        // The breaks (or bursts) per second are an asynchronous gap's or a
        // bridge's alone: stored once the gap and the driver are.
        const auto takesBps = [&] {
            return stored(Input::Gap) == double(physics::Gap::Asynchronous) ||
                   stored(Input::Driver) == double(Driver::Bridge);
        };
        storeEntries(doc, Calculation::Power, entries,
                     [](Input input) { return input != Input::Bps; });
        storeEntries(doc, Calculation::Power, entries,
                     [&](Input input) { return input == Input::Bps && takesBps(); });
        // Entries each accepted that cannot stand together are not kept
        // either. A rating without its unit is no bank: the unit's box can be
        // emptied alone.
        if (stored(Input::Gap) == double(physics::Gap::Asynchronous) && stored(Input::Bps) == 0)
            throw ResonexError(designInput(Input::Bps).error);
        if (stored(Input::UnitC) != 0 && stored(Input::UnitKv) == 0)
            throw ResonexError(designInput(Input::UnitKv).error);
        const std::optional<physics::Solved<physics::MmcBank>> bank =
            mmcBankOf(doc.added(), doc.settings(), doc.results().basis());
        // Blamed on the unit's capacitance, the box to change first.
        if (bank && !*bank)
            throw ResonexError(errors::PowerTooManyUnits,
                               QLatin1String(designInput(Input::UnitC).error.source),
                               QLatin1String(errors::PowerTooManyUnits.description));
    });
}

void mainsFrequencyChanged(CFile& doc) {
    // Out of date even when the capacitor cannot be recalculated.
    doc.primary().setCalcsInvalid(true);
    if (transformerCalculated(doc.transformer()))
        doc.transformer().CalcCap(doc.settings().Use50Hz());
}

bool canUse(const CFile& doc, PrimaryChoice choice) {
    return sourceCalculated(choice, doc.results().basis());
}

PrimaryChoices offeredChoices(const CFile& doc) {
    return clearUncalculated(primaryChoices(doc.settings()), doc.results().basis());
}

QString shownEntry(const CFile& doc, Input input, const PrimaryChoices& choices) {
    return PrimaryInputs(choices, doc.primary(), doc.results().basis()).entry(input);
}

Entries shownEntries(const CFile& doc, const PrimaryChoices& choices) {
    Entries entries = entriesOf(Calculation::Primary, doc.models());
    for (const PrimaryChoiceRow& row : primaryChoiceRows())
        entries[row.fills] = shownEntry(doc, row.fills, choices);
    return entries;
}

void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const Entries& entries,
                      Prompts& prompts) {
    const DesignState atStart(doc);
    wholeOrNothing(doc, [&] {
        // The entries a choice could fill, the choices, then the others: a
        // rejected dimension leaves the choices stored.
        storeEntries(doc, Calculation::Primary, entries, [&choices](Input input) {
            return choiceCanFill(input) && takesEntry(input, choices);
        });
        setPrimaryChoices(doc.settings(), choices);
        storeEntries(doc, Calculation::Primary, entries, [](Input input) {
            return !choiceCanFill(input) && !designInput(input).added();
        });
        // The primary as built stands or falls whole: a refusal there puts
        // the design back as it was before the command, the classic entries
        // and the choices included, so that nothing of a refused attempt is
        // kept or saved.
        try {
            storeEntries(doc, Calculation::Primary, entries,
                         [](Input input) { return designInput(input).added(); });
            checkPrimaryAsBuilt(doc);
        } catch (const ResonexError&) {
            atStart.restore(doc);
            throw;
        }
        // A frequency taken from another calculation is quoted as it stands
        // now: the loaded frequency moves with the primary's own turns.
        const auto frequency = entries.find(Input::Fr);
        doc.primary().Calculate(doc.settings(), doc.results().basis(),
                                frequency != entries.end() && takesEntry(Input::Fr, choices)
                                    ? frequency->second
                                    : shownEntry(doc, Input::Fr, choices),
                                prompts, !classicGeometry(doc.added()));
    });
    doc.setModified(true);
}

} // namespace resonex
