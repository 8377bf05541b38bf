#include "summary/SecondarySection.h"

#include "model/CSecondary.h"
#include "summary/NewLine.h"
#include "text/NumberText.h"
#include "text/UnitScale.h"

namespace resonex {

namespace {

QString fixed(float value) { return text::format(value, text::Pattern::Fixed); }

} // namespace

QString SecondarySectionTitle() { return QStringLiteral("Secondary Coil Design") + kNewLine; }

QString SecondarySectionText(const CSecondary& secondary, const QString& lengthUnit,
                             const QString& wireLengthUnit) {
    if (secondary.Turns() == 0)
        return QStringLiteral("No Secondary Coil Data Calculated") + kNewLine + kNewLine;

    return QStringLiteral("Diameter of secondary coil : ") + secondary.Dia() + lengthUnit +
           kNewLine + QStringLiteral("Winding height of secondary coil : ") + secondary.Height() +
           lengthUnit + kNewLine + QStringLiteral("Wire diameter for secondary coil : ") +
           secondary.WireDia() + lengthUnit + kNewLine +
           QStringLiteral("Spacing between windings : ") + secondary.WireSpa() + lengthUnit +
           kNewLine + QStringLiteral("Secondary turns : ") +
           fixed(scale::wholePart(secondary.Turns())) + kNewLine +
           QStringLiteral("Secondary wire length : ") + fixed(secondary.WireLength()) +
           wireLengthUnit + kNewLine + QStringLiteral("Secondary inductance : ") +
           fixed(scale::toMillihenries(secondary.L())) + QStringLiteral("mH") + kNewLine +
           QStringLiteral("Approximate resonant frequency : ") +
           fixed(scale::toKilohertz(secondary.NatFr())) + QStringLiteral("kHz") + kNewLine +
           QStringLiteral("Secondary quarter wavelength resonant frequency : ") +
           fixed(scale::toKilohertz(secondary.QuarWaveFr())) + QStringLiteral("kHz") + kNewLine +
           QStringLiteral("Secondary self capacitance : ") +
           fixed(scale::toPicofarads(secondary.SelfC())) + QStringLiteral("pF") + kNewLine +
           QStringLiteral("Toroid capacitance required to form quarter wavelength coil : ") +
           fixed(scale::toPicofarads(secondary.TorC())) + QStringLiteral("pF") + kNewLine +
           kNewLine;
}

} // namespace resonex
