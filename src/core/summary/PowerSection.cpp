#include "core/summary/PowerSection.h"

#include "core/summary/NewLine.h"

namespace resonex {

QString PowerSectionTitle() { return QStringLiteral("Power") + kNewLine; }

QString PowerSectionText(const QList<PowerLine>& lines) {
    QStringList texts;
    for (const PowerLine& line : lines)
        texts << (line.value.isEmpty() ? line.label
                                       : line.label + QStringLiteral(" : ") + line.value);
    return texts.join(kNewLine);
}

} // namespace resonex
