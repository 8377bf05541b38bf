#include "core/results/TopLoadResultTexts.h"

#include "core/errors/ErrorCodes.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

#include <tuple>
#include <utility>

namespace resonex {

namespace {

// A toroid's overall and tube diameters, or the word for none.
std::pair<QString, QString> sizeTexts(const ToroidFor& toroid) {
    if (!toroid.size)
        return {QString::fromLatin1(kNoToroid), QString::fromLatin1(kNoToroid)};
    return {toroidSizeText(toroid.size->topDia), toroidSizeText(toroid.size->tubeDia)};
}

QString noToroidLine(const char* frequency, const ToroidFor& toroid) {
    if (toroid.size)
        return {};
    return QString::fromLatin1(frequency) + QStringLiteral(": ") + noToroidText(toroid.none) +
           u'\n';
}

// A figure on the coil: none while the figures on the coil are absent.
template <float TopLoadResults::*Field>
std::optional<double> onCoil(const TopLoadResults& results) {
    return results.absent ? std::nullopt : std::optional<double>(results.*Field);
}

using TopLoadFigure = Figure<TopLoadResults>;

// A toroid found for a frequency, "708.59mm x 75.00mm"; empty for none, and
// while the figures on the coil are absent.
QString sizedText(const TopLoadResults& results, const ToroidFor& toroid, bool useMetric) {
    if (results.absent || !toroid.size)
        return {};
    const QString unit = designUnit(useMetric).word();
    return toroidSizeText(toroid.size->topDia) + unit + QStringLiteral(" x ") +
           toroidSizeText(toroid.size->tubeDia) + unit;
}

// Why no toroid brings the coil to the frequency named; empty where one does.
QString noneText(const TopLoadResults& results, const ToroidFor& toroid, const QString& frequency) {
    if (results.absent || toroid.size)
        return {};
    return QStringLiteral("No toroid brings the coil to ") + frequency + QStringLiteral(": ") +
           noToroidText(toroid.none);
}

QString targetText(const TopLoadResults& results) {
    return QStringLiteral("the target frequency of ") + kilohertzText(results.targetFr) +
           QStringLiteral("kHz");
}

// A toroid in the JSON: its diameters in metres; null for none, and while the
// figures on the coil are absent.
QByteArray sizedJson(const TopLoadResults& results, const ToroidFor& toroid, bool useMetric) {
    if (results.absent || !toroid.size)
        return json::kNull;
    const LengthUnit unit = designUnit(useMetric);
    return json::Object()
        .add("major_diameter_m", json::siNumber(unit.toMetres(toroid.size->topDia)))
        .add("minor_diameter_m", json::siNumber(unit.toMetres(toroid.size->tubeDia)))
        .text();
}

const TopLoadFigure kFigures[] = {
    {.label = "Top load capacitance in free space",
     .jsonKey = "free_space_capacitance_f",
     .value = [](const TopLoadResults& results) -> std::optional<double> { return results.freeC; },
     .shown = Shown::Picofarads,
     .boxName = "txtFreeC",
     .captionName = "lblFreeC",
     .caption = "Top Load Capacitance in Free Space",
     .toolTip = "The top load alone, far from everything: it does not depend on the coil."},
    {.labelOf =
         [](const TopLoadResults& results) {
             return results.absent ? noFiguresText(*results.absent) : QString();
         }},
    {.label = "Capacitance the top load adds to the coil",
     .jsonKey = "in_place_capacitance_f",
     .value = onCoil<&TopLoadResults::inPlaceC>,
     .shown = Shown::Picofarads,
     .boxName = "txtInPlaceC",
     .captionName = "lblInPlaceC",
     .caption = "Capacitance the Top Load Adds to the Coil",
     .toolTip = "The top load's capacitance in place: what it adds to the coil's effective "
                "capacitance,\nthe shielding of the top turns included. This is what sets the "
                "loaded frequency.\nTools that give the charge on the top load instead report the "
                "figure below,\noften about twice as much."},
    {.label = "Top load charge over the top voltage",
     .jsonKey = "charge_capacitance_f",
     .value = onCoil<&TopLoadResults::chargeC>,
     .shown = Shown::Picofarads,
     .boxName = "txtChargeC",
     .captionName = "lblChargeC",
     .caption = "Top Load Charge over the Top Voltage",
     .toolTip = "The charge on the top load divided by the top voltage, the coil running "
                "loaded:\nwhat other tools call the top load's capacitance in place. Part of "
                "that charge is\nonly drawn from the top turns, so the coil's capacitance grows "
                "by the figure above,\nnot by this one."},
    {.label = "Bare winding capacitance over the floor, from the field solution",
     .jsonKey = "self_capacitance_f",
     .jsonObject = kResonanceObject,
     .value = onCoil<&TopLoadResults::coilC>,
     .shown = Shown::Picofarads,
     .boxName = "txtCoilC",
     .captionName = "lblCoilC",
     .caption = "Bare Winding Capacitance (Field Solution)",
     .toolTip = "The bare winding's effective capacitance above the floor, from the field "
                "solution\nat the base height entered. The Secondary Coil dialog's Secondary "
                "Self Capacitance\ncomes from the classic formula and is not the same figure."},
    {.label = "Resonant frequency without the top load",
     .jsonKey = "bare_hz",
     .jsonObject = kResonanceObject,
     .value = onCoil<&TopLoadResults::bareFr>,
     .shown = Shown::Kilohertz,
     .boxName = "txtBareFr",
     .captionName = "lblBareFr",
     .caption = "Resonant Frequency Without Top Load"},
    {.label = "Resonant frequency with the top load",
     .jsonKey = "loaded_hz",
     .jsonObject = kResonanceObject,
     .value = onCoil<&TopLoadResults::loadedFr>,
     .shown = Shown::Kilohertz,
     .boxName = "txtLoadedFr",
     .captionName = "lblLoadedFr",
     .caption = "Resonant Frequency With Top Load"},
    {.label = "Toroid for the quarter wavelength resonant frequency",
     .jsonKey = "toroid_for_torc",
     .text = [](const TopLoadResults& results,
                bool useMetric) { return sizedText(results, results.forQuarWaveFr, useMetric); },
     .json = [](const TopLoadResults& results,
                bool useMetric) { return sizedJson(results, results.forQuarWaveFr, useMetric); }},
    {.labelOf =
         [](const TopLoadResults& results) {
             return noneText(results, results.forQuarWaveFr,
                             QStringLiteral("the quarter wavelength resonant frequency"));
         }},
    {.input = Input::TargetFr,
     .json =
         [](const TopLoadResults& results, bool) {
             return results.targetFr > 0 ? json::number(results.targetFr) : json::kNull;
         }},
    {.jsonKey = "toroid_for_target",
     .text =
         [](const TopLoadResults& results, bool useMetric) {
             return results.targetFr > 0 ? sizedText(results, results.forTargetFr, useMetric)
                                         : QString();
         },
     .labelOf =
         [](const TopLoadResults& results) {
             return QStringLiteral("Toroid for ") + targetText(results);
         },
     .json =
         [](const TopLoadResults& results, bool useMetric) {
             return results.targetFr > 0 ? sizedJson(results, results.forTargetFr, useMetric)
                                         : json::kNull;
         }},
    {.labelOf =
         [](const TopLoadResults& results) {
             return results.targetFr > 0
                        ? noneText(results, results.forTargetFr, targetText(results))
                        : QString();
         }},
};

} // namespace

FigureList<TopLoadResults> topLoadFigures() { return figureList(kFigures); }

QString toroidSizeText(float length) { return text::format(length, text::Pattern::TwoDecimals); }

QString noFiguresText(NoFigures why) {
    switch (why) {
    case NoFigures::SecondaryNotCalculated:
        return QStringLiteral("The secondary coil must be calculated first for the figures on "
                              "the coil");
    case NoFigures::CutsIntoWinding:
        return QString::fromLatin1(errors::TopLoadClearance.description) +
               QStringLiteral(": raise it or make it smaller");
    case NoFigures::OutOfRange:
        return QStringLiteral("The coil is beyond the range the field solution covers: change "
                              "its proportions or those of the top load");
    }
    Q_UNREACHABLE();
}

QString noToroidText(physics::Unsolved why) {
    switch (why) {
    case physics::Unsolved::AboveBare:
        return QStringLiteral("it lies above the bare coil's frequency, which no top load can "
                              "reach");
    case physics::Unsolved::SmallestTooLow:
        return QStringLiteral("even the smallest toroid searched brings the coil below it; a "
                              "thinner tube allows a smaller one");
    case physics::Unsolved::LargestTooHigh:
        return QStringLiteral("it lies below what the largest toroid searched reaches");
    case physics::Unsolved::CutsIntoWinding:
        return QStringLiteral("the toroid that reaches it would cut into the winding at this "
                              "height: raise the top load");
    case physics::Unsolved::ZeroPivot:
    case physics::Unsolved::OutOfRange:
        return QStringLiteral("the toroid that reaches it is beyond the range the field "
                              "solution covers");
    case physics::Unsolved::Unsettled:
        return QStringLiteral("the search for the toroid that reaches it did not close in on "
                              "one");
    // The primary's and the capacitor bank's reasons: no toroid search gives
    // them.
    case physics::Unsolved::BelowFirstTurn:
    case physics::Unsolved::BeyondLastTurn:
    case physics::Unsolved::CouplingTooHigh:
    case physics::Unsolved::CouplingTooLow:
    case physics::Unsolved::TooManyUnits:
        break;
    }
    Q_UNREACHABLE();
}

ToroidTexts toroidTexts(const TopLoadResults& results) {
    ToroidTexts texts;
    if (results.absent) {
        texts.absent = noFiguresText(*results.absent);
        return texts;
    }
    std::tie(texts.torCDia, texts.torCTube) = sizeTexts(results.forQuarWaveFr);
    texts.noToroid = noToroidLine("Quarter wavelength frequency", results.forQuarWaveFr);
    if (results.targetFr > 0) {
        std::tie(texts.targetDia, texts.targetTube) = sizeTexts(results.forTargetFr);
        texts.noToroid += noToroidLine("Frequency entered", results.forTargetFr);
    }
    texts.noToroid.chop(1);
    return texts;
}

} // namespace resonex
