#include "core/model/CTopLoad.h"

#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/CSecondary.h"
#include "core/model/DesignInformation.h"
#include "core/model/DimensionProperty.h"
#include "core/text/NumberText.h"
#include "core/text/UnitScale.h"

namespace resonex {

namespace {

QString dimensionEntry(float value) {
    return text::entryText(value, text::Pattern::UpToFourDecimals);
}

// Metres in a length of the design's unit.
double metres(float length, bool useMetric) {
    return useMetric ? length / 1000.0 : length * 0.0254;
}
float designLength(double metres, bool useMetric) {
    return static_cast<float>(useMetric ? metres * 1000.0 : metres / 0.0254);
}

struct Defaults {
    float topDia, tubeDia, topHeight, baseHeight;
};
Defaults defaults(bool useMetric) {
    return useMetric ? Defaults{300.0f, 75.0f, 50.0f, 500.0f}
                     : Defaults{11.811f, 2.9528f, 1.9685f, 19.685f};
}

[[noreturn]] void unreadable(const QString& description) {
    throw ResonexError::detailed(errors::ReadFailed, description);
}

std::optional<ToroidSize> toroidFor(const physics::WindingSolution& winding,
                                    const physics::TopLoad& like, float hz, bool useMetric) {
    if (hz <= 0)
        return std::nullopt;
    const std::optional<physics::TopLoad> toroid = winding.toroidForFrequency(like, hz);
    if (!toroid)
        return std::nullopt;
    return ToroidSize{designLength(toroid->majorDiameter, useMetric),
                      designLength(toroid->minorDiameter, useMetric)};
}

} // namespace

CTopLoad::CTopLoad(bool useMetric) {
    const Defaults start = defaults(useMetric);
    m_topDia = start.topDia;
    m_tubeDia = start.tubeDia;
    m_topHeight = start.topHeight;
    m_baseHeight = start.baseHeight;
}

QString CTopLoad::TopDia() const { return lengthText(m_topDia); }
void CTopLoad::setTopDia(const QString& text) {
    m_topDia = dimension::leadingNumber(text, errors::TopLoadTopDia);
}

QString CTopLoad::TubeDia() const { return lengthText(m_tubeDia); }
void CTopLoad::setTubeDia(const QString& text) {
    m_tubeDia = dimension::leadingNumber(text, errors::TopLoadTubeDia);
}

QString CTopLoad::TopHeight() const { return lengthText(m_topHeight); }
void CTopLoad::setTopHeight(const QString& text) {
    m_topHeight =
        dimension::leadingNumber(text, errors::TopLoadTopHeight, dimension::Bound::ZeroOrMore);
}

QString CTopLoad::BaseHeight() const { return lengthText(m_baseHeight); }
void CTopLoad::setBaseHeight(const QString& text) {
    m_baseHeight =
        dimension::leadingNumber(text, errors::TopLoadBaseHeight, dimension::Bound::ZeroOrMore);
}

QString CTopLoad::TargetFr() const { return kilohertzText(m_targetFr); }
void CTopLoad::setTargetFr(const QString& text) {
    if (text.trimmed().isEmpty()) {
        m_targetFr = 0;
        return;
    }
    const float kilohertz =
        dimension::leadingNumber(text, errors::TopLoadTargetFr, dimension::Bound::ZeroOrMore);
    m_targetFr = dimension::scaled(kilohertz, scale::fromKilohertz, errors::TopLoadTargetFr);
}

QString CTopLoad::TopDiaEntry() const { return dimensionEntry(m_topDia); }
QString CTopLoad::TubeDiaEntry() const { return dimensionEntry(m_tubeDia); }
QString CTopLoad::TopHeightEntry() const { return dimensionEntry(m_topHeight); }
QString CTopLoad::BaseHeightEntry() const { return dimensionEntry(m_baseHeight); }
QString CTopLoad::TargetFrEntry() const {
    if (m_targetFr == 0)
        return {};
    return text::entryText(m_targetFr, text::Pattern::Fixed, scale::toKilohertz,
                           scale::fromKilohertz);
}

void CTopLoad::checkShape() const {
    if (m_shape == Shape::Toroid && !(2 * m_tubeDia <= m_topDia))
        throw ResonexError(errors::TopLoadTubeDia);
}

const TopLoadResults& CTopLoad::Results(const CSecondary& secondary, bool useMetric) const {
    const Inputs inputs{secondary.DiaValue(),
                        secondary.HeightValue(),
                        secondary.Turns(),
                        m_shape,
                        m_topDia,
                        m_tubeDia,
                        m_topHeight,
                        m_baseHeight,
                        m_targetFr,
                        useMetric};
    if (m_solvedFor == inputs)
        return m_results;
    m_solvedFor = inputs;
    m_results = {};
    if (secondary.Turns() == 0)
        return m_results;

    // The winding's field is solved once for the three questions.
    const physics::WindingSolution winding({metres(inputs.secDia, useMetric),
                                            metres(inputs.secHeight, useMetric), inputs.turns,
                                            metres(m_baseHeight, useMetric)});
    const physics::TopLoad top{m_shape, metres(m_topDia, useMetric), metres(m_tubeDia, useMetric),
                               metres(m_topHeight, useMetric)};
    const physics::Resonance solved = winding.resonance(top);
    m_results.freeC = static_cast<float>(solved.freeSpaceCapacitance);
    m_results.inPlaceC = static_cast<float>(solved.inPlaceCapacitance);
    m_results.coilC = static_cast<float>(solved.selfCapacitance);
    m_results.bareFr = static_cast<float>(solved.bareHz);
    m_results.loadedFr = static_cast<float>(solved.loadedHz);
    m_results.forQuarWaveFr = toroidFor(winding, top, secondary.QuarWaveFr(), useMetric);
    m_results.forTargetFr = toroidFor(winding, top, m_targetFr, useMetric);
    return m_results;
}

bool CTopLoad::isNew(bool useMetric) const {
    const Defaults start = defaults(useMetric);
    return m_shape == Shape::None && m_topDia == start.topDia && m_tubeDia == start.tubeDia &&
           m_topHeight == start.topHeight && m_baseHeight == start.baseHeight && m_targetFr == 0;
}

void CTopLoad::ReadObjects(FieldReader& reader) {
    const qint16 shape = reader.readInteger();
    if (shape != qint16(Shape::None) && shape != qint16(Shape::Toroid) &&
        shape != qint16(Shape::Sphere))
        unreadable(QStringLiteral("Unknown top load shape %1").arg(shape));
    m_shape = Shape(shape);
    for (float* field : {&m_topDia, &m_tubeDia, &m_topHeight, &m_baseHeight, &m_targetFr})
        *field = reader.readSingle();
    // Values no entry could have stored would feed the field solution nonsense.
    if (!(m_topDia > 0 && m_tubeDia > 0 && m_topHeight >= 0 && m_baseHeight >= 0 &&
          m_targetFr >= 0))
        unreadable(QStringLiteral("Top load dimension out of range"));
    checkShape();
}

void CTopLoad::WriteObjects(FieldWriter& writer) const {
    writer.writeInteger(qint16(m_shape));
    for (float field : {m_topDia, m_tubeDia, m_topHeight, m_baseHeight, m_targetFr})
        writer.writeSingle(field);
}

} // namespace resonex
