#include "core/summary/PrimarySection.h"

#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTransformer.h"
#include "core/model/DesignInformation.h"
#include "core/settings/CSettings.h"
#include "core/summary/NewLine.h"

namespace resonex {

QString PrimarySectionTitle() { return QStringLiteral("Primary Coil Design") + kNewLine; }

QString PrimarySectionText(const CPrimary& primary, const CSettings& settings,
                           const CSecondary& secondary, const CTransformer& transformer,
                           const QString& lengthUnit) {
    if (primary.CalcsInvalid())
        return QStringLiteral("No primary winding data calculated") + kNewLine + kNewLine;

    const QString capacitance =
        settings.UsePriC() == 1 ? matchedCapacitanceText(transformer) : primary.C();
    const QString frequency =
        settings.UseSecFr() == 1 ? quarterWaveFrequencyText(secondary) : primary.fr();
    const QString diameter = settings.UseSecDia() == 1 ? secondary.Dia() : primary.SecDia();

    QString body =
        QStringLiteral("Primary capacitance : ") + capacitance + QStringLiteral("uF") + kNewLine +
        QStringLiteral("Primary resonant frequency : ") + frequency + QStringLiteral("kHz") +
        kNewLine + QStringLiteral("Secondary coil diameter : ") + diameter + lengthUnit + kNewLine +
        QStringLiteral("Primary conductor diameter : ") + primary.ConDia() + lengthUnit + kNewLine +
        QStringLiteral("Primary turn to turn spacing : ") + primary.ConSpa() + lengthUnit +
        kNewLine +
        QStringLiteral("Spacing between the secondary and the inside turn of the primary : ") +
        primary.SecSep() + lengthUnit + kNewLine + primary.Results() + kNewLine + kNewLine +
        QStringLiteral("The approximate inductance at each turn is : ") + kNewLine + kNewLine +
        primary.LPerTurn() + kNewLine + kNewLine;

    if (settings.UseSecDia() == 0)
        body += QStringLiteral("Note: The Primary Coil Design is not using the Secondary Coil "
                               "Design diameter") +
                kNewLine;
    if (settings.UseSecFr() == 0 && secondary.NatFr() != 0)
        body += QStringLiteral("Note: The Primary Coil Design is not using the calculated "
                               "Secondary Coil Design resonant frequency") +
                kNewLine;
    if (settings.UsePriC() == 0 && transformer.C() != 0)
        body += QStringLiteral("Note: The Primary Coil Design is not using the calculated Neon "
                               "Transformer / Primary Capacitor Matching Value ") +
                kNewLine;
    if (settings.UseSecDia() == 0 || settings.UseSecFr() == 0 || settings.UsePriC() == 0)
        body += kNewLine;
    return body;
}

} // namespace resonex
