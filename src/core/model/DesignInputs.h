#pragma once

#include "core/errors/ErrorCodes.h"
#include "core/model/DimensionProperty.h"
#include "core/physics/CoilField.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <limits>
#include <map>

namespace resonex {

class AddedInputs;
class CPrimary;
class CSecondary;
class CTopLoad;
class CTransformer;

// The calculations of a design, each with its dialog and its group of inputs.
enum class Calculation { Transformer, Secondary, Primary, TopLoad, Power };
// Every calculation, in the order resonex-cli describes them.
inline constexpr Calculation kCalculations[] = {Calculation::Transformer, Calculation::Secondary,
                                                Calculation::Primary, Calculation::TopLoad,
                                                Calculation::Power};

// What an input measures, and the one unit it is typed in: a length in the
// design's unit (millimetres or inches), the others in the unit named. An
// angle is in degrees, a ratio a plain number; a choice is one of the row's
// words. An input is kept as typed unless its row says it is kept in SI
// units (DesignInput::keptInSi); siValue is the one conversion to SI.
enum class Quantity {
    Length,
    Kilovolts,
    Milliamperes,
    Count,
    Microfarads,
    Kilohertz,
    Degrees,
    Ohms,
    Ratio,
    Volts,
    Amperes,
    Microseconds,
    Choice
};

// What an input accepts: a number between two limits, each taken or not (a
// count must also be whole).
struct Accept {
    double low = 0;
    bool lowTaken = false;
    double high = std::numeric_limits<double>::infinity();
    bool highTaken = false;

    constexpr bool contains(double value) const {
        return (lowTaken ? value >= low : value > low) &&
               (highTaken ? value <= high : value < high);
    }
};
inline constexpr Accept kPositive{};
inline constexpr Accept kZeroOrMore{0, true};
inline constexpr Accept kAnyNumber{-std::numeric_limits<double>::infinity()};

// One word of a choice: as resonex-cli and the JSON write it, and its button.
struct ChoiceWord {
    const char* word;
    const char* buttonName;
    const char* caption;
};

// Every input of a design that is typed into a box, each declared once by its
// row in DesignInputs.cpp.
enum class Input {
    SecVol,
    SecCur,
    Num,
    Dia,
    Height,
    WireDia,
    WireSpa,
    C,
    Fr,
    SecDia,
    ConDia,
    ConSpa,
    SecSep,
    PriShape,
    PriAngle,
    PriTurns,
    PriHeight,
    TargetK,
    TopDia,
    TubeDia,
    TopHeight,
    BaseHeight,
    TargetFr,
    RailDia,
    RailWire,
    RailHeight,
    Ceiling,
    Walls,
    Gap,
    Bps,
    TankC,
    UnitC,
    UnitKv,
    MmcSafety,
    GapOhms,
    StreamerOhms,
    Quench,
    Driver,
    Bridge,
    BusV,
    BusMains,
    Doubler,
    BankSeries,
    BankStrings,
    TuneRatio,
    OnTime,
    OcdA,
    SwitchA,
};

// What fires the primary, in the order of the driver's words.
enum class Driver { Gap, Bridge };

// The objects of a design that keep its inputs.
struct ConstDesignModels {
    const CSecondary& secondary;
    const CTransformer& transformer;
    const CPrimary& primary;
    const CTopLoad& topLoad;
    const AddedInputs& added;
};
struct DesignModels {
    CSecondary& secondary;
    CTransformer& transformer;
    CPrimary& primary;
    CTopLoad& topLoad;
    AddedInputs& added;

    // The same objects, read only.
    operator ConstDesignModels() const { return {secondary, transformer, primary, topLoad, added}; }
};

// Where a design file keeps an input: a field of one of its four objects
// (version 0), or of the extension block from the version given. Inputs kept
// from version 2 on are the added ones (AddedInputs). The block is written
// and read in the order of its field numbers (ExtensionFields.h), so a later
// version's field takes a number after every earlier version's.
struct FileSlot {
    const char* object;
    int field; // 1-based, within the object or the block
    qint16 version = 0;
};

// How an input its model keeps is reached: its text as an entry box shows it,
// storing a typed text (a rejected one raises the row's error), and the value
// as kept. An added input has none: AddedInputs keeps it.
struct InputAccess {
    QString (*entry)(const ConstDesignModels&);
    void (*store)(const DesignModels&, const QString&);
    double (*value)(const ConstDesignModels&);
};

// One input, everything the programs need to know of it: the calculation that
// stores it and its box there, what it measures and what it accepts, where
// the file keeps it, and its names for `resonex-cli` and its JSON.
struct DesignInput {
    Input input;
    Calculation calculation;
    Quantity quantity;
    // The accept rule; a text it refuses raises the error.
    Accept accepts = kPositive;
    ErrorInfo error;
    FileSlot file;
    const char* option; // "--dia"
    const char* help;   // what the option sets, for --help and the manual
    const char* boxName;
    const char* captionName;
    const char* caption;
    const char* unitName = nullptr; // the unit's label, none for a count
    const char* jsonKey;            // within its calculation's object
    InputAccess access{};
    // An added input's value in a new design (its choice's index), and a
    // choice's words in order.
    double start = 0;
    QList<ChoiceWord> words{};
    // The strike rail and the room around the coil: apart from their
    // calculation's own inputs in its dialog and in the JSON.
    bool surroundings = false;
    // What the input is, for a builder who does not know the word: its box's
    // tool tip.
    const char* tip = nullptr;
    // Its model keeps it in SI units, converted as it is stored: the classic
    // capacitor in farads, the frequencies in hertz.
    bool keptInSi = false;
    // A word the command line takes for 0 ("never"), none for most.
    const char* zeroWord = nullptr;
    // A choice the command line also takes as a bare option, meaning its last
    // word ("--doubler" for "--doubler yes").
    bool bareOption = false;

    bool added() const { return file.version >= 2; }
    // Kept in the classic file's four objects, whose boxes and error sources
    // are the classic ones; every other input is kept in the extension block.
    bool classic() const { return file.version == 0; }
    // Whether an added input's empty box (and its 0) means there is none: a
    // quantity that cannot be negative and starts at 0. Any other takes a
    // typed value, so that an empty box never stands for a number unseen.
    bool emptyIsNone() const { return start == 0 && accepts.low >= 0; }
};

// Every input, calculation by calculation, each in the order its calculation
// stores it and its dialog shows it.
const QList<DesignInput>& designInputs();
const DesignInput& designInput(Input input);
QList<const DesignInput*> inputsOf(Calculation calculation);

// The input whose entry raises an error of this number, if any.
const DesignInput* inputRaising(std::uint32_t errorNumber);

// The unit word a box of the quantity shows ("mm", "kHz"); none for a count.
QString unitWord(Quantity quantity, bool useMetric);
// The kept value in SI units (metres, volts, amperes, farads, hertz): the
// one place a typed unit becomes SI.
double siValue(const DesignInput& input, double kept, bool useMetric);

// The input's text as its entry box shows it; storing a typed text (a refused
// one raises the row's error and keeps the value); the value as kept.
QString entryOf(const DesignInput& input, const ConstDesignModels& models);
void storeEntry(const DesignInput& input, const DesignModels& models, const QString& text);
double keptValue(const DesignInput& input, const ConstDesignModels& models);

// The top load's shapes, as its option buttons, `resonex-cli --top` and the
// JSON name them, in the buttons' order.
struct ShapeChoice {
    physics::Shape shape;
    const char* word;
    const char* buttonName;
    const char* caption;
};
const QList<ShapeChoice>& topLoadShapes();
const ShapeChoice& shapeChoice(physics::Shape shape);

// Why a typed text was refused, naming the box by its caption and what it
// takes: '"Primary Turns as Built" must be a whole number from 1 to 60'.
QString refusalText(const DesignInput& input, bool useMetric);

// The texts typed for a calculation's inputs.
using Entries = std::map<Input, QString>;

// The entries as the models' boxes show them now.
Entries entriesOf(Calculation calculation, const ConstDesignModels& models);

} // namespace resonex
