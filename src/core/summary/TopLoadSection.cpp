#include "core/summary/TopLoadSection.h"

#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/DesignInformation.h"
#include "core/summary/NewLine.h"

namespace resonex {

namespace {

QString line(const QString& label, const QString& value) {
    return label + QStringLiteral(" : ") + value + kNewLine;
}

QString toroidText(const ToroidSize& size, const QString& lengthUnit) {
    return lengthText(size.topDia) + lengthUnit + QStringLiteral(" x ") + lengthText(size.tubeDia) +
           lengthUnit;
}

QString shapeText(const CTopLoad& topLoad, const QString& lengthUnit) {
    if (topLoad.shape() == CTopLoad::Shape::Sphere)
        return line(QStringLiteral("Top load shape"), QStringLiteral("Sphere")) +
               line(QStringLiteral("Diameter of the sphere"), topLoad.TopDia() + lengthUnit);
    return line(QStringLiteral("Top load shape"), QStringLiteral("Toroid")) +
           line(QStringLiteral("Overall diameter of the toroid"), topLoad.TopDia() + lengthUnit) +
           line(QStringLiteral("Tube diameter of the toroid"), topLoad.TubeDia() + lengthUnit);
}

QString resultsText(const CTopLoad& topLoad, const TopLoadResults& results,
                    const QString& lengthUnit) {
    const QString pF = QStringLiteral("pF");
    const QString kHz = QStringLiteral("kHz");
    QString text = line(QStringLiteral("Top load capacitance in free space"),
                        picofaradsText(results.freeC) + pF) +
                   line(QStringLiteral("Top load capacitance in place on the coil"),
                        picofaradsText(results.inPlaceC) + pF) +
                   line(QStringLiteral("Secondary self capacitance from the field solution"),
                        picofaradsText(results.coilC) + pF) +
                   line(QStringLiteral("Resonant frequency without the top load"),
                        kilohertzText(results.bareFr) + kHz) +
                   line(QStringLiteral("Resonant frequency with the top load"),
                        kilohertzText(results.loadedFr) + kHz);
    text += results.forQuarWaveFr
                ? line(QStringLiteral("Toroid for the quarter wavelength resonant frequency"),
                       toroidText(*results.forQuarWaveFr, lengthUnit))
                : QStringLiteral("No toroid brings the coil to its quarter wavelength resonant "
                                 "frequency") +
                      kNewLine;
    if (topLoad.TargetFrValue() > 0) {
        const QString target = kilohertzText(topLoad.TargetFrValue()) + kHz;
        text += results.forTargetFr
                    ? line(QStringLiteral("Toroid for the target frequency of ") + target,
                           toroidText(*results.forTargetFr, lengthUnit))
                    : QStringLiteral("No toroid brings the coil to the target frequency of ") +
                          target + kNewLine;
    }
    return text;
}

} // namespace

QString TopLoadSectionTitle() { return QStringLiteral("Top Load") + kNewLine; }

QString TopLoadSectionText(const CTopLoad& topLoad, const CSecondary& secondary, bool useMetric,
                           const QString& lengthUnit) {
    QString text = shapeText(topLoad, lengthUnit) +
                   line(QStringLiteral("Height of the top load centre above the winding"),
                        topLoad.TopHeight() + lengthUnit) +
                   line(QStringLiteral("Height of the winding base above the floor"),
                        topLoad.BaseHeight() + lengthUnit);
    if (secondary.Turns() == 0)
        text += QStringLiteral("The secondary coil must be calculated first for the top load's "
                               "capacitance and frequencies") +
                kNewLine;
    else
        text += resultsText(topLoad, topLoad.Results(secondary, useMetric), lengthUnit);
    // The last section ends without a line break, as the transformer's does.
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
