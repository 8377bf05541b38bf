#include "core/results/BurstResultTexts.h"

#include "core/results/CouplingResultTexts.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace resonex {

namespace {

using BurstFigure = Figure<BurstResults>;

// A figure not yet worked out (0) as none.
std::optional<double> positive(double value) {
    return value > 0 ? std::optional<double>(value) : std::nullopt;
}

const physics::BurstFigures* figuresOf(const BurstResults& results) {
    return results.burst ? &results.burst->figures() : nullptr;
}

template <typename Get> std::optional<double> of(const BurstResults& results, Get get) {
    const physics::BurstFigures* f = figuresOf(results);
    return f ? std::optional<double>(get(*f)) : std::nullopt;
}

// A share of a rating, as "71% of its 4.80kV rating".
QString shareOf(double value, double rating, Shown shown, const char* whose, bool useMetric) {
    return text::format(float(100 * value / rating), text::Pattern::Fixed) +
           QStringLiteral("% of ") + QLatin1String(whose) + u' ' +
           shownText(shown, rating, useMetric);
}

// The RMS of the primary current at the burst rate, over one unit's string.
std::optional<double> unitRms(const BurstResults& results) {
    const physics::BurstFigures* f = figuresOf(results);
    if (!f || !results.burstsPerSecond)
        return std::nullopt;
    return std::sqrt(*results.burstsPerSecond * f->primarySquareIntegral) / results.strings;
}

std::optional<double> netJoules(const BurstResults& results) {
    return of(results,
              [](const physics::BurstFigures& f) { return f.drawnJoules - f.returnedJoules; });
}

const BurstFigure kFigures[] = {
    {.labelOf = [](const BurstResults& results) { return noBurstText(results); }},
    {.input = Input::Bridge,
     .json =
         [](const BurstResults& results, bool) {
             return json::string(
                 QLatin1String(designInput(Input::Bridge).words[results.fullBridge ? 0 : 1].word));
         }},
    {.label = "Bus voltage",
     .jsonKey = "bus_v",
     .value = [](const BurstResults& results) { return positive(results.busVolts); },
     .shown = Shown::Volts},
    {.input = Input::OnTime,
     .json = [](const BurstResults& results, bool) { return json::siNumber(results.onTime); }},
    {.input = Input::Bps,
     .json =
         [](const BurstResults& results, bool) {
             return results.burstsPerSecond ? json::siNumber(*results.burstsPerSecond)
                                            : json::kNull;
         }},
    {.label = "Tank capacitor",
     .jsonKey = "tank_capacitance_f",
     .value = [](const BurstResults& results) { return positive(results.tankCapacitance); },
     .shown = Shown::Nanofarads},
    {.input = Input::TuneRatio,
     .json = [](const BurstResults& results, bool) { return json::siNumber(results.tuneRatio); }},
    {.label = "Primary tank's own frequency (the tuning ratio of the loaded frequency)",
     .jsonKey = "tank_hz",
     .value = [](const BurstResults& results) { return positive(results.tankHz); },
     .shown = Shown::Kilohertz},
    {.label = "Primary tap for it",
     .jsonKey = "tap_turn",
     .value = [](const BurstResults& results) -> std::optional<double> {
         if (!results.tapTurn)
             return std::nullopt;
         return *results.tapTurn;
     },
     .text =
         [](const BurstResults& results, bool) {
             return results.tapTurn
                        ? QStringLiteral("turn ") +
                              text::format(float(*results.tapTurn), text::Pattern::Fixed)
                        : QString();
         }},
    {.label = "Tank impedance sqrt(L/C)",
     .jsonKey = "tank_impedance_ohm",
     .value = [](const BurstResults& results) -> std::optional<double> {
         if (!results.burst)
             return std::nullopt;
         return std::sqrt(results.circuit.coil.primaryInductance /
                          results.circuit.coil.tankCapacitance);
     },
     .shown = Shown::Ohms},
    {.label = "Peak primary current",
     .jsonKey = "primary_peak_current_a",
     .value =
         [](const BurstResults& results) {
             return of(results, [](const physics::BurstFigures& f) { return f.primaryPeakAmps; });
         },
     .shown = Shown::Amperes,
     .text =
         [](const BurstResults& results, bool useMetric) {
             const physics::BurstFigures* f = figuresOf(results);
             if (!f)
                 return QString();
             QString text = shownText(Shown::Amperes, f->primaryPeakAmps, useMetric) +
                            QStringLiteral(" at ") +
                            shownText(Shown::Microseconds, f->primaryPeakTime, useMetric);
             if (results.switchRating)
                 text += QStringLiteral(", ") + shareOf(f->primaryPeakAmps, *results.switchRating,
                                                        Shown::Amperes, "the switches'", useMetric);
             return text;
         }},
    {.jsonKey = "primary_peak_s",
     .value =
         [](const BurstResults& results) {
             return of(results, [](const physics::BurstFigures& f) { return f.primaryPeakTime; });
         }},
    {.label = "The bridge stopped",
     .jsonKey = "stop_s",
     .value =
         [](const BurstResults& results) {
             return of(results, [](const physics::BurstFigures& f) { return f.stopTime; });
         },
     .text =
         [](const BurstResults& results, bool useMetric) {
             const physics::BurstFigures* f = figuresOf(results);
             if (!f)
                 return QString();
             return shownText(Shown::Microseconds, f->stopTime, useMetric) +
                    (f->limited ? QStringLiteral(", at the over-current limit")
                                : QStringLiteral(", at the end of the on-time"));
         }},
    {.jsonKey = "limited",
     .json =
         [](const BurstResults& results, bool) {
             const physics::BurstFigures* f = figuresOf(results);
             return f ? json::boolean(f->limited) : json::kNull;
         }},
    {.label = "Frequency the bridge locks to",
     .jsonKey = "lock_hz",
     .value = [](const BurstResults& results) -> std::optional<double> {
         const physics::BurstFigures* f = figuresOf(results);
         if (!f || f->lockHz <= 0)
             return std::nullopt;
         return f->lockHz;
     },
     .shown = Shown::Kilohertz,
     .text =
         [](const BurstResults& results, bool useMetric) {
             const physics::BurstFigures* f = figuresOf(results);
             if (!f || f->lockHz <= 0)
                 return QString();
             const bool lower = std::abs(f->lockHz - results.lowerModeHz) <=
                                std::abs(f->lockHz - results.upperModeHz);
             return shownText(Shown::Kilohertz, f->lockHz, useMetric) +
                    (lower ? QStringLiteral(", the lower coupled mode (")
                           : QStringLiteral(", the upper coupled mode (")) +
                    shownText(Shown::Kilohertz, lower ? results.lowerModeHz : results.upperModeHz,
                              useMetric) +
                    u')';
         }},
    {.label = "Bank's peak voltage",
     .jsonKey = "tank_peak_voltage_v",
     .value =
         [](const BurstResults& results) {
             return of(results, [](const physics::BurstFigures& f) { return f.tankPeakVolts; });
         },
     .shown = Shown::Kilovolts,
     .text =
         [](const BurstResults& results, bool useMetric) {
             const physics::BurstFigures* f = figuresOf(results);
             if (!f)
                 return QString();
             QString text = shownText(Shown::Kilovolts, f->tankPeakVolts, useMetric);
             if (results.bankRating)
                 text += QStringLiteral(", ") +
                         shareOf(f->tankPeakVolts, *results.bankRating, Shown::Kilovolts, "its",
                                 useMetric) +
                         QStringLiteral(" rating");
             return text;
         }},
    {.jsonKey = "bank_rating_v",
     .value = [](const BurstResults& results) { return results.bankRating; }},
    {.label = "Each unit's peak current",
     .jsonKey = "unit_peak_current_a",
     .value =
         [](const BurstResults& results) {
             return of(results, [&results](const physics::BurstFigures& f) {
                 return f.primaryPeakAmps / results.strings;
             });
         },
     .shown = Shown::Amperes},
    {.label = "Each unit's RMS current at the bursts per second",
     .jsonKey = "unit_rms_current_a",
     .value = unitRms,
     .shown = Shown::Amperes},
    {.label = "Energy drawn from the bus each burst (less what returns)",
     .jsonKey = "bus_energy_j",
     .value = netJoules,
     .shown = Shown::Joules},
    {.label = "Average power from the bus",
     .jsonKey = "average_power_w",
     .value = [](const BurstResults& results) -> std::optional<double> {
         const std::optional<double> joules = netJoules(results);
         if (!joules || !results.burstsPerSecond)
             return std::nullopt;
         return *joules * *results.burstsPerSecond;
     },
     .shown = Shown::Watts},
    {.label = "Secondary peak voltage",
     .jsonKey = "secondary_peak_voltage_v",
     .value =
         [](const BurstResults& results) {
             return of(results,
                       [](const physics::BurstFigures& f) { return f.secondaryPeakVolts; });
         },
     .shown = Shown::Kilovolts},
    {.labelOf =
         [](const BurstResults& results) {
             const physics::BurstFigures* f = figuresOf(results);
             return f && results.switchRating && f->primaryPeakAmps > *results.switchRating
                        ? QStringLiteral("Warning: the peak primary current passes the switches' "
                                         "rating")
                        : QString();
         }},
    {.labelOf =
         [](const BurstResults& results) {
             const physics::BurstFigures* f = figuresOf(results);
             return f && results.bankRating && f->tankPeakVolts > *results.bankRating
                        ? QStringLiteral("Warning: the bank's peak voltage passes its rating")
                        : QString();
         }},
};

} // namespace

QString noBurstText(const BurstResults& results) {
    if (!results.none)
        return {};
    switch (*results.none) {
    case NoBurst::NoCoupling:
        return QStringLiteral("No burst: the primary and the secondary must be calculated first");
    case NoBurst::NoLoadedFrequency:
        return QStringLiteral("No burst: the coil's field solution has no figures");
    case NoBurst::NoBus:
        return QStringLiteral("No burst: enter the bus voltage or the mains it is rectified from");
    case NoBurst::NoTank:
        return QStringLiteral("No burst: enter the bank's units or the tank capacitor");
    case NoBurst::NoTap:
        return QStringLiteral("No burst: no tap of the primary tunes the tank there: ") +
               noCouplingText(results.tapTurn ? physics::Unsolved::OutOfRange
                                              : results.tapTurn.why());
    case NoBurst::OutOfRange:
        return QStringLiteral("No burst: the circuit is beyond what the simulation covers");
    }
    Q_UNREACHABLE();
}

FigureList<BurstResults> burstFigures() { return figureList(kFigures); }

} // namespace resonex
