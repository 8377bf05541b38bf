#include "core/model/TopLoadResultTexts.h"

#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/DesignInformation.h"

#include <optional>
#include <tuple>
#include <utility>

namespace resonex {

namespace {

// A toroid's overall and tube diameters, or the word for none.
std::pair<QString, QString> toroidTexts(const std::optional<ToroidSize>& toroid) {
    if (!toroid)
        return {QString::fromLatin1(kNoToroid), QString::fromLatin1(kNoToroid)};
    return {lengthText(toroid->topDia), lengthText(toroid->tubeDia)};
}

} // namespace

TopLoadResultTexts topLoadResultTexts(const CTopLoad& topLoad, const CSecondary& secondary,
                                      bool useMetric) {
    if (secondary.Turns() == 0)
        return {};
    const TopLoadResults& results = topLoad.Results(secondary, useMetric);
    TopLoadResultTexts texts{picofaradsText(results.freeC),
                             picofaradsText(results.inPlaceC),
                             picofaradsText(results.coilC),
                             kilohertzText(results.bareFr),
                             kilohertzText(results.loadedFr),
                             {},
                             {},
                             {},
                             {}};
    std::tie(texts.torCDia, texts.torCTube) = toroidTexts(results.forQuarWaveFr);
    if (topLoad.TargetFrValue() != 0)
        std::tie(texts.targetDia, texts.targetTube) = toroidTexts(results.forTargetFr);
    return texts;
}

} // namespace resonex
