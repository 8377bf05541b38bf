#pragma once

#include "core/physics/Surroundings.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

namespace resonex {

class CPrimary;
class CSecondary;
class CTopLoad;

// A side section of the coil through its axis, in the design's length unit:
// x across (the axis at 0), y upward (the floor at 0). A rectangle's y() is
// its lower edge and its height reaches up from there.
struct DrawnCircle {
    QPointF centre;
    double radius = 0;
    bool operator==(const DrawnCircle&) const = default;
};

struct PrimaryTurn {
    DrawnCircle section;
    // Between the primary's start and its tap: carries the tank's current.
    bool inCircuit = false;
    bool operator==(const PrimaryTurn&) const = default;
};

// A measured length: the line from one end to the other and its text, set
// above a level line or to the left of an upright one, or else below it.
struct Dimension {
    QPointF from;
    QPointF to;
    QString text;
    bool textBelow = false;
    bool operator==(const Dimension&) const = default;
};

// A bar of a round length standing for the scale, its text below it.
struct ScaleBar {
    QPointF start;
    double length = 0;
    QString text;
    bool operator==(const ScaleBar&) const = default;
};

// The name of a part that carries no dimension (the strike rail, the walls,
// the ceiling), set beside the line it names, or beside a circle of that
// radius where the line is a point.
struct Label {
    QLineF along;
    double radius = 0;
    QString text;
    bool operator==(const Label&) const = default;
};

struct DesignDrawing {
    // Said instead of a drawing when nothing is calculated yet.
    QString emptyText;
    // The winding, left and right of the axis.
    QList<QRectF> winding;
    // The primary's turns outward from the first, each on both sides.
    QList<PrimaryTurn> primaryTurns;
    // Where the tap is clipped on, on both sides.
    QList<QPointF> taps;
    QList<DrawnCircle> topLoad;
    // The strike rail's sections, left and right, and the lines of the
    // ceiling and the walls: only those near enough to the coil to be drawn
    // beside it (the notes name the others).
    QList<DrawnCircle> rail;
    QList<QLineF> room;
    // The floor's line from left to right.
    double floorLeft = 0;
    double floorRight = 0;
    QList<Dimension> dimensions;
    QList<Label> labels;
    // A height many times the rest of the drawing (a winding on a tall
    // stand, a top load far above it) is drawn shortened: its dimension line
    // is broken here, and its text gives the true length.
    QList<QPointF> breaks;
    ScaleBar scale;
    // Said under the drawing: what it shows shortened, and a part too small
    // beside the others to be seen.
    QStringList notes;
    // Everything above, texts aside.
    QRectF bounds;

    bool isEmpty() const { return !emptyText.isEmpty(); }
    bool operator==(const DesignDrawing&) const = default;
};

// The drawing of what the design has calculated: the secondary once it has
// turns, the primary once it has results, the top load once one is chosen.
// The winding stands at the top load's base height (on the floor without a
// top load or surroundings). Nothing calculated gives an empty drawing that says so. The
// scale bar is a round length, a tenth to a quarter of the drawing's larger
// extent.
// The primary as built where it is not a new design's flat spiral: each
// turn's centre (its distance from the axis and its height above the
// winding's base, in the design's unit) and the fractional turn of the tap in
// use, if there is one.
struct BuiltPrimary {
    QList<QPointF> turns;
    std::optional<double> tapTurn;
};

// What stands around the coil is in the design's unit here
// (surroundingsAsEntered); its primary is not read. A part is drawn, and
// named, when its clearance from the coil is within twice the coil's larger
// extent and the drawing is to scale there, the drawing then reaching out to
// it.
DesignDrawing drawingOf(const CSecondary& secondary, const CPrimary& primary,
                        const CTopLoad& topLoad, bool useMetric,
                        const std::optional<BuiltPrimary>& built = std::nullopt,
                        const physics::Surroundings& around = {});

} // namespace resonex
