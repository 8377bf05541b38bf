#pragma once

#include <QString>

namespace resonex {

class CTransformer;

QString TransformerSectionTitle();

// The bank and its matching capacitor at the mains frequency, or the
// not-calculated line. Ends without a line break.
QString TransformerSectionText(const CTransformer& transformer, bool use50Hz);

} // namespace resonex
