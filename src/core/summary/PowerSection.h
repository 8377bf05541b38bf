#pragma once

#include "core/results/PowerResultTexts.h"

#include <QString>

namespace resonex {

QString PowerSectionTitle();
// The power side's figures a line each ("label : value"), a warning or a
// reason alone on its line.
QString PowerSectionText(const QList<FigureLine>& lines);

} // namespace resonex
