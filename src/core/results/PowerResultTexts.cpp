#include "core/results/PowerResultTexts.h"

#include "core/errors/ErrorCodes.h"
#include "core/results/CouplingResultTexts.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"

namespace resonex {

namespace {

// The value scaled to its unit, two decimals.
QString figure(double value, double perUnit, const char* unit) {
    return text::format(float(value / perUnit), text::Pattern::Fixed) + u' ' + QLatin1String(unit);
}
QString nanofarads(double farads) { return figure(farads, 1e-9, "nF"); }
QString kilovolts(double volts) { return figure(volts, 1e3, "kV"); }

QString bankText(const physics::MmcArray& array) {
    return QStringLiteral("%1 in series x %2 strings = %3 units, %4")
        .arg(array.series)
        .arg(array.parallel)
        .arg(array.units())
        .arg(nanofarads(array.capacitance));
}

void addBank(QList<PowerLine>& lines, const PowerResults& results) {
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
    lines.append({QStringLiteral("Bank energy at the peak voltage"), figure(mmc->energy, 1, "J")});
    if (results.unitPeakCurrent)
        lines.append({QStringLiteral("Peak current in each unit"),
                      figure(*results.unitPeakCurrent, 1, "A")});
    lines.append({QStringLiteral("Bleed resistor per unit (below 50 V in 5 minutes)"),
                  mmc->bleederOhms ? figure(*mmc->bleederOhms, 1e6, "MOhm") + QStringLiteral(", ") +
                                         figure(mmc->bleederWatts, 1e-3, "mW")
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

QList<PowerLine> powerResultLines(const PowerResults& results, bool useMetric) {
    const LengthUnit unit = designUnit(useMetric);
    QList<PowerLine> lines{
        {QStringLiteral("Spark gap"), gapText(results.gap)},
        {QStringLiteral("Breaks per second"), QString::number(results.breaksPerSecond)},
        {QStringLiteral("Resonant tank capacitor"), nanofarads(results.tank.resonant)},
        {QStringLiteral("Larger than resonant, for a static gap"),
         nanofarads(results.tank.ltrStatic)},
        {QStringLiteral("For a synchronous rotary gap"), nanofarads(results.tank.ltrSync)},
        {QStringLiteral("Tank capacitor used"),
         nanofarads(results.capacitance) +
             (results.followsResonant ? QStringLiteral(" (resonant)") : QString())},
    };
    if (results.resonantRiskWarning)
        lines.append({QStringLiteral("Warning: a static gap with a capacitor within 10 % of "
                                     "resonant; resonant rise can destroy the transformer when "
                                     "the gap does not fire"),
                      {}});
    lines.append({QStringLiteral("Peak voltage"), kilovolts(results.peakVoltage)});
    lines.append({QStringLiteral("Energy per bang"), figure(results.bangs.energy, 1, "J")});
    lines.append({QStringLiteral("Power"),
                  figure(results.bangs.power, 1, "W") +
                      (results.bangs.capped ? QStringLiteral(" (capped at the bank's rating)")
                                            : QString())});
    lines.append({QStringLiteral("Safety gap firing voltage (a quarter above the peak)"),
                  kilovolts(results.safetyGapVoltage)});
    if (results.primaryPeakCurrent)
        lines.append({QStringLiteral("Primary peak current at the tap in use"),
                      figure(*results.primaryPeakCurrent, 1, "A")});
    if (results.secondaryPeakVoltage)
        lines.append({QStringLiteral("Secondary peak voltage by energy transfer (upper bound)"),
                      kilovolts(*results.secondaryPeakVoltage)});
    lines.append({QStringLiteral("Spark length by Freau's rule"),
                  text::format(float(unit.fromMetres(results.sparkLength)), text::Pattern::Fixed) +
                      u' ' + unit.word()});
    if (results.streamerCapacitance)
        lines.append({QStringLiteral("Streamer capacitance (1 pF per foot)"),
                      figure(*results.streamerCapacitance, 1e-12, "pF")});
    if (results.runningHz)
        lines.append({QStringLiteral("Running frequency with the streamer"),
                      figure(*results.runningHz, 1e3, "kHz")});
    if (results.tapForRunning)
        lines.append({QStringLiteral("Primary tap for the running frequency"),
                      *results.tapForRunning
                          ? QStringLiteral("turn ") +
                                text::format(float(**results.tapForRunning), text::Pattern::Fixed)
                          : noCouplingText(results.tapForRunning->why())});
    if (results.mmc)
        addBank(lines, results);
    return lines;
}

} // namespace resonex
