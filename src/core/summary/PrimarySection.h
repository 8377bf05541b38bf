#pragma once

#include "core/model/PrimarySources.h"

#include <QString>

namespace resonex {

class CPrimary;
class CSettings;

QString PrimarySectionTitle();

// The primary's inputs (taken from the other models where the settings say
// so), the tapping sentence and the per-turn listing, then a note for each
// calculated value the primary does not use; or the not-calculated line.
QString PrimarySectionText(const CPrimary& primary, const CSettings& settings,
                           const OtherModels& from, const QString& lengthUnit);

} // namespace resonex
