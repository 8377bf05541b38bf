#include "cli/CliReference.h"

#include "cli/CliOptions.h"

#include "core/settings/TwoWayOptions.h"

#include <QStringList>

namespace resonex::cli {

namespace {

// An option as roff writes it: its hyphens are not breaking ones.
QString roff(const QString& text) { return QString(text).replace(u'-', QStringLiteral("\\-")); }

QString manEntry(const QString& option, const QString& value, bool italicValue,
                 const QString& text) {
    return QStringLiteral(".TP\n") +
           (italicValue ? QStringLiteral(".BI ") : QStringLiteral(".BR ")) + roff(option) +
           QStringLiteral(" \" ") + value + QStringLiteral("\"\n") + roff(text) +
           QStringLiteral(".\n");
}

// The options of the inputs, those typed or all.
QStringList inputOptions(bool typedOnly) {
    QStringList options;
    for (const DesignInput& input : designInputs())
        if (!typedOnly || input.quantity != Quantity::Choice)
            options << QLatin1String(input.option);
    return options;
}

QStringList choiceOptions() {
    QStringList options;
    for (const PrimaryChoiceRow& row : primaryChoiceRows())
        options << QLatin1String(row.option);
    return options;
}

} // namespace

QString manTwoWayOptions() {
    QString text;
    for (const TwoWayOption* option : twoWayOptions())
        text += manEntry(QLatin1String(option->option), twoWayValues(*option), false,
                         twoWayHelp(*option));
    return text;
}

QString wordCases() {
    QStringList cases;
    const auto offer = [&cases](const char* option, QString words) {
        cases << QLatin1String(option) + QStringLiteral(") COMPREPLY=($(compgen -W '") +
                     words.replace(u'|', u' ') + QStringLiteral("' -- \"$cur\")) ;;");
    };
    for (const TwoWayOption* option : twoWayOptions())
        offer(option->option, twoWayValues(*option));
    for (const DesignInput& input : designInputs())
        if (input.quantity == Quantity::Choice)
            offer(input.option, inputValues(input));
    return cases.join(QStringLiteral("\n        "));
}

QString manInputOptions() {
    QString text;
    for (const Calculation calculation : kCalculations) {
        text += QStringLiteral(".SS ") + calculationTitle(calculation).section(u' ', 0, 1) + u'\n';
        if (calculation == Calculation::TopLoad)
            text += manEntry(QStringLiteral("--top"), shapeValues(), false,
                             QStringLiteral("shape of the top load"));
        for (const DesignInput* input : inputsOf(calculation))
            text += manEntry(QLatin1String(input->option), inputValues(*input),
                             input->quantity != Quantity::Choice, inputHelp(*input));
        if (calculation == Calculation::Primary)
            for (const PrimaryChoiceRow& row : primaryChoiceRows())
                text +=
                    manEntry(QLatin1String(row.option), choiceValues(row), false, choiceHelp(row));
    }
    return text;
}

QString choiceOptionsPattern() { return choiceOptions().join(QStringLiteral(" | ")); }

QString shapeWords() { return shapeValues().replace(u'|', u' '); }

QString valueOptionsPattern() { return inputOptions(true).join(QStringLiteral(" | ")); }

QString calcOptionWords() {
    QStringList words{QStringLiteral("--json"), QStringLiteral("--in"), QStringLiteral("--out"),
                      QStringLiteral("--waveform")};
    for (const TwoWayOption* option : twoWayOptions())
        words << QLatin1String(option->option);
    return (words << QStringLiteral("--top") << inputOptions(false) << choiceOptions()).join(u' ');
}

} // namespace resonex::cli
