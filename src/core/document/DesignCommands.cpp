#include "core/document/DesignCommands.h"

#include "core/document/CFile.h"
#include "core/errors/ResonexError.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTransformer.h"
#include "core/model/DesignInformation.h"
#include "core/settings/CSettings.h"
#include "core/text/NumberText.h"

namespace resonex {

namespace {

// Runs a command that stores entries and calculates. A failure other than a
// rejected entry (an overflow, a division by zero) puts the design back as it
// was: a calculation either completes or changes nothing.
template <typename Command> void wholeOrNothing(CFile& doc, Command command) {
    const CSecondary secondary = doc.secondary();
    const CPrimary primary = doc.primary();
    const CTransformer transformer = doc.transformer();
    const CSettings& settings = doc.settings();
    const PrimaryChoices choices{settings.UsePriC(), settings.UseSecFr(), settings.UseSecDia()};
    try {
        command();
    } catch (const ResonexError& error) {
        if (!isInputError(error.number())) {
            doc.secondary() = secondary;
            doc.primary() = primary;
            doc.transformer() = transformer;
            doc.settings().setUsePriC(choices.usePriC);
            doc.settings().setUseSecFr(choices.useSecFr);
            doc.settings().setUseSecDia(choices.useSecDia);
        }
        throw;
    }
}

// A box left empty rather than showing a value of 0.
QString emptyWhenZero(const QString& shown) {
    return text::toSingle(shown) == 0.0f ? QString() : shown;
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
    doc.setModified(true);
    if (doc.settings().UseSecFr() == 1 || doc.settings().UseSecDia() == 1)
        doc.primary().setCalcsInvalid(true);
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
    doc.setModified(true);
    if (doc.settings().UsePriC() == 1)
        doc.primary().setCalcsInvalid(true);
}

void mainsFrequencyChanged(CFile& doc) {
    // Out of date even when the capacitor cannot be recalculated.
    doc.primary().setCalcsInvalid(true);
    if (doc.transformer().C() != 0)
        doc.transformer().CalcCap(doc.settings().Use50Hz());
}

bool canUsePriC(const CFile& doc) { return doc.transformer().C() != 0; }

bool canUseSecFr(const CFile& doc) { return doc.secondary().NatFr() != 0; }

PrimaryChoices offeredChoices(const CFile& doc) {
    const CSettings& settings = doc.settings();
    return {canUsePriC(doc) ? settings.UsePriC() : qint16(0),
            canUseSecFr(doc) ? settings.UseSecFr() : qint16(0), settings.UseSecDia()};
}

QString shownCapacitance(const CFile& doc, qint16 usePriC) {
    return usePriC == 1 ? matchedCapacitanceText(doc.transformer())
                        : emptyWhenZero(doc.primary().CEntry());
}

QString shownFrequency(const CFile& doc, qint16 useSecFr) {
    return useSecFr == 1 ? quarterWaveFrequencyText(doc.secondary())
                         : emptyWhenZero(doc.primary().frEntry());
}

QString shownSecondaryDiameter(const CFile& doc, qint16 useSecDia) {
    return useSecDia == 1 ? text::format(text::toSingle(doc.secondary().Dia()),
                                         text::Pattern::UpToFourDecimals)
                          : emptyWhenZero(doc.primary().SecDiaEntry());
}

PrimaryEntries shownEntries(const CFile& doc, const PrimaryChoices& choices) {
    const CPrimary& primary = doc.primary();
    return {shownCapacitance(doc, choices.usePriC),
            shownFrequency(doc, choices.useSecFr),
            shownSecondaryDiameter(doc, choices.useSecDia),
            primary.ConDiaEntry(),
            primary.ConSpaEntry(),
            primary.SecSepEntry()};
}

void calculatePrimary(CFile& doc, const PrimaryChoices& choices, const PrimaryEntries& entries,
                      Prompts& prompts) {
    wholeOrNothing(doc, [&] {
        CPrimary& primary = doc.primary();
        CSettings& settings = doc.settings();
        if (choices.usePriC == 0)
            primary.setC(entries.c);
        if (choices.useSecFr == 0)
            primary.setFr(entries.fr);
        if (choices.useSecDia == 0)
            primary.setSecDia(entries.secDia);
        settings.setUsePriC(choices.usePriC);
        settings.setUseSecFr(choices.useSecFr);
        settings.setUseSecDia(choices.useSecDia);
        primary.setConDia(entries.conDia);
        primary.setConSpa(entries.conSpa);
        primary.setSecSep(entries.secSep);
        primary.Calculate(settings, doc.secondary(), doc.transformer(), entries.fr, prompts);
    });
    doc.setModified(true);
}

} // namespace resonex
