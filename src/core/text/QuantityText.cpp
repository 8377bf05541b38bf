#include "core/text/QuantityText.h"

#include "core/text/NumberText.h"
#include "core/text/UnitScale.h"

namespace resonex {

QString microfaradsText(float farads) {
    return text::format(scale::toMicrofarads(farads), text::Pattern::UpToFourDecimals);
}

QString kilohertzText(float hertz) {
    return text::format(scale::toKilohertz(hertz), text::Pattern::Fixed);
}

QString picofaradsText(float farads) {
    return text::format(scale::toPicofarads(farads), text::Pattern::Fixed);
}

QString lengthText(float length) { return text::format(length, text::Pattern::UpToFourDecimals); }

QString couplingText(float k) { return text::format(k, text::Pattern::FourDecimals); }

} // namespace resonex
