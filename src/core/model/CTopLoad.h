#pragma once

#include "core/model/DesignInputs.h"
#include "core/physics/CoilField.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace resonex {

class CSecondary;
class FieldReader;
class FieldWriter;

// A toroid's two diameters in the design's length unit.
struct ToroidSize {
    float topDia = 0;
    float tubeDia = 0;
};

// Why the figures of the coil with its top load are not given.
enum class NoFigures {
    SecondaryNotCalculated,
    CutsIntoWinding, // the top load cuts into the winding or reaches below the floor
    OutOfRange,      // beyond the range the field solution covers
};

// The toroid that brings the loaded frequency to a frequency, or why none does.
struct ToroidFor {
    std::optional<ToroidSize> size;
    physics::Unsolved none = physics::Unsolved::AboveBare; // without a size
};

// What the field solution gives for the design, in the units the program shows:
// farads, hertz, and toroid sizes in the design's length unit.
struct TopLoadResults {
    // The top load alone in free space, whatever the coil: absent only beyond
    // the field solution's range (0 without a top load).
    std::optional<float> freeC;
    // Why the figures on the coil below are absent (all zero then); none
    // while they are given.
    std::optional<NoFigures> absent;
    float inPlaceC = 0; // what it adds to the coil's effective capacitance
    float chargeC = 0;  // its charge over the top voltage, on this coil
    float coilC = 0;    // the bare winding's own effective capacitance
    float bareFr = 0;
    float loadedFr = 0; // bareFr without a top load
    // Whether the primary's turns as built stood in the field (grounded):
    // they do whenever the primary is calculated.
    bool primaryInField = false;
    // The toroid that brings the loaded frequency to the secondary's quarter
    // wave (that adds its TorC), and the one for the target frequency.
    ToroidFor forQuarWaveFr;
    ToroidFor forTargetFr;
    float targetFr = 0; // hertz, 0 for none
};

// The top load on the secondary and where the coil stands: its shape and
// dimensions, the height of the winding's base above the floor, and a
// frequency to size a toroid for. Lengths in the design's unit (millimetres
// or inches), as the other models keep them; the frequency in hertz.
class CTopLoad {
public:
    using Shape = physics::Shape;

    explicit CTopLoad(bool useMetric);

    Shape shape() const { return m_shape; }
    void setShape(Shape shape) { m_shape = shape; }
    bool isSet() const { return m_shape != Shape::None; }
    // Whether a top load of the shape has the input: a diameter only a top
    // load, a tube only a toroid; the heights and the target any.
    static bool takes(Shape shape, Input input);

    // Inputs as text ("###0.00##"); a rejected text raises and keeps the value.
    // The diameters must be above 0, the heights at least 0.
    QString TopDia() const;
    void setTopDia(const QString& text);
    QString TubeDia() const;
    void setTubeDia(const QString& text);
    QString TopHeight() const;
    void setTopHeight(const QString& text);
    QString BaseHeight() const;
    void setBaseHeight(const QString& text);
    // Kilohertz ("fixed"); an empty text or 0 means no target.
    QString TargetFr() const;
    void setTargetFr(const QString& text);

    // The inputs as an entry box shows them: entered again, each stores the
    // same value. An unset target shows empty.
    QString TopDiaEntry() const;
    QString TubeDiaEntry() const;
    QString TopHeightEntry() const;
    QString BaseHeightEntry() const;
    QString TargetFrEntry() const;

    float TopDiaValue() const { return m_topDia; }
    float TubeDiaValue() const { return m_tubeDia; }
    float TopHeightValue() const { return m_topHeight; }
    float BaseHeightValue() const { return m_baseHeight; }
    float TargetFrValue() const { return m_targetFr; }

    // Raises the tube diameter's error for a toroid whose tube is more than
    // half its overall diameter (its hole would be less than nothing): what
    // a calculation checks once all inputs are stored.
    void checkShape() const;

    // Raises the top load's clearance error, naming the height that would
    // clear, when it cuts into the calculated secondary's winding or reaches
    // below the floor (physics::cutsIntoWinding); nothing before the
    // secondary is calculated.
    void checkClearance(const CSecondary& secondary, bool useMetric) const;

    // True while every input is a new design's: such a design has nothing to
    // add to its file.
    bool isNew(bool useMetric) const;

    // Reads over a new design's top load. A value that cannot be read, an
    // unknown shape or a value no entry could have stored (a toroid's tube,
    // checkShape's) is dropped alone, keeping the new design's; false when any
    // was.
    bool ReadObjects(FieldReader& reader);
    void WriteObjects(FieldWriter& writer) const;

private:
    bool tubeFits() const;

    Shape m_shape = Shape::None;
    float m_topDia;
    float m_tubeDia;
    float m_topHeight;
    float m_baseHeight;
    float m_targetFr = 0;
};

// The top load as the physics takes it, in metres (none without one).
physics::TopLoad topLoadInMetres(const CTopLoad& topLoad, bool useMetric);
// The secondary's winding standing at the top load's base height, in metres.
physics::Winding windingInMetres(const CSecondary& secondary, const CTopLoad& topLoad,
                                 bool useMetric);

// Whether the toroids for the quarter wave and the target are sized: each
// search solves the coil many times over, and only what shows them needs
// them (the primary takes the loaded frequency alone).
enum class Toroids { Sized, Unsized };

// The field solution for the top load on the secondary, around it the
// grounded metal and the room (metres): the figures at once, the toroids
// when first asked for. It takes a millisecond or more: the document keeps it
// (TopLoadSolution) rather than solve again for each question.
class TopLoadField {
public:
    TopLoadField(const CTopLoad& topLoad, const CSecondary& secondary, bool useMetric,
                 const physics::Surroundings& around);
    // Unsized, forQuarWaveFr and forTargetFr stay a new result's.
    const TopLoadResults& results(Toroids toroids);
    // The loaded frequency with a streamer's capacitance (farads) at the top;
    // none where the figures on the coil are absent.
    std::optional<double> runningFr(double streamerFarads) const;

private:
    void solveOnCoil(const physics::Winding& winding, const physics::Surroundings& around);

    physics::TopLoad m_top;
    float m_quarWaveFr;
    float m_targetFr;
    bool m_useMetric;
    TopLoadResults m_results;
    // Kept for the toroids and the running frequency: its loaded modes are
    // worked out once.
    std::optional<physics::WindingSolution> m_solution;
    bool m_sized = false;
};

// The whole solution at once.
TopLoadResults solveTopLoad(const CTopLoad& topLoad, const CSecondary& secondary, bool useMetric,
                            const physics::Surroundings& around);

} // namespace resonex
