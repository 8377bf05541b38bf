#pragma once

#include "core/model/CTopLoad.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace resonex::cli {

// What `calc` was told. A text option holds the entry verbatim, as it would be
// typed into the dialog's box.
struct CalcOptions {
    std::optional<QString> in;
    std::optional<QString> out;
    std::optional<bool> useMetric;
    std::optional<bool> use50Hz;

    std::optional<QString> kv;
    std::optional<QString> ma;
    std::optional<QString> count;

    std::optional<QString> dia;
    std::optional<QString> height;
    std::optional<QString> wireDia;
    std::optional<QString> spacing;

    std::optional<QString> cap;
    std::optional<QString> freq;
    std::optional<QString> secDia;
    std::optional<QString> conDia;
    std::optional<QString> conSpa;
    std::optional<QString> secSep;
    std::optional<qint16> usePriC;
    std::optional<qint16> useSecFr;
    std::optional<qint16> useSecDia;
    std::optional<qint16> useTopFr;

    std::optional<CTopLoad::Shape> top;
    std::optional<QString> topDia;
    std::optional<QString> topTube;
    std::optional<QString> topHeight;
    std::optional<QString> baseHeight;
    std::optional<QString> targetFr;

    bool transformerGiven() const { return kv || ma || count; }
    bool secondaryGiven() const { return dia || height || wireDia || spacing; }
    bool topLoadGiven() const {
        return top || topDia || topTube || topHeight || baseHeight || targetFr;
    }
    bool primaryGiven() const {
        return cap || freq || secDia || conDia || conSpa || secSep || usePriC || useSecFr ||
               useSecDia || useTopFr;
    }
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

// The word of --top for a shape, as the JSON names it too.
QString shapeWord(CTopLoad::Shape shape);

} // namespace resonex::cli
