#include "core/results/CouplingResultTexts.h"

#include "core/encoding/JsonText.h"
#include "core/model/DesignInputs.h"
#include "core/results/CouplingResults.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

namespace resonex {

namespace {

QString shapeText(const physics::PrimaryTurns& primary) {
    const ChoiceWord& word = designInput(Input::PriShape).words[qsizetype(primary.shape)];
    QString text = QString::fromLatin1(word.word);
    text[0] = text[0].toUpper();
    if (primary.shape == physics::PrimaryShape::Conical)
        text += QStringLiteral(", ") +
                text::format(float(primary.angleDegrees), text::Pattern::TwoDecimals) +
                QStringLiteral("deg");
    return text;
}

using CouplingFigure = Figure<CouplingResults>;

template <double physics::CouplingAtTurn::*Field>
std::optional<double> atTap(const CouplingResults& results) {
    return results.atTap ? std::optional<double>((*results.atTap).*Field) : std::nullopt;
}
template <double physics::CoupledModes::*Field>
std::optional<double> mode(const CouplingResults& results) {
    return results.modes ? std::optional<double>((*results.modes).*Field) : std::nullopt;
}

// The tap's fractional turn ("13.55"), empty while no tap is in use.
QString tapTurnText(const CouplingResults& results) {
    return results.atTap ? text::format(float(*results.tapTurn), text::Pattern::TwoDecimals)
                         : QString();
}

QString tapListingText(const CouplingResults& results) {
    return results.geometricTap ? QStringLiteral("the primary as built")
                                : QStringLiteral("the classic listing");
}

// Why no tap is in use; empty while one is.
QString noTapText(const CouplingResults& results) {
    if (results.atTap)
        return {};
    return noCouplingText(results.tapTurn ? physics::Unsolved::OutOfRange : results.tapTurn.why());
}

// Why no height gives the coupling typed; empty while one does or none is
// typed.
QString noHeightText(const CouplingResults& results) {
    if (!results.targetK || results.heightForTargetK)
        return {};
    return noCouplingText(results.heightForTargetK.why());
}

QString targetKText(const CouplingResults& results) {
    return results.targetK ? couplingText(float(*results.targetK)) : QString();
}

QString modesText(const CouplingResults& results, bool useMetric) {
    if (!results.modes)
        return {};
    return shownText(Shown::Kilohertz, results.modes->lowerHz, useMetric) +
           QStringLiteral(" and ") + shownText(Shown::Kilohertz, results.modes->upperHz, useMetric);
}

std::optional<double> heightForK(const CouplingResults& results) {
    if (!results.targetK || !results.heightForTargetK)
        return std::nullopt;
    return *results.heightForTargetK;
}

QStringList listingLines(const CouplingResults& results) {
    QStringList lines;
    for (const physics::CouplingAtTurn& turn : results.listing.turns)
        lines << QStringLiteral(" Turn %1 %2  k ")
                         .arg(int(turn.turn), 2)
                         .arg(shownText(Shown::Microhenries, turn.primaryInductance, true), 11) +
                     couplingText(float(turn.k));
    return lines;
}

// The coupling's figures in the order the summary shows them and the JSON's
// coupling object has them, after the primary's inputs there. Where the JSON
// has always had a figure elsewhere (the modes, the tap), the summary's line
// and the JSON's keys are rows of their own.
const CouplingFigure kFigures[] = {
    {.label = "Primary as built",
     .text = [](const CouplingResults& results, bool) { return shapeText(results.primary); }},
    {.label = "Primary turns as built",
     .text = [](const CouplingResults& results,
                bool) { return QString::number(results.primary.turns); }},
    {.label = "Height of the inner turn above the winding's base",
     .value = [](const CouplingResults& results) -> std::optional<double> {
         return results.primary.innerHeight;
     },
     .shown = Shown::Length},
    {.label = "Primary inductance with every turn",
     .jsonKey = "inductance_h",
     .value = [](const CouplingResults& results) -> std::optional<double> {
         return results.inductanceAsBuilt;
     },
     .shown = Shown::Microhenries},
    {.label = "Primary inductance and k, tapped after each turn:", .below = listingLines},
    {.text =
         [](const CouplingResults& results, bool) {
             return results.atTap ? QStringLiteral("turn ") + tapTurnText(results) : QString();
         },
     .labelOf =
         [](const CouplingResults& results) {
             return QStringLiteral("Tap in use, from ") + tapListingText(results);
         }},
    {.label = "Primary inductance at the tap",
     .jsonKey = "tap_inductance_h",
     .value = atTap<&physics::CouplingAtTurn::primaryInductance>,
     .shown = Shown::Microhenries},
    {.label = "Mutual inductance at the tap",
     .jsonKey = "mutual_inductance_h",
     .value = atTap<&physics::CouplingAtTurn::mutualInductance>,
     .shown = Shown::Microhenries},
    {.label = "Coupling coefficient k at the tap",
     .jsonKey = "k",
     .value = atTap<&physics::CouplingAtTurn::k>,
     .shown = Shown::Coupling},
    {.label = "Coupled modes", .text = modesText},
    {.jsonKey = "lower_mode_hz",
     .value = mode<&physics::CoupledModes::lowerHz>,
     .shown = Shown::Kilohertz},
    {.jsonKey = "upper_mode_hz",
     .value = mode<&physics::CoupledModes::upperHz>,
     .shown = Shown::Kilohertz},
    {.labelOf =
         [](const CouplingResults& results) {
             const QString why = noTapText(results);
             return why.isEmpty() ? why : QStringLiteral("No tap in use: ") + why;
         }},
    {.jsonKey = "turns",
     .json =
         [](const CouplingResults& results, bool) {
             QList<QByteArray> turns;
             for (const physics::CouplingAtTurn& turn : results.listing.turns)
                 turns.append(json::Object()
                                  .add("turn", json::integer(qint16(turn.turn)))
                                  .add("inductance_h", json::siNumber(turn.primaryInductance))
                                  .add("k", json::siNumber(turn.k))
                                  .text());
             return json::array(turns);
         }},
    {.jsonKey = "tap",
     .json =
         [](const CouplingResults& results, bool) {
             if (!results.tapTurn)
                 return json::kNull;
             const double tap = *results.tapTurn;
             return tapJson(int(tap), int(tap) + 1, tap);
         }},
    {.jsonKey = "target_k",
     .value = [](const CouplingResults& results) { return results.targetK; },
     .shown = Shown::Coupling},
    {.jsonKey = "height_for_target_k_m",
     .value = heightForK,
     .shown = Shown::Length,
     .labelOf =
         [](const CouplingResults& results) {
             return QStringLiteral("Height of the inner turn for k = ") + targetKText(results);
         }},
    {.labelOf =
         [](const CouplingResults& results) {
             const QString why = noHeightText(results);
             return why.isEmpty() ? why
                                  : QStringLiteral("No height gives k = ") + targetKText(results) +
                                        QStringLiteral(": ") + why;
         }},
};

} // namespace

FigureList<CouplingResults> couplingFigures() { return figureList(kFigures); }

QByteArray tapJson(int afterTurn, int beforeTurn, std::optional<double> turn) {
    return json::Object()
        .add("after_turn", json::integer(qint16(afterTurn)))
        .add("before_turn", json::integer(qint16(beforeTurn)))
        .add("turn", turn ? json::siNumber(*turn) : json::kNull)
        .text();
}

QString noCouplingText(physics::Unsolved why) {
    switch (why) {
    case physics::Unsolved::BelowFirstTurn:
        return QStringLiteral("the primary needs less inductance than its first turn gives");
    case physics::Unsolved::BeyondLastTurn:
        return QStringLiteral("the primary needs more inductance than all its turns give");
    case physics::Unsolved::CouplingTooHigh:
        return QStringLiteral("more than the primary gives at its best height");
    case physics::Unsolved::CouplingTooLow:
        return QStringLiteral("less than it gives a few winding heights away");
    case physics::Unsolved::CutsIntoWinding:
        return QStringLiteral("the height that gives it puts a turn into the winding");
    default:
        return QStringLiteral("beyond what the calculation covers");
    }
}

CouplingResultTexts couplingResultTexts(const CouplingResults& results, bool useMetric) {
    CouplingResultTexts texts;
    texts.tapListing = tapListingText(results);
    if (results.atTap) {
        texts.tapTurn = tapTurnText(results);
        texts.k = shownNumber(Shown::Coupling, results.atTap->k, useMetric);
        texts.modes = modesText(results, useMetric);
    }
    texts.whyNoTap = noTapText(results);
    texts.targetK = targetKText(results);
    if (const std::optional<double> height = heightForK(results))
        texts.heightForK =
            shownNumber(Shown::Length, *height, useMetric) + shownUnit(Shown::Length, useMetric);
    texts.whyNoHeight = noHeightText(results);
    texts.listing = listingLines(results);
    return texts;
}

} // namespace resonex
