#include "cli/CliOptions.h"

#include "core/text/LengthUnit.h"

#include <array>

namespace resonex::cli {

namespace {

using TextField = std::optional<QString> CalcOptions::*;
using ChoiceField = std::optional<qint16> CalcOptions::*;

struct TextOption {
    const char* name;
    TextField field;
};

constexpr std::array kTextOptions{
    TextOption{"--in", &CalcOptions::in},
    TextOption{"--out", &CalcOptions::out},
    TextOption{"--kv", &CalcOptions::kv},
    TextOption{"--ma", &CalcOptions::ma},
    TextOption{"--count", &CalcOptions::count},
    TextOption{"--dia", &CalcOptions::dia},
    TextOption{"--height", &CalcOptions::height},
    TextOption{"--wire-dia", &CalcOptions::wireDia},
    TextOption{"--spacing", &CalcOptions::spacing},
    TextOption{"--cap", &CalcOptions::cap},
    TextOption{"--freq", &CalcOptions::freq},
    TextOption{"--sec-dia", &CalcOptions::secDia},
    TextOption{"--con-dia", &CalcOptions::conDia},
    TextOption{"--con-spa", &CalcOptions::conSpa},
    TextOption{"--sec-sep", &CalcOptions::secSep},
    TextOption{"--top-dia", &CalcOptions::topDia},
    TextOption{"--top-tube", &CalcOptions::topTube},
    TextOption{"--top-height", &CalcOptions::topHeight},
    TextOption{"--base-height", &CalcOptions::baseHeight},
    TextOption{"--target-fr", &CalcOptions::targetFr},
};

struct ChoiceOption {
    const char* name;
    ChoiceField field;
};

constexpr std::array kChoiceOptions{
    ChoiceOption{"--use-pri-c", &CalcOptions::usePriC},
    ChoiceOption{"--use-sec-fr", &CalcOptions::useSecFr},
    ChoiceOption{"--use-sec-dia", &CalcOptions::useSecDia},
    ChoiceOption{"--use-top-fr", &CalcOptions::useTopFr},
};

struct ShapeWord {
    const char* word;
    CTopLoad::Shape shape;
};

constexpr std::array kShapeWords{
    ShapeWord{"toroid", CTopLoad::Shape::Toroid},
    ShapeWord{"sphere", CTopLoad::Shape::Sphere},
    ShapeWord{"none", CTopLoad::Shape::None},
};

} // namespace

QString shapeWord(CTopLoad::Shape shape) {
    for (const ShapeWord& word : kShapeWords)
        if (word.shape == shape)
            return QLatin1String(word.word);
    Q_UNREACHABLE();
}

namespace {

CTopLoad::Shape shapeOf(const QString& option, const QString& value) {
    for (const ShapeWord& word : kShapeWords)
        if (value == QLatin1String(word.word))
            return word.shape;
    throw UsageError{option + QStringLiteral(" takes toroid, sphere or none, not '") + value +
                     u'\''};
}

// Two accepted words of an option, mapped to false and true.
bool either(const QString& option, const QString& value, const char* falseWord,
            const char* trueWord) {
    if (value == QLatin1String(trueWord))
        return true;
    if (value == QLatin1String(falseWord))
        return false;
    throw UsageError{option + QStringLiteral(" takes ") + QLatin1String(falseWord) +
                     QStringLiteral(" or ") + QLatin1String(trueWord) + QStringLiteral(", not '") +
                     value + u'\''};
}

// Stores one "--name value" or "--name=value" of calc.
void takeCalcOption(CalcOptions& options, const QString& name, const QString& value) {
    for (const TextOption& option : kTextOptions) {
        if (name == QLatin1String(option.name)) {
            options.*option.field = value;
            return;
        }
    }
    for (const ChoiceOption& option : kChoiceOptions) {
        if (name == QLatin1String(option.name)) {
            options.*option.field = either(name, value, "0", "1") ? 1 : 0;
            return;
        }
    }
    if (name == u"--top")
        options.top = shapeOf(name, value);
    else if (name == u"--units")
        options.useMetric = !either(name, value, kMillimetre.symbol, kInch.symbol);
    else if (name == u"--mains")
        options.use50Hz = !either(name, value, "50", "60");
    else
        throw UsageError{QStringLiteral("unknown option '") + name + u'\''};
}

const QString kJsonFlag = QStringLiteral("--json");

CalcOptions parseCalc(const QStringList& arguments, Output& output) {
    CalcOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        if (name == kJsonFlag) {
            output = Output::Json;
            continue;
        }
        if (name.startsWith(kJsonFlag + u'='))
            throw UsageError{kJsonFlag + QStringLiteral(" takes no value")};
        if (!name.startsWith(u"--"))
            throw UsageError{QStringLiteral("unexpected argument '") + name + u'\''};
        QString value;
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            throw UsageError{name + QStringLiteral(" needs a value")};
        }
        takeCalcOption(options, name, value);
    }
    if (options.in && options.useMetric)
        throw UsageError{QStringLiteral("--units applies to a new design only, not with --in")};
    // Both would set the primary's frequency.
    if (options.useSecFr == 1 && options.useTopFr == 1)
        throw UsageError{QStringLiteral("--use-sec-fr 1 and --use-top-fr 1 exclude each other")};
    return options;
}

} // namespace

Request parseArguments(const QStringList& arguments) {
    Request request;
    if (arguments.isEmpty())
        throw UsageError{QStringLiteral("no command given")};
    if (arguments.contains(u"--help") || arguments.contains(u"-h"))
        return request;

    const QString& command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == u"--version") {
        if (!rest.isEmpty())
            throw UsageError{QStringLiteral("--version takes no arguments")};
        request.command = Request::Command::Version;
    } else if (command == u"show") {
        QStringList files = rest;
        if (files.removeAll(kJsonFlag) > 0)
            request.output = Output::Json;
        if (files.size() != 1)
            throw UsageError{QStringLiteral("show takes exactly one design file")};
        request.command = Request::Command::Show;
        request.file = files.first();
    } else if (command == u"calc") {
        request.command = Request::Command::Calc;
        request.calc = parseCalc(rest, request.output);
    } else {
        throw UsageError{QStringLiteral("unknown command '") + command + u'\''};
    }
    return request;
}

QString helpText() {
    return QStringLiteral(
        "Usage:\n"
        "  resonex-cli show [--json] FILE         print the design summary of FILE\n"
        "  resonex-cli calc [--json] [OPTIONS]    build a design, calculate it, print its summary\n"
        "  resonex-cli --help | --version\n"
        "\n"
        "--json prints the design as one JSON object instead of the summary, every value\n"
        "in SI units (metres, henries, hertz, farads, volts, amperes).\n"
        "\n"
        "calc options (values are entered as in the dialogs):\n"
        "  --in FILE          start from this design instead of a new one\n"
        "  --out FILE         save the result to FILE\n"
        "  --units mm|in      input length units of a new design (default mm)\n"
        "  --mains 50|60      mains frequency in Hz (default 50)\n"
        "Transformer bank:\n"
        "  --kv T --ma T --count T      secondary voltage, current, number of transformers\n"
        "Secondary coil:\n"
        "  --dia T --height T --wire-dia T --spacing T\n"
        "Primary coil:\n"
        "  --cap T (uF) --freq T (kHz) --sec-dia T --con-dia T --con-spa T --sec-sep T\n"
        "  --use-pri-c 0|1 --use-sec-fr 0|1 --use-sec-dia 0|1\n"
        "                     take the capacitance, frequency or secondary diameter\n"
        "                     from the other calculations\n"
        "  --use-top-fr 0|1   tune to the secondary's frequency with its top load\n"
        "                     (not with --use-sec-fr 1)\n"
        "Top load (calculated after the secondary coil):\n"
        "  --top toroid|sphere|none\n"
        "  --top-dia T        overall diameter of a toroid, diameter of a sphere\n"
        "  --top-tube T       tube diameter of a toroid, at most half its overall one\n"
        "  --top-height T     height of its centre above the top of the winding\n"
        "  --base-height T    height of the winding's base above the floor\n"
        "  --target-fr T      frequency (kHz) to size a toroid for; empty for none\n"
        "\n"
        "Exit status: 0 done, 1 file or output error, 2 rejected value, 3 calculation error,\n"
        "64 usage error.\n");
}

} // namespace resonex::cli
