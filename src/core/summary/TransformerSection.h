#pragma once

#include <QString>

namespace resonex {

class CFile;

QString TransformerSectionTitle();

// The bank and its matching capacitor at the mains frequency, or the
// not-calculated line. Ends without a line break.
QString TransformerSectionText(const CFile& doc);

} // namespace resonex
