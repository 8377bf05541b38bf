#include "core/model/CTopLoad.h"

#include "core/encoding/ExtensionBlock.h"
#include "core/encoding/FieldReader.h"
#include "core/encoding/FieldWriter.h"
#include "core/errors/ResonexError.h"
#include "core/model/CSecondary.h"
#include "core/model/Calculated.h"
#include "core/model/DimensionProperty.h"
#include "core/physics/TopLoadClearance.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"
#include "core/text/QuantityText.h"
#include "core/text/UnitScale.h"

#include <cmath>

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

float designLength(double metres, bool useMetric) {
    return static_cast<float>(designUnit(useMetric).fromMetres(metres));
}

// A new design's top load: the same sizes in round figures of each unit.
struct Defaults {
    float topDia, tubeDia, topHeight, baseHeight;
};
Defaults defaults(bool useMetric) {
    return useMetric ? Defaults{300.0f, 75.0f, 50.0f, 500.0f} : Defaults{12.0f, 3.0f, 2.0f, 20.0f};
}

// The coil standing on the floor and its top load as the physics takes them,
// each length converted by `length`.
template <typename Length>
physics::Winding windingOf(const CSecondary& secondary, float baseHeight, Length length) {
    return {length(secondary.DiaValue()), length(secondary.HeightValue()), secondary.Turns(),
            length(baseHeight)};
}
template <typename Length> physics::TopLoad loadOf(const CTopLoad& topLoad, Length length) {
    return {topLoad.shape(), length(topLoad.TopDiaValue()), length(topLoad.TubeDiaValue()),
            length(topLoad.TopHeightValue())};
}
auto inMetres(bool useMetric) {
    return [unit = designUnit(useMetric)](float length) { return unit.toMetres(length); };
}

// The clearance takes the very values entered, so that touching is exact.
struct Placed {
    physics::Winding winding;
    physics::TopLoad top;
    bool cutsIntoWinding() const { return physics::cutsIntoWinding(winding, top); }
};
Placed asEntered(const CSecondary& secondary, const CTopLoad& topLoad) {
    const auto same = [](float length) { return double(length); };
    return {windingOf(secondary, topLoad.BaseHeightValue(), same), loadOf(topLoad, same)};
}

ToroidFor toroidFor(const physics::WindingSolution& winding, const physics::TopLoad& like, float hz,
                    bool useMetric) {
    const physics::Solved<physics::TopLoad> toroid = winding.toroidForFrequency(like, hz);
    if (!toroid)
        return {std::nullopt, toroid.why()};
    return {ToroidSize{designLength(toroid->majorDiameter, useMetric),
                       designLength(toroid->minorDiameter, useMetric)}};
}

// The least centre height, to the two decimals a height shows, at which the
// top load stands clear: a figure that, typed, is accepted.
QString clearHeightText(const physics::Winding& winding, physics::TopLoad top) {
    double hundredths = std::ceil(physics::lowestClearHeight(winding, top) * 100);
    // The float of the decimal may fall a hair short of the exact height.
    for (int tries = 0; tries < 3; ++tries, ++hundredths) {
        top.centreAbove = static_cast<float>(hundredths / 100);
        if (!physics::cutsIntoWinding(winding, top))
            break;
    }
    return text::format(static_cast<float>(top.centreAbove), text::Pattern::TwoDecimals);
}

} // namespace

CTopLoad::CTopLoad(bool useMetric) {
    const Defaults start = defaults(useMetric);
    m_topDia = start.topDia;
    m_tubeDia = start.tubeDia;
    m_topHeight = start.topHeight;
    m_baseHeight = start.baseHeight;
}

bool CTopLoad::takes(Shape shape, Input input) {
    switch (input) {
    case Input::TopDia:
        return shape != Shape::None;
    case Input::TubeDia:
        return shape == Shape::Toroid;
    default:
        return true;
    }
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

void CTopLoad::checkClearance(const CSecondary& secondary, bool useMetric) const {
    if (!secondaryCalculated(secondary))
        return;
    const Placed placed = asEntered(secondary, *this);
    if (!placed.cutsIntoWinding())
        return;
    const QString unit = designUnit(useMetric).word();
    throw ResonexError::detailed(
        errors::TopLoadClearance,
        QStringLiteral(": raise its centre from %1 to at least %2 above the winding, or make it "
                       "smaller")
            .arg(TopHeight() + unit, clearHeightText(placed.winding, placed.top) + unit));
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

physics::TopLoad topLoadInMetres(const CTopLoad& topLoad, bool useMetric) {
    return loadOf(topLoad, inMetres(useMetric));
}

physics::Winding windingInMetres(const CSecondary& secondary, const CTopLoad& topLoad,
                                 bool useMetric) {
    return windingOf(secondary, topLoad.BaseHeightValue(), inMetres(useMetric));
}

TopLoadField::TopLoadField(const CTopLoad& topLoad, const CSecondary& secondary, bool useMetric,
                           const physics::Surroundings& around)
    : m_top(topLoadInMetres(topLoad, useMetric)), m_quarWaveFr(secondary.QuarWaveFr()),
      m_targetFr(topLoad.TargetFrValue()), m_useMetric(useMetric) {
    m_results.primaryInField = around.primary.has_value();
    m_results.targetFr = m_targetFr;
    const physics::Winding winding = windingInMetres(secondary, topLoad, useMetric);
    if (!secondaryCalculated(secondary))
        m_results.absent = NoFigures::SecondaryNotCalculated;
    else if (asEntered(secondary, topLoad).cutsIntoWinding() ||
             physics::intrusion(winding, m_top, around) != physics::Intrusion::None)
        m_results.absent = NoFigures::CutsIntoWinding;
    else
        solveOnCoil(winding, around);
    // The solution on the coil gives it too; left absent where the solution
    // cannot take the load alone: no figure to show.
    if (!m_results.freeC)
        if (const physics::Solved<double> freeC = physics::freeSpaceCapacitance(m_top))
            m_results.freeC = static_cast<float>(*freeC);
}

// The figures of the top load on the coil, or absent beyond the range the
// field solution covers (a zero pivot or a figure that cannot be).
void TopLoadField::solveOnCoil(const physics::Winding& winding,
                               const physics::Surroundings& around) {
    // The winding's field is solved once for every question.
    physics::Solved<physics::WindingSolution> solution =
        physics::WindingSolution::of(winding, around);
    const physics::Solved<physics::Resonance> solved =
        solution ? solution->resonance(m_top) : solution.why();
    if (!solved) {
        m_results.absent = NoFigures::OutOfRange;
        return;
    }
    m_results.freeC = static_cast<float>(solved->freeSpaceCapacitance);
    m_results.inPlaceC = static_cast<float>(solved->inPlaceCapacitance);
    m_results.chargeC = static_cast<float>(solved->chargeCapacitance);
    m_results.coilC = static_cast<float>(solved->selfCapacitance);
    m_results.bareFr = static_cast<float>(solved->bareHz);
    m_results.loadedFr = static_cast<float>(solved->loadedHz);
    m_solution.emplace(std::move(*solution));
}

const TopLoadResults& TopLoadField::results(Toroids toroids) {
    if (toroids == Toroids::Sized && m_solution && !m_sized) {
        m_results.forQuarWaveFr = toroidFor(*m_solution, m_top, m_quarWaveFr, m_useMetric);
        if (m_targetFr > 0)
            m_results.forTargetFr = toroidFor(*m_solution, m_top, m_targetFr, m_useMetric);
        m_sized = true;
    }
    return m_results;
}

std::optional<double> TopLoadField::runningFr(double streamerFarads) const {
    if (!m_solution)
        return std::nullopt;
    const physics::Solved<double> hz = m_solution->loadedHzWith(m_top, streamerFarads);
    return hz ? std::optional<double>(*hz) : std::nullopt;
}

TopLoadResults solveTopLoad(const CTopLoad& topLoad, const CSecondary& secondary, bool useMetric,
                            const physics::Surroundings& around) {
    return TopLoadField(topLoad, secondary, useMetric, around).results(Toroids::Sized);
}

} // namespace resonex
