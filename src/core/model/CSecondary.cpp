#include "core/model/CSecondary.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/Constants.h"
#include "core/model/DimensionProperty.h"
#include "core/physics/WindingFormulas.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/Real.h"

namespace resonex {

namespace {

// The quarter wave takes feet to metres with the figure rounded to six
// digits, not by the foot's exact 0.3048 m.
constexpr double kFeetPerMetreAsRounded = 3.28084;

QString dimensionText(float value) { return text::format(value, text::Pattern::UpToFourDecimals); }
QString dimensionEntry(float value) {
    return text::entryText(value, text::Pattern::UpToFourDecimals);
}

} // namespace

CSecondary::CSecondary(bool useMetric)
    : m_height(useMetric ? 600.0f : 23.622f), m_dia(useMetric ? 200.0f : 7.874f),
      m_wireDia(useMetric ? 0.72f : 0.0283f) {}

void CSecondary::Calculate(bool useMetric) {
    try {
        const Real h = m_height;
        const Real d = m_dia;

        m_aspectRatio = (h / d).toSingle();
        m_turns = (h / (Real(m_wireDia) + m_wireSpa)).toSingle();
        const Real n = m_turns;

        // In metres or feet: millimetres over 1000, inches over 12.
        m_wireLength = (d * kPi * n / wireUnit(useMetric).in(designUnit(useMetric))).toSingle();
        const Real length = m_wireLength;

        m_quarWaveFr = (useMetric ? Real(75000000.0) / length
                                  : Real(75000000.0) / (length / kFeetPerMetreAsRounded))
                           .toSingle();

        // N·D in metres: millimetres over 1000, inches times 0.0254.
        m_natFr =
            physics::natFrHertz(Real(m_aspectRatio), useMetric ? n * d / kMetre.in(kMillimetre)
                                                               : n * d * kInch.in(kMetre))
                .toSingle();

        // Wheeler works in inches: millimetres over 25.4.
        const double perInch = kInch.in(designUnit(useMetric));
        const Real r = d * 0.5 / perInch;
        const Real len = h / perInch;
        m_l = (physics::wheelerMicrohenries(r, n, len) / 1000000.0).toSingle();

        const Real natFr = m_natFr;
        const Real l = m_l;
        m_selfC = (Real(1.0) / (Real(2.0) * (natFr * kTwoPi * l) * kPi * natFr)).toSingle();
        m_torC = (power(Real(1.0) / (Real(m_quarWaveFr) * kTwoPi), 2.0) / l - m_selfC).toSingle();
    } catch (ResonexError& error) {
        error.setSourceIfEmpty(QStringLiteral("CSecondary::Calculate"));
        throw;
    }
}

QString CSecondary::Height() const { return dimensionText(m_height); }
void CSecondary::setHeight(const QString& text) {
    m_height = dimension::leadingNumber(text, errors::SecondaryHeight);
}

QString CSecondary::Dia() const { return dimensionText(m_dia); }
void CSecondary::setDia(const QString& text) {
    m_dia = dimension::leadingNumber(text, errors::SecondaryDia);
}

QString CSecondary::WireDia() const { return dimensionText(m_wireDia); }
void CSecondary::setWireDia(const QString& text) {
    m_wireDia = dimension::leadingNumber(text, errors::SecondaryWireDia);
}

QString CSecondary::WireSpa() const { return dimensionText(m_wireSpa); }
void CSecondary::setWireSpa(const QString& text) {
    m_wireSpa =
        dimension::leadingNumber(text, errors::SecondaryWireSpa, dimension::Bound::ZeroOrMore);
}

QString CSecondary::HeightEntry() const { return dimensionEntry(m_height); }
QString CSecondary::DiaEntry() const { return dimensionEntry(m_dia); }
QString CSecondary::WireDiaEntry() const { return dimensionEntry(m_wireDia); }
QString CSecondary::WireSpaEntry() const { return dimensionEntry(m_wireSpa); }

void CSecondary::ReadObjects(FieldReader& reader) {
    for (float* field : {&m_height, &m_dia, &m_wireDia, &m_wireSpa, &m_turns, &m_wireLength, &m_l,
                         &m_natFr, &m_quarWaveFr, &m_selfC, &m_torC, &m_aspectRatio})
        *field = reader.readSingle();
}

void CSecondary::WriteObjects(FieldWriter& writer) const {
    for (float field : {m_height, m_dia, m_wireDia, m_wireSpa, m_turns, m_wireLength, m_l, m_natFr,
                        m_quarWaveFr, m_selfC, m_torC, m_aspectRatio})
        writer.writeSingle(field);
}

} // namespace resonex
