#include "core/summary/CouplingSection.h"

#include "core/results/CouplingResultTexts.h"
#include "core/summary/NewLine.h"

namespace resonex {

namespace {

QString line(const QString& label, const QString& value) {
    return label + QStringLiteral(" : ") + value + kNewLine;
}

} // namespace

QString CouplingSectionTitle() { return QStringLiteral("Coupling") + kNewLine; }

QString CouplingSectionText(const CouplingResultTexts& texts) {
    QString text =
        line(QStringLiteral("Primary as built"), texts.shape) +
        line(QStringLiteral("Primary turns as built"), texts.turnsBuilt) +
        line(QStringLiteral("Height of the inner turn above the winding's base"), texts.height) +
        line(QStringLiteral("Primary inductance with every turn"), texts.inductance) +
        QStringLiteral("Primary inductance and k, tapped after each turn:") + kNewLine +
        texts.listing.join(kNewLine) + kNewLine;
    if (texts.whyNoTap.isEmpty())
        text += line(QStringLiteral("Tap in use, from ") + texts.tapListing,
                     QStringLiteral("turn ") + texts.tapTurn) +
                line(QStringLiteral("Primary inductance at the tap"), texts.tapInductance) +
                line(QStringLiteral("Mutual inductance at the tap"), texts.mutualInductance) +
                line(QStringLiteral("Coupling coefficient k at the tap"), texts.k) +
                line(QStringLiteral("Coupled modes"), texts.modes);
    else
        text += QStringLiteral("No tap in use: ") + texts.whyNoTap + kNewLine;
    if (!texts.targetK.isEmpty()) {
        const QString label = QStringLiteral("Height of the inner turn for k = ") + texts.targetK;
        text += texts.whyNoHeight.isEmpty()
                    ? line(label, texts.heightForK)
                    : QStringLiteral("No height gives k = ") + texts.targetK +
                          QStringLiteral(": ") + texts.whyNoHeight + kNewLine;
    }
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
