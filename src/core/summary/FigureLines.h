#pragma once

#include "core/results/Figure.h"
#include "core/summary/NewLine.h"

namespace resonex {

// The lines of a calculation's figures as a section writes them, "label :
// value" and a note alone, each ended; those with no value left out.
template <typename Results>
QString figureLines(FigureList<Results> figures, const Results& results, bool useMetric) {
    QString text;
    for (const Figure<Results>& figure : figures) {
        if (!figure.label && !figure.labelOf)
            continue; // in the JSON alone
        const QString label = figureLabel(figure, results);
        if (isNote(figure)) {
            if (!label.isEmpty())
                text += label + kNewLine;
            continue;
        }
        const QString value = figureText(figure, results, useMetric);
        if (!value.isEmpty())
            text += label + QStringLiteral(" : ") + value + kNewLine;
    }
    return text;
}

} // namespace resonex
