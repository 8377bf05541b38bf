#include "cli/CliOptions.h"

#include "core/settings/TwoWayOptions.h"

#include <array>

namespace resonex::cli {

namespace {

using TextField = std::optional<QString> CalcOptions::*;

struct FileOption {
    const char* name;
    TextField field;
};

constexpr std::array kFileOptions{
    FileOption{"--in", &CalcOptions::in},
    FileOption{"--out", &CalcOptions::out},
    FileOption{"--waveform", &CalcOptions::waveform},
};

// The design's two-way options and what calc keeps of each.
struct TwoWayField {
    const TwoWayOption& option;
    std::optional<bool> CalcOptions::*field;
};

constexpr TwoWayField kTwoWayFields[] = {
    {kUnitsOption, &CalcOptions::useMetric},
    {kMainsOption, &CalcOptions::use50Hz},
};

CTopLoad::Shape shapeOf(const QString& option, const QString& value) {
    QStringList words;
    for (const ShapeChoice& choice : topLoadShapes()) {
        if (value == QLatin1String(choice.word))
            return choice.shape;
        words << QLatin1String(choice.word);
    }
    const QString last = words.takeLast();
    throw UsageError{option + QStringLiteral(" takes ") + words.join(QStringLiteral(", ")) +
                     QStringLiteral(" or ") + last + QStringLiteral(", not '") + value + u'\''};
}

// Which of an option's two words the value is: true for the second; a
// refused value's message names them in their order.
bool secondOf(const QString& option, const QString& value, const char* first, const char* second) {
    if (value == QLatin1String(second))
        return true;
    if (value == QLatin1String(first))
        return false;
    throw UsageError{option + QStringLiteral(" takes ") + QLatin1String(first) +
                     QStringLiteral(" or ") + QLatin1String(second) + QStringLiteral(", not '") +
                     value + u'\''};
}

// Stores one "--name value" or "--name=value" of calc.
void takeCalcOption(CalcOptions& options, const QString& name, const QString& value) {
    for (const FileOption& option : kFileOptions) {
        if (name == QLatin1String(option.name)) {
            options.*option.field = value;
            return;
        }
    }
    for (const DesignInput& input : designInputs()) {
        if (name == QLatin1String(input.option)) {
            const bool zero = input.zeroWord && value == QLatin1String(input.zeroWord);
            options.entries[input.input] = zero ? QStringLiteral("0") : value;
            return;
        }
    }
    for (const PrimaryChoiceRow& row : primaryChoiceRows()) {
        if (name == QLatin1String(row.option)) {
            const qint16 chosen = secondOf(name, value, "0", "1") ? 1 : 0;
            // Given again, the last value counts.
            for (auto& [choice, given] : options.choices)
                if (choice == row.choice)
                    given = chosen;
            if (!options.chosen(row.choice))
                options.choices.append({row.choice, chosen});
            return;
        }
    }
    for (const TwoWayField& twoWay : kTwoWayFields) {
        if (name == QLatin1String(twoWay.option.option)) {
            const TwoWayOption& option = twoWay.option;
            options.*twoWay.field =
                !secondOf(name, value, option.whenTrue.word, option.whenFalse.word);
            return;
        }
    }
    if (name == u"--top")
        options.top = shapeOf(name, value);
    else
        throw UsageError{QStringLiteral("unknown option '") + name + u'\''};
}

// Two choices of 1 for one input would both fill it.
void checkChoices(const CalcOptions& options) {
    const QList<PrimaryChoiceRow>& rows = primaryChoiceRows();
    for (qsizetype first = 0; first < rows.size(); ++first)
        for (qsizetype second = first + 1; second < rows.size(); ++second)
            if (rows[first].fills == rows[second].fills &&
                options.chosen(rows[first].choice) == 1 && options.chosen(rows[second].choice) == 1)
                throw UsageError{QLatin1String(rows[first].option) + QStringLiteral(" 1 and ") +
                                 QLatin1String(rows[second].option) +
                                 QStringLiteral(" 1 exclude each other")};
}

} // namespace

std::optional<qint16> CalcOptions::chosen(PrimaryChoice choice) const {
    for (const auto& [given, value] : choices)
        if (given == choice)
            return value;
    return std::nullopt;
}

bool CalcOptions::given(Calculation calculation) const {
    for (const auto& [input, text] : entries)
        if (designInput(input).calculation == calculation)
            return true;
    switch (calculation) {
    case Calculation::Primary:
        return !choices.isEmpty();
    case Calculation::TopLoad:
        return top.has_value();
    default:
        return false;
    }
}

namespace {

const QString kJsonFlag = QStringLiteral("--json");

// The choice a bare option names ("--doubler" alone), none for any other.
const DesignInput* bareOption(const QString& name) {
    for (const DesignInput& input : designInputs())
        if (input.bareOption && name == QLatin1String(input.option))
            return &input;
    return nullptr;
}

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
        } else if (const DesignInput* bare = bareOption(name);
                   bare && (i + 1 == arguments.size() || arguments[i + 1].startsWith(u"--"))) {
            value = QLatin1String(bare->words.constLast().word);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            throw UsageError{name + QStringLiteral(" needs a value")};
        }
        takeCalcOption(options, name, value);
    }
    if (options.in && options.useMetric)
        throw UsageError{QStringLiteral("--units applies to a new design only, not with --in")};
    checkChoices(options);
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

namespace {

constexpr int kOptionColumn = 19;
constexpr int kHelpWidth = 80;

// One option's lines of the help: the option and its value, then what it does
// in the column beside, wrapped at the help's width, starting under the option
// when that is too long.
QString helpLine(const QString& option, const QString& text) {
    const QString indent(2 + kOptionColumn, u' ');
    QString lines = QStringLiteral("  ") + option;
    QString line = option.size() < kOptionColumn ? lines.leftJustified(indent.size()) : QString();
    if (line.isEmpty())
        lines += u'\n';
    else
        lines.clear();
    for (const QString& word : text.split(u' ')) {
        if (line.size() > indent.size() && line.size() + 1 + word.size() > kHelpWidth) {
            lines += line + u'\n';
            line.clear();
        }
        if (line.isEmpty())
            line = indent;
        else if (line.size() > indent.size())
            line += u' ';
        line += word;
    }
    return lines + line + u'\n';
}

QString calculationHelp(Calculation calculation) {
    QString text = calculationTitle(calculation) + QStringLiteral(":\n");
    if (calculation == Calculation::TopLoad)
        text += helpLine(QStringLiteral("--top ") + shapeValues(),
                         QStringLiteral("shape of the top load"));
    for (const DesignInput* input : inputsOf(calculation))
        text +=
            helpLine(QLatin1String(input->option) + u' ' + inputValues(*input), inputHelp(*input));
    if (calculation == Calculation::Primary)
        for (const PrimaryChoiceRow& row : primaryChoiceRows())
            text += helpLine(QLatin1String(row.option) + u' ' + choiceValues(row), choiceHelp(row));
    return text;
}

} // namespace

QString calculationTitle(Calculation calculation) {
    switch (calculation) {
    case Calculation::Transformer:
        return QStringLiteral("Transformer bank");
    case Calculation::Secondary:
        return QStringLiteral("Secondary coil");
    case Calculation::Primary:
        return QStringLiteral("Primary coil");
    case Calculation::TopLoad:
        return QStringLiteral("Top load (calculated after the secondary coil)");
    case Calculation::Power:
        return QStringLiteral("Power side (its figures once the transformer bank is calculated)");
    }
    Q_UNREACHABLE();
}

QString inputValues(const DesignInput& input) {
    if (input.quantity != Quantity::Choice)
        return input.zeroWord ? QStringLiteral("T|") + QLatin1String(input.zeroWord)
                              : QStringLiteral("T");
    QStringList words;
    for (const ChoiceWord& word : input.words)
        words << QLatin1String(word.word);
    return words.join(u'|');
}

QString inputHelp(const DesignInput& input) {
    // A length is typed in the design's unit, which the help names once.
    const QString unit =
        input.quantity == Quantity::Length ? QString() : unitWord(input.quantity, true);
    return QLatin1String(input.help) +
           (unit.isEmpty() ? QString() : QStringLiteral(" (") + unit + u')');
}

QString choiceValues(const PrimaryChoiceRow&) { return QStringLiteral("0|1"); }

QString choiceHelp(const PrimaryChoiceRow& row) {
    QStringList others;
    for (const PrimaryChoiceRow& other : primaryChoiceRows())
        if (other.fills == row.fills && other.choice != row.choice)
            others << QLatin1String(other.option) + QStringLiteral(" 1");
    if (others.isEmpty())
        return QLatin1String(row.help);
    return QLatin1String(row.help) + QStringLiteral(" (not with ") +
           others.join(QStringLiteral(", ")) + u')';
}

QString twoWayValues(const TwoWayOption& option) {
    return QLatin1String(option.whenTrue.word) + u'|' + QLatin1String(option.whenFalse.word);
}

QString twoWayHelp(const TwoWayOption& option) {
    return QLatin1String(option.help) + QStringLiteral(" (default ") +
           QLatin1String(option.way(option.stored.defaultValue()).word) + u')';
}

QList<const TwoWayOption*> twoWayOptions() {
    QList<const TwoWayOption*> options;
    for (const TwoWayField& twoWay : kTwoWayFields)
        options << &twoWay.option;
    return options;
}

QString shapeValues() {
    QStringList words;
    for (const ShapeChoice& choice : topLoadShapes())
        words << QLatin1String(choice.word);
    return words.join(u'|');
}

QString helpText() {
    QString text = QStringLiteral(
        "Usage:\n"
        "  resonex-cli show [--json] FILE         print the design summary of FILE\n"
        "  resonex-cli calc [--json] [OPTIONS]    build a design, calculate it, print its summary\n"
        "  resonex-cli --help | --version\n"
        "\n"
        "--json prints the design as one JSON object instead of the summary, every value\n"
        "in SI units (metres, henries, hertz, farads, volts, amperes).\n"
        "\n"
        "calc options (values as typed in the dialogs, lengths in the design's units):\n"
        "  --in FILE          start from this design instead of a new one\n"
        "  --out FILE         save the result to FILE\n"
        "  --waveform FILE    write the bang's waveform to FILE as CSV (time, primary\n"
        "                     current, top voltage, in s, A and V)\n");
    for (const TwoWayField& twoWay : kTwoWayFields)
        text += helpLine(QLatin1String(twoWay.option.option) + u' ' + twoWayValues(twoWay.option),
                         twoWayHelp(twoWay.option));
    for (const Calculation calculation : kCalculations)
        text += calculationHelp(calculation);
    return text + QStringLiteral("\n"
                                 "Exit status: 0 done, 1 file or output error, 2 rejected value, 3 "
                                 "calculation error,\n"
                                 "64 usage error.\n");
}

} // namespace resonex::cli
