#include "core/results/PowerResultTexts.h"

#include "core/errors/ErrorCodes.h"
#include "core/results/CouplingResultTexts.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"

#include <cmath>
#include <utility>

namespace resonex {

namespace {

// The one place the power side joins a figure to its unit: two decimals in
// the unit scaled to, written straight after the number as the classic
// summary writes "0.0106uF" and "143.24kHz".
QString figure(double value, double perUnit, const char* unit) {
    return text::format(float(value / perUnit), text::Pattern::Fixed) + QLatin1String(unit);
}
QString nanofarads(double farads) { return figure(farads, 1e-9, "nF"); }
QString kilovolts(double volts) { return figure(volts, 1e3, "kV"); }

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

QList<PowerLine> powerResultLines(const PowerResults& results, bool useMetric) {
    QList<PowerLine> lines{
        {QStringLiteral("Spark gap"), gapText(results.gap)},
        {QStringLiteral("Breaks per second"), QString::number(results.breaksPerSecond)},
        {QStringLiteral("Resonant tank capacitor"), nanofarads(results.tank.resonant)},
        {QStringLiteral("Larger than resonant, for a static gap"),
         nanofarads(results.tank.ltrStatic)},
        {QStringLiteral("For a synchronous rotary gap (charged to the peak)"),
         nanofarads(results.tank.ltrSync)},
        {QStringLiteral("Power the bank then delivers (lossless model)"),
         QStringLiteral("%1, %2% of its %3 rating")
             .arg(figure(results.tank.syncWatts, 1, "W"),
                  QString::number(qRound(100 * results.tank.syncWatts / results.ratingVoltAmperes)),
                  figure(results.ratingVoltAmperes, 1, "VA"))},
        {QStringLiteral("Tank capacitor used"),
         nanofarads(results.capacitance) +
             (results.followsResonant ? QStringLiteral(" (resonant)") : QString())},
    };
    if (results.resonantRiskWarning)
        lines.append({QStringLiteral("Warning: a static gap with a capacitor within 10% of "
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
        lines.append({results.tapInUse
                          ? QStringLiteral("Primary peak current at the tap in use")
                          : QStringLiteral("Primary peak current at the inductance the primary "
                                           "needs (no tap reaches it)"),
                      figure(*results.primaryPeakCurrent, 1, "A")});
    if (results.secondaryPeakVoltage)
        lines.append({QStringLiteral("Secondary peak voltage by energy transfer (upper bound: "
                                     "lossless, on the resonating capacitance)"),
                      kilovolts(*results.secondaryPeakVoltage)});
    lines.append({QStringLiteral("Spark length by Freau's rule"),
                  sparkText(results.sparkLength, useMetric) + QStringLiteral(", at the ") +
                      figure(results.ratingVoltAmperes, 1, "VA") +
                      QStringLiteral(" the bank draws (its rating)")});
    if (results.streamerCapacitance)
        lines.append({QStringLiteral("Streamer capacitance (1pF per foot)"),
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
