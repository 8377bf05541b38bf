#include "core/summary/Summary.h"

#include "core/document/CFile.h"
#include "core/errors/ResonexError.h"
#include "core/summary/BangSection.h"
#include "core/summary/BurstSection.h"
#include "core/summary/CouplingSection.h"
#include "core/summary/NewLine.h"
#include "core/summary/PowerSection.h"
#include "core/summary/PrimarySection.h"
#include "core/summary/SecondarySection.h"
#include "core/summary/TopLoadSection.h"
#include "core/summary/TransformerSection.h"

#include <utility>

namespace resonex {

namespace {

// A section of the summary: its heading and its body, from the document.
struct Section {
    QString (*title)();
    QString (*text)(const CFile&);
};

// The classic sections, each always there.
const Section kClassicSections[] = {
    {SecondarySectionTitle, SecondarySectionText},
    {PrimarySectionTitle, PrimarySectionText},
    {TransformerSectionTitle, TransformerSectionText},
};
// Those beyond them, each after a blank line and only where its body is not
// empty: a design that uses none of them shows what it always showed.
const Section kAddedSections[] = {
    {TopLoadSectionTitle, TopLoadSectionText}, {CouplingSectionTitle, CouplingSectionText},
    {PowerSectionTitle, PowerSectionText},     {BangSectionTitle, BangSectionText},
    {BurstSectionTitle, BurstSectionText},
};

} // namespace

Summary ComposeSummary(const CFile& doc) {
    try {
        Summary summary{
            {QStringLiteral("Filename: "), true},
            {doc.FileTitle() + kNewLine + kNewLine, false},
        };
        for (const Section& section : kClassicSections)
            summary << SummaryPiece{section.title(), true}
                    << SummaryPiece{section.text(doc), false};
        for (const Section& section : kAddedSections)
            if (QString text = section.text(doc); !text.isEmpty())
                summary << SummaryPiece{kNewLine + kNewLine, false}
                        << SummaryPiece{section.title(), true}
                        << SummaryPiece{std::move(text), false};
        return summary;
    } catch (ResonexError& error) {
        error.setSourceIfEmpty(QStringLiteral("ComposeSummary"));
        throw;
    }
}

QString plainText(const Summary& summary) {
    QString text;
    for (const SummaryPiece& piece : summary)
        text += piece.text;
    return text;
}

} // namespace resonex
