#include "core/results/TopLoadResultTexts.h"

#include "core/errors/ErrorCodes.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

#include <tuple>
#include <utility>

namespace resonex {

namespace {

// A toroid's overall and tube diameters, or the word for none.
std::pair<QString, QString> toroidTexts(const ToroidFor& toroid) {
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

} // namespace

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

TopLoadResultTexts topLoadResultTexts(const CTopLoad& topLoad, const TopLoadResults& results) {
    TopLoadResultTexts texts;
    if (results.freeC)
        texts.freeC = picofaradsText(*results.freeC);
    if (results.absent) {
        texts.absent = noFiguresText(*results.absent);
        return texts;
    }
    texts.inPlaceC = picofaradsText(results.inPlaceC);
    texts.chargeC = picofaradsText(results.chargeC);
    texts.coilC = picofaradsText(results.coilC);
    texts.bareFr = kilohertzText(results.bareFr);
    texts.loadedFr = kilohertzText(results.loadedFr);
    std::tie(texts.torCDia, texts.torCTube) = toroidTexts(results.forQuarWaveFr);
    texts.noToroid = noToroidLine("Quarter wavelength frequency", results.forQuarWaveFr);
    if (topLoad.TargetFrValue() != 0) {
        std::tie(texts.targetDia, texts.targetTube) = toroidTexts(results.forTargetFr);
        texts.noToroid += noToroidLine("Frequency entered", results.forTargetFr);
    }
    texts.noToroid.chop(1);
    return texts;
}

} // namespace resonex
