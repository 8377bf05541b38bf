#include "core/results/PowerResultTexts.h"

#include "core/errors/ErrorCodes.h"
#include "core/model/DesignInputs.h"
#include "core/results/CouplingResultTexts.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <utility>

namespace resonex {

namespace {

// A figure in a unit Shown has not (volt-amperes, a prefix chosen by size),
// written as the shown ones are: two decimals, the unit straight after.
QString figure(double value, double perUnit, const char* unit) {
    return fixedIn(value, perUnit) + QLatin1String(unit);
}
QString nanofarads(double farads) { return shownText(Shown::Nanofarads, farads, true); }
QString kilovolts(double volts) { return shownText(Shown::Kilovolts, volts, true); }

// A figure that spans decades (a bleed resistor's ohms, its watts) in the
// largest of G, M, k, none and m that leaves it at least 1.
QString prefixed(double value, const char* unit) {
    static constexpr std::pair<double, const char*> kPrefixes[]{
        {1e9, "G"}, {1e6, "M"}, {1e3, "k"}, {1, ""}, {1e-3, "m"}};
    for (const auto& [factor, prefix] : kPrefixes)
        if (std::abs(value) >= factor || factor == 1e-3)
            return figure(value, factor, (QByteArray(prefix) + unit).constData());
    Q_UNREACHABLE();
}

// A count of things, the word singular for one.
QString counted(int count, const char* word) {
    return QString::number(count) + u' ' + QLatin1String(word) +
           (count == 1 ? QString() : QStringLiteral("s"));
}

QString bankText(const physics::MmcArray& array) {
    return QStringLiteral("%1 in series x %2 = %3, %4")
        .arg(array.series)
        .arg(counted(array.parallel, "string"), counted(array.units(), "unit"),
             nanofarads(array.capacitance));
}

// Freau's rule is a rule of thumb: its length to the nearest 10 mm or half
// inch.
QString sparkText(double metres, bool useMetric) {
    const LengthUnit unit = designUnit(useMetric);
    return text::roundedText(unit.fromMetres(metres), useMetric ? 10 : 0.5) + unit.word();
}

void addBank(QList<FigureLine>& lines, const PowerResults& results) {
    const physics::Solved<physics::MmcBank>& mmc = *results.mmc;
    if (!mmc) {
        lines.append({QLatin1String(errors::PowerTooManyUnits.description), {}});
        return;
    }
    lines.append({QStringLiteral("Capacitor bank offered (nearest the tank capacitor)"),
                  bankText(mmc->offered)});
    lines.append({QStringLiteral("Nearest bank at or below the tank capacitor"),
                  mmc->below ? bankText(*mmc->below) : QStringLiteral("none")});
    lines.append(
        {QStringLiteral("Nearest bank at or above the tank capacitor"), bankText(mmc->above)});
    lines.append({QStringLiteral("Bank voltage rating"), kilovolts(mmc->rating)});
    lines.append({QStringLiteral("Bank energy at the peak voltage"),
                  shownText(Shown::Joules, mmc->energy, true)});
    if (results.unitPeakCurrent)
        lines.append({QStringLiteral("Peak current in each unit"),
                      shownText(Shown::Amperes, *results.unitPeakCurrent, true)});
    lines.append(
        {QStringLiteral("Bleed resistor per unit (below 50V in 5 minutes)"),
         mmc->bleederOhms
             ? QStringLiteral("%1; %2 at the unit's %3 rating, %4 at its %5 working voltage")
                   .arg(prefixed(*mmc->bleederOhms, "Ohm"), prefixed(mmc->bleederWatts, "W"),
                        kilovolts(mmc->rating / mmc->offered.series),
                        prefixed(mmc->bleederWorkingWatts, "W"), kilovolts(mmc->workingVolts))
             : QStringLiteral("none needed")});
}

} // namespace

QString gapText(physics::Gap gap) {
    switch (gap) {
    case physics::Gap::Static:
        return QStringLiteral("static");
    case physics::Gap::Synchronous:
        return QStringLiteral("synchronous rotary");
    case physics::Gap::Asynchronous:
        return QStringLiteral("asynchronous rotary");
    }
    Q_UNREACHABLE();
}

namespace {

using PowerFigure = Figure<PowerResults>;

template <double PowerResults::*Field> std::optional<double> always(const PowerResults& results) {
    return results.*Field;
}
template <std::optional<double> PowerResults::*Field>
std::optional<double> given(const PowerResults& results) {
    return results.*Field;
}

// The figures in the order the summary shows them. Where the JSON has always
// had a figure elsewhere (the breaks per second, the safety gap), the
// summary's line and the JSON's key are two rows.
const PowerFigure kFigures[] = {
    {.label = "Spark gap",
     .jsonKey = "gap",
     .text = [](const PowerResults& results, bool) { return gapText(results.gap); },
     .json =
         [](const PowerResults& results, bool) {
             const DesignInput& gap = designInput(Input::Gap);
             return json::string(QLatin1String(gap.words[qsizetype(results.gap)].word));
         }},
    {.label = "Breaks per second",
     .text = [](const PowerResults& results,
                bool) { return QString::number(results.breaksPerSecond); }},
    {.label = "Resonant tank capacitor",
     .jsonKey = "resonant_capacitance_f",
     .value = [](const PowerResults& results) -> std::optional<double> {
         return results.tank.resonant;
     },
     .shown = Shown::Nanofarads},
    {.label = "Larger than resonant, for a static gap",
     .jsonKey = "ltr_static_capacitance_f",
     .value = [](const PowerResults& results) -> std::optional<double> {
         return results.tank.ltrStatic;
     },
     .shown = Shown::Nanofarads},
    {.label = "For a synchronous rotary gap (charged to the peak)",
     .jsonKey = "ltr_sync_capacitance_f",
     .value = [](const PowerResults& results) -> std::optional<double> {
         return results.tank.ltrSync;
     },
     .shown = Shown::Nanofarads},
    {.label = "Power the bank then delivers (lossless model)",
     .jsonKey = "ltr_sync_power_w",
     .value = [](const PowerResults& results) -> std::optional<double> {
         return results.tank.syncWatts;
     },
     .text =
         [](const PowerResults& results, bool) {
             return QStringLiteral("%1, %2% of its %3 rating")
                 .arg(shownText(Shown::Watts, results.tank.syncWatts, true),
                      QString::number(
                          qRound(100 * results.tank.syncWatts / results.ratingVoltAmperes)),
                      figure(results.ratingVoltAmperes, 1, "VA"));
         }},
    {.label = "Tank capacitor used",
     .jsonKey = "capacitance_f",
     .value = always<&PowerResults::capacitance>,
     .text =
         [](const PowerResults& results, bool) {
             return nanofarads(results.capacitance) +
                    (results.followsResonant ? QStringLiteral(" (resonant)") : QString());
         }},
    {.labelOf =
         [](const PowerResults& results) {
             return results.resonantRiskWarning
                        ? QStringLiteral("Warning: a static gap with a capacitor within 10% of "
                                         "resonant; resonant rise can destroy the transformer "
                                         "when the gap does not fire")
                        : QString();
         }},
    {.label = "Peak voltage",
     .jsonKey = "peak_voltage_v",
     .value = always<&PowerResults::peakVoltage>,
     .shown = Shown::Kilovolts},
    {.label = "Energy per bang",
     .jsonKey = "energy_per_bang_j",
     .value = [](const PowerResults& results) -> std::optional<double> {
         return results.bangs.energy;
     },
     .shown = Shown::Joules},
    {.jsonKey = "bps", .value = always<&PowerResults::breaksPerSecond>},
    {.label = "Power",
     .jsonKey = "power_w",
     .value = [](const PowerResults& results) -> std::optional<double> {
         return results.bangs.power;
     },
     .text =
         [](const PowerResults& results, bool) {
             return shownText(Shown::Watts, results.bangs.power, true) +
                    (results.bangs.capped ? QStringLiteral(" (capped at the bank's rating)")
                                          : QString());
         }},
    {.jsonKey = "power_capped",
     .json = [](const PowerResults& results, bool) { return json::boolean(results.bangs.capped); }},
    {.label = "Safety gap firing voltage (a quarter above the peak)",
     .value = always<&PowerResults::safetyGapVoltage>,
     .shown = Shown::Kilovolts},
    {.jsonKey = "primary_peak_current_a",
     .value = given<&PowerResults::primaryPeakCurrent>,
     .shown = Shown::Amperes,
     .labelOf =
         [](const PowerResults& results) {
             return results.tapInUse ? QStringLiteral("Primary peak current at the tap in use")
                                     : QStringLiteral("Primary peak current at the inductance "
                                                      "the primary needs (no tap reaches it)");
         }},
    {.label = "Secondary peak voltage by energy transfer (upper bound: lossless, on the "
              "resonating capacitance)",
     .jsonKey = "secondary_peak_voltage_v",
     .value = given<&PowerResults::secondaryPeakVoltage>,
     .shown = Shown::Kilovolts},
    {.jsonKey = "safety_gap_v", .value = always<&PowerResults::safetyGapVoltage>},
    {.label = "Spark length by Freau's rule",
     .jsonKey = "spark_length_m",
     .value = always<&PowerResults::sparkLength>,
     .text =
         [](const PowerResults& results, bool useMetric) {
             return sparkText(results.sparkLength, useMetric) + QStringLiteral(", at the ") +
                    figure(results.ratingVoltAmperes, 1, "VA") +
                    QStringLiteral(" the bank draws (its rating)");
         }},
    {.label = "Streamer capacitance (1pF per foot)",
     .jsonKey = "streamer_capacitance_f",
     .value = given<&PowerResults::streamerCapacitance>,
     .shown = Shown::Picofarads},
    {.label = "Running frequency with the streamer",
     .jsonKey = "running_hz",
     .value = given<&PowerResults::runningHz>,
     .shown = Shown::Kilohertz},
    {.label = "Primary tap for the running frequency",
     .jsonKey = "tap_for_running",
     .text =
         [](const PowerResults& results, bool) {
             if (!results.tapForRunning)
                 return QString();
             return *results.tapForRunning
                        ? QStringLiteral("turn ") +
                              text::format(float(**results.tapForRunning), text::Pattern::Fixed)
                        : noCouplingText(results.tapForRunning->why());
         },
     .json =
         [](const PowerResults& results, bool) {
             if (!results.tapForRunning || !*results.tapForRunning)
                 return json::kNull;
             const double turn = **results.tapForRunning;
             return tapJson(int(turn), int(turn) + 1, turn);
         }},
    {.jsonKey = "unit_capacitance_f", .value = given<&PowerResults::unitCapacitance>},
    {.jsonKey = "unit_rating_v", .value = given<&PowerResults::unitRating>},
    {.jsonKey = "safety_factor", .value = always<&PowerResults::safetyFactor>},
};

} // namespace

FigureList<PowerResults> powerFigures() { return figureList(kFigures); }

QList<FigureLine> powerResultLines(const PowerResults& results, bool useMetric) {
    QList<FigureLine> lines = figureLines(powerFigures(), results, useMetric);
    if (results.mmc)
        addBank(lines, results);
    return lines;
}

} // namespace resonex
