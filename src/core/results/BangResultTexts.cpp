#include "core/results/BangResultTexts.h"

#include "core/text/NumberText.h"

namespace resonex {

namespace {

using BangFigure = Figure<BangResults>;

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

template <typename Get> std::optional<double> of(const BangResults& results, Get get) {
    return results.bang ? std::optional<double>(get(results.bang->figures())) : std::nullopt;
}

QString microseconds(double seconds) {
    return text::format(float(seconds * 1e6), text::Pattern::Fixed) + QStringLiteral("us");
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
    {.label = "First notch",
     .jsonKey = "first_notch_s",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang || results.bang->figures().notches.empty())
             return std::nullopt;
         return results.bang->figures().notches.front();
     },
     .text =
         [](const BangResults& results, bool) {
             if (!results.bang || results.bang->figures().notches.empty())
                 return QString();
             return microseconds(results.bang->figures().notches.front());
         }},
    {.label = "Gap quenches",
     .jsonKey = "quench_s",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang || !results.bang->figures().quench)
             return std::nullopt;
         return results.bang->figures().quench->time;
     },
     .text =
         [](const BangResults& results, bool) {
             if (!results.bang)
                 return QString();
             const auto& quench = results.bang->figures().quench;
             return quench ? microseconds(quench->time) : QStringLiteral("not within the span");
         }},
    {.label = "Share of the bang's energy in the secondary at the quench",
     .jsonKey = "secondary_share",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang || !results.bang->figures().quench)
             return std::nullopt;
         return results.bang->figures().quench->secondaryShare;
     },
     .text =
         [](const BangResults& results, bool) {
             if (!results.bang || !results.bang->figures().quench)
                 return QString();
             return text::format(float(100 * results.bang->figures().quench->secondaryShare),
                                 text::Pattern::Fixed) +
                    u'%';
         }},
    {.label = "Energy left in the primary at the quench",
     .jsonKey = "primary_energy_at_quench_j",
     .value = [](const BangResults& results) -> std::optional<double> {
         if (!results.bang || !results.bang->figures().quench)
             return std::nullopt;
         return results.bang->figures().quench->primaryJoules;
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
     .shown = Shown::Kilovolts},
    {.label = "Secondary ring-down to 1/e",
     .jsonKey = "ring_down_s",
     .value =
         [](const BangResults& results) {
             return of(results, [](const physics::BangFigures& f) { return f.ringDownSeconds; });
         },
     .text =
         [](const BangResults& results, bool) {
             return results.bang ? microseconds(results.bang->figures().ringDownSeconds)
                                 : QString();
         }},
    {.label = "Secondary Q (skin effect only)",
     .jsonKey = "secondary_q",
     .value =
         [](const BangResults& results) {
             return of(results, [](const physics::BangFigures& f) { return f.secondaryQ; });
         },
     .text =
         [](const BangResults& results, bool) {
             return results.bang ? text::format(float(results.bang->figures().secondaryQ),
                                                text::Pattern::Fixed)
                                 : QString();
         }},
};

} // namespace

FigureList<BangResults> bangFigures() { return figureList(kFigures); }

} // namespace resonex
