#include "core/summary/PowerSection.h"

#include "core/summary/FigureLines.h"

namespace resonex {

QString PowerSectionTitle() { return QStringLiteral("Power") + kNewLine; }

QString PowerSectionText(const QList<FigureLine>& lines) {
    QString text = sectionLines(lines);
    text.chop(kNewLine.size());
    return text;
}

} // namespace resonex
