#include "core/summary/SecondarySection.h"

#include "core/document/CFile.h"
#include "core/model/CSecondary.h"
#include "core/model/Calculated.h"
#include "core/results/SecondaryResultTexts.h"
#include "core/settings/CSettings.h"
#include "core/summary/NewLine.h"
#include "core/text/LengthUnit.h"

namespace resonex {

QString SecondarySectionTitle() { return QStringLiteral("Secondary Coil Design") + kNewLine; }

QString SecondarySectionText(const CFile& doc) {
    const CSecondary& secondary = doc.secondary();
    const bool metric = doc.settings().UseMetric();
    const QString lengthUnit = designUnit(metric).word();
    const QString wireLengthUnit = wireUnit(metric).word();
    if (!secondaryCalculated(secondary))
        return QStringLiteral("No Secondary Coil Data Calculated") + kNewLine + kNewLine;

    const SecondaryResultTexts results = secondaryResultTexts(secondary);
    return QStringLiteral("Diameter of secondary coil : ") + secondary.Dia() + lengthUnit +
           kNewLine + QStringLiteral("Winding height of secondary coil : ") + secondary.Height() +
           lengthUnit + kNewLine + QStringLiteral("Wire diameter for secondary coil : ") +
           secondary.WireDia() + lengthUnit + kNewLine +
           QStringLiteral("Spacing between windings : ") + secondary.WireSpa() + lengthUnit +
           kNewLine + QStringLiteral("Secondary turns : ") + results.turns + kNewLine +
           QStringLiteral("Secondary wire length : ") + results.wireLength + wireLengthUnit +
           kNewLine + QStringLiteral("Secondary inductance : ") + results.l + QStringLiteral("mH") +
           kNewLine + QStringLiteral("Approximate resonant frequency : ") + results.natFr +
           QStringLiteral("kHz") + kNewLine +
           QStringLiteral("Secondary quarter wavelength resonant frequency : ") +
           results.quarWaveFr + QStringLiteral("kHz") + kNewLine +
           QStringLiteral("Secondary self capacitance : ") + results.selfC + QStringLiteral("pF") +
           kNewLine +
           QStringLiteral("Toroid capacitance required to form quarter wavelength coil : ") +
           results.torC + QStringLiteral("pF") + kNewLine + kNewLine;
}

} // namespace resonex
