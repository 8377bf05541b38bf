#pragma once

#include "core/model/CTopLoad.h"
#include "core/model/DesignInputs.h"
#include "core/model/PrimarySources.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace resonex {
struct TwoWayOption;
}

namespace resonex::cli {

// What `calc` was told. An input's text is the entry verbatim, as it would be
// typed into the dialog's box.
struct CalcOptions {
    std::optional<QString> in;
    std::optional<QString> out;
    std::optional<QString> waveform; // the bang's, as CSV
    std::optional<bool> useMetric;
    std::optional<bool> use50Hz;

    Entries entries;
    // The primary's choices given, each 0 or 1, in the order given.
    QList<std::pair<PrimaryChoice, qint16>> choices;
    std::optional<CTopLoad::Shape> top;

    // The value given for the choice, if any.
    std::optional<qint16> chosen(PrimaryChoice choice) const;
    // Whether any input of the calculation was given: it is then calculated.
    bool given(Calculation calculation) const;
};

// What show and calc print: the design summary, or the design as JSON.
enum class Output { Summary, Json };

struct Request {
    enum class Command { Help, Version, Show, Calc };
    Command command = Command::Help;
    Output output = Output::Summary; // show, calc
    QString file;                    // show
    CalcOptions calc;
};

// A command line that cannot be carried out as given.
struct UsageError {
    QString message;
};

// The arguments after the program name; raises UsageError.
Request parseArguments(const QStringList& arguments);

QString helpText();

// What the calculation's part of the help and the manual is headed.
QString calculationTitle(Calculation calculation);
// How an option's value is written in the help and the manual: "T" for a
// typed input, the words a choice takes; and what an input's option sets,
// with the unit it is typed in where that is not the design's length unit.
QString inputValues(const DesignInput& input);
QString inputHelp(const DesignInput& input);
QString choiceValues(const PrimaryChoiceRow& row);
// What a choice's option does, and the others for its input it excludes.
QString choiceHelp(const PrimaryChoiceRow& row);
QString shapeValues();
// The design's two-way options (--units, --mains): their words and help.
QList<const TwoWayOption*> twoWayOptions();
QString twoWayValues(const TwoWayOption& option);
QString twoWayHelp(const TwoWayOption& option);

} // namespace resonex::cli
