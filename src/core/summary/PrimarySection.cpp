#include "core/summary/PrimarySection.h"

#include "core/document/CFile.h"
#include "core/document/DesignResults.h"
#include "core/model/CPrimary.h"
#include "core/model/Calculated.h"
#include "core/model/PrimarySources.h"
#include "core/results/CouplingResults.h"
#include "core/settings/CSettings.h"
#include "core/summary/NewLine.h"
#include "core/text/LengthUnit.h"

namespace resonex {

namespace {

// What the summary says of an input the primary takes from its own entry
// though another calculation has a value for it.
struct Note {
    Input input;
    QString text;
};

const Note kNotes[] = {
    {Input::SecDia,
     QStringLiteral("Note: The Primary Coil Design is not using the Secondary Coil Design "
                    "diameter")},
    {Input::Fr,
     QStringLiteral("Note: The Primary Coil Design is not using the calculated Secondary Coil "
                    "Design resonant frequency")},
    {Input::C,
     QStringLiteral("Note: The Primary Coil Design is not using the calculated Neon Transformer "
                    "/ Primary Capacitor Matching Value ")},
};

} // namespace

QString PrimarySectionTitle() { return QStringLiteral("Primary Coil Design") + kNewLine; }

QString PrimarySectionText(const CFile& doc) {
    const CPrimary& primary = doc.primary();
    if (!primaryCalculated(primary))
        return QStringLiteral("No primary winding data calculated") + kNewLine + kNewLine;

    const QString lengthUnit = designUnit(doc.settings().UseMetric()).word();
    const bool builtOtherwise = !classicGeometry(doc.added());
    const PrimaryChoices choices = primaryChoices(doc.settings());
    const PrimaryInputs inputs(choices, primary, doc.results().basis());
    const QString capacitance = inputs.text(Input::C);
    const QString frequency = inputs.text(Input::Fr);
    const QString diameter = inputs.text(Input::SecDia);

    QString body =
        QStringLiteral("Primary capacitance : ") + capacitance + QStringLiteral("uF") + kNewLine +
        QStringLiteral("Primary resonant frequency : ") + frequency + QStringLiteral("kHz") +
        kNewLine + QStringLiteral("Secondary coil diameter : ") + diameter + lengthUnit + kNewLine +
        QStringLiteral("Primary conductor diameter : ") + primary.ConDia() + lengthUnit + kNewLine +
        QStringLiteral("Primary turn to turn spacing : ") + primary.ConSpa() + lengthUnit +
        kNewLine +
        QStringLiteral("Spacing between the secondary and the inside turn of the primary : ") +
        primary.SecSep() + lengthUnit + kNewLine;
    if (!builtOtherwise)
        body += primary.Results() + kNewLine + kNewLine +
                QStringLiteral("The approximate inductance at each turn is : ") + kNewLine +
                kNewLine + primary.LPerTurn() + kNewLine + kNewLine;
    else if (primary.LPerTurn().isEmpty())
        body += QStringLiteral("The classic listing's 15 turns of a flat spiral do not reach the "
                               "inductance needed; the primary as built is tapped on its own "
                               "turns (see Coupling)") +
                kNewLine + kNewLine;
    else
        body += QStringLiteral("Classic listing, a flat spiral of 15 turns: ") + primary.Results() +
                kNewLine +
                QStringLiteral("The primary as built is tapped on its own turns "
                               "(see Coupling)") +
                kNewLine + kNewLine +
                QStringLiteral("The approximate inductance at each turn of the classic listing "
                               "is : ") +
                kNewLine + kNewLine + primary.LPerTurn() + kNewLine + kNewLine;

    bool anyEntry = false;
    for (const Note& note : kNotes) {
        if (inputs.passesOver(note.input))
            body += note.text + kNewLine;
        anyEntry = anyEntry || takesEntry(note.input, choices);
    }
    if (anyEntry)
        body += kNewLine;
    return body;
}

} // namespace resonex
