#include "core/results/Figure.h"

#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"

namespace resonex {

QString fixedIn(double si, double perUnit) {
    return text::format(float(si / perUnit), text::Pattern::Fixed);
}

QString shownNumber(Shown shown, double si, bool useMetric) {
    switch (shown) {
    case Shown::Picofarads:
        return picofaradsText(float(si));
    case Shown::Nanofarads:
        return fixedIn(si, 1e-9);
    case Shown::Kilohertz:
        return kilohertzText(float(si));
    case Shown::Kilovolts:
        return fixedIn(si, 1e3);
    case Shown::Joules:
    case Shown::Watts:
    case Shown::Amperes:
    case Shown::Ohms:
    case Shown::Number:
    case Shown::Volts:
        return fixedIn(si, 1);
    case Shown::Microseconds:
        return fixedIn(si, 1e-6);
    case Shown::Percent:
        return fixedIn(si, 1e-2);
    case Shown::Microhenries:
        return text::format(float(si * 1e6), text::Pattern::TwoDecimals);
    case Shown::Coupling:
        return couplingText(float(si));
    case Shown::Length:
        return text::format(float(designUnit(useMetric).fromMetres(si)),
                            text::Pattern::TwoDecimals);
    }
    Q_UNREACHABLE();
}

QString shownUnit(Shown shown, bool useMetric) {
    switch (shown) {
    case Shown::Picofarads:
        return QStringLiteral("pF");
    case Shown::Nanofarads:
        return QStringLiteral("nF");
    case Shown::Kilohertz:
        return QStringLiteral("kHz");
    case Shown::Kilovolts:
        return QStringLiteral("kV");
    case Shown::Joules:
        return QStringLiteral("J");
    case Shown::Watts:
        return QStringLiteral("W");
    case Shown::Amperes:
        return QStringLiteral("A");
    case Shown::Microhenries:
        return QStringLiteral("uH");
    case Shown::Coupling:
        return {};
    case Shown::Length:
        return designUnit(useMetric).word();
    case Shown::Microseconds:
        return QStringLiteral("us");
    case Shown::Ohms:
        return QStringLiteral("Ohm");
    case Shown::Percent:
        return QStringLiteral("%");
    case Shown::Number:
        return {};
    case Shown::Volts:
        return QStringLiteral("V");
    }
    Q_UNREACHABLE();
}

QString shownText(Shown shown, double si, bool useMetric) {
    return shownNumber(shown, si, useMetric) + shownUnit(shown, useMetric);
}

} // namespace resonex
