#pragma once

#include "core/results/Figure.h"
#include "core/summary/NewLine.h"

namespace resonex {

// Lines as a section writes them, "label : value" or a note alone with the
// lines it heads, each ended.
inline QString sectionLines(const QList<FigureLine>& lines) {
    QString text;
    for (const FigureLine& line : lines) {
        text +=
            (line.value.isEmpty() ? line.label : line.label + QStringLiteral(" : ") + line.value) +
            kNewLine;
        if (!line.below.isEmpty())
            text += line.below.join(kNewLine) + kNewLine;
    }
    return text;
}

} // namespace resonex
