#include "core/results/CouplingResultTexts.h"

#include "core/encoding/JsonText.h"
#include "core/model/DesignInputs.h"
#include "core/results/CouplingResults.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

namespace resonex {

namespace {

QString microhenries(double henries) {
    return text::format(float(henries * 1e6), text::Pattern::TwoDecimals) + QStringLiteral("uH");
}

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

// The coupling's figures in the order the JSON has them; the summary and the
// primary dialog show them in sentences and lines of their own
// (couplingResultTexts), each figure's text read from here.
const CouplingFigure kFigures[] = {
    {.jsonKey = "inductance_h",
     .value = [](const CouplingResults& results) -> std::optional<double> {
         return results.inductanceAsBuilt;
     },
     .shown = Shown::Microhenries},
    {.jsonKey = "tap_inductance_h",
     .value = atTap<&physics::CouplingAtTurn::primaryInductance>,
     .shown = Shown::Microhenries},
    {.jsonKey = "mutual_inductance_h",
     .value = atTap<&physics::CouplingAtTurn::mutualInductance>,
     .shown = Shown::Microhenries},
    {.jsonKey = "k", .value = atTap<&physics::CouplingAtTurn::k>, .shown = Shown::Coupling},
    {.jsonKey = "lower_mode_hz",
     .value = mode<&physics::CoupledModes::lowerHz>,
     .shown = Shown::Kilohertz},
    {.jsonKey = "upper_mode_hz",
     .value = mode<&physics::CoupledModes::upperHz>,
     .shown = Shown::Kilohertz},
    {.jsonKey = "turns",
     .json =
         [](const CouplingResults& results) {
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
         [](const CouplingResults& results) {
             if (!results.tapTurn)
                 return json::kNull;
             const double tap = *results.tapTurn;
             return tapJson(int(tap), int(tap) + 1, tap);
         }},
    {.jsonKey = "target_k",
     .value = [](const CouplingResults& results) { return results.targetK; },
     .shown = Shown::Coupling},
    {.jsonKey = "height_for_target_k_m",
     .value = [](const CouplingResults& results) -> std::optional<double> {
         if (!results.heightForTargetK)
             return std::nullopt;
         return *results.heightForTargetK;
     },
     .shown = Shown::Length},
};

enum Row { Inductance, TapInductance, Mutual, K, Lower, Upper, Turns, Tap, TargetK, HeightForK };

QString shown(Row row, const CouplingResults& results, bool useMetric) {
    return figureText(kFigures[row], results, useMetric);
}

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
    const LengthUnit unit = designUnit(useMetric);
    const auto length = [&unit](double metres) {
        return text::format(float(unit.fromMetres(metres)), text::Pattern::TwoDecimals) +
               unit.word();
    };
    CouplingResultTexts texts;
    texts.shape = shapeText(results.primary);
    texts.turnsBuilt = QString::number(results.primary.turns);
    texts.height = length(results.primary.innerHeight);
    texts.inductance = shown(Inductance, results, useMetric);
    texts.tapListing = results.geometricTap ? QStringLiteral("the primary as built")
                                            : QStringLiteral("the classic listing");
    if (results.atTap) {
        texts.tapTurn = text::format(float(*results.tapTurn), text::Pattern::TwoDecimals);
        texts.tapInductance = shown(TapInductance, results, useMetric);
        texts.mutualInductance = shown(Mutual, results, useMetric);
        texts.k = shown(K, results, useMetric);
        texts.modes = shown(Lower, results, useMetric) + QStringLiteral(" and ") +
                      shown(Upper, results, useMetric);
    } else {
        texts.whyNoTap =
            noCouplingText(results.tapTurn ? physics::Unsolved::OutOfRange : results.tapTurn.why());
    }
    if (results.targetK) {
        texts.targetK = shown(TargetK, results, useMetric);
        if (results.heightForTargetK)
            texts.heightForK = shown(HeightForK, results, useMetric);
        else
            texts.whyNoHeight = noCouplingText(results.heightForTargetK.why());
    }
    for (const physics::CouplingAtTurn& turn : results.listing.turns)
        texts.listing << QStringLiteral(" Turn %1 %2  k ")
                                 .arg(int(turn.turn), 2)
                                 .arg(microhenries(turn.primaryInductance), 11) +
                             couplingText(float(turn.k));
    return texts;
}

} // namespace resonex
