#include "core/model/CPrimary.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/DimensionProperty.h"
#include "core/model/FlatSpiral.h"
#include "core/model/PrimarySources.h"
#include "core/platform/Prompts.h"
#include "core/settings/CSettings.h"
#include "core/text/AppInfo.h"
#include "core/text/NumberText.h"
#include "core/text/PrimaryResultTexts.h"
#include "core/text/QuantityText.h"
#include "core/text/UnitScale.h"

#include <QScopeGuard>

namespace resonex {

CPrimary::CPrimary(bool useMetric)
    : m_conDia(useMetric ? 9.5f : 0.374f), m_conSpa(useMetric ? 9.5f : 0.374f),
      m_secSep(useMetric ? 62.5f : 2.46f) {}

SpiralTurns CPrimary::spiral(const CSettings& settings, const DesignBasis& from) const {
    const PrimaryInputs inputs(primaryChoices(settings), *this, from);
    return flatSpiral({inputs.used(Input::C), inputs.used(Input::Fr), m_conDia, m_conSpa, m_secSep,
                       inputs.used(Input::SecDia), settings.UseMetric()});
}

QString CPrimary::sentence(const SpiralTurns& turns, const QString& frText) {
    return turns.tap != 0 ? tappingSentence(turns.tap, frText) : QString();
}

void CPrimary::Calculate(const CSettings& settings, const DesignBasis& from, const QString& frText,
                         Prompts& prompts, bool builtOtherwise) {
    SpiralTurns turns;
    try {
        turns = spiral(settings, from);
    } catch (ResonexError& error) {
        error.setSourceIfEmpty(QStringLiteral("CPrimary::Calculate"));
        throw;
    }

    if (turns.tap != 0) {
        m_lPerTurn = turnListing(turns.microhenries);
        m_results = sentence(turns, frText);
    } else {
        if (!builtOtherwise)
            prompts.tell(QString::fromLatin1(kAppTitle), kTurnLimitMessage,
                         Prompts::Icon::Critical);
        m_lPerTurn.clear();
        m_results.clear();
    }
    m_listing = listingOf(turns);
    m_calcsInvalid = false;
}

bool CPrimary::resultsStand(const CSettings& settings, const DesignBasis& from,
                            const QString& frText) const {
    try {
        return sentence(spiral(settings, from), frText) == m_results;
    } catch (const ResonexError&) {
        return false;
    }
}

QString CPrimary::C() const { return microfaradsText(m_c); }
void CPrimary::setC(const QString& text) {
    const float microfarads = dimension::wholeNumber(text, errors::PrimaryC);
    m_c = dimension::scaled(microfarads, scale::fromMicrofarads, errors::PrimaryC);
}

QString CPrimary::fr() const { return kilohertzText(m_fr); }
void CPrimary::setFr(const QString& text) {
    const float kilohertz = dimension::wholeNumber(text, errors::PrimaryFr);
    m_fr = dimension::scaled(kilohertz, scale::fromKilohertz, errors::PrimaryFr);
}

QString CPrimary::ConDia() const { return text::format(m_conDia, text::Pattern::TwoDecimals); }
void CPrimary::setConDia(const QString& text) {
    m_conDia = dimension::leadingNumber(text, errors::PrimaryConDia);
}

QString CPrimary::ConSpa() const { return text::format(m_conSpa, text::Pattern::TwoDecimals); }
void CPrimary::setConSpa(const QString& text) {
    m_conSpa = dimension::leadingNumber(text, errors::PrimaryConSpa);
}

QString CPrimary::SecSep() const { return text::format(m_secSep, text::Pattern::TwoDecimals); }
void CPrimary::setSecSep(const QString& text) {
    m_secSep = dimension::leadingNumber(text, errors::PrimarySecSep);
}

QString CPrimary::SecDia() const { return text::format(m_secDia, text::Pattern::UpToFiveDecimals); }
void CPrimary::setSecDia(const QString& text) {
    m_secDia = dimension::leadingNumber(text, errors::PrimarySecDia);
}

QString CPrimary::CEntry() const {
    return text::entryText(m_c, text::Pattern::UpToFourDecimals, scale::toMicrofarads,
                           scale::fromMicrofarads);
}
QString CPrimary::frEntry() const {
    return text::entryText(m_fr, text::Pattern::Fixed, scale::toKilohertz, scale::fromKilohertz);
}
QString CPrimary::ConDiaEntry() const {
    return text::entryText(m_conDia, text::Pattern::TwoDecimals);
}
QString CPrimary::ConSpaEntry() const {
    return text::entryText(m_conSpa, text::Pattern::TwoDecimals);
}
QString CPrimary::SecSepEntry() const {
    return text::entryText(m_secSep, text::Pattern::TwoDecimals);
}
QString CPrimary::SecDiaEntry() const {
    return text::entryText(m_secDia, text::Pattern::UpToFiveDecimals);
}

void CPrimary::ReadObjects(FieldReader& reader) {
    // The results' numbers read once from the texts, wherever a damaged file
    // ends them.
    const auto readListingOnExit =
        qScopeGuard([this] { m_listing = readListing(m_lPerTurn, m_results); });
    m_c = reader.readSingle();
    m_fr = reader.readSingle();
    m_conDia = reader.readSingle();
    m_conSpa = reader.readSingle();
    m_secSep = reader.readSingle();
    m_lPerTurn = reader.readText();
    m_secDia = reader.readSingle();
    m_results = reader.readText();
    m_calcsInvalid = reader.readBoolean();
}

void CPrimary::WriteObjects(FieldWriter& writer) const {
    writer.writeSingle(m_c);
    writer.writeSingle(m_fr);
    writer.writeSingle(m_conDia);
    writer.writeSingle(m_conSpa);
    writer.writeSingle(m_secSep);
    writer.writeText(m_lPerTurn);
    writer.writeSingle(m_secDia);
    writer.writeText(m_results);
    writer.writeBoolean(m_calcsInvalid);
}

} // namespace resonex
