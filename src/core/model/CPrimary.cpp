#include "core/model/CPrimary.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/CSecondary.h"
#include "core/model/CTransformer.h"
#include "core/model/Constants.h"
#include "core/model/DimensionProperty.h"
#include "core/platform/Prompts.h"
#include "core/settings/CSettings.h"
#include "core/text/AppInfo.h"
#include "core/text/NumberText.h"
#include "core/text/Real.h"
#include "core/text/UnitScale.h"

namespace resonex {

namespace {

constexpr int kTurns = 15;

// A whole number as the listing and the sentence write it: a leading space
// where a minus sign would stand.
QString spacedNumber(int value) {
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

// Spaces between the turn number and its inductance, so that the values line
// up whatever their width; an unexpected width reuses the previous run.
int spacesBefore(qsizetype valueLength, int turn, int previous) {
    const int narrowing = turn >= 10 ? 2 : 0;
    switch (valueLength) {
    case 4:
        return 11 - narrowing;
    case 5:
        return 9 - narrowing;
    case 6:
        return 7 - narrowing;
    case 7:
        return 5 - narrowing;
    default:
        return previous;
    }
}

} // namespace

CPrimary::CPrimary(bool useMetric)
    : m_conDia(useMetric ? 9.5f : 0.374f), m_conSpa(useMetric ? 9.5f : 0.374f),
      m_secSep(useMetric ? 62.5f : 2.46f) {}

void CPrimary::Calculate(const CSettings& settings, const CSecondary& secondary,
                         const CTransformer& transformer, const QString& frText, Prompts& prompts) {
    QString listing;
    int tap = 0;
    try {
        const float secDia = settings.UseSecDia() == 1 ? text::toSingle(secondary.Dia()) : m_secDia;
        const float f = settings.UseSecFr() == 1 ? secondary.QuarWaveFr() : m_fr;
        const float cp = settings.UsePriC() == 1 ? transformer.C() : m_c;
        const float lRequired =
            (power(Real(1.0) / (Real(kTwoPi) * f), 2.0) * (Real(1.0) / cp)).toSingle();

        // The formula works in inches.
        const double unit = settings.UseMetric() ? 25.4 : 1.0;
        const Real d = Real(m_conDia) / unit;
        const Real s = Real(m_conSpa) / unit;
        const Real g = Real(m_secSep) / unit;
        const Real outer = Real(secDia) / unit;

        int spaces = 0;
        for (int n = 1; n <= kTurns; ++n) {
            const float w = (Real(n) * d + Real(n - 1) * s).toSingle();
            const float r = (outer / 2.0 + g + Real(w) / 2.0).toSingle();
            const float microhenries =
                ((Real(r) * r) * (Real(n) * n) / (Real(8.0) * r + Real(11.0) * w)).toSingle();
            // Equality is not enough: the tap turn is the first to exceed.
            if (tap == 0 && (Real(microhenries) * 1e-6f).toSingle() > lRequired)
                tap = n;

            const QString value = text::format(microhenries, text::Pattern::TwoDecimals);
            spaces = spacesBefore(value.size(), n, spaces);
            listing += QStringLiteral(" Turn ") + spacedNumber(n) + QString(spaces, u' ') + value +
                       QStringLiteral("uH");
            if (n < kTurns)
                listing += QStringLiteral("\r\n");
        }
    } catch (ResonexError& error) {
        error.setSourceIfEmpty(QStringLiteral("CPrimary::Calculate"));
        throw;
    }

    if (tap != 0) {
        m_lPerTurn = listing;
        m_results = QStringLiteral("The primary will need to be tapped between turn") +
                    spacedNumber(tap - 1) + QStringLiteral(" and turn") + spacedNumber(tap) +
                    QStringLiteral(" to form a resonant circuit at ") + frText +
                    QStringLiteral("kHz");
    } else {
        prompts.tell(QString::fromLatin1(kAppTitle), kTurnLimitMessage, Prompts::Icon::Critical);
        m_lPerTurn.clear();
        m_results.clear();
    }
    m_calcsInvalid = false;
}

QString CPrimary::C() const {
    return text::format(scale::toMicrofarads(m_c), text::Pattern::UpToFourDecimals);
}
void CPrimary::setC(const QString& text) {
    const float microfarads = dimension::wholeNumber(text, errors::PrimaryC);
    m_c = dimension::scaled(microfarads, scale::fromMicrofarads, errors::PrimaryC);
}

QString CPrimary::fr() const {
    return text::format(scale::toKilohertz(m_fr), text::Pattern::Fixed);
}
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
