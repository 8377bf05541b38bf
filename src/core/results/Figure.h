#pragma once

#include "core/encoding/JsonText.h"
#include "core/model/DesignInputs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>

namespace resonex {

// The units results are shown in, each with its one conversion from SI and
// its number's pattern.
enum class Shown {
    Picofarads,   // "fixed", as the secondary's capacitances
    Nanofarads,   // two decimals
    Kilohertz,    // "fixed", as the primary's frequency
    Kilovolts,    // two decimals
    Joules,       // two decimals
    Watts,        // two decimals
    Amperes,      // two decimals
    Microhenries, // two decimals
    Coupling,     // four decimals, no unit
    Length,       // two decimals, in the design's unit
    Microseconds, // two decimals
    Ohms,         // two decimals
    Percent,      // a share of 1 in hundredths, two decimals
    Number,       // two decimals, no unit (a Q)
    Volts,        // two decimals
};

// A value in SI units as shown, without its unit; the unit's word; and both,
// the unit straight after the number ("143.24kHz").
QString shownNumber(Shown shown, double si, bool useMetric);
QString shownUnit(Shown shown, bool useMetric);
QString shownText(Shown shown, double si, bool useMetric);
// Two decimals ("fixed") of a value in the unit it is scaled to, for a unit
// Shown has not (a prefix chosen by size).
QString fixedIn(double si, double perUnit);

// One result of a calculation, declared once: the summary's line and the
// dialog's (its label and text), its box where a dialog shows it in one, and
// its key and value in the JSON all read the declaration. A figure is a
// value in SI units with the unit it is shown in; a result that a number and
// its unit do not say (a bank of capacitors, a tap, a warning) gives its own
// text and JSON instead.
template <typename Results> struct Figure {
    // Its line's label ("Peak voltage"); none for a figure in the JSON alone.
    const char* label = nullptr;
    // Its key in its calculation's JSON object; none for a line the JSON
    // does not have. An input shown among the figures has its row's key
    // (input), and a calculation whose figures fill more than one object
    // names which (jsonObject, 0 for its own).
    const char* jsonKey = nullptr;
    std::optional<Input> input = std::nullopt;
    int jsonObject = 0;
    // The value in SI units, none while it has none (no line, null).
    std::optional<double> (*value)(const Results&) = nullptr;
    Shown shown = Shown::Picofarads;
    // A result's own text, label and JSON where they are not a figure's;
    // an empty text is no line. A note (a warning, a reason) has a label
    // alone: its line, none while it is empty.
    QString (*text)(const Results&, bool useMetric) = nullptr;
    QString (*labelOf)(const Results&) = nullptr;
    QByteArray (*json)(const Results&, bool useMetric) = nullptr;
    // Lines a note's label heads (a listing).
    QStringList (*below)(const Results&) = nullptr;
    // Where a dialog shows it in a box: the box's and the caption's names,
    // the caption and a tool tip for both.
    const char* boxName = nullptr;
    const char* captionName = nullptr;
    const char* caption = nullptr;
    const char* toolTip = nullptr;
};

template <typename Results>
QString figureLabel(const Figure<Results>& figure, const Results& results) {
    return figure.labelOf ? figure.labelOf(results) : QString::fromLatin1(figure.label);
}

// Whether the line is a note: a label with no value.
template <typename Results> bool isNote(const Figure<Results>& figure) {
    return !figure.value && !figure.text;
}

// The value shown without its unit, as a dialog's box shows it.
template <typename Results>
QString figureNumber(const Figure<Results>& figure, const Results& results, bool useMetric) {
    const std::optional<double> value = figure.value(results);
    return value ? shownNumber(figure.shown, *value, useMetric) : QString();
}

// The value with its unit, as the summary writes it; empty for none.
template <typename Results>
QString figureText(const Figure<Results>& figure, const Results& results, bool useMetric) {
    if (figure.text)
        return figure.text(results, useMetric);
    const std::optional<double> value = figure.value(results);
    return value ? shownText(figure.shown, *value, useMetric) : QString();
}

// Its key in the JSON, none for a figure the JSON does not have.
template <typename Results> const char* figureKey(const Figure<Results>& figure) {
    return figure.input ? designInput(*figure.input).jsonKey : figure.jsonKey;
}

template <typename Results>
QByteArray figureJson(const Figure<Results>& figure, const Results& results, bool useMetric) {
    if (figure.json)
        return figure.json(results, useMetric);
    const std::optional<double> value = figure.value(results);
    return value ? json::siNumber(*value) : json::kNull;
}

// A calculation's figures in the order they are shown.
template <typename Results> struct FigureList {
    const Figure<Results>* first = nullptr;
    const Figure<Results>* last = nullptr;
    const Figure<Results>* begin() const { return first; }
    const Figure<Results>* end() const { return last; }
};

template <typename Results, std::size_t Count>
constexpr FigureList<Results> figureList(const Figure<Results> (&figures)[Count]) {
    return {figures, figures + Count};
}

// Each figure of the list with a key in the JSON object given, in the
// list's order.
template <typename Results>
json::Object& addFigures(json::Object& object, FigureList<Results> figures, const Results& results,
                         bool useMetric, int jsonObject = 0) {
    for (const Figure<Results>& figure : figures)
        if (const char* key = figureKey(figure); key && figure.jsonObject == jsonObject)
            object.add(key, figureJson(figure, results, useMetric));
    return object;
}

// A line as the summary and a dialog's list show it: a figure's label and
// value, or a note alone (its value empty).
struct FigureLine {
    QString label;
    QString value;
    // The lines a note heads, a line each.
    QStringList below = {};
};

// The lines of the figures that have a value and of the notes that are
// given, in the list's order; those in the JSON alone left out.
template <typename Results>
QList<FigureLine> figureLines(FigureList<Results> figures, const Results& results, bool useMetric) {
    QList<FigureLine> lines;
    for (const Figure<Results>& figure : figures) {
        if (!figure.label && !figure.labelOf)
            continue;
        FigureLine line{figureLabel(figure, results), {}, {}};
        if (isNote(figure)) {
            if (figure.below)
                line.below = figure.below(results);
            if (!line.label.isEmpty())
                lines.append(line);
            continue;
        }
        line.value = figureText(figure, results, useMetric);
        if (!line.value.isEmpty())
            lines.append(line);
    }
    return lines;
}

} // namespace resonex
