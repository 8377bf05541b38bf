#include "cli/JsonDesign.h"

#include "cli/CliOptions.h"
#include "core/encoding/JsonText.h"

#include "core/document/CFile.h"
#include "core/document/DesignCommands.h"
#include "core/document/DesignResults.h"
#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/model/PrimarySources.h"
#include "core/model/SurroundingsInputs.h"
#include "core/model/TuningCurve.h"
#include "core/results/BangResultTexts.h"
#include "core/results/BangResults.h"
#include "core/results/BurstResultTexts.h"
#include "core/results/CouplingResultTexts.h"
#include "core/results/CouplingResults.h"
#include "core/results/PowerResultTexts.h"
#include "core/results/PowerResults.h"
#include "core/results/TopLoadResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/text/LengthUnit.h"

namespace resonex::cli {

namespace {

// The stored length's SI value, rounded once.
QByteArray si(float stored, const LengthUnit& unit) {
    return json::siNumber(unit.toMetres(stored));
}

// An input's value in SI units: a count as a whole number.
QByteArray inputNumber(const DesignInput& input, double kept, bool metric) {
    return input.quantity == Quantity::Count ? json::integer(qint16(kept))
                                             : json::siNumber(siValue(input, kept, metric));
}

// An input's value in SI units under its key: a count as a whole number.
void addInput(json::Object& object, const DesignInput& input, double kept, bool metric) {
    object.add(input.jsonKey, inputNumber(input, kept, metric));
}

// The calculation's classic inputs as kept, in the table's order (the added
// ones have objects of their own).
json::Object inputsJson(const CFile& doc, Calculation calculation) {
    json::Object object;
    const bool metric = doc.settings().UseMetric();
    for (const DesignInput* input : inputsOf(calculation))
        if (!input->added())
            addInput(object, *input, keptValue(*input, doc.models()), metric);
    return object;
}

QByteArray secondaryJson(const CFile& doc) {
    const CSecondary& secondary = doc.secondary();
    if (!secondaryCalculated(secondary))
        return json::kNull;
    const bool metric = doc.settings().UseMetric();
    return inputsJson(doc, Calculation::Secondary)
        .add("turns", json::count(secondary.Turns()))
        .add("wire_length_m", si(secondary.WireLength(), wireUnit(metric)))
        .add("inductance_h", json::number(secondary.L()))
        .add("resonance_hz", json::number(secondary.NatFr()))
        .add("quarter_wave_hz", json::number(secondary.QuarWaveFr()))
        .add("self_capacitance_f", json::number(secondary.SelfC()))
        .add("toroid_capacitance_f", json::number(secondary.TorC()))
        .add("aspect_ratio", json::number(secondary.AspectRatio()))
        .text();
}

QByteArray transformerJson(const CFile& doc) {
    const CTransformer& transformer = doc.transformer();
    if (!transformerCalculated(transformer))
        return json::kNull;
    return inputsJson(doc, Calculation::Transformer)
        .add("capacitance_f", json::number(transformer.C()))
        .text();
}

QByteArray turnsJson(const CPrimary& primary) {
    QList<QByteArray> turns;
    for (const TurnInductance& turn : primary.listing().turns)
        turns.append(json::Object()
                         .add("turn", json::integer(turn.turn))
                         .add("inductance_h", json::number(turn.henries))
                         .text());
    return json::array(turns);
}

QByteArray primaryTapJson(const CFile& doc) {
    const CPrimary& primary = doc.primary();
    const std::optional<Tap>& found = primary.listing().tap;
    if (!found)
        return json::kNull;
    return tapJson(found->afterTurn, found->beforeTurn,
                   tuningCurve(primary, doc.settings(), doc.results().basis()).crossingTurn);
}

QByteArray primaryJson(const CFile& doc) {
    const CPrimary& primary = doc.primary();
    // A listing calculated once and out of date since (the mains, or a value
    // taken from another calculation, changed) is still given, flagged, where
    // the summary leaves the primary out until it is calculated again.
    if (!primaryCalculated(primary) && primary.LPerTurn().isEmpty())
        return json::kNull;
    // The values the summary shows: taken from the other calculations where
    // the design's choices say so.
    const CSettings& settings = doc.settings();
    const PrimaryChoices choices = primaryChoices(settings);
    const PrimaryInputs inputs(choices, primary, doc.results().basis());
    json::Object object;
    for (const DesignInput* input : inputsOf(Calculation::Primary))
        if (!input->added())
            addInput(object, *input,
                     takesEntry(input->input, choices) ? keptValue(*input, doc.models())
                                                       : double(inputs.kept(input->input)),
                     settings.UseMetric());
    return object.add("out_of_date", json::boolean(primary.CalcsInvalid()))
        .add("turns", turnsJson(primary))
        .add("tap", primaryTapJson(doc))
        .text();
}

// Why the figures on the coil are null, or null while they are given.
QByteArray absentReasonJson(const TopLoadResults& results) {
    return results.absent ? json::string(noFiguresText(*results.absent)) : json::kNull;
}

// The figures on the coil are null while they are absent (until the
// secondary they sit on is calculated, say), and absent_reason says why.
QByteArray topLoadJson(const CFile& doc) {
    const CTopLoad& topLoad = doc.topLoad();
    if (!topLoad.isSet())
        return json::kNull;
    const bool metric = doc.settings().UseMetric();
    const TopLoadResults& results = doc.results().topLoad();
    json::Object object;
    object.add("shape", json::string(QLatin1String(shapeChoice(topLoad.shape()).word)));
    // The top load's size; where it stands and the target come below.
    for (const Input size : {Input::TopDia, Input::TubeDia, Input::TopHeight}) {
        const DesignInput& input = designInput(size);
        if (CTopLoad::takes(topLoad.shape(), size))
            addInput(object, input, keptValue(input, doc.models()), metric);
        else
            object.add(input.jsonKey, json::kNull);
    }
    return addFigures(object, topLoadFigures(), results, metric)
        .add("absent_reason", absentReasonJson(results))
        .text();
}

// The strike rail and the room entered, each part null while there is none;
// null without any.
QByteArray surroundingsJson(const CFile& doc) {
    const bool metric = doc.settings().UseMetric();
    const physics::Surroundings around = surroundingsOf(doc.models(), metric);
    if (around.empty())
        return json::kNull;
    json::Object object;
    const auto add = [&](Input input, bool there) {
        const DesignInput& row = designInput(input);
        object.add(row.jsonKey,
                   there ? inputNumber(row, keptValue(row, doc.models()), metric) : json::kNull);
    };
    for (const Input rail : {Input::RailDia, Input::RailWire, Input::RailHeight})
        add(rail, around.rail.has_value());
    add(Input::Ceiling, around.ceiling > 0);
    add(Input::Walls, around.walls > 0);
    return object.text();
}

// The coil's own figures need no toroid sized: a design without a top load
// shows none.
QByteArray resonanceJson(const CFile& doc) {
    if (!secondaryCalculated(doc.secondary()))
        return json::kNull;
    const bool metric = doc.settings().UseMetric();
    const CTopLoad& topLoad = doc.topLoad();
    const TopLoadResults& results = doc.results().topLoad(Toroids::Unsized);
    json::Object object;
    object.add(designInput(Input::BaseHeight).jsonKey,
               si(topLoad.BaseHeightValue(), designUnit(metric)));
    return addFigures(object, topLoadFigures(), results, metric, kResonanceObject)
        .add("primary_in_field", json::boolean(results.primaryInField))
        .add("absent_reason", absentReasonJson(results))
        .text();
}

// The primary as built and its coupling, whenever the primary and the
// secondary are calculated.
QByteArray couplingJson(const CFile& doc) {
    const std::optional<CouplingResults>& coupling = doc.results().coupling();
    if (!coupling)
        return json::kNull;
    json::Object object;
    const bool metric = doc.settings().UseMetric();
    for (const DesignInput* input : inputsOf(Calculation::Primary))
        if (input->added() && input->input != Input::TargetK)
            object.add(input->jsonKey,
                       input->quantity == Quantity::Choice
                           ? json::string(entryOf(*input, doc.models()))
                           : inputNumber(*input, keptValue(*input, doc.models()), metric));
    return addFigures(object, couplingFigures(), *coupling, metric).text();
}

QByteArray mmcArrayJson(const physics::MmcArray& array) {
    return json::Object()
        .add("series", json::integer(array.series))
        .add("parallel", json::integer(array.parallel))
        .add("capacitance_f", json::siNumber(array.capacitance))
        .text();
}

QByteArray mmcJson(const PowerResults& power) {
    if (!power.mmc || !*power.mmc)
        return json::kNull;
    const physics::MmcBank& bank = **power.mmc;
    const auto figure = [](double value) { return json::siNumber(value); };
    return json::Object()
        .add("series", json::integer(bank.offered.series))
        .add("parallel", json::integer(bank.offered.parallel))
        .add("units", json::integer(bank.offered.units()))
        .add("capacitance_f", figure(bank.offered.capacitance))
        .add("rating_v", figure(bank.rating))
        .add("energy_j", figure(bank.energy))
        .add("unit_peak_current_a",
             power.unitPeakCurrent ? figure(*power.unitPeakCurrent) : json::kNull)
        .add("bleeder_ohm", bank.bleederOhms ? figure(*bank.bleederOhms) : json::kNull)
        .add("bleeder_w", bank.bleederOhms ? figure(bank.bleederWatts) : json::kNull)
        .add("bleeder_working_w", bank.bleederOhms ? figure(bank.bleederWorkingWatts) : json::kNull)
        .add("below", bank.below ? mmcArrayJson(*bank.below) : json::kNull)
        .add("above", mmcArrayJson(bank.above))
        .text();
}

// Present once the transformer bank is calculated, each figure null until
// what it needs is calculated too.
QByteArray powerJson(const CFile& doc) {
    const std::optional<PowerResults> power = doc.results().power();
    if (!power)
        return json::kNull;
    json::Object object;
    return addFigures(object, powerFigures(), *power, doc.settings().UseMetric())
        .add("mmc", mmcJson(*power))
        .text();
}

// The bang: null until the transformer, the primary and the secondary are
// calculated; then its figures, null and absent_reason saying why while there
// is no bang (no tap reaches the frequency, say).
QByteArray bangJson(const CFile& doc) {
    const BangResults& bang = doc.results().bang();
    if (bang.none == NoBang::TransformerNotCalculated || bang.none == NoBang::NoCoupling)
        return json::kNull;
    json::Object object;
    return addFigures(object, bangFigures(), bang, doc.settings().UseMetric()).text();
}

// The burst: null unless a bridge drives the primary and the design can be
// simulated (the summary says why not).
QByteArray burstJson(const CFile& doc) {
    if (!drivenByBridge(doc.added()))
        return json::kNull;
    const BurstResults& burst = doc.results().burst();
    if (!burst.burst)
        return json::kNull;
    json::Object object;
    return addFigures(object, burstFigures(), burst, doc.settings().UseMetric()).text();
}

} // namespace

QByteArray designJson(const CFile& doc) {
    const CSettings& settings = doc.settings();
    // A design that was neither opened nor is being saved has no file.
    const QByteArray file = doc.FileName().isEmpty() ? json::kNull : json::string(doc.FileTitle());
    json::Object design;
    design.add("file", file)
        .add("units", json::string(designUnit(settings.UseMetric()).word()))
        .add("mains_hz", json::integer(CTransformer::mainsFrequency(settings.Use50Hz())))
        .add("secondary", secondaryJson(doc))
        .add("transformer", transformerJson(doc))
        .add("primary", primaryJson(doc))
        .add("top_load", topLoadJson(doc))
        .add("surroundings", surroundingsJson(doc))
        .add("resonance", resonanceJson(doc))
        .add("coupling", couplingJson(doc))
        .add("power", powerJson(doc))
        .add("bang", bangJson(doc))
        .add("burst", burstJson(doc));
    return design.text() + '\n';
}

} // namespace resonex::cli
