#include "core/drawing/DesignDrawing.h"

#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/Calculated.h"
#include "core/model/PrimaryListing.h"
#include "core/text/LengthUnit.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace resonex {

namespace {

// A thin winding would vanish into its outline: its layer is drawn at least
// this part of the diameter thick.
constexpr double kLeastWindingPart = 1.0 / 40;
// Dimension lines stand off the drawing by this part of its larger extent.
constexpr double kGapPart = 0.05;
// The scale bar is at most this part of the drawing's larger extent.
constexpr double kScalePart = 0.25;
// An empty height more than this many times the largest part is drawn as
// long as that part, and broken.
constexpr double kLongestGap = 3;
// A part whose larger extent is under this part of the drawing's is lost.
constexpr double kLeastSeen = 1.0 / 150;
// A part of the surroundings is drawn within this many times the coil's
// larger extent of the floor under the axis.
constexpr double kFarthestDrawn = 2;

QString lengthText(double value, bool useMetric) {
    return text::format(float(value), text::Pattern::TwoDecimals) + designUnit(useMetric).word();
}

QRectF boxOf(const DrawnCircle& circle) {
    const double r = circle.radius;
    return {circle.centre.x() - r, circle.centre.y() - r, 2 * r, 2 * r};
}

// The largest of 1, 2 and 5 times a power of ten not above the length.
double roundLength(double length) {
    const double decade = std::pow(10.0, std::floor(std::log10(length)));
    for (const double step : {5.0, 2.0})
        if (step * decade <= length)
            return step * decade;
    return decade;
}

void addWinding(DesignDrawing& drawing, const CSecondary& secondary, double base) {
    const double r = secondary.DiaValue() / 2.0;
    const double layer =
        std::max(double(secondary.WireDiaValue()), secondary.DiaValue() * kLeastWindingPart);
    const double height = secondary.HeightValue();
    drawing.winding = {QRectF(-r, base, layer, height), QRectF(r - layer, base, layer, height)};
}

// The turns drawn: each side of the axis, those before the tap in the circuit
// and the tap on the turn after it (turns count from 1; 0 is no tap).
void addTurns(DesignDrawing& drawing, const QList<QPointF>& centres, double radius, int tapTurn) {
    for (int turn = 1; turn <= centres.size(); ++turn) {
        const QPointF& centre = centres[turn - 1];
        const bool inCircuit = turn < tapTurn;
        for (const double side : {-centre.x(), centre.x()})
            drawing.primaryTurns.append({{QPointF(side, centre.y()), radius}, inCircuit});
        if (turn == tapTurn)
            drawing.taps = {QPointF(-centre.x(), centre.y()), centre};
    }
}

// Each turn's centre lies a conductor and a spacing beyond the one before,
// the first one the separation and half a conductor out from the winding:
// the drawn one, or without it the diameter the primary was entered with.
// A primary as built stands where it was built.
void addPrimary(DesignDrawing& drawing, const CPrimary& primary,
                const std::optional<BuiltPrimary>& built, double secondaryDia, double base) {
    const double radius = primary.ConDiaValue() / 2.0;
    QList<QPointF> centres;
    if (built) {
        for (const QPointF& turn : built->turns)
            centres << QPointF(turn.x(), base + turn.y());
        addTurns(drawing, centres, radius, built->tapTurn ? int(*built->tapTurn) + 1 : 0);
        return;
    }
    const double first = secondaryDia / 2.0 + primary.SecSepValue() + radius;
    const double pitch = primary.ConDiaValue() + primary.ConSpaValue();
    for (qsizetype turn = 0; turn < primary.listing().turns.size(); ++turn)
        centres << QPointF(first + double(turn) * pitch, base);
    // The tap falls on the later of the two turns the sentence names.
    const std::optional<Tap>& tapped = primary.listing().tap;
    addTurns(drawing, centres, radius, tapped ? tapped->beforeTurn : 0);
}

void addTopLoad(DesignDrawing& drawing, const CTopLoad& topLoad, double centreHeight) {
    const double dia = topLoad.TopDiaValue();
    if (topLoad.shape() == CTopLoad::Shape::Sphere) {
        drawing.topLoad = {{QPointF(0, centreHeight), dia / 2.0}};
        return;
    }
    const double tube = topLoad.TubeDiaValue();
    const double x = (dia - tube) / 2.0;
    drawing.topLoad = {{QPointF(-x, centreHeight), tube / 2.0},
                       {QPointF(x, centreHeight), tube / 2.0}};
}

QRectF shapesBounds(const DesignDrawing& drawing) {
    QRectF bounds;
    for (const QRectF& side : drawing.winding)
        bounds |= side;
    for (const PrimaryTurn& turn : drawing.primaryTurns)
        bounds |= boxOf(turn.section);
    for (const DrawnCircle& circle : drawing.topLoad)
        bounds |= boxOf(circle);
    for (const DrawnCircle& circle : drawing.rail)
        bounds |= boxOf(circle);
    // The floor is always in the picture.
    return bounds | QRectF(bounds.left(), 0, bounds.width(), 0);
}

// The ceiling's height and the walls' distance as drawn, 0 for none.
struct Room {
    double ceiling = 0;
    double walls = 0;
};

// The parts of the surroundings near the coil: the rail's sections, and the
// room returned; a note names those too far away, or, for the ceiling, above
// heights drawn shortened. Each is near by its clearance from the coil, so a
// ceiling over a tall coil is judged as walls beside a wide one.
Room addSurroundings(DesignDrawing& drawing, const physics::Surroundings& around, double base,
                     bool toScale) {
    const QRectF coil = shapesBounds(drawing);
    const double reach = kFarthestDrawn * std::max(coil.width(), coil.height());
    const QRectF near(coil.left() - reach, 0, coil.width() + 2 * reach, coil.bottom() + reach);
    QStringList farAway;
    if (const std::optional<physics::StrikeRail>& rail = around.rail) {
        const double r = rail->diameter / 2;
        const DrawnCircle right{QPointF(r, base + rail->height), rail->conductor / 2};
        if (near.contains(boxOf(right))) {
            drawing.rail = {{QPointF(-r, right.centre.y()), right.radius}, right};
            drawing.labels << Label{QLineF(right.centre, right.centre), right.radius,
                                    QStringLiteral("strike rail")};
        } else {
            farAway << QStringLiteral("the strike rail");
        }
    }
    Room room;
    if (around.ceiling > 0 && (!toScale || around.ceiling > near.bottom()))
        farAway << QStringLiteral("the ceiling");
    else
        room.ceiling = around.ceiling;
    if (around.walls > near.right())
        farAway << QStringLiteral("the walls");
    else
        room.walls = around.walls;
    if (!farAway.isEmpty())
        drawing.notes << QStringLiteral("Too far from the coil to be drawn: %1.")
                             .arg(farAway.join(QStringLiteral(", ")));
    return room;
}

// The ceiling across the drawing, the walls from the floor up to it or to the
// drawing's top, each named: the walls by the right one, read from its top.
void addRoom(DesignDrawing& drawing, const Room& room, double top) {
    if (room.walls > 0) {
        const double height = room.ceiling > 0 ? room.ceiling : top;
        for (const double x : {-room.walls, room.walls})
            drawing.room << QLineF(x, 0, x, height);
        drawing.labels << Label{QLineF(room.walls, height, room.walls, 0), 0,
                                QStringLiteral("walls")};
    }
    if (room.ceiling > 0) {
        drawing.room << QLineF(drawing.floorLeft, room.ceiling, drawing.floorRight, room.ceiling);
        drawing.labels << Label{
            QLineF(drawing.floorRight, room.ceiling, drawing.floorLeft, room.ceiling), 0,
            QStringLiteral("ceiling")};
    }
}

// The heights of the winding's base above the floor and of the top load's
// centre above the winding's top.
struct Heights {
    double base;
    double topHeight;
    bool operator==(const Heights&) const = default;
};

void addShapes(DesignDrawing& drawing, const CSecondary& secondary, const CPrimary& primary,
               const CTopLoad& topLoad, const std::optional<BuiltPrimary>& built,
               const Heights& heights) {
    if (secondaryCalculated(secondary))
        addWinding(drawing, secondary, heights.base);
    if (primaryCalculated(primary) && (built || !primary.LPerTurn().isEmpty()))
        addPrimary(drawing, primary, built,
                   drawing.winding.isEmpty() ? primary.SecDiaValue() : secondary.DiaValue(),
                   heights.base);
    if (topLoad.isSet())
        addTopLoad(drawing, topLoad, heights.base + secondary.HeightValue() + heights.topHeight);
}

double topLoadRadius(const DesignDrawing& drawing) {
    return drawing.topLoad.isEmpty() ? 0.0 : drawing.topLoad.constFirst().radius;
}

// The heights as drawn: an empty stretch many times the largest part is cut
// down to that part's length.
Heights drawnHeights(const DesignDrawing& drawing, const Heights& heights) {
    double largest = shapesBounds(drawing).width();
    for (const QRectF& side : drawing.winding)
        largest = std::max(largest, side.height());
    const double radius = topLoadRadius(drawing);
    largest = std::max(largest, 2 * radius);
    if (!(largest > 0))
        return heights;
    Heights drawn = heights;
    if (heights.base > kLongestGap * largest)
        drawn.base = largest;
    if (heights.topHeight - radius > kLongestGap * largest)
        drawn.topHeight = largest + radius;
    return drawn;
}

// The lengths the design states, each once, and the scale.
void addDimensions(DesignDrawing& drawing, const CSecondary& secondary, const CPrimary& primary,
                   const CTopLoad& topLoad, const Heights& heights, const Heights& drawn,
                   const Room& room, bool useMetric) {
    const QRectF shapes = shapesBounds(drawing);
    const double gap = std::max(shapes.width(), shapes.height()) * kGapPart;
    // The heights stand off the walls too, outside the room (the drawing is
    // symmetric about the axis: its left is never right of it).
    const double left = std::min(shapes.left(), -room.walls) - gap;
    const double base = drawn.base;
    const double top = base + secondary.HeightValue();
    auto& dimensions = drawing.dimensions;
    if (!drawing.winding.isEmpty()) {
        const double r = secondary.DiaValue() / 2.0;
        const double middle = (base + top) / 2.0;
        dimensions.append(
            {QPointF(-r, middle), QPointF(r, middle), lengthText(secondary.DiaValue(), useMetric)});
        dimensions.append({QPointF(left, base), QPointF(left, top),
                           lengthText(secondary.HeightValue(), useMetric)});
    }
    if (base > 0)
        dimensions.append(
            {QPointF(left, 0), QPointF(left, base), lengthText(heights.base, useMetric)});
    // Each break a quarter along its stretch, clear of the text at its middle.
    if (drawn.base != heights.base)
        drawing.breaks.append(QPointF(left, base / 4));
    if (drawn.topHeight != heights.topHeight) {
        dimensions.append({QPointF(left, top), QPointF(left, top + drawn.topHeight),
                           lengthText(heights.topHeight, useMetric)});
        drawing.breaks.append(QPointF(left, top + (drawn.topHeight - topLoadRadius(drawing)) / 4));
    }
    if (!drawing.primaryTurns.isEmpty()) {
        const DrawnCircle& outer = drawing.primaryTurns.constLast().section;
        const double r = outer.centre.x() + outer.radius;
        double lowest = base;
        for (const PrimaryTurn& turn : drawing.primaryTurns)
            lowest = std::min(lowest, turn.section.centre.y());
        const double below = lowest - primary.ConDiaValue() / 2.0 - gap;
        // Its text below the line, clear of the winding.
        dimensions.append(
            {QPointF(-r, below), QPointF(r, below), lengthText(2 * r, useMetric), true});
    }
    if (!drawing.topLoad.isEmpty()) {
        const double r = topLoad.TopDiaValue() / 2.0;
        // Above the ceiling, as the heights stand outside the walls.
        const double above = std::max(shapes.bottom(), room.ceiling) + gap;
        dimensions.append(
            {QPointF(-r, above), QPointF(r, above), lengthText(topLoad.TopDiaValue(), useMetric)});
    }

    // The scale bar reads against the room too, when the room is larger.
    const QRectF whole =
        shapes | QRectF(-room.walls, 0, 2 * room.walls, std::max(room.ceiling, shapes.bottom()));
    const double length = roundLength(std::max(whole.width(), whole.height()) * kScalePart);
    drawing.scale = {QPointF(shapes.left(), -gap), length,
                     text::generalText(float(length)) + designUnit(useMetric).word()};
    drawing.floorLeft = left;
    drawing.floorRight = std::max(shapes.right(), room.walls) + gap;
    addRoom(drawing, room, shapes.bottom() + gap);

    drawing.bounds = shapes | QRectF(drawing.scale.start, QSizeF(length, 0));
    for (const Dimension& dimension : dimensions)
        drawing.bounds |= QRectF(dimension.from, dimension.to).normalized();
    for (const QLineF& line : drawing.room)
        drawing.bounds |= QRectF(line.p1(), line.p2()).normalized();
    drawing.bounds |= QRectF(drawing.floorLeft, 0, drawing.floorRight - drawing.floorLeft, 0);
}

// What the drawing does not show to scale, or cannot show at it.
void addNotes(DesignDrawing& drawing) {
    if (!drawing.breaks.isEmpty())
        drawing.notes << QStringLiteral(
            "Heights whose dimension line is broken are drawn shortened.");
    const double least = std::max(drawing.bounds.width(), drawing.bounds.height()) * kLeastSeen;
    QRectF winding;
    for (const QRectF& side : drawing.winding)
        winding |= side;
    QRectF primary;
    for (const PrimaryTurn& turn : drawing.primaryTurns)
        primary |= boxOf(turn.section);
    QRectF top;
    for (const DrawnCircle& circle : drawing.topLoad)
        top |= boxOf(circle);
    const std::pair<QRectF, const char*> parts[] = {
        {winding, "winding"}, {primary, "primary"}, {top, "top load"}};
    for (const auto& [box, name] : parts)
        if (!box.isNull() && std::max(box.width(), box.height()) < least)
            drawing.notes << QStringLiteral("The %1 is too small beside the rest to be seen.")
                                 .arg(QLatin1String(name));
}

} // namespace

DesignDrawing drawingOf(const CSecondary& secondary, const CPrimary& primary,
                        const CTopLoad& topLoad, bool useMetric,
                        const std::optional<BuiltPrimary>& built,
                        const physics::Surroundings& around) {
    DesignDrawing drawing;
    // The base's height matters once there is a top load or a room to stand in.
    const bool standing = topLoad.isSet() || !around.empty();
    const Heights heights{standing ? topLoad.BaseHeightValue() : 0.0,
                          topLoad.isSet() ? topLoad.TopHeightValue() : 0.0};
    addShapes(drawing, secondary, primary, topLoad, built, heights);
    if (drawing.winding.isEmpty() && drawing.primaryTurns.isEmpty() && drawing.topLoad.isEmpty()) {
        drawing.emptyText = QStringLiteral("Nothing is calculated yet to draw.");
        return drawing;
    }
    const Heights drawn = drawnHeights(drawing, heights);
    if (drawn != heights) {
        drawing = DesignDrawing();
        addShapes(drawing, secondary, primary, topLoad, built, drawn);
    }
    const Room room = addSurroundings(drawing, around, drawn.base, drawn == heights);
    addDimensions(drawing, secondary, primary, topLoad, heights, drawn, room, useMetric);
    addNotes(drawing);
    return drawing;
}

} // namespace resonex
