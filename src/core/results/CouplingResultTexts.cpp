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

} // namespace

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
    texts.inductance = microhenries(results.inductanceAsBuilt);
    texts.tapListing = results.geometricTap ? QStringLiteral("the primary as built")
                                            : QStringLiteral("the classic listing");
    if (results.atTap) {
        texts.tapTurn = text::format(float(*results.tapTurn), text::Pattern::TwoDecimals);
        texts.tapInductance = microhenries(results.atTap->primaryInductance);
        texts.mutualInductance = microhenries(results.atTap->mutualInductance);
        texts.k = couplingText(float(results.atTap->k));
        texts.modes = kilohertzText(float(results.modes->lowerHz)) + QStringLiteral("kHz and ") +
                      kilohertzText(float(results.modes->upperHz)) + QStringLiteral("kHz");
    } else {
        texts.whyNoTap =
            noCouplingText(results.tapTurn ? physics::Unsolved::OutOfRange : results.tapTurn.why());
    }
    if (results.targetK) {
        texts.targetK = couplingText(float(*results.targetK));
        if (results.heightForTargetK)
            texts.heightForK = length(*results.heightForTargetK);
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
