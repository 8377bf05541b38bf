#include "core/model/PrimarySources.h"

#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/model/TopLoadSolution.h"
#include "core/settings/CSettings.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

namespace resonex {

namespace {

// Where a choice of 1 takes an input from: the choice's row, whether the
// calculation has a value to give, the value as the calculation keeps it and
// as the primary uses it, and a value's text as the primary shows it.
struct Source {
    PrimaryChoiceRow row;
    bool (*calculated)(const DesignBasis&);
    float (*kept)(const DesignBasis&);
    float (*used)(const DesignBasis&);
    QString (*text)(float value);
};

const TopLoadResults& topLoadResults(const DesignBasis& from) {
    return from.topLoadSolution.results(from.topLoad, from.secondary, from.useMetric, from.around,
                                        Toroids::Unsized);
}

float matchedCapacitance(const DesignBasis& from) { return from.transformer.C(); }
float tankCapacitance(const DesignBasis& from) { return float(tankCapacitorUsed(from)); }
float quarterWave(const DesignBasis& from) { return from.secondary.QuarWaveFr(); }
float secondaryDiameter(const DesignBasis& from) { return from.secondary.DiaValue(); }
float loadedFrequency(const DesignBasis& from) { return topLoadResults(from).loadedFr; }
// A top load on the calculated secondary whose figures can be given (not one
// that cuts into the winding, say).
bool loadedFrequencyGiven(const DesignBasis& from) {
    return from.topLoad.isSet() && !topLoadResults(from).absent;
}

// The choices in the dialog's order. The first row whose choice is 1 supplies
// its input. A new choice is one more row, and a field of PrimaryChoices.
const Source kSources[] = {
    {.row = {.choice = &PrimaryChoices::usePriC,
             .fills = Input::C,
             .from = Calculation::Transformer,
             .setting = &CSettings::UsePriC,
             .keep = &CSettings::setUsePriC,
             .file = {"CSettings", 6},
             .boxName = "chkUsePriC",
             .caption = "Primary Circuit Capacitor",
             .option = "--use-pri-c",
             .help = "take the capacitance from the primary capacitor calculation",
             .needs = "a calculated transformer capacitance",
             .takes = "the capacitance",
             .takenFrom = "the transformer calculation"},
     .calculated = [](const DesignBasis& from) { return transformerCalculated(from.transformer); },
     .kept = matchedCapacitance,
     .used = matchedCapacitance,
     .text = microfaradsText},
    {.row = {.choice = &PrimaryChoices::useSecFr,
             .fills = Input::Fr,
             .from = Calculation::Secondary,
             .setting = &CSettings::UseSecFr,
             .keep = &CSettings::setUseSecFr,
             .file = {"CSettings", 5},
             .boxName = "chkUseSecFr",
             .caption = "Secondary Coil  Resonant Frequency",
             .option = "--use-sec-fr",
             .help = "take the frequency from the secondary coil calculation",
             .needs = "a calculated secondary coil",
             .takes = "the frequency",
             .takenFrom = "the secondary calculation"},
     .calculated = [](const DesignBasis& from) { return secondaryHasFrequency(from.secondary); },
     .kept = quarterWave,
     .used = quarterWave,
     .text = kilohertzText},
    {.row = {.choice = &PrimaryChoices::useSecDia,
             .fills = Input::SecDia,
             .from = Calculation::Secondary,
             .setting = &CSettings::UseSecDia,
             .keep = &CSettings::setUseSecDia,
             .file = {"CSettings", 4},
             .boxName = "chkUseSecDia",
             .caption = "Secondary Coil Diameter",
             .option = "--use-sec-dia",
             .help = "take the secondary diameter from the secondary coil calculation",
             .needs = "a calculated secondary coil",
             .takes = "the diameter",
             .takenFrom = "the secondary calculation"},
     .calculated = [](const DesignBasis&) { return true; },
     .kept = secondaryDiameter,
     .used = [](const DesignBasis& from) { return text::toSingle(from.secondary.Dia()); },
     .text = [](float value) { return text::format(value, text::Pattern::UpToFourDecimals); }},
    {.row = {.choice = &PrimaryChoices::useTopFr,
             .fills = Input::Fr,
             .from = Calculation::TopLoad,
             .setting = &CSettings::UseTopFr,
             .keep = &CSettings::setUseTopFr,
             .file = {"extension", 1, 1},
             .boxName = "chkUseTopFr",
             .caption = "Secondary Coil with Top Load",
             .option = "--use-top-fr",
             .help = "tune to the secondary's frequency with its top load",
             .needs = "a calculated secondary coil with a top load",
             .takes = "the frequency",
             .takenFrom = "the top load calculation"},
     .calculated = loadedFrequencyGiven,
     .kept = loadedFrequency,
     .used = loadedFrequency,
     .text = kilohertzText},
    {.row = {.choice = &PrimaryChoices::useTankC,
             .fills = Input::C,
             .from = Calculation::Power,
             .setting = &CSettings::UseTankC,
             .keep = &CSettings::setUseTankC,
             .file = {"extension", 24, 4},
             .boxName = "chkUseTankC",
             .caption = "Tank Capacitor of the Power Side",
             .option = "--use-tank-c",
             .help = "take the capacitance from the power side's tank capacitor",
             .needs = "a calculated transformer capacitance",
             .takes = "the capacitance",
             .takenFrom = "the power calculation"},
     .calculated = [](const DesignBasis& from) { return transformerCalculated(from.transformer); },
     .kept = tankCapacitance,
     .used = tankCapacitance,
     .text = microfaradsText},
};

// Where the input comes from: the calculation whose choice for it is 1, or
// none for the primary's own value.
const Source* primarySource(Input input, const PrimaryChoices& choices) {
    for (const Source& source : kSources)
        if (source.row.fills == input && choices.*source.row.choice == 1)
            return &source;
    return nullptr;
}

const Source& sourceOf(PrimaryChoice choice) {
    for (const Source& source : kSources)
        if (source.row.choice == choice)
            return source;
    Q_UNREACHABLE();
}

// The primary's own value of an input, its text and its entry box's text.
struct Own {
    float (CPrimary::*value)() const;
    QString (CPrimary::*text)() const;
    QString (CPrimary::*entry)() const;
};

Own own(Input input) {
    switch (input) {
    case Input::C:
        return {.value = &CPrimary::CValue, .text = &CPrimary::C, .entry = &CPrimary::CEntry};
    case Input::Fr:
        return {.value = &CPrimary::frValue, .text = &CPrimary::fr, .entry = &CPrimary::frEntry};
    case Input::SecDia:
        return {.value = &CPrimary::SecDiaValue,
                .text = &CPrimary::SecDia,
                .entry = &CPrimary::SecDiaEntry};
    default: // no choice fills another
        Q_UNREACHABLE();
    }
}

// A box left empty rather than showing a value of 0.
QString emptyWhenZero(const QString& shown) {
    return text::toSingle(shown) == 0.0f ? QString() : shown;
}

} // namespace

const QList<PrimaryChoiceRow>& primaryChoiceRows() {
    static const QList<PrimaryChoiceRow> rows = [] {
        QList<PrimaryChoiceRow> declared;
        for (const Source& source : kSources)
            declared.append(source.row);
        return declared;
    }();
    return rows;
}

PrimaryChoices primaryChoices(const CSettings& settings) {
    PrimaryChoices choices;
    for (const Source& source : kSources)
        choices.*source.row.choice = (settings.*source.row.setting)();
    return choices;
}

void setPrimaryChoices(CSettings& settings, const PrimaryChoices& choices) {
    for (const Source& source : kSources)
        (settings.*source.row.keep)(choices.*source.row.choice);
}

bool sourceCalculated(PrimaryChoice choice, const DesignBasis& from) {
    return sourceOf(choice).calculated(from);
}

std::optional<float> sourceValue(PrimaryChoice choice, const DesignBasis& from) {
    const Source& source = sourceOf(choice);
    if (!source.calculated(from))
        return std::nullopt;
    return source.kept(from);
}

PrimaryChoices clearUncalculated(PrimaryChoices choices, const DesignBasis& from) {
    for (const Source& source : kSources)
        if (!source.calculated(from))
            choices.*source.row.choice = 0;
    return choices;
}

bool takesFrom(const PrimaryChoices& choices, Calculation calculation, const DesignBasis& from) {
    // The loaded frequency is the secondary's too, and a tank capacitor none
    // entered is the transformer bank's resonant one.
    const auto fedBy = [&](const Source& source) {
        return source.row.from == calculation ||
               (calculation == Calculation::Secondary && source.row.from == Calculation::TopLoad) ||
               (calculation == Calculation::Transformer && source.row.from == Calculation::Power &&
                from.tankCapacitance == 0);
    };
    for (const Source& source : kSources)
        if (fedBy(source) && choices.*source.row.choice == 1)
            return true;
    return false;
}

bool choiceCanFill(Input input) {
    for (const Source& source : kSources)
        if (source.row.fills == input)
            return true;
    return false;
}

bool takesEntry(Input input, const PrimaryChoices& choices) {
    for (const Source& source : kSources)
        if (source.row.fills == input && choices.*source.row.choice != 0)
            return false;
    return true;
}

bool oneChoiceEach(const PrimaryChoices& choices) {
    for (const Source& source : kSources)
        if (choices.*source.row.choice == 1 && primarySource(source.row.fills, choices) != &source)
            return false;
    return true;
}

PrimaryChoices choosing(PrimaryChoices choices, PrimaryChoice choice) {
    const Input input = sourceOf(choice).row.fills;
    for (const Source& source : kSources)
        if (source.row.fills == input)
            choices.*source.row.choice = 0;
    choices.*choice = 1;
    return choices;
}

PrimaryInputs::PrimaryInputs(const PrimaryChoices& choices, const CPrimary& primary,
                             const DesignBasis& from)
    : m_choices(choices), m_primary(primary), m_from(from) {}

float PrimaryInputs::used(Input input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->used(m_from);
    return (m_primary.*own(input).value)();
}

float PrimaryInputs::kept(Input input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->kept(m_from);
    return (m_primary.*own(input).value)();
}

QString PrimaryInputs::text(Input input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->text(source->kept(m_from));
    return (m_primary.*own(input).text)();
}

QString PrimaryInputs::entry(Input input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->text(source->used(m_from));
    return emptyWhenZero((m_primary.*own(input).entry)());
}

bool PrimaryInputs::passesOver(Input input) const {
    if (!takesEntry(input, m_choices))
        return false;
    for (const Source& source : kSources)
        if (source.row.fills == input && source.calculated(m_from))
            return true;
    return false;
}

double tankCapacitorUsed(const DesignBasis& from) {
    return from.tankCapacitance > 0 ? from.tankCapacitance : double(from.transformer.C());
}

} // namespace resonex
