#include "core/results/SecondaryResultTexts.h"

#include "core/model/CSecondary.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"
#include "core/text/UnitScale.h"

namespace resonex {

namespace {

QString fixed(float value) { return text::format(value, text::Pattern::Fixed); }

} // namespace

SecondaryResultTexts secondaryResultTexts(const CSecondary& secondary) {
    return {text::format(secondary.AspectRatio(), text::Pattern::TwoDecimals) +
                QStringLiteral(" : 1"),
            fixed(scale::wholePart(secondary.Turns())),
            fixed(secondary.WireLength()),
            fixed(scale::toMillihenries(secondary.L())),
            fixed(scale::toKilohertz(secondary.NatFr())),
            kilohertzText(secondary.QuarWaveFr()),
            picofaradsText(secondary.SelfC()),
            picofaradsText(secondary.TorC())};
}

} // namespace resonex
