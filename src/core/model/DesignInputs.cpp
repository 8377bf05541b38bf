#include "core/model/DesignInputs.h"

#include "core/model/AddedInputs.h"
#include "core/model/CPrimary.h"
#include "core/model/CSecondary.h"
#include "core/model/CTopLoad.h"
#include "core/model/CTransformer.h"
#include "core/text/LengthUnit.h"

#include <limits>
#include <type_traits>

namespace resonex {

namespace {

// The model of a design that is of type Model.
template <typename Model, typename Models> auto& modelIn(const Models& models) {
    if constexpr (std::is_same_v<Model, CSecondary>)
        return models.secondary;
    else if constexpr (std::is_same_v<Model, CTransformer>)
        return models.transformer;
    else if constexpr (std::is_same_v<Model, CPrimary>)
        return models.primary;
    else
        return models.topLoad;
}

// An input kept by its model: the entry box's text, the setter and the value.
template <typename Model, auto Entry, auto Store, auto Value> constexpr InputAccess kept() {
    return {
        [](const ConstDesignModels& models) { return (modelIn<Model>(models).*Entry)(); },
        [](const DesignModels& models, const QString& text) {
            (modelIn<Model>(models).*Store)(text);
        },
        [](const ConstDesignModels& models) { return double((modelIn<Model>(models).*Value)()); }};
}

using C = Calculation;
using Q = Quantity;

// The inputs. A calculation stores its inputs in this order, its dialog shows
// them in it, and the added ones (file version 2 on) are written in it. Each
// row names its fields: its texts are all const char*, and by place alone two
// could trade places unseen.
const QList<DesignInput> kInputs{
    {.input = Input::SecVol,
     .calculation = C::Transformer,
     .quantity = Q::Kilovolts,
     .error = errors::TransformerSecVol,
     .file = {"CTransformer", 1},
     .option = "--kv",
     .help = "secondary voltage of one transformer",
     .boxName = "txtSecVol",
     .captionName = "Label1",
     .caption = "Secondary Voltage",
     .unitName = "Label5",
     .jsonKey = "voltage_v",
     .access = kept<CTransformer, &CTransformer::SecVolEntry, &CTransformer::setSecVol,
                    &CTransformer::SecVolValue>()},
    {.input = Input::SecCur,
     .calculation = C::Transformer,
     .quantity = Q::Milliamperes,
     .error = errors::TransformerSecCur,
     .file = {"CTransformer", 2},
     .option = "--ma",
     .help = "secondary current of one transformer",
     .boxName = "txtSecCur",
     .captionName = "Label2",
     .caption = "Secondary Current",
     .unitName = "Label6",
     .jsonKey = "current_a",
     .access = kept<CTransformer, &CTransformer::SecCurEntry, &CTransformer::setSecCur,
                    &CTransformer::SecCurValue>()},
    {.input = Input::Num,
     .calculation = C::Transformer,
     .quantity = Q::Count,
     .error = errors::TransformerNum,
     .file = {"CTransformer", 3},
     .option = "--count",
     .help = "number of transformers in parallel",
     .boxName = "txtNum",
     .captionName = "Label3",
     .caption = "No. of Transformers",
     .jsonKey = "count",
     .access =
         kept<CTransformer, &CTransformer::Num, &CTransformer::setNum, &CTransformer::NumValue>()},

    {.input = Input::Dia,
     .calculation = C::Secondary,
     .quantity = Q::Length,
     .error = errors::SecondaryDia,
     .file = {"CSecondary", 2},
     .option = "--dia",
     .help = "diameter of the winding",
     .boxName = "txtDia",
     .captionName = "Label10",
     .caption = "Diameter of Secondary Coil",
     .unitName = "lblInputUnits1",
     .jsonKey = "diameter_m",
     .access =
         kept<CSecondary, &CSecondary::DiaEntry, &CSecondary::setDia, &CSecondary::DiaValue>()},
    {.input = Input::Height,
     .calculation = C::Secondary,
     .quantity = Q::Length,
     .error = errors::SecondaryHeight,
     .file = {"CSecondary", 1},
     .option = "--height",
     .help = "height of the winding",
     .boxName = "txtHeight",
     .captionName = "Label11",
     .caption = "Winding Height of Secondary Coil",
     .unitName = "lblInputUnits2",
     .jsonKey = "height_m",
     .access = kept<CSecondary, &CSecondary::HeightEntry, &CSecondary::setHeight,
                    &CSecondary::HeightValue>()},
    {.input = Input::WireDia,
     .calculation = C::Secondary,
     .quantity = Q::Length,
     .error = errors::SecondaryWireDia,
     .file = {"CSecondary", 3},
     .option = "--wire-dia",
     .help = "diameter of the wire",
     .boxName = "txtWireDia",
     .captionName = "Label12",
     .caption = "Wire Diameter for Secondary Coil",
     .unitName = "lblInputUnits3",
     .jsonKey = "wire_diameter_m",
     .access = kept<CSecondary, &CSecondary::WireDiaEntry, &CSecondary::setWireDia,
                    &CSecondary::WireDiaValue>()},
    {.input = Input::WireSpa,
     .calculation = C::Secondary,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::SecondaryWireSpa,
     .file = {"CSecondary", 4},
     .option = "--spacing",
     .help = "space between turns",
     .boxName = "txtWireSpa",
     .captionName = "Label13",
     .caption = "Spacing Between Windings",
     .unitName = "lblInputUnits4",
     .jsonKey = "spacing_m",
     .access = kept<CSecondary, &CSecondary::WireSpaEntry, &CSecondary::setWireSpa,
                    &CSecondary::WireSpaValue>()},

    {.input = Input::C,
     .calculation = C::Primary,
     .quantity = Q::Microfarads,
     .error = errors::PrimaryC,
     .file = {"CPrimary", 1},
     .option = "--cap",
     .help = "primary capacitance",
     .boxName = "txtC",
     .captionName = "Label2",
     .caption = "Primary Capacitance",
     .unitName = "Label82",
     .jsonKey = "capacitance_f",
     .access = kept<CPrimary, &CPrimary::CEntry, &CPrimary::setC, &CPrimary::CValue>(),
     .keptInSi = true},
    {.input = Input::Fr,
     .calculation = C::Primary,
     .quantity = Q::Kilohertz,
     .error = errors::PrimaryFr,
     .file = {"CPrimary", 2},
     .option = "--freq",
     .help = "resonant frequency",
     .boxName = "txtFr",
     .captionName = "Label3",
     .caption = "Primary Resonant Frequency",
     .unitName = "Label81",
     .jsonKey = "frequency_hz",
     .access = kept<CPrimary, &CPrimary::frEntry, &CPrimary::setFr, &CPrimary::frValue>(),
     .keptInSi = true},
    {.input = Input::SecDia,
     .calculation = C::Primary,
     .quantity = Q::Length,
     .error = errors::PrimarySecDia,
     .file = {"CPrimary", 7},
     .option = "--sec-dia",
     .help = "diameter of the secondary coil",
     .boxName = "txtSecDia",
     .captionName = "Label4",
     .caption = "Secondary Coil Diameter",
     .unitName = "lblInputUnits1",
     .jsonKey = "secondary_diameter_m",
     .access =
         kept<CPrimary, &CPrimary::SecDiaEntry, &CPrimary::setSecDia, &CPrimary::SecDiaValue>()},
    {.input = Input::ConDia,
     .calculation = C::Primary,
     .quantity = Q::Length,
     .error = errors::PrimaryConDia,
     .file = {"CPrimary", 3},
     .option = "--con-dia",
     .help = "diameter of the primary's conductor",
     .boxName = "txtConDia",
     .captionName = "Label5",
     .caption = "Primary Conductor Diameter",
     .unitName = "lblInputUnits2",
     .jsonKey = "conductor_diameter_m",
     .access =
         kept<CPrimary, &CPrimary::ConDiaEntry, &CPrimary::setConDia, &CPrimary::ConDiaValue>()},
    {.input = Input::ConSpa,
     .calculation = C::Primary,
     .quantity = Q::Length,
     .error = errors::PrimaryConSpa,
     .file = {"CPrimary", 4},
     .option = "--con-spa",
     .help = "space between the primary's turns",
     .boxName = "txtConSpa",
     .captionName = "Label6",
     .caption = "Primary Turn to Turn Spacing",
     .unitName = "lblInputUnits3",
     .jsonKey = "spacing_m",
     .access =
         kept<CPrimary, &CPrimary::ConSpaEntry, &CPrimary::setConSpa, &CPrimary::ConSpaValue>()},
    {.input = Input::SecSep,
     .calculation = C::Primary,
     .quantity = Q::Length,
     .error = errors::PrimarySecSep,
     .file = {"CPrimary", 5},
     .option = "--sec-sep",
     .help = "separation between the secondary and the primary's first turn",
     .boxName = "txtSecSep",
     .captionName = "Label7",
     .caption = "Spacing Between the Secondary and the Inside Turn of the Primary",
     .unitName = "lblInputUnits4",
     .jsonKey = "separation_m",
     .access =
         kept<CPrimary, &CPrimary::SecSepEntry, &CPrimary::setSecSep, &CPrimary::SecSepValue>()},

    // The primary as built (physics/PrimaryCoupling.h): its shape, a cone's
    // angle, its turns and the height of its inner turn, and a coupling to
    // find that height for.
    {.input = Input::PriShape,
     .calculation = C::Primary,
     .quantity = Q::Choice,
     .error = errors::PrimaryShape,
     .file = {"extension", 8, 2},
     .option = "--pri-shape",
     .help = "shape of the primary as built",
     .boxName = "fraPriShape",
     .captionName = "lblPriShape",
     .caption = "Primary Shape as Built",
     .jsonKey = "shape",
     .words = {{.word = "flat", .buttonName = "optPriFlat", .caption = "&Flat"},
               {.word = "conical", .buttonName = "optPriConical", .caption = "Co&nical"},
               {.word = "helical", .buttonName = "optPriHelical", .caption = "&Helical"}},
     .tip = "How the primary is wound: a flat spiral, a cone rising outwards, or a helix around "
            "the secondary at one diameter."},
    {.input = Input::PriAngle,
     .calculation = C::Primary,
     .quantity = Q::Degrees,
     .accepts = {0, false, 90, false},
     .error = errors::PrimaryAngle,
     .file = {"extension", 9, 2},
     .option = "--pri-angle",
     .help = "a conical primary's angle from the horizontal",
     .boxName = "txtPriAngle",
     .captionName = "lblPriAngle",
     .caption = "Angle of a Conical Primary",
     .unitName = "lblPriAngleUnit",
     .jsonKey = "angle_deg",
     .tip = "A conical primary's slope, from the horizontal: 0 would be flat, 90 a helix."},
    {.input = Input::PriTurns,
     .calculation = C::Primary,
     .quantity = Q::Count,
     .accepts = {1, true, 60, true},
     .error = errors::PrimaryTurnsBuilt,
     .file = {"extension", 10, 2},
     .option = "--pri-turns",
     .help = "turns of the primary as built",
     .boxName = "txtPriTurns",
     .captionName = "lblPriTurns",
     .caption = "Primary Turns as Built",
     .jsonKey = "turns_built",
     .start = 15,
     .tip = "The turns the primary is wound with, the tap in use among them."},
    {.input = Input::PriHeight,
     .calculation = C::Primary,
     .quantity = Q::Length,
     .accepts = kAnyNumber,
     .error = errors::PrimaryHeight,
     .file = {"extension", 11, 2},
     .option = "--pri-height",
     .help = "height of the inner turn's centre above the winding's base",
     .boxName = "txtPriHeight",
     .captionName = "lblPriHeight",
     .caption = "Height of the Inner Turn Above the Winding's Base",
     .unitName = "lblPriHeightUnit",
     .jsonKey = "height_m",
     .tip = "Where the inner turn's centre stands above the bottom of the secondary winding: "
            "negative below it. It sets k, the coupling coefficient."},
    {.input = Input::TargetK,
     .calculation = C::Primary,
     .quantity = Q::Ratio,
     .accepts = {0, false, 1, false},
     .error = errors::PrimaryTargetK,
     .file = {"extension", 12, 2},
     .option = "--target-k",
     .help = "coupling to find the primary's height for; empty for none",
     .boxName = "txtTargetK",
     .captionName = "lblTargetK",
     .caption = "Coupling to Find the Height for (optional)",
     .jsonKey = "target_k",
     .tip = "k, the coupling coefficient: the share of one coil's field that links the other (0 to "
            "1; about 0.1 to 0.2 for a spark-gap coil). Entered, the height of the inner turn that "
            "gives it is found."},

    {.input = Input::TopDia,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .error = errors::TopLoadTopDia,
     .file = {"extension", 3, 1},
     .option = "--top-dia",
     .help = "overall diameter of a toroid, diameter of a sphere",
     .boxName = "txtTopDia",
     .captionName = "lblTopDia",
     .caption = "Overall Diameter of Top Load",
     .unitName = "lblInputUnits1",
     .jsonKey = "major_diameter_m",
     .access =
         kept<CTopLoad, &CTopLoad::TopDiaEntry, &CTopLoad::setTopDia, &CTopLoad::TopDiaValue>()},
    {.input = Input::TubeDia,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .error = errors::TopLoadTubeDia,
     .file = {"extension", 4, 1},
     .option = "--top-tube",
     .help = "tube diameter of a toroid, at most half its overall one",
     .boxName = "txtTubeDia",
     .captionName = "lblTubeDia",
     .caption = "Tube Diameter of Toroid",
     .unitName = "lblInputUnits2",
     .jsonKey = "minor_diameter_m",
     .access =
         kept<CTopLoad, &CTopLoad::TubeDiaEntry, &CTopLoad::setTubeDia, &CTopLoad::TubeDiaValue>()},
    {.input = Input::TopHeight,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::TopLoadTopHeight,
     .file = {"extension", 5, 1},
     .option = "--top-height",
     .help = "height of its centre above the top of the winding",
     .boxName = "txtTopHeight",
     .captionName = "lblTopHeight",
     .caption = "Height of its Centre Above the Winding",
     .unitName = "lblInputUnits3",
     .jsonKey = "height_m",
     .access = kept<CTopLoad, &CTopLoad::TopHeightEntry, &CTopLoad::setTopHeight,
                    &CTopLoad::TopHeightValue>()},
    {.input = Input::BaseHeight,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::TopLoadBaseHeight,
     .file = {"extension", 6, 1},
     .option = "--base-height",
     .help = "height of the winding's base above the floor",
     .boxName = "txtBaseHeight",
     .captionName = "lblBaseHeight",
     .caption = "Height of the Winding's Base Above the Floor",
     .unitName = "lblInputUnits4",
     .jsonKey = "base_height_m",
     .access = kept<CTopLoad, &CTopLoad::BaseHeightEntry, &CTopLoad::setBaseHeight,
                    &CTopLoad::BaseHeightValue>()},
    {.input = Input::TargetFr,
     .calculation = C::TopLoad,
     .quantity = Q::Kilohertz,
     .accepts = kZeroOrMore,
     .error = errors::TopLoadTargetFr,
     .file = {"extension", 7, 1},
     .option = "--target-fr",
     .help = "frequency to size a toroid for; empty for none",
     .boxName = "txtTargetFr",
     .captionName = "lblTargetFr",
     .caption = "Frequency to Size a Toroid for (optional)",
     .unitName = "lblTargetFrUnit",
     .jsonKey = "target_hz",
     .access = kept<CTopLoad, &CTopLoad::TargetFrEntry, &CTopLoad::setTargetFr,
                    &CTopLoad::TargetFrValue>(),
     .keptInSi = true},

    // What stands around the coil (physics/Surroundings.h), each 0 while
    // there is none: a grounded strike rail, a ceiling and walls.
    {.input = Input::RailDia,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::RailDiameter,
     .file = {"extension", 13, 3},
     .option = "--rail-dia",
     .help = "diameter of a grounded strike rail, to its conductor's centre; 0 for none",
     .boxName = "txtRailDia",
     .captionName = "lblRailDia",
     .caption = "Strike Rail Diameter (0 for None)",
     .unitName = "lblRailDiaUnit",
     .jsonKey = "rail_diameter_m",
     .surroundings = true,
     .tip = "A strike rail: a grounded ring around the top of the coil that streamers (the sparks "
            "from the top load) strike instead of the primary. Its diameter to its conductor's "
            "centre."},
    {.input = Input::RailWire,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::RailConductor,
     .file = {"extension", 14, 3},
     .option = "--rail-wire",
     .help = "diameter of the strike rail's conductor",
     .boxName = "txtRailWire",
     .captionName = "lblRailWire",
     .caption = "Strike Rail Conductor Diameter",
     .unitName = "lblRailWireUnit",
     .jsonKey = "rail_conductor_m",
     .surroundings = true,
     .tip = "The diameter of the strike rail's wire or tube."},
    {.input = Input::RailHeight,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kAnyNumber,
     .error = errors::RailHeight,
     .file = {"extension", 15, 3},
     .option = "--rail-height",
     .help = "height of the strike rail's centre above the winding's base",
     .boxName = "txtRailHeight",
     .captionName = "lblRailHeight",
     .caption = "Strike Rail Height Above the Winding's Base",
     .unitName = "lblRailHeightUnit",
     .jsonKey = "rail_height_m",
     .surroundings = true,
     .tip = "Where the strike rail's centre stands above the bottom of the secondary winding: "
            "negative below it."},
    {.input = Input::Ceiling,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::CeilingHeight,
     .file = {"extension", 16, 3},
     .option = "--ceiling",
     .help = "height of a grounded ceiling above the floor; 0 for none",
     .boxName = "txtCeiling",
     .captionName = "lblCeiling",
     .caption = "Ceiling Height Above the Floor (0 for None)",
     .unitName = "lblCeilingUnit",
     .jsonKey = "ceiling_m",
     .surroundings = true,
     .tip = "A ceiling above the coil, taken as grounded: it adds capacitance and lowers the "
            "frequency."},
    {.input = Input::Walls,
     .calculation = C::TopLoad,
     .quantity = Q::Length,
     .accepts = kZeroOrMore,
     .error = errors::WallsDistance,
     .file = {"extension", 17, 3},
     .option = "--walls",
     .help = "distance of grounded walls from the coil's axis; 0 for none",
     .boxName = "txtWalls",
     .captionName = "lblWalls",
     .caption = "Distance of the Walls from the Axis (0 for None)",
     .unitName = "lblWallsUnit",
     .jsonKey = "walls_m",
     .surroundings = true,
     .tip = "Walls around the coil, taken as grounded, at this distance from its axis."},

    {.input = Input::Gap,
     .calculation = C::Power,
     .quantity = Q::Choice,
     .error = errors::PowerGap,
     .file = {"extension", 18, 4},
     .option = "--gap",
     .help = "the primary circuit's spark gap",
     .boxName = "fraGap",
     .captionName = "lblGap",
     .caption = "Spark Gap",
     .jsonKey = "gap",
     .words = {{.word = "static", .buttonName = "optGapStatic", .caption = "&Static"},
               {.word = "sync", .buttonName = "optGapSync", .caption = "S&ynchronous Rotary"},
               {.word = "async", .buttonName = "optGapAsync", .caption = "&Asynchronous Rotary"}},
     .tip = "The spark gap that fires the primary: static, or a rotary gap synchronous with the "
            "mains or not."},
    {.input = Input::Bps,
     .calculation = C::Power,
     .quantity = Q::Count,
     .error = errors::PowerBps,
     .file = {"extension", 19, 4},
     .option = "--bps",
     .help = "an asynchronous rotary gap's breaks per second, or a bridge's bursts",
     .boxName = "txtBps",
     .captionName = "lblBps",
     .caption = "Breaks or Bursts per Second",
     .jsonKey = "bps",
     .tip = "How many times an asynchronous rotary gap fires each second, or a bridge drives "
            "a burst."},
    {.input = Input::TankC,
     .calculation = C::Power,
     .quantity = Q::Microfarads,
     .error = errors::PowerTankC,
     .file = {"extension", 20, 4},
     .option = "--tank-uf",
     .help = "the tank capacitor used; empty follows the resonant value",
     .boxName = "txtTankC",
     .captionName = "lblTankC",
     .caption = "Tank Capacitor Used (Empty: Resonant)",
     .unitName = "lblTankCUnit",
     .jsonKey = "capacitance_f",
     .tip = "The primary (tank) capacitor you use. Larger than the resonant value is LTR (larger "
            "than resonant), which keeps the transformer from resonating with it."},
    {.input = Input::UnitC,
     .calculation = C::Power,
     .quantity = Q::Microfarads,
     .error = errors::PowerUnitC,
     .file = {"extension", 21, 4},
     .option = "--unit-uf",
     .help = "capacitance of one capacitor of a bank (MMC); empty for none",
     .boxName = "txtUnitC",
     .captionName = "lblUnitC",
     .caption = "Bank Unit Capacitance (Optional)",
     .unitName = "lblUnitCUnit",
     .jsonKey = "unit_capacitance_f",
     .tip =
         "An MMC (multi-mini capacitor bank) is built of many small capacitors in series strings, "
         "each with a bleeder resistor across it to empty it safely. The capacitance of one."},
    {.input = Input::UnitKv,
     .calculation = C::Power,
     .quantity = Q::Kilovolts,
     .error = errors::PowerUnitKv,
     .file = {"extension", 22, 4},
     .option = "--unit-kv",
     .help = "DC voltage rating of one capacitor of the bank",
     .boxName = "txtUnitKv",
     .captionName = "lblUnitKv",
     .caption = "Bank Unit Voltage Rating",
     .unitName = "lblUnitKvUnit",
     .jsonKey = "unit_rating_v",
     .tip = "The DC voltage rating of one capacitor of the MMC."},
    {.input = Input::MmcSafety,
     .calculation = C::Power,
     .quantity = Q::Ratio,
     .accepts = {1, true},
     .error = errors::PowerMmcSafety,
     .file = {"extension", 23, 4},
     .option = "--mmc-safety",
     .help = "the bank's voltage rating over the peak voltage, at least 1",
     .boxName = "txtMmcSafety",
     .captionName = "lblMmcSafety",
     .caption = "Bank Rating over the Peak Voltage",
     .jsonKey = "safety_factor",
     .start = 2,
     .tip = "How far the bank's voltage rating stands above the peak voltage it sees: 2 is usual."},
    // The bang in time (physics/Bang.h).
    {.input = Input::GapOhms,
     .calculation = C::Power,
     .quantity = Q::Ohms,
     .accepts = kZeroOrMore,
     .error = errors::PowerGapOhms,
     .file = {"extension", 25, 5},
     .option = "--gap-ohms",
     .help = "the spark gap's resistance while it conducts",
     .boxName = "txtGapOhms",
     .captionName = "lblGapOhms",
     .caption = "Gap Resistance while Firing",
     .unitName = "lblGapOhmsUnit",
     .jsonKey = "gap_ohms",
     // An estimate, not a measurement of a coil's gap: Morecroft gives a
     // spark's resistance as usually below 1 ohm, Slaby's measurements (in
     // Fleming, "The Principles of Electric Wave Telegraphy", 1910) 0.01 to
     // 7 ohms for 1 to 5 mm gaps, falling as the current rises.
     .start = 1,
     .tip = "The spark gap's resistance while it conducts: it takes the bang's energy. About 1 "
            "ohm for a static gap; less for a short, hot arc."},
    {.input = Input::StreamerOhms,
     .calculation = C::Power,
     .quantity = Q::Ohms,
     .accepts = kZeroOrMore,
     .error = errors::PowerStreamerOhms,
     .file = {"extension", 26, 5},
     .option = "--streamer-ohms",
     .help = "a streamer's resistance at the top; empty for none",
     .boxName = "txtStreamerOhms",
     .captionName = "lblStreamerOhms",
     .caption = "Streamer Resistance (Optional)",
     .unitName = "lblStreamerOhmsUnit",
     .jsonKey = "streamer_ohms",
     .tip = "A streamer from the top load loads the secondary like a resistance beside its "
            "capacitance; none while the coil fires into the air."},
    {.input = Input::Quench,
     .calculation = C::Power,
     .quantity = Q::Count,
     .accepts = kZeroOrMore,
     .error = errors::PowerQuench,
     .file = {"extension", 27, 5},
     .option = "--quench",
     .help = "the notch after which the gap stops conducting; 0 or never for never",
     .boxName = "txtQuench",
     .captionName = "lblQuench",
     .caption = "Gap Quenches after Notch (0: Never)",
     .jsonKey = "quench_notch",
     .start = 1,
     .tip = "A notch is a minimum of the primary current's envelope, when the energy has gone to "
            "the secondary; a good gap stops conducting at the first.",
     .zeroWord = "never"},
    // A bridge of switches in place of the spark gap (physics/Burst.h).
    {.input = Input::Driver,
     .calculation = C::Power,
     .quantity = Q::Choice,
     .error = errors::PowerDriver,
     .file = {"extension", 28, 6},
     .option = "--driver",
     .help = "what fires the primary: a spark gap or a bridge of switches",
     .boxName = "fraDriver",
     .captionName = "lblDriver",
     .caption = "Primary Driver",
     .jsonKey = "driver",
     .words = {{.word = "gap", .buttonName = "optDriverGap", .caption = "Spar&k Gap"},
               {.word = "bridge",
                .buttonName = "optDriverBridge",
                .caption = "B&ridge (Solid State)"}},
     .tip = "A spark gap fires the charged tank capacitor into the primary; a bridge of switches "
            "(IGBTs) drives the primary tank at its resonance for a burst (a DRSSTC)."},
    {.input = Input::Bridge,
     .calculation = C::Power,
     .quantity = Q::Choice,
     .error = errors::PowerBridge,
     .file = {"extension", 29, 6},
     .option = "--bridge",
     .help = "a full bridge, or a half bridge (half the bus voltage on the tank)",
     .boxName = "fraBridge",
     .captionName = "lblBridge",
     .caption = "Bridge of Switches",
     .jsonKey = "bridge",
     .words = {{.word = "full", .buttonName = "optBridgeFull", .caption = "F&ull"},
               {.word = "half", .buttonName = "optBridgeHalf", .caption = "&Half"}},
     .tip = "A full bridge puts plus or minus the whole bus voltage on the tank, a half bridge "
            "half of it."},
    {.input = Input::BusV,
     .calculation = C::Power,
     .quantity = Q::Volts,
     .accepts = kZeroOrMore,
     .error = errors::PowerBusV,
     .file = {"extension", 30, 6},
     .option = "--bus-v",
     .help = "the bridge's DC bus voltage; empty to rectify it from the mains",
     .boxName = "txtBusV",
     .captionName = "lblBusV",
     .caption = "Bus Voltage (Empty: Rectified Mains)",
     .unitName = "lblBusVUnit",
     .jsonKey = "bus_v",
     .tip = "The DC voltage across the bridge's switches."},
    {.input = Input::BusMains,
     .calculation = C::Power,
     .quantity = Q::Volts,
     .accepts = kZeroOrMore,
     .error = errors::PowerBusMains,
     .file = {"extension", 31, 6},
     .option = "--bus-from-mains",
     .help = "the mains voltage (RMS) the bus is rectified from",
     .boxName = "txtBusMains",
     .captionName = "lblBusMains",
     .caption = "Mains Voltage Rectified to the Bus (RMS)",
     .unitName = "lblBusMainsUnit",
     .jsonKey = "bus_from_mains_v",
     .tip = "Rectified and smoothed, the mains give a bus of its peak, 1.41 times its RMS "
            "voltage; twice that with a voltage doubler."},
    {.input = Input::Doubler,
     .calculation = C::Power,
     .quantity = Q::Choice,
     .error = errors::PowerDoubler,
     .file = {"extension", 32, 6},
     .option = "--doubler",
     .help = "whether the mains are rectified with a voltage doubler; alone, yes",
     .boxName = "fraDoubler",
     .captionName = "lblDoubler",
     .caption = "Mains Rectifier",
     .jsonKey = "doubler",
     .words = {{.word = "no", .buttonName = "optDoublerNo", .caption = "Bridge Rec&tifier"},
               {.word = "yes", .buttonName = "optDoublerYes", .caption = "Voltage Dou&bler"}},
     .tip = "A voltage doubler charges the bus to twice the mains' peak.",
     .bareOption = true},
    {.input = Input::BankSeries,
     .calculation = C::Power,
     .quantity = Q::Count,
     .error = errors::PowerBankSeries,
     .file = {"extension", 33, 6},
     .option = "--bank-series",
     .help = "units of the bank in series in each string",
     .boxName = "txtBankSeries",
     .captionName = "lblBankSeries",
     .caption = "Bank Units in Series",
     .jsonKey = "bank_series",
     .start = 1,
     .tip = "The tank capacitor is a bank of the units above: this many in series in each "
            "string."},
    {.input = Input::BankStrings,
     .calculation = C::Power,
     .quantity = Q::Count,
     .error = errors::PowerBankStrings,
     .file = {"extension", 34, 6},
     .option = "--bank-strings",
     .help = "strings of the bank side by side",
     .boxName = "txtBankStrings",
     .captionName = "lblBankStrings",
     .caption = "Bank Strings Side by Side",
     .jsonKey = "bank_strings",
     .start = 1,
     .tip = "The bank's strings of units in series, side by side."},
    {.input = Input::TuneRatio,
     .calculation = C::Power,
     .quantity = Q::Ratio,
     .error = errors::PowerTuneRatio,
     .file = {"extension", 35, 6},
     .option = "--tune-ratio",
     .help = "the primary tank's own frequency over the secondary's loaded frequency",
     .boxName = "txtTuneRatio",
     .captionName = "lblTuneRatio",
     .caption = "Primary Tuned to (of the Loaded Frequency)",
     .jsonKey = "tune_ratio",
     // T. Fritz, Tesla list, May 2006
     // (https://pupman.com/listarchives/2006/May/msg00742.html): "the
     // primary system needs to be tuned about 5% lower than the secondary due
     // to streamer loading".
     .start = 0.95,
     .tip = "Builders tune the primary a little below the secondary (about 5 %), where the "
            "streamers will pull the secondary: 0.95."},
    {.input = Input::OnTime,
     .calculation = C::Power,
     .quantity = Q::Microseconds,
     .error = errors::PowerOnTime,
     .file = {"extension", 36, 6},
     .option = "--on-time-us",
     .help = "how long the bridge drives each burst",
     .boxName = "txtOnTime",
     .captionName = "lblOnTime",
     .caption = "Burst On-Time",
     .unitName = "lblOnTimeUnit",
     .jsonKey = "on_time_s",
     .start = 100,
     .tip = "How long the bridge drives the primary in each burst; the current grows all the "
            "while."},
    {.input = Input::OcdA,
     .calculation = C::Power,
     .quantity = Q::Amperes,
     .accepts = kZeroOrMore,
     .error = errors::PowerOcdA,
     .file = {"extension", 37, 6},
     .option = "--ocd-a",
     .help = "the primary current at which the driver ends a burst; empty for none",
     .boxName = "txtOcdA",
     .captionName = "lblOcdA",
     .caption = "Over-Current Limit (Optional)",
     .unitName = "lblOcdAUnit",
     .jsonKey = "ocd_a",
     .tip = "The driver's over-current detection: it ends the burst when the primary current "
            "reaches this."},
    {.input = Input::SwitchA,
     .calculation = C::Power,
     .quantity = Q::Amperes,
     .accepts = kZeroOrMore,
     .error = errors::PowerSwitchA,
     .file = {"extension", 38, 6},
     .option = "--switch-a",
     .help = "the switches' rated peak current; empty for none",
     .boxName = "txtSwitchA",
     .captionName = "lblSwitchA",
     .caption = "Switches' Rated Peak Current (Optional)",
     .unitName = "lblSwitchAUnit",
     .jsonKey = "switch_a",
     .tip = "The peak current the bridge's switches are rated for (an IGBT's pulsed rating)."},
};

const QList<ShapeChoice> kShapes{
    {.shape = physics::Shape::Toroid,
     .word = "toroid",
     .buttonName = "optToroid",
     .caption = "&Toroid"},
    {.shape = physics::Shape::Sphere,
     .word = "sphere",
     .buttonName = "optSphere",
     .caption = "&Sphere"},
    {.shape = physics::Shape::None,
     .word = "none",
     .buttonName = "optNoTopLoad",
     .caption = "&No Top Load"},
};

} // namespace

const QList<ShapeChoice>& topLoadShapes() { return kShapes; }

const ShapeChoice& shapeChoice(physics::Shape shape) {
    for (const ShapeChoice& choice : kShapes)
        if (choice.shape == shape)
            return choice;
    Q_UNREACHABLE();
}

const QList<DesignInput>& designInputs() { return kInputs; }

const DesignInput& designInput(Input input) {
    for (const DesignInput& row : kInputs)
        if (row.input == input)
            return row;
    Q_UNREACHABLE();
}

QList<const DesignInput*> inputsOf(Calculation calculation) {
    QList<const DesignInput*> rows;
    for (const DesignInput& row : kInputs)
        if (row.calculation == calculation)
            rows.append(&row);
    return rows;
}

const DesignInput* inputRaising(std::uint32_t errorNumber) {
    for (const DesignInput& row : kInputs)
        if (row.error.number == errorNumber)
            return &row;
    return nullptr;
}

QString unitWord(Quantity quantity, bool useMetric) {
    switch (quantity) {
    case Quantity::Length:
        return designUnit(useMetric).word();
    case Quantity::Kilovolts:
        return QStringLiteral("kV");
    case Quantity::Milliamperes:
        return QStringLiteral("mA");
    case Quantity::Count:
        return {};
    case Quantity::Microfarads:
        return QStringLiteral("uF");
    case Quantity::Kilohertz:
        return QStringLiteral("kHz");
    case Quantity::Degrees:
        return QStringLiteral("deg");
    case Quantity::Ohms:
        return QStringLiteral("Ohm");
    case Quantity::Volts:
        return QStringLiteral("V");
    case Quantity::Amperes:
        return QStringLiteral("A");
    case Quantity::Microseconds:
        return QStringLiteral("us");
    case Quantity::Ratio:
    case Quantity::Choice:
        return {};
    }
    Q_UNREACHABLE();
}

double siValue(const DesignInput& input, double kept, bool useMetric) {
    if (input.keptInSi)
        return kept;
    // The product is exact in a double and the quotient rounded once.
    switch (input.quantity) {
    case Quantity::Length:
        return designUnit(useMetric).toMetres(kept);
    case Quantity::Kilovolts:
    case Quantity::Kilohertz:
        return kept * 1000;
    case Quantity::Milliamperes:
        return kept / 1000;
    case Quantity::Microfarads:
    case Quantity::Microseconds:
        return kept * 1e-6;
    case Quantity::Volts:
    case Quantity::Amperes:
    case Quantity::Count:
    case Quantity::Degrees:
    case Quantity::Ohms:
    case Quantity::Ratio:
    case Quantity::Choice:
        return kept;
    }
    Q_UNREACHABLE();
}

QString entryOf(const DesignInput& input, const ConstDesignModels& models) {
    return input.added() ? models.added.entry(input) : input.access.entry(models);
}

void storeEntry(const DesignInput& input, const DesignModels& models, const QString& text) {
    if (input.added())
        models.added.store(input, text);
    else
        input.access.store(models, text);
}

double keptValue(const DesignInput& input, const ConstDesignModels& models) {
    return input.added() ? double(models.added.value(input)) : input.access.value(models);
}

QString refusalText(const DesignInput& input, bool useMetric) {
    const Accept& accepts = input.accepts;
    const QString unit = unitWord(input.quantity, useMetric);
    const bool low = accepts.low > -std::numeric_limits<double>::infinity();
    const bool high = accepts.high < std::numeric_limits<double>::infinity();
    // The limits are whole numbers: the same in every locale.
    const auto limit = [](double value) { return QString::number(value); };
    QString range;
    if (low && high && accepts.lowTaken && accepts.highTaken)
        range = QStringLiteral("from ") + limit(accepts.low) + QStringLiteral(" to ") +
                limit(accepts.high);
    else if (low && high)
        range = (accepts.lowTaken ? QStringLiteral("at least ") : QStringLiteral("more than ")) +
                limit(accepts.low) +
                (accepts.highTaken ? QStringLiteral(" and at most ")
                                   : QStringLiteral(" and less than ")) +
                limit(accepts.high);
    else if (low)
        range = (accepts.lowTaken ? QStringLiteral("at least ") : QStringLiteral("more than ")) +
                limit(accepts.low);
    QString text = u'"' + QLatin1String(input.caption) + QStringLiteral("\" must be ");
    if (input.quantity == Quantity::Count)
        text += QStringLiteral("a whole number ") + range;
    else if (range.isEmpty())
        text += QStringLiteral("a number");
    else
        text += range;
    if (!unit.isEmpty())
        text += (range.isEmpty() ? QStringLiteral(" in ") : QStringLiteral(" ")) + unit;
    return text;
}

Entries entriesOf(Calculation calculation, const ConstDesignModels& models) {
    Entries entries;
    for (const DesignInput* row : inputsOf(calculation))
        entries[row->input] = entryOf(*row, models);
    return entries;
}

} // namespace resonex
