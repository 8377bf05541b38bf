#pragma once

#include <QString>

namespace resonex {

class CPrimary;
class CSecondary;
class CSettings;
class CTransformer;

QString PrimarySectionTitle();

// The primary's inputs (taken from the other models where the settings say
// so), the tapping sentence and the per-turn listing, then a note for each
// calculated value the primary does not use; or the not-calculated line.
QString PrimarySectionText(const CPrimary& primary, const CSettings& settings,
                           const CSecondary& secondary, const CTransformer& transformer,
                           const QString& lengthUnit);

} // namespace resonex
