#include "core/document/DesignCommands.h"

#include "core/document/CFile.h"
#include "core/errors/ResonexError.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/model/Calculated.h"
#include "core/settings/CSettings.h"

namespace resonex {

namespace {

// Runs a command that stores entries and calculates. A failure other than a
// rejected entry (an overflow, a division by zero) puts the design back as it
// was: a calculation either completes or changes nothing.
template <typename Command> void wholeOrNothing(CFile& doc, Command command) {
    const CSecondary secondary = doc.secondary();
    const CPrimary primary = doc.primary();
    const CTransformer transformer = doc.transformer();
    const CTopLoad topLoad = doc.topLoad();
    const PrimaryChoices choices = primaryChoices(doc.settings());
    try {
        command();
    } catch (const ResonexError& error) {
        if (!isInputError(error.number())) {
            doc.secondary() = secondary;
            doc.primary() = primary;
            doc.transformer() = transformer;
            doc.topLoad() = topLoad;
            setPrimaryChoices(doc.settings(), choices);
        }
        throw;
    }
}

// After a calculation: the design has changed, and a primary taking a value
// from it is out of date.
void calculated(CFile& doc, OtherCalculation calculation) {
    doc.setModified(true);
    if (takesFrom(primaryChoices(doc.settings()), calculation))
        doc.primary().setCalcsInvalid(true);
}

} // namespace

void calculateSecondary(CFile& doc, const QString& dia, const QString& height,
                        const QString& wireDia, const QString& wireSpa) {
    wholeOrNothing(doc, [&] {
        CSecondary& secondary = doc.secondary();
        secondary.setDia(dia);
        secondary.setHeight(height);
        secondary.setWireDia(wireDia);
        secondary.setWireSpa(wireSpa);
        secondary.Calculate(doc.settings().UseMetric());
    });
    calculated(doc, OtherCalculation::Secondary);
}

void calculateTransformer(CFile& doc, const QString& secVol, const QString& secCur,
                          const QString& num) {
    wholeOrNothing(doc, [&] {
        CTransformer& transformer = doc.transformer();
        transformer.setSecVol(secVol);
        transformer.setSecCur(secCur);
        transformer.setNum(num);
        transformer.CalcCap(doc.settings().Use50Hz());
    });
    calculated(doc, OtherCalculation::Transformer);
}

void calculateTopLoad(CFile& doc, const TopLoadEntries& entries) {
    wholeOrNothing(doc, [&] {
        CTopLoad& topLoad = doc.topLoad();
        const CTopLoad before = topLoad;
        topLoad.setShape(entries.shape);
        if (entries.shape != CTopLoad::Shape::None)
            topLoad.setTopDia(entries.topDia);
        if (entries.shape == CTopLoad::Shape::Toroid)
            topLoad.setTubeDia(entries.tubeDia);
        topLoad.setTopHeight(entries.topHeight);
        topLoad.setBaseHeight(entries.baseHeight);
        topLoad.setTargetFr(entries.targetFr);
        const bool useMetric = doc.settings().UseMetric();
        // A top load that cannot be, though each entry could, is not kept.
        try {
            topLoad.checkShape();
            topLoad.checkClearance(doc.secondary(), useMetric);
        } catch (const ResonexError&) {
            topLoad = before;
            throw;
        }
        doc.topLoadResults();
    });
    calculated(doc, OtherCalculation::TopLoad);
}

void mainsFrequencyChanged(CFile& doc) {
    // Out of date even when the capacitor cannot be recalculated.
    doc.primary().setCalcsInvalid(true);
    if (transformerCalculated(doc.transformer()))
        doc.transformer().CalcCap(doc.settings().Use50Hz());
}

OtherModels otherModels(const CFile& doc) {
    return {doc.secondary(), doc.transformer(), doc.topLoad(), doc.settings().UseMetric(),
            doc.topLoadSolution()};
}

bool canUse(const CFile& doc, PrimaryChoice choice) {
    return sourceCalculated(choice, otherModels(doc));
}

PrimaryChoices offeredChoices(const CFile& doc) {
    return clearUncalculated(primaryChoices(doc.settings()), otherModels(doc));
}

QString shownEntry(const CFile& doc, PrimaryInput input, const PrimaryChoices& choices) {
    return PrimaryInputs(choices, doc.primary(), otherModels(doc)).entry(input);
}

PrimaryEntries shownEntries(const CFile& doc, const PrimaryChoices& choices) {
    const CPrimary& primary = doc.primary();
    return {shownEntry(doc, PrimaryInput::Capacitance, choices),
            shownEntry(doc, PrimaryInput::Frequency, choices),
            shownEntry(doc, PrimaryInput::SecondaryDiameter, choices),
            primary.ConDiaEntry(),
            primary.ConSpaEntry(),
            primary.SecSepEntry()};
}

void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const PrimaryEntries& entries,
                      Prompts& prompts) {
    wholeOrNothing(doc, [&] {
        CPrimary& primary = doc.primary();
        if (takesEntry(PrimaryInput::Capacitance, choices))
            primary.setC(entries.c);
        if (takesEntry(PrimaryInput::Frequency, choices))
            primary.setFr(entries.fr);
        if (takesEntry(PrimaryInput::SecondaryDiameter, choices))
            primary.setSecDia(entries.secDia);
        setPrimaryChoices(doc.settings(), choices);
        primary.setConDia(entries.conDia);
        primary.setConSpa(entries.conSpa);
        primary.setSecSep(entries.secSep);
        primary.Calculate(doc.settings(), otherModels(doc), entries.fr, prompts);
    });
    doc.setModified(true);
}

} // namespace resonex
