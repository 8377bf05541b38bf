#pragma once

#include "core/results/Figure.h"
#include "core/summary/NewLine.h"

namespace resonex {

// Lines as a section writes them, "label : value" or a note alone, each
// ended.
inline QString sectionLines(const QList<FigureLine>& lines) {
    QString text;
    for (const FigureLine& line : lines)
        text +=
            (line.value.isEmpty() ? line.label : line.label + QStringLiteral(" : ") + line.value) +
            kNewLine;
    return text;
}

} // namespace resonex
