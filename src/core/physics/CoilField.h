#pragma once

#include "core/physics/Solved.h"
#include "core/physics/Surroundings.h"

#include <memory>
#include <utility>
#include <vector>

// The secondary's real running frequency: the winding's inductance and the
// effective capacitances of winding and top load above a ground plane. Pure
// numbers in SI units (metres, farads, henries, hertz); nothing here knows the
// design's units or texts.
namespace resonex::physics {

// A single-layer winding standing on its base, the base above the floor.
struct Winding {
    double diameter = 0;
    double height = 0;
    double turns = 0;
    double baseHeight = 0;
};

enum class Shape { None = 0, Toroid = 1, Sphere = 2 };

// A top load on the winding's axis. A sphere's diameter is majorDiameter; its
// minorDiameter is not used. centreAbove: the height of its centre above the
// top of the winding.
struct TopLoad {
    Shape shape = Shape::None;
    double majorDiameter = 0;
    double minorDiameter = 0;
    double centreAbove = 0;
    bool operator==(const TopLoad&) const = default;
};

// The effective capacitances are those that resonate the low-frequency
// inductance at the frequencies found, so that f = 1/(2·pi·sqrt(L·C)) holds
// for the bare and the loaded coil alike.
struct Resonance {
    double inductance = 0;           // the winding's low-frequency inductance (Lorenz's)
    double selfCapacitance = 0;      // the bare winding's effective capacitance
    double freeSpaceCapacitance = 0; // the top load alone, far from everything
    double inPlaceCapacitance = 0;   // what the top load adds on this winding
    // The charge on the top load over the top voltage in the loaded mode (its
    // rings' charges in the same moment-method solution): what is often
    // called a top load's capacitance in place. It is more than the load
    // adds, as part of that charge is only drawn from the top turns.
    double chargeCapacitance = 0;
    double bareHz = 0;
    double loadedHz = 0; // bareHz without a top load
};

// How the winding's inductance enters its mode: Distributed, by the mutual
// inductances between its bands (pieces of a current sheet); Even, Wheeler's
// inductance spread evenly over its height (the long-solenoid view, in which
// a turn's flux follows its own current alone), kept for the validation's
// comparison.
enum class InductanceModel { Distributed, Even };

// The winding's field and bare mode solved once, for as many top loads on it
// as are asked about. Where the solution cannot stand behind a figure, it
// gives none and says why (Unsolved): ZeroPivot or OutOfRange from the
// solution itself, and for a toroid the reasons no toroid does.
class WindingSolution {
public:
    // The winding with the grounded metal and the room around it; the
    // surroundings must stand clear (intrusion(), TopLoadClearance.h).
    // fineness multiplies the surroundings' bands: 1 as the program runs, 4
    // for the validation's convergence guards.
    static Solved<WindingSolution> of(const Winding& winding, const Surroundings& around = {},
                                      InductanceModel model = InductanceModel::Distributed,
                                      int fineness = 1);
    ~WindingSolution();
    WindingSolution(WindingSolution&&) noexcept;
    WindingSolution& operator=(WindingSolution&&) noexcept;

    Solved<Resonance> resonance(const TopLoad& top) const;
    // The loaded frequency with a further capacitance at the top of the coil
    // (a streamer's, in farads), taken as lumped at the top voltage.
    Solved<double> loadedHzWith(const TopLoad& top, double lumpedFarads) const;

    // The toroid that brings the loaded frequency to hz: the tube of a toroid
    // given as like is kept, otherwise the tube is a quarter of the overall
    // diameter; like's centreAbove is kept. None when no toroid of a sensible
    // size can do it, nor one clear of the winding.
    Solved<TopLoad> toroidForFrequency(const TopLoad& like, double hz) const;

private:
    struct Field;
    // The loaded mode: its angular frequency squared and the top load's
    // charge at a top voltage of 1 (in units of 4·pi·epsilon0 volts-metres).
    struct LoadedMode {
        double omegaSquared;
        double topCharge;
    };
    // The field a top load is solved in (fieldFor in CoilField.cpp).
    Solved<const Field*> fieldFor(const TopLoad& top) const;
    // The loaded mode of a top load on this winding, in the field graded for
    // gradedFor, with a lumped capacitance at the top (in units of
    // 4·pi·epsilon0 metres), each worked out once: the toroid searches start
    // from the toroids solved already.
    Solved<LoadedMode> loadedMode(const TopLoad& top, const TopLoad& gradedFor,
                                  double lumped = 0) const;
    struct Loaded {
        TopLoad top;
        double lumped;
        const Field* field;
        LoadedMode mode;
        // The mode's voltage profile up the winding: the next mode's start
        // (loadedMode).
        std::vector<double> profile;
    };
    struct Near {
        TopLoad top;
        std::unique_ptr<const Field> field;
    };
    // The last top load's coupling to its field, kept for the same load asked
    // again with a lumped capacitance (a streamer's running frequency).
    struct Coupled;

    WindingSolution(const Winding& winding, const Surroundings& around, InductanceModel model,
                    int fineness, std::unique_ptr<const Field> field, double bareOmegaSquared);

    Winding m_winding;
    Surroundings m_around;
    InductanceModel m_model;
    int m_fineness;
    std::unique_ptr<const Field> m_field;
    double m_bareOmegaSquared;
    mutable std::vector<Loaded> m_loaded;
    mutable std::vector<Near> m_near;
    mutable std::unique_ptr<const Coupled> m_lastCoupled;
};

// The top load's capacitance alone in free space (ZeroPivot or OutOfRange as
// above).
Solved<double> freeSpaceCapacitance(const TopLoad& top);

// A grounded ring of round conductor as the field solution takes it (the
// rail's tube of arcs, or a primary turn's), alone at a potential of 1: in
// free space (aboveFloor 0) or with its centre aboveFloor over a ground
// plane. For the validation's comparison with the exact thin torus.
enum class RoundConductor { Rail, PrimaryTurn };
Solved<double> ringCapacitance(RoundConductor kind, double ringDiameter, double conductorDiameter,
                               double aboveFloor);

// The published formulas the validation compares against. Wheeler's
// inductance (WindingFormulas.h) in henries.
double wheelerInductance(const Winding& winding);
double medhurstSelfCapacitance(const Winding& winding);
double poolToroidCapacitance(double majorDiameter, double minorDiameter);
// The exact free-space capacitances of a sphere and of a torus (its tube less
// than half the overall diameter).
double sphereCapacitance(double diameter);
double torusCapacitance(double majorDiameter, double minorDiameter);

} // namespace resonex::physics
