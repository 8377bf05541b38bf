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

// Where a choice of 1 takes an input from.
struct Source {
    PrimaryChoice choice;
    PrimaryInput input;
    OtherCalculation calculation;
    // Whether the calculation has a value to give.
    bool (*calculated)(const OtherModels&);
    // The value as the calculation keeps it, and as the primary uses it.
    float (*kept)(const OtherModels&);
    float (*used)(const OtherModels&);
    // A value's text, as the primary shows it.
    QString (*text)(float value);
};

const TopLoadResults& topLoadResults(const OtherModels& from) {
    return from.topLoadSolution.results(from.topLoad, from.secondary, from.useMetric);
}

float matchedCapacitance(const OtherModels& from) { return from.transformer.C(); }
float quarterWave(const OtherModels& from) { return from.secondary.QuarWaveFr(); }
float secondaryDiameter(const OtherModels& from) { return from.secondary.DiaValue(); }
float loadedFrequency(const OtherModels& from) { return topLoadResults(from).loadedFr; }
// A top load on the calculated secondary whose figures can be given (not one
// that cuts into the winding, say).
bool loadedFrequencyGiven(const OtherModels& from) {
    return from.topLoad.isSet() && !topLoadResults(from).absent;
}

// The first row whose choice is 1 supplies its input. A new choice is one more
// row, and a field of PrimaryChoices.
const Source kSources[] = {
    {&PrimaryChoices::useSecDia, PrimaryInput::SecondaryDiameter, OtherCalculation::Secondary,
     [](const OtherModels&) { return true; }, secondaryDiameter,
     [](const OtherModels& from) { return text::toSingle(from.secondary.Dia()); },
     [](float value) { return text::format(value, text::Pattern::UpToFourDecimals); }},
    {&PrimaryChoices::useSecFr, PrimaryInput::Frequency, OtherCalculation::Secondary,
     [](const OtherModels& from) { return secondaryHasFrequency(from.secondary); }, quarterWave,
     quarterWave, kilohertzText},
    {&PrimaryChoices::usePriC, PrimaryInput::Capacitance, OtherCalculation::Transformer,
     [](const OtherModels& from) { return transformerCalculated(from.transformer); },
     matchedCapacitance, matchedCapacitance, microfaradsText},
    {&PrimaryChoices::useTopFr, PrimaryInput::Frequency, OtherCalculation::TopLoad,
     loadedFrequencyGiven, loadedFrequency, loadedFrequency, kilohertzText},
};

// Where the input comes from: the calculation whose choice for it is 1, or
// none for the primary's own value.
const Source* primarySource(PrimaryInput input, const PrimaryChoices& choices) {
    for (const Source& source : kSources)
        if (source.input == input && choices.*source.choice == 1)
            return &source;
    return nullptr;
}

const Source& sourceOf(PrimaryChoice choice) {
    for (const Source& source : kSources)
        if (source.choice == choice)
            return source;
    Q_UNREACHABLE();
}

// The primary's own value of an input, its text and its entry box's text.
struct Own {
    float (CPrimary::*value)() const;
    QString (CPrimary::*text)() const;
    QString (CPrimary::*entry)() const;
};

Own own(PrimaryInput input) {
    switch (input) {
    case PrimaryInput::Capacitance:
        return {&CPrimary::CValue, &CPrimary::C, &CPrimary::CEntry};
    case PrimaryInput::Frequency:
        return {&CPrimary::frValue, &CPrimary::fr, &CPrimary::frEntry};
    case PrimaryInput::SecondaryDiameter:
        return {&CPrimary::SecDiaValue, &CPrimary::SecDia, &CPrimary::SecDiaEntry};
    }
    Q_UNREACHABLE();
}

// A box left empty rather than showing a value of 0.
QString emptyWhenZero(const QString& shown) {
    return text::toSingle(shown) == 0.0f ? QString() : shown;
}

} // namespace

PrimaryChoices primaryChoices(const CSettings& settings) {
    return {settings.UsePriC(), settings.UseSecFr(), settings.UseSecDia(), settings.UseTopFr()};
}

void setPrimaryChoices(CSettings& settings, const PrimaryChoices& choices) {
    settings.setUsePriC(choices.usePriC);
    settings.setUseSecFr(choices.useSecFr);
    settings.setUseSecDia(choices.useSecDia);
    settings.setUseTopFr(choices.useTopFr);
}

bool sourceCalculated(PrimaryChoice choice, const OtherModels& from) {
    return sourceOf(choice).calculated(from);
}

std::optional<float> sourceValue(PrimaryChoice choice, const OtherModels& from) {
    const Source& source = sourceOf(choice);
    if (!source.calculated(from))
        return std::nullopt;
    return source.kept(from);
}

PrimaryChoices clearUncalculated(PrimaryChoices choices, const OtherModels& from) {
    for (const Source& source : kSources)
        if (!source.calculated(from))
            choices.*source.choice = 0;
    return choices;
}

bool takesFrom(const PrimaryChoices& choices, OtherCalculation calculation) {
    // The loaded frequency is the secondary's too.
    const auto fedBy = [calculation](const Source& source) {
        return source.calculation == calculation ||
               (calculation == OtherCalculation::Secondary &&
                source.calculation == OtherCalculation::TopLoad);
    };
    for (const Source& source : kSources)
        if (fedBy(source) && choices.*source.choice == 1)
            return true;
    return false;
}

bool takesEntry(PrimaryInput input, const PrimaryChoices& choices) {
    for (const Source& source : kSources)
        if (source.input == input && choices.*source.choice != 0)
            return false;
    return true;
}

PrimaryInputs::PrimaryInputs(const PrimaryChoices& choices, const CPrimary& primary,
                             const OtherModels& from)
    : m_choices(choices), m_primary(primary), m_from(from) {}

float PrimaryInputs::used(PrimaryInput input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->used(m_from);
    return (m_primary.*own(input).value)();
}

float PrimaryInputs::kept(PrimaryInput input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->kept(m_from);
    return (m_primary.*own(input).value)();
}

QString PrimaryInputs::text(PrimaryInput input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->text(source->kept(m_from));
    return (m_primary.*own(input).text)();
}

QString PrimaryInputs::entry(PrimaryInput input) const {
    if (const Source* source = primarySource(input, m_choices))
        return source->text(source->used(m_from));
    return emptyWhenZero((m_primary.*own(input).entry)());
}

bool PrimaryInputs::passesOver(PrimaryInput input) const {
    if (!takesEntry(input, m_choices))
        return false;
    for (const Source& source : kSources)
        if (source.input == input && source.calculated(m_from))
            return true;
    return false;
}

} // namespace resonex
