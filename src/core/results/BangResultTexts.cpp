#include "core/results/BangResultTexts.h"

#include "core/results/CouplingResultTexts.h"

namespace resonex {

namespace {

using BangFigure = Figure<BangResults>;

template <typename Get> std::optional<double> of(const BangResults& results, Get get) {
    return results.bang ? std::optional<double>(get(results.bang->figures())) : std::nullopt;
}

const std::optional<physics::BangQuench>& quenchOf(const BangResults& results) {
    static const std::optional<physics::BangQuench> kNone;
    return results.bang ? results.bang->figures().quench : kNone;
}

template <typename Get> std::optional<double> atQuench(const BangResults& results, Get get) {
    const std::optional<physics::BangQuench>& quench = quenchOf(results);
    return quench ? std::optional<double>(get(*quench)) : std::nullopt;
}

std::optional<double> completeTransferK(const BangResults& results) {
    return results.bang ? std::optional<double>(results.completeTransferK) : std::nullopt;
}

const BangFigure kFigures[] = {
    {.jsonKey = "absent_reason",
     .labelOf =
         [](const BangResults& results) {
             return results.none ? noBangText(*results.none) : QString();
         },
     .json =
         [](const BangResults& results, bool) {
             return results.none ? json::string(noBangText(*results.none)) : json::kNull;
         }},
    {.input = Input::GapOhms,
     .json = [](const BangResults& results, bool) { return json::siNumber(results.gapOhms); }},
    {.input = Input::StreamerOhms,
     .json =
         [](const BangResults& results, bool) {
             return results.streamerOhms ? json::siNumber(*results.streamerOhms) : json::kNull;
         }},
    // Never quenching: null.
    {.input = Input::Quench,
     .json =
         [](const BangResults& results, bool) {
             return results.quenchNotch ? json::integer(*results.quenchNotch) : json::kNull;
         }},
    {.label = "Primary resistance: the gap's and the conductor's to the tap",
     .jsonKey = "primary_resistance_ohm",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang)
             return std::nullopt;
         return results.circuit.primaryResistance;
     },
     .shown = Shown::Ohms},
    {.label = "Secondary resistance (skin and proximity effect, Medhurst)",
     .jsonKey = "secondary_resistance_ohm",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang)
             return std::nullopt;
         return results.circuit.secondaryResistance;
     },
     .shown = Shown::Ohms},
    {.label = "First notch",
     .jsonKey = "first_notch_s",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang || results.bang->figures().notches.empty())
             return std::nullopt;
         return results.bang->figures().notches.front();
     },
     .shown = Shown::Microseconds},
    {.label = "Gap quenches",
     .jsonKey = "quench_s",
     .value =
         [](const BangResults& results) {
             return atQuench(results, [](const physics::BangQuench& q) { return q.time; });
         },
     .text =
         [](const BangResults& results, bool useMetric) {
             if (!results.bang)
                 return QString();
             if (!results.quenchNotch)
                 return QStringLiteral("never (it conducts throughout)");
             const std::optional<physics::BangQuench>& quench = quenchOf(results);
             if (!quench)
                 return QStringLiteral("not within the span: notch %1 is not reached")
                     .arg(*results.quenchNotch);
             return shownText(Shown::Microseconds, quench->time, useMetric) +
                    QStringLiteral(", at the current's zero after notch %1")
                        .arg(*results.quenchNotch);
         }},
    {.label = "Share of the bang's energy in the secondary at the quench",
     .jsonKey = "secondary_share",
     .value =
         [](const BangResults& results) {
             return atQuench(results,
                             [](const physics::BangQuench& q) { return q.secondaryShare; });
         },
     .shown = Shown::Percent},
    {.label = "Energy left in the primary at the quench (the gap takes it)",
     .jsonKey = "primary_energy_at_quench_j",
     .value =
         [](const BangResults& results) {
             return atQuench(results, [](const physics::BangQuench& q) { return q.primaryJoules; });
         },
     .shown = Shown::Joules},
    {.label = "Peak primary current",
     .jsonKey = "primary_peak_current_a",
     .value =
         [](const BangResults& results) {
             return of(results, [](const physics::BangFigures& f) { return f.primaryPeakAmps; });
         },
     .shown = Shown::Amperes},
    {.label = "Secondary peak voltage, with losses",
     .jsonKey = "secondary_peak_voltage_v",
     .value =
         [](const BangResults& results) {
             return of(results, [](const physics::BangFigures& f) { return f.secondaryPeakVolts; });
         },
     .shown = Shown::Kilovolts,
     .text =
         [](const BangResults& results, bool useMetric) {
             if (!results.bang)
                 return QString();
             QString text =
                 shownText(Shown::Kilovolts, results.bang->figures().secondaryPeakVolts, useMetric);
             if (results.secondaryBoundVolts)
                 text += QStringLiteral(" (lossless bound ") +
                         shownText(Shown::Kilovolts, *results.secondaryBoundVolts, useMetric) +
                         u')';
             return text;
         }},
    {.label = "Secondary ring-down to 1/e",
     .jsonKey = "ring_down_s",
     .value =
         [](const BangResults& results) {
             return of(results, [](const physics::BangFigures& f) { return f.ringDownSeconds; });
         },
     .shown = Shown::Microseconds},
    {.label = "Secondary Q",
     .jsonKey = "secondary_q",
     .value =
         [](const BangResults& results) {
             return of(results, [](const physics::BangFigures& f) { return f.secondaryQ; });
         },
     .shown = Shown::Number},
    {.label = "Nearest coupling that empties the primary at the first notch",
     .jsonKey = "complete_transfer_k",
     .value = completeTransferK,
     .shown = Shown::Coupling},
    {.label = "Height of the inner turn for it",
     .jsonKey = "height_for_complete_transfer_m",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang || !results.heightForCompleteTransfer)
             return std::nullopt;
         return *results.heightForCompleteTransfer;
     },
     .shown = Shown::Length},
    {.labelOf =
         [](const BangResults& results) {
             if (!results.bang || results.heightForCompleteTransfer)
                 return QString();
             return QStringLiteral("No height gives it: ") +
                    noCouplingText(results.heightForCompleteTransfer.why());
         }},
};

} // namespace

QString noBangText(NoBang why) {
    switch (why) {
    case NoBang::TransformerNotCalculated:
        return QStringLiteral("No bang: the transformer bank must be calculated first");
    case NoBang::NoCoupling:
        return QStringLiteral("No bang: the primary and the secondary must be calculated first");
    case NoBang::NoTap:
        return QStringLiteral("No bang: no tap of the primary reaches the frequency");
    case NoBang::NoLoadedFrequency:
        return QStringLiteral("No bang: the coil's field solution has no figures");
    case NoBang::OutOfRange:
        return QStringLiteral("No bang: the circuit is beyond what the simulation covers");
    }
    Q_UNREACHABLE();
}

FigureList<BangResults> bangFigures() { return figureList(kFigures); }

} // namespace resonex
