#include "core/model/CTopLoad.h"

#include "core/encoding/ExtensionBlock.h"
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

// An entry checked as typed, then as stored.
float entered(const QString& text, const ErrorInfo& error,
              dimension::Bound bound = dimension::Bound::Positive) {
    return dimension::storable(dimension::leadingNumber(text, error, bound), error, bound);
}

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
void CTopLoad::setTopDia(const QString& text) { m_topDia = entered(text, errors::TopLoadTopDia); }

QString CTopLoad::TubeDia() const { return lengthText(m_tubeDia); }
void CTopLoad::setTubeDia(const QString& text) {
    m_tubeDia = entered(text, errors::TopLoadTubeDia);
}

QString CTopLoad::TopHeight() const { return lengthText(m_topHeight); }
void CTopLoad::setTopHeight(const QString& text) {
    m_topHeight = entered(text, errors::TopLoadTopHeight, dimension::Bound::ZeroOrMore);
}

QString CTopLoad::BaseHeight() const { return lengthText(m_baseHeight); }
void CTopLoad::setBaseHeight(const QString& text) {
    m_baseHeight = entered(text, errors::TopLoadBaseHeight, dimension::Bound::ZeroOrMore);
}

QString CTopLoad::TargetFr() const { return kilohertzText(m_targetFr); }
void CTopLoad::setTargetFr(const QString& text) {
    if (text.trimmed().isEmpty()) {
        m_targetFr = 0;
        return;
    }
    const float kilohertz =
        dimension::leadingNumber(text, errors::TopLoadTargetFr, dimension::Bound::ZeroOrMore);
    m_targetFr = dimension::storable(
        dimension::scaled(kilohertz, scale::fromKilohertz, errors::TopLoadTargetFr),
        errors::TopLoadTargetFr, dimension::Bound::ZeroOrMore);
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

bool CTopLoad::tubeFits() const { return m_shape != Shape::Toroid || 2 * m_tubeDia <= m_topDia; }

void CTopLoad::checkShape() const {
    if (!tubeFits())
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

bool CTopLoad::ReadObjects(FieldReader& reader) {
    const ToroidSize start{m_topDia, m_tubeDia};
    qint16 shape = qint16(m_shape);
    bool whole = extension::readValue(reader, shape, &FieldReader::readInteger, [](qint16 value) {
        return value == qint16(Shape::None) || value == qint16(Shape::Toroid) ||
               value == qint16(Shape::Sphere);
    });
    m_shape = Shape(shape);
    // Each value as its entry would store it.
    const auto read = [&reader](float& field, dimension::Bound bound) {
        return extension::readValue(reader, field, &FieldReader::readSingle, [bound](float value) {
            return dimension::isStorable(value, bound);
        });
    };
    using dimension::Bound;
    whole = read(m_topDia, Bound::Positive) && whole;
    whole = read(m_tubeDia, Bound::Positive) && whole;
    whole = read(m_topHeight, Bound::ZeroOrMore) && whole;
    whole = read(m_baseHeight, Bound::ZeroOrMore) && whole;
    whole = read(m_targetFr, Bound::ZeroOrMore) && whole;
    // The tube is the value blamed for a toroid that does not fit, as on
    // entry; should the tube it keeps not fit the overall diameter either,
    // that goes too.
    if (!tubeFits()) {
        whole = false;
        m_tubeDia = start.tubeDia;
        if (!tubeFits())
            m_topDia = start.topDia;
    }
    return whole;
}

void CTopLoad::WriteObjects(FieldWriter& writer) const {
    writer.writeInteger(qint16(m_shape));
    for (float field : {m_topDia, m_tubeDia, m_topHeight, m_baseHeight, m_targetFr})
        writer.writeSingle(field);
}

} // namespace resonex
